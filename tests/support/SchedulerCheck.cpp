#include "SchedulerCheck.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <grp.h>
#include <unistd.h>

SchedulerCheck::SchedulerCheck()
{
    m_cupsd = QStandardPaths::findExecutable(QStringLiteral("cupsd"), {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
    if (m_cupsd.isEmpty()) {
        m_unavailable = QStringLiteral("cupsd is not installed; the scheduler's verdict is not checked");
        return;
    }
    const QString root = m_dir.path();
    for (const char* directory : {"etc", "spool", "tmp", "cache", "state", "ssl", "log"}) {
        if (!m_dir.isValid() || !QDir(root).mkpath(QString::fromLatin1(directory))) {
            m_unavailable = QStringLiteral("cannot create the checker's directories under %1").arg(root);
            return;
        }
    }
    QString files = QStringLiteral("ServerRoot %1/etc\nServerBin /usr/lib/cups\nDataDir /usr/share/cups\n"
                                   "RequestRoot %1/spool\nTempDir %1/tmp\nCacheDir %1/cache\nStateDir %1/state\n"
                                   "ServerKeychain %1/ssl\nPrintcap %1/printcap\nErrorLog %1/log/error_log\n"
                                   "AccessLog %1/log/access_log\nPageLog %1/log/page_log\n")
                        .arg(root);
    if (::geteuid() == 0) {
        files += QStringLiteral("User lp\nGroup lp\nSystemGroup root\n");
    } else if (const group* primary = ::getgrgid(::getgid())) {
        files += QStringLiteral("SystemGroup %1\n").arg(QString::fromLocal8Bit(primary->gr_name));
    }
    QFile filesConf(root + QStringLiteral("/etc/cups-files.conf"));
    if (!filesConf.open(QIODevice::WriteOnly) || filesConf.write(files.toUtf8()) < 0)
        m_unavailable = QStringLiteral("cannot write %1").arg(filesConf.fileName());
}

bool SchedulerCheck::accepts(const QString& confPath, QString* output) const
{
    if (!m_unavailable.isEmpty()) {
        *output = m_unavailable;
        return false;
    }
    QProcess cupsd;
    cupsd.setProcessChannelMode(QProcess::MergedChannels);
    cupsd.start(m_cupsd, {QStringLiteral("-t"), QStringLiteral("-c"), confPath, QStringLiteral("-s"),
                          m_dir.filePath(QStringLiteral("etc/cups-files.conf"))});
    const bool finished = cupsd.waitForFinished(30000);
    *output = QString::fromLocal8Bit(cupsd.readAll());
    return finished && cupsd.exitStatus() == QProcess::NormalExit && cupsd.exitCode() == 0;
}

bool SchedulerCheck::acceptsText(const QByteArray& text, QString* output) const
{
    const QString path = m_dir.filePath(QStringLiteral("etc/cupsd.conf"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size()) {
        *output = QStringLiteral("cannot write %1").arg(path);
        return false;
    }
    file.close();
    return accepts(path, output);
}
