#include "HvDateTime.h"

#include <array>
#include <cctype>
#include <limits>

#include <QDateTime>

#include "HvClock.h"

namespace {

// Matches text against a pattern of '#' (a number read as scanf's %d reads it: blanks skipped,
// optional sign, digits) and literal characters. Returns how many numbers were read before the
// first mismatch. Numbers saturate at the 32-bit range instead of overflowing.
int scanNumbers(std::string_view text, std::string_view pattern, std::array<int32_t, 9>& out) {
    std::size_t t = 0;
    int count = 0;
    for (char p : pattern) {
        if (p != '#') {
            if (t >= text.size() || text[t] != p) return count;
            ++t;
            continue;
        }
        while (t < text.size() && std::isspace(static_cast<unsigned char>(text[t]))) ++t;
        bool negative = false;
        if (t < text.size() && (text[t] == '+' || text[t] == '-')) negative = text[t++] == '-';
        if (t >= text.size() || !std::isdigit(static_cast<unsigned char>(text[t]))) return count;
        int64_t value = 0;
        while (t < text.size() && std::isdigit(static_cast<unsigned char>(text[t]))) {
            value = value * 10 + (text[t++] - '0');
            if (value > std::numeric_limits<int32_t>::max())
                value = int64_t(std::numeric_limits<int32_t>::max()) + 1;
        }
        if (negative) value = -value;
        if (value > std::numeric_limits<int32_t>::max()) value = std::numeric_limits<int32_t>::max();
        out[static_cast<std::size_t>(count++)] = static_cast<int32_t>(value);
    }
    return count;
}

}  // namespace

HvDateTime::HvDateTime() {
    const QDateTime now = HvNow();
    year = static_cast<uint16_t>(now.date().year());
    month = static_cast<uint8_t>(now.date().month());
    day = static_cast<uint8_t>(now.date().day());
    hour = static_cast<uint8_t>(now.time().hour());
    minutes = static_cast<uint8_t>(now.time().minute());
    seconds = static_cast<uint8_t>(now.time().second());
}

HvDateTime::HvDateTime(std::string_view text) {
    std::array<int32_t, 9> n{};
    if (scanNumbers(text, "#-#-#,#:#:#.#,+#:#", n) == 9) {
        direction = '+';
    } else if (n = {}; scanNumbers(text, "#-#-#,#:#:#.#,-#:#", n) == 9) {
        direction = '-';
    } else {
        n = {};
        scanNumbers(text, "#-#-#,#:#:#.#", n);
    }
    year = static_cast<uint16_t>(n[0]);
    month = static_cast<uint8_t>(n[1]);
    day = static_cast<uint8_t>(n[2]);
    hour = static_cast<uint8_t>(n[3]);
    minutes = static_cast<uint8_t>(n[4]);
    seconds = static_cast<uint8_t>(n[5]);
    deciSeconds = static_cast<uint8_t>(n[6]);
    hoursFromUtc = static_cast<uint8_t>(n[7]);
    minutesFromUtc = static_cast<uint8_t>(n[8]);
}

std::string HvDateTime::ToText() const {
    std::string text = std::to_string(year) + '-' + std::to_string(month) + '-' + std::to_string(day) + ',' +
                       std::to_string(hour) + ':' + std::to_string(minutes) + ':' + std::to_string(seconds) +
                       '.' + std::to_string(deciSeconds);
    if ((hoursFromUtc != 0 || minutesFromUtc != 0) && (direction == '+' || direction == '-'))
        text += ',' + std::string(1, direction) + std::to_string(hoursFromUtc) + ':' +
                std::to_string(minutesFromUtc);
    return text;
}

void HvDateTime::SwapYear() {
    year = static_cast<uint16_t>((year >> 8) | (year << 8));
}

std::string HvDateTime::toOctets() const {
    return {static_cast<char>(year >> 8),    static_cast<char>(year & 0xFF),   static_cast<char>(month),
            static_cast<char>(day),          static_cast<char>(hour),          static_cast<char>(minutes),
            static_cast<char>(seconds),      static_cast<char>(deciSeconds),   direction,
            static_cast<char>(hoursFromUtc), static_cast<char>(minutesFromUtc)};
}

std::optional<HvDateTime> HvDateTime::fromOctets(std::string_view octets) {
    if (octets.size() != 11 && octets.size() != 8) return std::nullopt;
    auto at = [&octets](std::size_t i) { return static_cast<uint8_t>(octets[i]); };
    HvDateTime value{Zero{}};
    value.year = static_cast<uint16_t>(at(0) << 8 | at(1));
    value.month = at(2);
    value.day = at(3);
    value.hour = at(4);
    value.minutes = at(5);
    value.seconds = at(6);
    value.deciSeconds = at(7);
    if (octets.size() == 11) {
        value.direction = octets[8];
        value.hoursFromUtc = at(9);
        value.minutesFromUtc = at(10);
    }
    return value;
}
