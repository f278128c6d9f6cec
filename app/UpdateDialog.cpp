#include "UpdateDialog.h"

#include "FormLayout.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString intervalKey = QStringLiteral("Printer Tree/Update Interval");
constexpr int defaultIntervalSeconds = 2;
constexpr int millisecondsPerSecond = 1000;

} // namespace

UpdateDialog::UpdateDialog(QTimer* timer, QWidget* parent)
    : QDialog(parent)
    , m_timer(timer)
{
    setWindowTitle(tr("Update Interval"));

    auto* layout = new QVBoxLayout(this);
    auto* form = new FormLayout;
    layout->addLayout(form);

    m_intervalBox = new QSpinBox(this);
    m_intervalBox->setSuffix(tr(" sec"));
    m_intervalBox->setMinimum(0);
    form->addRow(tr("Printer tree update interval"), m_intervalBox);

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(m_buttons);
    // The interval must be applied before accept() ends the dialog's exec().
    connect(m_buttons, SIGNAL(accepted()), this, SLOT(updateInterval()));
    connect(m_buttons, SIGNAL(accepted()), this, SLOT(accept()));
    connect(m_buttons, SIGNAL(rejected()), this, SLOT(reject()));

    m_intervalBox->setValue(QSettings().value(intervalKey, defaultIntervalSeconds).toInt());
    connect(m_intervalBox, SIGNAL(valueChanged(int)), this, SLOT(setChanged()));
    setChanged(false);
}

void UpdateDialog::updateInterval()
{
    const int seconds = m_intervalBox->value();
    QSettings().setValue(intervalKey, seconds);
    if (!m_timer)
        return;
    m_timer->setInterval(seconds * millisecondsPerSecond);
    if (m_timer->interval() != 0)
        m_timer->start();
    else
        m_timer->stop();
}

void UpdateDialog::setChanged(bool changed)
{
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(changed);
}
