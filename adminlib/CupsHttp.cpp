#include "CupsHttp.h"

#include "CupsCodec.h"
#include "CupsIpp.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QSettings>
#include <QTextCodec>

#include <memory>
#include <vector>

#include <pwd.h>
#include <unistd.h>

namespace Cups {

namespace {

constexpr int connectTimeoutMs = 5000;
// Silence after which a request is given up, unless the caller expects a slow
// answer: libcups would otherwise wait 30 s, reconnect to a hung scheduler
// whose listen queue still accepts, and send again, holding the window for
// as long as the scheduler hangs. Two waits pass before libcups gives up.
constexpr double silenceSeconds = 0.5;
// Driver lists are slow to build on large systems, and so is a queue that
// gets a driver of the server's collection.
constexpr double slowRequestSeconds = 60.0;
constexpr double devicePatienceMarginSeconds = 5.0;

const char* const adminResource = "/admin/";
const char* const rootResource = "/";

const QString noRootAuthKey = QStringLiteral("PrivActions/NoRootAuth");
const QString rootUser = QStringLiteral("root");
const QString printersPrefix = QStringLiteral("/printers/");
const QString classesPrefix = QStringLiteral("/classes/");

QPointer<HTTP>& instancePointer()
{
    static QPointer<HTTP> instance;
    return instance;
}

// Owner of the connection when no application object exists to parent it.
std::unique_ptr<HTTP>& orphanInstance()
{
    static std::unique_ptr<HTTP> orphan;
    return orphan;
}

QByteArray encoded(const QString& text)
{
    return codec ? codec->fromUnicode(text) : text.toUtf8();
}

int giveUp(http_t*, void*)
{
    return 0;
}

// The non-empty printer groups of a list answer, one per destination, device
// or driver; nothing when the request failed.
QList<QVariantMap> printerGroups(IppPtr response)
{
    if (!IPP::succeeded(response.get()))
        return {};
    const IPP message(response.release());
    const QList<QVariantMap> groups = message.attributes();
    const QList<ipp_tag_t> tags = message.groupTags();
    QList<QVariantMap> result;
    for (int i = 0; i < groups.size(); ++i) {
        if (tags.value(i) == IPP_TAG_PRINTER && !groups.at(i).isEmpty())
            result.append(groups.at(i));
    }
    return result;
}

void addText(ipp_t* request, ipp_tag_t valueTag, const char* name, const QString& value)
{
    const QByteArray bytes = encoded(value);
    ippAddString(request, IPP_TAG_PRINTER, valueTag, name, nullptr, bytes.constData());
}

} // namespace

HTTP::HTTP(HttpPtr connection, const QString& server, int port, QObject* parent)
    : QObject(parent)
    , http(connection.get())
    , m_connection(std::move(connection))
    , m_server(server)
    , m_port(port)
{
    applyAuthorizationSetting();
    limitSilence();
}

void HTTP::allowSilence(double seconds)
{
    if (http)
        httpSetTimeout(http, seconds, nullptr, nullptr);
}

void HTTP::limitSilence()
{
    if (http)
        httpSetTimeout(http, silenceSeconds, giveUp, nullptr);
}

HTTP::~HTTP() = default;

HTTP* HTTP::getUniqueConnection()
{
    QPointer<HTTP>& instance = instancePointer();
    if (instance) {
        if (!instance->http && !instance->reconnect())
            return nullptr;
        return instance;
    }
    const QString server = currentServer();
    const int port = ippPort();
    HttpPtr connection = open(server, port);
    if (!connection)
        return nullptr;
    QCoreApplication* application = QCoreApplication::instance();
    auto* created = new HTTP(std::move(connection), server, port, application);
    if (!application)
        orphanInstance().reset(created);
    instance = created;
    return created;
}

QString HTTP::currentServer()
{
    return QString::fromLocal8Bit(cupsServer());
}

HttpPtr HTTP::open(const QString& server, int port)
{
    if (server.isEmpty())
        return nullptr;
    // A server name starting with "/" is a domain socket; httpConnect2 knows.
    const QByteArray host = QFile::encodeName(server);
    return HttpPtr(
        httpConnect2(host.constData(), port, nullptr, AF_UNSPEC, cupsEncryption(), 1, connectTimeoutMs, nullptr));
}

QString HTTP::readAuthUser()
{
    if (!QSettings().value(noRootAuthKey, false).toBool())
        return rootUser;
    // The login user, unless the environment names another one to libcups.
    const QString named = qEnvironmentVariable("CUPS_USER");
    if (!named.isEmpty())
        return named;
    const passwd* entry = ::getpwuid(::getuid());
    return entry ? QString::fromLocal8Bit(entry->pw_name) : qEnvironmentVariable("USER");
}

void HTTP::applyAuthorizationSetting()
{
    m_authUser = readAuthUser();
    // A root login from an earlier prompt must not outlive the choice of
    // authenticating as oneself (Kerberos): back to the default user.
    if (m_authUser != rootUser)
        cupsSetUser(nullptr);
}

QString HTTP::authUser()
{
    const QPointer<HTTP>& instance = instancePointer();
    return instance ? instance->m_authUser : readAuthUser();
}

bool HTTP::reconnect()
{
    applyAuthorizationSetting();
    m_server = currentServer();
    m_port = ippPort();
    // Close first: the old handle must never be left behind half-valid.
    http = nullptr;
    m_connection = open(m_server, m_port);
    http = m_connection.get();
    limitSilence();
    return http != nullptr;
}

void HTTP::addKeywords(ipp_t* request, const char* name, const QStringList& keywords)
{
    QByteArrayList storage;
    for (const QString& keyword : keywords)
        storage.append(keyword.toUtf8());
    std::vector<const char*> values;
    for (const QByteArray& value : storage)
        values.push_back(value.constData());
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, name, static_cast<int>(values.size()), nullptr,
                  values.data());
}

const QStringList& HTTP::destinationAttributes()
{
    static const QStringList attributes = {
        QStringLiteral("printer-name"),
        QStringLiteral("printer-type"),
        QStringLiteral("printer-state"),
        QStringLiteral("printer-state-message"),
        QStringLiteral("printer-state-reasons"),
        QStringLiteral("printer-is-accepting-jobs"),
        QStringLiteral("printer-uri"),
        QStringLiteral("printer-uri-supported"),
        QStringLiteral("printer-info"),
        QStringLiteral("printer-location"),
        QStringLiteral("printer-is-shared"),
        QStringLiteral("printer-make-and-model"),
        QStringLiteral("device-uri"),
        QStringLiteral("member-uris"),
        QStringLiteral("member-names"),
    };
    return attributes;
}

bool HTTP::isValidQueueName(const QString& name)
{
    const QByteArray bytes = name.toUtf8();
    if (bytes.isEmpty() || bytes.size() > maxQueueNameBytes)
        return false;
    const QString forbidden = QStringLiteral("/\\#?'\",");
    for (const uint c : name.toUcs4()) {
        if (!QChar::isPrint(c) || QChar::isSpace(c) || (c < 0x80 && forbidden.contains(QChar(c))))
            return false;
    }
    return true;
}

QByteArray HTTP::localDestinationUri(const QString& name, bool isClass)
{
    // Assembling escapes what a queue name may hold but a URI path may not,
    // such as "%".
    const QByteArray resource = encoded(QStringLiteral("/%1/%2").arg(
        isClass ? QStringLiteral("classes") : QStringLiteral("printers"), name));
    char uri[HTTP_MAX_URI];
    if (httpAssembleURI(HTTP_URI_CODING_RESOURCE, uri, sizeof(uri), "ipp", nullptr, "localhost", ippPort(),
                        resource.constData())
        < HTTP_URI_STATUS_OK)
        return QByteArray();
    return QByteArray(uri);
}

QByteArray HTTP::printerUri(const QString& resource) const
{
    if (resource.contains(QLatin1String("://")))
        return resource.toUtf8();
    // The scheduler only looks at the path; the host part is for the form.
    const QByteArray path = resource.toUtf8();
    char uri[1024];
    if (httpAssembleURI(HTTP_URI_CODING_RESOURCE, uri, sizeof(uri), "ipp", nullptr, "localhost",
                        m_port ? m_port : ippPort(), path.constData())
        < HTTP_URI_STATUS_OK)
        return QByteArray();
    return QByteArray(uri);
}

IppPtr HTTP::printerRequest(ipp_op_t operation, const QString& resource) const
{
    const QByteArray uri = printerUri(resource);
    if (uri.isEmpty())
        return nullptr;
    IppPtr request(ippNewRequest(operation));
    if (!request)
        return nullptr;
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.constData());
    const QByteArray user(cupsUser());
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, user.constData());
    return request;
}

IppPtr HTTP::send(IppPtr request, const QString& resource, const QString& file)
{
    if (!request)
        return nullptr;
    // Without a handle libcups would quietly use a default connection of its own.
    if (!http && !reconnect())
        return nullptr;
    const QByteArray path = resource.toUtf8();
    if (file.isEmpty())
        return IppPtr(cupsDoRequest(http, request.release(), path.constData()));
    const QByteArray localFile = QFile::encodeName(file);
    return IppPtr(cupsDoFileRequest(http, request.release(), path.constData(), localFile.constData()));
}

bool HTTP::sendAdmin(IppPtr request, const QString& file)
{
    const IppPtr response = send(std::move(request), QString::fromLatin1(adminResource), file);
    return IPP::succeeded(response.get());
}

QList<QVariantMap> HTTP::destinations()
{
    IppPtr request(ippNewRequest(IPP_OP_CUPS_GET_PRINTERS));
    if (!request)
        return {};
    const QByteArray user(cupsUser());
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, user.constData());
    addKeywords(request.get(), "requested-attributes", destinationAttributes());

    // An empty server answers "not found": no destinations either way.
    return printerGroups(send(std::move(request), QString::fromLatin1(rootResource)));
}

QList<QMap<QString, QString>> HTTP::cupsDestinations(const QString& name)
{
    QList<QMap<QString, QString>> result;
    if (!http && !reconnect())
        return result;
    cups_dest_t* list = nullptr;
    const int count = cupsGetDests2(http, &list);
    const DestsPtr dests = makeDests(list, count);
    for (int i = 0; i < count; ++i) {
        const cups_dest_t& dest = dests.get()[i];
        if (QString::fromLocal8Bit(dest.name).compare(name, Qt::CaseInsensitive) != 0)
            continue;
        QMap<QString, QString> options;
        for (int j = 0; j < dest.num_options; ++j) {
            options.insert(QString::fromLocal8Bit(dest.options[j].name), QString::fromLocal8Bit(dest.options[j].value));
        }
        result.append(options);
    }
    if (result.isEmpty())
        return result;

    // cupsGetDests leaves the members of a class out; callers need them.
    IppPtr request = printerRequest(IPP_OP_GET_PRINTER_ATTRIBUTES, printersPrefix + name);
    if (!request)
        return result;
    addKeywords(request.get(), "requested-attributes", {QStringLiteral("member-uris")});
    IppPtr response = send(std::move(request), QString::fromLatin1(rootResource));
    if (!IPP::succeeded(response.get()))
        return result;
    if (ipp_attribute_t* members = ippFindAttribute(response.get(), "member-uris", IPP_TAG_URI)) {
        QStringList uris;
        for (int i = 0; i < ippGetCount(members); ++i)
            uris.append(QString::fromUtf8(ippGetString(members, i, nullptr)));
        result.first().insert(QStringLiteral("member-uris"), uris.join(QLatin1Char(',')));
    }
    return result;
}

int HTTP::destinationState(const QString& resource)
{
    IppPtr request = printerRequest(IPP_OP_GET_PRINTER_ATTRIBUTES, resource);
    if (!request)
        return 0;
    addKeywords(request.get(), "requested-attributes", {QStringLiteral("printer-state")});
    const IppPtr response = send(std::move(request), QString::fromLatin1(rootResource));
    if (!IPP::succeeded(response.get()))
        return 0;
    ipp_attribute_t* state = ippFindAttribute(response.get(), "printer-state", IPP_TAG_ENUM);
    return state ? ippGetInteger(state, 0) : 0;
}

int HTTP::printerState(const QString& name)
{
    return destinationState(printersPrefix + name);
}

int HTTP::classState(const QString& name)
{
    return destinationState(classesPrefix + name);
}

bool HTTP::setEnabled(const QString& resource, bool enabled)
{
    // Taking jobs is a setting of its own (accept/reject); resuming a queue
    // that rejects jobs leaves it rejecting them.
    IppPtr request = printerRequest(enabled ? IPP_OP_RESUME_PRINTER : IPP_OP_PAUSE_PRINTER, resource);
    return request && sendAdmin(std::move(request));
}

bool HTTP::enablePrinter(const QString& resource)
{
    return setEnabled(resource, true);
}

bool HTTP::disablePrinter(const QString& resource)
{
    return setEnabled(resource, false);
}

bool HTTP::deletePrinter(const QString& resource)
{
    // The scheduler deletes classes through this operation too.
    IppPtr request = printerRequest(IPP_OP_CUPS_DELETE_PRINTER, resource);
    return request && sendAdmin(std::move(request));
}

bool HTTP::deleteClass(const QString& resource)
{
    IppPtr request = printerRequest(IPP_OP_CUPS_DELETE_CLASS, resource);
    return request && sendAdmin(std::move(request));
}

bool HTTP::addPrinter(const QString& deviceUri, const QString& name, const QString& ppd, const QString& location,
                      const QString& info, bool shared)
{
    if (!isValidQueueName(name))
        return false;
    const bool localPpd = ppd.startsWith(QLatin1Char('/'));
    if (localPpd && !QFileInfo(ppd).isFile())
        return false;

    IppPtr request = printerRequest(IPP_OP_CUPS_ADD_MODIFY_PRINTER, printersPrefix + name);
    if (!request)
        return false;
    ipp_t* ipp = request.get();
    if (!ppd.isEmpty() && !localPpd) {
        const QByteArray ppdName = encoded(ppd);
        ippAddString(ipp, IPP_TAG_OPERATION, IPP_TAG_NAME, "ppd-name", nullptr, ppdName.constData());
    }
    if (!deviceUri.isEmpty()) {
        const QByteArray uri = deviceUri.toUtf8();
        ippAddString(ipp, IPP_TAG_PRINTER, IPP_TAG_URI, "device-uri", nullptr, uri.constData());
    }
    addText(ipp, IPP_TAG_TEXT, "printer-location", location);
    addText(ipp, IPP_TAG_TEXT, "printer-info", info);
    ippAddBoolean(ipp, IPP_TAG_PRINTER, "printer-is-shared", shared);
    ippAddInteger(ipp, IPP_TAG_PRINTER, IPP_TAG_ENUM, "printer-state", IPP_PSTATE_IDLE);
    ippAddBoolean(ipp, IPP_TAG_PRINTER, "printer-is-accepting-jobs", 1);
    allowSilence(slowRequestSeconds);
    const bool added = sendAdmin(std::move(request), localPpd ? ppd : QString());
    limitSilence();
    return added;
}

bool HTTP::addClass(const QString& name, const QStringList& members, const QString& location, const QString& info,
                    bool shared)
{
    if (!isValidQueueName(name) || members.isEmpty())
        return false;
    QByteArrayList memberUris;
    for (const QString& member : members) {
        const QString memberName = member.section(QLatin1Char('/'), -1);
        if (!isValidQueueName(memberName))
            return false;
        memberUris.append(printerUri(printersPrefix + memberName));
    }

    IppPtr request = printerRequest(IPP_OP_CUPS_ADD_MODIFY_CLASS, classesPrefix + name);
    if (!request)
        return false;
    ipp_t* ipp = request.get();
    std::vector<const char*> values;
    for (const QByteArray& uri : memberUris)
        values.push_back(uri.constData());
    ippAddStrings(ipp, IPP_TAG_PRINTER, IPP_TAG_URI, "member-uris", static_cast<int>(values.size()), nullptr,
                  values.data());
    addText(ipp, IPP_TAG_TEXT, "printer-location", location);
    addText(ipp, IPP_TAG_TEXT, "printer-info", info);
    ippAddBoolean(ipp, IPP_TAG_PRINTER, "printer-is-shared", shared);
    ippAddInteger(ipp, IPP_TAG_PRINTER, IPP_TAG_ENUM, "printer-state", IPP_PSTATE_IDLE);
    ippAddBoolean(ipp, IPP_TAG_PRINTER, "printer-is-accepting-jobs", 1);
    return sendAdmin(std::move(request));
}

bool HTTP::printerSetServerDefault(const QString& resource)
{
    IppPtr request = printerRequest(IPP_OP_CUPS_SET_DEFAULT, resource);
    return request && sendAdmin(std::move(request));
}

QList<QVariantMap> HTTP::stringLists(ipp_op_t operation, const QStringList& requested, int timeout)
{
    IppPtr request(ippNewRequest(operation));
    if (!request)
        return {};
    const QByteArray user(cupsUser());
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, user.constData());
    if (timeout > 0)
        ippAddInteger(request.get(), IPP_TAG_OPERATION, IPP_TAG_INTEGER, "timeout", timeout);
    if (!requested.isEmpty())
        addKeywords(request.get(), "requested-attributes", requested);

    // The scheduler stays silent while it collects the list.
    allowSilence(timeout > 0 ? timeout + devicePatienceMarginSeconds : slowRequestSeconds);
    IppPtr response = send(std::move(request), QString::fromLatin1(rootResource));
    limitSilence();
    QList<QVariantMap> result;
    for (const QVariantMap& group : printerGroups(std::move(response))) {
        QVariantMap map;
        for (auto it = group.cbegin(); it != group.cend(); ++it) {
            QStringList strings;
            for (const QVariant& value : it.value().toList())
                strings.append(value.toString());
            map.insert(it.key(), strings);
        }
        result.append(map);
    }
    return result;
}

bool HTTP::moveJobs(const QString& fromResource, const QString& toResource)
{
    IppPtr request = printerRequest(IPP_OP_CUPS_MOVE_JOB, fromResource);
    const QByteArray target = printerUri(toResource);
    if (!request || target.isEmpty())
        return false;
    ippAddString(request.get(), IPP_TAG_JOB, IPP_TAG_URI, "job-printer-uri", nullptr, target.constData());
    const IppPtr response = send(std::move(request), QStringLiteral("/jobs/"));
    return IPP::succeeded(response.get());
}

QList<QVariantMap> HTTP::devices()
{
    return stringLists(IPP_OP_CUPS_GET_DEVICES, {}, deviceTimeoutSeconds);
}

QList<QVariantMap> HTTP::PPDs()
{
    return stringLists(IPP_OP_CUPS_GET_PPDS,
                       {QStringLiteral("ppd-make"), QStringLiteral("ppd-make-and-model"), QStringLiteral("ppd-name"),
                        QStringLiteral("ppd-natural-language"), QStringLiteral("ppd-device-id"),
                        QStringLiteral("ppd-product")},
                       0);
}

} // namespace Cups
