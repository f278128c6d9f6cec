#include "DestinationFilter.h"

#include "DestinationAttributes.h"

#include <cups/cups.h>

DestinationFilter::DestinationFilter(bool showLocal, bool showRemote, bool showNotShared)
    : m_showLocal(showLocal)
    , m_showRemote(showRemote)
    , m_showNotShared(showNotShared)
{
}

bool DestinationFilter::accepts(const QVariantMap& attributes) const
{
    using namespace DestinationAttributes;
    const QVariantList uris = attributes.value(QStringLiteral("printer-uri-supported")).toList();
    // The scheduler's placeholder for a queue that prints nowhere is no destination.
    if (uris.isEmpty() || uris.first().toString().contains(QLatin1String("file:/dev/null")))
        return false;
    if (firstString(attributes, QStringLiteral("printer-name")).isEmpty())
        return false;
    const uint type = firstUInt(attributes, QStringLiteral("printer-type"));
    if (!((type & CUPS_PRINTER_REMOTE) ? m_showRemote : m_showLocal))
        return false;
    return !((type & CUPS_PRINTER_NOT_SHARED) && !m_showNotShared);
}
