#include "JobWidget.h"

#include "CupsHttp.h"
#include "CupsPointers.h"
#include "DestinationChooser.h"
#include "JobList.h"
#include "PasswordCBSetter.h"
#include "WaitCursor.h"

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QHash>
#include <QFontMetrics>
#include <QHeaderView>
#include <QIcon>
#include <QLocale>
#include <QMessageBox>
#include <QScopeGuard>
#include <QTextDocument>


namespace {

// Column 0 carries what the actions need to know about a job beyond its state.
constexpr int idRole = Qt::UserRole;
constexpr int preservedRole = Qt::UserRole + 1;
constexpr int destinationRole = Qt::UserRole + 2;

const char* const jobsResource = "/jobs/";

QString stateText(int state)
{
    switch (state) {
    case IPP_JSTATE_PENDING:
        return JobWidget::tr("pending");
    case IPP_JSTATE_HELD:
        return JobWidget::tr("held");
    case IPP_JSTATE_PROCESSING:
        return JobWidget::tr("processing");
    case IPP_JSTATE_STOPPED:
        return JobWidget::tr("stopped");
    case IPP_JSTATE_CANCELED:
        return JobWidget::tr("canceled");
    case IPP_JSTATE_ABORTED:
        return JobWidget::tr("aborted");
    case IPP_JSTATE_COMPLETED:
        return JobWidget::tr("completed");
    default:
        return JobWidget::tr("unknown");
    }
}

bool isActive(int state)
{
    return state >= IPP_JSTATE_PENDING && state <= IPP_JSTATE_STOPPED;
}

bool isFinished(int state)
{
    return state >= IPP_JSTATE_CANCELED && state <= IPP_JSTATE_COMPLETED;
}

// The server's status message is its own text: converted, so it cannot turn
// into markup in the message box.
void showError(QWidget* parent, const QString& text)
{
    QMessageBox::critical(parent, JobWidget::tr("Error"), Qt::convertFromPlainText(text, Qt::WhiteSpaceNormal));
}

bool succeeded(const ipp_t* response)
{
    return response && cupsLastError() <= IPP_STATUS_OK_CONFLICTING;
}

} // namespace

JobWidget::JobWidget(QWidget* parent)
    : QTreeWidget(parent)
{
    setHeaderLabels({tr("Id"), tr("Title"), tr("User"), tr("Size"), tr("Time"), tr("State")});
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    header()->setStretchLastSection(false);
    // Only the title may be long; the other columns take what they show (see
    // fitColumns()), so the state stays in view beside a narrow pane.
    header()->setSectionResizeMode(TitleColumn, QHeaderView::Stretch);

    cancelAction = addJobAction(QStringLiteral("process-stop"), tr("Cancel job"));
    holdAction = addJobAction(QStringLiteral("media-playback-pause"), tr("Hold job"));
    releaseAction = addJobAction(QStringLiteral("media-playback-start"), tr("Release job"));
    moveAction = addJobAction(QStringLiteral("go-jump"), tr("Move job to..."));
    reprintAction = addJobAction(QStringLiteral("view-refresh"), tr("Reprint job"));
    showCompletedAction = addJobAction(QStringLiteral("view-history"), tr("Show completed jobs"));
    showCompletedAction->setCheckable(true);

    connect(cancelAction, &QAction::triggered, this, &JobWidget::cancelJob);
    connect(holdAction, &QAction::triggered, this, &JobWidget::holdJob);
    connect(releaseAction, &QAction::triggered, this, &JobWidget::releaseJob);
    connect(moveAction, &QAction::triggered, this, &JobWidget::moveJob);
    connect(reprintAction, &QAction::triggered, this, &JobWidget::reprintJob);
    connect(showCompletedAction, &QAction::toggled, this, &JobWidget::reload);
    connect(this, &QTreeWidget::currentItemChanged, this, &JobWidget::currentItemChanged);

    setContextMenuPolicy(Qt::ActionsContextMenu);
    currentItemChanged(nullptr, nullptr);
}

QAction* JobWidget::addJobAction(const QString& iconName, const QString& text)
{
    auto* action = new QAction(QIcon::fromTheme(iconName), text, this);
    addAction(action);
    return action;
}

void JobWidget::load(QPointer<Cups::HTTP> connection, const QString& dest)
{
    QList<JobRecord> jobs;
    JobList::fetch(connection ? connection->http : nullptr, dest, showCompletedAction->isChecked(), &jobs);
    showLoaded(connection, dest, jobs);
}

void JobWidget::showLoaded(QPointer<Cups::HTTP> connection, const QString& dest, const QList<JobRecord>& jobs)
{
    m_connection = connection;
    const bool same = dest == m_dest && jobs == m_shown;
    m_dest = dest;
    // Rebuilding thousands of rows holds the window; unchanged jobs need none.
    if (same)
        return;
    showJobs(jobs);
    emit jobsStateChanged();
}

void JobWidget::reload()
{
    load(m_connection, m_dest);
}

void JobWidget::showJobs(const QList<JobRecord>& jobs)
{
    m_shown = jobs;
    const int selectedId = currentJobId();
    clear();
    const QLocale locale;
    QTreeWidgetItem* selected = nullptr;
    for (const JobRecord& job : jobs) {
        auto* item = new QTreeWidgetItem(this);
        item->setData(IdColumn, Qt::DisplayRole, job.id);
        item->setData(IdColumn, idRole, job.id);
        item->setData(IdColumn, preservedRole, job.preserved);
        item->setData(IdColumn, destinationRole, job.destination);
        item->setText(TitleColumn, job.title);
        item->setText(UserColumn, job.user);
        if (job.kOctets >= 0)
            item->setText(SizeColumn, locale.formattedDataSize(qint64(job.kOctets) * 1024));
        if (job.created > 0) {
            const QDateTime created = QDateTime::fromSecsSinceEpoch(job.created);
            item->setText(TimeColumn, locale.toString(created, QLocale::ShortFormat));
        }
        item->setText(StateColumn, stateText(job.state));
        item->setData(StateColumn, Qt::UserRole, job.state);
        if (job.id == selectedId)
            selected = item;
    }
    if (selected)
        setCurrentItem(selected);
    fitColumns();
    // Laid out now, not from the first paint: the view's repaint of the whole
    // list is asked for from within that layout, and inside a paint that only
    // covers the old current row it is lost, leaving stale rows on screen.
    executeDelayedItemsLayout();
    currentItemChanged(currentItem(), nullptr);
}

void JobWidget::fitColumns()
{
    // The header's own fit to contents looks at the first thousand rows only,
    // which cuts a long id or size further down a long list. The texts are
    // measured here instead, each once while the font stays; the delegate
    // adds the cell's margins for the widest.
    const QFontMetrics metrics(font());
    const QStyleOptionViewItem options = viewOptions();
    for (int column = 0; column < columnCount(); ++column) {
        if (column == TitleColumn)
            continue;
        QTreeWidgetItem* widest = nullptr;
        int widestText = -1;
        for (int row = 0; row < topLevelItemCount(); ++row) {
            QTreeWidgetItem* item = topLevelItem(row);
            const QString text = item->text(column);
            auto known = m_textWidths.constFind(text);
            if (known == m_textWidths.constEnd())
                known = m_textWidths.insert(text, metrics.horizontalAdvance(text));
            if (*known > widestText) {
                widest = item;
                widestText = *known;
            }
        }
        int width = header()->sectionSizeHint(column);
        if (widest)
            width = qMax(width, itemDelegate()->sizeHint(options, indexFromItem(widest, column)).width());
        header()->resizeSection(column, width);
    }
}

void JobWidget::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        m_textWidths.clear();
        fitColumns();
    }
    QTreeWidget::changeEvent(event);
}

void JobWidget::currentItemChanged(QTreeWidgetItem* current, QTreeWidgetItem*)
{
    const int state = current ? current->data(StateColumn, Qt::UserRole).toInt() : 0;
    const bool preserved = current && current->data(IdColumn, preservedRole).toBool();
    cancelAction->setEnabled(isActive(state));
    // Hold-Job is defined for jobs that have not started.
    holdAction->setEnabled(state == IPP_JSTATE_PENDING);
    releaseAction->setEnabled(state == IPP_JSTATE_HELD);
    moveAction->setEnabled(isActive(state));
    reprintAction->setEnabled(isFinished(state) && preserved);
    showCompletedAction->setEnabled(true);
}

int JobWidget::currentJobId() const
{
    const QTreeWidgetItem* item = currentItem();
    return item ? item->data(IdColumn, idRole).toInt() : 0;
}

http_t* JobWidget::serverHandle() const
{
    Cups::HTTP* connection = m_connection ? m_connection.data() : Cups::HTTP::getUniqueConnection();
    return connection ? connection->http : nullptr;
}

bool JobWidget::sendJobOperation(ipp_op_t operation, int jobId, const QByteArray& targetUri)
{
    http_t* http = serverHandle();
    if (!http)
        return false;
    Cups::IppPtr request(ippNewRequest(operation));
    if (!request)
        return false;
    const QByteArray jobUri = QByteArrayLiteral("ipp://localhost/jobs/") + QByteArray::number(jobId);
    const QByteArray user(cupsUser());
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, jobUri.constData());
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, user.constData());
    if (!targetUri.isEmpty())
        ippAddString(request.get(), IPP_TAG_JOB, IPP_TAG_URI, "job-printer-uri", nullptr, targetUri.constData());
    const Cups::IppPtr response(cupsDoRequest(http, request.release(), jobsResource));
    return succeeded(response.get());
}

void JobWidget::runJobOperation(ipp_op_t operation, int jobId, const QString& failure, const QByteArray& targetUri)
{
    if (!serverHandle()) {
        showError(this, failure + QLatin1Char('\n') + tr("There is no connection to the server."));
        return;
    }
    // A password prompt runs an event loop, in which the owner may delete us.
    const QPointer<JobWidget> self(this);
    {
        PasswordCBSetter passwordSetter(this);
        bool done = false;
        {
            const WaitCursor wait;
            done = sendJobOperation(operation, jobId, targetUri);
        }
        if (!done && !PasswordCBSetter::handleAuthError() && self)
            showError(this, failure + QLatin1Char('\n') + QString::fromUtf8(cupsLastErrorString()));
    }
    if (self)
        reload();
}

void JobWidget::cancelJob()
{
    if (const int id = currentJobId())
        runJobOperation(IPP_OP_CANCEL_JOB, id, tr("Unable to cancel job %1.").arg(id));
}

void JobWidget::holdJob()
{
    if (const int id = currentJobId())
        runJobOperation(IPP_OP_HOLD_JOB, id, tr("Unable to hold job %1.").arg(id));
}

void JobWidget::releaseJob()
{
    if (const int id = currentJobId())
        runJobOperation(IPP_OP_RELEASE_JOB, id, tr("Unable to release job %1.").arg(id));
}

void JobWidget::reprintJob()
{
    if (const int id = currentJobId())
        runJobOperation(IPP_OP_RESTART_JOB, id, tr("Unable to reprint job %1.").arg(id));
}

void JobWidget::moveJob()
{
    const QTreeWidgetItem* item = currentItem();
    const int id = currentJobId();
    if (!item || !id)
        return;
    const QString from = item->data(IdColumn, destinationRole).toString();
    const QString failure = tr("Unable to move job %1.").arg(id);
    Cups::HTTP* connection = m_connection ? m_connection.data() : Cups::HTTP::getUniqueConnection();
    if (!connection) {
        showError(this, failure + QLatin1Char('\n') + tr("There is no connection to the server."));
        return;
    }

    QList<QVariantMap> destinations;
    {
        const WaitCursor wait;
        destinations = connection->destinations();
    }
    if (destinations.isEmpty()) {
        showError(this, failure + QLatin1Char('\n') + QString::fromUtf8(cupsLastErrorString()));
        return;
    }
    QPointer<DestinationChooser> chooser = new DestinationChooser(this);
    const auto deleteChooser = qScopeGuard([&chooser] { delete chooser.data(); });
    QHash<QString, bool> isClassByName;
    for (const QVariantMap& destination : destinations) {
        const QString name = destination.value(QStringLiteral("printer-name")).toList().value(0).toString();
        if (name.isEmpty() || name.compare(from, Qt::CaseInsensitive) == 0
            || name.compare(m_dest, Qt::CaseInsensitive) == 0)
            continue;
        const int type = destination.value(QStringLiteral("printer-type")).toList().value(0).toInt();
        const bool isClass = type & CUPS_PRINTER_CLASS;
        isClassByName.insert(name, isClass);
        chooser->addDestination(name, isClass);
    }
    if (isClassByName.isEmpty()) {
        QMessageBox::information(this, tr("Move job"), tr("There is no other printer or class to move the job to."));
        return;
    }
    const QPointer<JobWidget> self(this);
    if (chooser->exec() != QDialog::Accepted || !chooser || !self)
        return;
    const QString target = chooser->destination();
    if (!isClassByName.contains(target))
        return;
    const QByteArray targetUri = Cups::HTTP::localDestinationUri(target, isClassByName.value(target));
    runJobOperation(IPP_OP_CUPS_MOVE_JOB, id, tr("Unable to move job %1 to %2.").arg(QString::number(id), target),
                    targetUri);
}
