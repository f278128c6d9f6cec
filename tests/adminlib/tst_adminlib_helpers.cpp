#include "CupsHttp.h"
#include "CupsTestServer.h"
#include "IppActionProviderHelper.h"
#include "PrivActionFactoryHelper.h"
#include "ServerInfo.h"

#include <QSettings>
#include <QStandardPaths>
#include <QTcpServer>
#include <QtTest>

#include <cups/cups.h>

namespace {

const QString providerTypeKey = QStringLiteral("PrivActions/ProviderType");
const QString noRootAuthKey = QStringLiteral("PrivActions/NoRootAuth");

// A loopback port on which nothing listens.
int deadPort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        return 0;
    return probe.serverPort();
}

void pointClientAt(const QString& server, int port)
{
    const QByteArray name = server.toLocal8Bit();
    cupsSetServer(name.constData());
    ippSetPort(port);
}

} // namespace

class tst_adminlib_helpers : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void localServer_data();
    void localServer();
    void serverInfoFollowsTheClient();
    void providerType_data();
    void providerType();

    void noConnectionWithoutScheduler();
    void connectionOnceTheSchedulerAnswers();
    void reconnectFollowsTheServer();
    void domainSocket();
    void updateServerConnectionOnlyOnChange();
    void failedReconnectLeavesNoDanglingHandle();
    void authUser_data();
    void authUser();

private:
    CupsTestServer m_first;
    CupsTestServer m_second;
};

void tst_adminlib_helpers::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("tessel-tests"));
    QCoreApplication::setApplicationName(QStringLiteral("tst_adminlib_helpers"));
    QSettings().clear();
}

void tst_adminlib_helpers::cleanup()
{
    QSettings().clear();
}

void tst_adminlib_helpers::localServer_data()
{
    QTest::addColumn<QString>("server");
    QTest::addColumn<bool>("local");

    QTest::newRow("domain socket") << "/run/cups/cups.sock" << true;
    QTest::newRow("localhost") << "localhost" << true;
    QTest::newRow("localhost with port") << "LocalHost:631" << true;
    QTest::newRow("loopback with port") << "127.0.0.1:631" << true;
    QTest::newRow("other loopback address") << "127.4.5.6" << true;
    QTest::newRow("IPv6 loopback") << "::1" << true;
    QTest::newRow("IPv6 loopback in brackets with port") << "[::1]:631" << true;
    QTest::newRow("remote host") << "printhost.example" << false;
    QTest::newRow("remote host with port") << "printhost.example:631" << false;
    QTest::newRow("private address") << "192.168.1.10:631" << false;
    QTest::newRow("IPv6 address") << "[fe80::1]:631" << false;
    QTest::newRow("look-alike") << "localhost.example" << false;
    QTest::newRow("empty") << "" << false;
}

void tst_adminlib_helpers::localServer()
{
    QFETCH(QString, server);
    QFETCH(bool, local);
    QCOMPARE(ServerInfo::isLocalServer(server), local);
}

void tst_adminlib_helpers::serverInfoFollowsTheClient()
{
    ServerInfo& info = ServerInfo::instance();
    QCOMPARE(&info, &ServerInfo::instance());

    pointClientAt(QStringLiteral("printhost.example:631"), 631);
    info.update();
    QVERIFY(!info.isLocal);
    QCOMPARE(info.server, QStringLiteral("printhost.example"));

    pointClientAt(QStringLiteral("127.0.0.1:631"), 631);
    info.update();
    QVERIFY(info.isLocal);

    pointClientAt(QStringLiteral("/run/cups/cups.sock"), 631);
    info.update();
    QVERIFY(info.isLocal);
    QCOMPARE(info.server, QStringLiteral("/run/cups/cups.sock"));
    // The flag leads the record: callers rely on its place.
    QCOMPARE(static_cast<const void*>(&info.isLocal), static_cast<const void*>(&info));
}

void tst_adminlib_helpers::providerType_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QString>("type");

    QTest::newRow("missing key") << QVariant() << "IPP";
    QTest::newRow("PolicyKit") << QVariant(QStringLiteral("PolicyKit")) << "PolicyKit";
    QTest::newRow("IPP") << QVariant(QStringLiteral("IPP")) << "IPP";
    QTest::newRow("other word") << QVariant(QStringLiteral("policykit")) << "policykit";
}

void tst_adminlib_helpers::providerType()
{
    QFETCH(QVariant, stored);
    QFETCH(QString, type);
    if (stored.isValid())
        QSettings().setValue(providerTypeKey, stored);
    const PrivActionFactoryHelper helper;
    QCOMPARE(helper.detectActionProviderType(), type);
}

void tst_adminlib_helpers::noConnectionWithoutScheduler()
{
    const int port = deadPort();
    QVERIFY(port);
    pointClientAt(QStringLiteral("127.0.0.1"), port);
    QVERIFY(!Cups::HTTP::getUniqueConnection());
    QVERIFY(!Cups::HTTP::getUniqueConnection());

    IppActionProviderHelper helper;
    QVERIFY(!helper.updateServerConnection());
}

void tst_adminlib_helpers::connectionOnceTheSchedulerAnswers()
{
    const QString reason = CupsTestServer::unavailableReason(CupsTestServer::Mode::Open);
    if (!reason.isEmpty())
        QSKIP(qPrintable(reason));
    QVERIFY2(m_first.start(), qPrintable(m_first.errorString()));
    m_first.pointClientAt();

    Cups::HTTP* connection = Cups::HTTP::getUniqueConnection();
    QVERIFY(connection);
    QVERIFY(connection->http);
    QCOMPARE(connection->parent(), QCoreApplication::instance());
    QCOMPARE(connection->server(), m_first.host());
    QCOMPARE(connection->port(), m_first.port());
    QCOMPARE(Cups::HTTP::getUniqueConnection(), connection);
    QCOMPARE(connection->destinations().size(), 4);
}

void tst_adminlib_helpers::reconnectFollowsTheServer()
{
    if (!m_first.isRunning())
        QSKIP("no first scheduler");
    CupsTestServer::Options empty;
    empty.knownWorld = false;
    QVERIFY2(m_second.start(empty), qPrintable(m_second.errorString()));

    Cups::HTTP* connection = Cups::HTTP::getUniqueConnection();
    QVERIFY(connection);
    m_second.pointClientAt();
    // Until told, the connection stays with the scheduler it has.
    QCOMPARE(connection->destinations().size(), 4);

    QVERIFY(connection->reconnect());
    QCOMPARE(connection->port(), m_second.port());
    QVERIFY(connection->destinations().isEmpty());
    QCOMPARE(Cups::HTTP::getUniqueConnection(), connection);

    m_first.pointClientAt();
    QVERIFY(connection->reconnect());
    QCOMPARE(connection->destinations().size(), 4);
}

void tst_adminlib_helpers::domainSocket()
{
    if (!m_first.isRunning())
        QSKIP("no first scheduler");
    Cups::HTTP* connection = Cups::HTTP::getUniqueConnection();
    QVERIFY(connection);
    pointClientAt(m_first.socketPath(), m_first.port());
    QVERIFY(connection->reconnect());
    QCOMPARE(connection->server(), m_first.socketPath());
    QCOMPARE(connection->printerState(CupsTestServer::stoppedPrinter), 5);

    m_first.pointClientAt();
    QVERIFY(connection->reconnect());
}

void tst_adminlib_helpers::updateServerConnectionOnlyOnChange()
{
    if (!m_second.isRunning())
        QSKIP("no second scheduler");
    Cups::HTTP* connection = Cups::HTTP::getUniqueConnection();
    QVERIFY(connection);
    IppActionProviderHelper helper;

    m_first.pointClientAt();
    QVERIFY(helper.updateServerConnection());
    http_t* handle = connection->http;
    QVERIFY(handle);
    QVERIFY(helper.updateServerConnection());
    QCOMPARE(connection->http, handle);
    QCOMPARE(connection->port(), m_first.port());

    m_second.pointClientAt();
    QVERIFY(helper.updateServerConnection());
    QCOMPARE(connection->port(), m_second.port());
    QVERIFY(connection->destinations().isEmpty());

    pointClientAt(QStringLiteral("localhost"), m_second.port());
    QVERIFY(helper.updateServerConnection());
    QCOMPARE(connection->server(), QStringLiteral("localhost"));
    QVERIFY(connection->destinations().isEmpty());

    m_first.pointClientAt();
    QVERIFY(helper.updateServerConnection());
    QCOMPARE(connection->destinations().size(), 4);
}

void tst_adminlib_helpers::failedReconnectLeavesNoDanglingHandle()
{
    if (!m_first.isRunning())
        QSKIP("no first scheduler");
    Cups::HTTP* connection = Cups::HTTP::getUniqueConnection();
    QVERIFY(connection);

    pointClientAt(QStringLiteral("127.0.0.1"), deadPort());
    QVERIFY(!connection->reconnect());
    QVERIFY(!connection->http);
    QVERIFY(connection->destinations().isEmpty());
    QVERIFY(connection->cupsDestinations(CupsTestServer::defaultPrinter).isEmpty());
    QVERIFY(!connection->enablePrinter(QStringLiteral("/printers/alpha")));
    QVERIFY(!Cups::HTTP::getUniqueConnection());

    m_first.pointClientAt();
    QCOMPARE(Cups::HTTP::getUniqueConnection(), connection);
    QVERIFY(connection->http);
    QCOMPARE(connection->destinations().size(), 4);
}

void tst_adminlib_helpers::authUser_data()
{
    QTest::addColumn<QVariant>("noRootAuth");
    QTest::addColumn<bool>("root");

    QTest::newRow("missing key") << QVariant() << true;
    QTest::newRow("root authorization") << QVariant(false) << true;
    QTest::newRow("Kerberos") << QVariant(true) << false;
}

void tst_adminlib_helpers::authUser()
{
    QFETCH(QVariant, noRootAuth);
    QFETCH(bool, root);
    if (!m_first.isRunning())
        QSKIP("no first scheduler");
    Cups::HTTP* connection = Cups::HTTP::getUniqueConnection();
    QVERIFY(connection);

    // Stands for the login user, which is root itself in this test.
    const QString loginUser = QStringLiteral("tesselkrb");
    qputenv("CUPS_USER", loginUser.toLocal8Bit());
    cupsSetUser("root");
    if (noRootAuth.isValid())
        QSettings().setValue(noRootAuthKey, noRootAuth);
    QVERIFY(connection->reconnect());
    const QString expected = root ? QStringLiteral("root") : loginUser;
    QCOMPARE(Cups::HTTP::authUser(), expected);
    // In the Kerberos case a root login of an earlier prompt is forgotten.
    QCOMPARE(QString::fromLocal8Bit(cupsUser()), expected);

    // The choice is made at the reconnection, not in between.
    QSettings().setValue(noRootAuthKey, root);
    QCOMPARE(Cups::HTTP::authUser(), expected);

    qunsetenv("CUPS_USER");
    cupsSetUser(nullptr);
}

QTEST_GUILESS_MAIN(tst_adminlib_helpers)
#include "tst_adminlib_helpers.moc"
