#include "AclRequireDialog.h"

#include "DialogSize.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <grp.h>
#include <pwd.h>

namespace {

const QString sizeName = QStringLiteral("Require");
constexpr QSize initialSize(440, 120);

const QString userType = QStringLiteral("user");
const QString groupType = QStringLiteral("group");
const QString validUserType = QStringLiteral("valid-user");

// The scheduler's own names: the administrators' groups and the job's owner.
const QStringList specialNames = {QStringLiteral("@SYSTEM"), QStringLiteral("@OWNER")};

QStringList systemUsers()
{
    QStringList names;
    setpwent();
    while (const passwd* entry = getpwent())
        names << QString::fromLocal8Bit(entry->pw_name).trimmed();
    endpwent();
    return names;
}

QStringList systemGroups()
{
    QStringList names;
    setgrent();
    while (const group* entry = getgrent())
        names << QString::fromLocal8Bit(entry->gr_name).trimmed().toLower();
    endgrent();
    return names;
}

} // namespace

AclRequireDialog::AclRequireDialog(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Authentication is required for"));

    m_type = new QComboBox(this);
    m_type->addItem(tr("User"), userType);
    m_type->addItem(tr("Group"), groupType);
    m_type->addItem(tr("Any valid user"), validUserType);
    m_name = new QComboBox(this);
    m_name->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(tr("User or group:"), this));
    row->addWidget(m_type);
    row->addWidget(m_name, 1);
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, SIGNAL(accepted()), this, SLOT(accept()));
    connect(buttons, SIGNAL(rejected()), this, SLOT(reject()));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addStretch();
    layout->addWidget(line);
    layout->addWidget(buttons);

    connect(m_type, SIGNAL(currentIndexChanged(int)), this, SLOT(currentTypeChanged(int)));
    currentTypeChanged(m_type->currentIndex());

    resize(initialSize);
    restoreDialogSize(this, sizeName);
}

AclRequireDialog::~AclRequireDialog()
{
    saveDialogSize(this, sizeName);
}

QString AclRequireDialog::type() const
{
    return m_type->currentData().toString();
}

QString AclRequireDialog::typeText() const
{
    return m_type->currentText();
}

void AclRequireDialog::setType(const QString& keyword)
{
    int index = m_type->findData(keyword);
    if (index < 0) {
        m_type->addItem(keyword, keyword);
        index = m_type->count() - 1;
    }
    m_type->setCurrentIndex(index);
}

QString AclRequireDialog::name() const
{
    return m_name->currentText();
}

void AclRequireDialog::setName(const QString& name)
{
    if (!m_name->isEnabled())
        return;
    // A rule without a name must not take the first user of the list on.
    if (name.isEmpty()) {
        m_name->setCurrentIndex(-1);
        return;
    }
    int index = m_name->findText(name);
    if (index < 0) {
        m_name->addItem(name);
        index = m_name->count() - 1;
    }
    m_name->setCurrentIndex(index);
}

void AclRequireDialog::currentTypeChanged(int index)
{
    const QString type = m_type->itemData(index).toString();
    m_name->clear();
    m_name->setEnabled(type != validUserType);
    if (type == userType)
        m_name->addItems(systemUsers() + specialNames);
    else if (type == groupType)
        m_name->addItems(systemGroups() + specialNames);
}
