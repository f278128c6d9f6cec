#include "ConfigEdit.h"

ConfigEdit::ConfigEdit(const QVector<Cups::ConfigNode>& lines)
{
    m_lines.reserve(lines.size());
    for (const Cups::ConfigNode& node : lines)
        m_lines.append(Line{node, true, {}});
}

int ConfigEdit::lastOf(const QStringList& names) const
{
    for (int line = m_lines.size() - 1; line >= 0; --line) {
        if (names.contains(m_lines.at(line).node.name(), Qt::CaseInsensitive))
            return line;
    }
    return -1;
}

void ConfigEdit::replace(int line, const Cups::ConfigNode& node)
{
    m_lines[line].node = rewritten(m_lines.at(line).node, node);
}

Cups::ConfigNode ConfigEdit::rewritten(const Cups::ConfigNode& read, const Cups::ConfigNode& node)
{
    Cups::ConfigNode result = read;
    if (result.name().compare(node.name(), Qt::CaseInsensitive) != 0)
        result.setName(node.name());
    result.setValue(node.value());
    result.setChildren(node.children());
    return result;
}

void ConfigEdit::remove(int line)
{
    m_lines[line].kept = false;
}

void ConfigEdit::add(const Cups::ConfigNode& node, const QStringList& kind)
{
    const int line = lastOf(kind);
    if (line < 0)
        m_addedAtEnd.append(node);
    else
        m_lines[line].added.append(node);
}

QVector<Cups::ConfigNode> ConfigEdit::result() const
{
    QVector<Cups::ConfigNode> result;
    for (const Line& line : m_lines) {
        if (line.kept)
            result.append(line.node);
        result += line.added;
    }
    result += m_addedAtEnd;
    return result;
}
