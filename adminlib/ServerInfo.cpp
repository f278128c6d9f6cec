#include "ServerInfo.h"

#include <QHostAddress>

#include <cups/cups.h>

ServerInfo& ServerInfo::instance()
{
    static ServerInfo info;
    return info;
}

void ServerInfo::update()
{
    server = QString::fromLocal8Bit(cupsServer());
    isLocal = isLocalServer(server);
}

bool ServerInfo::isLocalServer(const QString& name)
{
    const QString text = name.trimmed();
    if (text.isEmpty())
        return false;
    if (text.startsWith(QLatin1Char('/')))
        return true;

    QString host = text;
    if (host.startsWith(QLatin1Char('['))) {
        host = host.mid(1, host.indexOf(QLatin1Char(']')) - 1);
    } else if (QHostAddress(host).isNull() && host.count(QLatin1Char(':')) == 1) {
        host = host.section(QLatin1Char(':'), 0, 0);
    }
    if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0
        || host.endsWith(QLatin1String(".localhost"), Qt::CaseInsensitive))
        return true;
    const QHostAddress address(host);
    return !address.isNull() && address.isLoopback();
}
