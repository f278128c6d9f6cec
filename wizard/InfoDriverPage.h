#pragma once

#include "DriverWidget.h"

#include <QSet>
#include <QString>
#include <QWizardPage>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QLabel;

// The last page of every path: name, location, description, device and
// driver of the queue; "Finish" makes the change on the server.
class InfoDriverPage : public QWizardPage
{
    Q_OBJECT
    Q_PROPERTY(bool generalEditOnly READ generalEditOnly WRITE setGeneralEditOnly)
    Q_PROPERTY(bool backendEditOnly READ backendEditOnly WRITE setBackendEditOnly)
    Q_PROPERTY(bool driverEditOnly READ driverEditOnly WRITE setDriverEditOnly)

public:
    explicit InfoDriverPage(QWidget* parent = nullptr);

    bool generalEditOnly() const { return m_generalEditOnly; }
    bool backendEditOnly() const { return m_backendEditOnly; }
    bool driverEditOnly() const { return m_driverEditOnly; }
    void setGeneralEditOnly(bool on);
    void setBackendEditOnly(bool on);
    void setDriverEditOnly(bool on);

    void initializePage() override;
    bool validatePage() override;
    bool isComplete() const override;

    // What the driver proposal chose for a device make and model; empty
    // when the server offers nothing that fits.
    QString proposedMakeAndModel() const { return m_proposedMakeAndModel; }
    void proposeDriver(const QString& makeAndModel);

    static bool isValidUri(const QString& text);

public slots:
    void selectDriver();
    void queueNameChanged(const QString& name);
    void driverChanged(const QString& text);
    void deviceUriChanged(const QString& text);

private:
    bool isEditOnly() const { return m_generalEditOnly || m_backendEditOnly || m_driverEditOnly; }
    bool isPrinter() const;
    // Whether the change keeps the queue's driver: no driver is sent then.
    bool keepsDriver() const;
    void enableOnly(const QList<QWidget*>& enabled);
    void checkName(const QString& name);
    void loadDrivers();
    bool finishPrinter();
    bool finishClass();
    bool askTryAgain(const QString& question);

    QLineEdit* m_name = nullptr;
    QLineEdit* m_location = nullptr;
    QLineEdit* m_description = nullptr;
    QLineEdit* m_uri = nullptr;
    QLineEdit* m_driver = nullptr;
    QPushButton* m_driverButton = nullptr;
    QCheckBox* m_shared = nullptr;
    QLabel* m_uriLabel = nullptr;
    QLabel* m_driverLabel = nullptr;

    bool m_nameValid = false;
    bool m_driverValid = false;
    bool m_uriValid = false;
    bool m_generalEditOnly = false;
    bool m_backendEditOnly = false;
    bool m_driverEditOnly = false;
    QSet<QString> m_existingNames;
    DriverWidget::DriversByMake m_drivers;
    QString m_proposedMake;
    QString m_proposedMakeAndModel;
};
