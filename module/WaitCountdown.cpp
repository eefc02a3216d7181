#include "module/WaitCountdown.h"

WaitCountdown::Tick WaitCountdown::tick(bool deviceAnswering) {
    Tick t;
    if (waitTicks == 1 && !deviceAnswering) {
        ++extraTicks;
    } else {
        t.shown = waitTicks;
        --waitTicks;
    }
    --rebootDelay;
    const bool wantsClose = waitTicks < 1 ? deviceAnswering : extraTicks >= 10;
    t.close = wantsClose && closeQuery();
    if (rebootPending && rebootDelay < 1) {
        // A tick that closes the dialog has seen the device answer after its wait: a restart sent now
        // would only restart a device that has just come back.
        t.sendReboot = sendReboot && !t.close;
        rebootPending = false;
    }
    return t;
}

bool WaitCountdown::closeQuery() {
    if (extraTicks > 2) waitTicks = 0;
    return waitTicks <= 0;
}
