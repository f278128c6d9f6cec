#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QVariantMap>

// Asks the scheduler for the devices its backends see (CUPS-Get-Devices) on
// a connection and a thread of its own: the backends may take seconds, and
// the window must keep painting meanwhile. No password is asked for there;
// the caller falls back to a request that can prompt when the server wants
// one.
class DeviceQuery : public QObject
{
    Q_OBJECT

public:
    struct Result
    {
        bool ok = false;
        bool authorizationNeeded = false;
        QString error;
        // Each device: attribute name to the list of its values.
        QList<QVariantMap> devices;
    };

    // Starts the query; the object it returns, a child of owner, emits
    // finished() and deletes itself afterwards. Should owner go first, the
    // answer is dropped.
    static DeviceQuery* start(QObject* owner, int timeoutSeconds);

signals:
    void finished(const DeviceQuery::Result& result);

private:
    explicit DeviceQuery(QObject* parent) : QObject(parent) {}
    static Result run(const QByteArray& server, int port, const QByteArray& user, int timeoutSeconds);
};

Q_DECLARE_METATYPE(DeviceQuery::Result)
