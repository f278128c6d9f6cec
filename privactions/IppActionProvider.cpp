#include "IppActionProvider.h"

#include "CupsHttp.h"
#include "CupsIpp.h"
#include "IppActionProviderHelper.h"
#include "PasswordCBSetter.h"
#include "WaitCursor.h"

#include <QApplication>
#include <QMessageBox>
#include <QSet>

#include <cups/cups.h>

#include <memory>

namespace {

const QString printersPrefix = QStringLiteral("/printers/");
const QString classesPrefix = QStringLiteral("/classes/");

} // namespace

IppActionProvider::IppActionProvider()
    : m_helper(std::make_unique<IppActionProviderHelper>())
{
    if (!Cups::HTTP::getUniqueConnection()) {
        QMessageBox::critical(nullptr, QObject::tr("Fatal error"),
                              QObject::tr("Unable to connect to CUPS server. Check, if <i>cupsd</i> is running"),
                              QMessageBox::Ok);
        QCoreApplication::quit();
    }
}

IppActionProvider::~IppActionProvider() = default;

void IppActionProvider::setParentWidget(QWidget* parent)
{
    m_parent = parent;
}

bool IppActionProvider::runFramed(const std::function<bool(Cups::HTTP*)>& request)
{
    PasswordCBSetter passwordGuard(m_parent.data());
    m_helper->updateServerConnection();
    bool result = false;
    {
        Cups::HTTP* connection = Cups::HTTP::getUniqueConnection();
        WaitCursor waitCursor;
        result = connection && request(connection);
    }
    if (!result)
        PasswordCBSetter::handleAuthError();
    return result;
}

bool IppActionProvider::printerAdd(const QString& name, const QString& deviceUri, const QString& driver,
                                   const QString& description, const QString& location, bool shared)
{
    return runFramed([&](Cups::HTTP* connection) {
        return connection->addPrinter(deviceUri, name, driver, location, description, shared);
    });
}

bool IppActionProvider::printerSetJobSheets(const QString&, const QString&, const QString&)
{
    PasswordCBSetter passwordGuard(m_parent.data());
    m_helper->updateServerConnection();
    return false;
}

bool IppActionProvider::printerDelete(const QString& name)
{
    return runFramed([&](Cups::HTTP* connection) { return connection->deletePrinter(printersPrefix + name); });
}

bool IppActionProvider::classAddPrinter(const QString&, const QString&)
{
    PasswordCBSetter passwordGuard(m_parent.data());
    m_helper->updateServerConnection();
    return false;
}

bool IppActionProvider::classAdd(const QString& name, const QStringList& members, const QString& description,
                                 const QString& location, bool shared)
{
    return runFramed([&](Cups::HTTP* connection) {
        return connection->addClass(name, members, location, description, shared);
    });
}

bool IppActionProvider::classDelete(const QString& name)
{
    return runFramed([&](Cups::HTTP* connection) { return connection->deleteClass(classesPrefix + name); });
}

bool IppActionProvider::isServerDefault(Cups::HTTP* connection, const QString& name) const
{
    // The scheduler only takes a full URI here; the host part is not looked at.
    const std::unique_ptr<Cups::IPP> request(Cups::IPP::printerAttributesRequest(
        QStringLiteral("ipp://localhost") + printersPrefix + name, {QStringLiteral("printer-type")}));
    const std::unique_ptr<Cups::IPP> response(request->doRequest(connection, QStringLiteral("/")));
    if (!response)
        return false;
    const QList<QVariantMap> groups = response->attributes();
    if (groups.isEmpty())
        return false;
    const QVariantList type = groups.first().value(QStringLiteral("printer-type")).toList();
    const uint bits = type.isEmpty() ? 0 : type.first().toUInt();
    return bits & CUPS_PRINTER_DEFAULT;
}

bool IppActionProvider::clearServerDefault(Cups::HTTP* connection)
{
    // The scheduler has no request to forget its default: make a throw-away
    // queue the default and delete it. Its name must not be any existing
    // destination's, or that destination would be replaced and deleted.
    QSet<QString> taken;
    for (const QVariantMap& destination : connection->destinations()) {
        const QVariantList names = destination.value(QStringLiteral("printer-name")).toList();
        if (!names.isEmpty())
            taken.insert(names.first().toString().toLower());
    }
    QString throwAway = QStringLiteral("tmp");
    for (int suffix = 1; taken.contains(throwAway.toLower()); ++suffix)
        throwAway = QStringLiteral("tmp-%1").arg(suffix);

    if (!connection->addPrinter(QString(), throwAway, QString(), QString(), QString(), false)) {
        PasswordCBSetter::handleAuthError();
        return false;
    }
    const QString resource = printersPrefix + throwAway;
    connection->printerSetServerDefault(resource);
    connection->deletePrinter(QStringLiteral("ipp://localhost:631") + resource);
    return true;
}

bool IppActionProvider::printerSetDefault(const QString& name)
{
    PasswordCBSetter passwordGuard(m_parent.data());
    m_helper->updateServerConnection();
    Cups::HTTP* connection = Cups::HTTP::getUniqueConnection();
    bool result = false;
    bool reported = false;
    {
        WaitCursor waitCursor;
        if (connection && isServerDefault(connection, name)) {
            // A failed clearing was reported already; the toggle itself is done.
            clearServerDefault(connection);
            result = true;
            reported = true;
        } else if (connection) {
            result = connection->printerSetServerDefault(printersPrefix + name);
        }
    }
    if (!result && !reported)
        PasswordCBSetter::handleAuthError();
    return result;
}

bool IppActionProvider::printerSetEnabled(const QString& name, bool enabled)
{
    return runFramed([&](Cups::HTTP* connection) {
        const QString resource = printersPrefix + name;
        return enabled ? connection->enablePrinter(resource) : connection->disablePrinter(resource);
    });
}

bool IppActionProvider::printerSetAcceptJobs(const QString&, bool, const QString&)
{
    PasswordCBSetter passwordGuard(m_parent.data());
    return false;
}

bool IppActionProvider::fileGet(const QString& localFile)
{
    return runFramed([&](Cups::HTTP* connection) {
        if (!connection->http)
            return false;
        const QByteArray resource = serverConfigResource.toLocal8Bit();
        const QByteArray fileName = localFile.toLocal8Bit();
        const http_status_t status = cupsGetFile(connection->http, resource.constData(), fileName.constData());
        httpFlush(connection->http);
        return status == HTTP_STATUS_OK;
    });
}

bool IppActionProvider::filePut(const QString& localFile)
{
    return runFramed([&](Cups::HTTP* connection) {
        if (!connection->http)
            return false;
        const QByteArray resource = serverConfigResource.toLocal8Bit();
        const QByteArray fileName = localFile.toLocal8Bit();
        const http_status_t status = cupsPutFile(connection->http, resource.constData(), fileName.constData());
        httpFlush(connection->http);
        return status == HTTP_STATUS_OK || status == HTTP_STATUS_CREATED;
    });
}

bool IppActionProvider::getDevices(QList<QMap<QString, QVariant>>& devices)
{
    return runFramed([&](Cups::HTTP* connection) {
        devices = connection->devices();
        return !devices.isEmpty();
    });
}
