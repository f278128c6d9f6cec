// Sends COUNT calls of METHOD with a name of SIZE bytes to the browser at
// SERVICE on the session bus, asking for no reply, as fast as it can: the
// flood a stalled window used to drown in.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 5) {
        std::fprintf(stderr, "usage: dbus-burst SERVICE METHOD COUNT SIZE\n");
        return 2;
    }
    const QString name(arguments.at(4).toInt(), QLatin1Char('q'));
    QDBusConnection bus = QDBusConnection::sessionBus();
    for (int i = 0; i < arguments.at(3).toInt(); ++i) {
        QDBusMessage call = QDBusMessage::createMethodCall(arguments.at(1), QStringLiteral("/PrintersWidget"),
                                                           QStringLiteral("ru.orvanta.TesselAdminPrinter.PrintersWidget"),
                                                           arguments.at(2));
        call << name;
        if (!bus.send(call))
            return 1;
    }
    // Sent only once every message has left.
    bus.call(QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                                            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("GetId")));
    return 0;
}
