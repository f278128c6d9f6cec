#include "MenuWatcher.h"

#include <QApplication>
#include <QMenu>

namespace {

constexpr int pollIntervalMs = 10;

} // namespace

MenuWatcher::MenuWatcher()
{
    connect(&m_timer, &QTimer::timeout, this, [this] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        QList<QAction*> actions;
        for (QAction* action : menu->actions())
            actions << (action->isSeparator() ? nullptr : action);
        menus << actions;
        positions << menu->pos();
        menu->close();
    });
    m_timer.start(pollIntervalMs);
}
