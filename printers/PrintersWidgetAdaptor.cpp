#include "PrintersWidgetAdaptor.h"

#include "PrintersWidget.h"

#include <QApplication>

PrintersWidgetAdaptor::PrintersWidgetAdaptor(PrintersWidget* parent)
    : QDBusAbstractAdaptor(parent)
    , m_widget(parent)
{
}

void PrintersWidgetAdaptor::ShowDest(const QString& destName)
{
    bringToFront();
    if (m_widget)
        m_widget->DisplayDest(destName, false);
}

void PrintersWidgetAdaptor::ShowQueue(const QString& queueName)
{
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
