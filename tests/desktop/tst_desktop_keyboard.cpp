#include "AcceleratorManager.h"
#include "KeyboardContextMenu.h"
#include "TesselInit.h"

#include <QAction>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTextDocument>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest>

#include <functional>

namespace {

// Every text the user can reach with a mnemonic, with its owner, as shown now.
struct Shown
{
    QString text;
    QString owner;
};

QList<Shown> reachableTexts(QWidget* window)
{
    QList<Shown> texts;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (!widget->isVisible() || widget->window() != window)
            continue;
        if (auto* bar = qobject_cast<QMenuBar*>(widget)) {
            for (QAction* action : bar->actions())
                texts.append({action->text(), QStringLiteral("menu bar")});
        } else if (auto* tabs = qobject_cast<QTabBar*>(widget)) {
            for (int i = 0; i < tabs->count(); ++i)
                texts.append({tabs->tabText(i), QStringLiteral("tab %1").arg(i)});
        } else if (qobject_cast<QToolButton*>(widget)) {
            continue;
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            texts.append({button->text(), widget->objectName()});
        } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
            texts.append({group->title(), widget->objectName()});
        } else if (auto* label = qobject_cast<QLabel*>(widget);
                   label && label->buddy() && !Qt::mightBeRichText(label->text())) {
            texts.append({label->text(), widget->objectName()});
        }
    }
    return texts;
}

// Fails with the clashing texts when two of them share a key, or with the
// bare text when one has none.
QString mnemonicFault(const QList<Shown>& texts)
{
    QHash<QChar, QString> keys;
    for (const Shown& shown : texts) {
        const int position = AcceleratorManager::mnemonicPosition(shown.text);
        if (position < 0)
            return QStringLiteral("no mnemonic: ") + shown.text;
        const QChar key = shown.text.at(position).toUpper();
        if (keys.contains(key))
            return QStringLiteral("same key: %1 and %2").arg(keys.value(key), shown.text);
        keys.insert(key, shown.text);
    }
    return QString();
}

QStringList actionTexts(const QList<QAction*>& actions)
{
    QStringList texts;
    for (const QAction* action : actions) {
        if (!action->isSeparator())
            texts << action->text();
    }
    return texts;
}

// Records each popup menu that opens while it lives, then closes it.
class MenuWatcher : public QObject
{
public:
    MenuWatcher()
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                menus << actionTexts(menu->actions());
                positions << menu->pos();
                menu->close();
            }
        });
        m_timer.start(10);
    }

    QList<QStringList> menus;
    QList<QPoint> positions;

private:
    QTimer m_timer;
};

} // namespace

class TestDesktopKeyboard : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void mnemonicPosition_data();
    void mnemonicPosition();
    void withMnemonic_data();
    void withMnemonic();
    void windowScope();
    void textsChangedWhileShown();
    void hiddenPagesShareLetters();
    void sharedActionsAcrossMenus();
    void keyboardContextMenu_data();
    void keyboardContextMenu();
    void platformMenuEventOpensOnce();
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

void TestDesktopKeyboard::mnemonicPosition_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("shown");

    QTest::newRow("first") << "&File" << 1 << "File";
    QTest::newRow("inner") << "E&xit" << 2 << "Exit";
    QTest::newRow("literal") << "&&File" << -1 << "&&File";
    QTest::newRow("literal then marker") << "A&&B &C" << 6 << "A&&B C";
    QTest::newRow("trailing") << "Save&" << -1 << "Save&";
    QTest::newRow("empty") << "" << -1 << "";
}

void TestDesktopKeyboard::mnemonicPosition()
{
    QFETCH(QString, text);
    QFETCH(int, position);
    QFETCH(QString, shown);
    QCOMPARE(AcceleratorManager::mnemonicPosition(text), position);
    QCOMPARE(AcceleratorManager::withoutMnemonic(text), shown);
}

void TestDesktopKeyboard::withMnemonic_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("taken");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("takenAfter");

    QTest::newRow("first letter") << "Reload" << "" << "&Reload" << "R";
    QTest::newRow("next word") << "Print test page" << "P" << "Print &test page" << "PT";
    QTest::newRow("other letter") << "Pause" << "P" << "P&ause" << "PA";
    QTest::newRow("case blind") << "pause" << "PA" << "pa&use" << "PAU";
    QTest::newRow("cyrillic") << QString::fromUtf8("Печать") << "" << QString::fromUtf8("&Печать")
                              << QString::fromUtf8("П");
    QTest::newRow("cyrillic taken") << QString::fromUtf8("печать") << QString::fromUtf8("П")
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

    QSet<QChar> keys;
    for (const QChar c : taken)
        keys.insert(c);
    QCOMPARE(AcceleratorManager::withMnemonic(text, &keys), expected);
    QSet<QChar> expectedKeys;
    for (const QChar c : takenAfter)
        expectedKeys.insert(c);
    QCOMPARE(keys, expectedKeys);
    QCOMPARE(AcceleratorManager::withoutMnemonic(expected), text);
}

// One scope: the menu bar, the tab titles, the button box and the fields.
void TestDesktopKeyboard::windowScope()
{
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("File"));
    window.menuBar()->addMenu(QStringLiteral("&Edit"));
    auto* central = new QWidget(&window);
    auto* layout = new QVBoxLayout(central);
    auto* field = new QLineEdit(central);
    auto* fieldLabel = new QLabel(QStringLiteral("Filter:"), central);
    fieldLabel->setBuddy(field);
    auto* richLabel = new QLabel(QStringLiteral("<b>Filter</b>"), central);
    richLabel->setBuddy(field);
    auto* plainLabel = new QLabel(QStringLiteral("Status"), central);
    auto* exit = new QPushButton(QStringLiteral("E&xit"), central);
    auto* follow = new QCheckBox(QStringLiteral("Follow"), central);
    auto* group = new QGroupBox(QStringLiteral("Files"), central);
    auto* tool = new QToolButton(central);
    tool->setText(QStringLiteral("Tool"));
    auto* tabs = new QTabWidget(central);
    tabs->addTab(new QWidget, QStringLiteral("Fonts"));
    tabs->addTab(new QWidget, QStringLiteral("Fields"));
    auto* buttons = new QDialogButtonBox(central);
    buttons->addButton(QStringLiteral("Apply"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    for (QWidget* widget : {static_cast<QWidget*>(fieldLabel), static_cast<QWidget*>(field),
                            static_cast<QWidget*>(richLabel), static_cast<QWidget*>(plainLabel),
                            static_cast<QWidget*>(exit), static_cast<QWidget*>(follow), static_cast<QWidget*>(group),
                            static_cast<QWidget*>(tool), static_cast<QWidget*>(tabs),
                            static_cast<QWidget*>(buttons)})
        layout->addWidget(widget);
    window.setCentralWidget(central);
    window.show();

    const QList<Shown> texts = reachableTexts(&window);
    QCOMPARE(texts.size(), 10);
    const QString fault = mnemonicFault(texts);
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
    QCOMPARE(exit->text(), QStringLiteral("E&xit"));
    QCOMPARE(window.menuBar()->actions().at(1)->text(), QStringLiteral("&Edit"));
    for (const Shown& shown : qAsConst(texts))
        QVERIFY(!AcceleratorManager::withoutMnemonic(shown.text).contains(QLatin1Char('&')));
    QCOMPARE(richLabel->text(), QStringLiteral("<b>Filter</b>"));
    QCOMPARE(plainLabel->text(), QStringLiteral("Status"));
    QCOMPARE(tool->text(), QStringLiteral("Tool"));
    // The label's mnemonic moves the focus to its field.
    QCOMPARE(fieldLabel->text().count(QLatin1Char('&')), 1);
}

void TestDesktopKeyboard::textsChangedWhileShown()
{
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    auto* pause = new QPushButton(QStringLiteral("Pause"), &dialog);
    auto* stop = new QPushButton(QStringLiteral("Stop"), &dialog);
    layout->addWidget(pause);
    layout->addWidget(stop);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(pause->text(), QStringLiteral("&Pause"));

    // The code flips the button; a language change retranslates both.
    pause->setText(QStringLiteral("Resume"));
    QTRY_COMPARE(pause->text(), QStringLiteral("&Resume"));
    pause->setText(QStringLiteral("Пауза"));
    stop->setText(QStringLiteral("Печать"));
    QTRY_VERIFY(AcceleratorManager::mnemonicPosition(stop->text()) >= 0);
    QTRY_VERIFY(AcceleratorManager::mnemonicPosition(pause->text()) >= 0);
    const QString fault = mnemonicFault({{pause->text(), {}}, {stop->text(), {}}});
    QVERIFY2(fault.isEmpty(), qPrintable(fault));

    // A text without any letter is left alone, and not tried again and again.
    pause->setText(QStringLiteral(">"));
    QTest::qWait(50);
    QCOMPARE(pause->text(), QStringLiteral(">"));
}

void TestDesktopKeyboard::hiddenPagesShareLetters()
{
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    auto* tabs = new QTabWidget(&dialog);
    auto* first = new QWidget;
    auto* second = new QWidget;
    auto* firstButton = new QPushButton(QStringLiteral("Add"), first);
    auto* secondButton = new QPushButton(QStringLiteral("Add"), second);
    tabs->addTab(first, QStringLiteral("Alpha"));
    tabs->addTab(second, QStringLiteral("Beta"));
    layout->addWidget(tabs);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(firstButton->text(), QStringLiteral("A&dd"));

    tabs->setCurrentIndex(1);
    QTRY_COMPARE(secondButton->text(), QStringLiteral("A&dd"));
    QCOMPARE(tabs->tabText(0), QStringLiteral("&Alpha"));
    const QString fault = mnemonicFault(reachableTexts(&dialog));
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
}

// An action shared by two menus takes a letter in each that is unique there;
// a hand-written mnemonic wins over one the manager chose.
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
    QMenu* submenu = second.addMenu(QStringLiteral("Recent"));
    submenu->addAction(QStringLiteral("Reload"));

    first.popup(QPoint(0, 0));
    QCOMPARE(remove.text(), QStringLiteral("&Remove"));
    first.close();
    second.popup(QPoint(0, 0));
    QCOMPARE(rename.text(), QStringLiteral("&Rename"));
    const QStringList texts = actionTexts(second.actions());
    const QString fault = mnemonicFault({{texts.at(0), {}}, {texts.at(1), {}}, {texts.at(2), {}}});
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
    // The submenu is a scope of its own.
    submenu->popup(QPoint(0, 0));
    QCOMPARE(submenu->actions().at(0)->text(), QStringLiteral("&Reload"));
    submenu->close();
    second.close();
}

void TestDesktopKeyboard::keyboardContextMenu_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("menus");

    QTest::newRow("menu key") << int(Qt::Key_Menu) << int(Qt::NoModifier) << 1;
    QTest::newRow("shift F10") << int(Qt::Key_F10) << int(Qt::ShiftModifier) << 1;
    QTest::newRow("plain F10") << int(Qt::Key_F10) << int(Qt::NoModifier) << 0;
    QTest::newRow("control menu key") << int(Qt::Key_Menu) << int(Qt::ControlModifier) << 0;
}

void TestDesktopKeyboard::keyboardContextMenu()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, menus);

    QListWidget list;
    for (int i = 0; i < 40; ++i)
        list.addItem(QStringLiteral("item %1").arg(i));
    list.setContextMenuPolicy(Qt::ActionsContextMenu);
    list.addAction(new QAction(QStringLiteral("Open"), &list));
    list.resize(200, 200);
    list.show();
    QApplication::setActiveWindow(&list);
    QVERIFY(QTest::qWaitForWindowActive(&list));
    list.setFocus();
    // Scrolled out of view: the menu points at the item, brought into view.
    list.setCurrentRow(30);
    list.scrollToTop();

    MenuWatcher watcher;
    QTest::keyClick(&list, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QTest::qWait(100);
    QCOMPARE(watcher.menus.size(), menus);
    if (menus) {
        QCOMPARE(watcher.menus.first(), QStringList{QStringLiteral("&Open")});
        const QRect item = list.visualItemRect(list.item(30));
        QVERIFY(list.viewport()->rect().contains(item.center()));
        QCOMPARE(watcher.positions.first(), list.viewport()->mapToGlobal(item.center()));
    }
}

// Platforms that turn the Menu key into a context-menu event of their own
// send it right behind the key press.
void TestDesktopKeyboard::platformMenuEventOpensOnce()
{
    QListWidget list;
    list.addItem(QStringLiteral("item"));
    list.setContextMenuPolicy(Qt::ActionsContextMenu);
    list.addAction(new QAction(QStringLiteral("Open"), &list));
    list.show();
    QApplication::setActiveWindow(&list);
    QVERIFY(QTest::qWaitForWindowActive(&list));
    list.setFocus();
    list.setCurrentRow(0);

    MenuWatcher watcher;
    QTest::keyPress(&list, Qt::Key_Menu);
    const QPoint position = KeyboardContextMenu::menuPosition(&list);
    QContextMenuEvent platformEvent(QContextMenuEvent::Keyboard, position, list.mapToGlobal(position));
    QCoreApplication::sendEvent(&list, &platformEvent);
    QTest::keyRelease(&list, Qt::Key_Menu);
    QTest::qWait(100);
    QCOMPARE(watcher.menus.size(), 1);
}

QTEST_MAIN(TestDesktopKeyboard)
#include "tst_desktop_keyboard.moc"
