#pragma once

#include <QList>
#include <QString>

class ISecurityPlugin;
class ISecurityPrinterPage;
class ISecurityServerPage;

// The security plug-ins, loaded on the first call and kept until the process
// ends, in load order.
QList<ISecurityPlugin*> securityPlugins();

// The destination pages of the loaded security plug-ins, in load order.
QList<ISecurityPrinterPage*> securityPrinterPages();

// The server configuration pages of the loaded security plug-ins, in load order.
QList<ISecurityServerPage*> securityServerPages();

// For the test suite only: loads the plug-ins from directory instead of the
// installed ones. Returns false, changing nothing, once they are loaded.
bool setSecurityPluginDirectoryForTesting(const QString& directory);
