#include "PrintersWidgetAdaptor.h"

#include "CupsHttp.h"
#include "PrintersWidget.h"

#include <QApplication>
#include <QDBusError>
#include <QDBusMessage>

PrintersWidgetAdaptor::PrintersWidgetAdaptor(PrintersWidget* parent)
    : QDBusAbstractAdaptor(parent)
    , m_widget(parent)
{
}

bool PrintersWidgetAdaptor::acceptable(const QString& name)
{
    // Counted in characters first, so that a huge name is never converted.
    if (name.size() <= Cups::HTTP::maxQueueNameBytes && name.toUtf8().size() <= Cups::HTTP::maxQueueNameBytes)
        return true;
    // Qt keeps the call's context in the adapted object, not in the adaptor.
    // Callers that asked for no reply get none: the bus would refuse it.
    if (m_widget && m_widget->calledFromDBus() && m_widget->message().isReplyRequired())
        m_widget->sendErrorReply(QDBusError::InvalidArgs,
                                 tr("A destination name has at most %1 bytes.").arg(Cups::HTTP::maxQueueNameBytes));
    return false;
}

void PrintersWidgetAdaptor::ShowDest(const QString& destName)
{
    if (!acceptable(destName))
        return;
    bringToFront();
    if (m_widget)
        m_widget->DisplayDest(destName, false);
}

void PrintersWidgetAdaptor::ShowQueue(const QString& queueName)
{
    if (!acceptable(queueName))
        return;
    bringToFront();
    if (m_widget)
        m_widget->DisplayDest(queueName, true);
}

void PrintersWidgetAdaptor::bringToFront()
{
    if (!m_widget)
        return;
    QApplication::setActiveWindow(m_widget);
    m_widget->setFocus(Qt::OtherFocusReason);
    m_widget->activateWindow();
    // Raising the browser itself would only reorder it among the window's
    // children; the caller wants the whole window on top.
    m_widget->window()->raise();
}
