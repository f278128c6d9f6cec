#include "BackendTree.h"
#include "ModalDriver.h"
#include "ScanNetwork.h"
#include "SelectBackendPage.h"
#include "TestScripts.h"
#include "WizardFields.h"

#include <QComboBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QWizard>
#include <QtTest>

namespace {

// Stands in for the information page, which owns the "deviceURI" field.
class FieldPage : public QWizardPage
{
public:
    FieldPage()
    {
        auto* edit = new QLineEdit(this);
        registerField(WizardField::deviceUri, edit);
    }
};

struct Wizard
{
    Wizard()
    {
        wizard.setPage(WizardPage::InfoDriver, new FieldPage);
        wizard.setPage(WizardPage::SelectBackend, page);
        tree = page->findChild<BackendTree*>(QStringLiteral("backendTree"));
        uriEdit = page->findChild<QLineEdit*>(QStringLiteral("m_uriEdit"));
        scanButton = page->findChild<QPushButton*>(QStringLiteral("scanButton"));
    }

    QTreeWidgetItem* item(const QString& text) const
    {
        const QList<QTreeWidgetItem*> found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        return found.value(0);
    }

    // Enters the page (the tree is built then) and makes entry current.
    void enter(const QString& entry = QString())
    {
        wizard.setStartId(WizardPage::SelectBackend);
        wizard.restart();
        if (!entry.isEmpty())
            choose(entry);
    }

    void choose(const QString& text)
    {
        QTreeWidgetItem* entry = item(text);
        tree->setCurrentItem(entry);
        entry->setSelected(true);
    }

    QWizard wizard;
    SelectBackendPage* page = new SelectBackendPage;
    BackendTree* tree;
    QLineEdit* uriEdit;
    QPushButton* scanButton;
};

struct LpdAnswers
{
    QStringList ports;
    QString promptTitle;
};

// Accepts the scan dialog with 127.0.0.1:port and answers the queue prompt;
// answers records what the dialogs offered.
void answerLpdDialogs(ModalDriver& driver, quint16 port, const QString& queue, LpdAnswers* answers)
{
    driver.otherDialog = [port, queue, answers](QWidget* dialog) {
        if (auto* scan = qobject_cast<ScanNetwork*>(dialog)) {
            answers->ports << scan->findChild<QComboBox*>(QStringLiteral("portBox"))->currentText();
            scan->findChild<QLineEdit*>(QStringLiteral("deviceAddress"))
                ->setText(QStringLiteral("127.0.0.1:%1").arg(port));
            scan->accept();
        } else if (auto* input = qobject_cast<QInputDialog*>(dialog)) {
            answers->promptTitle = input->windowTitle();
            input->setTextValue(queue);
            input->accept();
        }
    };
}

} // namespace

class TestSelectBackendPage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void treeLayout();
    void parallelPorts();
    void typedUri_data();
    void typedUri();
    void appSocketScan_data();
    void appSocketScan();
    void lpdProbe_data();
    void lpdProbe();
    void cleanupTestCase();

private:
    QTemporaryDir m_dir;
};

void TestSelectBackendPage::initTestCase()
{
    QVERIFY(m_dir.isValid());
    for (const char* entry : {"lp0", "lp1", "usb-odd"})
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("class/") + entry));
    // Names lp0 and lp1 (in reverse), nothing for the third entry.
    QVERIFY(writeScript(m_dir.filePath(QStringLiteral("udevadm")),
                        "echo \"$@\" >> " + m_dir.filePath(QStringLiteral("udevadm.log")).toLocal8Bit() + "\n"
                        "case \"$3\" in *lp0) echo ' lp1 ' ;; *lp1) printf 'lp0\\nextra\\n' ;; esac\n"));
}

void TestSelectBackendPage::treeLayout()
{
    Wizard wizard;
    wizard.page->setPrinterClassDirectory(m_dir.filePath(QStringLiteral("missing")));
    wizard.enter();
    QCOMPARE(wizard.page->title(), QStringLiteral("Setup printer connection"));
    QCOMPARE(wizard.tree->topLevelItemCount(), 3);
    QCOMPARE(wizard.tree->topLevelItem(0)->text(0), QStringLiteral("Direct connection"));
    QVERIFY(wizard.tree->topLevelItem(0)->isExpanded());
    QCOMPARE(wizard.tree->topLevelItem(1)->childCount(), 4);
    QCOMPARE(wizard.item(QStringLiteral("Parallel Port's"))->childCount(), 0);

    const QList<std::tuple<QString, bool, bool>> entries = {
        {QStringLiteral("Direct connection"), false, false},
        {QStringLiteral("Custom device URI"), false, true},
        {QStringLiteral("Parallel Port's"), false, false},
        {QStringLiteral("AppSocket/JetDirect"), true, true},
        {QStringLiteral("Windows or Samba shared printer"), true, true},
    };
    for (const auto& [text, scan, editable] : entries) {
        wizard.choose(text);
        QCOMPARE(wizard.scanButton->isEnabled(), scan);
        QCOMPARE(wizard.uriEdit->isReadOnly(), !editable);
        QVERIFY(!wizard.page->isComplete());
    }
    // Entering the page again rebuilds the tree and connects nothing twice.
    wizard.wizard.restart();
    QCOMPARE(wizard.tree->topLevelItemCount(), 3);
    QSignalSpy complete(wizard.page, &QWizardPage::completeChanged);
    wizard.choose(QStringLiteral("Custom device URI"));
    QCOMPARE(complete.size(), 1);
}

void TestSelectBackendPage::parallelPorts()
{
    Wizard wizard;
    wizard.page->setPrinterClassDirectory(m_dir.filePath(QStringLiteral("class")));
    wizard.page->setUdevadmProgram(m_dir.filePath(QStringLiteral("udevadm")));
    wizard.enter();

    QFile log(m_dir.filePath(QStringLiteral("udevadm.log")));
    QVERIFY(log.open(QIODevice::ReadOnly));
    QCOMPARE(log.readLine().trimmed(),
             "info --query=name --path=" + m_dir.filePath(QStringLiteral("class/lp0")).toLocal8Bit());

    QTreeWidgetItem* parallel = wizard.item(QStringLiteral("Parallel Port's"));
    QCOMPARE(parallel->childCount(), 2);
    QCOMPARE(parallel->child(0)->text(0), QStringLiteral("Parallel Port#1"));
    QCOMPARE(parallel->child(0)->text(1), QStringLiteral("parallel:/dev/lp1"));
    QCOMPARE(parallel->child(1)->text(1), QStringLiteral("parallel:/dev/lp0"));

    wizard.choose(QStringLiteral("Parallel Port#2"));
    QVERIFY(wizard.page->isComplete());
    QVERIFY(wizard.page->validatePage());
    QCOMPARE(wizard.wizard.field(WizardField::deviceUri).toString(), QStringLiteral("parallel:/dev/lp0"));
}

void TestSelectBackendPage::typedUri_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("complete");
    QTest::addColumn<QString>("field");

    QTest::newRow("customSocket") << "Custom device URI" << "socket://10.0.0.5:9100" << true
                                  << "socket://10.0.0.5:9100";
    QTest::newRow("customEmpty") << "Custom device URI" << "" << false << "";
    QTest::newRow("customInvalid") << "Custom device URI" << "socket://bad host:9100" << false << "";
    // A network entry gets its URI from a scan only.
    QTest::newRow("networkTyped") << "AppSocket/JetDirect" << "socket://10.0.0.5:9100" << false
                                  << "socket://10.0.0.5:9100";
}

void TestSelectBackendPage::typedUri()
{
    QFETCH(QString, entry);
    QFETCH(QString, typed);
    Wizard wizard;
    wizard.enter(entry);
    wizard.uriEdit->setText(typed);
    emit wizard.uriEdit->textEdited(typed);
    QTEST(wizard.page->isComplete(), "complete");
    QTEST(wizard.wizard.field(WizardField::deviceUri).toString(), "field");
}

void TestSelectBackendPage::appSocketScan_data()
{
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("uri");
    QTest::newRow("accepted") << true << "socket://127.0.0.1:9100";
    QTest::newRow("cancelled") << false << "";
}

void TestSelectBackendPage::appSocketScan()
{
    QFETCH(bool, accept);
    Wizard wizard;
    wizard.enter(QStringLiteral("AppSocket/JetDirect"));

    ModalDriver driver;
    QStringList ports;
    driver.otherDialog = [&](QWidget* dialog) {
        auto* scan = qobject_cast<ScanNetwork*>(dialog);
        QVERIFY(scan);
        auto* portBox = scan->findChild<QComboBox*>(QStringLiteral("portBox"));
        for (int i = 0; i < portBox->count(); ++i)
            ports << portBox->itemText(i);
        scan->findChild<QLineEdit*>(QStringLiteral("deviceAddress"))->setText(QStringLiteral("127.0.0.1:9100"));
        accept ? scan->accept() : scan->reject();
    };
    emit wizard.tree->itemDoubleClicked(wizard.tree->currentItem(), 0);
    QCOMPARE(ports, (QStringList{"9100", "80", "631"}));
    QTEST(wizard.tree->currentItem()->text(1), "uri");
    QTEST(wizard.uriEdit->text(), "uri");
    QCOMPARE(wizard.page->isComplete(), accept);
}

void TestSelectBackendPage::lpdProbe_data()
{
    QTest::addColumn<bool>("listening");
    QTest::newRow("answering") << true;
    QTest::newRow("refused") << false;
}

void TestSelectBackendPage::lpdProbe()
{
    QFETCH(bool, listening);
    QTcpServer lpd;
    QVERIFY(lpd.listen(QHostAddress::LocalHost));
    const quint16 port = lpd.serverPort();
    if (!listening)
        lpd.close();
    Wizard wizard;
    wizard.enter(QStringLiteral("Line Printer Daemon(UNIX)"));

    ModalDriver driver;
    LpdAnswers answers;
    answerLpdDialogs(driver, port, QStringLiteral("Raw_Queue"), &answers);
    wizard.scanButton->click();
    QCOMPARE(answers.ports, QStringList{"515"});
    QCOMPARE(answers.promptTitle, QStringLiteral("Enter Queue Name"));
    const QString uri = listening ? QStringLiteral("lpd://127.0.0.1:%1/Raw_Queue").arg(port) : QString();
    QCOMPARE(wizard.tree->currentItem()->text(1), uri);
    QCOMPARE(wizard.page->isComplete(), listening);
    if (!listening) {
        QCOMPARE(driver.messages.size(), 1);
        QVERIFY(driver.messages.constFirst().startsWith(QStringLiteral("Failed to connect server.\n")));
        return;
    }
    QCOMPARE(wizard.wizard.field(WizardField::deviceUri).toString(), uri);
    QTRY_VERIFY(lpd.hasPendingConnections());
    QTcpSocket* connection = lpd.nextPendingConnection();
    QTRY_COMPARE(connection->bytesAvailable(), qint64(11));
    QCOMPARE(connection->readAll(), QByteArray("\x03Raw_Queue\n"));
}

void TestSelectBackendPage::cleanupTestCase()
{
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

QTEST_MAIN(TestSelectBackendPage)
#include "tst_selectbackendpage.moc"
