#include "SchedulerConfigCheck.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

const QString schedulerProgramName = QStringLiteral("cupsd");
// Where the scheduler is installed; a user's PATH often lacks these, and a
// program run as root must not take one from a PATH it was handed.
const QStringList schedulerDirs = {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")};
// The test takes a few tens of milliseconds.
constexpr int checkTimeoutMs = 10000;

} // namespace

QString SchedulerConfigCheck::filesConfPath()
{
    return qEnvironmentVariable("CUPS_SERVERROOT", QStringLiteral("/etc/cups")) + QStringLiteral("/cups-files.conf");
}

SchedulerConfigCheck::Result SchedulerConfigCheck::checkFile(const QString& confPath, QString* message)
{
    const QString cupsd = QStandardPaths::findExecutable(schedulerProgramName, schedulerDirs);
    if (cupsd.isEmpty()) {
        *message = tr("the scheduler program %1 is not installed in %2")
                       .arg(schedulerProgramName, schedulerDirs.join(QLatin1String(", ")));
        return Result::Unavailable;
    }
    const QFileInfo filesConf(filesConfPath());
    if (!filesConf.isReadable()) {
        *message = tr("%1 cannot be read").arg(filesConf.filePath());
        return Result::Unavailable;
    }

    QFile conf(confPath);
    if (conf.open(QIODevice::ReadOnly) && conf.read(3) == QByteArrayLiteral("\xEF\xBB\xBF")) {
        // The scheduler reads the mark as part of the first directive's name.
        *message = tr("%1 starts with a byte-order mark, which the scheduler refuses").arg(confPath);
        return Result::Refused;
    }
    conf.close();

    QProcess check;
    check.setProcessChannelMode(QProcess::MergedChannels);
    check.start(cupsd, {QStringLiteral("-t"), QStringLiteral("-c"), QFileInfo(confPath).absoluteFilePath(),
                        QStringLiteral("-s"), filesConf.absoluteFilePath()});
    if (!check.waitForFinished(checkTimeoutMs) || check.exitStatus() != QProcess::NormalExit) {
        check.kill();
        check.waitForFinished();
        *message = tr("%1 -t did not finish: %2").arg(cupsd, check.errorString());
        return Result::Unavailable;
    }
    *message = QString::fromLocal8Bit(check.readAll()).trimmed();
    return check.exitCode() == 0 ? Result::Accepted : Result::Refused;
}

SchedulerConfigCheck::Result SchedulerConfigCheck::checkContents(const QByteArray& contents, QString* message)
{
    const QTemporaryDir dir;
    if (!dir.isValid()) {
        *message = tr("cannot create a temporary directory: %1").arg(dir.errorString());
        return Result::Unavailable;
    }
    QFile file(dir.filePath(QStringLiteral("cupsd.conf")));
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size() || !file.flush()) {
        *message = tr("cannot write %1: %2").arg(file.fileName(), file.errorString());
        return Result::Unavailable;
    }
    file.close();
    return checkFile(file.fileName(), message);
}
