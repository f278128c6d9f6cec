#include "CupsTestServer.h"
#include "PrivateBus.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusMessage>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QRect>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/types.h>

namespace {

const QString appId = QStringLiteral("ru.orvanta.TesselAdminPrinter");
const QString program = QStringLiteral("tessel-admin-printer");
constexpr int installTimeoutMs = 120000;
constexpr int validatorTimeoutMs = 30000;
constexpr int activationTimeoutMs = 30000;

QString datadir(const QString& path)
{
    return QStringLiteral(TESSEL_DATADIR "/") + path;
}

} // namespace

// Installs the build into a scratch prefix as a package build would, then
// looks at the result the way a desktop, a software centre and the session
// bus do.
class TestInstallLayout : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void layout_data();
    void layout();
    void icons_data();
    void icons();
    void validators_data();
    void validators();
    void activation();

private:
    QString installed(const QString& relative) const { return m_prefix.filePath(relative); }

    QTemporaryDir m_prefix;
};

void TestInstallLayout::initTestCase()
{
    QVERIFY2(m_prefix.isValid(), qPrintable(m_prefix.errorString()));
    QProcess install;
    install.setProcessChannelMode(QProcess::MergedChannels);
    install.start(QStringLiteral(TESSEL_CMAKE), {QStringLiteral("--install"), QStringLiteral(TESSEL_BUILD_DIR),
                                                 QStringLiteral("--prefix"), m_prefix.path()});
    QVERIFY2(install.waitForFinished(installTimeoutMs), qPrintable(install.errorString()));
    QVERIFY2(install.exitStatus() == QProcess::NormalExit && install.exitCode() == 0,
             install.readAll().constData());
}

void TestInstallLayout::layout_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("executable");

    const QString bin = QStringLiteral(TESSEL_BINDIR "/");
    QTest::newRow("program") << bin + program << true;
    QTest::newRow("restart tool") << bin + QStringLiteral("tessel-su") << true;
    QTest::newRow("helper") << QStringLiteral(TESSEL_LIBEXECDIR "/tessel-admin-printer/tessel-admin-printer-helper")
                            << true;
    QTest::newRow("policy") << datadir(QStringLiteral("polkit-1/actions/ru.orvanta.tessel-admin-printer.policy"))
                            << false;
    QTest::newRow("desktop entry") << datadir(QStringLiteral("applications/") + appId + QStringLiteral(".desktop"))
                                   << false;
    QTest::newRow("metadata") << datadir(QStringLiteral("metainfo/") + appId + QStringLiteral(".metainfo.xml"))
                              << false;
    QTest::newRow("bus service") << datadir(QStringLiteral("dbus-1/services/") + appId + QStringLiteral(".service"))
                                 << false;
    QTest::newRow("program manual") << QStringLiteral(TESSEL_MANDIR "/man1/tessel-admin-printer.1") << false;
    QTest::newRow("restart tool manual") << QStringLiteral(TESSEL_MANDIR "/man1/tessel-su.1") << false;
    QTest::newRow("application icon")
        << datadir(QStringLiteral("icons/hicolor/scalable/apps/") + appId + QStringLiteral(".svg")) << false;
    QTest::newRow("fallback theme") << datadir(QStringLiteral("tessel-admin-printer/icons/tessel/index.theme")) << false;
    QTest::newRow("fallback icon")
        << datadir(QStringLiteral("tessel-admin-printer/icons/tessel/scalable/printer.svg")) << false;
}

void TestInstallLayout::layout()
{
    QFETCH(QString, path);
    QFETCH(bool, executable);

    const QFileInfo info(installed(path));
    QVERIFY2(info.isFile(), qPrintable(path));
    QVERIFY(info.size() > 0);
    QCOMPARE(info.isExecutable(), executable);
}

void TestInstallLayout::icons_data()
{
    QTest::addColumn<int>("size");

    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        QTest::addRow("%dx%d", size, size) << size;
}

// Panels and menus look up the icon by its size folder and take what they
// find there as that size.
void TestInstallLayout::icons()
{
    QFETCH(int, size);

    const QString folder = QStringLiteral("%1x%1").arg(size);
    const QString path = installed(datadir(QStringLiteral("icons/hicolor/%1/apps/%2.png").arg(folder, appId)));
    QImageReader reader(path, "png");
    QVERIFY2(reader.canRead(), qPrintable(path + QLatin1Char(' ') + reader.errorString()));
    QCOMPARE(reader.format(), QByteArray("png"));
    QCOMPARE(reader.size(), QSize(size, size));
    const QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
    QVERIFY(image.hasAlphaChannel());

    // The drawing fills its square: neither drawn at its own small size in a
    // corner nor squeezed, and not laid on an opaque background.
    QRect drawn;
    bool background = false;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            if (qAlpha(image.pixel(x, y)) > 0)
                drawn |= QRect(x, y, 1, 1);
            else
                background = true;
        }
    }
    QVERIFY2(drawn.width() >= size * 3 / 4 && drawn.height() >= size * 3 / 4,
             qPrintable(QStringLiteral("drawn only in %1x%2").arg(drawn.width()).arg(drawn.height())));
    QVERIFY(background);
}

void TestInstallLayout::validators_data()
{
    QTest::addColumn<QString>("tool");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("path");

    QTest::newRow("desktop entry") << QStringLiteral("desktop-file-validate") << QStringList()
                                   << datadir(QStringLiteral("applications/") + appId + QStringLiteral(".desktop"));
    QTest::newRow("metadata") << QStringLiteral("appstreamcli")
                              << QStringList{QStringLiteral("validate"), QStringLiteral("--no-net")}
                              << datadir(QStringLiteral("metainfo/") + appId + QStringLiteral(".metainfo.xml"));
}

void TestInstallLayout::validators()
{
    QFETCH(QString, tool);
    QFETCH(QStringList, options);
    QFETCH(QString, path);

    const QString executable = QStandardPaths::findExecutable(tool);
    if (executable.isEmpty())
        QSKIP(qPrintable(tool + QStringLiteral(" is not installed (tools/install-deps.sh installs it)")));
    QProcess validator;
    validator.setProcessChannelMode(QProcess::MergedChannels);
    validator.start(executable, options << installed(path));
    QVERIFY2(validator.waitForFinished(validatorTimeoutMs), qPrintable(validator.errorString()));
    const QByteArray output = validator.readAll();
    QVERIFY2(validator.exitStatus() == QProcess::NormalExit && validator.exitCode() == 0, output.constData());
    // desktop-file-validate passes entries it only warns about.
    QVERIFY2(!output.contains("warning:") && !output.contains("error:"), output.constData());
}

// A call to the window's bus name starts the installed program when none runs.
void TestInstallLayout::activation()
{
    const QString servicePath = installed(datadir(QStringLiteral("dbus-1/services/") + appId + QStringLiteral(".service")));
    const QSettings service(servicePath, QSettings::IniFormat);
    QCOMPARE(service.value(QStringLiteral("D-BUS Service/Name")).toString(), appId);
    const QString exec = service.value(QStringLiteral("D-BUS Service/Exec")).toString();
    const QString configured = QStringLiteral(TESSEL_INSTALL_PREFIX "/" TESSEL_BINDIR "/") + program;
    QCOMPARE(exec, configured);

    // The file names the configured prefix; the bus gets a copy naming the
    // scratch one.
    QTemporaryDir services;
    QVERIFY(services.isValid());
    // QSettings would write the group's space as "%20".
    QFile copy(services.filePath(appId + QStringLiteral(".service")));
    QVERIFY(copy.open(QIODevice::WriteOnly));
    const QString text = QStringLiteral("[D-BUS Service]\nName=%1\nExec=%2\n")
                             .arg(appId, installed(QStringLiteral(TESSEL_BINDIR "/") + program));
    QVERIFY(copy.write(text.toUtf8()) > 0);
    copy.close();

    // The started program inherits the bus daemon's environment, which is
    // this one: a private scheduler, and settings and a run-time folder of
    // its own.
    const QString reason = CupsTestServer::unavailableReason(CupsTestServer::Mode::Open);
    if (!reason.isEmpty())
        QSKIP(qPrintable(reason));
    CupsTestServer server;
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    server.pointClientAt();
    QTemporaryDir home;
    QVERIFY(home.isValid());
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", home.path().toLocal8Bit());

    PrivateBus bus(PrivateBus::Kind::Session);
    bus.addServiceDirectory(services.path());
    QVERIFY2(bus.start(), qPrintable(bus.errorString()));
    QDBusConnection connection = QDBusConnection::connectToBus(bus.address(), QStringLiteral("activation"));
    QVERIFY2(connection.isConnected(), qPrintable(connection.lastError().message()));
    QDBusConnectionInterface* busInterface = connection.interface();
    QVERIFY(!busInterface->isServiceRegistered(appId).value());

    QDBusMessage call = QDBusMessage::createMethodCall(appId, QStringLiteral("/PrintersWidget"),
                                                       appId + QStringLiteral(".PrintersWidget"),
                                                       QStringLiteral("ShowQueue"));
    call << QStringLiteral("alpha");
    call.setAutoStartService(true);
    QVERIFY(connection.send(call));
    QTRY_VERIFY_WITH_TIMEOUT(busInterface->isServiceRegistered(appId).value(), activationTimeoutMs);

    const uint pid = busInterface->servicePid(appId).value();
    QVERIFY(pid > 0);
    QCOMPARE(::kill(pid_t(pid), SIGTERM), 0);
    QTRY_VERIFY_WITH_TIMEOUT(!busInterface->isServiceRegistered(appId).value(), activationTimeoutMs);
    QDBusConnection::disconnectFromBus(QStringLiteral("activation"));
}

QTEST_GUILESS_MAIN(TestInstallLayout)
#include "tst_installlayout.moc"
