#include "ScanNetwork.h"

#include "NetworkScanner.h"
#include "ui_ScanNetwork.h"

#include <QHostInfo>
#include <QMessageBox>
#include <QNetworkInterface>
#include <QProgressDialog>

#include <climits>

namespace {

constexpr int progressShownAfterMs = 500;

} // namespace

ScanNetwork::ScanNetwork(QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::ScanNetwork>())
    , m_scanner(new NetworkScanner(this))
{
    m_ui->setupUi(this);

    const QList<QNetworkInterface> interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface& interface : interfaces) {
        const auto flags = interface.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) || flags.testFlag(QNetworkInterface::IsLoopBack))
            continue;
        const QList<QNetworkAddressEntry> entries = interface.addressEntries();
        for (const QNetworkAddressEntry& entry : entries) {
            if (entry.ip().protocol() != QAbstractSocket::IPv4Protocol)
                continue;
            const QString text = tr("%1: %2").arg(interface.name(), entry.ip().toString());
            m_subnets.insert(text, entry);
            m_ui->subnetBox->addItem(text);
        }
    }

    connect(m_ui->scanButton, SIGNAL(clicked()), this, SLOT(scanRangeSlot()));
    connect(m_ui->subnetBox, SIGNAL(currentIndexChanged(int)), this, SLOT(networkSelectedSlot()));
    connect(m_ui->printersListWidget, SIGNAL(currentItemChanged(QListWidgetItem*, QListWidgetItem*)), this,
            SLOT(hostSelected(QListWidgetItem*, QListWidgetItem*)));
    connect(m_scanner, SIGNAL(found(QHostAddress)), this, SLOT(addressFound(QHostAddress)));
    connect(m_scanner, SIGNAL(progress(quint64)), this, SLOT(scanProgress(quint64)));
    connect(m_scanner, SIGNAL(finished()), this, SLOT(scanDone()));
    networkSelectedSlot();
}

ScanNetwork::~ScanNetwork()
{
    if (m_lookupId != -1)
        QHostInfo::abortHostLookup(m_lookupId);
}

void ScanNetwork::setPorts(const QStringList& ports)
{
    m_ui->portBox->clear();
    m_ui->portBox->addItems(ports);
    m_ui->portBox->setCurrentIndex(ports.isEmpty() ? -1 : 0);
}

QString ScanNetwork::address() const
{
    return m_ui->deviceAddress->text();
}

bool ScanNetwork::isScanning() const
{
    return m_lookupId != -1 || m_scanner->isRunning();
}

void ScanNetwork::networkSelectedSlot()
{
    const QNetworkAddressEntry entry = m_subnets.value(m_ui->subnetBox->currentText());
    const quint32 ip = entry.ip().toIPv4Address();
    const quint32 mask = entry.netmask().toIPv4Address();
    const quint32 network = ip & mask;
    m_ui->startAddress->setAddress(QHostAddress(network + 1));
    m_ui->endAddress->setAddress(QHostAddress(network + ~mask - 1));
}

void ScanNetwork::hostSelected(QListWidgetItem* current, QListWidgetItem*)
{
    if (current)
        m_ui->deviceAddress->setText(current->text());
}

void ScanNetwork::scanRangeSlot()
{
    if (isScanning())
        return;
    m_port = m_ui->portBox->currentText().toUShort();

    const QString host = m_ui->hostAddressEdit->text().trimmed();
    if (m_ui->hostButton->isChecked() && !host.isEmpty()) {
        m_lookupHost = host;
        setScanning(true);
        m_lookupId = QHostInfo::lookupHost(host, this, SLOT(hostLookedUp(QHostInfo)));
        return;
    }
    if (m_ui->rangeButton->isChecked())
        startRangeScan();
}

void ScanNetwork::hostLookedUp(const QHostInfo& info)
{
    m_lookupId = -1;
    if (info.error() != QHostInfo::NoError || info.addresses().isEmpty()) {
        setScanning(false);
        QMessageBox::critical(this, tr("Host Lookup Error"),
                              tr("Error in lookup for host '%1':\n%2").arg(m_lookupHost, info.errorString()),
                              QMessageBox::Ok);
        emit scanFinished();
        return;
    }
    m_scanner->startHost(info.addresses().constFirst(), m_port, m_ui->waitTimeSpinBox->value());
}

void ScanNetwork::startRangeScan()
{
    if (!m_ui->startAddress->isValid()) {
        QMessageBox::critical(this, tr("Invalid IP address!"), tr("Start of range address is not correct!"),
                              QMessageBox::Ok);
        return;
    }
    if (!m_ui->endAddress->isValid()) {
        QMessageBox::critical(this, tr("Invalid IP address!"), tr("End of range address is not correct!"),
                              QMessageBox::Ok);
        return;
    }
    const quint32 start = m_ui->startAddress->address().toIPv4Address();
    const quint32 end = m_ui->endAddress->address().toIPv4Address();
    m_ui->printersListWidget->clear();
    if (end < start) {
        emit scanFinished();
        return;
    }

    m_progress = new QProgressDialog(tr("Scanning network..."), tr("Stop scan"), 0,
                                     int(qMin<quint64>(quint64(end) - start + 1, INT_MAX)), this);
    m_progress->setWindowModality(Qt::ApplicationModal);
    m_progress->setMinimumDuration(progressShownAfterMs);
    m_progress->setAutoClose(false);
    m_progress->setAutoReset(false);
    connect(m_progress, SIGNAL(canceled()), m_scanner, SLOT(stop()));
    connect(m_progress, SIGNAL(canceled()), this, SLOT(scanDone()));
    m_progress->setValue(0);
    setScanning(true);
    m_scanner->startRange(start, end, m_port, m_ui->waitTimeSpinBox->value());
}

void ScanNetwork::addressFound(const QHostAddress& address)
{
    m_ui->printersListWidget->addItem(QStringLiteral("%1:%2").arg(address.toString()).arg(m_port));
}

void ScanNetwork::scanProgress(quint64 done)
{
    if (!m_progress)
        return;
    // A range wider than an int is shown scaled.
    const quint64 total = qMax<quint64>(m_scanner->total(), 1);
    m_progress->setValue(int(done * quint64(m_progress->maximum()) / total));
}

void ScanNetwork::scanDone()
{
    if (m_progress) {
        m_progress->setValue(m_progress->maximum());
        // close() would report a cancel.
        m_progress->hide();
        m_progress->deleteLater();
        m_progress.clear();
    }
    setScanning(false);
    emit scanFinished();
}

void ScanNetwork::setScanning(bool scanning)
{
    m_ui->scanButton->setEnabled(!scanning);
}
