#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;

// Browses the SMB hosts of the local network, grouped by workgroup, and their
// printer shares, and builds the "smb://" URI of the chosen printer.
class Ruv_SmbSelector : public QDialog
{
    Q_OBJECT

public:
    explicit Ruv_SmbSelector(QWidget* parent = nullptr);

    QString uri() const;

public slots:
    void scanClicked();
    void printersRequested(QTreeWidgetItem* item);
    void printerSelected();

private:
    void storeAuthenticateChoice();

    QTreeWidget* m_tree;
    QLineEdit* m_workgroupEdit;
    QLineEdit* m_serverEdit;
    QLineEdit* m_printerEdit;
    QCheckBox* m_authenticate;
};
