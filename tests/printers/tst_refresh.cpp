#include "CupsHttp.h"
#include "CupsTestServer.h"
#include "EventLoopProbe.h"
#include "JobWidget.h"
#include "PrintersWidget.h"
#include "PrivateBus.h"
#include "ServerStateBar.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include <csignal>
#include <memory>

// The periodic refresh against a real scheduler that changes, hangs, dies and
// comes back.
namespace {

constexpr int waitMs = 15000;
constexpr int intervalSeconds = 1;
const QString alphaQueue = CupsTestServer::defaultPrinter;
const QString gammaQueue = CupsTestServer::plainPrinter;

QTreeWidgetItem* itemOf(const PrintersWidget& widget, const QString& name)
{
    return widget.destinationTree()->findItems(name, Qt::MatchExactly | Qt::MatchRecursive).value(0);
}

int stateOf(const PrintersWidget& widget, const QString& name)
{
    QTreeWidgetItem* item = itemOf(widget, name);
    return item ? item->data(0, Qt::UserRole).toMap().value(QStringLiteral("printer-state")).toList().value(0).toInt()
                : 0;
}

QString currentName(const PrintersWidget& widget)
{
    const QTreeWidgetItem* current = widget.destinationTree()->currentItem();
    return current ? current->text(0) : QString();
}

} // namespace

class TestRefresh : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void changesShowAtTheNextTick_data();
    void changesShowAtTheNextTick();
    void hungSchedulerIsReportedAndLeftBehind_data();
    void hungSchedulerIsReportedAndLeftBehind();
    void killedSchedulerIsReportedAndReselected();

private:
    bool startServer(const CupsTestServer::Options& options = CupsTestServer::Options());
    bool tick(PrintersWidget& widget);

    PrivateBus m_systemBus{PrivateBus::Kind::System};
    QTemporaryDir m_home;
    std::unique_ptr<CupsTestServer> m_server;
};

void TestRefresh::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    const QString reason = CupsTestServer::unavailableReason(CupsTestServer::Mode::Open);
    if (!reason.isEmpty())
        QSKIP(qPrintable(reason));
    QVERIFY2(m_systemBus.start(), qPrintable(m_systemBus.errorString()));
    m_systemBus.exportAddress();
    qputenv("HOME", QFile::encodeName(m_home.path()));
    cupsServer();
}

void TestRefresh::init()
{
    QSettings settings;
    settings.clear();
    settings.setValue(QStringLiteral("Printer Tree/Update Interval"), 0);
}

void TestRefresh::cleanup()
{
    // A test that failed with the scheduler stopped must not leave it so.
    if (m_server && m_server->pid())
        ::kill(pid_t(m_server->pid()), SIGCONT);
    m_server.reset();
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

bool TestRefresh::startServer(const CupsTestServer::Options& given)
{
    CupsTestServer::Options options = given;
    options.logAllRequests = true;
    m_server = std::make_unique<CupsTestServer>();
    if (!m_server->start(options)) {
        qWarning("%s", qPrintable(m_server->errorString()));
        return false;
    }
    m_server->pointClientAt();
    qputenv("HOME", QFile::encodeName(m_home.path()));
    Cups::HTTP* connection = Cups::HTTP::getUniqueConnection();
    return connection && connection->reconnect();
}

bool TestRefresh::tick(PrintersWidget& widget)
{
    QSignalSpy refreshed(&widget, &PrintersWidget::refreshed);
    QMetaObject::invokeMethod(widget.refreshTimer(), "timeout");
    return refreshed.wait(waitMs);
}

void TestRefresh::changesShowAtTheNextTick_data()
{
    QTest::addColumn<bool>("subscriptions");
    QTest::addColumn<QString>("change");

    for (const bool subscriptions : {true, false}) {
        const char* kind = subscriptions ? "subscribed" : "subscriptions refused";
        for (const char* change : {"disable", "add", "job", "nothing"})
            QTest::newRow(qPrintable(QStringLiteral("%1, %2").arg(QLatin1String(kind), QLatin1String(change))))
                << subscriptions << QString::fromLatin1(change);
    }
}

void TestRefresh::changesShowAtTheNextTick()
{
    QFETCH(bool, subscriptions);
    QFETCH(QString, change);
    CupsTestServer::Options options;
    if (!subscriptions) {
        options.extraConfiguration = QStringLiteral(
            "<Policy nosubscriptions>\n  <Limit Create-Printer-Subscriptions Create-Job-Subscriptions>\n"
            "    AuthType Basic\n    Require user nosuchuser\n    Order deny,allow\n  </Limit>\n"
            "  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\nDefaultPolicy nosubscriptions\n");
    }
    QVERIFY(startServer(options));
    PrintersWidget widget;
    widget.load();
    widget.DisplayDest(alphaQueue, true);
    QCOMPARE(widget.tabWidget()->currentWidget(), widget.jobWidget());
    QVERIFY(tick(widget));
    const int jobs = widget.jobWidget()->topLevelItemCount();
    QCOMPARE(jobs, CupsTestServer::heldJobsOnDefault);
    const QTreeWidgetItem* firstJob = widget.jobWidget()->topLevelItem(0);

    if (change == QLatin1String("disable"))
        QVERIFY(m_server->runTool(QStringLiteral("cupsdisable"), {gammaQueue}));
    else if (change == QLatin1String("add"))
        QVERIFY(m_server->runTool(QStringLiteral("lpadmin"), {QStringLiteral("-p"), QStringLiteral("delta"),
                                                               QStringLiteral("-E"), QStringLiteral("-v"),
                                                               QStringLiteral("file:///dev/null")}));
    else if (change == QLatin1String("job"))
        QVERIFY(m_server->submitHeldJob(alphaQueue, QStringLiteral("one more")) > 0);

    const int logBefore = m_server->accessLog().size();
    QVERIFY(tick(widget));
    QCOMPARE(stateOf(widget, gammaQueue), change == QLatin1String("disable") ? 5 : 3);
    QCOMPARE(itemOf(widget, QStringLiteral("delta")) != nullptr, change == QLatin1String("add"));
    QCOMPARE(widget.jobWidget()->topLevelItemCount(), change == QLatin1String("job") ? jobs + 1 : jobs);
    QCOMPARE(currentName(widget), alphaQueue);
    QCOMPARE(widget.tabWidget()->currentWidget(), widget.jobWidget());
    if (change == QLatin1String("nothing")) {
        // Unchanged jobs are not rebuilt, and a subscribed refresh asks one
        // question only.
        QCOMPARE(widget.jobWidget()->topLevelItem(0), firstJob);
        if (subscriptions) {
            QTRY_COMPARE_WITH_TIMEOUT(m_server->accessLog().size() - logBefore, 1, waitMs);
        } else {
            // Without events to go by, every refresh reads everything.
            QTRY_VERIFY_WITH_TIMEOUT(m_server->accessLog().mid(logBefore).filter(QStringLiteral("CUPS-Get-Printers"))
                                         .size() == 1,
                                     waitMs);
        }
    }
}

void TestRefresh::hungSchedulerIsReportedAndLeftBehind_data()
{
    QTest::addColumn<bool>("userReloads");

    QTest::newRow("refresh only") << false;
    QTest::newRow("user reloads meanwhile") << true;
}

void TestRefresh::hungSchedulerIsReportedAndLeftBehind()
{
    QFETCH(bool, userReloads);
    QSettings().setValue(QStringLiteral("Printer Tree/Update Interval"), intervalSeconds);
    QVERIFY(startServer());
    PrintersWidget widget;
    widget.show();
    widget.load();
    widget.DisplayDest(alphaQueue, false);
    QVERIFY(widget.playAction()->isEnabled());

    QCOMPARE(::kill(pid_t(m_server->pid()), SIGSTOP), 0);
    // The window keeps turning while refreshes wait for the stopped scheduler.
    QVERIFY2(EventLoopProbe::longestGapMs(4000) < 300, "the window stalled");
    QTRY_VERIFY_WITH_TIMEOUT(widget.stateBar()->isVisible(), waitMs);
    QVERIFY2(widget.stateBar()->text().contains(QStringLiteral("%1 does not answer").arg(m_server->serverName())),
             qPrintable(widget.stateBar()->text()));
    // The last known state stays, greyed, and nothing acts on it.
    QVERIFY(itemOf(widget, alphaQueue));
    QVERIFY(!widget.destinationTree()->isEnabled());
    QVERIFY(!widget.playAction()->isEnabled());
    QVERIFY(!widget.deleteAction()->isEnabled());
    if (userReloads) {
        QElapsedTimer clock;
        clock.start();
        widget.load();
        QVERIFY2(clock.elapsed() < 2500, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(itemOf(widget, alphaQueue));
        QVERIFY(widget.stateBar()->isVisible());
    }

    QCOMPARE(::kill(pid_t(m_server->pid()), SIGCONT), 0);
    QTRY_VERIFY_WITH_TIMEOUT(!widget.stateBar()->isVisible(), waitMs);
    QVERIFY(widget.destinationTree()->isEnabled());
    QCOMPARE(currentName(widget), alphaQueue);
    QVERIFY(widget.playAction()->isEnabled());
}

void TestRefresh::killedSchedulerIsReportedAndReselected()
{
    QSettings().setValue(QStringLiteral("Printer Tree/Update Interval"), intervalSeconds);
    QVERIFY(startServer());
    PrintersWidget widget;
    widget.show();
    widget.load();
    widget.DisplayDest(alphaQueue, true);
    QTRY_COMPARE(widget.jobWidget()->topLevelItemCount(), CupsTestServer::heldJobsOnDefault);

    m_server->kill();
    QTRY_VERIFY_WITH_TIMEOUT(widget.stateBar()->isVisible(), waitMs);
    QVERIFY2(widget.stateBar()->text().contains(QStringLiteral("%1 cannot be reached").arg(m_server->serverName())),
             qPrintable(widget.stateBar()->text()));
    QCOMPARE(widget.jobWidget()->topLevelItemCount(), CupsTestServer::heldJobsOnDefault);
    QVERIFY(!widget.purgeAction()->isEnabled());
    QVERIFY(!widget.deleteAction()->isEnabled());
    QVERIFY(!widget.jobWidget()->cancelAction->isEnabled());

    // Back on the same port with the same queues and jobs: found again by
    // itself, with the same destination and tab.
    QVERIFY2(m_server->restart(), qPrintable(m_server->errorString()));
    QTRY_VERIFY_WITH_TIMEOUT(!widget.stateBar()->isVisible(), waitMs);
    QCOMPARE(currentName(widget), alphaQueue);
    QCOMPARE(widget.tabWidget()->currentWidget(), widget.jobWidget());
    QTRY_COMPARE(widget.jobWidget()->topLevelItemCount(), CupsTestServer::heldJobsOnDefault);
    QVERIFY(widget.deleteAction()->isEnabled());
    QVERIFY(widget.purgeAction()->isEnabled());

    // The new scheduler knows nothing of the old subscription: changes
    // still show.
    QVERIFY(m_server->runTool(QStringLiteral("cupsdisable"), {gammaQueue}));
    QTRY_COMPARE_WITH_TIMEOUT(stateOf(widget, gammaQueue), 5, waitMs);
}

QTEST_MAIN(TestRefresh)
#include "tst_refresh.moc"
