#include "TesselGeometry.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QSettings>
#include <QWidget>

namespace {

QString geometryKey(const QWidget* widget)
{
    QString name = widget->objectName();
    if (name.isEmpty())
        name = QString::fromLatin1(widget->metaObject()->className());
    return QLatin1String("Geometry/") + name;
}

// restoreGeometry() keeps windows on a screen; a bare size needs the same care
// after the window moved to a smaller monitor.
QSize boundedToScreen(const QWidget* widget, const QSize& size)
{
    const QScreen* screen = widget->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? size.boundedTo(screen->availableGeometry().size()) : size;
}

} // namespace

bool tesselRestoreGeometry(QWidget* widget, QSettings* settings, const QRect& defaultRect, bool sizeOnly)
{
    if (!widget || !settings)
        return false;
    const QVariant saved = settings->value(geometryKey(widget));
    if (sizeOnly) {
        const QSize size = saved.toSize();
        if (size.isValid()) {
            widget->resize(boundedToScreen(widget, size));
            return true;
        }
        if (defaultRect.isValid())
            widget->resize(defaultRect.size());
        return false;
    }
    if (widget->restoreGeometry(saved.toByteArray()))
        return true;
    if (defaultRect.isValid())
        widget->setGeometry(defaultRect);
    return false;
}

void tesselSaveGeometry(const QWidget* widget, QSettings* settings, bool sizeOnly)
{
    if (!widget || !settings)
        return;
    if (!sizeOnly) {
        settings->setValue(geometryKey(widget), widget->saveGeometry());
        return;
    }
    // A maximised window would otherwise come back at screen size but unmaximised.
    const bool maximised = widget->isMaximized() || widget->isFullScreen();
    settings->setValue(geometryKey(widget), maximised ? widget->normalGeometry().size() : widget->size());
}
