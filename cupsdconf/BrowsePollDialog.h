#pragma once

#include "ConfigEntryDialog.h"

class QLineEdit;

// One server whose printers are polled.
class BrowsePollDialog : public ConfigEntryDialog
{
    Q_OBJECT

public:
    explicit BrowsePollDialog(QWidget* parent = nullptr);

    QString host() const;
    void setHost(const QString& host);

private:
    QLineEdit* m_host = nullptr;
};
