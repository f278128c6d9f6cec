#pragma once

#include "SmbHost.h"

#include <QTreeWidgetItem>

// A server row of the SMB browser; it keeps the host it stands for.
class SmbServerItem : public QTreeWidgetItem
{
public:
    static constexpr int workgroupType = 1000;
    static constexpr int serverType = 1001;
    static constexpr int printerType = 1002;

    SmbServerItem(QTreeWidgetItem* parent, const SmbHost& host);

    const SmbHost& host() const { return m_host; }
    void setPrinters(const QStringList& printers);

private:
    SmbHost m_host;
};
