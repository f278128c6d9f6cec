#include "SchedulerVersion.h"

#include "CupsPointers.h"

#include <QByteArray>
#include <QRegularExpression>

QVersionNumber SchedulerVersion::fromServerHeader(const QString& header)
{
    static const QRegularExpression product(QStringLiteral("(?:^|\\s)CUPS/(\\d+(?:\\.\\d+)*)"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = product.match(header);
    return match.hasMatch() ? QVersionNumber::fromString(match.captured(1)) : QVersionNumber();
}

QVersionNumber SchedulerVersion::query(const QString& host, int port, int timeoutMs)
{
    const QByteArray name = host.toLocal8Bit();
    Cups::HttpPtr http(httpConnect2(name.constData(), port, nullptr, AF_UNSPEC, HTTP_ENCRYPTION_IF_REQUESTED, 1,
                                    timeoutMs, nullptr));
    if (!http)
        return {};
    httpClearFields(http.get());
    if (httpHead(http.get(), "/") != 0)
        return {};
    http_status_t status = HTTP_STATUS_CONTINUE;
    while (status == HTTP_STATUS_CONTINUE) {
        if (!httpWait(http.get(), timeoutMs))
            return {};
        status = httpUpdate(http.get());
    }
    if (status == HTTP_STATUS_ERROR)
        return {};
    return fromServerHeader(QString::fromLatin1(httpGetField(http.get(), HTTP_FIELD_SERVER)));
}
