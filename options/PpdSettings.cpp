#include "PpdSettings.h"

#include "CupsPointers.h"
#include "PpdGroupItem.h"
#include "PpdOptionItem.h"
#include "ui_PpdSettings.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

// PPD files are still how the scheduler describes a printer's driver options.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace {

const char choiceProperty[] = "choice";
const QStringList paperOptions = {QStringLiteral("PageSize"), QStringLiteral("MediaType"),
                                  QStringLiteral("InputSlot")};

QStringList splitList(const QString& value)
{
    return value.split(QLatin1Char(','), Qt::SkipEmptyParts);
}

} // namespace

PpdSettings::PpdSettings(QWidget* parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::PpdSettings>())
{
    m_ui->setupUi(this);
    m_buttonArea = m_ui->buttonArea;
    m_buttonGroup = new QButtonGroup(this);
    connect(m_buttonGroup, SIGNAL(buttonClicked(QAbstractButton*)), this, SLOT(settingChanged(QAbstractButton*)));
}

PpdSettings::~PpdSettings()
{
    // The tree and the buttons go after this object's members; nothing they
    // signal on the way may reach the slots here.
    disconnect(m_ui->ppdTree_, nullptr, this, nullptr);
    disconnect(m_buttonGroup, nullptr, this, nullptr);
}

QTreeWidgetItem* PpdSettings::buildGroup(ppd_group_t* group)
{
    auto* item = new PpdGroupItem(group);
    for (int i = 0; i < group->num_subgroups; ++i)
        item->addChild(buildGroup(&group->subgroups[i]));
    for (int i = 0; i < group->num_options; ++i) {
        auto* option = new PpdOptionItem(&group->options[i]);
        item->addChild(option);
        m_options.insert(option->keyword(), option);
    }
    return item;
}

void PpdSettings::loadPpd(ppd_file_t* ppd)
{
    m_ppd = ppd;
    m_options.clear();
    m_ui->ppdTree_->clear();
    if (!ppd)
        return;
    QList<QTreeWidgetItem*> groups;
    for (int i = 0; i < ppd->num_groups; ++i)
        groups << buildGroup(&ppd->groups[i]);
    m_ui->ppdTree_->addTopLevelItems(groups);
    connect(m_ui->ppdTree_, SIGNAL(itemExpanded(QTreeWidgetItem*)), this, SLOT(resizeColumns()),
            Qt::UniqueConnection);
    connect(m_ui->ppdTree_, SIGNAL(itemSelectionChanged()), this, SLOT(selectionChanged()), Qt::UniqueConnection);
    updateConflicts();
    resizeColumns();
}

QStringList PpdSettings::choiceTexts(const QString& keyword) const
{
    const PpdOptionItem* item = m_options.value(keyword);
    return item ? item->choiceTexts() : QStringList();
}

QString PpdSettings::currentText(const QString& keyword) const
{
    const PpdOptionItem* item = m_options.value(keyword);
    return item ? item->currentText() : QString();
}

QString PpdSettings::currentKeywords(const QString& keyword) const
{
    const PpdOptionItem* item = m_options.value(keyword);
    return item ? item->currentKeywords() : QString();
}

bool PpdSettings::hasChoice(const QString& keyword, const QString& choice) const
{
    const PpdOptionItem* item = m_options.value(keyword);
    return item && item->choiceKeywords().contains(choice);
}

QStringList PpdSettings::optionKeywords() const
{
    return m_options.keys();
}

void PpdSettings::setOption(const QString& keyword, const QString& value)
{
    PpdOptionItem* item = m_options.value(keyword);
    if (!item)
        return;
    item->markKeywords(item->kind() == PpdOptionItem::PickMany ? splitList(value) : QStringList{value});
    optionChanged(item);
}

void PpdSettings::setOptionText(const QString& keyword, const QString& value)
{
    PpdOptionItem* item = m_options.value(keyword);
    if (!item)
        return;
    item->markTexts(item->kind() == PpdOptionItem::PickMany ? splitList(value) : QStringList{value});
    optionChanged(item);
}

int PpdSettings::addChangedOptions(int count, cups_option_t** options) const
{
    for (const PpdOptionItem* item : m_options) {
        const QString keywords = item->currentKeywords();
        if (keywords.isEmpty() || keywords == item->defaultChoice())
            continue;
        const QByteArray name = item->keyword().toUtf8();
        const QByteArray value = keywords.toUtf8();
        count = cupsAddOption(name.constData(), value.constData(), count, options);
    }
    return count;
}

QStringList PpdSettings::conflictingOptions() const
{
    QStringList keywords;
    for (const PpdOptionItem* item : m_options) {
        if (item->option()->conflicted)
            keywords << item->keyword();
    }
    keywords.sort();
    return keywords;
}

void PpdSettings::resizeColumns()
{
    m_ui->ppdTree_->resizeColumnToContents(0);
    m_ui->ppdTree_->resizeColumnToContents(1);
}

PpdOptionItem* PpdSettings::selectedOption() const
{
    const QList<QTreeWidgetItem*> selected = m_ui->ppdTree_->selectedItems();
    return selected.isEmpty() ? nullptr : dynamic_cast<PpdOptionItem*>(selected.first());
}

void PpdSettings::selectionChanged()
{
    qDeleteAll(m_buttons);
    m_buttons.clear();
    delete m_conflictLabel;
    delete m_buttonArea->layout();

    PpdOptionItem* item = selectedOption();
    if (!item) {
        m_ui->settingBox_->setTitle(tr("Select an option"));
        return;
    }
    m_ui->settingBox_->setTitle(item->text());
    auto* layout = new QVBoxLayout(m_buttonArea);
    layout->setContentsMargins(0, 0, 0, 0);
    m_conflictLabel = new QLabel(m_buttonArea);
    m_conflictLabel->setWordWrap(true);
    layout->addWidget(m_conflictLabel);

    // Check boxes of a multiple-choice option may be checked together; the
    // radio buttons of the other kinds exclude each other.
    const bool many = item->kind() == PpdOptionItem::PickMany;
    m_buttonGroup->setExclusive(!many);
    const QStringList current = item->currentTexts();
    for (const QString& text : item->choiceTexts()) {
        // What a button shows is not what it stands for: an ampersand of the
        // driver's text is doubled, and the desktop may add a mnemonic.
        const QString shown = QString(text).replace(QLatin1Char('&'), QLatin1String("&&"));
        QAbstractButton* button = many ? static_cast<QAbstractButton*>(new QCheckBox(shown, m_buttonArea))
                                       : new QRadioButton(shown, m_buttonArea);
        button->setProperty(choiceProperty, text);
        m_buttonGroup->addButton(button);
        m_buttons << button;
        layout->addWidget(button);
        button->setChecked(current.contains(text));
    }
    layout->addStretch();
    updateConflicts();
}

void PpdSettings::settingChanged(QAbstractButton* button)
{
    auto* item = dynamic_cast<PpdOptionItem*>(m_ui->ppdTree_->currentItem());
    if (!item || !button)
        return;
    QStringList checked;
    for (const QAbstractButton* choice : qAsConst(m_buttons)) {
        if (choice->isChecked())
            checked << choice->property(choiceProperty).toString();
    }
    if (item->kind() == PpdOptionItem::PickMany) {
        item->markTexts(checked);
    } else {
        item->markTexts(checked.isEmpty() ? QStringList() : QStringList{checked.last()});
    }
    item->refresh();
    updateConflicts();
    if (item->kind() != PpdOptionItem::PickMany && paperOptions.contains(item->keyword()))
        emit paperSettingChanged();
}

void PpdSettings::optionChanged(PpdOptionItem* item)
{
    item->refresh();
    // A change from outside (the paper boxes) while the option is shown: the
    // buttons follow. They are kept, not rebuilt, as the change may come
    // from within one of their own click handlers.
    if (item == selectedOption()) {
        const QStringList current = item->currentTexts();
        const bool exclusive = m_buttonGroup->exclusive();
        m_buttonGroup->setExclusive(false);
        for (QAbstractButton* button : qAsConst(m_buttons))
            button->setChecked(current.contains(button->property(choiceProperty).toString()));
        m_buttonGroup->setExclusive(exclusive);
    }
    updateConflicts();
}

void PpdSettings::updateConflicts()
{
    if (!m_ppd)
        return;
    // The library finds conflicts through its own index of marked choices,
    // which only its marking functions keep; the tree marks by the flags.
    cupsArrayClear(m_ppd->marked);
    for (QTreeWidgetItemIterator it(m_ui->ppdTree_); *it; ++it) {
        if (const auto* item = dynamic_cast<const PpdOptionItem*>(*it)) {
            ppd_option_t* option = item->option();
            for (int i = 0; i < option->num_choices; ++i) {
                if (option->choices[i].marked)
                    cupsArrayAdd(m_ppd->marked, &option->choices[i]);
            }
        }
    }
    ppdConflicts(m_ppd);
    for (PpdOptionItem* item : qAsConst(m_options))
        item->refresh();
    if (m_conflictLabel) {
        const QString text = conflictText(selectedOption());
        m_conflictLabel->setText(text);
        m_conflictLabel->setVisible(!text.isEmpty());
    }
}

QString PpdSettings::conflictText(const PpdOptionItem* item) const
{
    if (!item || !item->option()->conflicted)
        return QString();
    QStringList others;
    const QByteArray choice = item->currentKeywords().section(QLatin1Char(','), 0, 0).toUtf8();
    cups_option_t* found = nullptr;
    const int count = cupsGetConflicts(m_ppd, item->option()->keyword, choice.constData(), &found);
    const Cups::OptionsPtr conflicts = Cups::makeOptions(found, count);
    for (int i = 0; i < count; ++i) {
        const QString keyword = QString::fromUtf8(conflicts.get()[i].name);
        if (keyword == item->keyword())
            continue;
        const PpdOptionItem* other = m_options.value(keyword);
        others << (other ? other->text() : keyword);
    }
    if (others.isEmpty())
        return tr("This setting conflicts with another one.");
    return tr("Conflicts with: %1").arg(others.join(QStringLiteral(", ")));
}
