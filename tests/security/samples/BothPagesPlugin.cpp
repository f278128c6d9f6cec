#include "SamplePages.h"

#include <QObject>

class BothPagesPlugin : public QObject, public ISecurityPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "ru.orvanta.tessel-admin-printer.ISecurityPlugin/1.0")
    Q_INTERFACES(ISecurityPlugin)

public:
    ISecurityPrinterPage* printerPage() override { return &m_printerPage; }
    ISecurityServerPage* serverPage() override { return &m_serverPage; }

private:
    SamplePrinterPage m_printerPage{"Both pages guard"};
    SampleServerPage m_serverPage;
};

#include "BothPagesPlugin.moc"
