// Times a network scan of 127.0.0.1-254 where every address is silent but a
// few, with many connection attempts in flight and with one at a time, and
// checks that both find the same addresses.
#include "NetworkScanner.h"
#include "SilentLoopback.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTextStream>

#include <cstdio>

namespace {

const QList<int> answeringHosts = {7, 42, 200};

QStringList scan(int window, int timeoutMs, quint16 port, double* seconds)
{
    NetworkScanner scanner;
    scanner.setWindow(window);
    QStringList found;
    QObject::connect(&scanner, &NetworkScanner::found,
                     [&found](const QHostAddress& address) { found << address.toString(); });
    QEventLoop loop;
    QObject::connect(&scanner, &NetworkScanner::finished, &loop, &QEventLoop::quit);
    QElapsedTimer timer;
    timer.start();
    scanner.startRange(QHostAddress(QStringLiteral("127.0.0.1")).toIPv4Address(),
                       QHostAddress(QStringLiteral("127.0.0.254")).toIPv4Address(), port, timeoutMs);
    if (scanner.isRunning())
        loop.exec();
    *seconds = timer.elapsed() / 1000.0;
    return found;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);

    SilentLoopback network;
    if (!network.start(answeringHosts)) {
        std::fprintf(stderr, "cannot set up the loopback listeners: %s\n", qPrintable(network.errorString()));
        return 1;
    }
    out << "127.0.0.1-254, port " << network.port() << ", answering: 127.0.0.7, 127.0.0.42, 127.0.0.200\n";

    QStringList reference;
    bool same = true;
    for (int timeoutMs : {100, 1000}) {
        for (int window : {NetworkScanner::defaultWindow, 1}) {
            double seconds = 0;
            const QStringList found = scan(window, timeoutMs, network.port(), &seconds);
            if (reference.isEmpty())
                reference = found;
            same = same && found == reference;
            out << QStringLiteral("time-out %1 ms, %2 in flight: %3 s, found %4\n")
                       .arg(timeoutMs, 4)
                       .arg(window, 2)
                       .arg(seconds, 0, 'f', 2)
                       .arg(found.join(QStringLiteral(", ")));
            out.flush();
        }
    }
    out << (same ? "every scan found the same addresses\n" : "the scans found different addresses\n");
    return same ? 0 : 1;
}
