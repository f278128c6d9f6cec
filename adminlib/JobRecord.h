#pragma once

#include <QList>
#include <QMetaType>
#include <QString>

// One job as the job list shows it.
struct JobRecord
{
    int id = 0;
    QString title;
    QString user;
    QString destination;
    int kOctets = -1;
    qint64 created = 0;
    int state = 0;
    // Unknown counts as kept: the server has the last word on a reprint.
    bool preserved = true;

    bool operator==(const JobRecord& other) const
    {
        return id == other.id && title == other.title && user == other.user && destination == other.destination
               && kOctets == other.kOctets && created == other.created && state == other.state
               && preserved == other.preserved;
    }
    bool operator!=(const JobRecord& other) const { return !(*this == other); }
};

Q_DECLARE_METATYPE(QList<JobRecord>)
