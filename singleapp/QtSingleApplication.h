#pragma once

#include <QApplication>

class LocalPeer;

// An application object that knows whether the same program already runs
// under this login and can pass it a message.
class QtSingleApplication : public QApplication
{
    Q_OBJECT

public:
    QtSingleApplication(int& argc, char** argv, bool GUIenabled = true);
    QtSingleApplication(const QString& id, int& argc, char** argv);

    bool isRunning();
    QString id() const;

public slots:
    bool sendMessage(const QString& message, int timeout = 5000);

signals:
    void messageReceived(const QString& message);

private:
    LocalPeer* m_peer = nullptr;
};
