#include "SuCommand.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

#include <unistd.h>

namespace {

constexpr int exitUsage = 2;
constexpr int exitNotExecutable = 126;
constexpr int exitNotFound = 127;

} // namespace

// Replaces itself with the command (through pkexec unless already root), so
// the exit status is the command's own.
int main(int argc, char* argv[])
{
    QByteArrayList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QByteArray(argv[i]));

    SuCommand command;
    if (!command.parse(arguments)) {
        std::fprintf(stderr, "tessel-su: %s\n%s\n", command.errorString().toLocal8Bit().constData(),
                     SuCommand::usage().toLocal8Bit().constData());
        return exitUsage;
    }

    std::optional<QByteArray> launcher;
    if (const char* value = std::getenv(SuCommand::launcherVariable))
        launcher = QByteArray(value);
    QByteArrayList line = command.commandLine(::geteuid() == 0, launcher);
    std::vector<char*> words;
    for (QByteArray& word : line)
        words.push_back(word.data());
    words.push_back(nullptr);

    ::execvp(words.front(), words.data());
    const int error = errno;
    std::fprintf(stderr, "tessel-su: cannot run %s: %s\n", words.front(), qt_error_string(error).toLocal8Bit().constData());
    return error == ENOENT ? exitNotFound : exitNotExecutable;
}
