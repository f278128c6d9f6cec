#pragma once

#include "ConfigNode.h"

#include <QVector>
#include <QWidget>

#include <memory>

class QComboBox;
class QTreeWidgetItem;
class QVariant;

namespace Ui {
class AclWidget;
}

// Edits the access-control directives of a Location, Limit or LimitExcept
// section: Order, Satisfy, Encryption, AuthType, Allow, Deny and Require.
//
// Administrators keep hand-written lines in these sections, so the widget
// changes a section only where the user changed something: every other line
// (comments, directives it does not show, nested limits, rules left alone)
// comes back exactly as it was read and where it was read.
class AclWidget : public QWidget
{
    Q_OBJECT

public:
    explicit AclWidget(QWidget* parent = nullptr);
    ~AclWidget() override;

    // Takes a section in the map form of Cups::ConfigNode; only its children count.
    void setSection(const QVariant& section);
    // The section's children, edited, in the map form; name, value and comment
    // are left empty for the caller.
    QVariant section() const;

public slots:
    void addAclItem();
    void editAclItem(QTreeWidgetItem* item);
    void addRequireItem();
    void editRequireItem(QTreeWidgetItem* item);

private:
    void resetSettings();
    Cups::ConfigNode settingNode(int setting) const;

    std::unique_ptr<Ui::AclWidget> m_ui;
    QVector<QComboBox*> m_settingBoxes;
    // The child each combo box was read from, -1 while the section had none.
    QVector<int> m_settingLines;
    QVector<Cups::ConfigNode> m_children;
    // How many list items each child became; 0 for the children the lists do not show.
    QVector<int> m_itemsOfLine;
};
