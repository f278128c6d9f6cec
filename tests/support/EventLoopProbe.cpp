#include "EventLoopProbe.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTest>
#include <QTimer>

qint64 EventLoopProbe::longestGapMs(int ms)
{
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0;
    qint64 longest = 0;
    QTimer probe;
    probe.setInterval(intervalMs);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        longest = qMax(longest, clock.elapsed() - last);
        last = clock.elapsed();
    });
    probe.start();
    QTest::qWait(ms);
    return qMax(longest, clock.elapsed() - last);
}
