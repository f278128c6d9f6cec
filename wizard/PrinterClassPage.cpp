#include "PrinterClassPage.h"

#include "WizardFields.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QVariant>

PrinterClassPage::PrinterClassPage(QWidget* parent)
    : QWizardPage(parent)
{
    setWindowTitle(tr("Add new printer or class"));
    setTitle(tr("Printer or class"));
    setSubTitle(tr("Select what you want to add, printer or class of printers"));

    auto* box = new QGroupBox(title(), this);
    auto* printer = new QRadioButton(tr("Printer"), box);
    auto* printerClass = new QRadioButton(tr("Class"), box);
    auto* buttons = new QButtonGroup(this);
    buttons->setExclusive(true);
    buttons->addButton(printer, 0);
    buttons->addButton(printerClass, 1);
    printer->setChecked(true);

    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->addWidget(printer);
    boxLayout->addWidget(printerClass);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box);
    layout->addStretch();

    registerField(WizardField::isPrinterQueue, printer);
    registerField(WizardField::isClassQueue, printerClass);
}

bool PrinterClassPage::validatePage()
{
    if (field(WizardField::isPrinterQueue).toBool())
        setField(WizardField::queueName, tr("Name_of_printer"));
    else if (field(WizardField::isClassQueue).toBool())
        setField(WizardField::queueName, tr("Name_of_class"));
    else
        return false;
    setField(WizardField::queueLocation, tr("Location"));
    return true;
}
