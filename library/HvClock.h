#pragma once

#include <functional>
#include <string>

#include <QDateTime>

// The library's clock: the local date and time now. Tests install a fixed clock; an empty function
// gives the system clock back.
QDateTime HvNow();
void HvSetClock(std::function<QDateTime()> clock);

// "hh:nn:ss ampm" of the GUI library: two-digit hours on the 12-hour clock, minutes, seconds and the
// locale's AM or PM designator. With literalAmPm the designator is always "AM" or "PM" (the format
// "hh:nn:ss AM/PM").
std::string HvFormatTime12(const QTime& time, bool literalAmPm = false);
