#include "InfoDriverPage.h"

#include "CupsHttp.h"
#include "DestinationAttributes.h"
#include "FormLayout.h"
#include "PrinterWizard.h"
#include "PrivActionFactory.h"
#include "PrivActionProvider.h"
#include "ServerInfo.h"
#include "WizardFields.h"
#include "WaitCursor.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int driverButtonSize = 28;
constexpr QSize driverDialogSize(720, 480);

} // namespace

InfoDriverPage::InfoDriverPage(QWidget* parent)
    : QWizardPage(parent)
{
    setTitle(tr("Information"));
    setSubTitle(tr("Enter printer/class information, select printer driver (if needed)"));
    setFinalPage(true);

    auto* box = new QGroupBox(title(), this);
    auto* form = new FormLayout(box);
    m_name = new QLineEdit(box);
    m_location = new QLineEdit(box);
    m_description = new QLineEdit(box);
    m_uri = new QLineEdit(box);
    m_driver = new QLineEdit(box);
    m_driver->setReadOnly(true);
    m_driverButton = new QPushButton(QStringLiteral("..."), box);
    m_driverButton->setFixedSize(driverButtonSize, driverButtonSize);
    m_driverButton->setAccessibleName(tr("Select driver"));
    m_driverButton->setToolTip(m_driverButton->accessibleName());
    m_shared = new QCheckBox(tr("Share this queue"), box);
    m_uriLabel = new QLabel(tr("<b>Device URI</b>"), box);
    m_driverLabel = new QLabel(tr("<b>Driver</b>"), box);
    auto* driverRow = new QHBoxLayout;
    driverRow->addWidget(m_driver);
    driverRow->addWidget(m_driverButton);
    form->addRow(tr("<b>Name</b>"), m_name);
    form->addRow(tr("Location"), m_location);
    form->addRow(tr("Description"), m_description);
    form->addRow(m_uriLabel, m_uri);
    form->addRow(m_driverLabel, driverRow);
    form->addRow(QString(), m_shared);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box);
    layout->addStretch();
    setTabOrder(m_name, m_location);
    setTabOrder(m_location, m_description);
    setTabOrder(m_description, m_uri);
    setTabOrder(m_uri, m_driver);
    setTabOrder(m_driver, m_driverButton);
    setTabOrder(m_driverButton, m_shared);

    // A server elsewhere is there to be shared.
    if (!ServerInfo::instance().isLocal)
        m_shared->setChecked(true);

    registerField(WizardField::queueName + QLatin1Char('*'), m_name);
    registerField(WizardField::queueLocation, m_location);
    registerField(WizardField::queueDescription, m_description);
    registerField(WizardField::deviceUri, m_uri);
    registerField(WizardField::deviceDriver, m_driver);
    registerField(WizardField::queueShared, m_shared);
    registerField(WizardField::generalEdit, this, "generalEditOnly");
    registerField(WizardField::backendEdit, this, "backendEditOnly");
    registerField(WizardField::driverEdit, this, "driverEditOnly");

    connect(m_driverButton, SIGNAL(clicked()), this, SLOT(selectDriver()));
    connect(m_name, SIGNAL(textChanged(QString)), this, SLOT(queueNameChanged(QString)));
    connect(m_driver, SIGNAL(textChanged(QString)), this, SLOT(driverChanged(QString)));
    connect(m_uri, SIGNAL(textChanged(QString)), this, SLOT(deviceUriChanged(QString)));
}

void InfoDriverPage::enableOnly(const QList<QWidget*>& enabled)
{
    for (QWidget* widget : {static_cast<QWidget*>(m_name), static_cast<QWidget*>(m_description),
                            static_cast<QWidget*>(m_location), static_cast<QWidget*>(m_driver),
                            static_cast<QWidget*>(m_driverButton), static_cast<QWidget*>(m_uri)})
        widget->setEnabled(enabled.contains(widget));
}

void InfoDriverPage::setGeneralEditOnly(bool on)
{
    m_generalEditOnly = on;
    if (on)
        enableOnly({m_name, m_description, m_location});
}

void InfoDriverPage::setBackendEditOnly(bool on)
{
    m_backendEditOnly = on;
    if (on)
        enableOnly({m_uri});
}

void InfoDriverPage::setDriverEditOnly(bool on)
{
    m_driverEditOnly = on;
    if (on)
        enableOnly({m_driver, m_driverButton});
}

bool InfoDriverPage::isPrinter() const
{
    return field(WizardField::isPrinterQueue).toBool();
}

bool InfoDriverPage::keepsDriver() const
{
    return m_generalEditOnly || m_backendEditOnly;
}

bool InfoDriverPage::isValidUri(const QString& text)
{
    if (text.isEmpty())
        return false;
    QUrl url(text, QUrl::TolerantMode);
    if (url.isValid())
        return true;
    url.setHost(QStringLiteral("localhost"));
    return url.isValid();
}

void InfoDriverPage::checkName(const QString& name)
{
    // The scheduler's own rules, checked by the same function the
    // administration library uses before it sends a name.
    if (!Cups::HTTP::isValidQueueName(name)) {
        m_nameValid = false;
        return;
    }
    const auto* printerWizard = qobject_cast<const PrinterWizard*>(wizard());
    const QString edited = printerWizard ? printerWizard->editedQueue() : QString();
    if (isEditOnly() && name.compare(edited, Qt::CaseInsensitive) == 0) {
        m_nameValid = true;
        return;
    }
    // Queue names are compared without regard to case by the scheduler: an
    // existing "office" would be changed by adding "Office", and a queue
    // renamed onto another one would replace it.
    m_nameValid = std::none_of(m_existingNames.cbegin(), m_existingNames.cend(), [&name](const QString& existing) {
        return existing.compare(name, Qt::CaseInsensitive) == 0;
    });
}

void InfoDriverPage::queueNameChanged(const QString& name)
{
    const bool before = isComplete();
    checkName(name);
    if (isComplete() != before)
        emit completeChanged();
}

void InfoDriverPage::driverChanged(const QString& text)
{
    if (!isPrinter())
        return;
    const bool before = isComplete();
    m_driverValid = !text.isEmpty() || keepsDriver();
    if (isComplete() != before)
        emit completeChanged();
}

void InfoDriverPage::deviceUriChanged(const QString& text)
{
    if (!isPrinter())
        return;
    const bool before = isComplete();
    m_uriValid = isValidUri(text);
    if (isComplete() != before)
        emit completeChanged();
}

bool InfoDriverPage::isComplete() const
{
    return m_nameValid && m_driverValid && m_uriValid;
}

void InfoDriverPage::initializePage()
{
    const WaitCursor wait;
    Cups::HTTP* connection = Cups::HTTP::getUniqueConnection();
    const QList<QVariantMap> destinations = connection ? connection->destinations() : QList<QVariantMap>();
    for (const QVariantMap& destination : destinations) {
        const QString name = DestinationAttributes::firstString(destination, QStringLiteral("printer-name"));
        if (!name.isEmpty())
            m_existingNames.insert(name);
    }
    m_nameValid = false;
    checkName(m_name->text());

    const bool printer = isPrinter();
    for (QWidget* widget : {static_cast<QWidget*>(m_uriLabel), static_cast<QWidget*>(m_uri),
                            static_cast<QWidget*>(m_driverLabel), static_cast<QWidget*>(m_driver),
                            static_cast<QWidget*>(m_driverButton)})
        widget->setVisible(printer);
    if (printer) {
        m_proposedMake.clear();
        m_proposedMakeAndModel.clear();
        if (field(WizardField::isAutodetectedPrinterSelected).toBool())
            proposeDriver(field(WizardField::printerMakeAndModel).toString());
        m_driverValid = !m_driver->text().isEmpty() || keepsDriver();
        m_uriValid = isValidUri(m_uri->text());
        m_driver->setPlaceholderText(keepsDriver() ? tr("The queue keeps its driver") : QString());
    } else {
        m_uriValid = true;
        m_driverValid = true;
    }
    emit completeChanged();
}

void InfoDriverPage::loadDrivers()
{
    if (!m_drivers.isEmpty())
        return;
    Cups::HTTP* connection = Cups::HTTP::getUniqueConnection();
    if (!connection)
        return;
    for (const QVariantMap& driver : connection->PPDs()) {
        const QString make = DestinationAttributes::firstString(driver, QStringLiteral("ppd-make"));
        if (!make.isEmpty())
            m_drivers[make].append(driver);
    }
}

void InfoDriverPage::proposeDriver(const QString& makeAndModel)
{
    loadDrivers();
    const QStringList words = makeAndModel.split(QLatin1Char(' '));
    const auto isMake = [this](const QString& candidate) {
        for (auto it = m_drivers.cbegin(); it != m_drivers.cend(); ++it) {
            if (it.key().compare(candidate, Qt::CaseInsensitive) == 0)
                return true;
        }
        return false;
    };
    QString make;
    QString prefix;
    for (const QString& word : words) {
        prefix = prefix.isNull() ? word : prefix + QLatin1Char(' ') + word;
        if (!isMake(prefix))
            break;
        make = prefix;
    }
    if (make.isEmpty())
        return;
    const QString model = makeAndModel.mid(make.size() + 1);
    for (auto it = m_drivers.cbegin(); it != m_drivers.cend(); ++it) {
        if (it.key().startsWith(make, Qt::CaseInsensitive)) {
            make = it.key();
            break;
        }
    }
    m_proposedMake = make;
    for (const QVariantMap& driver : m_drivers.value(make)) {
        const QString candidate = DestinationAttributes::firstString(driver, QStringLiteral("ppd-make-and-model"));
        if (candidate.isEmpty() || !candidate.contains(model, Qt::CaseInsensitive))
            continue;
        m_proposedMakeAndModel = candidate;
        m_driver->setText(DestinationAttributes::firstString(driver, QStringLiteral("ppd-name")));
        return;
    }
}

void InfoDriverPage::selectDriver()
{
    QDialog dialog(this);
    auto* layout = new QVBoxLayout(&dialog);
    auto* drivers = new DriverWidget(&dialog);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Horizontal, &dialog);
    layout->addWidget(drivers, 1);
    layout->addWidget(buttons);
    dialog.setWindowTitle(drivers->windowTitle());
    // Room for the long make-and-model names of real drivers.
    dialog.resize(driverDialogSize);
    connect(drivers, SIGNAL(ppdFileSelected()), &dialog, SLOT(accept()));
    connect(buttons, SIGNAL(accepted()), &dialog, SLOT(accept()));
    connect(buttons, SIGNAL(rejected()), &dialog, SLOT(reject()));

    {
        const WaitCursor wait;
        loadDrivers();
    }
    drivers->setDrivers(m_drivers);
    if (!m_proposedMake.isEmpty())
        drivers->preselect(m_proposedMake, m_proposedMakeAndModel);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QListWidgetItem* model = drivers->modelList()->currentItem();
    if (model && !model->isHidden())
        m_driver->setText(DestinationAttributes::firstString(model->data(Qt::UserRole).toMap(),
                                                             QStringLiteral("ppd-name")));
    if (!drivers->chosenFile().isEmpty())
        m_driver->setText(drivers->chosenFile());
    emit completeChanged();
}

bool InfoDriverPage::askTryAgain(const QString& question)
{
    return QMessageBox::critical(this, tr("Error"), question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
           == QMessageBox::Yes;
}

bool InfoDriverPage::finishPrinter()
{
    if (!isValidUri(m_uri->text())) {
        QMessageBox::critical(this, tr("Error"), tr("Correct URI must present!"), QMessageBox::Ok);
        m_uri->setFocus();
        return false;
    }
    QString driver = m_driver->text();
    if (keepsDriver()) {
        // Re-adding a queue without a driver keeps the one it has; a queue
        // under a new name needs the old one's, fetched before the wizard.
        const auto* printerWizard = qobject_cast<const PrinterWizard*>(wizard());
        const bool renamed = printerWizard
                             && m_name->text().compare(printerWizard->editedQueue(), Qt::CaseInsensitive) != 0;
        driver = renamed ? printerWizard->driverForRename() : QString();
        if (renamed && driver.isEmpty()) {
            QMessageBox::critical(this, tr("Error"),
                                  tr("The driver of %1 could not be fetched from the server, so the printer cannot "
                                     "be renamed.")
                                      .arg(printerWizard->editedQueue()),
                                  QMessageBox::Ok);
            return false;
        }
    } else if (driver.isEmpty()) {
        QMessageBox::critical(this, tr("Error"), tr("Driver is not selected"), QMessageBox::Ok);
        return false;
    }
    bool added = false;
    {
        const WaitCursor wait;
        added = PrivActionFactory::instance()->provider()->printerAdd(m_name->text(), m_uri->text(), driver,
                                                                       m_description->text(), m_location->text(),
                                                                       m_shared->isChecked());
    }
    return added || !askTryAgain(tr("Unable to add printer.\nTry Again?"));
}

bool InfoDriverPage::finishClass()
{
    bool added = false;
    {
        const WaitCursor wait;
        added = PrivActionFactory::instance()->provider()->classAdd(
            m_name->text(), field(WizardField::classMembers).toStringList(), m_description->text(),
            m_location->text(), m_shared->isChecked());
    }
    return added || !askTryAgain(tr("Unable to add class.\nTry Again?"));
}

bool InfoDriverPage::validatePage()
{
    PrivActionFactory::instance()->provider()->setParentWidget(this);
    return isPrinter() ? finishPrinter() : finishClass();
}
