#include "Ruv_SmbUtil.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QHostAddress>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUdpSocket>

namespace {

constexpr int toolTimeoutMs = 30000;
constexpr int maxAnswerSize = 1024;
constexpr int headerSize = 12;
constexpr int nameTableOffset = 57;
constexpr int entrySize = 18;
constexpr int nameSize = 15;
constexpr int entriesSearched = 53;
// The workgroup entry must also end within the first 1023 bytes.
constexpr int workgroupLimit = 1023;

// The first-level encoding of "*" padded with NUL bytes to 16 bytes.
const char wildcardName[] = "CKAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA";

QByteArray runTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(toolTimeoutMs)) {
        process.kill();
        process.waitForFinished();
    }
    return process.readAllStandardOutput();
}

// Lines that ended with a newline; a trailing piece without one is dropped,
// as a reader of the tool's output line by line would.
QList<QByteArray> completeLines(const QByteArray& output)
{
    QList<QByteArray> lines = output.split('\n');
    lines.removeLast();
    return lines;
}

// Index of the first entry at or after from whose suffix byte is 0x00 and that
// lies wholly within limit bytes; -1 when there is none.
int nextServiceEntry(const QByteArray& answer, int from, int entries, int limit)
{
    for (int i = from; i < entries; ++i) {
        const int start = nameTableOffset + i * entrySize;
        if (start + entrySize > limit)
            return -1;
        if (answer.at(start + nameSize) == '\0')
            return i;
    }
    return -1;
}

QString entryName(const QByteArray& answer, int index)
{
    const QByteArray name = answer.mid(nameTableOffset + index * entrySize, nameSize);
    const int end = name.indexOf('\0');
    return QString::fromLocal8Bit(end < 0 ? name : name.left(end));
}

bool writeAuthFile(const QString& path, const QString& user, const QString& password)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return false;
    // Private before the password goes in; the directory is the user's alone as well.
    if (!file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return false;
    const QByteArray text = "username = " + user.toLocal8Bit() + "\npassword = " + password.toLocal8Bit() + '\n';
    return file.write(text) == text.size() && file.flush();
}

} // namespace

std::unique_ptr<Ruv_SmbUtil> Ruv_SmbUtil::util_;

Ruv_SmbUtil& Ruv_SmbUtil::instance()
{
    if (!util_)
        util_.reset(new Ruv_SmbUtil);
    return *util_;
}

QByteArray Ruv_SmbUtil::nodeStatusRequest()
{
    QByteArray request;
    request.append("\x00\x06", 2);                         // transaction id
    request.append("\x00\x00", 2);                         // query, no recursion
    request.append("\x00\x01", 2);                         // one question
    request.append(6, '\0');                               // no answers, authority, additional
    request.append(char(32));
    request.append(wildcardName, sizeof(wildcardName) - 1);
    request.append('\0');
    request.append("\x00\x21", 2);                         // NBSTAT
    request.append("\x00\x01", 2);                         // IN
    return request;
}

bool Ruv_SmbUtil::parseNodeStatus(const QByteArray& answer, QString* server, QString* workgroup)
{
    server->clear();
    workgroup->clear();
    const int size = qMin(answer.size(), maxAnswerSize);
    if (size < headerSize)
        return true;
    const int answers = (uchar(answer.at(6)) << 8) | uchar(answer.at(7));
    if (answers == 0)
        return true;

    const int serverIndex = nextServiceEntry(answer, 0, entriesSearched, size);
    if (serverIndex < 0)
        return false;
    *server = entryName(answer, serverIndex);
    const int workgroupIndex = nextServiceEntry(answer, serverIndex + 1, entriesSearched, qMin(size, workgroupLimit));
    if (workgroupIndex >= 0)
        *workgroup = entryName(answer, workgroupIndex);
    return true;
}

QStringList Ruv_SmbUtil::hostAddresses(const QByteArray& output)
{
    QStringList addresses;
    const QList<QByteArray> lines = completeLines(output);
    for (QByteArray line : lines) {
        if (!line.contains("00"))
            continue;
        const int marker = line.indexOf("*<00>");
        if (marker >= 0)
            line.remove(marker, 5);
        const QString address = QString::fromLocal8Bit(line).trimmed();
        // Anything else that mentions "00" (a "querying" line for
        // 10.0.0.255, an error) is no host to ask.
        if (QHostAddress(address).protocol() == QAbstractSocket::IPv4Protocol)
            addresses << address;
    }
    return addresses;
}

QStringList Ruv_SmbUtil::printerShares(const QByteArray& output)
{
    static const QRegularExpression blanks(QStringLiteral("[ \t]+"));
    QStringList printers;
    const QList<QByteArray> lines = completeLines(output);
    for (const QByteArray& line : lines) {
        const QStringList fields = QString::fromLocal8Bit(line).split(blanks, Qt::SkipEmptyParts);
        if ((fields.value(0) + QLatin1Char(' ') + fields.value(1)).contains(QLatin1String("Printer")))
            printers << fields.value(0);
    }
    return printers;
}

QStringList Ruv_SmbUtil::listArguments(const SmbHost& host, const QString& authFile)
{
    const QString server = host.server.trimmed();
    const QString workgroup = host.workgroup.trimmed();
    // A host that answered without names is still reachable by its address.
    QStringList arguments{QStringLiteral("-L"), server.isEmpty() ? host.address : server};
    if (!workgroup.isEmpty())
        arguments << QStringLiteral("-W") << workgroup;
    if (authFile.isEmpty())
        arguments << QStringLiteral("-N");
    else
        arguments << QStringLiteral("-A") << authFile;
    arguments << QStringLiteral("-I") << host.address;
    return arguments;
}

void Ruv_SmbUtil::rescan()
{
    m_hosts.clear();
    const QStringList addresses = hostAddresses(runTool(m_nmblookup, {QStringLiteral("*")}));
    const QHash<QString, QByteArray> answers = queryNodeStatus(addresses);
    for (const QString& address : addresses) {
        const auto answer = answers.constFind(address);
        if (answer == answers.constEnd())
            continue;
        SmbHost host;
        host.address = address;
        if (parseNodeStatus(*answer, &host.server, &host.workgroup))
            m_hosts << host;
    }
}

QHash<QString, QByteArray> Ruv_SmbUtil::queryNodeStatus(const QStringList& addresses) const
{
    QHash<QString, QByteArray> answers;
    if (addresses.isEmpty())
        return answers;
    QUdpSocket socket;
    if (!socket.bind(QHostAddress(QHostAddress::AnyIPv4), 0))
        return answers;
    const QByteArray request = nodeStatusRequest();
    for (const QString& address : addresses)
        socket.writeDatagram(request, QHostAddress(address), m_netbiosPort);

    QDeadlineTimer deadline(nodeStatusTimeoutMs);
    while (answers.size() < addresses.size() && !deadline.hasExpired()) {
        if (!socket.hasPendingDatagrams() && !socket.waitForReadyRead(int(deadline.remainingTime())))
            break;
        while (socket.hasPendingDatagrams()) {
            QByteArray answer(maxAnswerSize, '\0');
            QHostAddress sender;
            const qint64 received = socket.readDatagram(answer.data(), answer.size(), &sender);
            // Only what arrived is parsed, never the rest of the buffer.
            answer.resize(int(qMax<qint64>(received, 0)));
            const QString from = QHostAddress(sender.toIPv4Address()).toString();
            if (addresses.contains(from) && !answers.contains(from))
                answers.insert(from, answer);
        }
    }
    return answers;
}

Ruv_SmbUtil::Listing Ruv_SmbUtil::listPrinters(SmbHost& host, const QString& user, const QString& password) const
{
    QTemporaryDir directory;
    QString authFile;
    if (!user.isEmpty()) {
        static const QRegularExpression lineBreak(QStringLiteral("[\r\n]"));
        if (user.contains(lineBreak) || password.contains(lineBreak))
            return Listing::LineBreakInCredentials;
        authFile = directory.filePath(QStringLiteral("auth"));
        if (!directory.isValid() || !writeAuthFile(authFile, user, password))
            return Listing::NoTemporaryFile;
    }
    host.printers = printerShares(runTool(m_smbclient, listArguments(host, authFile)));
    return Listing::Ran;
}
