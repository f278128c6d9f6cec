#include "PrivateBus.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

PrivateBus::PrivateBus(Kind kind)
    : m_kind(kind)
{
}

PrivateBus::~PrivateBus()
{
    stop();
}

void PrivateBus::addServiceDirectory(const QString& folder)
{
    m_serviceDirectories.append(folder);
}

bool PrivateBus::start()
{
    stop();
    const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (daemon.isEmpty()) {
        m_error = QStringLiteral("dbus-daemon is not installed (Debian package dbus-daemon)");
        return false;
    }
    m_dir = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/tessel-bus-XXXXXX"));
    if (!m_dir->isValid()) {
        m_error = m_dir->errorString();
        return false;
    }
    const QString type = m_kind == Kind::Session ? QStringLiteral("session") : QStringLiteral("system");
    // The private system bus lets everybody send and own everything: it only
    // carries the tests' own traffic, and the scheduler may run as another user.
    QString serviceDirectories;
    for (const QString& folder : qAsConst(m_serviceDirectories))
        serviceDirectories += QStringLiteral("  <servicedir>%1</servicedir>\n").arg(folder.toHtmlEscaped());
    // A session bus holds as much as a desktop's does: the daemon's own
    // limits would drop the messages of a burst that a real session carries.
    const QString limits = m_kind == Kind::Session
                               ? QStringLiteral("  <limit name=\"max_incoming_bytes\">1000000000</limit>\n"
                                                "  <limit name=\"max_outgoing_bytes\">1000000000</limit>\n"
                                                "  <limit name=\"max_message_size\">1000000000</limit>\n")
                               : QString();
    const QString config = QStringLiteral(
                               "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
                               " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                               "<busconfig>\n"
                               "  <type>%1</type>\n"
                               "  <listen>unix:path=%2/bus</listen>\n"
                               "  <auth>EXTERNAL</auth>\n"
                               "  <allow_anonymous/>\n"
                               "  <policy context=\"default\">\n"
                               "    <allow user=\"*\"/>\n"
                               "    <allow own=\"*\"/>\n"
                               "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
                               "    <allow receive_sender=\"*\"/>\n"
                               "    <allow eavesdrop=\"true\"/>\n"
                               "  </policy>\n"
                               "%3"
                               "%4"
                               "</busconfig>\n")
                               .arg(type, m_dir->path(), serviceDirectories, limits);
    const QString configPath = m_dir->filePath(QStringLiteral("bus.conf"));
    QFile file(configPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(config.toUtf8()) < 0) {
        m_error = file.errorString();
        return false;
    }
    file.close();
    // The socket is reached by the scheduler's own user too.
    QFile::setPermissions(m_dir->path(), QFile::permissions(m_dir->path()) | QFileDevice::ExeOther | QFileDevice::ExeGroup
                                             | QFileDevice::ReadOther | QFileDevice::ReadGroup);

    m_process = std::make_unique<QProcess>();
    m_process->setStandardInputFile(QProcess::nullDevice());
    m_process->setProcessChannelMode(QProcess::SeparateChannels);
    m_process->start(daemon, {QStringLiteral("--config-file=") + configPath, QStringLiteral("--nofork"),
                              QStringLiteral("--nopidfile"), QStringLiteral("--print-address=1")});
    if (!m_process->waitForStarted(10000)) {
        m_error = m_process->errorString();
        m_process.reset();
        return false;
    }
    QDeadlineTimer deadline(10000);
    while (!m_process->canReadLine()) {
        if (deadline.hasExpired() || !m_process->waitForReadyRead(int(deadline.remainingTime()))) {
            m_error = QStringLiteral("dbus-daemon printed no address: %1")
                          .arg(QString::fromLocal8Bit(m_process->readAllStandardError()));
            stop();
            return false;
        }
    }
    m_address = QString::fromLocal8Bit(m_process->readLine()).trimmed();
    return true;
}

void PrivateBus::stop()
{
    if (m_process) {
        if (m_process->state() != QProcess::NotRunning) {
            m_process->terminate();
            if (!m_process->waitForFinished(5000)) {
                m_process->kill();
                m_process->waitForFinished(5000);
            }
        }
        m_process.reset();
    }
    m_address.clear();
}

void PrivateBus::exportAddress() const
{
    qputenv(m_kind == Kind::Session ? "DBUS_SESSION_BUS_ADDRESS" : "DBUS_SYSTEM_BUS_ADDRESS", m_address.toLocal8Bit());
}

qint64 PrivateBus::pid() const
{
    return m_process ? m_process->processId() : 0;
}
