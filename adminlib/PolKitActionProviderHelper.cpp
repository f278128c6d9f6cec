#include "PolKitActionProviderHelper.h"

#include "PrivilegedHelper.h"
#include "ProgramPaths.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>
#include <QtGlobal>

#include <unistd.h>

namespace {

const QString fileGetAction = QStringLiteral("FileGet");
const QString filePutAction = QStringLiteral("FilePut");
const QString ppdFileAction = QStringLiteral("PrinterAddWithPpdFile");
const QString helperRelativePath = QStringLiteral("privhelper/tessel-admin-printer-helper");
const QString pkexecName = QStringLiteral("pkexec");
// What pkexec answers when the user dismissed the prompt, and when the user
// is not authorized or no authorization could be had.
constexpr int pkexecDismissed = 126;
constexpr int pkexecNotAuthorized = 127;
// Stands in for the caller's file name, which the helper never gets.
const QString standardStream = QStringLiteral("-");
// Positions among the words, the action name being the first.
constexpr int localFileIndex = 2;
constexpr int ppdPathIndex = 3;
constexpr int killTimeoutMs = 5000;
// The helper's messages start with its name.
const QByteArray helperMessagePrefix = QByteArrayLiteral("tessel-admin-printer-helper: ");

// The caller's file, read with the caller's rights; the helper gets only its
// contents.
QString readLocalFile(const QString& path, qint64 limit, QByteArray* contents)
{
    if (!QFileInfo(path).isFile())
        return PolKitActionProviderHelper::tr("%1 is not a regular file").arg(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return PolKitActionProviderHelper::tr("cannot read %1: %2").arg(path, file.errorString());
    *contents = file.read(limit + 1);
    if (contents->size() > limit)
        return PolKitActionProviderHelper::tr("%1 is larger than %2 bytes").arg(path).arg(limit);
    return QString();
}

QString writeLocalFile(const QString& path, const QByteArray& contents)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size() || !file.commit())
        return PolKitActionProviderHelper::tr("cannot write %1: %2").arg(path, file.errorString());
    return QString();
}

} // namespace

PolKitActionProviderHelper::PolKitActionProviderHelper() = default;

QString PolKitActionProviderHelper::installedHelperPath()
{
    return QStringLiteral(TESSEL_PRIVHELPER_PATH);
}

QString PolKitActionProviderHelper::helperPath()
{
    if (!qEnvironmentVariableIsEmpty(helperVariable))
        return qEnvironmentVariable(helperVariable);
    const QString built = ProgramPaths::fromBuildTree(helperRelativePath);
    return built.isEmpty() ? installedHelperPath() : built;
}

bool PolKitActionProviderHelper::fail(Failure failure, const QString& message)
{
    m_failure = failure;
    m_error = message;
    return false;
}

bool PolKitActionProviderHelper::callHelperAction(const QString& action, const QList<QVariant>& args)
{
    m_failure = Failure::None;
    m_error.clear();
    QStringList words{action};
    for (const QVariant& arg : args) {
        if (arg.userType() == QMetaType::Bool) {
            words.append(arg.toBool() ? QStringLiteral("true") : QStringLiteral("false"));
        } else if (arg.userType() == QMetaType::QString) {
            words.append(arg.toString());
        } else {
            return fail(Failure::Refused, tr("an argument of type %1 is neither a text nor a flag")
                                              .arg(QLatin1String(arg.typeName() ? arg.typeName() : "invalid")));
        }
    }
    // Arguments are separated by NUL bytes; one inside would split it.
    for (const QString& word : qAsConst(words)) {
        if (word.contains(QChar::Null))
            return fail(Failure::Refused, tr("an argument contains a NUL character"));
    }

    QString localFile;
    QByteArray data;
    QString error;
    if (action == fileGetAction || action == filePutAction) {
        if (words.size() != localFileIndex + 1 || words.at(localFileIndex).isEmpty())
            return fail(Failure::Refused, tr("needs the resource and a local file name"));
        localFile = words.at(localFileIndex);
        words[localFileIndex] = standardStream;
        if (action == filePutAction)
            error = readLocalFile(localFile, PrivilegedHelper::maxConfigurationSize, &data);
    } else if (action == ppdFileAction) {
        if (words.size() <= ppdPathIndex)
            return fail(Failure::Refused, tr("no PPD file given"));
        error = readLocalFile(words.at(ppdPathIndex), PrivilegedHelper::maxPpdSize, &data);
    }
    if (!error.isEmpty())
        return fail(Failure::Refused, error);

    QByteArrayList arguments;
    for (int i = 1; i < words.size(); ++i)
        arguments.append(words.at(i).toUtf8());
    QByteArray output;
    if (!runHelper(action, PrivilegedHelper::encodeInput(arguments, data), &output))
        return false;
    if (action == fileGetAction) {
        error = writeLocalFile(localFile, output);
        if (!error.isEmpty())
            return fail(Failure::Refused, error);
    }
    return true;
}

bool PolKitActionProviderHelper::commandLine(const QString& action, QString* program, QStringList* arguments)
{
    const QString helper = helperPath();
    if (!QFileInfo(helper).isExecutable())
        return fail(Failure::NotInstalled, tr("the privileged helper is not installed at %1").arg(helper));
    // Root needs nobody's permission, and pkexec would only ask for it.
    const QString launcher = qEnvironmentVariableIsSet(launcherVariable) ? qEnvironmentVariable(launcherVariable)
                             : ::geteuid() == 0                         ? QString()
                                                                        : pkexecName;
    if (launcher.isEmpty()) {
        *program = helper;
        *arguments = QStringList{action};
        return true;
    }
    *program = QFileInfo(launcher).isAbsolute() ? launcher : QStandardPaths::findExecutable(launcher);
    if (program->isEmpty() || !QFileInfo(*program).isExecutable())
        return fail(Failure::NotInstalled, tr("the launcher %1 is not installed").arg(launcher));
    *arguments = QStringList{helper, action};
    return true;
}

bool PolKitActionProviderHelper::runHelper(const QString& action, const QByteArray& input, QByteArray* output)
{
    QString program;
    QStringList arguments;
    if (!commandLine(action, &program, &arguments))
        return false;

    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted())
        return fail(Failure::NotInstalled, tr("cannot start %1: %2").arg(program, process.errorString()));
    process.write(input);
    process.closeWriteChannel();
    if (process.state() != QProcess::NotRunning && !process.waitForFinished(m_timeoutMs)) {
        process.kill();
        process.waitForFinished(killTimeoutMs);
        return fail(Failure::Refused, tr("no answer within %1 seconds, stopped").arg(m_timeoutMs / 1000));
    }
    if (process.exitStatus() != QProcess::NormalExit)
        return fail(Failure::Refused, tr("%1 crashed").arg(program));
    if (process.exitCode() != 0) {
        QByteArray message = process.readAllStandardError().trimmed();
        const int lastLine = message.lastIndexOf('\n');
        message = message.mid(lastLine + 1);
        if (message.startsWith(helperMessagePrefix))
            message.remove(0, helperMessagePrefix.size());
        const bool launched = arguments.size() > 1;
        if (launched && process.exitCode() == pkexecDismissed)
            return fail(Failure::NotAuthorized, tr("the authorization was cancelled"));
        if (launched && process.exitCode() == pkexecNotAuthorized) {
            return fail(Failure::NotAuthorized,
                        message.isEmpty() ? tr("not authorized")
                                          : tr("not authorized: %1").arg(QString::fromUtf8(message)));
        }
        return fail(Failure::Refused, message.isEmpty()
                                          ? tr("the helper failed with exit status %1").arg(process.exitCode())
                                          : QString::fromUtf8(message));
    }
    *output = process.readAllStandardOutput();
    return true;
}
