#pragma once

// The tests' one wait: the event loop runs until a condition holds or a deadline passes, never a
// fixed sleep. Needs the test program's application object.

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>

#include <functional>

// Processes events until done() holds or ms have passed; returns done().
inline bool waitFor(const std::function<bool()>& done, int ms = 20000) {
    QDeadlineTimer deadline(ms);
    // Sleeps until an event arrives; the tick bounds each sleep so that the deadline is seen.
    QTimer tick;
    tick.start(10);
    QCoreApplication::processEvents();
    while (!done() && !deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return done();
}
