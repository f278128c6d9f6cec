#include "JobList.h"

#include "CupsHttp.h"
#include "CupsPointers.h"
#include "ServerText.h"

#include <QUrl>

#include <iterator>

namespace {

const char* const jobAttributes[] = {
    "job-id", "job-name", "job-originating-user-name", "job-k-octets",
    "time-at-creation", "job-state", "job-printer-uri", "job-preserved",
};

// The scheduler's URIs name the queue in their last path section.
QString queueFromUri(const char* uri)
{
    const QUrl url(QString::fromUtf8(uri ? uri : ""));
    return url.path(QUrl::FullyDecoded).section(QLatin1Char('/'), -1);
}

} // namespace

bool JobList::fetch(http_t* http, const QString& dest, bool completed, QList<JobRecord>* jobs)
{
    jobs->clear();
    if (!http || !Cups::HTTP::isValidQueueName(dest))
        return false;
    // The scheduler finds a class under /printers/ too; other servers want
    // /classes/.
    if (fetchFrom(http, "printers", dest, completed, jobs))
        return true;
    return cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND && fetchFrom(http, "classes", dest, completed, jobs);
}

bool JobList::fetchFrom(http_t* http, const char* collection, const QString& dest, bool completed,
                        QList<JobRecord>* jobs)
{
    const QByteArray uri = Cups::HTTP::localDestinationUri(dest, qstrcmp(collection, "classes") == 0);
    if (uri.isEmpty())
        return false;
    Cups::IppPtr request(ippNewRequest(IPP_OP_GET_JOBS));
    if (!request)
        return false;
    // Without the user's name the scheduler withholds the titles and owners
    // of the user's own jobs too.
    const QByteArray user(cupsUser());
    const char* const which = completed ? "all" : "not-completed";
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.constData());
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, user.constData());
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "which-jobs", nullptr, which);
    ippAddStrings(request.get(), IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  int(std::size(jobAttributes)), nullptr, jobAttributes);

    const Cups::IppPtr response(cupsDoRequest(http, request.release(), "/"));
    if (!response || cupsLastError() > IPP_STATUS_OK_CONFLICTING)
        return false;

    QList<JobRecord> found;
    JobRecord job;
    ipp_t* answer = response.get();
    for (ipp_attribute_t* attribute = ippFirstAttribute(answer);; attribute = ippNextAttribute(answer)) {
        const char* name = attribute ? ippGetName(attribute) : nullptr;
        if (!name || ippGetGroupTag(attribute) != IPP_TAG_JOB) {
            if (job.id > 0)
                found.append(job);
            job = JobRecord();
            if (!attribute)
                break;
            continue;
        }
        const QByteArray key(name);
        const ipp_tag_t tag = ippGetValueTag(attribute);
        const bool isInteger = tag == IPP_TAG_INTEGER || tag == IPP_TAG_ENUM;
        const bool isText = tag == IPP_TAG_NAME || tag == IPP_TAG_NAMELANG || tag == IPP_TAG_TEXT
                            || tag == IPP_TAG_TEXTLANG;
        if (key == "job-id" && isInteger)
            job.id = ippGetInteger(attribute, 0);
        else if (key == "job-name" && isText)
            job.title = ServerText::forDisplay(ippGetString(attribute, 0, nullptr));
        else if (key == "job-originating-user-name" && isText)
            job.user = ServerText::forDisplay(ippGetString(attribute, 0, nullptr));
        else if (key == "job-k-octets" && isInteger)
            job.kOctets = ippGetInteger(attribute, 0);
        else if (key == "time-at-creation" && isInteger)
            job.created = ippGetInteger(attribute, 0);
        else if (key == "job-state" && isInteger)
            job.state = ippGetInteger(attribute, 0);
        else if (key == "job-printer-uri" && tag == IPP_TAG_URI)
            job.destination = queueFromUri(ippGetString(attribute, 0, nullptr));
        else if (key == "job-preserved" && tag == IPP_TAG_BOOLEAN)
            job.preserved = ippGetBoolean(attribute, 0);
    }
    *jobs = found;
    return true;
}
