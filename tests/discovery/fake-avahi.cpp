// Stands in for the Avahi daemon on a private system bus: answers
// ResolveService from a fixed table and logs every call's arguments to the
// file named by its first argument.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QFile>
#include <QMap>

#include <cstdio>

class AvahiServer : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Avahi.Server")

public:
    explicit AvahiServer(const QString& logPath)
        : m_logPath(logPath)
    {
    }

public slots:
    void ResolveService(int interface, int protocol, const QString& name, const QString& type,
                        const QString& domain, int addressProtocol, uint flags)
    {
        // Written and closed before the reply leaves, so the caller reads it whole.
        {
            QFile log(m_logPath);
            if (log.open(QIODevice::Append))
                log.write(QStringLiteral("%1|%2|%3|%4|%5|%6|%7\n")
                              .arg(interface)
                              .arg(protocol)
                              .arg(name, type, domain)
                              .arg(addressProtocol)
                              .arg(flags)
                          .toUtf8());
        }
        // instance name -> host name, address
        static const QMap<QString, QStringList> table = {
            {QStringLiteral("Office Jet"), {QStringLiteral("officejet.lan.local"), QStringLiteral("127.0.0.9")}},
            {QStringLiteral("NoHost"), {QString(), QStringLiteral("127.0.0.10")}},
            {QStringLiteral("Nothing"), {QString(), QString()}},
            {QStringLiteral("Dash"), {QStringLiteral("-rf.local"), QStringLiteral("127.0.0.11")}},
            {QStringLiteral("Odd Out"), {QStringLiteral("oddout.local"), QStringLiteral("127.0.0.12")}},
        };
        setDelayedReply(true);
        if (!table.contains(name)) {
            connection().send(message().createErrorReply(QStringLiteral("org.freedesktop.Avahi.TimeoutError"),
                                                         QStringLiteral("Timeout reached")));
            return;
        }
        const QStringList answer = table.value(name);
        connection().send(message().createReply(
            {interface, protocol, name, type, domain, answer.at(0), addressProtocol, answer.at(1), quint16(631),
             QVariant::fromValue(QList<QByteArray>()), flags}));
    }

private:
    QString m_logPath;
};

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    qDBusRegisterMetaType<QList<QByteArray>>();
    AvahiServer server(QString::fromLocal8Bit(argv[1]));
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.registerObject(QStringLiteral("/"), &server, QDBusConnection::ExportAllSlots) ||
        !bus.registerService(QStringLiteral("org.freedesktop.Avahi"))) {
        std::fprintf(stderr, "cannot register: %s\n", qPrintable(bus.lastError().message()));
        return 1;
    }
    return app.exec();
}

#include "fake-avahi.moc"
