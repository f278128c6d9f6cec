#pragma once

#include <QString>
#include <QVariant>
#include <QVariantMap>

// Readers for the attribute maps of destinations: every value is a list, and a
// missing or empty list counts as absent.
namespace DestinationAttributes {

inline QVariant first(const QVariantMap& attributes, const QString& key)
{
    const QVariantList values = attributes.value(key).toList();
    return values.isEmpty() ? QVariant() : values.first();
}

inline QString firstString(const QVariantMap& attributes, const QString& key)
{
    return first(attributes, key).toString();
}

inline uint firstUInt(const QVariantMap& attributes, const QString& key)
{
    return first(attributes, key).toUInt();
}

} // namespace DestinationAttributes
