#include "SelectBackendPage.h"

#include "BackendTree.h"
#include "IppQueueSelector.h"
#include "Ruv_SmbSelector.h"
#include "ScanNetwork.h"
#include "WizardFields.h"
#include "ui_SelectBackendWidget.h"

#include <QApplication>
#include <QDir>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QSerialPortInfo>
#include <QTcpSocket>
#include <QUrl>

namespace {

constexpr int toolTimeoutMs = 30000;
constexpr int lpdConnectTimeoutMs = 30000;

using Item = BackendTree::BackendTreeItem;

Item* backendItem(QTreeWidgetItem* item)
{
    return dynamic_cast<Item*>(item);
}

bool isUsableUri(const QString& text)
{
    return !text.isEmpty() && QUrl(text, QUrl::StrictMode).isValid();
}

} // namespace

SelectBackendPage::SelectBackendPage(QWidget* parent)
    : QWizardPage(parent)
    , m_ui(std::make_unique<Ui::SelectBackendWidget>())
{
    m_ui->setupUi(this);
    setTitle(tr("Setup printer connection"));
    setSubTitle(tr("Specify printer Backend and URI"));

    // Connected once here: initializePage() runs at every entry into the page.
    connect(m_ui->backendTree, SIGNAL(currentItemChanged(QTreeWidgetItem*, QTreeWidgetItem*)), this,
            SLOT(currentItemChanged(QTreeWidgetItem*, QTreeWidgetItem*)));
    connect(m_ui->backendTree, SIGNAL(itemExpanded(QTreeWidgetItem*)), this, SLOT(resizeColumns()));
    connect(m_ui->backendTree, SIGNAL(itemDoubleClicked(QTreeWidgetItem*, int)), this,
            SLOT(itemDoubleClicked(QTreeWidgetItem*)));
    connect(m_ui->scanButton, SIGNAL(clicked()), this, SLOT(scanSlot()));
    connect(m_ui->m_uriEdit, SIGNAL(textEdited(QString)), this, SLOT(updateUri(QString)));
}

SelectBackendPage::~SelectBackendPage() = default;

void SelectBackendPage::setUdevadmProgram(const QString& program)
{
    m_udevadm = program;
}

void SelectBackendPage::setPrinterClassDirectory(const QString& directory)
{
    m_printerClassDirectory = directory;
}

void SelectBackendPage::initializePage()
{
    BackendTree* tree = m_ui->backendTree;
    tree->clear();
    m_ui->m_uriEdit->clear();
    m_ui->m_uriEdit->setReadOnly(true);
    m_ui->scanButton->setEnabled(false);

    auto* direct = new Item(tree, tr("Direct connection"), QString(), BackendTree::Category, QString(), false, false);
    auto* network = new Item(tree, tr("Network connection"), QString(), BackendTree::Category, QString(), false, false);
    new Item(tree, tr("Custom device URI"), QString(), BackendTree::Device, QString(), false, true);

    auto* parallel = new Item(direct, tr("Parallel Port's"), QString(), BackendTree::ConnectionType,
                              QStringLiteral("parallel"), false, false);
    addParallelPorts(parallel);
    auto* serial = new Item(direct, tr("Serial Printer's"), QString(), BackendTree::ConnectionType,
                            QStringLiteral("serial"), false, false);
    addSerialPorts(serial);

    new Item(network, tr("AppSocket/JetDirect"), QString(), BackendTree::ConnectionType, QStringLiteral("socket"),
             true, true);
    new Item(network, tr("Internet Printing Protocol"), QString(), BackendTree::ConnectionType,
             QStringLiteral("ipp"), true, true);
    new Item(network, tr("Line Printer Daemon(UNIX)"), QString(), BackendTree::ConnectionType,
             QStringLiteral("lpd"), true, true);
    new Item(network, tr("Windows or Samba shared printer"), QString(), BackendTree::ConnectionType,
             QStringLiteral("smb"), true, true);

    direct->setExpanded(true);
    resizeColumns();
}

void SelectBackendPage::addParallelPorts(QTreeWidgetItem* parent)
{
    const QDir directory(m_printerClassDirectory);
    if (!directory.exists())
        return;
    int counter = 0;
    const QStringList entries = directory.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& entry : entries) {
        const QString name = parallelDeviceName(m_printerClassDirectory + QLatin1Char('/') + entry);
        if (name.isEmpty())
            continue;
        ++counter;
        // The parallel backend opens the URI's path, so the device path must
        // not be split into a host "dev" and a path.
        new Item(parent, tr("Parallel Port#%1").arg(counter), QStringLiteral("parallel:/dev/%1").arg(name),
                 BackendTree::Device, QStringLiteral("parallel"), false, false);
    }
    parent->sortChildren(0, Qt::AscendingOrder);
}

QString SelectBackendPage::parallelDeviceName(const QString& sysPath) const
{
    QProcess udevadm;
    udevadm.setProcessChannelMode(QProcess::SeparateChannels);
    udevadm.start(m_udevadm, {QStringLiteral("info"), QStringLiteral("--query=name"),
                              QStringLiteral("--path=%1").arg(sysPath)});
    if (!udevadm.waitForFinished(toolTimeoutMs)) {
        udevadm.kill();
        udevadm.waitForFinished();
        return QString();
    }
    const QByteArray output = udevadm.readAllStandardOutput();
    // A name with a path separator would leave /dev.
    const QString name = QString::fromLocal8Bit(output.left(output.indexOf('\n'))).trimmed();
    return name.contains(QLatin1Char('/')) || name.contains(QLatin1String("..")) ? QString() : name;
}

void SelectBackendPage::addSerialPorts(QTreeWidgetItem* parent)
{
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& port : ports) {
        // Without the scheme the scheduler would take the path for a file device.
        new Item(parent, tr("Serial port"), QStringLiteral("serial:%1").arg(port.systemLocation()),
                 BackendTree::Device, QString(), false, false);
    }
    if (!ports.isEmpty())
        parent->sortChildren(1, Qt::AscendingOrder);
}

bool SelectBackendPage::updateUri()
{
    const QString text = m_ui->backendTree->selectedItems().size() == 1 ? m_ui->m_uriEdit->text() : QString();
    const QUrl url(text, QUrl::StrictMode);
    if (text.isEmpty() || !url.isValid())
        return false;
    setField(WizardField::deviceUri, url.toString());
    return true;
}

bool SelectBackendPage::validatePage()
{
    return updateUri();
}

bool SelectBackendPage::isComplete() const
{
    const QTreeWidgetItem* current = m_ui->backendTree->currentItem();
    return current && isUsableUri(current->text(1));
}

void SelectBackendPage::currentItemChanged(QTreeWidgetItem* current, QTreeWidgetItem*)
{
    if (Item* item = backendItem(current)) {
        m_ui->m_uriEdit->setReadOnly(!item->uriEditable());
        m_ui->m_uriEdit->setText(item->text(1));
        m_ui->scanButton->setEnabled(item->scanEnabled());
    }
    emit completeChanged();
}

void SelectBackendPage::resizeColumns()
{
    m_ui->backendTree->resizeColumnToContents(0);
    m_ui->backendTree->resizeColumnToContents(1);
}

void SelectBackendPage::updateUri(const QString& text)
{
    Item* item = backendItem(m_ui->backendTree->currentItem());
    if (item && item->uriEditable() && item->kind() == BackendTree::Device)
        item->setText(1, text);
    if (validatePage())
        emit completeChanged();
}

void SelectBackendPage::itemDoubleClicked(QTreeWidgetItem* item)
{
    Item* entry = backendItem(item);
    if (entry && entry->scanEnabled())
        scanSlot();
}

void SelectBackendPage::scanSlot()
{
    Item* item = backendItem(m_ui->backendTree->currentItem());
    if (!item)
        return;
    const QString backend = item->backend();

    if (backend == QLatin1String("smb")) {
        QPointer<Ruv_SmbSelector> selector = new Ruv_SmbSelector(this);
        const bool accepted = selector->exec() == QDialog::Accepted;
        if (!selector)
            return;
        const QString uri = selector->uri();
        delete selector;
        item = backendItem(m_ui->backendTree->currentItem());
        if (!accepted || !item || item->backend() != backend)
            return;
        item->setText(1, uri);
        m_ui->m_uriEdit->setText(uri);
        validatePage();
        emit completeChanged();
        return;
    }

    const QString address = scanForAddress(backend);
    // The scan dialog ran an event loop of its own: the tree may have been rebuilt.
    item = backendItem(m_ui->backendTree->currentItem());
    if (!item || item->backend() != backend)
        return;

    if (backend == QLatin1String("socket")) {
        // A cancelled scan keeps what the entry had; "socket://" alone names no printer.
        if (!address.isEmpty()) {
            item->setText(1, QStringLiteral("socket://%1").arg(address));
            m_ui->m_uriEdit->setText(item->text(1));
        }
    } else if (backend == QLatin1String("ipp") || backend == QLatin1String("http") ||
               backend == QLatin1String("lpd")) {
        const QString queue = address.isEmpty()
                                  ? QString()
                                  : (backend == QLatin1String("lpd") ? askLpdQueue(address) : askIppQueue(address));
        item = backendItem(m_ui->backendTree->currentItem());
        if (!item || item->backend() != backend)
            return;
        if (!queue.isEmpty()) {
            item->setText(1, QStringLiteral("%1://%2/%3").arg(backend, address, queue));
            m_ui->m_uriEdit->setText(item->text(1));
        }
    }
    if (validatePage())
        emit completeChanged();
}

QString SelectBackendPage::scanForAddress(const QString& backend)
{
    QPointer<ScanNetwork> scan = new ScanNetwork(this);
    if (backend == QLatin1String("ipp") || backend == QLatin1String("http"))
        scan->setPorts({QStringLiteral("631"), QStringLiteral("80")});
    else if (backend == QLatin1String("lpd"))
        scan->setPorts({QStringLiteral("515")});
    const bool accepted = scan->exec() == QDialog::Accepted;
    if (!scan)
        return QString();
    const QString address = accepted ? scan->address() : QString();
    delete scan;
    return address;
}

QString SelectBackendPage::askIppQueue(const QString& address)
{
    QPointer<IppQueueSelector> selector = new IppQueueSelector(this, address);
    const bool accepted = selector->exec() == QDialog::Accepted;
    if (!selector)
        return QString();
    const QString queue = accepted ? selector->selectedQueue() : QString();
    delete selector;
    // Without a chosen queue "printers/" would name none.
    return queue.isEmpty() ? QString() : QStringLiteral("printers/") + queue;
}

QString SelectBackendPage::askLpdQueue(const QString& address)
{
    bool ok = false;
    const QString queue = QInputDialog::getText(this, tr("Enter Queue Name"),
                                                tr("Enter LPD queue name (case sensitive):\n"), QLineEdit::Normal,
                                                QString(), &ok);
    if (!ok)
        return QString();
    return probeLpd(address, queue) ? queue : QString();
}

bool SelectBackendPage::probeLpd(const QString& address, const QString& queue)
{
    const int colon = address.lastIndexOf(QLatin1Char(':'));
    const QString host = address.left(colon);
    const quint16 port = address.mid(colon + 1).toUShort();

    QApplication::setOverrideCursor(Qt::WaitCursor);
    QTcpSocket socket;
    socket.connectToHost(host, port);
    const bool connected = socket.waitForConnected(lpdConnectTimeoutMs);
    const QString error = socket.errorString();
    if (connected) {
        // The short queue-state request: harmless, and it proves an LPD answers.
        socket.write('\x03' + queue.toLocal8Bit() + '\n');
        socket.flush();
        socket.readAll();
        socket.close();
    }
    socket.abort();
    QApplication::restoreOverrideCursor();

    if (!connected)
        QMessageBox::critical(this, tr("Server connection error"),
                              tr("Failed to connect server.\n%1").arg(error), QMessageBox::Ok);
    return connected;
}
