#include "SuCommand.h"

bool SuCommand::parse(const QByteArrayList& arguments)
{
    m_words.clear();
    m_error.clear();
    if (arguments.isEmpty() || arguments.first() != "-c") {
        m_error = tr("the command must follow \"-c\"");
        return false;
    }
    if (arguments.size() < 2 || arguments.at(1).isEmpty()) {
        m_error = tr("no command given");
        return false;
    }
    m_words = arguments.mid(1);
    return true;
}

QByteArrayList SuCommand::commandLine(bool runningAsRoot, const std::optional<QByteArray>& launcher) const
{
    if (launcher)
        return launcher->isEmpty() ? m_words : QByteArrayList{*launcher} + m_words;
    return runningAsRoot ? m_words : QByteArrayList{QByteArrayLiteral("pkexec")} + m_words;
}

QString SuCommand::usage()
{
    return tr("usage: tessel-su -c COMMAND [ARGUMENT]...");
}
