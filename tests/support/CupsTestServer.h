#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

// A private scheduler on 127.0.0.1 with directories of its own and a known set
// of queues, for tests and for the demo. Everything it starts it stops again.
class CupsTestServer
{
public:
    enum class Mode {
        Open,          // every operation allowed to everybody
        Authenticated, // administrative operations need a password over TCP
    };

    struct Options
    {
        Mode mode = Mode::Open;
        bool knownWorld = true;
        // Extra raw queues "queue001"... for measurements on larger servers;
        // written into the configuration before the start, so a thousand
        // cost no more than a few.
        int extraQueues = 0;
        // Extra held jobs on extraJobsQueue (a queue of the known world or an
        // extra one), with the scheduler's job limit raised to hold them.
        int extraJobs = 0;
        QString extraJobsQueue;
        // System bus the scheduler sends its spooler signals to; empty for none.
        QString systemBusAddress;
        // Log every request in log/access_log, not only the changing ones,
        // so tests can count what a client sent.
        bool logAllRequests = false;
        // A scheduler without device backends, which finds no devices at all.
        bool withoutBackends = false;
        // With these, the scheduler's only backend is a stand-in "tesseltest"
        // that reports these device lines ("CLASS URI \"MAKE AND MODEL\"
        // \"INFO\" \"\"") at once; its URIs are "tesseltest:..." and print
        // into nothing.
        QStringList deviceLines;
        // Lines added to the end of cupsd.conf (sections of a test's own).
        QString extraConfiguration;
    };

    // The known world.
    static inline const QString defaultPrinter = QStringLiteral("alpha");
    static inline const QString stoppedPrinter = QStringLiteral("beta");
    static inline const QString plainPrinter = QStringLiteral("gamma");
    static inline const QString className = QStringLiteral("team");
    static inline const QStringList classMembers = {QStringLiteral("alpha"), QStringLiteral("gamma")};
    static constexpr int heldJobsOnDefault = 2;
    static constexpr int heldJobsOnPlain = 1;

    // The administrator account of the authenticated mode: made with no
    // login shell and a password drawn for this process, and removed when
    // the last authenticated scheduler of the process stops.
    static inline const QString adminUser = QStringLiteral("tesseltest");
    static inline const QString adminGroup = QStringLiteral("tesseladm");
    static QString adminPassword();

    CupsTestServer();
    ~CupsTestServer();

    CupsTestServer(const CupsTestServer&) = delete;
    CupsTestServer& operator=(const CupsTestServer&) = delete;

    // Empty when the machine can run a private scheduler in this mode,
    // otherwise the reason a test should be skipped for.
    static QString unavailableReason(Mode mode);

    bool start();
    bool start(const Options& options);
    void stop();
    bool isRunning() const;
    // Kills the scheduler without letting it save anything (a crash).
    void kill();
    // Starts the scheduler again on the same port and directories, with the
    // queues and jobs it kept; after kill() or stop().
    bool restart();

    QString errorString() const { return m_error; }
    int port() const { return m_port; }
    QString host() const { return QStringLiteral("127.0.0.1"); }
    QString serverName() const;          // "127.0.0.1:PORT"
    QString socketPath() const;          // the domain socket
    QString directory() const;           // everything of the server lives below
    QString serverRoot() const;          // cupsd.conf, printers.conf, ppd/
    QString homeDirectory() const;       // private HOME for clients
    QString errorLog() const;            // text of the scheduler's error log
    QStringList accessLog() const;       // lines of the access log
    qint64 pid() const;

    // Make this process's client library use the private scheduler over TCP
    // with a private HOME, the way the program under test will reach it.
    void pointClientAt() const;

    // Environment for a child process that should talk to this scheduler.
    QProcessEnvironment clientEnvironment(bool overSocket) const;

    // Run a client tool of the scheduler (lpadmin, lp, cupsenable, ...) over
    // the domain socket, where root is trusted without a password.
    bool runTool(const QString& program, const QStringList& arguments, QString* output = nullptr);

    // Ids of the held jobs of the known world, in submission order.
    QList<int> heldJobs() const { return m_heldJobs; }

    // Compiles the generic sample drivers into PPD files; returns their
    // directory (generic.ppd among them) or an empty string.
    QString compileSamplePpds();

    // Submits a held job to a queue; returns its id or 0.
    int submitHeldJob(const QString& queue, const QString& title);

private:
    bool writeConfiguration(const Options& options);
    // A server directory like the installed one, minus every device backend.
    bool makeServerBinWithoutBackends(QString* path);
    bool addStandInBackend(const QString& serverBin, const QStringList& deviceLines);
    bool launch(const Options& options);
    QString systemBusFor(const Options& options) const;
    bool waitUntilAnswering(int timeoutMs);
    bool buildKnownWorld();
    bool writeExtraQueues(int count);
    bool addExtraJobs(const QString& queue, int count);
    static bool acquireAdminAccount(QString* error);
    static void releaseAdminAccount();

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QProcess> m_process;
    int m_port = 0;
    Options m_options;
    QString m_error;
    QList<int> m_heldJobs;
    bool m_holdsAdminAccount = false;
};
