#include "ClassMembers.h"
#include "CupsHttp.h"
#include "CupsPointers.h"
#include "CupsTestServer.h"
#include "JobWidget.h"
#include "ModalDriver.h"
#include "PrintersWidget.h"
#include "PrivateBus.h"
#include "TesselIcon.h"
#include "TesselInit.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSettings>
#include <QSplitter>
#include <QStandardPaths>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>
#include <QSignalSpy>
#include <QtTest>

#include <cups/cups.h>

#include <csignal>
#include <functional>
#include <memory>

namespace {

const QString alphaQueue = CupsTestServer::defaultPrinter;
const QString betaQueue = CupsTestServer::stoppedPrinter;
const QString gammaQueue = CupsTestServer::plainPrinter;
const QString teamQueue = CupsTestServer::className;
// The widget never sends it, so it brackets what the widget sent.
const QString marker = QStringLiteral("CUPS-Get-Classes");
constexpr int waitMs = 15000;

// Answers the message boxes that the widget opens with the next button of a
// script (closing them once it is used up), any other dialog by a handler.
class Answerer : public QObject
{
public:
    explicit Answerer(const QList<QMessageBox::StandardButton>& buttons = {})
        : m_buttons(buttons)
    {
        connect(&m_timer, &QTimer::timeout, this, &Answerer::poll);
        m_timer.start(5);
    }

    QStringList titles;
    QStringList texts;
    std::function<void(QWidget*)> otherDialog;

private:
    void poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal->property("tst-answered").toBool())
            return;
        modal->setProperty("tst-answered", true);
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box) {
            otherDialog(modal);
            return;
        }
        titles << box->windowTitle();
        texts << box->text();
        if (m_buttons.isEmpty())
            box->close();
        else
            box->button(m_buttons.takeFirst())->click();
    }

    QList<QMessageBox::StandardButton> m_buttons;
    QTimer m_timer;
};

QTreeWidgetItem* group(const PrintersWidget& widget, const QString& title)
{
    return widget.destinationTree()->findItems(title, Qt::MatchExactly).value(0);
}

QStringList childNames(const PrintersWidget& widget, const QString& title)
{
    QStringList names;
    for (int i = 0; i < group(widget, title)->childCount(); ++i)
        names << group(widget, title)->child(i)->text(0);
    return names;
}

QTreeWidgetItem* itemOf(const PrintersWidget& widget, const QString& name)
{
    return widget.destinationTree()->findItems(name, Qt::MatchExactly | Qt::MatchRecursive).value(0);
}

void select(const PrintersWidget& widget, const QString& name)
{
    widget.destinationTree()->setCurrentItem(itemOf(widget, name));
}

QVariantMap attributesOf(const PrintersWidget& widget, const QString& name)
{
    return itemOf(widget, name)->data(0, Qt::UserRole).toMap();
}

int stateOf(const PrintersWidget& widget, const QString& name)
{
    return attributesOf(widget, name).value(QStringLiteral("printer-state")).toList().value(0).toInt();
}

QStringList infoLines(const PrintersWidget& widget)
{
    return widget.findChild<QTextEdit*>()->toPlainText().split(QLatin1Char('\n'));
}

QImage imageOf(const QIcon& icon)
{
    return icon.pixmap(32, 32).toImage();
}

QImage printerImage(const QStringList& emblems, bool userDefault)
{
    const QIcon icon = TesselIcon::fromTheme(QStringLiteral("printer"), TesselIcon::DeviceContext, emblems);
    return imageOf(userDefault ? TesselIcon::withEmblems(icon, {QStringLiteral("emblem-favorite")}) : icon);
}

// The operation names of the scheduler's access log, in order.
QStringList operations(const QStringList& lines)
{
    QStringList result;
    for (const QString& line : lines)
        result << line.section(QLatin1Char(' '), -2, -2);
    return result;
}

} // namespace

class TestPrintersWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void treeFollowsFilters_data();
    void treeFollowsFilters();
    void stoppedDefaultPrinterWearsEveryStar();
    void reloadKeepsTheView_data();
    void reloadKeepsTheView();
    void classSelection();
    void infoPaneKeepsItsPlaceAndOrder();
    void pauseAndResume_data();
    void pauseAndResume();
    void deleteSendsTheOperationOfItsKind_data();
    void deleteSendsTheOperationOfItsKind();
    void userDefaultToggles();
    void serverDefault();
    void purgeRemovesTheJobs();
    void emptyClassIsRefused();
    void turningToJobsListsThem();
    void testPageReachesTheScheduler();
    void zeroIntervalStopsTheTimer();
    void spoolerSignals();
    void requestsDoNotGrowWithQueues_data();
    void requestsDoNotGrowWithQueues();
    void refusedPasswordStopsTheRefresh_data();
    void refusedPasswordStopsTheRefresh();
    void rightClickOpensOneMenu();
    void treeKeys_data();
    void treeKeys();
    void paneForgetsAGoneDestination_data();
    void paneForgetsAGoneDestination();
    void splitterKeepsWhatWasShown();

private:
    bool startServer(CupsTestServer::Options options = {});
    QString run(const QString& tool, const QStringList& arguments);
    bool requestsOf(const std::function<void()>& action, QStringList* sent);

    PrivateBus m_systemBus{PrivateBus::Kind::System};
    // The client library reads HOME once per process, so every scheduler of
    // the run shares one home for the user's options and the settings.
    QTemporaryDir m_home;
    std::unique_ptr<CupsTestServer> m_server;
};

void TestPrintersWidget::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    const QString reason = CupsTestServer::unavailableReason(CupsTestServer::Mode::Open);
    if (!reason.isEmpty())
        QSKIP(qPrintable(reason));
    // Before any widget exists: the widget must only ever hear this bus.
    QVERIFY2(m_systemBus.start(), qPrintable(m_systemBus.errorString()));
    m_systemBus.exportAddress();
    tesselInstallIconFallbacks();
    QVERIFY(QDir(m_home.path()).mkpath(QStringLiteral(".cups")));
    qputenv("HOME", QFile::encodeName(m_home.path()));
    cupsServer();
}

void TestPrintersWidget::init()
{
    QFile::remove(m_home.filePath(QStringLiteral(".cups/lpoptions")));
    QSettings settings;
    settings.clear();
    settings.setValue(QStringLiteral("Printer Tree/Update Interval"), 0);
}

void TestPrintersWidget::cleanup()
{
    m_server.reset();
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

bool TestPrintersWidget::startServer(CupsTestServer::Options options)
{
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

QString TestPrintersWidget::run(const QString& tool, const QStringList& arguments)
{
    QString output;
    if (!m_server->runTool(tool, arguments, &output))
        qWarning("%s", qPrintable(m_server->errorString()));
    return output;
}

bool TestPrintersWidget::requestsOf(const std::function<void()>& action, QStringList* sent)
{
    const auto markers = [this] { return operations(m_server->accessLog()).count(marker); };
    const auto sendMarker = [] {
        http_t* http = Cups::HTTP::getUniqueConnection()->http;
        Cups::IppPtr(cupsDoRequest(http, ippNewRequest(IPP_OP_CUPS_GET_CLASSES), "/"));
    };
    const int before = markers();
    sendMarker();
    // The scheduler writes its log a moment after it answered.
    if (!QTest::qWaitFor([&] { return markers() == before + 1; }, waitMs))
        return false;
    action();
    sendMarker();
    if (!QTest::qWaitFor([&] { return markers() == before + 2; }, waitMs))
        return false;
    const QStringList all = operations(m_server->accessLog());
    int seen = 0;
    sent->clear();
    for (const QString& operation : all) {
        if (operation == marker)
            ++seen;
        else if (seen == before + 1)
            sent->append(operation);
    }
    return true;
}

void TestPrintersWidget::treeFollowsFilters_data()
{
    QTest::addColumn<bool>("showLocal");
    QTest::addColumn<bool>("showNotShared");
    QTest::addColumn<QStringList>("printers");
    QTest::addColumn<QStringList>("classes");

    const QStringList all = {alphaQueue, betaQueue, gammaQueue};
    QTest::newRow("everything") << true << true << all << QStringList{teamQueue};
    QTest::newRow("no-not-shared") << true << false << QStringList{alphaQueue, betaQueue} << QStringList{teamQueue};
    QTest::newRow("no-local") << false << true << QStringList{} << QStringList{};
}

void TestPrintersWidget::treeFollowsFilters()
{
    QFETCH(bool, showLocal);
    QFETCH(bool, showNotShared);
    QFETCH(QStringList, printers);
    QFETCH(QStringList, classes);
    QVERIFY(startServer());
    QSettings().setValue(QStringLiteral("ShowLocalPrinters"), showLocal);
    QSettings().setValue(QStringLiteral("ShowNotSharedPrinters"), showNotShared);

    PrintersWidget widget;
    widget.load();
    QCOMPARE(childNames(widget, QStringLiteral("Printers")), printers);
    QCOMPARE(childNames(widget, QStringLiteral("Classes")), classes);

    widget.showNotSharedAction()->trigger();
    QCOMPARE(childNames(widget, QStringLiteral("Printers")).contains(gammaQueue), showLocal && !showNotShared);
    widget.saveSettings();
    QCOMPARE(QSettings().value(QStringLiteral("ShowNotSharedPrinters")).toBool(), !showNotShared);
}

void TestPrintersWidget::stoppedDefaultPrinterWearsEveryStar()
{
    QVERIFY(startServer());
    run(QStringLiteral("lpadmin"), {QStringLiteral("-d"), betaQueue});
    QFile options(m_home.filePath(QStringLiteral(".cups/lpoptions")));
    QVERIFY(options.open(QIODevice::WriteOnly) && options.write("Default beta\n") > 0);
    options.close();

    PrintersWidget widget;
    widget.load();
    const QStringList stoppedDefault = {QString(), QStringLiteral("emblem-unreadable"), QString(),
                                        QStringLiteral("emblem-favorite")};
    QCOMPARE(imageOf(itemOf(widget, betaQueue)->icon(0)), printerImage(stoppedDefault, true));
    QCOMPARE(imageOf(itemOf(widget, alphaQueue)->icon(0)), printerImage({}, false));
    select(widget, betaQueue);
    QCOMPARE(imageOf(itemOf(widget, betaQueue)->icon(0)), printerImage(stoppedDefault, true));
}

void TestPrintersWidget::reloadKeepsTheView_data()
{
    QTest::addColumn<bool>("classesExpanded");

    // The selection, among the printers, keeps its own group open anyway.
    QTest::newRow("classes-collapsed") << false;
    QTest::newRow("classes-expanded") << true;
}

void TestPrintersWidget::reloadKeepsTheView()
{
    QFETCH(bool, classesExpanded);
    CupsTestServer::Options options;
    options.extraQueues = 40;
    QVERIFY(startServer(options));

    PrintersWidget widget;
    widget.resize(700, 300);
    widget.show();
    widget.load();
    QVERIFY(!group(widget, QStringLiteral("Printers"))->isExpanded());
    QVERIFY(!group(widget, QStringLiteral("Classes"))->isExpanded());

    group(widget, QStringLiteral("Printers"))->setExpanded(true);
    group(widget, QStringLiteral("Classes"))->setExpanded(classesExpanded);
    select(widget, QStringLiteral("queue030"));
    widget.tabWidget()->setCurrentWidget(widget.jobWidget());
    QScrollBar* scroll = widget.destinationTree()->verticalScrollBar();
    scroll->setValue(scroll->maximum() / 2);
    const int position = scroll->value();
    QVERIFY(position > 0);

    widget.load();
    QCOMPARE(widget.destinationTree()->currentItem()->text(0), QStringLiteral("queue030"));
    QCOMPARE(widget.destinationTree()->verticalScrollBar()->value(), position);
    QCOMPARE(widget.tabWidget()->currentWidget(), widget.jobWidget());
    QCOMPARE(group(widget, QStringLiteral("Classes"))->isExpanded(), classesExpanded);
}

void TestPrintersWidget::infoPaneKeepsItsPlaceAndOrder()
{
    QVERIFY(startServer());
    const QString description = QStringLiteral("Second floor ").repeated(60) + QChar(0x202E) + QStringLiteral("txt.exe");
    run(QStringLiteral("lpadmin"), {QStringLiteral("-p"), betaQueue, QStringLiteral("-D"), description});
    const QString hostileName = QStringLiteral("report") + QChar(0x202E) + QStringLiteral("fdp");
    run(QStringLiteral("lpadmin"), {QStringLiteral("-p"), hostileName, QStringLiteral("-E"), QStringLiteral("-v"),
                                    QStringLiteral("file:///dev/null")});
    PrintersWidget widget;
    widget.resize(500, 250);
    widget.show();
    widget.load();
    select(widget, betaQueue);
    QScrollBar* scroll = widget.findChild<QTextEdit*>()->verticalScrollBar();
    QVERIFY(QTest::qWaitFor([scroll] { return scroll->maximum() > 0; }));
    scroll->setValue(0);

    widget.load();
    QCOMPARE(scroll->value(), 0);
    // The override is shown, not obeyed.
    const QString shown = infoLines(widget).filter(QStringLiteral("Description: ")).value(0);
    QVERIFY2(shown.endsWith(QStringLiteral("Second floor <RLO>txt.exe")), qPrintable(shown));
    // The tree keeps the name as it is, for requests, and shows it defused.
    const QTreeWidgetItem* item = itemOf(widget, hostileName);
    QVERIFY(item);
    QTreeWidget* tree = widget.destinationTree();
    const auto* delegate = qobject_cast<QStyledItemDelegate*>(tree->itemDelegate());
    QVERIFY(delegate);
    QCOMPARE(delegate->displayText(item->text(0), QLocale()), QStringLiteral("report<RLO>fdp"));
}

void TestPrintersWidget::classSelection()
{
    QVERIFY(startServer());
    PrintersWidget widget;
    widget.load();
    select(widget, teamQueue);
    const QStringList lines = infoLines(widget);
    QVERIFY2(lines.contains(QStringLiteral("State: idle")), qPrintable(lines.join(QLatin1Char('|'))));
    // A class has no device of its own, whatever its attributes say.
    QVERIFY(lines.filter(QStringLiteral("Device URI: ")).isEmpty());
    QVERIFY(widget.playAction()->isEnabled() && widget.deleteAction()->isEnabled());
    QVERIFY(widget.editAction()->isEnabled() && widget.addAction()->isEnabled());
    // The selected destination holds all its attributes, not only the tree's few.
    QVERIFY(attributesOf(widget, teamQueue).contains(QStringLiteral("printer-state-change-time")));
    QCOMPARE(widget.tabWidget()->tabText(2), QStringLiteral("Setup"));
    QCOMPARE(widget.tabWidget()->tabText(3), QStringLiteral("Members"));
    const auto* members = qobject_cast<QTreeWidget*>(widget.tabWidget()->widget(3));
    QCOMPARE(members->topLevelItemCount(), CupsTestServer::classMembers.size());
    QCOMPARE(members->topLevelItem(1)->text(0), gammaQueue);

    widget.destinationTree()->setCurrentItem(group(widget, QStringLiteral("Printers")));
    QCOMPARE(widget.tabWidget()->count(), 0);
    QVERIFY(!widget.playAction()->isEnabled() && !widget.deleteAction()->isEnabled());
}

void TestPrintersWidget::pauseAndResume_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("stateAfter");
    QTest::addColumn<QString>("textAfter");

    QTest::newRow("idle-printer") << alphaQueue << 5 << "Resume";
    QTest::newRow("stopped-printer") << betaQueue << 3 << "Pause";
    QTest::newRow("class") << teamQueue << 5 << "Resume";
}

void TestPrintersWidget::pauseAndResume()
{
    QFETCH(QString, name);
    QFETCH(int, stateAfter);
    QFETCH(QString, textAfter);
    QVERIFY(startServer());

    PrintersWidget widget;
    widget.load();
    select(widget, name);
    widget.playAction()->trigger();
    QCOMPARE(run(QStringLiteral("lpstat"), {QStringLiteral("-p"), name}).contains(QLatin1String("disabled")),
             stateAfter == 5);
    QCOMPARE(stateOf(widget, name), stateAfter);
    QCOMPARE(widget.playAction()->text(), textAfter);
    const QString stateLine = stateAfter == 5 ? QStringLiteral("State: stopped") : QStringLiteral("State: idle");
    QVERIFY(infoLines(widget).contains(stateLine));
}

void TestPrintersWidget::deleteSendsTheOperationOfItsKind_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("operation");

    QTest::newRow("class") << teamQueue << "Deleting class team. Are you sure?" << "CUPS-Delete-Class";
    QTest::newRow("printer") << gammaQueue << "Deleting printer gamma. Are you sure?" << "CUPS-Delete-Printer";
}

void TestPrintersWidget::deleteSendsTheOperationOfItsKind()
{
    QFETCH(QString, name);
    QFETCH(QString, question);
    QFETCH(QString, operation);
    QVERIFY(startServer());

    PrintersWidget widget;
    widget.load();
    select(widget, name);
    Answerer answerer({QMessageBox::Yes});
    widget.deleteAction()->trigger();
    QCOMPARE(answerer.texts, QStringList{question});
    QVERIFY(!itemOf(widget, name));
    QVERIFY(itemOf(widget, alphaQueue));
    QTRY_COMPARE(operations(m_server->accessLog()).filter(QStringLiteral("CUPS-Delete-")), QStringList{operation});
}

void TestPrintersWidget::userDefaultToggles()
{
    QVERIFY(startServer());
    PrintersWidget widget;
    widget.load();
    select(widget, gammaQueue);
    QFile options(m_home.filePath(QStringLiteral(".cups/lpoptions")));

    widget.userDefaultAction()->trigger();
    QVERIFY(options.open(QIODevice::ReadOnly) && options.readAll().contains("Default gamma"));
    options.close();
    QVERIFY(infoLines(widget).contains(QStringLiteral("Default")));
    QCOMPARE(imageOf(itemOf(widget, gammaQueue)->icon(0)), printerImage({}, true));

    widget.userDefaultAction()->trigger();
    QVERIFY(options.open(QIODevice::ReadOnly) && !options.readAll().contains("Default"));
    QVERIFY(!infoLines(widget).contains(QStringLiteral("Default")));
    QCOMPARE(imageOf(itemOf(widget, gammaQueue)->icon(0)), printerImage({}, false));
}

void TestPrintersWidget::serverDefault()
{
    QVERIFY(startServer());
    PrintersWidget widget;
    widget.load();
    select(widget, gammaQueue);
    widget.defaultAction()->trigger();
    QVERIFY(run(QStringLiteral("lpstat"), {QStringLiteral("-d")}).contains(QLatin1String("destination: gamma")));
    QVERIFY(!widget.defaultAction()->isEnabled());
    select(widget, alphaQueue);
    QVERIFY(widget.defaultAction()->isEnabled());
}

void TestPrintersWidget::purgeRemovesTheJobs()
{
    QVERIFY(startServer());
    PrintersWidget widget;
    widget.load();
    select(widget, betaQueue);
    widget.tabWidget()->setCurrentWidget(widget.jobWidget());
    // The jobs are listed, and Purge enabled, when a destination is selected
    // with the Jobs tab showing.
    select(widget, alphaQueue);
    QCOMPARE(widget.jobWidget()->topLevelItemCount(), CupsTestServer::heldJobsOnDefault);

    Answerer answerer({QMessageBox::Ok});
    widget.purgeAction()->trigger();
    QCOMPARE(answerer.titles, QStringList{QStringLiteral("Purge jobs confirmation")});
    QVERIFY(run(QStringLiteral("lpstat"), {QStringLiteral("-o"), alphaQueue}).isEmpty());
    QCOMPARE(widget.jobWidget()->topLevelItemCount(), 0);
    QVERIFY(!widget.purgeAction()->isEnabled());
}

void TestPrintersWidget::turningToJobsListsThem()
{
    QVERIFY(startServer());
    PrintersWidget widget;
    QSignalSpy counted(widget.jobWidget(), SIGNAL(jobsStateChanged()));
    widget.load();
    select(widget, alphaQueue);
    QVERIFY(widget.tabWidget()->currentWidget() != widget.jobWidget());
    QVERIFY(!widget.purgeAction()->isEnabled());

    widget.tabWidget()->setCurrentWidget(widget.jobWidget());
    QCOMPARE(widget.jobWidget()->topLevelItemCount(), CupsTestServer::heldJobsOnDefault);
    QVERIFY(widget.purgeAction()->isEnabled());

    // Another selection empties the list and tells the counters at once.
    counted.clear();
    select(widget, betaQueue);
    QCOMPARE(widget.jobWidget()->topLevelItemCount(), 0);
    QVERIFY(!counted.isEmpty());
}

void TestPrintersWidget::emptyClassIsRefused()
{
    QVERIFY(startServer());
    PrintersWidget widget;
    widget.load();
    select(widget, teamQueue);

    Answerer answerer;
    answerer.otherDialog = [](QWidget* dialog) {
        auto* members = dialog->findChild<ClassMembers*>();
        for (const QGroupBox* box : members->findChildren<QGroupBox*>()) {
            if (box->title() == QLatin1String("Included members"))
                box->findChild<QTreeWidget*>()->selectAll();
        }
        for (QPushButton* button : members->findChildren<QPushButton*>()) {
            if (button->text() == QLatin1String("<"))
                button->click();
        }
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    };
    QWidget* membersList = widget.tabWidget()->widget(3);
    QTest::keyClick(membersList, Qt::Key_Return);
    QCOMPARE(answerer.titles, QStringList{QStringLiteral("Empty class")});
    const QString members = run(QStringLiteral("lpstat"), {QStringLiteral("-c"), teamQueue});
    QVERIFY2(members.contains(alphaQueue) && members.contains(gammaQueue), qPrintable(members));
}

void TestPrintersWidget::testPageReachesTheScheduler()
{
    QVERIFY(startServer());
    PrintersWidget widget;
    widget.load();
    // A stopped queue keeps the job where the test can see it.
    select(widget, betaQueue);
    Answerer answerer;
    widget.testPageAction()->trigger();
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("^Test Page sent to beta,\nJob ID: (\\d+)$")).match(answerer.texts.value(0));
    QVERIFY2(match.hasMatch(), qPrintable(answerer.texts.value(0)));
    const QString jobs = run(QStringLiteral("lpstat"), {QStringLiteral("-o"), betaQueue});
    QVERIFY2(jobs.contains(QStringLiteral("beta-") + match.captured(1)), qPrintable(jobs));
}

void TestPrintersWidget::zeroIntervalStopsTheTimer()
{
    PrintersWidget widget;
    QVERIFY(!widget.refreshTimer()->isActive());
    widget.updateTimerStartRequest();
    QVERIFY(!widget.refreshTimer()->isActive());
}

void TestPrintersWidget::spoolerSignals()
{
    CupsTestServer::Options options;
    options.systemBusAddress = m_systemBus.address();
    QVERIFY(startServer(options));
    PrintersWidget widget;
    widget.load();
    select(widget, alphaQueue);

    // The timer is off: only the scheduler's signals can bring these changes.
    run(QStringLiteral("lpadmin"), {QStringLiteral("-p"), QStringLiteral("delta"), QStringLiteral("-E"),
                                    QStringLiteral("-v"), QStringLiteral("file:///dev/null")});
    QTRY_VERIFY_WITH_TIMEOUT(itemOf(widget, QStringLiteral("delta")), waitMs);

    run(QStringLiteral("cupsdisable"), {gammaQueue});
    QTRY_COMPARE_WITH_TIMEOUT(stateOf(widget, gammaQueue), 5, waitMs);
    QCOMPARE(widget.destinationTree()->currentItem()->text(0), alphaQueue);
    QVERIFY(infoLines(widget).contains(QStringLiteral("Name: alpha")));
}

void TestPrintersWidget::requestsDoNotGrowWithQueues_data()
{
    QTest::addColumn<QString>("name");

    QTest::newRow("printer") << gammaQueue;
    QTest::newRow("class") << teamQueue;
}

void TestPrintersWidget::requestsDoNotGrowWithQueues()
{
    QFETCH(QString, name);
    QList<QStringList> selections;
    QList<QStringList> ticks;
    // The known world holds four destinations: 5 and 50 in all.
    for (const int extraQueues : {1, 46}) {
        CupsTestServer::Options options;
        options.extraQueues = extraQueues;
        QVERIFY(startServer(options));
        PrintersWidget widget;
        widget.load();
        select(widget, QStringLiteral("queue001"));

        QStringList selection;
        QVERIFY(requestsOf([&] { select(widget, name); }, &selection));
        // The first refresh subscribes to the scheduler's events and reads
        // everything; the idle ones after it only ask whether anything changed.
        QSignalSpy refreshed(&widget, &PrintersWidget::refreshed);
        QMetaObject::invokeMethod(widget.refreshTimer(), "timeout");
        QVERIFY(refreshed.wait(waitMs));
        QStringList tick;
        bool answered = false;
        QVERIFY(requestsOf(
            [&] {
                QMetaObject::invokeMethod(widget.refreshTimer(), "timeout");
                answered = refreshed.wait(waitMs);
            },
            &tick));
        QVERIFY(answered);
        QCOMPARE(widget.destinationTree()->currentItem()->text(0), name);
        selections << selection;
        ticks << tick;
    }
    QCOMPARE(selections.at(1), selections.at(0));
    QCOMPARE(ticks.at(1), ticks.at(0));
    // A selection reads only its own destination, never the whole list.
    QCOMPARE(selections.first().count(QStringLiteral("CUPS-Get-Printers")), 0);
    QCOMPARE(selections.first().count(QStringLiteral("Get-Printer-Attributes")), 1);
    QCOMPARE(ticks.first(), QStringList{QStringLiteral("Get-Notifications")});
}

void TestPrintersWidget::refusedPasswordStopsTheRefresh_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("refreshed");

    QTest::newRow("refused") << ModalDriver::cancelPrompt << false;
    QTest::newRow("accepted") << CupsTestServer::adminPassword() << true;
}

void TestPrintersWidget::refusedPasswordStopsTheRefresh()
{
    QFETCH(QString, answer);
    QFETCH(bool, refreshed);
    const QString reason = CupsTestServer::unavailableReason(CupsTestServer::Mode::Authenticated);
    if (!reason.isEmpty())
        QSKIP(qPrintable(reason));
    CupsTestServer::Options options;
    options.mode = CupsTestServer::Mode::Authenticated;
    QVERIFY(startServer(options));

    // A policy that wants a password for gamma's attributes, read by a
    // reloading scheduler.
    QFile configuration(m_server->serverRoot() + QStringLiteral("/cupsd.conf"));
    QVERIFY(configuration.open(QIODevice::Append));
    configuration.write("<Policy locked>\n  <Limit Get-Printer-Attributes>\n    AuthType Basic\n"
                        "    Require user @SYSTEM\n    Order deny,allow\n  </Limit>\n"
                        "  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n");
    configuration.close();
    const auto loads = [this] { return m_server->errorLog().count(QLatin1String("Loaded configuration file")); };
    const int loadsBefore = loads();
    QCOMPARE(::kill(pid_t(m_server->pid()), SIGHUP), 0);
    QTRY_VERIFY_WITH_TIMEOUT(loads() > loadsBefore, waitMs);
    QTRY_VERIFY_WITH_TIMEOUT(m_server->runTool(QStringLiteral("lpadmin"),
                                               {QStringLiteral("-p"), gammaQueue, QStringLiteral("-o"),
                                                QStringLiteral("printer-op-policy=locked")}),
                             waitMs);

    PrintersWidget widget;
    widget.load();
    QCOMPARE(stateOf(widget, betaQueue), 5);
    // Behind the widget's back: only a refresh that goes on sees it.
    run(QStringLiteral("cupsenable"), {betaQueue});
    ModalDriver driver({answer});
    select(widget, gammaQueue);
    QCOMPARE(driver.prompts.size(), 1);
    QCOMPARE(attributesOf(widget, gammaQueue).contains(QStringLiteral("printer-state-change-time")), refreshed);

    // The periodic refresh brings the others without ever prompting.
    QSignalSpy answered(&widget, &PrintersWidget::refreshed);
    QMetaObject::invokeMethod(widget.refreshTimer(), "timeout");
    QVERIFY(answered.wait(waitMs));
    QCOMPARE(stateOf(widget, betaQueue), 3);
    QCOMPARE(driver.prompts.size(), 1);
}

void TestPrintersWidget::rightClickOpensOneMenu()
{
    QVERIFY(startServer());
    PrintersWidget widget;
    widget.resize(800, 500);
    widget.load();
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    QTreeWidget* tree = widget.destinationTree();
    tree->expandAll();
    select(widget, alphaQueue);

    int menus = 0;
    QTimer closer;
    connect(&closer, &QTimer::timeout, [&menus] {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            ++menus;
            popup->close();
        }
    });
    closer.start(5);
    // Through the window, as a real click comes, so that the platform makes
    // the context menu event out of it.
    const QPoint inViewport = tree->visualItemRect(itemOf(widget, alphaQueue)).center();
    const QPoint inWindow = tree->viewport()->mapTo(&widget, inViewport);
    QTest::mouseClick(widget.windowHandle(), Qt::RightButton, Qt::NoModifier, inWindow);
    QTest::qWait(200);
    QCOMPARE(menus, 1);
}

void TestPrintersWidget::treeKeys_data()
{
    QTest::addColumn<int>("key");

    QTest::newRow("return") << int(Qt::Key_Return);
    QTest::newRow("delete") << int(Qt::Key_Delete);
    QTest::newRow("f5") << int(Qt::Key_F5);
}

void TestPrintersWidget::treeKeys()
{
    QFETCH(int, key);
    QVERIFY(startServer());
    PrintersWidget widget;
    widget.load();
    select(widget, gammaQueue);
    // Another program's queue shows only after a reload.
    run(QStringLiteral("lpadmin"), {QStringLiteral("-p"), QStringLiteral("omega"), QStringLiteral("-E"),
                                    QStringLiteral("-v"), QStringLiteral("file:///dev/null")});

    Answerer answerer({QMessageBox::No});
    QStringList dialogs;
    answerer.otherDialog = [&dialogs](QWidget* modal) {
        dialogs << QString::fromLatin1(modal->metaObject()->className());
        static_cast<QDialog*>(modal)->reject();
    };
    const bool canEdit = widget.editAction()->isEnabled();
    QTest::keyClick(widget.destinationTree(), Qt::Key(key));

    switch (key) {
    case Qt::Key_Return:
        // Opens the print options when they can be edited, and nothing else.
        QCOMPARE(dialogs.size(), canEdit ? 1 : 0);
        QVERIFY(answerer.texts.isEmpty());
        break;
    case Qt::Key_Delete:
        QCOMPARE(answerer.texts, QStringList{QStringLiteral("Deleting printer gamma. Are you sure?")});
        QVERIFY(itemOf(widget, gammaQueue));
        break;
    case Qt::Key_F5:
        QVERIFY(answerer.texts.isEmpty());
        break;
    }
    QCOMPARE(itemOf(widget, QStringLiteral("omega")) != nullptr, key == Qt::Key_F5);
}

void TestPrintersWidget::paneForgetsAGoneDestination_data()
{
    QTest::addColumn<QString>("how");

    QTest::newRow("deleted here") << "here";
    QTest::newRow("deleted by another program") << "elsewhere";
    QTest::newRow("hidden by a filter") << "filter";
}

void TestPrintersWidget::paneForgetsAGoneDestination()
{
    QFETCH(QString, how);
    QVERIFY(startServer());
    PrintersWidget widget;
    widget.load();
    select(widget, gammaQueue);
    QVERIFY(widget.deleteAction()->isEnabled());
    QVERIFY(!infoLines(widget).join(QString()).isEmpty());

    if (how == QLatin1String("here")) {
        Answerer answerer({QMessageBox::Yes});
        widget.deleteAction()->trigger();
        QVERIFY(answerer.texts.size() == 1);
    } else if (how == QLatin1String("elsewhere")) {
        run(QStringLiteral("lpadmin"), {QStringLiteral("-x"), gammaQueue});
        widget.load();
    } else {
        // gamma is the one queue that is not shared.
        widget.showNotSharedAction()->trigger();
    }

    QVERIFY(!itemOf(widget, gammaQueue));
    QCOMPARE(infoLines(widget).join(QString()), QString());
    QCOMPARE(widget.tabWidget()->count(), 0);
    for (QAction* action : {widget.deleteAction(), widget.playAction(), widget.purgeAction(),
                            widget.testPageAction(), widget.defaultAction()})
        QVERIFY2(!action->isEnabled(), qPrintable(action->text()));
}

void TestPrintersWidget::splitterKeepsWhatWasShown()
{
    QVERIFY(startServer());
    int shown = 0;
    {
        PrintersWidget widget;
        widget.resize(1000, 600);
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        auto* splitter = widget.findChild<QSplitter*>();
        splitter->setSizes({300, 680});
        // The window is resized after the user moved the handle.
        widget.resize(1200, 600);
        QTRY_VERIFY(splitter->sizes().first() > 0);
        shown = splitter->sizes().first();
        widget.saveSettings();
    }
    for (const int width : {900, 1400}) {
        PrintersWidget widget;
        widget.resize(width, 600);
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        QCOMPARE(widget.findChild<QSplitter*>()->sizes().first(), shown);
    }
}

QTEST_MAIN(TestPrintersWidget)
#include "tst_printerswidget.moc"
