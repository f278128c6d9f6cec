#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The user-and-password prompt that PasswordCBSetter shows when the scheduler
// asks for credentials.
class PasswordDialog : public QDialog
{
    Q_OBJECT

public:
    explicit PasswordDialog(QWidget* parent = nullptr);

    // server and resource come from the network: shown as plain text.
    void setRequest(const QString& server, const QString& resource);
    void setUser(const QString& user);
    // Tells the user that the server refused the password given last time.
    void setRefused(bool refused);

    QString user() const;
    QString password() const;
    void clearPassword();

private:
    void updateOkButton();

    QLabel* m_requestLabel = nullptr;
    QLabel* m_refusedLabel = nullptr;
    QLineEdit* m_userEdit = nullptr;
    QLineEdit* m_passwordEdit = nullptr;
    QPushButton* m_okButton = nullptr;
};
