#pragma once

#include <QString>

// What the program knows about the scheduler the client library uses.
class ServerInfo
{
public:
    // True when that scheduler runs on this machine: a domain socket or a
    // loopback host. Keep it the first member.
    bool isLocal = true;
    // The server name it was computed for, as cupsServer() gave it.
    QString server;

    static ServerInfo& instance();

    // Recomputes the record for the current cupsServer().
    void update();

    // server: a socket path, or a host with an optional ":port"
    // ("printhost", "127.0.0.1:631", "[::1]:631", "::1").
    static bool isLocalServer(const QString& server);
};
