#pragma once

#include <QHash>
#include <QIcon>
#include <QString>
#include <QStringList>

// Destination icons with their state emblems. Painting emblems costs far more
// than a reload of hundreds of queues otherwise does, and only a few dozen
// combinations exist, so each is painted once.
class DestinationIconCache
{
public:
    // The four positional emblems: remote, stopped, processing, server default.
    static QStringList emblems(int state, uint type);

    // base: "printer" or "print_class". Null when the theme has no such icon.
    QIcon icon(const QString& base, int state, uint type, bool userDefault);

private:
    QHash<QString, QIcon> m_icons;
};
