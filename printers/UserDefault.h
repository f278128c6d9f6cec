#pragma once

#include <QString>

#include <cups/cups.h>

// The destination the user prints to when naming none: the one chosen in the
// user's options (possibly an instance), else the server's default.
class UserDefault
{
public:
    // Asks the client library, which reads the user's options and, only when
    // they name no default, the server's default: one short request whatever
    // the number of queues.
    static UserDefault fetch(http_t* http);

    // What the answer of fetch() follows, short of a request: the server and
    // its default destination, the environment and the user's and the
    // system's option files. While this stays the same, so does the answer.
    static QString sources(const QString& server, const QString& serverDefault);

    // The destination wears the user-default star, also when the default is
    // one of its instances.
    bool marks(const QString& name) const;
    // The destination itself, not an instance of it, is the default.
    bool is(const QString& name) const;

    QString name() const { return m_name; }

private:
    QString m_name;
    QString m_instance;
};
