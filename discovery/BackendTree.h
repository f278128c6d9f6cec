#pragma once

#include <QString>
#include <QTreeWidget>
#include <QTreeWidgetItem>

// The tree of connection types on the backend page. Its items say what the
// page may do while they are current: offer a scan, let the URI be typed.
class BackendTree : public QTreeWidget
{
    Q_OBJECT

public:
    enum Kind {
        Category = 0,
        ConnectionType = 1,
        Device = 2,
    };

    class BackendTreeItem : public QTreeWidgetItem
    {
    public:
        // parent: the tree for a top-level item, otherwise the parent item.
        template <typename Parent>
        BackendTreeItem(Parent* parent, const QString& name, const QString& uri, Kind kind, const QString& backend,
                        bool scanEnabled, bool uriEditable)
            : QTreeWidgetItem(parent, QStringList{name, uri})
            , m_kind(kind)
            , m_backend(backend)
            , m_scanEnabled(scanEnabled)
            , m_uriEditable(uriEditable)
        {
        }
        ~BackendTreeItem() override;

        Kind kind() const { return m_kind; }
        QString backend() const { return m_backend; }
        bool scanEnabled() const { return m_scanEnabled; }
        bool uriEditable() const { return m_uriEditable; }

    private:
        Kind m_kind;
        QString m_backend;
        bool m_scanEnabled;
        bool m_uriEditable;
    };

    explicit BackendTree(QWidget* parent = nullptr);
};
