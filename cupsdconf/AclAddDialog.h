#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;

// One Allow or Deny rule: the action and the address or host it applies to.
class AclAddDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AclAddDialog(QWidget* parent = nullptr);
    ~AclAddDialog() override;

    QString address() const;
    void setAddress(const QString& address);
    // The untranslated keyword, "Allow" or "Deny".
    QString action() const;
    QString actionText() const;
    // Selects the action by its keyword; anything else leaves the selection as it is.
    void setAction(const QString& keyword);

private:
    QComboBox* m_action = nullptr;
    QLineEdit* m_address = nullptr;
};
