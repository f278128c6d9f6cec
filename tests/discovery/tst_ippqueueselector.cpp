#include "BackendTree.h"
#include "CupsTestServer.h"
#include "IppQueueSelector.h"
#include "ModalDriver.h"
#include "ScanNetwork.h"
#include "SelectBackendPage.h"
#include "WizardFields.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTcpServer>
#include <QTreeWidget>
#include <QWizard>
#include <QtTest>

#include <cups/cups.h>

namespace {

QMap<QString, QStringList> rows(const IppQueueSelector& selector)
{
    QMap<QString, QStringList> result;
    const auto* tree = selector.findChild<QTreeWidget*>(QStringLiteral("queuesTreeWidget"));
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        result.insert(tree->topLevelItem(i)->text(0), {tree->topLevelItem(i)->text(1), tree->topLevelItem(i)->text(2)});
    return result;
}

} // namespace

class TestIppQueueSelector : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void bitTexts_data();
    void bitTexts();
    void listsTheRemoteServer();
    void unreachableServer();
    void backendPageIpp_data();
    void backendPageIpp();
    void cleanupTestCase();

private:
    CupsTestServer m_local;
    CupsTestServer m_remote;
};

void TestIppQueueSelector::initTestCase()
{
    const QString reason = CupsTestServer::unavailableReason(CupsTestServer::Mode::Open);
    if (!reason.isEmpty())
        QSKIP(qPrintable(reason));
    QVERIFY2(m_local.start(), qPrintable(m_local.errorString()));
    QVERIFY2(m_remote.start(), qPrintable(m_remote.errorString()));
    QVERIFY(m_remote.runTool(QStringLiteral("lpadmin"),
                             {QStringLiteral("-p"), QStringLiteral("remoteonly"), QStringLiteral("-E"),
                              QStringLiteral("-v"), QStringLiteral("file:///dev/null")}));
    m_local.pointClientAt();
}

void TestIppQueueSelector::bitTexts_data()
{
    QTest::addColumn<uint>("type");
    QTest::addColumn<QStringList>("types");
    QTest::addColumn<QStringList>("capabilities");

    QTest::newRow("bwColorSmall") << 0x100Cu << QStringList()
                                  << QStringList{"Can do B&W printing", "Can do color printing",
                                                 "Can do Letter/Legal/A4"};
    QTest::newRow("defaultClass") << 0x20001u << QStringList{"Printer Class", "Default"} << QStringList();
    QTest::newRow("tableOrder") << (0x40000u | 0x10000u | 0x8000u | 0x2u)
                                << QStringList{"Implicit Class", "Fax device"}
                                << QStringList{"Remote", "Can do variable sizes"};
    QTest::newRow("unknownBits") << 0x80000000u << QStringList() << QStringList();
}

void TestIppQueueSelector::bitTexts()
{
    QFETCH(uint, type);
    QTEST(IppQueueSelector::typeTexts(type), "types");
    QTEST(IppQueueSelector::capabilityTexts(type), "capabilities");
}

void TestIppQueueSelector::listsTheRemoteServer()
{
    const QByteArray before = cupsServer();
    IppQueueSelector selector(nullptr, m_remote.serverName());
    // The process's own server was never switched to the remote one.
    QCOMPARE(QByteArray(cupsServer()), before);

    const QMap<QString, QStringList> listed = rows(selector);
    QCOMPARE(listed.keys(), (QStringList{"alpha", "beta", "gamma", "remoteonly", "team"}));
    QVERIFY(listed.value(QStringLiteral("alpha")).at(0).startsWith(QStringLiteral("Default")));
    QVERIFY(!listed.value(QStringLiteral("gamma")).at(0).contains(QStringLiteral("Default")));
    QVERIFY(listed.value(QStringLiteral("team")).at(0).contains(QStringLiteral("Printer Class")));

    QCOMPARE(selector.selectedQueue(), QString());
    auto* tree = selector.findChild<QTreeWidget*>(QStringLiteral("queuesTreeWidget"));
    tree->setCurrentItem(tree->findItems(QStringLiteral("remoteonly"), Qt::MatchExactly).value(0));
    QCOMPARE(selector.selectedQueue(), QStringLiteral("remoteonly"));
}

void TestIppQueueSelector::unreachableServer()
{
    quint16 closedPort = 0;
    {
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost));
        closedPort = probe.serverPort();
    }
    IppQueueSelector selector(nullptr, QStringLiteral("127.0.0.1:%1").arg(closedPort));
    QVERIFY(rows(selector).isEmpty());
    QCOMPARE(selector.selectedQueue(), QString());
}

void TestIppQueueSelector::backendPageIpp_data()
{
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("queue");
    QTest::newRow("queueChosen") << true << "remoteonly";
    QTest::newRow("selectorCancelled") << false << "remoteonly";
    // "printers/" alone would name no queue.
    QTest::newRow("nothingChosen") << true << "";
}

void TestIppQueueSelector::backendPageIpp()
{
    QFETCH(bool, accept);
    QFETCH(QString, queue);
    const bool chosen = accept && !queue.isEmpty();
    QWizard wizard;
    auto* page = new SelectBackendPage;
    wizard.setPage(WizardPage::SelectBackend, page);
    wizard.setStartId(WizardPage::SelectBackend);
    wizard.restart();
    auto* tree = page->findChild<BackendTree*>(QStringLiteral("backendTree"));
    QTreeWidgetItem* ipp =
        tree->findItems(QStringLiteral("Internet Printing Protocol"), Qt::MatchExactly | Qt::MatchRecursive).value(0);
    tree->setCurrentItem(ipp);

    ModalDriver driver;
    QStringList ports;
    driver.otherDialog = [&](QWidget* dialog) {
        if (auto* scan = qobject_cast<ScanNetwork*>(dialog)) {
            auto* portBox = scan->findChild<QComboBox*>(QStringLiteral("portBox"));
            for (int i = 0; i < portBox->count(); ++i)
                ports << portBox->itemText(i);
            scan->findChild<QLineEdit*>(QStringLiteral("deviceAddress"))->setText(m_remote.serverName());
            scan->accept();
        } else if (auto* selector = qobject_cast<IppQueueSelector*>(dialog)) {
            auto* queues = selector->findChild<QTreeWidget*>(QStringLiteral("queuesTreeWidget"));
            queues->setCurrentItem(queue.isEmpty() ? nullptr : queues->findItems(queue, Qt::MatchExactly).value(0));
            accept ? selector->accept() : selector->reject();
        }
    };
    page->findChild<QPushButton*>(QStringLiteral("scanButton"))->click();
    QCOMPARE(ports, (QStringList{"631", "80"}));
    QCOMPARE(ipp->text(1), chosen ? QStringLiteral("ipp://%1/printers/remoteonly").arg(m_remote.serverName())
                                  : QString());
    QCOMPARE(page->isComplete(), chosen);
}

void TestIppQueueSelector::cleanupTestCase()
{
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

QTEST_MAIN(TestIppQueueSelector)
#include "tst_ippqueueselector.moc"
