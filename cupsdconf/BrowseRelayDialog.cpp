#include "BrowseRelayDialog.h"

#include <QLineEdit>

BrowseRelayDialog::BrowseRelayDialog(QWidget* parent)
    : ConfigEntryDialog(parent)
{
    setWindowTitle(tr("Relay"));
    m_from = addValueRow(tr("From"));
    m_to = addValueRow(tr("To"));
}

QString BrowseRelayDialog::from() const
{
    return m_from->text();
}

void BrowseRelayDialog::setFrom(const QString& from)
{
    m_from->setText(from);
}

QString BrowseRelayDialog::to() const
{
    return m_to->text();
}

void BrowseRelayDialog::setTo(const QString& to)
{
    m_to->setText(to);
}
