#include "ServerTextDelegate.h"

#include "ServerText.h"

QString ServerTextDelegate::displayText(const QVariant& value, const QLocale& locale) const
{
    if (value.userType() == QMetaType::QString)
        return ServerText::forDisplay(value.toString());
    return QStyledItemDelegate::displayText(value, locale);
}
