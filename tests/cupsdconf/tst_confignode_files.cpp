#include "ConfigNode.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <grp.h>
#include <unistd.h>

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
    // A scheduler configuration check that never looks at /etc/cups.
    bool schedulerAccepts(const QString& confPath, QString* output);

    QString m_cupsd;
    QTemporaryDir m_filesDir;
};

void TestConfigNodeFiles::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    m_cupsd = QStandardPaths::findExecutable(QStringLiteral("cupsd"), {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
    QVERIFY(m_filesDir.isValid());

    const QString root = m_filesDir.path();
    QString files;
    for (const char* directory : {"etc", "spool", "tmp", "cache", "state", "ssl", "log"})
        QVERIFY(QDir(root).mkpath(QString::fromLatin1(directory)));
    files += QStringLiteral("ServerRoot %1/etc\nServerBin /usr/lib/cups\nDataDir /usr/share/cups\n"
                            "RequestRoot %1/spool\nTempDir %1/tmp\nCacheDir %1/cache\nStateDir %1/state\n"
                            "ServerKeychain %1/ssl\nPrintcap %1/printcap\nErrorLog %1/log/error_log\n"
                            "AccessLog %1/log/access_log\nPageLog %1/log/page_log\n")
                 .arg(root);
    if (::geteuid() == 0) {
        files += QStringLiteral("User lp\nGroup lp\nSystemGroup root\n");
    } else {
        const group* primary = ::getgrgid(::getgid());
        QVERIFY(primary);
        files += QStringLiteral("SystemGroup %1\n").arg(QString::fromLocal8Bit(primary->gr_name));
    }
    QVERIFY(writeBytes(root + QStringLiteral("/etc/cups-files.conf"), files.toUtf8()));
}

bool TestConfigNodeFiles::schedulerAccepts(const QString& confPath, QString* output)
{
    QProcess cupsd;
    cupsd.setProcessChannelMode(QProcess::MergedChannels);
    cupsd.start(m_cupsd, {QStringLiteral("-t"), QStringLiteral("-c"), confPath, QStringLiteral("-s"),
                          m_filesDir.filePath(QStringLiteral("etc/cups-files.conf"))});
    const bool finished = cupsd.waitForFinished(30000);
    *output = QString::fromLocal8Bit(cupsd.readAll());
    return finished && cupsd.exitStatus() == QProcess::NormalExit && cupsd.exitCode() == 0;
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

    if (m_cupsd.isEmpty())
        QSKIP("cupsd is not installed; the scheduler's verdict is not checked");
    QString inputVerdict;
    QString outputVerdict;
    QVERIFY2(schedulerAccepts(input, &inputVerdict) == accepted, qPrintable(inputVerdict));
    schedulerAccepts(output, &outputVerdict);
    // Same warnings, same error on the same line.
    QCOMPARE(outputVerdict.replace(output, QStringLiteral("FILE")), inputVerdict.replace(input, QStringLiteral("FILE")));
}

QTEST_GUILESS_MAIN(TestConfigNodeFiles)
#include "tst_confignode_files.moc"
