#include "SamplePages.h"

#include <QObject>

// Implements the interface, but announces another one: the loader must not
// take it.
class OtherInterface
{
public:
    virtual ~OtherInterface() = default;
};
Q_DECLARE_INTERFACE(OtherInterface, "ru.orvanta.tessel-admin-printer.IOtherPlugin/1.0")

class OtherInterfacePlugin : public QObject, public OtherInterface, public ISecurityPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "ru.orvanta.tessel-admin-printer.IOtherPlugin/1.0")
    Q_INTERFACES(OtherInterface)

public:
    ISecurityPrinterPage* printerPage() override { return &m_printerPage; }
    ISecurityServerPage* serverPage() override { return &m_serverPage; }

private:
    SamplePrinterPage m_printerPage{"Other interface guard"};
    SampleServerPage m_serverPage;
};

#include "OtherInterfacePlugin.moc"
