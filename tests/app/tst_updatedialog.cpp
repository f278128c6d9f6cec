#include "UpdateDialog.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

const QString intervalKey = QStringLiteral("Printer Tree/Update Interval");

struct Form
{
    explicit Form(UpdateDialog& dialog)
        : interval(dialog.findChild<QSpinBox*>())
        , buttons(dialog.findChild<QDialogButtonBox*>())
    {
    }
    QPushButton* ok() const { return buttons->button(QDialogButtonBox::Ok); }
    QPushButton* cancel() const { return buttons->button(QDialogButtonBox::Cancel); }

    QSpinBox* interval;
    QDialogButtonBox* buttons;
};

} // namespace

class TestUpdateDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void opening_data();
    void opening();
    void okFollowsFirstChange();
    void accepting_data();
    void accepting();
    void cancelChangesNothing();
    void timerGoneBeforeOk();
};

void TestUpdateDialog::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestUpdateDialog::init()
{
    QSettings().clear();
}

void TestUpdateDialog::cleanup()
{
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TestUpdateDialog::opening_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<int>("shown");

    QTest::newRow("nothing stored") << QVariant() << 2;
    QTest::newRow("zero") << QVariant(0) << 0;
    QTest::newRow("ten") << QVariant(10) << 10;
    QTest::newRow("largest") << QVariant(99) << 99;
    QTest::newRow("beyond the range") << QVariant(600) << 99;
}

void TestUpdateDialog::opening()
{
    QFETCH(QVariant, stored);
    QFETCH(int, shown);
    if (stored.isValid())
        QSettings().setValue(intervalKey, stored);

    QTimer timer;
    UpdateDialog dialog(&timer, nullptr);
    const Form form(dialog);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Update Interval"));
    QCOMPARE(form.interval->value(), shown);
    QCOMPARE(form.interval->minimum(), 0);
    QCOMPARE(form.interval->suffix(), QStringLiteral(" sec"));
    QVERIFY(!form.ok()->isEnabled());
    QVERIFY(form.cancel()->isEnabled());
}

void TestUpdateDialog::okFollowsFirstChange()
{
    QTimer timer;
    UpdateDialog dialog(&timer, nullptr);
    const Form form(dialog);
    form.interval->setValue(7);
    QVERIFY(form.ok()->isEnabled());
    form.interval->setValue(2);
    QVERIFY(form.ok()->isEnabled());
}

void TestUpdateDialog::accepting_data()
{
    QTest::addColumn<int>("timerInterval");
    QTest::addColumn<bool>("timerRunning");
    QTest::addColumn<int>("chosen");
    QTest::addColumn<int>("expectedInterval");
    QTest::addColumn<bool>("expectedRunning");

    QTest::newRow("zero stops a running timer") << 2000 << true << 0 << 0 << false;
    QTest::newRow("ten restarts a running timer") << 2000 << true << 10 << 10000 << true;
    QTest::newRow("five starts a stopped timer") << 0 << false << 5 << 5000 << true;
    QTest::newRow("zero keeps a stopped timer stopped") << 3000 << false << 0 << 0 << false;
    QTest::newRow("largest") << 2000 << true << 99 << 99000 << true;
}

void TestUpdateDialog::accepting()
{
    QFETCH(int, timerInterval);
    QFETCH(bool, timerRunning);
    QFETCH(int, chosen);
    QFETCH(int, expectedInterval);
    QFETCH(bool, expectedRunning);

    QTimer timer;
    timer.setInterval(timerInterval);
    if (timerRunning)
        timer.start();

    UpdateDialog dialog(&timer, nullptr);
    const Form form(dialog);
    // The value must differ from the shown one, or Ok would stay disabled.
    form.interval->setValue(chosen == 1 ? 3 : 1);
    form.interval->setValue(chosen);
    QVERIFY(form.ok()->isEnabled());
    form.ok()->click();

    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(QSettings().value(intervalKey).toInt(), chosen);
    QCOMPARE(timer.interval(), expectedInterval);
    QCOMPARE(timer.isActive(), expectedRunning);

    // The next dialog, like the next start of the program, sees the new value.
    UpdateDialog next(&timer, nullptr);
    QCOMPARE(Form(next).interval->value(), chosen);
}

void TestUpdateDialog::cancelChangesNothing()
{
    QSettings().setValue(intervalKey, 4);
    QTimer timer;
    timer.setInterval(4000);
    timer.start();

    UpdateDialog dialog(&timer, nullptr);
    const Form form(dialog);
    form.interval->setValue(0);
    form.cancel()->click();

    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(QSettings().value(intervalKey).toInt(), 4);
    QCOMPARE(timer.interval(), 4000);
    QVERIFY(timer.isActive());
}

void TestUpdateDialog::timerGoneBeforeOk()
{
    auto timer = std::make_unique<QTimer>();
    UpdateDialog dialog(timer.get(), nullptr);
    const Form form(dialog);
    timer.reset();
    form.interval->setValue(6);
    form.ok()->click();
    QCOMPARE(QSettings().value(intervalKey).toInt(), 6);
}

QTEST_MAIN(TestUpdateDialog)
#include "tst_updatedialog.moc"
