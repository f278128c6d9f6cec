#pragma once

#include <QStyledItemDelegate>

// For views whose items hold the server's names as they are (the code uses
// them in requests) but must show them as ServerText does.
class ServerTextDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QString displayText(const QVariant& value, const QLocale& locale) const override;
};
