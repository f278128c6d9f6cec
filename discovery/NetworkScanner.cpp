#include "NetworkScanner.h"

#include <QTcpSocket>
#include <QTimer>

NetworkScanner::NetworkScanner(QObject* parent)
    : QObject(parent)
{
}

NetworkScanner::~NetworkScanner()
{
    stop();
}

void NetworkScanner::setWindow(int sockets)
{
    m_window = qMax(1, sockets);
}

void NetworkScanner::startRange(quint32 first, quint32 last, quint16 port, int timeoutMs)
{
    m_first = first;
    m_host = QHostAddress();
    start(last < first ? 0 : quint64(last) - first + 1, port, timeoutMs);
}

void NetworkScanner::startHost(const QHostAddress& address, quint16 port, int timeoutMs)
{
    m_host = address;
    start(1, port, timeoutMs);
}

void NetworkScanner::start(quint64 total, quint16 port, int timeoutMs)
{
    stop();
    m_total = total;
    m_launched = 0;
    m_reported = 0;
    m_port = port;
    m_timeoutMs = timeoutMs;
    m_running = true;
    if (m_total == 0) {
        m_running = false;
        emit finished();
        return;
    }
    launchMore();
}

void NetworkScanner::stop()
{
    const QList<QTcpSocket*> sockets = m_inFlight.keys();
    m_inFlight.clear();
    m_pending.clear();
    for (QTcpSocket* socket : sockets) {
        socket->disconnect(this);
        socket->abort();
        socket->deleteLater();
    }
    m_running = false;
}

QHostAddress NetworkScanner::addressAt(quint64 index) const
{
    return m_host.isNull() ? QHostAddress(quint32(m_first + index)) : m_host;
}

void NetworkScanner::launchMore()
{
    // connectToHost() may fail at once and settle inside this loop; the loop
    // itself then goes on instead of a recursion as deep as the range.
    if (m_launching)
        return;
    m_launching = true;
    while (m_running && m_launched < m_total && m_inFlight.size() < m_window) {
        const quint64 index = m_launched++;
        auto* socket = new QTcpSocket(this);
        auto* timer = new QTimer(socket);
        timer->setSingleShot(true);
        m_inFlight.insert(socket, index);
        connect(socket, &QTcpSocket::connected, this, [this, socket, index] { settle(socket, index, true); });
        connect(socket, &QTcpSocket::errorOccurred, this, [this, socket, index] { settle(socket, index, false); });
        connect(timer, &QTimer::timeout, this, [this, socket, index] { settle(socket, index, false); });
        timer->start(m_timeoutMs);
        socket->connectToHost(addressAt(index), m_port);
    }
    m_launching = false;
}

void NetworkScanner::settle(QTcpSocket* socket, quint64 index, bool success)
{
    if (!m_inFlight.remove(socket))
        return;
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();

    m_pending.insert(index, success);
    const quint64 before = m_reported;
    while (m_running && m_pending.contains(m_reported)) {
        const bool accepted = m_pending.take(m_reported);
        const quint64 reported = m_reported++;
        if (accepted)
            emit found(addressAt(reported));
    }
    if (m_running && m_reported != before)
        emit progress(m_reported);
    // A receiver may have stopped the scan, or (a modal progress dialog
    // processes events in setValue()) settled the last address meanwhile.
    if (!m_running)
        return;
    if (m_reported == m_total) {
        m_running = false;
        emit finished();
        return;
    }
    launchMore();
}
