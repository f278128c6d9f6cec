#pragma once

#include <QStringList>
#include <QWidget>

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// Two lists side by side, the destinations outside a class and those in it,
// between which the user moves entries to choose the class's members.
class ClassMembers : public QWidget
{
    Q_OBJECT

public:
    explicit ClassMembers(QWidget* parent = nullptr);

public slots:
    void itemDoubleClicked(QTreeWidgetItem* item, int column);
    void clicked();
    // uris: the class's current member URIs; cname: the class itself, which
    // is never offered as its own member.
    void load(const QStringList& uris, const QString& cname);
    // The URIs of the included entries, top to bottom.
    QStringList save();

private:
    static QTreeWidget* createList(QWidget* parent);
    void moveSelected(QTreeWidget* from, QTreeWidget* to);
    void moveItem(QTreeWidgetItem* item, QTreeWidget* from, QTreeWidget* to);

    QTreeWidget* m_includedList = nullptr;
    QTreeWidget* m_excludedList = nullptr;
    QPushButton* m_includeButton = nullptr;
    QPushButton* m_excludeButton = nullptr;
};
