#include "DNSSD2HPNamesResolver.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QProcess>
#include <QUrl>

namespace {

const QString avahiService = QStringLiteral("org.freedesktop.Avahi");
const QString avahiServer = QStringLiteral("org.freedesktop.Avahi.Server");
const QString dnssdScheme = QStringLiteral("dnssd://");
constexpr int makeUriTimeoutMs = 30000;
constexpr int anyInterface = -1;
constexpr int anyProtocol = -1;

} // namespace

DNSSD2HPNamesResolver::DNSSD2HPNamesResolver()
    : QDBusInterface(avahiService, QStringLiteral("/"), avahiServer, QDBusConnection::systemBus())
{
}

DNSSD2HPNamesResolver* DNSSD2HPNamesResolver::instance()
{
    static DNSSD2HPNamesResolver resolver;
    return &resolver;
}

void DNSSD2HPNamesResolver::setMakeUriProgram(const QString& program)
{
    m_makeUriProgram = program;
}

QString DNSSD2HPNamesResolver::resolve(const QString& uri) const
{
    if (!uri.startsWith(dnssdScheme))
        return QString();
    const QString encoded = uri.mid(dnssdScheme.size()).section(QLatin1Char('/'), 0, 0);
    const QString name = QUrl::fromPercentEncoding(encoded.toUtf8());
    const QStringList parts = name.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return QString();

    // The message goes through the connection itself rather than the
    // interface's call(): the interface remembers whether the daemon was
    // there when it was made, and the daemon may have started since.
    QDBusMessage call = QDBusMessage::createMethodCall(service(), path(), interface(),
                                                       QStringLiteral("ResolveService"));
    call << anyInterface << anyProtocol << parts.at(0) << parts.at(1) + QLatin1Char('.') + parts.at(2)
         << parts.at(3) << anyProtocol << 0u;
    const QDBusMessage reply = connection().call(call);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() < 8)
        return QString();

    const QString host = reply.arguments().at(5).toString().section(QLatin1Char('.'), 0, 0);
    const QString address = reply.arguments().at(7).toString();
    const QString target = host.isEmpty() ? address : host;
    // Host names come from the network; one that looks like an option is no host.
    if (target.isEmpty() || target.startsWith(QLatin1Char('-')))
        return QString();
    return makeUri(target);
}

QString DNSSD2HPNamesResolver::makeUri(const QString& target) const
{
    QProcess makeUri;
    makeUri.start(m_makeUriProgram, {QStringLiteral("-c"), target});
    if (!makeUri.waitForFinished(makeUriTimeoutMs)) {
        makeUri.kill();
        makeUri.waitForFinished();
        return QString();
    }
    if (makeUri.exitStatus() != QProcess::NormalExit || makeUri.exitCode() != 0)
        return QString();
    const QByteArray output = makeUri.readAllStandardOutput();
    const QString line = QString::fromLocal8Bit(output.left(output.indexOf('\n'))).trimmed();
    return line.startsWith(QLatin1String("hp:")) ? line : QString();
}
