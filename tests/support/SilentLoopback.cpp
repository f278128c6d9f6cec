#include "SilentLoopback.h"

#include <QTcpServer>
#include <QTcpSocket>

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// Clients parked in the wildcard listener's backlog; more than it holds.
constexpr int backlogFillers = 4;

sockaddr_in loopbackAddress(const char* address, quint16 port)
{
    sockaddr_in socketAddress = {};
    socketAddress.sin_family = AF_INET;
    socketAddress.sin_port = htons(port);
    inet_pton(AF_INET, address, &socketAddress.sin_addr);
    return socketAddress;
}

} // namespace

SilentLoopback::SilentLoopback() = default;

SilentLoopback::~SilentLoopback()
{
    m_answering.clear();
    for (int descriptor : m_descriptors)
        ::close(descriptor);
}

int SilentLoopback::listenOn(const char* address, quint16 port, int backlog)
{
    const int descriptor = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
    if (descriptor < 0)
        return -1;
    const int on = 1;
    ::setsockopt(descriptor, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    ::setsockopt(descriptor, SOL_SOCKET, SO_REUSEPORT, &on, sizeof on);
    const sockaddr_in socketAddress = loopbackAddress(address, port);
    if (::bind(descriptor, reinterpret_cast<const sockaddr*>(&socketAddress), sizeof socketAddress) != 0 ||
        ::listen(descriptor, backlog) != 0) {
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        ::close(descriptor);
        return -1;
    }
    return descriptor;
}

bool SilentLoopback::start(const QList<int>& hostBytes)
{
    const int wildcard = listenOn("0.0.0.0", 0, 0);
    if (wildcard < 0)
        return false;
    m_descriptors.push_back(wildcard);
    sockaddr_in bound = {};
    socklen_t length = sizeof bound;
    ::getsockname(wildcard, reinterpret_cast<sockaddr*>(&bound), &length);
    m_port = ntohs(bound.sin_port);

    for (int i = 0; i < backlogFillers; ++i) {
        const int client = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
        const sockaddr_in target = loopbackAddress("127.0.0.1", m_port);
        ::connect(client, reinterpret_cast<const sockaddr*>(&target), sizeof target);
        m_descriptors.push_back(client);
    }

    for (int hostByte : hostBytes) {
        const QByteArray address = "127.0.0." + QByteArray::number(hostByte);
        const int descriptor = listenOn(address.constData(), m_port, 16);
        if (descriptor < 0)
            return false;
        auto server = std::make_unique<QTcpServer>();
        if (!server->setSocketDescriptor(descriptor)) {
            m_error = server->errorString();
            ::close(descriptor);
            return false;
        }
        QTcpServer* raw = server.get();
        // Accepted and dropped, so repeated scans never fill this backlog.
        QObject::connect(raw, &QTcpServer::newConnection, raw, [raw] {
            while (QTcpSocket* connection = raw->nextPendingConnection()) {
                connection->abort();
                connection->deleteLater();
            }
        });
        m_answering.push_back(std::move(server));
    }
    return true;
}
