#include <QCoreApplication>
#include <QFile>
#include <QStringList>

// Stands in for the launcher of the privileged helper: records each call as
// one line of the file named by RECORD_FILE: the command-line words (the
// helper path and the action), 0x1e, then the arguments read from standard
// input, fields separated by 0x1f. Fails the actions listed in RECORD_FAIL
// (comma separated) with a message on standard error.
int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList words = app.arguments().mid(1);
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly))
        return 3;
    QList<QByteArray> arguments = input.readAll().split('\0');
    // What follows the last argument is the action's data, not an argument.
    arguments.removeLast();
    QStringList stdinWords;
    for (const QByteArray& argument : qAsConst(arguments))
        stdinWords << QString::fromUtf8(argument);

    QFile log(QString::fromLocal8Bit(qgetenv("RECORD_FILE")));
    if (!log.open(QIODevice::Append))
        return 3;
    log.write(words.join(QChar(0x1f)).toUtf8() + '\x1e' + stdinWords.join(QChar(0x1f)).toUtf8() + '\n');
    const QStringList failing = QString::fromLocal8Bit(qgetenv("RECORD_FAIL")).split(QLatin1Char(','));
    if (words.size() > 1 && failing.contains(words.at(1))) {
        fputs("tessel-admin-printer-helper: refused for the test\n", stderr);
        return 1;
    }
    return 0;
}
