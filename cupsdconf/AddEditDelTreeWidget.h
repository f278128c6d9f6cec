#pragma once

#include <QTreeWidget>

class QAction;

// A list whose items are added, edited and deleted through actions, keys and
// the context menu. It never edits anything itself: the owner answers the
// requests, except for deleting, which the list does after telling the owner.
class AddEditDelTreeWidget : public QTreeWidget
{
    Q_OBJECT

public:
    explicit AddEditDelTreeWidget(QWidget* parent = nullptr);

    // Called from a slot of aboutToDeleteItem(), keeps the item in the list.
    void refuseDeletion();

signals:
    void addItemRequested();
    void editItemRequested(QTreeWidgetItem* item);
    void aboutToDeleteItem(QTreeWidgetItem* item);

private slots:
    void editActivated();
    void deleteActivated();
    void updateActions();

private:
    QAction* m_addAction = nullptr;
    QAction* m_editAction = nullptr;
    QAction* m_deleteAction = nullptr;
    bool m_deletionRefused = false;
};
