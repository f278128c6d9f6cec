#include "PrivilegedHelper.h"

#include "SchedulerConfigCheck.h"

#include <QTextCodec>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <utility>
#include <vector>

#include <sys/mman.h>
#include <unistd.h>

namespace {

using Action = PrivilegedHelper::Action;

enum class Word { Name, DeviceUri, Driver, PpdPath, Text, Flag, Banner, Resource, Ignored };

struct ActionWords
{
    const char* name;
    Action action;
    std::vector<Word> words;
};

const std::vector<ActionWords>& vocabulary()
{
    static const std::vector<ActionWords> actions = {
        {"PrinterAdd", Action::PrinterAdd, {Word::Name, Word::DeviceUri, Word::Driver, Word::Text, Word::Text}},
        {"PrinterAddWithPpdFile", Action::PrinterAddWithPpdFile,
         {Word::Name, Word::DeviceUri, Word::PpdPath, Word::Text, Word::Text}},
        {"PrinterSetJobSheets", Action::PrinterSetJobSheets, {Word::Name, Word::Banner, Word::Banner}},
        {"PrinterDelete", Action::PrinterDelete, {Word::Name}},
        {"ClassAddPrinter", Action::ClassAddPrinter, {Word::Name, Word::Name}},
        {"ClassDelete", Action::ClassDelete, {Word::Name}},
        {"PrinterSetDefault", Action::PrinterSetDefault, {Word::Name}},
        {"PrinterSetEnabled", Action::PrinterSetEnabled, {Word::Name, Word::Flag}},
        {"PrinterSetAcceptJobs", Action::PrinterSetAcceptJobs, {Word::Name, Word::Flag, Word::Text}},
        {"PrinterSetShared", Action::PrinterSetShared, {Word::Name, Word::Flag}},
        {"PrinterSetLocation", Action::PrinterSetLocation, {Word::Name, Word::Text}},
        {"PrinterSetInfo", Action::PrinterSetInfo, {Word::Name, Word::Text}},
        // The second word is the caller's local file; the data travels on
        // standard input and output instead, so it is never looked at.
        {"FileGet", Action::FileGet, {Word::Resource, Word::Ignored}},
        {"FilePut", Action::FilePut, {Word::Resource, Word::Ignored}},
    };
    return actions;
}

const ActionWords* findAction(const QByteArray& name)
{
    const auto& actions = vocabulary();
    const auto it = std::find_if(actions.cbegin(), actions.cend(),
                                 [&name](const ActionWords& entry) { return name == entry.name; });
    return it == actions.cend() ? nullptr : &*it;
}

bool writeAll(int fd, const char* data, qint64 size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size_t(size));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

// libcups moves files through descriptors; this one lives in memory only,
// so nothing of the data ever lands in a directory someone else can reach.
class MemoryFile
{
public:
    MemoryFile() : m_fd(::memfd_create("tessel-admin-printer-helper", MFD_CLOEXEC)) {}
    ~MemoryFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    int fd() const { return m_fd; }
    bool isValid() const { return m_fd >= 0; }

    // Rewinds afterwards, so that the next reader starts at the top.
    bool write(const QByteArray& data)
    {
        return m_fd >= 0 && writeAll(m_fd, data.constData(), data.size()) && ::lseek(m_fd, 0, SEEK_SET) == 0;
    }

    bool copyTo(int fd) const
    {
        if (::lseek(m_fd, 0, SEEK_SET) != 0)
            return false;
        std::vector<char> buffer(64 * 1024);
        for (;;) {
            const ssize_t count = ::read(m_fd, buffer.data(), buffer.size());
            if (count < 0 && errno == EINTR)
                continue;
            if (count <= 0)
                return count == 0;
            if (!writeAll(fd, buffer.data(), count))
                return false;
        }
    }

private:
    int m_fd;
};

struct CupsFileCloser
{
    void operator()(cups_file_t* file) const { cupsFileClose(file); }
};

bool decodeUtf8(const QByteArray& bytes, QString* text)
{
    QTextCodec::ConverterState state;
    *text = QTextCodec::codecForMib(106)->toUnicode(bytes.constData(), bytes.size(), &state);
    return state.invalidChars == 0 && state.remainingChars == 0;
}

bool isControl(QChar c)
{
    return c.category() == QChar::Other_Control;
}

bool isCleanText(const QByteArray& bytes)
{
    QString text;
    return decodeUtf8(bytes, &text) && std::none_of(text.cbegin(), text.cend(), isControl);
}

// Words from the caller end up in one-line messages: no control characters,
// and no pages of text.
QString quoted(const QByteArray& word)
{
    constexpr int shown = 64;
    QString text = QString::fromUtf8(word.left(shown));
    std::replace_if(text.begin(), text.end(), isControl, QLatin1Char('?'));
    return QLatin1Char('"') + text + (word.size() > shown ? QStringLiteral("...\"") : QStringLiteral("\""));
}

QString lastError()
{
    return QString::fromUtf8(cupsLastErrorString());
}

// The path only tells where the PPD on standard input came from.
bool isValidPpdPath(const QByteArray& path)
{
    if (path == "-")
        return true;
    return path.startsWith('/') && path.size() <= PrivilegedHelper::maxPathLength
           && std::none_of(path.cbegin(), path.cend(), [](char c) { return uchar(c) < 0x20 || c == 0x7f; });
}

QString wordError(Word kind, const QByteArray& word)
{
    switch (kind) {
    case Word::Name:
        if (!PrivilegedHelper::isValidQueueName(word))
            return PrivilegedHelper::tr("%1 is not a valid queue name").arg(quoted(word));
        break;
    case Word::DeviceUri:
        if (!PrivilegedHelper::isValidDeviceUri(word))
            return PrivilegedHelper::tr("%1 is not a valid device URI").arg(quoted(word));
        break;
    case Word::Driver:
        // None keeps the driver of an existing printer.
        if (!word.isEmpty() && !PrivilegedHelper::isValidDriverName(word))
            return PrivilegedHelper::tr("%1 is not a valid driver name").arg(quoted(word));
        break;
    case Word::PpdPath:
        if (!isValidPpdPath(word))
            return PrivilegedHelper::tr("%1 is neither \"-\" nor an absolute path").arg(quoted(word));
        break;
    case Word::Text:
        if (!PrivilegedHelper::isValidText(word))
            return PrivilegedHelper::tr("%1 is not a valid text: at most %2 bytes of UTF-8 without control characters")
                .arg(quoted(word))
                .arg(PrivilegedHelper::maxTextLength);
        break;
    case Word::Flag:
        if (word != "true" && word != "false")
            return PrivilegedHelper::tr("%1 is neither \"true\" nor \"false\"").arg(quoted(word));
        break;
    case Word::Banner:
        if (!PrivilegedHelper::isValidBannerName(word))
            return PrivilegedHelper::tr("%1 is not a valid banner name").arg(quoted(word));
        break;
    case Word::Resource:
        if (word != PrivilegedHelper::configurationResource)
            return PrivilegedHelper::tr("%1 is not %2")
                .arg(quoted(word), QString::fromLatin1(PrivilegedHelper::configurationResource));
        break;
    case Word::Ignored:
        break;
    }
    return QString();
}

QByteArray queueUri(const QByteArray& name, bool isClass)
{
    const QByteArray resource = (isClass ? QByteArrayLiteral("/classes/") : QByteArrayLiteral("/printers/")) + name;
    char uri[HTTP_MAX_URI];
    httpAssembleURI(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0, resource.constData());
    return QByteArray(uri);
}

const char* noPassword(const char*, http_t*, const char*, const char*, void*)
{
    return nullptr;
}

} // namespace

PrivilegedHelper::PrivilegedHelper(int inputFd, int outputFd) : m_inputFd(inputFd), m_outputFd(outputFd) {}

bool PrivilegedHelper::isValidQueueName(const QByteArray& name)
{
    // What the scheduler refuses in a queue name, and "," which separates
    // the members of a class.
    static const QByteArray forbidden = QByteArrayLiteral(" /\\#'\",?");
    return !name.isEmpty() && name.size() <= maxNameLength && isCleanText(name)
           && std::none_of(name.cbegin(), name.cend(), [](char c) { return forbidden.contains(c); });
}

bool PrivilegedHelper::isValidText(const QByteArray& text)
{
    return text.size() <= maxTextLength && isCleanText(text);
}

bool PrivilegedHelper::isValidDeviceUri(const QByteArray& uri)
{
    if (uri.isEmpty() || uri.size() > maxUriLength || !isCleanText(uri))
        return false;
    char scheme[HTTP_MAX_URI], userpass[HTTP_MAX_URI], host[HTTP_MAX_URI], resource[HTTP_MAX_URI];
    int port = 0;
    const http_uri_status_t status =
        httpSeparateURI(HTTP_URI_CODING_ALL, uri.constData(), scheme, sizeof scheme, userpass, sizeof userpass, host,
                        sizeof host, &port, resource, sizeof resource);
    // Backends bring schemes of their own, so an unknown scheme is fine.
    return status >= HTTP_URI_STATUS_OK && status != HTTP_URI_STATUS_MISSING_SCHEME && scheme[0] != '\0';
}

bool PrivilegedHelper::isValidDriverName(const QByteArray& driver)
{
    return !driver.isEmpty() && driver.size() <= maxDriverLength && isCleanText(driver) && !driver.startsWith('/')
           && !driver.split('/').contains("..");
}

bool PrivilegedHelper::isValidBannerName(const QByteArray& banner)
{
    // Banners are file names in the scheduler's data directory.
    const auto allowed = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-'
               || c == '.';
    };
    return !banner.isEmpty() && banner.size() <= maxNameLength && !banner.startsWith('.')
           && std::all_of(banner.cbegin(), banner.cend(), allowed);
}

bool PrivilegedHelper::fail(const QString& message)
{
    m_error = message;
    return false;
}

QByteArray PrivilegedHelper::encodeInput(const QByteArrayList& arguments, const QByteArray& data)
{
    QByteArray input;
    for (const QByteArray& argument : arguments)
        input += argument + '\0';
    return input + data;
}

bool PrivilegedHelper::parse(const QByteArray& actionName)
{
    m_action = Action::None;
    m_arguments.clear();
    m_input.clear();
    m_error.clear();

    if (actionName.isEmpty())
        return fail(tr("usage: tessel-admin-printer-helper ACTION < ARGUMENTS"));
    const ActionWords* entry = findAction(actionName);
    if (!entry)
        return fail(tr("unknown action %1").arg(quoted(actionName)));

    qint64 dataLimit = 0;
    if (entry->action == Action::PrinterAddWithPpdFile)
        dataLimit = maxPpdSize;
    else if (entry->action == Action::FilePut)
        dataLimit = maxConfigurationSize;
    QByteArrayList arguments;
    if (!splitInput(int(entry->words.size()), dataLimit, &arguments))
        return false;

    for (int i = 0; i < arguments.size(); ++i) {
        const QString error = wordError(entry->words[size_t(i)], arguments.at(i));
        if (!error.isEmpty())
            return fail(error);
        // The provider sends a single blank for an empty text.
        const bool blank = entry->words[size_t(i)] == Word::Text && arguments.at(i) == " ";
        m_arguments.append(blank ? QByteArray() : arguments.at(i));
    }

    if (entry->action == Action::PrinterAddWithPpdFile && !checkPpd())
        return false;
    if (entry->action == Action::FilePut && m_input.contains('\0'))
        return fail(tr("the configuration on standard input is not a text file"));
    m_action = entry->action;
    return true;
}

bool PrivilegedHelper::splitInput(int count, qint64 dataLimit, QByteArrayList* arguments)
{
    // Room for every argument at its longest and its end mark, and the data.
    if (!readInput(qint64(count) * (maxPathLength + 1) + dataLimit))
        return false;
    int start = 0;
    for (int i = 0; i < count; ++i) {
        const int end = m_input.indexOf('\0', start);
        if (end < 0)
            return fail(tr("the action takes %1 arguments, not %2").arg(count).arg(i));
        if (end - start > maxPathLength)
            return fail(tr("argument %1 is longer than %2 bytes").arg(i + 1).arg(maxPathLength));
        arguments->append(m_input.mid(start, end - start));
        start = end + 1;
    }
    m_input.remove(0, start);
    if (dataLimit == 0 && !m_input.isEmpty())
        return fail(tr("the action takes %1 arguments, not more").arg(count));
    if (m_input.size() > dataLimit)
        return fail(tr("the data on standard input exceeds %1 bytes").arg(dataLimit));
    return true;
}

bool PrivilegedHelper::readInput(qint64 limit)
{
    std::vector<char> buffer(64 * 1024);
    for (;;) {
        const ssize_t count = ::read(m_inputFd, buffer.data(), buffer.size());
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return fail(tr("cannot read standard input: %1").arg(qt_error_string(errno)));
        if (count == 0)
            return true;
        if (m_input.size() + count > limit)
            return fail(tr("the data on standard input exceeds %1 bytes").arg(limit));
        m_input.append(buffer.data(), int(count));
    }
}

// The scheduler still describes drivers by PPD files, and the deprecated PPD
// interface is the parser libcups has for them.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
bool PrivilegedHelper::checkPpd()
{
    if (!m_input.startsWith("*PPD-Adobe:"))
        return fail(tr("standard input does not hold a PPD file"));
    MemoryFile memory;
    // cupsFileClose closes the descriptor it reads, so it gets one of its own.
    const int fd = memory.write(m_input) ? ::dup(memory.fd()) : -1;
    const std::unique_ptr<cups_file_t, CupsFileCloser> file(fd >= 0 ? cupsFileOpenFd(fd, "r") : nullptr);
    if (!file) {
        const int error = errno;
        if (fd >= 0)
            ::close(fd);
        return fail(tr("cannot read the PPD file: %1").arg(qt_error_string(error)));
    }
    const Cups::PpdPtr ppd(ppdOpen2(file.get()));
    if (!ppd) {
        int line = 0;
        const ppd_status_t status = ppdLastError(&line);
        return fail(
            tr("the PPD file is not valid: %1 on line %2").arg(QString::fromUtf8(ppdErrorString(status))).arg(line));
    }
    return true;
}
#pragma GCC diagnostic pop

bool PrivilegedHelper::execute()
{
    if (m_action == Action::None)
        return fail(tr("no valid action to carry out"));
    // libcups would otherwise ask for a password on the terminal of whoever
    // started us; the local scheduler trusts root without one.
    cupsSetPasswordCB2(noPassword, nullptr);
    m_http.reset(httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 30000, nullptr));
    if (!m_http)
        return fail(tr("cannot reach the scheduler at %1: %2").arg(QString::fromLocal8Bit(cupsServer()), lastError()));

    switch (m_action) {
    case Action::None:
        break;
    case Action::PrinterAdd:
        return addPrinter(false);
    case Action::PrinterAddWithPpdFile:
        return addPrinter(true);
    case Action::PrinterSetJobSheets:
        return setJobSheets();
    case Action::PrinterDelete:
        return deleteQueue(Kind::Printer);
    case Action::ClassAddPrinter:
        return classAddPrinter();
    case Action::ClassDelete:
        return deleteQueue(Kind::Class);
    case Action::PrinterSetDefault:
        return setDefault();
    case Action::PrinterSetEnabled:
        return setEnabled();
    case Action::PrinterSetAcceptJobs:
        return setAcceptJobs();
    case Action::PrinterSetShared:
        return setShared();
    case Action::PrinterSetLocation:
        return setText("printer-location");
    case Action::PrinterSetInfo:
        return setText("printer-info");
    case Action::FileGet:
        return getConfiguration();
    case Action::FilePut:
        return putConfiguration();
    }
    return false;
}

bool PrivilegedHelper::lookUp(const QByteArray& name, Kind* kind, QByteArrayList* members)
{
    // The scheduler finds classes under /printers/ as well.
    Cups::IppPtr request = newRequest(IPP_OP_GET_PRINTER_ATTRIBUTES, name, Kind::Printer);
    static const char* const wanted[] = {"printer-type", "member-names"};
    ippAddStrings(request.get(), IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 2, nullptr, wanted);
    const Cups::IppPtr response(cupsDoRequest(m_http.get(), request.release(), "/"));
    if (cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND) {
        *kind = Kind::Missing;
        return true;
    }
    if (!response || cupsLastError() > IPP_STATUS_OK_CONFLICTING)
        return fail(tr("cannot look up %1: %2").arg(quoted(name), lastError()));

    ipp_attribute_t* type = ippFindAttribute(response.get(), "printer-type", IPP_TAG_ENUM);
    *kind = type && (ippGetInteger(type, 0) & CUPS_PRINTER_CLASS) ? Kind::Class : Kind::Printer;
    if (members) {
        members->clear();
        if (ipp_attribute_t* names = ippFindAttribute(response.get(), "member-names", IPP_TAG_NAME)) {
            for (int i = 0; i < ippGetCount(names); ++i)
                members->append(QByteArray(ippGetString(names, i, nullptr)));
        }
    }
    return true;
}

bool PrivilegedHelper::lookUpExisting(const QByteArray& name, Kind* kind)
{
    if (!lookUp(name, kind))
        return false;
    return *kind != Kind::Missing || fail(tr("there is no printer or class named %1").arg(quoted(name)));
}

bool PrivilegedHelper::offersDriver(const QByteArray& driver)
{
    // Names the scheduler understands without a driver file behind them.
    if (driver == "raw" || driver == "everywhere")
        return true;
    Cups::IppPtr request(ippNewRequest(IPP_OP_CUPS_GET_PPDS));
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr, "ppd-name");
    const Cups::IppPtr response(cupsDoRequest(m_http.get(), request.release(), "/"));
    if (!response || cupsLastError() > IPP_STATUS_OK_CONFLICTING)
        return fail(tr("cannot list the drivers of the scheduler: %1").arg(lastError()));
    for (ipp_attribute_t* attribute = ippFirstAttribute(response.get()); attribute;
         attribute = ippNextAttribute(response.get())) {
        if (qstrcmp(ippGetName(attribute), "ppd-name") == 0 && driver == ippGetString(attribute, 0, nullptr))
            return true;
    }
    return fail(tr("the scheduler offers no driver named %1").arg(quoted(driver)));
}

Cups::IppPtr PrivilegedHelper::newRequest(ipp_op_t operation, const QByteArray& name, Kind kind) const
{
    Cups::IppPtr request(ippNewRequest(operation));
    const QByteArray uri = queueUri(name, kind == Kind::Class);
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.constData());
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    return request;
}

Cups::IppPtr PrivilegedHelper::newModifyRequest(const QByteArray& name, Kind kind) const
{
    return newRequest(kind == Kind::Class ? IPP_OP_CUPS_ADD_MODIFY_CLASS : IPP_OP_CUPS_ADD_MODIFY_PRINTER, name, kind);
}

bool PrivilegedHelper::send(Cups::IppPtr request, int dataFd)
{
    // cupsDoIORequest frees the request itself.
    const Cups::IppPtr response(cupsDoIORequest(m_http.get(), request.release(), "/admin/", dataFd, -1));
    if (!response || cupsLastError() > IPP_STATUS_OK_CONFLICTING)
        return fail(tr("the scheduler refused the request: %1").arg(lastError()));
    return true;
}

bool PrivilegedHelper::addPrinter(bool withPpdFile)
{
    const QByteArray& name = m_arguments.at(0);
    const QByteArray& deviceUri = m_arguments.at(1);
    const QByteArray& driver = m_arguments.at(2);
    const QByteArray& info = m_arguments.at(3);
    const QByteArray& location = m_arguments.at(4);

    Kind kind;
    if (!lookUp(name, &kind))
        return false;
    if (kind == Kind::Class)
        return fail(tr("%1 is a class, not a printer").arg(quoted(name)));
    const bool keepsDriver = !withPpdFile && driver.isEmpty();
    if (keepsDriver && kind == Kind::Missing)
        return fail(tr("a new printer needs a driver"));
    // The scheduler creates the queue before it looks for the driver, so an
    // unknown driver would leave a broken queue behind.
    if (!withPpdFile && !keepsDriver && !offersDriver(driver))
        return false;

    Cups::IppPtr request = newRequest(IPP_OP_CUPS_ADD_MODIFY_PRINTER, name, Kind::Printer);
    // Operation attributes first: the scheduler refuses a group that reopens.
    if (!withPpdFile && !keepsDriver)
        ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "ppd-name", nullptr, driver.constData());
    ippAddString(request.get(), IPP_TAG_PRINTER, IPP_TAG_URI, "device-uri", nullptr, deviceUri.constData());
    ippAddString(request.get(), IPP_TAG_PRINTER, IPP_TAG_TEXT, "printer-info", nullptr, info.constData());
    ippAddString(request.get(), IPP_TAG_PRINTER, IPP_TAG_TEXT, "printer-location", nullptr, location.constData());
    // Ready at once, so the queue works even when no follow-up action comes.
    ippAddInteger(request.get(), IPP_TAG_PRINTER, IPP_TAG_ENUM, "printer-state", IPP_PSTATE_IDLE);
    ippAddBoolean(request.get(), IPP_TAG_PRINTER, "printer-is-accepting-jobs", 1);
    if (!withPpdFile)
        return send(std::move(request));

    MemoryFile ppd;
    if (!ppd.write(m_input))
        return fail(tr("cannot hold the PPD file in memory: %1").arg(qt_error_string(errno)));
    return send(std::move(request), ppd.fd());
}

bool PrivilegedHelper::offersBanners(const QByteArray& name, const QByteArrayList& banners)
{
    Cups::IppPtr request = newRequest(IPP_OP_GET_PRINTER_ATTRIBUTES, name, Kind::Printer);
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                 "job-sheets-supported");
    const Cups::IppPtr response(cupsDoRequest(m_http.get(), request.release(), "/"));
    if (!response || cupsLastError() > IPP_STATUS_OK_CONFLICTING)
        return fail(tr("cannot look up the banners of %1: %2").arg(quoted(name), lastError()));
    ipp_attribute_t* supported = ippFindAttribute(response.get(), "job-sheets-supported", IPP_TAG_ZERO);
    for (const QByteArray& banner : banners) {
        if (!supported || !ippContainsString(supported, banner.constData()))
            return fail(tr("%1 offers no banner named %2").arg(quoted(name), quoted(banner)));
    }
    return true;
}

bool PrivilegedHelper::setJobSheets()
{
    const QByteArray& name = m_arguments.at(0);
    Kind kind;
    if (!lookUpExisting(name, &kind) || !offersBanners(name, m_arguments.mid(1)))
        return false;
    Cups::IppPtr request = newModifyRequest(name, kind);
    const char* const sheets[] = {m_arguments.at(1).constData(), m_arguments.at(2).constData()};
    ippAddStrings(request.get(), IPP_TAG_PRINTER, IPP_TAG_NAME, "job-sheets-default", 2, nullptr, sheets);
    return send(std::move(request));
}

bool PrivilegedHelper::deleteQueue(Kind expected)
{
    const QByteArray& name = m_arguments.at(0);
    Kind kind;
    if (!lookUpExisting(name, &kind))
        return false;
    if (kind != expected) {
        return fail(expected == Kind::Class ? tr("%1 is a printer, not a class").arg(quoted(name))
                                            : tr("%1 is a class, not a printer").arg(quoted(name)));
    }
    return send(newRequest(kind == Kind::Class ? IPP_OP_CUPS_DELETE_CLASS : IPP_OP_CUPS_DELETE_PRINTER, name, kind));
}

bool PrivilegedHelper::classAddPrinter()
{
    const QByteArray& className = m_arguments.at(0);
    const QByteArray& printer = m_arguments.at(1);

    Kind printerKind;
    if (!lookUpExisting(printer, &printerKind))
        return false;
    if (printerKind == Kind::Class)
        return fail(tr("%1 is a class, and classes cannot be members of a class").arg(quoted(printer)));
    Kind classKind;
    QByteArrayList members;
    if (!lookUp(className, &classKind, &members))
        return false;
    if (classKind == Kind::Printer)
        return fail(tr("%1 is a printer, not a class").arg(quoted(className)));
    // The scheduler compares queue names without regard to case.
    const auto samePrinter = [&printer](const QByteArray& member) {
        return member.compare(printer, Qt::CaseInsensitive) == 0;
    };
    if (std::any_of(members.cbegin(), members.cend(), samePrinter))
        return true;

    members.append(printer);
    QByteArrayList uris;
    for (const QByteArray& member : qAsConst(members))
        uris.append(queueUri(member, false));
    std::vector<const char*> values;
    for (const QByteArray& uri : qAsConst(uris))
        values.push_back(uri.constData());

    Cups::IppPtr request = newRequest(IPP_OP_CUPS_ADD_MODIFY_CLASS, className, Kind::Class);
    ippAddStrings(request.get(), IPP_TAG_PRINTER, IPP_TAG_URI, "member-uris", int(values.size()), nullptr,
                  values.data());
    if (classKind == Kind::Missing) {
        ippAddInteger(request.get(), IPP_TAG_PRINTER, IPP_TAG_ENUM, "printer-state", IPP_PSTATE_IDLE);
        ippAddBoolean(request.get(), IPP_TAG_PRINTER, "printer-is-accepting-jobs", 1);
    }
    return send(std::move(request));
}

bool PrivilegedHelper::setDefault()
{
    const QByteArray& name = m_arguments.at(0);
    Kind kind;
    return lookUpExisting(name, &kind) && send(newRequest(IPP_OP_CUPS_SET_DEFAULT, name, kind));
}

bool PrivilegedHelper::setEnabled()
{
    const QByteArray& name = m_arguments.at(0);
    const bool enable = m_arguments.at(1) == "true";
    Kind kind;
    return lookUpExisting(name, &kind)
           && send(newRequest(enable ? IPP_OP_RESUME_PRINTER : IPP_OP_PAUSE_PRINTER, name, kind));
}

bool PrivilegedHelper::setAcceptJobs()
{
    const QByteArray& name = m_arguments.at(0);
    const bool accept = m_arguments.at(1) == "true";
    const QByteArray& reason = m_arguments.at(2);
    Kind kind;
    if (!lookUpExisting(name, &kind))
        return false;
    Cups::IppPtr request = newRequest(accept ? IPP_OP_CUPS_ACCEPT_JOBS : IPP_OP_CUPS_REJECT_JOBS, name, kind);
    if (!accept && !reason.isEmpty())
        ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_TEXT, "printer-state-message", nullptr, reason.constData());
    return send(std::move(request));
}

bool PrivilegedHelper::setShared()
{
    const QByteArray& name = m_arguments.at(0);
    Kind kind;
    if (!lookUpExisting(name, &kind))
        return false;
    Cups::IppPtr request = newModifyRequest(name, kind);
    ippAddBoolean(request.get(), IPP_TAG_PRINTER, "printer-is-shared", m_arguments.at(1) == "true");
    return send(std::move(request));
}

bool PrivilegedHelper::setText(const char* attribute)
{
    const QByteArray& name = m_arguments.at(0);
    Kind kind;
    if (!lookUpExisting(name, &kind))
        return false;
    Cups::IppPtr request = newModifyRequest(name, kind);
    ippAddString(request.get(), IPP_TAG_PRINTER, IPP_TAG_TEXT, attribute, nullptr, m_arguments.at(1).constData());
    return send(std::move(request));
}

bool PrivilegedHelper::getConfiguration()
{
    MemoryFile file;
    if (!file.isValid())
        return fail(tr("cannot hold the configuration in memory: %1").arg(qt_error_string(errno)));
    const http_status_t status = cupsGetFd(m_http.get(), configurationResource.constData(), file.fd());
    if (status != HTTP_STATUS_OK) {
        return fail(tr("the scheduler did not hand out %1: %2")
                        .arg(QString::fromLatin1(configurationResource), QString::fromUtf8(httpStatus(status))));
    }
    // Only a complete file reaches standard output.
    if (!file.copyTo(m_outputFd))
        return fail(tr("cannot write the configuration to standard output: %1").arg(qt_error_string(errno)));
    return true;
}

bool PrivilegedHelper::putConfiguration()
{
    // The scheduler takes whatever it is sent and only finds out at its next
    // start that it cannot run with it.
    QString report;
    switch (SchedulerConfigCheck::checkContents(m_input, &report)) {
    case SchedulerConfigCheck::Result::Accepted:
        break;
    case SchedulerConfigCheck::Result::Refused:
        return fail(tr("the scheduler refuses this configuration: %1").arg(report));
    case SchedulerConfigCheck::Result::Unavailable:
        return fail(tr("cannot check the configuration, so it was not stored: %1").arg(report));
    }
    MemoryFile file;
    if (!file.write(m_input))
        return fail(tr("cannot hold the configuration in memory: %1").arg(qt_error_string(errno)));
    const http_status_t status = cupsPutFd(m_http.get(), configurationResource.constData(), file.fd());
    if (status != HTTP_STATUS_OK && status != HTTP_STATUS_CREATED) {
        return fail(tr("the scheduler did not store %1: %2")
                        .arg(QString::fromLatin1(configurationResource), QString::fromUtf8(httpStatus(status))));
    }
    return true;
}
