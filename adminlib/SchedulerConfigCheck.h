#pragma once

#include <QCoreApplication>
#include <QString>

class QByteArray;

// The scheduler's own test of a cupsd.conf (cupsd -t), against the
// cups-files.conf of the local server: a file it refuses would leave the
// machine without a print server at the next restart.
class SchedulerConfigCheck
{
    Q_DECLARE_TR_FUNCTIONS(SchedulerConfigCheck)

public:
    enum class Result {
        Accepted,
        Refused,     // the message holds what the scheduler said
        Unavailable, // the test could not run; the message says why
    };

    static Result checkFile(const QString& confPath, QString* message);
    // Tests text that is not in a file yet, through a file in a directory
    // only this user can enter.
    static Result checkContents(const QByteArray& contents, QString* message);

    // $CUPS_SERVERROOT/cups-files.conf, as the client library finds its
    // server root.
    static QString filesConfPath();
};
