#pragma once

#include <cups/ipp.h>

#include <QCoreApplication>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariantMap>

namespace Cups {

class HTTP;

// An IPP message (request or response) and its conversion to Qt values.
// The object owns `ipp` and deletes it.
class IPP
{
    Q_DECLARE_TR_FUNCTIONS(Cups::IPP)

public:
    // One enumerator per bit of cups_ptype_t.
    enum PrinterType : quint32 {
        PrinterClass = 0x1,
        Remote = 0x2,
        Black = 0x4,
        Color = 0x8,
        Duplex = 0x10,
        Staple = 0x20,
        Copies = 0x40,
        Collate = 0x80,
        Punch = 0x100,
        Cover = 0x200,
        Bind = 0x400,
        Sort = 0x800,
        Small = 0x1000,
        Medium = 0x2000,
        Large = 0x4000,
        Variable = 0x8000,
        Implicit = 0x10000,
        Default = 0x20000,
        Fax = 0x40000,
        Rejecting = 0x80000,
        Delete = 0x100000,
        NotShared = 0x200000,
        Authenticated = 0x400000,
        Commands = 0x800000,
        Discovered = 0x1000000,
        Scanner = 0x2000000,
        Mfp = 0x4000000,
        Printer3D = 0x8000000,
    };

    // Takes ownership of message (which may be null).
    explicit IPP(ipp_t* message = nullptr);
    virtual ~IPP();

    IPP(const IPP&) = delete;
    IPP& operator=(const IPP&) = delete;

    // A new request with attributes-charset, attributes-natural-language and
    // requesting-user-name (cupsUser()). Never null; its `ipp` is null only
    // when libcups could not allocate the message.
    static IPP* create(ipp_op_t operation);
    // A Get-Printer-Attributes request for one destination, named by its full
    // URI, asking for the given attributes ("all" for every one).
    static IPP* printerAttributesRequest(const QString& printerUri, const QStringList& requested);
    // Whether an answer (null when the request failed) says success.
    static bool succeeded(ipp_t* response);

    // Sends a copy of this request, so the request stays usable and the
    // caller's. Returns the response (also for an IPP error status, see
    // statusCode()), or null when nothing came back.
    IPP* doRequest(HTTP* connection, const QString& resource) const;

    // The status of a response; IPP_STATUS_ERROR_INTERNAL without a message.
    ipp_status_t statusCode() const;

    // One map per attribute group, in order, split at group changes and at
    // separators (so CUPS-Get-Printers gives one map per printer). The
    // operation group (charset, language, status message) is left out, so the
    // first map of a Get-Printer-Attributes response holds the printer's
    // attributes. Each value is a QVariantList: strings as QString, integers
    // and enums as int, booleans as bool, ranges as "lower:upper", resolutions
    // as "600x600dpi" (or "dpcm"), dates as QDateTime, octet strings as
    // QString, collections as nested QVariantMaps of the same shape.
    // Out-of-band values (no-value, unknown...) give an empty list.
    QList<QVariantMap> attributes() const;
    // Value tag of each attribute of those groups; the first occurrence wins.
    QMap<QString, ipp_tag_t> valueTags() const;
    // The group tag of each map of attributes(), in the same order.
    QList<ipp_tag_t> groupTags() const;

    // User-visible name of one printer-type bit; empty for bits without one.
    static QString typeName(PrinterType bit);

    // The conversions attributes() applies, for one attribute's values and
    // for the members of one collection value.
    static QVariantList values(ipp_attribute_t* attribute);
    static QVariantMap collectionToMap(ipp_t* collection);

    ipp_t* ipp = nullptr;
};

} // namespace Cups
