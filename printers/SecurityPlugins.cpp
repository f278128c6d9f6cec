#include "SecurityPlugins.h"

QList<ISecurityPrinterPage*> securityPrinterPages()
{
    // No plug-in loader exists in this program, so no plug-in is ever loaded.
    return {};
}

QList<ISecurityServerPage*> securityServerPages()
{
    return {};
}
