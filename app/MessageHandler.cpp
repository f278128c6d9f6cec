#include "MessageHandler.h"

#include <QApplication>
#include <QErrorMessage>
#include <QMetaObject>
#include <QString>
#include <QThread>

#include <cstdio>

namespace {

void writeLine(const char* prefix, const QString& message)
{
    // Keep the bytes alive in a named buffer for the whole write.
    const QByteArray text = message.toUtf8();
    std::fprintf(stderr, "%s%s\n", prefix, text.constData());
    std::fflush(stderr);
}

void showInErrorDialog(const QString& message)
{
    QCoreApplication* application = QCoreApplication::instance();
    if (!qobject_cast<QApplication*>(application))
        return;
    // Widgets belong to the GUI thread: a dialog made in another thread
    // crashes when it is painted, so it is made and shown there.
    if (QThread::currentThread() != application->thread()) {
        QMetaObject::invokeMethod(application, [message] { showInErrorDialog(message); }, Qt::QueuedConnection);
        return;
    }
    QErrorMessage* dialog = QErrorMessage::qtHandler();
    // Creating Qt's error dialog installs its own handler in place of ours;
    // put ours back so that later messages keep their prefixes.
    qInstallMessageHandler(myMessageOutput);
    dialog->showMessage(message);
}

} // namespace

void myMessageOutput(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    switch (type) {
    case QtDebugMsg:
        writeLine("Debug: ", message);
        break;
    case QtWarningMsg:
        writeLine("Warning: ", message);
        break;
    case QtCriticalMsg:
        showInErrorDialog(message);
        writeLine("Critical: ", message);
        break;
    case QtFatalMsg:
        showInErrorDialog(message);
        break;
    default:
        break;
    }
}
