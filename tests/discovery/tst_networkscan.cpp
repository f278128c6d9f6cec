#include "ModalDriver.h"
#include "NetworkScanner.h"
#include "ScanNetwork.h"
#include "SilentLoopback.h"
#include "TesselHostAddress.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QtTest>

namespace {

QHostAddress loopback(int hostByte)
{
    return QHostAddress(QStringLiteral("127.0.0.%1").arg(hostByte));
}

QStringList listed(const ScanNetwork& dialog)
{
    QStringList texts;
    const auto* list = dialog.findChild<QListWidget*>(QStringLiteral("printersListWidget"));
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

void setRange(ScanNetwork& dialog, int first, int last, quint16 port, int timeoutMs)
{
    dialog.findChild<TesselHostAddress*>(QStringLiteral("startAddress"))->setAddress(loopback(first));
    dialog.findChild<TesselHostAddress*>(QStringLiteral("endAddress"))->setAddress(loopback(last));
    dialog.setPorts({QString::number(port)});
    dialog.findChild<QSpinBox*>(QStringLiteral("waitTimeSpinBox"))->setValue(timeoutMs);
}

} // namespace

class TestNetworkScan : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void scannerWindows_data();
    void scannerWindows();
    void rangeScanFindsInAscendingOrder();
    void stopKeepsWhatWasFound();
    void emptyRange();
    void hostMode();
    void choosingAnEntry();
    void cleanupTestCase();

private:
    SilentLoopback m_network;
    const QList<int> m_answering = {3, 9, 40};
};

void TestNetworkScan::initTestCase()
{
    QVERIFY2(m_network.start(m_answering), qPrintable(m_network.errorString()));
}

void TestNetworkScan::scannerWindows_data()
{
    QTest::addColumn<int>("window");
    QTest::newRow("oneAtATime") << 1;
    QTest::newRow("three") << 3;
    QTest::newRow("wide") << NetworkScanner::defaultWindow;
}

void TestNetworkScan::scannerWindows()
{
    QFETCH(int, window);
    NetworkScanner scanner;
    scanner.setWindow(window);
    QList<QHostAddress> found;
    QList<quint64> progress;
    connect(&scanner, &NetworkScanner::found, this, [&found](const QHostAddress& address) { found << address; });
    connect(&scanner, &NetworkScanner::progress, this, [&progress](quint64 done) { progress << done; });
    QSignalSpy finished(&scanner, &NetworkScanner::finished);
    // Silent addresses among answering ones: answers come before the time-outs
    // of lower addresses, yet are reported in address order.
    scanner.startRange(loopback(1).toIPv4Address(), loopback(12).toIPv4Address(), m_network.port(), 60);
    QVERIFY(finished.wait(5000));
    QCOMPARE(found, (QList<QHostAddress>{loopback(3), loopback(9)}));
    QCOMPARE(progress.constLast(), quint64(12));
    QVERIFY(std::is_sorted(progress.cbegin(), progress.cend()));
    QVERIFY(!scanner.isRunning());
}

void TestNetworkScan::rangeScanFindsInAscendingOrder()
{
    ScanNetwork dialog;
    setRange(dialog, 1, 254, m_network.port(), 100);
    QSignalSpy finished(&dialog, &ScanNetwork::scanFinished);
    QElapsedTimer timer;
    timer.start();
    dialog.findChild<QPushButton*>(QStringLiteral("scanButton"))->click();
    QVERIFY(dialog.isScanning());
    QVERIFY(finished.wait(10000));
    const QString port = QString::number(m_network.port());
    QCOMPARE(listed(dialog), (QStringList{"127.0.0.3:" + port, "127.0.0.9:" + port, "127.0.0.40:" + port}));
    // 254 silent addresses one after another would take 25 s.
    QVERIFY2(timer.elapsed() < 3000, qPrintable(QString::number(timer.elapsed())));
    QVERIFY(dialog.findChild<QPushButton*>(QStringLiteral("scanButton"))->isEnabled());
}

void TestNetworkScan::stopKeepsWhatWasFound()
{
    ScanNetwork dialog;
    dialog.findChild<QListWidget*>(QStringLiteral("printersListWidget"))->addItem(QStringLiteral("old entry"));
    // The second answering host lies behind many slow silent addresses.
    setRange(dialog, 1, 254, m_network.port(), 5000);
    QSignalSpy finished(&dialog, &ScanNetwork::scanFinished);
    dialog.findChild<QPushButton*>(QStringLiteral("scanButton"))->click();
    QTRY_VERIFY(dialog.findChild<QProgressDialog*>());
    QTRY_COMPARE(listed(dialog).size(), 0);
    auto* progress = dialog.findChild<QProgressDialog*>();
    QCOMPARE(progress->labelText(), QStringLiteral("Scanning network..."));
    QTest::qWait(300);
    progress->findChild<QPushButton*>()->click();
    QCOMPARE(finished.size(), 1);
    QVERIFY(!dialog.isScanning());
    QCOMPARE(listed(dialog), QStringList());

    setRange(dialog, 3, 9, m_network.port(), 2000);
    dialog.findChild<QPushButton*>(QStringLiteral("scanButton"))->click();
    QTRY_COMPARE(listed(dialog).size(), 1);
    QVERIFY(dialog.findChild<QProgressDialog*>());
    dialog.findChild<QProgressDialog*>()->findChild<QPushButton*>()->click();
    QVERIFY(!dialog.isScanning());
    QCOMPARE(listed(dialog), QStringList{QStringLiteral("127.0.0.3:%1").arg(m_network.port())});
}

void TestNetworkScan::emptyRange()
{
    ScanNetwork dialog;
    dialog.findChild<QListWidget*>(QStringLiteral("printersListWidget"))->addItem(QStringLiteral("old entry"));
    setRange(dialog, 9, 3, m_network.port(), 100);
    dialog.findChild<QPushButton*>(QStringLiteral("scanButton"))->click();
    QVERIFY(!dialog.isScanning());
    QCOMPARE(listed(dialog), QStringList());
}

void TestNetworkScan::hostMode()
{
    ScanNetwork dialog;
    auto* hostEdit = dialog.findChild<QLineEdit*>(QStringLiteral("hostAddressEdit"));
    QVERIFY(!hostEdit->isEnabled());
    dialog.findChild<QRadioButton*>(QStringLiteral("hostButton"))->setChecked(true);
    QVERIFY(hostEdit->isEnabled());
    dialog.findChild<QListWidget*>(QStringLiteral("printersListWidget"))->addItem(QStringLiteral("kept"));
    dialog.setPorts({QString::number(m_network.port())});
    QSignalSpy finished(&dialog, &ScanNetwork::scanFinished);

    hostEdit->setText(QStringLiteral("127.0.0.9"));
    dialog.findChild<QPushButton*>(QStringLiteral("scanButton"))->click();
    QVERIFY(finished.wait(5000));
    QCOMPARE(listed(dialog), (QStringList{"kept", QStringLiteral("127.0.0.9:%1").arg(m_network.port())}));

    ModalDriver driver;
    hostEdit->setText(QStringLiteral("no-such-host.invalid"));
    dialog.findChild<QPushButton*>(QStringLiteral("scanButton"))->click();
    QVERIFY(finished.wait(10000));
    QTRY_COMPARE(driver.messages.size(), 1);
    QVERIFY(driver.messages.constFirst().startsWith(QStringLiteral("Error in lookup for host 'no-such-host.invalid':")));
    QCOMPARE(listed(dialog).size(), 2);
}

void TestNetworkScan::choosingAnEntry()
{
    ScanNetwork dialog;
    auto* ports = dialog.findChild<QComboBox*>(QStringLiteral("portBox"));
    QCOMPARE(ports->currentText(), QStringLiteral("9100"));
    QCOMPARE(ports->count(), 3);
    dialog.setPorts({QStringLiteral("631"), QStringLiteral("80")});
    QCOMPARE(ports->currentText(), QStringLiteral("631"));

    auto* list = dialog.findChild<QListWidget*>(QStringLiteral("printersListWidget"));
    list->addItem(QStringLiteral("10.0.0.5:631"));
    list->setCurrentRow(0);
    QCOMPARE(dialog.address(), QStringLiteral("10.0.0.5:631"));
}

void TestNetworkScan::cleanupTestCase()
{
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

QTEST_MAIN(TestNetworkScan)
#include "tst_networkscan.moc"
