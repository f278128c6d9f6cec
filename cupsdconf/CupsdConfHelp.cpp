#include "CupsdConfHelp.h"

#include <QWidget>

namespace {

QStringList labelled(const QString& directive, const QString& field)
{
    return {QStringLiteral("label") + directive, field};
}

QStringList protocolWidgets(const QString& directive)
{
    QStringList widgets{QStringLiteral("group") + directive};
    for (const char* keyword : {"all", "none", "cups", "dnssd", "ldap", "slp"})
        widgets << QStringLiteral("chb%1_%2").arg(directive, QLatin1String(keyword));
    return widgets;
}

} // namespace

QVector<CupsdConfHelp::Topic> CupsdConfHelp::topics()
{
    const QString refused = tr(" The scheduler of CUPS 2.4 refuses this directive and does not start with it.");
    return {
        {QStringLiteral("ServerName"), labelled(QStringLiteral("ServerName"), QStringLiteral("eServerName")),
         tr("The host name the server gives itself in the addresses it sends to clients. The default is the "
            "machine's host name."),
         {}},
        {QStringLiteral("ServerAdmin"), labelled(QStringLiteral("ServerAdmin"), QStringLiteral("eServerAdmin")),
         tr("The e-mail address that problems with the server are reported to. The default is root at the "
            "server name."),
         {}},
        {QStringLiteral("Classification"),
         labelled(QStringLiteral("Classification"), QStringLiteral("cbClassification")),
         tr("The classification printed on the banner pages of every job. The default is no classification."),
         {}},
        {QStringLiteral("ClassifyOverride"), {QStringLiteral("chbClassifyOverride")},
         tr("Whether users may choose other banner pages than the classification prescribes. The default is No."),
         {}},
        {QStringLiteral("DefaultCharset"),
         labelled(QStringLiteral("DefaultCharset"), QStringLiteral("cbDefaultCharset")),
         tr("The character set of text files and of the server's web pages when nothing else is said. The "
            "default is utf-8.")
             + refused,
         {}},
        {QStringLiteral("DefaultLanguage"),
         labelled(QStringLiteral("DefaultLanguage"), QStringLiteral("cbDefaultLanguage")),
         tr("The language of the server's web pages and messages when a client asks for none. The default is "
            "the language of the scheduler's environment, otherwise English."),
         {}},
        {QStringLiteral("ServerTokens"), labelled(QStringLiteral("ServerTokens"), QStringLiteral("cbServerTokens")),
         tr("How much the server tells about itself in the header of its HTTP answers. The default is Minimal."),
         tr("<table border=\"1\" cellpadding=\"2\">"
            "<tr><th>Value</th><th>Header sent</th></tr>"
            "<tr><td>None</td><td>nothing</td></tr>"
            "<tr><td>ProductOnly</td><td>CUPS IPP</td></tr>"
            "<tr><td>Major</td><td>CUPS/2 IPP/2</td></tr>"
            "<tr><td>Minor</td><td>CUPS/2.4 IPP/2.1</td></tr>"
            "<tr><td>Minimal</td><td>CUPS/2.4.2 IPP/2.1</td></tr>"
            "<tr><td>OS</td><td>CUPS/2.4.2 (Linux 6.1) IPP/2.1</td></tr>"
            "<tr><td>Full</td><td>CUPS/2.4.2 (Linux 6.1; x86_64) IPP/2.1</td></tr>"
            "</table>")},
        {QStringLiteral("Printcap"), labelled(QStringLiteral("Printcap"), QStringLiteral("ePrintcap")),
         tr("The file into which the scheduler writes the list of its printers for programs that read a printcap "
            "file; an empty name turns it off. The default is /etc/printcap."),
         {}},
        {QStringLiteral("PrintcapGUI"), labelled(QStringLiteral("PrintcapGUI"), QStringLiteral("ePrintcapGUI")),
         tr("The program that IRIX desktops run to set printer options, named in the printcap file. The default "
            "is /usr/bin/glpoptions.")
             + refused,
         {}},
        {QStringLiteral("PrintcapFormat"),
         labelled(QStringLiteral("PrintcapFormat"), QStringLiteral("cbPrintcapFormat")),
         tr("The format of the printcap file: BSD or Solaris. The default is BSD."), {}},
        {QStringLiteral("HostNameLookups"),
         labelled(QStringLiteral("HostNameLookups"), QStringLiteral("cbHostNameLookups")),
         tr("Whether the addresses of clients are looked up as host names: Off, On, or Double, which also checks "
            "that the name leads back to the same address. The default is Off."),
         {}},
        {QStringLiteral("KeepAlive"), {QStringLiteral("chbKeepAlive")},
         tr("Whether a client's connection stays open for further requests. The default is Yes."), {}},
        {QStringLiteral("KeepAliveTimeout"),
         labelled(QStringLiteral("KeepAliveTimeout"), QStringLiteral("sbKeepAliveTimeout")),
         tr("How long an idle connection is kept open. The default is 60 seconds.") + refused, {}},
        {QStringLiteral("MaxClients"), labelled(QStringLiteral("MaxClients"), QStringLiteral("sbMaxClients")),
         tr("The most clients the server serves at the same time. The default is 100."), {}},
        {QStringLiteral("MaxClientsPerHost"),
         labelled(QStringLiteral("MaxClientsPerHost"), QStringLiteral("sbMaxClientsPerHost")),
         tr("The most clients from one host the server serves at the same time. The default is the value of "
            "MaxClients."),
         {}},
        {QStringLiteral("LimitRequestBody"),
         {QStringLiteral("labelLimitRequestBody"), QStringLiteral("sbLimitRequestBody"),
          QStringLiteral("cbLimitRequestBody")},
         tr("The largest print file or request the server accepts; 0 means no limit. The default is 0."),
         {}},
        {QStringLiteral("Timeout"), labelled(QStringLiteral("Timeout"), QStringLiteral("sbTimeout")),
         tr("How long the server waits for a client before it gives up the request. The default is 900 seconds."),
         {}},
        {QStringLiteral("GSSServiceName"),
         labelled(QStringLiteral("GSSServiceName"), QStringLiteral("cbGSSServiceName")),
         tr("The Kerberos service name of the server for Negotiate authentication. The default is http. This "
            "dialog leaves the file's setting as it is."),
         {}},
        {QStringLiteral("Listen"), {QStringLiteral("groupListen"), QStringLiteral("twListen")},
         tr("The addresses with ports, and the domain sockets, on which the server takes connections; SSL marks "
            "those that only take encrypted ones. The default is none: the server does not start without an "
            "address to listen on."),
         {}},
        {QStringLiteral("RemoteRoot"), labelled(QStringLiteral("RemoteRoot"), QStringLiteral("eRemoteRoot")),
         tr("The user name given to requests from root on other machines that are not authenticated. The "
            "default is remroot."),
         {}},
        {QStringLiteral("ServerCertificate"),
         labelled(QStringLiteral("ServerCertificate"), QStringLiteral("eServerCertificate")),
         tr("The certificate file of encrypted connections. The default is /etc/cups/ssl/server.crt."), {}},
        {QStringLiteral("RootCertDuration"),
         labelled(QStringLiteral("RootCertDuration"), QStringLiteral("sbRootCertDuration")),
         tr("How often the certificate with which local programs authenticate as root is renewed; 0 never "
            "renews it. The default is 300 seconds."),
         {}},
        {QStringLiteral("ServerKey"), labelled(QStringLiteral("ServerKey"), QStringLiteral("eServerKey")),
         tr("The private key file of encrypted connections. The default is /etc/cups/ssl/server.key."), {}},
        {QStringLiteral("ConfigFilePerm"),
         labelled(QStringLiteral("ConfigFilePerm"), QStringLiteral("eConfigFilePerm")),
         tr("The permissions, as an octal number, of the configuration files the scheduler writes. The default "
            "is 0640."),
         {}},
        {QStringLiteral("DefaultEncryption"),
         labelled(QStringLiteral("DefaultEncryption"), QStringLiteral("cbDefaultEncryption")),
         tr("Whether connections that need authentication must be encrypted: Never, IfRequested or Required. "
            "The default is Required."),
         {}},
        {QStringLiteral("DefaultAuthType"),
         labelled(QStringLiteral("DefaultAuthType"), QStringLiteral("cbDefaultAuthType")),
         tr("The kind of authentication used where a section asks for the default one. The default is Basic."),
         {}},
        {QStringLiteral("DefaultShared"), {QStringLiteral("chbDefaultShared")},
         tr("Whether new local printers are shared with the network. The default is Yes."), {}},
        {QStringLiteral("SystemGroup"), {QStringLiteral("twSystemGroup")},
         tr("The groups whose members are administrators of the server. The default is the system's "
            "administrator groups, commonly lpadmin, sys and root."),
         {}},
        {QStringLiteral("Location"), {QStringLiteral("twLocation")},
         tr("Access rules for a path of the server, such as /admin. The default is the rules of the nearest "
            "path above it that has a section of its own."),
         {}},
        {QStringLiteral("Policy"), {QStringLiteral("twPolicy")},
         tr("Named sets of rules for the operations on printers and jobs, which printers are given. The default "
            "is a built-in policy named default."),
         {}},
        {QStringLiteral("DefaultPolicy"),
         labelled(QStringLiteral("DefaultPolicy"), QStringLiteral("cbDefaultPolicy")),
         tr("The policy of printers that have none of their own. The default is the policy named default."), {}},
        {QStringLiteral("AccessLog"), labelled(QStringLiteral("AccessLog"), QStringLiteral("eAccessLog")),
         tr("The file the scheduler records the requests it serves in. The default is /var/log/cups/access_log."),
         {}},
        {QStringLiteral("ErrorLog"), labelled(QStringLiteral("ErrorLog"), QStringLiteral("eErrorLog")),
         tr("The file of the scheduler's messages. The default is /var/log/cups/error_log."), {}},
        {QStringLiteral("PageLog"), labelled(QStringLiteral("PageLog"), QStringLiteral("ePageLog")),
         tr("The file in which every printed page is recorded. The default is /var/log/cups/page_log."), {}},
        {QStringLiteral("MaxLogSize"),
         {QStringLiteral("labelMaxLogSize"), QStringLiteral("sbMaxLogSize"), QStringLiteral("cbMaxLogSize")},
         tr("The size at which a log file is set aside and a new one started; 0 never does so. The default is "
            "1 megabyte."),
         {}},
        {QStringLiteral("LogLevel"), labelled(QStringLiteral("LogLevel"), QStringLiteral("cbLogLevel")),
         tr("How much the scheduler writes into its error log. The default is warn."), {}},
        {QStringLiteral("LogFilePerm"), labelled(QStringLiteral("LogFilePerm"), QStringLiteral("eLogFilePerm")),
         tr("The permissions, as an octal number, of the log files. The default is 0644."), {}},
        {QStringLiteral("ListenBackLog"),
         labelled(QStringLiteral("ListenBackLog"), QStringLiteral("sbListenBackLog")),
         tr("How many connections may wait to be accepted. The default is the most the system allows.") + refused,
         {}},
        {QStringLiteral("PreserveJobHistory"), {QStringLiteral("chbPreserveJobHistory")},
         tr("Whether finished jobs stay in the job history. The default is Yes."), {}},
        {QStringLiteral("PreserveJobFiles"), {QStringLiteral("chbPreserveJobFiles")},
         tr("Whether the documents of finished jobs are kept so that the jobs can be printed again. The default "
            "is one day."),
         {}},
        {QStringLiteral("AutoPurgeJobs"), {QStringLiteral("chbAutoPurgeJobs")},
         tr("Whether finished jobs leave the history as soon as they no longer count for quotas. The default "
            "is No."),
         {}},
        {QStringLiteral("MaxJobs"), labelled(QStringLiteral("MaxJobs"), QStringLiteral("sbMaxJobs")),
         tr("The most jobs the server keeps, finished ones included; 0 means no limit. The default is 500."), {}},
        {QStringLiteral("MaxJobsPerPrinter"),
         labelled(QStringLiteral("MaxJobsPerPrinter"), QStringLiteral("sbMaxJobsPerPrinter")),
         tr("The most active jobs one printer may have; 0 means no limit. The default is 0."), {}},
        {QStringLiteral("MaxJobsPerUser"),
         labelled(QStringLiteral("MaxJobsPerUser"), QStringLiteral("sbMaxJobsPerUser")),
         tr("The most active jobs one user may have; 0 means no limit. The default is 0."), {}},
        {QStringLiteral("MaxCopies"), labelled(QStringLiteral("MaxCopies"), QStringLiteral("sbMaxCopies")),
         tr("The most copies of a document a user may ask for. The default is 9999."), {}},
        {QStringLiteral("JobRetryLimit"),
         labelled(QStringLiteral("JobRetryLimit"), QStringLiteral("sbJobRetryLimit")),
         tr("How often a failed job is tried again under the retry-job error policy. The default is 5."), {}},
        {QStringLiteral("JobRetryInterval"),
         labelled(QStringLiteral("JobRetryInterval"), QStringLiteral("sbJobRetryInterval")),
         tr("How long the server waits before it tries a failed job again. The default is 30 seconds."), {}},
        {QStringLiteral("ErrorPolicy"), labelled(QStringLiteral("ErrorPolicy"), QStringLiteral("cbErrorPolicy")),
         tr("What happens to a job when its printer fails. The default is stop-printer."), {}},
        {QStringLiteral("ReloadTimeout"),
         labelled(QStringLiteral("ReloadTimeout"), QStringLiteral("sbReloadTimeout")),
         tr("How long the scheduler waits for running jobs to finish before it restarts. The default is 30 "
            "seconds."),
         {}},
        {QStringLiteral("User"), labelled(QStringLiteral("User"), QStringLiteral("cbUser")),
         tr("The user the filters and backends run as. The default is lp."), {}},
        {QStringLiteral("Group"), labelled(QStringLiteral("Group"), QStringLiteral("cbGroup")),
         tr("The group the filters and backends run as. The default is lp."), {}},
        {QStringLiteral("RIPCache"),
         {QStringLiteral("labelRIPCache"), QStringLiteral("sbRIPCache"), QStringLiteral("cbRIPCache")},
         tr("How much memory a filter may use for the images it renders. The default is 128 megabytes.") + refused,
         {}},
        {QStringLiteral("FilterLimit"), labelled(QStringLiteral("FilterLimit"), QStringLiteral("sbFilterLimit")),
         tr("The total cost of the filters that may run at the same time; 0 means no limit. The default is 0."),
         {}},
        {QStringLiteral("FilterNice"), labelled(QStringLiteral("FilterNice"), QStringLiteral("sbFilterNice")),
         tr("The priority (nice value, 0 to 19) of filters; higher values leave more time to other programs. "
            "The default is 0."),
         {}},
        {QStringLiteral("DataDir"), labelled(QStringLiteral("DataDir"), QStringLiteral("eDataDir")),
         tr("The directory of the scheduler's data files. The default is /usr/share/cups."), {}},
        {QStringLiteral("DocumentRoot"), labelled(QStringLiteral("DocumentRoot"), QStringLiteral("eDocumentRoot")),
         tr("The directory of the server's web pages. The default is /usr/share/cups/doc-root."), {}},
        {QStringLiteral("RequestRoot"), labelled(QStringLiteral("RequestRoot"), QStringLiteral("eRequestRoot")),
         tr("The spool directory of jobs waiting to print. The default is /var/spool/cups."), {}},
        {QStringLiteral("ServerBin"), labelled(QStringLiteral("ServerBin"), QStringLiteral("eServerBin")),
         tr("The directory of the filters, backends and other programs of the scheduler. The default is "
            "/usr/lib/cups."),
         {}},
        {QStringLiteral("ServerRoot"), labelled(QStringLiteral("ServerRoot"), QStringLiteral("eServerRoot")),
         tr("The directory of the server's configuration files. The default is /etc/cups."), {}},
        {QStringLiteral("TempDir"), labelled(QStringLiteral("TempDir"), QStringLiteral("eTempDir")),
         tr("The directory of temporary files. The default is /var/spool/cups/tmp."), {}},
        {QStringLiteral("FontPath"), {QStringLiteral("twFontPath")},
         tr("The directories in which filters look for fonts. The default is /usr/share/cups/fonts.") + refused,
         {}},
        {QStringLiteral("Browsing"), {QStringLiteral("cbBrowsing")},
         tr("Whether the server announces its shared printers to the network and takes up printers that other "
            "servers announce. The default is Off."),
         {}},
        {QStringLiteral("BrowseInterval"),
         labelled(QStringLiteral("BrowseInterval"), QStringLiteral("sbBrowseInterval")),
         tr("Seconds between two announcements of the printers; 0 sends none. The default is 30 seconds.")
             + refused,
         {}},
        {QStringLiteral("BrowseTimeout"),
         labelled(QStringLiteral("BrowseTimeout"), QStringLiteral("sbBrowseTimeout")),
         tr("Seconds after which a remote printer that is no longer announced is removed. The default is 300 "
            "seconds.")
             + refused,
         {}},
        {QStringLiteral("BrowseOrder"), labelled(QStringLiteral("BrowseOrder"), QStringLiteral("cbBrowseOrder")),
         tr("Whether announcements are taken unless a rule denies them, or refused unless a rule allows them. "
            "The default is deny,allow.")
             + refused,
         {}},
        {QStringLiteral("BrowsePort"), labelled(QStringLiteral("BrowsePort"), QStringLiteral("sbBrowsePort")),
         tr("The UDP port of the announcements. The default is 631.") + refused, {}},
        {QStringLiteral("ImplicitClasses"), {QStringLiteral("chbImplicitClasses")},
         tr("Whether printers of the same name on several servers are joined into one class that spreads the "
            "jobs. The default is Yes.")
             + refused,
         {}},
        {QStringLiteral("ImplicitAnyClasses"), {QStringLiteral("chbImplicitAnyClasses")},
         tr("Whether such a class, named AnyPrinter, is also made when a local printer has the same name as "
            "remote ones. The default is No.")
             + refused,
         {}},
        {QStringLiteral("HideImplicitMembers"), {QStringLiteral("chbHideImplicitMembers")},
         tr("Whether the printers joined into an implicit class are hidden. The default is Yes.") + refused, {}},
        {QStringLiteral("BrowseShortNames"), {QStringLiteral("chbBrowseShortNames")},
         tr("Whether remote printers are named without their server where the name is unique. The default is "
            "Yes.")
             + refused,
         {}},
        {QStringLiteral("UseNetworkDefault"), {QStringLiteral("chbUseNetworkDefault")},
         tr("Whether the default printer announced on the network becomes the default of this server when it "
            "has none. The default is Yes.")
             + refused,
         {}},
        {QStringLiteral("BrowsePoll"), {QStringLiteral("twBrowsePoll")},
         tr("Servers whose printers are asked for regularly, for networks that announcements do not reach. The "
            "default is none.")
             + refused,
         {}},
        {QStringLiteral("BrowseAllow"), {QStringLiteral("twBrowseACL")},
         tr("The hosts or networks whose announcements are taken up (BrowseAllow) or ignored (BrowseDeny). The "
            "default is to take up all.")
             + refused,
         {}},
        {QStringLiteral("BrowseRelay"), {QStringLiteral("twBrowseRelay")},
         tr("Passes announcements received from one address on to another. The default is none.") + refused, {}},
        {QStringLiteral("BrowseLocalProtocols"), protocolWidgets(QStringLiteral("BrowseLocalProtocols")),
         tr("The protocols with which the local shared printers are announced. The default is dnssd."), {}},
        {QStringLiteral("BrowseProtocols"), protocolWidgets(QStringLiteral("BrowseProtocols")),
         tr("The protocols used both to announce printers and to find them. The default is dnssd."), {}},
        {QStringLiteral("BrowseRemoteProtocols"), protocolWidgets(QStringLiteral("BrowseRemoteProtocols")),
         tr("The protocols with which remote printers are found. The default is cups.") + refused, {}},
        {QStringLiteral("BrowseLDAPBindDN"),
         labelled(QStringLiteral("BrowseLDAPBindDN"), QStringLiteral("eBrowseLDAPBindDN")),
         tr("The distinguished name with which the server logs in to the LDAP server. The default is an "
            "anonymous login.")
             + refused,
         {}},
        {QStringLiteral("BrowseLDAPDN"), labelled(QStringLiteral("BrowseLDAPDN"), QStringLiteral("eBrowseLDAPDN")),
         tr("The LDAP entry below which printers are announced and looked for. The default is none.") + refused,
         {}},
        {QStringLiteral("BrowseLDAPPassword"),
         labelled(QStringLiteral("BrowseLDAPPassword"), QStringLiteral("eBrowseLDAPPassword")),
         tr("The password of the LDAP login. The default is none.") + refused, {}},
        {QStringLiteral("BrowseLDAPServer"),
         labelled(QStringLiteral("BrowseLDAPServer"), QStringLiteral("eBrowseLDAPServer")),
         tr("The address of the LDAP server. The default is the system's LDAP configuration.") + refused, {}},
        {QStringLiteral("BrowseLocalOptions"),
         labelled(QStringLiteral("BrowseLocalOptions"), QStringLiteral("eBrowseLocalOptions")),
         tr("Options added to the addresses of the printers this server announces. The default is none.")
             + refused,
         {}},
        {QStringLiteral("BrowseRemoteOptions"),
         labelled(QStringLiteral("BrowseRemoteOptions"), QStringLiteral("eBrowseRemoteOptions")),
         tr("Options added to the addresses of remote printers. The default is none.") + refused, {}},
        {QStringLiteral("FileDevice"), {QStringLiteral("chbFileDevice")},
         tr("Whether printers may print into files (device addresses beginning with file:). The default is "
            "No."),
         {}},
        {QStringLiteral("PassEnv"), {QStringLiteral("twPassEnv")},
         tr("Environment variables of the scheduler that its filters and backends receive as well. The default "
            "is none beyond the scheduler's own set."),
         {}},
        {QStringLiteral("Include"), {QStringLiteral("twInclude")},
         tr("Further files read as part of this configuration. The default is none.") + refused, {}},
        {QStringLiteral("SetEnv"), {QStringLiteral("labelSetEnv"), QStringLiteral("twSetEnv")},
         tr("Environment variables set for filters and backends, with their values. The default is none."), {}},
    };
}

QString CupsdConfHelp::toolTip(const Topic& topic)
{
    return tr("<html><p><b>%1</b></p><p>%2</p>%3</html>").arg(topic.directive, topic.text.toHtmlEscaped(),
                                                            topic.details);
}

QString CupsdConfHelp::whatsThis(const Topic& topic)
{
    return tr("%1\n\n%2").arg(topic.directive, topic.text);
}

void CupsdConfHelp::apply(QWidget* form)
{
    for (const Topic& topic : topics()) {
        const QString tip = toolTip(topic);
        const QString help = whatsThis(topic);
        for (const QString& name : topic.widgets) {
            if (auto* widget = form->findChild<QWidget*>(name)) {
                widget->setToolTip(tip);
                widget->setWhatsThis(help);
            }
        }
    }
}

QVector<QWidget*> CupsdConfHelp::widgets(QWidget* form, const QString& directive)
{
    QVector<QWidget*> found;
    for (const Topic& topic : topics()) {
        if (topic.directive != directive)
            continue;
        for (const QString& name : topic.widgets) {
            if (auto* widget = form->findChild<QWidget*>(name))
                found << widget;
        }
    }
    return found;
}

void CupsdConfHelp::addNote(QWidget* form, const QString& directive, const QString& note)
{
    const QString paragraph = QStringLiteral("<p>%1</p>").arg(note.toHtmlEscaped());
    for (QWidget* widget : widgets(form, directive)) {
        QString tip = widget->toolTip();
        const int end = tip.lastIndexOf(QLatin1String("</html>"));
        tip.insert(end < 0 ? tip.size() : end, paragraph);
        widget->setToolTip(tip);
        widget->setWhatsThis(widget->whatsThis() + QLatin1Char('\n') + note);
    }
}
