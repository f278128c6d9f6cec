#include "AutodetectSelectionPage.h"
#include "CupsHttp.h"
#include "CupsTestServer.h"
#include "DestinationAttributes.h"
#include "InfoDriverPage.h"
#include "ModalDriver.h"
#include "PolKitActionProviderHelper.h"
#include "PrinterWizard.h"
#include "TweakDestWidget.h"
#include "WizardFields.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include <functional>

namespace {

const QString laserUri = QStringLiteral("tesseltest:/laser");

QVariantMap destination(const QString& name)
{
    for (const QVariantMap& attributes : Cups::HTTP::getUniqueConnection()->destinations()) {
        if (DestinationAttributes::firstString(attributes, QStringLiteral("printer-name")) == name)
            return attributes;
    }
    return {};
}

QString attribute(const QString& queue, const QString& key)
{
    return DestinationAttributes::firstString(destination(queue), key);
}

void finish(QWizard* wizard)
{
    wizard->button(QWizard::FinishButton)->click();
}

// From a dialog handler: later, so that the handler returns first and the
// message boxes that finishing may open are answered too.
void finishLater(QWizard* wizard)
{
    QTimer::singleShot(0, wizard, [wizard] { finish(wizard); });
}

} // namespace

class TestPrinterWizard : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void flows_data();
    void flows();
    void addQueues_data();
    void addQueues();
    void nameRules_data();
    void nameRules();
    void driverProposal_data();
    void driverProposal();
    void editModes_data();
    void editModes();
    void failedRenameKeepsThePrinter();
    void refreshStopsWhileTheWizardRuns();

private:
    // Runs a change of the details pane; the handler drives its wizard. The
    // texts of the message boxes shown meanwhile.
    QStringList runPaneChange(const QString& queue, const char* button,
                              const std::function<void(PrinterWizard*)>& drive);

    CupsTestServer m_server;
    QString m_ppds;
};

void TestPrinterWizard::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    const QString reason = CupsTestServer::unavailableReason(CupsTestServer::Mode::Open);
    if (!reason.isEmpty())
        QSKIP(qPrintable(reason));
    CupsTestServer::Options options;
    options.deviceLines = QStringList{QStringLiteral("direct %1 \"HP LaserJet Series\" \"Laser on the test port\" \"\"").arg(laserUri),
                           QStringLiteral("direct tesseltest:/laser \"HP LaserJet Series\" \"The same again\" \"\""),
                           QStringLiteral("network tesseltest:/mystery \"Unknown\" \"Nobody knows\" \"\"")};
    QVERIFY2(m_server.start(options), qPrintable(m_server.errorString()));
    m_server.pointClientAt();
    m_ppds = m_server.compileSamplePpds();
    QVERIFY2(!m_ppds.isEmpty(), qPrintable(m_server.errorString()));
    QVERIFY(Cups::HTTP::getUniqueConnection() && Cups::HTTP::getUniqueConnection()->reconnect());
}

void TestPrinterWizard::init()
{
    QSettings settings;
    settings.clear();
    settings.setValue(QStringLiteral("PrivActions/ProviderType"), QStringLiteral("IPP"));
}

void TestPrinterWizard::cleanup()
{
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TestPrinterWizard::flows_data()
{
    QTest::addColumn<bool>("printer");
    QTest::addColumn<bool>("pickDevice");
    QTest::addColumn<QList<int>>("pages");

    QTest::newRow("discovered device") << true << true << QList<int>{0, 2, 1};
    // The backend page wants a connection chosen before it lets the user on.
    QTest::newRow("other") << true << false << QList<int>{0, 2, 4};
    QTest::newRow("class") << false << false << QList<int>{0, 3, 1};
}

void TestPrinterWizard::flows()
{
    QFETCH(bool, printer);
    QFETCH(bool, pickDevice);
    QFETCH(QList<int>, pages);

    ModalDriver driver;
    PrinterWizard wizard;
    wizard.show();
    wizard.setField(printer ? WizardField::isPrinterQueue : WizardField::isClassQueue, true);
    wizard.next();
    if (printer) {
        auto* page = static_cast<AutodetectSelectionPage*>(wizard.page(WizardPage::AutodetectSelection));
        QTreeWidget* devices = page->deviceTree();
        // One row for the device reported twice, none for the unknown one.
        QTRY_COMPARE_WITH_TIMEOUT(devices->topLevelItemCount(), 2, 20000);
        if (pickDevice) {
            const QList<QTreeWidgetItem*> found = devices->findItems(laserUri, Qt::MatchExactly, 3);
            QCOMPARE(found.size(), 1);
            devices->setCurrentItem(found.first());
        }
    } else {
        auto* available = wizard.currentPage()->findChildren<QTreeWidget*>().value(0);
        QVERIFY(available && available->topLevelItemCount() > 0);
        available->selectAll();
        QVERIFY(QMetaObject::invokeMethod(wizard.currentPage(), "toMembers"));
    }
    wizard.next();
    QCOMPARE(wizard.visitedIds(), pages);
    if (pickDevice) {
        QCOMPARE(wizard.field(WizardField::queueName).toString(), QStringLiteral("HP_LaserJet_Series"));
        QCOMPARE(wizard.field(WizardField::deviceUri).toString(), laserUri);
        // A driver of the server is proposed for the device's make and model.
        QVERIFY(!wizard.field(WizardField::deviceDriver).toString().isEmpty());
    }
    QVERIFY(driver.messages.isEmpty());
}

void TestPrinterWizard::addQueues_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("driver");
    QTest::addColumn<QString>("makeAndModel");

    QTest::newRow("server driver") << "viaserver" << "drv:///sample.drv/generic.ppd" << "Generic PostScript Printer";
    QTest::newRow("local ppd file") << "viafile" << "<file>" << "Generic PostScript Printer";
    QTest::newRow("raw") << "viaraw" << "raw" << "Local Raw Printer";
    QTest::newRow("class") << "viaclass" << "" << "";
}

void TestPrinterWizard::addQueues()
{
    QFETCH(QString, name);
    QFETCH(QString, driver);
    QFETCH(QString, makeAndModel);

    const bool isClass = driver.isEmpty();
    ModalDriver messages;
    PrinterWizard wizard;
    wizard.setStartId(WizardPage::InfoDriver);
    wizard.setField(WizardField::isPrinterQueue, !isClass);
    wizard.setField(WizardField::isClassQueue, isClass);
    wizard.setField(WizardField::classMembers, QStringList{QStringLiteral("alpha"), QStringLiteral("gamma")});
    wizard.setField(WizardField::deviceUri, laserUri);
    wizard.setField(WizardField::deviceDriver, driver == QLatin1String("<file>") ? m_ppds + "/generic.ppd" : driver);
    wizard.setField(WizardField::queueName, name);
    wizard.setField(WizardField::queueLocation, QStringLiteral("Lab"));
    wizard.show();
    QVERIFY(wizard.currentPage()->isComplete());
    finish(&wizard);
    QCOMPARE(wizard.result(), int(QDialog::Accepted));
    QVERIFY2(messages.messages.isEmpty(), qPrintable(messages.messages.join('\n')));

    QCOMPARE(attribute(name, QStringLiteral("printer-location")), QStringLiteral("Lab"));
    if (isClass) {
        QStringList members = destination(name).value(QStringLiteral("member-names")).toStringList();
        members.sort();
        QCOMPARE(members, QStringList({QStringLiteral("alpha"), QStringLiteral("gamma")}));
    } else {
        QCOMPARE(attribute(name, QStringLiteral("printer-make-and-model")), makeAndModel);
        QCOMPARE(attribute(name, QStringLiteral("device-uri")), laserUri);
    }
}

void TestPrinterWizard::nameRules_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("complete");

    QTest::newRow("new name") << "fresh" << true;
    QTest::newRow("existing name") << "alpha" << false;
    QTest::newRow("existing name in other case") << "ALPHA" << false;
    QTest::newRow("question mark") << "what?" << false;
    QTest::newRow("blank") << "two words" << false;
    QTest::newRow("quote") << "it's" << false;
    QTest::newRow("128 bytes") << QString(128, QLatin1Char('n')) << false;
}

void TestPrinterWizard::nameRules()
{
    QFETCH(QString, name);
    QFETCH(bool, complete);

    PrinterWizard wizard;
    wizard.setStartId(WizardPage::InfoDriver);
    wizard.setField(WizardField::isPrinterQueue, true);
    wizard.setField(WizardField::deviceUri, laserUri);
    wizard.setField(WizardField::deviceDriver, QStringLiteral("raw"));
    wizard.show();
    wizard.setField(WizardField::queueName, name);
    QCOMPARE(wizard.currentPage()->isComplete(), complete);
    QCOMPARE(wizard.button(QWizard::FinishButton)->isEnabled(), complete);
}

void TestPrinterWizard::driverProposal_data()
{
    QTest::addColumn<QString>("device");
    QTest::addColumn<QString>("make");

    QTest::newRow("make and model") << "HP LaserJet Series" << "HP";
    QTest::newRow("make in other case") << "hp deskjet series" << "HP";
    QTest::newRow("unknown make") << "Nobody Printer 5" << "";
    QTest::newRow("known make, unknown model") << "Epson Stylus 9000" << "Epson";
}

void TestPrinterWizard::driverProposal()
{
    QFETCH(QString, device);
    QFETCH(QString, make);

    // The rule on the server's own list: the first driver of the make whose
    // make and model contains the device's model, ignoring case.
    QString expected;
    const QString model = device.section(QLatin1Char(' '), 1);
    for (const QVariantMap& driver : Cups::HTTP::getUniqueConnection()->PPDs()) {
        const QString makeAndModel = DestinationAttributes::firstString(driver, QStringLiteral("ppd-make-and-model"));
        if (expected.isEmpty() && !make.isEmpty()
            && DestinationAttributes::firstString(driver, QStringLiteral("ppd-make")) == make
            && makeAndModel.contains(model, Qt::CaseInsensitive))
            expected = makeAndModel;
    }
    PrinterWizard wizard;
    auto* page = static_cast<InfoDriverPage*>(wizard.page(WizardPage::InfoDriver));
    page->proposeDriver(device);
    QCOMPARE(page->proposedMakeAndModel(), expected);
    QCOMPARE(wizard.field(WizardField::deviceDriver).toString().isEmpty(), expected.isEmpty());
}

QStringList TestPrinterWizard::runPaneChange(const QString& queue, const char* button,
                                             const std::function<void(PrinterWizard*)>& drive)
{
    TweakDestWidget pane;
    pane.setDestination(queue, destination(queue));
    ModalDriver driver;
    driver.otherDialog = [&drive](QWidget* modal) {
        if (auto* wizard = qobject_cast<PrinterWizard*>(modal))
            drive(wizard);
    };
    const QList<QPushButton*> buttons = pane.findChildren<QPushButton*>();
    const int index = QByteArray("general device driver").split(' ').indexOf(button);
    buttons.at(index)->click();
    return driver.messages;
}

void TestPrinterWizard::editModes_data()
{
    QTest::addColumn<QString>("mode");

    QTest::newRow("rename keeps driver and jobs") << "rename";
    QTest::newRow("device change keeps driver") << "device";
    QTest::newRow("driver change") << "driver";
}

void TestPrinterWizard::editModes()
{
    QFETCH(QString, mode);
    const QString queue = QStringLiteral("edit") + mode;
    QVERIFY(m_server.runTool(QStringLiteral("lpadmin"), {QStringLiteral("-p"), queue, QStringLiteral("-E"),
                                                         QStringLiteral("-v"), QStringLiteral("file:///dev/null"),
                                                         QStringLiteral("-m"), QStringLiteral("drv:///sample.drv/generic.ppd"),
                                                         QStringLiteral("-L"), QStringLiteral("Hall")}));
    const int job = m_server.submitHeldJob(queue, QStringLiteral("Kept"));
    QVERIFY(job);

    if (mode == QLatin1String("rename")) {
        const QStringList messages = runPaneChange(queue, "general", [](PrinterWizard* wizard) {
            wizard->setField(WizardField::queueName, QStringLiteral("renamed"));
            finishLater(wizard);
        });
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join('\n')));
        QVERIFY(destination(queue).isEmpty());
        QCOMPARE(attribute(QStringLiteral("renamed"), QStringLiteral("printer-make-and-model")),
                 QStringLiteral("Generic PostScript Printer"));
        QCOMPARE(attribute(QStringLiteral("renamed"), QStringLiteral("printer-location")), QStringLiteral("Hall"));
        QString jobs;
        QVERIFY(m_server.runTool(QStringLiteral("lpstat"), {QStringLiteral("-o"), QStringLiteral("renamed")}, &jobs));
        QVERIFY2(jobs.contains(QStringLiteral("renamed-%1").arg(job)), qPrintable(jobs));
    } else if (mode == QLatin1String("device")) {
        const QStringList messages = runPaneChange(queue, "device", [](PrinterWizard* wizard) {
            auto* page = qobject_cast<AutodetectSelectionPage*>(wizard->currentPage());
            if (!page)
                return wizard->reject();
            QTreeWidget* devices = page->deviceTree();
            if (!QTest::qWaitFor([devices] { return devices->topLevelItemCount() == 2; }, 20000))
                return wizard->reject();
            devices->setCurrentItem(devices->findItems(laserUri, Qt::MatchExactly, 3).value(0));
            wizard->next();
            finishLater(wizard);
        });
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join('\n')));
        QCOMPARE(attribute(queue, QStringLiteral("device-uri")), laserUri);
        QCOMPARE(attribute(queue, QStringLiteral("printer-make-and-model")), QStringLiteral("Generic PostScript Printer"));
    } else {
        const QStringList messages = runPaneChange(queue, "driver", [](PrinterWizard* wizard) {
            wizard->setField(WizardField::deviceDriver, QStringLiteral("raw"));
            finishLater(wizard);
        });
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join('\n')));
        QCOMPARE(attribute(queue, QStringLiteral("printer-make-and-model")), QStringLiteral("Local Raw Printer"));
        QCOMPARE(attribute(queue, QStringLiteral("device-uri")), QStringLiteral("file:///dev/null"));
    }
}

void TestPrinterWizard::failedRenameKeepsThePrinter()
{
    // A helper that fails every action: the new queue is never made.
    QSettings().setValue(QStringLiteral("PrivActions/ProviderType"), QStringLiteral("PolicyKit"));
    qputenv(PolKitActionProviderHelper::launcherVariable, QByteArray());
    qputenv(PolKitActionProviderHelper::helperVariable, "/bin/false");
    const auto restore = qScopeGuard([] { qunsetenv(PolKitActionProviderHelper::helperVariable); });

    const QString queue = CupsTestServer::defaultPrinter;
    const QStringList messages = runPaneChange(queue, "general", [](PrinterWizard* wizard) {
        wizard->setField(WizardField::queueName, QStringLiteral("newalpha"));
        finishLater(wizard);
    });
    // The helper's failure, "Try again?", and the old queue kept.
    QVERIFY2(messages.size() == 3 && messages.last().contains(QLatin1String("was kept")),
             qPrintable(messages.join('\n')));
    QVERIFY(!destination(queue).isEmpty());
    QVERIFY(destination(QStringLiteral("newalpha")).isEmpty());
    QString jobs;
    QVERIFY(m_server.runTool(QStringLiteral("lpstat"), {QStringLiteral("-o"), queue}, &jobs));
    QCOMPARE(jobs.count(QStringLiteral("%1-").arg(queue)), CupsTestServer::heldJobsOnDefault);
}

void TestPrinterWizard::refreshStopsWhileTheWizardRuns()
{
    TweakDestWidget pane;
    pane.setDestination(CupsTestServer::plainPrinter, destination(CupsTestServer::plainPrinter));
    QSignalSpy stops(&pane, &TweakDestWidget::updateTimerStopRequest);
    QSignalSpy starts(&pane, &TweakDestWidget::updateTimerStartRequest);
    QList<int> seen;
    ModalDriver driver;
    driver.otherDialog = [&](QWidget* modal) {
        seen = {stops.count(), starts.count()};
        static_cast<QDialog*>(modal)->reject();
    };
    pane.findChildren<QPushButton*>().first()->click();
    QCOMPARE(seen, QList<int>({1, 0}));
    QCOMPARE(stops.count(), 1);
    QCOMPARE(starts.count(), 1);
}

QTEST_MAIN(TestPrinterWizard)
#include "tst_printerwizard.moc"
