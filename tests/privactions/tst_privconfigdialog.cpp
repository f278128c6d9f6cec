#include "CupsHttp.h"
#include "CupsTestServer.h"
#include "PrivConfigDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStandardPaths>
#include <QtTest>

#include <cups/cups.h>

namespace {

const QString typeKey = QStringLiteral("PrivActions/ProviderType");
const QString noRootKey = QStringLiteral("PrivActions/NoRootAuth");

struct Form
{
    explicit Form(PrivConfigDialog& dialog)
        : polkit(dialog.findChild<QRadioButton*>(QStringLiteral("polkitButton_")))
        , ipp(dialog.findChild<QRadioButton*>(QStringLiteral("ippButton_")))
        , noRoot(dialog.findChild<QCheckBox*>(QStringLiteral("privAuthCheckBox_")))
        , buttons(dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox_")))
    {
    }
    QPushButton* ok() const { return buttons->button(QDialogButtonBox::Ok); }
    QPushButton* cancel() const { return buttons->button(QDialogButtonBox::Cancel); }

    QRadioButton* polkit;
    QRadioButton* ipp;
    QCheckBox* noRoot;
    QDialogButtonBox* buttons;
};

void store(const QVariant& type, const QVariant& noRoot)
{
    QSettings settings;
    settings.clear();
    if (type.isValid())
        settings.setValue(typeKey, type);
    if (noRoot.isValid())
        settings.setValue(noRootKey, noRoot);
}

} // namespace

class TestPrivConfigDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void opening_data();
    void opening();
    void choosingIppEnablesCheckBoxAndOk();
    void cancelKeepsSettings();
    void acceptStores_data();
    void acceptStores();

private:
    CupsTestServer m_first;
    CupsTestServer m_second;
};

void TestPrivConfigDialog::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    const QString reason = CupsTestServer::unavailableReason(CupsTestServer::Mode::Open);
    if (!reason.isEmpty())
        QSKIP(qPrintable(reason));
    CupsTestServer::Options options;
    options.knownWorld = false;
    QVERIFY2(m_first.start(options), qPrintable(m_first.errorString()));
    QVERIFY2(m_second.start(options), qPrintable(m_second.errorString()));
}

void TestPrivConfigDialog::init()
{
    m_first.pointClientAt();
    QVERIFY(Cups::HTTP::getUniqueConnection());
    QVERIFY(Cups::HTTP::getUniqueConnection()->reconnect());
}

void TestPrivConfigDialog::cleanup()
{
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TestPrivConfigDialog::opening_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QString>("server");
    QTest::addColumn<bool>("ippChecked");
    QTest::addColumn<bool>("okEnabled");
    QTest::addColumn<QString>("storedAfter");

    QTest::newRow("fresh installation") << QVariant() << "local" << false << false << "PolicyKit";
    QTest::newRow("policykit stored") << QVariant(QStringLiteral("PolicyKit")) << "local" << false << false
                                      << "PolicyKit";
    QTest::newRow("ipp stored") << QVariant(QStringLiteral("IPP")) << "local" << true << false << "IPP";
    QTest::newRow("remote, policykit stored") << QVariant(QStringLiteral("PolicyKit")) << "printhost.example" << true
                                              << true << "PolicyKit";
    QTest::newRow("remote, ipp stored") << QVariant(QStringLiteral("IPP")) << "printhost.example" << true << false
                                        << "IPP";
}

void TestPrivConfigDialog::opening()
{
    QFETCH(QVariant, stored);
    QFETCH(QString, server);
    QFETCH(bool, ippChecked);
    QFETCH(bool, okEnabled);
    QFETCH(QString, storedAfter);
    store(stored, QVariant());
    const QByteArray serverName = server.toLocal8Bit();
    if (server != QLatin1String("local"))
        cupsSetServer(serverName.constData());

    PrivConfigDialog dialog;
    Form form(dialog);
    QVERIFY(form.polkit && form.ipp && form.noRoot && form.buttons);
    QVERIFY(form.polkit->isHidden());
    QCOMPARE(form.ipp->isChecked(), ippChecked);
    QCOMPARE(form.noRoot->isEnabled(), ippChecked);
    QCOMPARE(form.ok()->isEnabled(), okEnabled);
    QCOMPARE(QSettings().value(typeKey).toString(), storedAfter);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Priviledged actions setup"));
}

void TestPrivConfigDialog::choosingIppEnablesCheckBoxAndOk()
{
    store(QStringLiteral("PolicyKit"), true);
    PrivConfigDialog dialog;
    Form form(dialog);
    QVERIFY(form.noRoot->isChecked());
    QVERIFY(!form.noRoot->isEnabled());
    form.ipp->click();
    QVERIFY(form.noRoot->isEnabled());
    QVERIFY(form.ok()->isEnabled());
}

void TestPrivConfigDialog::cancelKeepsSettings()
{
    store(QStringLiteral("IPP"), false);
    PrivConfigDialog dialog;
    Form form(dialog);
    form.noRoot->click();
    form.cancel()->click();
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QSettings settings;
    QCOMPARE(settings.value(typeKey).toString(), QStringLiteral("IPP"));
    QCOMPARE(settings.value(noRootKey).toBool(), false);
}

void TestPrivConfigDialog::acceptStores_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("chooseIpp");
    QTest::addColumn<QString>("type");
    QTest::addColumn<bool>("reconnects");

    QTest::newRow("ipp") << "PolicyKit" << true << "IPP" << true;
    QTest::newRow("policykit") << "IPP" << false << "PolicyKit" << false;
}

void TestPrivConfigDialog::acceptStores()
{
    QFETCH(QString, stored);
    QFETCH(bool, chooseIpp);
    QFETCH(QString, type);
    QFETCH(bool, reconnects);
    store(stored, false);

    PrivConfigDialog dialog;
    Form form(dialog);
    if (chooseIpp) {
        form.ipp->click();
        form.noRoot->click();
    } else {
        // The PolicyKit choice is hidden from users; choosing it is still
        // honoured when the form says so.
        form.polkit->setChecked(true);
    }
    // Only the IPP choice follows a server change made meanwhile.
    m_second.pointClientAt();
    form.ok()->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QSettings settings;
    QCOMPARE(settings.value(typeKey).toString(), type);
    QCOMPARE(settings.value(noRootKey).toBool(), chooseIpp);
    QCOMPARE(Cups::HTTP::getUniqueConnection()->port(), reconnects ? m_second.port() : m_first.port());
}

QTEST_MAIN(TestPrivConfigDialog)
#include "tst_privconfigdialog.moc"
