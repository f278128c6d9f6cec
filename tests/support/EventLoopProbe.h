#pragma once

#include <QtGlobal>

// Measures how long the event loop of the calling thread is held.
class EventLoopProbe
{
public:
    static constexpr int intervalMs = 10;

    // Runs the event loop for ms and returns the longest time between two
    // turns it saw, a timer of intervalMs asking for one turn after another.
    static qint64 longestGapMs(int ms);
};
