#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QVariant>

class QStringList;
class QWidget;

// The server's configuration file as the scheduler serves it.
inline const QString serverConfigResource = QStringLiteral("/admin/conf/cupsd.conf");

// Every change to the server that needs administrator rights. Implementations
// keep the order of these functions: it is part of the interface.
class PrivActionProvider
{
public:
    virtual void setParentWidget(QWidget* parent) = 0;
    virtual bool printerAdd(const QString& name, const QString& deviceUri, const QString& driver,
                            const QString& description, const QString& location, bool shared) = 0;
    virtual bool printerSetJobSheets(const QString& name, const QString& first, const QString& second) = 0;
    virtual bool printerDelete(const QString& name) = 0;
    virtual bool classAddPrinter(const QString& className, const QString& printerName) = 0;
    virtual bool classAdd(const QString& name, const QStringList& members, const QString& description,
                          const QString& location, bool shared) = 0;
    virtual bool classDelete(const QString& name) = 0;
    virtual bool printerSetDefault(const QString& name) = 0;
    virtual bool printerSetEnabled(const QString& name, bool enabled) = 0;
    virtual bool printerSetAcceptJobs(const QString& name, bool accept, const QString& reason) = 0;
    virtual bool fileGet(const QString& localFile) = 0;
    virtual bool filePut(const QString& localFile) = 0;
    virtual bool getDevices(QList<QMap<QString, QVariant>>& devices) = 0;

protected:
    // Providers belong to the factory and are never deleted through this interface.
    ~PrivActionProvider() = default;
};
