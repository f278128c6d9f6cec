#pragma once

#include <QMenu>

class QAction;
class QWidget;

class TesselHelpMenu : public QMenu
{
    Q_OBJECT

public:
    explicit TesselHelpMenu(QWidget* parent);

    QAction* aboutAction() const { return m_aboutAction; }
    QAction* aboutQtAction() const { return m_aboutQtAction; }

    // The About box's body: the description from tesselInit() and the version.
    static QString aboutText();

private:
    void showAbout();

    QAction* m_aboutAction = nullptr;
    QAction* m_aboutQtAction = nullptr;
};
