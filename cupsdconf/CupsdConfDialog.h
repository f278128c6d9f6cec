#pragma once

#include "ConfigNode.h"

#include <QDialog>
#include <QList>
#include <QStringList>
#include <QVector>

#include <memory>
#include <vector>

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
// Administrators must be able to trust it with a working server, so the new
// tree holds what the user changed and, otherwise, what the file said: a
// field writes its directive only when the file had it or the user changed
// it, a value a field cannot show is written back as the file had it, and
// whatever no field takes up (comments, unknown directives) follows the
// directives it builds, in file order.
class CupsdConfDialog : public QDialog
{
    Q_OBJECT

public:
    // Shows the server pages of the loaded security plug-ins.
    explicit CupsdConfDialog(QWidget* parent = nullptr);
    // Shows the given pages instead, which stay their owner's.
    CupsdConfDialog(const QList<ISecurityServerPage*>& serverPages, QWidget* parent);
    ~CupsdConfDialog() override;

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
    struct Field;
    struct List;

    void fillValueTables();
    void fillUsersAndGroups();
    void connectLists();
    void defineFields();
    void defineLists();
    void clearLists();
    void fillSystemGroups();
    void rememberLoadedState();

    const Field* field(const QString& directive) const;
    void appendField(Cups::ConfigNode& root, const QString& directive) const;
    void appendList(Cups::ConfigNode& root, const QString& directive) const;
    bool browsing() const;

    void setListenItem(QTreeWidgetItem* item, const QString& address, int port, bool ssl) const;
    bool editSection(QTreeWidget* list, QTreeWidgetItem* item, bool policy);
    QString choosePath(const QString& current, bool directory);

    std::unique_ptr<Ui::CupsdConfDialog> m_ui;
    NOTValidator* m_validator = nullptr;
    QList<ISecurityServerPage*> m_serverPages;
    QStringList m_systemGroups;
    std::vector<Field> m_fields;
    std::vector<List> m_lists;
    // The file's top-level lines that no field took up, in file order.
    QVector<Cups::ConfigNode> m_untaken;
};
