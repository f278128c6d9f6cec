#pragma once

#include "ConfigNode.h"

#include <QDialog>

class AclWidget;
class AddEditDelTreeWidget;
class QComboBox;
class QTreeWidgetItem;
class QVariant;

// Edits one Location section: the resource path, its access rules and the
// limits of HTTP methods nested in it.
class LocationDialog : public QDialog
{
    Q_OBJECT

public:
    explicit LocationDialog(QWidget* parent = nullptr);
    ~LocationDialog() override;

    // Takes and gives the section in the map form of Cups::ConfigNode.
    void setSection(const QVariant& section);
    QVariant section() const;

public slots:
    void addLimitItem();
    void editLimitItem(QTreeWidgetItem* item);

private:
    void fillPaths();

    QComboBox* m_path = nullptr;
    AclWidget* m_acl = nullptr;
    AddEditDelTreeWidget* m_limits = nullptr;
    Cups::ConfigNode m_read;
};
