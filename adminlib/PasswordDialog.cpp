#include "PasswordDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

PasswordDialog::PasswordDialog(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Authentication"));
    setWindowIcon(QIcon::fromTheme(QStringLiteral("dialog-password")));

    m_requestLabel = new QLabel(this);
    m_requestLabel->setObjectName(QStringLiteral("lRequest"));
    // Host names and resource paths are the server's words, never markup.
    m_requestLabel->setTextFormat(Qt::PlainText);
    m_requestLabel->setWordWrap(true);

    m_refusedLabel = new QLabel(tr("The server refused the password. Try again, or cancel."), this);
    m_refusedLabel->setObjectName(QStringLiteral("lRefused"));
    m_refusedLabel->setTextFormat(Qt::PlainText);
    m_refusedLabel->setWordWrap(true);
    m_refusedLabel->setVisible(false);

    m_userEdit = new QLineEdit(this);
    m_userEdit->setObjectName(QStringLiteral("eUser"));
    m_passwordEdit = new QLineEdit(this);
    m_passwordEdit->setObjectName(QStringLiteral("ePassword"));
    m_passwordEdit->setEchoMode(QLineEdit::Password);

    auto* form = new QFormLayout;
    form->addRow(tr("&User:"), m_userEdit);
    form->addRow(tr("&Password:"), m_passwordEdit);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttonBox"));
    m_okButton = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_userEdit, &QLineEdit::textChanged, this, &PasswordDialog::updateOkButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_requestLabel);
    layout->addWidget(m_refusedLabel);
    layout->addLayout(form);
    layout->addWidget(buttons);

    updateOkButton();
}

void PasswordDialog::setRequest(const QString& server, const QString& resource)
{
    m_requestLabel->setText(tr("The server %1 asks for a user name and password for %2.").arg(server, resource));
}

void PasswordDialog::setUser(const QString& user)
{
    m_userEdit->setText(user);
    // With a proposed name the password is what is left to type.
    if (user.isEmpty())
        m_userEdit->setFocus();
    else
        m_passwordEdit->setFocus();
}

void PasswordDialog::setRefused(bool refused)
{
    m_refusedLabel->setVisible(refused);
}

QString PasswordDialog::user() const
{
    return m_userEdit->text();
}

QString PasswordDialog::password() const
{
    return m_passwordEdit->text();
}

void PasswordDialog::clearPassword()
{
    m_passwordEdit->clear();
}

void PasswordDialog::updateOkButton()
{
    m_okButton->setEnabled(!m_userEdit->text().trimmed().isEmpty());
}
