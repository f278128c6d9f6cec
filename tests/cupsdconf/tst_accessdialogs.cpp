#include "AclAddDialog.h"
#include "AclRequireDialog.h"
#include "AclWidget.h"
#include "AddEditDelTreeWidget.h"
#include "ConfigNode.h"
#include "LimitDialog.h"
#include "LocationDialog.h"
#include "ModalDriver.h"
#include "PolicyDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

namespace {

Cups::ConfigNode parsed(const QString& text)
{
    return Cups::ConfigNode(text.toUtf8());
}

// The file text of a section, or of the children of a node without a name.
QString written(const QVariant& map)
{
    Cups::ConfigNode root;
    const Cups::ConfigNode node(map);
    if (node.name().isEmpty())
        return QString::fromUtf8(node.toText());
    root.appendChild(node);
    return QString::fromUtf8(root.toText());
}

Cups::ConfigNode debianConfig()
{
    QFile file(QStringLiteral(":/data/cupsd.conf.default"));
    return file.open(QIODevice::ReadOnly) ? Cups::ConfigNode(file.readAll()) : Cups::ConfigNode();
}

QVariant roundTrip(const QString& kind, const QVariant& section)
{
    if (kind == QLatin1String("Location")) {
        LocationDialog dialog;
        dialog.setSection(section);
        return dialog.section();
    }
    if (kind == QLatin1String("Policy")) {
        PolicyDialog dialog;
        dialog.setSection(section);
        return dialog.section();
    }
    LimitDialog dialog(kind == QLatin1String("Limit") ? LimitDialog::Mode::IppOperations
                                                      : LimitDialog::Mode::HttpMethods);
    dialog.setSection(section);
    return dialog.section();
}

QTreeWidget* operationList(QWidget* limitDialog)
{
    for (QTreeWidget* tree : limitDialog->findChildren<QTreeWidget*>()) {
        if (!qobject_cast<AddEditDelTreeWidget*>(tree))
            return tree;
    }
    return nullptr;
}

QStringList checkedOperations(QWidget* limitDialog)
{
    QStringList names;
    QTreeWidget* tree = operationList(limitDialog);
    for (int row = 0; row < tree->topLevelItemCount(); ++row) {
        if (tree->topLevelItem(row)->checkState(0) == Qt::Checked)
            names << tree->topLevelItem(row)->data(0, Qt::UserRole).toString();
    }
    return names;
}

void toggleOperations(QWidget* limitDialog, const QStringList& names)
{
    QTreeWidget* tree = operationList(limitDialog);
    for (int row = 0; row < tree->topLevelItemCount(); ++row) {
        QTreeWidgetItem* item = tree->topLevelItem(row);
        if (names.contains(item->data(0, Qt::UserRole).toString()))
            item->setCheckState(0, item->checkState(0) == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    }
}

QPushButton* okButton(QWidget* dialog)
{
    return dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
}

void selectData(QComboBox* box, const QString& data)
{
    box->setCurrentIndex(box->findData(data));
}

std::unique_ptr<QDialog> makeDialog(const QString& which)
{
    if (which == QLatin1String("Location"))
        return std::make_unique<LocationDialog>();
    if (which == QLatin1String("Policy"))
        return std::make_unique<PolicyDialog>();
    if (which == QLatin1String("Limit"))
        return std::make_unique<LimitDialog>(LimitDialog::Mode::IppOperations);
    if (which == QLatin1String("ACL"))
        return std::make_unique<AclAddDialog>();
    return std::make_unique<AclRequireDialog>();
}

const QString locationWithLimit = QStringLiteral("<Location /admin> # admins only\n"
                                                 "    Foo bar\n"
                                                 "    AuthType Default\n"
                                                 "    Order allow,deny\n"
                                                 "    <Limit GET>\n"
                                                 "        Order deny,allow\n"
                                                 "    </Limit>\n"
                                                 "    # end of admin\n"
                                                 "</Location>\n");

} // namespace

class TestAccessDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void roundTrip_data();
    void roundTrip();
    void aclRead_data();
    void aclRead();
    void aclEdit_data();
    void aclEdit();
    void limitRead_data();
    void limitRead();
    void limitEdit_data();
    void limitEdit();
    void sectionEdit_data();
    void sectionEdit();
    void typedValues_data();
    void typedValues();
    void requireNames_data();
    void requireNames();
    void requireKeepsUnknown();
    void dialogSizes_data();
    void dialogSizes();
};

void TestAccessDialogs::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(!debianConfig().children().isEmpty());
}

void TestAccessDialogs::cleanup()
{
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TestAccessDialogs::roundTrip_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QVariant>("section");
    const Cups::ConfigNode debian = debianConfig();
    for (const Cups::ConfigNode& child : debian.children()) {
        if (child.name() == QLatin1String("Location"))
            QTest::newRow(qPrintable(QStringLiteral("debian Location ") + child.value()))
                << QStringLiteral("Location") << child.toVariant();
        if (child.name() != QLatin1String("Policy"))
            continue;
        QTest::newRow(qPrintable(QStringLiteral("debian Policy ") + child.value()))
            << QStringLiteral("Policy") << child.toVariant();
        int index = 0;
        for (const Cups::ConfigNode& limit : child.children()) {
            if (LimitDialog::isLimit(limit))
                QTest::newRow(qPrintable(QStringLiteral("debian Policy %1 Limit %2").arg(child.value()).arg(index++)))
                    << QStringLiteral("Limit") << limit.toVariant();
        }
    }
    const auto section = [](const QString& text) { return parsed(text).children().first().toVariant(); };
    QTest::newRow("pathOutsideSeven") << "Location"
                                      << section("<Location /printers/alpha>\n    Order allow,deny\n</Location>\n");
    QTest::newRow("unknownChildAndComments") << "Location" << section(locationWithLimit);
    QTest::newRow("allowFrom") << "Location"
                               << section("<Location />\n    Order deny,allow\n"
                                          "    Allow from 10.0.0.0/8\n</Location>\n");
    QTest::newRow("allowWithoutFrom") << "Location"
                                      << section("<Location />\n    Order deny,allow\n"
                                                 "    Allow 10.0.0.0/8\n</Location>\n");
    QTest::newRow("exceptMethods") << "LocationLimit"
                                   << section("<LimitExcept GET HEAD>\n    Require valid-user\n</LimitExcept>\n");
    QTest::newRow("lowerCaseOperation") << "Limit" << section("<Limit print-job>\n    Order deny,allow\n</Limit>\n");
}

void TestAccessDialogs::roundTrip()
{
    QFETCH(QString, kind);
    QFETCH(QVariant, section);
    QCOMPARE(written(::roundTrip(kind, section)), written(section));
}

void TestAccessDialogs::aclRead_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("settings");
    QTest::addColumn<QStringList>("rules");
    QTest::addColumn<QStringList>("requirements");
    // What the scheduler does with a section that lacks the four directives.
    const QStringList defaults = {"deny,allow", "all", "IfRequested", "None"};
    QTest::newRow("noSettings") << "" << defaults << QStringList() << QStringList();
    QTest::newRow("requireTwoNames") << "Require user @OWNER @SYSTEM\n" << defaults << QStringList()
                                     << QStringList{"User @OWNER|user|@OWNER", "User @SYSTEM|user|@SYSTEM"};
    QTest::newRow("requireValidUser") << "Require valid-user\n" << defaults << QStringList()
                                      << QStringList{"Any valid user|valid-user|"};
    QTest::newRow("allowFrom") << "Allow from 10.0.0.0/8\n" << defaults << QStringList{"10.0.0.0/8|Allow"}
                               << QStringList();
    QTest::newRow("denyWithoutFrom") << "Deny 10.0.0.0/8\n" << defaults << QStringList{"10.0.0.0/8|Deny"}
                                     << QStringList();
    QTest::newRow("twoAddresses") << "Allow From a.example b.example\n" << defaults
                                  << QStringList{"a.example|Allow", "b.example|Allow"} << QStringList();
    QTest::newRow("fromAlone") << "Allow from\n" << defaults << QStringList() << QStringList();
    QTest::newRow("keywordsKeptAsRead") << "Order Deny,Allow\nAuthType Default\nEncryption Required\n"
                                        << QStringList{"Deny,Allow", "all", "Required", "Default"} << QStringList()
                                        << QStringList();
    QTest::newRow("lastOneWins") << "Satisfy any\nSatisfy all\n" << defaults << QStringList() << QStringList();
    QTest::newRow("namesInAnyCase") << "order allow,deny\nallow from a\nDENY b\nrequire valid-user\n"
                                    << QStringList{"allow,deny", "all", "IfRequested", "None"}
                                    << QStringList{"a|Allow", "b|Deny"} << QStringList{"Any valid user|valid-user|"};
}

void TestAccessDialogs::aclRead()
{
    QFETCH(QString, text);
    QFETCH(QStringList, settings);
    QFETCH(QStringList, rules);
    QFETCH(QStringList, requirements);
    AclWidget widget;
    widget.setSection(parsed(text).toVariant());
    QStringList shown;
    for (const char* name : {"cbOrder", "cbSatisfy", "cbEncryption", "cbAuthType"})
        shown << widget.findChild<QComboBox*>(QLatin1String(name))->currentData().toString();
    QCOMPARE(shown, settings);
    shown.clear();
    const auto* acl = widget.findChild<QTreeWidget*>(QStringLiteral("twACL"));
    for (int row = 0; row < acl->topLevelItemCount(); ++row)
        shown << acl->topLevelItem(row)->text(0) + '|' + acl->topLevelItem(row)->data(1, Qt::UserRole).toString();
    QCOMPARE(shown, rules);
    shown.clear();
    const auto* require = widget.findChild<QTreeWidget*>(QStringLiteral("twRequire"));
    for (int row = 0; row < require->topLevelItemCount(); ++row) {
        const QTreeWidgetItem* item = require->topLevelItem(row);
        shown << item->text(0) + '|' + item->data(0, Qt::UserRole).toString() + '|'
                     + item->data(0, Qt::UserRole + 1).toString();
    }
    QCOMPARE(shown, requirements);
}

void TestAccessDialogs::aclEdit_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("prefill");
    QTest::addColumn<QString>("expected");
    QTest::newRow("settingKeepsComment") << "Order allow,deny # why\nAuthType Default\n" << "cbOrder"
                                         << QStringList{"deny,allow"} << ""
                                         << "Order deny,allow # why\nAuthType Default\n";
    QTest::newRow("newSettingAfterRules") << "AuthType Default\nRequire user @SYSTEM\n# end\n" << "cbSatisfy"
                                          << QStringList{"any"} << ""
                                          << "AuthType Default\nRequire user @SYSTEM\nOrder deny,allow\nSatisfy any\n# end\n";
    QTest::newRow("editOneOfTwoAddresses") << "Allow from a b # office\nDeny all\n" << "editAcl"
                                           << QStringList{"1", "Deny", "c"} << "Allow b"
                                           << "Allow from a # office\nDeny from c\nDeny all\nOrder deny,allow\n";
    QTest::newRow("deleteOneName") << "Require user @OWNER @SYSTEM\nOrder deny,allow\n" << "deleteRequire"
                                   << QStringList{"0"} << "" << "Require user @SYSTEM\nOrder deny,allow\n";
    QTest::newRow("editedNamesOnePerLine") << "Require user @OWNER @SYSTEM\n" << "editRequire"
                                           << QStringList{"1", "user", "@SYSTEM"} << "user @SYSTEM"
                                           << "Require user @OWNER\nRequire user @SYSTEM\nOrder deny,allow\n";
    QTest::newRow("addRuleToEmpty") << "" << "addAcl" << QStringList{"Allow", "10.0.0.0/8"} << "Allow "
                                    << "Order deny,allow\nAllow from 10.0.0.0/8\n";
    QTest::newRow("addValidUser") << "Order deny,allow\n# end\n" << "addRequire" << QStringList{"valid-user", ""}
                                  << "user " << "Order deny,allow\nRequire valid-user \n# end\n";
    QTest::newRow("deleteRuleKeepsComment") << "Allow from a\n# note\n" << "deleteAcl" << QStringList{"0"} << ""
                                            << "Order deny,allow\n# note\n";
    QTest::newRow("orderInAnyCase") << "order allow,deny\nallow from a\n" << "addAcl" << QStringList{"Deny", "b"}
                                    << "Allow " << "order allow,deny\nallow from a\nDeny from b\n";
}

void TestAccessDialogs::aclEdit()
{
    QFETCH(QString, text);
    QFETCH(QString, action);
    QFETCH(QStringList, args);
    QFETCH(QString, prefill);
    QFETCH(QString, expected);
    AclWidget widget;
    widget.setSection(parsed(text).toVariant());
    auto* acl = widget.findChild<QTreeWidget*>(QStringLiteral("twACL"));
    auto* require = widget.findChild<QTreeWidget*>(QStringLiteral("twRequire"));

    QString seen;
    ModalDriver driver;
    driver.otherDialog = [&](QWidget* dialog) {
        const QString first = args.value(args.size() - 2);
        const QString second = args.last();
        if (auto* rule = qobject_cast<AclAddDialog*>(dialog)) {
            seen = rule->action() + ' ' + rule->address();
            selectData(dialog->findChild<QComboBox*>(), first);
            dialog->findChild<QLineEdit*>()->setText(second);
        } else if (auto* requirement = qobject_cast<AclRequireDialog*>(dialog)) {
            seen = requirement->type() + ' ' + requirement->name();
            const QList<QComboBox*> boxes = dialog->findChildren<QComboBox*>();
            selectData(boxes.at(0), first);
            boxes.at(1)->setCurrentIndex(boxes.at(1)->findText(second));
        }
        okButton(dialog)->click();
    };

    if (action.startsWith(QLatin1String("cb")))
        selectData(widget.findChild<QComboBox*>(action), args.first());
    else if (action == QLatin1String("addAcl"))
        widget.addAclItem();
    else if (action == QLatin1String("editAcl"))
        widget.editAclItem(acl->topLevelItem(args.first().toInt()));
    else if (action == QLatin1String("deleteAcl"))
        delete acl->topLevelItem(args.first().toInt());
    else if (action == QLatin1String("addRequire"))
        widget.addRequireItem();
    else if (action == QLatin1String("editRequire"))
        widget.editRequireItem(require->topLevelItem(args.first().toInt()));
    else
        delete require->topLevelItem(args.first().toInt());

    QCOMPARE(seen.left(prefill.size()), prefill);
    QCOMPARE(written(widget.section()), expected);
}

void TestAccessDialogs::limitRead_data()
{
    QTest::addColumn<bool>("methods");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("checked");
    QTest::addColumn<bool>("except");
    QTest::newRow("threeOperations") << false << "<Limit Send-Document Create-Job Print-Job>\n</Limit>\n"
                                     << QStringList{"Create-Job", "Print-Job", "Send-Document"} << false;
    QTest::newRow("exceptGetHead") << true << "<LimitExcept GET HEAD>\n</LimitExcept>\n"
                                   << QStringList{"GET", "HEAD"} << true;
    QTest::newRow("lowerCaseRecognised") << false << "<limit print-job>\n</limit>\n" << QStringList{"Print-Job"}
                                          << false;
    QTest::newRow("unlistedSortedIn") << false << "<Limit Create-Job Print-Job Print-URI Validate-Job>\n</Limit>\n"
                                      << QStringList{"Create-Job", "Print-Job", "Print-URI", "Validate-Job"} << false;
    QTest::newRow("unlistedMethod") << true << "<Limit ALL>\n</Limit>\n" << QStringList{"ALL"} << false;
}

void TestAccessDialogs::limitRead()
{
    QFETCH(bool, methods);
    QFETCH(QString, text);
    QFETCH(QStringList, checked);
    QFETCH(bool, except);
    LimitDialog dialog(methods ? LimitDialog::Mode::HttpMethods : LimitDialog::Mode::IppOperations);
    dialog.setSection(parsed(text).children().first().toVariant());
    QCOMPARE(checkedOperations(&dialog), checked);
    QCOMPARE(dialog.findChild<QCheckBox*>()->isChecked(), except);
    QVERIFY(okButton(&dialog)->isEnabled());
}

void TestAccessDialogs::limitEdit_data()
{
    QTest::addColumn<bool>("methods");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("toggled");
    QTest::addColumn<bool>("toggleExcept");
    QTest::addColumn<QString>("expected");
    QTest::newRow("changedSetInListOrder") << false << "<Limit Send-Document Create-Job Print-Job>\n</Limit>\n"
                                           << QStringList{"Create-Job"} << false
                                           << "<Limit Print-Job Send-Document>\n</Limit>\n";
    QTest::newRow("unlistedStayChecked") << false
                                         << "<Limit Create-Job Print-Job Print-URI Validate-Job>\n"
                                            "    Order deny,allow\n</Limit>\n"
                                         << QStringList{"Validate-Job"} << false
                                         << "<Limit Create-Job Print-Job Print-URI>\n    Order deny,allow\n</Limit>\n";
    QTest::newRow("exceptOf") << true << "<Limit GET HEAD> # reads\n    Order deny,allow\n</Limit>\n" << QStringList()
                              << true << "<LimitExcept GET HEAD> # reads\n    Order deny,allow\n</LimitExcept>\n";
    // A new limit says what it does: without Order the scheduler would let every address in.
    QTest::newRow("newLimit") << false << "" << QStringList{"Cancel-Job"} << false
                              << "<Limit Cancel-Job>\n    Order allow,deny\n    Satisfy all\n    Encryption IfRequested\n"
                                 "    AuthType None\n</Limit>\n";
}

void TestAccessDialogs::limitEdit()
{
    QFETCH(bool, methods);
    QFETCH(QString, text);
    QFETCH(QStringList, toggled);
    QFETCH(bool, toggleExcept);
    QFETCH(QString, expected);
    LimitDialog dialog(methods ? LimitDialog::Mode::HttpMethods : LimitDialog::Mode::IppOperations);
    if (!text.isEmpty())
        dialog.setSection(parsed(text).children().first().toVariant());
    toggleOperations(&dialog, toggled);
    if (toggleExcept)
        dialog.findChild<QCheckBox*>()->toggle();
    QCOMPARE(written(dialog.section()), expected);

    // A limit without operations would stop the scheduler from starting.
    toggleOperations(&dialog, checkedOperations(&dialog));
    QVERIFY(!okButton(&dialog)->isEnabled());
}

void TestAccessDialogs::sectionEdit_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QString policy;
    const Cups::ConfigNode debian = debianConfig();
    for (const Cups::ConfigNode& child : debian.children()) {
        if (child.name() == QLatin1String("Policy") && child.value() == QLatin1String("default"))
            policy = written(child.toVariant());
    }
    // The stock file indents by two blanks, and so do the lines added to it.
    const QString firstLimit = "  <Limit Create-Job Print-Job Print-URI Validate-Job>\n"
                               "    Order deny,allow\n  </Limit>\n";
    const QString end = "  </Limit>\n</Policy>\n";
    QTest::newRow("policyDeleteLimit") << "Policy" << policy << "deleteLimit" << QStringList{"0"} << firstLimit << "";
    QTest::newRow("policyEditLimit") << "Policy" << policy << "editLimit" << QStringList{"0", "Validate-Job"}
                                     << "<Limit Create-Job Print-Job Print-URI Validate-Job>"
                                     << "<Limit Create-Job Print-Job Print-URI>";
    QTest::newRow("policyAddLimit") << "Policy" << policy << "addLimit" << QStringList{"Cancel-Job"} << end
                                    << "  </Limit>\n  <Limit Cancel-Job>\n    Order allow,deny\n    Satisfy all\n"
                                       "    Encryption IfRequested\n    AuthType None\n  </Limit>\n</Policy>\n";
    QTest::newRow("policyRename") << "Policy" << policy << "name" << QStringList{"printing"} << "<Policy default>"
                                  << "<Policy printing>";
    QTest::newRow("locationPath") << "Location" << locationWithLimit << "path" << QStringList{"/admin/conf"}
                                  << "<Location /admin>" << "<Location /admin/conf>";
    QTest::newRow("locationRules") << "Location" << locationWithLimit << "cbOrder" << QStringList{"deny,allow"}
                                   << "    Order allow,deny\n    <Limit" << "    Order deny,allow\n    <Limit";
    QTest::newRow("locationAddLimit") << "Location" << locationWithLimit << "addLimit" << QStringList{"PUT"}
                                      << "    </Limit>\n    # end"
                                      << "    </Limit>\n    <Limit PUT>\n        Order allow,deny\n        Satisfy all\n"
                                         "        Encryption IfRequested\n        AuthType None\n    </Limit>\n    # end";
    QTest::newRow("locationEditLimit") << "Location" << locationWithLimit << "editLimit" << QStringList{"0", "HEAD"}
                                       << "<Limit GET>" << "<Limit GET HEAD>";
    QTest::newRow("locationDeleteLimit") << "Location" << locationWithLimit << "deleteLimit" << QStringList{"0"}
                                         << "    <Limit GET>\n        Order deny,allow\n    </Limit>\n" << "";
}

void TestAccessDialogs::sectionEdit()
{
    QFETCH(QString, kind);
    QFETCH(QString, text);
    QFETCH(QString, action);
    QFETCH(QStringList, args);
    QFETCH(QString, from);
    QFETCH(QString, to);
    QVERIFY(text.contains(from));

    ModalDriver driver;
    driver.otherDialog = [&args](QWidget* dialog) {
        toggleOperations(dialog, args);
        okButton(dialog)->click();
    };
    const auto edit = [&](auto& dialog) {
        dialog.setSection(parsed(text).children().first().toVariant());
        auto* limits = dialog.template findChild<AddEditDelTreeWidget*>(QString(), Qt::FindDirectChildrenOnly);
        if (action == QLatin1String("addLimit"))
            dialog.addLimitItem();
        else if (action == QLatin1String("editLimit"))
            dialog.editLimitItem(limits->topLevelItem(args.first().toInt()));
        else if (action == QLatin1String("deleteLimit"))
            delete limits->topLevelItem(args.first().toInt());
        else if (action == QLatin1String("name"))
            dialog.template findChild<QLineEdit*>()->setText(args.first());
        else if (action == QLatin1String("path"))
            selectData(dialog.template findChild<QComboBox*>(QString(), Qt::FindDirectChildrenOnly), args.first());
        else
            selectData(dialog.template findChild<QComboBox*>(action), args.first());
        return written(dialog.section());
    };
    QString result;
    if (kind == QLatin1String("Location")) {
        LocationDialog dialog;
        result = edit(dialog);
    } else {
        PolicyDialog dialog;
        result = edit(dialog);
    }
    QCOMPARE(result, QString(text).replace(from, to));
}

void TestAccessDialogs::typedValues_data()
{
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("acceptable");
    QTest::newRow("policyName") << "Policy" << "web" << "web" << true;
    QTest::newRow("policyBlankAndHash") << "Policy" << "my policy#1" << "mypolicy1" << true;
    QTest::newRow("policyOnlyBlanks") << "Policy" << "  " << "" << false;
    QTest::newRow("ruleAddress") << "ACL" << "10.0.0.0/8" << "10.0.0.0/8" << true;
    QTest::newRow("ruleBlankAndHash") << "ACL" << "@LOCAL #x" << "@LOCALx" << true;
}

void TestAccessDialogs::typedValues()
{
    QFETCH(QString, dialog);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    QFETCH(bool, acceptable);
    const std::unique_ptr<QDialog> window = makeDialog(dialog);
    auto* edit = window->findChild<QLineEdit*>();
    QTest::keyClicks(edit, typed);
    QCOMPARE(edit->text(), expected);
    QCOMPARE(okButton(window.get())->isEnabled(), acceptable);
}

void TestAccessDialogs::requireNames_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("lowerCase");
    QTest::newRow("user") << "user" << true << false;
    QTest::newRow("group") << "group" << true << true;
    QTest::newRow("validUser") << "valid-user" << false << false;
}

void TestAccessDialogs::requireNames()
{
    QFETCH(QString, type);
    QFETCH(bool, enabled);
    QFETCH(bool, lowerCase);
    AclRequireDialog dialog;
    dialog.setType(QStringLiteral("valid-user"));
    dialog.setType(type);
    const auto* names = dialog.findChildren<QComboBox*>().at(1);
    QCOMPARE(names->isEnabled(), enabled);
    QStringList shown;
    for (int i = 0; i < names->count(); ++i)
        shown << names->itemText(i);
    if (!enabled) {
        QVERIFY(shown.isEmpty());
        return;
    }
    QVERIFY(shown.contains(QStringLiteral("root")));
    QCOMPARE(shown.mid(shown.size() - 2), (QStringList{"@SYSTEM", "@OWNER"}));
    if (lowerCase) {
        for (const QString& name : shown.mid(0, shown.size() - 2))
            QCOMPARE(name, name.toLower());
    }
}

void TestAccessDialogs::requireKeepsUnknown()
{
    AclRequireDialog dialog;
    dialog.setName(QStringLiteral("directory-only-user"));
    QCOMPARE(dialog.name(), QStringLiteral("directory-only-user"));
    dialog.setName(QString());
    QCOMPARE(dialog.name(), QString());
    dialog.setType(QStringLiteral("User"));
    QCOMPARE(dialog.type(), QStringLiteral("User"));
}

void TestAccessDialogs::dialogSizes_data()
{
    QTest::addColumn<QString>("dialog");
    for (const char* dialog : {"Location", "Policy", "Limit", "ACL", "Require"})
        QTest::newRow(dialog) << dialog;
}

void TestAccessDialogs::dialogSizes()
{
    QFETCH(QString, dialog);
    const QString widthKey = QStringLiteral("Dialog/%1/Width").arg(dialog);
    const QString heightKey = QStringLiteral("Dialog/%1/Height").arg(dialog);
    QSettings settings;
    settings.remove(QStringLiteral("Dialog/") + dialog);
    const QSize initial = makeDialog(dialog)->size();

    settings.remove(heightKey);
    settings.setValue(widthKey, 901);
    QCOMPARE(makeDialog(dialog)->size(), initial);

    settings.setValue(widthKey, 901);
    settings.setValue(heightKey, 703);
    {
        const std::unique_ptr<QDialog> window = makeDialog(dialog);
        QCOMPARE(window->size(), QSize(901, 703));
        window->resize(911, 713);
    }
    QCOMPARE(settings.value(widthKey).toInt(), 911);
    QCOMPARE(settings.value(heightKey).toInt(), 713);
}

QTEST_MAIN(TestAccessDialogs)
#include "tst_accessdialogs.moc"
