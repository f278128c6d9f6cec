#pragma once

#include <QString>
#include <QWizard>

// Adds a printer or a class, or changes an existing queue when the details
// pane starts it in one of the edit-only modes. The pages exchange what they
// collect as wizard fields; the change is made on the server when the last
// page is validated.
class PrinterWizard : public QWizard
{
    Q_OBJECT
    Q_PROPERTY(QString printerName READ printerName WRITE setPrinterName)

public:
    explicit PrinterWizard(QWidget* parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    ~PrinterWizard() override;

    int nextId() const override;

    QString printerName() const;
    void setPrinterName(const QString& name);

    // For a change of an existing queue: its name on the server, and the
    // driver to create it with should the user rename it (a PPD file fetched
    // from the server, or "raw"). Empty when adding.
    void setEditedQueue(const QString& name, const QString& driverForRename);
    QString editedQueue() const { return m_editedQueue; }
    QString driverForRename() const { return m_driverForRename; }

private:
    QString m_editedQueue;
    QString m_driverForRename;
};
