#pragma once

class QRect;
class QSettings;
class QWidget;

// Window geometry is kept in the "Geometry" group under the widget's
// objectName, or its class name when it has none, so give windows that share
// a class distinct object names.

// Applies the saved size and position (only the size when sizeOnly). Without a
// saved value the widget gets defaultRect when that is valid and otherwise
// keeps its own size. Returns whether a saved value was applied.
bool tesselRestoreGeometry(QWidget* widget, QSettings* settings, const QRect& defaultRect, bool sizeOnly);

void tesselSaveGeometry(const QWidget* widget, QSettings* settings, bool sizeOnly);
