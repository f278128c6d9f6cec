#pragma once

#include "JobRecord.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <cups/cups.h>

// Reads the jobs of one destination. Usable from any thread that owns the
// connection it is given.
class JobList
{
public:
    // Jobs of dest (a printer or a class), all of them or only those not yet
    // completed; false when the request failed.
    static bool fetch(http_t* http, const QString& dest, bool completed, QList<JobRecord>* jobs);

private:
    // collection: "printers" or "classes".
    static bool fetchFrom(http_t* http, const char* collection, const QString& dest, bool completed,
                          QList<JobRecord>* jobs);
};
