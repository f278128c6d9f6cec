#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class SmbLogin;
}

// Asks for the user name and password with which an SMB server's shares are listed.
class SmbLogin : public QDialog
{
    Q_OBJECT

public:
    SmbLogin(QWidget* parent, const QString& server);
    ~SmbLogin() override;

    QString user() const;
    QString password() const;

private:
    std::unique_ptr<Ui::SmbLogin> m_ui;
};
