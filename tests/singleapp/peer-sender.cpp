#include "LocalPeer.h"

#include <QCoreApplication>

// Sends argv[2] to the peer with id argv[1]; exits 0 when it was delivered.
// A message "@N" stands for N bytes of filler, for size limits.
int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 3)
        return 2;
    QString message = arguments.at(2);
    if (message.startsWith(QLatin1Char('@')))
        message = QString(message.mid(1).toInt(), QLatin1Char('x'));
    LocalPeer peer(arguments.at(1));
    return peer.sendMessage(message, 5000) ? 0 : 1;
}
