#include "PrinterManager.h"

#include "TesselGeometry.h"
#include "TesselHelpMenu.h"

#include <QAction>
#include <QIcon>
#include <QLabel>
#include <QMenuBar>
#include <QSettings>

#include <cups/cups.h>

PrinterManager::PrinterManager(QWidget* parent)
    : QMainWindow(parent)
{
    setWindowIconText(tr("Tessel Printer Manager"));
    setWindowTitle(tr("Tessel Printer Manager"));

    const QString server = QString::fromLocal8Bit(cupsServer());
    m_serverLabel = new QLabel(this);
    m_serverLabel->setAlignment(Qt::AlignCenter);
    m_serverLabel->setText(server.startsWith(QLatin1Char('/'))
                               ? tr("Print server: %1").arg(server)
                               : tr("Print server: %1:%2").arg(server).arg(ippPort()));
    setCentralWidget(m_serverLabel);

    m_exitAction = new QAction(QIcon::fromTheme(QStringLiteral("application-exit")), tr("E&xit"), this);
    connect(m_exitAction, &QAction::triggered, this, &QWidget::close);

    QMenu* fileMenu = menuBar()->addMenu(tr("&File"));
    fileMenu->addAction(m_exitAction);
    menuBar()->addMenu(new TesselHelpMenu(menuBar()));

    resize(860, 560);
    QSettings settings;
    tesselRestoreGeometry(this, &settings, QRect(), false);
}

PrinterManager::~PrinterManager()
{
    QSettings settings;
    tesselSaveGeometry(this, &settings, false);
}

void PrinterManager::messageReceived(const QString& message)
{
    if (message != QLatin1String("raise"))
        return;
    raise();
    activateWindow();
}
