#include "ConfigEntryDialog.h"

#include "FormLayout.h"
#include "NOTValidator.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QVBoxLayout>

ConfigEntryDialog::ConfigEntryDialog(QWidget* parent)
    : QDialog(parent)
    , m_validator(new NOTValidator(QRegExp(QStringLiteral("[ #]")), this))
{
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    m_form = new FormLayout;
    layout->addLayout(m_form);
    layout->addStretch();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, SIGNAL(accepted()), this, SLOT(accept()));
    connect(buttons, SIGNAL(rejected()), this, SLOT(reject()));
}

QLineEdit* ConfigEntryDialog::addValueRow(const QString& label)
{
    auto* edit = new QLineEdit(this);
    edit->setValidator(m_validator);
    m_form->addRow(label, edit);
    return edit;
}
