#include "ListenDialog.h"

#include "FormLayout.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSpinBox>

namespace {

constexpr int ippPort = 631;
constexpr int highestPort = 65535;

} // namespace

ListenDialog::ListenDialog(QWidget* parent)
    : ConfigEntryDialog(parent)
{
    m_address = addValueRow(tr("Address"));
    m_port = new QSpinBox(this);
    m_port->setRange(0, highestPort);
    m_port->setValue(ippPort);
    form()->addRow(tr("Port"), m_port);
    m_ssl = new QCheckBox(tr("SSL"), this);
    form()->addRow(m_ssl);
}

QString ListenDialog::address() const
{
    return m_address->text();
}

void ListenDialog::setAddress(const QString& address)
{
    m_address->setText(address);
}

int ListenDialog::port() const
{
    return m_port->value();
}

void ListenDialog::setPort(int port)
{
    m_port->setValue(port);
}

bool ListenDialog::isSsl() const
{
    return m_ssl->isChecked();
}

void ListenDialog::setSsl(bool ssl)
{
    m_ssl->setChecked(ssl);
}
