#include "DestOptions.h"

#include "CupsHttp.h"
#include "CupsIpp.h"
#include "FormLayout.h"
#include "PpdSettings.h"
#include "PropertyEditor.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QRadioButton>
#include <QScopeGuard>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include <memory>

// PPD files are still how the scheduler describes a printer's driver options.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace {

const char dataProperty[] = "data";
const QString mediaOption = QStringLiteral("media");
const QString orientationOption = QStringLiteral("orientation-requested");
const QString holdOption = QStringLiteral("job-hold-until");
const QString sidesOption = QStringLiteral("sides");
const QString numberUpOption = QStringLiteral("number-up");
const QString priorityOption = QStringLiteral("job-priority");
const QString copiesOption = QStringLiteral("copies");
const QString sheetsOption = QStringLiteral("job-sheets");
const QString pageSizeKeyword = QStringLiteral("PageSize");
const QString pageRegionKeyword = QStringLiteral("PageRegion");
const QString mediaTypeKeyword = QStringLiteral("MediaType");
const QString inputSlotKeyword = QStringLiteral("InputSlot");
constexpr int defaultMinimumCopies = 1;
constexpr int defaultMaximumCopies = 9999;
constexpr int minimumGroupHeight = 150;

QStringList splitList(const QString& value)
{
    return value.split(QLatin1Char(','), Qt::SkipEmptyParts);
}

QVariantList valuesOf(const QVariantMap& attributes, const QString& key)
{
    return attributes.value(key).toList();
}

QString firstOf(const QVariantMap& attributes, const QString& key)
{
    const QVariantList values = valuesOf(attributes, key);
    return values.isEmpty() ? QString() : values.first().toString();
}

QString keywordOf(const QMap<QString, QString>& names, const QString& label)
{
    for (auto it = names.constBegin(); it != names.constEnd(); ++it) {
        if (it.value() == label)
            return it.key();
    }
    return QString();
}

void selectLabel(QComboBox* box, const QString& label)
{
    const int index = box->findText(label, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0)
        box->setCurrentIndex(index);
}

void selectData(QComboBox* box, const QString& value)
{
    const int index = box->findData(value);
    if (index >= 0)
        box->setCurrentIndex(index);
}

QString checkedData(const QButtonGroup* group)
{
    const QAbstractButton* button = group->checkedButton();
    return button ? button->property(dataProperty).toString() : QString();
}

} // namespace

DestOptions::DestOptions(QWidget* parent)
    : QWidget(parent)
{
    m_valueLabels[QStringLiteral("orientation")] = {
        {QStringLiteral("3"), tr("Portrait")},
        {QStringLiteral("4"), tr("Landscape")},
        {QStringLiteral("5"), tr("Reverse landscape")},
        {QStringLiteral("6"), tr("Reverse portrait")},
    };
    m_valueLabels[QStringLiteral("finishings")] = {
        {QStringLiteral("3"), tr("None")},
        {QStringLiteral("4"), tr("Staple")},
        {QStringLiteral("5"), tr("Punch")},
        {QStringLiteral("6"), tr("Cover")},
        {QStringLiteral("7"), tr("Bind")},
        {QStringLiteral("8"), tr("Saddle stitch")},
        {QStringLiteral("9"), tr("Edge stitch")},
        {QStringLiteral("10"), tr("Fold (any type)")},
        {QStringLiteral("11"), tr("Trim (any type)")},
        {QStringLiteral("12"), tr("Bale (any type)")},
        {QStringLiteral("13"), tr("Fold to make booklet")},
        {QStringLiteral("14"), tr("Offset for binding (any type)")},
        {QStringLiteral("20"), tr("Staple top left")},
        {QStringLiteral("21"), tr("Staple bottom left")},
        {QStringLiteral("22"), tr("Staple top right")},
        {QStringLiteral("23"), tr("Staple bottom right")},
        {QStringLiteral("24"), tr("Edge stitch left")},
        {QStringLiteral("25"), tr("Edge stitch top")},
        {QStringLiteral("26"), tr("Edge stitch right")},
        {QStringLiteral("27"), tr("Edge stitch bottom")},
        {QStringLiteral("28"), tr("Staple dual left")},
        {QStringLiteral("29"), tr("Staple dual top")},
        {QStringLiteral("30"), tr("Staple dual right")},
        {QStringLiteral("31"), tr("Staple dual bottom")},
        {QStringLiteral("50"), tr("Bind on left")},
        {QStringLiteral("51"), tr("Bind on top")},
        {QStringLiteral("52"), tr("Bind on right")},
        {QStringLiteral("53"), tr("Bind on Bottom")},
    };
    m_valueLabels[sidesOption] = {
        {QStringLiteral("one-sided"), tr("One sided")},
        {QStringLiteral("two-sided-long-edge"), tr("Two sided, Long edge")},
        {QStringLiteral("two-sided-short-edge"), tr("Two sided, Short edge")},
    };
    m_valueLabels[holdOption] = {
        {QStringLiteral("no-hold"), tr("No hold")},
        {QStringLiteral("indefinite"), tr("Indefinite")},
        {QStringLiteral("day-time"), tr("Day Time")},
        {QStringLiteral("evening"), tr("Evening")},
        {QStringLiteral("night"), tr("Night")},
        {QStringLiteral("second-shift"), tr("Second Shift")},
        {QStringLiteral("third-shift"), tr("Third Shift")},
        {QStringLiteral("weekend"), tr("Weekend")},
    };
    m_attributeLabels = {
        {QStringLiteral("finishings"), tr("Finishings after print")},
        {QStringLiteral("notify-events"), tr("Notify events")},
        {QStringLiteral("notify-lease-duration"), tr("Notify lease duration (in seconds)")},
        {QStringLiteral("document-format"), tr("Document mime type")},
        {mediaOption, tr("Media settings")},
    };
    m_pageSizeNames = {
        {QStringLiteral("Letter"), tr("US Letter")},
        {QStringLiteral("Legal"), tr("US Legal")},
        {QStringLiteral("A4"), tr("ISO A4")},
        {QStringLiteral("COM10"), tr("US #10 Envelope")},
        {QStringLiteral("DL"), tr("ISO DL Envelope")},
    };
    m_inputSlotNames = {
        {QStringLiteral("Upper"), tr("Upper tray")},
        {QStringLiteral("Lower"), tr("Lower tray")},
        {QStringLiteral("MultiPurpose"), tr("Multi-purpose tray")},
        {QStringLiteral("LargeCapacity"), tr("Large capacity tray")},
    };
    m_mediaTypeNames = {
        {QStringLiteral("Normal"), tr("Normal")},
        {QStringLiteral("Transparency"), tr("Transparency")},
    };

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_tabs = new QTabWidget(this);
    layout->addWidget(m_tabs);
    buildGeneralTab();
    buildJobsTab();
    m_editor = new PropertyEditor(m_tabs);
    m_tabs->addTab(m_editor, tr("Queue"));

    setTabOrder(m_pageSize, m_paperSource);
    setTabOrder(m_paperSource, m_paperType);
    setTabOrder(m_paperType, m_pagesPerSheet);
    // The group boxes take no focus, so their scroll areas stand for them.
    setTabOrder(m_pagesPerSheet, m_duplex.scroll);
    setTabOrder(m_duplex.scroll, m_orientation.scroll);
    setTabOrder(m_priority, m_copies);
    setTabOrder(m_copies, m_holdUntil.scroll);
    setTabOrder(m_holdUntil.scroll, m_startBanner);
    setTabOrder(m_startBanner, m_endBanner);
}

DestOptions::~DestOptions()
{
    for (QComboBox* box : {m_pageSize, m_paperType, m_paperSource})
        disconnect(box, nullptr, this, nullptr);
    // The tree refers into the PPD, which the member below closes first.
    delete m_ppdSettings;
}

PpdSettings* DestOptions::ppdSettings() const
{
    return m_ppdSettings;
}

DestOptions::RadioGroup DestOptions::createRadioGroup(const QString& title)
{
    RadioGroup group;
    group.box = new QGroupBox(title);
    auto* boxLayout = new QVBoxLayout(group.box);
    group.scroll = new QScrollArea(group.box);
    group.scroll->setFrameShape(QFrame::NoFrame);
    group.scroll->setWidgetResizable(true);
    group.area = new QWidget;
    auto* areaLayout = new QVBoxLayout(group.area);
    areaLayout->addStretch();
    group.scroll->setWidget(group.area);
    boxLayout->addWidget(group.scroll);
    group.buttons = new QButtonGroup(group.box);
    return group;
}

void DestOptions::buildGeneralTab()
{
    auto* tab = new QWidget(m_tabs);
    auto* grid = new QGridLayout(tab);
    m_generalForm = new FormLayout;
    m_pageSize = new QComboBox(tab);
    m_paperSource = new QComboBox(tab);
    m_paperType = new QComboBox(tab);
    m_pagesPerSheet = new QComboBox(tab);
    m_generalForm->addRow(tr("Page S&ize"), m_pageSize);
    m_generalForm->addRow(tr("Paper So&urce"), m_paperSource);
    m_generalForm->addRow(tr("Paper T&ype"), m_paperType);
    m_generalForm->addRow(tr("Pages per sheet"), m_pagesPerSheet);
    grid->addLayout(m_generalForm, 0, 0, 1, 2);
    m_duplex = createRadioGroup(tr("Duplex printing"));
    m_orientation = createRadioGroup(tr("Orientation"));
    m_duplex.box->setMinimumHeight(minimumGroupHeight);
    m_orientation.box->setMinimumHeight(minimumGroupHeight);
    grid->addWidget(m_duplex.box, 2, 0);
    grid->addWidget(m_orientation.box, 2, 1);
    grid->setRowStretch(0, 0);
    grid->setRowStretch(1, 0);
    grid->setRowStretch(2, 2);
    m_tabs->addTab(tab, tr("General"));
}

void DestOptions::buildJobsTab()
{
    auto* tab = new QWidget(m_tabs);
    auto* layout = new QVBoxLayout(tab);
    m_jobsForm = new FormLayout;
    m_priority = new QSpinBox(tab);
    m_copies = new QSpinBox(tab);
    m_jobsForm->addRow(tr("Priority"), m_priority);
    m_jobsForm->addRow(tr("Copies"), m_copies);
    layout->addLayout(m_jobsForm);

    auto* row = new QHBoxLayout;
    m_holdUntil = createRadioGroup(tr("Hold until"));
    m_banners = new QGroupBox(tr("Banners"), tab);
    auto* bannerLayout = new QVBoxLayout(m_banners);
    auto* bannerForm = new FormLayout;
    m_startBanner = new QComboBox(m_banners);
    m_endBanner = new QComboBox(m_banners);
    bannerForm->addRow(tr("Start"), m_startBanner);
    bannerForm->addRow(tr("End"), m_endBanner);
    bannerLayout->addLayout(bannerForm);
    bannerLayout->addStretch();
    row->addWidget(m_holdUntil.box);
    row->addWidget(m_banners);
    layout->addLayout(row);
    layout->addStretch();
    m_tabs->addTab(tab, tr("Jobs"));
}

void DestOptions::enableRow(FormLayout* form, QWidget* field, bool enabled)
{
    field->setEnabled(enabled);
    if (QWidget* label = form->labelForField(field))
        label->setEnabled(enabled);
}

void DestOptions::resetWidgets()
{
    for (const RadioGroup* group : {&m_duplex, &m_orientation, &m_holdUntil}) {
        qDeleteAll(group->buttons->buttons());
        group->box->setEnabled(false);
    }
    m_banners->setEnabled(false);
    for (QComboBox* box : {m_pageSize, m_paperSource, m_paperType, m_pagesPerSheet, m_startBanner, m_endBanner}) {
        const QSignalBlocker blocker(box);
        box->clear();
    }
    enableRow(m_generalForm, m_pagesPerSheet, false);
    enablePaperBoxes();
    for (QSpinBox* box : {m_priority, m_copies}) {
        box->setValue(0);
        enableRow(m_jobsForm, box, false);
    }
    m_editor->clear();
}

bool DestOptions::loadOptions(const QString& name, bool isClass)
{
    Cups::HTTP* connection = Cups::HTTP::getUniqueConnection();
    cups_dest_t* list = nullptr;
    const int count = connection ? cupsGetDests2(connection->http, &list) : 0;
    const Cups::DestsPtr dests = Cups::makeDests(list, count);
    const QByteArray destName = name.toLocal8Bit();
    const cups_dest_t* dest = cupsGetDest(destName.constData(), nullptr, count, dests.get());
    if (!dest) {
        QMessageBox::critical(this, tr("Invalid destination"), tr("Unable to get destination's options."),
                              QMessageBox::Ok);
        return false;
    }
    QMap<QString, QString> saved;
    for (int i = 0; i < dest->num_options; ++i)
        saved.insert(QString::fromLocal8Bit(dest->options[i].name), QString::fromLocal8Bit(dest->options[i].value));

    resetWidgets();
    delete m_ppdSettings;
    m_ppd.reset();
    if (!isClass)
        loadPpd(name);
    if (m_ppdSettings)
        applySavedOptions(saved);

    const QString uri = QStringLiteral("ipp://%1:%2/%3/%4")
                            .arg(QStringLiteral("localhost"))
                            .arg(ippPort())
                            .arg(isClass ? QStringLiteral("classes") : QStringLiteral("printers"), name);
    const std::unique_ptr<Cups::IPP> request(Cups::IPP::printerAttributesRequest(uri, {QStringLiteral("all")}));
    const std::unique_ptr<Cups::IPP> response(request->doRequest(connection, QStringLiteral("/")));
    if (!response)
        return false;
    const QList<QVariantMap> groups = response->attributes();
    if (groups.isEmpty() || groups.first().isEmpty())
        return false;
    const QVariantMap attributes = groups.first();
    QMap<QString, int> valueTags;
    const QMap<QString, ipp_tag_t> tags = response->valueTags();
    for (auto it = tags.constBegin(); it != tags.constEnd(); ++it)
        valueTags.insert(it.key(), it.value());

    fillPaperBoxes(saved, attributes);
    enablePaperBoxes();
    fillAttributes(saved, attributes, valueTags);
    m_editor->resizeColumnToContents(0);
    m_editor->resizeColumnToContents(1);
    return true;
}

void DestOptions::loadPpd(const QString& name)
{
    Cups::HTTP* connection = Cups::HTTP::getUniqueConnection();
    const QByteArray destName = name.toLocal8Bit();
    const char* downloaded = connection ? cupsGetPPD2(connection->http, destName.constData()) : nullptr;
    if (!downloaded)
        return;
    // The client library names the copy in a buffer of its own, which the
    // next request may overwrite.
    const QByteArray file(downloaded);
    const auto removeCopy = qScopeGuard([&file] { QFile::remove(QFile::decodeName(file)); });
    m_ppd.reset(ppdOpenFile(file.constData()));
    if (!m_ppd)
        return;
    ppdMarkDefaults(m_ppd.get());
    ppdLocalize(m_ppd.get());
    m_ppdSettings = new PpdSettings(m_tabs);
    m_tabs->addTab(m_ppdSettings, tr("Driver Settings"));
    m_ppdSettings->loadPpd(m_ppd.get());
}

void DestOptions::applySavedOptions(const QMap<QString, QString>& saved)
{
    // A paper chosen with lp's media option is the driver's choice too, so
    // that saving again does not put the driver's default in its place.
    for (const QString& keyword : splitList(saved.value(mediaOption))) {
        for (const QString& option : {pageSizeKeyword, pageRegionKeyword, inputSlotKeyword, mediaTypeKeyword}) {
            if (m_ppdSettings->hasChoice(option, keyword))
                m_ppdSettings->setOption(option, keyword);
        }
    }
    for (auto it = saved.constBegin(); it != saved.constEnd(); ++it)
        m_ppdSettings->setOption(it.key(), it.value());
}

void DestOptions::fillPaperBoxes(const QMap<QString, QString>& saved, const QVariantMap& attributes)
{
    // Filling the boxes must not choose their first entries in the driver tab.
    const QSignalBlocker blockSize(m_pageSize);
    const QSignalBlocker blockType(m_paperType);
    const QSignalBlocker blockSource(m_paperSource);
    if (m_ppdSettings) {
        m_pageSize->addItems(m_ppdSettings->choiceTexts(pageSizeKeyword));
        m_paperType->addItems(m_ppdSettings->choiceTexts(mediaTypeKeyword));
        m_paperSource->addItems(m_ppdSettings->choiceTexts(inputSlotKeyword));
        updatePaperBoxes();
        connect(m_ppdSettings, SIGNAL(paperSettingChanged()), this, SLOT(updatePaperBoxes()),
                Qt::UniqueConnection);
        for (QComboBox* box : {m_pageSize, m_paperType, m_paperSource})
            connect(box, SIGNAL(currentIndexChanged(int)), this, SLOT(updatePpdSettings()), Qt::UniqueConnection);
        return;
    }
    m_pageSize->addItems(m_pageSizeNames.values());
    m_paperSource->addItems(m_inputSlotNames.values());
    m_paperType->addItems(m_mediaTypeNames.values());
    QStringList keywords = splitList(saved.value(mediaOption));
    if (keywords.isEmpty()) {
        for (const QVariant& value : valuesOf(attributes, QStringLiteral("media-default")))
            keywords << value.toString();
    }
    const auto findIn = [&keywords](const QMap<QString, QString>& names) {
        for (const QString& keyword : qAsConst(keywords)) {
            for (auto it = names.constBegin(); it != names.constEnd(); ++it) {
                if (it.key().compare(keyword, Qt::CaseInsensitive) == 0)
                    return it.value();
            }
        }
        return QString();
    };
    selectLabel(m_paperSource, findIn(m_inputSlotNames));
    selectLabel(m_pageSize, findIn(m_pageSizeNames));
    selectLabel(m_paperType, findIn(m_mediaTypeNames));
}

void DestOptions::enablePaperBoxes()
{
    // A driver without paper types leaves that box empty: nothing to choose.
    for (QComboBox* box : {m_pageSize, m_paperSource, m_paperType})
        enableRow(m_generalForm, box, box->count() > 0);
}

QString DestOptions::valueLabel(const QString& key, const QString& value) const
{
    return m_valueLabels.value(key).value(value, value);
}

void DestOptions::fillRadioGroup(const RadioGroup& group, const QVariantList& values, const QString& labelKey,
                                 const QString& current)
{
    auto* layout = static_cast<QVBoxLayout*>(group.area->layout());
    // Buttons made after the dialog's own would otherwise come last on Tab.
    QWidget* previous = group.scroll;
    for (const QVariant& value : values) {
        const QString text = value.toString();
        auto* button = new QRadioButton(valueLabel(labelKey, text), group.area);
        button->setProperty(dataProperty, text);
        group.buttons->addButton(button);
        // Before the closing stretch.
        layout->insertWidget(layout->count() - 1, button);
        QWidget::setTabOrder(previous, button);
        previous = button;
        button->setChecked(text == current);
    }
    group.box->setEnabled(true);
}

void DestOptions::addListRow(const QString& attribute, const QMap<QString, QString>& saved,
                             const QVariantMap& attributes, int valueTag)
{
    QVariantMap choices;
    for (const QVariant& value : valuesOf(attributes, attribute + QStringLiteral("-supported")))
        choices.insert(value.toString(), valueLabel(attribute, value.toString()));
    QStringList current;
    if (saved.contains(attribute)) {
        current = splitList(saved.value(attribute));
    } else {
        for (const QVariant& value : valuesOf(attributes, attribute + QStringLiteral("-default")))
            current << value.toString();
    }
    QTreeWidgetItem* row =
        m_editor->addComboBoxListRow(m_attributeLabels.value(attribute, attribute), choices, current);
    row->setData(0, PropertyEditor::ValueTagRole, valueTag);
    row->setData(0, PropertyEditor::AttributeRole, attribute);
}

void DestOptions::fillAttributes(const QMap<QString, QString>& saved, const QVariantMap& attributes,
                                 const QMap<QString, int>& valueTags)
{
    const auto supported = [&attributes](const QString& key) {
        return valuesOf(attributes, key + QStringLiteral("-supported"));
    };
    const auto current = [&saved, &attributes](const QString& key) {
        return saved.contains(key) ? saved.value(key) : firstOf(attributes, key + QStringLiteral("-default"));
    };

    for (const QString& attribute : {QStringLiteral("finishings"), QStringLiteral("notify-events")}) {
        if (!supported(attribute).isEmpty())
            addListRow(attribute, saved, attributes, valueTags.value(attribute + QStringLiteral("-supported")));
    }
    if (!supported(sidesOption).isEmpty())
        fillRadioGroup(m_duplex, supported(sidesOption), sidesOption, current(sidesOption));
    if (!supported(orientationOption).isEmpty()) {
        const int orientation = current(orientationOption).toInt();
        fillRadioGroup(m_orientation, supported(orientationOption), QStringLiteral("orientation"),
                       QString::number(orientation));
    }
    if (!supported(copiesOption).isEmpty()) {
        const QStringList bounds = supported(copiesOption).first().toString().split(QLatin1Char(':'),
                                                                                    Qt::SkipEmptyParts);
        bool lowerOk = false;
        bool upperOk = false;
        int lower = bounds.size() == 2 ? bounds.at(0).toInt(&lowerOk) : 0;
        int upper = bounds.size() == 2 ? bounds.at(1).toInt(&upperOk) : 0;
        if (!lowerOk || !upperOk) {
            lower = defaultMinimumCopies;
            upper = defaultMaximumCopies;
        }
        m_copies->setRange(lower, upper);
        const QString value = current(copiesOption);
        m_copies->setValue(value.isEmpty() ? lower : value.toInt());
        enableRow(m_jobsForm, m_copies, true);
    }
    if (!supported(priorityOption).isEmpty()) {
        const int maximum = supported(priorityOption).first().toInt();
        m_priority->setRange(1, maximum);
        const QString value = current(priorityOption);
        m_priority->setValue(qMin(maximum, value.isEmpty() ? 1 : value.toInt()));
        enableRow(m_jobsForm, m_priority, true);
    }
    if (!supported(numberUpOption).isEmpty()) {
        for (const QVariant& value : supported(numberUpOption))
            m_pagesPerSheet->addItem(value.toString(), value.toString());
        selectData(m_pagesPerSheet, current(numberUpOption));
        enableRow(m_generalForm, m_pagesPerSheet, true);
    }
    if (!supported(sheetsOption).isEmpty()) {
        const QStringList parts = saved.value(sheetsOption).split(QLatin1Char(','));
        const QVariantList defaults = valuesOf(attributes, sheetsOption + QStringLiteral("-default"));
        const QString start = !parts.value(0).isEmpty() ? parts.value(0) : defaults.value(0).toString();
        const QString end = !parts.value(1).isEmpty() ? parts.value(1) : defaults.value(1).toString();
        for (const QVariant& value : supported(sheetsOption)) {
            m_startBanner->addItem(value.toString(), value.toString());
            m_endBanner->addItem(value.toString(), value.toString());
        }
        selectData(m_startBanner, start);
        selectData(m_endBanner, end);
        m_banners->setEnabled(true);
    }
    if (!supported(holdOption).isEmpty())
        fillRadioGroup(m_holdUntil, supported(holdOption), holdOption, current(holdOption));
}

void DestOptions::collectOptions(QStringList* names, QList<QPair<QString, QString>>* values) const
{
    const auto offer = [names, values](const QString& name, const QString& value) {
        *names << name;
        if (!value.isEmpty())
            *values << qMakePair(name, value);
    };
    if (m_orientation.box->isEnabled())
        offer(orientationOption, checkedData(m_orientation.buttons));
    if (m_holdUntil.box->isEnabled())
        offer(holdOption, checkedData(m_holdUntil.buttons));
    if (m_duplex.box->isEnabled())
        offer(sidesOption, checkedData(m_duplex.buttons));
    if (m_pageSize->count() + m_paperSource->count() + m_paperType->count() > 0) {
        QStringList media;
        if (m_ppdSettings) {
            media << m_ppdSettings->currentKeywords(pageSizeKeyword) << m_ppdSettings->currentKeywords(inputSlotKeyword)
                  << m_ppdSettings->currentKeywords(mediaTypeKeyword);
        } else {
            media << keywordOf(m_pageSizeNames, m_pageSize->currentText())
                  << keywordOf(m_inputSlotNames, m_paperSource->currentText())
                  << keywordOf(m_mediaTypeNames, m_paperType->currentText());
        }
        media.removeAll(QString());
        offer(mediaOption, media.join(QLatin1Char(',')));
    }
    if (m_pagesPerSheet->isEnabled())
        offer(numberUpOption, m_pagesPerSheet->currentData().toString());
    if (m_priority->isEnabled())
        offer(priorityOption, QString::number(m_priority->value()));
    if (m_copies->isEnabled())
        offer(copiesOption, QString::number(m_copies->value()));
    if (m_banners->isEnabled()) {
        QStringList sheets;
        if (m_startBanner->currentIndex() >= 0)
            sheets << m_startBanner->currentData().toString();
        if (m_endBanner->currentIndex() >= 0)
            sheets << m_endBanner->currentData().toString();
        offer(sheetsOption, sheets.join(QLatin1Char(',')));
    }
    // An empty list means no value at all: the scheduler refuses a job that
    // carries an attribute with an empty value.
    for (int i = 0; i < m_editor->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = m_editor->topLevelItem(i);
        offer(row->data(0, PropertyEditor::AttributeRole).toString(), m_editor->values(row).join(QLatin1Char(',')));
    }
}

bool DestOptions::saveOptions(const QString& name, bool isClass)
{
    Cups::HTTP* connection = Cups::HTTP::getUniqueConnection();
    cups_dest_t* list = nullptr;
    const int count = connection ? cupsGetDests2(connection->http, &list) : 0;
    const Cups::DestsPtr dests = Cups::makeDests(list, count);
    const QByteArray destName = name.toLocal8Bit();
    cups_dest_t* dest = cupsGetDest(destName.constData(), nullptr, count, dests.get());
    if (!dest) {
        QMessageBox::critical(this, tr("Invalid destination"), tr("Unable to set destination's options."),
                              QMessageBox::Ok);
        return false;
    }

    // Only what the dialog shows is replaced: options set elsewhere (with
    // lpoptions, or ones the dialog has no widget for) stay as they were.
    QStringList names;
    QList<QPair<QString, QString>> values;
    collectOptions(&names, &values);
    const bool withPpd = !isClass && m_ppdSettings;
    if (withPpd)
        names << m_ppdSettings->optionKeywords();
    for (const QString& option : qAsConst(names)) {
        const QByteArray optionName = option.toLocal8Bit();
        dest->num_options = cupsRemoveOption(optionName.constData(), dest->num_options, &dest->options);
    }
    for (const auto& option : qAsConst(values)) {
        const QByteArray optionName = option.first.toLocal8Bit();
        const QByteArray value = option.second.toLocal8Bit();
        dest->num_options = cupsAddOption(optionName.constData(), value.constData(), dest->num_options, &dest->options);
    }
    if (withPpd)
        dest->num_options = m_ppdSettings->addChangedOptions(dest->num_options, &dest->options);

    if (cupsSetDests2(connection->http, count, dests.get()) != 0) {
        QMessageBox::critical(this, tr("Error"),
                              tr("Unable to save the options: %1").arg(QString::fromUtf8(cupsLastErrorString())),
                              QMessageBox::Ok);
        return false;
    }
    return true;
}

void DestOptions::updatePaperBoxes()
{
    if (!m_ppdSettings)
        return;
    selectLabel(m_pageSize, m_ppdSettings->currentText(pageSizeKeyword));
    selectLabel(m_paperType, m_ppdSettings->currentText(mediaTypeKeyword));
    selectLabel(m_paperSource, m_ppdSettings->currentText(inputSlotKeyword));
}

void DestOptions::updatePpdSettings()
{
    if (!m_ppdSettings)
        return;
    const QObject* box = sender();
    if (box == m_pageSize) {
        m_ppdSettings->setOptionText(pageSizeKeyword, m_pageSize->currentText());
        m_ppdSettings->setOptionText(pageRegionKeyword, m_pageSize->currentText());
    } else if (box == m_paperType) {
        m_ppdSettings->setOptionText(mediaTypeKeyword, m_paperType->currentText());
    } else if (box == m_paperSource) {
        m_ppdSettings->setOptionText(inputSlotKeyword, m_paperSource->currentText());
    }
}
