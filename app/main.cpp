#include "CupsCodec.h"
#include "MessageHandler.h"
#include "PrinterManager.h"
#include "QtSingleApplication.h"
#include "TesselInit.h"

#include <QIcon>
#include <QTextCodec>

int main(int argc, char* argv[])
{
    qInstallMessageHandler(myMessageOutput);

    QtSingleApplication app(argc, argv, true);
    if (app.isRunning()) {
        app.sendMessage(QStringLiteral("raise"), 5000);
        return -1;
    }

    tesselInit("1.3.14",
               QT_TRANSLATE_NOOP("QObject", "Tessel Printer Manager<p>Allows to view, edit and manage print "
                                            "queues, configure print server."));
    tesselTranslatorInstall(QStringLiteral("libtessel-admin-printer"));
    Cups::codec = QTextCodec::codecForName("utf-8");
    // Lets the desktop shell match the window with its menu entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("ru.orvanta.TesselAdminPrinter"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("preferences-desktop-printer"), QIcon()));

    PrinterManager manager;
    QObject::connect(&app, &QtSingleApplication::messageReceived, &manager, &PrinterManager::messageReceived);
    manager.show();
    return app.exec();
}
