#include "PassEnvDialog.h"

#include <QLineEdit>

PassEnvDialog::PassEnvDialog(QWidget* parent)
    : ConfigEntryDialog(parent)
{
    setWindowTitle(tr("Pass environment"));
    m_name = addValueRow(tr("Environment name"));
}

QString PassEnvDialog::name() const
{
    return m_name->text();
}

void PassEnvDialog::setName(const QString& name)
{
    m_name->setText(name);
}
