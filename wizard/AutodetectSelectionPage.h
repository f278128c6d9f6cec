#pragma once

#include "DeviceQuery.h"

#include <QString>
#include <QWizardPage>

class QStackedWidget;
class QTreeWidget;
class QTreeWidgetItem;

// The devices the server's backends report, and "Other" for a connection
// to set up by hand on the backend page.
class AutodetectSelectionPage : public QWizardPage
{
    Q_OBJECT
    Q_PROPERTY(bool autodetectedPrinterSelected READ autodetectedPrinterSelected NOTIFY completeChanged)
    Q_PROPERTY(QString makeAndModel READ makeAndModel WRITE setMakeAndModel)

public:
    explicit AutodetectSelectionPage(QWidget* parent = nullptr);

    bool autodetectedPrinterSelected() const;
    QString makeAndModel() const { return m_makeAndModel; }
    void setMakeAndModel(const QString& makeAndModel) { m_makeAndModel = makeAndModel; }

    void initializePage() override;
    void cleanupPage() override;
    bool validatePage() override;
    bool isComplete() const override;

    // The device list, for those who look at what the page shows.
    QTreeWidget* deviceTree() const { return m_tree; }

public slots:
    void itemDoubleClicked();
    virtual void currentItemChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous);
    void fillDevices();

private:
    void showDevices(const DeviceQuery::Result& result);
    void addDevices(const QList<QVariantMap>& devices);
    void finish();

    QStackedWidget* m_stack = nullptr;
    QTreeWidget* m_tree = nullptr;
    QTreeWidgetItem* m_other = nullptr;
    QString m_makeAndModel;
    // Answers to an earlier entry into the page are of no use any more.
    int m_query = 0;
};
