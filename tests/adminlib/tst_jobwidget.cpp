#include "CupsHttp.h"
#include "CupsPointers.h"
#include "CupsTestServer.h"
#include "ModalDriver.h"
#include "DestinationChooser.h"
#include "JobWidget.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTimer>
#include <QtTest>

#include <cups/cups.h>

namespace {

// Stopped: released jobs wait there as pending.
const QString stoppedQueue = QStringLiteral("delta");
// Enabled only while a job is to complete on it.
const QString finishingQueue = QStringLiteral("epsilon");

enum class Prepare {
    Held,
    Pending,
    Completed,
    Canceled,
};

enum Action {
    CancelJob,
    HoldJob,
    ReleaseJob,
    MoveJob,
    ReprintJob,
    ShowCompleted,
};

QList<QAction*> actionsOf(const JobWidget& widget)
{
    return {widget.cancelAction,  widget.holdAction,    widget.releaseAction,
            widget.moveAction,    widget.reprintAction, widget.showCompletedAction};
}

QTreeWidgetItem* itemForJob(const JobWidget& widget, int id)
{
    for (int i = 0; i < widget.topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = widget.topLevelItem(i);
        if (item->text(JobWidget::IdColumn).toInt() == id)
            return item;
    }
    return nullptr;
}

int stateOf(const QTreeWidgetItem* item)
{
    return item->data(JobWidget::StateColumn, Qt::UserRole).toInt();
}

// Picks the given destination in the move chooser, or cancels it without one,
// noting the destinations it offered.
void answerChooser(ModalDriver& driver, const QString& choice, QStringList* offered)
{
    driver.otherDialog = [offered, choice](QWidget* modal) {
        auto* chooser = qobject_cast<DestinationChooser*>(modal);
        if (!chooser)
            return;
        auto* list = chooser->findChild<QListWidget*>(QStringLiteral("twDestinations"));
        for (int i = 0; i < list->count(); ++i) {
            *offered << list->item(i)->text();
            if (list->item(i)->text() == choice)
                list->setCurrentRow(i);
        }
        auto* buttons = chooser->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
        buttons->button(choice.isEmpty() ? QDialogButtonBox::Cancel : QDialogButtonBox::Ok)->click();
    };
}

} // namespace

Q_DECLARE_METATYPE(Prepare)

class tst_adminlib_jobwidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void knownWorld_data();
    void knownWorld();
    void networkTextShown_data();
    void networkTextShown();
    void actionStates_data();
    void actionStates();
    void jobActions_data();
    void jobActions();
    void showCompletedJobs();
    void paintedRowsFollowTheList_data();
    void paintedRowsFollowTheList();
    void deadServer();

private:
    int jobState(int id);
    int prepareJob(const QString& queue, Prepare prepare);
    bool waitForState(int id, int state);

    CupsTestServer m_server;
    Cups::HttpPtr m_oracle;
    QPointer<Cups::HTTP> m_connection;
};

void tst_adminlib_jobwidget::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    const QString reason = CupsTestServer::unavailableReason(CupsTestServer::Mode::Open);
    if (!reason.isEmpty())
        QSKIP(qPrintable(reason));
    QVERIFY2(m_server.start(), qPrintable(m_server.errorString()));
    m_server.pointClientAt();
    for (const QString& queue : {stoppedQueue, finishingQueue}) {
        const QStringList arguments = {QStringLiteral("-p"), queue, QStringLiteral("-E"), QStringLiteral("-v"),
                                       QStringLiteral("file:///dev/null")};
        QVERIFY2(m_server.runTool(QStringLiteral("lpadmin"), arguments), qPrintable(m_server.errorString()));
        QVERIFY2(m_server.runTool(QStringLiteral("cupsdisable"), {queue}), qPrintable(m_server.errorString()));
    }
    const QByteArray host = m_server.host().toLatin1();
    m_oracle.reset(httpConnect2(host.constData(), m_server.port(), nullptr, AF_UNSPEC, HTTP_ENCRYPTION_IF_REQUESTED, 1,
                                5000, nullptr));
    QVERIFY(m_oracle);
    m_connection = Cups::HTTP::getUniqueConnection();
    QVERIFY(m_connection);
}

void tst_adminlib_jobwidget::cleanup()
{
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
}

// The job's state as the scheduler reports it to a connection of the test's own.
int tst_adminlib_jobwidget::jobState(int id)
{
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    const QByteArray uri = QByteArrayLiteral("ipp://localhost/jobs/") + QByteArray::number(id);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri.constData());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr, "job-state");
    const Cups::IppPtr response(cupsDoRequest(m_oracle.get(), request, "/"));
    ipp_attribute_t* state = response ? ippFindAttribute(response.get(), "job-state", IPP_TAG_ENUM) : nullptr;
    return state ? ippGetInteger(state, 0) : 0;
}

bool tst_adminlib_jobwidget::waitForState(int id, int state)
{
    return QTest::qWaitFor([&] { return jobState(id) == state; }, 10000);
}

int tst_adminlib_jobwidget::prepareJob(const QString& queue, Prepare prepare)
{
    const int id = m_server.submitHeldJob(queue, QStringLiteral("Job %1").arg(int(prepare)));
    if (!id)
        return 0;
    const QString job = QString::number(id);
    const QStringList resumeArguments = {QStringLiteral("-i"), job, QStringLiteral("-H"), QStringLiteral("resume")};
    const auto resume = [&] { m_server.runTool(QStringLiteral("lp"), resumeArguments); };
    switch (prepare) {
    case Prepare::Held:
        return id;
    case Prepare::Pending:
        resume();
        return waitForState(id, IPP_JSTATE_PENDING) ? id : 0;
    case Prepare::Canceled:
        m_server.runTool(QStringLiteral("cancel"), {job});
        return waitForState(id, IPP_JSTATE_CANCELED) ? id : 0;
    case Prepare::Completed:
        m_server.runTool(QStringLiteral("cupsenable"), {queue});
        resume();
        const bool completed = waitForState(id, IPP_JSTATE_COMPLETED);
        m_server.runTool(QStringLiteral("cupsdisable"), {queue});
        return completed ? id : 0;
    }
    return 0;
}

void tst_adminlib_jobwidget::knownWorld_data()
{
    QTest::addColumn<QString>("dest");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QList<int>>("jobIndexes");

    const QStringList onDefault = {QStringLiteral("Quarterly report"), QStringLiteral("Invoice 2026-117")};
    QTest::newRow("default printer") << CupsTestServer::defaultPrinter << onDefault << QList<int>{0, 1};
    QTest::newRow("printer not shared") << CupsTestServer::plainPrinter << QStringList{QStringLiteral("Site plan")}
                                        << QList<int>{2};
    QTest::newRow("stopped printer without jobs") << CupsTestServer::stoppedPrinter << QStringList() << QList<int>();
    QTest::newRow("class") << CupsTestServer::className << QStringList() << QList<int>();
    QTest::newRow("unknown destination") << QStringLiteral("nosuchqueue") << QStringList() << QList<int>();
    QTest::newRow("name with a path") << QStringLiteral("../alpha") << QStringList() << QList<int>();
}

void tst_adminlib_jobwidget::knownWorld()
{
    QFETCH(QString, dest);
    QFETCH(QStringList, titles);
    QFETCH(QList<int>, jobIndexes);

    JobWidget widget;
    QSignalSpy changed(&widget, &JobWidget::jobsStateChanged);
    widget.load(m_connection, dest);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(widget.columnCount(), 6);
    QCOMPARE(widget.topLevelItemCount(), titles.size());
    for (int i = 0; i < titles.size(); ++i) {
        const QTreeWidgetItem* item = widget.topLevelItem(i);
        QCOMPARE(item->text(JobWidget::IdColumn).toInt(), m_server.heldJobs().at(jobIndexes.at(i)));
        QCOMPARE(item->text(JobWidget::TitleColumn), titles.at(i));
        QCOMPARE(item->text(JobWidget::UserColumn), QStringLiteral("root"));
        QVERIFY(!item->text(JobWidget::SizeColumn).isEmpty());
        QVERIFY(!item->text(JobWidget::TimeColumn).isEmpty());
        QCOMPARE(item->text(JobWidget::StateColumn), QStringLiteral("held"));
        QCOMPARE(stateOf(item), int(IPP_JSTATE_HELD));
    }
}

void tst_adminlib_jobwidget::networkTextShown_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("shown");

    const QString markup = QStringLiteral("<b>bold</b> &amp; <img src=\"x\">");
    const QString nonLatin = QStringLiteral("Отчёт №5 — 東京 👩\u200D💻");
    QTest::newRow("markup") << markup << markup;
    QTest::newRow("non-latin, joiner kept") << nonLatin << nonLatin;
    QTest::newRow("override") << QStringLiteral("invoice\u202Etxt.exe") << QStringLiteral("invoice<RLO>txt.exe");
    QTest::newRow("isolate and mark") << QStringLiteral("\u2067abc\u2069\u200F.pdf")
                                      << QStringLiteral("<RLI>abc<PDI><RLM>.pdf");
}

void tst_adminlib_jobwidget::networkTextShown()
{
    QFETCH(QString, title);
    QFETCH(QString, shown);

    const int id = m_server.submitHeldJob(stoppedQueue, title);
    QVERIFY2(id, qPrintable(m_server.errorString()));
    JobWidget widget;
    widget.load(m_connection, stoppedQueue);
    const QTreeWidgetItem* item = itemForJob(widget, id);
    QVERIFY(item);
    QCOMPARE(item->text(JobWidget::TitleColumn), shown);
    QCOMPARE(stateOf(item), int(IPP_JSTATE_HELD));
}

void tst_adminlib_jobwidget::actionStates_data()
{
    QTest::addColumn<QString>("queue");
    QTest::addColumn<Prepare>("prepare");
    QTest::addColumn<bool>("select");
    QTest::addColumn<QList<bool>>("enabled");

    // In the order of the actions: cancel, hold, release, move, reprint, show completed.
    QTest::newRow("held") << stoppedQueue << Prepare::Held << true << QList<bool>{true, false, true, true, false, true};
    QTest::newRow("pending") << stoppedQueue << Prepare::Pending << true
                             << QList<bool>{true, true, false, true, false, true};
    QTest::newRow("completed") << finishingQueue << Prepare::Completed << true
                               << QList<bool>{false, false, false, false, true, true};
    QTest::newRow("canceled") << stoppedQueue << Prepare::Canceled << true
                              << QList<bool>{false, false, false, false, true, true};
    QTest::newRow("nothing selected") << stoppedQueue << Prepare::Held << false
                                      << QList<bool>{false, false, false, false, false, true};
}

void tst_adminlib_jobwidget::actionStates()
{
    QFETCH(QString, queue);
    QFETCH(Prepare, prepare);
    QFETCH(bool, select);
    QFETCH(QList<bool>, enabled);

    const int id = prepareJob(queue, prepare);
    QVERIFY2(id, qPrintable(m_server.errorString()));
    JobWidget widget;
    widget.showCompletedAction->setChecked(true);
    widget.load(m_connection, queue);
    QTreeWidgetItem* item = itemForJob(widget, id);
    QVERIFY(item);
    widget.setCurrentItem(select ? item : nullptr);
    const QList<QAction*> actions = actionsOf(widget);
    for (int i = 0; i < actions.size(); ++i)
        QVERIFY2(actions.at(i)->isEnabled() == enabled.at(i), qPrintable(actions.at(i)->text()));
}

void tst_adminlib_jobwidget::jobActions_data()
{
    QTest::addColumn<QString>("queue");
    QTest::addColumn<Prepare>("prepare");
    QTest::addColumn<int>("action");
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("endQueue");
    // The job's state in the reloaded list; 0 when it has left the list.
    QTest::addColumn<int>("listedState");

    QTest::newRow("cancel") << stoppedQueue << Prepare::Held << int(CancelJob) << int(IPP_JSTATE_CANCELED)
                            << stoppedQueue << 0;
    QTest::newRow("hold") << stoppedQueue << Prepare::Pending << int(HoldJob) << int(IPP_JSTATE_HELD) << stoppedQueue
                          << int(IPP_JSTATE_HELD);
    QTest::newRow("release") << stoppedQueue << Prepare::Held << int(ReleaseJob) << int(IPP_JSTATE_PENDING)
                             << stoppedQueue << int(IPP_JSTATE_PENDING);
    QTest::newRow("release then print") << CupsTestServer::defaultPrinter << Prepare::Held << int(ReleaseJob)
                                        << int(IPP_JSTATE_COMPLETED) << CupsTestServer::defaultPrinter << -1;
    QTest::newRow("move") << stoppedQueue << Prepare::Held << int(MoveJob) << int(IPP_JSTATE_HELD)
                          << CupsTestServer::plainPrinter << 0;
    // The queue is stopped again, so the reprinted job waits as pending.
    QTest::newRow("reprint") << finishingQueue << Prepare::Completed << int(ReprintJob) << int(IPP_JSTATE_PENDING)
                             << finishingQueue << int(IPP_JSTATE_PENDING);
}

void tst_adminlib_jobwidget::jobActions()
{
    QFETCH(QString, queue);
    QFETCH(Prepare, prepare);
    QFETCH(int, action);
    QFETCH(int, state);
    QFETCH(QString, endQueue);
    QFETCH(int, listedState);

    const int id = prepareJob(queue, prepare);
    QVERIFY2(id, qPrintable(m_server.errorString()));
    JobWidget widget;
    widget.showCompletedAction->setChecked(prepare == Prepare::Completed);
    widget.load(m_connection, queue);
    QTreeWidgetItem* item = itemForJob(widget, id);
    QVERIFY(item);
    widget.setCurrentItem(item);

    QSignalSpy changed(&widget, &JobWidget::jobsStateChanged);
    ModalDriver driver;
    QStringList offered;
    answerChooser(driver, CupsTestServer::plainPrinter, &offered);
    actionsOf(widget).at(action)->trigger();
    QVERIFY2(driver.messages.isEmpty(), qPrintable(driver.messages.join(QLatin1Char('\n'))));
    QCOMPARE(changed.count(), 1);

    QVERIFY(waitForState(id, state));
    QString output;
    QVERIFY(m_server.runTool(QStringLiteral("lpstat"),
                             {QStringLiteral("-W"), QStringLiteral("all"), QStringLiteral("-o"), endQueue}, &output));
    QVERIFY2(output.contains(QStringLiteral("%1-%2 ").arg(endQueue).arg(id)), qPrintable(output));

    if (action == MoveJob) {
        QVERIFY(!offered.contains(queue));
        QVERIFY(offered.contains(CupsTestServer::className));
    }
    if (listedState >= 0) {
        const QTreeWidgetItem* listed = itemForJob(widget, id);
        QCOMPARE(listed ? stateOf(listed) : 0, listedState);
        // The selection follows the job across the reload.
        if (listed)
            QCOMPARE(widget.currentItem(), listed);
    }
}

void tst_adminlib_jobwidget::showCompletedJobs()
{
    const int id = prepareJob(finishingQueue, Prepare::Completed);
    QVERIFY2(id, qPrintable(m_server.errorString()));
    JobWidget widget;
    widget.load(m_connection, finishingQueue);
    QVERIFY(!itemForJob(widget, id));

    QSignalSpy changed(&widget, &JobWidget::jobsStateChanged);
    widget.showCompletedAction->setChecked(true);
    QCOMPARE(changed.count(), 1);
    const QTreeWidgetItem* item = itemForJob(widget, id);
    QVERIFY(item);
    QCOMPARE(stateOf(item), int(IPP_JSTATE_COMPLETED));
    QCOMPARE(item->text(JobWidget::StateColumn), QStringLiteral("completed"));

    widget.showCompletedAction->setChecked(false);
    QCOMPARE(changed.count(), 2);
    QVERIFY(!itemForJob(widget, id));
}

void tst_adminlib_jobwidget::paintedRowsFollowTheList_data()
{
    QTest::addColumn<Prepare>("prepare");
    QTest::addColumn<int>("action");

    QTest::newRow("cancel") << Prepare::Held << int(CancelJob);
    QTest::newRow("hold") << Prepare::Pending << int(HoldJob);
    QTest::newRow("release") << Prepare::Held << int(ReleaseJob);
    QTest::newRow("move") << Prepare::Held << int(MoveJob);
    QTest::newRow("reprint") << Prepare::Completed << int(ReprintJob);
    QTest::newRow("hide completed") << Prepare::Completed << int(ShowCompleted);
}

// What the window shows, not only what the model holds: a row the list lost
// must not stay on the screen.
void tst_adminlib_jobwidget::paintedRowsFollowTheList()
{
    QFETCH(Prepare, prepare);
    QFETCH(int, action);

    const QString queue = QStringLiteral("paint%1").arg(QTest::currentDataTag()).remove(QLatin1Char(' '));
    QVERIFY(m_server.runTool(QStringLiteral("lpadmin"), {QStringLiteral("-p"), queue, QStringLiteral("-E"),
                                                         QStringLiteral("-v"), QStringLiteral("file:///dev/null")}));
    QVERIFY(m_server.runTool(QStringLiteral("cupsdisable"), {queue}));
    const int first = prepareJob(queue, prepare);
    QVERIFY2(first, qPrintable(m_server.errorString()));
    for (int i = 0; i < 3; ++i)
        QVERIFY(m_server.submitHeldJob(queue, QStringLiteral("Later %1").arg(i)));

    JobWidget widget;
    widget.resize(600, 300);
    widget.showCompletedAction->setChecked(prepare == Prepare::Completed);
    widget.load(m_connection, queue);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    widget.setCurrentItem(widget.topLevelItem(0));
    QCOMPARE(widget.topLevelItem(0)->text(JobWidget::IdColumn).toInt(), first);
    QTest::qWait(50);

    ModalDriver driver;
    QStringList offered;
    answerChooser(driver, CupsTestServer::plainPrinter, &offered);
    if (action == ShowCompleted)
        widget.showCompletedAction->setChecked(false);
    else
        actionsOf(widget).at(action)->trigger();
    QVERIFY2(driver.messages.isEmpty(), qPrintable(driver.messages.join(QLatin1Char('\n'))));
    QTest::qWait(100);

    const QImage painted = widget.screen()->grabWindow(widget.winId()).toImage().convertToFormat(QImage::Format_RGB32);
    const QImage expected = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(painted.size(), expected.size());
    QVERIFY2(painted == expected, "the window shows rows the list no longer has");
}

// Last: it stops the scheduler.
void tst_adminlib_jobwidget::deadServer()
{
    JobWidget widget;
    widget.load(m_connection, CupsTestServer::defaultPrinter);
    QVERIFY(widget.topLevelItemCount() > 0);
    widget.setCurrentItem(widget.topLevelItem(0));
    m_server.stop();

    ModalDriver driver;
    widget.cancelAction->trigger();
    QCOMPARE(driver.messages.size(), 1);
    QCOMPARE(widget.topLevelItemCount(), 0);
    widget.load(m_connection, CupsTestServer::defaultPrinter);
    QCOMPARE(widget.topLevelItemCount(), 0);
    widget.load(QPointer<Cups::HTTP>(), CupsTestServer::defaultPrinter);
    QCOMPARE(widget.topLevelItemCount(), 0);
}

QTEST_MAIN(tst_adminlib_jobwidget)
#include "tst_jobwidget.moc"
