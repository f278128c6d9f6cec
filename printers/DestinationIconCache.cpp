#include "DestinationIconCache.h"

#include "TesselIcon.h"

#include <cups/cups.h>

namespace {

constexpr int stateProcessing = 4;
constexpr int stateStopped = 5;

} // namespace

QStringList DestinationIconCache::emblems(int state, uint type)
{
    QStringList list = {QString(), QString(), QString(), QString()};
    if (type & CUPS_PRINTER_REMOTE)
        list[0] = QStringLiteral("emblem-symbolic-link");
    if (state == stateStopped)
        list[1] = QStringLiteral("emblem-unreadable");
    else if (state == stateProcessing)
        list[2] = QStringLiteral("emblem-system");
    if (type & CUPS_PRINTER_DEFAULT)
        list[3] = QStringLiteral("emblem-favorite");
    return list;
}

QIcon DestinationIconCache::icon(const QString& base, int state, uint type, bool userDefault)
{
    const QStringList list = emblems(state, type);
    const QString key = base + QLatin1Char('|') + list.join(QLatin1Char('|'))
                        + (userDefault ? QLatin1String("|user") : QLatin1String("|"));
    const auto cached = m_icons.constFind(key);
    if (cached != m_icons.constEnd())
        return *cached;

    QIcon icon = TesselIcon::fromTheme(base, TesselIcon::DeviceContext, list, QIcon());
    if (!icon.isNull() && userDefault)
        icon = TesselIcon::withEmblems(icon, {QStringLiteral("emblem-favorite")});
    m_icons.insert(key, icon);
    return icon;
}
