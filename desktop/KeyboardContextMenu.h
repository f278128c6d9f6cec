#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>

class QWidget;

// Opens the context menu of the focused widget with the Menu key or
// Shift+F10, as a right click there would, at the current item of a view.
// Some platforms turn the Menu key into a context-menu event themselves; the
// menu then still opens once.
class KeyboardContextMenu : public QObject
{
    Q_OBJECT

public:
    // Installs the one handler of the application; safe to call again.
    static void install();

    // Where a keyboard context menu of widget points, in its coordinates.
    static QPoint menuPosition(QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit KeyboardContextMenu(QObject* parent);

    void openPending();

    QPointer<QWidget> m_pending;
};
