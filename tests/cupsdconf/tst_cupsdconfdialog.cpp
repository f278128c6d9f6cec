#include "ConfigNode.h"
#include "CupsdConfDialog.h"
#include "SchedulerCheck.h"
#include "PolicyDialog.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QGroupBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include <functional>

#include <grp.h>
#include <unistd.h>

using Edit = std::function<void(QWidget*)>;
Q_DECLARE_METATYPE(Edit)

namespace {

QString written(const QByteArray& input, const Edit& edit = {})
{
    CupsdConfDialog dialog;
    dialog.setConfig(Cups::ConfigNode(input));
    if (edit)
        edit(&dialog);
    return QString::fromUtf8(dialog.config().toText());
}

template <typename T>
T* child(QWidget* dialog, const char* name)
{
    T* widget = dialog->findChild<T*>(QLatin1String(name));
    if (!widget)
        qFatal("no widget %s", name);
    return widget;
}

void selectKeyword(QWidget* dialog, const char* combo, const QString& keyword)
{
    auto* box = child<QComboBox>(dialog, combo);
    box->setCurrentIndex(box->findData(keyword));
}

QStringList itemTexts(QTreeWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QStringList columns;
        for (int c = 0; c < list->columnCount(); ++c)
            columns << list->topLevelItem(i)->text(c);
        texts << columns.join(QLatin1Char('|'));
    }
    return texts;
}

QString checkedTexts(QTreeWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        if (list->topLevelItem(i)->checkState(0) == Qt::Checked)
            texts << list->topLevelItem(i)->text(0);
    }
    return texts.join(QLatin1Char(' '));
}

QTreeWidgetItem* findItem(QTreeWidget* list, const QString& text)
{
    const QList<QTreeWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.first();
}

// Runs with the next modal dialog, from inside its event loop.
void onNextModal(const std::function<void(QWidget*)>& handle)
{
    QTimer::singleShot(0, [handle] {
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        handle(modal);
    });
}

void pressOk(QWidget* modal)
{
    modal->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}

// A line as the scheduler understands it: names in any letter case, booleans
// in any spelling, Port as a Listen on every address, rules with or without
// the word from.
QString meaning(const Cups::ConfigNode& node)
{
    QString name = node.name().toLower();
    QString value = node.value().simplified();
    static const QStringList yes = {QStringLiteral("yes"), QStringLiteral("on"), QStringLiteral("true")};
    static const QStringList no = {QStringLiteral("no"), QStringLiteral("off"), QStringLiteral("false")};
    if (yes.contains(value.toLower()))
        value = QStringLiteral("yes");
    else if (no.contains(value.toLower()))
        value = QStringLiteral("no");
    if (name == QLatin1String("port") || name == QLatin1String("sslport")) {
        name = name == QLatin1String("port") ? QStringLiteral("listen") : QStringLiteral("ssllisten");
        value.prepend(QStringLiteral("*:"));
    }
    if (name.startsWith(QLatin1String("browseallow")) || name.startsWith(QLatin1String("browsedeny"))) {
        const QString rule = (name.section(QLatin1Char(' '), 1) + QLatin1Char(' ') + value).simplified();
        name = name.section(QLatin1Char(' '), 0, 0);
        value = rule.startsWith(QLatin1String("from ")) ? rule.mid(5) : rule;
    }
    return name + QLatin1Char(' ') + value;
}

// Every directive, section line and comment of a tree, each section's lines
// prefixed by its own.
QStringList lines(const Cups::ConfigNode& node, const QString& prefix = QString())
{
    QStringList result;
    for (const Cups::ConfigNode& child : node.children()) {
        if (!child.comment().isEmpty())
            result << child.comment();
        if (child.name().isEmpty())
            continue;
        const QString line = prefix + meaning(child);
        result << line;
        result << lines(child, line + QLatin1String(" / "));
    }
    return result;
}

} // namespace

class TestCupsdConfDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void nothingUnreadIsAdded();
    void writtenBack_data();
    void writtenBack();
    void userChanges_data();
    void userChanges();
    void fieldsShowTheFile_data();
    void fieldsShowTheFile();
    void listenItems_data();
    void listenItems();
    void deletedPolicy_data();
    void deletedPolicy();
    void duplicateSections_data();
    void duplicateSections();
    void editedPolicy_data();
    void editedPolicy();
    void helpTexts();
    void realConfigurations_data();
    void realConfigurations();
    void oneFieldOneLine_data();
    void oneFieldOneLine();
    void schedulerRules_data();
    void schedulerRules();

private:
    SchedulerCheck m_scheduler;
};

void TestCupsdConfDialog::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestCupsdConfDialog::cleanup()
{
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TestCupsdConfDialog::nothingUnreadIsAdded()
{
    CupsdConfDialog dialog;
    QCOMPARE(dialog.config().toText(), QByteArray());
    dialog.setConfig(Cups::ConfigNode(QByteArray("LogLevel warn\n")));
    // The certificate field starts with a path, but the file never named one.
    QCOMPARE(dialog.config().toText(), QByteArray("LogLevel warn\n"));
}

// A file nobody changed comes back byte for byte; a null output stands for the input.
void TestCupsdConfDialog::writtenBack_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("output");

    QTest::newRow("port and ssl port") << QByteArray("Port 631\nSSLPort 443\n")
                                       << QString();
    QTest::newRow("size with unit") << QByteArray("MaxLogSize 2m\n") << QStringLiteral("MaxLogSize 2m\n");
    QTest::newRow("size zero") << QByteArray("MaxLogSize 0\n") << QStringLiteral("MaxLogSize 0\n");
    QTest::newRow("unit in capitals") << QByteArray("MaxLogSize 2M\n") << QStringLiteral("MaxLogSize 2M\n");
    QTest::newRow("browsing yes") << QByteArray("Browsing Yes\n") << QString();
    QTest::newRow("browsing true") << QByteArray("browsing TRUE\n") << QString();
    QTest::newRow("keep alive off") << QByteArray("KeepAlive off\n") << QString();
    QTest::newRow("keyword in lower case")
        << QByteArray("HostNameLookups on\n") << QStringLiteral("HostNameLookups on\n");
    QTest::newRow("keyword not offered")
        << QByteArray("DefaultAuthType Default\n") << QStringLiteral("DefaultAuthType Default\n");
    QTest::newRow("history in seconds")
        << QByteArray("PreserveJobHistory 86400\n") << QStringLiteral("PreserveJobHistory 86400\n");
    QTest::newRow("time with unit") << QByteArray("Timeout 5m\n") << QStringLiteral("Timeout 5m\n");
    QTest::newRow("number beyond the field")
        << QByteArray("MaxJobs 9999999999\n") << QStringLiteral("MaxJobs 9999999999\n");
    QTest::newRow("permissions with zeros")
        << QByteArray("ConfigFilePerm 0640\nLogFilePerm 0600\n")
        << QStringLiteral("ConfigFilePerm 0640\nLogFilePerm 0600\n");
    QTest::newRow("group unknown here") << QByteArray("SystemGroup root nosuchgroup\n")
                                        << QStringLiteral("SystemGroup root nosuchgroup\n");
    QTest::newRow("value of several words")
        << QByteArray("SetEnv PATH /a b\n") << QStringLiteral("SetEnv PATH /a b\n");
    QTest::newRow("set env without value") << QByteArray("SetEnv X\n") << QStringLiteral("SetEnv X\n");
    QTest::newRow("directive without field")
        << QByteArray("GSSServiceName http\n") << QStringLiteral("GSSServiceName http\n");
    QTest::newRow("name in lower case") << QByteArray("loglevel debug\n") << QString();
    QTest::newRow("last occurrence wins")
        << QByteArray("LogLevel warn\nLogLevel debug\n") << QString();
    QTest::newRow("font path") << QByteArray("FontPath /a: /b :\n") << QStringLiteral("FontPath /a: /b :\n");
    QTest::newRow("default policy of no policy")
        << QByteArray("DefaultPolicy nosuch\n") << QStringLiteral("DefaultPolicy nosuch\n");
    QTest::newRow("rules with and without from")
        << QByteArray("Browsing On\nBrowseAllow all\nBrowseDeny from 10.0.0.1\n")
        << QString();
    QTest::newRow("browse lines while browsing is off")
        << QByteArray("Browsing Off\nBrowseLocalProtocols dnssd\nBrowsePoll host\n")
        << QString();
    QTest::newRow("trailing comments stay")
        << QByteArray("Listen localhost:631 # local\nLogLevel warn # quiet\n")
        << QStringLiteral("Listen localhost:631 # local\nLogLevel warn # quiet\n");
    QTest::newRow("what no field takes keeps its place")
        << QByteArray("# head\n\n\nWebInterface Yes # web\nLogLevel warn\n# tail\n\n")
        << QString();
    QTest::newRow("sections keep their place")
        << QByteArray("LogLevel warn\n<Location /x> # odd\n  # inside\n  Order allow,deny\n</Location>\n")
        << QString();
    QTest::newRow("cyrillic") << QByteArray("ServerAdmin админ@пример.рф # Админ\n")
                              << QStringLiteral("ServerAdmin админ@пример.рф # Админ\n");
}

void TestCupsdConfDialog::writtenBack()
{
    QFETCH(QByteArray, input);
    QFETCH(QString, output);
    QCOMPARE(written(input), output.isNull() ? QString::fromUtf8(input) : output);
}

void TestCupsdConfDialog::userChanges_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<QString>("output");

    QTest::newRow("choice") << QByteArray("HostNameLookups On\n")
                            << Edit([](QWidget* d) { selectKeyword(d, "cbHostNameLookups", QStringLiteral("Double")); })
                            << QStringLiteral("HostNameLookups Double\n");
    QTest::newRow("field the file lacked")
        << QByteArray()
        << Edit([](QWidget* d) { child<QLineEdit>(d, "eServerName")->setText(QStringLiteral("print")); })
        << QStringLiteral("ServerName print\n");
    QTest::newRow("changed and changed back") << QByteArray() << Edit([](QWidget* d) {
        child<QCheckBox>(d, "chbKeepAlive")->toggle();
        child<QCheckBox>(d, "chbKeepAlive")->toggle();
    }) << QString();
    QTest::newRow("no system group checked") << QByteArray("SystemGroup root\n") << Edit([](QWidget* d) {
        findItem(child<QTreeWidget>(d, "twSystemGroup"), QStringLiteral("root"))->setCheckState(0, Qt::Unchecked);
    }) << QString();
    QTest::newRow("empty classification")
        << QByteArray("Classification secret\n")
        << Edit([](QWidget* d) { child<QComboBox>(d, "cbClassification")->setCurrentIndex(0); }) << QString();
    QTest::newRow("browse field while browsing is off")
        << QByteArray() << Edit([](QWidget* d) { child<QSpinBox>(d, "sbBrowsePort")->setValue(632); }) << QString();
    QTest::newRow("browse field while browsing is on") << QByteArray() << Edit([](QWidget* d) {
        child<QCheckBox>(d, "cbBrowsing")->setChecked(true);
        child<QSpinBox>(d, "sbBrowsePort")->setValue(632);
    }) << QStringLiteral("Browsing On\nBrowsePort 632\n");
    QTest::newRow("permissions typed") << QByteArray("ConfigFilePerm 0640\n") << Edit([](QWidget* d) {
        auto* edit = child<QLineEdit>(d, "eConfigFilePerm");
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("0600"));
    }) << QStringLiteral("ConfigFilePerm 0600\n");
    QTest::newRow("seconds replaced by a choice")
        << QByteArray("PreserveJobHistory 86400\n")
        << Edit([](QWidget* d) { child<QCheckBox>(d, "chbPreserveJobHistory")->setChecked(false); })
        << QStringLiteral("PreserveJobHistory No\n");
    QTest::newRow("second of two lines edited")
        << QByteArray("LogLevel warn # old\nMaxJobs 10\n  LogLevel info # used\n")
        << Edit([](QWidget* d) { selectKeyword(d, "cbLogLevel", QStringLiteral("debug")); })
        << QStringLiteral("LogLevel warn # old\nMaxJobs 10\n  LogLevel debug # used\n");
    QTest::newRow("removed field takes its line only")
        << QByteArray("# who\nServerAdmin root@example.com\n\nLogLevel warn\n")
        << Edit([](QWidget* d) { child<QLineEdit>(d, "eServerAdmin")->clear(); })
        << QStringLiteral("# who\n\nLogLevel warn\n");
    QTest::newRow("new listen joins its kind")
        << QByteArray("Port 631\nListen /run/cups/cups.sock\n\nLogLevel warn\n")
        << Edit([](QWidget* d) { new QTreeWidgetItem(child<QTreeWidget>(d, "twListen"), {"[::1]:631", QObject::tr("no")}); })
        << QStringLiteral("Port 631\nListen /run/cups/cups.sock\nListen [::1]:631\n\nLogLevel warn\n");
    QTest::newRow("removed list line")
        << QByteArray("Listen a:1\n# b\nListen b:1\nLogLevel warn\n")
        << Edit([](QWidget* d) { delete child<QTreeWidget>(d, "twListen")->topLevelItem(1); })
        << QStringLiteral("Listen a:1\n# b\nLogLevel warn\n");
    QTest::newRow("unit") << QByteArray("MaxLogSize 2m\n")
                          << Edit([](QWidget* d) { selectKeyword(d, "cbMaxLogSize", QStringLiteral("k")); })
                          << QStringLiteral("MaxLogSize 2k\n");
    QTest::newRow("no protocol left")
        << QByteArray("Browsing On\nBrowseLocalProtocols dnssd\n")
        << Edit([](QWidget* d) { child<QCheckBox>(d, "chbBrowseLocalProtocols_dnssd")->setChecked(false); })
        << QStringLiteral("Browsing On\nBrowseLocalProtocols\n");
    QTest::newRow("file spelt the name in lower case")
        << QByteArray("loglevel warn # quiet\n")
        << Edit([](QWidget* d) { selectKeyword(d, "cbLogLevel", QStringLiteral("debug")); })
        << QStringLiteral("loglevel debug # quiet\n");
    QTest::newRow("font path") << QByteArray() << Edit([](QWidget* d) {
        new QTreeWidgetItem(child<QTreeWidget>(d, "twFontPath"), {QStringLiteral("/opt/fonts")});
    }) << QStringLiteral("FontPath /usr/share/cups/fonts:/opt/fonts\n");
}

void TestCupsdConfDialog::userChanges()
{
    QFETCH(QByteArray, input);
    QFETCH(Edit, edit);
    QFETCH(QString, output);
    QCOMPARE(written(input, edit), output);
}

void TestCupsdConfDialog::fieldsShowTheFile_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QVariant>("shown");

    QTest::newRow("listen items") << QByteArray("Port 631\nSSLPort 443\n") << QStringLiteral("twListen")
                                  << QVariant(QStringList{QStringLiteral("*:631|no"), QStringLiteral("*:443|yes")});
    QTest::newRow("size number") << QByteArray("MaxLogSize 2m\n") << QStringLiteral("sbMaxLogSize") << QVariant(2);
    QTest::newRow("size unit") << QByteArray("MaxLogSize 2m\n") << QStringLiteral("cbMaxLogSize")
                               << QVariant(QStringLiteral("Megabytes"));
    QTest::newRow("bare size unit") << QByteArray("MaxLogSize 0\n") << QStringLiteral("cbMaxLogSize")
                                    << QVariant(QStringLiteral("Bytes"));
    QTest::newRow("choice") << QByteArray("HostNameLookups On\n") << QStringLiteral("cbHostNameLookups")
                            << QVariant(QStringLiteral("On"));
    QTest::newRow("browsing") << QByteArray("Browsing Yes\n") << QStringLiteral("tabWidget_4") << QVariant(true);
    QTest::newRow("browsing enabled") << QByteArray("Browsing enabled\n") << QStringLiteral("tabWidget_4")
                                      << QVariant(true);
    QTest::newRow("browsing as a number") << QByteArray("Browsing 2\n") << QStringLiteral("tabWidget_4")
                                          << QVariant(true);
    QTest::newRow("browsing zero") << QByteArray("Browsing 0\n") << QStringLiteral("tabWidget_4") << QVariant(false);
    QTest::newRow("browsing disabled") << QByteArray("Browsing disabled\n") << QStringLiteral("tabWidget_4")
                                       << QVariant(false);
    QTest::newRow("no font path") << QByteArray() << QStringLiteral("twFontPath")
                                  << QVariant(QStringList{QStringLiteral("/usr/share/cups/fonts")});
    QTest::newRow("font path") << QByteArray("FontPath /a: /b :\n") << QStringLiteral("twFontPath")
                               << QVariant(QStringList{QStringLiteral("/a"), QStringLiteral("/b")});
    QTest::newRow("gss service name ignored") << QByteArray("GSSServiceName HTTP\n")
                                              << QStringLiteral("cbGSSServiceName") << QVariant(QStringLiteral("IPP"));
    QTest::newRow("set env") << QByteArray("SetEnv PATH\t/a b\n") << QStringLiteral("twSetEnv")
                             << QVariant(QStringList{QStringLiteral("PATH|/a b")});
    QTest::newRow("system groups") << QByteArray("SystemGroup\troot\tnosuchgroup\n") << QStringLiteral("twSystemGroup")
                                   << QVariant(QStringLiteral("root nosuchgroup"));
    QTest::newRow("relay") << QByteArray("BrowseRelay  a \t b\n") << QStringLiteral("twBrowseRelay")
                           << QVariant(QStringList{QStringLiteral("a|b")});
    QTest::newRow("default policy") << QByteArray("DefaultPolicy b\n<Policy a>\n</Policy>\n<Policy b>\n</Policy>\n")
                                    << QStringLiteral("cbDefaultPolicy") << QVariant(QStringLiteral("b"));
}

void TestCupsdConfDialog::fieldsShowTheFile()
{
    QFETCH(QByteArray, input);
    QFETCH(QString, widget);
    QFETCH(QVariant, shown);

    CupsdConfDialog dialog;
    dialog.setConfig(Cups::ConfigNode(input));
    QWidget* field = dialog.findChild<QWidget*>(widget);
    QVERIFY(field);
    if (auto* list = qobject_cast<QTreeWidget*>(field); list && shown.type() == QVariant::String)
        QCOMPARE(checkedTexts(list), shown.toString());
    else if (list)
        QCOMPARE(itemTexts(list), shown.toStringList());
    else if (auto* spin = qobject_cast<QSpinBox*>(field))
        QCOMPARE(spin->value(), shown.toInt());
    else if (auto* combo = qobject_cast<QComboBox*>(field))
        QCOMPARE(combo->currentText(), shown.toString());
    else
        QCOMPARE(field->isEnabled(), shown.toBool());
}

void TestCupsdConfDialog::listenItems_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("output");

    QTest::newRow("host and port") << QByteArray("Listen localhost:631\n") << QStringLiteral("Listen localhost:631\n");
    QTest::newRow("ipv6 without port") << QByteArray("Listen [::1]\n") << QStringLiteral("Listen [::1]\n");
    QTest::newRow("ipv6 with port") << QByteArray("SSLListen [::1]:443\n") << QStringLiteral("SSLListen [::1]:443\n");
    QTest::newRow("socket") << QByteArray("Listen /run/cups/cups.sock\n")
                            << QStringLiteral("Listen /run/cups/cups.sock\n");
    QTest::newRow("every address") << QByteArray("Port 631\n") << QStringLiteral("Port 631\n");
}

// Editing an item and accepting without a change gives the item back as it was.
void TestCupsdConfDialog::listenItems()
{
    QFETCH(QByteArray, input);
    QFETCH(QString, output);

    CupsdConfDialog dialog;
    dialog.setConfig(Cups::ConfigNode(input));
    auto* list = child<QTreeWidget>(&dialog, "twListen");
    QCOMPARE(list->topLevelItemCount(), 1);
    onNextModal(pressOk);
    QMetaObject::invokeMethod(list, "editItemRequested", Q_ARG(QTreeWidgetItem*, list->topLevelItem(0)));
    QCOMPARE(QString::fromUtf8(dialog.config().toText()), output);
}

void TestCupsdConfDialog::deletedPolicy_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("deleted");
    // What the user answers: nothing asked (empty), "cancel", a policy, or "refused" for a message.
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("output");

    const QByteArray two("<Policy a>\n</Policy>\n<Policy b>\n</Policy>\nDefaultPolicy b\n");
    QTest::newRow("other policy") << two << "a" << "" << "<Policy b>\n</Policy>\nDefaultPolicy b\n";
    QTest::newRow("default, successor chosen") << two << "b" << "a" << "<Policy a>\n</Policy>\nDefaultPolicy a\n";
    QTest::newRow("default, question cancelled") << two << "b" << "cancel" << QString::fromUtf8(two);
    QTest::newRow("the only policy") << QByteArray("<Policy a>\n</Policy>\nDefaultPolicy a\n") << "a" << "refused"
                                     << "<Policy a>\n</Policy>\nDefaultPolicy a\n";
    const QByteArray implicit("<Policy a>\n</Policy>\n<Policy default>\n</Policy>\n");
    QTest::newRow("implicit default") << implicit << "default" << "a" << "<Policy a>\n</Policy>\nDefaultPolicy a\n";
    QTest::newRow("not the implicit default") << implicit << "a" << "" << "<Policy default>\n</Policy>\n";
}

// The default policy decides who may do what: deleting it asks for its
// successor and never writes one the user did not choose.
void TestCupsdConfDialog::deletedPolicy()
{
    QFETCH(QByteArray, input);
    QFETCH(QString, deleted);
    QFETCH(QString, answer);
    QFETCH(QString, output);

    CupsdConfDialog dialog;
    dialog.setConfig(Cups::ConfigNode(input));
    auto* list = child<QTreeWidget>(&dialog, "twPolicy");
    list->setCurrentItem(findItem(list, deleted));
    const QList<QAction*> actions = list->actions();
    const auto remove = std::find_if(actions.begin(), actions.end(), [](QAction* action) {
        return action->shortcut() == QKeySequence(Qt::Key_Delete);
    });
    QVERIFY(remove != actions.end());
    QString asked;
    if (!answer.isEmpty()) {
        onNextModal([&](QWidget* modal) {
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                asked = QStringLiteral("refused");
                box->close();
            } else if (auto* question = qobject_cast<QInputDialog*>(modal)) {
                asked = QStringLiteral("question");
                if (answer == QLatin1String("cancel")) {
                    question->reject();
                } else {
                    question->setTextValue(answer);
                    question->accept();
                }
            }
        });
    }
    (*remove)->trigger();

    QCOMPARE(asked, answer.isEmpty() ? QString() : answer == QLatin1String("refused") ? answer : QStringLiteral("question"));
    QCOMPARE(QString::fromUtf8(dialog.config().toText()), output);
    QCOMPARE(child<QComboBox>(&dialog, "cbDefaultPolicy")->count(), list->topLevelItemCount());
}

void TestCupsdConfDialog::duplicateSections_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("message");

    QTest::newRow("policy") << QStringLiteral("twPolicy") << QStringLiteral("Policy already exists");
    QTest::newRow("location") << QStringLiteral("twLocation") << QStringLiteral("Location already exists");
}

void TestCupsdConfDialog::duplicateSections()
{
    QFETCH(QString, list);
    QFETCH(QString, message);

    CupsdConfDialog dialog;
    dialog.setConfig(Cups::ConfigNode(QByteArray("<Policy default>\n</Policy>\n<Location />\n</Location>\n")));
    auto* tree = dialog.findChild<QTreeWidget*>(list);
    QString shown;
    onNextModal([&shown](QWidget* modal) {
        // A new policy needs its name; a new location starts on "/".
        if (qobject_cast<PolicyDialog*>(modal))
            modal->findChild<QLineEdit*>()->setText(QStringLiteral("default"));
        onNextModal([&shown](QWidget* box) {
            shown = qobject_cast<QMessageBox*>(box)->text();
            box->close();
        });
        pressOk(modal);
    });
    QMetaObject::invokeMethod(tree, "addItemRequested");
    QCOMPARE(shown, message);
    QCOMPARE(tree->topLevelItemCount(), 1);
}

void TestCupsdConfDialog::editedPolicy_data()
{
    QTest::addColumn<QString>("edited");
    QTest::addColumn<QString>("newName");
    QTest::addColumn<QString>("defaultPolicy");

    QTest::newRow("default renamed") << QStringLiteral("b") << QStringLiteral("c") << QStringLiteral("c");
    QTest::newRow("other one edited") << QStringLiteral("a") << QStringLiteral("a") << QStringLiteral("b");
}

// A renamed default policy stays the default; editing another never makes it one.
void TestCupsdConfDialog::editedPolicy()
{
    QFETCH(QString, edited);
    QFETCH(QString, newName);
    QFETCH(QString, defaultPolicy);

    CupsdConfDialog dialog;
    dialog.setConfig(Cups::ConfigNode(QByteArray("<Policy a>\n</Policy>\n<Policy b>\n</Policy>\nDefaultPolicy b\n")));
    auto* list = child<QTreeWidget>(&dialog, "twPolicy");
    onNextModal([&newName](QWidget* modal) {
        modal->findChild<QLineEdit*>()->setText(newName);
        pressOk(modal);
    });
    QMetaObject::invokeMethod(list, "editItemRequested", Q_ARG(QTreeWidgetItem*, findItem(list, edited)));

    QCOMPARE(child<QComboBox>(&dialog, "cbDefaultPolicy")->currentText(), defaultPolicy);
    const QByteArray text = dialog.config().toText();
    QVERIFY(text.contains("<Policy " + newName.toUtf8() + ">"));
    QVERIFY(text.contains("DefaultPolicy " + defaultPolicy.toUtf8() + "\n"));
}

// Every row of a directive explains itself, so a field added to the form
// without help, or help naming a widget the form lacks, shows here.
void TestCupsdConfDialog::helpTexts()
{
    CupsdConfDialog dialog;
    QVERIFY(dialog.windowFlags().testFlag(Qt::WindowContextHelpButtonHint));
    const QStringList prefixes = {QStringLiteral("label"), QStringLiteral("e"), QStringLiteral("cb"),
                                  QStringLiteral("chb"), QStringLiteral("sb"), QStringLiteral("tw")};
    for (QWidget* widget : dialog.findChildren<QWidget*>()) {
        const QString name = widget->objectName();
        if (name.isEmpty() || name == QLatin1String("tabWidget_4") || !name.at(0).isLower()
            || name.startsWith(QLatin1String("qt_")))
            continue;
        const bool field = std::any_of(prefixes.begin(), prefixes.end(), [&name](const QString& prefix) {
            return name.startsWith(prefix) && name.size() > prefix.size() && name.at(prefix.size()).isUpper();
        });
        if (!field)
            continue;
        QVERIFY2(widget->toolTip().startsWith(QLatin1String("<html>")), qPrintable(name));
        QVERIFY2(!widget->whatsThis().isEmpty() && !widget->whatsThis().contains(QLatin1Char('<')),
                 qPrintable(name));
        QVERIFY2(widget->toolTip().contains(QLatin1String("The default is")), qPrintable(name));
    }
}

void TestCupsdConfDialog::realConfigurations_data()
{
    QTest::addColumn<QString>("file");
    for (const char* name :
         {"cupsd.conf.default", "every-tab.conf", "modern.conf", "scheduler-spelling.conf", "print-server.conf"})
        QTest::newRow(name) << QStringLiteral(":/dialog-data/%1").arg(QLatin1String(name));
}

void TestCupsdConfDialog::realConfigurations()
{
    QFETCH(QString, file);
    QFile input(file);
    QVERIFY(input.open(QIODevice::ReadOnly));
    const QByteArray text = input.readAll();
    const Cups::ConfigNode read(text);

    CupsdConfDialog dialog;
    dialog.setConfig(read);
    const QByteArray result = dialog.config().toText();

    QStringList missing = lines(read);
    for (const QString& line : lines(Cups::ConfigNode(result)))
        missing.removeOne(line);
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char('\n'))));

    if (!m_scheduler.unavailableReason().isEmpty())
        QSKIP(qPrintable(m_scheduler.unavailableReason()));
    QString output;
    if (!m_scheduler.acceptsText(text, &output))
        return;
    QVERIFY2(m_scheduler.acceptsText(result, &output), qPrintable(output + QLatin1Char('\n') + QString::fromUtf8(result)));
}

void TestCupsdConfDialog::oneFieldOneLine_data()
{
    realConfigurations_data();
}

// An administrator reviews a change with diff before restarting the server.
void TestCupsdConfDialog::oneFieldOneLine()
{
    QFETCH(QString, file);
    QFile input(file);
    QVERIFY(input.open(QIODevice::ReadOnly));
    const QByteArray text = input.readAll();

    const QByteArray untouched = QByteArray(written(text, {}).toUtf8());
    QCOMPARE(untouched, text);

    const QByteArray changed = written(text, [](QWidget* d) {
        auto* level = child<QComboBox>(d, "cbLogLevel");
        selectKeyword(d, "cbLogLevel", level->currentData() == QStringLiteral("debug2") ? QStringLiteral("warn")
                                                                                       : QStringLiteral("debug2"));
    }).toUtf8();
    const QList<QByteArray> before = text.split('\n');
    const QList<QByteArray> after = changed.split('\n');
    QCOMPARE(after.size(), before.size());
    QStringList differing;
    for (int i = 0; i < before.size(); ++i) {
        if (before.at(i) != after.at(i))
            differing << QString::fromUtf8(before.at(i) + " -> " + after.at(i));
    }
    QCOMPARE(differing.size(), 1);
    QVERIFY2(differing.first().contains(QLatin1String("debug2")) || differing.first().contains(QLatin1String("warn")),
             qPrintable(differing.first()));
}

void TestCupsdConfDialog::schedulerRules_data()
{
    QTest::addColumn<QString>("version");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("widget");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QString>("note");

    const QString moved = QStringLiteral("cups-files.conf");
    const QString refused = QStringLiteral("does not start");
    QTest::newRow("moved, not in the file") << "2.4" << QByteArray() << "eAccessLog" << false << moved;
    QTest::newRow("moved, in the file") << "2.4" << QByteArray("AccessLog syslog\n") << "eAccessLog" << true << moved;
    QTest::newRow("moved, name in another case") << "2.4" << QByteArray("filedevice yes\n") << "chbFileDevice" << true
                                                 << moved;
    QTest::newRow("refused, not in the file") << "2.4" << QByteArray() << "sbKeepAliveTimeout" << false << refused;
    QTest::newRow("refused, in the file") << "2.4" << QByteArray("ListenBackLog 5\n") << "sbListenBackLog" << true
                                          << refused;
    QTest::newRow("version unknown") << "" << QByteArray() << "cbDefaultCharset" << false << refused;
    QTest::newRow("old scheduler") << "1.5" << QByteArray() << "eAccessLog" << true << "";
    QTest::newRow("old scheduler, refused") << "1.5" << QByteArray() << "cbRIPCache" << true << refused;
}

// A field whose directive the scheduler ignores or refuses cannot be changed
// into a success that does nothing or a server that does not start.
void TestCupsdConfDialog::schedulerRules()
{
    QFETCH(QString, version);
    QFETCH(QByteArray, input);
    QFETCH(QString, widget);
    QFETCH(bool, enabled);
    QFETCH(QString, note);

    CupsdConfDialog dialog;
    dialog.setSchedulerVersion(QVersionNumber::fromString(version));
    dialog.setConfig(Cups::ConfigNode(input));
    QWidget* field = dialog.findChild<QWidget*>(widget);
    QVERIFY(field);
    QCOMPARE(field->isEnabled(), enabled);
    if (note.isEmpty()) {
        QVERIFY(!field->toolTip().contains(QLatin1String("cups-files.conf")));
    } else {
        QVERIFY2(field->toolTip().contains(note) && field->whatsThis().contains(note), qPrintable(field->toolTip()));
        QVERIFY(field->toolTip().endsWith(QLatin1String("</html>")));
    }
}

QTEST_MAIN(TestCupsdConfDialog)
#include "tst_cupsdconfdialog.moc"
