#include "DirectiveBindings.h"

#include "ConfigEdit.h"

#include <QSet>
#include <QTreeWidgetItem>

DirectiveBindings::ItemNode DirectiveBindings::itemNode(const QTreeWidgetItem* item, const Cups::ConfigNode& node)
{
    const QVariant line = item->data(0, lineRole);
    return ItemNode{line.isValid() ? line.toInt() : -1, node};
}

void DirectiveBindings::add(const Field& field)
{
    m_fields.push_back(field);
}

void DirectiveBindings::add(const List& list)
{
    m_lists.push_back(list);
}

DirectiveBindings::Field& DirectiveBindings::lastField()
{
    return m_fields.back();
}

void DirectiveBindings::read(const Cups::ConfigNode& root, const std::function<void(const Cups::ConfigNode&)>& unknown)
{
    m_lines = root.children();
    for (Field& field : m_fields)
        field.line = -1;
    for (List& list : m_lists)
        list.lines.clear();

    // The scheduler matches directive names in any letter case; a name read
    // differently here would let a changed field and the untouched line both
    // reach the file, the latter overriding the former.
    QHash<QString, Field*> fields;
    for (Field& field : m_fields)
        fields.insert(field.directive.toLower(), &field);
    QHash<QString, List*> lists;
    for (List& list : m_lists) {
        for (const QString& directive : qAsConst(list.directives))
            lists.insert(directive.toLower(), &list);
    }

    QVector<int> lastOnes;
    for (int line = 0; line < m_lines.size(); ++line) {
        const Cups::ConfigNode& child = m_lines.at(line);
        if (child.name().isEmpty())
            continue;
        const QString key = child.name().toLower();
        if (Field* field = fields.value(key)) {
            if (field->readLast) {
                lastOnes << line;
                continue;
            }
            field->line = line;
            field->read(child.value());
        } else if (List* list = lists.value(key)) {
            if (QTreeWidgetItem* item = list->read(child)) {
                item->setData(0, lineRole, line);
                list->lines << line;
            }
        } else {
            unknown(child);
        }
    }
    for (int line : qAsConst(lastOnes)) {
        Field* field = fields.value(m_lines.at(line).name().toLower());
        field->line = line;
        field->read(m_lines.at(line).value());
    }
}

void DirectiveBindings::rememberLoadedState()
{
    for (Field& field : m_fields)
        field.loaded = field.value();
    for (List& list : m_lists) {
        list.loaded.clear();
        for (const ItemNode& entry : list.write()) {
            if (entry.line >= 0)
                list.loaded.insert(entry.line, entry.node);
        }
    }
}

int DirectiveBindings::lineOf(const QString& directive) const
{
    for (const Field& field : m_fields) {
        if (field.directive == directive)
            return field.line;
    }
    return -1;
}

bool DirectiveBindings::inFile(const QString& directive) const
{
    for (const Cups::ConfigNode& line : m_lines) {
        if (line.name().compare(directive, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

Cups::ConfigNode DirectiveBindings::written(bool browsing, const QList<QMap<QString, QString>>& pageDirectives) const
{
    ConfigEdit edit(m_lines);
    for (const Field& field : m_fields) {
        const QString current = field.value();
        if (current == field.loaded)
            continue;
        const bool empty = current.trimmed().isEmpty() && !field.emptyAllowed;
        if (field.line >= 0) {
            if (empty)
                edit.remove(field.line);
            else
                edit.replace(field.line, Cups::ConfigNode(field.directive, current));
        } else if (!empty && (!field.browse || browsing)) {
            edit.add(Cups::ConfigNode(field.directive, current), {field.directive});
        }
    }

    for (const List& list : m_lists) {
        const bool mayAdd = !list.browse || browsing || !list.lines.isEmpty();
        QSet<int> listed;
        for (const ItemNode& entry : list.write()) {
            if (entry.line < 0) {
                if (mayAdd)
                    edit.add(entry.node, list.directives);
                continue;
            }
            listed.insert(entry.line);
            if (entry.node != list.loaded.value(entry.line))
                edit.replace(entry.line, entry.node);
        }
        for (int line : list.lines) {
            if (!listed.contains(line))
                edit.remove(line);
        }
    }

    for (const QMap<QString, QString>& directives : pageDirectives) {
        for (auto it = directives.cbegin(); it != directives.cend(); ++it) {
            const int line = edit.lastOf({it.key()});
            if (line < 0)
                edit.add(Cups::ConfigNode(it.key(), it.value()), {it.key()});
            else if (m_lines.at(line).value().trimmed() != it.value())
                edit.replace(line, Cups::ConfigNode(it.key(), it.value()));
        }
    }

    Cups::ConfigNode root;
    root.setChildren(edit.result());
    return root;
}
