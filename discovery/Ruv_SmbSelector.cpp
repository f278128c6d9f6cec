#include "Ruv_SmbSelector.h"

#include "Ruv_SmbUtil.h"
#include "SmbLogin.h"
#include "SmbServerItem.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QString authenticateKey = QStringLiteral("SMBScan/Authenticate");

} // namespace

Ruv_SmbSelector::Ruv_SmbSelector(QWidget* parent)
    : QDialog(parent)
    , m_tree(new QTreeWidget(this))
    , m_workgroupEdit(new QLineEdit(this))
    , m_serverEdit(new QLineEdit(this))
    , m_printerEdit(new QLineEdit(this))
    , m_authenticate(new QCheckBox(tr("Authenticate"), this))
{
    setWindowTitle(tr("SMB printer selection"));

    m_tree->setColumnCount(1);
    m_tree->setHeaderLabels({QStringLiteral("SMB")});
    m_tree->header()->hide();
    m_tree->setRootIsDecorated(true);
    m_tree->setFrameShadow(QFrame::Sunken);

    auto* fields = new QVBoxLayout;
    fields->addWidget(new QLabel(tr("Workgroup :"), this));
    fields->addWidget(m_workgroupEdit);
    fields->addWidget(new QLabel(tr("Server :"), this));
    fields->addWidget(m_serverEdit);
    fields->addWidget(new QLabel(tr("Printer :"), this));
    fields->addWidget(m_printerEdit);
    fields->addStretch();

    auto* scanButton = new QPushButton(tr("Scan network..."), this);
    auto* scanRow = new QHBoxLayout;
    scanRow->addStretch();
    scanRow->addWidget(m_authenticate);
    scanRow->addWidget(scanButton);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Close, this);

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(tr("Choose a printer :"), this), 0, 0, 1, 2);
    layout->addWidget(m_tree, 1, 0);
    layout->addLayout(fields, 1, 1);
    layout->addLayout(scanRow, 2, 0, 1, 2);
    layout->addWidget(buttons, 3, 0, 1, 2);

    m_authenticate->setChecked(QSettings().value(authenticateKey, 0).toInt() != 0);

    connect(scanButton, SIGNAL(clicked()), this, SLOT(scanClicked()));
    connect(m_tree, SIGNAL(itemDoubleClicked(QTreeWidgetItem*, int)), this, SLOT(printersRequested(QTreeWidgetItem*)));
    connect(m_tree, SIGNAL(itemSelectionChanged()), this, SLOT(printerSelected()));
    connect(buttons, SIGNAL(accepted()), this, SLOT(accept()));
    connect(buttons, SIGNAL(rejected()), this, SLOT(reject()));
}

QString Ruv_SmbSelector::uri() const
{
    if (m_printerEdit->text().isEmpty() || m_serverEdit->text().isEmpty())
        return QString();
    if (!m_workgroupEdit->text().isEmpty())
        return QStringLiteral("smb://%1/%2/%3").arg(m_workgroupEdit->text(), m_serverEdit->text(), m_printerEdit->text());
    return QStringLiteral("smb://%1/%2").arg(m_serverEdit->text(), m_printerEdit->text());
}

void Ruv_SmbSelector::storeAuthenticateChoice()
{
    QSettings().setValue(authenticateKey, int(m_authenticate->checkState()));
}

void Ruv_SmbSelector::scanClicked()
{
    storeAuthenticateChoice();
    m_tree->setCursor(Qt::WaitCursor);
    m_tree->clear();

    Ruv_SmbUtil& util = Ruv_SmbUtil::instance();
    util.rescan();
    for (const SmbHost& host : util.hosts()) {
        const QString workgroup = host.workgroup.trimmed();
        QTreeWidgetItem* group = nullptr;
        for (int i = 0; i < m_tree->topLevelItemCount() && !group; ++i) {
            if (m_tree->topLevelItem(i)->text(0).compare(workgroup, Qt::CaseInsensitive) == 0)
                group = m_tree->topLevelItem(i);
        }
        if (!group) {
            group = new QTreeWidgetItem(m_tree, QStringList{workgroup}, SmbServerItem::workgroupType);
            group->setIcon(0, QIcon::fromTheme(QStringLiteral("samba")));
        }
        new SmbServerItem(group, host);
    }
    m_tree->setCursor(Qt::ArrowCursor);
}

void Ruv_SmbSelector::printersRequested(QTreeWidgetItem* item)
{
    if (!item || item->type() != SmbServerItem::serverType)
        return;
    auto* serverItem = static_cast<SmbServerItem*>(item);
    SmbHost host = serverItem->host();
    storeAuthenticateChoice();

    QString user;
    QString password;
    if (m_authenticate->isChecked()) {
        QPointer<SmbLogin> login = new SmbLogin(this, host.server.trimmed());
        const bool accepted = login->exec() == QDialog::Accepted;
        if (!login)
            return;
        if (accepted) {
            user = login->user();
            password = login->password();
        }
        delete login;
    }

    // Listed once: the printers found are kept in the item, so that another
    // double-click does not add them a second time.
    if (host.printers.isEmpty()) {
        m_tree->setCursor(Qt::WaitCursor);
        const Ruv_SmbUtil::Listing listing = Ruv_SmbUtil::instance().listPrinters(host, user, password);
        m_tree->setCursor(Qt::ArrowCursor);
        if (listing == Ruv_SmbUtil::Listing::LineBreakInCredentials) {
            QMessageBox::critical(this, tr("Printer list"),
                                  tr("The user name and the password may not contain line breaks."),
                                  QMessageBox::Ok);
        } else if (listing == Ruv_SmbUtil::Listing::NoTemporaryFile) {
            QMessageBox::critical(this, tr("Printer list"), QStringLiteral("Unable to create temporary file."),
                                  QMessageBox::Ok);
        } else {
            serverItem->setPrinters(host.printers);
            for (const QString& printer : qAsConst(host.printers)) {
                auto* printerItem = new QTreeWidgetItem(
                    serverItem, QStringList{printer, host.server.trimmed(), host.workgroup.trimmed()},
                    SmbServerItem::printerType);
                printerItem->setIcon(0, QIcon::fromTheme(QStringLiteral("printer")));
            }
            if (host.printers.isEmpty())
                QMessageBox::information(this, tr("Printer list"), tr("No printer found."), QMessageBox::Ok);
        }
    }
    serverItem->setExpanded(true);
}

void Ruv_SmbSelector::printerSelected()
{
    const QList<QTreeWidgetItem*> selected = m_tree->selectedItems();
    if (selected.isEmpty() || selected.constFirst()->type() != SmbServerItem::printerType)
        return;
    const QTreeWidgetItem* item = selected.constFirst();
    m_workgroupEdit->setText(item->text(2));
    m_serverEdit->setText(item->text(1));
    m_printerEdit->setText(item->text(0));
}
