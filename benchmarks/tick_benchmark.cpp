#include "CupsHttp.h"
#include "CupsPointers.h"
#include "CupsTestServer.h"
#include "MedianTime.h"
#include "PrintersWidget.h"
#include "PrivateBus.h"

#include <QApplication>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <cups/cups.h>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

constexpr int knownWorldDestinations = 4;
constexpr int logWaitMs = 10000;
// Never sent by the widget, so it brackets what one tick sent.
const QString marker = QStringLiteral("CUPS-Get-Classes");

int markers(const CupsTestServer& server)
{
    int count = 0;
    for (const QString& line : server.accessLog())
        count += line.contains(QLatin1Char(' ') + marker + QLatin1Char(' ')) ? 1 : 0;
    return count;
}

bool sendMarker(Cups::HTTP* connection)
{
    return Cups::IppPtr(cupsDoRequest(connection->http, ippNewRequest(IPP_OP_CUPS_GET_CLASSES), "/")) != nullptr;
}

// Requests the scheduler logged while work ran; -1 when the log did not show.
int requestsOf(const CupsTestServer& server, Cups::HTTP* connection, const std::function<void()>& work)
{
    const int markersBefore = markers(server);
    sendMarker(connection);
    if (!QTest::qWaitFor([&] { return markers(server) == markersBefore + 1; }, logWaitMs))
        return -1;
    const int start = server.accessLog().size();
    work();
    sendMarker(connection);
    if (!QTest::qWaitFor([&] { return markers(server) == markersBefore + 2; }, logWaitMs))
        return -1;
    return server.accessLog().size() - start - 1;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);

    QList<int> sizes = {50, 200, 500};
    if (argc > 1) {
        sizes.clear();
        for (int i = 1; i < argc; ++i)
            sizes << QByteArray(argv[i]).toInt();
    }

    // The widget listens to the system bus, and the client library reads
    // HOME once: both private, so that nothing of the machine is touched.
    PrivateBus systemBus(PrivateBus::Kind::System);
    if (!systemBus.start()) {
        std::fprintf(stderr, "%s\n", qPrintable(systemBus.errorString()));
        return 1;
    }
    systemBus.exportAddress();
    QTemporaryDir home;
    qputenv("HOME", QFile::encodeName(home.path()));
    cupsServer();
    QSettings().setValue(QStringLiteral("Printer Tree/Update Interval"), 0);

    std::printf("%8s %12s %14s %16s %8s\n", "queues", "tick ms", "tick requests", "bare request ms", "ratio");
    for (const int size : sizes) {
        CupsTestServer server;
        CupsTestServer::Options options;
        options.extraQueues = std::max(0, size - knownWorldDestinations);
        options.logAllRequests = true;
        if (!server.start(options)) {
            std::fprintf(stderr, "%s\n", qPrintable(server.errorString()));
            return 1;
        }
        server.pointClientAt();
        qputenv("HOME", QFile::encodeName(home.path()));
        Cups::HTTP* connection = Cups::HTTP::getUniqueConnection();
        if (!connection || !connection->reconnect()) {
            std::fprintf(stderr, "no connection to the private scheduler\n");
            return 1;
        }

        PrintersWidget widget;
        widget.resize(900, 600);
        widget.show();
        widget.load();
        QTreeWidget* tree = widget.destinationTree();
        tree->expandAll();
        const QString middleName = QStringLiteral("queue%1").arg(size / 2, 3, 10, QLatin1Char('0'));
        const QList<QTreeWidgetItem*> middle = tree->findItems(middleName, Qt::MatchExactly | Qt::MatchRecursive);
        tree->setCurrentItem(middle.isEmpty() ? tree->topLevelItem(0) : middle.first());
        QApplication::processEvents();

        // The tick as the user feels it: the reload, the selection refresh
        // and the repaint that follows.
        const auto tick = [&widget] {
            QMetaObject::invokeMethod(widget.refreshTimer(), "timeout");
            QApplication::processEvents();
        };
        tick();
        const double tickMs = medianMs(tick);
        const int requests = requestsOf(server, connection, tick);
        const double bareMs = medianMs([connection] { connection->destinations(); });
        const int destinations = connection->destinations().size();
        std::printf("%8d %12.1f %14d %16.1f %8.2f\n", destinations, tickMs, requests, bareMs, tickMs / bareMs);
        std::fflush(stdout);
    }
    return 0;
}
