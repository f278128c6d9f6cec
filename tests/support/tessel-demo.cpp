#include "CupsTestServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

void forwardSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    CupsTestServer::Options options;
    bool valid = true;
    while (valid && arguments.size() > 1 && arguments.first().startsWith(QLatin1String("--"))) {
        const QString option = arguments.takeFirst();
        const int value = arguments.takeFirst().toInt(&valid);
        valid = valid && value >= 0;
        if (option == QLatin1String("--queues"))
            options.extraQueues = value;
        else if (option == QLatin1String("--jobs"))
            options.extraJobs = value;
        else
            valid = false;
    }
    options.extraJobsQueue = CupsTestServer::defaultPrinter;
    if (arguments.isEmpty() || !valid) {
        std::fprintf(stderr, "usage: tessel-demo [--queues N] [--jobs N] PROGRAM [ARGUMENTS...]\n"
                             "Starts a private print scheduler with sample queues on 127.0.0.1,\n"
                             "runs PROGRAM against it and stops the scheduler when PROGRAM ends.\n"
                             "  --queues N  adds N raw queues queue001, queue002, ...\n"
                             "  --jobs N    adds N held jobs to the queue alpha (the job limit is raised)\n");
        return 2;
    }

    CupsTestServer server;
    if (!server.start(options)) {
        std::fprintf(stderr, "tessel-demo: %s\n", qPrintable(server.errorString()));
        return 1;
    }
    std::fprintf(stderr, "tessel-demo: private scheduler on %s, pid %lld (queues %s, %s, %s and class %s)\n",
                 qPrintable(server.serverName()), server.pid(), qPrintable(CupsTestServer::defaultPrinter),
                 qPrintable(CupsTestServer::stoppedPrinter), qPrintable(CupsTestServer::plainPrinter),
                 qPrintable(CupsTestServer::className));

    // A terminal's Ctrl-C or a kill must still stop the scheduler.
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) == 0) {
        std::signal(SIGINT, forwardSignal);
        std::signal(SIGTERM, forwardSignal);
        std::signal(SIGHUP, forwardSignal);
    }
    QSocketNotifier notifier(signalPipe[0], QSocketNotifier::Read);

    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("CUPS_SERVER"), server.serverName());
    // The client library keeps the user's default printer and options under
    // HOME; what is tried out in the demo must not change them for every
    // program of the user. The program's own settings stay where they are.
    if (!environment.contains(QStringLiteral("XDG_CONFIG_HOME")))
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), QDir::homePath() + QStringLiteral("/.config"));
    environment.insert(QStringLiteral("HOME"), server.homeDirectory());
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    QObject::connect(&program, qOverload<int, QProcess::ExitStatus>(&QProcess::finished), &app,
                     [&app](int code, QProcess::ExitStatus) { app.exit(code); });
    QObject::connect(&program, &QProcess::errorOccurred, &app, [&app, &program](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            std::fprintf(stderr, "tessel-demo: %s\n", qPrintable(program.errorString()));
            app.exit(1);
        }
    });
    QObject::connect(&notifier, &QSocketNotifier::activated, &app, [&program] { program.terminate(); });
    program.start(arguments.first(), arguments.mid(1));

    const int code = app.exec();
    if (program.state() != QProcess::NotRunning) {
        program.terminate();
        if (!program.waitForFinished(5000))
            program.kill();
        program.waitForFinished(5000);
    }
    server.stop();
    return code;
}
