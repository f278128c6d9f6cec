#include "PolKitActionProvider.h"

#include "PolKitActionProviderHelper.h"

#include <QApplication>
#include <QMessageBox>

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
    if (m_helper->callHelperAction(action, arguments))
        return true;
    m_failures.append(tr("%1: %2").arg(action, m_helper->errorString()));
    using Failure = PolKitActionProviderHelper::Failure;
    m_helperUnreachable = m_helperUnreachable || m_helper->failure() == Failure::NotInstalled
                          || m_helper->failure() == Failure::NotAuthorized;
    return false;
}

bool PolKitActionProvider::report(bool result)
{
    if (!result && !m_failures.isEmpty()) {
        QString text = tr("The privileged helper did not carry out the operation.") + QLatin1Char('\n')
                       + m_failures.join(QLatin1Char('\n'));
        if (m_helperUnreachable) {
            text += QLatin1String("\n\n")
                    + tr("Install the package that provides the privileged helper, or choose the native CUPS IPP "
                         "operations in Server > Priviledged Actions...");
        }
        QWidget* parent = m_parent ? m_parent.data() : QApplication::activeWindow();
        QMessageBox box(QMessageBox::Critical, tr("Privileged action failed"), text, QMessageBox::Ok, parent);
        // Helper and scheduler messages carry names from the server.
        box.setTextFormat(Qt::PlainText);
        box.exec();
    }
    m_failures.clear();
    m_helperUnreachable = false;
    return result;
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
        return report(false);
    const bool sharedSet = call(QStringLiteral("PrinterSetShared"), {name, shared});
    const bool accepting = call(QStringLiteral("PrinterSetAcceptJobs"), {name, true, QString()});
    const bool enabled = call(QStringLiteral("PrinterSetEnabled"), {name, true});
    return report(sharedSet && accepting && enabled);
}

bool PolKitActionProvider::printerSetJobSheets(const QString& name, const QString& first, const QString& second)
{
    return report(call(QStringLiteral("PrinterSetJobSheets"), {name, first, second}));
}

bool PolKitActionProvider::printerDelete(const QString& name)
{
    return report(call(QStringLiteral("PrinterDelete"), {name}));
}

bool PolKitActionProvider::classAddPrinter(const QString& className, const QString& printerName)
{
    return report(call(QStringLiteral("ClassAddPrinter"), {className, printerName}));
}

bool PolKitActionProvider::classAdd(const QString& name, const QStringList& members, const QString& description,
                                    const QString& location, bool shared)
{
    // Rebuilding from scratch gives exactly the requested members; a class
    // that does not exist yet makes the deletion fail harmlessly, so its
    // failure is nothing to report.
    call(QStringLiteral("ClassDelete"), {name});
    m_failures.clear();
    m_helperUnreachable = false;
    bool result = true;
    for (const QString& member : members)
        result = call(QStringLiteral("ClassAddPrinter"), {name, member.section(QLatin1Char('/'), -1)}) && result;
    result = call(QStringLiteral("PrinterSetShared"), {name, shared}) && result;
    result = call(QStringLiteral("PrinterSetLocation"), {name, location}) && result;
    result = call(QStringLiteral("PrinterSetInfo"), {name, description}) && result;
    result = call(QStringLiteral("PrinterSetEnabled"), {name, true}) && result;
    result = call(QStringLiteral("PrinterSetAcceptJobs"), {name, true, QString()}) && result;
    return report(result);
}

bool PolKitActionProvider::classDelete(const QString& name)
{
    return report(call(QStringLiteral("ClassDelete"), {name}));
}

bool PolKitActionProvider::printerSetDefault(const QString& name)
{
    return report(call(QStringLiteral("PrinterSetDefault"), {name}));
}

bool PolKitActionProvider::printerSetEnabled(const QString& name, bool enabled)
{
    return report(call(QStringLiteral("PrinterSetEnabled"), {name, enabled}));
}

bool PolKitActionProvider::printerSetAcceptJobs(const QString& name, bool accept, const QString& reason)
{
    return report(call(QStringLiteral("PrinterSetAcceptJobs"), {name, accept, reason}));
}

bool PolKitActionProvider::fileGet(const QString& localFile)
{
    return report(call(QStringLiteral("FileGet"), {serverConfigResource, localFile}));
}

bool PolKitActionProvider::filePut(const QString& localFile)
{
    return report(call(QStringLiteral("FilePut"), {serverConfigResource, localFile}));
}

bool PolKitActionProvider::getDevices(QList<QMap<QString, QVariant>>&)
{
    return false;
}
