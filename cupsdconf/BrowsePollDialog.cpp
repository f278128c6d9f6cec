#include "BrowsePollDialog.h"

#include <QLineEdit>

BrowsePollDialog::BrowsePollDialog(QWidget* parent)
    : ConfigEntryDialog(parent)
{
    setWindowTitle(tr("Poll"));
    m_host = addValueRow(tr("Host"));
}

QString BrowsePollDialog::host() const
{
    return m_host->text();
}

void BrowsePollDialog::setHost(const QString& host)
{
    m_host->setText(host);
}
