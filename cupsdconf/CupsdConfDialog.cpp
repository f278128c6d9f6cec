#include "CupsdConfDialog.h"

#include "AclAddDialog.h"
#include "BrowsePollDialog.h"
#include "BrowseRelayDialog.h"
#include "CupsdConfHelp.h"
#include "DialogSize.h"
#include "DirectiveBindings.h"
#include "ISecurityServerPage.h"
#include "ListenDialog.h"
#include "LocationDialog.h"
#include "NOTValidator.h"
#include "PassEnvDialog.h"
#include "PolicyDialog.h"
#include "SecurityPlugins.h"
#include "SetEnvDialog.h"
#include "ui_CupsdConfDialog.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWhatsThis>

#include <functional>

#include <grp.h>
#include <pwd.h>

namespace {

const QString sizeName = QStringLiteral("Config");

const QString defaultFontPath = QStringLiteral("/usr/share/cups/fonts");
const QStringList protocolKeywords = {QStringLiteral("all"),   QStringLiteral("none"), QStringLiteral("cups"),
                                      QStringLiteral("dnssd"), QStringLiteral("ldap"), QStringLiteral("slp")};
const QString allowKeyword = QStringLiteral("Allow");
const QString denyKeyword = QStringLiteral("Deny");

// The trailing comment of a list directive travels with its item.
constexpr int commentRole = Qt::UserRole + 2;

const QString defaultPolicyName = QStringLiteral("default");

// Since version 1.6 the scheduler reads these from cups-files.conf and only
// complains about them in cupsd.conf.
const QStringList movedDirectives = {
    QStringLiteral("SystemGroup"),       QStringLiteral("AccessLog"),      QStringLiteral("ErrorLog"),
    QStringLiteral("PageLog"),           QStringLiteral("ServerRoot"),     QStringLiteral("ServerBin"),
    QStringLiteral("DataDir"),           QStringLiteral("DocumentRoot"),   QStringLiteral("RequestRoot"),
    QStringLiteral("TempDir"),           QStringLiteral("User"),           QStringLiteral("Group"),
    QStringLiteral("Printcap"),          QStringLiteral("PrintcapFormat"), QStringLiteral("FileDevice"),
    QStringLiteral("ServerCertificate"), QStringLiteral("ServerKey"),      QStringLiteral("RemoteRoot"),
    QStringLiteral("ConfigFilePerm"),    QStringLiteral("LogFilePerm"),    QStringLiteral("PassEnv"),
    QStringLiteral("SetEnv")};
// And with these in cupsd.conf it does not start at all.
const QStringList refusedDirectives = {QStringLiteral("KeepAliveTimeout"), QStringLiteral("DefaultCharset"),
                                       QStringLiteral("RIPCache"), QStringLiteral("ListenBackLog")};
// Shown disabled whatever the file says.
const QStringList alwaysDisabled = {QStringLiteral("Printcap"), QStringLiteral("PrintcapFormat")};
const QVersionNumber filesConfVersion(1, 6);

struct Choice
{
    QString keyword;
    QString text;
};

void fillCombo(QComboBox* combo, const QVector<Choice>& choices)
{
    combo->clear();
    for (const Choice& choice : choices)
        combo->addItem(choice.text, choice.keyword);
}

// A keyword the combo box does not offer is added, so that the file's
// setting is shown and written back instead of the first item.
void selectKeyword(QComboBox* combo, const QString& keyword)
{
    int index = combo->findData(keyword, Qt::UserRole, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0) {
        combo->addItem(keyword, keyword);
        index = combo->count() - 1;
    }
    combo->setCurrentIndex(index);
}

QString currentKeyword(const QComboBox* combo)
{
    return combo->currentIndex() < 0 ? QString() : combo->currentData().toString();
}

// The scheduler's own reading of a boolean: one of its words for true, or
// a number other than zero.
bool isTrueWord(const QString& value)
{
    const QString word = value.trimmed();
    for (const char* known : {"yes", "on", "true", "enabled"}) {
        if (word.compare(QLatin1String(known), Qt::CaseInsensitive) == 0)
            return true;
    }
    bool number = false;
    const long long parsed = word.toLongLong(&number);
    return number && parsed != 0;
}

QStringList systemUsers()
{
    QStringList users;
    ::setpwent();
    while (const passwd* entry = ::getpwent())
        users << QString::fromLocal8Bit(entry->pw_name).trimmed();
    ::endpwent();
    return users;
}

QStringList systemGroups()
{
    QStringList groups;
    ::setgrent();
    while (const group* entry = ::getgrent())
        groups << QString::fromLocal8Bit(entry->gr_name).trimmed().toLower();
    ::endgrent();
    return groups;
}

QTreeWidgetItem* addItem(QTreeWidget* list, const QStringList& columns, const QString& comment = QString())
{
    auto* item = new QTreeWidgetItem(list, columns);
    if (!comment.isEmpty())
        item->setData(0, commentRole, comment);
    return item;
}

using Field = DirectiveBindings::Field;
using List = DirectiveBindings::List;
using ItemNode = DirectiveBindings::ItemNode;

ItemNode itemNode(const QTreeWidgetItem* item, const Cups::ConfigNode& node)
{
    return DirectiveBindings::itemNode(item, node);
}

ItemNode itemNode(const QTreeWidgetItem* item, const QString& name, const QString& value)
{
    Cups::ConfigNode node(name, value);
    node.setComment(item->data(0, commentRole).toString());
    return itemNode(item, node);
}

bool hasItemText(const QTreeWidget* list, const QString& text)
{
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        if (list->topLevelItem(i)->text(0) == text)
            return true;
    }
    return false;
}

} // namespace

CupsdConfDialog::CupsdConfDialog(QWidget* parent)
    : CupsdConfDialog(securityServerPages(), parent)
{
}

CupsdConfDialog::CupsdConfDialog(const QList<ISecurityServerPage*>& serverPages, QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::CupsdConfDialog>())
    , m_serverPages(serverPages)
{
    setWindowFlags(windowFlags() | Qt::WindowContextHelpButtonHint);
    setWindowTitle(tr("Server configuration"));

    auto* content = new QWidget(this);
    m_content = content;
    m_ui->setupUi(content);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, SIGNAL(accepted()), this, SLOT(accept()));
    connect(buttons, SIGNAL(rejected()), this, SLOT(reject()));

    addAction(QWhatsThis::createAction(this));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(content, 1);
    layout->addWidget(buttons);

    m_ui->labelPrintcapGUI->hide();
    m_ui->ePrintcapGUI->hide();

    fillValueTables();
    fillUsersAndGroups();
    connectLists();
    connect(m_ui->cbBrowsing, SIGNAL(toggled(bool)), m_ui->tabWidget_4, SLOT(setEnabled(bool)));
    CupsdConfHelp::apply(content);

    resize(10, 10);

    m_validator = new NOTValidator(QRegExp(QStringLiteral("[ #]")), this);
    for (QLineEdit* edit : {m_ui->eServerName, m_ui->eServerAdmin, m_ui->eRemoteRoot, m_ui->eBrowseLDAPBindDN,
                            m_ui->eBrowseLDAPDN, m_ui->eBrowseLDAPPassword, m_ui->eBrowseLDAPServer,
                            m_ui->eBrowseLocalOptions, m_ui->eBrowseRemoteOptions})
        edit->setValidator(m_validator);

    for (ISecurityServerPage* page : qAsConst(m_serverPages))
        m_ui->m_securityTabWidget->addTab(page->widget(), page->title());

    restoreDialogSize(this, sizeName);

    defineFields();
    defineLists();
    m_bindings.rememberLoadedState();
    applySchedulerRules();
}

CupsdConfDialog::~CupsdConfDialog()
{
    saveDialogSize(this, sizeName);
    // The pages belong to their plug-ins and serve the next dialog too; as
    // tabs they would die with this one.
    for (ISecurityServerPage* page : qAsConst(m_serverPages)) {
        QWidget* widget = page->widget();
        m_ui->m_securityTabWidget->removeTab(m_ui->m_securityTabWidget->indexOf(widget));
        widget->setParent(nullptr);
    }
}

void CupsdConfDialog::fillValueTables()
{
    fillCombo(m_ui->cbClassification, {{QString(), QString()},
                                       {QStringLiteral("unclassified"), tr("Unclassified")},
                                       {QStringLiteral("classified"), tr("Classified")},
                                       {QStringLiteral("confidential"), tr("Confidential")},
                                       {QStringLiteral("secret"), tr("Secret")},
                                       {QStringLiteral("topsecret"), tr("Topsecret")}});
    fillCombo(m_ui->cbDefaultCharset, {{QStringLiteral("utf-8"), tr("UTF-8")},
                                       {QStringLiteral("windows-1251"), tr("CP-1251")},
                                       {QStringLiteral("iso-8859-1"), tr("ISO-8859-1")},
                                       {QStringLiteral("iso-8859-5"), tr("ISO-8859-5")}});
    fillCombo(m_ui->cbDefaultLanguage,
              {{QStringLiteral("en"), tr("English (US)")}, {QStringLiteral("ru"), tr("Russian")}});
    fillCombo(m_ui->cbPrintcapFormat, {{QStringLiteral("BSD"), tr("BSD")}, {QStringLiteral("Solaris"), tr("Solaris")}});
    fillCombo(m_ui->cbServerTokens, {{QStringLiteral("Minimal"), tr("Minimal")},
                                     {QStringLiteral("None"), tr("None")},
                                     {QStringLiteral("ProductOnly"), tr("Product only")},
                                     {QStringLiteral("Major"), tr("Major")},
                                     {QStringLiteral("Minor"), tr("Minor")},
                                     {QStringLiteral("OS"), tr("OS")},
                                     {QStringLiteral("Full"), tr("Full")}});
    fillCombo(m_ui->cbHostNameLookups, {{QStringLiteral("Off"), tr("Off")},
                                        {QStringLiteral("On"), tr("On")},
                                        {QStringLiteral("Double"), tr("Double")}});
    fillCombo(m_ui->cbGSSServiceName, {{QStringLiteral("IPP"), tr("IPP")}, {QStringLiteral("HTTP"), tr("HTTP")}});
    fillCombo(m_ui->cbDefaultEncryption, {{QStringLiteral("Required"), tr("Required")},
                                          {QStringLiteral("Never"), tr("Never")},
                                          {QStringLiteral("IfRequested"), tr("If requested")}});
    fillCombo(m_ui->cbDefaultAuthType, {{QStringLiteral("None"), tr("None")},
                                        {QStringLiteral("Basic"), tr("Basic")},
                                        {QStringLiteral("BasicDigest"), tr("Basic Digest")},
                                        {QStringLiteral("Digest"), tr("Digest")},
                                        {QStringLiteral("Negotiate"), tr("Negotiate")}});
    fillCombo(m_ui->cbLogLevel,
              {{QStringLiteral("info"), tr("Log all requests and state changes (default)")},
               {QStringLiteral("none"), tr("Log nothing")},
               {QStringLiteral("emerg"), tr("Log emergency conditions that prevent the server from running")},
               {QStringLiteral("alert"), tr("Log alerts that must be handled immediately")},
               {QStringLiteral("crit"), tr("Log critical errors that don't prevent the server from running")},
               {QStringLiteral("error"), tr("Log general errors")},
               {QStringLiteral("warn"), tr("Log errors and warnings")},
               {QStringLiteral("notice"), tr("Log temporary error conditions")},
               {QStringLiteral("debug"), tr("Log basic debugging information")},
               {QStringLiteral("debug2"), tr("Log all debugging information")}});
    fillCombo(m_ui->cbErrorPolicy,
              {{QStringLiteral("stop-printer"), tr("Stop the printer and keep the job for future printing (default)")},
               {QStringLiteral("abort-job"), tr("Abort the job and proceed with the next job in the queue")},
               {QStringLiteral("retry-job"), tr("Retry the job after waiting for 'Job retry interval' seconds")}});
    fillCombo(m_ui->cbBrowseOrder,
              {{QStringLiteral("deny,allow"), tr("Allow browse packets by default, then check deny conditions")},
               {QStringLiteral("allow,deny"), tr("Deny browse packets by default, then check allow conditions")}});
    const QVector<Choice> units = {{QString(), tr("Bytes")},
                                   {QStringLiteral("k"), tr("Kilobytes")},
                                   {QStringLiteral("m"), tr("Megabytes")},
                                   {QStringLiteral("g"), tr("Gigabytes")}};
    for (QComboBox* combo : {m_ui->cbLimitRequestBody, m_ui->cbMaxLogSize, m_ui->cbRIPCache})
        fillCombo(combo, units);
}

void CupsdConfDialog::fillUsersAndGroups()
{
    const QString lp = QStringLiteral("lp");
    for (const QString& user : systemUsers())
        m_ui->cbUser->addItem(user, user);
    m_systemGroups = systemGroups();
    for (const QString& group : qAsConst(m_systemGroups))
        m_ui->cbGroup->addItem(group, group);
    for (QComboBox* combo : {m_ui->cbUser, m_ui->cbGroup}) {
        const int index = combo->findData(lp);
        if (index >= 0)
            combo->setCurrentIndex(index);
    }
    fillSystemGroups();
}

void CupsdConfDialog::fillSystemGroups()
{
    m_ui->twSystemGroup->clear();
    for (const QString& group : qAsConst(m_systemGroups)) {
        auto* item = new QTreeWidgetItem(m_ui->twSystemGroup, {group});
        item->setCheckState(0, Qt::Unchecked);
    }
}

void CupsdConfDialog::connectLists()
{
    const struct
    {
        QTreeWidget* list;
        const char* add;
        const char* edit;
    } lists[] = {
        {m_ui->twListen, SLOT(addListenItem()), SLOT(editListenItem(QTreeWidgetItem*))},
        {m_ui->twLocation, SLOT(addLocationItem()), SLOT(editLocationItem(QTreeWidgetItem*))},
        {m_ui->twPolicy, SLOT(addPolicyItem()), SLOT(editPolicyItem(QTreeWidgetItem*))},
        {m_ui->twFontPath, SLOT(addFontPathItem()), SLOT(editFontPathItem(QTreeWidgetItem*))},
        {m_ui->twInclude, SLOT(addIncludeItem()), SLOT(editIncludeItem(QTreeWidgetItem*))},
        {m_ui->twBrowsePoll, SLOT(addBrowsePollItem()), SLOT(editBrowsePollItem(QTreeWidgetItem*))},
        {m_ui->twBrowseACL, SLOT(addBrowseACLItem()), SLOT(editBrowseACLItem(QTreeWidgetItem*))},
        {m_ui->twBrowseRelay, SLOT(addBrowseRelayItem()), SLOT(editBrowseRelayItem(QTreeWidgetItem*))},
        {m_ui->twPassEnv, SLOT(addPassEnvItem()), SLOT(editPassEnvItem(QTreeWidgetItem*))},
        {m_ui->twSetEnv, SLOT(addSetEnvItem()), SLOT(editSetEnvItem(QTreeWidgetItem*))},
    };
    for (const auto& entry : lists) {
        connect(entry.list, SIGNAL(addItemRequested()), this, entry.add);
        connect(entry.list, SIGNAL(editItemRequested(QTreeWidgetItem*)), this, entry.edit);
    }
    connect(m_ui->twPolicy, SIGNAL(aboutToDeleteItem(QTreeWidgetItem*)), this,
            SLOT(preDeletePolicyItem(QTreeWidgetItem*)));
}

void CupsdConfDialog::defineFields()
{
    const auto text = [this](const QString& directive, QLineEdit* edit) {
        Field field;
        field.directive = directive;
        field.read = [edit](const QString& value) { edit->setText(value); };
        field.value = [edit] { return edit->text(); };
        m_bindings.add(field);
    };
    const auto path = [this](const QString& directive, TesselPathSelector* selector) {
        Field field;
        field.directive = directive;
        field.read = [selector](const QString& value) { selector->setValue(value); };
        field.value = [selector] { return selector->value(); };
        m_bindings.add(field);
    };
    const auto yesNo = [this](const QString& directive, std::function<bool()> isChecked,
                              std::function<void(bool)> setChecked) {
        Field field;
        field.directive = directive;
        field.read = [setChecked](const QString& value) { setChecked(isTrueWord(value)); };
        field.value = [isChecked] { return isChecked() ? QStringLiteral("Yes") : QStringLiteral("No"); };
        m_bindings.add(field);
    };
    const auto check = [yesNo](const QString& directive, QAbstractButton* box) {
        yesNo(directive, [box] { return box->isChecked(); }, [box](bool on) { box->setChecked(on); });
    };
    const auto number = [this](const QString& directive, QSpinBox* spin) {
        Field field;
        field.directive = directive;
        field.read = [spin](const QString& value) { spin->setValue(value.trimmed().toInt()); };
        field.value = [spin] { return QString::number(spin->value()); };
        m_bindings.add(field);
    };
    const auto keyword = [this](const QString& directive, QComboBox* combo) {
        Field field;
        field.directive = directive;
        field.read = [combo](const QString& value) { selectKeyword(combo, value.trimmed()); };
        field.value = [combo] { return currentKeyword(combo); };
        m_bindings.add(field);
    };
    const auto size = [this](const QString& directive, QSpinBox* spin, QComboBox* unit) {
        Field field;
        field.directive = directive;
        field.read = [spin, unit](const QString& value) {
            QString digits;
            QString rest;
            for (const QChar c : value.trimmed())
                (c >= QLatin1Char('0') && c <= QLatin1Char('9') ? digits : rest) += c;
            spin->setValue(digits.toInt());
            selectKeyword(unit, rest);
        };
        field.value = [spin, unit] { return QString::number(spin->value()) + currentKeyword(unit); };
        m_bindings.add(field);
    };
    const auto protocols = [this](const QString& directive) {
        QVector<QCheckBox*> boxes;
        for (const QString& keyword : protocolKeywords)
            boxes << findChild<QCheckBox*>(QStringLiteral("chb%1_%2").arg(directive, keyword));
        Field field;
        field.directive = directive;
        field.browse = true;
        field.emptyAllowed = true;
        field.read = [boxes](const QString& value) {
            const QStringList parts = value.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
            for (int i = 0; i < boxes.size(); ++i)
                boxes[i]->setChecked(parts.contains(protocolKeywords.at(i)));
        };
        field.value = [boxes] {
            QStringList checked;
            for (int i = 0; i < boxes.size(); ++i) {
                if (boxes[i]->isChecked())
                    checked << protocolKeywords.at(i);
            }
            return checked.join(QLatin1Char(' '));
        };
        m_bindings.add(field);
    };
    const auto browse = [this] { m_bindings.lastField().browse = true; };

    Ui::CupsdConfDialog* ui = m_ui.get();
    text(QStringLiteral("ServerName"), ui->eServerName);
    text(QStringLiteral("ServerAdmin"), ui->eServerAdmin);
    keyword(QStringLiteral("Classification"), ui->cbClassification);
    check(QStringLiteral("ClassifyOverride"), ui->chbClassifyOverride);
    keyword(QStringLiteral("DefaultCharset"), ui->cbDefaultCharset);
    keyword(QStringLiteral("DefaultLanguage"), ui->cbDefaultLanguage);
    keyword(QStringLiteral("ServerTokens"), ui->cbServerTokens);
    path(QStringLiteral("Printcap"), ui->ePrintcap);
    path(QStringLiteral("PrintcapGUI"), ui->ePrintcapGUI);
    keyword(QStringLiteral("PrintcapFormat"), ui->cbPrintcapFormat);

    keyword(QStringLiteral("HostNameLookups"), ui->cbHostNameLookups);
    check(QStringLiteral("KeepAlive"), ui->chbKeepAlive);
    number(QStringLiteral("KeepAliveTimeout"), ui->sbKeepAliveTimeout);
    number(QStringLiteral("MaxClients"), ui->sbMaxClients);
    number(QStringLiteral("MaxClientsPerHost"), ui->sbMaxClientsPerHost);
    size(QStringLiteral("LimitRequestBody"), ui->sbLimitRequestBody, ui->cbLimitRequestBody);
    number(QStringLiteral("Timeout"), ui->sbTimeout);

    text(QStringLiteral("RemoteRoot"), ui->eRemoteRoot);
    path(QStringLiteral("ServerCertificate"), ui->eServerCertificate);
    number(QStringLiteral("RootCertDuration"), ui->sbRootCertDuration);
    path(QStringLiteral("ServerKey"), ui->eServerKey);
    text(QStringLiteral("ConfigFilePerm"), ui->eConfigFilePerm);
    keyword(QStringLiteral("DefaultEncryption"), ui->cbDefaultEncryption);
    keyword(QStringLiteral("DefaultAuthType"), ui->cbDefaultAuthType);
    check(QStringLiteral("DefaultShared"), ui->chbDefaultShared);

    Field systemGroup;
    systemGroup.directive = QStringLiteral("SystemGroup");
    systemGroup.read = [list = ui->twSystemGroup](const QString& value) {
        for (const QString& group : value.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            // A group this machine lacks may well exist on the server.
            const QList<QTreeWidgetItem*> found = list->findItems(group, Qt::MatchExactly | Qt::MatchCaseSensitive);
            if (found.isEmpty())
                new QTreeWidgetItem(list, {group});
            for (QTreeWidgetItem* item : list->findItems(group, Qt::MatchExactly | Qt::MatchCaseSensitive))
                item->setCheckState(0, Qt::Checked);
        }
    };
    systemGroup.value = [list = ui->twSystemGroup] {
        QStringList checked;
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            if (list->topLevelItem(i)->checkState(0) == Qt::Checked)
                checked << list->topLevelItem(i)->text(0);
        }
        return checked.join(QLatin1Char(' '));
    };
    m_bindings.add(systemGroup);

    Field defaultPolicy;
    defaultPolicy.directive = QStringLiteral("DefaultPolicy");
    defaultPolicy.read = [combo = ui->cbDefaultPolicy](const QString& value) { selectKeyword(combo, value.trimmed()); };
    defaultPolicy.value = [combo = ui->cbDefaultPolicy] { return currentKeyword(combo); };
    defaultPolicy.readLast = true;
    m_bindings.add(defaultPolicy);

    path(QStringLiteral("AccessLog"), ui->eAccessLog);
    path(QStringLiteral("ErrorLog"), ui->eErrorLog);
    path(QStringLiteral("PageLog"), ui->ePageLog);
    size(QStringLiteral("MaxLogSize"), ui->sbMaxLogSize, ui->cbMaxLogSize);
    keyword(QStringLiteral("LogLevel"), ui->cbLogLevel);
    text(QStringLiteral("LogFilePerm"), ui->eLogFilePerm);
    number(QStringLiteral("ListenBackLog"), ui->sbListenBackLog);

    check(QStringLiteral("PreserveJobHistory"), ui->chbPreserveJobHistory);
    check(QStringLiteral("PreserveJobFiles"), ui->chbPreserveJobFiles);
    check(QStringLiteral("AutoPurgeJobs"), ui->chbAutoPurgeJobs);
    number(QStringLiteral("MaxJobs"), ui->sbMaxJobs);
    number(QStringLiteral("MaxJobsPerPrinter"), ui->sbMaxJobsPerPrinter);
    number(QStringLiteral("MaxJobsPerUser"), ui->sbMaxJobsPerUser);
    number(QStringLiteral("MaxCopies"), ui->sbMaxCopies);
    number(QStringLiteral("JobRetryLimit"), ui->sbJobRetryLimit);
    number(QStringLiteral("JobRetryInterval"), ui->sbJobRetryInterval);
    keyword(QStringLiteral("ErrorPolicy"), ui->cbErrorPolicy);
    number(QStringLiteral("ReloadTimeout"), ui->sbReloadTimeout);

    keyword(QStringLiteral("User"), ui->cbUser);
    keyword(QStringLiteral("Group"), ui->cbGroup);
    size(QStringLiteral("RIPCache"), ui->sbRIPCache, ui->cbRIPCache);
    number(QStringLiteral("FilterLimit"), ui->sbFilterLimit);
    number(QStringLiteral("FilterNice"), ui->sbFilterNice);

    path(QStringLiteral("DataDir"), ui->eDataDir);
    path(QStringLiteral("DocumentRoot"), ui->eDocumentRoot);
    path(QStringLiteral("RequestRoot"), ui->eRequestRoot);
    path(QStringLiteral("ServerBin"), ui->eServerBin);
    path(QStringLiteral("ServerRoot"), ui->eServerRoot);
    path(QStringLiteral("TempDir"), ui->eTempDir);

    Field fontPath;
    fontPath.directive = QStringLiteral("FontPath");
    fontPath.read = [list = ui->twFontPath](const QString& value) {
        list->clear();
        for (const QString& part : value.split(QLatin1Char(':'))) {
            if (!part.trimmed().isEmpty())
                new QTreeWidgetItem(list, {part.trimmed()});
        }
    };
    fontPath.value = [list = ui->twFontPath] {
        QStringList paths;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            paths << list->topLevelItem(i)->text(0);
        return paths.join(QLatin1Char(':'));
    };
    m_bindings.add(fontPath);

    Field browsing;
    browsing.directive = QStringLiteral("Browsing");
    browsing.read = [box = ui->cbBrowsing](const QString& value) { box->setChecked(isTrueWord(value)); };
    browsing.value = [box = ui->cbBrowsing] { return box->isChecked() ? QStringLiteral("On") : QStringLiteral("Off"); };
    m_bindings.add(browsing);

    number(QStringLiteral("BrowseInterval"), ui->sbBrowseInterval);
    browse();
    number(QStringLiteral("BrowseTimeout"), ui->sbBrowseTimeout);
    browse();
    keyword(QStringLiteral("BrowseOrder"), ui->cbBrowseOrder);
    browse();
    number(QStringLiteral("BrowsePort"), ui->sbBrowsePort);
    browse();
    yesNo(QStringLiteral("ImplicitClasses"), [box = ui->chbImplicitClasses] { return box->isChecked(); },
          [box = ui->chbImplicitClasses](bool on) { box->setChecked(on); });
    browse();
    check(QStringLiteral("BrowseShortNames"), ui->chbBrowseShortNames);
    browse();
    check(QStringLiteral("ImplicitAnyClasses"), ui->chbImplicitAnyClasses);
    browse();
    check(QStringLiteral("UseNetworkDefault"), ui->chbUseNetworkDefault);
    browse();
    check(QStringLiteral("HideImplicitMembers"), ui->chbHideImplicitMembers);
    browse();
    for (const auto& [directive, edit] :
         {std::pair<QString, QLineEdit*>{QStringLiteral("BrowseLDAPBindDN"), ui->eBrowseLDAPBindDN},
          {QStringLiteral("BrowseLDAPDN"), ui->eBrowseLDAPDN},
          {QStringLiteral("BrowseLDAPPassword"), ui->eBrowseLDAPPassword},
          {QStringLiteral("BrowseLDAPServer"), ui->eBrowseLDAPServer},
          {QStringLiteral("BrowseLocalOptions"), ui->eBrowseLocalOptions},
          {QStringLiteral("BrowseRemoteOptions"), ui->eBrowseRemoteOptions}}) {
        text(directive, edit);
        browse();
    }
    protocols(QStringLiteral("BrowseLocalProtocols"));
    protocols(QStringLiteral("BrowseProtocols"));
    protocols(QStringLiteral("BrowseRemoteProtocols"));

    check(QStringLiteral("FileDevice"), ui->chbFileDevice);
}

void CupsdConfDialog::defineLists()
{
    Ui::CupsdConfDialog* ui = m_ui.get();

    List listen;
    listen.directives = QStringList{QStringLiteral("Listen"), QStringLiteral("SSLListen"), QStringLiteral("Port"),
                         QStringLiteral("SSLPort")};
    listen.read = [this, ui](const Cups::ConfigNode& node) {
        const QString value = node.value().trimmed();
        if (value.isEmpty())
            return static_cast<QTreeWidgetItem*>(nullptr);
        const bool ssl = node.name().startsWith(QLatin1String("SSL"), Qt::CaseInsensitive);
        const bool port = node.name().endsWith(QLatin1String("Port"), Qt::CaseInsensitive);
        return addItem(ui->twListen, {port ? QStringLiteral("*:") + value : value, ssl ? tr("yes") : tr("no")},
                       node.comment());
    };
    listen.write = [this, ui] {
        QVector<ItemNode> nodes;
        for (int i = 0; i < ui->twListen->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = ui->twListen->topLevelItem(i);
            const bool ssl = item->text(1) == tr("yes");
            const QString name = ssl ? QStringLiteral("SSLListen") : QStringLiteral("Listen");
            nodes << itemNode(item, name, item->text(0));
        }
        return nodes;
    };
    m_bindings.add(listen);

    const auto sections = [this](const QString& directive, QTreeWidget* list, QComboBox* names) {
        List sectionList;
        sectionList.directives = QStringList{directive};
        sectionList.read = [list, names](const Cups::ConfigNode& node) {
            auto* item = new QTreeWidgetItem(list, {node.value()});
            item->setData(0, Qt::UserRole, node.toVariant());
            if (names)
                names->addItem(node.value(), node.value());
            return item;
        };
        sectionList.write = [list] {
            QVector<ItemNode> nodes;
            for (int i = 0; i < list->topLevelItemCount(); ++i) {
                const QTreeWidgetItem* item = list->topLevelItem(i);
                nodes << itemNode(item, Cups::ConfigNode(item->data(0, Qt::UserRole)));
            }
            return nodes;
        };
        m_bindings.add(sectionList);
    };
    sections(QStringLiteral("Location"), ui->twLocation, nullptr);
    sections(QStringLiteral("Policy"), ui->twPolicy, ui->cbDefaultPolicy);

    // Lists of one word per item.
    const auto words = [this](const QString& directive, QTreeWidget* list, bool browse) {
        List wordList;
        wordList.directives = QStringList{directive};
        wordList.browse = browse;
        wordList.read = [list](const Cups::ConfigNode& node) {
            const QString value = node.value().trimmed();
            return value.isEmpty() ? nullptr : addItem(list, {value}, node.comment());
        };
        wordList.write = [list, directive] {
            QVector<ItemNode> nodes;
            for (int i = 0; i < list->topLevelItemCount(); ++i) {
                const QTreeWidgetItem* item = list->topLevelItem(i);
                if (!item->text(0).trimmed().isEmpty())
                    nodes << itemNode(item, directive, item->text(0));
            }
            return nodes;
        };
        m_bindings.add(wordList);
    };
    words(QStringLiteral("BrowsePoll"), ui->twBrowsePoll, true);

    List acl;
    acl.directives = QStringList{QStringLiteral("BrowseAllow"), QStringLiteral("BrowseDeny")};
    acl.browse = true;
    acl.read = [this, ui](const Cups::ConfigNode& node) {
        // The scheduler reads the rule with or without the word "from".
        QStringList parts = node.value().simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (!parts.isEmpty() && parts.first().compare(QLatin1String("from"), Qt::CaseInsensitive) == 0)
            parts.removeFirst();
        if (parts.size() != 1)
            return static_cast<QTreeWidgetItem*>(nullptr);
        const bool allow = node.name().compare(QLatin1String("BrowseAllow"), Qt::CaseInsensitive) == 0;
        QTreeWidgetItem* item = addItem(ui->twBrowseACL, {allow ? tr("Allow") : tr("Deny"), parts.first()},
                                        node.comment());
        item->setData(0, Qt::UserRole, allow ? allowKeyword : denyKeyword);
        return item;
    };
    acl.write = [this, ui] {
        QVector<ItemNode> nodes;
        for (int i = 0; i < ui->twBrowseACL->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = ui->twBrowseACL->topLevelItem(i);
            const QString name = item->text(0) == tr("Allow") ? QStringLiteral("BrowseAllow from")
                                                              : QStringLiteral("BrowseDeny from");
            nodes << itemNode(item, name, item->text(1));
        }
        return nodes;
    };
    m_bindings.add(acl);

    List relay;
    relay.directives = QStringList{QStringLiteral("BrowseRelay")};
    relay.browse = true;
    relay.read = [ui](const Cups::ConfigNode& node) {
        const QStringList parts = node.value().simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        return parts.size() != 2 ? nullptr : addItem(ui->twBrowseRelay, parts, node.comment());
    };
    relay.write = [ui] {
        QVector<ItemNode> nodes;
        for (int i = 0; i < ui->twBrowseRelay->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = ui->twBrowseRelay->topLevelItem(i);
            nodes << itemNode(item, QStringLiteral("BrowseRelay"), item->text(0) + QLatin1Char(' ') + item->text(1));
        }
        return nodes;
    };
    m_bindings.add(relay);

    words(QStringLiteral("PassEnv"), ui->twPassEnv, false);
    words(QStringLiteral("Include"), ui->twInclude, false);

    List setEnv;
    setEnv.directives = QStringList{QStringLiteral("SetEnv")};
    setEnv.read = [ui](const Cups::ConfigNode& node) {
        // The scheduler takes everything after the name as the value, blanks included.
        const QString value = node.value().trimmed();
        const int blank = value.indexOf(QRegularExpression(QStringLiteral("\\s")));
        if (blank <= 0)
            return static_cast<QTreeWidgetItem*>(nullptr);
        return addItem(ui->twSetEnv, {value.left(blank), value.mid(blank + 1).trimmed()}, node.comment());
    };
    setEnv.write = [ui] {
        QVector<ItemNode> nodes;
        for (int i = 0; i < ui->twSetEnv->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = ui->twSetEnv->topLevelItem(i);
            nodes << itemNode(item, QStringLiteral("SetEnv"), item->text(0) + QLatin1Char(' ') + item->text(1));
        }
        return nodes;
    };
    m_bindings.add(setEnv);
}

void CupsdConfDialog::clearLists()
{
    for (QTreeWidget* list : {m_ui->twListen, m_ui->twLocation, m_ui->twPolicy, m_ui->twBrowsePoll,
                              m_ui->twBrowseACL, m_ui->twBrowseRelay, m_ui->twSetEnv, m_ui->twPassEnv,
                              m_ui->twInclude, m_ui->twFontPath})
        list->clear();
    m_ui->cbDefaultPolicy->clear();
    fillSystemGroups();
    new QTreeWidgetItem(m_ui->twFontPath, {defaultFontPath});
}

void CupsdConfDialog::setSchedulerVersion(const QVersionNumber& version)
{
    m_schedulerVersion = version;
    applySchedulerRules();
}

// A field whose directive the scheduler ignores or refuses in this file is
// read-only, so that changing it cannot report a success that changes
// nothing or a file that stops the server; a file that already has the
// directive stays editable, so that the user can mend or remove it.
void CupsdConfDialog::applySchedulerRules()
{
    CupsdConfHelp::apply(m_content);
    // Every scheduler in use reads cups-files.conf; one that does not say its version is one of them.
    const bool filesConf = m_schedulerVersion.isNull() || m_schedulerVersion >= filesConfVersion;
    for (const QString& directive : movedDirectives + refusedDirectives) {
        const bool enabled = !alwaysDisabled.contains(directive) && (!filesConf || m_bindings.inFile(directive));
        for (QWidget* widget : CupsdConfHelp::widgets(m_content, directive))
            widget->setEnabled(enabled);
        // The help of the refused ones says so for every version.
        if (filesConf && movedDirectives.contains(directive))
            CupsdConfHelp::addNote(m_content, directive,
                                   tr("The scheduler ignores this setting in cupsd.conf: it is made in "
                                      "cups-files.conf."));
    }
}

void CupsdConfDialog::setConfig(const Cups::ConfigNode& root)
{
    clearLists();
    m_bindings.read(root, [this](const Cups::ConfigNode& directive) {
        for (ISecurityServerPage* page : qAsConst(m_serverPages))
            page->offerDirective(directive.name(), directive.value());
    });
    if (m_bindings.lineOf(QStringLiteral("DefaultPolicy")) < 0)
        selectEffectiveDefaultPolicy();
    // Once for all items: a file may list hundreds of addresses.
    m_ui->twListen->resizeColumnToContents(0);

    m_bindings.rememberLoadedState();
    applySchedulerRules();
}

// Without DefaultPolicy the scheduler uses the policy named "default".
void CupsdConfDialog::selectEffectiveDefaultPolicy()
{
    const int index = m_ui->cbDefaultPolicy->findData(defaultPolicyName);
    if (index >= 0)
        m_ui->cbDefaultPolicy->setCurrentIndex(index);
}

bool CupsdConfDialog::browsing() const
{
    return m_ui->cbBrowsing->isChecked();
}

Cups::ConfigNode CupsdConfDialog::config() const
{
    QList<QMap<QString, QString>> pageDirectives;
    for (ISecurityServerPage* page : m_serverPages)
        pageDirectives << page->directives();
    return m_bindings.written(browsing(), pageDirectives);
}

void CupsdConfDialog::setListenItem(QTreeWidgetItem* item, const QString& address, int port, bool ssl) const
{
    QString destination = address.isEmpty() ? QStringLiteral("*") : address;
    if (port != 0)
        destination += QLatin1Char(':') + QString::number(port);
    item->setText(0, destination);
    item->setText(1, ssl ? tr("yes") : tr("no"));
    m_ui->twListen->resizeColumnToContents(0);
}

void CupsdConfDialog::addListenItem()
{
    ListenDialog dialog(this);
    dialog.setWindowTitle(tr("Add"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    setListenItem(new QTreeWidgetItem(m_ui->twListen), dialog.address(), dialog.port(), dialog.isSsl());
}

void CupsdConfDialog::editListenItem(QTreeWidgetItem* item)
{
    ListenDialog dialog(this);
    dialog.setWindowTitle(tr("Edit"));
    const QString destination = item->text(0);
    // Only a port number follows the last colon: "[::1]" and a socket path have none.
    const int colon = destination.lastIndexOf(QLatin1Char(':'));
    bool hasPort = false;
    const int port = colon > 0 ? destination.mid(colon + 1).toInt(&hasPort) : 0;
    dialog.setAddress(hasPort ? destination.left(colon) : destination);
    dialog.setPort(hasPort ? port : 0);
    dialog.setSsl(item->text(1) == tr("yes"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    setListenItem(item, dialog.address(), dialog.port(), dialog.isSsl());
}

bool CupsdConfDialog::editSection(QTreeWidget* list, QTreeWidgetItem* item, bool policy)
{
    QVariant section;
    if (policy) {
        PolicyDialog dialog(this);
        if (item)
            dialog.setSection(item->data(0, Qt::UserRole));
        if (dialog.exec() != QDialog::Accepted)
            return false;
        section = dialog.section();
    } else {
        LocationDialog dialog(this);
        if (item)
            dialog.setSection(item->data(0, Qt::UserRole));
        if (dialog.exec() != QDialog::Accepted)
            return false;
        section = dialog.section();
    }
    const QString name = Cups::ConfigNode(section).value();
    if (!item) {
        if (hasItemText(list, name)) {
            QMessageBox::critical(this, tr("Error"),
                                  policy ? tr("Policy already exists") : tr("Location already exists"),
                                  QMessageBox::Ok);
            return false;
        }
        item = new QTreeWidgetItem(list);
    }
    item->setText(0, name);
    item->setData(0, Qt::UserRole, section);
    return true;
}

void CupsdConfDialog::addLocationItem()
{
    editSection(m_ui->twLocation, nullptr, false);
}

void CupsdConfDialog::editLocationItem(QTreeWidgetItem* item)
{
    editSection(m_ui->twLocation, item, false);
}

void CupsdConfDialog::addPolicyItem()
{
    if (!editSection(m_ui->twPolicy, nullptr, true))
        return;
    const QString name = m_ui->twPolicy->topLevelItem(m_ui->twPolicy->topLevelItemCount() - 1)->text(0);
    m_ui->cbDefaultPolicy->addItem(name, name);
}

void CupsdConfDialog::editPolicyItem(QTreeWidgetItem* item)
{
    const QString oldName = item->text(0);
    if (!editSection(m_ui->twPolicy, item, true))
        return;
    // A renamed policy stays the default if it was; editing never makes a
    // policy the default by itself.
    const int index = m_ui->cbDefaultPolicy->findData(oldName, Qt::UserRole, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0) {
        m_ui->cbDefaultPolicy->setItemText(index, item->text(0));
        m_ui->cbDefaultPolicy->setItemData(index, item->text(0));
    }
}

// The scheduler needs a default policy, and which one it is decides who may
// do what: it is never chosen for the user.
void CupsdConfDialog::preDeletePolicyItem(QTreeWidgetItem* item)
{
    QComboBox* defaults = m_ui->cbDefaultPolicy;
    const QString name = item->text(0);
    const int index = defaults->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0)
        return;
    if (index != defaults->currentIndex()) {
        defaults->removeItem(index);
        return;
    }
    QStringList others;
    for (int i = 0; i < defaults->count(); ++i) {
        if (i != index)
            others << defaults->itemText(i);
    }
    if (others.isEmpty()) {
        QMessageBox::critical(this, tr("Error"),
                              tr("The policy \"%1\" is the default policy and the only one: the scheduler needs a "
                                 "default policy. Add another policy first.")
                                  .arg(name),
                              QMessageBox::Ok);
        m_ui->twPolicy->refuseDeletion();
        return;
    }
    bool chosen = false;
    const QString successor = QInputDialog::getItem(
        this, tr("Default policy"),
        tr("The policy \"%1\" is the default policy. Which policy becomes the default?").arg(name), others, 0, false,
        &chosen);
    if (!chosen) {
        m_ui->twPolicy->refuseDeletion();
        return;
    }
    defaults->setCurrentIndex(defaults->findText(successor, Qt::MatchExactly | Qt::MatchCaseSensitive));
    defaults->removeItem(defaults->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

QString CupsdConfDialog::choosePath(const QString& current, bool directory)
{
    QFileDialog dialog(this);
    if (directory) {
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly);
    } else {
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (!current.isEmpty())
        dialog.selectFile(current);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

void CupsdConfDialog::addFontPathItem()
{
    const QString path = choosePath(QString(), true);
    if (!path.isEmpty())
        new QTreeWidgetItem(m_ui->twFontPath, {path});
}

void CupsdConfDialog::editFontPathItem(QTreeWidgetItem* item)
{
    const QString path = choosePath(item->text(0), true);
    if (!path.isEmpty())
        item->setText(0, path);
}

// Include names a file to read, not a directory.
void CupsdConfDialog::addIncludeItem()
{
    const QString path = choosePath(QString(), false);
    if (!path.isEmpty())
        new QTreeWidgetItem(m_ui->twInclude, {path});
}

void CupsdConfDialog::editIncludeItem(QTreeWidgetItem* item)
{
    const QString path = choosePath(item->text(0), false);
    if (!path.isEmpty())
        item->setText(0, path);
}

void CupsdConfDialog::addBrowsePollItem()
{
    BrowsePollDialog dialog(this);
    if (dialog.exec() == QDialog::Accepted && !dialog.host().isEmpty())
        new QTreeWidgetItem(m_ui->twBrowsePoll, {dialog.host()});
}

void CupsdConfDialog::editBrowsePollItem(QTreeWidgetItem* item)
{
    BrowsePollDialog dialog(this);
    dialog.setHost(item->text(0));
    if (dialog.exec() == QDialog::Accepted)
        item->setText(0, dialog.host());
}

void CupsdConfDialog::addBrowseACLItem()
{
    AclAddDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    auto* item = new QTreeWidgetItem(m_ui->twBrowseACL, {dialog.actionText(), dialog.address()});
    item->setData(0, Qt::UserRole, dialog.action());
}

void CupsdConfDialog::editBrowseACLItem(QTreeWidgetItem* item)
{
    AclAddDialog dialog(this);
    dialog.setAddress(item->text(1));
    dialog.setAction(item->data(0, Qt::UserRole).toString());
    if (dialog.exec() != QDialog::Accepted)
        return;
    item->setText(0, dialog.actionText());
    item->setText(1, dialog.address());
    item->setData(0, Qt::UserRole, dialog.action());
}

void CupsdConfDialog::addBrowseRelayItem()
{
    BrowseRelayDialog dialog(this);
    if (dialog.exec() == QDialog::Accepted)
        new QTreeWidgetItem(m_ui->twBrowseRelay, {dialog.from(), dialog.to()});
}

void CupsdConfDialog::editBrowseRelayItem(QTreeWidgetItem* item)
{
    BrowseRelayDialog dialog(this);
    dialog.setFrom(item->text(0));
    dialog.setTo(item->text(1));
    if (dialog.exec() != QDialog::Accepted)
        return;
    item->setText(0, dialog.from());
    item->setText(1, dialog.to());
}

void CupsdConfDialog::addPassEnvItem()
{
    PassEnvDialog dialog(this);
    if (dialog.exec() == QDialog::Accepted)
        new QTreeWidgetItem(m_ui->twPassEnv, {dialog.name()});
}

void CupsdConfDialog::editPassEnvItem(QTreeWidgetItem* item)
{
    PassEnvDialog dialog(this);
    dialog.setName(item->text(0));
    if (dialog.exec() == QDialog::Accepted)
        item->setText(0, dialog.name());
}

void CupsdConfDialog::addSetEnvItem()
{
    SetEnvDialog dialog(this);
    if (dialog.exec() == QDialog::Accepted)
        new QTreeWidgetItem(m_ui->twSetEnv, {dialog.name(), dialog.value()});
}

void CupsdConfDialog::editSetEnvItem(QTreeWidgetItem* item)
{
    SetEnvDialog dialog(this);
    dialog.setName(item->text(0));
    dialog.setValue(item->text(1));
    if (dialog.exec() != QDialog::Accepted)
        return;
    item->setText(0, dialog.name());
    item->setText(1, dialog.value());
}
