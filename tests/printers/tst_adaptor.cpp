#include "CupsHttp.h"
#include "CupsTestServer.h"
#include "JobWidget.h"
#include "PrintersWidget.h"
#include "PrintersWidgetAdaptor.h"
#include "PrivateBus.h"

#include <QDBusConnection>
#include <QDBusMessage>
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

QTEST_MAIN(TestAdaptor)
#include "tst_adaptor.moc"
