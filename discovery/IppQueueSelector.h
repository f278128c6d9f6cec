#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

#include <memory>

namespace Ui {
class IppQueueSelector;
}

// Lists the queues of a remote CUPS server so that the user can pick the one
// an IPP device URI should point to. It asks the server over a connection of
// its own: the process's default server stays what it was.
class IppQueueSelector : public QDialog
{
    Q_OBJECT

public:
    // server: host or address, optionally ":" and a port.
    IppQueueSelector(QWidget* parent, const QString& server);
    ~IppQueueSelector() override;

    QString selectedQueue() const;

    // The texts of the printer-type bits, in the order they are shown.
    static QStringList typeTexts(unsigned printerType);
    static QStringList capabilityTexts(unsigned printerType);

private:
    void fill();

    std::unique_ptr<Ui::IppQueueSelector> m_ui;
    QString m_server;
};
