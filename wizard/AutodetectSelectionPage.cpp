#include "AutodetectSelectionPage.h"

#include "CupsHttp.h"
#include "DNSSD2HPNamesResolver.h"
#include "DestinationAttributes.h"
#include "PrivActionFactory.h"
#include "PrivActionProvider.h"
#include "WizardFields.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWizard>

#include <cups/cups.h>

namespace {

enum Column { NameColumn, ClassColumn, InfoColumn, UriColumn };

QString classText(const QString& deviceClass)
{
    if (deviceClass == QLatin1String("file"))
        return AutodetectSelectionPage::tr("File printer");
    if (deviceClass == QLatin1String("direct"))
        return AutodetectSelectionPage::tr("Direct printer");
    if (deviceClass == QLatin1String("serial"))
        return AutodetectSelectionPage::tr("Serial printer");
    if (deviceClass == QLatin1String("network"))
        return AutodetectSelectionPage::tr("Network printer");
    return QString();
}

} // namespace

AutodetectSelectionPage::AutodetectSelectionPage(QWidget* parent)
    : QWizardPage(parent)
{
    setTitle(tr("Select printer"));
    setSubTitle(tr("Select auto founded printer in list, or select custom backend printer add"));

    m_stack = new QStackedWidget(this);
    auto* searching = new QLabel(tr("Searching devices..."), m_stack);
    searching->setAlignment(Qt::AlignCenter);
    m_stack->addWidget(searching);
    auto* box = new QGroupBox(tr("Select printer device"), m_stack);
    m_tree = new QTreeWidget(box);
    m_tree->setRootIsDecorated(false);
    m_tree->setSortingEnabled(true);
    m_tree->setHeaderLabels({tr("Name"), tr("Device class"), tr("Info"), tr("Device URI")});
    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->addWidget(m_tree);
    m_stack->addWidget(box);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_stack);

    connect(m_tree, SIGNAL(currentItemChanged(QTreeWidgetItem*, QTreeWidgetItem*)), this,
            SLOT(currentItemChanged(QTreeWidgetItem*, QTreeWidgetItem*)));
    connect(m_tree, SIGNAL(itemDoubleClicked(QTreeWidgetItem*, int)), this, SLOT(itemDoubleClicked()));
    registerField(WizardField::isAutodetectedPrinterSelected, this, "autodetectedPrinterSelected",
                  SIGNAL(completeChanged()));
    registerField(WizardField::printerMakeAndModel, this, "makeAndModel");
}

bool AutodetectSelectionPage::autodetectedPrinterSelected() const
{
    return m_tree->currentItem() && m_tree->currentItem() != m_other;
}

void AutodetectSelectionPage::initializePage()
{
    // Shown first, with its "Searching" label, before the query starts.
    QTimer::singleShot(0, this, SLOT(fillDevices()));
}

void AutodetectSelectionPage::cleanupPage()
{
    // Going back abandons a query that is still running.
    ++m_query;
    QWizardPage::cleanupPage();
}

void AutodetectSelectionPage::fillDevices()
{
    m_stack->setCurrentIndex(0);
    m_tree->clear();
    m_other = new QTreeWidgetItem(m_tree, {tr("Other"), QString(), QString(), QString()});
    m_tree->setCurrentItem(m_other);
    m_other->setSelected(true);
    const int query = ++m_query;
    DeviceQuery* running = DeviceQuery::start(this, Cups::HTTP::deviceTimeoutSeconds);
    connect(running, &DeviceQuery::finished, this, [this, query](const DeviceQuery::Result& result) {
        if (query == m_query)
            showDevices(result);
    });
}

void AutodetectSelectionPage::showDevices(const DeviceQuery::Result& result)
{
    if (result.ok && !result.devices.isEmpty()) {
        addDevices(result.devices);
        finish();
        return;
    }
    // The scheduler wants a password for the list, or nothing was found:
    // the provider's own request can prompt, and decides what failed.
    QList<QMap<QString, QVariant>> devices;
    PrivActionProvider* provider = PrivActionFactory::instance()->provider();
    provider->setParentWidget(this);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool found = provider->getDevices(devices);
    QApplication::restoreOverrideCursor();
    if (found) {
        addDevices(devices);
        finish();
        return;
    }
    const QPointer<AutodetectSelectionPage> self(this);
    QMessageBox box(QMessageBox::Critical, tr("Cups-Get-Devices failed!"),
                    tr("Can not get devices information from CUPS server!"), QMessageBox::Ok, this);
    box.setDetailedText(QString::fromLocal8Bit(cupsLastErrorString()));
    box.exec();
    if (!self)
        return;
    finish();
    if (wizard() && wizard()->currentPage() == this)
        wizard()->next();
}

void AutodetectSelectionPage::addDevices(const QList<QVariantMap>& devices)
{
    using DestinationAttributes::firstString;
    for (const QVariantMap& device : devices) {
        QString uri = firstString(device, QStringLiteral("device-uri"));
        const QString resolved = DNSSD2HPNamesResolver::instance()->resolve(uri);
        if (!resolved.isEmpty())
            uri = resolved;
        if (!m_tree->findItems(uri, Qt::MatchExactly | Qt::MatchCaseSensitive | Qt::MatchRecursive, UriColumn)
                 .isEmpty())
            continue;
        const QString makeAndModel = firstString(device, QStringLiteral("device-make-and-model"));
        if (makeAndModel.isEmpty() || makeAndModel.compare(QLatin1String("Unknown"), Qt::CaseInsensitive) == 0
            || uri.isEmpty())
            continue;
        new QTreeWidgetItem(m_tree, {makeAndModel, classText(firstString(device, QStringLiteral("device-class"))),
                                     firstString(device, QStringLiteral("device-info")), uri});
    }
}

void AutodetectSelectionPage::finish()
{
    for (int column = 0; column < m_tree->columnCount(); ++column)
        m_tree->resizeColumnToContents(column);
    m_stack->setCurrentIndex(1);
}

void AutodetectSelectionPage::itemDoubleClicked()
{
    if (wizard())
        wizard()->next();
}

void AutodetectSelectionPage::currentItemChanged(QTreeWidgetItem*, QTreeWidgetItem*)
{
    emit completeChanged();
}

bool AutodetectSelectionPage::isComplete() const
{
    return m_tree->currentItem() != nullptr;
}

bool AutodetectSelectionPage::validatePage()
{
    QTreeWidgetItem* current = m_tree->currentItem();
    if (current && current != m_other) {
        // A queue whose device is being changed keeps its name and
        // description; only a new one is named after the device.
        if (!field(WizardField::backendEdit).toBool()) {
            static const QRegularExpression unsafe(QStringLiteral("[ |/#]"));
            setField(WizardField::queueName, current->text(NameColumn).replace(unsafe, QStringLiteral("_")));
            setField(WizardField::queueDescription, current->text(InfoColumn));
        }
        setField(WizardField::deviceUri, current->text(UriColumn));
        m_makeAndModel = current->text(NameColumn);
    }
    return current != nullptr;
}
