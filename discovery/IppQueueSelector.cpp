#include "IppQueueSelector.h"

#include "CupsPointers.h"
#include "ui_IppQueueSelector.h"

#include <QCoreApplication>

namespace {

// The host has just answered the network scan; one that does not connect
// within this time is as good as unreachable, and the window must not freeze.
constexpr int connectTimeoutMs = 1000;

struct BitText
{
    unsigned bit;
    const char* text;
};

const BitText typeBits[] = {
    {CUPS_PRINTER_CLASS, QT_TRANSLATE_NOOP("IppQueueSelector", "Printer Class")},
    {CUPS_PRINTER_DEFAULT, QT_TRANSLATE_NOOP("IppQueueSelector", "Default")},
    {CUPS_PRINTER_IMPLICIT, QT_TRANSLATE_NOOP("IppQueueSelector", "Implicit Class")},
    {CUPS_PRINTER_FAX, QT_TRANSLATE_NOOP("IppQueueSelector", "Fax device")},
};

const BitText capabilityBits[] = {
    {CUPS_PRINTER_REMOTE, QT_TRANSLATE_NOOP("IppQueueSelector", "Remote")},
    {CUPS_PRINTER_BW, QT_TRANSLATE_NOOP("IppQueueSelector", "Can do B&W printing")},
    {CUPS_PRINTER_COLOR, QT_TRANSLATE_NOOP("IppQueueSelector", "Can do color printing")},
    {CUPS_PRINTER_DUPLEX, QT_TRANSLATE_NOOP("IppQueueSelector", "Can do duplexing")},
    {CUPS_PRINTER_STAPLE, QT_TRANSLATE_NOOP("IppQueueSelector", "Can staple output")},
    {CUPS_PRINTER_COPIES, QT_TRANSLATE_NOOP("IppQueueSelector", "Can do copies")},
    {CUPS_PRINTER_COLLATE, QT_TRANSLATE_NOOP("IppQueueSelector", "Can collate copies")},
    {CUPS_PRINTER_PUNCH, QT_TRANSLATE_NOOP("IppQueueSelector", "Can punch output")},
    {CUPS_PRINTER_COVER, QT_TRANSLATE_NOOP("IppQueueSelector", "Can cover output")},
    {CUPS_PRINTER_BIND, QT_TRANSLATE_NOOP("IppQueueSelector", "Can bind output")},
    {CUPS_PRINTER_SORT, QT_TRANSLATE_NOOP("IppQueueSelector", "Can sort output")},
    {CUPS_PRINTER_SMALL, QT_TRANSLATE_NOOP("IppQueueSelector", "Can do Letter/Legal/A4")},
    {CUPS_PRINTER_MEDIUM, QT_TRANSLATE_NOOP("IppQueueSelector", "Can do Tabloid/B/C/A3/A2")},
    {CUPS_PRINTER_LARGE, QT_TRANSLATE_NOOP("IppQueueSelector", "Can do D/E/A1/A0")},
    {CUPS_PRINTER_VARIABLE, QT_TRANSLATE_NOOP("IppQueueSelector", "Can do variable sizes")},
};

template <std::size_t N>
QStringList textsOf(const BitText (&bits)[N], unsigned printerType)
{
    QStringList texts;
    for (const BitText& entry : bits) {
        if (printerType & entry.bit)
            texts << QCoreApplication::translate("IppQueueSelector", entry.text);
    }
    return texts;
}

} // namespace

IppQueueSelector::IppQueueSelector(QWidget* parent, const QString& server)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::IppQueueSelector>())
    , m_server(server)
{
    m_ui->setupUi(this);
    fill();
}

IppQueueSelector::~IppQueueSelector() = default;

QString IppQueueSelector::selectedQueue() const
{
    const QTreeWidgetItem* current = m_ui->queuesTreeWidget->currentItem();
    return current ? current->text(0) : QString();
}

QStringList IppQueueSelector::typeTexts(unsigned printerType)
{
    return textsOf(typeBits, printerType);
}

QStringList IppQueueSelector::capabilityTexts(unsigned printerType)
{
    return textsOf(capabilityBits, printerType);
}

void IppQueueSelector::fill()
{
    const int colon = m_server.lastIndexOf(QLatin1Char(':'));
    const QByteArray host = (colon < 0 ? m_server : m_server.left(colon)).toLocal8Bit();
    const int port = colon < 0 ? ippPort() : m_server.mid(colon + 1).toInt();
    if (host.isEmpty() || port <= 0 || port > 65535)
        return;

    Cups::HttpPtr http(httpConnect2(host.constData(), port, nullptr, AF_UNSPEC, HTTP_ENCRYPTION_IF_REQUESTED, 1,
                                    connectTimeoutMs, nullptr));
    if (!http)
        return;
    cups_dest_t* rawDests = nullptr;
    const int count = cupsGetDests2(http.get(), &rawDests);
    const Cups::DestsPtr dests = Cups::makeDests(rawDests, count);

    for (int i = 0; i < count; ++i) {
        const cups_dest_t& dest = dests.get()[i];
        QStringList types;
        QStringList capabilities;
        if (dest.is_default)
            types << tr("Default");
        if (const char* printerType = cupsGetOption("printer-type", dest.num_options, dest.options)) {
            const unsigned type = QByteArray(printerType).toUInt();
            types << typeTexts(type);
            capabilities << capabilityTexts(type);
        }
        new QTreeWidgetItem(m_ui->queuesTreeWidget,
                            {QString::fromLocal8Bit(dest.name), types.join(QStringLiteral(", ")),
                             capabilities.join(QStringLiteral(", "))});
    }
}
