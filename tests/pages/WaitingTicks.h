#pragma once

// The waiting dialog a page shows during an action, tick by tick: what the page set it to before
// its first tick, and the count each tick showed, with the tick that sent the restart.

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <ostream>
#include <vector>

#include "module/HvPage.h"
#include "module/Wait.h"
#include "platform/forms/Forms.h"

struct WaitingTicks {
    bool shown = false;
    bool ownedByPage = false;
    int waitTicks = 0;    // as the page set them, before the first tick
    int rebootDelay = 0;
    bool sendReboot = false;
    std::vector<int> counts;  // the count shown after each tick
    int restartTick = 0;      // the tick that sent the restart command; 0: none did
    bool operator==(const WaitingTicks&) const = default;
};

inline void PrintTo(const WaitingTicks& w, std::ostream* os) {
    *os << (w.shown ? "shown" : "not shown") << (w.ownedByPage ? " by the page" : " by the application")
        << ", " << w.waitTicks << " ticks, restart delay " << w.rebootDelay << (w.sendReboot ? "" : " (none)")
        << ", counts";
    for (int c : w.counts) *os << " " << c;
    *os << ", restart on tick " << w.restartTick;
}

// Runs act (which shows the page's waiting dialog) and records the first dialog it shows. The kit's
// timers are slowed until the dialog is seen, so that no tick comes before: however loaded the
// machine, the first values and every tick are the dialog's.
inline WaitingTicks watchWaiting(const HvPage& page, const std::function<void()>& act) {
    WaitingTicks seen;
    const double scale = forms::Application::timeScale();
    forms::Application::setTimeScale(1e5);
    QPointer<TFM_Waiting> dialog;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        TFM_Waiting* w = page.waiting();
        if (!w || seen.shown) return;
        dialog = w;
        seen.shown = true;
        seen.ownedByPage = w->parent() == &page;
        seen.waitTicks = w->waitTicks;
        seen.rebootDelay = w->rebootDelay;
        seen.sendReboot = w->sendReboot;
        w->Timer1->OnTimer = [w, tick = w->Timer1->OnTimer, &seen](QObject* sender) {
            tick(sender);
            seen.counts.push_back(w->La_Time->caption().toInt());
            if (w->rebootRequest && seen.restartTick == 0) seen.restartTick = int(seen.counts.size());
        };
        // Its timer again at the test's pace.
        forms::Application::setTimeScale(scale);
        w->Timer1->setEnabled(false);
        w->Timer1->setEnabled(true);
    });
    watch.start(1);
    act();
    forms::Application::setTimeScale(scale);
    return seen;
}

// A dialog of waitTicks ticks with its restart after rebootDelay, as it runs when the device answers
// throughout: the count shown from waitTicks down to 1, one per tick.
inline WaitingTicks countingDown(bool ownedByPage, int waitTicks, int rebootDelay, bool sendReboot = true) {
    WaitingTicks w{true, ownedByPage, waitTicks, rebootDelay, sendReboot, {}, 0};
    for (int i = waitTicks; i >= 1; --i) w.counts.push_back(i);
    if (sendReboot && rebootDelay <= waitTicks) w.restartTick = rebootDelay;
    return w;
}
