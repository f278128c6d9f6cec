#include "CupsIpp.h"

#include "CupsCodec.h"
#include "CupsHttp.h"
#include "CupsPointers.h"

#include <QDateTime>
#include <QTextCodec>

#include <cups/cups.h>

#include <vector>

namespace Cups {

namespace {

QString text(const char* value)
{
    return codec ? codec->toUnicode(value) : QString::fromUtf8(value);
}

QVariant value(ipp_attribute_t* attribute, ipp_tag_t tag, int index)
{
    switch (tag) {
    case IPP_TAG_INTEGER:
    case IPP_TAG_ENUM:
        return ippGetInteger(attribute, index);
    case IPP_TAG_BOOLEAN:
        return static_cast<bool>(ippGetBoolean(attribute, index));
    case IPP_TAG_RANGE: {
        int upper = 0;
        const int lower = ippGetRange(attribute, index, &upper);
        return QStringLiteral("%1:%2").arg(lower).arg(upper);
    }
    case IPP_TAG_RESOLUTION: {
        int yres = 0;
        ipp_res_t units = IPP_RES_PER_INCH;
        const int xres = ippGetResolution(attribute, index, &yres, &units);
        return QStringLiteral("%1x%2%3").arg(xres).arg(yres).arg(units == IPP_RES_PER_CM ? QLatin1String("dpcm")
                                                                                         : QLatin1String("dpi"));
    }
    case IPP_TAG_DATE:
        return QDateTime::fromSecsSinceEpoch(ippDateToTime(ippGetDate(attribute, index)), Qt::UTC);
    case IPP_TAG_STRING: {
        int length = 0;
        const auto* data = static_cast<const char*>(ippGetOctetString(attribute, index, &length));
        return QString::fromUtf8(data, data ? length : 0);
    }
    case IPP_TAG_TEXT:
    case IPP_TAG_NAME:
    case IPP_TAG_TEXTLANG:
    case IPP_TAG_NAMELANG:
        return text(ippGetString(attribute, index, nullptr));
    case IPP_TAG_KEYWORD:
    case IPP_TAG_URI:
    case IPP_TAG_URISCHEME:
    case IPP_TAG_CHARSET:
    case IPP_TAG_LANGUAGE:
    case IPP_TAG_MIMETYPE:
        return QString::fromUtf8(ippGetString(attribute, index, nullptr));
    case IPP_TAG_BEGIN_COLLECTION:
        return IPP::collectionToMap(ippGetCollection(attribute, index));
    default:
        // Out-of-band values (no-value, unknown, not-settable...) and
        // extension tags carry nothing a caller could show.
        return QVariant();
    }
}

// Walks the groups of a message the way attributes() reports them.
template <typename Visit>
void forEachGroupedAttribute(ipp_t* message, Visit visit)
{
    if (!message)
        return;
    int group = -1;
    ipp_tag_t currentTag = IPP_TAG_ZERO;
    for (ipp_attribute_t* attribute = ippFirstAttribute(message); attribute; attribute = ippNextAttribute(message)) {
        const ipp_tag_t tag = ippGetGroupTag(attribute);
        const char* name = ippGetName(attribute);
        if (tag == IPP_TAG_ZERO || !name) {
            currentTag = IPP_TAG_ZERO;
            continue;
        }
        if (tag == IPP_TAG_OPERATION)
            continue;
        if (tag != currentTag) {
            currentTag = tag;
            ++group;
        }
        visit(group, tag, attribute, QString::fromUtf8(name));
    }
}

} // namespace

IPP::IPP(ipp_t* message)
    : ipp(message)
{
}

IPP::~IPP()
{
    ippDelete(ipp);
}

bool IPP::succeeded(ipp_t* response)
{
    return response && ippGetStatusCode(response) <= IPP_STATUS_OK_EVENTS_COMPLETE;
}

IPP* IPP::create(ipp_op_t operation)
{
    IppPtr request(ippNewRequest(operation));
    if (request) {
        const QByteArray user = QByteArray(cupsUser());
        ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, user.constData());
    }
    return new IPP(request.release());
}

IPP* IPP::printerAttributesRequest(const QString& printerUri, const QStringList& requested)
{
    IPP* request = create(IPP_OP_GET_PRINTER_ATTRIBUTES);
    if (!request->ipp)
        return request;
    const QByteArray uri = codec->fromUnicode(printerUri);
    ippAddString(request->ipp, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.constData());
    if (requested.isEmpty())
        return request;
    QList<QByteArray> names;
    std::vector<const char*> values;
    for (const QString& name : requested)
        names << codec->fromUnicode(name);
    for (const QByteArray& name : qAsConst(names))
        values.push_back(name.constData());
    ippAddStrings(request->ipp, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", int(values.size()), nullptr,
                  values.data());
    return request;
}

IPP* IPP::doRequest(HTTP* connection, const QString& resource) const
{
    if (!connection || !connection->http || !ipp)
        return nullptr;
    IppPtr copy(ippNew());
    if (!copy)
        return nullptr;
    int minor = 0;
    const int major = ippGetVersion(ipp, &minor);
    ippSetVersion(copy.get(), major, minor);
    ippSetOperation(copy.get(), ippGetOperation(ipp));
    ippSetRequestId(copy.get(), ippGetRequestId(ipp));
    ippCopyAttributes(copy.get(), ipp, 0, nullptr, nullptr);

    const QByteArray path = resource.toUtf8();
    ipp_t* response = cupsDoRequest(connection->http, copy.release(), path.constData());
    return response ? new IPP(response) : nullptr;
}

ipp_status_t IPP::statusCode() const
{
    return ipp ? ippGetStatusCode(ipp) : IPP_STATUS_ERROR_INTERNAL;
}

QVariantList IPP::values(ipp_attribute_t* attribute)
{
    QVariantList list;
    const ipp_tag_t tag = ippGetValueTag(attribute);
    const int count = ippGetCount(attribute);
    for (int i = 0; i < count; ++i) {
        const QVariant converted = value(attribute, tag, i);
        if (converted.isValid())
            list.append(converted);
    }
    return list;
}

QVariantMap IPP::collectionToMap(ipp_t* collection)
{
    QVariantMap map;
    if (!collection)
        return map;
    for (ipp_attribute_t* attribute = ippFirstAttribute(collection); attribute;
         attribute = ippNextAttribute(collection)) {
        if (const char* name = ippGetName(attribute))
            map.insert(QString::fromUtf8(name), values(attribute));
    }
    return map;
}

QList<QVariantMap> IPP::attributes() const
{
    QList<QVariantMap> groups;
    forEachGroupedAttribute(ipp, [&groups](int group, ipp_tag_t, ipp_attribute_t* attribute, const QString& name) {
        if (group >= groups.size())
            groups.append(QVariantMap());
        groups[group].insert(name, values(attribute));
    });
    return groups;
}

QMap<QString, ipp_tag_t> IPP::valueTags() const
{
    QMap<QString, ipp_tag_t> tags;
    forEachGroupedAttribute(ipp, [&tags](int, ipp_tag_t, ipp_attribute_t* attribute, const QString& name) {
        if (!tags.contains(name))
            tags.insert(name, ippGetValueTag(attribute));
    });
    return tags;
}

QList<ipp_tag_t> IPP::groupTags() const
{
    QList<ipp_tag_t> tags;
    forEachGroupedAttribute(ipp, [&tags](int group, ipp_tag_t tag, ipp_attribute_t*, const QString&) {
        if (group >= tags.size())
            tags.append(tag);
    });
    return tags;
}

QString IPP::typeName(PrinterType bit)
{
    switch (bit) {
    case PrinterClass:
        return tr("Printer class");
    case Remote:
        return tr("Remote printer");
    case Black:
        return tr("Can print black");
    case Color:
        return tr("Can print color");
    case Duplex:
        return tr("Can print on both sides of the page");
    case Staple:
        return tr("Can staple output");
    case Copies:
        return tr("Can make fast copies");
    case Collate:
        return tr("Can collate copies");
    case Punch:
        return tr("Can punch output");
    case Cover:
        return tr("Can cover output");
    case Bind:
        return tr("Can bind output");
    case Sort:
        return tr("Can sort output");
    case Small:
        return tr("Can print on small media (up to A4/Letter)");
    case Medium:
        return tr("Can print on medium media (up to A3/Tabloid)");
    case Large:
        return tr("Can print on large media (over A3/Tabloid)");
    case Variable:
        return tr("Can print on media of variable sizes");
    case Implicit:
        return tr("Implicit class");
    case Default:
        return tr("Default destination of the server");
    case Fax:
        return tr("Fax");
    case Rejecting:
        return tr("Rejecting jobs");
    case Delete:
        return tr("Being deleted");
    case NotShared:
        return tr("Not shared");
    case Authenticated:
        return tr("Requires authentication");
    case Commands:
        return tr("Supports maintenance commands");
    case Discovered:
        return tr("Discovered on the network");
    case Scanner:
        return tr("Scanner");
    case Mfp:
        return tr("Multi-function device");
    case Printer3D:
        return tr("3D printer");
    }
    return QString();
}

} // namespace Cups
