#pragma once

#include <QDeadlineTimer>
#include <QSet>
#include <QString>

#include <cups/cups.h>

// A pull subscription to the scheduler's printer and job events, so that one
// small request per refresh tells whether anything changed at all. Used from
// the thread that owns the connection given to each call.
class ChangeSubscription
{
public:
    // What the events since the last poll concern.
    struct Changes
    {
        // Printers were added, deleted, modified or changed state.
        bool printers = false;
        // Names of the destinations whose jobs changed.
        QSet<QString> jobQueues;
        // Events were lost (more than the scheduler keeps): assume anything.
        bool overrun = false;

        bool any() const { return printers || !jobQueues.isEmpty() || overrun; }
    };

    enum class Poll {
        Changed,
        Unchanged,
        Lost,   // the scheduler no longer knows the subscription (restarted)
        Failed, // no answer
    };

    // How long the scheduler keeps a subscription that is not renewed.
    static constexpr int leaseSeconds = 3600;

    bool isActive() const { return m_id > 0; }
    int id() const { return m_id; }

    // False when the scheduler refused or did not answer; refused() tells.
    bool create(http_t* http);
    bool refused() const { return m_refused; }
    Poll poll(http_t* http, Changes* changes);
    // Renews the lease when less than a sixth of it is left; false on failure.
    bool renewIfDue(http_t* http);
    // Ends the subscription on the scheduler; forgets it either way.
    void cancel(http_t* http);
    // Forgets the subscription without telling the scheduler.
    void reset();

    // Whether the last request on this thread got nothing usable back (no
    // answer in time, or no connection), as opposed to an answer that libcups
    // turned into an error, such as a refused password.
    static bool noAnswer();

private:
    ipp_t* request(ipp_op_t operation) const;

    int m_id = 0;
    int m_nextSequence = 1;
    bool m_refused = false;
    QDeadlineTimer m_renewal;
};
