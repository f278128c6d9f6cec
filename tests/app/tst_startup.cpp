#include "LocalPeer.h"
#include "ModalDriver.h"
#include "PrinterManager.h"

#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void secondStartRaisesFirst();
    void twoRealStarts();
    void messageReceived_data();
    void messageReceived();
    void cleanup();

private:
    QProcessEnvironment programEnvironment() const;

    QTemporaryDir m_runtime;
    QTemporaryDir m_home;
};

void TestStartup::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    qRegisterMetaType<QProcess::ExitStatus>();
    QVERIFY(m_runtime.isValid());
    QVERIFY(m_home.isValid());
    // The program and this test must find the same socket, and neither may
    // meet an instance the developer has open.
    qputenv("XDG_RUNTIME_DIR", m_runtime.path().toLocal8Bit());
}

void TestStartup::cleanup()
{
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

QProcessEnvironment TestStartup::programEnvironment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
    environment.insert(QStringLiteral("HOME"), m_home.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home.path() + QStringLiteral("/.config"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // Nothing answers here, so the program starts without a scheduler.
    environment.insert(QStringLiteral("CUPS_SERVER"), m_runtime.path() + QStringLiteral("/no-cups.sock"));
    return environment;
}

void TestStartup::secondStartRaisesFirst()
{
    LocalPeer first(LocalPeer::defaultId(QStringLiteral(TESSEL_ADMIN_PRINTER)));
    QVERIFY(!first.isClient());
    QSignalSpy received(&first, &LocalPeer::messageReceived);

    QProcess second;
    second.setProcessEnvironment(programEnvironment());
    QSignalSpy finished(&second, qOverload<int, QProcess::ExitStatus>(&QProcess::finished));
    second.start(QStringLiteral(TESSEL_ADMIN_PRINTER), QStringList());
    QVERIFY(finished.wait(20000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 255);
    QCOMPARE(received.count(), 1);
    QCOMPARE(received.first().first().toString(), QStringLiteral("raise"));
}

void TestStartup::twoRealStarts()
{
    QProcess first;
    first.setProcessEnvironment(programEnvironment());
    first.start(QStringLiteral(TESSEL_ADMIN_PRINTER), QStringList());
    QVERIFY(first.waitForStarted());

    const QString socket = LocalPeer::socketPath(LocalPeer::defaultId(QStringLiteral(TESSEL_ADMIN_PRINTER)));
    QTRY_VERIFY_WITH_TIMEOUT(
        [&socket] {
            QLocalSocket probe;
            probe.connectToServer(socket);
            return probe.waitForConnected(100);
        }(),
        20000);

    QProcess second;
    second.setProcessEnvironment(programEnvironment());
    second.start(QStringLiteral(TESSEL_ADMIN_PRINTER), QStringList());
    QVERIFY(second.waitForFinished(20000));
    QCOMPARE(second.exitCode(), 255);
    QCOMPARE(first.state(), QProcess::Running);

    first.terminate();
    QVERIFY(first.waitForFinished(10000));
}

void TestStartup::messageReceived_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("raises");

    QTest::newRow("raise") << "raise" << true;
    QTest::newRow("upper case") << "RAISE" << false;
    QTest::newRow("capitalised") << "Raise" << false;
    QTest::newRow("trailing blank") << "raise " << false;
    QTest::newRow("empty") << "" << false;
}

void TestStartup::messageReceived()
{
    QFETCH(QString, message);
    QFETCH(bool, raises);

    // Without a scheduler the window reports so in a modal box first.
    ModalDriver driver;
    PrinterManager manager;
    manager.show();
    QWidget other;
    other.show();
    other.activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), &other);

    manager.messageReceived(message);
    if (raises) {
        QTRY_COMPARE(QApplication::activeWindow(), &manager);
    } else {
        QTest::qWait(50);
        QCOMPARE(QApplication::activeWindow(), &other);
    }
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
