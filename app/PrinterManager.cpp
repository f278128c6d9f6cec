#include "PrinterManager.h"

#include "ConfigNode.h"
#include "CupsHttp.h"
#include "CupsdConfDialog.h"
#include "JobWidget.h"
#include "PrintersWidget.h"
#include "PrintersWidgetAdaptor.h"
#include "PrivActionFactory.h"
#include "PrivActionProvider.h"
#include "PrivConfigDialog.h"
#include "ProgramPaths.h"
#include "SchedulerConfigCheck.h"
#include "SchedulerVersion.h"
#include "ServerInfo.h"
#include "TesselGeometry.h"
#include "TesselHelpMenu.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryFile>
#include <QToolBar>

#include <cups/cups.h>
#include <cups/ipp.h>

namespace {

const QString serviceName = QStringLiteral("ru.orvanta.TesselAdminPrinter");
const QString objectPath = QStringLiteral("/PrintersWidget");
const QString suProgramName = QStringLiteral("tessel-su");
const QStringList restartArguments = {QStringLiteral("-c"), QStringLiteral("/etc/init.d/cups"),
                                      QStringLiteral("restart")};
constexpr int restartTimeoutMs = 30000;
constexpr int versionTimeoutMs = 1000;
// Used until the first close stores a geometry of the user's choosing.
constexpr QSize defaultWindowSize(1000, 650);
constexpr int statusLabelMargin = 6;

// Null entries stand for separators; menus and tool bars both take this form.
template <typename Bar>
void fillBar(Bar* bar, const QList<QAction*>& actions)
{
    for (QAction* action : actions) {
        if (action)
            bar->addAction(action);
        else
            bar->addSeparator();
    }
}

// The restart tool of the build tree for a program run from there; otherwise
// the one on the user's PATH, or beside the program when it is installed
// outside of it.
QString suProgram()
{
    QString path = ProgramPaths::fromBuildTree(QStringLiteral("su/") + suProgramName);
    if (path.isEmpty())
        path = QStandardPaths::findExecutable(suProgramName);
    if (path.isEmpty())
        path = QStandardPaths::findExecutable(suProgramName, {QCoreApplication::applicationDirPath()});
    return path;
}

} // namespace

PrinterManager::PrinterManager(QWidget* parent)
    : QMainWindow(parent)
{
    setWindowIconText(tr("Tessel Printer Manager"));
    setWindowTitle(tr("Tessel Printer Manager"));

    m_processingLabel = new QLabel(tr("Processing jobs"), this);
    m_abortedLabel = new QLabel(tr("Aborted jobs"), this);
    for (QLabel* label : {m_processingLabel, m_abortedLabel}) {
        // Side by side without stretch the two counters would read as one text.
        label->setContentsMargins(statusLabelMargin, 0, statusLabelMargin, 0);
        statusBar()->addWidget(label);
    }

    m_printersWidget = new PrintersWidget(this);
    Cups::HTTP* connection = Cups::HTTP::getUniqueConnection();
    setCentralWidget(m_printersWidget);

    // The tree is read now when the scheduler answers; a silent one costs
    // about a second here, and the line over the tree says what happened.
    if (connection)
        m_printersWidget->load();
    else
        m_printersWidget->refreshSoon();

    createActions();
    createMenus();
    createToolBars();

    connect(m_printersWidget->jobWidget(), SIGNAL(jobsStateChanged()), this, SLOT(jobsStateChanged()));
    // The counters read numbers from the start, not only after a selection.
    jobsStateChanged();

    registerOnSessionBus();

    if (!connection) {
        // Not waited for: a start by D-Bus activation must have its name on
        // the bus before the caller gives up, whatever the user does.
        auto* box = new QMessageBox(QMessageBox::Critical, QObject::tr("Fatal error"),
                                    QObject::tr("Unable to connect to CUPS server. Check <i>cupsd</i> is running"),
                                    QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    }

    resize(defaultWindowSize);
    QSettings settings;
    tesselRestoreGeometry(this, &settings, QRect(), false);
}

PrinterManager::~PrinterManager()
{
    QSettings settings;
    tesselSaveGeometry(this, &settings, false);
}

void PrinterManager::createActions()
{
    m_exitAction = new QAction(QIcon::fromTheme(QStringLiteral("application-exit")), tr("E&xit"), this);
    connect(m_exitAction, SIGNAL(triggered()), this, SLOT(close()));

    m_configAction = new QAction(tr("Configure..."), this);
    connect(m_configAction, SIGNAL(triggered()), this, SLOT(serverConfigActionPressed()));

    m_restartAction = new QAction(tr("Restart"), this);
    connect(m_restartAction, SIGNAL(triggered()), this, SLOT(cupsdRestart()));
}

QList<QAction*> PrinterManager::jobActions() const
{
    const JobWidget* jobs = m_printersWidget->jobWidget();
    return {jobs->cancelAction, jobs->holdAction, jobs->releaseAction, nullptr, jobs->reprintAction,
            jobs->showCompletedAction};
}

void PrinterManager::createMenus()
{
    const PrintersWidget* printers = m_printersWidget;

    QMenu* fileMenu = menuBar()->addMenu(tr("&File"));
    fillBar(fileMenu, {printers->reloadAction(), nullptr, m_exitAction});

    menuBar()->addMenu(m_printersWidget->viewMenu());

    QMenu* serverMenu = menuBar()->addMenu(tr("&Server"));
    serverMenu->addAction(m_configAction);
    serverMenu->addAction(tr("Priviledged Actions..."), this, SLOT(configPrivilegedActions()));
    serverMenu->addAction(m_restartAction);

    QMenu* printerMenu = menuBar()->addMenu(tr("&Printer"));
    fillBar(printerMenu, {printers->addAction(), printers->deleteAction(), nullptr, printers->editAction(), nullptr,
                          printers->playAction(), printers->purgeAction(), nullptr, printers->userDefaultAction(),
                          printers->defaultAction(), nullptr, printers->testPageAction(), nullptr});
    QMenu* jobMenu = printerMenu->addMenu(tr("&Job"));
    fillBar(jobMenu, jobActions());

    menuBar()->addMenu(new TesselHelpMenu(menuBar()));
}

void PrinterManager::createToolBars()
{
    const PrintersWidget* printers = m_printersWidget;

    fillBar(addToolBar(tr("File")), {printers->reloadAction(), nullptr, m_exitAction});
    fillBar(addToolBar(tr("Printer")),
            {printers->addAction(), printers->deleteAction(), nullptr, printers->editAction(), nullptr,
             printers->playAction(), printers->purgeAction(), nullptr, printers->showLocalAction(),
             printers->showRemoteAction(), printers->showNotSharedAction()});
    fillBar(addToolBar(tr("Job")), jobActions());
}

void PrinterManager::registerOnSessionBus()
{
    new PrintersWidgetAdaptor(m_printersWidget);
    QDBusConnection bus = QDBusConnection::sessionBus();
    // Without a session bus the window works as before; only other programs
    // cannot reach it.
    if (QDBusConnectionInterface* busInterface = bus.interface()) {
        busInterface->registerService(serviceName, QDBusConnectionInterface::QueueService,
                                      QDBusConnectionInterface::DontAllowReplacement);
    }
    bus.registerObject(objectPath, m_printersWidget, QDBusConnection::ExportAdaptors);
}

void PrinterManager::messageReceived(const QString& message)
{
    if (message != QLatin1String("raise"))
        return;
    raise();
    activateWindow();
}

void PrinterManager::closeEvent(QCloseEvent* event)
{
    m_printersWidget->saveSettings();
    event->accept();
}

void PrinterManager::jobsStateChanged()
{
    int processing = 0;
    int aborted = 0;
    const JobWidget* jobs = m_printersWidget->jobWidget();
    for (int i = 0; i < jobs->topLevelItemCount(); ++i) {
        const int state = jobs->topLevelItem(i)->data(JobWidget::StateColumn, Qt::UserRole).toInt();
        if (state == IPP_JSTATE_PROCESSING)
            ++processing;
        else if (state == IPP_JSTATE_ABORTED)
            ++aborted;
    }
    // One text per counter rather than label + number, so that languages
    // whose noun follows the count can inflect it.
    m_processingLabel->setText(tr("Processing jobs: %n", nullptr, processing));
    m_abortedLabel->setText(tr("Aborted jobs: %n", nullptr, aborted));
}

void PrinterManager::cupsdConfig()
{
    QTemporaryFile file;
    if (!file.open()) {
        QMessageBox::critical(this, tr("Fatal Error"), QStringLiteral("Unable to create temporary file."),
                              QMessageBox::Ok);
        QCoreApplication::quit();
        return;
    }
    const QString fileName = file.fileName();
    file.close();

    if (!PrivActionFactory::instance()->provider()->fileGet(fileName)) {
        QMessageBox::critical(this, tr("Error"),
                              tr("%1\n%2").arg(tr("Unable to read server configuration file"), tr("Cups error")),
                              QMessageBox::Ok);
        return;
    }
    // An empty tree would go back to the server as an empty configuration.
    Cups::ConfigNode config;
    if (!config.load(fileName)) {
        QMessageBox::critical(this, tr("Error"),
                              tr("%1\n%2").arg(tr("Unable to read server configuration file"), Cups::lastError),
                              QMessageBox::Ok);
        return;
    }

    CupsdConfDialog dialog(this);
    // Which directives the scheduler still takes depends on its version.
    dialog.setSchedulerVersion(
        SchedulerVersion::query(QString::fromLocal8Bit(cupsServer()), ippPort(), versionTimeoutMs));
    dialog.setConfig(config);
    if (dialog.exec() != QDialog::Accepted)
        return;

    if (!dialog.config().save(fileName)) {
        QMessageBox::critical(this, tr("Error"),
                              tr("%1\n%2").arg(tr("Unable to write server configuration file"), Cups::lastError),
                              QMessageBox::Ok);
        return;
    }
    // A file the scheduler refuses would leave the machine without a print
    // server at its next restart.
    ServerInfo& server = ServerInfo::instance();
    server.update();
    QString report;
    if (server.isLocal
        && SchedulerConfigCheck::checkFile(fileName, &report) == SchedulerConfigCheck::Result::Refused) {
        QMessageBox::critical(this, tr("Error"),
                              tr("%1\n%2").arg(tr("The scheduler refuses the new configuration, so it was not "
                                                  "sent to the server."),
                                               report),
                              QMessageBox::Ok);
        return;
    }
    if (!PrivActionFactory::instance()->provider()->filePut(fileName)) {
        QMessageBox::critical(this, tr("Error"),
                              tr("%1\n%2").arg(tr("Unable to write server configuration file"), tr("Cups error")),
                              QMessageBox::Ok);
    }
}

void PrinterManager::cupsdRestart()
{
    const QString program = suProgram();
    if (program.isEmpty()) {
        QMessageBox::critical(this, tr("Error"),
                              tr("The server was not restarted: %1 is not installed.").arg(suProgramName),
                              QMessageBox::Ok);
        return;
    }
    // The tool asks for credentials itself and may take its time; the whole
    // window waits for it, as every other server request does.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QProcess restart;
    restart.start(program, restartArguments, QIODevice::ReadWrite);
    QString failure;
    if (!restart.waitForStarted()) {
        failure = restart.errorString();
    } else if (!restart.waitForFinished(restartTimeoutMs)) {
        restart.kill();
        restart.waitForFinished();
        failure = tr("%1 did not finish within %2 seconds.").arg(suProgramName).arg(restartTimeoutMs / 1000);
    } else if (restart.exitStatus() != QProcess::NormalExit || restart.exitCode() != 0) {
        failure = QString::fromLocal8Bit(restart.readAllStandardError()).trimmed();
        if (failure.isEmpty())
            failure = tr("%1 ended with exit status %2.").arg(suProgramName).arg(restart.exitCode());
    }
    QApplication::restoreOverrideCursor();

    // The scheduler may have dropped every connection, even when the tool
    // said it failed half-way.
    if (Cups::HTTP* connection = Cups::HTTP::getUniqueConnection())
        connection->reconnect();

    if (!failure.isEmpty()) {
        QMessageBox box(QMessageBox::Critical, tr("Error"), tr("The server was not restarted.") + QLatin1Char('\n')
                        + failure, QMessageBox::Ok, this);
        box.setTextFormat(Qt::PlainText);
        box.exec();
    }
}

void PrinterManager::configPrivilegedActions()
{
    PrivConfigDialog dialog(this);
    dialog.exec();
}

void PrinterManager::serverConfigActionPressed()
{
    cupsdConfig();
}
