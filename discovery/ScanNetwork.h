#pragma once

#include <QDialog>
#include <QMap>
#include <QNetworkAddressEntry>
#include <QPointer>

#include <memory>

class NetworkScanner;
class QHostAddress;
class QHostInfo;
class QListWidgetItem;
class QProgressDialog;

namespace Ui {
class ScanNetwork;
}

// Finds hosts that accept TCP connections on one port, in an IPv4 range or on
// one named host. The scan runs in the event loop: the window keeps painting
// and "Stop scan" keeps what was found so far.
class ScanNetwork : public QDialog
{
    Q_OBJECT

public:
    explicit ScanNetwork(QWidget* parent = nullptr);
    ~ScanNetwork() override;

    // Replaces the offered ports; the first becomes current.
    void setPorts(const QStringList& ports);
    // The chosen "address:port".
    QString address() const;
    bool isScanning() const;

signals:
    void scanFinished();

public slots:
    void scanRangeSlot();
    void networkSelectedSlot();
    void hostSelected(QListWidgetItem* current, QListWidgetItem* previous);

private slots:
    void hostLookedUp(const QHostInfo& info);
    void addressFound(const QHostAddress& address);
    void scanProgress(quint64 done);
    void scanDone();

private:
    void startRangeScan();
    void setScanning(bool scanning);

    std::unique_ptr<Ui::ScanNetwork> m_ui;
    QMap<QString, QNetworkAddressEntry> m_subnets;
    NetworkScanner* m_scanner = nullptr;
    QPointer<QProgressDialog> m_progress;
    quint16 m_port = 0;
    int m_lookupId = -1;
    QString m_lookupHost;
};
