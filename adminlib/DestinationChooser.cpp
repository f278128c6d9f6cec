#include "DestinationChooser.h"

#include "ServerTextDelegate.h"

#include <QDialogButtonBox>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

DestinationChooser::DestinationChooser(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Move job"));

    auto* label = new QLabel(tr("Move the job to:"), this);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("twDestinations"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSortingEnabled(true);
    m_list->setItemDelegate(new ServerTextDelegate(m_list));
    label->setBuddy(m_list);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttonBox"));
    m_okButton = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListWidget::itemSelectionChanged, this, &DestinationChooser::updateOkButton);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_list);
    layout->addWidget(buttons);

    updateOkButton();
}

void DestinationChooser::addDestination(const QString& name, bool isClass)
{
    const QIcon icon = QIcon::fromTheme(isClass ? QStringLiteral("print_class") : QStringLiteral("printer"));
    new QListWidgetItem(icon, name, m_list);
}

QString DestinationChooser::destination() const
{
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

void DestinationChooser::updateOkButton()
{
    m_okButton->setEnabled(!m_list->selectedItems().isEmpty());
}
