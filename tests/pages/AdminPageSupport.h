#pragma once

// What the two administration pages' tests share: a click that notes whether the waiting dialog
// ran, and the simulator's sets as short texts.

#include <string>
#include <vector>

#include <QTimer>

#include "module/HvPage.h"
#include "tests/sim/SimProcess.h"

// Clicks button as the user does; true when page's waiting dialog showed before the click returned.
inline bool clickSeesWaiting(const HvPage& page, forms::Button* button) {
    bool shown = false;
    QTimer watch;
    watch.setInterval(1);
    QObject::connect(&watch, &QTimer::timeout, [&] { shown = shown || page.waiting(); });
    watch.start();
    button->userClick();
    return shown;
}

// Each set as "OID=VALUE", followed by its status when the device refused it.
inline std::vector<std::string> setTexts(const std::vector<SimLogLine>& sets) {
    std::vector<std::string> out;
    for (const auto& l : sets)
        out.push_back(l.asked + "=" + l.value + (l.status == "ok" ? "" : " " + l.status));
    return out;
}
