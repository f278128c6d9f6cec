#include "DriverWidget.h"

#include "DestinationAttributes.h"

#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTextEdit>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString makeAndModelKey = QStringLiteral("ppd-make-and-model");

QString makeAndModelOf(const QVariantMap& driver)
{
    return DestinationAttributes::firstString(driver, makeAndModelKey);
}

} // namespace

DriverWidget::DriverWidget(QWidget* parent)
    : QWidget(parent)
{
    setWindowTitle(tr("Drivers"));
    auto* layout = new QVBoxLayout(this);
    auto* filterRow = new QHBoxLayout;
    m_filter = new QLineEdit(this);
    filterRow->addWidget(new QLabel(tr("Filter"), this));
    filterRow->addWidget(m_filter);
    layout->addLayout(filterRow);

    m_vertical = new QSplitter(Qt::Vertical, this);
    auto* listsPane = new QWidget(m_vertical);
    auto* listsLayout = new QVBoxLayout(listsPane);
    listsLayout->setContentsMargins(0, 0, 0, 0);
    auto* lists = new QSplitter(Qt::Horizontal, listsPane);
    m_makes = new QListWidget(lists);
    m_models = new QListWidget(lists);
    lists->setStretchFactor(1, 2);
    listsLayout->addWidget(lists);
    auto* buttons = new QHBoxLayout;
    auto* infoButton = new QPushButton(tr("Info"), listsPane);
    infoButton->setCheckable(true);
    auto* fileButton = new QPushButton(tr("From file..."), listsPane);
    fileButton->setToolTip(tr("Select driver from file"));
    buttons->addWidget(infoButton);
    buttons->addStretch();
    buttons->addWidget(fileButton);
    listsLayout->addLayout(buttons);

    m_infoBox = new QGroupBox(tr("Driver info"), m_vertical);
    auto* infoLayout = new QVBoxLayout(m_infoBox);
    m_info = new QTextEdit(m_infoBox);
    m_info->setReadOnly(true);
    infoLayout->addWidget(m_info);
    m_infoBox->hide();
    layout->addWidget(m_vertical, 1);

    connect(infoButton, SIGNAL(toggled(bool)), this, SLOT(toggled(bool)));
    connect(m_filter, SIGNAL(textChanged(QString)), this, SLOT(textChanged(QString)));
    connect(m_makes, SIGNAL(currentItemChanged(QListWidgetItem*, QListWidgetItem*)), this,
            SLOT(currentItemChanged(QListWidgetItem*, QListWidgetItem*)));
    connect(m_models, SIGNAL(currentItemChanged(QListWidgetItem*, QListWidgetItem*)), this,
            SLOT(modelChanged(QListWidgetItem*, QListWidgetItem*)));
    connect(fileButton, SIGNAL(clicked()), this, SLOT(ppdFromFileButtonPressed()));
}

void DriverWidget::setDrivers(const DriversByMake& drivers)
{
    m_makes->clear();
    for (auto it = drivers.cbegin(); it != drivers.cend(); ++it) {
        auto* item = new QListWidgetItem(it.key(), m_makes);
        item->setData(Qt::UserRole, QVariant::fromValue(it.value()));
    }
}

void DriverWidget::currentItemChanged(QListWidgetItem* current, QListWidgetItem*)
{
    m_models->clear();
    if (!current)
        return;
    const QString filter = m_filter->text();
    const QList<QVariantMap> drivers = current->data(Qt::UserRole).value<QList<QVariantMap>>();
    for (const QVariantMap& driver : drivers) {
        const QString makeAndModel = makeAndModelOf(driver);
        if (makeAndModel.isEmpty() || (!filter.isEmpty() && !makeAndModel.contains(filter, Qt::CaseInsensitive)))
            continue;
        auto* item = new QListWidgetItem(makeAndModel, m_models);
        item->setData(Qt::UserRole, driver);
    }
}

void DriverWidget::textChanged(const QString& text)
{
    for (int i = 0; i < m_makes->count(); ++i) {
        QListWidgetItem* item = m_makes->item(i);
        const QList<QVariantMap> drivers = item->data(Qt::UserRole).value<QList<QVariantMap>>();
        const bool matches = text.isEmpty() || std::any_of(drivers.cbegin(), drivers.cend(), [&text](const QVariantMap& d) {
                                 return makeAndModelOf(d).contains(text, Qt::CaseInsensitive);
                             });
        item->setHidden(!matches);
    }
    m_makes->setCurrentItem(nullptr);
}

void DriverWidget::modelChanged(QListWidgetItem* current, QListWidgetItem*)
{
    m_info->clear();
    if (!current)
        return;
    const QVariantMap driver = current->data(Qt::UserRole).toMap();
    for (auto it = driver.cbegin(); it != driver.cend(); ++it) {
        QStringList values;
        for (const QVariant& value : it.value().toList())
            values << value.toString().toHtmlEscaped();
        m_info->append(QStringLiteral("<b>%1</b>: %2").arg(it.key().toHtmlEscaped(), values.join(QLatin1Char(','))));
    }
}

void DriverWidget::toggled(bool on)
{
    const int before = m_vertical->widget(0)->height();
    m_infoBox->setVisible(on);
    m_vertical->refresh();
    const int after = m_vertical->widget(0)->height();
    const double factor = after == 0 ? 1.0 - 0.1 : double(before) / after - 0.1;
    resize(width(), qMax(1, int(height() * factor)));
}

void DriverWidget::ppdFromFileButtonPressed()
{
    m_chosenFile.clear();
    QFileDialog dialog(this, tr("Select file..."), QDir::rootPath(), tr("ppd files") + QStringLiteral(" (*.ppd)"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    m_chosenFile = dialog.selectedFiles().first();
    emit ppdFileSelected();
}

bool DriverWidget::preselect(const QString& make, const QString& makeAndModel)
{
    if (make.isEmpty())
        return false;
    const QList<QListWidgetItem*> makes = m_makes->findItems(make, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (makes.isEmpty())
        return false;
    m_makes->setCurrentItem(makes.first());
    if (makeAndModel.isEmpty())
        return false;
    for (int i = 0; i < m_models->count(); ++i) {
        if (m_models->item(i)->text().startsWith(makeAndModel, Qt::CaseInsensitive)) {
            m_models->setCurrentRow(i);
            return true;
        }
    }
    return false;
}
