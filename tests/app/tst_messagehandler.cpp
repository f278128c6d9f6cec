#include "MessageHandler.h"

#include <QErrorMessage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>

namespace {

// Qt writes messages raised inside a handler straight to standard error; only
// the lines our handler wrote carry its prefixes.
QByteArray handlerLines(const QByteArray& output)
{
    QByteArray lines;
    for (const QByteArray& line : output.split('\n')) {
        // The offscreen platform's own remark when a window is shown.
        if (line.contains("does not support propagateSizeHints"))
            continue;
        if (line.startsWith("Debug: ") || line.startsWith("Warning: ") || line.startsWith("Critical: "))
            lines += line + '\n';
    }
    return lines;
}

} // namespace

class TestMessageHandler : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void output_data();
    void output();
    void fatalWritesNothing();
    void criticalShowsDialogAndKeepsHandler();

private:
    QTemporaryDir m_runtime;
};

void TestMessageHandler::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_runtime.isValid());
    // Without it Qt warns about the runtime directory in every helper run.
    qputenv("XDG_RUNTIME_DIR", m_runtime.path().toLocal8Bit());
}

void TestMessageHandler::output_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("expectedStderr");
    QTest::addColumn<bool>("dialog");

    const QString cyrillic = QStringLiteral("Принтер «Альфа» остановлен");
    QTest::newRow("debug") << "debug" << "queue reloaded" << QByteArray("Debug: queue reloaded\n") << false;
    QTest::newRow("warning") << "warning" << "slow answer" << QByteArray("Warning: slow answer\n") << false;
    QTest::newRow("info ignored") << "info" << "nothing to see" << QByteArray() << false;
    QTest::newRow("critical") << "critical" << "server gone" << QByteArray("Critical: server gone\n") << true;
    QTest::newRow("debug utf-8") << "debug" << cyrillic << QByteArray("Debug: ") + cyrillic.toUtf8() + "\n" << false;
    QTest::newRow("critical utf-8") << "critical" << cyrillic << QByteArray("Critical: ") + cyrillic.toUtf8() + "\n"
                                    << true;
    QTest::newRow("handler survives dialog")
        << "critical-then-debug" << "twice" << QByteArray("Critical: twice\nDebug: twice\n") << true;
    QTest::newRow("critical from another thread")
        << "critical-from-thread" << "worker failed" << QByteArray("Critical: worker failed\n") << true;
}

void TestMessageHandler::output()
{
    QFETCH(QString, type);
    QFETCH(QString, text);
    QFETCH(QByteArray, expectedStderr);
    QFETCH(bool, dialog);

    QProcess helper;
    helper.start(QStringLiteral(MESSAGEHANDLER_HELPER), {type, text});
    QVERIFY(helper.waitForFinished(30000));
    QCOMPARE(helper.exitCode(), 0);
    QCOMPARE(handlerLines(helper.readAllStandardError()), expectedStderr);
    QCOMPARE(helper.readAllStandardOutput().trimmed(), QByteArray(dialog ? "dialog:yes" : "dialog:no"));
}

void TestMessageHandler::fatalWritesNothing()
{
    QProcess helper;
    helper.start(QStringLiteral(MESSAGEHANDLER_HELPER), {QStringLiteral("fatal"), QStringLiteral("cannot go on")});
    QVERIFY(helper.waitForFinished(30000));
    QCOMPARE(helper.exitStatus(), QProcess::CrashExit);
    QVERIFY(!helper.readAllStandardError().contains("cannot go on"));
}

void TestMessageHandler::criticalShowsDialogAndKeepsHandler()
{
    const QtMessageHandler previous = qInstallMessageHandler(myMessageOutput);
    qCritical("the scheduler refused the request");
    const QtMessageHandler current = qInstallMessageHandler(previous);
    QVERIFY(current == &myMessageOutput);

    QErrorMessage* dialog = QErrorMessage::qtHandler();
    QVERIFY(dialog->isVisible());
    const QTextEdit* text = dialog->findChild<QTextEdit*>();
    QVERIFY(text);
    QVERIFY(text->toPlainText().contains(QStringLiteral("the scheduler refused the request")));
    dialog->close();
}

QTEST_MAIN(TestMessageHandler)
#include "tst_messagehandler.moc"
