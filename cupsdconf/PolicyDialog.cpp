#include "PolicyDialog.h"

#include "AddEditDelTreeWidget.h"
#include "ConfigEdit.h"
#include "DialogSize.h"
#include "FormLayout.h"
#include "LimitDialog.h"
#include "NOTValidator.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QVariant>

namespace {

const QString sizeName = QStringLiteral("Policy");
constexpr QSize initialSize(560, 420);

const QString policyKeyword = QStringLiteral("Policy");

} // namespace

PolicyDialog::PolicyDialog(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Policy"));

    m_name = new QLineEdit(this);
    m_name->setValidator(new NOTValidator(QRegExp(QStringLiteral("[ #]")), this));
    m_limits = new AddEditDelTreeWidget(this);
    m_limits->setHeaderLabels({tr("Limits"), tr("Except")});
    LimitDialog::setUpLimitsList(m_limits);

    auto* form = new FormLayout;
    form->addRow(tr("Policy name"), m_name);
    form->addRow(m_limits);
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(m_buttons, SIGNAL(accepted()), this, SLOT(accept()));
    connect(m_buttons, SIGNAL(rejected()), this, SLOT(reject()));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form, 1);
    layout->addWidget(m_buttons);

    connect(m_limits, SIGNAL(addItemRequested()), this, SLOT(addLimitItem()));
    connect(m_limits, SIGNAL(editItemRequested(QTreeWidgetItem*)), this, SLOT(editLimitItem(QTreeWidgetItem*)));
    // A policy without a name makes the scheduler refuse the whole file.
    connect(m_name, SIGNAL(textChanged(QString)), this, SLOT(updateOkButton()));
    updateOkButton();

    resize(initialSize);
    restoreDialogSize(this, sizeName);
}

PolicyDialog::~PolicyDialog()
{
    saveDialogSize(this, sizeName);
}

void PolicyDialog::setSection(const QVariant& section)
{
    m_read = Cups::ConfigNode(section);
    m_name->setText(m_read.value());
    LimitDialog::fillLimitsList(m_limits, m_read.children());
}

QVariant PolicyDialog::section() const
{
    Cups::ConfigNode policy(policyKeyword, m_name->text());
    policy.setChildren(LimitDialog::withListedLimits(m_read.children(), m_limits));
    return ConfigEdit::rewritten(m_read, policy).toVariant();
}

void PolicyDialog::addLimitItem()
{
    LimitDialog dialog(LimitDialog::Mode::IppOperations, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    LimitDialog::showLimit(new QTreeWidgetItem(m_limits), dialog.section());
}

void PolicyDialog::editLimitItem(QTreeWidgetItem* item)
{
    if (!item)
        return;
    LimitDialog dialog(LimitDialog::Mode::IppOperations, this);
    dialog.setSection(item->data(0, Qt::UserRole));
    if (dialog.exec() != QDialog::Accepted)
        return;
    LimitDialog::showLimit(item, dialog.section());
}

void PolicyDialog::updateOkButton()
{
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(!m_name->text().isEmpty());
}
