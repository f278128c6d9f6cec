#include "ConfigNode.h"
#include "SchedulerCheck.h"

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>


namespace {

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Every word of a file, in order: indentation and the blanks between words
// may change on writing, the words may not.
QList<QByteArray> words(const QByteArray& text)
{
    return text.simplified().split(' ');
}

void quiet(QtMsgType, const QMessageLogContext&, const QString&)
{
}

} // namespace

class TestConfigNodeFiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void writtenBack_data();
    void writtenBack();

private:
    SchedulerCheck m_scheduler;
};

void TestConfigNodeFiles::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestConfigNodeFiles::writtenBack_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("debianStock") << QStringLiteral(":/data/cupsd.conf.default") << true;
    QTest::newRow("commented") << QStringLiteral(":/data/commented.conf") << true;
    QTest::newRow("cyrillic") << QStringLiteral(":/data/cyrillic.conf") << true;
    QTest::newRow("koi8") << QStringLiteral(":/data/koi8.conf") << true;
    QTest::newRow("crlf") << QStringLiteral(":/data/crlf.conf") << true;
    QTest::newRow("stray1") << QStringLiteral(":/data/stray-closer.conf") << false;
    QTest::newRow("nonterm1") << QStringLiteral(":/data/truncated.conf") << false;
    QTest::newRow("garbage1") << QStringLiteral(":/data/malformed-open.conf") << false;
}

// A file read and written back keeps every word and line, and the scheduler
// judges it as it judged the original: an editor that saves without changes
// must neither break a working configuration nor mend a broken one silently.
void TestConfigNodeFiles::writtenBack()
{
    QFETCH(QString, fixture);
    QFETCH(bool, accepted);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString input = dir.filePath(QStringLiteral("input.conf"));
    const QString output = dir.filePath(QStringLiteral("output.conf"));
    const QByteArray original = readBytes(fixture);
    QVERIFY(!original.isEmpty());
    QVERIFY(writeBytes(input, original));

    const QtMessageHandler previous = qInstallMessageHandler(quiet);
    const Cups::ConfigNode root(input);
    qInstallMessageHandler(previous);
    QVERIFY(root.save(output));
    const QByteArray written = readBytes(output);

    QCOMPARE(words(written), words(original));

    if (!m_scheduler.unavailableReason().isEmpty())
        QSKIP(qPrintable(m_scheduler.unavailableReason()));
    QString inputVerdict;
    QString outputVerdict;
    QVERIFY2(m_scheduler.accepts(input, &inputVerdict) == accepted, qPrintable(inputVerdict));
    m_scheduler.accepts(output, &outputVerdict);
    // Same warnings, same error on the same line.
    QCOMPARE(outputVerdict.replace(output, QStringLiteral("FILE")), inputVerdict.replace(input, QStringLiteral("FILE")));
}

QTEST_GUILESS_MAIN(TestConfigNodeFiles)
#include "tst_confignode_files.moc"
