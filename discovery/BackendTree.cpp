#include "BackendTree.h"

BackendTree::BackendTreeItem::BackendTreeItem(QTreeWidget* parent, const QString& name, const QString& uri,
                                              Kind kind, const QString& backend, bool scanEnabled,
                                              bool uriEditable)
    : QTreeWidgetItem(parent, QStringList{name, uri})
    , m_kind(kind)
    , m_backend(backend)
    , m_scanEnabled(scanEnabled)
    , m_uriEditable(uriEditable)
{
}

BackendTree::BackendTreeItem::BackendTreeItem(QTreeWidgetItem* parent, const QString& name, const QString& uri,
                                              Kind kind, const QString& backend, bool scanEnabled,
                                              bool uriEditable)
    : QTreeWidgetItem(parent, QStringList{name, uri})
    , m_kind(kind)
    , m_backend(backend)
    , m_scanEnabled(scanEnabled)
    , m_uriEditable(uriEditable)
{
}

BackendTree::BackendTreeItem::~BackendTreeItem() = default;

BackendTree::BackendTree(QWidget* parent)
    : QTreeWidget(parent)
{
}
