#include "PrivilegedHelper.h"

#include <QByteArray>

#include <cstdio>

#include <unistd.h>

namespace {

constexpr int exitFailed = 1;
constexpr int exitRefused = 2;

int report(const QString& message, int status)
{
    // One line per failure, whatever the scheduler put into its message.
    QByteArray line = message.toUtf8();
    line.replace('\n', ' ');
    std::fprintf(stderr, "tessel-admin-printer-helper: %s\n", line.constData());
    return status;
}

} // namespace

// Runs as root through pkexec, with the action's name as its only argument
// and the action's arguments on standard input: exit 0 when the action was carried out, 2 when
// the words or the input were refused before the scheduler was asked, 1 when
// the scheduler could not be reached or did not do it.
int main(int argc, char* argv[])
{
    // The raw bytes, not a decoding that depends on the locale pkexec left us.
    const QByteArray action = argc == 2 ? QByteArray(argv[1]) : QByteArray();

    PrivilegedHelper helper(STDIN_FILENO, STDOUT_FILENO);
    if (!helper.parse(action))
        return report(helper.errorString(), exitRefused);
    if (!helper.execute())
        return report(helper.errorString(), exitFailed);
    return 0;
}
