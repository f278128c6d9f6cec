#pragma once

#include "ConfigNode.h"

#include <QDialog>

class AddEditDelTreeWidget;
class QDialogButtonBox;
class QLineEdit;
class QTreeWidgetItem;
class QVariant;

// Edits one Policy section: its name and the limits of IPP operations in it.
// The policy's other directives (JobPrivateAccess and the like) and its
// comments are kept as they were read.
class PolicyDialog : public QDialog
{
    Q_OBJECT

public:
    explicit PolicyDialog(QWidget* parent = nullptr);
    ~PolicyDialog() override;

    // Takes and gives the section in the map form of Cups::ConfigNode.
    void setSection(const QVariant& section);
    QVariant section() const;

public slots:
    void addLimitItem();
    void editLimitItem(QTreeWidgetItem* item);

private slots:
    void updateOkButton();

private:
    QLineEdit* m_name = nullptr;
    AddEditDelTreeWidget* m_limits = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
    Cups::ConfigNode m_read;
};
