#include "PolKitActionProviderHelper.h"

#include "PrivilegedHelper.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>
#include <QtGlobal>

namespace {

const QString fileGetAction = QStringLiteral("FileGet");
const QString filePutAction = QStringLiteral("FilePut");
const QString ppdFileAction = QStringLiteral("PrinterAddWithPpdFile");
// Stands in for the caller's file name, which the helper never gets.
const QString standardStream = QStringLiteral("-");
// Positions among the words, the action name being the first.
constexpr int localFileIndex = 2;
constexpr int ppdPathIndex = 3;
constexpr int killTimeoutMs = 5000;

// The caller's file, read with the caller's rights; the helper gets only its
// contents.
bool readLocalFile(const QString& path, qint64 limit, QByteArray* contents)
{
    if (!QFileInfo(path).isFile()) {
        qWarning("Privileged action: %s is not a regular file", qPrintable(path));
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("Privileged action: cannot read %s: %s", qPrintable(path), qPrintable(file.errorString()));
        return false;
    }
    *contents = file.read(limit + 1);
    if (contents->size() > limit) {
        qWarning("Privileged action: %s is larger than %lld bytes", qPrintable(path), limit);
        return false;
    }
    return true;
}

bool writeLocalFile(const QString& path, const QByteArray& contents)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size() || !file.commit()) {
        qWarning("Privileged action: cannot write %s: %s", qPrintable(path), qPrintable(file.errorString()));
        return false;
    }
    return true;
}

} // namespace

PolKitActionProviderHelper::PolKitActionProviderHelper() = default;

QString PolKitActionProviderHelper::installedHelperPath()
{
    return QStringLiteral(TESSEL_PRIVHELPER_PATH);
}

bool PolKitActionProviderHelper::callHelperAction(const QString& action, const QList<QVariant>& args)
{
    QStringList words{action};
    for (const QVariant& arg : args) {
        if (arg.userType() == QMetaType::Bool) {
            words.append(arg.toBool() ? QStringLiteral("true") : QStringLiteral("false"));
        } else if (arg.userType() == QMetaType::QString) {
            words.append(arg.toString());
        } else {
            qWarning("Privileged action %s: an argument of type %s is neither a text nor a flag", qPrintable(action),
                     arg.typeName() ? arg.typeName() : "invalid");
            return false;
        }
    }
    // A program argument ends at the first NUL; the rest would vanish silently.
    for (const QString& word : qAsConst(words)) {
        if (word.contains(QChar::Null)) {
            qWarning("Privileged action %s: an argument contains a NUL character", qPrintable(action));
            return false;
        }
    }

    QString localFile;
    QByteArray input;
    if (action == fileGetAction || action == filePutAction) {
        if (words.size() != localFileIndex + 1 || words.at(localFileIndex).isEmpty()) {
            qWarning("Privileged action %s: needs the resource and a local file name", qPrintable(action));
            return false;
        }
        localFile = words.at(localFileIndex);
        words[localFileIndex] = standardStream;
        if (action == filePutAction && !readLocalFile(localFile, PrivilegedHelper::maxConfigurationSize, &input))
            return false;
    } else if (action == ppdFileAction) {
        if (words.size() <= ppdPathIndex) {
            qWarning("Privileged action %s: no PPD file given", qPrintable(action));
            return false;
        }
        if (!readLocalFile(words.at(ppdPathIndex), PrivilegedHelper::maxPpdSize, &input))
            return false;
    }

    QByteArray output;
    if (!runHelper(words, input, &output))
        return false;
    return action != fileGetAction || writeLocalFile(localFile, output);
}

bool PolKitActionProviderHelper::commandLine(const QStringList& words, QString* program, QStringList* arguments) const
{
    const QString helper = qEnvironmentVariableIsEmpty(helperVariable) ? installedHelperPath()
                                                                        : qEnvironmentVariable(helperVariable);
    if (!QFileInfo(helper).isExecutable()) {
        qWarning("Privileged action: the helper %s is not installed", qPrintable(helper));
        return false;
    }
    const QString launcher =
        qEnvironmentVariableIsSet(launcherVariable) ? qEnvironmentVariable(launcherVariable) : QStringLiteral("pkexec");
    if (launcher.isEmpty()) {
        *program = helper;
        *arguments = words;
        return true;
    }
    *program = QFileInfo(launcher).isAbsolute() ? launcher : QStandardPaths::findExecutable(launcher);
    if (program->isEmpty() || !QFileInfo(*program).isExecutable()) {
        qWarning("Privileged action: the launcher %s is not installed", qPrintable(launcher));
        return false;
    }
    *arguments = QStringList{helper} + words;
    return true;
}

bool PolKitActionProviderHelper::runHelper(const QStringList& words, const QByteArray& input, QByteArray* output) const
{
    QString program;
    QStringList arguments;
    if (!commandLine(words, &program, &arguments))
        return false;

    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted()) {
        qWarning("Privileged action %s: cannot start %s: %s", qPrintable(words.first()), qPrintable(program),
                 qPrintable(process.errorString()));
        return false;
    }
    process.write(input);
    process.closeWriteChannel();
    if (process.state() != QProcess::NotRunning && !process.waitForFinished(m_timeoutMs)) {
        process.kill();
        process.waitForFinished(killTimeoutMs);
        qWarning("Privileged action %s: no answer within %d seconds, stopped", qPrintable(words.first()),
                 m_timeoutMs / 1000);
        return false;
    }
    if (process.exitStatus() != QProcess::NormalExit) {
        qWarning("Privileged action %s: %s crashed", qPrintable(words.first()), qPrintable(program));
        return false;
    }
    if (process.exitCode() != 0) {
        qWarning("Privileged action %s failed (exit status %d): %s", qPrintable(words.first()), process.exitCode(),
                 process.readAllStandardError().trimmed().constData());
        return false;
    }
    *output = process.readAllStandardOutput();
    return true;
}
