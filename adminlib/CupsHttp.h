#pragma once

#include "CupsPointers.h"

#include <QList>
#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>

namespace Cups {

// The program's one connection to the scheduler. Every request is synchronous:
// the calls block until the server has answered, or about a second after it
// fell silent (longer only for the device and driver lists).
// Operations that change the server return false on any failure, authentication
// included; cupsLastError()/cupsLastErrorString() then tell why.
class HTTP : public QObject
{
    Q_OBJECT

public:
    ~HTTP() override;

    // The shared connection, created on first use and parented to the
    // application object when there is one. Null while no scheduler answers;
    // the next call tries again.
    static HTTP* getUniqueConnection();

    // The user that administrative password prompts propose: "root", or the
    // login user when "PrivActions/NoRootAuth" is set (the Kerberos case).
    // Follows the setting as it was at the last (re)connection.
    static QString authUser();

    // Attributes that destinations() asks for.
    static const QStringList& destinationAttributes();
    // Adds a list of keywords (such as "requested-attributes") to the
    // operation attributes of a request.
    static void addKeywords(ipp_t* request, const char* name, const QStringList& keywords);

    // How long CUPS-Get-Devices lets the backends look for devices.
    static constexpr int deviceTimeoutSeconds = 10;

    // The longest queue name the scheduler accepts, in bytes of UTF-8.
    static constexpr int maxQueueNameBytes = 127;
    // Valid queue name for the scheduler: 1 to 127 bytes, printable, without
    // blanks and the characters / \ # ? ' " ,
    static bool isValidQueueName(const QString& name);
    // The URI that names a local printer or class in a request; the scheduler
    // reads only its path. Usable from any thread.
    static QByteArray localDestinationUri(const QString& name, bool isClass);

    // The libcups handle; null after a failed reconnect.
    http_t* http = nullptr;

    // The server and port this object was last (re)connected to.
    QString server() const { return m_server; }
    int port() const { return m_port; }

    // Re-establishes the connection to the client library's current server
    // under the current authorization setting.
    bool reconnect();

    QList<QVariantMap> destinations();
    QList<QMap<QString, QString>> cupsDestinations(const QString& name);

    // The IPP printer-state (3 idle, 4 processing, 5 stopped), 0 on failure.
    int printerState(const QString& name);
    int classState(const QString& name);

    // resource: "/printers/NAME" (also for a class). Enabling resumes the
    // queue, disabling pauses it; neither changes whether it accepts jobs,
    // so users can still queue jobs while it is stopped.
    bool enablePrinter(const QString& resource);
    bool disablePrinter(const QString& resource);

    // resource: "/printers/NAME", "/classes/NAME" or a full printer URI.
    bool deletePrinter(const QString& resource);
    bool deleteClass(const QString& resource);

    // ppd: a driver name the server offers, an absolute local PPD file, "raw"
    // for a raw queue, or empty to keep the queue's current driver. An empty
    // deviceUri keeps the device of an existing queue.
    bool addPrinter(const QString& deviceUri, const QString& name, const QString& ppd, const QString& location,
                    const QString& info, bool shared);
    // members: names, or paths/URIs whose last "/" section is the name.
    bool addClass(const QString& name, const QStringList& members, const QString& location, const QString& info,
                  bool shared);
    bool printerSetServerDefault(const QString& resource);
    // Moves every pending job of one queue to another (CUPS-Move-Job);
    // resources as for deletePrinter().
    bool moveJobs(const QString& fromResource, const QString& toResource);

    // Values are QStringLists of the server's values (a one-element list reads
    // as its string through QVariant::toString()).
    QList<QVariantMap> devices();
    QList<QVariantMap> PPDs();

private:
    HTTP(HttpPtr connection, const QString& server, int port, QObject* parent);

    static HttpPtr open(const QString& server, int port);
    static QString currentServer();
    static QString readAuthUser();
    void applyAuthorizationSetting();
    // For the few requests that are slow by nature, until limitSilence().
    void allowSilence(double seconds);
    void limitSilence();

    // Sends the request (always consuming it); null on transport failure.
    IppPtr send(IppPtr request, const QString& resource, const QString& file = QString());
    // Sends an administrative request; true when the server reports success.
    bool sendAdmin(IppPtr request, const QString& file = QString());
    IppPtr printerRequest(ipp_op_t operation, const QString& resource) const;
    QByteArray printerUri(const QString& resource) const;
    int destinationState(const QString& resource);
    bool setEnabled(const QString& resource, bool enabled);
    QList<QVariantMap> stringLists(ipp_op_t operation, const QStringList& requested, int timeout);

    HttpPtr m_connection;
    QString m_server;
    int m_port = 0;
    QString m_authUser;
};

} // namespace Cups
