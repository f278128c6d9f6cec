#include "AclWidget.h"

#include "AclAddDialog.h"
#include "AclRequireDialog.h"
#include "ui_AclWidget.h"

#include <QComboBox>
#include <QHash>
#include <QSet>
#include <QTreeWidgetItem>
#include <QVariant>

#include <algorithm>

namespace {

struct Choice
{
    const char* keyword;
    const char* text;
};

struct Setting
{
    const char* directive;
    QVector<Choice> choices;
};

// In the order in which a section gets the directives that the user sets and
// the section did not have.
const QVector<Setting> settings = {
    {"Order",
     {{"allow,deny", QT_TRANSLATE_NOOP("AclWidget", "Allow,deny")},
      {"deny,allow", QT_TRANSLATE_NOOP("AclWidget", "Deny,allow")}}},
    {"Satisfy", {{"all", QT_TRANSLATE_NOOP("AclWidget", "All")}, {"any", QT_TRANSLATE_NOOP("AclWidget", "Any")}}},
    {"Encryption",
     {{"IfRequested", QT_TRANSLATE_NOOP("AclWidget", "If requested")},
      {"Never", QT_TRANSLATE_NOOP("AclWidget", "Never")},
      {"Required", QT_TRANSLATE_NOOP("AclWidget", "Required")}}},
    {"AuthType",
     {{"None", QT_TRANSLATE_NOOP("AclWidget", "None")},
      {"Basic", QT_TRANSLATE_NOOP("AclWidget", "Basic")},
      {"Digest", QT_TRANSLATE_NOOP("AclWidget", "Digest")},
      {"BasicDigest", QT_TRANSLATE_NOOP("AclWidget", "Basic digest")},
      {"Negotiate", QT_TRANSLATE_NOOP("AclWidget", "Negotiate")}}},
};

// The scheduler lets every address in through a section without Order.
const QString schedulerDefaultOrder = QStringLiteral("deny,allow");

const QString allowKeyword = QStringLiteral("Allow");
const QString denyKeyword = QStringLiteral("Deny");
const QString requireKeyword = QStringLiteral("Require");
const QString userType = QStringLiteral("user");
const QString groupType = QStringLiteral("group");
const QString validUserType = QStringLiteral("valid-user");

// twRequire keeps the type and the name in column 0; twACL keeps the action
// keyword in column 1. Both lists remember in column 0 which child an item
// was read from and whether the user has edited it since.
constexpr int typeRole = Qt::UserRole;
constexpr int nameRole = Qt::UserRole + 1;
constexpr int actionRole = Qt::UserRole;
constexpr int lineRole = Qt::UserRole + 2;
constexpr int editedRole = Qt::UserRole + 3;

QStringList words(const QString& value)
{
    return value.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// A keyword the box lacks is one the scheduler knows and this list does not
// (AuthType Default, a keyword in other letter case): it is shown as it stands
// so that the section keeps it.
void selectKeyword(QComboBox* box, const QString& keyword)
{
    int index = box->findData(keyword);
    if (index < 0) {
        box->addItem(keyword, keyword);
        index = box->count() - 1;
    }
    box->setCurrentIndex(index);
}

QString actionText(const QString& keyword)
{
    return keyword == denyKeyword ? AclWidget::tr("Deny") : AclWidget::tr("Allow");
}

QString typeText(const QString& type)
{
    if (type == userType)
        return AclWidget::tr("User");
    if (type == groupType)
        return AclWidget::tr("Group");
    if (type == validUserType)
        return AclWidget::tr("Any valid user");
    return type;
}

bool isNamed(const QString& name, const QString& directive)
{
    return name.compare(directive, Qt::CaseInsensitive) == 0;
}

void showRule(QTreeWidgetItem* item, const QString& keyword, const QString& address)
{
    item->setText(0, address);
    item->setText(1, actionText(keyword));
    item->setData(1, actionRole, keyword);
}

void showRequirement(QTreeWidgetItem* item, const QString& type, const QString& name)
{
    item->setText(0, name.isEmpty() ? typeText(type) : typeText(type) + QLatin1Char(' ') + name);
    item->setData(0, typeRole, type);
    item->setData(0, nameRole, name);
}

Cups::ConfigNode ruleNode(const QTreeWidgetItem* item)
{
    return Cups::ConfigNode(item->data(1, actionRole).toString(), QLatin1String("from ") + item->text(0));
}

Cups::ConfigNode requirementNode(const QTreeWidgetItem* item)
{
    return Cups::ConfigNode(requireKeyword, item->data(0, typeRole).toString() + QLatin1Char(' ')
                                                + item->data(0, nameRole).toString());
}

// The scheduler reads the word "from" as optional and any number of
// addresses after it.
QStringList ruleAddresses(const QString& value)
{
    QStringList parts = words(value);
    if (!parts.isEmpty() && parts.first().compare(QLatin1String("from"), Qt::CaseInsensitive) == 0)
        parts.removeFirst();
    return parts;
}

} // namespace

AclWidget::AclWidget(QWidget* parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::AclWidget>())
    , m_inheritedOrder(schedulerDefaultOrder)
{
    m_ui->setupUi(this);
    m_settingBoxes = {m_ui->cbOrder, m_ui->cbSatisfy, m_ui->cbEncryption, m_ui->cbAuthType};
    resetSettings();
    m_shownSettings.fill(0, settings.size());

    connect(m_ui->twACL, SIGNAL(addItemRequested()), this, SLOT(addAclItem()));
    connect(m_ui->twACL, SIGNAL(editItemRequested(QTreeWidgetItem*)), this, SLOT(editAclItem(QTreeWidgetItem*)));
    connect(m_ui->twRequire, SIGNAL(addItemRequested()), this, SLOT(addRequireItem()));
    connect(m_ui->twRequire, SIGNAL(editItemRequested(QTreeWidgetItem*)), this,
            SLOT(editRequireItem(QTreeWidgetItem*)));
}

AclWidget::~AclWidget() = default;

void AclWidget::resetSettings()
{
    m_settingLines.fill(-1, settings.size());
    for (int setting = 0; setting < settings.size(); ++setting) {
        QComboBox* box = m_settingBoxes.at(setting);
        box->clear();
        for (const Choice& choice : settings.at(setting).choices)
            box->addItem(tr(choice.text), QString::fromLatin1(choice.keyword));
        box->setCurrentIndex(0);
    }
}

void AclWidget::setInheritedOrder(const QString& keyword)
{
    m_inheritedOrder = keyword;
}

QString AclWidget::order() const
{
    return m_ui->cbOrder->currentData().toString();
}

void AclWidget::setSection(const QVariant& section)
{
    m_read = true;
    m_children = Cups::ConfigNode(section).children();
    m_itemsOfLine.fill(0, m_children.size());
    m_ui->twACL->clear();
    m_ui->twRequire->clear();
    resetSettings();

    for (int line = 0; line < m_children.size(); ++line) {
        const Cups::ConfigNode& child = m_children.at(line);
        const QString& name = child.name();
        const auto setting = std::find_if(settings.cbegin(), settings.cend(), [&name](const Setting& s) {
            return isNamed(name, QLatin1String(s.directive));
        });
        if (setting != settings.cend()) {
            // The scheduler goes by the last one; earlier ones stay as read.
            m_settingLines[int(setting - settings.cbegin())] = line;
        } else if (isNamed(name, allowKeyword) || isNamed(name, denyKeyword)) {
            const QString keyword = isNamed(name, allowKeyword) ? allowKeyword : denyKeyword;
            const QStringList addresses = ruleAddresses(child.value());
            for (const QString& address : addresses) {
                auto* item = new QTreeWidgetItem(m_ui->twACL);
                showRule(item, keyword, address);
                item->setData(0, lineRole, line);
            }
            m_itemsOfLine[line] = addresses.size();
        } else if (isNamed(name, requireKeyword)) {
            QStringList parts = words(child.value());
            if (parts.isEmpty())
                continue;
            const QString type = parts.takeFirst();
            if (type == validUserType || parts.isEmpty())
                parts = QStringList{QString()};
            for (const QString& userOrGroup : qAsConst(parts)) {
                auto* item = new QTreeWidgetItem(m_ui->twRequire);
                showRequirement(item, type, userOrGroup);
                item->setData(0, lineRole, line);
            }
            m_itemsOfLine[line] = parts.size();
        }
    }

    for (int setting = 0; setting < settings.size(); ++setting) {
        const int line = m_settingLines.at(setting);
        if (line >= 0)
            selectKeyword(m_settingBoxes.at(setting), m_children.at(line).value().trimmed());
    }
    if (m_settingLines.at(0) < 0)
        selectKeyword(m_ui->cbOrder, m_inheritedOrder);
    for (int setting = 0; setting < settings.size(); ++setting)
        m_shownSettings[setting] = m_settingBoxes.at(setting)->currentIndex();
}

Cups::ConfigNode AclWidget::settingNode(int setting) const
{
    const Cups::ConfigNode& read = m_children.at(m_settingLines.at(setting));
    const QString keyword = m_settingBoxes.at(setting)->currentData().toString();
    if (keyword == read.value().trimmed())
        return read;
    Cups::ConfigNode changed = read;
    changed.setValue(keyword);
    return changed;
}

QVector<Cups::ConfigNode> AclWidget::editedChildren() const
{
    QVector<Cups::ConfigNode> added;
    QHash<int, QVector<Cups::ConfigNode>> itemsOfLine;
    QSet<int> editedLines;
    const auto collect = [&](const QTreeWidget* list, Cups::ConfigNode (*toNode)(const QTreeWidgetItem*)) {
        for (int row = 0; row < list->topLevelItemCount(); ++row) {
            const QTreeWidgetItem* item = list->topLevelItem(row);
            const QVariant line = item->data(0, lineRole);
            if (!line.isValid()) {
                added << toNode(item);
                continue;
            }
            itemsOfLine[line.toInt()] << toNode(item);
            if (item->data(0, editedRole).toBool())
                editedLines.insert(line.toInt());
        }
    };
    collect(m_ui->twACL, ruleNode);
    collect(m_ui->twRequire, requirementNode);

    QVector<Cups::ConfigNode> children;
    int insertAt = 0;
    for (int line = 0; line < m_children.size(); ++line) {
        const Cups::ConfigNode& child = m_children.at(line);
        const int setting = m_settingLines.indexOf(line);
        if (setting >= 0) {
            children << settingNode(setting);
            insertAt = children.size();
        } else if (m_itemsOfLine.at(line) > 0) {
            QVector<Cups::ConfigNode> nodes = itemsOfLine.value(line);
            if (!editedLines.contains(line) && nodes.size() == m_itemsOfLine.at(line)) {
                children << child;
            } else {
                if (!nodes.isEmpty())
                    nodes.first().setComment(child.comment());
                children << nodes;
            }
            insertAt = children.size();
        } else {
            children << child;
        }
    }

    // A new section gets all four settings. A changed one gets the Order it
    // lacks, since the scheduler reads every rule in the light of it, and
    // whatever else the user chose; the other boxes show what the scheduler
    // does without their directives anyway.
    bool changed = !m_read || !added.isEmpty() || children != m_children;
    QVector<Cups::ConfigNode> missing;
    for (int setting = 0; setting < settings.size(); ++setting) {
        const QComboBox* box = m_settingBoxes.at(setting);
        const bool chosen = box->currentIndex() != m_shownSettings.at(setting);
        changed = changed || chosen;
        if (m_settingLines.at(setting) < 0 && (!m_read || setting == 0 || chosen))
            missing << Cups::ConfigNode(QString::fromLatin1(settings.at(setting).directive),
                                        box->currentData().toString());
    }
    if (!changed)
        return children;
    // After the last line of their kind, which precedes the limits that
    // take the Order standing above them.
    missing += added;
    for (int i = 0; i < missing.size(); ++i)
        children.insert(insertAt + i, missing.at(i));
    return children;
}

QVariant AclWidget::section() const
{
    Cups::ConfigNode result;
    result.setChildren(editedChildren());
    return result.toVariant();
}

void AclWidget::addAclItem()
{
    AclAddDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    showRule(new QTreeWidgetItem(m_ui->twACL), dialog.action(), dialog.address());
}

void AclWidget::editAclItem(QTreeWidgetItem* item)
{
    if (!item)
        return;
    AclAddDialog dialog(this);
    dialog.setAddress(item->text(0));
    dialog.setAction(item->data(1, actionRole).toString());
    if (dialog.exec() != QDialog::Accepted)
        return;
    showRule(item, dialog.action(), dialog.address());
    item->setData(0, editedRole, true);
}

void AclWidget::addRequireItem()
{
    AclRequireDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    showRequirement(new QTreeWidgetItem(m_ui->twRequire), dialog.type(), dialog.name());
}

void AclWidget::editRequireItem(QTreeWidgetItem* item)
{
    if (!item)
        return;
    AclRequireDialog dialog(this);
    dialog.setType(item->data(0, typeRole).toString());
    dialog.setName(item->data(0, nameRole).toString());
    if (dialog.exec() != QDialog::Accepted)
        return;
    showRequirement(item, dialog.type(), dialog.name());
    item->setData(0, editedRole, true);
}
