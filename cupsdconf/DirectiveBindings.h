#pragma once

#include "ConfigNode.h"

#include <QHash>
#include <QList>
#include <QMap>
#include <QStringList>
#include <QVector>

#include <functional>
#include <vector>

class QTreeWidgetItem;

// The top-level directives of cupsd.conf, each bound to the widgets that
// show it, and the file they were read from. Reading spreads the file over
// the widgets; writing gives the file back with only what the user changed
// changed, in place (see ConfigEdit).
class DirectiveBindings
{
public:
    // The line a list item was read from, kept in its column 0.
    static constexpr int lineRole = Qt::UserRole + 3;

    // One directive shown by one field (or a group of widgets acting as one).
    struct Field
    {
        QString directive;
        std::function<void(const QString&)> read;
        // The value the field would write now.
        std::function<QString()> value;
        // Protocol lists mean "none" when empty; every other directive with an
        // empty value is left out, since the scheduler refuses most of them.
        bool emptyAllowed = false;
        // Lives on the browsing tab: it counts only while browsing is on.
        bool browse = false;
        // Read after every other directive (the default policy needs the policies).
        bool readLast = false;

        // The line the scheduler takes the value from (the last), -1 for none.
        int line = -1;
        QString loaded;
    };

    // What a list item writes, and the line it was read from (-1 for a new item).
    struct ItemNode
    {
        int line = -1;
        Cups::ConfigNode node;
    };

    // A directive that may occur any number of times, each one an item of a list.
    struct List
    {
        QStringList directives;
        // The new item, or none when the value does not fit the list; the line
        // is then kept as read.
        std::function<QTreeWidgetItem*(const Cups::ConfigNode&)> read;
        std::function<QVector<ItemNode>()> write;
        bool browse = false;

        // The lines that became items, and what each item wrote when it was read.
        QVector<int> lines;
        QHash<int, Cups::ConfigNode> loaded;
    };

    static ItemNode itemNode(const QTreeWidgetItem* item, const Cups::ConfigNode& node);

    void add(const Field& field);
    void add(const List& list);
    Field& lastField();

    // Spreads the file's top-level lines over the bindings; every directive
    // no binding knows goes to unknown.
    void read(const Cups::ConfigNode& root, const std::function<void(const Cups::ConfigNode&)>& unknown);
    // What the widgets show now counts as unchanged.
    void rememberLoadedState();

    // The line the field of the directive was read from, -1 for none.
    int lineOf(const QString& directive) const;
    bool inFile(const QString& directive) const;

    // The file with the user's changes and the directives of the security
    // pages, each of which replaces the file's line or joins the end.
    Cups::ConfigNode written(bool browsing, const QList<QMap<QString, QString>>& pageDirectives) const;

private:
    std::vector<Field> m_fields;
    std::vector<List> m_lists;
    QVector<Cups::ConfigNode> m_lines;
};
