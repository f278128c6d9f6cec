#include "AddEditDelTreeWidget.h"

#include <QAction>
#include <QIcon>

namespace {

// The keys only act while the list has the focus: a dialog holds several
// lists, and Delete must not remove an item from one the user is not in.
QAction* makeAction(const QIcon& icon, const QString& text, const QKeySequence& key, QWidget* list)
{
    auto* action = new QAction(icon, text, list);
    action->setShortcut(key);
    action->setShortcutContext(Qt::WidgetShortcut);
    list->addAction(action);
    return action;
}

} // namespace

AddEditDelTreeWidget::AddEditDelTreeWidget(QWidget* parent)
    : QTreeWidget(parent)
{
    m_addAction = makeAction(QIcon::fromTheme(QStringLiteral("list-add")), tr("Add..."), Qt::Key_Insert, this);
    m_editAction =
        makeAction(QIcon::fromTheme(QStringLiteral("document-edit")), tr("Edit..."), Qt::Key_Space, this);
    m_deleteAction = makeAction(QIcon::fromTheme(QStringLiteral("edit-delete")), tr("Delete"), Qt::Key_Delete, this);
    setContextMenuPolicy(Qt::ActionsContextMenu);

    connect(m_addAction, SIGNAL(triggered()), this, SIGNAL(addItemRequested()));
    connect(m_editAction, SIGNAL(triggered()), this, SLOT(editActivated()));
    connect(m_deleteAction, SIGNAL(triggered()), this, SLOT(deleteActivated()));
    connect(this, SIGNAL(itemSelectionChanged()), this, SLOT(updateActions()));
    // The current item also changes without the selection changing (keyboard
    // navigation with Ctrl, removal of items, clear()).
    connect(this, SIGNAL(currentItemChanged(QTreeWidgetItem*, QTreeWidgetItem*)), this, SLOT(updateActions()));
    connect(model(), SIGNAL(modelReset()), this, SLOT(updateActions()));
    connect(model(), SIGNAL(rowsRemoved(QModelIndex, int, int)), this, SLOT(updateActions()));
    connect(this, SIGNAL(itemDoubleClicked(QTreeWidgetItem*, int)), this, SIGNAL(editItemRequested(QTreeWidgetItem*)));
    updateActions();
}

void AddEditDelTreeWidget::editActivated()
{
    QTreeWidgetItem* item = currentItem();
    if (!item)
        return;
    item->setSelected(true);
    emit editItemRequested(item);
}

void AddEditDelTreeWidget::deleteActivated()
{
    QTreeWidgetItem* item = currentItem();
    if (!item)
        return;
    m_deletionRefused = false;
    emit aboutToDeleteItem(item);
    if (m_deletionRefused)
        return;
    delete item;
    updateActions();
}

void AddEditDelTreeWidget::refuseDeletion()
{
    m_deletionRefused = true;
}

void AddEditDelTreeWidget::updateActions()
{
    const bool hasCurrent = currentItem() != nullptr;
    m_editAction->setEnabled(hasCurrent);
    m_deleteAction->setEnabled(hasCurrent);
}
