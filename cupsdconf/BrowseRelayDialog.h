#pragma once

#include "ConfigEntryDialog.h"

class QLineEdit;

// One relay of browse packets from one network to another.
class BrowseRelayDialog : public ConfigEntryDialog
{
    Q_OBJECT

public:
    explicit BrowseRelayDialog(QWidget* parent = nullptr);

    QString from() const;
    void setFrom(const QString& from);
    QString to() const;
    void setTo(const QString& to);

private:
    QLineEdit* m_from = nullptr;
    QLineEdit* m_to = nullptr;
};
