#pragma once

#include <QVariantMap>

// Which destinations the tree lists, from the three View filters.
class DestinationFilter
{
public:
    DestinationFilter(bool showLocal, bool showRemote, bool showNotShared);

    bool accepts(const QVariantMap& attributes) const;

private:
    bool m_showLocal;
    bool m_showRemote;
    bool m_showNotShared;
};
