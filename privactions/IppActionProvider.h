#pragma once

#include "PrivActionProvider.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

class IppActionProviderHelper;

namespace Cups {
class HTTP;
}

// Sends each privileged operation as a native request on the shared
// connection, answering the server's password requests with a prompt.
class IppActionProvider : public PrivActionProvider
{
public:
    IppActionProvider();
    ~IppActionProvider();

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
    // Runs one request with a password prompt in place, the connection brought
    // up to date and a wait cursor; a failure is reported if it was one of
    // authorization.
    bool runFramed(const std::function<bool(Cups::HTTP*)>& request);
    // Makes the server forget its default destination.
    bool clearServerDefault(Cups::HTTP* connection);
    bool isServerDefault(Cups::HTTP* connection, const QString& name) const;

    std::unique_ptr<IppActionProviderHelper> m_helper;
    QPointer<QWidget> m_parent;
};
