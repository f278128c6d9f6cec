#pragma once

#include <QDBusAbstractAdaptor>
#include <QPointer>

class PrintersWidget;

// Lets other programs of the desktop show a destination, or its queue, in the
// running window over the session bus.
class PrintersWidgetAdaptor : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "ru.orvanta.TesselAdminPrinter.PrintersWidget")

public:
    explicit PrintersWidgetAdaptor(PrintersWidget* parent);

public slots:
    Q_NOREPLY void ShowDest(const QString& destName);
    Q_NOREPLY void ShowQueue(const QString& queueName);

private:
    // False, after an error reply to the caller, for a name no queue can
    // have: nothing else is done for it.
    bool acceptable(const QString& name);
    void bringToFront();

    QPointer<PrintersWidget> m_widget;
};
