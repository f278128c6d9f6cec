#include "CupsTestServer.h"
#include "IppActionProvider.h"
#include "PolKitActionProvider.h"
#include "PrivActionFactory.h"

#include <QSettings>
#include <QStandardPaths>
#include <QtTest>

class TestPrivActionFactory : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void providerType_data();
    void providerType();
    void switchingReusesProviders();

private:
    CupsTestServer m_server;
};

void TestPrivActionFactory::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    const QString reason = CupsTestServer::unavailableReason(CupsTestServer::Mode::Open);
    if (!reason.isEmpty())
        QSKIP(qPrintable(reason));
    CupsTestServer::Options options;
    options.knownWorld = false;
    QVERIFY2(m_server.start(options), qPrintable(m_server.errorString()));
    m_server.pointClientAt();
}

void TestPrivActionFactory::providerType_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<bool>("policyKit");

    QTest::newRow("PolicyKit") << QVariant(QStringLiteral("PolicyKit")) << true;
    QTest::newRow("IPP") << QVariant(QStringLiteral("IPP")) << false;
    QTest::newRow("empty") << QVariant(QString()) << false;
    QTest::newRow("other case") << QVariant(QStringLiteral("policykit")) << false;
    QTest::newRow("nothing stored") << QVariant() << false;
}

void TestPrivActionFactory::providerType()
{
    QFETCH(QVariant, stored);
    QFETCH(bool, policyKit);
    QSettings settings;
    if (stored.isValid())
        settings.setValue(QStringLiteral("PrivActions/ProviderType"), stored);
    else
        settings.remove(QStringLiteral("PrivActions/ProviderType"));

    PrivActionProvider* provider = PrivActionFactory::instance()->provider();
    QVERIFY(provider);
    QCOMPARE(dynamic_cast<PolKitActionProvider*>(provider) != nullptr, policyKit);
    QCOMPARE(dynamic_cast<IppActionProvider*>(provider) != nullptr, !policyKit);
}

void TestPrivActionFactory::switchingReusesProviders()
{
    QSettings settings;
    settings.setValue(QStringLiteral("PrivActions/ProviderType"), QStringLiteral("IPP"));
    PrivActionProvider* ipp = PrivActionFactory::instance()->provider();
    settings.setValue(QStringLiteral("PrivActions/ProviderType"), QStringLiteral("PolicyKit"));
    PrivActionProvider* polkit = PrivActionFactory::instance()->provider();
    QVERIFY(ipp != polkit);
    settings.setValue(QStringLiteral("PrivActions/ProviderType"), QStringLiteral("IPP"));
    QCOMPARE(PrivActionFactory::instance()->provider(), ipp);
    settings.setValue(QStringLiteral("PrivActions/ProviderType"), QStringLiteral("PolicyKit"));
    QCOMPARE(PrivActionFactory::instance()->provider(), polkit);
    QCOMPARE(PrivActionFactory::instance(), PrivActionFactory::instance());
}

QTEST_MAIN(TestPrivActionFactory)
#include "tst_privactionfactory.moc"
