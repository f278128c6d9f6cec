#include "PrivHelperFixture.h"

#include "PrivilegedHelper.h"

#include "CupsPointers.h"
#include "CupsTestServer.h"

#include <QFile>
#include <QProcess>

namespace {

const char* const queueAttributes[] = {
    "printer-name",      "printer-type",      "printer-state",      "printer-state-message",
    "printer-is-accepting-jobs", "printer-is-shared", "printer-info", "printer-location",
    "device-uri",        "member-names",      "job-sheets-default", "printer-make-and-model",
};

QVariant valueOf(ipp_attribute_t* attribute)
{
    QStringList values;
    for (int i = 0; i < ippGetCount(attribute); ++i) {
        switch (ippGetValueTag(attribute)) {
        case IPP_TAG_INTEGER:
        case IPP_TAG_ENUM:
            values.append(QString::number(ippGetInteger(attribute, i)));
            break;
        case IPP_TAG_BOOLEAN:
            values.append(ippGetBoolean(attribute, i) ? QStringLiteral("true") : QStringLiteral("false"));
            break;
        default:
            values.append(QString::fromUtf8(ippGetString(attribute, i, nullptr)));
        }
    }
    return values.size() == 1 ? QVariant(values.first()) : QVariant(values);
}

// One map per queue in the response, in its order.
QList<QVariantMap> queuesOf(ipp_t* response)
{
    QList<QVariantMap> queues;
    QVariantMap current;
    for (ipp_attribute_t* attribute = ippFirstAttribute(response); attribute; attribute = ippNextAttribute(response)) {
        if (!ippGetName(attribute)) {
            if (!current.isEmpty())
                queues.append(current);
            current.clear();
        } else if (ippGetGroupTag(attribute) == IPP_TAG_PRINTER) {
            current.insert(QString::fromUtf8(ippGetName(attribute)), valueOf(attribute));
        }
    }
    if (!current.isEmpty())
        queues.append(current);
    return queues;
}

Cups::IppPtr ask(const CupsTestServer* server, Cups::IppPtr request)
{
    const QByteArray socket = server->socketPath().toLocal8Bit();
    Cups::HttpPtr http(httpConnect2(socket.constData(), 0, nullptr, AF_UNSPEC, HTTP_ENCRYPTION_NEVER, 1, 10000, nullptr));
    if (!http)
        return nullptr;
    ippAddStrings(request.get(), IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  int(sizeof queueAttributes / sizeof *queueAttributes), nullptr, queueAttributes);
    return Cups::IppPtr(cupsDoRequest(http.get(), request.release(), "/"));
}

} // namespace

PrivHelperFixture::PrivHelperFixture(const CupsTestServer* server) : m_server(server) {}

PrivHelperFixture::Result PrivHelperFixture::run(const QStringList& words, const QByteArray& input) const
{
    QProcessEnvironment environment = m_server->clientEnvironment(true);
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    QProcess process;
    process.setProcessEnvironment(environment);
    // The action on the command line, its arguments on standard input.
    process.start(QStringLiteral(PRIVHELPER_PROGRAM), words.mid(0, 1));
    Result result;
    if (!process.waitForStarted())
        return result;
    QByteArrayList arguments;
    for (const QString& word : words.mid(1))
        arguments.append(word.toUtf8());
    process.write(PrivilegedHelper::encodeInput(arguments, input));
    process.closeWriteChannel();
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.exitCode = process.exitCode();
    result.output = process.readAllStandardOutput();
    result.error = process.readAllStandardError();
    return result;
}

QVariantMap PrivHelperFixture::queue(const QString& name) const
{
    Cups::IppPtr request(ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES));
    const QByteArray resource = "/printers/" + name.toUtf8();
    char uri[HTTP_MAX_URI];
    httpAssembleURI(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0, resource.constData());
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    const Cups::IppPtr response = ask(m_server, std::move(request));
    if (!response || ippGetStatusCode(response.get()) > IPP_STATUS_OK_CONFLICTING)
        return QVariantMap();
    const QList<QVariantMap> queues = queuesOf(response.get());
    return queues.isEmpty() ? QVariantMap() : queues.first();
}

QString PrivHelperFixture::defaultDestination() const
{
    const Cups::IppPtr response = ask(m_server, Cups::IppPtr(ippNewRequest(IPP_OP_CUPS_GET_DEFAULT)));
    ipp_attribute_t* name = response ? ippFindAttribute(response.get(), "printer-name", IPP_TAG_NAME) : nullptr;
    return name ? QString::fromUtf8(ippGetString(name, 0, nullptr)) : QString();
}

QByteArray PrivHelperFixture::configuration() const
{
    QFile file(m_server->serverRoot() + QStringLiteral("/cupsd.conf"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString PrivHelperFixture::snapshot() const
{
    const Cups::IppPtr response = ask(m_server, Cups::IppPtr(ippNewRequest(IPP_OP_CUPS_GET_PRINTERS)));
    QStringList lines;
    if (response) {
        for (const QVariantMap& queue : queuesOf(response.get())) {
            for (auto it = queue.cbegin(); it != queue.cend(); ++it) {
                lines.append(QStringLiteral("%1 %2=%3").arg(queue.value(QStringLiteral("printer-name")).toString(),
                                                            it.key(), it.value().toStringList().join(QLatin1Char(','))));
            }
        }
    }
    lines.sort();
    lines.append(QStringLiteral("default=") + defaultDestination());
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n') + QString::fromUtf8(configuration());
}
