#pragma once

#include <QList>

class ISecurityPrinterPage;
class ISecurityServerPage;

// The destination pages of the loaded security plug-ins, in load order.
QList<ISecurityPrinterPage*> securityPrinterPages();

// The server configuration pages of the loaded security plug-ins, in load order.
QList<ISecurityServerPage*> securityServerPages();
