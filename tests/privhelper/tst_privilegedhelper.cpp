#include "PrivilegedHelper.h"

#include <QTemporaryFile>
#include <QtTest>

using Action = PrivilegedHelper::Action;
Q_DECLARE_METATYPE(PrivilegedHelper::Action)

namespace {

const QByteArray minimalPpd = "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*FileVersion: \"1.0\"\n"
                              "*LanguageVersion: English\n*LanguageEncoding: ISOLatin1\n*PCFileName: \"TEST.PPD\"\n"
                              "*Manufacturer: \"Test\"\n*Product: \"(Test)\"\n*ModelName: \"Test\"\n"
                              "*NickName: \"Test\"\n*ShortNickName: \"Test\"\n";

QByteArrayList words(std::initializer_list<const char*> list)
{
    QByteArrayList result;
    for (const char* word : list)
        result.append(QByteArray(word));
    return result;
}

} // namespace

class TestPrivilegedHelper : public QObject
{
    Q_OBJECT

private slots:
    void validators_data();
    void validators();
    void parse_data();
    void parse();
    void executeNeedsParse();
};

void TestPrivilegedHelper::validators_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("word");
    QTest::addColumn<bool>("valid");

    QTest::newRow("name plain") << "name" << QByteArray("alpha") << true;
    QTest::newRow("name 127 bytes") << "name" << QByteArray(127, 'n') << true;
    QTest::newRow("name utf-8") << "name" << QString("Принтер").toUtf8() << true;
    QTest::newRow("name empty") << "name" << QByteArray() << false;
    QTest::newRow("name 128 bytes") << "name" << QByteArray(128, 'n') << false;
    QTest::newRow("name 128 bytes of utf-8") << "name" << QString(64, QChar(0x0436)).toUtf8() << false;
    const QList<QPair<const char*, QByteArray>> badNames = {
        {"name blank", "a b"},        {"name slash", "a/b"},     {"name hash", "a#b"},
        {"name backslash", "a\\b"},   {"name quote", "a'b"},     {"name double quote", "a\"b"},
        {"name comma", "a,b"},        {"name question", "a?b"},  {"name tab", "a\tb"},
        {"name delete", "a\x7f"},     {"name c1 control", "a\xc2\x85"},
    };
    for (const auto& bad : badNames)
        QTest::newRow(bad.first) << "name" << bad.second << false;
    QTest::newRow("name invalid utf-8") << "name" << QByteArray("a\xff") << false;
    QTest::newRow("name overlong utf-8") << "name" << QByteArray("a\xc0\xaf") << false;

    QTest::newRow("uri file") << "uri" << QByteArray("file:///dev/null") << true;
    QTest::newRow("uri socket") << "uri" << QByteArray("socket://10.0.0.7:9100") << true;
    QTest::newRow("uri backend scheme") << "uri" << QByteArray("hp:/net/Laser?ip=10.0.0.7") << true;
    QTest::newRow("uri usb query") << "uri" << QByteArray("usb://Maker/Model?serial=42") << true;
    QTest::newRow("uri empty") << "uri" << QByteArray() << false;
    QTest::newRow("uri no scheme") << "uri" << QByteArray("/dev/null") << false;
    QTest::newRow("uri newline") << "uri" << QByteArray("ipp://host/printers/a\n") << false;
    QTest::newRow("uri bad port") << "uri" << QByteArray("ipp://host:port/") << false;
    QTest::newRow("uri too long") << "uri" << QByteArray("file:///") + QByteArray(1100, 'x') << false;

    QTest::newRow("driver drv") << "driver" << QByteArray("drv:///sample.drv/generic.ppd") << true;
    QTest::newRow("driver raw") << "driver" << QByteArray("raw") << true;
    QTest::newRow("driver relative") << "driver" << QByteArray("lsb/usr/maker/model.ppd") << true;
    QTest::newRow("driver absolute") << "driver" << QByteArray("/etc/shadow") << false;
    QTest::newRow("driver dot-dot") << "driver" << QByteArray("lsb/../../etc/shadow") << false;
    QTest::newRow("driver newline") << "driver" << QByteArray("raw\n") << false;
    QTest::newRow("driver empty") << "driver" << QByteArray() << false;

    QTest::newRow("banner standard") << "banner" << QByteArray("standard") << true;
    QTest::newRow("banner none") << "banner" << QByteArray("none") << true;
    QTest::newRow("banner path") << "banner" << QByteArray("../standard") << false;
    QTest::newRow("banner hidden") << "banner" << QByteArray(".hidden") << false;
    QTest::newRow("banner blank") << "banner" << QByteArray("top secret") << false;

    QTest::newRow("text empty") << "text" << QByteArray() << true;
    QTest::newRow("text 1023 bytes") << "text" << QByteArray(1023, 't') << true;
    QTest::newRow("text 1024 bytes") << "text" << QByteArray(1024, 't') << false;
    QTest::newRow("text newline") << "text" << QByteArray("first\nsecond") << false;
    QTest::newRow("text escape") << "text" << QByteArray("\x1b[31mred") << false;
}

void TestPrivilegedHelper::validators()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, word);
    QFETCH(bool, valid);

    const QMap<QString, bool (*)(const QByteArray&)> checks = {
        {"name", &PrivilegedHelper::isValidQueueName},     {"uri", &PrivilegedHelper::isValidDeviceUri},
        {"driver", &PrivilegedHelper::isValidDriverName},  {"banner", &PrivilegedHelper::isValidBannerName},
        {"text", &PrivilegedHelper::isValidText},
    };
    QCOMPARE(checks.value(kind)(word), valid);
}

void TestPrivilegedHelper::parse_data()
{
    QTest::addColumn<QByteArrayList>("line");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<Action>("action");
    // Bytes after the encoded arguments and data.
    QTest::addColumn<QByteArray>("trailing");

    const QByteArray conf = "/admin/conf/cupsd.conf";
    QTest::newRow("add") << words({"PrinterAdd", "delta", "file:///dev/null", "raw", " ", " "}) << QByteArray()
                         << Action::PrinterAdd << QByteArray();
    QTest::newRow("add with ppd") << words({"PrinterAddWithPpdFile", "delta", "file:///dev/null", "/home/u/a.ppd", "", ""})
                                  << minimalPpd << Action::PrinterAddWithPpdFile << QByteArray();
    QTest::newRow("add with ppd on stdin") << words({"PrinterAddWithPpdFile", "delta", "file:///dev/null", "-", "", ""})
                                           << minimalPpd << Action::PrinterAddWithPpdFile << QByteArray();
    QTest::newRow("job sheets") << words({"PrinterSetJobSheets", "alpha", "standard", "none"}) << QByteArray()
                                << Action::PrinterSetJobSheets << QByteArray();
    QTest::newRow("delete") << words({"PrinterDelete", "alpha"}) << QByteArray() << Action::PrinterDelete << QByteArray();
    QTest::newRow("class add") << words({"ClassAddPrinter", "team", "beta"}) << QByteArray() << Action::ClassAddPrinter << QByteArray();
    QTest::newRow("class delete") << words({"ClassDelete", "team"}) << QByteArray() << Action::ClassDelete << QByteArray();
    QTest::newRow("default") << words({"PrinterSetDefault", "team"}) << QByteArray() << Action::PrinterSetDefault << QByteArray();
    QTest::newRow("enable") << words({"PrinterSetEnabled", "alpha", "true"}) << QByteArray() << Action::PrinterSetEnabled << QByteArray();
    QTest::newRow("reject") << words({"PrinterSetAcceptJobs", "alpha", "false", ""}) << QByteArray()
                            << Action::PrinterSetAcceptJobs << QByteArray();
    QTest::newRow("share") << words({"PrinterSetShared", "alpha", "false"}) << QByteArray() << Action::PrinterSetShared << QByteArray();
    QTest::newRow("location") << words({"PrinterSetLocation", "alpha", ""}) << QByteArray()
                              << Action::PrinterSetLocation << QByteArray();
    QTest::newRow("info") << words({"PrinterSetInfo", "alpha", "Laser"}) << QByteArray() << Action::PrinterSetInfo << QByteArray();
    QTest::newRow("get") << words({"FileGet", conf, "/tmp/anything"}) << QByteArray() << Action::FileGet << QByteArray();
    QTest::newRow("put") << words({"FilePut", conf, "-"}) << QByteArray("Listen localhost:631\n") << Action::FilePut << QByteArray();
    QTest::newRow("put of the limit") << words({"FilePut", conf, "-"})
                                      << QByteArray(PrivilegedHelper::maxConfigurationSize, '#') << Action::FilePut << QByteArray();

    QTest::newRow("nothing") << QByteArrayList() << QByteArray() << Action::None << QByteArray();
    QTest::newRow("unknown action") << words({"PrinterExplode", "alpha"}) << QByteArray() << Action::None << QByteArray();
    QTest::newRow("action in other case") << words({"printerdelete", "alpha"}) << QByteArray() << Action::None << QByteArray();
    QTest::newRow("too few") << words({"PrinterSetAcceptJobs", "alpha", "false"}) << QByteArray() << Action::None << QByteArray();
    QTest::newRow("too many") << words({"ClassDelete", "team", "alpha"}) << QByteArray() << Action::None << QByteArray();
    QTest::newRow("boolean yes") << words({"PrinterSetShared", "alpha", "yes"}) << QByteArray() << Action::None << QByteArray();
    QTest::newRow("boolean True") << words({"PrinterSetEnabled", "alpha", "True"}) << QByteArray() << Action::None << QByteArray();
    QTest::newRow("bad second name") << words({"ClassAddPrinter", "team", "be/ta"}) << QByteArray() << Action::None << QByteArray();
    QTest::newRow("other resource") << words({"FileGet", "/etc/shadow", "-"}) << QByteArray() << Action::None << QByteArray();
    QTest::newRow("relative ppd path") << words({"PrinterAddWithPpdFile", "d", "file:///dev/null", "a.ppd", "", ""})
                                       << minimalPpd << Action::None << QByteArray();
    QTest::newRow("no ppd on stdin") << words({"PrinterAddWithPpdFile", "d", "file:///dev/null", "-", "", ""})
                                     << QByteArray() << Action::None << QByteArray();
    QTest::newRow("broken ppd") << words({"PrinterAddWithPpdFile", "d", "file:///dev/null", "-", "", ""})
                                << QByteArray("*PPD-Adobe: \"4.3\"\nPageSize A4\n")
                                << Action::None << QByteArray();
    QTest::newRow("oversized ppd") << words({"PrinterAddWithPpdFile", "d", "file:///dev/null", "-", "", ""})
                                   << minimalPpd + QByteArray(PrivilegedHelper::maxPpdSize, '%') << Action::None << QByteArray();
    QTest::newRow("oversized configuration") << words({"FilePut", conf, "-"})
                                             << QByteArray(PrivilegedHelper::maxConfigurationSize + 1, '#')
                                             << Action::None << QByteArray();
    QTest::newRow("extra argument") << words({"PrinterDelete", "alpha"}) << QByteArray() << Action::None
                                    << QByteArray("beta", 5);
    QTest::newRow("data where none belongs") << words({"PrinterDelete", "alpha"}) << QByteArray() << Action::None
                                             << QByteArray("x");
    QTest::newRow("unterminated argument") << words({"PrinterDelete"}) << QByteArray() << Action::None
                                           << QByteArray("alpha");
    QTest::newRow("overlong argument") << words({"PrinterAddWithPpdFile", "d", "file:///dev/null",
                                                 "/" + QByteArray(PrivilegedHelper::maxPathLength, 'p'), "", ""})
                                       << minimalPpd << Action::None << QByteArray();
    QTest::newRow("binary configuration") << words({"FilePut", conf, "-"}) << QByteArray("Listen\0x", 8) << Action::None << QByteArray();
}

void TestPrivilegedHelper::parse()
{
    QFETCH(QByteArrayList, line);
    QFETCH(QByteArray, input);
    QFETCH(Action, action);
    QFETCH(QByteArray, trailing);

    QTemporaryFile stdinFile;
    QVERIFY(stdinFile.open());
    const QByteArray bytes = PrivilegedHelper::encodeInput(line.mid(1), input) + trailing;
    QCOMPARE(stdinFile.write(bytes), qint64(bytes.size()));
    QVERIFY(stdinFile.flush() && stdinFile.seek(0));

    PrivilegedHelper helper(stdinFile.handle(), -1);
    QCOMPARE(helper.parse(line.value(0)), action != Action::None);
    QCOMPARE(helper.action(), action);
    QCOMPARE(helper.errorString().isEmpty(), action != Action::None);
}

void TestPrivilegedHelper::executeNeedsParse()
{
    PrivilegedHelper helper(-1, -1);
    QVERIFY(!helper.parse("PrinterDelete"));
    QVERIFY(!helper.execute());
    QVERIFY(!helper.errorString().isEmpty());
}

QTEST_GUILESS_MAIN(TestPrivilegedHelper)
#include "tst_privilegedhelper.moc"
