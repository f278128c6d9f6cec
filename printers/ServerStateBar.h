#pragma once

#include <QLabel>

// A line over the destinations that says why what they show may no longer
// be current; hidden while the scheduler answers.
class ServerStateBar : public QLabel
{
    Q_OBJECT

public:
    enum class Problem {
        None,
        Silent,      // connected, but the scheduler does not answer
        Unreachable, // the scheduler cannot be reached at all
    };

    explicit ServerStateBar(QWidget* parent = nullptr);

    void setProblem(Problem problem, const QString& server);

    // How the message names a scheduler: "host:port", or a socket's path.
    static QString serverName(const QString& server, int port);
    Problem problem() const { return m_problem; }

private:
    Problem m_problem = Problem::None;
};
