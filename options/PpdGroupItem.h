#pragma once

#include <QTreeWidgetItem>

#include <cups/ppd.h>

// A group or subgroup of a PPD file in the settings tree. The PPD must
// outlive the item.
class PpdGroupItem : public QTreeWidgetItem
{
public:
    explicit PpdGroupItem(ppd_group_t* group);
    ~PpdGroupItem() override;

    QVariant data(int column, int role) const override;

private:
    ppd_group_t* m_group;
};
