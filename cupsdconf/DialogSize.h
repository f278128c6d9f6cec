#pragma once

class QString;
class QWidget;

// A dialog's size is kept under "Dialog/<name>/Width" and "Dialog/<name>/Height"
// of the application's settings: read when the dialog is built, applied only
// when both keys are present, written when it goes away.
void restoreDialogSize(QWidget* dialog, const QString& name);
void saveDialogSize(const QWidget* dialog, const QString& name);
