#pragma once

#include <QMap>
#include <QString>

class QWidget;

// The server configuration page of a security plug-in, owned by the plug-in.
// Plug-ins are built separately, so the order of these functions is part of
// the interface.
class ISecurityServerPage
{
public:
    virtual QString title() = 0;
    // The dialog shows this page in a tab of its own and never deletes it.
    virtual QWidget* widget() = 0;
    // A directive of the configuration that the dialog has no field for.
    virtual void offerDirective(const QString& name, const QString& value) = 0;
    // The directives the page wants written, by name.
    virtual QMap<QString, QString> directives() = 0;

protected:
    ~ISecurityServerPage() = default;
};
