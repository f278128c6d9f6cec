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
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    QErrorMessage* dialog = QErrorMessage::qtHandler();
    // Creating Qt's error dialog installs its own handler in place of ours;
    // put ours back so that later messages keep their prefixes.
    qInstallMessageHandler(myMessageOutput);
    if (QThread::currentThread() == dialog->thread())
        dialog->showMessage(message);
    else
        QMetaObject::invokeMethod(dialog, [dialog, message] { dialog->showMessage(message); }, Qt::QueuedConnection);
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
