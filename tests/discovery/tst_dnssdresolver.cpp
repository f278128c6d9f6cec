#include "DNSSD2HPNamesResolver.h"
#include "PrivateBus.h"
#include "TestScripts.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestDnssdResolver : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void withoutAvahi();
    void resolve_data();
    void resolve();
    void cleanupTestCase();

private:
    QString makeUriLog() const { return m_dir.filePath(QStringLiteral("makeuri.log")); }
    QString avahiLog() const { return m_dir.filePath(QStringLiteral("avahi.log")); }

    PrivateBus m_bus{PrivateBus::Kind::System};
    QTemporaryDir m_dir;
    QProcess m_avahi;
};

void TestDnssdResolver::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY2(m_bus.start(), qPrintable(m_bus.errorString()));
    m_bus.exportAddress();

    const QString script = m_dir.filePath(QStringLiteral("hp-makeuri"));
    QVERIFY(writeScript(script, "echo \"$@\" >> " + makeUriLog().toLocal8Bit() +
                                    "\ncase \"$2\" in\n"
                                    "officejet) echo 'hp:/net/Office_Jet?ip=127.0.0.9'; echo 'hp:/second' ;;\n"
                                    "127.0.0.10) echo '  hp:/net/NoHost?ip=127.0.0.10  ' ;;\n"
                                    "oddout) echo 'error: no device' ;;\n"
                                    "esac\n"));
    DNSSD2HPNamesResolver::instance()->setMakeUriProgram(script);
}

void TestDnssdResolver::withoutAvahi()
{
    QCOMPARE(DNSSD2HPNamesResolver::instance()->resolve(QStringLiteral("dnssd://Office%20Jet._pdl-datastream._tcp.local/")),
             QString());
    QVERIFY(!QFile::exists(makeUriLog()));

    // The daemon comes up after the resolver was made.
    m_avahi.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_avahi.start(QStringLiteral(FAKE_AVAHI), {avahiLog()});
    QVERIFY(m_avahi.waitForStarted());
    QTRY_VERIFY(QDBusConnection::systemBus().interface()->isServiceRegistered(QStringLiteral("org.freedesktop.Avahi")));
}

void TestDnssdResolver::resolve_data()
{
    QTest::addColumn<QString>("uri");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("dbusCall");
    QTest::addColumn<QString>("makeUriCall");

    QTest::newRow("otherScheme") << "socket://10.0.0.1:9100" << "" << "" << "";
    QTest::newRow("upperCaseScheme") << "DNSSD://Office%20Jet._pdl-datastream._tcp.local/" << "" << "" << "";
    QTest::newRow("threeParts") << "dnssd://Office%20Jet._tcp.local/" << "" << "" << "";
    QTest::newRow("fiveParts") << "dnssd://My.Office%20Jet._pdl-datastream._tcp.local/" << "" << "" << "";
    QTest::newRow("firstLabelOnly") << "dnssd://Office%20Jet._pdl-datastream._tcp.local/?uuid=1234"
                                    << "hp:/net/Office_Jet?ip=127.0.0.9"
                                    << "-1|-1|Office Jet|_pdl-datastream._tcp|local|-1|0" << "-c officejet";
    QTest::newRow("addressWithoutHost") << "dnssd://NoHost._ipp._tcp.local" << "hp:/net/NoHost?ip=127.0.0.10"
                                        << "-1|-1|NoHost|_ipp._tcp|local|-1|0" << "-c 127.0.0.10";
    QTest::newRow("nothingResolved") << "dnssd://Nothing._ipp._tcp.local/" << ""
                                     << "-1|-1|Nothing|_ipp._tcp|local|-1|0" << "";
    QTest::newRow("notAnHpUri") << "dnssd://Odd%20Out._ipp._tcp.local/" << ""
                                << "-1|-1|Odd Out|_ipp._tcp|local|-1|0" << "-c oddout";
    QTest::newRow("optionLikeHost") << "dnssd://Dash._ipp._tcp.local/" << "" << "-1|-1|Dash|_ipp._tcp|local|-1|0"
                                    << "";
    QTest::newRow("unknownService") << "dnssd://Gone._ipp._tcp.local/" << "" << "-1|-1|Gone|_ipp._tcp|local|-1|0"
                                    << "";
}

void TestDnssdResolver::resolve()
{
    QFETCH(QString, uri);
    QFile::remove(avahiLog());
    QFile::remove(makeUriLog());
    QTEST(DNSSD2HPNamesResolver::instance()->resolve(uri), "expected");
    QTEST(QString::fromUtf8(readFile(avahiLog())).trimmed(), "dbusCall");
    QTEST(QString::fromUtf8(readFile(makeUriLog())).trimmed(), "makeUriCall");
}

void TestDnssdResolver::cleanupTestCase()
{
    m_avahi.kill();
    m_avahi.waitForFinished();
}

QTEST_MAIN(TestDnssdResolver)
#include "tst_dnssdresolver.moc"
