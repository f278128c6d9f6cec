#include "CupsTestServer.h"
#include "PolKitActionProviderHelper.h"
#include "PrivHelperFixture.h"
#include "PrivilegedHelper.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString configuration = QStringLiteral("/admin/conf/cupsd.conf");

bool writeFile(const QString& path, const QByteArray& contents)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size();
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestPolKitActionProviderHelper : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void actions_data();
    void actions();
    void refusedBeforeLaunch_data();
    void refusedBeforeLaunch();
    void launcher_data();
    void launcher();
    void commandLineHoldsOnlyTheAction();
    void resumeKeepsRejecting();
    void filePutRefusedByTheScheduler_data();
    void filePutRefusedByTheScheduler();
    void fileGet();
    void fileGetFailureKeepsLocalFile_data();
    void fileGetFailureKeepsLocalFile();
    void filePut();
    void ppdFileTravelsOnStandardInput();
    void timeout();

private:
    CupsTestServer m_server;
    PrivHelperFixture m_fixture{&m_server};
    QTemporaryDir m_dir;
};

void TestPolKitActionProviderHelper::initTestCase()
{
    const QString reason = CupsTestServer::unavailableReason(CupsTestServer::Mode::Open);
    if (!reason.isEmpty())
        QSKIP(qPrintable(reason));
    QVERIFY2(m_server.start(), qPrintable(m_server.errorString()));
    QVERIFY(m_dir.isValid());
    // The helper inherits our environment when no launcher stands between.
    qputenv("CUPS_SERVER", m_server.socketPath().toLocal8Bit());
    qputenv("HOME", m_server.homeDirectory().toLocal8Bit());
    // The helper tests configurations against this server's cups-files.conf.
    qputenv("CUPS_SERVERROOT", QFile::encodeName(m_server.serverRoot()));
}

// Root without a PolicyKit daemon: run the built helper directly.
void TestPolKitActionProviderHelper::init()
{
    qputenv(PolKitActionProviderHelper::launcherVariable, QByteArray());
    qputenv(PolKitActionProviderHelper::helperVariable, PRIVHELPER_PROGRAM);
}

void TestPolKitActionProviderHelper::actions_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QVariantList>("args");
    QTest::addColumn<bool>("result");
    QTest::addColumn<QString>("queue");
    QTest::addColumn<QString>("attribute");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("error");

    QTest::newRow("pause") << "PrinterSetEnabled" << QVariantList{"alpha", false} << true << "alpha" << "printer-state"
                           << "5" << "";
    QTest::newRow("resume") << "PrinterSetEnabled" << QVariantList{"alpha", true} << true << "alpha" << "printer-state"
                            << "3" << "";
    QTest::newRow("unshare") << "PrinterSetShared" << QVariantList{"beta", false} << true << "beta"
                             << "printer-is-shared" << "false" << "";
    QTest::newRow("reject with reason") << "PrinterSetAcceptJobs" << QVariantList{"gamma", false, "Jammed"} << true
                                        << "gamma" << "printer-state-message" << "Jammed" << "";
    QTest::newRow("add with blank texts")
        << "PrinterAdd" << QVariantList{"kappa", "file:///dev/null", "raw", " ", " "} << true << "kappa"
        << "printer-info" << "" << "";
    QTest::newRow("text with blanks stays one word") << "PrinterSetLocation" << QVariantList{"gamma", "Room 1; rm -rf /"}
                                                     << true << "gamma" << "printer-location" << "Room 1; rm -rf /" << "";
    QTest::newRow("new device, driver kept") << "PrinterAdd" << QVariantList{"gamma", "file:///dev/zero", "", " ", " "}
                                             << true << "gamma" << "device-uri" << "file:///dev/zero" << "";
    QTest::newRow("new printer without driver") << "PrinterAdd" << QVariantList{"nodriver", "file:///dev/null", "", " ", " "}
                                                << false << "nodriver" << "printer-name" << "" << "^a new printer needs a driver$";
    QTest::newRow("unknown queue") << "PrinterDelete" << QVariantList{"nosuch"} << false << "" << "" << ""
                                   << "^there is no printer or class named \"nosuch\"$";
    QTest::newRow("flag as text") << "PrinterSetShared" << QVariantList{"beta", "yes"} << false << "beta"
                                  << "printer-is-shared" << "false"
                                  << "^\"yes\" is neither";
}

void TestPolKitActionProviderHelper::actions()
{
    QFETCH(QString, action);
    QFETCH(QVariantList, args);
    QFETCH(bool, result);
    QFETCH(QString, queue);
    QFETCH(QString, attribute);
    QFETCH(QString, value);
    QFETCH(QString, error);

    PolKitActionProviderHelper helper;
    QCOMPARE(helper.callHelperAction(action, args), result);
    // The helper's own line, without its name, is what the user gets to read.
    QVERIFY2(helper.errorString().contains(QRegularExpression(error.isEmpty() ? "^$" : error)),
             qPrintable(helper.errorString()));
    if (!queue.isEmpty())
        QCOMPARE(m_fixture.queue(queue).value(attribute).toString(), value);
}

void TestPolKitActionProviderHelper::refusedBeforeLaunch_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QVariantList>("args");
    QTest::addColumn<QString>("error");

    const QString missing = m_dir.filePath("missing.conf");
    const QString oversized = m_dir.filePath("oversized.conf");
    QVERIFY(writeFile(oversized, QByteArray(PrivilegedHelper::maxConfigurationSize + 1, '#')));

    QTest::newRow("number argument") << "PrinterSetEnabled" << QVariantList{"alpha", 1}
                                     << "an argument of type int is neither a text nor a flag";
    QTest::newRow("nul in argument") << "PrinterSetInfo" << QVariantList{"alpha", QString::fromLatin1("a\0b", 3)}
                                     << "contains a NUL";
    QTest::newRow("get without local name") << "FileGet" << QVariantList{configuration, ""}
                                            << "needs the resource and a local file name";
    QTest::newRow("put of missing file") << "FilePut" << QVariantList{configuration, missing} << "is not a regular file";
    QTest::newRow("put of directory") << "FilePut" << QVariantList{configuration, m_dir.path()}
                                      << "is not a regular file";
    QTest::newRow("put of oversized file") << "FilePut" << QVariantList{configuration, oversized} << "is larger than";
    QTest::newRow("missing ppd") << "PrinterAddWithPpdFile" << QVariantList{"lambda", "file:///dev/null", missing, "", ""}
                                 << "is not a regular file";
}

void TestPolKitActionProviderHelper::refusedBeforeLaunch()
{
    QFETCH(QString, action);
    QFETCH(QVariantList, args);
    QFETCH(QString, error);

    // A helper that would only fail differently if it ran.
    qputenv(PolKitActionProviderHelper::helperVariable, "/bin/true");
    PolKitActionProviderHelper helper;
    QVERIFY(!helper.callHelperAction(action, args));
    QVERIFY2(helper.errorString().contains(error), qPrintable(helper.errorString()));
}

void TestPolKitActionProviderHelper::launcher_data()
{
    QTest::addColumn<QByteArray>("launcher");
    QTest::addColumn<QByteArray>("program");
    QTest::addColumn<bool>("result");
    QTest::addColumn<QString>("error");

    QTest::newRow("none") << QByteArray() << QByteArray(PRIVHELPER_PROGRAM) << true << "";
    QTest::newRow("on the path") << QByteArray("env") << QByteArray(PRIVHELPER_PROGRAM) << true << "";
    QTest::newRow("absolute") << QByteArray("/usr/bin/env") << QByteArray(PRIVHELPER_PROGRAM) << true << "";
    QTest::newRow("missing launcher") << QByteArray("tessel-no-such-launcher") << QByteArray(PRIVHELPER_PROGRAM) << false
                                      << "the launcher tessel-no-such-launcher is not installed";
    QTest::newRow("missing helper") << QByteArray() << QByteArray("/nonexistent/helper") << false
                                    << "the privileged helper is not installed at /nonexistent/helper";
}

void TestPolKitActionProviderHelper::launcher()
{
    QFETCH(QByteArray, launcher);
    QFETCH(QByteArray, program);
    QFETCH(bool, result);
    QFETCH(QString, error);

    qputenv(PolKitActionProviderHelper::launcherVariable, launcher);
    qputenv(PolKitActionProviderHelper::helperVariable, program);
    const QString info = "Reached through " + QString::fromLatin1(QTest::currentDataTag());
    PolKitActionProviderHelper helper;
    QCOMPARE(helper.callHelperAction("PrinterSetInfo", {"alpha", info}), result);
    QCOMPARE(helper.errorString(), error);
    QCOMPARE(helper.failure() == PolKitActionProviderHelper::Failure::NotInstalled, !result);
    QCOMPARE(m_fixture.queue("alpha").value("printer-info").toString() == info, result);
}

void TestPolKitActionProviderHelper::commandLineHoldsOnlyTheAction()
{
    // A stand-in helper that prints its arguments, which FileGet stores.
    qputenv(PolKitActionProviderHelper::helperVariable, ARGDUMP);
    const QString local = m_dir.filePath("words");
    PolKitActionProviderHelper helper;
    QVERIFY(helper.callHelperAction("FileGet", {configuration, local}));
    QCOMPARE(readFile(local), QByteArray("FileGet\0", 8));
}

void TestPolKitActionProviderHelper::resumeKeepsRejecting()
{
    QVERIFY(m_server.runTool("cupsreject", {"gamma"}));
    QVERIFY(m_server.runTool("cupsdisable", {"gamma"}));
    PolKitActionProviderHelper helper;
    QVERIFY(helper.callHelperAction("PrinterSetEnabled", {"gamma", true}));
    QCOMPARE(m_fixture.queue("gamma").value("printer-state").toString(), QString("3"));
    QCOMPARE(m_fixture.queue("gamma").value("printer-is-accepting-jobs").toString(), QString("false"));
    QVERIFY(m_server.runTool("cupsaccept", {"gamma"}));
}

void TestPolKitActionProviderHelper::filePutRefusedByTheScheduler_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("error");

    QTest::newRow("unknown directive") << QByteArray("NoSuchDirective on\n") << "Unknown directive NoSuchDirective";
    QTest::newRow("refused directive") << QByteArray("KeepAliveTimeout 30\n") << "Unknown directive KeepAliveTimeout";
    QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF") << "byte-order mark";
}

void TestPolKitActionProviderHelper::filePutRefusedByTheScheduler()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, error);

    const QByteArray original = m_fixture.configuration();
    const QString local = m_dir.filePath("refused.conf");
    QVERIFY(writeFile(local, line.startsWith('\xEF') ? line + original : original + line));
    PolKitActionProviderHelper helper;
    QVERIFY(!helper.callHelperAction("FilePut", {configuration, local}));
    QVERIFY2(helper.errorString().startsWith("the scheduler refuses this configuration: "),
             qPrintable(helper.errorString()));
    QVERIFY2(helper.errorString().contains(error), qPrintable(helper.errorString()));
    QCOMPARE(m_fixture.configuration(), original);
}

void TestPolKitActionProviderHelper::fileGet()
{
    const QString local = m_dir.filePath("fetched.conf");
    PolKitActionProviderHelper helper;
    QVERIFY(helper.callHelperAction("FileGet", {configuration, local}));
    QCOMPARE(readFile(local), m_fixture.configuration());
}

void TestPolKitActionProviderHelper::fileGetFailureKeepsLocalFile_data()
{
    QTest::addColumn<QString>("resource");
    QTest::addColumn<QByteArray>("program");

    QTest::newRow("refused resource") << "/admin/conf/printers.conf" << QByteArray(PRIVHELPER_PROGRAM);
    QTest::newRow("failing helper") << configuration << QByteArray("/bin/false");
}

void TestPolKitActionProviderHelper::fileGetFailureKeepsLocalFile()
{
    QFETCH(QString, resource);
    QFETCH(QByteArray, program);

    qputenv(PolKitActionProviderHelper::helperVariable, program);
    const QString local = m_dir.filePath("kept.conf");
    QVERIFY(writeFile(local, "LogLevel debug\n"));
    PolKitActionProviderHelper helper;
    QVERIFY(!helper.callHelperAction("FileGet", {resource, local}));
    QCOMPARE(readFile(local), QByteArray("LogLevel debug\n"));
}

void TestPolKitActionProviderHelper::filePut()
{
    const QByteArray original = m_fixture.configuration();
    const QString local = m_dir.filePath("edited.conf");
    QVERIFY(writeFile(local, original + "# Edited through the library\n"));

    PolKitActionProviderHelper helper;
    QVERIFY(helper.callHelperAction("FilePut", {configuration, local}));
    QCOMPARE(m_fixture.configuration(), readFile(local));

    // The scheduler restarts with the stored file and turns connections away
    // meanwhile; storing the original again is harmless, so retry it.
    QVERIFY(writeFile(local, original));
    QDeadlineTimer deadline(20000);
    while (!helper.callHelperAction("FilePut", {configuration, local}) && !deadline.hasExpired())
        QTest::qWait(100);
    QCOMPARE(m_fixture.configuration(), original);
    QTRY_VERIFY_WITH_TIMEOUT(!m_fixture.queue("alpha").isEmpty(), 20000);
}

void TestPolKitActionProviderHelper::ppdFileTravelsOnStandardInput()
{
    const QString ppds = m_server.compileSamplePpds();
    QVERIFY2(!ppds.isEmpty(), qPrintable(m_server.errorString()));
    PolKitActionProviderHelper helper;
    QVERIFY(helper.callHelperAction("PrinterAddWithPpdFile",
                                    {"lambda", "file:///dev/null", ppds + "/generic.ppd", "Lambda", " "}));
    const QVariantMap queue = m_fixture.queue("lambda");
    QCOMPARE(queue.value("printer-make-and-model").toString(), QString("Generic PostScript Printer"));
    QCOMPARE(queue.value("printer-location").toString(), QString());
}

void TestPolKitActionProviderHelper::timeout()
{
    // sleep takes the action name for the seconds to wait.
    qputenv(PolKitActionProviderHelper::helperVariable, QStandardPaths::findExecutable("sleep").toLocal8Bit());
    PolKitActionProviderHelper helper;
    helper.setTimeout(300);
    QElapsedTimer timer;
    timer.start();
    QVERIFY(!helper.callHelperAction("30", {}));
    QVERIFY(helper.errorString().startsWith("no answer within"));
    QVERIFY(timer.elapsed() < 10000);
}

QTEST_GUILESS_MAIN(TestPolKitActionProviderHelper)
#include "tst_polkitactionproviderhelper.moc"
