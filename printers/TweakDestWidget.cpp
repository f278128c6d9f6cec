#include "TweakDestWidget.h"

#include "CupsHttp.h"
#include "CupsPointers.h"
#include "DestinationAttributes.h"
#include "PasswordCBSetter.h"
#include "PrinterWizard.h"
#include "PrivActionFactory.h"
#include "PrivActionProvider.h"
#include "WizardFields.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>

#include <cups/cups.h>
#include <cups/ppd.h>

namespace {

using DestinationAttributes::firstString;
using DestinationAttributes::firstUInt;

const QString rawDriver = QStringLiteral("raw");

QLabel* heading(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignHCenter);
    return label;
}

QLabel* section(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setWordWrap(true);
    label->setTextFormat(Qt::RichText);
    return label;
}

QString escaped(const QString& text)
{
    return text.toHtmlEscaped();
}

// The queue's PPD as the server has it (with the defaults its administrator
// chose), or "raw" for a queue without one; empty when it cannot be had.
// The scheduler still describes drivers by PPD files, and this is the call
// libcups has for fetching one.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
QString fetchServerPpd(const QString& name, const QString& directory)
{
    Cups::HTTP* connection = Cups::HTTP::getUniqueConnection();
    if (!connection || !connection->http)
        return QString();
    const QByteArray queue = name.toUtf8();
    const QByteArray path = QFile::encodeName(QDir(directory).filePath(QStringLiteral("driver.ppd")));
    char buffer[1024];
    qstrncpy(buffer, path.constData(), sizeof buffer);
    time_t modified = 0;
    const http_status_t status = cupsGetPPD3(connection->http, queue.constData(), &modified, buffer, sizeof buffer);
    if (status == HTTP_STATUS_OK)
        return QFile::decodeName(buffer);
    return status == HTTP_STATUS_NOT_FOUND ? rawDriver : QString();
}
#pragma GCC diagnostic pop

} // namespace

TweakDestWidget::TweakDestWidget(QWidget* parent)
    : QWidget(parent)
{
    auto* layout = new QGridLayout(this);
    const auto changeButton = [this] {
        auto* button = new QPushButton(tr("Change..."), this);
        button->setEnabled(false);
        return button;
    };
    m_generalText = section(this);
    m_deviceHeading = heading(tr("<h4>Device Info</h4>"), this);
    m_deviceText = section(this);
    m_driverHeading = heading(tr("<h4>Driver Info</h4>"), this);
    m_driverText = section(this);
    m_membersHeading = heading(tr("<h4>Class Members</h4>"), this);
    m_membersText = section(this);
    m_generalButton = changeButton();
    m_deviceButton = changeButton();
    m_driverButton = changeButton();
    m_membersButton = changeButton();

    layout->addWidget(heading(tr("<h4>General Info</h4>"), this), 0, 0, 1, 2);
    layout->addWidget(m_generalText, 1, 0);
    layout->addWidget(m_generalButton, 1, 1, Qt::AlignTop);
    layout->addWidget(m_deviceHeading, 2, 0, 1, 2);
    layout->addWidget(m_deviceText, 3, 0);
    layout->addWidget(m_deviceButton, 3, 1, Qt::AlignTop);
    layout->addWidget(m_driverHeading, 4, 0, 1, 2);
    layout->addWidget(m_driverText, 5, 0);
    layout->addWidget(m_driverButton, 5, 1, Qt::AlignTop);
    layout->addWidget(m_membersHeading, 6, 0, 1, 2);
    layout->addWidget(m_membersText, 7, 0);
    layout->addWidget(m_membersButton, 7, 1, Qt::AlignTop);
    layout->setRowStretch(8, 3);
    layout->setColumnStretch(0, 3);

    connect(m_generalButton, SIGNAL(clicked(bool)), this, SLOT(changeGeneral()));
    connect(m_deviceButton, SIGNAL(clicked(bool)), this, SLOT(changeBackend()));
    connect(m_driverButton, SIGNAL(clicked(bool)), this, SLOT(changeDriver()));
    connect(m_membersButton, SIGNAL(clicked(bool)), this, SLOT(changeMembers()));
}

void TweakDestWidget::setDestination(const QString& name, const QVariantMap& attributes)
{
    m_name = name;
    m_location = firstString(attributes, QStringLiteral("printer-location"));
    m_description = firstString(attributes, QStringLiteral("printer-info"));
    m_deviceUri = firstString(attributes, QStringLiteral("device-uri"));
    m_makeAndModel = firstString(attributes, QStringLiteral("printer-make-and-model"));
    m_shared = firstString(attributes, QStringLiteral("printer-is-shared")) == QLatin1String("true");
    const uint type = firstUInt(attributes, QStringLiteral("printer-type"));
    m_isClass = type & CUPS_PRINTER_CLASS;
    m_isRemote = type & CUPS_PRINTER_REMOTE;

    // Every text here comes from the server: escaped before it meets markup.
    if (m_isClass) {
        m_memberNames = attributes.value(QStringLiteral("member-names")).toStringList();
        m_generalText->setText(tr("<b>Name:</b> %1<br><b>Location:</b> %2<br><b>Info:</b> %3%4")
                                   .arg(escaped(name), escaped(m_location), escaped(m_description),
                                        m_shared ? tr("<br>Class is shared") : QString()));
        m_membersText->setText(tr("<b>Members:</b> %1").arg(escaped(m_memberNames.join(QStringLiteral(", ")))));
    } else {
        m_memberNames.clear();
        m_generalText->setText(tr("<b>Name:</b> %1<br><b>Location:</b>%2<br><b>Info:</b> %3%4")
                                   .arg(escaped(name), escaped(m_location), escaped(m_description),
                                        m_shared ? tr("<br>Printer is shared") : QString()));
        m_deviceText->setText(tr("<b>Device URI:</b> %1").arg(escaped(m_deviceUri)));
        m_driverText->setText(tr("<b>Make and Model:</b> %1").arg(escaped(m_makeAndModel)));
    }
    for (QWidget* widget : {static_cast<QWidget*>(m_deviceHeading), static_cast<QWidget*>(m_deviceText),
                            static_cast<QWidget*>(m_deviceButton), static_cast<QWidget*>(m_driverHeading),
                            static_cast<QWidget*>(m_driverText), static_cast<QWidget*>(m_driverButton)})
        widget->setVisible(!m_isClass);
    for (QWidget* widget : {static_cast<QWidget*>(m_membersHeading), static_cast<QWidget*>(m_membersText),
                            static_cast<QWidget*>(m_membersButton)})
        widget->setVisible(m_isClass);
    m_generalButton->setEnabled(!m_isRemote);
    m_deviceButton->setEnabled(!m_isClass && !m_isRemote);
    m_driverButton->setEnabled(!m_isClass && !m_isRemote);
    m_membersButton->setEnabled(m_isClass && !m_isRemote);
}

void TweakDestWidget::presetWizard(PrinterWizard* wizard, Mode mode, const QString& driver) const
{
    wizard->setStartId(mode == Mode::Backend ? WizardPage::AutodetectSelection : WizardPage::InfoDriver);
    wizard->setField(WizardField::queueName, m_name);
    wizard->setField(WizardField::isPrinterQueue, !m_isClass);
    wizard->setField(WizardField::queueDescription, m_description);
    wizard->setField(WizardField::queueLocation, m_location);
    wizard->setField(WizardField::queueShared, m_shared);
    wizard->setField(WizardField::deviceDriver, driver);
    wizard->setField(WizardField::deviceUri, m_deviceUri);
    if (mode == Mode::General) {
        wizard->setField(WizardField::isClassQueue, m_isClass);
        if (m_isClass)
            wizard->setField(WizardField::classMembers, m_memberNames);
    }
    wizard->setField(mode == Mode::General   ? WizardField::generalEdit
                     : mode == Mode::Backend ? WizardField::backendEdit
                                             : WizardField::driverEdit,
                     true);
}

bool TweakDestWidget::runWizard(PrinterWizard* wizard)
{
    emit updateTimerStopRequest();
    const bool accepted = wizard->exec() == QDialog::Accepted;
    emit updateTimerStartRequest();
    return accepted;
}

void TweakDestWidget::changeGeneral()
{
    // A rename makes a new queue, which needs the old one's driver; the
    // copy lives until the wizard is done.
    QTemporaryDir ppdDir;
    QString renameDriver;
    if (!m_isClass) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        renameDriver = ppdDir.isValid() ? fetchServerPpd(m_name, ppdDir.path()) : QString();
        QApplication::restoreOverrideCursor();
    }
    const QString oldName = m_name;
    const QPointer<TweakDestWidget> self(this);
    PrinterWizard wizard(this);
    wizard.setEditedQueue(oldName, renameDriver);
    presetWizard(&wizard, Mode::General, QString());
    if (!runWizard(&wizard) || !self)
        return;
    const QString newName = wizard.field(WizardField::queueName).toString();
    // The scheduler ignores the case of queue names: "Office" is "office".
    if (newName.compare(oldName, Qt::CaseInsensitive) != 0 && finishRename(newName))
        emit destinationRenamed(newName);
}

bool TweakDestWidget::finishRename(const QString& newName)
{
    const QString oldName = m_name;
    Cups::HTTP* connection = Cups::HTTP::getUniqueConnection();
    const QString collection = m_isClass ? QStringLiteral("/classes/") : QStringLiteral("/printers/");
    // "No" to "Try again?" also closes the wizard as accepted: the old queue
    // goes only when the new one is really there.
    if (!connection || (m_isClass ? connection->classState(newName) : connection->printerState(newName)) == 0) {
        QMessageBox::critical(this, tr("Error"),
                              tr("The queue %1 was not created, so %2 was kept.").arg(newName, oldName));
        return false;
    }
    bool moved = false;
    {
        PasswordCBSetter passwordSetter(this);
        moved = connection->moveJobs(collection + oldName, collection + newName);
        if (!moved)
            PasswordCBSetter::handleAuthError();
    }
    if (!moved) {
        QMessageBox::critical(this, tr("Error"),
                              tr("The jobs of %1 could not be moved to %2: %3\n%1 was kept.")
                                  .arg(oldName, newName, QString::fromUtf8(cupsLastErrorString())));
        return false;
    }
    PrivActionProvider* provider = PrivActionFactory::instance()->provider();
    provider->setParentWidget(this);
    const bool deleted = m_isClass ? provider->classDelete(oldName) : provider->printerDelete(oldName);
    if (!deleted) {
        QMessageBox::critical(this, tr("Error"),
                              tr("%1 was created, but %2 could not be deleted.").arg(newName, oldName));
    }
    return deleted;
}

void TweakDestWidget::changeBackend()
{
    PrinterWizard wizard(this);
    wizard.setEditedQueue(m_name, QString());
    // No driver: the queue keeps the one it has.
    presetWizard(&wizard, Mode::Backend, QString());
    runWizard(&wizard);
}

void TweakDestWidget::changeDriver()
{
    PrinterWizard wizard(this);
    wizard.setEditedQueue(m_name, QString());
    presetWizard(&wizard, Mode::Driver, QString());
    runWizard(&wizard);
}

void TweakDestWidget::changeMembers()
{
    emit setClassMembers();
}
