#include "CupsdConfDialog.h"
#include "SecurityPlugins.h"

#include <QStandardPaths>
#include <QTabWidget>
#include <QtTest>

class TestSecurityPluginsMissing : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void dialogShowsOwnTabsOnly();
};

void TestSecurityPluginsMissing::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(setSecurityPluginDirectoryForTesting(QStringLiteral(SAMPLE_PLUGIN_DIR "/missing")));
}

void TestSecurityPluginsMissing::dialogShowsOwnTabsOnly()
{
    CupsdConfDialog dialog(nullptr);
    QCOMPARE(dialog.findChild<QTabWidget*>(QStringLiteral("m_securityTabWidget"))->count(), 4);
    QVERIFY(securityPlugins().isEmpty());
}

QTEST_MAIN(TestSecurityPluginsMissing)
#include "tst_securityplugins_missing.moc"
