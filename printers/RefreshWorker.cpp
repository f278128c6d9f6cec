#include "RefreshWorker.h"

#include "CupsHttp.h"
#include "CupsIpp.h"
#include "JobList.h"
#include "ServerStateBar.h"

#include <QFile>

#include <cerrno>
#include <vector>

namespace {

// A refresh never prompts: a prompt from another thread would have no
// window, and the user did not ask for anything.
const char* noPassword(const char*, http_t*, const char*, const char*, void*)
{
    return nullptr;
}

int giveUp(http_t*, void*)
{
    return 0;
}

} // namespace

RefreshWorker::RefreshWorker(QObject* parent)
    : QObject(parent)
{
    qRegisterMetaType<RefreshRequest>();
    qRegisterMetaType<RefreshResult>();
}

RefreshWorker::~RefreshWorker() = default;

void RefreshWorker::applyClientSettings(const RefreshRequest& request)
{
    const QByteArray user = request.user.toUtf8();
    cupsSetUser(user.isEmpty() ? nullptr : user.constData());
    cupsSetEncryption(request.encryption);
    cupsSetPasswordCB2(noPassword, nullptr);
    // URIs built on this thread name the port the window uses.
    ippSetPort(request.port);
}

bool RefreshWorker::connectTo(const RefreshRequest& request)
{
    if (m_http && request.server == m_server && request.port == m_port)
        return true;
    m_http.reset();
    m_server = request.server;
    m_port = request.port;
    if (m_server.isEmpty())
        return false;
    // A server name starting with "/" is a domain socket; httpConnect2 knows.
    const QByteArray host = QFile::encodeName(m_server);
    m_http.reset(httpConnect2(host.constData(), m_port, nullptr, AF_UNSPEC, request.encryption, 1, connectTimeoutMs,
                              nullptr));
    if (m_http)
        httpSetTimeout(m_http.get(), silenceSeconds, giveUp, nullptr);
    return m_http != nullptr;
}

void RefreshWorker::fail(RefreshResult* result)
{
    const int error = m_http ? httpError(m_http.get()) : 0;
    result->reach = error == ETIMEDOUT ? RefreshResult::Reach::Silent : RefreshResult::Reach::Unreachable;
    result->hasDestinations = false;
    result->hasSelected = false;
    result->hasJobs = false;
    m_http.reset();
}

void RefreshWorker::refresh(const RefreshRequest& request)
{
    applyClientSettings(request);
    RefreshResult result;
    result.serial = request.serial;
    result.server = ServerStateBar::serverName(request.server, request.port);
    if (!connectTo(request)) {
        result.reach = RefreshResult::Reach::Unreachable;
        emit refreshed(result);
        return;
    }

    bool everything = request.force || !m_subscription.isActive();
    ChangeSubscription::Changes changes;
    if (m_subscription.isActive()) {
        switch (m_subscription.poll(m_http.get(), &changes)) {
        case ChangeSubscription::Poll::Failed:
            fail(&result);
            emit refreshed(result);
            return;
        case ChangeSubscription::Poll::Lost:
            everything = true;
            break;
        case ChangeSubscription::Poll::Changed:
            everything = everything || changes.overrun;
            break;
        case ChangeSubscription::Poll::Unchanged:
            break;
        }
    }
    // Subscribed before reading, so that no change falls between the two.
    if (!m_subscription.isActive() && !m_subscription.create(m_http.get()) && !m_subscription.refused()) {
        fail(&result);
        emit refreshed(result);
        return;
    }
    if (!m_subscription.renewIfDue(m_http.get()))
        m_subscription.reset();

    const bool selectedJobsChanged = changes.jobQueues.contains(request.selected)
                                     || (request.selectedIsClass && !changes.jobQueues.isEmpty());
    const bool readDestinations = everything || changes.printers;
    // Jobs change a queue's state too: the selected one's facts follow them.
    const bool readSelected = !request.selected.isEmpty() && (readDestinations || selectedJobsChanged);
    const bool readJobs = request.jobs && !request.selected.isEmpty() && (everything || selectedJobsChanged);
    if ((readDestinations && !fetchDestinations(&result)) || (readSelected && !fetchSelected(request, &result))
        || (readJobs && !fetchJobs(request, &result)))
        fail(&result);
    emit refreshed(result);
}

bool RefreshWorker::fetchDestinations(RefreshResult* result)
{
    Cups::IppPtr request(ippNewRequest(IPP_OP_CUPS_GET_PRINTERS));
    if (!request)
        return false;
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    Cups::HTTP::addKeywords(request.get(), "requested-attributes", Cups::HTTP::destinationAttributes());
    Cups::IppPtr response(cupsDoRequest(m_http.get(), request.release(), "/"));
    if (!response)
        return !ChangeSubscription::noAnswer();
    result->hasDestinations = true;
    // An empty server answers "not found": no destinations.
    if (!Cups::IPP::succeeded(response.get()))
        return ippGetStatusCode(response.get()) == IPP_STATUS_ERROR_NOT_FOUND;
    const Cups::IPP message(response.release());
    const QList<QVariantMap> groups = message.attributes();
    const QList<ipp_tag_t> tags = message.groupTags();
    for (int i = 0; i < groups.size(); ++i) {
        if (tags.value(i) == IPP_TAG_PRINTER && !groups.at(i).isEmpty())
            result->destinations.append(groups.at(i));
    }
    return true;
}

bool RefreshWorker::fetchSelected(const RefreshRequest& request, RefreshResult* result)
{
    const QByteArray resource =
        QStringLiteral("/%1/%2")
            .arg(request.selectedIsClass ? QStringLiteral("classes") : QStringLiteral("printers"), request.selected)
            .toUtf8();
    char uri[HTTP_MAX_URI];
    if (httpAssembleURI(HTTP_URI_CODING_RESOURCE, uri, sizeof(uri), "ipp", nullptr, "localhost", m_port,
                        resource.constData())
        < HTTP_URI_STATUS_OK)
        return true;
    Cups::IppPtr message(ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES));
    if (!message)
        return false;
    ippAddString(message.get(), IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippAddString(message.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    Cups::HTTP::addKeywords(message.get(), "requested-attributes", {QStringLiteral("all")});
    Cups::IppPtr response(cupsDoRequest(m_http.get(), message.release(), "/"));
    if (!response && ChangeSubscription::noAnswer())
        return false;
    const ipp_status_t status = response ? ippGetStatusCode(response.get()) : cupsLastError();
    if (status == IPP_STATUS_ERROR_NOT_AUTHORIZED || status == IPP_STATUS_ERROR_CUPS_AUTHENTICATION_CANCELED) {
        result->needsAuthentication = true;
        return true;
    }
    // A destination deleted meanwhile: the list read with it tells.
    if (!Cups::IPP::succeeded(response.get()))
        return true;
    const Cups::IPP answer(response.release());
    const QList<QVariantMap> groups = answer.attributes();
    if (!groups.isEmpty()) {
        result->hasSelected = true;
        result->selected = groups.first();
    }
    return true;
}

bool RefreshWorker::fetchJobs(const RefreshRequest& request, RefreshResult* result)
{
    if (JobList::fetch(m_http.get(), request.selected, request.completedJobs, &result->jobs)) {
        result->hasJobs = true;
        return true;
    }
    // An IPP refusal is an answer; only a silent or lost scheduler is a failure.
    return !ChangeSubscription::noAnswer();
}

void RefreshWorker::shutdown()
{
    if (m_http)
        m_subscription.cancel(m_http.get());
    m_subscription.reset();
    m_http.reset();
}
