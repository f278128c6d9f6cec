#pragma once

#include "ConfigNode.h"

#include <QDialog>
#include <QStringList>
#include <QVector>

class AclWidget;
class QCheckBox;
class QDialogButtonBox;
class QTreeWidget;
class QTreeWidgetItem;
class QVariant;

// Edits one Limit or LimitExcept section: the IPP operations (inside a
// policy) or HTTP methods (inside a location) it applies to, and its access
// rules.
class LimitDialog : public QDialog
{
    Q_OBJECT

public:
    enum class Mode {
        IppOperations,
        HttpMethods,
    };

    explicit LimitDialog(Mode mode, QWidget* parent = nullptr);
    ~LimitDialog() override;

    // Takes and gives the section in the map form of Cups::ConfigNode.
    // The order a limit without one takes from its location (see AclWidget).
    void setInheritedOrder(const QString& keyword);
    void setSection(const QVariant& section);
    QVariant section() const;

    // The limits lists of LocationDialog and PolicyDialog show one nested
    // section per item: its operations in column 0, "yes" in column 1 for a
    // LimitExcept, the section's map form as the data of column 0.
    static void setUpLimitsList(QTreeWidget* list);
    static bool isLimit(const Cups::ConfigNode& node);
    static void fillLimitsList(QTreeWidget* list, const QVector<Cups::ConfigNode>& children);
    static void showLimit(QTreeWidgetItem* item, const QVariant& section);
    // The children with each limit replaced by its item, the limits whose
    // items were deleted left out and the new ones after the last limit;
    // everything else stays where it was.
    static QVector<Cups::ConfigNode> withListedLimits(const QVector<Cups::ConfigNode>& children,
                                                      const QTreeWidget* list);

private slots:
    void updateOkButton();

private:
    void fillOperations();
    QStringList checkedOperations() const;

    Mode m_mode;
    QCheckBox* m_except = nullptr;
    QTreeWidget* m_operations = nullptr;
    AclWidget* m_acl = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
    Cups::ConfigNode m_read;
    QStringList m_readOperations;
};
