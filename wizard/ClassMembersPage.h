#pragma once

#include <QStringList>
#include <QWizardPage>

class QTreeWidget;
class QTreeWidgetItem;

// The printers that make up a new class, moved from the server's printers
// (left) into the members (right).
class ClassMembersPage : public QWizardPage
{
    Q_OBJECT
    Q_PROPERTY(QStringList classMembers READ classMembers WRITE setClassMembers)

public:
    explicit ClassMembersPage(QWidget* parent = nullptr);

    QStringList classMembers() const;
    void setClassMembers(const QStringList& uris);

    bool validatePage() override;
    bool isComplete() const override;

public slots:
    virtual void itemDoubleClicked(QTreeWidgetItem* item, int column);
    virtual void toMembers();
    virtual void fromMembers();
    void initializePage() override;

private:
    static QTreeWidget* newList(QWidget* parent);
    void move(QTreeWidget* from, QTreeWidget* to);

    QTreeWidget* m_available = nullptr;
    QTreeWidget* m_members = nullptr;
};
