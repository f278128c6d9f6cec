#include "AclAddDialog.h"

#include "DialogSize.h"
#include "FormLayout.h"
#include "NOTValidator.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFrame>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

const QString sizeName = QStringLiteral("ACL");
constexpr QSize initialSize(380, 140);

} // namespace

AclAddDialog::AclAddDialog(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(tr("ACL rule"));

    m_action = new QComboBox(this);
    m_action->addItem(tr("Allow"), QStringLiteral("Allow"));
    m_action->addItem(tr("Deny"), QStringLiteral("Deny"));
    m_address = new QLineEdit(this);
    m_address->setValidator(new NOTValidator(QRegExp(QStringLiteral("[ #]")), this));

    auto* form = new FormLayout;
    form->addRow(tr("Action"), m_action);
    form->addRow(tr("Enter resource string"), m_address);
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, SIGNAL(accepted()), this, SLOT(accept()));
    connect(buttons, SIGNAL(rejected()), this, SLOT(reject()));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch();
    layout->addWidget(line);
    layout->addWidget(buttons);

    resize(initialSize);
    restoreDialogSize(this, sizeName);
}

AclAddDialog::~AclAddDialog()
{
    saveDialogSize(this, sizeName);
}

QString AclAddDialog::address() const
{
    return m_address->text();
}

void AclAddDialog::setAddress(const QString& address)
{
    m_address->setText(address);
}

QString AclAddDialog::action() const
{
    return m_action->currentData().toString();
}

QString AclAddDialog::actionText() const
{
    return m_action->currentText();
}

void AclAddDialog::setAction(const QString& keyword)
{
    const int index = m_action->findData(keyword);
    if (index >= 0)
        m_action->setCurrentIndex(index);
}
