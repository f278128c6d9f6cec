#include <QCoreApplication>
#include <QFile>
#include <QStringList>

// Stands in for the launcher of the privileged helper: records each call (the
// helper path, the action and its arguments) as one line of the file named by
// RECORD_FILE, fields separated by 0x1f, and fails the actions listed in
// RECORD_FAIL (comma separated).
int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList words = app.arguments().mid(1);
    QFile log(QString::fromLocal8Bit(qgetenv("RECORD_FILE")));
    if (!log.open(QIODevice::Append))
        return 3;
    log.write(words.join(QChar(0x1f)).toUtf8() + '\n');
    const QStringList failing = QString::fromLocal8Bit(qgetenv("RECORD_FAIL")).split(QLatin1Char(','));
    return words.size() > 1 && failing.contains(words.at(1)) ? 1 : 0;
}
