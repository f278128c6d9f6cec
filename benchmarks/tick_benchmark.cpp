#include "CupsHttp.h"
#include "CupsTestServer.h"
#include "EventLoopProbe.h"
#include "JobWidget.h"
#include "PrintersWidget.h"
#include "PrivateBus.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <cups/cups.h>

#include <algorithm>
#include <cstdio>
#include <functional>

#include <sys/resource.h>
#include <unistd.h>

// What an idle manager costs and how fast it shows changes, against a private
// scheduler with many queues and one queue with many held jobs. Only what the
// widget offers to everyone is used, so the same program measures any version.
namespace {

constexpr int knownWorldDestinations = 4;
constexpr int intervalSeconds = 2;
constexpr int idleMs = 20000;
constexpr int loadWaitMs = 120000;
constexpr int changeWaitMs = 30000;

double ownCpuMs()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3
           + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

double processCpuMs(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray text = stat.readAll();
    // The fields after the command name, which may hold blanks.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    const double ticks = fields.value(11).toDouble() + fields.value(12).toDouble();
    return ticks * 1e3 / double(::sysconf(_SC_CLK_TCK));
}

QTreeWidgetItem* itemOf(PrintersWidget& widget, const QString& name)
{
    const QList<QTreeWidgetItem*> found = widget.destinationTree()->findItems(
        name, Qt::MatchExactly | Qt::MatchRecursive | Qt::MatchCaseSensitive);
    return found.isEmpty() ? nullptr : found.first();
}

int stateOf(PrintersWidget& widget, const QString& name)
{
    QTreeWidgetItem* item = itemOf(widget, name);
    const QVariantMap attributes = item ? item->data(0, Qt::UserRole).toMap() : QVariantMap();
    return attributes.value(QStringLiteral("printer-state")).toList().value(0).toInt();
}

// Runs the event loop without waking it, unlike QTest::qWait.
void idle(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Milliseconds from the start of the tool until shown() holds; -1 if never.
double changeShownMs(const CupsTestServer& server, const QString& tool, const QStringList& arguments,
                     const std::function<bool()>& shown)
{
    QElapsedTimer clock;
    clock.start();
    QProcess process;
    process.setProcessEnvironment(server.clientEnvironment(true));
    process.start(tool, arguments);
    if (!QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, changeWaitMs)
        || process.exitCode() != 0)
        return -1;
    if (!QTest::qWaitFor(shown, changeWaitMs))
        return -1;
    return double(clock.elapsed());
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);

    int jobs = 5000;
    QList<int> sizes;
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument.startsWith("--jobs="))
            jobs = argument.mid(7).toInt();
        else
            sizes << argument.toInt();
    }
    if (sizes.isEmpty())
        sizes = {20, 200, 500, 1000};

    PrivateBus systemBus(PrivateBus::Kind::System);
    if (!systemBus.start()) {
        std::fprintf(stderr, "%s\n", qPrintable(systemBus.errorString()));
        return 1;
    }
    systemBus.exportAddress();
    QTemporaryDir home;
    qputenv("HOME", QFile::encodeName(home.path()));
    QSettings().setValue(QStringLiteral("Printer Tree/Update Interval"), intervalSeconds);

    std::printf("interval %d s, idle %d s with alpha selected (Info), then gamma with %d held jobs on its Jobs tab\n",
                intervalSeconds, idleMs / 1000, jobs);
    std::printf("%7s %13s %13s %15s %14s %13s %12s %12s %12s\n", "queues", "idle cpu ms", "req/tick",
                "cupsd cpu ms", "jobs stall ms", "jobs cpu ms", "disable ms", "add ms", "job ms");
    for (const int size : sizes) {
        CupsTestServer server;
        CupsTestServer::Options options;
        options.extraQueues = std::max(0, size - knownWorldDestinations);
        options.extraJobs = jobs;
        options.extraJobsQueue = CupsTestServer::plainPrinter;
        options.logAllRequests = true;
        if (!server.start(options)) {
            std::fprintf(stderr, "%s\n", qPrintable(server.errorString()));
            return 1;
        }
        server.pointClientAt();
        Cups::HTTP* connection = Cups::HTTP::getUniqueConnection();
        if (!connection || !connection->reconnect()) {
            std::fprintf(stderr, "no connection to the private scheduler\n");
            return 1;
        }

        PrintersWidget widget;
        widget.resize(900, 600);
        widget.show();
        widget.load();
        const auto destinationCount = [&widget] {
            int count = 0;
            QTreeWidget* tree = widget.destinationTree();
            for (int i = 0; i < tree->topLevelItemCount(); ++i)
                count += tree->topLevelItem(i)->childCount();
            return count;
        };
        if (!QTest::qWaitFor([&] { return destinationCount() >= size; }, loadWaitMs)) {
            std::fprintf(stderr, "the tree did not fill (%d of %d)\n", destinationCount(), size);
            return 1;
        }
        widget.destinationTree()->expandAll();
        widget.DisplayDest(CupsTestServer::defaultPrinter);
        widget.tabWidget()->setCurrentIndex(0);
        QTest::qWait(3000);

        const int logBefore = server.accessLog().size();
        const double cpuBefore = ownCpuMs();
        const double schedulerBefore = processCpuMs(server.pid());
        idle(idleMs);
        const double idleCpu = ownCpuMs() - cpuBefore;
        const double schedulerCpu = processCpuMs(server.pid()) - schedulerBefore;
        const double perTick = double(server.accessLog().size() - logBefore) / (idleMs / 1000 / intervalSeconds);

        widget.DisplayDest(CupsTestServer::plainPrinter, true);
        JobWidget* jobList = widget.jobWidget();
        if (!QTest::qWaitFor([&] { return jobList->topLevelItemCount() >= jobs; }, loadWaitMs)) {
            std::fprintf(stderr, "the job list did not fill (%d of %d)\n", jobList->topLevelItemCount(), jobs);
            return 1;
        }
        QTest::qWait(3000);
        const double jobsCpuBefore = ownCpuMs();
        // What the probe itself waits is not a stall.
        const double stall = double(EventLoopProbe::longestGapMs(idleMs) - EventLoopProbe::intervalMs);
        const double jobsCpu = ownCpuMs() - jobsCpuBefore;

        const QString target = QStringLiteral("queue%1").arg(std::max(1, size / 2 - 2), 3, 10, QLatin1Char('0'));
        const double disableMs = changeShownMs(server, QStringLiteral("cupsdisable"), {target},
                                               [&] { return stateOf(widget, target) == 5; });
        const double addMs = changeShownMs(
            server, QStringLiteral("lpadmin"),
            {QStringLiteral("-p"), QStringLiteral("added"), QStringLiteral("-E"), QStringLiteral("-v"),
             QStringLiteral("file:///dev/null")},
            [&] { return itemOf(widget, QStringLiteral("added")) != nullptr; });
        const int jobsBefore = jobList->topLevelItemCount();
        const double jobMs = changeShownMs(
            server, QStringLiteral("lp"),
            {QStringLiteral("-d"), CupsTestServer::plainPrinter, QStringLiteral("-H"), QStringLiteral("hold"),
             QStringLiteral("/etc/hostname")},
            [&] { return jobList->topLevelItemCount() > jobsBefore; });

        std::printf("%7d %13.0f %13.1f %15.0f %14.0f %13.0f %12.0f %12.0f %12.0f\n", destinationCount(), idleCpu,
                    perTick, schedulerCpu, stall, jobsCpu, disableMs, addMs, jobMs);
        std::fflush(stdout);
    }
    return 0;
}
