#include "LocalPeer.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>

#include <unistd.h>

namespace {

constexpr char ackReply[] = "ack";
// Far larger than any message we send; a peer announcing more is not ours.
constexpr quint32 maxMessageSize = 64 * 1024;

} // namespace

LocalPeer::LocalPeer(const QString& id, QObject* parent)
    : QObject(parent)
    , m_id(id)
    , m_socketPath(socketPath(id))
{
}

LocalPeer::~LocalPeer() = default;

QString LocalPeer::defaultId(const QString& applicationFilePath)
{
    QString path = QFileInfo(applicationFilePath).canonicalFilePath();
    if (path.isEmpty())
        path = QFileInfo(applicationFilePath).absoluteFilePath();
    const QByteArray digest = QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("%1-%2-%3")
        .arg(QFileInfo(path).fileName().left(40), QString::number(::getuid()), QString::fromLatin1(digest));
}

QString LocalPeer::socketPath(const QString& id)
{
    // The runtime directory belongs to the user alone; the shared temporary
    // directory is only a fallback, and there the uid in the id keeps users apart.
    QString dir = QString::fromLocal8Bit(qgetenv("XDG_RUNTIME_DIR"));
    if (dir.isEmpty() || !QFileInfo(dir).isDir() || !QFileInfo(dir).isWritable())
        dir = QDir::tempPath();
    return QDir(dir).filePath(QStringLiteral("qtsingleapp-") + id);
}

bool LocalPeer::isClient()
{
    if (m_server && m_server->isListening())
        return false;

    // Serialise the look-and-claim so that two simultaneous starts cannot both
    // remove each other's socket and both believe they are first.
    QLockFile lock(m_socketPath + QStringLiteral(".lock"));
    lock.setStaleLockTime(10000);
    if (!lock.tryLock(5000))
        return true;

    QLocalSocket probe;
    probe.connectToServer(m_socketPath);
    if (probe.waitForConnected(1000))
        return true;

    // Nobody answers: whatever socket file is there was left by a dead process.
    QLocalServer::removeServer(m_socketPath);
    if (!m_server) {
        m_server = new QLocalServer(this);
        m_server->setSocketOptions(QLocalServer::UserAccessOption);
        connect(m_server, &QLocalServer::newConnection, this, &LocalPeer::receiveConnection);
    }
    if (!m_server->listen(m_socketPath)) {
        qWarning("Single instance guard cannot listen on %s: %s", qPrintable(m_socketPath),
                 qPrintable(m_server->errorString()));
        return false;
    }
    return false;
}

bool LocalPeer::sendMessage(const QString& message, int timeout)
{
    QDeadlineTimer deadline(timeout);
    QLocalSocket socket;
    socket.connectToServer(m_socketPath);
    if (!socket.waitForConnected(int(deadline.remainingTime())))
        return false;

    const QByteArray payload = message.toUtf8();
    QByteArray frame;
    QDataStream out(&frame, QIODevice::WriteOnly);
    out << quint32(payload.size());
    frame.append(payload);
    if (socket.write(frame) != frame.size())
        return false;
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(int(deadline.remainingTime())))
            return false;
    }
    while (socket.bytesAvailable() < qint64(sizeof(ackReply) - 1)) {
        if (!socket.waitForReadyRead(int(deadline.remainingTime())))
            return false;
    }
    return socket.read(sizeof(ackReply) - 1) == ackReply;
}

void LocalPeer::receiveConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        // Read without blocking: a slow or silent sender must never freeze the
        // window that owns the guard.
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readMessage(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        readMessage(socket);
    }
}

void LocalPeer::readMessage(QLocalSocket* socket)
{
    if (socket->bytesAvailable() < qint64(sizeof(quint32)))
        return;
    quint32 size = 0;
    {
        QDataStream in(socket->peek(sizeof(quint32)));
        in >> size;
    }
    if (size > maxMessageSize) {
        socket->abort();
        return;
    }
    if (socket->bytesAvailable() < qint64(sizeof(quint32) + size))
        return;
    socket->read(sizeof(quint32));
    const QString message = QString::fromUtf8(socket->read(size));
    socket->write(ackReply, sizeof(ackReply) - 1);
    socket->flush();
    emit messageReceived(message);
}
