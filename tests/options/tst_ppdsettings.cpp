#include "AcceleratorManager.h"
#include "CupsPointers.h"
#include "PpdOptionItem.h"
#include "PpdSettings.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTreeWidget>
#include <QtTest>

#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace {

QTreeWidgetItem* findOption(QTreeWidget* tree, const QString& keyword)
{
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        auto* option = dynamic_cast<PpdOptionItem*>(*it);
        if (option && option->keyword() == keyword)
            return option;
    }
    return nullptr;
}

// The client library reads no subgroups from a file (it skips OpenSubGroup),
// so the test gives the "Finishing" group one of its own, made the way the
// library allocates, so that ppdClose() frees it.
void addStaplingSubgroup(ppd_file_t* ppd)
{
    ppd_group_t* finishing = nullptr;
    for (int i = 0; i < ppd->num_groups; ++i) {
        if (qstrcmp(ppd->groups[i].name, "Finishing") == 0)
            finishing = &ppd->groups[i];
    }
    QVERIFY(finishing);
    auto* subgroup = static_cast<ppd_group_t*>(calloc(1, sizeof(ppd_group_t)));
    qstrcpy(subgroup->name, "Stapling");
    qstrcpy(subgroup->text, "Stapling");
    auto* option = static_cast<ppd_option_t*>(calloc(1, sizeof(ppd_option_t)));
    qstrcpy(option->keyword, "StapleWhere");
    qstrcpy(option->text, "Staple Position");
    qstrcpy(option->defchoice, "None");
    option->ui = PPD_UI_PICKONE;
    option->num_choices = 2;
    option->choices = static_cast<ppd_choice_t*>(calloc(2, sizeof(ppd_choice_t)));
    qstrcpy(option->choices[0].choice, "None");
    qstrcpy(option->choices[0].text, "No Staple");
    option->choices[0].marked = 1;
    qstrcpy(option->choices[1].choice, "TopLeft");
    qstrcpy(option->choices[1].text, "Top Left");
    for (ppd_choice_t* choice : {&option->choices[0], &option->choices[1]})
        choice->option = option;
    subgroup->num_options = 1;
    subgroup->options = option;
    finishing->num_subgroups = 1;
    finishing->subgroups = subgroup;
}

QStringList childTexts(const QTreeWidgetItem* item)
{
    QStringList texts;
    for (int i = 0; i < item->childCount(); ++i)
        texts << item->child(i)->text(0);
    return texts;
}

} // namespace

class TestPpdSettings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void treeFollowsGroups();
    void groupSelectionShowsNoButtons();
    void paperSignal_data();
    void paperSignal();
    void changedOptions_data();
    void changedOptions();
    void multipleChoicesTogether();
    void conflictsMarked();

private:
    QTreeWidget* tree() const { return m_settings->findChild<QTreeWidget*>(QStringLiteral("ppdTree_")); }
    QGroupBox* box() const { return m_settings->findChild<QGroupBox*>(QStringLiteral("settingBox_")); }
    QList<QAbstractButton*> buttons() const { return box()->findChildren<QAbstractButton*>(); }
    QAbstractButton* button(const QString& text) const;
    void select(const QString& keyword);
    QStringList changed() const;

    Cups::PpdPtr m_ppd;
    std::unique_ptr<PpdSettings> m_settings;
};

void TestPpdSettings::initTestCase()
{
    // As in the program: the buttons carry mnemonics the driver's texts lack.
    AcceleratorManager::install();
}

void TestPpdSettings::init()
{
    m_ppd.reset(ppdOpenFile(FINISHER_PPD));
    QVERIFY(m_ppd);
    ppdMarkDefaults(m_ppd.get());
    addStaplingSubgroup(m_ppd.get());
    m_settings = std::make_unique<PpdSettings>();
    m_settings->loadPpd(m_ppd.get());
    m_settings->show();
}

void TestPpdSettings::cleanup()
{
    m_settings.reset();
    m_ppd.reset();
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

QAbstractButton* TestPpdSettings::button(const QString& text) const
{
    for (QAbstractButton* candidate : buttons()) {
        if (AcceleratorManager::withoutMnemonic(candidate->text()) == text)
            return candidate;
    }
    return nullptr;
}

void TestPpdSettings::select(const QString& keyword)
{
    QTreeWidgetItem* item = findOption(tree(), keyword);
    QVERIFY(item);
    tree()->setCurrentItem(item);
    // New buttons are shown by the next turn of the event loop; the manager
    // gives them mnemonics once they are painted.
    QCoreApplication::processEvents();
    AcceleratorManager::instance()->manage(m_settings.get());
}

QStringList TestPpdSettings::changed() const
{
    cups_option_t* options = nullptr;
    const int count = m_settings->addChangedOptions(0, &options);
    const Cups::OptionsPtr owner = Cups::makeOptions(options, count);
    QStringList result;
    for (int i = 0; i < count; ++i)
        result << QStringLiteral("%1=%2").arg(QString::fromUtf8(options[i].name), QString::fromUtf8(options[i].value));
    result.sort();
    return result;
}

void TestPpdSettings::treeFollowsGroups()
{
    QCOMPARE(tree()->topLevelItemCount(), 3);
    const QTreeWidgetItem* finishing = tree()->topLevelItem(1);
    QCOMPARE(finishing->text(0), QStringLiteral("Finishing"));
    // The subgroup comes before the group's own options.
    QCOMPARE(childTexts(finishing), (QStringList{QStringLiteral("Stapling"), QStringLiteral("Inserts"),
                                                 QStringLiteral("Booklet")}));
    QCOMPARE(childTexts(finishing->child(0)), QStringList{QStringLiteral("Staple Position")});
    const QTreeWidgetItem* pageSize = findOption(tree(), QStringLiteral("PageSize"));
    QCOMPARE(pageSize->text(1), QStringLiteral("US Letter"));
    // Nothing marked: the single-choice kinds show the default's text, the
    // multiple-choice kind the default keyword.
    m_settings->setOption(QStringLiteral("PageSize"), QStringLiteral("Tabloid"));
    QCOMPARE(pageSize->text(1), QStringLiteral("US Letter"));
    m_settings->setOption(QStringLiteral("Inserts"), QString());
    QCOMPARE(findOption(tree(), QStringLiteral("Inserts"))->text(1), QStringLiteral("None"));
    QCOMPARE(m_settings->choiceTexts(QStringLiteral("InputSlot")),
             (QStringList{QStringLiteral("Upper Tray"), QStringLiteral("Lower Tray")}));
}

void TestPpdSettings::groupSelectionShowsNoButtons()
{
    select(QStringLiteral("InputSlot"));
    QCOMPARE(AcceleratorManager::withoutMnemonic(box()->title()), QStringLiteral("Media Source"));
    QCOMPARE(buttons().size(), 2);
    QVERIFY(button(QStringLiteral("Upper Tray"))->isChecked());
    tree()->setCurrentItem(tree()->topLevelItem(0));
    QCOMPARE(box()->title(), QStringLiteral("Select an option"));
    QVERIFY(buttons().isEmpty());
}

void TestPpdSettings::paperSignal_data()
{
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QString>("choice");
    QTest::addColumn<bool>("emitted");
    QTest::newRow("pageSize") << "PageSize" << "A4" << true;
    QTest::newRow("inputSlot") << "InputSlot" << "Lower Tray" << true;
    QTest::newRow("duplex") << "Duplex" << "Long Edge" << false;
    QTest::newRow("pageRegion") << "PageRegion" << "A4" << false;
}

void TestPpdSettings::paperSignal()
{
    QFETCH(QString, keyword);
    QFETCH(QString, choice);
    QFETCH(bool, emitted);
    QSignalSpy spy(m_settings.get(), SIGNAL(paperSettingChanged()));
    select(keyword);
    QVERIFY(button(choice));
    button(choice)->click();
    QCOMPARE(spy.count(), emitted ? 1 : 0);
    QCOMPARE(m_settings->currentText(keyword), choice);
    QCOMPARE(findOption(tree(), keyword)->text(1), choice);
}

void TestPpdSettings::changedOptions_data()
{
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("default") << "PageSize" << "Letter" << QStringList();
    QTest::newRow("other") << "PageSize" << "A4" << QStringList{QStringLiteral("PageSize=A4")};
    QTest::newRow("noMatch") << "PageSize" << "Tabloid" << QStringList();
    QTest::newRow("subgroup") << "StapleWhere" << "TopLeft" << QStringList{QStringLiteral("StapleWhere=TopLeft")};
    QTest::newRow("several") << "Inserts" << "Cover,,Tab" << QStringList{QStringLiteral("Inserts=Cover,Tab")};
    // Saved options that are no driver option leave the tree as it was.
    QTest::newRow("notAnOption") << "copies" << "3" << QStringList();
}

void TestPpdSettings::changedOptions()
{
    QFETCH(QString, keyword);
    QFETCH(QString, value);
    QFETCH(QStringList, expected);
    // Unlike the library's own marking, no other option follows.
    const QString region = m_settings->currentKeywords(QStringLiteral("PageRegion"));
    m_settings->setOption(keyword, value);
    QCOMPARE(changed(), expected);
    QCOMPARE(m_settings->currentKeywords(QStringLiteral("PageRegion")), region);
}

void TestPpdSettings::multipleChoicesTogether()
{
    select(QStringLiteral("Inserts"));
    QCOMPARE(buttons().size(), 3);
    QVERIFY(qobject_cast<QCheckBox*>(button(QStringLiteral("Cover Sheet"))));
    button(QStringLiteral("No Inserts"))->click();
    button(QStringLiteral("Cover Sheet"))->click();
    button(QStringLiteral("Tab Sheet"))->click();
    QVERIFY(button(QStringLiteral("Cover Sheet"))->isChecked());
    QVERIFY(button(QStringLiteral("Tab Sheet"))->isChecked());
    QCOMPARE(m_settings->currentKeywords(QStringLiteral("Inserts")), QStringLiteral("Cover,Tab"));
    QCOMPARE(findOption(tree(), QStringLiteral("Inserts"))->text(1), QStringLiteral("Cover Sheet,Tab Sheet"));
    // The radio buttons of a single choice still exclude each other afterwards.
    select(QStringLiteral("InputSlot"));
    button(QStringLiteral("Lower Tray"))->click();
    QVERIFY(!button(QStringLiteral("Upper Tray"))->isChecked());
    QCOMPARE(m_settings->currentKeywords(QStringLiteral("InputSlot")), QStringLiteral("Lower"));
}

void TestPpdSettings::conflictsMarked()
{
    QVERIFY(m_settings->conflictingOptions().isEmpty());
    select(QStringLiteral("Duplex"));
    button(QStringLiteral("Long Edge"))->click();
    QCOMPARE(m_settings->conflictingOptions(), (QStringList{QStringLiteral("Duplex"), QStringLiteral("Option1")}));
    QTreeWidgetItem* duplexer = findOption(tree(), QStringLiteral("Option1"));
    QCOMPARE(duplexer->foreground(0).color(), QColor(Qt::red));
    QVERIFY(!duplexer->icon(0).isNull());
    const auto* label = box()->findChild<QLabel*>();
    QVERIFY(label && label->isVisible());
    QVERIFY2(label->text().contains(QLatin1String("Duplexer")), qPrintable(label->text()));
    // Installing the duplexer resolves it; saving stays possible meanwhile.
    m_settings->setOption(QStringLiteral("Option1"), QStringLiteral("True"));
    QVERIFY(m_settings->conflictingOptions().isEmpty());
    QVERIFY(!label->isVisible());
    QVERIFY(duplexer->icon(0).isNull());
}

QTEST_MAIN(TestPpdSettings)
#include "tst_ppdsettings.moc"
