#include "PrintersWidget.h"

#include "ChangeSubscription.h"
#include "ClassMembers.h"
#include "CupsHttp.h"
#include "CupsIpp.h"
#include "DestinationAttributes.h"
#include "DestinationFilter.h"
#include "DestOptionsDialog.h"
#include "ISecurityPrinterPage.h"
#include "JobWidget.h"
#include "PasswordCBSetter.h"
#include "PrivActionFactory.h"
#include "PrinterWizard.h"
#include "PrivActionProvider.h"
#include "RefreshController.h"
#include "SecurityPlugins.h"
#include "ServerStateBar.h"
#include "ServerText.h"
#include "ServerTextDelegate.h"
#include "TesselIcon.h"
#include "TestPageFiles.h"
#include "TweakDestWidget.h"
#include "UpdateDialog.h"
#include "WaitCursor.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDBusConnection>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QHBoxLayout>
#include <QHash>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QScopeGuard>
#include <QScrollBar>
#include <QSettings>
#include <QSplitter>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cups/cups.h>

#include <cerrno>
#include <optional>

using namespace DestinationAttributes;

namespace {

const QString showLocalKey = QStringLiteral("ShowLocalPrinters");
const QString showRemoteKey = QStringLiteral("ShowRemotePrinters");
const QString showNotSharedKey = QStringLiteral("ShowNotSharedPrinters");
const QString splitterKey = QStringLiteral("SplitterSizes");
const QString authInProgressKey = QStringLiteral("Auth in progress");
const QString updateIntervalKey = QStringLiteral("Printer Tree/Update Interval");
constexpr int defaultUpdateIntervalSeconds = 2;
constexpr int millisecondsPerSecond = 1000;
constexpr int minimumTabWidth = 450;

constexpr int stateIdle = 3;
constexpr int stateProcessing = 4;
constexpr int stateStopped = 5;

const QString spoolerPath = QStringLiteral("/com/redhat/PrinterSpooler");
const QString spoolerInterface = QStringLiteral("com.redhat.PrinterSpooler");

const QString nameKey = QStringLiteral("printer-name");
const QString typeKey = QStringLiteral("printer-type");
const QString stateKey = QStringLiteral("printer-state");
const QString memberUrisKey = QStringLiteral("member-uris");
const QString uriSupportedKey = QStringLiteral("printer-uri-supported");

const QString printerIcon = QStringLiteral("printer");
const QString classIcon = QStringLiteral("print_class");

bool authInProgress()
{
    return QSettings().value(authInProgressKey, false).toBool();
}

// The class's member URIs from its attributes and from the members option of
// its destination entry, each once, in ascending order.
QStringList classMemberUris(const QVariantMap& attributes, const QString& membersOption)
{
    QStringList candidates;
    const QVariantList values = attributes.value(memberUrisKey).toList();
    for (const QVariant& value : values)
        candidates << value.toString();
    candidates += membersOption.split(QLatin1Char(','));
    QStringList uris;
    for (const QString& uri : qAsConst(candidates)) {
        if (!uri.trimmed().isEmpty())
            uris << uri;
    }
    uris.removeDuplicates();
    uris.sort();
    return uris;
}

} // namespace

struct PrintersWidget::ServerView
{
    std::optional<QList<QVariantMap>> destinations;
    bool userDefaultFresh = false;
};

PrintersWidget::PrintersWidget(QWidget* parent)
    : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    m_stateBar = new ServerStateBar(this);
    layout->addWidget(m_stateBar);
    m_splitter = new QSplitter(Qt::Horizontal, this);
    layout->addWidget(m_splitter, 1);

    m_tree = new QTreeWidget(m_splitter);
    m_tree->setSortingEnabled(true);
    m_tree->sortByColumn(0, Qt::AscendingOrder);
    m_tree->setHeaderLabels({tr("Destinations")});
    m_tree->setItemDelegate(new ServerTextDelegate(m_tree));

    m_tabs = new QTabWidget(m_splitter);
    m_tabs->setMinimumWidth(minimumTabWidth);
    // A window that grows or shrinks changes the details, not the tree the
    // user sized: the saved sizes are what the next start shows.
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);

    // Pages live hidden under the widget while their tab is not shown.
    m_infoPage = new QWidget(this);
    m_infoPage->hide();
    auto* infoLayout = new QVBoxLayout(m_infoPage);
    m_infoText = new QTextEdit(m_infoPage);
    m_infoText->setReadOnly(true);
    infoLayout->addWidget(m_infoText);

    m_jobWidget = new JobWidget(this);
    m_jobWidget->hide();

    m_tweakWidget = new TweakDestWidget(this);
    m_tweakWidget->hide();
    connect(m_tweakWidget, SIGNAL(setClassMembers()), this, SLOT(setMembers()));
    connect(m_tweakWidget, SIGNAL(updateTimerStopRequest()), this, SLOT(updateTimerStopRequest()));
    connect(m_tweakWidget, SIGNAL(updateTimerStartRequest()), this, SLOT(updateTimerStartRequest()));
    connect(m_tweakWidget, &TweakDestWidget::destinationRenamed, this, [this](const QString& name) {
        load();
        DisplayDest(name);
    });

    m_membersList = new QTreeWidget(this);
    m_membersList->hide();
    m_membersList->setHeaderLabels({tr("Name"), tr("URI")});
    m_membersList->setSortingEnabled(true);
    m_membersList->sortByColumn(0, Qt::AscendingOrder);
    m_membersList->setRootIsDecorated(false);
    m_membersList->setItemDelegate(new ServerTextDelegate(m_membersList));
    m_membersList->setItemsExpandable(false);
    m_membersList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_membersList->installEventFilter(this);

    m_playAction = new QAction(tr("Pause/resume"), this);
    connect(m_playAction, SIGNAL(triggered()), this, SLOT(play()));
    m_reloadAction = createAction(QStringLiteral("view-refresh"), tr("Reload"), SLOT(reloadDests()));
    m_purgeAction = createAction(QStringLiteral("edit-trash"), tr("Purge jobs"), SLOT(purge()));
    m_addAction = createAction(QStringLiteral("wizard"), tr("Add new..."), SLOT(addPrinter()));
    m_editAction = createAction(QStringLiteral("configure"), tr("Print options..."), SLOT(editPrinter()));
    m_deleteAction = createAction(QStringLiteral("edit-cut"), tr("Delete"), SLOT(deletePrinter()));
    m_userDefaultAction = createAction(printerIcon, tr("Set default for me"), SLOT(setUserDefault()),
                                       QStringLiteral("emblem-favorite"));
    m_defaultAction = createAction(printerIcon, tr("Set default for all"), SLOT(setDefault()),
                                   QStringLiteral("emblem-mounted"));
    m_testPageAction = createAction(QStringLiteral("camera_test"), tr("Print test page"), SLOT(printTestPage()));
    m_showLocalAction = createFilterAction(printerIcon, tr("Show local printers"), SLOT(showLocal()), showLocalKey);
    m_showRemoteAction = createFilterAction(printerIcon, tr("Show remote printers"), SLOT(showRemote()),
                                            showRemoteKey, QStringLiteral("emblem-symbolic-link"));
    m_showNotSharedAction = createFilterAction(QStringLiteral("file-locked"), tr("Show not shared printers"),
                                               SLOT(showNotShared()), showNotSharedKey);

    connect(m_membersList, SIGNAL(itemDoubleClicked(QTreeWidgetItem*, int)), this,
            SLOT(itemDoubleClicked(QTreeWidgetItem*, int)));
    connect(m_tree, SIGNAL(itemDoubleClicked(QTreeWidgetItem*, int)), this,
            SLOT(itemDoubleClicked(QTreeWidgetItem*, int)));
    connect(m_tree, SIGNAL(currentItemChanged(QTreeWidgetItem*, QTreeWidgetItem*)), this,
            SLOT(currentItemChanged(QTreeWidgetItem*, QTreeWidgetItem*)));
    connect(m_tabs, SIGNAL(currentChanged(int)), this, SLOT(currentTabChanged()));

    m_securityPages = securityPrinterPages();

    QSettings settings;
    // A prompt that was open when the program last ended left the flag set.
    settings.setValue(authInProgressKey, false);
    m_splitter->restoreState(settings.value(splitterKey).toByteArray());

    currentItemChanged(nullptr, nullptr);

    m_tree->installEventFilter(this);
    // Mouse context menus arrive at the viewport, not at the tree itself.
    m_tree->viewport()->installEventFilter(this);
    PasswordCBSetter::resetPasswordCallback();

    QDBusConnection bus = QDBusConnection::systemBus();
    bus.connect(QString(), spoolerPath, spoolerInterface, QStringLiteral("PrinterAdded"), this,
                SLOT(printerAdded(QString)));
    bus.connect(QString(), spoolerPath, spoolerInterface, QStringLiteral("PrinterRemoved"), this,
                SLOT(printerRemoved(QString)));
    bus.connect(QString(), spoolerPath, spoolerInterface, QStringLiteral("QueueChanged"), this,
                SLOT(queueChanged(QString)));

    m_refreshTimer = new QTimer(this);
    m_refreshTimer->setInterval(settings.value(updateIntervalKey, defaultUpdateIntervalSeconds).toInt()
                                * millisecondsPerSecond);
    if (m_refreshTimer->interval() != 0)
        m_refreshTimer->start();
    connect(m_refreshTimer, SIGNAL(timeout()), this, SLOT(requestRefresh()));

    m_refresher = new RefreshController(this);
    connect(m_refresher, &RefreshController::refreshed, this, &PrintersWidget::applyRefresh);
    connect(m_jobWidget->showCompletedAction, &QAction::toggled, this, [this] { ++m_selectionSerial; });
}

PrintersWidget::~PrintersWidget()
{
    m_refreshTimer->stop();
    // Waits for the refresh in flight; its answer must not reach a widget
    // half destroyed.
    delete m_refresher;
    // The children outlive this part of the object; nothing of theirs may
    // reach it any more.
    m_tree->blockSignals(true);
    m_tree->removeEventFilter(this);
    m_tree->viewport()->removeEventFilter(this);
    if (m_membersList)
        m_membersList->removeEventFilter(this);
    // The plug-ins own their pages.
    for (ISecurityPrinterPage* page : qAsConst(m_securityPages)) {
        QWidget* pageWidget = page->widget();
        if (!pageWidget)
            continue;
        const int index = m_tabs->indexOf(pageWidget);
        if (index >= 0)
            m_tabs->removeTab(index);
        pageWidget->setParent(nullptr);
    }
}

QAction* PrintersWidget::createAction(const QString& iconName, const QString& text, const char* slot,
                                      const QString& emblem)
{
    const QIcon icon = emblem.isEmpty()
                           ? QIcon::fromTheme(iconName, QIcon())
                           : TesselIcon::fromTheme(iconName, TesselIcon::DeviceContext, {emblem}, QIcon());
    auto* action = new QAction(icon, text, this);
    connect(action, SIGNAL(triggered()), this, slot);
    return action;
}

QAction* PrintersWidget::createFilterAction(const QString& iconName, const QString& text, const char* slot,
                                            const QString& key, const QString& emblem)
{
    QAction* action = createAction(iconName, text, slot, emblem);
    action->setCheckable(true);
    action->setChecked(QSettings().value(key, true).toBool());
    return action;
}

void PrintersWidget::saveSettings()
{
    QSettings settings;
    settings.setValue(showLocalKey, m_showLocalAction->isChecked());
    settings.setValue(showRemoteKey, m_showRemoteAction->isChecked());
    settings.setValue(showNotSharedKey, m_showNotSharedAction->isChecked());
    // The state keeps the sizes last set, not those a resized window gave
    // the panes since: set what is shown before saving it.
    m_splitter->setSizes(m_splitter->sizes());
    settings.setValue(splitterKey, m_splitter->saveState());
}

QMenu* PrintersWidget::viewMenu()
{
    if (!m_viewMenu) {
        m_viewMenu = new QMenu(tr("&View"), this);
        m_viewMenu->addAction(m_showLocalAction);
        m_viewMenu->addAction(m_showRemoteAction);
        m_viewMenu->addAction(m_showNotSharedAction);
        m_viewMenu->addSeparator();
        QAction* interval = m_viewMenu->addAction(QIcon::fromTheme(QStringLiteral("ktimer"), QIcon()),
                                                  tr("&Update Interval..."));
        connect(interval, SIGNAL(triggered()), this, SLOT(showUpdateDialog()));
    }
    return m_viewMenu;
}

JobWidget* PrintersWidget::jobWidget() const
{
    return m_jobWidget;
}

QAction* PrintersWidget::reloadAction() const
{
    return m_reloadAction;
}

QAction* PrintersWidget::playAction() const
{
    return m_playAction;
}

QAction* PrintersWidget::purgeAction() const
{
    return m_purgeAction;
}

QAction* PrintersWidget::addAction() const
{
    return m_addAction;
}

QAction* PrintersWidget::editAction() const
{
    return m_editAction;
}

QAction* PrintersWidget::deleteAction() const
{
    return m_deleteAction;
}

QAction* PrintersWidget::userDefaultAction() const
{
    return m_userDefaultAction;
}

QAction* PrintersWidget::defaultAction() const
{
    return m_defaultAction;
}

QAction* PrintersWidget::testPageAction() const
{
    return m_testPageAction;
}

QAction* PrintersWidget::showLocalAction() const
{
    return m_showLocalAction;
}

QAction* PrintersWidget::showRemoteAction() const
{
    return m_showRemoteAction;
}

QAction* PrintersWidget::showNotSharedAction() const
{
    return m_showNotSharedAction;
}

QTreeWidget* PrintersWidget::destinationTree() const
{
    return m_tree;
}

QTabWidget* PrintersWidget::tabWidget() const
{
    return m_tabs;
}

QTimer* PrintersWidget::refreshTimer() const
{
    return m_refreshTimer;
}

ServerStateBar* PrintersWidget::stateBar() const
{
    return m_stateBar;
}

bool PrintersWidget::isDestination(const QTreeWidgetItem* item) const
{
    return item && item->parent();
}

bool PrintersWidget::isClass(const QTreeWidgetItem* item) const
{
    return item && item->parent() && item->parent() == m_classesItem;
}

QTreeWidgetItem* PrintersWidget::currentDestination() const
{
    QTreeWidgetItem* item = m_tree->currentItem();
    return isDestination(item) ? item : nullptr;
}

void PrintersWidget::refreshSelection()
{
    // Looked up afresh: a dialog's event loop may have reloaded the tree.
    QTreeWidgetItem* item = m_tree->currentItem();
    currentItemChanged(item, item);
}

const QList<QVariantMap>& PrintersWidget::viewDestinations()
{
    if (!m_view->destinations) {
        Cups::HTTP* connection = Cups::HTTP::getUniqueConnection();
        m_view->destinations = connection ? connection->destinations() : QList<QVariantMap>();
        // Only what was read is worth keeping, not a failure.
        const ipp_status_t status = cupsLastError();
        if (!m_view->destinations->isEmpty() || status == IPP_STATUS_ERROR_NOT_FOUND || status == IPP_STATUS_OK)
            m_destinations = m_view->destinations;
    }
    return *m_view->destinations;
}

const UserDefault& PrintersWidget::viewUserDefault()
{
    if (m_view->userDefaultFresh)
        return m_userDefault;
    m_view->userDefaultFresh = true;
    QString serverDefault;
    for (const QVariantMap& destination : viewDestinations()) {
        if (firstUInt(destination, typeKey) & CUPS_PRINTER_DEFAULT) {
            serverDefault = firstString(destination, nameKey);
            break;
        }
    }
    Cups::HTTP* connection = Cups::HTTP::getUniqueConnection();
    if (!connection) {
        m_userDefault = UserDefault();
        m_userDefaultSources.clear();
        return m_userDefault;
    }
    const QString sources = UserDefault::sources(
        QStringLiteral("%1:%2").arg(connection->server()).arg(connection->port()), serverDefault);
    if (sources == m_userDefaultSources)
        return m_userDefault;
    m_userDefault = UserDefault::fetch(connection->http);
    // An empty answer may be a failed request: ask again next time.
    m_userDefaultSources = m_userDefault.name().isEmpty() ? QString() : sources;
    return m_userDefault;
}

void PrintersWidget::applyDestination(QTreeWidgetItem* item, const QVariantMap& attributes, bool isClass)
{
    item->setData(0, Qt::UserRole, attributes);
    const QIcon icon = m_icons.icon(isClass ? classIcon : printerIcon, firstUInt(attributes, stateKey),
                                    firstUInt(attributes, typeKey), m_userDefault.marks(item->text(0)));
    if (!icon.isNull())
        item->setIcon(0, icon);
}

QVariantMap PrintersWidget::fetchAttributes(Cups::HTTP* connection, const QString& name, bool isClass,
                                            bool all) const
{
    const std::unique_ptr<Cups::IPP> request(Cups::IPP::create(IPP_OP_GET_PRINTER_ATTRIBUTES));
    if (!request || !request->ipp)
        return {};
    const QByteArray uri = Cups::HTTP::localDestinationUri(name, isClass);
    if (uri.isEmpty())
        return {};
    ippAddString(request->ipp, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.constData());
    Cups::HTTP::addKeywords(request->ipp, "requested-attributes",
                            all ? QStringList{QStringLiteral("all")} : Cups::HTTP::destinationAttributes());

    const std::unique_ptr<Cups::IPP> response(request->doRequest(connection, QStringLiteral("/")));
    if (!response)
        return {};
    const QList<QVariantMap> groups = response->attributes();
    return groups.isEmpty() ? QVariantMap() : groups.first();
}

QScopeGuard<std::function<void()>> PrintersWidget::holdItemsForReload()
{
    // The caller holds m_reloadMutex; the guard gives it back.
    m_reloading = true;
    m_view = std::make_unique<ServerView>();
    return QScopeGuard<std::function<void()>>([this] {
        m_view.reset();
        m_reloading = false;
        m_reloadMutex.unlock();
    });
}

void PrintersWidget::load()
{
    // Only a nested event loop (a password prompt) can ask for a reload while
    // one runs, or while a selection change uses the items.
    if (!m_reloadMutex.tryLock())
        return;
    const auto finish = holdItemsForReload();

    Cups::HTTP* connection = Cups::HTTP::getUniqueConnection();
    if (!connection) {
        setServerProblem(ServerStateBar::Problem::Unreachable,
                         ServerStateBar::serverName(QString::fromLocal8Bit(cupsServer()), ippPort()));
        refreshSoon();
        return;
    }
    m_view->destinations = connection->destinations();
    // A scheduler that fell silent or went away keeps the last known tree
    // on screen; the refresh brings it back when the scheduler answers.
    if (m_view->destinations->isEmpty() && reportedNoAnswer(connection))
        return;
    m_destinations = m_view->destinations;
    rebuildTree(true);
}

void PrintersWidget::rebuildTree(bool reselect)
{
    const int vertical = m_tree->verticalScrollBar()->value();
    const int horizontal = m_tree->horizontalScrollBar()->value();
    const int tab = m_tabs->currentIndex();
    const QTreeWidgetItem* current = m_tree->currentItem();
    const QString currentName = current ? current->text(0) : QString();
    const bool classesExpanded = m_classesItem && m_classesItem->isExpanded();
    const bool printersExpanded = m_printersItem && m_printersItem->isExpanded();

    m_tree->setUpdatesEnabled(false);
    m_tree->blockSignals(true);
    const auto finish = qScopeGuard([this] {
        m_tree->setUpdatesEnabled(true);
        m_tree->blockSignals(false);
    });

    // Sorting each insertion into hundreds of siblings costs more than
    // sorting them all once.
    m_tree->setSortingEnabled(false);
    m_tree->clear();
    m_classesItem = new QTreeWidgetItem(m_tree, QStringList{tr("Classes")});
    m_classesItem->setIcon(0, QIcon::fromTheme(classIcon, QIcon()));
    m_printersItem = new QTreeWidgetItem(m_tree, QStringList{tr("Printers")});
    m_printersItem->setIcon(0, QIcon::fromTheme(printerIcon, QIcon()));

    viewUserDefault();
    const DestinationFilter filter(m_showLocalAction->isChecked(), m_showRemoteAction->isChecked(),
                                   m_showNotSharedAction->isChecked());
    QList<QTreeWidgetItem*> classes;
    QList<QTreeWidgetItem*> printers;
    for (const QVariantMap& destination : viewDestinations()) {
        if (!filter.accepts(destination))
            continue;
        const bool isClass = firstUInt(destination, typeKey) & CUPS_PRINTER_CLASS;
        auto* item = new QTreeWidgetItem(QStringList{firstString(destination, nameKey)});
        applyDestination(item, destination, isClass);
        (isClass ? classes : printers).append(item);
    }
    m_classesItem->addChildren(classes);
    m_printersItem->addChildren(printers);
    m_tree->setSortingEnabled(true);

    if (!currentName.isEmpty()) {
        const QList<QTreeWidgetItem*> found =
            m_tree->findItems(currentName, Qt::MatchExactly | Qt::MatchRecursive | Qt::MatchCaseSensitive);
        if (!found.isEmpty()) {
            m_tree->setCurrentItem(found.first());
            if (reselect)
                currentItemChanged(found.first(), nullptr);
        } else {
            // Deleted or filtered away: nothing may show or act on it any more.
            currentItemChanged(nullptr, nullptr);
        }
    }

    m_classesItem->setExpanded(classesExpanded);
    m_printersItem->setExpanded(printersExpanded);
    m_tree->horizontalScrollBar()->setValue(horizontal);
    m_tree->verticalScrollBar()->setValue(vertical);
    m_tabs->setCurrentIndex(qMin(tab, m_tabs->count() - 1));
}

void PrintersWidget::refreshSoon()
{
    m_forceRefresh = true;
    requestRefresh();
}

void PrintersWidget::requestRefresh()
{
    if (authInProgress())
        return;
    RefreshRequest request;
    request.serial = m_selectionSerial;
    if (QTreeWidgetItem* current = currentDestination()) {
        request.selected = current->text(0);
        request.selectedIsClass = isClass(current);
        request.jobs = m_tabs->currentWidget() == m_jobWidget;
        request.completedJobs = m_jobWidget->showCompletedAction->isChecked();
    }
    request.force = m_forceRefresh;
    m_forceRefresh = false;
    m_refresher->request(request);
}

bool PrintersWidget::reportedNoAnswer(Cups::HTTP* connection)
{
    if (!ChangeSubscription::noAnswer())
        return false;
    const bool silent = connection->http && httpError(connection->http) == ETIMEDOUT;
    setServerProblem(silent ? ServerStateBar::Problem::Silent : ServerStateBar::Problem::Unreachable,
                     ServerStateBar::serverName(connection->server(), connection->port()));
    refreshSoon();
    return true;
}

bool PrintersWidget::serverDown() const
{
    return m_stateBar->problem() != ServerStateBar::Problem::None;
}

void PrintersWidget::setServerProblem(ServerStateBar::Problem problem, const QString& server)
{
    const bool wasDown = serverDown();
    m_stateBar->setProblem(problem, server);
    const bool down = serverDown();
    if (down == wasDown)
        return;
    // Greyed, and nothing acts on a state that may be gone.
    m_tree->setEnabled(!down);
    m_tabs->setEnabled(!down);
    if (down) {
        resetActions();
        m_jobWidget->currentItemChanged(nullptr, nullptr);
        m_jobWidget->showCompletedAction->setEnabled(false);
    } else {
        m_jobWidget->currentItemChanged(m_jobWidget->currentItem(), nullptr);
    }
}

void PrintersWidget::applyRefresh(const RefreshResult& result)
{
    const auto announce = qScopeGuard([this] { emit refreshed(); });
    if (result.reach != RefreshResult::Reach::Answering) {
        m_forceRefresh = true;
        setServerProblem(result.reach == RefreshResult::Reach::Silent ? ServerStateBar::Problem::Silent
                                                                        : ServerStateBar::Problem::Unreachable,
                         result.server);
        return;
    }
    // A reload, a selection change or a password prompt uses the items now:
    // the next refresh reads again.
    if (authInProgress() || m_reloading || m_selecting || !m_reloadMutex.tryLock()) {
        m_forceRefresh = true;
        return;
    }
    const auto finish = holdItemsForReload();

    const bool recovered = serverDown();
    setServerProblem(ServerStateBar::Problem::None, QString());
    if (result.hasDestinations)
        m_destinations = result.destinations;
    if (m_destinations)
        m_view->destinations = m_destinations;

    const bool forSelection = result.serial == m_selectionSerial;
    if (result.hasDestinations) {
        QHash<QString, const QVariantMap*> byName;
        for (const QVariantMap& destination : result.destinations)
            byName.insert(firstString(destination, nameKey), &destination);
        // The same destinations: their items follow in place, which keeps
        // the tree's selection, scroll position and open groups untouched.
        bool same = true;
        int shown = 0;
        const DestinationFilter filter(m_showLocalAction->isChecked(), m_showRemoteAction->isChecked(),
                                       m_showNotSharedAction->isChecked());
        for (const QVariantMap& destination : result.destinations)
            shown += filter.accepts(destination) ? 1 : 0;
        for (QTreeWidgetItem* group : {m_classesItem, m_printersItem}) {
            for (int i = 0; same && group && i < group->childCount(); ++i) {
                const QVariantMap* destination = byName.value(group->child(i)->text(0));
                same = destination && filter.accepts(*destination)
                       && bool(firstUInt(*destination, typeKey) & CUPS_PRINTER_CLASS) == (group == m_classesItem);
                --shown;
            }
        }
        if (!same || shown != 0 || !m_classesItem || !m_printersItem) {
            rebuildTree(false);
        } else {
            viewUserDefault();
            QTreeWidgetItem* current = currentDestination();
            for (QTreeWidgetItem* group : {m_classesItem, m_printersItem}) {
                for (int i = 0; i < group->childCount(); ++i) {
                    QTreeWidgetItem* child = group->child(i);
                    // The selected one keeps its full attributes, read below.
                    if (child != current || !forSelection || !result.hasSelected)
                        applyDestination(child, *byName.value(child->text(0)), group == m_classesItem);
                }
            }
        }
    }

    QTreeWidgetItem* current = currentDestination();
    if (!current)
        return;
    // Back from an outage the actions come back even for a selection made
    // meanwhile, from what is known of it.
    bool changed = recovered;
    if (forSelection && result.hasSelected && result.selected != current->data(0, Qt::UserRole).toMap()) {
        applyDestination(current, result.selected, isClass(current));
        changed = true;
    }
    if (forSelection && result.hasJobs && m_tabs->currentWidget() == m_jobWidget) {
        const int before = m_jobWidget->topLevelItemCount();
        m_jobWidget->showLoaded(QPointer<Cups::HTTP>(Cups::HTTP::getUniqueConnection()), current->text(0),
                                result.jobs);
        changed = changed || before != m_jobWidget->topLevelItemCount();
    }
    if (changed) {
        clearInformation();
        m_membersList->clear();
        resetActions();
        showDestination(current);
    }
}

void PrintersWidget::DisplayDest(QString queueName, bool showJobsTab)
{
    for (QTreeWidgetItem* group : {m_printersItem, m_classesItem}) {
        if (!group)
            continue;
        for (int i = group->childCount() - 1; i >= 0; --i) {
            QTreeWidgetItem* child = group->child(i);
            if (child->text(0) != queueName)
                continue;
            m_tree->setCurrentItem(child);
            if (showJobsTab && m_tabs->indexOf(m_jobWidget) >= 0)
                m_tabs->setCurrentWidget(m_jobWidget);
            return;
        }
    }
}

void PrintersWidget::updateTimerStopRequest()
{
    m_refreshTimer->stop();
}

void PrintersWidget::updateTimerStartRequest()
{
    if (m_refreshTimer->interval() != 0)
        m_refreshTimer->start();
}

bool PrintersWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_tree || watched == m_tree->viewport()) {
        if (event->type() == QEvent::ContextMenu) {
            showContextMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
            // Taken here: the viewport passes an event it leaves to the
            // tree, which would show the menu a second time.
            return true;
        } else if (event->type() == QEvent::KeyPress && watched == m_tree) {
            switch (static_cast<QKeyEvent*>(event)->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
                if (m_editAction->isEnabled())
                    editPrinter();
                break;
            case Qt::Key_Delete:
                if (m_deleteAction->isEnabled())
                    deletePrinter();
                break;
            case Qt::Key_F5:
                load();
                break;
            default:
                break;
            }
        }
    } else if (watched == m_membersList && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Delete)
            setMembers();
    }
    return false;
}

void PrintersWidget::showContextMenu(const QPoint& globalPos)
{
    QMenu menu(this);
    menu.addMenu(viewMenu());
    menu.addSeparator();
    menu.addAction(m_addAction);
    menu.addAction(m_deleteAction);
    menu.addSeparator();
    menu.addAction(m_editAction);
    menu.addSeparator();
    menu.addAction(m_playAction);
    menu.addAction(m_purgeAction);
    menu.addSeparator();
    menu.addAction(m_userDefaultAction);
    menu.addAction(m_defaultAction);
    menu.addSeparator();
    menu.addAction(m_testPageAction);
    menu.exec(globalPos);
}

void PrintersWidget::currentItemChanged(QTreeWidgetItem* current, QTreeWidgetItem*)
{
    if (authInProgress() || m_selecting)
        return;
    // A reload re-selects its item while holding the mutex itself.
    const bool locks = !m_reloading;
    if (locks && !m_reloadMutex.tryLock())
        return;
    m_selecting = true;
    ++m_selectionSerial;
    const bool ownsView = !m_view;
    if (ownsView) {
        m_view = std::make_unique<ServerView>();
        // The refresh keeps the destinations current; a selection reads only
        // its own.
        m_view->destinations = m_destinations;
    }
    const auto finish = qScopeGuard([this, locks, ownsView] {
        if (ownsView)
            m_view.reset();
        m_selecting = false;
        if (locks)
            m_reloadMutex.unlock();
    });

    // Loading nothing empties the list and tells the job counters so.
    m_jobWidget->load(QPointer<Cups::HTTP>(), QString());
    m_jobWidget->currentItemChanged(nullptr, nullptr);
    clearInformation();
    const bool destination = isDestination(current);
    showTabs(destination, isClass(current));
    m_membersList->clear();
    resetActions();
    if (!destination) {
        m_infoDestination.clear();
        return;
    }

    // Known to be away: the last known facts, without a second of waiting.
    if (!serverDown()) {
        if (m_tabs->currentWidget() == m_jobWidget) {
            m_jobWidget->load(QPointer<Cups::HTTP>(Cups::HTTP::getUniqueConnection()), current->text(0));
            m_jobWidget->currentItemChanged(m_jobWidget->currentItem(), nullptr);
        }
        refreshState();
    }
    showDestination(current);
}

void PrintersWidget::showDestination(QTreeWidgetItem* current)
{
    const QString name = current->text(0);
    const bool userDefault = viewUserDefault().is(name);
    const QVariantMap attributes = current->data(0, Qt::UserRole).toMap();
    const uint type = firstUInt(attributes, typeKey);

    m_infoText->append(QStringLiteral("<b>") + tr("General information") + QStringLiteral(":</b>"));
    if (userDefault)
        appendParagraph(tr("Default"));
    if (type & CUPS_PRINTER_CLASS)
        fillMembers(attributes);
    m_tweakWidget->setDestination(name, attributes);
    for (ISecurityPrinterPage* page : qAsConst(m_securityPages))
        page->setDestination(name, attributes);
    if (!serverDown())
        enableActions(attributes);
    fillInformation(attributes, type & CUPS_PRINTER_CLASS);
    // A refresh of the same destination keeps the reader where they were.
    if (name == m_infoDestination)
        m_infoText->verticalScrollBar()->setValue(m_infoScroll);
    m_infoDestination = name;
}

void PrintersWidget::clearInformation()
{
    m_infoScroll = m_infoText->verticalScrollBar()->value();
    m_infoText->clear();
}

void PrintersWidget::currentTabChanged()
{
    ++m_selectionSerial;
    // Jobs are fetched only for the page that shows them; turning to it must
    // not leave the list empty until the next refresh.
    if (m_selecting || serverDown() || m_tabs->currentWidget() != m_jobWidget)
        return;
    QTreeWidgetItem* current = m_tree->currentItem();
    if (!isDestination(current))
        return;
    m_jobWidget->load(QPointer<Cups::HTTP>(Cups::HTTP::getUniqueConnection()), current->text(0));
    m_jobWidget->currentItemChanged(m_jobWidget->currentItem(), nullptr);
    m_purgeAction->setEnabled(m_playAction->isEnabled() && m_jobWidget->topLevelItemCount() > 0);
}

void PrintersWidget::showTabs(bool destination, bool isClass)
{
    QList<QPair<QWidget*, QString>> wanted;
    if (destination) {
        wanted << qMakePair<QWidget*, QString>(m_infoPage, tr("Info"))
               << qMakePair<QWidget*, QString>(m_jobWidget, tr("Jobs"))
               << qMakePair<QWidget*, QString>(m_tweakWidget, tr("Setup"));
        if (isClass)
            wanted << qMakePair<QWidget*, QString>(m_membersList, tr("Members"));
        for (ISecurityPrinterPage* page : qAsConst(m_securityPages)) {
            if (QWidget* pageWidget = page->widget())
                wanted << qMakePair(pageWidget, page->title());
        }
    }
    m_membersList->setEnabled(destination && isClass);

    bool same = m_tabs->count() == wanted.size();
    for (int i = 0; same && i < wanted.size(); ++i)
        same = m_tabs->widget(i) == wanted.at(i).first;
    if (same)
        return;

    // Rebuilt only when the set of tabs changes, so that moving between two
    // printers does not flicker.
    QWidget* page = m_tabs->currentWidget();
    while (m_tabs->count() > 0) {
        QWidget* removed = m_tabs->widget(0);
        m_tabs->removeTab(0);
        removed->hide();
    }
    for (const auto& tab : qAsConst(wanted))
        m_tabs->addTab(tab.first, tab.second);
    if (page && m_tabs->indexOf(page) >= 0)
        m_tabs->setCurrentWidget(page);
}

void PrintersWidget::resetActions()
{
    setPlayAction(tr("Pause/resume"), QStringLiteral("media-playback-pause"));
    for (QAction* action : {m_playAction, m_purgeAction, m_editAction, m_deleteAction, m_testPageAction,
                            m_defaultAction})
        action->setEnabled(false);
}

void PrintersWidget::setPlayAction(const QString& text, const QString& iconName)
{
    m_playAction->setText(text);
    m_playAction->setIcon(QIcon::fromTheme(iconName, QIcon()));
}

void PrintersWidget::enableActions(const QVariantMap& attributes)
{
    const uint type = firstUInt(attributes, typeKey);
    // Discovered queues of other servers cannot be administered from here.
    if ((type & CUPS_PRINTER_REMOTE) && (type & CUPS_PRINTER_DISCOVERED))
        return;
    m_playAction->setEnabled(true);
    m_purgeAction->setEnabled(m_jobWidget->topLevelItemCount() > 0);
    m_editAction->setEnabled(true);
    m_deleteAction->setEnabled(true);
    m_testPageAction->setEnabled(true);
    m_defaultAction->setEnabled(!(type & CUPS_PRINTER_DEFAULT));
}

void PrintersWidget::appendParagraph(const QString& text)
{
    // Descriptions and locations are whatever the queue's creator typed:
    // shown as text, never interpreted as markup.
    m_infoText->append(QStringLiteral("<span>%1</span>").arg(text.toHtmlEscaped()));
}

void PrintersWidget::appendLine(const QString& label, const QString& value)
{
    appendParagraph(label + QStringLiteral(": ") + ServerText::forDisplay(value));
}

void PrintersWidget::fillInformation(const QVariantMap& attributes, bool isClass)
{
    for (auto it = attributes.constBegin(); it != attributes.constEnd(); ++it) {
        const QVariantList values = it.value().toList();
        if (values.isEmpty())
            continue;
        const QString key = it.key();
        const QString value = values.first().toString();
        if (key == QLatin1String("device-uri")) {
            if (!isClass)
                appendLine(tr("Device URI"), value);
        } else if (key == QLatin1String("printer-info")) {
            appendLine(tr("Description"), value);
        } else if (key == QLatin1String("printer-location")) {
            appendLine(tr("Location"), value);
        } else if (key == QLatin1String("printer-make-and-model")) {
            appendLine(tr("Model"), value);
        } else if (key == nameKey) {
            appendLine(tr("Name"), value);
        } else if (key == stateKey) {
            const int state = values.first().toInt();
            QString text = tr("unknown");
            if (state == stateIdle || state == stateProcessing) {
                text = state == stateIdle ? tr("idle") : tr("processing");
                setPlayAction(tr("Pause"), QStringLiteral("media-playback-pause"));
            } else if (state == stateStopped) {
                text = tr("stopped");
                setPlayAction(tr("Resume"), QStringLiteral("media-playback-start"));
            }
            appendLine(tr("State"), text);
        } else if (key == QLatin1String("printer-uri") || key == uriSupportedKey) {
            appendLine(tr("URI"), value);
        }
    }

    m_infoText->append(QStringLiteral("<br><b>") + tr("Capabilities") + QStringLiteral(":</b>"));
    const uint type = firstUInt(attributes, typeKey);
    for (int bit = 0; bit < 32; ++bit) {
        const uint flag = 1u << bit;
        if (!(type & flag))
            continue;
        const QString capability = Cups::IPP::typeName(static_cast<Cups::IPP::PrinterType>(flag));
        if (!capability.isEmpty())
            appendParagraph(capability);
    }
}

void PrintersWidget::fillMembers(const QVariantMap& attributes)
{
    // The class's full attributes, just fetched, hold the same members as its
    // destination options would, without a list of every destination more.
    const QStringList uris = classMemberUris(attributes, QString());
    const QList<QVariantMap>& destinations = viewDestinations();
    for (const QString& uri : uris) {
        QString name;
        for (const QVariantMap& destination : destinations) {
            if (firstString(destination, uriSupportedKey) == uri) {
                name = firstString(destination, nameKey);
                break;
            }
        }
        if (name.isEmpty())
            name = tr("Unknown");
        new QTreeWidgetItem(m_membersList, QStringList{name, uri});
    }
}

void PrintersWidget::refreshState()
{
    Cups::HTTP* connection = Cups::HTTP::getUniqueConnection();
    QTreeWidgetItem* current = currentDestination();
    if (!connection || !current)
        return;
    const bool ownsView = !m_view;
    if (ownsView) {
        m_view = std::make_unique<ServerView>();
        m_view->destinations = m_destinations;
    }
    const auto finish = qScopeGuard([this, ownsView] {
        if (ownsView)
            m_view.reset();
    });
    QVariantMap attributes;
    {
        PasswordCBSetter passwords(nullptr);
        WaitCursor waitCursor;
        attributes = fetchAttributes(connection, current->text(0), isClass(current), true);
    }
    // After an action too: the user learns why nothing changed.
    if (attributes.isEmpty() && reportedNoAnswer(connection))
        return;
    viewUserDefault();
    // Every other destination follows the periodic refresh.
    if (attributes.contains(stateKey))
        applyDestination(current, attributes, isClass(current));
}

void PrintersWidget::itemDoubleClicked(QTreeWidgetItem* item, int)
{
    if (sender() && sender() == m_membersList)
        setMembers();
    else if (item && m_editAction->isEnabled())
        editPrinter();
}

void PrintersWidget::reloadDests()
{
    load();
}

void PrintersWidget::addPrinter()
{
    const QPointer<PrintersWidget> self(this);
    QString added;
    {
        PrinterWizard wizard(this);
        updateTimerStopRequest();
        const bool accepted = wizard.exec() == QDialog::Accepted;
        if (!self)
            return;
        updateTimerStartRequest();
        if (!accepted)
            return;
        added = wizard.printerName();
    }
    load();
    DisplayDest(added);
}

void PrintersWidget::play()
{
    QTreeWidgetItem* item = currentDestination();
    Cups::HTTP* connection = Cups::HTTP::getUniqueConnection();
    if (!item || !connection)
        return;
    const QString name = item->text(0);
    const int state = isClass(item) ? connection->classState(name) : connection->printerState(name);
    PrivActionProvider* provider = PrivActionFactory::instance()->provider();
    if (state == stateIdle || state == stateProcessing)
        provider->printerSetEnabled(name, false);
    else if (state == stateStopped)
        provider->printerSetEnabled(name, true);
    refreshSelection();
}

void PrintersWidget::editPrinter()
{
    QTreeWidgetItem* item = currentDestination();
    if (!item)
        return;
    DestOptionsDialog dialog(this);
    dialog.setDestination(item->text(0), isClass(item));
    dialog.exec();
}

void PrintersWidget::deletePrinter()
{
    QTreeWidgetItem* item = currentDestination();
    if (!item)
        return;
    const QString name = item->text(0);
    const bool deletingClass = isClass(item);
    const QString text = tr("Deleting") + QLatin1Char(' ') + (deletingClass ? tr("class") : tr("printer"))
                         + QLatin1Char(' ') + name + QStringLiteral(". ") + tr("Are you sure?");
    if (QMessageBox::warning(this, tr("Warning"), text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        != QMessageBox::Yes)
        return;
    PrivActionProvider* provider = PrivActionFactory::instance()->provider();
    const bool deleted = deletingClass ? provider->classDelete(name) : provider->printerDelete(name);
    if (!deleted)
        QMessageBox::critical(this, tr("Error"), tr("Deletion aborted."), QMessageBox::Ok);
    load();
}

void PrintersWidget::purge()
{
    if (QMessageBox::question(this, tr("Purge jobs confirmation"), tr("All printer's jobs will be purged. Continue?"),
                              QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::NoButton)
        != QMessageBox::Ok)
        return;
    QTreeWidgetItem* item = currentDestination();
    Cups::HTTP* connection = Cups::HTTP::getUniqueConnection();
    if (!item || !connection)
        return;
    const std::unique_ptr<Cups::IPP> request(Cups::IPP::create(IPP_OP_PURGE_JOBS));
    const QByteArray uri = Cups::HTTP::localDestinationUri(item->text(0), isClass(item));
    if (request && request->ipp && !uri.isEmpty()) {
        ippAddString(request->ipp, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.constData());
        const std::unique_ptr<Cups::IPP> response(request->doRequest(connection, QStringLiteral("/")));
    }
    refreshSelection();
}

void PrintersWidget::setUserDefault()
{
    QTreeWidgetItem* item = currentDestination();
    Cups::HTTP* connection = Cups::HTTP::getUniqueConnection();
    if (!item || !connection)
        return;
    const QByteArray name = item->text(0).toLocal8Bit();
    cups_dest_t* list = nullptr;
    const int count = cupsGetDests2(connection->http, &list);
    const Cups::DestsPtr dests = Cups::makeDests(list, count);
    cups_dest_t* found = nullptr;
    for (int i = 0; i < count && !found; ++i) {
        if (qstrcmp(dests.get()[i].name, name.constData()) == 0)
            found = &dests.get()[i];
    }
    if (found && found->is_default)
        found->is_default = 0;
    else
        cupsSetDefaultDest(name.constData(), nullptr, count, dests.get());
    cupsSetDests2(connection->http, count, dests.get());
    refreshSelection();
}

void PrintersWidget::setDefault()
{
    QTreeWidgetItem* item = currentDestination();
    if (!item)
        return;
    PrivActionFactory::instance()->provider()->printerSetDefault(item->text(0));
    refreshSelection();
}

void PrintersWidget::setMembers()
{
    QTreeWidgetItem* item = currentDestination();
    if (!isClass(item))
        return;
    const QString name = item->text(0);
    const QVariantMap attributes = item->data(0, Qt::UserRole).toMap();

    QDialog dialog;
    dialog.setWindowTitle(tr("Members of class"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* members = new ClassMembers(&dialog);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    layout->addWidget(members);
    layout->addWidget(buttons);
    connect(buttons, SIGNAL(accepted()), &dialog, SLOT(accept()));
    connect(buttons, SIGNAL(rejected()), &dialog, SLOT(reject()));
    dialog.setWindowTitle(members->windowTitle());

    QString membersOption;
    if (Cups::HTTP* connection = Cups::HTTP::getUniqueConnection()) {
        const QList<QMap<QString, QString>> options = connection->cupsDestinations(name);
        if (!options.isEmpty())
            membersOption = options.first().value(memberUrisKey);
    }
    members->load(classMemberUris(attributes, membersOption), name);

    const QString firstMember = firstString(attributes, memberUrisKey);
    const QString info = firstString(attributes, QStringLiteral("printer-info"));
    const QString location = firstString(attributes, QStringLiteral("printer-location"));
    const bool shared = firstString(attributes, QStringLiteral("printer-is-shared")) == QLatin1String("true");

    if (dialog.exec() != QDialog::Accepted || firstMember.isEmpty())
        return;
    const QStringList uris = members->save();
    if (uris.isEmpty()) {
        QMessageBox::critical(this, tr("Empty class"),
                              tr("Unable remove all members from class.\nClass must be contain at least 1 member."),
                              QMessageBox::Ok);
    } else if (!PrivActionFactory::instance()->provider()->classAdd(name, uris, info, location, shared)) {
        QMessageBox::critical(this, tr("CUPS error"), tr("Unable to set class' members."), QMessageBox::Ok);
    }
    refreshSelection();
}

void PrintersWidget::showLocal()
{
    load();
}

void PrintersWidget::showRemote()
{
    load();
}

void PrintersWidget::showNotShared()
{
    load();
}

void PrintersWidget::printTestPage()
{
    const QTreeWidgetItem* item = currentDestination();
    if (!item)
        return;
    const QString name = firstString(item->data(0, Qt::UserRole).toMap(), nameKey);
    if (name.isEmpty())
        return;

    QString file;
    for (const char* candidate : {testPagePostScript, testPagePlain, testPageDefault}) {
        if (QFile::exists(QFile::decodeName(candidate))) {
            file = QFile::decodeName(candidate);
            break;
        }
    }
    int job = 0;
    if (file.isEmpty()) {
        QMessageBox::critical(this, tr("Test Page Error!"),
                              tr("Test page file is missing!\nCheck your CUPS installation."), QMessageBox::Ok);
    } else if (Cups::HTTP* connection = Cups::HTTP::getUniqueConnection()) {
        const QByteArray destination = name.toLocal8Bit();
        const QByteArray path = QFile::encodeName(file);
        const QByteArray title = tr("Test page").toLocal8Bit();
        job = cupsPrintFile2(connection->http, destination.constData(), path.constData(), title.constData(), 0,
                             nullptr);
    }
    if (job < 1) {
        QMessageBox::critical(this, tr("Test Page Error!"), tr("Failed to print Test Page on %1!").arg(name),
                              QMessageBox::Ok);
    } else {
        QMessageBox::information(this, tr("Test Page"), tr("Test Page sent to %1,\nJob ID: %2").arg(name).arg(job),
                                 QMessageBox::Ok);
    }
}

void PrintersWidget::showUpdateDialog()
{
    UpdateDialog dialog(m_refreshTimer, this);
    dialog.exec();
}

void PrintersWidget::printerAdded(const QString&)
{
    reloadDests();
}

void PrintersWidget::printerRemoved(const QString&)
{
    reloadDests();
}

void PrintersWidget::queueChanged(const QString& name)
{
    if (!m_printersItem)
        return;
    for (int i = 0; i < m_printersItem->childCount(); ++i) {
        QTreeWidgetItem* child = m_printersItem->child(i);
        if (child->text(0) != name)
            continue;
        if (child == m_tree->currentItem()) {
            currentItemChanged(child, nullptr);
            continue;
        }
        // The panes keep describing the selected destination; only this
        // queue's own item follows the change.
        Cups::HTTP* connection = Cups::HTTP::getUniqueConnection();
        if (!connection)
            return;
        const QVariantMap attributes = fetchAttributes(connection, name, false, false);
        if (attributes.contains(stateKey))
            applyDestination(child, attributes, false);
    }
}
