#pragma once

#include <QDialog>

class QListWidget;
class QPushButton;

// Asks for the printer or class a job should move to.
class DestinationChooser : public QDialog
{
    Q_OBJECT

public:
    explicit DestinationChooser(QWidget* parent = nullptr);

    void addDestination(const QString& name, bool isClass);
    // The chosen name; empty while nothing is chosen.
    QString destination() const;

private:
    void updateOkButton();

    QListWidget* m_list = nullptr;
    QPushButton* m_okButton = nullptr;
};
