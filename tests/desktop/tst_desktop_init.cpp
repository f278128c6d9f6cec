#include "TesselHelpMenu.h"
#include "TesselInit.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QIcon>
#include <QSettings>
#include <QStandardPaths>
#include <QTranslator>
#include <QtTest>

namespace {

constexpr char description[] = QT_TRANSLATE_NOOP(
    "QObject", "Tessel Printer Manager<p>Allows to view, edit and manage print queues, configure print server.");

// Looked up where Debian installs themes rather than where the code under test looks.
QString installedPreferredTheme()
{
    for (const QString& theme : {QStringLiteral("breeze"), QStringLiteral("Adwaita")}) {
        if (QFileInfo::exists(QStringLiteral("/usr/share/icons/%1/index.theme").arg(theme)))
            return theme;
    }
    return QString();
}

} // namespace

class TestDesktopInit : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void identity();
    void themeChoice_data();
    void themeChoice();
    void translators_data();
    void translators();
};

void TestDesktopInit::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    tesselInit("1.3.14", description);
}

void TestDesktopInit::identity()
{
    QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("tessel-admin-printer"));
    QCOMPARE(QCoreApplication::applicationVersion(), QStringLiteral("1.3.14"));
    const QString settingsFile = QSettings().fileName();
    QVERIFY2(settingsFile.endsWith(QLatin1String("/tessel/tessel-admin-printer.conf")), qPrintable(settingsFile));
    QCOMPARE(tesselDescription(), QString::fromLatin1(description));
    const QString about = TesselHelpMenu::aboutText();
    QVERIFY2(about.contains(QString::fromLatin1(description)) && about.contains(QLatin1String("1.3.14")),
             qPrintable(about));
}

void TestDesktopInit::themeChoice_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<bool>("replaced");
    QTest::newRow("no theme") << QString() << true;
    QTest::newRow("hicolor") << QStringLiteral("hicolor") << true;
    QTest::newRow("complete theme kept") << QStringLiteral("Adwaita") << false;
    QTest::newRow("user's own theme kept") << QStringLiteral("tessel-users-own-theme") << false;
}

void TestDesktopInit::themeChoice()
{
    QFETCH(QString, before);
    QFETCH(bool, replaced);
    const QString preferred = installedPreferredTheme();
    if (replaced && preferred.isEmpty())
        QSKIP("no complete icon theme installed");
    const QString original = QIcon::themeName();
    QIcon::setThemeName(before);
    tesselInstallIconFallbacks();
    const QStringList searchPaths = QIcon::themeSearchPaths();
    const QString chosen = QIcon::themeName();
    tesselInstallIconFallbacks();
    const bool repeatable = QIcon::themeSearchPaths() == searchPaths && QIcon::themeName() == chosen;
    const bool oursFound = !QIcon::fromTheme(QStringLiteral("print_class"), QIcon()).isNull();
    QIcon::setThemeName(original);

    QCOMPARE(chosen, replaced ? preferred : before);
    QVERIFY(repeatable);
    QVERIFY(oursFound);
}

void TestDesktopInit::translators_data()
{
    QTest::addColumn<QString>("catalogue");
    QTest::addColumn<int>("added");
    QTest::addColumn<QString>("printer");
    QTest::newRow("missing catalogue") << QStringLiteral("tessel-no-such-catalogue") << 0 << QStringLiteral("Printer");
    QTest::newRow("no catalogue named") << QString() << 0 << QStringLiteral("Printer");
    QTest::newRow("catalogue in the build tree") << QStringLiteral("tst-desktop-catalogue") << 1
                                                 << QStringLiteral("Drucker");
}

void TestDesktopInit::translators()
{
    QFETCH(QString, catalogue);
    QFETCH(int, added);
    QFETCH(QString, printer);
    // The first call also installs Qt's own catalogues, where this system has them.
    tesselTranslatorInstall(QStringLiteral("tessel-no-such-catalogue"));
    const int before = qApp->findChildren<QTranslator*>().size();

    tesselTranslatorInstall(catalogue);
    QCOMPARE(qApp->findChildren<QTranslator*>().size(), before + added);
    tesselTranslatorInstall(catalogue);
    QCOMPARE(qApp->findChildren<QTranslator*>().size(), before + added);
    QCOMPARE(QCoreApplication::translate("TestDesktopInit", "Printer"), printer);
}

QTEST_MAIN(TestDesktopInit)
#include "tst_desktop_init.moc"
