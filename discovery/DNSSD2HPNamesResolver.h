#pragma once

#include <QDBusInterface>
#include <QString>

// Turns a "dnssd://" device URI into the "hp:" URI of the HP printing tools:
// the service is resolved by the Avahi daemon on the system bus, and the host
// it names is handed to hp-makeuri.
class DNSSD2HPNamesResolver : public QDBusInterface
{
    Q_OBJECT

public:
    static inline const QString defaultMakeUriProgram = QStringLiteral("/usr/bin/hp-makeuri");

    static DNSSD2HPNamesResolver* instance();

    // Empty when the URI is no "dnssd://" URI or cannot be resolved.
    QString resolve(const QString& uri) const;

    void setMakeUriProgram(const QString& program);

private:
    DNSSD2HPNamesResolver();

    QString makeUri(const QString& target) const;

    QString m_makeUriProgram = defaultMakeUriProgram;
};
