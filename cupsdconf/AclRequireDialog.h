#pragma once

#include <QDialog>

class QComboBox;

// One Require rule: a type ("user", "group" or "valid-user") and, except for
// any valid user, the user or group it names.
class AclRequireDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AclRequireDialog(QWidget* parent = nullptr);
    ~AclRequireDialog() override;

    QString type() const;
    QString typeText() const;
    // A type the list lacks is added, so that editing a rule keeps it.
    void setType(const QString& keyword);
    QString name() const;
    // A name the list lacks (an account of a directory service that the
    // system does not enumerate) is added, for the same reason.
    void setName(const QString& name);

public slots:
    void currentTypeChanged(int index);

private:
    QComboBox* m_type = nullptr;
    QComboBox* m_name = nullptr;
};
