#include "SmbLogin.h"

#include "ui_SmbLogin.h"

SmbLogin::SmbLogin(QWidget* parent, const QString& server)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::SmbLogin>())
{
    m_ui->setupUi(this);
    m_ui->serverName_->setText(server);
    m_ui->userName_->setFocus();
}

SmbLogin::~SmbLogin() = default;

QString SmbLogin::user() const
{
    return m_ui->userName_->text();
}

QString SmbLogin::password() const
{
    return m_ui->password_->text();
}
