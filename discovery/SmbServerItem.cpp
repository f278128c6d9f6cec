#include "SmbServerItem.h"

#include <QIcon>

SmbServerItem::SmbServerItem(QTreeWidgetItem* parent, const SmbHost& host)
    : QTreeWidgetItem(parent, QStringList{host.server.trimmed()}, serverType)
    , m_host(host)
{
    setIcon(0, QIcon::fromTheme(QStringLiteral("system-file-manager")));
}

void SmbServerItem::setPrinters(const QStringList& printers)
{
    m_host.printers = printers;
}
