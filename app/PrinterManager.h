#pragma once

#include <QMainWindow>

class QAction;
class QLabel;

class PrinterManager : public QMainWindow
{
    Q_OBJECT

public:
    explicit PrinterManager(QWidget* parent = nullptr);
    ~PrinterManager() override;

public slots:
    void messageReceived(const QString& message);

private:
    QAction* m_exitAction = nullptr;
    QLabel* m_serverLabel = nullptr;
};
