#include "FormLayout.h"
#include "TesselHelpMenu.h"
#include "TesselInit.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTimer>
#include <QtTest>

namespace {

constexpr char description[] = "Tessel Printer Manager<p>Allows to view, edit and manage print queues, "
                               "configure print server.";

struct ModalSeen {
    QString title;
    QString text;
    bool closed = false;
};

// Closes the next modal dialog once its event loop runs, noting what it showed.
void closeNextModal(ModalSeen* seen, int triesLeft = 200)
{
    QTimer::singleShot(10, [seen, triesLeft] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            if (triesLeft > 0)
                closeNextModal(seen, triesLeft - 1);
            return;
        }
        seen->title = modal->windowTitle();
        if (const auto* box = qobject_cast<QMessageBox*>(modal))
            seen->text = box->text();
        seen->closed = modal->close();
    });
}

} // namespace

class TestDesktopWidgets : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void formRows();
    void helpMenu_data();
    void helpMenu();
};

void TestDesktopWidgets::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    tesselInit("1.3.14", description);
}

void TestDesktopWidgets::cleanup()
{
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TestDesktopWidgets::formRows()
{
    QWidget page;
    auto* form = new FormLayout(&page);
    auto* name = new QLineEdit(&page);
    auto* port = new QHBoxLayout;
    auto* shared = new QCheckBox(QStringLiteral("Shared"), &page);
    form->addRow(QStringLiteral("&Name:"), name);
    form->addRow(QStringLiteral("Port:"), port);
    form->addRow(shared);

    QCOMPARE(form->rowCount(), 3);
    QCOMPARE(form->itemAt(0, QFormLayout::FieldRole)->widget(), name);
    QCOMPARE(form->itemAt(1, QFormLayout::FieldRole)->layout(), port);
    QCOMPARE(form->itemAt(2, QFormLayout::SpanningRole)->widget(), shared);
    const auto* label = qobject_cast<QLabel*>(form->labelForField(name));
    QVERIFY(label);
    QCOMPARE(label->text(), QStringLiteral("&Name:"));
    QCOMPARE(label->buddy(), name);
    QVERIFY(qobject_cast<QLabel*>(form->labelForField(port)));
}

void TestDesktopWidgets::helpMenu_data()
{
    QTest::addColumn<bool>("aboutQt");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("textParts");
    QTest::newRow("about the program") << false << "&About Tessel Printer Manager" << "About Tessel Printer Manager"
                                       << QStringList{QString::fromLatin1(description), QStringLiteral("1.3.14")};
    QTest::newRow("about Qt") << true << "About &Qt" << "About Qt" << QStringList{QStringLiteral("Qt")};
}

void TestDesktopWidgets::helpMenu()
{
    QFETCH(bool, aboutQt);
    QFETCH(QString, entry);
    QFETCH(QString, title);
    QFETCH(QStringList, textParts);
    QMainWindow window;
    auto* menu = new TesselHelpMenu(&window);
    window.menuBar()->addMenu(menu);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(menu->title(), QStringLiteral("&Help"));
    QCOMPARE(menu->actions(), (QList<QAction*>{menu->aboutAction(), menu->aboutQtAction()}));

    QAction* action = aboutQt ? menu->aboutQtAction() : menu->aboutAction();
    QCOMPARE(action->text(), entry);
    ModalSeen seen;
    closeNextModal(&seen);
    action->trigger();
    QVERIFY(seen.closed);
    QCOMPARE(seen.title, title);
    for (const QString& part : qAsConst(textParts))
        QVERIFY2(seen.text.contains(part), qPrintable(seen.text));
}

QTEST_MAIN(TestDesktopWidgets)
#include "tst_desktop_widgets.moc"
