#include "CupsTestServer.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTextStream>

#include "CupsPointers.h"

#include <cups/cups.h>
#include <grp.h>
#include <pwd.h>
#include <unistd.h>

namespace {

// Marks the test account as the fixture's own: only such an account is
// changed or removed.
const QString adminAccountComment = QStringLiteral("Tessel test fixture, removed after the tests");
// Authenticated schedulers of this process that use the test account.
int adminAccountUsers = 0;
bool createdAdminGroup = false;

QString noLoginShell()
{
    for (const QString& shell : {QStringLiteral("/usr/sbin/nologin"), QStringLiteral("/sbin/nologin")}) {
        if (QFileInfo(shell).isExecutable())
            return shell;
    }
    return QStringLiteral("/bin/false");
}

const QStringList systemDirs = {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/bin"), QStringLiteral("/sbin"),
                                QStringLiteral("/bin")};

QString findTool(const QString& name)
{
    QString path = QStandardPaths::findExecutable(name);
    if (path.isEmpty())
        path = QStandardPaths::findExecutable(name, systemDirs);
    return path;
}

bool writeText(const QString& path, const QString& text, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text.toUtf8()) < 0) {
        *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

int freeLoopbackPort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        return 0;
    return probe.serverPort();
}

QString primaryGroupName()
{
    const group* entry = ::getgrgid(::getgid());
    return entry ? QString::fromLocal8Bit(entry->gr_name) : QString();
}

// Runs a program without a shell and waits for it; the output goes to *output.
bool runProgram(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment,
                const QByteArray& input, QString* output, QString* error, int timeoutMs = 30000)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForStarted(timeoutMs)) {
        *error = QStringLiteral("%1 did not start: %2").arg(program, process.errorString());
        return false;
    }
    if (!input.isEmpty())
        process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        *error = QStringLiteral("%1 did not finish in time").arg(program);
        return false;
    }
    const QString text = QString::fromLocal8Bit(process.readAll());
    if (output)
        *output = text;
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        *error = QStringLiteral("%1 %2 failed (%3): %4")
                     .arg(program, arguments.join(QLatin1Char(' ')), QString::number(process.exitCode()), text.trimmed());
        return false;
    }
    return true;
}

} // namespace

CupsTestServer::CupsTestServer() = default;

CupsTestServer::~CupsTestServer()
{
    stop();
}

QString CupsTestServer::unavailableReason(Mode mode)
{
    for (const char* tool : {"cupsd", "lpadmin", "lp", "lpstat", "cupsenable", "cupsdisable", "cupsaccept"}) {
        if (findTool(QString::fromLatin1(tool)).isEmpty())
            return QStringLiteral("%1 is not installed (Debian packages cups and cups-client)").arg(QLatin1String(tool));
    }
    if (mode == Mode::Authenticated && ::geteuid() != 0)
        return QStringLiteral("the authenticated mode creates a system account and group, which needs root");
    if (mode == Mode::Authenticated) {
        const passwd* account = ::getpwnam(adminUser.toLocal8Bit().constData());
        if (account && QString::fromLocal8Bit(account->pw_gecos) != adminAccountComment)
            return QStringLiteral("an account %1 exists that the test fixture did not make; it is left alone")
                .arg(adminUser);
    }
    return QString();
}

bool CupsTestServer::start()
{
    return start(Options());
}

bool CupsTestServer::start(const Options& options)
{
    stop();
    m_error.clear();
    m_heldJobs.clear();
    const QString reason = unavailableReason(options.mode);
    if (!reason.isEmpty()) {
        m_error = reason;
        return false;
    }
    if (options.mode == Mode::Authenticated) {
        if (!acquireAdminAccount(&m_error))
            return false;
        m_holdsAdminAccount = true;
    }

    // A short path: the domain socket's name must stay under about 100 bytes.
    m_dir = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/tessel-cups-XXXXXX"));
    if (!m_dir->isValid()) {
        m_error = QStringLiteral("cannot create a temporary directory: %1").arg(m_dir->errorString());
        return false;
    }
    // The scheduler's filters run as lp and must reach the spool below.
    QFile::setPermissions(m_dir->path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                             | QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther
                                             | QFileDevice::ExeOther);
    QDir dir(m_dir->path());
    for (const char* sub : {"etc/ppd", "spool", "tmp", "cache", "state", "log", "ssl", "home"}) {
        if (!dir.mkpath(QString::fromLatin1(sub))) {
            m_error = QStringLiteral("cannot create %1").arg(dir.filePath(QString::fromLatin1(sub)));
            return false;
        }
    }

    // Another process may take the port between the probe and the launch.
    for (int attempt = 0; attempt < 3; ++attempt) {
        m_port = freeLoopbackPort();
        if (!m_port) {
            m_error = QStringLiteral("no free port on 127.0.0.1");
            return false;
        }
        if (!writeConfiguration(options) || !writeExtraQueues(options.extraQueues))
            return false;
        if (launch(options))
            break;
        if (attempt == 2)
            return false;
    }

    if (options.knownWorld && !buildKnownWorld()) {
        stop();
        return false;
    }
    if (options.extraJobs > 0 && !addExtraJobs(options.extraJobsQueue, options.extraJobs)) {
        stop();
        return false;
    }
    m_options = options;
    return true;
}

void CupsTestServer::kill()
{
    if (!m_process)
        return;
    m_process->kill();
    m_process->waitForFinished(5000);
    m_process.reset();
}

bool CupsTestServer::restart()
{
    if (!m_dir) {
        m_error = QStringLiteral("there is no scheduler to restart");
        return false;
    }
    if (m_process) {
        m_process->terminate();
        m_process->waitForFinished(10000);
        m_process.reset();
    }
    m_error.clear();
    return launch(m_options);
}

bool CupsTestServer::writeConfiguration(const Options& options)
{
    const QString root = m_dir->path();
    const bool asRoot = ::geteuid() == 0;

    QString serverBin = QStringLiteral("/usr/lib/cups");
    if ((options.withoutBackends || !options.deviceLines.isEmpty()) && !makeServerBinWithoutBackends(&serverBin))
        return false;
    if (!options.deviceLines.isEmpty() && !addStandInBackend(serverBin, options.deviceLines))
        return false;

    QString files;
    QTextStream f(&files);
    f << "ServerRoot " << root << "/etc\n"
      << "ServerBin " << serverBin << "\n"
      << "DataDir /usr/share/cups\n"
      << "RequestRoot " << root << "/spool\n"
      << "TempDir " << root << "/tmp\n"
      << "CacheDir " << root << "/cache\n"
      << "StateDir " << root << "/state\n"
      << "ServerKeychain " << root << "/ssl\n"
      << "Printcap " << root << "/printcap\n"
      << "ErrorLog " << root << "/log/error_log\n"
      << "AccessLog " << root << "/log/access_log\n"
      << "PageLog " << root << "/log/page_log\n"
      << "FileDevice Yes\n";
    if (asRoot)
        f << "User lp\nGroup lp\n";
    QString systemGroups = asRoot ? QStringLiteral("root") : primaryGroupName();
    if (options.mode == Mode::Authenticated)
        systemGroups += QLatin1Char(' ') + adminGroup;
    f << "SystemGroup " << systemGroups << "\n";
    f << "SetEnv DBUS_SYSTEM_BUS_ADDRESS " << systemBusFor(options) << "\n";
    f.flush();

    const char* adminOperations =
        "CUPS-Add-Modify-Printer CUPS-Delete-Printer CUPS-Add-Modify-Class CUPS-Delete-Class "
        "CUPS-Set-Default CUPS-Get-Devices Pause-Printer Resume-Printer Enable-Printer Disable-Printer "
        "Pause-Printer-After-Current-Job Hold-New-Jobs Release-Held-New-Jobs Deactivate-Printer "
        "Activate-Printer Restart-Printer Shutdown-Printer Startup-Printer Promote-Job "
        "Schedule-Job-After Cancel-Jobs CUPS-Accept-Jobs CUPS-Reject-Jobs";

    QString conf;
    QTextStream c(&conf);
    c << "LogLevel info\n"
      << "Listen 127.0.0.1:" << m_port << "\n"
      << "Listen " << socketPath() << "\n"
      << "Browsing No\n"
      << "WebInterface No\n"
      << "DefaultAuthType Basic\n"
      // Saved at once, so that a killed scheduler restarts with its queues.
      << "DirtyCleanInterval 0\n";
    if (options.logAllRequests)
        c << "AccessLogLevel all\n";
    // The default limit of 500 jobs would drop the extra ones.
    if (options.extraJobs > 0)
        c << "MaxJobs " << options.extraJobs + 1000 << "\n";
    c << "<Location />\n  Order allow,deny\n  Allow 127.0.0.1\n  Allow localhost\n</Location>\n";
    if (options.mode == Mode::Authenticated) {
        c << "<Location /admin/conf>\n  AuthType Basic\n  Require user @SYSTEM\n"
          << "  Order allow,deny\n  Allow 127.0.0.1\n  Allow localhost\n</Location>\n";
    }
    c << "<Policy default>\n";
    if (options.mode == Mode::Authenticated) {
        c << "  <Limit " << adminOperations << ">\n"
          << "    AuthType Basic\n    Require user @SYSTEM\n    Order deny,allow\n  </Limit>\n";
    }
    c << "  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n";
    c << options.extraConfiguration;
    c.flush();

    // Device discovery must not send SNMP broadcasts beyond this machine.
    const QString snmp = QStringLiteral("Address 127.0.0.1\nCommunity public\n");

    return writeText(root + QStringLiteral("/etc/cups-files.conf"), files, &m_error)
           && writeText(root + QStringLiteral("/etc/cupsd.conf"), conf, &m_error)
           && writeText(root + QStringLiteral("/etc/snmp.conf"), snmp, &m_error);
}

bool CupsTestServer::makeServerBinWithoutBackends(QString* path)
{
    const QString installed = QStringLiteral("/usr/lib/cups");
    const QString own = m_dir->path() + QStringLiteral("/serverbin");
    QDir dir(own);
    if (!dir.mkpath(QStringLiteral("backend"))) {
        m_error = QStringLiteral("cannot create %1").arg(own);
        return false;
    }
    for (const QString& entry : QDir(installed).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (entry == QLatin1String("backend") || QFileInfo::exists(dir.filePath(entry)))
            continue;
        if (!QFile::link(installed + QLatin1Char('/') + entry, dir.filePath(entry))) {
            m_error = QStringLiteral("cannot link %1 into %2").arg(entry, own);
            return false;
        }
    }
    *path = own;
    return true;
}

bool CupsTestServer::addStandInBackend(const QString& serverBin, const QStringList& deviceLines)
{
    // Run without arguments it lists its devices; with a job it swallows it.
    QString script = QStringLiteral("#!/bin/sh\nif [ $# -eq 0 ]; then\n");
    for (const QString& line : deviceLines)
        script += QStringLiteral("  echo '%1'\n").arg(QString(line).replace(QLatin1Char('\''), QLatin1String("'\\''")));
    script += QStringLiteral("  exit 0\nfi\ncat > /dev/null\nexit 0\n");
    const QString path = serverBin + QStringLiteral("/backend/tesseltest");
    if (!writeText(path, script, &m_error))
        return false;
    // Executable by everybody, so the scheduler runs it as its own user
    // rather than as root.
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                    | QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther
                                    | QFileDevice::ExeOther);
    return true;
}

QString CupsTestServer::systemBusFor(const Options& options) const
{
    // Never let a private scheduler signal the machine's own system bus.
    return options.systemBusAddress.isEmpty() ? QStringLiteral("unix:path=%1/no-system-bus").arg(m_dir->path())
                                              : options.systemBusAddress;
}

bool CupsTestServer::launch(const Options& options)
{
    const QString root = m_dir->path();
    const QString cupsd = findTool(QStringLiteral("cupsd"));
    const QStringList configArgs = {QStringLiteral("-c"), root + QStringLiteral("/etc/cupsd.conf"), QStringLiteral("-s"),
                                    root + QStringLiteral("/etc/cups-files.conf")};

    QString output;
    if (!runProgram(cupsd, QStringList{QStringLiteral("-t")} + configArgs, QProcessEnvironment::systemEnvironment(), {},
                    &output, &m_error)) {
        m_error = QStringLiteral("the test configuration is refused: ") + m_error;
        return false;
    }

    m_process = std::make_unique<QProcess>();
    // The spooler signals follow the scheduler's own environment, the
    // notifiers the SetEnv line above.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), systemBusFor(options));
    m_process->setProcessEnvironment(environment);
    m_process->setStandardOutputFile(root + QStringLiteral("/log/cupsd.out"));
    m_process->setStandardErrorFile(root + QStringLiteral("/log/cupsd.out"), QIODevice::Append);
    m_process->setStandardInputFile(QProcess::nullDevice());
    m_process->start(cupsd, QStringList{QStringLiteral("-f")} + configArgs);
    if (!m_process->waitForStarted(10000)) {
        m_error = QStringLiteral("cupsd did not start: %1").arg(m_process->errorString());
        m_process.reset();
        return false;
    }
    if (!waitUntilAnswering(15000)) {
        m_error = QStringLiteral("the scheduler does not answer on port %1: %2").arg(m_port).arg(errorLog().right(2000));
        stop();
        return false;
    }
    return true;
}

bool CupsTestServer::waitUntilAnswering(int timeoutMs)
{
    const QString lpstat = findTool(QStringLiteral("lpstat"));
    QProcessEnvironment environment = clientEnvironment(false);
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        if (m_process->state() != QProcess::Running)
            return false;
        // lpstat exits 0 even when nothing answers; only its words tell.
        // The tools reach it over the domain socket, the program over TCP;
        // each listener may come up a moment after the other.
        bool answering = true;
        for (const QString& address : {serverName(), socketPath()}) {
            QString output, error;
            runProgram(lpstat, {QStringLiteral("-h"), address, QStringLiteral("-r")}, environment, {}, &output, &error,
                       5000);
            answering = answering && output.contains(QLatin1String("scheduler is running"));
        }
        if (answering)
            return true;
        m_process->waitForFinished(20);
    }
    return false;
}

void CupsTestServer::stop()
{
    if (m_process) {
        if (m_process->state() != QProcess::NotRunning) {
            m_process->terminate();
            if (!m_process->waitForFinished(10000)) {
                m_process->kill();
                m_process->waitForFinished(5000);
            }
        }
        m_process.reset();
    }
    if (m_holdsAdminAccount) {
        m_holdsAdminAccount = false;
        releaseAdminAccount();
    }
}

bool CupsTestServer::isRunning() const
{
    return m_process && m_process->state() == QProcess::Running;
}

qint64 CupsTestServer::pid() const
{
    return m_process ? m_process->processId() : 0;
}

QString CupsTestServer::serverName() const
{
    return QStringLiteral("%1:%2").arg(host()).arg(m_port);
}

QString CupsTestServer::socketPath() const
{
    return m_dir ? m_dir->path() + QStringLiteral("/cups.sock") : QString();
}

QString CupsTestServer::directory() const
{
    return m_dir ? m_dir->path() : QString();
}

QString CupsTestServer::serverRoot() const
{
    return m_dir ? m_dir->path() + QStringLiteral("/etc") : QString();
}

QString CupsTestServer::homeDirectory() const
{
    return m_dir ? m_dir->path() + QStringLiteral("/home") : QString();
}

QString CupsTestServer::errorLog() const
{
    if (!m_dir)
        return QString();
    QString text;
    for (const char* name : {"/log/cupsd.out", "/log/error_log"}) {
        QFile file(m_dir->path() + QString::fromLatin1(name));
        if (file.open(QIODevice::ReadOnly))
            text += QString::fromLocal8Bit(file.readAll());
    }
    return text;
}

QStringList CupsTestServer::accessLog() const
{
    if (!m_dir)
        return {};
    QFile file(m_dir->path() + QStringLiteral("/log/access_log"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLocal8Bit(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void CupsTestServer::pointClientAt() const
{
    const QByteArray server = serverName().toLocal8Bit();
    const QByteArray home = homeDirectory().toLocal8Bit();
    qputenv("CUPS_SERVER", server);
    qputenv("HOME", home);
    // With the server's state directory a root client would be trusted
    // without a password, which would hide every prompt.
    qunsetenv("CUPS_STATEDIR");
    cupsSetServer(server.constData());
    ippSetPort(m_port);
}

QProcessEnvironment CupsTestServer::clientEnvironment(bool overSocket) const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("CUPS_SERVER"), overSocket ? socketPath() : serverName());
    environment.insert(QStringLiteral("HOME"), homeDirectory());
    environment.remove(QStringLiteral("CUPS_STATEDIR"));
    return environment;
}

bool CupsTestServer::runTool(const QString& program, const QStringList& arguments, QString* output)
{
    const QString path = findTool(program);
    if (path.isEmpty()) {
        m_error = QStringLiteral("%1 is not installed").arg(program);
        return false;
    }
    QProcessEnvironment environment = clientEnvironment(true);
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    return runProgram(path, arguments, environment, {}, output, &m_error);
}

int CupsTestServer::submitHeldJob(const QString& queue, const QString& title)
{
    const QString document = m_dir->path() + QStringLiteral("/tmp/document.txt");
    if (!QFile::exists(document) && !writeText(document, QStringLiteral("A page of plain text.\n"), &m_error))
        return 0;
    QString output;
    if (!runTool(QStringLiteral("lp"),
                 {QStringLiteral("-d"), queue, QStringLiteral("-H"), QStringLiteral("hold"), QStringLiteral("-t"), title,
                  document},
                 &output))
        return 0;
    // "request id is alpha-3 (1 file(s))"
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("request id is .*-(\\d+)")).match(output);
    if (!match.hasMatch()) {
        m_error = QStringLiteral("lp gave no job id: %1").arg(output);
        return 0;
    }
    return match.captured(1).toInt();
}

QString CupsTestServer::compileSamplePpds()
{
    const QString ppdc = findTool(QStringLiteral("ppdc"));
    const QString source = QStringLiteral("/usr/share/cups/drv/sample.drv");
    if (ppdc.isEmpty() || !QFile::exists(source)) {
        m_error = QStringLiteral("ppdc or %1 is missing (Debian package cups-ppdc)").arg(source);
        return QString();
    }
    const QString output = m_dir->path() + QStringLiteral("/ppd");
    QString text;
    if (!runProgram(ppdc, {QStringLiteral("-l"), QStringLiteral("en"), QStringLiteral("-d"), output, source},
                    QProcessEnvironment::systemEnvironment(), {}, &text, &m_error))
        return QString();
    return output;
}

bool CupsTestServer::buildKnownWorld()
{
    const QString device = QStringLiteral("file:///dev/null");
    struct Queue
    {
        QString name, info, location;
        bool shared;
    };
    const Queue queues[] = {
        {defaultPrinter, QStringLiteral("Alpha Laser"), QStringLiteral("First floor"), true},
        {stoppedPrinter, QStringLiteral("Beta Inkjet"), QStringLiteral("Second floor"), true},
        {plainPrinter, QStringLiteral("Gamma Plotter"), QStringLiteral("Basement"), false},
    };
    for (const Queue& queue : queues) {
        if (!runTool(QStringLiteral("lpadmin"),
                     {QStringLiteral("-p"), queue.name, QStringLiteral("-E"), QStringLiteral("-v"), device,
                      QStringLiteral("-D"), queue.info, QStringLiteral("-L"), queue.location, QStringLiteral("-o"),
                      QStringLiteral("printer-is-shared=%1").arg(queue.shared ? "true" : "false")}))
            return false;
    }
    for (const QString& member : classMembers) {
        if (!runTool(QStringLiteral("lpadmin"), {QStringLiteral("-p"), member, QStringLiteral("-c"), className}))
            return false;
    }
    if (!runTool(QStringLiteral("cupsenable"), {className}) || !runTool(QStringLiteral("cupsaccept"), {className})
        || !runTool(QStringLiteral("lpadmin"), {QStringLiteral("-d"), defaultPrinter})
        || !runTool(QStringLiteral("cupsdisable"), {QStringLiteral("-r"), QStringLiteral("Out of paper"), stoppedPrinter}))
        return false;

    const QList<QPair<QString, QString>> jobs = {
        {defaultPrinter, QStringLiteral("Quarterly report")},
        {defaultPrinter, QStringLiteral("Invoice 2026-117")},
        {plainPrinter, QStringLiteral("Site plan")},
    };
    for (const auto& job : jobs) {
        const int id = submitHeldJob(job.first, job.second);
        if (!id)
            return false;
        m_heldJobs.append(id);
    }
    return true;
}

bool CupsTestServer::writeExtraQueues(int count)
{
    if (count <= 0)
        return true;
    QString text;
    QTextStream t(&text);
    for (int i = 1; i <= count; ++i) {
        const QString name = QStringLiteral("queue%1").arg(i, 3, 10, QLatin1Char('0'));
        t << "<Printer " << name << ">\nInfo " << name << "\nDeviceURI file:///dev/null\nState Idle\n"
          << "StateTime 0\nType 4\nAccepting Yes\nShared Yes\nJobSheets none none\nQuotaPeriod 0\n"
          << "PageLimit 0\nKLimit 0\nOpPolicy default\nErrorPolicy stop-printer\n</Printer>\n";
    }
    t.flush();
    return writeText(serverRoot() + QStringLiteral("/printers.conf"), text, &m_error);
}

bool CupsTestServer::addExtraJobs(const QString& queue, int count)
{
    // One connection over the domain socket, one Create-Job per job: a
    // thousand lp processes would take minutes.
    const QByteArray socket = QFile::encodeName(socketPath());
    Cups::HttpPtr http(httpConnect2(socket.constData(), 0, nullptr, AF_LOCAL, HTTP_ENCRYPTION_NEVER, 1, 5000, nullptr));
    if (!http) {
        m_error = QStringLiteral("cannot reach the scheduler to submit jobs");
        return false;
    }
    const QByteArray uri = QStringLiteral("ipp://localhost/printers/%1").arg(queue).toUtf8();
    const QByteArray user(cupsUser());
    for (int i = 1; i <= count; ++i) {
        ipp_t* request = ippNewRequest(IPP_OP_CREATE_JOB);
        const QByteArray title = QStringLiteral("job %1").arg(i).toUtf8();
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.constData());
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, user.constData());
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, title.constData());
        ippAddString(request, IPP_TAG_JOB, IPP_TAG_KEYWORD, "job-hold-until", nullptr, "indefinite");
        const Cups::IppPtr response(cupsDoRequest(http.get(), request, "/"));
        if (!response || ippGetStatusCode(response.get()) > IPP_STATUS_OK_CONFLICTING) {
            m_error = QStringLiteral("job %1 on %2 was refused: %3").arg(i).arg(queue, QString::fromUtf8(cupsLastErrorString()));
            return false;
        }
    }
    return true;
}

QString CupsTestServer::adminPassword()
{
    static const QString password = [] {
        QString drawn = QStringLiteral("Tt-");
        for (int i = 0; i < 20; ++i)
            drawn += QLatin1Char(char('a' + QRandomGenerator::system()->bounded(26)));
        return drawn;
    }();
    return password;
}

bool CupsTestServer::acquireAdminAccount(QString* error)
{
    if (adminAccountUsers > 0) {
        ++adminAccountUsers;
        return true;
    }
    const QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    QString output;
    if (!::getgrnam(adminGroup.toLocal8Bit().constData())) {
        if (!runProgram(findTool(QStringLiteral("groupadd")), {adminGroup}, environment, {}, &output, error))
            return false;
        createdAdminGroup = true;
    }
    // An account of this name that a fixture did not make was refused by
    // unavailableReason(); one that a fixture made but could not remove is
    // taken over.
    if (!::getpwnam(adminUser.toLocal8Bit().constData())) {
        if (!runProgram(findTool(QStringLiteral("useradd")),
                        {QStringLiteral("-M"), QStringLiteral("-N"), QStringLiteral("-s"), noLoginShell(),
                         QStringLiteral("-c"), adminAccountComment, QStringLiteral("-G"), adminGroup, adminUser},
                        environment, {}, &output, error))
            return false;
    } else if (!runProgram(findTool(QStringLiteral("usermod")),
                           {QStringLiteral("-a"), QStringLiteral("-G"), adminGroup, adminUser}, environment, {},
                           &output, error)) {
        return false;
    }
    // The password travels on standard input, never on a command line.
    if (!runProgram(findTool(QStringLiteral("chpasswd")), {}, environment,
                    (adminUser + QLatin1Char(':') + adminPassword() + QLatin1Char('\n')).toLocal8Bit(), &output,
                    error)) {
        adminAccountUsers = 1;
        releaseAdminAccount();
        return false;
    }
    adminAccountUsers = 1;
    return true;
}

void CupsTestServer::releaseAdminAccount()
{
    if (adminAccountUsers == 0 || --adminAccountUsers > 0)
        return;
    const QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    QString output, error;
    if (!runProgram(findTool(QStringLiteral("userdel")), {adminUser}, environment, {}, &output, &error))
        qWarning("cannot remove the test account %s: %s", qPrintable(adminUser), qPrintable(error));
    if (createdAdminGroup) {
        if (!runProgram(findTool(QStringLiteral("groupdel")), {adminGroup}, environment, {}, &output, &error))
            qWarning("cannot remove the test group %s: %s", qPrintable(adminGroup), qPrintable(error));
        createdAdminGroup = false;
    }
}
