#include "CupsHttp.h"
#include "CupsTestServer.h"
#include "IppActionProvider.h"
#include "ModalDriver.h"

#include <QFile>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <cups/cups.h>

namespace {

// Answers every HTTP request with one fixed status, from a thread of its own
// so that it can answer while the test's thread waits inside libcups. It
// stands in for a scheduler only to produce statuses a real one never sends
// for the configuration file.
class StatusServer : public QThread
{
public:
    explicit StatusServer(int status)
        : m_status(status)
    {
    }

    ~StatusServer() override
    {
        quit();
        wait();
    }

    quint16 listen()
    {
        start();
        m_ready.acquire();
        return m_port;
    }

protected:
    void run() override
    {
        QTcpServer server;
        server.listen(QHostAddress::LocalHost);
        m_port = server.serverPort();
        QObject::connect(&server, &QTcpServer::newConnection, &server, [this, &server] {
            while (QTcpSocket* socket = server.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    m_request += socket->readAll();
                    if (!m_request.contains("\r\n\r\n") || m_answered)
                        return;
                    m_answered = true;
                    socket->write(QByteArray("HTTP/1.1 ") + QByteArray::number(m_status)
                                  + " Status\r\nContent-Length: 0\r\nContent-Type: text/plain\r\n\r\n");
                    socket->flush();
                });
                QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
        m_ready.release();
        exec();
    }

private:
    int m_status;
    quint16 m_port = 0;
    QByteArray m_request;
    bool m_answered = false;
    QSemaphore m_ready;
};

// What the scheduler says about one attribute of a queue, asked directly.
QVariant attribute(const QString& queue, const char* name)
{
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    const QByteArray uri = QStringLiteral("ipp://localhost/printers/%1").arg(queue).toUtf8();
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.constData());
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    QVariant value;
    if (ipp_attribute_t* found = response ? ippFindAttribute(response, name, IPP_TAG_ZERO) : nullptr) {
        switch (ippGetValueTag(found)) {
        case IPP_TAG_INTEGER:
        case IPP_TAG_ENUM:
            value = ippGetInteger(found, 0);
            break;
        case IPP_TAG_BOOLEAN:
            value = bool(ippGetBoolean(found, 0));
            break;
        default: {
            QStringList texts;
            for (int i = 0; i < ippGetCount(found); ++i)
                texts << QString::fromUtf8(ippGetString(found, i, nullptr));
            value = texts.join(QLatin1Char(','));
        }
        }
    }
    ippDelete(response);
    return value;
}

bool queueExists(const QString& name)
{
    return attribute(name, "printer-name").isValid();
}

QString serverDefault()
{
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, ippNewRequest(IPP_OP_CUPS_GET_DEFAULT), "/");
    ipp_attribute_t* name = response ? ippFindAttribute(response, "printer-name", IPP_TAG_NAME) : nullptr;
    const QString result = name ? QString::fromUtf8(ippGetString(name, 0, nullptr)) : QString();
    ippDelete(response);
    return result;
}

int queueCount()
{
    cups_dest_t* dests = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    cupsFreeDests(count, dests);
    return count;
}

} // namespace

class TestIppActionProvider : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void printerAdd_data();
    void printerAdd();
    void deleteOperations();
    void classAdd();
    void pauseAndResume();
    void defaultToggle();
    void defaultToggleSparesTmpQueue();
    void unsupportedOperationsSendNothing();
    void configurationFile();
    void fileTransferStatus_data();
    void fileTransferStatus();
    void devices();
    void authentication_data();
    void authentication();
    void destroyedParentLeavesPromptWithoutParent();

private:
    // Requests the scheduler logged so far that carry the given operation name.
    int loggedOperations(const QString& operation) const;

    CupsTestServer m_server;
    QString m_ppdDirectory;
    QTemporaryDir m_dir;
};

void TestIppActionProvider::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    const QString reason = CupsTestServer::unavailableReason(CupsTestServer::Mode::Open);
    if (!reason.isEmpty())
        QSKIP(qPrintable(reason));
    CupsTestServer::Options options;
    options.logAllRequests = true;
    QVERIFY2(m_server.start(options), qPrintable(m_server.errorString()));
    m_server.pointClientAt();
    m_ppdDirectory = m_server.compileSamplePpds();
    QVERIFY2(!m_ppdDirectory.isEmpty(), qPrintable(m_server.errorString()));
}

void TestIppActionProvider::cleanup()
{
    // A test that switched servers hands the next one the shared server back.
    m_server.pointClientAt();
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

int TestIppActionProvider::loggedOperations(const QString& operation) const
{
    int count = 0;
    for (const QString& line : m_server.accessLog())
        count += line.contains(QLatin1Char(' ') + operation + QLatin1Char(' '));
    return count;
}

void TestIppActionProvider::printerAdd_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("driver");
    QTest::addColumn<bool>("shared");
    QTest::addColumn<QString>("makeAndModel");

    QTest::newRow("server driver") << "laser" << "drv:///sample.drv/generic.ppd" << true
                                   << "Generic PostScript Printer";
    QTest::newRow("local file") << "copier" << "@generic.ppd" << false << "Generic PostScript Printer";
    QTest::newRow("raw") << "plotter" << "raw" << false << "Local Raw Printer";
}

void TestIppActionProvider::printerAdd()
{
    QFETCH(QString, name);
    QFETCH(QString, driver);
    QFETCH(bool, shared);
    QFETCH(QString, makeAndModel);
    if (driver.startsWith(QLatin1Char('@')))
        driver = m_ppdDirectory + QLatin1Char('/') + driver.mid(1);

    IppActionProvider provider;
    QVERIFY(provider.printerAdd(name, QStringLiteral("file:///dev/null"), driver, QStringLiteral("A description"),
                                QStringLiteral("A room"), shared));
    QCOMPARE(attribute(name, "printer-make-and-model").toString(), makeAndModel);
    QCOMPARE(attribute(name, "printer-info").toString(), QStringLiteral("A description"));
    QCOMPARE(attribute(name, "printer-location").toString(), QStringLiteral("A room"));
    QCOMPARE(attribute(name, "printer-is-shared").toBool(), shared);
    QCOMPARE(attribute(name, "printer-is-accepting-jobs").toBool(), true);
    QCOMPARE(attribute(name, "printer-state").toInt(), int(IPP_PSTATE_IDLE));
}

void TestIppActionProvider::deleteOperations()
{
    QVERIFY(m_server.runTool(QStringLiteral("lpadmin"), {QStringLiteral("-p"), QStringLiteral("victim"),
                                                         QStringLiteral("-E"), QStringLiteral("-v"),
                                                         QStringLiteral("file:///dev/null")}));
    QVERIFY(m_server.runTool(QStringLiteral("lpadmin"), {QStringLiteral("-p"), QStringLiteral("victim"),
                                                         QStringLiteral("-c"), QStringLiteral("victims")}));
    IppActionProvider provider;
    QVERIFY(provider.classDelete(QStringLiteral("victims")));
    QVERIFY(!queueExists(QStringLiteral("victims")));
    QVERIFY(provider.printerDelete(QStringLiteral("victim")));
    QVERIFY(!queueExists(QStringLiteral("victim")));
    QVERIFY(!provider.printerDelete(QStringLiteral("victim")));
}

void TestIppActionProvider::classAdd()
{
    IppActionProvider provider;
    QVERIFY(provider.classAdd(QStringLiteral("crew"),
                              {QStringLiteral("alpha"), QStringLiteral("ipp://localhost:631/printers/gamma")},
                              QStringLiteral("The crew"), QStringLiteral("Deck"), false));
    QCOMPARE(attribute(QStringLiteral("crew"), "member-names").toString(), QStringLiteral("alpha,gamma"));
    QCOMPARE(attribute(QStringLiteral("crew"), "printer-info").toString(), QStringLiteral("The crew"));
    QCOMPARE(attribute(QStringLiteral("crew"), "printer-is-shared").toBool(), false);

    QVERIFY(provider.classAdd(QStringLiteral("crew"), {QStringLiteral("/printers/beta")}, QStringLiteral("The crew"),
                              QStringLiteral("Deck"), true));
    QCOMPARE(attribute(QStringLiteral("crew"), "member-names").toString(), QStringLiteral("beta"));
    QCOMPARE(attribute(QStringLiteral("crew"), "printer-is-shared").toBool(), true);
    QVERIFY(provider.classDelete(QStringLiteral("crew")));
}

void TestIppActionProvider::pauseAndResume()
{
    IppActionProvider provider;
    QVERIFY(provider.printerSetEnabled(QStringLiteral("gamma"), false));
    QCOMPARE(attribute(QStringLiteral("gamma"), "printer-state").toInt(), int(IPP_PSTATE_STOPPED));
    QVERIFY(provider.printerSetEnabled(QStringLiteral("gamma"), true));
    QCOMPARE(attribute(QStringLiteral("gamma"), "printer-state").toInt(), int(IPP_PSTATE_IDLE));
    QVERIFY(!provider.printerSetEnabled(QStringLiteral("nosuchqueue"), true));
}

void TestIppActionProvider::defaultToggle()
{
    IppActionProvider provider;
    QCOMPARE(serverDefault(), CupsTestServer::defaultPrinter);
    const int queues = queueCount();

    QVERIFY(provider.printerSetDefault(CupsTestServer::defaultPrinter));
    QCOMPARE(serverDefault(), QString());
    QCOMPARE(queueCount(), queues);

    QVERIFY(provider.printerSetDefault(CupsTestServer::defaultPrinter));
    QCOMPARE(serverDefault(), CupsTestServer::defaultPrinter);
    QVERIFY(provider.printerSetDefault(CupsTestServer::plainPrinter));
    QCOMPARE(serverDefault(), CupsTestServer::plainPrinter);
    QVERIFY(provider.printerSetDefault(CupsTestServer::defaultPrinter));
    QCOMPARE(serverDefault(), CupsTestServer::defaultPrinter);
    QCOMPARE(queueCount(), queues);
}

void TestIppActionProvider::defaultToggleSparesTmpQueue()
{
    QVERIFY(m_server.runTool(QStringLiteral("lpadmin"), {QStringLiteral("-p"), QStringLiteral("tmp"),
                                                         QStringLiteral("-E"), QStringLiteral("-v"),
                                                         QStringLiteral("file:///dev/null"), QStringLiteral("-D"),
                                                         QStringLiteral("The user's own tmp")}));
    IppActionProvider provider;
    QVERIFY(provider.printerSetDefault(CupsTestServer::defaultPrinter));
    QCOMPARE(serverDefault(), QString());
    QCOMPARE(attribute(QStringLiteral("tmp"), "printer-info").toString(), QStringLiteral("The user's own tmp"));
    QVERIFY(!queueExists(QStringLiteral("tmp-1")));
    QVERIFY(provider.printerSetDefault(CupsTestServer::defaultPrinter));
    QCOMPARE(serverDefault(), CupsTestServer::defaultPrinter);
    QVERIFY(provider.printerDelete(QStringLiteral("tmp")));
}

void TestIppActionProvider::unsupportedOperationsSendNothing()
{
    IppActionProvider provider;
    // A request of our own brackets the three calls in the scheduler's log.
    const int before = loggedOperations(QStringLiteral("CUPS-Get-Default"));
    serverDefault();
    QTRY_COMPARE(loggedOperations(QStringLiteral("CUPS-Get-Default")), before + 1);
    const int lines = m_server.accessLog().size();

    QVERIFY(!provider.printerSetJobSheets(QStringLiteral("alpha"), QStringLiteral("standard"), QStringLiteral("none")));
    QVERIFY(!provider.classAddPrinter(QStringLiteral("team"), QStringLiteral("beta")));
    QVERIFY(!provider.printerSetAcceptJobs(QStringLiteral("alpha"), false, QStringLiteral("Toner low")));

    serverDefault();
    QTRY_COMPARE(loggedOperations(QStringLiteral("CUPS-Get-Default")), before + 2);
    QCOMPARE(m_server.accessLog().size(), lines + 1);
    QCOMPARE(attribute(QStringLiteral("alpha"), "printer-is-accepting-jobs").toBool(), true);
}

void TestIppActionProvider::configurationFile()
{
    IppActionProvider provider;
    // Like the window's temporary file, the target exists before the transfer.
    const QString local = m_dir.filePath(QStringLiteral("cupsd.conf"));
    QFile fetched(local);
    QVERIFY(fetched.open(QIODevice::WriteOnly));
    fetched.close();
    QVERIFY(provider.fileGet(local));
    QVERIFY(fetched.open(QIODevice::ReadOnly));
    QFile original(m_server.serverRoot() + QStringLiteral("/cupsd.conf"));
    QVERIFY(original.open(QIODevice::ReadOnly));
    const QByteArray text = original.readAll();
    QCOMPARE(fetched.readAll(), text);
    fetched.close();

    const QByteArray changed = text + "# Changed through the manager\n";
    QVERIFY(fetched.open(QIODevice::WriteOnly | QIODevice::Truncate));
    fetched.write(changed);
    fetched.close();
    QVERIFY(provider.filePut(local));
    original.close();
    QVERIFY(original.open(QIODevice::ReadOnly));
    QCOMPARE(original.readAll(), changed);
    original.close();

    // The scheduler restarts itself after a new configuration; it must come
    // back with everything it had.
    QTRY_VERIFY_WITH_TIMEOUT(queueExists(CupsTestServer::defaultPrinter), 15000);
}

void TestIppActionProvider::fileTransferStatus_data()
{
    QTest::addColumn<bool>("put");
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("succeeds");
    QTest::addColumn<bool>("reported");

    QTest::newRow("get 200") << false << 200 << true << false;
    QTest::newRow("get 201") << false << 201 << false << false;
    QTest::newRow("get 404") << false << 404 << false << false;
    QTest::newRow("put 200") << true << 200 << true << false;
    QTest::newRow("put 201") << true << 201 << true << false;
    QTest::newRow("put 403") << true << 403 << false << true;
}

void TestIppActionProvider::fileTransferStatus()
{
    QFETCH(bool, put);
    QFETCH(int, status);
    QFETCH(bool, succeeds);
    QFETCH(bool, reported);

    StatusServer fake(status);
    const quint16 port = fake.listen();
    const QByteArray server = QByteArray("127.0.0.1:") + QByteArray::number(port);
    cupsSetServer(server.constData());

    const QString local = m_dir.filePath(QStringLiteral("transfer.conf"));
    QFile file(local);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("Listen 127.0.0.1:631\n");
    file.close();

    IppActionProvider provider;
    ModalDriver driver;
    QCOMPARE(put ? provider.filePut(local) : provider.fileGet(local), succeeds);
    QCOMPARE(driver.messages.size(), reported ? 1 : 0);
}

void TestIppActionProvider::devices()
{
    IppActionProvider provider;
    QList<QMap<QString, QVariant>> found;
    QVERIFY(provider.getDevices(found));
    QVERIFY(!found.isEmpty());
    QVERIFY(found.first().contains(QStringLiteral("device-uri")));

    CupsTestServer bare;
    CupsTestServer::Options options;
    options.knownWorld = false;
    options.withoutBackends = true;
    QVERIFY2(bare.start(options), qPrintable(bare.errorString()));
    bare.pointClientAt();
    QList<QMap<QString, QVariant>> none{{{QStringLiteral("device-uri"), QStringLiteral("stale://entry")}}};
    QVERIFY(!provider.getDevices(none));
    QVERIFY(none.isEmpty());
}

void TestIppActionProvider::authentication_data()
{
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<bool>("succeeds");
    QTest::addColumn<int>("prompts");
    QTest::addColumn<int>("reports");

    QTest::newRow("right password") << QStringList{CupsTestServer::adminPassword()} << true << 1 << 0;
    QTest::newRow("refused prompt") << QStringList{ModalDriver::cancelPrompt} << false << 1 << 1;
}

void TestIppActionProvider::authentication()
{
    const QString reason = CupsTestServer::unavailableReason(CupsTestServer::Mode::Authenticated);
    if (!reason.isEmpty())
        QSKIP(qPrintable(reason));
    QFETCH(QStringList, answers);
    QFETCH(bool, succeeds);
    QFETCH(int, prompts);
    QFETCH(int, reports);

    CupsTestServer secured;
    CupsTestServer::Options options;
    options.mode = CupsTestServer::Mode::Authenticated;
    QVERIFY2(secured.start(options), qPrintable(secured.errorString()));
    secured.pointClientAt();

    IppActionProvider provider;
    ModalDriver driver(answers);
    QCOMPARE(provider.printerSetEnabled(CupsTestServer::defaultPrinter, false), succeeds);
    QCOMPARE(driver.prompts.size(), prompts);
    QCOMPARE(driver.messages.size(), reports);
    QCOMPARE(attribute(CupsTestServer::defaultPrinter, "printer-state").toInt(),
             int(succeeds ? IPP_PSTATE_STOPPED : IPP_PSTATE_IDLE));
}

void TestIppActionProvider::destroyedParentLeavesPromptWithoutParent()
{
    const QString reason = CupsTestServer::unavailableReason(CupsTestServer::Mode::Authenticated);
    if (!reason.isEmpty())
        QSKIP(qPrintable(reason));
    CupsTestServer secured;
    CupsTestServer::Options options;
    options.mode = CupsTestServer::Mode::Authenticated;
    QVERIFY2(secured.start(options), qPrintable(secured.errorString()));
    secured.pointClientAt();

    IppActionProvider provider;
    auto owner = std::make_unique<QWidget>();
    provider.setParentWidget(owner.get());
    {
        ModalDriver driver({CupsTestServer::adminPassword()});
        QVERIFY(provider.printerSetEnabled(CupsTestServer::plainPrinter, false));
        QCOMPARE(driver.prompts.size(), 1);
        QCOMPARE(driver.prompts.first().parent, owner.get());
    }
    owner.reset();
    // A fresh connection carries no credentials, so the server asks again.
    QVERIFY(Cups::HTTP::getUniqueConnection()->reconnect());
    ModalDriver driver({CupsTestServer::adminPassword()});
    QVERIFY(provider.printerSetEnabled(CupsTestServer::plainPrinter, true));
    QCOMPARE(driver.prompts.size(), 1);
    QVERIFY(!driver.prompts.first().parent);
}

QTEST_MAIN(TestIppActionProvider)
#include "tst_ippactionprovider.moc"
