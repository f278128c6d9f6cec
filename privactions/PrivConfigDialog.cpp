#include "PrivConfigDialog.h"

#include "CupsHttp.h"
#include "ServerInfo.h"
#include "ui_PrivConfigDialog.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>

namespace {

const QString providerTypeKey = QStringLiteral("PrivActions/ProviderType");
const QString noRootAuthKey = QStringLiteral("PrivActions/NoRootAuth");

} // namespace

PrivConfigDialog::PrivConfigDialog(QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::PrivConfigDialog>())
{
    m_ui->setupUi(this);
    m_ui->polkitButton_->hide();

    QSettings settings;
    m_ui->privAuthCheckBox_->setChecked(settings.value(noRootAuthKey, false).toBool());
    if (!settings.contains(providerTypeKey))
        settings.setValue(providerTypeKey, QStringLiteral("PolicyKit"));
    if (settings.value(providerTypeKey, QStringLiteral("IPP")).toString() == QLatin1String("PolicyKit"))
        m_ui->polkitButton_->setChecked(true);
    else
        m_ui->ippButton_->setChecked(true);

    setChanged(false);

    connect(m_ui->buttonBox_, SIGNAL(accepted()), this, SLOT(slotAccept()));
    connect(m_ui->buttonBox_, SIGNAL(rejected()), this, SLOT(reject()));
    for (QRadioButton* button : findChildren<QRadioButton*>())
        connect(button, SIGNAL(toggled(bool)), this, SLOT(setChanged()));
    for (QCheckBox* box : findChildren<QCheckBox*>())
        connect(box, SIGNAL(toggled(bool)), this, SLOT(setChanged()));

    // The helper can only reach the scheduler of this machine.
    ServerInfo& info = ServerInfo::instance();
    info.update();
    if (!info.isLocal) {
        m_ui->polkitButton_->setEnabled(false);
        m_ui->ippButton_->setChecked(true);
    }

    adjustSize();
}

PrivConfigDialog::~PrivConfigDialog() = default;

void PrivConfigDialog::slotAccept()
{
    QSettings settings;
    settings.setValue(providerTypeKey,
                      m_ui->polkitButton_->isChecked() ? QStringLiteral("PolicyKit") : QStringLiteral("IPP"));
    settings.setValue(noRootAuthKey, m_ui->privAuthCheckBox_->isChecked());
    if (m_ui->ippButton_->isChecked()) {
        if (Cups::HTTP* connection = Cups::HTTP::getUniqueConnection())
            connection->reconnect();
    }
    accept();
}

void PrivConfigDialog::setChanged(bool changed)
{
    m_ui->buttonBox_->button(QDialogButtonBox::Ok)->setEnabled(changed);
}

void PrivConfigDialog::setChanged()
{
    setChanged(true);
}
