#pragma once

#include "RefreshWorker.h"

#include <QObject>
#include <QThread>

// Hands refresh requests to the worker thread, one at a time: a request made
// while one is in flight waits, and later ones replace it, so a slow
// scheduler never piles up work.
class RefreshController : public QObject
{
    Q_OBJECT

public:
    explicit RefreshController(QObject* parent = nullptr);
    // Waits for the request in flight (bounded by the worker's time-outs)
    // and cancels the subscription.
    ~RefreshController() override;

    // Fills in the window thread's client settings.
    void request(RefreshRequest request);
    bool isBusy() const { return m_inFlight; }

signals:
    void refreshed(const RefreshResult& result);
    // Internal: carries a request to the worker's thread.
    void started(const RefreshRequest& request);

private slots:
    void finished(const RefreshResult& result);

private:
    QThread m_thread;
    RefreshWorker* m_worker = nullptr;
    bool m_inFlight = false;
    bool m_hasWaiting = false;
    RefreshRequest m_waiting;
};
