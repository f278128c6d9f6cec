#include "SetEnvDialog.h"

#include <QLineEdit>

SetEnvDialog::SetEnvDialog(QWidget* parent)
    : ConfigEntryDialog(parent)
{
    setWindowTitle(tr("Set environment"));
    m_name = addValueRow(tr("Environment name"));
    m_value = addValueRow(tr("Value"));
}

QString SetEnvDialog::name() const
{
    return m_name->text();
}

void SetEnvDialog::setName(const QString& name)
{
    m_name->setText(name);
}

QString SetEnvDialog::value() const
{
    return m_value->text();
}

void SetEnvDialog::setValue(const QString& value)
{
    m_value->setText(value);
}
