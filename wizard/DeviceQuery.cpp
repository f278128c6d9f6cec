#include "DeviceQuery.h"

#include "CupsIpp.h"
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
    Cups::IppPtr response(cupsDoRequest(http.get(), request.release(), "/"));
    const ipp_status_t status = cupsLastError();
    if (!response || status > IPP_STATUS_OK_CONFLICTING) {
        result.authorizationNeeded = status == IPP_STATUS_ERROR_NOT_AUTHORIZED
                                     || status == IPP_STATUS_ERROR_FORBIDDEN
                                     || status == IPP_STATUS_ERROR_CUPS_AUTHENTICATION_CANCELED;
        result.error = QString::fromUtf8(cupsLastErrorString());
        return result;
    }
    // Read as every other list answer of the library reads.
    const Cups::IPP answer(response.release());
    const QList<QVariantMap> groups = answer.attributes();
    const QList<ipp_tag_t> tags = answer.groupTags();
    for (int i = 0; i < groups.size(); ++i) {
        if (tags.value(i) == IPP_TAG_PRINTER && !groups.at(i).isEmpty())
            result.devices.append(groups.at(i));
    }
    result.ok = true;
    return result;
}
