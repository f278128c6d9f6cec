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
//
// What it shows is what the scheduler does: a section without Order shows
// the order the scheduler applies to it, and a section the user creates or
// changes is written with all four settings, so that the rules mean what the
// boxes say.
class AclWidget : public QWidget
{
    Q_OBJECT

public:
    explicit AclWidget(QWidget* parent = nullptr);
    ~AclWidget() override;

    // The order a section without one gets from where it stands (a limit
    // inside a location takes the location's); call before setSection().
    void setInheritedOrder(const QString& keyword);
    // Takes a section in the map form of Cups::ConfigNode; only its children count.
    void setSection(const QVariant& section);
    // The keyword of the order shown.
    QString order() const;
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
    QVector<Cups::ConfigNode> editedChildren() const;

    std::unique_ptr<Ui::AclWidget> m_ui;
    QVector<QComboBox*> m_settingBoxes;
    // The child each combo box was read from, -1 while the section had none.
    QVector<int> m_settingLines;
    // What each box showed after reading.
    QVector<int> m_shownSettings;
    QString m_inheritedOrder;
    bool m_read = false;
    QVector<Cups::ConfigNode> m_children;
    // How many list items each child became; 0 for the children the lists do not show.
    QVector<int> m_itemsOfLine;
};
