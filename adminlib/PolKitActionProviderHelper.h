#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QVariant>

class QByteArray;
class QStringList;

// Hands a named privileged action to the helper program, which a launcher
// (pkexec, after PolicyKit has authorized the user) runs as root. Only the
// action's name is on the command line; its arguments, device URIs with
// passwords among them, travel on the helper's standard input. Files of the
// caller are read and written here, with the caller's own rights; the helper
// only sees their contents on its standard input and output.
class PolKitActionProviderHelper
{
    Q_DECLARE_TR_FUNCTIONS(PolKitActionProviderHelper)

public:
    // Why the last call failed: one line for the user.
    enum class Failure {
        None,
        NotInstalled,    // the helper or the launcher is missing
        NotAuthorized,   // the launcher refused or the user cancelled
        Refused,         // the helper or the scheduler refused the action
    };

    // The launcher to use instead of pkexec; set but empty runs the helper
    // directly. Unset, a caller that is root runs it directly too.
    static constexpr char launcherVariable[] = "TESSEL_PRIVHELPER_LAUNCHER";
    // The helper to run instead of the installed one.
    static constexpr char helperVariable[] = "TESSEL_PRIVHELPER";
    // Authentication may keep the user busy for a while.
    static constexpr int defaultTimeoutMs = 120 * 1000;

    PolKitActionProviderHelper();

    bool callHelperAction(const QString& action, const QList<QVariant>& args);

    void setTimeout(int msecs) { m_timeoutMs = msecs; }

    Failure failure() const { return m_failure; }
    QString errorString() const { return m_error; }

    static QString installedHelperPath();
    // The helper this program starts: the installed one, or the one of the
    // build tree for a program run from there.
    static QString helperPath();

private:
    bool fail(Failure failure, const QString& message);
    bool commandLine(const QString& action, QString* program, QStringList* arguments);
    bool runHelper(const QString& action, const QByteArray& input, QByteArray* output);

    int m_timeoutMs = defaultTimeoutMs;
    Failure m_failure = Failure::None;
    QString m_error;
};
