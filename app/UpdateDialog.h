#pragma once

#include <QDialog>
#include <QPointer>

class QDialogButtonBox;
class QSpinBox;
class QTimer;

// Chooses how often the destination tree reloads itself; the new interval is
// stored and applied to the browser's refresh timer when the user presses Ok.
class UpdateDialog : public QDialog
{
    Q_OBJECT

public:
    UpdateDialog(QTimer* timer, QWidget* parent);

private slots:
    void updateInterval();
    void setChanged(bool changed = true);

private:
    QPointer<QTimer> m_timer;
    QSpinBox* m_intervalBox = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
};
