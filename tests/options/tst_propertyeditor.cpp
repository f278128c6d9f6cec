#include "PropertyEditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QMenu>
#include <QtTest>

namespace {

const QVariantMap finishings = {{QStringLiteral("3"), QStringLiteral("None")},
                                {QStringLiteral("4"), QStringLiteral("Staple")},
                                {QStringLiteral("60"), QString()}};

// Opens the editor's context menu at the middle of a rectangle of its
// viewport and returns the texts of the menu's actions (none when no menu
// came up). The menu is closed without choosing, or with the given action.
QStringList menuAt(PropertyEditor& editor, const QPoint& pos, const QString& choose = QString())
{
    QStringList texts;
    bool shown = false;
    QTimer::singleShot(0, &editor, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        shown = true;
        QAction* chosen = nullptr;
        for (QAction* action : menu->actions()) {
            texts << action->text();
            if (action->text() == choose)
                chosen = action;
        }
        if (chosen) {
            menu->setActiveAction(chosen);
            QTest::keyClick(menu, Qt::Key_Return);
        } else {
            menu->close();
        }
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, editor.viewport()->mapToGlobal(pos));
    QApplication::sendEvent(editor.viewport(), &event);
    QCoreApplication::processEvents();
    return shown ? texts : QStringList();
}

QPoint centreOf(PropertyEditor& editor, QTreeWidgetItem* item)
{
    return editor.visualItemRect(item).center();
}

} // namespace

class TestPropertyEditor : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void comboShowsLabelOrValue();
    void readsValuesOfEveryKind();
    void keys_data();
    void keys();
    void deletingLastValueLeavesEmptyList();
    void contextMenu_data();
    void contextMenu();
    void menuAddsAndDeletes();
};

void TestPropertyEditor::cleanup()
{
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TestPropertyEditor::comboShowsLabelOrValue()
{
    PropertyEditor editor;
    QTreeWidgetItem* row = editor.addComboBoxRow(QStringLiteral("finishings"), nullptr, finishings,
                                                 QStringLiteral("60"));
    auto* box = qobject_cast<QComboBox*>(editor.itemWidget(row, 1));
    QVERIFY(box);
    QCOMPARE(box->currentText(), QStringLiteral("60"));
    QCOMPARE(box->itemText(box->findData(QStringLiteral("4"))), QStringLiteral("Staple"));
    QVERIFY(!row->icon(0).isNull());
    QCOMPARE(row->data(0, PropertyEditor::KindRole).toInt(), int(PropertyEditor::ComboBox));
}

void TestPropertyEditor::readsValuesOfEveryKind()
{
    PropertyEditor editor;
    QTreeWidgetItem* check = editor.addCheckBoxRow(QStringLiteral("c"), nullptr, false);
    QCOMPARE(editor.values(check), QStringList{QStringLiteral("0")});
    // A partly checked box does not count as set.
    auto* box = qobject_cast<QCheckBox*>(editor.itemWidget(check, 1));
    box->setTristate(true);
    box->setCheckState(Qt::PartiallyChecked);
    QCOMPARE(editor.values(check), QStringList{QStringLiteral("0")});
    box->setCheckState(Qt::Checked);
    QCOMPARE(editor.values(check), QStringList{QStringLiteral("1")});
    QTreeWidgetItem* list = editor.addComboBoxListRow(QStringLiteral("d"), finishings,
                                                      {QStringLiteral("4"), QStringLiteral("60")});
    QCOMPARE(editor.values(list), (QStringList{QStringLiteral("4"), QStringLiteral("60")}));
    QVERIFY(list->isExpanded());
    QCOMPARE(list->child(0)->text(0), QStringLiteral("value"));
}

void TestPropertyEditor::keys_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("values");
    QTest::addColumn<QString>("current");
    // Typed into the value's own combo box, as a user does.
    QTest::newRow("insertInValueWidget") << "valueWidget" << int(Qt::Key_Insert) << 3 << "value";
    QTest::newRow("deleteInValueWidget") << "valueWidget" << int(Qt::Key_Delete) << 1 << "list";
    QTest::newRow("insertOnList") << "list" << int(Qt::Key_Insert) << 3 << "value";
    QTest::newRow("deleteOnListIgnored") << "list" << int(Qt::Key_Delete) << 2 << "list";
    QTest::newRow("plainRowIgnored") << "plain" << int(Qt::Key_Delete) << 2 << "plain";
}

void TestPropertyEditor::keys()
{
    QFETCH(QString, target);
    QFETCH(int, key);
    QFETCH(int, values);
    QFETCH(QString, current);
    PropertyEditor editor;
    QTreeWidgetItem* list = editor.addComboBoxListRow(QStringLiteral("finishings"), finishings,
                                                      {QStringLiteral("3"), QStringLiteral("4")});
    QTreeWidgetItem* plain = editor.addSpinBoxRow(QStringLiteral("plain"), nullptr, 1, 0, 5);
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));

    QWidget* receiver = &editor;
    if (target == QLatin1String("valueWidget")) {
        editor.setCurrentItem(plain);
        receiver = editor.itemWidget(list->child(0), 1);
    } else {
        editor.setCurrentItem(target == QLatin1String("list") ? list : plain);
    }
    QTest::keyClick(receiver, Qt::Key(key));

    QCOMPARE(list->childCount(), values);
    QVERIFY(list->isExpanded());
    QTreeWidgetItem* now = editor.currentItem();
    if (current == QLatin1String("value")) {
        QCOMPARE(now->parent(), list);
        // A new value offers every choice, directly under the same list.
        QCOMPARE(qobject_cast<QComboBox*>(editor.itemWidget(now, 1))->count(), finishings.size());
    } else {
        QCOMPARE(now, current == QLatin1String("list") ? list : plain);
    }
}

void TestPropertyEditor::deletingLastValueLeavesEmptyList()
{
    PropertyEditor editor;
    QTreeWidgetItem* list = editor.addComboBoxListRow(QStringLiteral("finishings"), finishings,
                                                      {QStringLiteral("4")});
    editor.setCurrentItem(list->child(0));
    QTest::keyClick(&editor, Qt::Key_Delete);
    QCOMPARE(editor.topLevelItemCount(), 1);
    QCOMPARE(list->childCount(), 0);
    QVERIFY(editor.values(list).isEmpty());
}

void TestPropertyEditor::contextMenu_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QStringList>("actions");
    QTest::newRow("listRow") << "list" << QStringList{QStringLiteral("Add")};
    QTest::newRow("value") << "value" << QStringList{QStringLiteral("Add"), QStringLiteral("Delete")};
    QTest::newRow("plainRow") << "plain" << QStringList();
    QTest::newRow("emptySpace") << "empty" << QStringList();
}

void TestPropertyEditor::contextMenu()
{
    QFETCH(QString, target);
    QFETCH(QStringList, actions);
    PropertyEditor editor;
    editor.resize(400, 400);
    QTreeWidgetItem* list = editor.addComboBoxListRow(QStringLiteral("finishings"), finishings,
                                                      {QStringLiteral("4")});
    QTreeWidgetItem* plain = editor.addLineEditRow(QStringLiteral("plain"), nullptr, QString(), 10);
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    QPoint pos(10, editor.viewport()->height() - 5);
    if (target == QLatin1String("list"))
        pos = centreOf(editor, list);
    else if (target == QLatin1String("value"))
        pos = centreOf(editor, list->child(0));
    else if (target == QLatin1String("plain"))
        pos = centreOf(editor, plain);
    QCOMPARE(menuAt(editor, pos), actions);
}

void TestPropertyEditor::menuAddsAndDeletes()
{
    PropertyEditor editor;
    editor.resize(400, 400);
    QTreeWidgetItem* list = editor.addComboBoxListRow(QStringLiteral("finishings"), finishings,
                                                      {QStringLiteral("4")});
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    menuAt(editor, centreOf(editor, list), QStringLiteral("Add"));
    QCOMPARE(list->childCount(), 2);
    QCOMPARE(editor.currentItem(), list->child(1));
    menuAt(editor, centreOf(editor, list->child(0)), QStringLiteral("Delete"));
    QCOMPARE(list->childCount(), 1);
    QCOMPARE(editor.currentItem(), list);
    QCOMPARE(editor.values(list), QStringList{QStringLiteral("3")});
}

QTEST_MAIN(TestPropertyEditor)
#include "tst_propertyeditor.moc"
