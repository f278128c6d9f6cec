#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QTreeWidget>
#include <QVariantMap>

// A two-column tree in which each row edits one named value through a widget
// in the value column. A list row holds any number of values of one kind as
// its children; the user adds and deletes them with the context menu or the
// Insert and Delete keys.
class PropertyEditor : public QTreeWidget
{
    Q_OBJECT

public:
    enum Kind { LineEdit = 0, SpinBox = 1, CheckBox = 2, ComboBox = 3 };

    // Item data of column 0 that describes a row.
    static constexpr int KindRole = Qt::UserRole;
    static constexpr int ListRole = Qt::UserRole + 1;
    static constexpr int MaximumRole = Qt::UserRole + 2;
    static constexpr int MinimumRole = Qt::UserRole + 3;
    static constexpr int ChoicesRole = Qt::UserRole + 4;
    // Free for the editor's user.
    static constexpr int ValueTagRole = Qt::UserRole + 5;
    static constexpr int AttributeRole = Qt::UserRole + 6;

    explicit PropertyEditor(QWidget* parent = nullptr);

    // parent: null for a top-level row.
    QTreeWidgetItem* addCheckBoxRow(const QString& name, QTreeWidgetItem* parent, bool checked);
    QTreeWidgetItem* addSpinBoxRow(const QString& name, QTreeWidgetItem* parent, int value, int minimum,
                                   int maximum);
    QTreeWidgetItem* addLineEditRow(const QString& name, QTreeWidgetItem* parent, const QString& text,
                                    int maxLength);
    // choices: value to label; an empty label shows the value.
    QTreeWidgetItem* addComboBoxRow(const QString& name, QTreeWidgetItem* parent, const QVariantMap& choices,
                                    const QString& current);

    QTreeWidgetItem* addLineEditListRow(const QString& name, const QStringList& values, int maxLength);
    QTreeWidgetItem* addSpinBoxListRow(const QString& name, const QList<int>& values, int minimum, int maximum);
    QTreeWidgetItem* addCheckBoxListRow(const QString& name, const QList<bool>& values);
    QTreeWidgetItem* addComboBoxListRow(const QString& name, const QVariantMap& choices, const QStringList& values);

    // A new value of the list row's kind and limits.
    QTreeWidgetItem* addValueChild(QTreeWidgetItem* listRow);

    // The values a top-level row stands for: its children's for a list row,
    // else its own. A combo box without a selection gives none.
    QStringList values(QTreeWidgetItem* row) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTreeWidgetItem* createRow(const QString& name, QTreeWidgetItem* parent, Kind kind, QWidget* widget);
    QTreeWidgetItem* createListRow(const QString& name, Kind kind);
    bool isValueChild(const QTreeWidgetItem* item) const;
    void addSibling(QTreeWidgetItem* child);
    void deleteValue(QTreeWidgetItem* child);
    // False when there is no row at the position.
    bool showContextMenu(const QPoint& globalPos);
    void relayoutRows();
};
