#include "AcceleratorManager.h"
#include "AclAddDialog.h"
#include "AclRequireDialog.h"
#include "ClassMembers.h"
#include "ConfigNode.h"
#include "CupsdConfDialog.h"
#include "CupsTestServer.h"
#include "DestOptionsDialog.h"
#include "FocusOrder.h"
#include "JobWidget.h"
#include "LimitDialog.h"
#include "ListenDialog.h"
#include "LocationDialog.h"
#include "MenuWatcher.h"
#include "PasswordDialog.h"
#include "PolicyDialog.h"
#include "PrinterManager.h"
#include "PrintersWidget.h"
#include "PrinterWizard.h"
#include "PrivateBus.h"
#include "PrivConfigDialog.h"
#include "Ruv_SmbSelector.h"
#include "ScanNetwork.h"
#include "SmbLogin.h"
#include "TesselInit.h"
#include "UpdateDialog.h"

#include <QAccessible>
#include <QAction>
#include <QContextMenuEvent>
#include <QSettings>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

using Factory = std::function<QWidget*()>;

const QMap<QString, Factory>& dialogs()
{
    static const QMap<QString, Factory> factories = {
        {QStringLiteral("PrivConfigDialog"), [] { return new PrivConfigDialog; }},
        {QStringLiteral("UpdateDialog"),
         [] {
             auto* timer = new QTimer;
             auto* dialog = new UpdateDialog(timer, nullptr);
             timer->setParent(dialog);
             return dialog;
         }},
        {QStringLiteral("CupsdConfDialog"),
         [] {
             auto* dialog = new CupsdConfDialog;
             dialog->setConfig(Cups::ConfigNode(QByteArray("LogLevel warn\nListen localhost:631\n")));
             return dialog;
         }},
        {QStringLiteral("LocationDialog"), [] { return new LocationDialog; }},
        {QStringLiteral("PolicyDialog"), [] { return new PolicyDialog; }},
        {QStringLiteral("LimitDialog"), [] { return new LimitDialog(LimitDialog::Mode::IppOperations); }},
        {QStringLiteral("AclAddDialog"), [] { return new AclAddDialog; }},
        {QStringLiteral("AclRequireDialog"), [] { return new AclRequireDialog; }},
        {QStringLiteral("ListenDialog"), [] { return new ListenDialog; }},
        {QStringLiteral("ScanNetwork"), [] { return new ScanNetwork; }},
        {QStringLiteral("SmbLogin"), [] { return new SmbLogin(nullptr, QStringLiteral("host")); }},
        {QStringLiteral("Ruv_SmbSelector"), [] { return new Ruv_SmbSelector; }},
        {QStringLiteral("PasswordDialog"), [] { return new PasswordDialog; }},
        {QStringLiteral("ClassMembers"), [] { return new ClassMembers; }},
        {QStringLiteral("PrinterWizard"), [] { return new PrinterWizard; }},
        {QStringLiteral("DestOptionsDialog"),
         [] {
             auto* dialog = new DestOptionsDialog;
             dialog->setDestination(CupsTestServer::defaultPrinter, false);
             return dialog;
         }},
    };
    return factories;
}

bool showActive(QWidget* window)
{
    window->show();
    QApplication::setActiveWindow(window);
    return QTest::qWaitForWindowActive(window);
}

bool hasLetter(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); });
}

// Buttons that show a symbol or only an icon must still tell what they do.
// Qt names its own scroll and extension arrows.
QStringList unnamedButtons(const QWidget* window)
{
    QStringList unnamed;
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        const auto* tool = qobject_cast<const QToolButton*>(button);
        const bool iconOnly = tool && tool->toolButtonStyle() == Qt::ToolButtonIconOnly;
        if ((hasLetter(button->text()) && !iconOnly) || button->objectName().startsWith(QLatin1String("qt_"))
            || qobject_cast<const QTabBar*>(button->parent()))
            continue;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(button);
        if (!accessible || !hasLetter(accessible->text(QAccessible::Name)) || button->toolTip().isEmpty())
            unnamed << button->text();
    }
    return unnamed;
}

} // namespace

class TestKeyboard : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void dialogTabOrder_data();
    void dialogTabOrder();
    void mainWindow();
    void contextMenuFromKeyboard_data();
    void contextMenuFromKeyboard();

private:

    PrivateBus m_session{PrivateBus::Kind::Session};
    CupsTestServer m_server;
};

void TestKeyboard::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QSettings().clear();
    // Before anything asks Qt for the session bus, or the window would
    // register on the developer's own bus.
    QVERIFY2(m_session.start(), qPrintable(m_session.errorString()));
    m_session.exportAddress();
    const QString reason = CupsTestServer::unavailableReason(CupsTestServer::Mode::Open);
    if (!reason.isEmpty())
        QSKIP(qPrintable(reason));
    QVERIFY2(m_server.start(), qPrintable(m_server.errorString()));
    m_server.pointClientAt();
    // As the program does: the one call that sets up every window.
    tesselInit("1.3.14", "Test");
}

void TestKeyboard::cleanup()
{
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TestKeyboard::dialogTabOrder_data()
{
    QTest::addColumn<QString>("dialog");
    for (auto it = dialogs().cbegin(); it != dialogs().cend(); ++it)
        QTest::newRow(qPrintable(it.key())) << it.key();
}

// Every page of a tabbed dialog is walked from its tab bar.
void TestKeyboard::dialogTabOrder()
{
    QFETCH(QString, dialog);
    std::unique_ptr<QWidget> window(dialogs().value(dialog)());
    QVERIFY(showActive(window.get()));

    auto* tabs = window->findChild<QTabWidget*>();
    const int pages = tabs ? tabs->count() : 1;
    for (int page = 0; page < pages; ++page) {
        if (tabs) {
            tabs->setCurrentIndex(page);
            tabs->tabBar()->setFocus();
        }
        QStringList chain;
        const QString fault = focusOrderFault(window.get(), &chain);
        QVERIFY2(fault.isEmpty(), qPrintable(fault + QLatin1Char('\n') + chain.join(QLatin1Char('\n'))));
    }
    const QStringList unnamed = unnamedButtons(window.get());
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QLatin1String(", "))));
}

// Tab reaches the destination tree from the details; the tool bar's icons
// have names.
void TestKeyboard::mainWindow()
{
    PrinterManager window;
    QVERIFY(showActive(&window));
    auto* browser = window.findChild<PrintersWidget*>();
    QTreeWidget* tree = browser->destinationTree();
    browser->findChild<QTabWidget*>()->tabBar()->setFocus();

    QStringList chain;
    const QString fault = focusOrderFault(&window, &chain);
    QVERIFY2(fault.isEmpty(), qPrintable(fault + QLatin1Char('\n') + chain.join(QLatin1Char('\n'))));
    for (int i = 0; i < chain.size() && !tree->hasFocus(); ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QVERIFY(tree->hasFocus());
    const QStringList unnamed = unnamedButtons(&window);
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QLatin1String(", "))));
}

void TestKeyboard::contextMenuFromKeyboard_data()
{
    QTest::addColumn<bool>("jobList");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");

    QTest::newRow("tree, menu key") << false << int(Qt::Key_Menu) << int(Qt::NoModifier);
    QTest::newRow("tree, shift F10") << false << int(Qt::Key_F10) << int(Qt::ShiftModifier);
    QTest::newRow("job list, menu key") << true << int(Qt::Key_Menu) << int(Qt::NoModifier);
}

// The keyboard opens the same menu as a right click, once, for the item the
// user is on: the stopped printer, whose Pause/resume action resumes it.
void TestKeyboard::contextMenuFromKeyboard()
{
    QFETCH(bool, jobList);
    QFETCH(int, key);
    QFETCH(int, modifiers);

    PrinterManager window;
    QVERIFY(showActive(&window));
    auto* browser = window.findChild<PrintersWidget*>();
    browser->DisplayDest(jobList ? CupsTestServer::defaultPrinter : CupsTestServer::stoppedPrinter, jobList);
    QTreeWidget* view = jobList ? static_cast<QTreeWidget*>(browser->jobWidget()) : browser->destinationTree();
    QTRY_VERIFY(view->isVisible() && view->topLevelItemCount() > 0);
    if (jobList)
        view->setCurrentItem(view->topLevelItem(0));
    view->setFocus();

    QList<QAction*> clicked;
    {
        MenuWatcher watcher;
        const QPoint center = view->visualItemRect(view->currentItem()).center();
        QContextMenuEvent click(QContextMenuEvent::Mouse, center, view->viewport()->mapToGlobal(center));
        QCoreApplication::sendEvent(view->viewport(), &click);
        QTRY_COMPARE(watcher.menus.size(), 1);
        clicked = watcher.menus.first();
    }
    // Where focus lands after a popup closes is the platform's business.
    QApplication::setActiveWindow(&window);
    view->setFocus();
    QTRY_VERIFY(view->hasFocus());
    MenuWatcher watcher;
    QTest::keyClick(view, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QTest::qWait(100);
    QCOMPARE(watcher.menus.size(), 1);
    QCOMPARE(watcher.menus.first(), clicked);
    QVERIFY(watcher.menus.first().contains(jobList ? browser->jobWidget()->cancelAction : browser->playAction()));
    if (!jobList)
        QCOMPARE(AcceleratorManager::withoutMnemonic(browser->playAction()->text()), QStringLiteral("Resume"));
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
