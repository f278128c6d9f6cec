#include "PolKitActionProvider.h"
#include "PolKitActionProviderHelper.h"

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using Calls = QList<QStringList>;
Q_DECLARE_METATYPE(Calls)

namespace {

QStringList call(std::initializer_list<QString> words)
{
    return QStringList(words);
}

} // namespace

class TestPolKitActionProvider : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void operations_data();
    void operations();
    void getDevicesSendsNothing();
    void localPpdFileChoosesItsAction();

private:
    // The actions the launcher was asked to run, without the helper path.
    Calls recordedCalls() const;

    QTemporaryDir m_dir;
    QString m_log;
};

void TestPolKitActionProvider::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_dir.isValid());
    m_log = m_dir.filePath(QStringLiteral("calls"));
    qputenv(PolKitActionProviderHelper::launcherVariable, RECORD_LAUNCHER);
    qputenv(PolKitActionProviderHelper::helperVariable, RECORD_LAUNCHER);
    qputenv("RECORD_FILE", m_log.toLocal8Bit());
}

void TestPolKitActionProvider::init()
{
    QFile::remove(m_log);
    qunsetenv("RECORD_FAIL");
}

Calls TestPolKitActionProvider::recordedCalls() const
{
    QFile file(m_log);
    Calls calls;
    if (!file.open(QIODevice::ReadOnly))
        return calls;
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (!line.isEmpty())
            calls << QString::fromUtf8(line).split(QChar(0x1f)).mid(1);
    }
    return calls;
}

void TestPolKitActionProvider::operations_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("failing");
    QTest::addColumn<bool>("result");
    QTest::addColumn<Calls>("calls");

    const QString f = QStringLiteral("false");
    const QString t = QStringLiteral("true");
    const QString blank = QStringLiteral(" ");

    QTest::newRow("printer add, empty texts") << "printerAdd" << "" << true
        << Calls{call({"PrinterAdd", "delta", "file:///dev/null", "raw", blank, blank}),
                 call({"PrinterSetShared", "delta", f}), call({"PrinterSetAcceptJobs", "delta", t, ""}),
                 call({"PrinterSetEnabled", "delta", t})};
    QTest::newRow("printer add fails first") << "printerAdd" << "PrinterAdd" << false
        << Calls{call({"PrinterAdd", "delta", "file:///dev/null", "raw", blank, blank})};
    QTest::newRow("printer add, later step fails") << "printerAdd" << "PrinterSetAcceptJobs" << false
        << Calls{call({"PrinterAdd", "delta", "file:///dev/null", "raw", blank, blank}),
                 call({"PrinterSetShared", "delta", f}), call({"PrinterSetAcceptJobs", "delta", t, ""}),
                 call({"PrinterSetEnabled", "delta", t})};
    const Calls classCalls{call({"ClassDelete", "team"}), call({"ClassAddPrinter", "team", "alpha"}),
                           call({"ClassAddPrinter", "team", "gamma"}), call({"ClassAddPrinter", "team", "beta"}),
                           call({"PrinterSetShared", "team", t}), call({"PrinterSetLocation", "team", "Hall"}),
                           call({"PrinterSetInfo", "team", "Everybody"}), call({"PrinterSetEnabled", "team", t}),
                           call({"PrinterSetAcceptJobs", "team", t, ""})};
    QTest::newRow("class add, members reduced") << "classAdd" << "" << true << classCalls;
    QTest::newRow("class add, new class") << "classAdd" << "ClassDelete" << true << classCalls;
    QTest::newRow("class add, member fails") << "classAdd" << "ClassAddPrinter" << false << classCalls;
    QTest::newRow("set default") << "printerSetDefault" << "" << true << Calls{call({"PrinterSetDefault", "alpha"})};
    QTest::newRow("pause") << "printerSetEnabled" << "" << true << Calls{call({"PrinterSetEnabled", "alpha", f})};
    QTest::newRow("pause fails") << "printerSetEnabled" << "PrinterSetEnabled" << false
                                 << Calls{call({"PrinterSetEnabled", "alpha", f})};
    QTest::newRow("reject") << "printerSetAcceptJobs" << "" << true
                            << Calls{call({"PrinterSetAcceptJobs", "alpha", f, "Toner low"})};
    QTest::newRow("job sheets") << "printerSetJobSheets" << "" << true
                                << Calls{call({"PrinterSetJobSheets", "alpha", "standard", "none"})};
    QTest::newRow("delete printer") << "printerDelete" << "" << true << Calls{call({"PrinterDelete", "beta"})};
    QTest::newRow("delete class") << "classDelete" << "" << true << Calls{call({"ClassDelete", "team"})};
}

void TestPolKitActionProvider::operations()
{
    QFETCH(QString, operation);
    QFETCH(QString, failing);
    QFETCH(bool, result);
    QFETCH(Calls, calls);
    qputenv("RECORD_FAIL", failing.toLocal8Bit());

    PolKitActionProvider provider;
    PrivActionProvider& api = provider;
    bool answer = false;
    if (operation == QLatin1String("printerAdd"))
        answer = api.printerAdd(QStringLiteral("delta"), QStringLiteral("file:///dev/null"), QStringLiteral("raw"),
                                QString(), QString(), false);
    else if (operation == QLatin1String("classAdd"))
        answer = api.classAdd(QStringLiteral("team"),
                              {QStringLiteral("ipp://localhost:631/printers/alpha"), QStringLiteral("/printers/gamma"),
                               QStringLiteral("beta")},
                              QStringLiteral("Everybody"), QStringLiteral("Hall"), true);
    else if (operation == QLatin1String("printerSetDefault"))
        answer = api.printerSetDefault(QStringLiteral("alpha"));
    else if (operation == QLatin1String("printerSetEnabled"))
        answer = api.printerSetEnabled(QStringLiteral("alpha"), false);
    else if (operation == QLatin1String("printerSetAcceptJobs"))
        answer = api.printerSetAcceptJobs(QStringLiteral("alpha"), false, QStringLiteral("Toner low"));
    else if (operation == QLatin1String("printerSetJobSheets"))
        answer = api.printerSetJobSheets(QStringLiteral("alpha"), QStringLiteral("standard"), QStringLiteral("none"));
    else if (operation == QLatin1String("printerDelete"))
        answer = api.printerDelete(QStringLiteral("beta"));
    else if (operation == QLatin1String("classDelete"))
        answer = api.classDelete(QStringLiteral("team"));
    else
        QFAIL("unknown operation");

    QCOMPARE(answer, result);
    QCOMPARE(recordedCalls(), calls);
}

void TestPolKitActionProvider::getDevicesSendsNothing()
{
    PolKitActionProvider provider;
    QList<QMap<QString, QVariant>> devices{{{QStringLiteral("device-uri"), QStringLiteral("usb://kept")}}};
    QVERIFY(!provider.getDevices(devices));
    QCOMPARE(devices.size(), 1);
    QCOMPARE(devices.first().value(QStringLiteral("device-uri")).toString(), QStringLiteral("usb://kept"));
    QVERIFY(recordedCalls().isEmpty());
}

void TestPolKitActionProvider::localPpdFileChoosesItsAction()
{
    const QString ppd = m_dir.filePath(QStringLiteral("local.ppd"));
    QFile file(ppd);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("*PPD-Adobe: \"4.3\"\n");
    file.close();

    PolKitActionProvider provider;
    QVERIFY(provider.printerAdd(QStringLiteral("delta"), QStringLiteral("file:///dev/null"), ppd,
                                QStringLiteral("Laser"), QStringLiteral("Hall"), true));
    const Calls calls = recordedCalls();
    QCOMPARE(calls.size(), 4);
    QCOMPARE(calls.first().first(), QStringLiteral("PrinterAddWithPpdFile"));
    QCOMPARE(calls.first().at(1), QStringLiteral("delta"));
    QCOMPARE(calls.first().mid(4), QStringList({QStringLiteral("Laser"), QStringLiteral("Hall")}));
    QCOMPARE(calls.at(1), call({"PrinterSetShared", "delta", "true"}));
}

QTEST_GUILESS_MAIN(TestPolKitActionProvider)
#include "tst_polkitactionprovider.moc"
