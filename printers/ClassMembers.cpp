#include "ClassMembers.h"

#include "CupsHttp.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int buttonSize = 32;
constexpr int nameColumn = 0;
constexpr int uriColumn = 1;
// Wide enough for a name and a typical "ipp://host:port/printers/name" URI.
constexpr int listWidthInCharacters = 48;

QString firstValue(const QVariantMap& attributes, const QString& key)
{
    return attributes.value(key).toList().value(0).toString();
}

QGroupBox* groupAround(QTreeWidget* list, const QString& title, QWidget* parent)
{
    auto* box = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(list);
    return box;
}

} // namespace

ClassMembers::ClassMembers(QWidget* parent)
    : QWidget(parent)
{
    setWindowTitle(tr("Class members"));

    m_includedList = createList(this);
    m_excludedList = createList(this);

    m_includeButton = new QPushButton(QStringLiteral(">"), this);
    m_includeButton->setFixedSize(buttonSize, buttonSize);
    m_excludeButton = new QPushButton(QStringLiteral("<"), this);
    m_excludeButton->setFixedSize(buttonSize, buttonSize);
    // The arrows need words for screen readers and tool tips.
    m_includeButton->setAccessibleName(tr("Include the selected printers"));
    m_excludeButton->setAccessibleName(tr("Exclude the selected printers"));
    for (QPushButton* button : {m_includeButton, m_excludeButton})
        button->setToolTip(button->accessibleName());

    auto* buttonColumn = new QVBoxLayout;
    buttonColumn->addStretch();
    buttonColumn->addWidget(m_includeButton);
    buttonColumn->addWidget(m_excludeButton);
    buttonColumn->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(groupAround(m_excludedList, tr("Excluded members"), this));
    layout->addLayout(buttonColumn);
    layout->addWidget(groupAround(m_includedList, tr("Included members"), this));

    // The include button sits above the exclude button.
    setTabOrder(m_excludedList, m_includeButton);
    setTabOrder(m_includeButton, m_excludeButton);
    setTabOrder(m_excludeButton, m_includedList);

    connect(m_includedList, SIGNAL(itemDoubleClicked(QTreeWidgetItem*, int)), this,
            SLOT(itemDoubleClicked(QTreeWidgetItem*, int)));
    connect(m_excludedList, SIGNAL(itemDoubleClicked(QTreeWidgetItem*, int)), this,
            SLOT(itemDoubleClicked(QTreeWidgetItem*, int)));
    connect(m_includeButton, SIGNAL(clicked()), this, SLOT(clicked()));
    connect(m_excludeButton, SIGNAL(clicked()), this, SLOT(clicked()));
}

QTreeWidget* ClassMembers::createList(QWidget* parent)
{
    auto* list = new QTreeWidget(parent);
    list->setHeaderLabels({tr("Name"), tr("URI")});
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setItemsExpandable(false);
    list->setRootIsDecorated(false);
    list->header()->setSectionResizeMode(nameColumn, QHeaderView::ResizeToContents);
    list->setMinimumWidth(list->fontMetrics().averageCharWidth() * listWidthInCharacters);
    return list;
}

void ClassMembers::itemDoubleClicked(QTreeWidgetItem* item, int)
{
    if (!item)
        return;
    if (item->treeWidget() == m_includedList)
        moveItem(item, m_includedList, m_excludedList);
    else if (item->treeWidget() == m_excludedList)
        moveItem(item, m_excludedList, m_includedList);
}

void ClassMembers::clicked()
{
    if (sender() == m_includeButton)
        moveSelected(m_excludedList, m_includedList);
    else if (sender() == m_excludeButton)
        moveSelected(m_includedList, m_excludedList);
}

void ClassMembers::load(const QStringList& uris, const QString& cname)
{
    // A second load would otherwise list every destination twice.
    m_includedList->clear();
    m_excludedList->clear();

    Cups::HTTP* connection = Cups::HTTP::getUniqueConnection();
    if (!connection)
        return;
    const QList<QVariantMap> destinations = connection->destinations();
    for (const QVariantMap& destination : destinations) {
        QString uri = firstValue(destination, QStringLiteral("printer-uri"));
        if (uri.isEmpty())
            uri = firstValue(destination, QStringLiteral("printer-uri-supported"));
        const QString name = firstValue(destination, QStringLiteral("printer-name"));
        if (name.isEmpty() || uri.isEmpty() || uri.contains(QLatin1String("file:/dev/null")) || name == cname)
            continue;
        QTreeWidget* list = uris.contains(uri) ? m_includedList : m_excludedList;
        list->addTopLevelItem(new QTreeWidgetItem(QStringList{name, uri}));
    }
}

QStringList ClassMembers::save()
{
    QStringList uris;
    for (int i = 0; i < m_includedList->topLevelItemCount(); ++i)
        uris << m_includedList->topLevelItem(i)->text(uriColumn);
    return uris;
}

void ClassMembers::moveSelected(QTreeWidget* from, QTreeWidget* to)
{
    const QList<QTreeWidgetItem*> selected = from->selectedItems();
    for (QTreeWidgetItem* item : selected)
        moveItem(item, from, to);
}

void ClassMembers::moveItem(QTreeWidgetItem* item, QTreeWidget* from, QTreeWidget* to)
{
    // Taking an item out of its view forgets its selection.
    const bool selected = item->isSelected();
    from->takeTopLevelItem(from->indexOfTopLevelItem(item));
    to->addTopLevelItem(item);
    item->setSelected(selected);
}
