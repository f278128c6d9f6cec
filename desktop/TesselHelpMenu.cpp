#include "TesselHelpMenu.h"

#include "TesselInit.h"

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QMessageBox>

TesselHelpMenu::TesselHelpMenu(QWidget* parent)
    : QMenu(tr("&Help"), parent)
{
    m_aboutAction = addAction(QIcon::fromTheme(QStringLiteral("help-about")),
                              tr("&About %1").arg(tesselProductName()));
    m_aboutAction->setMenuRole(QAction::AboutRole);
    connect(m_aboutAction, &QAction::triggered, this, &TesselHelpMenu::showAbout);

    m_aboutQtAction = addAction(tr("About &Qt"));
    m_aboutQtAction->setMenuRole(QAction::AboutQtRole);
    connect(m_aboutQtAction, &QAction::triggered, qApp, &QApplication::aboutQt);
}

QString TesselHelpMenu::aboutText()
{
    const QString description = tesselDescription();
    return tr("%1<p>Version %2</p>")
        .arg(description.isEmpty() ? tesselProductName() : description, QCoreApplication::applicationVersion());
}

void TesselHelpMenu::showAbout()
{
    // The menu itself is hidden by now; centre the box on the window it belongs to.
    QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    QMessageBox::about(owner, tr("About %1").arg(tesselProductName()), aboutText());
}
