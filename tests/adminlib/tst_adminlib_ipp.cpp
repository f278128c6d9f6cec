#include "CupsCodec.h"
#include "CupsHttp.h"
#include "CupsIpp.h"
#include "CupsPointers.h"
#include "CupsTestServer.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>

#include <cups/cups.h>

#include <functional>
#include <memory>

Q_DECLARE_METATYPE(std::function<void(ipp_t*)>)

namespace {

using Builder = std::function<void(ipp_t*)>;

std::unique_ptr<Cups::IPP> printerAttributes(Cups::HTTP* connection, const QString& resource, const char* requested)
{
    const std::unique_ptr<Cups::IPP> request(Cups::IPP::create(IPP_OP_GET_PRINTER_ATTRIBUTES));
    const QByteArray uri = Cups::codec->fromUnicode(QStringLiteral("ipp://localhost") + resource);
    ippAddString(request->ipp, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.constData());
    ippAddString(request->ipp, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr, requested);
    return std::unique_ptr<Cups::IPP>(request->doRequest(connection, QStringLiteral("/")));
}

int attributeCount(ipp_t* message)
{
    int count = 0;
    for (ipp_attribute_t* attribute = ippFirstAttribute(message); attribute; attribute = ippNextAttribute(message))
        ++count;
    return count;
}

} // namespace

class tst_adminlib_ipp : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void conversions_data();
    void conversions();
    void groupsSplitAtChangesAndSeparators();
    void typeName_data();
    void typeName();
    void createAddsOperationAttributes();

    void printerAttributes();
    void oneMapPerPrinter();
    void requestStaysUsable();
    void errorStatusIsStillAResponse();
    void nothingToSend();
    void deadServerGivesNoResponse();

private:
    CupsTestServer m_server;
    Cups::HTTP* m_http = nullptr;
};

void tst_adminlib_ipp::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    const QString reason = CupsTestServer::unavailableReason(CupsTestServer::Mode::Open);
    if (!reason.isEmpty())
        QSKIP(qPrintable(reason));
    QVERIFY2(m_server.start(), qPrintable(m_server.errorString()));
    m_server.pointClientAt();
    m_http = Cups::HTTP::getUniqueConnection();
    QVERIFY(m_http);
}

void tst_adminlib_ipp::conversions_data()
{
    QTest::addColumn<Builder>("build");
    QTest::addColumn<int>("tag");
    QTest::addColumn<QVariantList>("expected");

    const auto row = [](const char* name, ipp_tag_t tag, const QVariantList& expected, const Builder& build) {
        QTest::newRow(name) << build << int(tag) << expected;
    };
    const ipp_tag_t group = IPP_TAG_PRINTER;
    row("integer", IPP_TAG_INTEGER, {-7}, [=](ipp_t* m) { ippAddInteger(m, group, IPP_TAG_INTEGER, "a", -7); });
    row("enum", IPP_TAG_ENUM, {5}, [=](ipp_t* m) { ippAddInteger(m, group, IPP_TAG_ENUM, "a", 5); });
    row("boolean", IPP_TAG_BOOLEAN, {true, false}, [=](ipp_t* m) {
        const char values[] = {1, 0};
        ippAddBooleans(m, group, "a", 2, values);
    });
    row("range", IPP_TAG_RANGE, {QStringLiteral("1:9999")}, [=](ipp_t* m) { ippAddRange(m, group, "a", 1, 9999); });
    row("resolution per inch", IPP_TAG_RESOLUTION, {QStringLiteral("600x300dpi")},
        [=](ipp_t* m) { ippAddResolution(m, group, "a", IPP_RES_PER_INCH, 600, 300); });
    row("resolution per cm", IPP_TAG_RESOLUTION, {QStringLiteral("118x118dpcm")},
        [=](ipp_t* m) { ippAddResolution(m, group, "a", IPP_RES_PER_CM, 118, 118); });
    row("date", IPP_TAG_DATE, {QDateTime::fromSecsSinceEpoch(1700000000, Qt::UTC)},
        [=](ipp_t* m) { ippAddDate(m, group, "a", ippTimeToDate(1700000000)); });
    row("octet string", IPP_TAG_STRING, {QStringLiteral("abc")},
        [=](ipp_t* m) { ippAddOctetString(m, group, "a", "abc", 3); });
    row("text through the codec", IPP_TAG_TEXT, {QStringLiteral("Caf\u00e9")},
        [=](ipp_t* m) { ippAddString(m, group, IPP_TAG_TEXT, "a", nullptr, "Caf\xc3\xa9"); });
    row("name", IPP_TAG_NAME, {QStringLiteral("alpha")},
        [=](ipp_t* m) { ippAddString(m, group, IPP_TAG_NAME, "a", nullptr, "alpha"); });
    row("keywords", IPP_TAG_KEYWORD, {QStringLiteral("none"), QStringLiteral("paused")}, [=](ipp_t* m) {
        const char* values[] = {"none", "paused"};
        ippAddStrings(m, group, IPP_TAG_KEYWORD, "a", 2, nullptr, values);
    });
    row("uri", IPP_TAG_URI, {QStringLiteral("ipp://localhost/printers/alpha")},
        [=](ipp_t* m) { ippAddString(m, group, IPP_TAG_URI, "a", nullptr, "ipp://localhost/printers/alpha"); });
    row("mime type", IPP_TAG_MIMETYPE, {QStringLiteral("application/pdf")},
        [=](ipp_t* m) { ippAddString(m, group, IPP_TAG_MIMETYPE, "a", nullptr, "application/pdf"); });
    row("no value", IPP_TAG_NOVALUE, {}, [=](ipp_t* m) { ippAddOutOfBand(m, group, IPP_TAG_NOVALUE, "a"); });
    row("unknown", IPP_TAG_UNKNOWN, {}, [=](ipp_t* m) { ippAddOutOfBand(m, group, IPP_TAG_UNKNOWN, "a"); });

    const QVariantMap size{{QStringLiteral("x-dimension"), QVariantList{21000}},
                           {QStringLiteral("y-dimension"), QVariantList{29700}}};
    const QVariantMap media{{QStringLiteral("media-size"), QVariantList{size}},
                            {QStringLiteral("media-type"), QVariantList{QStringLiteral("stationery")}}};
    row("nested collection", IPP_TAG_BEGIN_COLLECTION, {media}, [=](ipp_t* m) {
        const Cups::IppPtr sizeCollection(ippNew());
        ippAddInteger(sizeCollection.get(), IPP_TAG_ZERO, IPP_TAG_INTEGER, "x-dimension", 21000);
        ippAddInteger(sizeCollection.get(), IPP_TAG_ZERO, IPP_TAG_INTEGER, "y-dimension", 29700);
        const Cups::IppPtr mediaCollection(ippNew());
        ippAddCollection(mediaCollection.get(), IPP_TAG_ZERO, "media-size", sizeCollection.get());
        ippAddString(mediaCollection.get(), IPP_TAG_ZERO, IPP_TAG_KEYWORD, "media-type", nullptr, "stationery");
        ippAddCollection(m, group, "a", mediaCollection.get());
    });
}

void tst_adminlib_ipp::conversions()
{
    QFETCH(Builder, build);
    QFETCH(int, tag);
    QFETCH(QVariantList, expected);

    Cups::IPP message(ippNew());
    build(message.ipp);
    const QList<QVariantMap> groups = message.attributes();
    QCOMPARE(groups.size(), 1);
    QVERIFY(groups.first().contains(QStringLiteral("a")));
    QCOMPARE(groups.first().value(QStringLiteral("a")).toList(), expected);
    QCOMPARE(int(message.valueTags().value(QStringLiteral("a"))), tag);
}

void tst_adminlib_ipp::groupsSplitAtChangesAndSeparators()
{
    Cups::IPP message(ippNew());
    ipp_t* m = message.ipp;
    ippAddString(m, IPP_TAG_OPERATION, IPP_TAG_CHARSET, "attributes-charset", nullptr, "utf-8");
    ippAddString(m, IPP_TAG_PRINTER, IPP_TAG_NAME, "printer-name", nullptr, "first");
    ippAddInteger(m, IPP_TAG_PRINTER, IPP_TAG_ENUM, "printer-state", 3);
    ippAddSeparator(m);
    ippAddString(m, IPP_TAG_PRINTER, IPP_TAG_KEYWORD, "printer-name", nullptr, "second");
    ippAddInteger(m, IPP_TAG_JOB, IPP_TAG_INTEGER, "job-id", 7);

    const QList<QVariantMap> groups = message.attributes();
    QCOMPARE(groups.size(), 3);
    QCOMPARE(groups.at(0).value(QStringLiteral("printer-name")).toList(), QVariantList{QStringLiteral("first")});
    QCOMPARE(groups.at(0).value(QStringLiteral("printer-state")).toList(), QVariantList{3});
    QCOMPARE(groups.at(1).keys(), QStringList{QStringLiteral("printer-name")});
    QCOMPARE(groups.at(2).value(QStringLiteral("job-id")).toList(), QVariantList{7});
    QCOMPARE(message.groupTags(), (QList<ipp_tag_t>{IPP_TAG_PRINTER, IPP_TAG_PRINTER, IPP_TAG_JOB}));
    QVERIFY(!message.valueTags().contains(QStringLiteral("attributes-charset")));
    QCOMPARE(message.valueTags().value(QStringLiteral("printer-name")), IPP_TAG_NAME);

    const Cups::IPP empty;
    QVERIFY(empty.attributes().isEmpty());
    QVERIFY(empty.groupTags().isEmpty());
    QVERIFY(empty.valueTags().isEmpty());
}

void tst_adminlib_ipp::typeName_data()
{
    QTest::addColumn<int>("bit");
    QTest::addColumn<bool>("named");
    for (int bit = 0; bit < 32; ++bit)
        QTest::addRow("bit %d", bit) << bit << (bit < 28);
}

void tst_adminlib_ipp::typeName()
{
    QFETCH(int, bit);
    QFETCH(bool, named);
    const QString name = Cups::IPP::typeName(Cups::IPP::PrinterType(1u << bit));
    QCOMPARE(!name.isEmpty(), named);
    for (int other = 0; named && other < bit; ++other)
        QVERIFY(Cups::IPP::typeName(Cups::IPP::PrinterType(1u << other)) != name);
}

void tst_adminlib_ipp::createAddsOperationAttributes()
{
    const std::unique_ptr<Cups::IPP> request(Cups::IPP::create(IPP_OP_PURGE_JOBS));
    QVERIFY(request && request->ipp);
    QCOMPARE(ippGetOperation(request->ipp), IPP_OP_PURGE_JOBS);
    QVERIFY(ippFindAttribute(request->ipp, "attributes-charset", IPP_TAG_CHARSET));
    QVERIFY(ippFindAttribute(request->ipp, "attributes-natural-language", IPP_TAG_LANGUAGE));
    ipp_attribute_t* user = ippFindAttribute(request->ipp, "requesting-user-name", IPP_TAG_NAME);
    QVERIFY(user);
    QCOMPARE(QString::fromUtf8(ippGetString(user, 0, nullptr)), QString::fromUtf8(cupsUser()));
}

void tst_adminlib_ipp::printerAttributes()
{
    const std::unique_ptr<Cups::IPP> response = ::printerAttributes(m_http, QStringLiteral("/printers/alpha"), "all");
    QVERIFY(response);
    QCOMPARE(response->statusCode(), IPP_STATUS_OK);
    const QList<QVariantMap> groups = response->attributes();
    QCOMPARE(groups.size(), 1);
    QCOMPARE(response->groupTags(), QList<ipp_tag_t>{IPP_TAG_PRINTER});
    const QVariantMap& printer = groups.first();

    const QVariant state = printer.value(QStringLiteral("printer-state")).toList().value(0);
    QCOMPARE(state.type(), QVariant::Int);
    QCOMPARE(state.toInt(), 3);
    const QVariant accepting = printer.value(QStringLiteral("printer-is-accepting-jobs")).toList().value(0);
    QCOMPARE(accepting.type(), QVariant::Bool);
    QCOMPARE(accepting.toString(), QStringLiteral("true"));
    const QVariant name = printer.value(QStringLiteral("printer-name")).toList().value(0);
    QCOMPARE(name.type(), QVariant::String);
    QCOMPARE(name.toString(), QStringLiteral("alpha"));
    const QString copies = printer.value(QStringLiteral("copies-supported")).toList().value(0).toString();
    QVERIFY2(QRegularExpression(QStringLiteral("^1:\\d+$")).match(copies).hasMatch(), qPrintable(copies));
    const QVariant changed = printer.value(QStringLiteral("printer-state-change-date-time")).toList().value(0);
    QCOMPARE(changed.type(), QVariant::DateTime);
    QVERIFY(changed.toDateTime().isValid());
    QVERIFY(printer.value(QStringLiteral("printer-uri-supported")).toList().size() >= 1);

    const QMap<QString, ipp_tag_t> tags = response->valueTags();
    QCOMPARE(tags.value(QStringLiteral("printer-state")), IPP_TAG_ENUM);
    QCOMPARE(tags.value(QStringLiteral("copies-supported")), IPP_TAG_RANGE);
    QCOMPARE(tags.value(QStringLiteral("printer-is-accepting-jobs")), IPP_TAG_BOOLEAN);
    QCOMPARE(tags.value(QStringLiteral("printer-name")), IPP_TAG_NAME);
}

void tst_adminlib_ipp::oneMapPerPrinter()
{
    const std::unique_ptr<Cups::IPP> request(Cups::IPP::create(IPP_OP_CUPS_GET_PRINTERS));
    ippAddString(request->ipp, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr, "printer-name");
    const std::unique_ptr<Cups::IPP> response(request->doRequest(m_http, QStringLiteral("/")));
    QVERIFY(response);
    QStringList names;
    for (const QVariantMap& printer : response->attributes())
        names.append(printer.value(QStringLiteral("printer-name")).toList().value(0).toString());
    names.sort();
    QCOMPARE(names, (QStringList{"alpha", "beta", "gamma", "team"}));
    QCOMPARE(response->groupTags(), QVector<ipp_tag_t>(4, IPP_TAG_PRINTER).toList());
}

void tst_adminlib_ipp::requestStaysUsable()
{
    const std::unique_ptr<Cups::IPP> request(Cups::IPP::create(IPP_OP_GET_PRINTER_ATTRIBUTES));
    ippAddString(request->ipp, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, "ipp://localhost/printers/beta");
    const int attributes = attributeCount(request->ipp);

    for (int round = 0; round < 2; ++round) {
        const std::unique_ptr<Cups::IPP> response(request->doRequest(m_http, QStringLiteral("/")));
        QVERIFY(response);
        QCOMPARE(response->attributes().value(0).value(QStringLiteral("printer-state")).toList(), QVariantList{5});
        QCOMPARE(attributeCount(request->ipp), attributes);
        QCOMPARE(ippGetOperation(request->ipp), IPP_OP_GET_PRINTER_ATTRIBUTES);
    }
}

void tst_adminlib_ipp::errorStatusIsStillAResponse()
{
    const std::unique_ptr<Cups::IPP> response = ::printerAttributes(m_http, QStringLiteral("/printers/nosuch"), "all");
    QVERIFY(response);
    QCOMPARE(response->statusCode(), IPP_STATUS_ERROR_NOT_FOUND);
    QCOMPARE(cupsLastError(), IPP_STATUS_ERROR_NOT_FOUND);
    QVERIFY(response->attributes().isEmpty());
}

void tst_adminlib_ipp::nothingToSend()
{
    const std::unique_ptr<Cups::IPP> request(Cups::IPP::create(IPP_OP_CUPS_GET_PRINTERS));
    QVERIFY(!request->doRequest(nullptr, QStringLiteral("/")));
    const Cups::IPP hollow;
    QVERIFY(!hollow.doRequest(m_http, QStringLiteral("/")));
    QCOMPARE(hollow.statusCode(), IPP_STATUS_ERROR_INTERNAL);
}

void tst_adminlib_ipp::deadServerGivesNoResponse()
{
    m_server.stop();
    const std::unique_ptr<Cups::IPP> request(Cups::IPP::create(IPP_OP_CUPS_GET_PRINTERS));
    const std::unique_ptr<Cups::IPP> response(request->doRequest(m_http, QStringLiteral("/")));
    QVERIFY(!response);
    QVERIFY(m_http->destinations().isEmpty());
    QCOMPARE(m_http->printerState(QStringLiteral("alpha")), 0);
}

QTEST_GUILESS_MAIN(tst_adminlib_ipp)
#include "tst_adminlib_ipp.moc"
