#include "LimitDialog.h"

#include "AclWidget.h"
#include "ConfigEdit.h"
#include "DialogSize.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHash>
#include <QHeaderView>
#include <QMap>
#include <QPushButton>
#include <QSet>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QVariant>

namespace {

const QString sizeName = QStringLiteral("Limit");
constexpr QSize initialSize(560, 480);

const QString limitKeyword = QStringLiteral("Limit");
const QString limitExceptKeyword = QStringLiteral("LimitExcept");

// The scheduler reads section names in any letter case.
bool isNamed(const Cups::ConfigNode& node, const QString& keyword)
{
    return node.name().compare(keyword, Qt::CaseInsensitive) == 0;
}

// Column 0 of a limits-list item keeps, next to the section, which of the
// parent's limits it was read from.
constexpr int limitIndexRole = Qt::UserRole + 1;

struct Operation
{
    const char* name;
    const char* description;
};

const Operation ippOperations[] = {
    {"All",
     QT_TRANSLATE_NOOP("LimitDialog", "All operations - used as the default limit for operations that are not listed")},
    {"CUPS-Accept-Jobs",
     QT_TRANSLATE_NOOP("LimitDialog", "Sets the printer-is-accepting-jobs value for a printer to true")},
    {"CUPS-Add-Modify-Class", QT_TRANSLATE_NOOP("LimitDialog", "Adds or modifies a class")},
    {"CUPS-Add-Modify-Printer", QT_TRANSLATE_NOOP("LimitDialog", "Adds or modifies a printer")},
    {"CUPS-Authenticate-Job", QT_TRANSLATE_NOOP("LimitDialog", "Authenticates a job for printing")},
    {"CUPS-Delete-Class", QT_TRANSLATE_NOOP("LimitDialog", "Deletes a class")},
    {"CUPS-Delete-Printer", QT_TRANSLATE_NOOP("LimitDialog", "Deletes a printer")},
    {"CUPS-Get-Classes", QT_TRANSLATE_NOOP("LimitDialog", "Gets a list of classes")},
    {"CUPS-Get-Default", QT_TRANSLATE_NOOP("LimitDialog", "Gets the (network/server) default printer or class")},
    {"CUPS-Get-Devices", QT_TRANSLATE_NOOP("LimitDialog", "Gets a list of available devices")},
    {"CUPS-Get-PPDs", QT_TRANSLATE_NOOP("LimitDialog", "Gets a list of available manufacturers or drivers")},
    {"CUPS-Get-Printers", QT_TRANSLATE_NOOP("LimitDialog", "Gets a list of printers and/or classes")},
    {"CUPS-Move-Job", QT_TRANSLATE_NOOP("LimitDialog", "Moves a job to a new destination")},
    {"CUPS-Reject-Jobs",
     QT_TRANSLATE_NOOP("LimitDialog", "Sets the printer-is-accepting-jobs value for a printer to false")},
    {"CUPS-Set-Default", QT_TRANSLATE_NOOP("LimitDialog", "Sets the network/server default printer or class")},
    {"Cancel-Job", QT_TRANSLATE_NOOP("LimitDialog", "Cancel a job")},
    {"Cancel-Subscription", QT_TRANSLATE_NOOP("LimitDialog", "Cancel a subscription")},
    {"Create-Job", QT_TRANSLATE_NOOP("LimitDialog", "Create a new, empty job")},
    {"Create-Job-Subscription", QT_TRANSLATE_NOOP("LimitDialog", "Creates a notification subscription on a job")},
    {"Create-Printer-Subscription",
     QT_TRANSLATE_NOOP("LimitDialog", "Creates a notification subscription on a printer")},
    {"Disable-Printer", QT_TRANSLATE_NOOP("LimitDialog", "Sets the printer-state value for a printer to stopped")},
    {"Enable-Printer",
     QT_TRANSLATE_NOOP("LimitDialog", "Sets the printer-state value for a printer to idle/processing")},
    {"Get-Job-Attributes", QT_TRANSLATE_NOOP("LimitDialog", "Gets information about a job")},
    {"Get-Jobs", QT_TRANSLATE_NOOP("LimitDialog", "Gets a list of jobs")},
    {"Get-Notifications", QT_TRANSLATE_NOOP("LimitDialog", "Gets a list of events")},
    {"Get-Printer-Attributes", QT_TRANSLATE_NOOP("LimitDialog", "Gets information about a printer or class")},
    {"Get-Subscription-Attributes",
     QT_TRANSLATE_NOOP("LimitDialog", "Gets information about a notification subscription")},
    {"Get-Subscriptions", QT_TRANSLATE_NOOP("LimitDialog", "Gets a list of notification subscriptions")},
    {"Hold-Job", QT_TRANSLATE_NOOP("LimitDialog", "Holds a job for printing")},
    {"Pause-Printer", QT_TRANSLATE_NOOP("LimitDialog", "Sets the printer-state value for a printer to stopped")},
    {"Print-Job", QT_TRANSLATE_NOOP("LimitDialog", "Creates a job with a single file for printing")},
    {"Purge-Jobs", QT_TRANSLATE_NOOP("LimitDialog", "Removes all jobs from a printer")},
    {"Release-Job", QT_TRANSLATE_NOOP("LimitDialog", "Releases a previously held job for printing")},
    {"Renew-Subscription", QT_TRANSLATE_NOOP("LimitDialog", "Renews a notification subscription")},
    {"Restart-Job", QT_TRANSLATE_NOOP("LimitDialog", "Reprints a job")},
    {"Resume-Printer",
     QT_TRANSLATE_NOOP("LimitDialog", "Sets the printer-stae value for a printer to idle/processing")},
    {"Send-Document", QT_TRANSLATE_NOOP("LimitDialog", "Adds a file to an job created with Create-Job")},
    {"Set-Job-Attributes", QT_TRANSLATE_NOOP("LimitDialog", "Changes job options")},
    {"Validate-Job", QT_TRANSLATE_NOOP("LimitDialog", "Validates job options prior to printing")},
};

const char* const httpMethods[] = {
    QT_TRANSLATE_NOOP("LimitDialog", "DELETE"), QT_TRANSLATE_NOOP("LimitDialog", "GET"),
    QT_TRANSLATE_NOOP("LimitDialog", "HEAD"),   QT_TRANSLATE_NOOP("LimitDialog", "OPTIONS"),
    QT_TRANSLATE_NOOP("LimitDialog", "POST"),   QT_TRANSLATE_NOOP("LimitDialog", "PUT"),
    QT_TRANSLATE_NOOP("LimitDialog", "TRACE"),
};

QStringList words(const QString& value)
{
    return value.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

QTreeWidgetItem* operationItem(const QString& name, const QString& text)
{
    auto* item = new QTreeWidgetItem({text});
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(0, Qt::Unchecked);
    item->setData(0, Qt::UserRole, name);
    item->setToolTip(0, name);
    return item;
}

} // namespace

LimitDialog::LimitDialog(Mode mode, QWidget* parent)
    : QDialog(parent)
    , m_mode(mode)
{
    setWindowTitle(tr("Limit operations"));

    // Made first, so that Tab goes from the tab bar into the page below it.
    auto* tabs = new QTabWidget(this);
    m_except = new QCheckBox(tr("Except of"), this);
    m_operations = new QTreeWidget(this);
    m_operations->setHeaderLabels({tr("Operation")});
    m_operations->setRootIsDecorated(false);
    m_acl = new AclWidget(this);

    auto* limitPage = new QWidget(tabs);
    auto* limitLayout = new QVBoxLayout(limitPage);
    limitLayout->addWidget(m_except);
    limitLayout->addWidget(m_operations);
    tabs->addTab(limitPage, tr("Limit"));
    tabs->addTab(m_acl, tr("Options"));

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(m_buttons, SIGNAL(accepted()), this, SLOT(accept()));
    connect(m_buttons, SIGNAL(rejected()), this, SLOT(reject()));
    // A limit without operations makes the scheduler refuse the whole file.
    connect(m_operations, SIGNAL(itemChanged(QTreeWidgetItem*, int)), this, SLOT(updateOkButton()));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs, 1);
    layout->addWidget(m_buttons);

    fillOperations();
    updateOkButton();

    resize(initialSize);
    restoreDialogSize(this, sizeName);
}

LimitDialog::~LimitDialog()
{
    saveDialogSize(this, sizeName);
}

void LimitDialog::fillOperations()
{
    m_operations->clear();
    if (m_mode == Mode::IppOperations) {
        QMap<QString, QString> operations;
        for (const Operation& operation : ippOperations)
            operations.insert(QString::fromLatin1(operation.name), tr(operation.description));
        for (auto it = operations.cbegin(); it != operations.cend(); ++it)
            m_operations->addTopLevelItem(operationItem(it.key(), it.value()));
    } else {
        for (const char* method : httpMethods)
            m_operations->addTopLevelItem(operationItem(QString::fromLatin1(method), tr(method)));
    }
}

void LimitDialog::setInheritedOrder(const QString& keyword)
{
    m_acl->setInheritedOrder(keyword);
}

void LimitDialog::setSection(const QVariant& section)
{
    m_read = Cups::ConfigNode(section);
    m_acl->setSection(section);
    m_except->setChecked(isNamed(m_read, limitExceptKeyword));
    fillOperations();

    m_readOperations = words(m_read.value());
    for (const QString& name : qAsConst(m_readOperations)) {
        bool known = false;
        int insertAt = m_operations->topLevelItemCount();
        for (int row = m_operations->topLevelItemCount() - 1; row >= 0; --row) {
            QTreeWidgetItem* item = m_operations->topLevelItem(row);
            const QString itemName = item->data(0, Qt::UserRole).toString();
            if (itemName.compare(name, Qt::CaseInsensitive) == 0) {
                item->setCheckState(0, Qt::Checked);
                known = true;
            } else if (name < itemName) {
                insertAt = row;
            }
        }
        // The scheduler knows more operations than the list (Print-URI,
        // Close-Job ...) and takes them in any letter case; one the list lacks
        // is shown checked so that the limit keeps it.
        if (!known) {
            QTreeWidgetItem* extra = operationItem(name, name);
            extra->setCheckState(0, Qt::Checked);
            m_operations->insertTopLevelItem(insertAt, extra);
        }
    }
    updateOkButton();
}

QStringList LimitDialog::checkedOperations() const
{
    QStringList names;
    for (int row = 0; row < m_operations->topLevelItemCount(); ++row) {
        const QTreeWidgetItem* item = m_operations->topLevelItem(row);
        if (item->checkState(0) == Qt::Checked)
            names << item->data(0, Qt::UserRole).toString();
    }
    return names;
}

QVariant LimitDialog::section() const
{
    Cups::ConfigNode limit(m_except->isChecked() ? limitExceptKeyword : limitKeyword, QString());
    limit.setChildren(Cups::ConfigNode(m_acl->section()).children());
    const QStringList checked = checkedOperations();
    // The administrator's order of the operations stays while the set does.
    const auto lowered = [](const QStringList& names) {
        QSet<QString> set;
        for (const QString& name : names)
            set.insert(name.toLower());
        return set;
    };
    const bool unchanged = !m_readOperations.isEmpty() && lowered(checked) == lowered(m_readOperations);
    limit.setValue(unchanged ? m_read.value() : checked.join(QLatin1Char(' ')));
    return ConfigEdit::rewritten(m_read, limit).toVariant();
}

void LimitDialog::updateOkButton()
{
    bool anyChecked = false;
    for (int row = 0; row < m_operations->topLevelItemCount() && !anyChecked; ++row)
        anyChecked = m_operations->topLevelItem(row)->checkState(0) == Qt::Checked;
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(anyChecked);
}

void LimitDialog::setUpLimitsList(QTreeWidget* list)
{
    list->setRootIsDecorated(false);
    // The operations of a limit make a long line; the yes or no beside them does not.
    list->header()->setStretchLastSection(false);
    list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    list->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
}

bool LimitDialog::isLimit(const Cups::ConfigNode& node)
{
    return isNamed(node, limitKeyword) || isNamed(node, limitExceptKeyword);
}

void LimitDialog::fillLimitsList(QTreeWidget* list, const QVector<Cups::ConfigNode>& children)
{
    list->clear();
    int index = 0;
    for (const Cups::ConfigNode& child : children) {
        if (!isLimit(child))
            continue;
        auto* item = new QTreeWidgetItem(list);
        showLimit(item, child.toVariant());
        item->setData(0, limitIndexRole, index++);
    }
}

void LimitDialog::showLimit(QTreeWidgetItem* item, const QVariant& section)
{
    const Cups::ConfigNode limit(section);
    item->setText(0, limit.value());
    item->setToolTip(0, limit.value());
    item->setText(1, isNamed(limit, limitExceptKeyword) ? tr("yes") : tr("no"));
    item->setData(0, Qt::UserRole, section);
}

QVector<Cups::ConfigNode> LimitDialog::withListedLimits(const QVector<Cups::ConfigNode>& children,
                                                        const QTreeWidget* list)
{
    QHash<int, Cups::ConfigNode> listed;
    QVector<Cups::ConfigNode> added;
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        const QTreeWidgetItem* item = list->topLevelItem(row);
        const Cups::ConfigNode limit(item->data(0, Qt::UserRole));
        const QVariant index = item->data(0, limitIndexRole);
        if (index.isValid())
            listed.insert(index.toInt(), limit);
        else
            added << limit;
    }

    QVector<Cups::ConfigNode> result;
    int insertAt = -1;
    int index = 0;
    for (const Cups::ConfigNode& child : children) {
        if (!isLimit(child)) {
            result << child;
            continue;
        }
        const auto found = listed.constFind(index++);
        if (found != listed.cend())
            result << found.value();
        insertAt = result.size();
    }
    if (insertAt < 0)
        insertAt = result.size();
    for (int i = 0; i < added.size(); ++i)
        result.insert(insertAt + i, added.at(i));
    return result;
}
