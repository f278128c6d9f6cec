#pragma once

#include <QString>
#include <QVersionNumber>

// Which scheduler will read a configuration file decides which directives
// it still takes. The scheduler names its version in the Server header of
// every HTTP answer ("CUPS/2.4 IPP/2.1"), unless ServerTokens hides it.
class SchedulerVersion
{
public:
    // The version in a Server header; null when it names none.
    static QVersionNumber fromServerHeader(const QString& header);
    // Asks the scheduler at host (a name, an address or a domain socket) and
    // port, waiting at most timeoutMs; null when it cannot be found out.
    static QVersionNumber query(const QString& host, int port, int timeoutMs);
};
