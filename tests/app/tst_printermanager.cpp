#include "CupsHttp.h"
#include "CupsTestServer.h"
#include "JobWidget.h"
#include "ModalDriver.h"
#include "PrinterManager.h"
#include "PrintersWidget.h"
#include "PrivateBus.h"
#include "ServerStateBar.h"

#include <QAction>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingReply>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScopeGuard>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QTreeWidget>
#include <QtTest>

#include <cups/cups.h>

namespace {

const QString serviceName = QStringLiteral("ru.orvanta.TesselAdminPrinter");
const QString objectPath = QStringLiteral("/PrintersWidget");
const QString interfaceName = QStringLiteral("ru.orvanta.TesselAdminPrinter.PrintersWidget");
const QString probeName = QStringLiteral("printermanager-probe");
const QString separator = QStringLiteral("-");

PrintersWidget* browserOf(const PrinterManager& window)
{
    return window.findChild<PrintersWidget*>();
}

// Short names for the actions that belong to the browser and the job list, so
// that expected layouts compare actions by identity, not by text.
QMap<QAction*, QString> actionNames(const PrinterManager& window)
{
    const PrintersWidget* browser = browserOf(window);
    const JobWidget* jobs = browser->jobWidget();
    return {
        {browser->reloadAction(), QStringLiteral("reload")},
        {browser->playAction(), QStringLiteral("play")},
        {browser->purgeAction(), QStringLiteral("purge")},
        {browser->addAction(), QStringLiteral("add")},
        {browser->editAction(), QStringLiteral("edit")},
        {browser->deleteAction(), QStringLiteral("delete")},
        {browser->userDefaultAction(), QStringLiteral("user default")},
        {browser->defaultAction(), QStringLiteral("default")},
        {browser->testPageAction(), QStringLiteral("test page")},
        {browser->showLocalAction(), QStringLiteral("show local")},
        {browser->showRemoteAction(), QStringLiteral("show remote")},
        {browser->showNotSharedAction(), QStringLiteral("show not shared")},
        {jobs->cancelAction, QStringLiteral("cancel job")},
        {jobs->holdAction, QStringLiteral("hold job")},
        {jobs->releaseAction, QStringLiteral("release job")},
        {jobs->moveAction, QStringLiteral("move job")},
        {jobs->reprintAction, QStringLiteral("reprint job")},
        {jobs->showCompletedAction, QStringLiteral("show completed")},
    };
}

// Separators read "-", submenus "menu:" and their title, the window's own
// actions their text.
QStringList describe(const PrinterManager& window, const QList<QAction*>& actions)
{
    const QMap<QAction*, QString> names = actionNames(window);
    QStringList described;
    for (QAction* action : actions) {
        if (action->isSeparator())
            described << separator;
        else if (action->menu())
            described << QStringLiteral("menu:") + action->menu()->title();
        else
            described << names.value(action, action->text());
    }
    return described;
}

QMenu* menuTitled(const QList<QAction*>& actions, const QString& title)
{
    for (QAction* action : actions) {
        if (action->menu() && action->menu()->title() == title)
            return action->menu();
    }
    return nullptr;
}

QAction* actionTitled(const PrinterManager& window, const QString& text)
{
    for (QAction* action : window.findChildren<QAction*>()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

QStringList statusTexts(const PrinterManager& window)
{
    QStringList texts;
    for (const QLabel* label : window.statusBar()->findChildren<QLabel*>())
        texts << label->text();
    return texts;
}

} // namespace

class TestPrinterManager : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void title();
    void menuBarOrder();
    void layout_data();
    void layout();
    void jobCounters_data();
    void jobCounters();
    void closingSavesBrowserSettings_data();
    void closingSavesBrowserSettings();
    void geometrySurvivesRestart();
    void privilegedActionsDialog();
    void restart_data();
    void restart();
    void sessionBusService();
    void fatalErrorWithoutScheduler();

private:
    PrivateBus m_session{PrivateBus::Kind::Session};
    CupsTestServer m_server;
};

void TestPrinterManager::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    // Before anything asks Qt for the session bus, or the window would
    // register on the developer's own bus.
    QVERIFY2(m_session.start(), qPrintable(m_session.errorString()));
    m_session.exportAddress();

    const QString reason = CupsTestServer::unavailableReason(CupsTestServer::Mode::Open);
    if (!reason.isEmpty())
        QSKIP(qPrintable(reason));
    QVERIFY2(m_server.start(), qPrintable(m_server.errorString()));
}

void TestPrinterManager::init()
{
    QSettings().clear();
    m_server.pointClientAt();
    Cups::HTTP* connection = Cups::HTTP::getUniqueConnection();
    QVERIFY(connection);
    QVERIFY(connection->reconnect());
}

void TestPrinterManager::cleanup()
{
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TestPrinterManager::title()
{
    PrinterManager window;
    QCOMPARE(window.windowTitle(), QStringLiteral("Tessel Printer Manager"));
    QCOMPARE(window.windowIconText(), QStringLiteral("Tessel Printer Manager"));
    // Counted from the start: no selection means no jobs.
    QCOMPARE(statusTexts(window),
             QStringList({QStringLiteral("Processing jobs: 0"), QStringLiteral("Aborted jobs: 0")}));
    QVERIFY(window.centralWidget() == browserOf(window));
}

void TestPrinterManager::menuBarOrder()
{
    PrinterManager window;
    const QList<QAction*> menus = window.menuBar()->actions();
    QCOMPARE(describe(window, menus),
             QStringList({QStringLiteral("menu:&File"), QStringLiteral("menu:") + browserOf(window)->viewMenu()->title(),
                          QStringLiteral("menu:&Server"), QStringLiteral("menu:&Printer"), QStringLiteral("menu:&Help")}));
    QVERIFY(menus.at(1)->menu() == browserOf(window)->viewMenu());

    QList<QString> toolBars;
    for (QToolBar* bar : window.findChildren<QToolBar*>()) {
        QCOMPARE(window.toolBarArea(bar), Qt::TopToolBarArea);
        toolBars << bar->windowTitle();
    }
    QCOMPARE(toolBars, QStringList({QStringLiteral("File"), QStringLiteral("Printer"), QStringLiteral("Job")}));
}

void TestPrinterManager::layout_data()
{
    QTest::addColumn<QString>("where");
    QTest::addColumn<QStringList>("expected");

    const QStringList jobs = {"cancel job", "hold job", "release job", separator, "reprint job", "show completed"};
    QTest::newRow("file menu") << "menu:&File" << QStringList({"reload", separator, "E&xit"});
    QTest::newRow("server menu") << "menu:&Server"
                                 << QStringList({"Configure...", "Priviledged Actions...", "Restart"});
    QTest::newRow("printer menu") << "menu:&Printer"
                                  << QStringList({"add", "delete", separator, "edit", separator, "play", "purge",
                                                  separator, "user default", "default", separator, "test page",
                                                  separator, "menu:&Job"});
    QTest::newRow("job submenu") << "menu:&Job" << jobs;
    QTest::newRow("file tool bar") << "bar:File" << QStringList({"reload", separator, "E&xit"});
    QTest::newRow("printer tool bar") << "bar:Printer"
                                      << QStringList({"add", "delete", separator, "edit", separator, "play", "purge",
                                                      separator, "show local", "show remote", "show not shared"});
    QTest::newRow("job tool bar") << "bar:Job" << jobs;
}

void TestPrinterManager::layout()
{
    QFETCH(QString, where);
    QFETCH(QStringList, expected);

    PrinterManager window;
    QList<QAction*> actions;
    if (where.startsWith(QLatin1String("bar:"))) {
        const QString title = where.mid(4);
        for (const QToolBar* bar : window.findChildren<QToolBar*>()) {
            if (bar->windowTitle() == title)
                actions = bar->actions();
        }
    } else {
        const QString title = where.mid(5);
        QMenu* menu = menuTitled(window.menuBar()->actions(), title);
        if (!menu) {
            QMenu* printerMenu = menuTitled(window.menuBar()->actions(), QStringLiteral("&Printer"));
            QVERIFY(printerMenu);
            menu = menuTitled(printerMenu->actions(), title);
        }
        QVERIFY2(menu, qPrintable(title));
        actions = menu->actions();
    }
    QCOMPARE(describe(window, actions), expected);
}

void TestPrinterManager::jobCounters_data()
{
    QTest::addColumn<QList<int>>("states");
    QTest::addColumn<int>("processing");
    QTest::addColumn<int>("aborted");

    QTest::newRow("three processing and one aborted among others")
        << QList<int>{IPP_JSTATE_PENDING, IPP_JSTATE_PROCESSING, IPP_JSTATE_HELD,      IPP_JSTATE_PROCESSING,
                      IPP_JSTATE_ABORTED, IPP_JSTATE_STOPPED,    IPP_JSTATE_PROCESSING, IPP_JSTATE_CANCELED,
                      IPP_JSTATE_COMPLETED}
        << 3 << 1;
    QTest::newRow("empty list") << QList<int>() << 0 << 0;
    QTest::newRow("other states only")
        << QList<int>{IPP_JSTATE_PENDING, IPP_JSTATE_HELD, IPP_JSTATE_STOPPED, IPP_JSTATE_CANCELED,
                      IPP_JSTATE_COMPLETED}
        << 0 << 0;
    QTest::newRow("aborted only") << QList<int>{IPP_JSTATE_ABORTED, IPP_JSTATE_ABORTED} << 0 << 2;
}

void TestPrinterManager::jobCounters()
{
    QFETCH(QList<int>, states);
    QFETCH(int, processing);
    QFETCH(int, aborted);

    PrinterManager window;
    JobWidget* jobs = browserOf(window)->jobWidget();
    // A previous count must not survive into the next one.
    jobs->clear();
    for (int i = 0; i < 4; ++i) {
        auto* item = new QTreeWidgetItem(jobs);
        item->setData(JobWidget::StateColumn, Qt::UserRole, int(IPP_JSTATE_PROCESSING));
    }
    emit jobs->jobsStateChanged();
    jobs->clear();

    for (int state : states) {
        auto* item = new QTreeWidgetItem(jobs);
        item->setData(JobWidget::StateColumn, Qt::UserRole, state);
    }
    emit jobs->jobsStateChanged();
    QCOMPARE(statusTexts(window), QStringList({QStringLiteral("Processing jobs: %1").arg(processing),
                                               QStringLiteral("Aborted jobs: %1").arg(aborted)}));
}

void TestPrinterManager::closingSavesBrowserSettings_data()
{
    QTest::addColumn<bool>("byExitAction");

    QTest::newRow("window closed") << false;
    QTest::newRow("Exit chosen") << true;
}

void TestPrinterManager::closingSavesBrowserSettings()
{
    QFETCH(bool, byExitAction);

    PrinterManager window;
    window.show();
    QAction* notShared = browserOf(window)->showNotSharedAction();
    QVERIFY(notShared->isChecked());
    notShared->trigger();
    QVERIFY(!QSettings().contains(QStringLiteral("ShowNotSharedPrinters")));

    if (byExitAction) {
        QAction* exit = actionTitled(window, QStringLiteral("E&xit"));
        QVERIFY(exit);
        exit->trigger();
    } else {
        QVERIFY(window.close());
    }
    QVERIFY(!window.isVisible());
    const QSettings settings;
    QCOMPARE(settings.value(QStringLiteral("ShowNotSharedPrinters")), QVariant(false));
    QVERIFY(settings.contains(QStringLiteral("SplitterSizes")));
}

void TestPrinterManager::geometrySurvivesRestart()
{
    const QSize chosen(720, 470);
    {
        PrinterManager first;
        first.show();
        first.resize(chosen);
        QTRY_COMPARE(first.size(), chosen);
    }
    PrinterManager second;
    QCOMPARE(second.size(), chosen);
}

void TestPrinterManager::privilegedActionsDialog()
{
    PrinterManager window;
    QAction* privileged = actionTitled(window, QStringLiteral("Priviledged Actions..."));
    QVERIFY(privileged);

    QString shownClass;
    QWidget* shownParent = nullptr;
    ModalDriver driver;
    driver.otherDialog = [&shownClass, &shownParent](QWidget* modal) {
        shownClass = QString::fromLatin1(modal->metaObject()->className());
        shownParent = modal->parentWidget();
        static_cast<QDialog*>(modal)->reject();
    };
    privileged->trigger();

    QCOMPARE(shownClass, QStringLiteral("PrivConfigDialog"));
    QVERIFY(shownParent == &window);
    QVERIFY(window.findChildren<QDialog*>().isEmpty());
}

void TestPrinterManager::restart_data()
{
    QTest::addColumn<bool>("toolOnPath");
    QTest::addColumn<QStringList>("expectedArguments");

    QTest::addColumn<QByteArray>("status");
    QTest::addColumn<QString>("message");

    const QStringList arguments{QStringLiteral("-c"), QStringLiteral("/etc/init.d/cups"), QStringLiteral("restart")};
    QTest::newRow("restart tool found") << true << arguments << QByteArray() << QString();
    QTest::newRow("restart tool fails") << true << arguments << QByteArray("1")
                                        << QStringLiteral("Not authorized for the test");
    QTest::newRow("restart tool missing") << false << QStringList() << QByteArray()
                                          << QStringLiteral("tessel-su is not installed");
}

void TestPrinterManager::restart()
{
    QFETCH(bool, toolOnPath);
    QFETCH(QStringList, expectedArguments);
    QFETCH(QByteArray, status);
    QFETCH(QString, message);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString record = dir.filePath(QStringLiteral("arguments"));
    const QByteArray path = qgetenv("PATH");
    const auto restorePath = qScopeGuard([path] { qputenv("PATH", path); });
    qputenv("PATH", toolOnPath ? QByteArray(FAKE_SU_DIR) + ':' + path : QFile::encodeName(dir.path()));
    qputenv("TESSEL_SU_RECORD", QFile::encodeName(record));
    if (status.isEmpty())
        qunsetenv("TESSEL_SU_STATUS");
    else
        qputenv("TESSEL_SU_STATUS", status);

    PrinterManager window;
    Cups::HTTP* connection = Cups::HTTP::getUniqueConnection();
    QVERIFY(connection);
    // The same scheduler under another address: only a new connection,
    // made after the tool ran, can know it.
    const QByteArray socket = QFile::encodeName(m_server.socketPath());
    cupsSetServer(socket.constData());

    QAction* restartAction = actionTitled(window, QStringLiteral("Restart"));
    QVERIFY(restartAction);
    ModalDriver driver;
    restartAction->trigger();
    // A restart that did not happen is said, with the reason.
    QCOMPARE(driver.messages.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty())
        QVERIFY2(driver.messages.first().contains(message), qPrintable(driver.messages.first()));

    QFile recorded(record);
    QStringList arguments;
    if (recorded.open(QIODevice::ReadOnly)) {
        for (const QByteArray& argument : recorded.readAll().split('\0'))
            arguments << QString::fromLocal8Bit(argument);
        arguments.removeLast();
    }
    QCOMPARE(arguments, expectedArguments);
    if (!toolOnPath)
        return;

    QCOMPARE(connection->server(), m_server.socketPath());
    QVERIFY(connection->http);
    QVERIFY(!connection->destinations().isEmpty());
}

void TestPrinterManager::sessionBusService()
{
    QDBusConnection probe = QDBusConnection::connectToBus(m_session.address(), probeName);
    QVERIFY2(probe.isConnected(), qPrintable(probe.lastError().message()));

    const auto introspect = [&probe]() -> QString {
        const QDBusMessage message = QDBusMessage::createMethodCall(
            serviceName, objectPath, QStringLiteral("org.freedesktop.DBus.Introspectable"), QStringLiteral("Introspect"));
        // The window answers from this very thread, so the reply must be
        // waited for with the event loop running.
        QDBusPendingReply<QString> reply = probe.asyncCall(message);
        if (!QTest::qWaitFor([&reply] { return reply.isFinished(); }, 10000))
            return QString();
        return reply.isValid() ? reply.value() : QString();
    };

    {
        PrinterManager window;
        QCOMPARE(probe.interface()->serviceOwner(serviceName).value(), QDBusConnection::sessionBus().baseService());
        const QString description = introspect();
        QVERIFY2(description.contains(QStringLiteral("<interface name=\"%1\">").arg(interfaceName)),
                 qPrintable(description));
        QVERIFY(description.contains(QStringLiteral("<method name=\"ShowDest\">")));
        QVERIFY(description.contains(QStringLiteral("<method name=\"ShowQueue\">")));
        QVERIFY(description.contains(QStringLiteral("org.freedesktop.DBus.Method.NoReply")));
    }
    QVERIFY(!introspect().contains(interfaceName));
    QDBusConnection::disconnectFromBus(probeName);
}

void TestPrinterManager::fatalErrorWithoutScheduler()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QByteArray nowhere = QFile::encodeName(dir.filePath(QStringLiteral("no-scheduler.sock")));
    cupsSetServer(nowhere.constData());
    // The connection made by earlier tests must forget its scheduler too.
    if (Cups::HTTP* connection = Cups::HTTP::getUniqueConnection())
        QVERIFY(!connection->reconnect());
    QVERIFY(!Cups::HTTP::getUniqueConnection());

    ModalDriver driver;
    PrinterManager window;
    // The message does not hold the start-up: the service is on the bus
    // before anyone has read it.
    QVERIFY(driver.messages.isEmpty());
    QVERIFY(QDBusConnection::sessionBus().interface()->isServiceRegistered(
        QStringLiteral("ru.orvanta.TesselAdminPrinter")));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_COMPARE(driver.messages,
                 QStringList({QStringLiteral("Unable to connect to CUPS server. Check <i>cupsd</i> is running")}));
    const ServerStateBar* bar = browserOf(window)->stateBar();
    QTRY_VERIFY(bar->isVisible());
    QVERIFY2(bar->text().contains(QStringLiteral("%1 cannot be reached").arg(QFile::decodeName(nowhere))),
             qPrintable(bar->text()));
    const QTreeWidget* tree = browserOf(window)->destinationTree();
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        QCOMPARE(tree->topLevelItem(i)->childCount(), 0);
    QCOMPARE(driver.messages.size(), 1);
}

QTEST_MAIN(TestPrinterManager)
#include "tst_printermanager.moc"
