#pragma once

#include "ConfigEntryDialog.h"

class QCheckBox;
class QLineEdit;
class QSpinBox;

// One address the scheduler listens on; the caller sets the window title.
class ListenDialog : public ConfigEntryDialog
{
    Q_OBJECT

public:
    explicit ListenDialog(QWidget* parent = nullptr);

    QString address() const;
    void setAddress(const QString& address);
    int port() const;
    void setPort(int port);
    bool isSsl() const;
    void setSsl(bool ssl);

private:
    QLineEdit* m_address = nullptr;
    QSpinBox* m_port = nullptr;
    QCheckBox* m_ssl = nullptr;
};
