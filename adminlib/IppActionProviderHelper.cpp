#include "IppActionProviderHelper.h"

#include "CupsHttp.h"

IppActionProviderHelper::IppActionProviderHelper() = default;

bool IppActionProviderHelper::updateServerConnection()
{
    Cups::HTTP* connection = Cups::HTTP::getUniqueConnection();
    if (!connection)
        return false;
    const QString server = QString::fromLocal8Bit(cupsServer());
    if (connection->http && connection->server() == server && connection->port() == ippPort())
        return true;
    return connection->reconnect();
}
