#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QCoreApplication>
#include <QString>

#include <optional>

// The command line of tessel-su: "-c" and the words of a command to run with
// administrator rights. The words stay words: no shell ever joins or splits
// them.
class SuCommand
{
    Q_DECLARE_TR_FUNCTIONS(SuCommand)

public:
    // The launcher to use instead of pkexec; set but empty runs the command
    // directly.
    static constexpr char launcherVariable[] = "TESSEL_SU_LAUNCHER";

    // Takes the arguments after the program name.
    bool parse(const QByteArrayList& arguments);

    // What to execute: the launcher, unless none is needed, and the words.
    QByteArrayList commandLine(bool runningAsRoot, const std::optional<QByteArray>& launcher) const;

    QByteArrayList words() const { return m_words; }
    QString errorString() const { return m_error; }
    static QString usage();

private:
    QByteArrayList m_words;
    QString m_error;
};
