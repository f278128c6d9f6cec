#include "CupsHttp.h"
#include "CupsPointers.h"
#include "CupsTestServer.h"

#include <QElapsedTimer>
#include <QStandardPaths>
#include <QtTest>

#include <functional>

#include <cups/cups.h>

namespace {

const QString genericDriver = QStringLiteral("drv:///sample.drv/generic.ppd");

// An independent look at one attribute: a fresh libcups connection of the
// test's own and one Get-Printer-Attributes request.
QVariant rawAttribute(const CupsTestServer& server, const QString& resource, const char* name)
{
    const QByteArray host = server.host().toLatin1();
    const Cups::HttpPtr http(httpConnect2(host.constData(), server.port(), nullptr, AF_UNSPEC,
                                          HTTP_ENCRYPTION_IF_REQUESTED, 1, 5000, nullptr));
    if (!http)
        return QVariant();
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    const QByteArray path = resource.toUtf8();
    char uri[1024];
    httpAssembleURI(HTTP_URI_CODING_RESOURCE, uri, sizeof(uri), "ipp", nullptr, "localhost", server.port(),
                    path.constData());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr, name);
    const Cups::IppPtr response(cupsDoRequest(http.get(), request, "/"));
    ipp_attribute_t* attribute = response ? ippFindAttribute(response.get(), name, IPP_TAG_ZERO) : nullptr;
    if (!attribute)
        return QVariant();
    switch (ippGetValueTag(attribute)) {
    case IPP_TAG_BOOLEAN:
        return static_cast<bool>(ippGetBoolean(attribute, 0));
    case IPP_TAG_INTEGER:
    case IPP_TAG_ENUM:
        return ippGetInteger(attribute, 0);
    default:
        return QString::fromUtf8(ippGetString(attribute, 0, nullptr));
    }
}

} // namespace

class tst_adminlib_http : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void destinations_data();
    void destinations();
    void destinationsSendsOneRequest();
    void classMembers();
    void cupsDestinationsAddsMemberUris();
    void states_data();
    void states();

    void disableAndEnable();
    void enableKeepsARejectingQueueRejecting();
    void deletePrinter_data();
    void deletePrinter();
    void deleteClass();
    void addPrinter_data();
    void addPrinter();
    void addPrinterKeepsDeviceAndDriver();
    void addPrinterWithMissingFileSendsNothing();
    void badNamesAreRefusedWithoutARequest_data();
    void badNamesAreRefusedWithoutARequest();
    void addClass_data();
    void addClass();
    void addClassReplacesMembers();
    void emptyClassIsRefusedWithoutARequest();
    void setServerDefault();
    void missingQueue_data();
    void missingQueue();

    void drivers();
    void devices();

    void failedAuthenticationIsAFailure();

private:
    QString output(const QString& tool, const QStringList& arguments);
    bool exists(const QString& name);
    void addRawQueue(const QString& name);
    int settledLogSize();
    QStringList requestsSentBy(const std::function<void()>& action);

    CupsTestServer m_server;
    Cups::HTTP* m_http = nullptr;
    QString m_ppdDirectory;
};

void tst_adminlib_http::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    const QString reason = CupsTestServer::unavailableReason(CupsTestServer::Mode::Open);
    if (!reason.isEmpty())
        QSKIP(qPrintable(reason));
    CupsTestServer::Options options;
    options.logAllRequests = true;
    QVERIFY2(m_server.start(options), qPrintable(m_server.errorString()));
    m_server.pointClientAt();
    m_http = Cups::HTTP::getUniqueConnection();
    QVERIFY(m_http);
    QVERIFY(m_http->http);
    QCOMPARE(m_http->port(), m_server.port());
    m_ppdDirectory = m_server.compileSamplePpds();
}

void tst_adminlib_http::cleanupTestCase()
{
    m_server.stop();
}

QString tst_adminlib_http::output(const QString& tool, const QStringList& arguments)
{
    QString text;
    if (!m_server.runTool(tool, arguments, &text))
        return QStringLiteral("FAILED: ") + m_server.errorString();
    return text;
}

bool tst_adminlib_http::exists(const QString& name)
{
    return m_server.runTool(QStringLiteral("lpstat"), {QStringLiteral("-v"), name});
}

void tst_adminlib_http::addRawQueue(const QString& name)
{
    QVERIFY2(m_server.runTool(QStringLiteral("lpadmin"),
                              {QStringLiteral("-p"), name, QStringLiteral("-E"), QStringLiteral("-v"),
                               QStringLiteral("file:///dev/null")}),
             qPrintable(m_server.errorString()));
}

// The scheduler logs a request only once it is done with it, so a marker
// request on the same connection shows when everything before it is in.
int tst_adminlib_http::settledLogSize()
{
    const QString marker = QStringLiteral("Get-Printer-Attributes client-error-not-found");
    const int before = m_server.accessLog().size();
    m_http->printerState(QStringLiteral("marker"));
    int size = -1;
    const bool settled = QTest::qWaitFor(
        [&] {
            const QStringList lines = m_server.accessLog();
            size = lines.size();
            return size > before && lines.last().contains(marker);
        },
        5000);
    return settled ? size : -1;
}

QStringList tst_adminlib_http::requestsSentBy(const std::function<void()>& action)
{
    const int before = settledLogSize();
    action();
    const int after = settledLogSize();
    if (before < 0 || after < 0)
        return {QStringLiteral("the marker request never reached the access log")};
    return m_server.accessLog().mid(before, after - before - 1);
}

void tst_adminlib_http::destinations_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("isClass");
    QTest::addColumn<bool>("isDefault");
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("shared");
    QTest::addColumn<QString>("info");

    QTest::newRow("default printer") << "alpha" << false << true << 3 << true << "Alpha Laser";
    QTest::newRow("stopped printer") << "beta" << false << false << 5 << true << "Beta Inkjet";
    QTest::newRow("not shared printer") << "gamma" << false << false << 3 << false << "Gamma Plotter";
    // The scheduler describes a class without a description by its name.
    QTest::newRow("class") << "team" << true << false << 3 << true << "team";
}

void tst_adminlib_http::destinations()
{
    QFETCH(QString, name);
    QFETCH(bool, isClass);
    QFETCH(bool, isDefault);
    QFETCH(int, state);
    QFETCH(bool, shared);
    QFETCH(QString, info);

    const QList<QVariantMap> all = m_http->destinations();
    QCOMPARE(all.size(), 4);
    QVariantMap found;
    for (const QVariantMap& destination : all) {
        if (destination.value(QStringLiteral("printer-name")).toList().value(0).toString() == name)
            found = destination;
    }
    QVERIFY2(!found.isEmpty(), qPrintable(name));

    const uint type = found.value(QStringLiteral("printer-type")).toList().value(0).toUInt();
    QCOMPARE(bool(type & CUPS_PRINTER_CLASS), isClass);
    QCOMPARE(bool(type & CUPS_PRINTER_DEFAULT), isDefault);
    QCOMPARE(found.value(QStringLiteral("printer-state")).toList().value(0), QVariant(state));
    const QVariant sharedValue = found.value(QStringLiteral("printer-is-shared")).toList().value(0);
    QCOMPARE(sharedValue.type(), QVariant::Bool);
    QCOMPARE(sharedValue.toBool(), shared);
    QCOMPARE(sharedValue.toString(), QString::fromLatin1(shared ? "true" : "false"));
    QCOMPARE(found.value(QStringLiteral("printer-info")).toList().value(0).toString(), info);
    QVERIFY(found.value(QStringLiteral("printer-uri-supported"))
                .toList()
                .value(0)
                .toString()
                .endsWith((isClass ? QStringLiteral("/classes/") : QStringLiteral("/printers/")) + name));
    QCOMPARE(found.value(QStringLiteral("printer-is-accepting-jobs")).toList().value(0), QVariant(true));
    if (!isClass) {
        QCOMPARE(found.value(QStringLiteral("device-uri")).toList().value(0).toString(),
                 QStringLiteral("file:///dev/null"));
    }
    if (name == CupsTestServer::stoppedPrinter) {
        QVERIFY(found.value(QStringLiteral("printer-state-message"))
                    .toList()
                    .value(0)
                    .toString()
                    .contains(QLatin1String("Out of paper")));
        QVERIFY(found.value(QStringLiteral("printer-state-reasons")).toList().contains(QStringLiteral("paused")));
    }
}

void tst_adminlib_http::destinationsSendsOneRequest()
{
    const QStringList sent = requestsSentBy([this] { QCOMPARE(m_http->destinations().size(), 4); });
    QCOMPARE(sent.size(), 1);
    QVERIFY2(sent.first().contains(QLatin1String("CUPS-Get-Printers")), qPrintable(sent.first()));
}

void tst_adminlib_http::classMembers()
{
    for (const QVariantMap& destination : m_http->destinations()) {
        if (destination.value(QStringLiteral("printer-name")).toList().value(0) != QVariant(CupsTestServer::className))
            continue;
        const QVariantList uris = destination.value(QStringLiteral("member-uris")).toList();
        QCOMPARE(uris.size(), 2);
        QVERIFY(uris.at(0).toString().endsWith(QLatin1String("/printers/alpha")));
        QVERIFY(uris.at(1).toString().endsWith(QLatin1String("/printers/gamma")));
        QCOMPARE(destination.value(QStringLiteral("member-names")).toList(),
                 QVariantList({QStringLiteral("alpha"), QStringLiteral("gamma")}));
        return;
    }
    QFAIL("the class is missing");
}

void tst_adminlib_http::cupsDestinationsAddsMemberUris()
{
    const QList<QMap<QString, QString>> team = m_http->cupsDestinations(CupsTestServer::className);
    QVERIFY(!team.isEmpty());
    const QStringList uris = team.first().value(QStringLiteral("member-uris")).split(QLatin1Char(','));
    QCOMPARE(uris.size(), 2);
    QVERIFY(uris.at(0).endsWith(QLatin1String("/printers/alpha")));
    QVERIFY(uris.at(1).endsWith(QLatin1String("/printers/gamma")));

    const QList<QMap<QString, QString>> alpha = m_http->cupsDestinations(CupsTestServer::defaultPrinter);
    QCOMPARE(alpha.size(), 1);
    QCOMPARE(alpha.first().value(QStringLiteral("printer-info")), QStringLiteral("Alpha Laser"));
    QVERIFY(!alpha.first().contains(QStringLiteral("member-uris")));

    QVERIFY(m_http->cupsDestinations(QStringLiteral("nosuch")).isEmpty());
}

void tst_adminlib_http::states_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("isClass");
    QTest::addColumn<int>("state");

    QTest::newRow("idle printer") << "alpha" << false << 3;
    QTest::newRow("stopped printer") << "beta" << false << 5;
    QTest::newRow("class") << "team" << true << 3;
    QTest::newRow("missing printer") << "nosuch" << false << 0;
    QTest::newRow("missing class") << "nosuch" << true << 0;
}

void tst_adminlib_http::states()
{
    QFETCH(QString, name);
    QFETCH(bool, isClass);
    QFETCH(int, state);
    QCOMPARE(isClass ? m_http->classState(name) : m_http->printerState(name), state);
}

void tst_adminlib_http::disableAndEnable()
{
    const QString name = QStringLiteral("pausable");
    addRawQueue(name);
    QVERIFY(m_http->disablePrinter(QStringLiteral("/printers/") + name));
    QVERIFY2(output(QStringLiteral("lpstat"), {QStringLiteral("-p"), name}).contains(QLatin1String("disabled")),
             qPrintable(output(QStringLiteral("lpstat"), {QStringLiteral("-p"), name})));
    QCOMPARE(m_http->printerState(name), 5);
    // Pausing keeps the queue taking jobs.
    QVERIFY(
        output(QStringLiteral("lpstat"), {QStringLiteral("-a"), name}).contains(QLatin1String("accepting requests")));

    QVERIFY(m_http->enablePrinter(QStringLiteral("/printers/") + name));
    QVERIFY(output(QStringLiteral("lpstat"), {QStringLiteral("-p"), name}).contains(QLatin1String("is idle")));
    QCOMPARE(m_http->printerState(name), 3);

    // A class is paused through its "/printers/" path as well.
    QVERIFY(m_http->disablePrinter(QStringLiteral("/printers/team")));
    QCOMPARE(rawAttribute(m_server, QStringLiteral("/classes/team"), "printer-state"), QVariant(5));
    QVERIFY(m_http->enablePrinter(QStringLiteral("/printers/team")));
    QCOMPARE(rawAttribute(m_server, QStringLiteral("/classes/team"), "printer-state"), QVariant(3));
}

void tst_adminlib_http::enableKeepsARejectingQueueRejecting()
{
    const QString name = QStringLiteral("rejecting");
    addRawQueue(name);
    QVERIFY(m_server.runTool(QStringLiteral("cupsreject"), {name}));
    QVERIFY(m_server.runTool(QStringLiteral("cupsdisable"), {name}));
    QVERIFY(m_http->enablePrinter(QStringLiteral("/printers/") + name));
    QCOMPARE(rawAttribute(m_server, QStringLiteral("/printers/") + name, "printer-is-accepting-jobs"), QVariant(false));
    QCOMPARE(rawAttribute(m_server, QStringLiteral("/printers/") + name, "printer-state"), QVariant(3));
}

void tst_adminlib_http::deletePrinter_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("isClass");
    QTest::addColumn<QString>("resource");

    QTest::newRow("printer path") << "doomed1" << false << "/printers/doomed1";
    // The scheduler's port is not 631: only the path of a full URI counts.
    QTest::newRow("full URI") << "doomed2" << false << "ipp://localhost:631/printers/doomed2";
    QTest::newRow("full URI with the server's host") << "doomed3" << false << "ipp://127.0.0.1/printers/doomed3";
    QTest::newRow("class path") << "doomedclass" << true << "/classes/doomedclass";
}

void tst_adminlib_http::deletePrinter()
{
    QFETCH(QString, name);
    QFETCH(bool, isClass);
    QFETCH(QString, resource);

    if (isClass) {
        QVERIFY(m_server.runTool(QStringLiteral("lpadmin"),
                                 {QStringLiteral("-p"), CupsTestServer::plainPrinter, QStringLiteral("-c"), name}));
    } else {
        addRawQueue(name);
    }
    QVERIFY(exists(name));
    QVERIFY(m_http->deletePrinter(resource));
    QVERIFY(!exists(name));
    QVERIFY(exists(CupsTestServer::plainPrinter));
    QVERIFY(!m_http->deletePrinter(resource));
}

void tst_adminlib_http::deleteClass()
{
    QVERIFY(m_server.runTool(
        QStringLiteral("lpadmin"),
        {QStringLiteral("-p"), CupsTestServer::defaultPrinter, QStringLiteral("-c"), QStringLiteral("shortlived")}));
    QVERIFY(exists(QStringLiteral("shortlived")));
    QVERIFY(m_http->deleteClass(QStringLiteral("/classes/shortlived")));
    QVERIFY(!exists(QStringLiteral("shortlived")));
    QVERIFY(exists(CupsTestServer::defaultPrinter));
    QVERIFY(!m_http->deleteClass(QStringLiteral("/classes/shortlived")));
}

void tst_adminlib_http::addPrinter_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("ppd");
    QTest::addColumn<bool>("shared");
    QTest::addColumn<QString>("makeAndModel");
    QTest::addColumn<bool>("hasPpd");

    QTest::newRow("driver name") << "withdriver" << genericDriver << true << "Generic PostScript Printer" << true;
    QTest::newRow("local PPD file") << "withfile" << m_ppdDirectory + QStringLiteral("/generic.ppd") << false
                                    << "Generic PostScript Printer" << true;
    QTest::newRow("raw queue") << "rawqueue"
                               << "raw" << false << "Local Raw Printer" << false;
    QTest::newRow("raw and shared") << "rawshared"
                                    << "raw" << true << "Local Raw Printer" << false;
    QTest::newRow("non-ASCII name") << QStringLiteral("drucker-\u00fc") << "raw" << true << "Local Raw Printer"
                                    << false;
}

void tst_adminlib_http::addPrinter()
{
    QFETCH(QString, name);
    QFETCH(QString, ppd);
    QFETCH(bool, shared);
    QFETCH(QString, makeAndModel);
    QFETCH(bool, hasPpd);
    if (ppd.startsWith(QLatin1Char('/')) && m_ppdDirectory.isEmpty())
        QSKIP(qPrintable(m_server.errorString()));

    QVERIFY2(m_http->addPrinter(QStringLiteral("file:///dev/null"), name, ppd, QStringLiteral("Room 5"),
                                QStringLiteral("Test printer \u00e9"), shared),
             cupsLastErrorString());

    const QString resource = QStringLiteral("/printers/") + name;
    QCOMPARE(rawAttribute(m_server, resource, "printer-is-shared"), QVariant(shared));
    QCOMPARE(rawAttribute(m_server, resource, "printer-state"), QVariant(3));
    QCOMPARE(rawAttribute(m_server, resource, "printer-is-accepting-jobs"), QVariant(true));
    QCOMPARE(rawAttribute(m_server, resource, "printer-location"), QVariant(QStringLiteral("Room 5")));
    QCOMPARE(rawAttribute(m_server, resource, "printer-info"), QVariant(QStringLiteral("Test printer \u00e9")));
    QCOMPARE(rawAttribute(m_server, resource, "device-uri"), QVariant(QStringLiteral("file:///dev/null")));
    QCOMPARE(rawAttribute(m_server, resource, "printer-make-and-model"), QVariant(makeAndModel));
    QCOMPARE(QFile::exists(m_server.serverRoot() + QStringLiteral("/ppd/") + name + QStringLiteral(".ppd")), hasPpd);
    QVERIFY(
        output(QStringLiteral("lpstat"), {QStringLiteral("-v")}).contains(QStringLiteral("device for %1:").arg(name)));
}

void tst_adminlib_http::addPrinterKeepsDeviceAndDriver()
{
    const QString name = QStringLiteral("modified");
    const QString resource = QStringLiteral("/printers/") + name;
    QVERIFY2(m_http->addPrinter(QStringLiteral("file:///dev/null"), name, genericDriver, QString(), QString(), true),
             cupsLastErrorString());
    QVERIFY(m_http->disablePrinter(resource));

    // The throw-away queue of the default toggle is made this way: no device, no driver.
    QVERIFY2(m_http->addPrinter(QString(), name, QString(), QStringLiteral("Moved"), QStringLiteral("Renamed"), false),
             cupsLastErrorString());
    QCOMPARE(rawAttribute(m_server, resource, "device-uri"), QVariant(QStringLiteral("file:///dev/null")));
    QCOMPARE(rawAttribute(m_server, resource, "printer-make-and-model"),
             QVariant(QStringLiteral("Generic PostScript Printer")));
    QCOMPARE(rawAttribute(m_server, resource, "printer-location"), QVariant(QStringLiteral("Moved")));
    QCOMPARE(rawAttribute(m_server, resource, "printer-info"), QVariant(QStringLiteral("Renamed")));
    QCOMPARE(rawAttribute(m_server, resource, "printer-is-shared"), QVariant(false));
    QCOMPARE(rawAttribute(m_server, resource, "printer-state"), QVariant(3));

    QVERIFY(m_http->addPrinter(QString(), QStringLiteral("brandnew"), QString(), QString(), QString(), false));
    QVERIFY(exists(QStringLiteral("brandnew")));
    QVERIFY(m_http->deletePrinter(QStringLiteral("/printers/brandnew")));
}

void tst_adminlib_http::addPrinterWithMissingFileSendsNothing()
{
    const QStringList sent = requestsSentBy([this] {
        QVERIFY(!m_http->addPrinter(QStringLiteral("file:///dev/null"), QStringLiteral("nofile"),
                                    m_server.directory() + QStringLiteral("/missing.ppd"), QString(), QString(), true));
    });
    QVERIFY2(sent.isEmpty(), qPrintable(sent.join(QLatin1Char('\n'))));
    QVERIFY(!exists(QStringLiteral("nofile")));
}

void tst_adminlib_http::badNamesAreRefusedWithoutARequest_data()
{
    QTest::addColumn<QString>("name");

    QTest::newRow("empty") << "";
    QTest::newRow("blank") << "two words";
    QTest::newRow("slash") << "a/b";
    QTest::newRow("hash") << "a#b";
    QTest::newRow("backslash") << "a\\b";
    QTest::newRow("quote") << "it's";
    QTest::newRow("double quote") << "a\"b";
    QTest::newRow("comma") << "a,b";
    QTest::newRow("question mark") << "a?b";
    QTest::newRow("tab") << "a\tb";
    QTest::newRow("control character") << QStringLiteral("a\u0001b");
    QTest::newRow("delete character") << QStringLiteral("a\u007fb");
    QTest::newRow("128 bytes") << QString(128, QLatin1Char('x'));
    QTest::newRow("64 two-byte characters") << QString(64, QChar(0x00fc));
}

void tst_adminlib_http::badNamesAreRefusedWithoutARequest()
{
    QFETCH(QString, name);
    QVERIFY(!Cups::HTTP::isValidQueueName(name));
    const QStringList sent = requestsSentBy([&] {
        QVERIFY(!m_http->addPrinter(QStringLiteral("file:///dev/null"), name, QStringLiteral("raw"), QString(),
                                    QString(), true));
        QVERIFY(!m_http->addClass(name, {CupsTestServer::defaultPrinter}, QString(), QString(), true));
    });
    QVERIFY2(sent.isEmpty(), qPrintable(sent.join(QLatin1Char('\n'))));
}

void tst_adminlib_http::addClass_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("members");
    QTest::addColumn<bool>("shared");

    QTest::newRow("names") << "bynames" << QStringList{"alpha", "beta"} << true;
    QTest::newRow("URIs") << "byuris"
                          << QStringList{"ipp://localhost:631/printers/beta", "ipp://127.0.0.1/printers/gamma"}
                          << false;
    QTest::newRow("paths and names") << "mixed" << QStringList{"/printers/gamma", "alpha"} << true;
}

void tst_adminlib_http::addClass()
{
    QFETCH(QString, name);
    QFETCH(QStringList, members);
    QFETCH(bool, shared);

    QVERIFY2(m_http->addClass(name, members, QStringLiteral("Hall"), QStringLiteral("Pool"), shared),
             cupsLastErrorString());
    const QString listing = output(QStringLiteral("lpstat"), {QStringLiteral("-c"), name});
    for (const QString& member : members)
        QVERIFY2(listing.contains(member.section(QLatin1Char('/'), -1)), qPrintable(listing));
    QCOMPARE(listing.count(QLatin1Char('\n')), members.size() + 1);

    const QString resource = QStringLiteral("/classes/") + name;
    QCOMPARE(rawAttribute(m_server, resource, "printer-is-shared"), QVariant(shared));
    QCOMPARE(rawAttribute(m_server, resource, "printer-state"), QVariant(3));
    QCOMPARE(rawAttribute(m_server, resource, "printer-is-accepting-jobs"), QVariant(true));
    QCOMPARE(rawAttribute(m_server, resource, "printer-location"), QVariant(QStringLiteral("Hall")));
    QCOMPARE(rawAttribute(m_server, resource, "printer-info"), QVariant(QStringLiteral("Pool")));
}

void tst_adminlib_http::addClassReplacesMembers()
{
    const QString name = QStringLiteral("changing");
    QVERIFY(m_http->addClass(name, {QStringLiteral("alpha"), QStringLiteral("beta")}, QString(), QString(), true));
    QVERIFY(m_http->addClass(name, {QStringLiteral("gamma")}, QString(), QString(), true));
    const QString listing = output(QStringLiteral("lpstat"), {QStringLiteral("-c"), name});
    QVERIFY2(listing.contains(QLatin1String("gamma")), qPrintable(listing));
    QVERIFY2(!listing.contains(QLatin1String("alpha")) && !listing.contains(QLatin1String("beta")),
             qPrintable(listing));

    QVERIFY(!m_http->addClass(name, {QStringLiteral("nosuch")}, QString(), QString(), true));
}

void tst_adminlib_http::emptyClassIsRefusedWithoutARequest()
{
    const QStringList sent = requestsSentBy([this] {
        QVERIFY(!m_http->addClass(QStringLiteral("hollow"), {}, QString(), QString(), true));
        QVERIFY(!m_http->addClass(QStringLiteral("hollow"), {QStringLiteral("ipp://localhost/printers/")}, QString(),
                                  QString(), true));
    });
    QVERIFY2(sent.isEmpty(), qPrintable(sent.join(QLatin1Char('\n'))));
}

void tst_adminlib_http::setServerDefault()
{
    QVERIFY(m_http->printerSetServerDefault(QStringLiteral("/printers/gamma")));
    QVERIFY(output(QStringLiteral("lpstat"), {QStringLiteral("-d")}).contains(QLatin1String("destination: gamma")));
    QVERIFY(m_http->printerSetServerDefault(QStringLiteral("/printers/team")));
    QVERIFY(output(QStringLiteral("lpstat"), {QStringLiteral("-d")}).contains(QLatin1String("destination: team")));
    QVERIFY(m_http->printerSetServerDefault(QStringLiteral("/printers/alpha")));
    QVERIFY(output(QStringLiteral("lpstat"), {QStringLiteral("-d")}).contains(QLatin1String("destination: alpha")));
}

void tst_adminlib_http::missingQueue_data()
{
    QTest::addColumn<int>("operation");

    QTest::newRow("enable") << 0;
    QTest::newRow("disable") << 1;
    QTest::newRow("delete printer") << 2;
    QTest::newRow("delete class") << 3;
    QTest::newRow("set default") << 4;
    QTest::newRow("class with a missing member") << 5;
}

void tst_adminlib_http::missingQueue()
{
    QFETCH(int, operation);
    const QString resource = QStringLiteral("/printers/nosuch");
    bool result = true;
    switch (operation) {
    case 0:
        result = m_http->enablePrinter(resource);
        break;
    case 1:
        result = m_http->disablePrinter(resource);
        break;
    case 2:
        result = m_http->deletePrinter(resource);
        break;
    case 3:
        result = m_http->deleteClass(QStringLiteral("/classes/nosuch"));
        break;
    case 4:
        result = m_http->printerSetServerDefault(resource);
        break;
    case 5:
        result = m_http->addClass(QStringLiteral("orphans"), {QStringLiteral("nosuch")}, QString(), QString(), true);
        break;
    }
    QVERIFY(!result);
    QCOMPARE(cupsLastError(), IPP_STATUS_ERROR_NOT_FOUND);
}

void tst_adminlib_http::drivers()
{
    const QList<QVariantMap> drivers = m_http->PPDs();
    QVERIFY(!drivers.isEmpty());
    bool generic = false;
    for (const QVariantMap& driver : drivers) {
        for (const char* key : {"ppd-make", "ppd-make-and-model", "ppd-name"}) {
            const QVariant value = driver.value(QString::fromLatin1(key));
            QVERIFY2(!value.toString().isEmpty(), key);
            QCOMPARE(value.toList().value(0).toString(), value.toString());
        }
        generic = generic || driver.value(QStringLiteral("ppd-name")).toString() == genericDriver;
    }
    QVERIFY(generic);
}

void tst_adminlib_http::devices()
{
    QElapsedTimer timer;
    timer.start();
    const QList<QVariantMap> devices = m_http->devices();
    QVERIFY2(timer.elapsed() < (Cups::HTTP::deviceTimeoutSeconds + 10) * 1000,
             qPrintable(QString::number(timer.elapsed())));
    QVERIFY(!devices.isEmpty());
    bool socketPlaceholder = false;
    for (const QVariantMap& device : devices) {
        for (const char* key : {"device-class", "device-info", "device-make-and-model", "device-uri"})
            QVERIFY2(device.contains(QString::fromLatin1(key)), key);
        socketPlaceholder = socketPlaceholder
            || (device.value(QStringLiteral("device-uri")).toString() == QLatin1String("socket")
                && device.value(QStringLiteral("device-class")).toString() == QLatin1String("network"));
    }
    QVERIFY(socketPlaceholder);
}

void tst_adminlib_http::failedAuthenticationIsAFailure()
{
    const QString reason = CupsTestServer::unavailableReason(CupsTestServer::Mode::Authenticated);
    if (!reason.isEmpty())
        QSKIP(qPrintable(reason));
    CupsTestServer guarded;
    CupsTestServer::Options options;
    options.mode = CupsTestServer::Mode::Authenticated;
    QVERIFY2(guarded.start(options), qPrintable(guarded.errorString()));
    guarded.pointClientAt();
    QVERIFY(m_http->reconnect());

    int prompts = 0;
    cupsSetPasswordCB2(
        [](const char*, http_t*, const char*, const char*, void* data) -> const char* {
            ++*static_cast<int*>(data);
            return nullptr;
        },
        &prompts);
    const bool deleted = m_http->deletePrinter(QStringLiteral("/printers/alpha"));
    const bool added = m_http->addPrinter(QStringLiteral("file:///dev/null"), QStringLiteral("sneaky"),
                                          QStringLiteral("raw"), QString(), QString(), true);
    const ipp_status_t error = cupsLastError();
    cupsSetPasswordCB2(nullptr, nullptr);

    m_server.pointClientAt();
    QVERIFY(m_http->reconnect());

    QVERIFY(!deleted);
    QVERIFY(!added);
    QVERIFY(prompts >= 2);
    QVERIFY2(error == IPP_STATUS_ERROR_NOT_AUTHORIZED || error == IPP_STATUS_ERROR_CUPS_AUTHENTICATION_CANCELED,
             ippErrorString(error));
    QVERIFY(guarded.runTool(QStringLiteral("lpstat"), {QStringLiteral("-v"), QStringLiteral("alpha")}));
    QVERIFY(!guarded.runTool(QStringLiteral("lpstat"), {QStringLiteral("-v"), QStringLiteral("sneaky")}));
}

QTEST_GUILESS_MAIN(tst_adminlib_http)
#include "tst_adminlib_http.moc"
