#pragma once

#include "ConfigEntryDialog.h"

class QLineEdit;

// One environment variable the scheduler sets for its filters.
class SetEnvDialog : public ConfigEntryDialog
{
    Q_OBJECT

public:
    explicit SetEnvDialog(QWidget* parent = nullptr);

    QString name() const;
    void setName(const QString& name);
    QString value() const;
    void setValue(const QString& value);

private:
    QLineEdit* m_name = nullptr;
    QLineEdit* m_value = nullptr;
};
