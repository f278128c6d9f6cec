#pragma once

#include <QString>
#include <QVariantMap>

class QWidget;

// The destination page of a security plug-in, owned by the plug-in. Plug-ins
// are built separately, so the order of these functions is part of the
// interface.
class ISecurityPrinterPage
{
public:
    virtual QString title() = 0;
    // The browser shows this page in a tab of its own and never deletes it.
    virtual QWidget* widget() = 0;
    virtual void setDestination(const QString& name, const QVariantMap& attributes) = 0;

protected:
    ~ISecurityPrinterPage() = default;
};
