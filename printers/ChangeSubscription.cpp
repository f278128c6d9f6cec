#include "ChangeSubscription.h"

#include "CupsIpp.h"
#include "CupsPointers.h"

#include <iterator>

namespace {

const char* const subscribedEvents[] = {
    "printer-added", "printer-deleted", "printer-state-changed", "printer-modified",
    "job-created",   "job-state-changed", "job-completed",
};

} // namespace

ipp_t* ChangeSubscription::request(ipp_op_t operation) const
{
    ipp_t* message = ippNewRequest(operation);
    if (!message)
        return nullptr;
    ippAddString(message, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, "ipp://localhost/");
    ippAddString(message, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    return message;
}

bool ChangeSubscription::create(http_t* http)
{
    reset();
    ipp_t* message = request(IPP_OP_CREATE_PRINTER_SUBSCRIPTIONS);
    if (!message)
        return false;
    ippAddString(message, IPP_TAG_SUBSCRIPTION, IPP_TAG_KEYWORD, "notify-pull-method", nullptr, "ippget");
    ippAddStrings(message, IPP_TAG_SUBSCRIPTION, IPP_TAG_KEYWORD, "notify-events", int(std::size(subscribedEvents)),
                  nullptr, subscribedEvents);
    ippAddInteger(message, IPP_TAG_SUBSCRIPTION, IPP_TAG_INTEGER, "notify-lease-duration", leaseSeconds);
    const Cups::IppPtr response(cupsDoRequest(http, message, "/"));
    if (!response && noAnswer())
        return false;
    ipp_attribute_t* id =
        response ? ippFindAttribute(response.get(), "notify-subscription-id", IPP_TAG_INTEGER) : nullptr;
    if (!response || !Cups::IPP::succeeded(response.get()) || !id) {
        m_refused = true;
        return false;
    }
    m_refused = false;
    m_id = ippGetInteger(id, 0);
    m_renewal.setRemainingTime(std::chrono::seconds(leaseSeconds * 5 / 6));
    return true;
}

ChangeSubscription::Poll ChangeSubscription::poll(http_t* http, Changes* changes)
{
    *changes = Changes();
    if (!isActive())
        return Poll::Lost;
    ipp_t* message = request(IPP_OP_GET_NOTIFICATIONS);
    if (!message)
        return Poll::Failed;
    ippAddInteger(message, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "notify-subscription-ids", m_id);
    ippAddInteger(message, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "notify-sequence-numbers", m_nextSequence);
    const Cups::IppPtr response(cupsDoRequest(http, message, "/"));
    if (!response && noAnswer())
        return Poll::Failed;
    const ipp_status_t status = response ? ippGetStatusCode(response.get()) : cupsLastError();
    if (status == IPP_STATUS_ERROR_NOT_FOUND || status == IPP_STATUS_ERROR_NOT_AUTHORIZED
        || status == IPP_STATUS_ERROR_FORBIDDEN) {
        reset();
        return Poll::Lost;
    }
    if (!Cups::IPP::succeeded(response.get()))
        return Poll::Failed;

    // Each event is a group of its own; its attributes arrive in no fixed
    // order, so a group is judged when the next one starts.
    int sequence = 0;
    QString event;
    QString printer;
    bool first = true;
    const auto finishEvent = [&] {
        if (sequence <= 0)
            return;
        if (first && sequence > m_nextSequence)
            changes->overrun = true;
        first = false;
        m_nextSequence = qMax(m_nextSequence, sequence + 1);
        if (event.startsWith(QLatin1String("printer-")))
            changes->printers = true;
        else if (event.startsWith(QLatin1String("job-")))
            changes->jobQueues.insert(printer);
    };
    ipp_t* answer = response.get();
    for (ipp_attribute_t* attribute = ippFirstAttribute(answer); attribute; attribute = ippNextAttribute(answer)) {
        const char* name = ippGetName(attribute);
        if (!name) {
            finishEvent();
            sequence = 0;
            event.clear();
            printer.clear();
            continue;
        }
        if (ippGetGroupTag(attribute) != IPP_TAG_EVENT_NOTIFICATION)
            continue;
        const QByteArray key(name);
        if (key == "notify-sequence-number")
            sequence = ippGetInteger(attribute, 0);
        else if (key == "notify-subscribed-event")
            event = QString::fromUtf8(ippGetString(attribute, 0, nullptr));
        else if (key == "printer-name")
            printer = QString::fromUtf8(ippGetString(attribute, 0, nullptr));
    }
    finishEvent();
    return changes->any() ? Poll::Changed : Poll::Unchanged;
}

bool ChangeSubscription::renewIfDue(http_t* http)
{
    if (!isActive() || !m_renewal.hasExpired())
        return true;
    ipp_t* message = request(IPP_OP_RENEW_SUBSCRIPTION);
    if (!message)
        return false;
    ippAddInteger(message, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "notify-subscription-id", m_id);
    ippAddInteger(message, IPP_TAG_SUBSCRIPTION, IPP_TAG_INTEGER, "notify-lease-duration", leaseSeconds);
    const Cups::IppPtr response(cupsDoRequest(http, message, "/"));
    if (!Cups::IPP::succeeded(response.get()))
        return false;
    m_renewal.setRemainingTime(std::chrono::seconds(leaseSeconds * 5 / 6));
    return true;
}

void ChangeSubscription::cancel(http_t* http)
{
    if (isActive() && http) {
        ipp_t* message = request(IPP_OP_CANCEL_SUBSCRIPTION);
        if (message) {
            ippAddInteger(message, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "notify-subscription-id", m_id);
            const Cups::IppPtr response(cupsDoRequest(http, message, "/"));
        }
    }
    reset();
}

bool ChangeSubscription::noAnswer()
{
    const ipp_status_t status = cupsLastError();
    return status == IPP_STATUS_ERROR_INTERNAL || status == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE;
}

void ChangeSubscription::reset()
{
    m_id = 0;
    m_nextSequence = 1;
    m_renewal = QDeadlineTimer();
}
