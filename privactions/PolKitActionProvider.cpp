#include "PolKitActionProvider.h"

#include "PolKitActionProviderHelper.h"

namespace {

// The helper's argument lists have no empty fields for these texts.
QString orBlank(const QString& text)
{
    return text.isEmpty() ? QStringLiteral(" ") : text;
}

} // namespace

PolKitActionProvider::PolKitActionProvider()
    : m_helper(std::make_unique<PolKitActionProviderHelper>())
{
}

PolKitActionProvider::~PolKitActionProvider() = default;

bool PolKitActionProvider::call(const QString& action, const QList<QVariant>& arguments)
{
    return m_helper->callHelperAction(action, arguments);
}

void PolKitActionProvider::setParentWidget(QWidget* parent)
{
    m_parent = parent;
}

bool PolKitActionProvider::printerAdd(const QString& name, const QString& deviceUri, const QString& driver,
                                      const QString& description, const QString& location, bool shared)
{
    const QString action = driver.startsWith(QLatin1Char('/')) ? QStringLiteral("PrinterAddWithPpdFile")
                                                               : QStringLiteral("PrinterAdd");
    if (!call(action, {name, deviceUri, driver, orBlank(description), orBlank(location)}))
        return false;
    const bool sharedSet = call(QStringLiteral("PrinterSetShared"), {name, shared});
    const bool accepting = call(QStringLiteral("PrinterSetAcceptJobs"), {name, true, QString()});
    const bool enabled = call(QStringLiteral("PrinterSetEnabled"), {name, true});
    return sharedSet && accepting && enabled;
}

bool PolKitActionProvider::printerSetJobSheets(const QString& name, const QString& first, const QString& second)
{
    return call(QStringLiteral("PrinterSetJobSheets"), {name, first, second});
}

bool PolKitActionProvider::printerDelete(const QString& name)
{
    return call(QStringLiteral("PrinterDelete"), {name});
}

bool PolKitActionProvider::classAddPrinter(const QString& className, const QString& printerName)
{
    return call(QStringLiteral("ClassAddPrinter"), {className, printerName});
}

bool PolKitActionProvider::classAdd(const QString& name, const QStringList& members, const QString& description,
                                    const QString& location, bool shared)
{
    // Rebuilding from scratch gives exactly the requested members; a class
    // that does not exist yet makes the deletion fail harmlessly.
    classDelete(name);
    bool result = true;
    for (const QString& member : members)
        result = classAddPrinter(name, member.section(QLatin1Char('/'), -1)) && result;
    result = call(QStringLiteral("PrinterSetShared"), {name, shared}) && result;
    result = call(QStringLiteral("PrinterSetLocation"), {name, location}) && result;
    result = call(QStringLiteral("PrinterSetInfo"), {name, description}) && result;
    result = call(QStringLiteral("PrinterSetEnabled"), {name, true}) && result;
    result = call(QStringLiteral("PrinterSetAcceptJobs"), {name, true, QString()}) && result;
    return result;
}

bool PolKitActionProvider::classDelete(const QString& name)
{
    return call(QStringLiteral("ClassDelete"), {name});
}

bool PolKitActionProvider::printerSetDefault(const QString& name)
{
    return call(QStringLiteral("PrinterSetDefault"), {name});
}

bool PolKitActionProvider::printerSetEnabled(const QString& name, bool enabled)
{
    return call(QStringLiteral("PrinterSetEnabled"), {name, enabled});
}

bool PolKitActionProvider::printerSetAcceptJobs(const QString& name, bool accept, const QString& reason)
{
    return call(QStringLiteral("PrinterSetAcceptJobs"), {name, accept, reason});
}

bool PolKitActionProvider::fileGet(const QString& localFile)
{
    return call(QStringLiteral("FileGet"), {serverConfigResource, localFile});
}

bool PolKitActionProvider::filePut(const QString& localFile)
{
    return call(QStringLiteral("FilePut"), {serverConfigResource, localFile});
}

bool PolKitActionProvider::getDevices(QList<QMap<QString, QVariant>>&)
{
    return false;
}
