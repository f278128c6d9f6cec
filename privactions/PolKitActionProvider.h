#pragma once

#include "PrivActionProvider.h"

#include <QCoreApplication>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <memory>

class PolKitActionProviderHelper;

// Hands each privileged operation, as named actions, to the privileged helper.
// Authorization is the helper's business; what is shown here is why an
// operation failed, since a missing helper or a refused authorization leaves
// the caller nothing to tell the user but the bare failure.
class PolKitActionProvider : public PrivActionProvider
{
    Q_DECLARE_TR_FUNCTIONS(PolKitActionProvider)

public:
    PolKitActionProvider();
    ~PolKitActionProvider();

    void setParentWidget(QWidget* parent) override;
    bool printerAdd(const QString& name, const QString& deviceUri, const QString& driver, const QString& description,
                    const QString& location, bool shared) override;
    bool printerSetJobSheets(const QString& name, const QString& first, const QString& second) override;
    bool printerDelete(const QString& name) override;
    bool classAddPrinter(const QString& className, const QString& printerName) override;
    bool classAdd(const QString& name, const QStringList& members, const QString& description,
                  const QString& location, bool shared) override;
    bool classDelete(const QString& name) override;
    bool printerSetDefault(const QString& name) override;
    bool printerSetEnabled(const QString& name, bool enabled) override;
    bool printerSetAcceptJobs(const QString& name, bool accept, const QString& reason) override;
    bool fileGet(const QString& localFile) override;
    bool filePut(const QString& localFile) override;
    bool getDevices(QList<QMap<QString, QVariant>>& devices) override;

private:
    bool call(const QString& action, const QList<QVariant>& arguments);
    // Shows the failures collected since the last report when the operation
    // failed; returns its result.
    bool report(bool result);

    std::unique_ptr<PolKitActionProviderHelper> m_helper;
    QPointer<QWidget> m_parent;
    QStringList m_failures;
    bool m_helperUnreachable = false;
};
