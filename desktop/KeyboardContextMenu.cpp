#include "KeyboardContextMenu.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QWidget>

namespace {

const QLatin1String handlerName("tessel-keyboard-context-menu");

bool isMenuKey(const QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    return (event->key() == Qt::Key_Menu && modifiers == Qt::NoModifier)
           || (event->key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier);
}

} // namespace

KeyboardContextMenu::KeyboardContextMenu(QObject* parent)
    : QObject(parent)
{
    setObjectName(handlerName);
}

void KeyboardContextMenu::install()
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!qobject_cast<QApplication*>(app) || app->findChild<KeyboardContextMenu*>(handlerName))
        return;
    app->installEventFilter(new KeyboardContextMenu(app));
}

QPoint KeyboardContextMenu::menuPosition(QWidget* widget)
{
    if (auto* view = qobject_cast<QAbstractItemView*>(widget)) {
        const QModelIndex current = view->currentIndex();
        if (current.isValid()) {
            view->scrollTo(current);
            const QRect item = view->visualRect(current).intersected(view->viewport()->rect());
            if (!item.isEmpty())
                return view->viewport()->mapTo(view, item.center());
        }
        return view->viewport()->geometry().center();
    }
    const QRect cursor = widget->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    return cursor.isValid() ? cursor.center() : widget->rect().center();
}

bool KeyboardContextMenu::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        if (watched != QApplication::focusWidget() || QApplication::activePopupWidget()
            || !isMenuKey(static_cast<QKeyEvent*>(event)))
            return false;
        // The platform's own event for the Menu key, where it sends one, is
        // queued behind this key press; the menu waits for it so that it
        // opens once.
        m_pending = static_cast<QWidget*>(watched);
        QMetaObject::invokeMethod(this, &KeyboardContextMenu::openPending, Qt::QueuedConnection);
        return true;
    }
    if (event->type() == QEvent::ContextMenu
        && static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard)
        m_pending.clear();
    return false;
}

void KeyboardContextMenu::openPending()
{
    QWidget* widget = m_pending;
    m_pending.clear();
    if (!widget || !widget->isVisible() || !widget->isEnabled())
        return;
    const QPoint position = menuPosition(widget);
    QContextMenuEvent event(QContextMenuEvent::Keyboard, position, widget->mapToGlobal(position), Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}
