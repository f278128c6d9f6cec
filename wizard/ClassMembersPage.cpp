#include "ClassMembersPage.h"

#include "CupsHttp.h"
#include "DestinationAttributes.h"
#include "ServerTextDelegate.h"
#include "WizardFields.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cups/cups.h>

ClassMembersPage::ClassMembersPage(QWidget* parent)
    : QWizardPage(parent)
{
    setTitle(tr("Select members of class"));
    setSubTitle(tr("Move printers, which you want to add to class, from left list to right list"));

    auto* box = new QGroupBox(title(), this);
    m_available = newList(box);
    m_members = newList(box);
    auto* toButton = new QPushButton(QStringLiteral(">"), box);
    auto* fromButton = new QPushButton(QStringLiteral("<"), box);
    // The arrows need words for screen readers and tool tips.
    toButton->setAccessibleName(tr("Add the selected printers to the class"));
    fromButton->setAccessibleName(tr("Remove the selected printers from the class"));
    for (QPushButton* button : {toButton, fromButton})
        button->setToolTip(button->accessibleName());
    auto* buttons = new QVBoxLayout;
    buttons->addStretch();
    buttons->addWidget(toButton);
    buttons->addWidget(fromButton);
    buttons->addStretch();
    auto* boxLayout = new QHBoxLayout(box);
    boxLayout->addWidget(m_available);
    boxLayout->addLayout(buttons);
    boxLayout->addWidget(m_members);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box);

    connect(toButton, SIGNAL(clicked()), this, SLOT(toMembers()));
    connect(fromButton, SIGNAL(clicked()), this, SLOT(fromMembers()));
    for (QTreeWidget* list : {m_available, m_members}) {
        connect(list, SIGNAL(itemDoubleClicked(QTreeWidgetItem*, int)), this,
                SLOT(itemDoubleClicked(QTreeWidgetItem*, int)));
    }
    registerField(WizardField::classMembers, this, "classMembers");
}

QTreeWidget* ClassMembersPage::newList(QWidget* parent)
{
    auto* list = new QTreeWidget(parent);
    list->setHeaderLabels({tr("Name"), tr("URI")});
    list->setSortingEnabled(true);
    list->setRootIsDecorated(false);
    list->setItemDelegate(new ServerTextDelegate(list));
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    return list;
}

QStringList ClassMembersPage::classMembers() const
{
    QStringList uris;
    for (int i = 0; i < m_members->topLevelItemCount(); ++i)
        uris << m_members->topLevelItem(i)->text(1);
    return uris;
}

void ClassMembersPage::setClassMembers(const QStringList& uris)
{
    for (const QString& uri : uris)
        new QTreeWidgetItem(m_members, {uri.section(QLatin1Char('/'), -1), uri});
}

void ClassMembersPage::initializePage()
{
    m_available->clear();
    m_members->clear();
    Cups::HTTP* connection = Cups::HTTP::getUniqueConnection();
    const QList<QVariantMap> destinations = connection ? connection->destinations() : QList<QVariantMap>();
    for (const QVariantMap& destination : destinations) {
        // The scheduler refuses classes as members of a class.
        if (DestinationAttributes::firstUInt(destination, QStringLiteral("printer-type")) & CUPS_PRINTER_CLASS)
            continue;
        const QString name = DestinationAttributes::firstString(destination, QStringLiteral("printer-name"));
        QString uri = DestinationAttributes::firstString(destination, QStringLiteral("printer-uri"));
        if (uri.isEmpty())
            uri = DestinationAttributes::firstString(destination, QStringLiteral("printer-uri-supported"));
        if (uri == QLatin1String("file:/dev/null") || name.isEmpty() || uri.isEmpty())
            continue;
        new QTreeWidgetItem(m_available, {name, uri});
    }
    for (int column = 0; column < m_available->columnCount(); ++column)
        m_available->resizeColumnToContents(column);
    emit completeChanged();
}

void ClassMembersPage::move(QTreeWidget* from, QTreeWidget* to)
{
    const QList<QTreeWidgetItem*> selected = from->selectedItems();
    for (QTreeWidgetItem* item : selected)
        to->insertTopLevelItem(0, from->takeTopLevelItem(from->indexOfTopLevelItem(item)));
    emit completeChanged();
}

void ClassMembersPage::toMembers()
{
    move(m_available, m_members);
}

void ClassMembersPage::fromMembers()
{
    move(m_members, m_available);
}

void ClassMembersPage::itemDoubleClicked(QTreeWidgetItem* item, int)
{
    if (!item)
        return;
    if (item->treeWidget() == m_members)
        fromMembers();
    else if (item->treeWidget() == m_available)
        toMembers();
}

bool ClassMembersPage::validatePage()
{
    return isComplete();
}

bool ClassMembersPage::isComplete() const
{
    return m_members->topLevelItemCount() > 0;
}
