#pragma once

// Keeps the shared connection pointed at the scheduler the client library
// uses now, for the IPP provider of privileged actions.
class IppActionProviderHelper
{
public:
    IppActionProviderHelper();

    // Reconnects when cupsServer() or ippPort() no longer match the shared
    // connection (creating it when there is none). True when a connection exists.
    bool updateServerConnection();
};
