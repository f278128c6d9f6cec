#pragma once

#include <QString>
#include <QTemporaryDir>

class QByteArray;

// The installed scheduler's own judgement of a configuration file (cupsd -t),
// with every other path of the scheduler pointed into a private directory so
// that a check never reads or changes the machine's own configuration.
class SchedulerCheck
{
public:
    SchedulerCheck();

    // Empty when checks can run, otherwise why they cannot.
    QString unavailableReason() const { return m_unavailable; }

    bool accepts(const QString& confPath, QString* output) const;
    bool acceptsText(const QByteArray& text, QString* output) const;

private:
    QString m_cupsd;
    QTemporaryDir m_dir;
    QString m_unavailable;
};
