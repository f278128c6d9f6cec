#pragma once

#include <QString>

class QWidget;

// Walks the focus chain of a shown, active window with Tab and checks that
// it moves forward in visual order (top to bottom, left to right within the
// same row, one container after another), wrapping around once. Returns what
// went wrong, or an empty string; visited receives the chain as it went.
QString focusOrderFault(QWidget* window, QStringList* visited = nullptr);
