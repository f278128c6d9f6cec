#include "AclAddDialog.h"
#include "AclWidget.h"
#include "ConfigNode.h"
#include "CupsTestServer.h"
#include "CupsdConfDialog.h"
#include "LocationDialog.h"
#include "ModalDriver.h"
#include "SchedulerVersion.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QNetworkInterface>
#include <QPushButton>
#include <QTcpSocket>
#include <QtTest>

namespace {

constexpr int probeTimeoutMs = 3000;

// The scheduler takes every client on a loopback address for "localhost" and
// lets it in whatever the rules say, so the rules are probed from an address
// of this machine that is not a loopback one; the requests still only go to
// the scheduler on 127.0.0.1.
QHostAddress probeSource()
{
    for (const QHostAddress& address : QNetworkInterface::allAddresses()) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol && !address.isLoopback())
            return address;
    }
    return {};
}

// The HTTP status the scheduler answers a GET of path with, or 0.
int statusFrom(const QHostAddress& source, int port, const QString& path)
{
    QTcpSocket socket;
    if (!socket.bind(source))
        return 0;
    socket.connectToHost(QHostAddress::LocalHost, quint16(port));
    if (!socket.waitForConnected(probeTimeoutMs))
        return 0;
    socket.write(QStringLiteral("GET %1 HTTP/1.1\r\nHost: 127.0.0.1:%2\r\nConnection: close\r\n\r\n")
                     .arg(path, QString::number(port))
                     .toLatin1());
    QByteArray answer;
    while (!answer.contains("\r\n") && socket.waitForReadyRead(probeTimeoutMs))
        answer += socket.readAll();
    const QList<QByteArray> statusLine = answer.left(answer.indexOf("\r\n")).split(' ');
    return statusLine.size() >= 2 ? statusLine.at(1).toInt() : 0;
}

// A location made in the dialog as a user makes it: the path, the order box
// (left alone when order is empty) and one rule.
Cups::ConfigNode locationFromDialog(const QString& path, const QString& order, const QString& action,
                                    const QString& address)
{
    LocationDialog dialog;
    auto* paths = dialog.findChild<QComboBox*>(QString(), Qt::FindDirectChildrenOnly);
    paths->setCurrentIndex(paths->findData(path));
    auto* acl = dialog.findChild<AclWidget*>();
    if (!order.isEmpty()) {
        auto* orders = acl->findChild<QComboBox*>(QStringLiteral("cbOrder"));
        orders->setCurrentIndex(orders->findData(order));
    }
    ModalDriver driver;
    driver.otherDialog = [&](QWidget* modal) {
        auto* rule = qobject_cast<AclAddDialog*>(modal);
        if (!rule) {
            modal->close();
            return;
        }
        auto* actions = rule->findChild<QComboBox*>();
        actions->setCurrentIndex(actions->findData(action));
        rule->findChild<QLineEdit*>()->setText(address);
        rule->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    };
    acl->addAclItem();
    return Cups::ConfigNode(dialog.section());
}

} // namespace

class TestCupsdConfServer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void rulesOnTheScheduler_data();
    void rulesOnTheScheduler();
    void versionFromHeader_data();
    void versionFromHeader();
    void versionOfTheScheduler();
};

void TestCupsdConfServer::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestCupsdConfServer::rulesOnTheScheduler_data()
{
    QTest::addColumn<QString>("order");
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("sourceNamed");
    QTest::addColumn<int>("status");

    // The order box left as it opens: a new section allows only what its rules allow.
    QTest::newRow("new section, allow the prober") << QString() << "Allow" << true << 200;
    QTest::newRow("new section, allow another") << QString() << "Allow" << false << 403;
    QTest::newRow("allow,deny, allow another") << "allow,deny" << "Allow" << false << 403;
    QTest::newRow("deny,allow, deny the prober") << "deny,allow" << "Deny" << true << 403;
    QTest::newRow("deny,allow, deny another") << "deny,allow" << "Deny" << false << 200;
}

void TestCupsdConfServer::rulesOnTheScheduler()
{
    QFETCH(QString, order);
    QFETCH(QString, action);
    QFETCH(bool, sourceNamed);
    QFETCH(int, status);

    const QString reason = CupsTestServer::unavailableReason(CupsTestServer::Mode::Open);
    if (!reason.isEmpty())
        QSKIP(qPrintable(reason));
    const QHostAddress source = probeSource();
    if (source.isNull())
        QSKIP("this machine has no address besides loopback ones to probe the rules from");

    const QString address = sourceNamed ? source.toString() : QStringLiteral("10.9.9.9");
    Cups::ConfigNode root;
    root.appendChild(locationFromDialog(QStringLiteral("/printers"), order, action, address));

    CupsTestServer server;
    CupsTestServer::Options options;
    options.knownWorld = false;
    options.extraConfiguration = QString::fromUtf8(root.toText());
    QVERIFY2(server.start(options), qPrintable(server.errorString()));
    QCOMPARE(statusFrom(source, server.port(), QStringLiteral("/printers/")), status);
}

void TestCupsdConfServer::versionFromHeader_data()
{
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("version");

    QTest::newRow("minor") << "CUPS/2.4 IPP/2.1" << "2.4";
    QTest::newRow("full") << "Linux/6.1 CUPS/2.4.2 IPP/2.1" << "2.4.2";
    QTest::newRow("product only") << "CUPS IPP" << "";
    QTest::newRow("another server") << "nginx/1.22" << "";
    QTest::newRow("not a word of its own") << "MyCUPS/9.9" << "";
}

void TestCupsdConfServer::versionFromHeader()
{
    QFETCH(QString, header);
    QFETCH(QString, version);
    QCOMPARE(SchedulerVersion::fromServerHeader(header), QVersionNumber::fromString(version));
}

void TestCupsdConfServer::versionOfTheScheduler()
{
    const QString reason = CupsTestServer::unavailableReason(CupsTestServer::Mode::Open);
    if (!reason.isEmpty())
        QSKIP(qPrintable(reason));
    CupsTestServer server;
    CupsTestServer::Options options;
    options.knownWorld = false;
    QVERIFY2(server.start(options), qPrintable(server.errorString()));

    const QVersionNumber version = SchedulerVersion::query(server.host(), server.port(), probeTimeoutMs);
    QVERIFY2(version >= QVersionNumber(2), qPrintable(version.toString()));
    // That scheduler ignores the log paths in cupsd.conf and refuses KeepAliveTimeout.
    CupsdConfDialog dialog;
    dialog.setSchedulerVersion(version);
    dialog.setConfig(Cups::ConfigNode(QByteArray("LogLevel warn\n")));
    QVERIFY(!dialog.findChild<QWidget*>(QStringLiteral("eAccessLog"))->isEnabled());
    QVERIFY(!dialog.findChild<QWidget*>(QStringLiteral("sbKeepAliveTimeout"))->isEnabled());
    QVERIFY(dialog.findChild<QWidget*>(QStringLiteral("cbLogLevel"))->isEnabled());
    QVERIFY(SchedulerVersion::query(server.socketPath(), 0, probeTimeoutMs) >= QVersionNumber(2));
    server.stop();
    QCOMPARE(SchedulerVersion::query(server.host(), server.port(), probeTimeoutMs), QVersionNumber());
}

QTEST_MAIN(TestCupsdConfServer)
#include "tst_cupsdconf_server.moc"
