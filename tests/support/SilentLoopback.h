#pragma once

#include <QList>
#include <QString>

#include <memory>
#include <vector>

class QTcpServer;

// Makes every 127.x address silent on one TCP port, the way hosts that do not
// answer on a real LAN are (a closed loopback port refuses at once, which a
// scan would find in no time): a wildcard listener whose backlog is full
// swallows every connection attempt. Real listeners on chosen addresses of
// the same port answer at once.
class SilentLoopback
{
public:
    SilentLoopback();
    ~SilentLoopback();

    SilentLoopback(const SilentLoopback&) = delete;
    SilentLoopback& operator=(const SilentLoopback&) = delete;

    // hostBytes: last bytes of the 127.0.0.x addresses that answer; not 1,
    // where the wildcard listener's backlog is filled.
    bool start(const QList<int>& hostBytes);

    quint16 port() const { return m_port; }
    QString errorString() const { return m_error; }

private:
    int listenOn(const char* address, quint16 port, int backlog);

    quint16 m_port = 0;
    QString m_error;
    std::vector<int> m_descriptors;
    std::vector<std::unique_ptr<QTcpServer>> m_answering;
};
