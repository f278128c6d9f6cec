#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariantMap>

class CupsTestServer;

// Runs the helper program against a private scheduler and reads the
// scheduler's queues back with plain libcups, independent of the helper.
class PrivHelperFixture
{
public:
    struct Result
    {
        int exitCode = -1;
        QByteArray output;
        QByteArray error;
    };

    explicit PrivHelperFixture(const CupsTestServer* server);

    Result run(const QStringList& words, const QByteArray& input = QByteArray()) const;

    // Attribute name to value; a value with several entries is a QStringList.
    // Empty when the queue does not exist.
    QVariantMap queue(const QString& name) const;
    QString defaultDestination() const;
    QByteArray configuration() const;
    // Everything the helper may change, as text to compare.
    QString snapshot() const;

private:
    const CupsTestServer* m_server;
};
