#pragma once

#include "ISecurityPrinterPage.h"
#include "ISecurityServerPage.h"

#include <QtPlugin>

// The root object of a security plug-in. Plug-ins are built separately, so
// the order of these functions is part of the interface: the destructor
// takes the first two slots of the table.
class ISecurityPlugin
{
public:
    virtual ~ISecurityPlugin() = default;
    // Null when the plug-in adds no tab to the destination browser.
    virtual ISecurityPrinterPage* printerPage() = 0;
    // Null when the plug-in adds no tab to the server configuration dialog.
    virtual ISecurityServerPage* serverPage() = 0;
};

#define ISecurityPlugin_iid "ru.orvanta.tessel-admin-printer.ISecurityPlugin/1.0"
Q_DECLARE_INTERFACE(ISecurityPlugin, ISecurityPlugin_iid)
