#pragma once

#include <QMainWindow>

class QAction;
class QCloseEvent;
class QLabel;
class PrintersWidget;

// The program's only window: the destination browser in the middle, its
// actions in menus and tool bars, job counters in the status bar and the
// commands that act on the server as a whole.
class PrinterManager : public QMainWindow
{
    Q_OBJECT

public:
    explicit PrinterManager(QWidget* parent = nullptr);
    ~PrinterManager() override;

public slots:
    void messageReceived(const QString& message);

protected:
    void closeEvent(QCloseEvent* event) override;

private slots:
    void jobsStateChanged();
    void cupsdConfig();
    void cupsdRestart();
    void configPrivilegedActions();
    void serverConfigActionPressed();

private:
    void createActions();
    void createMenus();
    void createToolBars();
    void registerOnSessionBus();
    QList<QAction*> jobActions() const;

    PrintersWidget* m_printersWidget = nullptr;
    QAction* m_exitAction = nullptr;
    QAction* m_configAction = nullptr;
    QAction* m_restartAction = nullptr;
    QLabel* m_processingLabel = nullptr;
    QLabel* m_abortedLabel = nullptr;
};
