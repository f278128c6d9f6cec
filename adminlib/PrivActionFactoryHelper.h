#pragma once

#include <QString>

// Tells the privileged-action factory which provider the user chose.
class PrivActionFactoryHelper
{
public:
    PrivActionFactoryHelper();

    // "PolicyKit" or "IPP" as stored by the provider dialog; "IPP" when
    // nothing was stored.
    QString detectActionProviderType() const;
};
