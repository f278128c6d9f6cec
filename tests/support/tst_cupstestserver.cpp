#include "CupsTestServer.h"
#include "PrivateBus.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QProcess>
#include <QtTest>

#include <pwd.h>

#include <cups/cups.h>
#include <csignal>
#include <memory>

namespace {

struct Dests
{
    cups_dest_t* list = nullptr;
    int count = 0;
    ~Dests() { cupsFreeDests(count, list); }
};

int passwordCalls = 0;
const char* passwordAnswer = nullptr;

const char* answerPassword(const char*, http_t*, const char*, const char*, void*)
{
    ++passwordCalls;
    // Answer once; a second question means the answer was wrong.
    if (passwordCalls > 1)
        return nullptr;
    return passwordAnswer;
}

QStringList memberNames(const QString& className)
{
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    const QByteArray uri = QStringLiteral("ipp://localhost/classes/%1").arg(className).toUtf8();
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.constData());
    std::unique_ptr<ipp_t, decltype(&ippDelete)> response(cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/"), &ippDelete);
    QStringList names;
    ipp_attribute_t* attribute = response ? ippFindAttribute(response.get(), "member-names", IPP_TAG_NAME) : nullptr;
    for (int i = 0; attribute && i < ippGetCount(attribute); ++i)
        names << QString::fromUtf8(ippGetString(attribute, i, nullptr));
    return names;
}

bool processAlive(qint64 pid)
{
    return pid > 0 && ::kill(pid_t(pid), 0) == 0;
}

} // namespace

class TestCupsTestServer : public QObject
{
    Q_OBJECT

signals:
    void printerAdded(const QString& name);

private slots:
    void initTestCase();
    void knownWorld();
    void heldJobs();
    void spoolerSignalsReachPrivateSystemBus();
    void authenticatedMode_data();
    void authenticatedMode();
    void adminAccountLivesWithTheServer();
    void demoKeepsTheUsersDefaultsPrivate();
    void stopLeavesNothingRunning();

private:
    QString m_skipReason;
};

void TestCupsTestServer::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    m_skipReason = CupsTestServer::unavailableReason(CupsTestServer::Mode::Open);
}

void TestCupsTestServer::knownWorld()
{
    if (!m_skipReason.isEmpty())
        QSKIP(qPrintable(m_skipReason));
    CupsTestServer server;
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    server.pointClientAt();

    Dests dests;
    dests.count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests.list);
    QStringList names;
    for (int i = 0; i < dests.count; ++i)
        names << QString::fromUtf8(dests.list[i].name);
    names.sort();
    QCOMPARE(names, QStringList({QStringLiteral("alpha"), QStringLiteral("beta"), QStringLiteral("gamma"),
                                 QStringLiteral("team")}));

    cups_dest_t* alpha = cupsGetDest("alpha", nullptr, dests.count, dests.list);
    QVERIFY(alpha);
    QVERIFY(alpha->is_default);
    QCOMPARE(QString::fromUtf8(cupsGetOption("printer-info", alpha->num_options, alpha->options)),
             QStringLiteral("Alpha Laser"));

    cups_dest_t* beta = cupsGetDest("beta", nullptr, dests.count, dests.list);
    QVERIFY(beta);
    QCOMPARE(QByteArray(cupsGetOption("printer-state", beta->num_options, beta->options)), QByteArray("5"));

    cups_dest_t* gamma = cupsGetDest("gamma", nullptr, dests.count, dests.list);
    QVERIFY(gamma);
    QCOMPARE(QByteArray(cupsGetOption("printer-is-shared", gamma->num_options, gamma->options)), QByteArray("false"));

    cups_dest_t* team = cupsGetDest("team", nullptr, dests.count, dests.list);
    QVERIFY(team);
    QCOMPARE(memberNames(CupsTestServer::className), CupsTestServer::classMembers);
    QCOMPARE(QByteArray(cupsGetOption("printer-state", team->num_options, team->options)), QByteArray("3"));
}

void TestCupsTestServer::heldJobs()
{
    if (!m_skipReason.isEmpty())
        QSKIP(qPrintable(m_skipReason));
    CupsTestServer server;
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    server.pointClientAt();
    QCOMPARE(server.heldJobs().size(), CupsTestServer::heldJobsOnDefault + CupsTestServer::heldJobsOnPlain);

    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, nullptr, 0, CUPS_WHICHJOBS_ACTIVE);
    QMap<QString, int> perQueue;
    for (int i = 0; i < count; ++i) {
        QCOMPARE(int(jobs[i].state), int(IPP_JSTATE_HELD));
        ++perQueue[QString::fromUtf8(jobs[i].dest)];
    }
    cupsFreeJobs(count, jobs);
    QCOMPARE(perQueue.value(CupsTestServer::defaultPrinter), CupsTestServer::heldJobsOnDefault);
    QCOMPARE(perQueue.value(CupsTestServer::plainPrinter), CupsTestServer::heldJobsOnPlain);
}

void TestCupsTestServer::spoolerSignalsReachPrivateSystemBus()
{
    if (!m_skipReason.isEmpty())
        QSKIP(qPrintable(m_skipReason));
    PrivateBus bus(PrivateBus::Kind::System);
    QVERIFY2(bus.start(), qPrintable(bus.errorString()));
    CupsTestServer server;
    CupsTestServer::Options options;
    options.systemBusAddress = bus.address();
    options.knownWorld = false;
    QVERIFY2(server.start(options), qPrintable(server.errorString()));

    QDBusConnection connection = QDBusConnection::connectToBus(bus.address(), QStringLiteral("spooler-test"));
    QVERIFY2(connection.isConnected(), qPrintable(connection.lastError().message()));
    QSignalSpy added(this, SIGNAL(printerAdded(QString)));
    QVERIFY(connection.connect(QString(), QStringLiteral("/com/redhat/PrinterSpooler"),
                               QStringLiteral("com.redhat.PrinterSpooler"), QStringLiteral("PrinterAdded"), this,
                               SIGNAL(printerAdded(QString))));
    QVERIFY2(server.runTool(QStringLiteral("lpadmin"), {QStringLiteral("-p"), QStringLiteral("delta"), QStringLiteral("-E"),
                                                        QStringLiteral("-v"), QStringLiteral("file:///dev/null")}),
             qPrintable(server.errorString()));
    QTRY_COMPARE_WITH_TIMEOUT(added.count(), 1, 10000);
    QCOMPARE(added.first().first().toString(), QStringLiteral("delta"));
    QDBusConnection::disconnectFromBus(QStringLiteral("spooler-test"));
}

void TestCupsTestServer::authenticatedMode_data()
{
    QTest::addColumn<QByteArray>("password");
    QTest::addColumn<bool>("succeeds");
    QTest::addColumn<int>("questions");

    QTest::newRow("right password") << CupsTestServer::adminPassword().toUtf8() << true << 1;
    QTest::newRow("wrong password") << QByteArray("not-the-password") << false << 2;
    QTest::newRow("refused prompt") << QByteArray() << false << 1;
}

void TestCupsTestServer::authenticatedMode()
{
    const QString reason = CupsTestServer::unavailableReason(CupsTestServer::Mode::Authenticated);
    if (!reason.isEmpty())
        QSKIP(qPrintable(reason));
    QFETCH(QByteArray, password);
    QFETCH(bool, succeeds);
    QFETCH(int, questions);

    CupsTestServer server;
    CupsTestServer::Options options;
    options.mode = CupsTestServer::Mode::Authenticated;
    QVERIFY2(server.start(options), qPrintable(server.errorString()));
    server.pointClientAt();

    const QByteArray user = CupsTestServer::adminUser.toUtf8();
    cupsSetUser(user.constData());
    passwordCalls = 0;
    passwordAnswer = password.isEmpty() ? nullptr : password.constData();
    cupsSetPasswordCB2(answerPassword, nullptr);

    std::unique_ptr<http_t, decltype(&httpClose)> http(
        httpConnect2("127.0.0.1", server.port(), nullptr, AF_INET, HTTP_ENCRYPTION_IF_REQUESTED, 1, 30000, nullptr),
        &httpClose);
    QVERIFY(http);
    ipp_t* request = ippNewRequest(IPP_OP_PAUSE_PRINTER);
    const QByteArray uri = QStringLiteral("ipp://localhost/printers/%1").arg(CupsTestServer::defaultPrinter).toUtf8();
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.constData());
    ippDelete(cupsDoRequest(http.get(), request, "/admin/"));
    const ipp_status_t status = cupsLastError();
    cupsSetPasswordCB2(nullptr, nullptr);
    cupsSetUser(nullptr);

    QCOMPARE(status <= IPP_STATUS_OK_CONFLICTING, succeeds);
    QCOMPARE(passwordCalls, questions);
}

void TestCupsTestServer::adminAccountLivesWithTheServer()
{
    const QString reason = CupsTestServer::unavailableReason(CupsTestServer::Mode::Authenticated);
    if (!reason.isEmpty())
        QSKIP(qPrintable(reason));
    const QByteArray user = CupsTestServer::adminUser.toUtf8();
    {
        CupsTestServer server;
        CupsTestServer::Options options;
        options.mode = CupsTestServer::Mode::Authenticated;
        QVERIFY2(server.start(options), qPrintable(server.errorString()));
        const passwd* account = ::getpwnam(user.constData());
        QVERIFY(account);
        QVERIFY2(QByteArray(account->pw_shell).endsWith("nologin") || QByteArray(account->pw_shell) == "/bin/false",
                 account->pw_shell);
    }
    QVERIFY(!::getpwnam(user.constData()));

    // Somebody's own account of that name is never changed.
    QProcess add;
    add.start(QStringLiteral("useradd"), {QStringLiteral("-M"), QStringLiteral("-N"), QStringLiteral("-c"),
                                          QStringLiteral("A person"), CupsTestServer::adminUser});
    QVERIFY(add.waitForFinished() && add.exitCode() == 0);
    const QString refusal = CupsTestServer::unavailableReason(CupsTestServer::Mode::Authenticated);
    QProcess remove;
    remove.start(QStringLiteral("userdel"), {CupsTestServer::adminUser});
    QVERIFY(remove.waitForFinished() && remove.exitCode() == 0);
    QVERIFY2(refusal.contains(QLatin1String("did not make")), qPrintable(refusal));
}

void TestCupsTestServer::demoKeepsTheUsersDefaultsPrivate()
{
    if (!m_skipReason.isEmpty())
        QSKIP(qPrintable(m_skipReason));
    QTemporaryDir home;
    QVERIFY(home.isValid());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.remove(QStringLiteral("XDG_CONFIG_HOME"));
    QProcess demo;
    demo.setProcessEnvironment(environment);
    demo.start(QStringLiteral(TESSEL_DEMO), {QStringLiteral("env")});
    QVERIFY(demo.waitForFinished(30000));
    QCOMPARE(demo.exitCode(), 0);
    QMap<QString, QString> seen;
    for (const QString& line : QString::fromLocal8Bit(demo.readAllStandardOutput()).split(QLatin1Char('\n')))
        seen.insert(line.section(QLatin1Char('='), 0, 0), line.section(QLatin1Char('='), 1));
    // Where the client library keeps the user's default printer and options.
    QVERIFY(!seen.value(QStringLiteral("HOME")).isEmpty());
    QVERIFY(seen.value(QStringLiteral("HOME")) != home.path());
    // The program's own settings stay the user's.
    QCOMPARE(seen.value(QStringLiteral("XDG_CONFIG_HOME")), home.filePath(QStringLiteral(".config")));
    QVERIFY(seen.value(QStringLiteral("CUPS_SERVER")).startsWith(QLatin1String("127.0.0.1:")));
}

void TestCupsTestServer::stopLeavesNothingRunning()
{
    if (!m_skipReason.isEmpty())
        QSKIP(qPrintable(m_skipReason));
    CupsTestServer server;
    PrivateBus session(PrivateBus::Kind::Session);
    QVERIFY2(session.start(), qPrintable(session.errorString()));
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    const qint64 serverPid = server.pid();
    const qint64 busPid = session.pid();
    const int port = server.port();
    QVERIFY(processAlive(serverPid));
    QVERIFY(processAlive(busPid));

    server.stop();
    session.stop();
    QVERIFY(!processAlive(serverPid));
    QVERIFY(!processAlive(busPid));
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, quint16(port));
    QVERIFY(!socket.waitForConnected(1000));
}

QTEST_GUILESS_MAIN(TestCupsTestServer)
#include "tst_cupstestserver.moc"
