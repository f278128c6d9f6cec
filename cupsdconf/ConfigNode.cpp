#include "ConfigNode.h"

#include <QByteArray>
#include <QDebug>
#include <QFile>
#include <QSaveFile>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

namespace Cups {

QString lastError;

namespace {

const QString nameKey = QStringLiteral("name");
const QString valueKey = QStringLiteral("value");
const QString commentKey = QStringLiteral("comment");
const QString childrenKey = QStringLiteral("children");
// Present only in the map of a node read from a file.
const QString lineKey = QStringLiteral("line");
const QString indentKey = QStringLiteral("indent");
const QString closingKey = QStringLiteral("closing");

// Some editors start a UTF-8 file with a byte-order mark; the scheduler takes
// it for part of the first directive's name and refuses the file.
const QByteArray byteOrderMark = QByteArrayLiteral("\xEF\xBB\xBF");

// The scheduler never accepts these words as directives, so a node with one
// of them is a section even when nothing is inside it ("Policy x" on a line
// of its own would stop the scheduler from starting).
const QStringList sectionKeywords = {QStringLiteral("Location"), QStringLiteral("Policy"), QStringLiteral("Limit"),
                                     QStringLiteral("LimitExcept")};

// Legitimate files nest two levels deep; the bound keeps the recursive copies
// and comparisons of a hostile file within the stack.
constexpr int maxSectionDepth = 32;

constexpr int indentWidth = 4;

// Bytes that are not UTF-8 (a comment in KOI8-R, say) travel through the
// model as the lone low surrogates U+DC80 to U+DCFF, which no UTF-8 text can
// contain, and become the same bytes again on writing.
constexpr ushort byteEscapeBase = 0xDC00;

QString decodeKeepingBytes(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size());
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    const int size = bytes.size();
    int i = 0;
    while (i < size) {
        const uchar lead = data[i];
        if (lead < 0x80) {
            text += QChar(lead);
            ++i;
            continue;
        }
        int length = 0;
        uint codePoint = 0;
        uchar secondMin = 0x80;
        uchar secondMax = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            codePoint = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            codePoint = lead & 0x0F;
            // Overlong forms and encoded surrogates are not UTF-8.
            if (lead == 0xE0)
                secondMin = 0xA0;
            if (lead == 0xED)
                secondMax = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            codePoint = lead & 0x07;
            if (lead == 0xF0)
                secondMin = 0x90;
            if (lead == 0xF4)
                secondMax = 0x8F;
        }
        bool valid = length > 0 && i + length <= size;
        for (int k = 1; valid && k < length; ++k) {
            const uchar next = data[i + k];
            const uchar min = k == 1 ? secondMin : 0x80;
            const uchar max = k == 1 ? secondMax : 0xBF;
            valid = next >= min && next <= max;
            codePoint = (codePoint << 6) | (next & 0x3F);
        }
        if (!valid) {
            text += QChar(ushort(byteEscapeBase + lead));
            ++i;
            continue;
        }
        if (QChar::requiresSurrogates(codePoint)) {
            text += QChar(QChar::highSurrogate(codePoint));
            text += QChar(QChar::lowSurrogate(codePoint));
        } else {
            text += QChar(ushort(codePoint));
        }
        i += length;
    }
    return text;
}

void appendUtf8(QByteArray& out, uint codePoint)
{
    if (codePoint < 0x80) {
        out += char(codePoint);
    } else if (codePoint < 0x800) {
        out += char(0xC0 | (codePoint >> 6));
        out += char(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += char(0xE0 | (codePoint >> 12));
        out += char(0x80 | ((codePoint >> 6) & 0x3F));
        out += char(0x80 | (codePoint & 0x3F));
    } else {
        out += char(0xF0 | (codePoint >> 18));
        out += char(0x80 | ((codePoint >> 12) & 0x3F));
        out += char(0x80 | ((codePoint >> 6) & 0x3F));
        out += char(0x80 | (codePoint & 0x3F));
    }
}

QByteArray encodeKeepingBytes(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const ushort unit = text.at(i).unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            appendUtf8(bytes, QChar::surrogateToUcs4(unit, text.at(i + 1).unicode()));
            ++i;
        } else if (unit >= byteEscapeBase + 0x80 && unit <= byteEscapeBase + 0xFF) {
            bytes += char(unit - byteEscapeBase);
        } else if (QChar::isSurrogate(unit)) {
            appendUtf8(bytes, QChar::ReplacementCharacter);
        } else {
            appendUtf8(bytes, unit);
        }
    }
    return bytes;
}

// The scheduler separates words at the C locale's white space and nothing else.
bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\v')
           || c == QLatin1Char('\f');
}

QString trimmedBlanks(const QString& text)
{
    int begin = 0;
    int end = text.size();
    while (begin < end && isBlank(text.at(begin)))
        ++begin;
    while (end > begin && isBlank(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin);
}

QString leadingBlanks(const QString& text)
{
    int end = 0;
    while (end < text.size() && isBlank(text.at(end)))
        ++end;
    return text.left(end);
}

int firstBlank(const QString& text)
{
    for (int i = 0; i < text.size(); ++i) {
        if (isBlank(text.at(i)))
            return i;
    }
    return -1;
}

// The scheduler takes every "#" as the start of a comment except one written
// as "\#", which stands for the character itself.
int commentStart(const QString& line)
{
    for (int i = 0; i < line.size(); ++i) {
        if (line.at(i) == QLatin1Char('#') && (i == 0 || line.at(i - 1) != QLatin1Char('\\')))
            return i;
    }
    return -1;
}

void warnLine(const QString& source, int line, const QString& message)
{
    qWarning().noquote() << QStringLiteral("%1:%2: %3").arg(source, QString::number(line), message);
}

struct OpenSection
{
    ConfigNode node;
    int line = 0;
};

} // namespace

ConfigNode::ConfigNode(const QString& name, const QString& value)
    : m_name(name)
    , m_value(value)
{
}

ConfigNode::ConfigNode(const QString& filePath)
{
    load(filePath);
}

ConfigNode::ConfigNode(const QByteArray& text)
{
    parse(text, QStringLiteral("(text)"));
}

ConfigNode::ConfigNode(const QVariant& map)
{
    const QVariantMap fields = map.toMap();
    m_name = fields.value(nameKey).toString();
    m_value = fields.value(valueKey).toString();
    m_comment = fields.value(commentKey).toString();
    m_line = fields.value(lineKey).toString();
    if (!fields.contains(lineKey))
        m_line = QString();
    m_indentKnown = fields.contains(indentKey);
    m_indent = fields.value(indentKey).toString();
    if (fields.contains(closingKey))
        m_closingLine = fields.value(closingKey).toString();
    const QVariantList children = fields.value(childrenKey).toList();
    m_children.reserve(children.size());
    for (const QVariant& child : children)
        m_children.append(ConfigNode(child));
}

bool ConfigNode::load(const QString& filePath)
{
    *this = ConfigNode();
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly)) {
        lastError = tr("IO error. Unable to open file.");
        return false;
    }
    const QByteArray text = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        lastError = tr("IO error. Unable to read file.") + QLatin1Char('\n') + file.errorString();
        return false;
    }
    parse(text, filePath);
    return true;
}

bool ConfigNode::save(const QString& filePath) const
{
    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly)) {
        lastError = tr("IO error. Unable to open file.") + QLatin1Char('\n') + file.errorString();
        return false;
    }
    // A full disk makes a write short without an error; only the next
    // attempt reports why, and a short file must never replace the old one.
    const QByteArray text = toText();
    qint64 written = 0;
    while (written < text.size()) {
        const qint64 chunk = file.write(text.constData() + written, text.size() - written);
        if (chunk <= 0) {
            lastError = tr("IO error. Unable to write file.") + QLatin1Char('\n') + file.errorString();
            file.cancelWriting();
            return false;
        }
        written += chunk;
    }
    if (!file.commit()) {
        lastError = tr("IO error. Unable to write file.") + QLatin1Char('\n') + file.errorString();
        return false;
    }
    return true;
}

QByteArray ConfigNode::toText() const
{
    QString text;
    for (const ConfigNode& child : m_children)
        child.writeTo(text, 0, QString(), indentWidth);
    return encodeKeepingBytes(text);
}

QVariant ConfigNode::toVariant() const
{
    QVariantList children;
    children.reserve(m_children.size());
    for (const ConfigNode& child : m_children)
        children.append(child.toVariant());
    QVariantMap map{{nameKey, m_name}, {valueKey, m_value}, {commentKey, m_comment}, {childrenKey, children}};
    if (!m_line.isNull())
        map.insert(lineKey, m_line);
    if (m_indentKnown)
        map.insert(indentKey, m_indent);
    if (!m_closingLine.isNull())
        map.insert(closingKey, m_closingLine);
    return map;
}

void ConfigNode::setName(const QString& name)
{
    if (name == m_name)
        return;
    m_name = name;
    m_line = QString();
    m_closingLine = QString();
}

void ConfigNode::setValue(const QString& value)
{
    if (value == m_value)
        return;
    m_value = value;
    m_line = QString();
}

void ConfigNode::setComment(const QString& comment)
{
    if (comment == m_comment)
        return;
    m_comment = comment;
    m_line = QString();
}

void ConfigNode::setChildren(const QVector<ConfigNode>& children)
{
    m_children = children;
}

void ConfigNode::appendChild(const ConfigNode& child)
{
    m_children.append(child);
}

bool ConfigNode::operator==(const ConfigNode& other) const
{
    return m_name == other.m_name && m_value == other.m_value && m_comment == other.m_comment
           && m_children == other.m_children;
}

void ConfigNode::parse(const QByteArray& text, const QString& source)
{
    const QByteArray content = text.startsWith(byteOrderMark) ? text.mid(byteOrderMark.size()) : text;
    QList<QByteArray> lines;
    if (!content.isEmpty())
        lines = content.split('\n');
    // The line feed ending the last line does not start another one.
    if (content.endsWith('\n'))
        lines.removeLast();

    // open[0] collects the top level; a section moves into its parent when it closes.
    QVector<OpenSection> open(1);
    QString raw;
    const auto keepLine = [&raw](ConfigNode& node) {
        node.m_line = raw;
        node.m_indent = leadingBlanks(raw);
        node.m_indentKnown = true;
    };
    const auto appendLine = [&open, &keepLine](const QString& line, const QString& comment) {
        ConfigNode node;
        const int blank = firstBlank(line);
        node.m_name = blank < 0 ? line : line.left(blank);
        node.m_value = blank < 0 ? QString() : line.mid(blank + 1);
        node.m_comment = comment;
        keepLine(node);
        open.last().node.m_children.append(node);
    };
    const auto closeSection = [&open] {
        ConfigNode section = open.takeLast().node;
        open.last().node.m_children.append(section);
    };

    for (int index = 0; index < lines.size(); ++index) {
        const int lineNumber = index + 1;
        QByteArray bytes = lines.at(index);
        const int nul = bytes.indexOf('\0');
        if (nul >= 0) {
            // The scheduler stops reading the line there too, and goes on with the next.
            warnLine(source, lineNumber, QStringLiteral("text after a NUL byte ignored"));
            bytes.truncate(nul);
        }
        raw = decodeKeepingBytes(bytes);
        QString line = trimmedBlanks(raw);
        QString comment;
        const int hash = commentStart(line);
        if (hash >= 0) {
            comment = line.mid(hash);
            line = trimmedBlanks(line.left(hash));
        }

        if (line.isEmpty()) {
            appendLine(QString(), comment);
            continue;
        }

        if (line.startsWith(QLatin1String("</"))) {
            const bool matches = open.size() > 1
                                 && line.compare(QStringLiteral("</%1>").arg(open.last().node.m_name),
                                                 Qt::CaseInsensitive)
                                        == 0;
            if (matches) {
                // The closing line has no node of its own; a comment on it stays on it.
                open.last().node.m_closingLine = raw;
                closeSection();
                continue;
            }
            // Kept as it stands, so that the file is written back as the scheduler saw it.
            warnLine(source, lineNumber,
                     open.size() > 1 ? QStringLiteral("\"%1\" does not close the section opened on line %2")
                                           .arg(line, QString::number(open.last().line))
                                     : QStringLiteral("\"%1\" closes no section").arg(line));
            appendLine(line, comment);
            continue;
        }

        if (line.startsWith(QLatin1Char('<'))) {
            if (!line.endsWith(QLatin1Char('>'))) {
                warnLine(source, lineNumber, QStringLiteral("section line without closing \">\": %1").arg(line));
                appendLine(line, comment);
                continue;
            }
            const QString inside = line.mid(1, line.size() - 2);
            const int blank = firstBlank(inside);
            const QString name = blank < 0 ? inside : inside.left(blank);
            if (name.isEmpty()) {
                warnLine(source, lineNumber, QStringLiteral("section line without a keyword: %1").arg(line));
                appendLine(line, comment);
                continue;
            }
            if (open.size() > maxSectionDepth) {
                warnLine(source, lineNumber, QStringLiteral("sections nested too deeply: %1").arg(line));
                appendLine(line, comment);
                continue;
            }
            OpenSection section;
            section.node.m_name = name;
            section.node.m_value = blank < 0 ? QString() : inside.mid(blank + 1);
            section.node.m_comment = comment;
            keepLine(section.node);
            section.line = lineNumber;
            open.append(section);
            continue;
        }

        appendLine(line, comment);
    }

    while (open.size() > 1) {
        warnLine(source, open.last().line,
                 QStringLiteral("section \"%1\" is not closed before the end of the file").arg(open.last().node.m_name));
        open.last().node.m_unterminated = true;
        closeSection();
    }
    *this = open.first().node;
}

QString ConfigNode::indent(const QString& defaultIndent) const
{
    return m_indentKnown ? m_indent : defaultIndent;
}

void ConfigNode::writeTo(QString& out, int depth, const QString& defaultIndent, int step) const
{
    const QString indent = this->indent(defaultIndent);
    QString comment = m_comment;
    if (!comment.isEmpty() && !comment.startsWith(QLatin1Char('#')))
        comment.prepend(QLatin1Char('#'));
    // A blank keeps a value that ends in "\" from escaping the comment's "#".
    const QString trailingComment = comment.isEmpty() ? QString() : QLatin1Char(' ') + comment;
    const QString argument = m_value.isEmpty() ? QString() : QLatin1Char(' ') + m_value;

    // A section keyword alone is written as an empty section, except as deep
    // as the parser stops taking sections, where it would not read back as one.
    const bool section = m_unterminated || !m_children.isEmpty()
                         || (depth < maxSectionDepth && sectionKeywords.contains(m_name, Qt::CaseInsensitive));
    const bool readAsSection = m_unterminated || !m_closingLine.isNull();
    const bool asRead = !m_line.isNull() && section == readAsSection;
    if (section) {
        out += asRead ? m_line : indent + QLatin1Char('<') + m_name + argument + QLatin1Char('>') + trailingComment;
        out += QLatin1Char('\n');
        // New lines follow the indentation the file's own lines have.
        QString childIndent = indent + QString(step, QLatin1Char(' '));
        int childStep = step;
        for (const ConfigNode& child : m_children) {
            if (child.m_indentKnown && !child.m_name.isEmpty()) {
                childIndent = child.m_indent;
                if (childIndent.size() > indent.size())
                    childStep = childIndent.size() - indent.size();
                break;
            }
        }
        for (const ConfigNode& child : m_children)
            child.writeTo(out, depth + 1, childIndent, childStep);
        if (!m_unterminated) {
            out += !m_closingLine.isNull() ? m_closingLine : indent + QLatin1String("</") + m_name + QLatin1Char('>');
            out += QLatin1Char('\n');
        }
    } else if (asRead) {
        out += m_line + QLatin1Char('\n');
    } else if (!m_name.isEmpty()) {
        out += indent + m_name + argument + trailingComment + QLatin1Char('\n');
    } else if (!comment.isEmpty()) {
        out += indent + comment + QLatin1Char('\n');
    } else {
        out += QLatin1Char('\n');
    }
}

} // namespace Cups
