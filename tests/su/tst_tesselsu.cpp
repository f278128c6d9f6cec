#include "SuCommand.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>

namespace {

struct Outcome
{
    int exitCode = -1;
    QStringList received;
    QByteArray error;
};

Outcome runSu(const QStringList& arguments, const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TESSEL_SU), arguments);
    Outcome outcome;
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
        return outcome;
    outcome.exitCode = process.exitCode();
    outcome.error = process.readAllStandardError();
    const QByteArray output = process.readAllStandardOutput();
    for (const QByteArray& word : output.split('\0').mid(0, output.count('\0')))
        outcome.received.append(QString::fromUtf8(word));
    return outcome;
}

QByteArrayList bytes(const QStringList& words)
{
    QByteArrayList result;
    for (const QString& word : words)
        result.append(word.toUtf8());
    return result;
}

} // namespace

Q_DECLARE_METATYPE(std::optional<QByteArray>)

class TestTesselSu : public QObject
{
    Q_OBJECT

private slots:
    void commandLine_data();
    void commandLine();
    void wordsStayWords_data();
    void wordsStayWords();
    void usageErrors_data();
    void usageErrors();
    void exitStatusPassedThrough_data();
    void exitStatusPassedThrough();
    void launcherGetsTheWords();
};

void TestTesselSu::commandLine_data()
{
    QTest::addColumn<bool>("root");
    QTest::addColumn<std::optional<QByteArray>>("launcher");
    QTest::addColumn<QStringList>("expected");

    const std::optional<QByteArray> none;
    QTest::newRow("user") << false << none << QStringList{"pkexec", "/etc/init.d/cups", "restart"};
    QTest::newRow("root") << true << none << QStringList{"/etc/init.d/cups", "restart"};
    QTest::newRow("other launcher") << false << std::optional<QByteArray>("sudo")
                                    << QStringList{"sudo", "/etc/init.d/cups", "restart"};
    QTest::newRow("no launcher") << false << std::optional<QByteArray>(QByteArray())
                                 << QStringList{"/etc/init.d/cups", "restart"};
    QTest::newRow("launcher for root too") << true << std::optional<QByteArray>("doas")
                                           << QStringList{"doas", "/etc/init.d/cups", "restart"};
}

void TestTesselSu::commandLine()
{
    QFETCH(bool, root);
    QFETCH(std::optional<QByteArray>, launcher);
    QFETCH(QStringList, expected);

    SuCommand command;
    QVERIFY(command.parse({"-c", "/etc/init.d/cups", "restart"}));
    QCOMPARE(command.commandLine(root, launcher), bytes(expected));
}

void TestTesselSu::wordsStayWords_data()
{
    QTest::addColumn<QStringList>("words");

    QTest::newRow("plain") << QStringList{"restart"};
    QTest::newRow("blank inside a word") << QStringList{"a b", "c"};
    QTest::newRow("command substitution") << QStringList{"$(touch @DIR@/touched)", "`touch @DIR@/touched`"};
    QTest::newRow("separators") << QStringList{"a; b", "a && b", "a | b", "> @DIR@/touched"};
    QTest::newRow("glob and variables") << QStringList{"*", "$HOME", "~"};
    QTest::newRow("options after -c") << QStringList{"-c", "--help"};
    QTest::newRow("empty word") << QStringList{""};
    QTest::newRow("utf-8") << QStringList{"Принтер «Альфа»"};
}

void TestTesselSu::wordsStayWords()
{
    QFETCH(QStringList, words);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    words.replaceInStrings("@DIR@", dir.path());

    const Outcome outcome = runSu(QStringList{"-c", ARGDUMP} + words);
    QCOMPARE(outcome.exitCode, 0);
    QCOMPARE(outcome.received, words);
    QVERIFY(!QFile::exists(dir.filePath("touched")));
}

void TestTesselSu::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("nothing") << QStringList();
    QTest::newRow("no -c") << QStringList{ARGDUMP, "restart"};
    QTest::newRow("unknown option") << QStringList{"-x", "-c", ARGDUMP};
    QTest::newRow("-c alone") << QStringList{"-c"};
    QTest::newRow("empty command") << QStringList{"-c", "", "restart"};
}

void TestTesselSu::usageErrors()
{
    QFETCH(QStringList, arguments);
    const Outcome outcome = runSu(arguments);
    QCOMPARE(outcome.exitCode, 2);
    QVERIFY(outcome.received.isEmpty());
    QVERIFY2(outcome.error.contains("usage: tessel-su -c"), outcome.error.constData());
}

void TestTesselSu::exitStatusPassedThrough_data()
{
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<QString>("status");
    QTest::addColumn<int>("exitCode");

    QTest::newRow("success") << QStringList{ARGDUMP} << "0" << 0;
    QTest::newRow("failure") << QStringList{ARGDUMP} << "3" << 3;
    QTest::newRow("high status") << QStringList{ARGDUMP} << "200" << 200;
    QTest::newRow("missing command") << QStringList{"/nonexistent/tessel-command"} << "0" << 127;
    QTest::newRow("not executable") << QStringList{"/etc"} << "0" << 126;
}

void TestTesselSu::exitStatusPassedThrough()
{
    QFETCH(QStringList, words);
    QFETCH(QString, status);
    QFETCH(int, exitCode);

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("ARGDUMP_STATUS", status);
    QCOMPARE(runSu(QStringList{"-c"} + words, environment).exitCode, exitCode);
}

void TestTesselSu::launcherGetsTheWords()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(SuCommand::launcherVariable, ARGDUMP);
    const QStringList words{"/nonexistent/tessel-command", "a b", "$(id)"};
    const Outcome outcome = runSu(QStringList{"-c"} + words, environment);
    QCOMPARE(outcome.exitCode, 0);
    QCOMPARE(outcome.received, words);
}

QTEST_GUILESS_MAIN(TestTesselSu)
#include "tst_tesselsu.moc"
