#include "PrinterWizard.h"

#include "AutodetectSelectionPage.h"
#include "ClassMembersPage.h"
#include "InfoDriverPage.h"
#include "PrinterClassPage.h"
#include "SelectBackendPage.h"
#include "WizardFields.h"

#include <QApplication>
#include <QDesktopWidget>
#include <QScreen>
#include <QSettings>

namespace {

const QString settingsGroup = QStringLiteral("PrinterWizard");
const QString sizeKey = QStringLiteral("WindowSize");
constexpr int defaultWidth = 640;
constexpr int defaultHeight = 480;

} // namespace

PrinterWizard::PrinterWizard(QWidget* parent, Qt::WindowFlags flags)
    : QWizard(parent, flags)
{
    setPage(WizardPage::PrinterClass, new PrinterClassPage(this));
    setPage(WizardPage::AutodetectSelection, new AutodetectSelectionPage(this));
    setPage(WizardPage::ClassMembers, new ClassMembersPage(this));
    setPage(WizardPage::InfoDriver, new InfoDriverPage(this));
    setPage(WizardPage::SelectBackend, new SelectBackendPage(this));
    setStartId(WizardPage::PrinterClass);
    setOption(QWizard::IndependentPages, false);
    setWindowTitle(tr("Printer/Class Setup Wizard"));

    const QRect available = QApplication::primaryScreen() ? QApplication::primaryScreen()->availableGeometry()
                                                           : QRect(0, 0, defaultWidth, defaultHeight);
    const QSize fallback(qMin(defaultWidth, available.width()), qMin(defaultHeight, available.height()));
    QSettings settings;
    settings.beginGroup(settingsGroup);
    resize(settings.value(sizeKey, fallback).toSize());
}

PrinterWizard::~PrinterWizard()
{
    QSettings settings;
    settings.beginGroup(settingsGroup);
    settings.setValue(sizeKey, size());
}

int PrinterWizard::nextId() const
{
    switch (currentId()) {
    case WizardPage::PrinterClass:
        return field(WizardField::isPrinterQueue).toBool() ? WizardPage::AutodetectSelection
                                                           : WizardPage::ClassMembers;
    case WizardPage::AutodetectSelection:
        return field(WizardField::isAutodetectedPrinterSelected).toBool() ? WizardPage::InfoDriver
                                                                          : WizardPage::SelectBackend;
    case WizardPage::ClassMembers:
    case WizardPage::SelectBackend:
        return WizardPage::InfoDriver;
    case WizardPage::InfoDriver:
        return -1;
    default:
        return QWizard::nextId();
    }
}

QString PrinterWizard::printerName() const
{
    return field(WizardField::queueName).toString();
}

void PrinterWizard::setPrinterName(const QString& name)
{
    setField(WizardField::queueName, name);
}

void PrinterWizard::setEditedQueue(const QString& name, const QString& driverForRename)
{
    m_editedQueue = name;
    m_driverForRename = driverForRename;
}
