#include "HvClock.h"

#include <cstdio>

#include <QLocale>

namespace {
std::function<QDateTime()>& clockSource() {
    static std::function<QDateTime()> source;
    return source;
}
}  // namespace

QDateTime HvNow() {
    const auto& source = clockSource();
    return source ? source() : QDateTime::currentDateTime();
}

void HvSetClock(std::function<QDateTime()> clock) {
    clockSource() = std::move(clock);
}

std::string HvFormatTime12(const QTime& time, bool literalAmPm) {
    const int h = time.hour();
    const bool pm = h >= 12;
    const int h12 = h % 12 == 0 ? 12 : h % 12;
    std::string designator;
    if (!literalAmPm) {
        const QLocale locale = QLocale::system();
        designator = (pm ? locale.pmText() : locale.amText()).toStdString();
    }
    if (designator.empty()) designator = pm ? "PM" : "AM";
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d ", h12, time.minute(), time.second());
    return buf + designator;
}
