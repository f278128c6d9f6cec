#include "BackendTree.h"

BackendTree::BackendTreeItem::~BackendTreeItem() = default;

BackendTree::BackendTree(QWidget* parent)
    : QTreeWidget(parent)
{
}
