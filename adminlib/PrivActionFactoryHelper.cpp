#include "PrivActionFactoryHelper.h"

#include <QSettings>

PrivActionFactoryHelper::PrivActionFactoryHelper() = default;

QString PrivActionFactoryHelper::detectActionProviderType() const
{
    return QSettings().value(QStringLiteral("PrivActions/ProviderType"), QStringLiteral("IPP")).toString();
}
