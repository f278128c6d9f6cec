#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class PrivConfigDialog;
}

// Lets the user choose how privileged operations are carried out; the choice
// takes effect at the next operation.
class PrivConfigDialog : public QDialog
{
    Q_OBJECT

public:
    explicit PrivConfigDialog(QWidget* parent = nullptr);
    ~PrivConfigDialog() override;

private slots:
    void slotAccept();
    void setChanged(bool changed);
    void setChanged();

private:
    std::unique_ptr<Ui::PrivConfigDialog> m_ui;
};
