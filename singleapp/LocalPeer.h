#pragma once

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

// One end of the single-instance channel: the first process to claim an id
// listens on a per-user local socket, later processes find it there and hand it
// a message.
class LocalPeer : public QObject
{
    Q_OBJECT

public:
    explicit LocalPeer(const QString& id, QObject* parent = nullptr);
    ~LocalPeer() override;

    // Identity of a program under the current login: the same installed file
    // gives the same id, another user never gets ours.
    static QString defaultId(const QString& applicationFilePath);

    // Where the socket of an id lives; private to the user where the system
    // offers a runtime directory.
    static QString socketPath(const QString& id);

    QString id() const { return m_id; }

    // True when another process owns the id; otherwise this peer takes it
    // over and starts listening.
    bool isClient();

    bool sendMessage(const QString& message, int timeout);

signals:
    void messageReceived(const QString& message);

private slots:
    void receiveConnection();

private:
    void readMessage(QLocalSocket* socket);

    QString m_id;
    QString m_socketPath;
    QLocalServer* m_server = nullptr;
};
