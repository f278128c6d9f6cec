#pragma once

#include "ConfigNode.h"

#include <QStringList>
#include <QVector>

// Changes the lines of a section in place, so that a changed setting is a
// changed line and a reviewer's diff shows nothing else: a rewritten line
// keeps its place, its indentation, its spelling of the name and its
// comment; a removed line takes only itself; a new directive joins the last
// line of its kind, or the end. Lines are numbered as they were given,
// whatever was changed before.
class ConfigEdit
{
public:
    explicit ConfigEdit(const QVector<Cups::ConfigNode>& lines);

    // The last line naming one of the directives (in any letter case, as the
    // scheduler reads them), or -1.
    int lastOf(const QStringList& names) const;

    // Gives the line the node's name (unless it differs only in letter case),
    // value and, for a section, lines; the line's comment stays.
    void replace(int line, const Cups::ConfigNode& node);
    // The line as read, changed in the same way.
    static Cups::ConfigNode rewritten(const Cups::ConfigNode& read, const Cups::ConfigNode& node);
    void remove(int line);
    void add(const Cups::ConfigNode& node, const QStringList& kind);

    QVector<Cups::ConfigNode> result() const;

private:
    struct Line
    {
        Cups::ConfigNode node;
        bool kept = true;
        QVector<Cups::ConfigNode> added;
    };

    QVector<Line> m_lines;
    QVector<Cups::ConfigNode> m_addedAtEnd;
};
