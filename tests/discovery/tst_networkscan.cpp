#include "ModalDriver.h"
#include "NetworkScanner.h"
#include "ScanNetwork.h"
#include "SilentLoopback.h"
#include "TesselHostAddress.h"

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
    void hostMode();
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
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<QStringList>("found");
    const QStringList both = {"127.0.0.3", "127.0.0.9"};
    QTest::newRow("oneAtATime") << 1 << 1 << 12 << both;
    QTest::newRow("three") << 3 << 1 << 12 << both;
    QTest::newRow("wide") << NetworkScanner::defaultWindow << 1 << 12 << both;
    QTest::newRow("endBeforeStart") << NetworkScanner::defaultWindow << 12 << 1 << QStringList();
}

void TestNetworkScan::scannerWindows()
{
    QFETCH(int, window);
    QFETCH(int, first);
    QFETCH(int, last);
    NetworkScanner scanner;
    scanner.setWindow(window);
    QStringList found;
    QList<quint64> progress;
    connect(&scanner, &NetworkScanner::found, this, [&found](const QHostAddress& address) { found << address.toString(); });
    connect(&scanner, &NetworkScanner::progress, this, [&progress](quint64 done) { progress << done; });
    QSignalSpy finished(&scanner, &NetworkScanner::finished);
    // Silent addresses among answering ones: answers come before the time-outs
    // of lower addresses, yet are reported in address order.
    scanner.startRange(loopback(first).toIPv4Address(), loopback(last).toIPv4Address(), m_network.port(), 60);
    QVERIFY(finished.size() == 1 || finished.wait(5000));
    QTEST(found, "found");
    QCOMPARE(progress.value(progress.size() - 1), quint64(qMax(0, last - first + 1)));
    QVERIFY(std::is_sorted(progress.cbegin(), progress.cend()));
    QVERIFY(!scanner.isRunning());
}

void TestNetworkScan::rangeScanFindsInAscendingOrder()
{
    ScanNetwork dialog;
    // Long enough for the progress dialog to show, which processes events
    // whenever its value is set.
    setRange(dialog, 1, 254, m_network.port(), 300);
    QSignalSpy finished(&dialog, &ScanNetwork::scanFinished);
    QElapsedTimer timer;
    timer.start();
    dialog.findChild<QPushButton*>(QStringLiteral("scanButton"))->click();
    QVERIFY(dialog.isScanning());
    QVERIFY(finished.wait(10000));
    const QString port = QString::number(m_network.port());
    QCOMPARE(listed(dialog), (QStringList{"127.0.0.3:" + port, "127.0.0.9:" + port, "127.0.0.40:" + port}));
    // 254 silent addresses one after another would take 76 s.
    QVERIFY2(timer.elapsed() < 4000, qPrintable(QString::number(timer.elapsed())));
    QTest::qWait(50);
    QCOMPARE(finished.size(), 1);
    QVERIFY(dialog.findChild<QPushButton*>(QStringLiteral("scanButton"))->isEnabled());
}

void TestNetworkScan::stopKeepsWhatWasFound()
{
    ScanNetwork dialog;
    dialog.findChild<QListWidget*>(QStringLiteral("printersListWidget"))->addItem(QStringLiteral("old entry"));
    // 127.0.0.3 answers at once; the silent ones behind it take long.
    setRange(dialog, 3, 9, m_network.port(), 5000);
    QSignalSpy finished(&dialog, &ScanNetwork::scanFinished);
    dialog.findChild<QPushButton*>(QStringLiteral("scanButton"))->click();
    QTRY_COMPARE(listed(dialog), QStringList{QStringLiteral("127.0.0.3:%1").arg(m_network.port())});
    QTRY_VERIFY(dialog.findChild<QProgressDialog*>() && dialog.findChild<QProgressDialog*>()->isVisible());
    auto* progress = dialog.findChild<QProgressDialog*>();
    QCOMPARE(progress->labelText(), QStringLiteral("Scanning network..."));
    progress->findChild<QPushButton*>()->click();
    QCOMPARE(finished.size(), 1);
    QVERIFY(!dialog.isScanning());
    QCOMPARE(listed(dialog), QStringList{QStringLiteral("127.0.0.3:%1").arg(m_network.port())});
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

void TestNetworkScan::cleanupTestCase()
{
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

QTEST_MAIN(TestNetworkScan)
#include "tst_networkscan.moc"
