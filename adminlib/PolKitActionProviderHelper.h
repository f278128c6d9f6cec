#pragma once

#include <QList>
#include <QString>
#include <QVariant>

class QByteArray;
class QStringList;

// Hands a named privileged action to the helper program, which a launcher
// (pkexec, after PolicyKit has authorized the user) runs as root. Files of
// the caller are read and written here, with the caller's own rights; the
// helper only sees their contents on its standard input and output.
class PolKitActionProviderHelper
{
public:
    // The launcher to use instead of pkexec; set but empty runs the helper
    // directly, for a caller that is root already.
    static constexpr char launcherVariable[] = "TESSEL_PRIVHELPER_LAUNCHER";
    // The helper to run instead of the installed one.
    static constexpr char helperVariable[] = "TESSEL_PRIVHELPER";
    // Authentication may keep the user busy for a while.
    static constexpr int defaultTimeoutMs = 120 * 1000;

    PolKitActionProviderHelper();

    bool callHelperAction(const QString& action, const QList<QVariant>& args);

    void setTimeout(int msecs) { m_timeoutMs = msecs; }

    static QString installedHelperPath();

private:
    bool commandLine(const QStringList& words, QString* program, QStringList* arguments) const;
    bool runHelper(const QStringList& words, const QByteArray& input, QByteArray* output) const;

    int m_timeoutMs = defaultTimeoutMs;
};
