#include "AcceleratorManager.h"
#include "KeyboardContextMenu.h"
#include "MenuWatcher.h"
#include "TesselInit.h"

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QtTest>

namespace {

// The texts of the window's menu titles, tabs, buttons and labels with a buddy
// that are shown now.
QStringList reachableTexts(QWidget* window)
{
    QStringList texts;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (!widget->isVisible())
            continue;
        if (auto* bar = qobject_cast<QMenuBar*>(widget)) {
            for (QAction* action : bar->actions())
                texts << action->text();
        } else if (auto* tabs = qobject_cast<QTabBar*>(widget)) {
            for (int i = 0; i < tabs->count(); ++i)
                texts << tabs->tabText(i);
        } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
            texts << button->text();
        } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
            texts << check->text();
        } else if (auto* label = qobject_cast<QLabel*>(widget); label && label->buddy()) {
            texts << label->text();
        }
    }
    return texts;
}

// What is wrong with the mnemonics of texts shown together, or nothing.
QString mnemonicFault(const QStringList& texts)
{
    QHash<QChar, QString> keys;
    for (const QString& text : texts) {
        const int position = AcceleratorManager::mnemonicPosition(text);
        if (position < 0)
            return QStringLiteral("no mnemonic: ") + text;
        const QChar key = text.at(position).toUpper();
        if (keys.contains(key))
            return QStringLiteral("same key: %1 and %2").arg(keys.value(key), text);
        keys.insert(key, text);
    }
    return QString();
}

QSet<QChar> keySet(const QString& keys)
{
    QSet<QChar> set;
    for (const QChar c : keys)
        set.insert(c);
    return set;
}

} // namespace

class TestDesktopKeyboard : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void withMnemonic_data();
    void withMnemonic();
    void windowScope();
    void textsChangedWhileShown();
    void sharedActionsAcrossMenus();
    void keyboardContextMenu_data();
    void keyboardContextMenu();
};

void TestDesktopKeyboard::initTestCase()
{
    // As the program does: the one call that sets up every window.
    tesselInit("1.3.14", "Test");
}

void TestDesktopKeyboard::cleanup()
{
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TestDesktopKeyboard::withMnemonic_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("taken");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("takenAfter");

    QTest::newRow("first letter") << "Reload" << "" << "&Reload" << "R";
    QTest::newRow("next word") << "Print test page" << "P" << "Print &test page" << "PT";
    QTest::newRow("case blind") << "pause" << "PA" << "pa&use" << "PAU";
    QTest::newRow("cyrillic") << QString::fromUtf8("печать") << QString::fromUtf8("П")
                              << QString::fromUtf8("п&ечать") << QString::fromUtf8("ПЕ");
    QTest::newRow("digit") << "2 copies" << "" << "&2 copies" << "2";
    QTest::newRow("all taken") << "ab" << "AB" << "ab" << "AB";
    QTest::newRow("no letter") << "..." << "" << "..." << "";
    QTest::newRow("after literal ampersand") << "&&Save" << "" << "&&S&ave" << "A";
    QTest::newRow("before literal ampersand") << "R&&D" << "R" << "R&&D" << "R";
}

void TestDesktopKeyboard::withMnemonic()
{
    QFETCH(QString, text);
    QFETCH(QString, taken);
    QFETCH(QString, expected);
    QFETCH(QString, takenAfter);

    QSet<QChar> keys = keySet(taken);
    QCOMPARE(AcceleratorManager::withMnemonic(text, &keys), expected);
    QCOMPARE(keys, keySet(takenAfter));
    QCOMPARE(AcceleratorManager::withoutMnemonic(expected), text);
}

// One scope: the menu bar, the tabs, the buttons and the labels with a buddy;
// a hidden page may reuse the letters of the page shown.
void TestDesktopKeyboard::windowScope()
{
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("File"));
    window.menuBar()->addMenu(QStringLiteral("&Edit"));
    auto* central = new QWidget(&window);
    auto* layout = new QVBoxLayout(central);
    auto* field = new QLineEdit(central);
    auto* label = new QLabel(QStringLiteral("Filter:"), central);
    label->setBuddy(field);
    auto* plain = new QLabel(QStringLiteral("Status"), central);
    auto* exit = new QPushButton(QStringLiteral("E&xit"), central);
    auto* follow = new QCheckBox(QStringLiteral("Follow"), central);
    auto* tabs = new QTabWidget(central);
    auto* first = new QPushButton(QStringLiteral("Add"));
    auto* second = new QPushButton(QStringLiteral("Add"));
    tabs->addTab(first, QStringLiteral("Fonts"));
    tabs->addTab(second, QStringLiteral("Fields"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Apply | QDialogButtonBox::Cancel, central);
    for (QWidget* widget : QList<QWidget*>{label, field, plain, exit, follow, tabs, buttons})
        layout->addWidget(widget);
    window.setCentralWidget(central);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QString fault = mnemonicFault(reachableTexts(&window));
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
    QCOMPARE(exit->text(), QStringLiteral("E&xit"));
    QCOMPARE(window.menuBar()->actions().at(1)->text(), QStringLiteral("&Edit"));
    QCOMPARE(plain->text(), QStringLiteral("Status"));

    tabs->setCurrentIndex(1);
    QTRY_COMPARE(second->text(), first->text());
    fault = mnemonicFault(reachableTexts(&window));
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
}

void TestDesktopKeyboard::textsChangedWhileShown()
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* pause = new QPushButton(QStringLiteral("Pause"), &window);
    auto* stop = new QPushButton(QStringLiteral("Stop"), &window);
    layout->addWidget(pause);
    layout->addWidget(stop);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(pause->text(), QStringLiteral("&Pause"));

    // The code flips the button; a new language retranslates both.
    pause->setText(QStringLiteral("Resume"));
    QTRY_COMPARE(pause->text(), QStringLiteral("&Resume"));
    pause->setText(QString::fromUtf8("Пауза"));
    stop->setText(QString::fromUtf8("Печать"));
    QTRY_VERIFY(mnemonicFault({pause->text(), stop->text()}).isEmpty());
}

// An action in two menus gets a letter unique in each; a mnemonic written by
// hand wins over one the manager chose.
void TestDesktopKeyboard::sharedActionsAcrossMenus()
{
    QWidget owner;
    QAction remove(QStringLiteral("Remove"));
    QAction rename(QStringLiteral("&Rename"));
    QMenu first(&owner);
    first.addAction(&remove);
    QMenu second(&owner);
    second.addAction(&rename);
    second.addSeparator();
    second.addAction(&remove);

    first.popup(QPoint(0, 0));
    QCOMPARE(remove.text(), QStringLiteral("&Remove"));
    first.close();
    second.popup(QPoint(0, 0));
    QCOMPARE(rename.text(), QStringLiteral("&Rename"));
    QCOMPARE(remove.text(), QStringLiteral("R&emove"));
    second.close();
}

void TestDesktopKeyboard::keyboardContextMenu_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("platformEvent");
    QTest::addColumn<int>("menus");

    QTest::newRow("menu key") << int(Qt::Key_Menu) << int(Qt::NoModifier) << false << 1;
    QTest::newRow("shift F10") << int(Qt::Key_F10) << int(Qt::ShiftModifier) << false << 1;
    // Platforms that make a context-menu event of the Menu key send it right
    // behind the key press.
    QTest::newRow("menu key and platform event") << int(Qt::Key_Menu) << int(Qt::NoModifier) << true << 1;
    QTest::newRow("plain F10") << int(Qt::Key_F10) << int(Qt::NoModifier) << false << 0;
    QTest::newRow("control menu key") << int(Qt::Key_Menu) << int(Qt::ControlModifier) << false << 0;
}

void TestDesktopKeyboard::keyboardContextMenu()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, platformEvent);
    QFETCH(int, menus);

    QListWidget list;
    for (int i = 0; i < 40; ++i)
        list.addItem(QStringLiteral("item %1").arg(i));
    list.setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* open = new QAction(QStringLiteral("Open"), &list);
    list.addAction(open);
    list.resize(200, 200);
    list.show();
    QApplication::setActiveWindow(&list);
    QVERIFY(QTest::qWaitForWindowActive(&list));
    list.setFocus();
    // Scrolled out of view: the menu points at the item, brought into view.
    list.setCurrentRow(30);
    list.scrollToTop();

    MenuWatcher watcher;
    QTest::keyPress(&list, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    if (platformEvent) {
        const QPoint position = KeyboardContextMenu::menuPosition(&list);
        QContextMenuEvent event(QContextMenuEvent::Keyboard, position, list.mapToGlobal(position));
        QCoreApplication::sendEvent(&list, &event);
    }
    QTest::keyRelease(&list, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QTest::qWait(100);
    QCOMPARE(watcher.menus.size(), menus);
    if (menus) {
        QCOMPARE(watcher.menus.first(), QList<QAction*>{open});
        const QRect item = list.visualItemRect(list.item(30));
        QVERIFY(list.viewport()->rect().contains(item.center()));
        QCOMPARE(watcher.positions.first(), list.viewport()->mapToGlobal(item.center()));
    }
}

QTEST_MAIN(TestDesktopKeyboard)
#include "tst_desktop_keyboard.moc"
