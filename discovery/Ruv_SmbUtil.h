#pragma once

#include "SmbHost.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

// Finds the SMB hosts of the local network and lists their printer shares.
// The Samba tools run with argument lists, never through a shell, since host
// and workgroup names are chosen by whoever runs a host on the LAN; the
// password reaches smbclient only through a private authentication file.
class Ruv_SmbUtil
{
public:
    static inline const QString defaultNmblookup = QStringLiteral("nmblookup");
    static inline const QString defaultSmbclient = QStringLiteral("smbclient");
    static constexpr quint16 defaultNetbiosPort = 137;
    static constexpr int nodeStatusTimeoutMs = 100;

    // The process-wide host list of the last scan.
    static Ruv_SmbUtil& instance();

    const QList<SmbHost>& hosts() const { return m_hosts; }
    // Replaces the host list with what the network answers now.
    void rescan();
    enum class Listing {
        Ran,
        // A line break in the user name or password would forge a setting
        // of the authentication file.
        LineBreakInCredentials,
        NoTemporaryFile,
    };

    // Fills host.printers when the listing ran.
    Listing listPrinters(SmbHost& host, const QString& user, const QString& password) const;

    void setNmblookupProgram(const QString& program) { m_nmblookup = program; }
    void setSmbclientProgram(const QString& program) { m_smbclient = program; }
    void setNetbiosPort(quint16 port) { m_netbiosPort = port; }

    // The NetBIOS node status request for the wildcard name.
    static QByteArray nodeStatusRequest();
    // Reads the first two names with suffix 0x00 of a node status answer:
    // the server, then the workgroup. False when the answer has names but
    // none of them has that suffix.
    static bool parseNodeStatus(const QByteArray& answer, QString* server, QString* workgroup);
    // The host addresses in nmblookup's answer to a query for "*".
    static QStringList hostAddresses(const QByteArray& output);
    // The printer shares in smbclient's share list.
    static QStringList printerShares(const QByteArray& output);
    // smbclient's arguments; an empty authFile lists without a password.
    static QStringList listArguments(const SmbHost& host, const QString& authFile);

private:
    Ruv_SmbUtil() = default;

    // Asks every address at once and waits for the answers together.
    QHash<QString, QByteArray> queryNodeStatus(const QStringList& addresses) const;

    static std::unique_ptr<Ruv_SmbUtil> util_;

    QList<SmbHost> m_hosts;
    QString m_nmblookup = defaultNmblookup;
    QString m_smbclient = defaultSmbclient;
    quint16 m_netbiosPort = defaultNetbiosPort;
};
