#include "DeviceQuery.h"

#include "CupsPointers.h"

#include <QPointer>
#include <QThread>

#include <cups/cups.h>

#include <memory>

namespace {

const char* noPassword(const char*, http_t*, const char*, const char*, void*)
{
    return nullptr;
}

} // namespace

DeviceQuery* DeviceQuery::start(QObject* owner, int timeoutSeconds)
{
    // The client library's settings are read here, on the caller's thread,
    // where the program set them.
    const QByteArray server(cupsServer());
    const int port = ippPort();
    const QByteArray user(cupsUser());
    auto result = std::make_shared<Result>();
    QThread* thread = QThread::create(
        [=] { *result = run(server, port, user, timeoutSeconds); });
    auto* query = new DeviceQuery(owner);
    QObject::connect(thread, &QThread::finished, query, [query, result] {
        emit query->finished(*result);
        query->deleteLater();
    });
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start();
    return query;
}

DeviceQuery::Result DeviceQuery::run(const QByteArray& server, int port, const QByteArray& user, int timeoutSeconds)
{
    Result result;
    // The password callback is per thread: without this one libcups would
    // ask on the terminal.
    cupsSetPasswordCB2(noPassword, nullptr);
    const Cups::HttpPtr http(httpConnect2(server.constData(), port, nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                          30000, nullptr));
    if (!http) {
        result.error = QString::fromUtf8(cupsLastErrorString());
        return result;
    }
    Cups::IppPtr request(ippNewRequest(IPP_OP_CUPS_GET_DEVICES));
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, user.constData());
    ippAddInteger(request.get(), IPP_TAG_OPERATION, IPP_TAG_INTEGER, "timeout", timeoutSeconds);
    const Cups::IppPtr response(cupsDoRequest(http.get(), request.release(), "/"));
    const ipp_status_t status = cupsLastError();
    if (!response || status > IPP_STATUS_OK_CONFLICTING) {
        result.authorizationNeeded = status == IPP_STATUS_ERROR_NOT_AUTHORIZED
                                     || status == IPP_STATUS_ERROR_FORBIDDEN
                                     || status == IPP_STATUS_ERROR_CUPS_AUTHENTICATION_CANCELED;
        result.error = QString::fromUtf8(cupsLastErrorString());
        return result;
    }
    QVariantMap device;
    for (ipp_attribute_t* attribute = ippFirstAttribute(response.get());; attribute = ippNextAttribute(response.get())) {
        const char* name = attribute ? ippGetName(attribute) : nullptr;
        if (!name || ippGetGroupTag(attribute) != IPP_TAG_PRINTER) {
            if (!device.isEmpty())
                result.devices.append(device);
            device.clear();
            if (!attribute)
                break;
            continue;
        }
        QStringList values;
        for (int i = 0; i < ippGetCount(attribute); ++i)
            values << QString::fromUtf8(ippGetString(attribute, i, nullptr));
        device.insert(QString::fromUtf8(name), values);
    }
    result.ok = true;
    return result;
}
