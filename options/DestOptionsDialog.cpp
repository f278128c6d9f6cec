#include "DestOptionsDialog.h"

#include "DestOptions.h"
#include "DialogSize.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

namespace {

const QString sizeName = QStringLiteral("Options");
constexpr int defaultWidth = 620;
constexpr int defaultHeight = 520;

} // namespace

DestOptionsDialog::DestOptionsDialog(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Printer/class options"));
    auto* layout = new QVBoxLayout(this);
    m_options = new DestOptions(this);
    layout->addWidget(m_options);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, SIGNAL(accepted()), this, SLOT(accept()));
    connect(buttons, SIGNAL(rejected()), this, SLOT(reject()));
    layout->addWidget(buttons);

    // Room for the radio groups side by side until the user chose a size.
    resize(defaultWidth, defaultHeight);
    restoreDialogSize(this, sizeName);
}

DestOptionsDialog::~DestOptionsDialog()
{
    saveDialogSize(this, sizeName);
}

void DestOptionsDialog::setDestination(const QString& name, bool isClass)
{
    m_name = name;
    m_isClass = isClass;
    setWindowTitle(tr("Options for %1").arg(name));
    m_options->loadOptions(name, isClass);
}

void DestOptionsDialog::apply()
{
    m_options->saveOptions(m_name, m_isClass);
}

void DestOptionsDialog::accept()
{
    apply();
    QDialog::accept();
}
