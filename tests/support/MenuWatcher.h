#pragma once

#include <QAction>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QTimer>

// Records each popup menu that opens while it lives, then closes it, so that
// a test can count the menus a key or click opened and see what they held.
class MenuWatcher : public QObject
{
public:
    MenuWatcher();

    // Each menu's actions, separators as null: every menu makes its own.
    QList<QList<QAction*>> menus;
    QList<QPoint> positions;

private:
    QTimer m_timer;
};
