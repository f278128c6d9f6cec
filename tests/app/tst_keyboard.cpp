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
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QSettings>
#include <QTimer>
#include <QToolBar>
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

// Buttons that show a symbol instead of words, and tool bar buttons that show
// only an icon, must still tell what they do.
QStringList unnamedButtons(const QWidget* window)
{
    QStringList unnamed;
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        const QString text = AcceleratorManager::withoutMnemonic(button->text());
        const bool hasWords = std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); });
        const auto* tool = qobject_cast<const QToolButton*>(button);
        const bool iconOnly = tool && tool->toolButtonStyle() == Qt::ToolButtonIconOnly && !button->icon().isNull();
        // Qt's own scroll and extension arrows are named by Qt.
        if ((hasWords && !iconOnly) || button->objectName().startsWith(QLatin1String("qt_"))
            || qobject_cast<const QTabBar*>(button->parent()))
            continue;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(button);
        const QString name = accessible ? accessible->text(QAccessible::Name) : QString();
        const bool named = !name.isEmpty() && std::any_of(name.begin(), name.end(), [](QChar c) { return c.isLetter(); });
        if (!named || button->toolTip().isEmpty())
            unnamed << QStringLiteral("%1 %2 \"%3\" in %4")
                           .arg(QString::fromLatin1(button->metaObject()->className()), button->objectName(), text,
                                QString::fromLatin1(button->parent()->metaObject()->className()));
    }
    return unnamed;
}

// Records each popup menu that opens while it lives, then closes it.
class MenuWatcher : public QObject
{
public:
    MenuWatcher()
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                QList<QAction*> actions;
                // Each menu makes separators of its own.
                for (QAction* action : menu->actions())
                    actions << (action->isSeparator() ? nullptr : action);
                menus << actions;
                menu->close();
            }
        });
        m_timer.start(10);
    }

    QList<QList<QAction*>> menus;

private:
    QTimer m_timer;
};

} // namespace

class TestKeyboard : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void dialogTabOrder_data();
    void dialogTabOrder();
    void mainWindowTabReachesTree();
    void treeContextMenuFromKeyboard_data();
    void treeContextMenuFromKeyboard();
    void jobListContextMenuFromKeyboard();
    void mainWindowButtonsAreNamed();

private:
    std::unique_ptr<PrinterManager> openMainWindow();

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

// Every page of a tabbed dialog is walked from its tab bar; the symbol
// buttons are checked on the way.
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
        QVERIFY2(fault.isEmpty(), qPrintable(QStringLiteral("page %1: %2\n%3").arg(page).arg(fault,
                                                                                        chain.join(QLatin1Char('\n')))));
    }
    const QStringList unnamed = unnamedButtons(window.get());
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QLatin1String(", "))));
}

std::unique_ptr<PrinterManager> TestKeyboard::openMainWindow()
{
    auto window = std::make_unique<PrinterManager>();
    if (!showActive(window.get()))
        return nullptr;
    return window;
}

void TestKeyboard::mainWindowTabReachesTree()
{
    const auto window = openMainWindow();
    QVERIFY(window);
    auto* browser = window->findChild<PrintersWidget*>();
    auto* tree = browser->destinationTree();
    auto* tabs = browser->findChild<QTabWidget*>();
    tabs->tabBar()->setFocus();

    QStringList chain;
    const QString fault = focusOrderFault(window.get(), &chain);
    QVERIFY2(fault.isEmpty(), qPrintable(fault + QLatin1Char('\n') + chain.join(QLatin1Char('\n'))));
    tabs->tabBar()->setFocus();
    for (int i = 0; i < chain.size() && !tree->hasFocus(); ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QVERIFY(tree->hasFocus());
}

void TestKeyboard::treeContextMenuFromKeyboard_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");

    QTest::newRow("menu key") << int(Qt::Key_Menu) << int(Qt::NoModifier);
    QTest::newRow("shift F10") << int(Qt::Key_F10) << int(Qt::ShiftModifier);
}

// The keyboard opens the same menu as a right click, once, for the item the
// user is on.
void TestKeyboard::treeContextMenuFromKeyboard()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);

    const auto window = openMainWindow();
    QVERIFY(window);
    auto* browser = window->findChild<PrintersWidget*>();
    auto* tree = browser->destinationTree();
    browser->DisplayDest(CupsTestServer::stoppedPrinter);
    tree->setFocus();
    QTRY_VERIFY(tree->hasFocus());

    QList<QAction*> mouseMenu;
    {
        MenuWatcher watcher;
        const QRect item = tree->visualItemRect(tree->currentItem());
        QContextMenuEvent click(QContextMenuEvent::Mouse, item.center(), tree->viewport()->mapToGlobal(item.center()));
        QCoreApplication::sendEvent(tree->viewport(), &click);
        QTRY_COMPARE(watcher.menus.size(), 1);
        mouseMenu = watcher.menus.first();
    }

    QTRY_VERIFY(tree->hasFocus());
    MenuWatcher watcher;
    QTest::keyClick(tree, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QTest::qWait(100);
    QCOMPARE(watcher.menus.size(), 1);
    QCOMPARE(watcher.menus.first(), mouseMenu);
    QVERIFY(watcher.menus.first().contains(browser->playAction()));
    QCOMPARE(tree->currentItem()->text(0), CupsTestServer::stoppedPrinter);
    // The stopped printer's action resumes it: the menu acts on that item.
    QVERIFY(browser->playAction()->isEnabled());
}

void TestKeyboard::jobListContextMenuFromKeyboard()
{
    const auto window = openMainWindow();
    QVERIFY(window);
    auto* browser = window->findChild<PrintersWidget*>();
    JobWidget* jobs = browser->jobWidget();
    browser->DisplayDest(CupsTestServer::defaultPrinter, true);
    QTRY_VERIFY(jobs->isVisible());
    QTRY_VERIFY(jobs->topLevelItemCount() > 0);
    jobs->setCurrentItem(jobs->topLevelItem(0));
    jobs->setFocus();
    QTRY_VERIFY(jobs->hasFocus());

    MenuWatcher watcher;
    QTest::keyClick(jobs, Qt::Key_Menu);
    QTest::qWait(100);
    QCOMPARE(watcher.menus.size(), 1);
    QVERIFY(watcher.menus.first().contains(jobs->cancelAction));
}

void TestKeyboard::mainWindowButtonsAreNamed()
{
    const auto window = openMainWindow();
    QVERIFY(window);
    const QStringList unnamed = unnamedButtons(window.get());
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QLatin1String(", "))));
    QVERIFY(!window->findChildren<QToolBar*>().isEmpty());
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
