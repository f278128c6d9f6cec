#include "CupsTestServer.h"
#include "PrivHelperFixture.h"

#include <QFile>
#include <QtTest>

class TestPrivHelperRefusals : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void refused_data();
    void refused();

private:
    CupsTestServer m_server;
    PrivHelperFixture m_helper{&m_server};
    QByteArray m_ppd;
};

void TestPrivHelperRefusals::initTestCase()
{
    const QString reason = CupsTestServer::unavailableReason(CupsTestServer::Mode::Open);
    if (!reason.isEmpty())
        QSKIP(qPrintable(reason));
    QVERIFY2(m_server.start(), qPrintable(m_server.errorString()));
    const QString ppds = m_server.compileSamplePpds();
    QVERIFY2(!ppds.isEmpty(), qPrintable(m_server.errorString()));
    QFile ppd(ppds + "/generic.ppd");
    QVERIFY(ppd.open(QIODevice::ReadOnly));
    m_ppd = ppd.readAll();
}

void TestPrivHelperRefusals::refused_data()
{
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("exitCode");

    constexpr int refused = 2;
    constexpr int failed = 1;
    const QString conf = "/admin/conf/cupsd.conf";
    const QByteArray ppd = m_ppd;

    QTest::newRow("no action") << QStringList() << QByteArray() << refused;
    QTest::newRow("unknown action") << QStringList{"PrinterExplode", "alpha"} << QByteArray() << refused;
    QTest::newRow("too few") << QStringList{"PrinterSetEnabled", "beta"} << QByteArray() << refused;
    QTest::newRow("too many") << QStringList{"PrinterDelete", "alpha", "beta"} << QByteArray() << refused;
    QTest::newRow("name with slash") << QStringList{"PrinterDelete", "../alpha"} << QByteArray() << refused;
    QTest::newRow("name with blank") << QStringList{"PrinterSetEnabled", "al pha", "false"} << QByteArray() << refused;
    QTest::newRow("name with control") << QStringList{"PrinterDelete", "al\x1bpha"} << QByteArray() << refused;
    QTest::newRow("empty name") << QStringList{"PrinterSetDefault", ""} << QByteArray() << refused;
    QTest::newRow("name of 128 bytes") << QStringList{"PrinterAdd", QString(128, 'q'), "file:///dev/null", "raw", " ", " "}
                                       << QByteArray() << refused;
    QTest::newRow("boolean yes") << QStringList{"PrinterSetEnabled", "beta", "yes"} << QByteArray() << refused;
    QTest::newRow("other resource") << QStringList{"FileGet", "/admin/conf/printers.conf", "-"} << QByteArray()
                                    << refused;
    QTest::newRow("put elsewhere") << QStringList{"FilePut", "/etc/passwd", "-"} << QByteArray("root::0:0::/:/bin/sh\n")
                                   << refused;
    QTest::newRow("relative ppd path") << QStringList{"PrinterAddWithPpdFile", "omega", "file:///dev/null", "generic.ppd", "", ""}
                                       << ppd << refused;
    QTest::newRow("not a ppd") << QStringList{"PrinterAddWithPpdFile", "omega", "file:///dev/null", "-", "", ""}
                               << QByteArray("#!/bin/sh\nexit 0\n") << refused;
    QTest::newRow("uri with newline") << QStringList{"PrinterAdd", "omega", "file:///dev/null\nx", "raw", "", ""}
                                      << QByteArray() << refused;
    QTest::newRow("uri without scheme") << QStringList{"PrinterAdd", "omega", "/dev/null", "raw", "", ""} << QByteArray()
                                        << refused;
    QTest::newRow("driver outside") << QStringList{"PrinterAdd", "omega", "file:///dev/null", "lsb/../../etc/shadow", "", ""}
                                    << QByteArray() << refused;
    QTest::newRow("oversized configuration")
        << QStringList{"FilePut", conf, "-"} << QByteArray(1024 * 1024 + 1, '#') << refused;
    QTest::newRow("oversized ppd") << QStringList{"PrinterAddWithPpdFile", "omega", "file:///dev/null", "-", "", ""}
                                   << ppd + QByteArray(8 * 1024 * 1024, '%') << refused;

    QTest::newRow("unknown driver") << QStringList{"PrinterAdd", "omega", "file:///dev/null", "drv:///none.drv/x.ppd", "", ""}
                                    << QByteArray() << failed;
    QTest::newRow("unknown banner") << QStringList{"PrinterSetJobSheets", "alpha", "standard", "nosuch"} << QByteArray()
                                    << failed;
    QTest::newRow("unknown queue") << QStringList{"PrinterSetShared", "nosuch", "true"} << QByteArray() << failed;
    QTest::newRow("class deleted as printer") << QStringList{"PrinterDelete", "team"} << QByteArray() << failed;
    QTest::newRow("printer deleted as class") << QStringList{"ClassDelete", "alpha"} << QByteArray() << failed;
    QTest::newRow("printer used as class") << QStringList{"ClassAddPrinter", "alpha", "gamma"} << QByteArray() << failed;
    QTest::newRow("class as member") << QStringList{"ClassAddPrinter", "crew", "team"} << QByteArray() << failed;
    QTest::newRow("missing member") << QStringList{"ClassAddPrinter", "crew", "nosuch"} << QByteArray() << failed;
    QTest::newRow("printer named like a class") << QStringList{"PrinterAdd", "team", "file:///dev/null", "raw", "", ""}
                                                << QByteArray() << failed;
}

void TestPrivHelperRefusals::refused()
{
    QFETCH(QStringList, words);
    QFETCH(QByteArray, input);
    QFETCH(int, exitCode);

    const QString before = m_helper.snapshot();
    const PrivHelperFixture::Result result = m_helper.run(words, input);
    QCOMPARE(result.exitCode, exitCode);
    QVERIFY(result.output.isEmpty());
    QVERIFY2(result.error.startsWith("tessel-admin-printer-helper: ") && result.error.endsWith('\n')
                 && result.error.count('\n') == 1,
             result.error.constData());
    QCOMPARE(m_helper.snapshot(), before);
}

QTEST_GUILESS_MAIN(TestPrivHelperRefusals)
#include "tst_privhelper_refusals.moc"
