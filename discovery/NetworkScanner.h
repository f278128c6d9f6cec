#pragma once

#include <QHash>
#include <QHostAddress>
#include <QObject>

class QTcpSocket;

// Tries a TCP connection to one port on many IPv4 addresses at once, a window
// of them in flight, and reports the ones that accepted in ascending order.
// Everything happens in the event loop of the thread it lives in.
class NetworkScanner : public QObject
{
    Q_OBJECT

public:
    static constexpr int defaultWindow = 64;

    explicit NetworkScanner(QObject* parent = nullptr);
    ~NetworkScanner() override;

    // How many connection attempts may be in flight at once (at least 1).
    void setWindow(int sockets);

    // Probes first..last inclusive; nothing when last < first.
    void startRange(quint32 first, quint32 last, quint16 port, int timeoutMs);
    void startHost(const QHostAddress& address, quint16 port, int timeoutMs);
    bool isRunning() const { return m_running; }
    quint64 total() const { return m_total; }

public slots:
    // Forgets the attempts in flight; what was reported stays reported.
    void stop();

signals:
    void found(const QHostAddress& address);
    // done addresses, counted from the start of the range without gaps.
    void progress(quint64 done);
    void finished();

private:
    void start(quint64 total, quint16 port, int timeoutMs);
    QHostAddress addressAt(quint64 index) const;
    void launchMore();
    void settle(QTcpSocket* socket, quint64 index, bool success);

    int m_window = defaultWindow;
    bool m_running = false;
    bool m_launching = false;
    quint32 m_first = 0;
    QHostAddress m_host;
    quint64 m_total = 0;
    quint64 m_launched = 0;
    quint64 m_reported = 0;
    quint16 m_port = 0;
    int m_timeoutMs = 0;
    // Results that arrived before those of lower addresses.
    QHash<quint64, bool> m_pending;
    QHash<QTcpSocket*, quint64> m_inFlight;
};
