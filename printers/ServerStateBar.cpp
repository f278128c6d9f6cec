#include "ServerStateBar.h"

ServerStateBar::ServerStateBar(QWidget* parent)
    : QLabel(parent)
{
    setWordWrap(true);
    setTextFormat(Qt::PlainText);
    setMargin(6);
    setAutoFillBackground(true);
    // A line, not a pane: the tree below keeps the height.
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(0xfc, 0xe9, 0x94));
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
    hide();
}

void ServerStateBar::setProblem(Problem problem, const QString& server)
{
    m_problem = problem;
    switch (problem) {
    case Problem::None:
        clear();
        hide();
        return;
    case Problem::Silent:
        setText(tr("The print server %1 does not answer. The printers and jobs shown may no longer be current.")
                    .arg(server));
        break;
    case Problem::Unreachable:
        setText(tr("The print server %1 cannot be reached. The printers and jobs shown may no longer be current.")
                    .arg(server));
        break;
    }
    show();
}

QString ServerStateBar::serverName(const QString& server, int port)
{
    if (server.startsWith(QLatin1Char('/')))
        return server;
    return QStringLiteral("%1:%2").arg(server).arg(port);
}
