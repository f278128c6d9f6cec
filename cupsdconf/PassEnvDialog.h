#pragma once

#include "ConfigEntryDialog.h"

class QLineEdit;

// One environment variable the scheduler passes on to its filters.
class PassEnvDialog : public ConfigEntryDialog
{
    Q_OBJECT

public:
    explicit PassEnvDialog(QWidget* parent = nullptr);

    QString name() const;
    void setName(const QString& name);

private:
    QLineEdit* m_name = nullptr;
};
