#pragma once

#include "ChangeSubscription.h"
#include "CupsPointers.h"
#include "JobRecord.h"

#include <QList>
#include <QMetaType>
#include <QObject>
#include <QString>
#include <QVariantMap>

// What the window wants to know at one refresh.
struct RefreshRequest
{
    // Tells the answer to this request from answers to older ones.
    quint64 serial = 0;
    // The window thread's client settings: libcups keeps them per thread.
    QString server;
    int port = 0;
    QString user;
    http_encryption_t encryption = HTTP_ENCRYPTION_IF_REQUESTED;
    // The selected destination; empty for none.
    QString selected;
    bool selectedIsClass = false;
    // Whether its jobs are shown, and which.
    bool jobs = false;
    bool completedJobs = false;
    // Read everything whether or not the scheduler reported a change.
    bool force = false;
};

// What one refresh learnt.
struct RefreshResult
{
    enum class Reach {
        Answering,
        Silent,      // connected, but no answer in time (a hung scheduler)
        Unreachable, // the connection was refused or dropped
    };

    quint64 serial = 0;
    Reach reach = Reach::Answering;
    // "host:port" of the scheduler asked.
    QString server;
    bool hasDestinations = false;
    QList<QVariantMap> destinations;
    bool hasSelected = false;
    QVariantMap selected;
    bool hasJobs = false;
    QList<JobRecord> jobs;
    // The selected destination's attributes need a password, which a
    // refresh never asks for.
    bool needsAuthentication = false;
};

Q_DECLARE_METATYPE(RefreshRequest)
Q_DECLARE_METATYPE(RefreshResult)

// Runs the periodic refresh on a thread of its own with a connection of its
// own, so that a slow or hung scheduler never holds the window. Between
// changes each refresh costs one Get-Notifications; everything is read again
// only when the scheduler reports a change, refuses subscriptions or lost
// ours.
class RefreshWorker : public QObject
{
    Q_OBJECT

public:
    // Silence after which a refresh request is given up; libcups waits twice.
    static constexpr double silenceSeconds = 1.0;
    static constexpr int connectTimeoutMs = 2000;

    explicit RefreshWorker(QObject* parent = nullptr);
    ~RefreshWorker() override;

public slots:
    void refresh(const RefreshRequest& request);
    // Cancels the subscription and closes the connection.
    void shutdown();

signals:
    void refreshed(const RefreshResult& result);

private:
    void applyClientSettings(const RefreshRequest& request);
    bool connectTo(const RefreshRequest& request);
    bool fetchDestinations(RefreshResult* result);
    bool fetchSelected(const RefreshRequest& request, RefreshResult* result);
    bool fetchJobs(const RefreshRequest& request, RefreshResult* result);
    // Classifies a failed request and drops the connection.
    void fail(RefreshResult* result);

    Cups::HttpPtr m_http;
    QString m_server;
    int m_port = 0;
    ChangeSubscription m_subscription;
};
