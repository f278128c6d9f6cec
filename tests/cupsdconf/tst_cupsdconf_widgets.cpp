#include "AddEditDelTreeWidget.h"
#include "BrowsePollDialog.h"
#include "BrowseRelayDialog.h"
#include "ListenDialog.h"
#include "NOTValidator.h"
#include "PassEnvDialog.h"
#include "SetEnvDialog.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTimer>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(QTreeWidgetItem*)

namespace {

std::unique_ptr<ConfigEntryDialog> makeDialog(const QString& which)
{
    if (which == QLatin1String("poll"))
        return std::make_unique<BrowsePollDialog>();
    if (which == QLatin1String("relay"))
        return std::make_unique<BrowseRelayDialog>();
    if (which == QLatin1String("passEnv"))
        return std::make_unique<PassEnvDialog>();
    if (which == QLatin1String("setEnv"))
        return std::make_unique<SetEnvDialog>();
    return std::make_unique<ListenDialog>();
}

QList<QLineEdit*> textFields(const QWidget* dialog)
{
    QList<QLineEdit*> fields;
    for (QLineEdit* edit : dialog->findChildren<QLineEdit*>()) {
        if (!qobject_cast<QSpinBox*>(edit->parentWidget()))
            fields << edit;
    }
    return fields;
}

// Types into every text field of the dialog the next exec() shows, then presses button.
void typeAndPress(const QString& typed, QDialogButtonBox::StandardButton button)
{
    QTimer::singleShot(0, [typed, button] {
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        for (QLineEdit* edit : textFields(modal))
            QTest::keyClicks(edit, typed);
        QTest::mouseClick(modal->findChild<QDialogButtonBox*>()->button(button), Qt::LeftButton);
    });
}

} // namespace

class TestCupsdConfWidgets : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void listActions_data();
    void listActions();
    void listKeys_data();
    void listKeys();
    void listDoubleClick();
    void validator_data();
    void validator();
    void entryDialogs_data();
    void entryDialogs();
    void entryDialogValues();
};

void TestCupsdConfWidgets::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    qRegisterMetaType<QTreeWidgetItem*>();
}

void TestCupsdConfWidgets::cleanup()
{
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TestCupsdConfWidgets::listActions_data()
{
    QTest::addColumn<int>("items");
    QTest::addColumn<int>("current");
    QTest::addColumn<bool>("editable");
    QTest::newRow("empty") << 0 << -1 << false;
    QTest::newRow("itemsWithoutCurrent") << 2 << -1 << false;
    QTest::newRow("current") << 2 << 1 << true;
}

void TestCupsdConfWidgets::listActions()
{
    QFETCH(int, items);
    QFETCH(int, current);
    QFETCH(bool, editable);
    AddEditDelTreeWidget list;
    QCOMPARE(list.contextMenuPolicy(), Qt::ActionsContextMenu);
    const QList<QAction*> actions = list.actions();
    QCOMPARE(actions.size(), 3);
    QCOMPARE(actions.at(0)->text(), QStringLiteral("Add..."));
    QCOMPARE(actions.at(1)->text(), QStringLiteral("Edit..."));
    QCOMPARE(actions.at(2)->text(), QStringLiteral("Delete"));

    for (int i = 0; i < items; ++i)
        new QTreeWidgetItem(&list, {QStringLiteral("item %1").arg(i)});
    list.setCurrentItem(current < 0 ? nullptr : list.topLevelItem(current));
    QVERIFY(actions.at(0)->isEnabled());
    QCOMPARE(actions.at(1)->isEnabled(), editable);
    QCOMPARE(actions.at(2)->isEnabled(), editable);

    // Deleting the last item, or all of them, leaves nothing to edit.
    if (editable) {
        actions.at(2)->trigger();
        actions.at(2)->trigger();
    }
    list.clear();
    QVERIFY(!actions.at(1)->isEnabled() && !actions.at(2)->isEnabled());
}

void TestCupsdConfWidgets::listKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("withCurrent");
    QTest::addColumn<int>("adds");
    QTest::addColumn<int>("edits");
    QTest::addColumn<int>("deletes");
    QTest::newRow("insert") << int(Qt::Key_Insert) << false << 1 << 0 << 0;
    QTest::newRow("spaceOnCurrent") << int(Qt::Key_Space) << true << 0 << 1 << 0;
    QTest::newRow("spaceWithoutCurrent") << int(Qt::Key_Space) << false << 0 << 0 << 0;
    QTest::newRow("deleteOnCurrent") << int(Qt::Key_Delete) << true << 0 << 0 << 1;
    QTest::newRow("deleteWithoutCurrent") << int(Qt::Key_Delete) << false << 0 << 0 << 0;
}

void TestCupsdConfWidgets::listKeys()
{
    QFETCH(int, key);
    QFETCH(bool, withCurrent);
    QFETCH(int, adds);
    QFETCH(int, edits);
    QFETCH(int, deletes);
    AddEditDelTreeWidget list;
    new QTreeWidgetItem(&list, {QStringLiteral("first")});
    auto* second = new QTreeWidgetItem(&list, {QStringLiteral("second")});
    list.setCurrentItem(withCurrent ? second : nullptr);
    list.show();
    QVERIFY(QTest::qWaitForWindowActive(&list));
    list.setFocus();

    QSignalSpy added(&list, SIGNAL(addItemRequested()));
    QSignalSpy edited(&list, SIGNAL(editItemRequested(QTreeWidgetItem*)));
    QSignalSpy deleting(&list, SIGNAL(aboutToDeleteItem(QTreeWidgetItem*)));
    // The owner learns of a deletion while the item is still in the list.
    bool stillListed = false;
    connect(&list, &AddEditDelTreeWidget::aboutToDeleteItem, this,
            [&](QTreeWidgetItem* item) { stillListed = list.indexOfTopLevelItem(item) >= 0; });

    QTest::keyClick(&list, Qt::Key(key));
    QCOMPARE(added.count(), adds);
    QCOMPARE(edited.count(), edits);
    QCOMPARE(deleting.count(), deletes);
    if (edits > 0)
        QCOMPARE(edited.first().first().value<QTreeWidgetItem*>(), second);
    QCOMPARE(stillListed, deletes > 0);
    QCOMPARE(list.topLevelItemCount(), 2 - deletes);
}

void TestCupsdConfWidgets::listDoubleClick()
{
    AddEditDelTreeWidget list;
    new QTreeWidgetItem(&list, {QStringLiteral("first")});
    auto* second = new QTreeWidgetItem(&list, {QStringLiteral("second")});
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    QSignalSpy edited(&list, SIGNAL(editItemRequested(QTreeWidgetItem*)));
    const QPoint centre = list.visualItemRect(second).center();
    // The view takes a double click only on the item the press before it hit.
    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, centre);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, centre);
    QCOMPARE(edited.count(), 1);
    QCOMPARE(edited.first().first().value<QTreeWidgetItem*>(), second);
}

void TestCupsdConfWidgets::validator_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<bool>("acceptable");
    QTest::newRow("ordinary1") << QStringLiteral("localhost:631") << true;
    QTest::newRow("empty1") << QString() << true;
    QTest::newRow("cyrillic1") << QStringLiteral("Пётр@пример.рф") << true;
    QTest::newRow("blank1") << QStringLiteral("two words") << false;
    QTest::newRow("hash1") << QStringLiteral("#") << false;
    QTest::newRow("hash2") << QStringLiteral("a#b") << false;
    QTest::newRow("tab1") << QStringLiteral("a\tb") << false;
    QTest::newRow("lineFeed1") << QStringLiteral("a\nb") << false;
    QTest::newRow("carriageReturn1") << QStringLiteral("a\rb") << false;
}

void TestCupsdConfWidgets::validator()
{
    QFETCH(QString, input);
    QFETCH(bool, acceptable);
    QLineEdit edit;
    edit.setValidator(new NOTValidator(QRegExp(QStringLiteral("[ #]")), &edit));
    edit.setText(QStringLiteral("ok"));
    // Pasted text is refused as a whole, not filtered.
    edit.insert(input);
    QCOMPARE(edit.text(), acceptable ? QStringLiteral("ok") + input : QStringLiteral("ok"));
}

void TestCupsdConfWidgets::entryDialogs_data()
{
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("labels");
    QTest::newRow("listen") << "listen" << QString() << QStringList{"Address", "Port"};
    QTest::newRow("poll") << "poll" << "Poll" << QStringList{"Host"};
    QTest::newRow("relay") << "relay" << "Relay" << QStringList{"From", "To"};
    QTest::newRow("passEnv") << "passEnv" << "Pass environment" << QStringList{"Environment name"};
    QTest::newRow("setEnv") << "setEnv" << "Set environment" << QStringList{"Environment name", "Value"};
}

void TestCupsdConfWidgets::entryDialogs()
{
    QFETCH(QString, dialog);
    QFETCH(QString, title);
    QFETCH(QStringList, labels);
    const std::unique_ptr<ConfigEntryDialog> shown = makeDialog(dialog);
    QVERIFY(shown->isModal());
    QCOMPARE(shown->windowTitle(), title);
    QStringList rows;
    const auto* form = shown->findChild<QFormLayout*>();
    for (int row = 0; row < form->rowCount(); ++row) {
        if (QLayoutItem* label = form->itemAt(row, QFormLayout::LabelRole))
            rows << qobject_cast<QLabel*>(label->widget())->text();
    }
    QCOMPARE(rows, labels);

    typeAndPress(QStringLiteral("lp #1"), QDialogButtonBox::Ok);
    QCOMPARE(shown->exec(), int(QDialog::Accepted));
    for (const QLineEdit* edit : textFields(shown.get()))
        QCOMPARE(edit->text(), QStringLiteral("lp1"));
    typeAndPress(QStringLiteral("2"), QDialogButtonBox::Cancel);
    QCOMPARE(shown->exec(), int(QDialog::Rejected));
}

void TestCupsdConfWidgets::entryDialogValues()
{
    ListenDialog listen;
    QCOMPARE(listen.port(), 631);
    QVERIFY(!listen.isSsl());
    const auto* port = listen.findChild<QSpinBox*>();
    QCOMPARE(port->minimum(), 0);
    QCOMPARE(port->maximum(), 65535);
    QTest::keyClicks(textFields(&listen).first(), QStringLiteral("192.168.0.1"));
    listen.setPort(8631);
    listen.setSsl(true);
    QCOMPARE(listen.address(), QStringLiteral("192.168.0.1"));
    QCOMPARE(port->value(), 8631);
    QVERIFY(listen.isSsl());

    BrowseRelayDialog relay;
    QTest::keyClicks(textFields(&relay).at(0), QStringLiteral("127.0.0.1"));
    QTest::keyClicks(textFields(&relay).at(1), QStringLiteral("192.168.255.255"));
    QCOMPARE(relay.from(), QStringLiteral("127.0.0.1"));
    QCOMPARE(relay.to(), QStringLiteral("192.168.255.255"));

    SetEnvDialog setEnv;
    setEnv.setName(QStringLiteral("TZ"));
    setEnv.setValue(QStringLiteral("Europe/Moscow"));
    QCOMPARE(textFields(&setEnv).at(0)->text() + QLatin1Char('=') + setEnv.value(), QStringLiteral("TZ=Europe/Moscow"));
    QCOMPARE(setEnv.name(), QStringLiteral("TZ"));

    BrowsePollDialog poll;
    poll.setHost(QStringLiteral("printhost:631"));
    QCOMPARE(textFields(&poll).first()->text(), QStringLiteral("printhost:631"));
    PassEnvDialog passEnv;
    QTest::keyClicks(textFields(&passEnv).first(), QStringLiteral("LANG"));
    QCOMPARE(passEnv.name(), QStringLiteral("LANG"));
}

QTEST_MAIN(TestCupsdConfWidgets)
#include "tst_cupsdconf_widgets.moc"
