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
const QString schedulerProgramName = QStringLiteral("cupsd");
// Where the scheduler is installed; users' PATH often lacks these.
const QStringList schedulerDirs = {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")};
// The test takes a few tens of milliseconds.
constexpr int checkTimeoutMs = 10000;
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

// The scheduler's own test of a configuration file, against the server's
// cups-files.conf where the client library looks for it. False, with what the
// scheduler said, only when the test ran and found errors: without the
// program or that file nothing can be tested.
bool schedulerAccepts(const QString& confPath, QString* report)
{
    const QFileInfo filesConf(qEnvironmentVariable("CUPS_SERVERROOT", QStringLiteral("/etc/cups"))
                              + QStringLiteral("/cups-files.conf"));
    QString cupsd = QStandardPaths::findExecutable(schedulerProgramName);
    if (cupsd.isEmpty())
        cupsd = QStandardPaths::findExecutable(schedulerProgramName, schedulerDirs);
    if (cupsd.isEmpty() || !filesConf.isReadable())
        return true;

    QProcess check;
    check.setProcessChannelMode(QProcess::MergedChannels);
    check.start(cupsd, {QStringLiteral("-t"), QStringLiteral("-c"), QFileInfo(confPath).absoluteFilePath(),
                        QStringLiteral("-s"), filesConf.absoluteFilePath()});
    if (!check.waitForFinished(checkTimeoutMs) || check.exitStatus() != QProcess::NormalExit) {
        check.kill();
        check.waitForFinished();
        return true;
    }
    if (check.exitCode() == 0)
        return true;
    *report = QString::fromLocal8Bit(check.readAll()).trimmed();
    return false;
}

// The restart tool lives beside the program when it is installed outside the
// user's PATH.
QString suProgram()
{
    QString path = QStandardPaths::findExecutable(suProgramName);
    if (path.isEmpty())
        path = QStandardPaths::findExecutable(suProgramName, {QCoreApplication::applicationDirPath()});
    return path.isEmpty() ? suProgramName : path;
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

    if (connection) {
        m_printersWidget->load();
    } else {
        QMessageBox::critical(nullptr, QObject::tr("Fatal error"),
                              QObject::tr("Unable to connect to CUPS server. Check <i>cupsd</i> is running"),
                              QMessageBox::Ok);
    }

    createActions();
    createMenus();
    createToolBars();

    connect(m_printersWidget->jobWidget(), SIGNAL(jobsStateChanged()), this, SLOT(jobsStateChanged()));

    registerOnSessionBus();

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
    m_processingLabel->setText(tr("Processing jobs") + QLatin1String(": ") + QString::number(processing));
    m_abortedLabel->setText(tr("Aborted jobs") + QLatin1String(": ") + QString::number(aborted));
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
    if (server.isLocal && !schedulerAccepts(fileName, &report)) {
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
    // The tool asks for credentials itself and may take its time; the whole
    // window waits for it, as every other server request does.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QProcess restart;
    restart.start(suProgram(), restartArguments, QIODevice::ReadWrite);
    restart.waitForFinished(restartTimeoutMs);
    QApplication::restoreOverrideCursor();

    // The scheduler dropped every connection when it went down.
    if (Cups::HTTP* connection = Cups::HTTP::getUniqueConnection())
        connection->reconnect();
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
