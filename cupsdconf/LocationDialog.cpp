#include "LocationDialog.h"

#include "AclWidget.h"
#include "AddEditDelTreeWidget.h"
#include "ConfigEdit.h"
#include "DialogSize.h"
#include "FormLayout.h"
#include "LimitDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QVBoxLayout>
#include <QVariant>

namespace {

const QString sizeName = QStringLiteral("Location");
constexpr QSize initialSize(620, 560);

struct Path
{
    const char* path;
    const char* description;
};

const Path paths[] = {
    {"/", QT_TRANSLATE_NOOP("LocationDialog", "The path for all get operations (get-printers, get-jobs, etc.)")},
    {"/admin",
     QT_TRANSLATE_NOOP("LocationDialog",
                       "The path for all administration operations (add-printer, delete-printer, start-printer, etc.)")},
    {"/admin/conf",
     QT_TRANSLATE_NOOP("LocationDialog",
                       "The path for access to the CUPS configuration files (cupsd.conf, client.conf, etc.)")},
    {"/admin/log",
     QT_TRANSLATE_NOOP("LocationDialog",
                       "The path for access to the CUPS log files (access_log, error_log, page_log)")},
    {"/classes", QT_TRANSLATE_NOOP("LocationDialog", "The path for all classes")},
    {"/jobs", QT_TRANSLATE_NOOP("LocationDialog", "The path for all jobs (hold-job, release-job, etc.)")},
    {"/printers", QT_TRANSLATE_NOOP("LocationDialog", "The path for all printers")},
};

const QString locationKeyword = QStringLiteral("Location");

} // namespace

LocationDialog::LocationDialog(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Location"));

    m_path = new QComboBox(this);
    fillPaths();
    m_acl = new AclWidget(this);
    m_limits = new AddEditDelTreeWidget(this);
    m_limits->setHeaderLabels({tr("Limits"), tr("Except")});
    LimitDialog::setUpLimitsList(m_limits);

    auto* form = new FormLayout;
    form->addRow(tr("Location"), m_path);
    form->addRow(m_acl);
    form->addRow(m_limits);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, SIGNAL(accepted()), this, SLOT(accept()));
    connect(buttons, SIGNAL(rejected()), this, SLOT(reject()));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form, 1);
    layout->addWidget(buttons);

    connect(m_limits, SIGNAL(addItemRequested()), this, SLOT(addLimitItem()));
    connect(m_limits, SIGNAL(editItemRequested(QTreeWidgetItem*)), this, SLOT(editLimitItem(QTreeWidgetItem*)));

    resize(initialSize);
    restoreDialogSize(this, sizeName);
}

LocationDialog::~LocationDialog()
{
    saveDialogSize(this, sizeName);
}

void LocationDialog::fillPaths()
{
    m_path->clear();
    for (const Path& path : paths) {
        const QString keyword = QString::fromLatin1(path.path);
        m_path->addItem(tr(path.description), keyword);
        m_path->setItemData(m_path->count() - 1, keyword, Qt::ToolTipRole);
    }
}

void LocationDialog::setSection(const QVariant& section)
{
    m_read = Cups::ConfigNode(section);
    m_acl->setSection(section);

    fillPaths();
    // A location for one printer or class, say, is as valid as the seven
    // common ones and must not become "/" on saving.
    const QString path = m_read.value().trimmed();
    int index = m_path->findData(path);
    if (index < 0) {
        m_path->addItem(path, path);
        index = m_path->count() - 1;
    }
    m_path->setCurrentIndex(index);

    LimitDialog::fillLimitsList(m_limits, m_read.children());
}

QVariant LocationDialog::section() const
{
    const QString path = m_path->currentData().toString();
    Cups::ConfigNode location(locationKeyword, path == m_read.value().trimmed() ? m_read.value() : path);
    const Cups::ConfigNode rules(m_acl->section());
    location.setChildren(LimitDialog::withListedLimits(rules.children(), m_limits));
    return ConfigEdit::rewritten(m_read, location).toVariant();
}

void LocationDialog::addLimitItem()
{
    LimitDialog dialog(LimitDialog::Mode::HttpMethods, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    LimitDialog::showLimit(new QTreeWidgetItem(m_limits), dialog.section());
}

void LocationDialog::editLimitItem(QTreeWidgetItem* item)
{
    if (!item)
        return;
    LimitDialog dialog(LimitDialog::Mode::HttpMethods, this);
    dialog.setInheritedOrder(m_acl->order());
    dialog.setSection(item->data(0, Qt::UserRole));
    if (dialog.exec() != QDialog::Accepted)
        return;
    LimitDialog::showLimit(item, dialog.section());
}
