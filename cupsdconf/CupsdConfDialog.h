#pragma once

#include "ConfigNode.h"
#include "DirectiveBindings.h"

#include <QDialog>
#include <QList>
#include <QStringList>
#include <QVersionNumber>

#include <memory>

class ISecurityServerPage;
class NOTValidator;
class QTreeWidget;
class QTreeWidgetItem;

namespace Ui {
class CupsdConfDialog;
}

// The scheduler's whole configuration in tabs, one field per directive. It
// never edits the tree it is given: setConfig() spreads it over the fields and
// config() builds a new one.
//
// Administrators must be able to trust it with a working server and review
// its changes with diff, so the new tree is the file's with the user's
// changes made in place: a field the user left alone leaves its line as it
// was, a changed one rewrites the line the scheduler uses (the last of its
// name), and whatever no field takes up keeps its place.
class CupsdConfDialog : public QDialog
{
    Q_OBJECT

public:
    // Shows the server pages of the loaded security plug-ins.
    explicit CupsdConfDialog(QWidget* parent = nullptr);
    // Shows the given pages instead, which stay their owner's.
    CupsdConfDialog(const QList<ISecurityServerPage*>& serverPages, QWidget* parent);
    ~CupsdConfDialog() override;

    // The version of the scheduler that will read the file, null when it is
    // not known; it decides which directives the scheduler still takes.
    void setSchedulerVersion(const QVersionNumber& version);
    void setConfig(const Cups::ConfigNode& root);
    Cups::ConfigNode config() const;

private slots:
    void addListenItem();
    void editListenItem(QTreeWidgetItem* item);
    void addLocationItem();
    void editLocationItem(QTreeWidgetItem* item);
    void addPolicyItem();
    void editPolicyItem(QTreeWidgetItem* item);
    void preDeletePolicyItem(QTreeWidgetItem* item);
    void addFontPathItem();
    void editFontPathItem(QTreeWidgetItem* item);
    void addIncludeItem();
    void editIncludeItem(QTreeWidgetItem* item);
    void addBrowsePollItem();
    void editBrowsePollItem(QTreeWidgetItem* item);
    void addBrowseACLItem();
    void editBrowseACLItem(QTreeWidgetItem* item);
    void addBrowseRelayItem();
    void editBrowseRelayItem(QTreeWidgetItem* item);
    void addPassEnvItem();
    void editPassEnvItem(QTreeWidgetItem* item);
    void addSetEnvItem();
    void editSetEnvItem(QTreeWidgetItem* item);

private:
    void fillValueTables();
    void fillUsersAndGroups();
    void connectLists();
    void defineFields();
    void defineLists();
    void clearLists();
    void fillSystemGroups();
    void applySchedulerRules();
    void selectEffectiveDefaultPolicy();
    bool browsing() const;

    void setListenItem(QTreeWidgetItem* item, const QString& address, int port, bool ssl) const;
    bool editSection(QTreeWidget* list, QTreeWidgetItem* item, bool policy);
    QString choosePath(const QString& current, bool directory);

    std::unique_ptr<Ui::CupsdConfDialog> m_ui;
    QWidget* m_content = nullptr;
    QVersionNumber m_schedulerVersion;
    NOTValidator* m_validator = nullptr;
    QList<ISecurityServerPage*> m_serverPages;
    QStringList m_systemGroups;
    DirectiveBindings m_bindings;
};
