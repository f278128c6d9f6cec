#pragma once

#include <QCoreApplication>
#include <QString>
#include <QVector>

class QByteArray;
class QVariant;

namespace Cups {

// The text of the model's last file error, for the caller to show; left as it
// is when an operation succeeds.
extern QString lastError;

// One line of cupsd.conf: a directive, a section with the lines inside it, a
// comment-only line or a blank line. The root of a file has no name, value or
// comment; its children are the file's top-level lines.
//
// Whatever a file holds is kept so that writing gives the same configuration
// back: comments (also at the end of a directive line, where the scheduler
// accepts them), blank lines, bytes that are not UTF-8, and lines the
// scheduler would refuse, which are kept verbatim as directives.
//
// A node read from a file also keeps its line as it stood (and a section its
// closing line): an administrator reviews a change with diff, so a line that
// nobody changed is written back byte for byte, and a changed one keeps its
// indentation.
class ConfigNode
{
    Q_DECLARE_TR_FUNCTIONS(ConfigNode)

public:
    ConfigNode() = default;
    ConfigNode(const QString& name, const QString& value);
    // Reads and parses the file; on failure the node stays empty and lastError says why.
    explicit ConfigNode(const QString& filePath);
    // Parses the text of a whole file; the node becomes its root.
    explicit ConfigNode(const QByteArray& text);
    // Rebuilds a subtree from its map form (see toVariant()).
    explicit ConfigNode(const QVariant& map);

    // Replaces this node by the root of the file; false (and lastError set) when it cannot be read.
    bool load(const QString& filePath);
    // Writes the children of this node as a whole file. The old file stays
    // untouched unless the new one was written completely.
    bool save(const QString& filePath) const;
    // The file text save() writes.
    QByteArray toText() const;

    // A map with the keys "name", "value", "comment" and "children" (a list of
    // the children's maps), in which the dialogs park a whole section.
    QVariant toVariant() const;

    const QString& name() const { return m_name; }
    const QString& value() const { return m_value; }
    const QString& comment() const { return m_comment; }
    const QVector<ConfigNode>& children() const { return m_children; }

    // Each of these makes the node's own line a new one (its indentation stays).
    void setName(const QString& name);
    void setValue(const QString& value);
    void setComment(const QString& comment);
    void appendChild(const ConfigNode& child);
    void setChildren(const QVector<ConfigNode>& children);

    // Compares name, value, comment and children, the content of a tree.
    bool operator==(const ConfigNode& other) const;
    bool operator!=(const ConfigNode& other) const { return !(*this == other); }

private:
    void parse(const QByteArray& text, const QString& source);
    void writeTo(QString& out, int depth, const QString& defaultIndent, int step) const;
    QString indent(const QString& defaultIndent) const;

    QString m_name;
    QString m_value;
    QString m_comment;
    QVector<ConfigNode> m_children;
    // The line as read (null for a node made or changed since), its leading
    // blanks, and a section's closing line as read.
    QString m_line;
    QString m_indent;
    bool m_indentKnown = false;
    QString m_closingLine;
    // A section cut off by the end of its file is written back without a
    // closing line: inventing one could make the scheduler accept half of a
    // section whose rest a truncated file lost. This is a matter of the file's
    // text only; the map form leaves it out, so that a section that travels
    // through a dialog into a new tree is closed there.
    bool m_unterminated = false;
};

} // namespace Cups
