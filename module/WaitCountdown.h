#pragma once

#include <QString>

#include <optional>

// The count of the waiting dialog, without its window: one tick every 1.2 s, held at 1 while the
// device does not answer, a restart command after rebootDelay ticks.
struct WaitCountdown {
    bool rebootPending = true;
    int waitTicks = 30;
    int extraTicks = 0;
    bool sendReboot = true;
    int rebootDelay = 2;

    struct Tick {
        std::optional<int> shown;  // the count to display, when the tick was not held
        bool close = false;        // the tick closes the dialog (the close rule has agreed)
        bool sendReboot = false;   // send the restart command now
    };

    Tick tick(bool deviceAnswering);
    // The close rule, for every way of closing: after more than 2 held ticks the count is given up;
    // closing is refused while it is not out.
    bool closeQuery();
};

// What a page asks of the waiting dialog: its texts (empty keeps the dialog's own) and its count.
struct WaitPlan {
    QString label2 = {}, label3 = {};
    int waitTicks = 30;
    int rebootDelay = 2;
    bool sendReboot = true;
    bool operator==(const WaitPlan&) const = default;
};
