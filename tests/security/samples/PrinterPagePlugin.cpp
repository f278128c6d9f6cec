#include "SamplePages.h"

#include <QObject>

class PrinterPagePlugin : public QObject, public ISecurityPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "ru.orvanta.tessel-admin-printer.ISecurityPlugin/1.0")
    Q_INTERFACES(ISecurityPlugin)

public:
    ISecurityPrinterPage* printerPage() override { return &m_printerPage; }
    ISecurityServerPage* serverPage() override { return nullptr; }

private:
    SamplePrinterPage m_printerPage{"Printer page guard"};
};

#include "PrinterPagePlugin.moc"
