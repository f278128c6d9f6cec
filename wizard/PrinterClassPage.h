#pragma once

#include <QWizardPage>

// The wizard's first page: a printer or a class.
class PrinterClassPage : public QWizardPage
{
    Q_OBJECT

public:
    explicit PrinterClassPage(QWidget* parent = nullptr);

    bool validatePage() override;
};
