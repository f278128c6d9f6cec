#include "PropertyEditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QIcon>
#include <QTreeWidgetItemIterator>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QSpinBox>

// The library is static: without a reference its resources would not be
// linked. Outside any namespace, as the resource macro requires.
static void registerImages()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(tessel);
        return true;
    }();
    Q_UNUSED(registered)
}

namespace {

QString iconPath(PropertyEditor::Kind kind)
{
    switch (kind) {
    case PropertyEditor::LineEdit:
        return QStringLiteral(":/images/lineedit.png");
    case PropertyEditor::SpinBox:
        return QStringLiteral(":/images/spinbox.png");
    case PropertyEditor::CheckBox:
        return QStringLiteral(":/images/checkbox.png");
    case PropertyEditor::ComboBox:
        return QStringLiteral(":/images/combobox.png");
    }
    return QString();
}

const QString listIconPath = QStringLiteral(":/images/listbox.png");

} // namespace

PropertyEditor::PropertyEditor(QWidget* parent)
    : QTreeWidget(parent)
{
    registerImages();
    setHeaderLabels({tr("Name"), tr("Value")});
    setIconSize(QSize(32, 32));
    setUniformRowHeights(true);
    installEventFilter(this);
    // Context menus of an item view arrive at its viewport, not at the view.
    viewport()->installEventFilter(this);
}

QTreeWidgetItem* PropertyEditor::createRow(const QString& name, QTreeWidgetItem* parent, Kind kind, QWidget* widget)
{
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    item->setText(0, name);
    item->setText(1, QString());
    item->setIcon(0, QIcon(iconPath(kind)));
    item->setData(0, KindRole, kind);
    setItemWidget(item, 1, widget);
    // A row's widget joins the focus chain at the window's end, behind the
    // dialog's buttons; Tab should reach it right after the row above.
    QWidget* previous = this;
    for (QTreeWidgetItemIterator it(this); *it && *it != item; ++it) {
        if (QWidget* rowWidget = itemWidget(*it, 1))
            previous = rowWidget;
    }
    setTabOrder(previous, widget);
    // Insert and Delete typed in a value's widget act on the list.
    if (parent)
        widget->installEventFilter(this);
    return item;
}

QTreeWidgetItem* PropertyEditor::addCheckBoxRow(const QString& name, QTreeWidgetItem* parent, bool checked)
{
    auto* box = new QCheckBox;
    box->setChecked(checked);
    return createRow(name, parent, CheckBox, box);
}

QTreeWidgetItem* PropertyEditor::addSpinBoxRow(const QString& name, QTreeWidgetItem* parent, int value, int minimum,
                                               int maximum)
{
    auto* box = new QSpinBox;
    box->setRange(minimum, maximum);
    box->setValue(value);
    return createRow(name, parent, SpinBox, box);
}

QTreeWidgetItem* PropertyEditor::addLineEditRow(const QString& name, QTreeWidgetItem* parent, const QString& text,
                                                int maxLength)
{
    auto* edit = new QLineEdit;
    edit->setMaxLength(maxLength);
    edit->setText(text);
    return createRow(name, parent, LineEdit, edit);
}

QTreeWidgetItem* PropertyEditor::addComboBoxRow(const QString& name, QTreeWidgetItem* parent,
                                                const QVariantMap& choices, const QString& current)
{
    auto* box = new QComboBox;
    for (auto it = choices.constBegin(); it != choices.constEnd(); ++it) {
        const QString label = it.value().toString();
        box->addItem(label.isEmpty() ? it.key() : label, it.key());
        if (it.key() == current)
            box->setCurrentIndex(box->count() - 1);
    }
    return createRow(name, parent, ComboBox, box);
}

QTreeWidgetItem* PropertyEditor::createListRow(const QString& name, Kind kind)
{
    auto* row = new QTreeWidgetItem(this);
    row->setText(0, name);
    row->setIcon(0, QIcon(listIconPath));
    row->setData(0, KindRole, kind);
    row->setData(0, ListRole, true);
    return row;
}

QTreeWidgetItem* PropertyEditor::addLineEditListRow(const QString& name, const QStringList& values, int maxLength)
{
    QTreeWidgetItem* row = createListRow(name, LineEdit);
    row->setData(0, MaximumRole, maxLength);
    for (const QString& value : values)
        addLineEditRow(tr("value"), row, value, maxLength);
    row->setExpanded(true);
    return row;
}

QTreeWidgetItem* PropertyEditor::addSpinBoxListRow(const QString& name, const QList<int>& values, int minimum,
                                                   int maximum)
{
    QTreeWidgetItem* row = createListRow(name, SpinBox);
    row->setData(0, MaximumRole, maximum);
    row->setData(0, MinimumRole, minimum);
    for (int value : values)
        addSpinBoxRow(tr("value"), row, value, minimum, maximum);
    row->setExpanded(true);
    return row;
}

QTreeWidgetItem* PropertyEditor::addCheckBoxListRow(const QString& name, const QList<bool>& values)
{
    QTreeWidgetItem* row = createListRow(name, CheckBox);
    for (bool value : values)
        addCheckBoxRow(tr("value"), row, value);
    row->setExpanded(true);
    return row;
}

QTreeWidgetItem* PropertyEditor::addComboBoxListRow(const QString& name, const QVariantMap& choices,
                                                    const QStringList& values)
{
    QTreeWidgetItem* row = createListRow(name, ComboBox);
    row->setData(0, ChoicesRole, choices);
    for (const QString& value : values)
        addComboBoxRow(tr("value"), row, choices, value);
    row->setExpanded(true);
    return row;
}

QTreeWidgetItem* PropertyEditor::addValueChild(QTreeWidgetItem* listRow)
{
    if (!listRow)
        return nullptr;
    switch (listRow->data(0, KindRole).toInt()) {
    case LineEdit:
        return addLineEditRow(tr("value"), listRow, QString(), listRow->data(0, MaximumRole).toInt());
    case SpinBox:
        return addSpinBoxRow(tr("value"), listRow, 0, listRow->data(0, MinimumRole).toInt(),
                             listRow->data(0, MaximumRole).toInt());
    case CheckBox:
        return addCheckBoxRow(tr("value"), listRow, false);
    case ComboBox:
        return addComboBoxRow(tr("value"), listRow, listRow->data(0, ChoicesRole).toMap(), QString());
    }
    return nullptr;
}

QStringList PropertyEditor::values(QTreeWidgetItem* row) const
{
    QList<QTreeWidgetItem*> items;
    if (row->data(0, ListRole).toBool()) {
        for (int i = 0; i < row->childCount(); ++i)
            items << row->child(i);
    } else {
        items << row;
    }
    QStringList result;
    for (QTreeWidgetItem* item : qAsConst(items)) {
        QWidget* widget = itemWidget(item, 1);
        switch (item->data(0, KindRole).toInt()) {
        case LineEdit:
            if (auto* edit = qobject_cast<QLineEdit*>(widget))
                result << edit->text();
            break;
        case SpinBox:
            if (auto* box = qobject_cast<QSpinBox*>(widget))
                result << QString::number(box->value());
            break;
        case CheckBox:
            if (auto* box = qobject_cast<QCheckBox*>(widget))
                result << QString::number(box->checkState() == Qt::Checked ? 1 : 0);
            break;
        case ComboBox:
            if (auto* box = qobject_cast<QComboBox*>(widget)) {
                if (box->currentIndex() >= 0)
                    result << box->currentData().toString();
            }
            break;
        }
    }
    return result;
}

bool PropertyEditor::isValueChild(const QTreeWidgetItem* item) const
{
    return item && item->parent() && !item->data(0, ListRole).toBool()
           && item->parent()->data(0, ListRole).toBool();
}

void PropertyEditor::addSibling(QTreeWidgetItem* child)
{
    if (QTreeWidgetItem* added = addValueChild(child->parent()))
        setCurrentItem(added);
}

void PropertyEditor::deleteValue(QTreeWidgetItem* child)
{
    // Focus left in the value's widget would pass to the next row's widget
    // when that goes, and that row would become current.
    setFocus();
    setCurrentItem(child->parent());
    delete child;
}

bool PropertyEditor::showContextMenu(const QPoint& globalPos)
{
    QTreeWidgetItem* item = itemAt(viewport()->mapFromGlobal(globalPos));
    if (!item)
        return false;
    setCurrentItem(item);
    QMenu menu;
    if (item->data(0, ListRole).toBool()) {
        const QAction* add = menu.addAction(tr("Add"));
        if (menu.exec(globalPos) == add) {
            if (QTreeWidgetItem* added = addValueChild(item))
                setCurrentItem(added);
        }
    } else if (isValueChild(item)) {
        const QAction* add = menu.addAction(tr("Add"));
        const QAction* remove = menu.addAction(tr("Delete"));
        const QAction* chosen = menu.exec(globalPos);
        if (chosen == add)
            addSibling(item);
        else if (chosen == remove)
            deleteValue(item);
    }
    return true;
}

void PropertyEditor::relayoutRows()
{
    // Embedded widgets keep their old places after rows came or went until
    // their rows are laid out again. Collapsing moves the current item away
    // from a value, so it is put back.
    QTreeWidgetItem* current = currentItem();
    for (int i = 0; i < topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = topLevelItem(i);
        row->setExpanded(false);
        row->setExpanded(true);
    }
    if (current) {
        setCurrentItem(current);
        scrollToItem(current);
    }
}

bool PropertyEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ContextMenu) {
        // Consumed once handled: unhandled, it would travel on from the
        // viewport or a value's widget to the editor and open a second menu.
        if (showContextMenu(static_cast<QContextMenuEvent*>(event)->globalPos()))
            return true;
        return QTreeWidget::eventFilter(watched, event);
    }
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Insert && key != Qt::Key_Delete)
            return QTreeWidget::eventFilter(watched, event);
        // A key typed in a value's widget means that value, even when another
        // row is current.
        QTreeWidgetItem* item = currentItem();
        for (QTreeWidgetItemIterator it(this); *it; ++it) {
            if (itemWidget(*it, 1) == watched) {
                item = *it;
                break;
            }
        }
        if (isValueChild(item)) {
            if (key == Qt::Key_Insert)
                addSibling(item);
            else
                deleteValue(item);
        } else if (item && item->data(0, ListRole).toBool() && key == Qt::Key_Insert) {
            if (QTreeWidgetItem* added = addValueChild(item))
                setCurrentItem(added);
        }
        relayoutRows();
        return true;
    }
    return QTreeWidget::eventFilter(watched, event);
}
