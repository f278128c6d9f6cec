#include "MessageHandler.h"

#include <QApplication>
#include <QErrorMessage>
#include <QThread>
#include <QTimer>

#include <cstdio>

// Logs argv[2] through the program's message handler with the type named in
// argv[1]; "critical-then-debug" checks that the handler survives the error
// dialog, "critical-from-thread" raises the first critical message in another
// thread. Reports on stdout whether the error dialog came up.
int main(int argc, char* argv[])
{
    qInstallMessageHandler(myMessageOutput);
    QApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 3)
        return 2;
    const QString type = arguments.at(1);
    const QString text = arguments.at(2);
    if (type == QLatin1String("debug"))
        qDebug("%s", qUtf8Printable(text));
    else if (type == QLatin1String("warning"))
        qWarning("%s", qUtf8Printable(text));
    else if (type == QLatin1String("info"))
        qInfo("%s", qUtf8Printable(text));
    else if (type == QLatin1String("critical"))
        qCritical("%s", qUtf8Printable(text));
    else if (type == QLatin1String("critical-then-debug")) {
        qCritical("%s", qUtf8Printable(text));
        qDebug("%s", qUtf8Printable(text));
    } else if (type == QLatin1String("critical-from-thread")) {
        QThread* thread = QThread::create([text] { qCritical("%s", qUtf8Printable(text)); });
        thread->start();
        thread->wait();
        delete thread;
        // Long enough for the dialog to be shown and painted.
        QTimer::singleShot(300, &app, &QCoreApplication::quit);
        app.exec();
        if (QErrorMessage::qtHandler()->thread() != app.thread())
            return 3;
    } else if (type == QLatin1String("fatal"))
        qFatal("%s", qUtf8Printable(text));
    else
        return 2;
    const bool dialogShown = QErrorMessage::qtHandler()->isVisible();
    std::printf("dialog:%s\n", dialogShown ? "yes" : "no");
    return 0;
}
