#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

// A dbus-daemon of our own, so that tests never touch the machine's buses.
class PrivateBus
{
public:
    enum class Kind { Session, System };

    explicit PrivateBus(Kind kind);
    ~PrivateBus();

    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    // Lets the bus start services described by the .service files of the
    // folder; call before start().
    void addServiceDirectory(const QString& folder);

    bool start();
    void stop();

    // Points DBUS_SESSION_BUS_ADDRESS or DBUS_SYSTEM_BUS_ADDRESS of this
    // process at the bus; must happen before Qt first connects to that bus.
    void exportAddress() const;

    QString address() const { return m_address; }
    QString errorString() const { return m_error; }
    qint64 pid() const;

private:
    Kind m_kind;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QProcess> m_process;
    QStringList m_serviceDirectories;
    QString m_address;
    QString m_error;
};
