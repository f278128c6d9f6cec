#include "CupsHttp.h"
#include "CupsPointers.h"
#include "CupsTestServer.h"
#include "ModalDriver.h"
#include "PasswordCBSetter.h"
#include "PasswordDialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

#include <cups/cups.h>

namespace {

const QString cancelPrompt = ModalDriver::cancelPrompt;
const QString wrongPassword = QStringLiteral("not-the-password");
const QString authInProgressKey = QStringLiteral("Auth in progress");
// A queue that lets nobody but lp print: Create-Job is refused as not authorized.
const QString restrictedQueue = QStringLiteral("restricted");

const char* countingCallback(const char*, http_t*, const char*, const char*, void* calls)
{
    ++*static_cast<int*>(calls);
    return nullptr;
}

// An empty report means no message box at all.
bool reportedOnce(const QStringList& messages, const QString& report)
{
    if (report.isEmpty())
        return messages.isEmpty();
    return messages.size() == 1 && messages.first().contains(report);
}

enum class Request {
    PausePrinter,
    CreateJobOnRestricted,
    PutOutsideConf,
    AttributesOfAlpha,
    AttributesOfMissing,
};

} // namespace

Q_DECLARE_METATYPE(Request)

class tst_adminlib_password : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void prompting_data();
    void prompting();
    void settersRestoreInOrder();
    void parentDeleted_data();
    void parentDeleted();
    void handleAuthError_data();
    void handleAuthError();

private:
    ipp_status_t send(Request request);

    CupsTestServer m_server;
    Cups::HttpPtr m_http;
};

void tst_adminlib_password::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    const QString reason = CupsTestServer::unavailableReason(CupsTestServer::Mode::Authenticated);
    if (!reason.isEmpty())
        QSKIP(qPrintable(reason));
    CupsTestServer::Options options;
    options.mode = CupsTestServer::Mode::Authenticated;
    QVERIFY2(m_server.start(options), qPrintable(m_server.errorString()));
    m_server.pointClientAt();
    QVERIFY2(m_server.runTool(QStringLiteral("lpadmin"),
                              {QStringLiteral("-p"), restrictedQueue, QStringLiteral("-E"), QStringLiteral("-v"),
                               QStringLiteral("file:///dev/null"), QStringLiteral("-u"), QStringLiteral("allow:lp")}),
             qPrintable(m_server.errorString()));
}

void tst_adminlib_password::init()
{
    // A connection of each test's own: libcups keeps accepted credentials on
    // the connection, which would hide the next test's prompts.
    const QByteArray host = m_server.host().toLatin1();
    m_http.reset(httpConnect2(host.constData(), m_server.port(), nullptr, AF_UNSPEC, HTTP_ENCRYPTION_IF_REQUESTED, 1,
                              5000, nullptr));
    QVERIFY(m_http);
    QVERIFY2(m_server.runTool(QStringLiteral("cupsenable"), {CupsTestServer::defaultPrinter}),
             qPrintable(m_server.errorString()));
    PasswordCBSetter::resetPasswordCallback();
    cupsSetUser(nullptr);
}

void tst_adminlib_password::cleanup()
{
    m_http.reset();
    PasswordCBSetter::resetPasswordCallback();
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
}

ipp_status_t tst_adminlib_password::send(Request request)
{
    ipp_t* message = nullptr;
    const char* resource = "/";
    switch (request) {
    case Request::PausePrinter:
        message = ippNewRequest(IPP_OP_PAUSE_PRINTER);
        ippAddString(message, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, "ipp://localhost/printers/alpha");
        resource = "/admin/";
        break;
    case Request::CreateJobOnRestricted:
        message = ippNewRequest(IPP_OP_CREATE_JOB);
        ippAddString(message, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                     "ipp://localhost/printers/restricted");
        ippAddString(message, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
        break;
    case Request::PutOutsideConf: {
        // The scheduler takes files only under /admin/conf/ and says Forbidden.
        QTemporaryFile file;
        if (!file.open())
            return IPP_STATUS_ERROR_INTERNAL;
        const QByteArray path = QFile::encodeName(file.fileName());
        cupsPutFile(m_http.get(), "/admin/elsewhere", path.constData());
        return cupsLastError();
    }
    case Request::AttributesOfAlpha:
    case Request::AttributesOfMissing:
        message = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
        ippAddString(message, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                     request == Request::AttributesOfAlpha ? "ipp://localhost/printers/alpha"
                                                           : "ipp://localhost/printers/missing");
        break;
    }
    const Cups::IppPtr response(cupsDoRequest(m_http.get(), message, resource));
    return cupsLastError();
}

void tst_adminlib_password::prompting_data()
{
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("prompts");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("report");

    const QString right = CupsTestServer::adminPassword();
    const int ok = IPP_STATUS_OK;
    const int cancelled = IPP_STATUS_ERROR_CUPS_AUTHENTICATION_CANCELED;
    QTest::newRow("right") << QStringList{right} << ok << 1 << true << QString();
    QTest::newRow("cancel") << QStringList{cancelPrompt} << cancelled << 1 << false << QStringLiteral("cancelled");
    QTest::newRow("wrong-then-cancel") << QStringList{wrongPassword, cancelPrompt} << cancelled << 2 << false
                                       << QStringLiteral("cancelled");
    QStringList alwaysWrong;
    for (int i = 0; i < PasswordCBSetter::maxRefusals + 2; ++i)
        alwaysWrong << wrongPassword;
    QTest::newRow("always-wrong") << alwaysWrong << cancelled
                                  << PasswordCBSetter::maxRefusals << false << QStringLiteral("too many");
}

void tst_adminlib_password::prompting()
{
    QFETCH(QStringList, answers);
    QFETCH(int, status);
    QFETCH(int, prompts);
    QFETCH(bool, accepted);
    QFETCH(QString, report);

    QWidget owner;
    ModalDriver driver(answers);
    {
        PasswordCBSetter setter(&owner);
        QVERIFY(!PasswordCBSetter::isShowed());
        QCOMPARE(int(send(Request::PausePrinter)), status);
        QCOMPARE(driver.prompts.size(), prompts);
        QVERIFY(PasswordCBSetter::isShowed());
        QCOMPARE(PasswordCBSetter::isAccepted(), accepted);
        QCOMPARE(PasswordCBSetter::handleAuthError(), !report.isEmpty());
    }
    for (int i = 0; i < driver.prompts.size(); ++i) {
        const PromptSeen& seen = driver.prompts.at(i);
        QCOMPARE(seen.parent, &owner);
        // The login user is never what an administrative prompt proposes;
        // after a refusal the name typed last is.
        QCOMPARE(seen.user, i == 0 ? Cups::HTTP::authUser() : CupsTestServer::adminUser);
        QVERIFY2(seen.request.contains(m_server.host()) && seen.request.contains(QLatin1String("/admin/")),
                 qPrintable(seen.request));
        QCOMPARE(seen.echoMode, QLineEdit::Password);
        QCOMPARE(seen.authInProgress, QVariant(true));
        // Only a prompt that follows a refused password says so.
        QCOMPARE(seen.refusedShown, i > 0);
    }
    QCOMPARE(QSettings().value(authInProgressKey), QVariant(false));
    QVERIFY2(reportedOnce(driver.messages, report), qPrintable(driver.messages.join(QLatin1Char('\n'))));
    QString printer;
    m_server.runTool(QStringLiteral("lpstat"), {QStringLiteral("-p"), CupsTestServer::defaultPrinter}, &printer);
    QCOMPARE(printer.contains(QLatin1String("disabled")), status == IPP_STATUS_OK);
}

void tst_adminlib_password::settersRestoreInOrder()
{
    int calls = 0;
    PasswordCBSetter::setFallbackCallback(countingCallback, &calls);
    QWidget outerOwner;
    QWidget innerOwner;
    ModalDriver driver;

    QCOMPARE(send(Request::PausePrinter), IPP_STATUS_ERROR_CUPS_AUTHENTICATION_CANCELED);
    QCOMPARE(calls, 1);
    {
        PasswordCBSetter outer(&outerOwner);
        {
            PasswordCBSetter inner(&innerOwner);
            send(Request::PausePrinter);
        }
        send(Request::PausePrinter);
    }
    send(Request::PausePrinter);
    QCOMPARE(driver.prompts.size(), 2);
    QCOMPARE(driver.prompts.at(0).parent, &innerOwner);
    QCOMPARE(driver.prompts.at(1).parent, &outerOwner);
    QCOMPARE(calls, 2);

    // The initial state refuses without asking anybody.
    PasswordCBSetter::resetPasswordCallback();
    QCOMPARE(send(Request::PausePrinter), IPP_STATUS_ERROR_CUPS_AUTHENTICATION_CANCELED);
    QCOMPARE(calls, 2);
    QCOMPARE(driver.prompts.size(), 2);
    QVERIFY(!PasswordCBSetter::isShowed());
}

void tst_adminlib_password::parentDeleted_data()
{
    QTest::addColumn<bool>("duringPrompt");
    QTest::addColumn<int>("status");

    QTest::newRow("before the request") << false << int(IPP_STATUS_OK);
    // The prompt goes with its owner: the request ends as if it was refused.
    QTest::newRow("while the prompt is open") << true << int(IPP_STATUS_ERROR_CUPS_AUTHENTICATION_CANCELED);
}

void tst_adminlib_password::parentDeleted()
{
    QFETCH(bool, duringPrompt);
    QFETCH(int, status);

    auto owner = std::make_unique<QWidget>();
    ModalDriver driver({CupsTestServer::adminPassword()});
    PasswordCBSetter setter(owner.get());
    if (duringPrompt)
        driver.duringPrompt = [&owner] { owner.reset(); };
    else
        owner.reset();
    QCOMPARE(int(send(Request::PausePrinter)), status);
    QCOMPARE(driver.prompts.size(), 1);
    QCOMPARE(driver.prompts.first().parent == nullptr, !duringPrompt);
    QCOMPARE(QSettings().value(authInProgressKey), QVariant(false));
}

void tst_adminlib_password::handleAuthError_data()
{
    QTest::addColumn<Request>("request");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("report");

    QTest::newRow("not authorized") << Request::CreateJobOnRestricted << int(IPP_STATUS_ERROR_NOT_AUTHORIZED)
                                    << QStringLiteral("not authorized");
    QTest::newRow("forbidden") << Request::PutOutsideConf << int(IPP_STATUS_ERROR_FORBIDDEN)
                               << QStringLiteral("may not perform");
    QTest::newRow("refused without prompt") << Request::PausePrinter
                                            << int(IPP_STATUS_ERROR_CUPS_AUTHENTICATION_CANCELED)
                                            << QStringLiteral("cancelled");
    QTest::newRow("success") << Request::AttributesOfAlpha << int(IPP_STATUS_OK) << QString();
    QTest::newRow("not found") << Request::AttributesOfMissing << int(IPP_STATUS_ERROR_NOT_FOUND) << QString();
}

void tst_adminlib_password::handleAuthError()
{
    QFETCH(Request, request);
    QFETCH(int, status);
    QFETCH(QString, report);

    ModalDriver driver;
    QCOMPARE(int(send(request)), status);
    QCOMPARE(PasswordCBSetter::handleAuthError(), !report.isEmpty());
    QCOMPARE(driver.prompts.size(), 0);
    QVERIFY2(reportedOnce(driver.messages, report), qPrintable(driver.messages.join(QLatin1Char('\n'))));
}

QTEST_MAIN(tst_adminlib_password)
#include "tst_passwordcbsetter.moc"
