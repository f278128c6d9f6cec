#include "ConfigNode.h"
#include "CupsHttp.h"
#include "CupsTestServer.h"
#include "CupsdConfDialog.h"
#include "PrintersWidget.h"
#include "PrivateBus.h"
#include "SecurityPlugins.h"
#include "TesselInit.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QSettings>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

namespace {

// The sample directory holds, by name ignoring case: a plug-in with both
// pages and its German catalogue, a plug-in with a destination page only and
// its catalogue for the language alone, a library that is no plug-in and a
// plug-in of another interface. The test runs in the de_DE locale.
const QString bothPagesTitle = QStringLiteral("Wächter beider Seiten");
const QString printerPageTitle = QStringLiteral("Wächter der Druckerseite");
const QString serverPageTitle = QStringLiteral("Sample server guard");

QStringList tabTitles(const QTabWidget* tabs)
{
    QStringList titles;
    for (int i = 0; i < tabs->count(); ++i)
        titles << tabs->tabText(i);
    return titles;
}

} // namespace

class TestSecurityPlugins : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void browserShowsDestinationPagesInFileOrder_data();
    void browserShowsDestinationPagesInFileOrder();
    void dialogShowsOnlyServerPages();
    void serverPageDirectiveKeepsItsLine();
    void loadedOnce();

private:
    PrivateBus m_systemBus{PrivateBus::Kind::System};
    QTemporaryDir m_home;
    std::unique_ptr<CupsTestServer> m_server;
};

void TestSecurityPlugins::initTestCase()
{
    QVERIFY(setSecurityPluginDirectoryForTesting(QStringLiteral(SAMPLE_PLUGIN_DIR)));
    QStandardPaths::setTestModeEnabled(true);
    QSettings().clear();
    QSettings().setValue(QStringLiteral("Printer Tree/Update Interval"), 0);
    tesselInstallIconFallbacks();
    QVERIFY(QDir(m_home.path()).mkpath(QStringLiteral(".cups")));
    qputenv("HOME", QFile::encodeName(m_home.path()));
}

void TestSecurityPlugins::cleanupTestCase()
{
    m_server.reset();
    // The pages belong to the plug-ins, which outlive every user.
    QCOMPARE(QApplication::topLevelWidgets().size(), 3);
}

void TestSecurityPlugins::browserShowsDestinationPagesInFileOrder_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QStringList>("tabs");
    QTest::newRow("printer") << CupsTestServer::defaultPrinter
                             << QStringList{QStringLiteral("Info"), QStringLiteral("Jobs"), QStringLiteral("Setup"),
                                            bothPagesTitle, printerPageTitle};
    QTest::newRow("class") << CupsTestServer::className
                           << QStringList{QStringLiteral("Info"), QStringLiteral("Jobs"), QStringLiteral("Setup"),
                                          QStringLiteral("Members"), bothPagesTitle, printerPageTitle};
    QTest::newRow("group") << QStringLiteral("Printers") << QStringList();
}

void TestSecurityPlugins::browserShowsDestinationPagesInFileOrder()
{
    QFETCH(QString, item);
    QFETCH(QStringList, tabs);
    const QString reason = CupsTestServer::unavailableReason(CupsTestServer::Mode::Open);
    if (!reason.isEmpty())
        QSKIP(qPrintable(reason));
    if (!m_server) {
        QVERIFY2(m_systemBus.start(), qPrintable(m_systemBus.errorString()));
        m_systemBus.exportAddress();
        m_server = std::make_unique<CupsTestServer>();
        QVERIFY2(m_server->start(), qPrintable(m_server->errorString()));
        m_server->pointClientAt();
        QVERIFY(Cups::HTTP::getUniqueConnection() && Cups::HTTP::getUniqueConnection()->reconnect());
    }

    PrintersWidget widget;
    widget.load();
    QTreeWidgetItem* current
        = widget.destinationTree()->findItems(item, Qt::MatchExactly | Qt::MatchRecursive).value(0);
    QVERIFY(current);
    // Through a destination first, so that a group has tabs to take away.
    widget.destinationTree()->setCurrentItem(
        widget.destinationTree()->findItems(CupsTestServer::plainPrinter, Qt::MatchExactly | Qt::MatchRecursive)
            .value(0));
    widget.destinationTree()->setCurrentItem(current);
    QCOMPARE(tabTitles(widget.tabWidget()), tabs);
    if (!tabs.isEmpty()) {
        // Each page was told the destination it shows.
        auto* page = qobject_cast<QLabel*>(widget.tabWidget()->widget(tabs.size() - 1));
        QVERIFY(page);
        QCOMPARE(page->text(), item);
    }
}

void TestSecurityPlugins::dialogShowsOnlyServerPages()
{
    for (int round = 0; round < 2; ++round) {
        CupsdConfDialog dialog(nullptr);
        auto* tabs = dialog.findChild<QTabWidget*>(QStringLiteral("m_securityTabWidget"));
        QVERIFY(tabs);
        QCOMPARE(tabs->count(), 5);
        QCOMPARE(tabs->tabText(4), serverPageTitle);
    }
}

void TestSecurityPlugins::serverPageDirectiveKeepsItsLine()
{
    const QByteArray file("# Served by the guard\n"
                          "LogLevel warn\n"
                          "\n"
                          "GSSServiceName http # the realm's name\n"
                          "FileDevice No\n");
    CupsdConfDialog dialog(nullptr);
    dialog.setConfig(Cups::ConfigNode(file));
    QCOMPARE(QString::fromUtf8(dialog.config().toText()),
             QString::fromUtf8(QByteArray(file).replace("GSSServiceName http", "GSSServiceName http-guarded")));
}

void TestSecurityPlugins::loadedOnce()
{
    QCOMPARE(securityPlugins().size(), 2);
    QVERIFY(!setSecurityPluginDirectoryForTesting(QDir::tempPath()));
    QCOMPARE(securityPrinterPages().size(), 2);
    QCOMPARE(securityServerPages().size(), 1);
}

QTEST_MAIN(TestSecurityPlugins)
#include "tst_securityplugins.moc"
