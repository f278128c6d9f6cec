#include "LocalPeer.h"

#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

class TestLocalPeer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void defaultId_data();
    void defaultId();
    void socketPathFollowsRuntimeDir();
    void messageDelivery_data();
    void messageDelivery();
    void samePeerIdClaimedOnce();
    void staleSocketIsReclaimed();
    void silentClientDoesNotBlock();

private:
    // Runs the sender as another process, keeping this one's event loop free
    // to answer it.
    int sendFromOtherProcess(const QString& id, const QString& message);

    QTemporaryDir m_runtime;
};

void TestLocalPeer::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    qRegisterMetaType<QProcess::ExitStatus>();
    QVERIFY(m_runtime.isValid());
    qputenv("XDG_RUNTIME_DIR", m_runtime.path().toLocal8Bit());
}

void TestLocalPeer::defaultId_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<bool>("same");

    QTest::newRow("same file") << "/usr/bin/tessel-admin-printer" << "/usr/bin/tessel-admin-printer" << true;
    QTest::newRow("dot segments") << "/usr/bin/tessel-admin-printer" << "/usr/bin/../bin/tessel-admin-printer" << true;
    QTest::newRow("other install") << "/usr/bin/tessel-admin-printer" << "/opt/tessel/bin/tessel-admin-printer" << false;
    QTest::newRow("other program") << "/usr/bin/tessel-admin-printer" << "/usr/bin/other-tool" << false;
}

void TestLocalPeer::defaultId()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(bool, same);
    const QString id = LocalPeer::defaultId(first);
    QCOMPARE(id == LocalPeer::defaultId(second), same);
    // Another user must never reach our socket, so the uid is part of the id.
    QVERIFY(id.contains(QStringLiteral("-%1-").arg(::getuid())));
}

void TestLocalPeer::socketPathFollowsRuntimeDir()
{
    QVERIFY(LocalPeer::socketPath(QStringLiteral("x")).startsWith(m_runtime.path() + QLatin1Char('/')));
    qputenv("XDG_RUNTIME_DIR", "/nonexistent/runtime");
    const QString fallback = LocalPeer::socketPath(QStringLiteral("x"));
    qputenv("XDG_RUNTIME_DIR", m_runtime.path().toLocal8Bit());
    QVERIFY(fallback.startsWith(QDir::tempPath() + QLatin1Char('/')));
}

int TestLocalPeer::sendFromOtherProcess(const QString& id, const QString& message)
{
    QProcess sender;
    QSignalSpy finished(&sender, qOverload<int, QProcess::ExitStatus>(&QProcess::finished));
    sender.start(QStringLiteral(PEER_SENDER), {id, message});
    if (!finished.wait(10000)) {
        sender.kill();
        sender.waitForFinished();
        return -1;
    }
    return sender.exitStatus() == QProcess::NormalExit ? sender.exitCode() : -1;
}

void TestLocalPeer::messageDelivery_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("received");

    QTest::newRow("raise") << "raise" << 0 << "raise";
    QTest::newRow("utf-8") << QStringLiteral("поднять окно") << 0 << QStringLiteral("поднять окно");
    QTest::newRow("large") << "@60000" << 0 << QString(60000, QLatin1Char('x'));
    QTest::newRow("oversized refused") << "@70000" << 1 << QString();
}

void TestLocalPeer::messageDelivery()
{
    QFETCH(QString, message);
    QFETCH(int, exitCode);
    QFETCH(QString, received);

    LocalPeer peer(QStringLiteral("delivery-%1").arg(QTest::currentDataTag()));
    QVERIFY(!peer.isClient());
    QSignalSpy spy(&peer, &LocalPeer::messageReceived);
    QCOMPARE(sendFromOtherProcess(peer.id(), message), exitCode);
    if (received.isNull()) {
        QCOMPARE(spy.count(), 0);
    } else {
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.first().first().toString(), received);
    }
}

void TestLocalPeer::samePeerIdClaimedOnce()
{
    LocalPeer first(QStringLiteral("claimed"));
    QVERIFY(!first.isClient());
    // Asking again keeps the claim instead of tearing down our own socket.
    QVERIFY(!first.isClient());
    QCOMPARE(sendFromOtherProcess(QStringLiteral("claimed"), QStringLiteral("raise")), 0);
    QCOMPARE(sendFromOtherProcess(QStringLiteral("unclaimed"), QStringLiteral("raise")), 1);
}

void TestLocalPeer::staleSocketIsReclaimed()
{
    const QString id = QStringLiteral("stale");
    QFile leftover(LocalPeer::socketPath(id));
    QVERIFY(leftover.open(QIODevice::WriteOnly));
    leftover.close();

    LocalPeer peer(id);
    QVERIFY(!peer.isClient());
    QSignalSpy spy(&peer, &LocalPeer::messageReceived);
    QCOMPARE(sendFromOtherProcess(id, QStringLiteral("raise")), 0);
    QCOMPARE(spy.count(), 1);
}

void TestLocalPeer::silentClientDoesNotBlock()
{
    LocalPeer peer(QStringLiteral("silent"));
    QVERIFY(!peer.isClient());
    QSignalSpy spy(&peer, &LocalPeer::messageReceived);

    QLocalSocket silent;
    silent.connectToServer(LocalPeer::socketPath(peer.id()));
    QVERIFY(silent.waitForConnected(1000));
    silent.write("\0\0", 2);
    silent.flush();

    QCOMPARE(sendFromOtherProcess(peer.id(), QStringLiteral("raise")), 0);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.first().first().toString(), QStringLiteral("raise"));
}

QTEST_GUILESS_MAIN(TestLocalPeer)
#include "tst_localpeer.moc"
