#pragma once

#include "ISecurityPlugin.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPointer>

// The pages of the sample plug-ins; the titles go through the plug-in's own
// catalogue.
class SamplePrinterPage : public ISecurityPrinterPage
{
public:
    explicit SamplePrinterPage(const char* title) : m_title(title) {}
    QString title() override { return QCoreApplication::translate("SamplePlugin", m_title); }
    QWidget* widget() override
    {
        if (!m_widget)
            m_widget = new QLabel;
        return m_widget;
    }
    void setDestination(const QString& name, const QVariantMap&) override
    {
        widget();
        m_widget->setText(name);
    }

private:
    const char* m_title;
    QPointer<QLabel> m_widget;
};

// Owns GSSServiceName and writes back what it was offered with a suffix.
class SampleServerPage : public ISecurityServerPage
{
public:
    QString title() override { return QCoreApplication::translate("SamplePlugin", "Sample server guard"); }
    QWidget* widget() override
    {
        if (!m_widget)
            m_widget = new QLabel(QStringLiteral("GSSServiceName"));
        return m_widget;
    }
    void offerDirective(const QString& name, const QString& value) override
    {
        if (name == QLatin1String("GSSServiceName"))
            m_service = value;
    }
    QMap<QString, QString> directives() override
    {
        return {{QStringLiteral("GSSServiceName"), m_service + QStringLiteral("-guarded")}};
    }

private:
    QPointer<QLabel> m_widget;
    QString m_service;
};
