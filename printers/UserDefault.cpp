#include "UserDefault.h"

#include "CupsPointers.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

UserDefault UserDefault::fetch(http_t* http)
{
    UserDefault result;
    if (!http)
        return result;
    const Cups::DestsPtr dest = Cups::makeDests(cupsGetNamedDest(http, nullptr, nullptr), 1);
    if (!dest)
        return result;
    result.m_name = QString::fromLocal8Bit(dest->name);
    if (dest->instance)
        result.m_instance = QString::fromLocal8Bit(dest->instance);
    return result;
}

QString UserDefault::sources(const QString& server, const QString& serverDefault)
{
    QStringList parts = {server, serverDefault, qEnvironmentVariable("LPDEST"), qEnvironmentVariable("PRINTER")};
    // The files the client library reads the user's choice from.
    const QString serverRoot = qEnvironmentVariable("CUPS_SERVERROOT", QStringLiteral("/etc/cups"));
    const QStringList files = {serverRoot + QStringLiteral("/lpoptions"),
                               QDir::homePath() + QStringLiteral("/.cups/lpoptions")};
    for (const QString& path : files) {
        const QFileInfo file(path);
        parts << (file.exists() ? QStringLiteral("%1@%2").arg(file.size()).arg(file.lastModified().toMSecsSinceEpoch())
                                : QString());
    }
    return parts.join(QLatin1Char('\n'));
}

bool UserDefault::marks(const QString& name) const
{
    // The scheduler treats queue names without regard to case, and so does
    // the client library when it matches the user's choice against them.
    return !m_name.isEmpty() && m_name.compare(name, Qt::CaseInsensitive) == 0;
}

bool UserDefault::is(const QString& name) const
{
    return marks(name) && m_instance.isEmpty();
}
