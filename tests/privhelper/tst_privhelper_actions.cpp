#include "CupsTestServer.h"
#include "PrivHelperFixture.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QtTest>

using Steps = QList<QStringList>;

class TestPrivHelperActions : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void printerAdd_data();
    void printerAdd();
    void printerAddWithPpdFile();
    void printerDelete();
    void classAddPrinter_data();
    void classAddPrinter();
    void classDelete();
    void setDefault_data();
    void setDefault();
    void setAttribute_data();
    void setAttribute();
    void fileGet();
    void filePut();

private:
    bool succeeds(const QStringList& words, const QByteArray& input = QByteArray());

    CupsTestServer m_server;
    PrivHelperFixture m_helper{&m_server};
    QString m_skipReason;
    QByteArray m_worldOf;
};

void TestPrivHelperActions::initTestCase()
{
    m_skipReason = CupsTestServer::unavailableReason(CupsTestServer::Mode::Open);
}

// Every test changes the world, so every test gets a fresh one; the rows of
// these tests touch only what they check, so they share theirs.
void TestPrivHelperActions::init()
{
    if (!m_skipReason.isEmpty())
        QSKIP(qPrintable(m_skipReason));
    static const QByteArrayList sharedWorldTests = {"printerAdd", "setDefault", "setAttribute"};
    const QByteArray test = QTest::currentTestFunction();
    if (test == m_worldOf && sharedWorldTests.contains(test) && m_server.isRunning())
        return;
    QVERIFY2(m_server.start(), qPrintable(m_server.errorString()));
    m_worldOf = test;
}

bool TestPrivHelperActions::succeeds(const QStringList& words, const QByteArray& input)
{
    const PrivHelperFixture::Result result = m_helper.run(words, input);
    if (result.exitCode != 0)
        qWarning("%s: exit %d: %s", qPrintable(words.join(QLatin1Char(' '))), result.exitCode, result.error.constData());
    return result.exitCode == 0 && result.error.isEmpty();
}

void TestPrivHelperActions::printerAdd_data()
{
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<QString>("info");
    QTest::addColumn<QString>("location");
    QTest::addColumn<QString>("model");

    QTest::newRow("sample driver") << QStringList{"delta", "file:///dev/null", "drv:///sample.drv/generic.ppd",
                                                  "Delta Laser", "Room 2"}
                                   << "Delta Laser" << "Room 2" << "Generic PostScript Printer";
    QTest::newRow("raw with blank texts") << QStringList{"epsilon", "socket://127.0.0.1:9100", "raw", " ", " "}
                                          << "" << "" << "Local Raw Printer";
    QTest::newRow("non-ascii name") << QStringList{"Принтер", "file:///dev/null", "raw", "Лазерный", "Склад"}
                                    << "Лазерный" << "Склад" << "Local Raw Printer";
}

void TestPrivHelperActions::printerAdd()
{
    QFETCH(QStringList, words);
    QFETCH(QString, info);
    QFETCH(QString, location);
    QFETCH(QString, model);
    const QString name = words.first();

    QVERIFY(succeeds(QStringList{"PrinterAdd"} + words));
    QVERIFY2(m_server.runTool("lpstat", {"-p", name}), qPrintable(m_server.errorString()));
    QVariantMap queue = m_helper.queue(name);
    QCOMPARE(queue.value("device-uri").toString(), words.at(1));
    QCOMPARE(queue.value("printer-info").toString(), info);
    QCOMPARE(queue.value("printer-location").toString(), location);
    QCOMPARE(queue.value("printer-make-and-model").toString(), model);
    QCOMPARE(queue.value("printer-state").toString(), QString("3"));
    QCOMPARE(queue.value("printer-is-accepting-jobs").toString(), QString("true"));

    // What the provider sends after every addition.
    QVERIFY(succeeds({"PrinterSetShared", name, "false"}));
    QVERIFY(succeeds({"PrinterSetAcceptJobs", name, "true", ""}));
    QVERIFY(succeeds({"PrinterSetEnabled", name, "true"}));
    queue = m_helper.queue(name);
    QCOMPARE(queue.value("printer-is-shared").toString(), QString("false"));
    QCOMPARE(queue.value("printer-state").toString(), QString("3"));
    QCOMPARE(queue.value("printer-is-accepting-jobs").toString(), QString("true"));
}

void TestPrivHelperActions::printerAddWithPpdFile()
{
    const QString ppds = m_server.compileSamplePpds();
    QVERIFY2(!ppds.isEmpty(), qPrintable(m_server.errorString()));
    QFile ppd(ppds + "/generic.ppd");
    QVERIFY(ppd.open(QIODevice::ReadOnly));

    QVERIFY(succeeds({"PrinterAddWithPpdFile", "zeta", "file:///dev/null", ppd.fileName(), "Zeta", "Lab"},
                     ppd.readAll()));
    const QVariantMap queue = m_helper.queue("zeta");
    QCOMPARE(queue.value("printer-make-and-model").toString(), QString("Generic PostScript Printer"));
    QCOMPARE(queue.value("device-uri").toString(), QString("file:///dev/null"));
    QCOMPARE(queue.value("printer-info").toString(), QString("Zeta"));
    QVERIFY(QFile::exists(m_server.serverRoot() + "/ppd/zeta.ppd"));
}

void TestPrivHelperActions::printerDelete()
{
    QVERIFY(succeeds({"PrinterDelete", CupsTestServer::stoppedPrinter}));
    QVERIFY(!m_server.runTool("lpstat", {"-p", CupsTestServer::stoppedPrinter}));
    QVERIFY(m_helper.queue(CupsTestServer::stoppedPrinter).isEmpty());
    QVERIFY(!m_helper.queue(CupsTestServer::defaultPrinter).isEmpty());
}

void TestPrivHelperActions::classAddPrinter_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("printer");
    QTest::addColumn<QStringList>("members");

    QTest::newRow("new class") << "crew" << "beta" << QStringList{"beta"};
    QTest::newRow("existing class") << "team" << "beta" << QStringList{"alpha", "gamma", "beta"};
    QTest::newRow("already a member") << "team" << "alpha" << QStringList{"alpha", "gamma"};
    QTest::newRow("member in other case") << "team" << "ALPHA" << QStringList{"alpha", "gamma"};
}

void TestPrivHelperActions::classAddPrinter()
{
    QFETCH(QString, className);
    QFETCH(QString, printer);
    QFETCH(QStringList, members);

    QVERIFY(succeeds({"ClassAddPrinter", className, printer}));
    const QVariantMap queue = m_helper.queue(className);
    QCOMPARE(queue.value("member-names").toStringList(), members);
    QCOMPARE(queue.value("printer-is-accepting-jobs").toString(), QString("true"));
    QString listing;
    QVERIFY(m_server.runTool("lpstat", {"-c", className}, &listing));
    QVERIFY2(listing.contains(members.last()), qPrintable(listing));
}

void TestPrivHelperActions::classDelete()
{
    QVERIFY(succeeds({"ClassDelete", CupsTestServer::className}));
    QVERIFY(!m_server.runTool("lpstat", {"-c", CupsTestServer::className}));
    for (const QString& member : CupsTestServer::classMembers)
        QVERIFY(!m_helper.queue(member).isEmpty());
}

void TestPrivHelperActions::setDefault_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("printer") << CupsTestServer::plainPrinter;
    QTest::newRow("class") << CupsTestServer::className;
    QTest::newRow("the default already") << CupsTestServer::defaultPrinter;
}

void TestPrivHelperActions::setDefault()
{
    QFETCH(QString, name);
    QVERIFY(succeeds({"PrinterSetDefault", name}));
    QString output;
    QVERIFY(m_server.runTool("lpstat", {"-d"}, &output));
    QCOMPARE(output.trimmed(), "system default destination: " + name);
}

void TestPrivHelperActions::setAttribute_data()
{
    QTest::addColumn<Steps>("steps");
    QTest::addColumn<QString>("queue");
    QTest::addColumn<QVariantMap>("expected");

    QTest::newRow("resume stopped printer") << Steps{{"PrinterSetEnabled", "beta", "true"}} << "beta"
                                            << QVariantMap{{"printer-state", "3"}};
    QTest::newRow("pause printer") << Steps{{"PrinterSetEnabled", "alpha", "false"}} << "alpha"
                                   << QVariantMap{{"printer-state", "5"}};
    QTest::newRow("pause class") << Steps{{"PrinterSetEnabled", "team", "false"}} << "team"
                                 << QVariantMap{{"printer-state", "5"}};
    QTest::newRow("reject with reason")
        << Steps{{"PrinterSetAcceptJobs", "alpha", "false", "Toner low"}} << "alpha"
        << QVariantMap{{"printer-is-accepting-jobs", "false"}, {"printer-state-message", "Toner low"}};
    QTest::newRow("reject and accept again")
        << Steps{{"PrinterSetAcceptJobs", "gamma", "false", ""}, {"PrinterSetAcceptJobs", "gamma", "true", ""}}
        << "gamma" << QVariantMap{{"printer-is-accepting-jobs", "true"}};
    QTest::newRow("reject class") << Steps{{"PrinterSetAcceptJobs", "team", "false", ""}} << "team"
                                  << QVariantMap{{"printer-is-accepting-jobs", "false"}};
    QTest::newRow("share printer") << Steps{{"PrinterSetShared", "gamma", "true"}} << "gamma"
                                   << QVariantMap{{"printer-is-shared", "true"}};
    QTest::newRow("unshare class") << Steps{{"PrinterSetShared", "team", "false"}} << "team"
                                   << QVariantMap{{"printer-is-shared", "false"}};
    QTest::newRow("location") << Steps{{"PrinterSetLocation", "alpha", "Room 101"}} << "alpha"
                              << QVariantMap{{"printer-location", "Room 101"}};
    QTest::newRow("empty location") << Steps{{"PrinterSetLocation", "alpha", ""}} << "alpha"
                                    << QVariantMap{{"printer-location", ""}};
    QTest::newRow("location of class") << Steps{{"PrinterSetLocation", "team", "Hall"}} << "team"
                                       << QVariantMap{{"printer-location", "Hall"}};
    QTest::newRow("info non-ascii") << Steps{{"PrinterSetInfo", "gamma", "Плоттер «Гамма»"}} << "gamma"
                                    << QVariantMap{{"printer-info", "Плоттер «Гамма»"}};
    QTest::newRow("info of class") << Steps{{"PrinterSetInfo", "team", "All of us"}} << "team"
                                   << QVariantMap{{"printer-info", "All of us"}};
    QTest::newRow("job sheets") << Steps{{"PrinterSetJobSheets", "alpha", "standard", "none"}} << "alpha"
                                << QVariantMap{{"job-sheets-default", QStringList{"standard", "none"}}};
    QTest::newRow("job sheets of class") << Steps{{"PrinterSetJobSheets", "team", "confidential", "secret"}} << "team"
                                         << QVariantMap{{"job-sheets-default", QStringList{"confidential", "secret"}}};
}

void TestPrivHelperActions::setAttribute()
{
    QFETCH(Steps, steps);
    QFETCH(QString, queue);
    QFETCH(QVariantMap, expected);

    for (const QStringList& step : qAsConst(steps))
        QVERIFY(succeeds(step));
    const QVariantMap attributes = m_helper.queue(queue);
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        QCOMPARE(attributes.value(it.key()), it.value());
}

void TestPrivHelperActions::fileGet()
{
    const PrivHelperFixture::Result result = m_helper.run({"FileGet", "/admin/conf/cupsd.conf", "/ignored/name"});
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.output, m_helper.configuration());
    QVERIFY(!QFile::exists("/ignored/name"));
}

void TestPrivHelperActions::filePut()
{
    const QByteArray original = m_helper.configuration();
    const QByteArray changed = original + "# Changed through the helper\n";
    const QStringList put{"FilePut", "/admin/conf/cupsd.conf", "-"};

    QVERIFY(succeeds(put, changed));
    QCOMPARE(m_helper.configuration(), changed);
    // The scheduler restarts with the new file and turns connections away
    // meanwhile; storing the original again is harmless, so retry it.
    QTRY_COMPARE_WITH_TIMEOUT(m_helper.run({"FileGet", "/admin/conf/cupsd.conf", "-"}).output, changed, 20000);
    QDeadlineTimer deadline(20000);
    while (m_helper.run(put, original).exitCode != 0 && !deadline.hasExpired())
        QTest::qWait(100);
    QCOMPARE(m_helper.configuration(), original);
    QTRY_VERIFY_WITH_TIMEOUT(!m_helper.queue(CupsTestServer::defaultPrinter).isEmpty(), 20000);
}

QTEST_GUILESS_MAIN(TestPrivHelperActions)
#include "tst_privhelper_actions.moc"
