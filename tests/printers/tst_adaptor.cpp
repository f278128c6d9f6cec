#include "CupsHttp.h"
#include "CupsTestServer.h"
#include "JobWidget.h"
#include "PrintersWidget.h"
#include "PrintersWidgetAdaptor.h"
#include "PrivateBus.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QProcess>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest>

namespace {

const QString objectPath = QStringLiteral("/PrintersWidget");
const QString interfaceName = QStringLiteral("ru.orvanta.TesselAdminPrinter.PrintersWidget");
const QString callerName = QStringLiteral("adaptor-caller");

QString currentName(const PrintersWidget& browser)
{
    const QTreeWidgetItem* current = browser.destinationTree()->currentItem();
    return current ? current->text(0) : QString();
}

// The last tab that is neither "Jobs" nor the first one, when there is such a
// tab: a selection that wrongly falls back to the first tab then shows too.
int tabToKeep(const PrintersWidget& browser)
{
    const QTabWidget* tabs = browser.tabWidget();
    for (int i = tabs->count() - 1; i > 0; --i) {
        if (tabs->widget(i) != browser.jobWidget())
            return i;
    }
    return 0;
}

} // namespace

class TestAdaptor : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();
    void calls_data();
    void calls();
    void hostileNamesAreRefused_data();
    void hostileNamesAreRefused();
    void burstOfHugeCallsLeavesTheBusAnswering();

private:
    PrivateBus m_session{PrivateBus::Kind::Session};
    CupsTestServer m_server;
};

void TestAdaptor::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    // Before Qt first connects to the session bus.
    QVERIFY2(m_session.start(), qPrintable(m_session.errorString()));
    m_session.exportAddress();

    const QString reason = CupsTestServer::unavailableReason(CupsTestServer::Mode::Open);
    if (!reason.isEmpty())
        QSKIP(qPrintable(reason));
    QVERIFY2(m_server.start(), qPrintable(m_server.errorString()));
    m_server.pointClientAt();
    QVERIFY(Cups::HTTP::getUniqueConnection());
    QVERIFY(QDBusConnection::sessionBus().isConnected());
}

void TestAdaptor::cleanupTestCase()
{
    QDBusConnection::disconnectFromBus(callerName);
}

void TestAdaptor::cleanup()
{
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TestAdaptor::calls_data()
{
    QTest::addColumn<QString>("method");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<bool>("jobsShown");

    QTest::newRow("queue of a printer") << "ShowQueue" << "beta" << "beta" << true;
    QTest::newRow("queue of a class") << "ShowQueue" << "team" << "team" << true;
    QTest::newRow("printer, tab kept") << "ShowDest" << "gamma" << "gamma" << false;
    QTest::newRow("class, tab kept") << "ShowDest" << "team" << "team" << false;
    QTest::newRow("queue of an unknown name") << "ShowQueue" << "nosuch" << "alpha" << false;
    QTest::newRow("unknown name") << "ShowDest" << "nosuch" << "alpha" << false;
}

void TestAdaptor::calls()
{
    QFETCH(QString, method);
    QFETCH(QString, name);
    QFETCH(QString, selected);
    QFETCH(bool, jobsShown);

    PrintersWidget browser;
    new PrintersWidgetAdaptor(&browser);
    QDBusConnection bus = QDBusConnection::sessionBus();
    QVERIFY(bus.registerObject(objectPath, &browser, QDBusConnection::ExportAdaptors));
    browser.load();
    browser.show();
    browser.DisplayDest(QStringLiteral("alpha"), false);
    QCOMPARE(currentName(browser), QStringLiteral("alpha"));
    QTabWidget* tabs = browser.tabWidget();
    tabs->setCurrentIndex(tabToKeep(browser));
    QWidget* shownBefore = tabs->currentWidget();

    QWidget other;
    other.show();
    other.activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), &other);

    QDBusConnection caller = QDBusConnection::connectToBus(m_session.address(), callerName);
    QVERIFY2(caller.isConnected(), qPrintable(caller.lastError().message()));
    QDBusMessage call = QDBusMessage::createMethodCall(bus.baseService(), objectPath, interfaceName, method);
    call << name;
    QVERIFY(caller.send(call));

    // Every call brings the browser to the front, known name or not.
    QTRY_COMPARE(QApplication::activeWindow(), &browser);
    QCOMPARE(currentName(browser), selected);
    QCOMPARE(tabs->currentWidget(), jobsShown ? browser.jobWidget() : shownBefore);
    bus.unregisterObject(objectPath);
}

void TestAdaptor::hostileNamesAreRefused_data()
{
    QTest::addColumn<QString>("method");
    QTest::addColumn<QString>("name");

    // 128 bytes in 64 characters: a limit counted in characters lets it by.
    const QString twoByte = QString(64, QChar(0x00e9));
    QTest::newRow("show, 128 bytes") << "ShowDest" << QString(128, QLatin1Char('a'));
    QTest::newRow("show, 64 two-byte characters") << "ShowDest" << twoByte;
    QTest::newRow("queue, 1 MB") << "ShowQueue" << QString(1 << 20, QLatin1Char('b'));
    QTest::newRow("queue, alpha and 123 more bytes") << "ShowQueue" << QStringLiteral("alpha") + QString(123, QLatin1Char('x'));
}

void TestAdaptor::hostileNamesAreRefused()
{
    QFETCH(QString, method);
    QFETCH(QString, name);

    PrintersWidget browser;
    new PrintersWidgetAdaptor(&browser);
    QDBusConnection bus = QDBusConnection::sessionBus();
    QVERIFY(bus.registerObject(objectPath, &browser, QDBusConnection::ExportAdaptors));
    browser.load();
    browser.show();
    browser.DisplayDest(QStringLiteral("beta"), false);
    QWidget other;
    other.show();
    other.activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), &other);

    QDBusConnection caller = QDBusConnection::connectToBus(m_session.address(), callerName);
    QDBusMessage call = QDBusMessage::createMethodCall(bus.baseService(), objectPath, interfaceName, method);
    call << name;
    QDBusPendingCall pending = caller.asyncCall(call, 20000);
    QVERIFY(QTest::qWaitFor([&pending] { return pending.isFinished(); }, 25000));
    QCOMPARE(pending.error().type(), QDBusError::InvalidArgs);
    // Nothing else happened: the window stayed behind, the selection too.
    QCOMPARE(QApplication::activeWindow(), &other);
    QCOMPARE(currentName(browser), QStringLiteral("beta"));
    bus.unregisterObject(objectPath);
}

void TestAdaptor::burstOfHugeCallsLeavesTheBusAnswering()
{
    PrintersWidget browser;
    new PrintersWidgetAdaptor(&browser);
    QDBusConnection bus = QDBusConnection::sessionBus();
    QVERIFY(bus.registerObject(objectPath, &browser, QDBusConnection::ExportAdaptors));
    browser.load();
    browser.show();

    // From another process, as a flood would come: one process sending to
    // itself only measures Qt's own D-Bus thread.
    QProcess burst;
    burst.setProcessChannelMode(QProcess::ForwardedChannels);
    burst.start(QStringLiteral(DBUS_BURST),
                {bus.baseService(), QStringLiteral("ShowQueue"), QStringLiteral("500"), QString::number(1 << 20)});
    QVERIFY(QTest::qWaitFor([&burst] { return burst.state() == QProcess::NotRunning; }, 120000));
    QCOMPARE(burst.exitCode(), 0);

    QDBusConnection caller = QDBusConnection::connectToBus(m_session.address(), callerName);
    // Behind all of them, a call that needs an answer, then a good name.
    QDBusMessage introspect = QDBusMessage::createMethodCall(
        bus.baseService(), objectPath, QStringLiteral("org.freedesktop.DBus.Introspectable"),
        QStringLiteral("Introspect"));
    QDBusPendingCall pending = caller.asyncCall(introspect, 60000);
    QVERIFY(QTest::qWaitFor([&pending] { return pending.isFinished(); }, 65000));
    QVERIFY2(!pending.isError(), qPrintable(pending.error().message()));
    QDBusMessage show = QDBusMessage::createMethodCall(bus.baseService(), objectPath, interfaceName,
                                                      QStringLiteral("ShowQueue"));
    show << QStringLiteral("gamma");
    QVERIFY(caller.send(show));
    QTRY_COMPARE(currentName(browser), QStringLiteral("gamma"));
    bus.unregisterObject(objectPath);
}

QTEST_MAIN(TestAdaptor)
#include "tst_adaptor.moc"
