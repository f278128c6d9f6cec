#include "PpdGroupItem.h"

PpdGroupItem::PpdGroupItem(ppd_group_t* group)
    : m_group(group)
{
}

PpdGroupItem::~PpdGroupItem() = default;

QVariant PpdGroupItem::data(int column, int role) const
{
    if (column == 0 && role == Qt::DisplayRole)
        return QString::fromUtf8(m_group->text);
    return QTreeWidgetItem::data(column, role);
}
