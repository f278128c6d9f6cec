#include "RefreshController.h"

#include <cups/cups.h>

RefreshController::RefreshController(QObject* parent)
    : QObject(parent)
    , m_worker(new RefreshWorker)
{
    m_worker->moveToThread(&m_thread);
    connect(this, &RefreshController::started, m_worker, &RefreshWorker::refresh);
    connect(m_worker, &RefreshWorker::refreshed, this, &RefreshController::finished);
    m_thread.start();
}

RefreshController::~RefreshController()
{
    QMetaObject::invokeMethod(m_worker, &RefreshWorker::shutdown, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
    delete m_worker;
}

void RefreshController::request(RefreshRequest request)
{
    // What the window's connection follows too; asked here, where it is
    // set, since libcups keeps it per thread.
    request.server = QString::fromLocal8Bit(cupsServer());
    request.port = ippPort();
    request.user = QString::fromUtf8(cupsUser());
    request.encryption = cupsEncryption();
    if (m_inFlight) {
        // A forced read must not be lost to a later ordinary one.
        request.force = request.force || (m_hasWaiting && m_waiting.force);
        m_waiting = request;
        m_hasWaiting = true;
        return;
    }
    m_inFlight = true;
    emit started(request);
}

void RefreshController::finished(const RefreshResult& result)
{
    m_inFlight = false;
    emit refreshed(result);
    if (m_hasWaiting && !m_inFlight) {
        m_hasWaiting = false;
        m_inFlight = true;
        emit started(m_waiting);
    }
}
