#pragma once

#include <QString>
#include <QStringList>

// One SMB host found on the network. The two names are the NetBIOS names as
// the host sent them (padded with spaces to 15 characters).
struct SmbHost
{
    QString workgroup;
    QString server;
    QString address;
    QStringList printers;
};
