#include "HvValueText.h"

#include <bit>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include <QDate>

#include "HvException.h"

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads an unsigned decimal run at the front of s; the run may not be empty.
template <typename T>
bool takeUnsigned(std::string_view& s, T& value) {
    // from_chars takes a minus sign for signed types; no field read here has one.
    if (!s.empty() && s.front() == '-') return false;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || end == s.data()) return false;
    s.remove_prefix(static_cast<std::size_t>(end - s.data()));
    return true;
}

// The whole of s as a signed 64-bit decimal (an optional '+' allowed).
std::optional<int64_t> parseInt64(std::string_view s) {
    s = trimBlanks(s);
    if (!s.empty() && s.front() == '+') {
        s.remove_prefix(1);
        if (!s.empty() && s.front() == '-') return std::nullopt;
    }
    int64_t value = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
    return value;
}

// Length of the longest decimal number at the front of s: [sign] digits [. digits] [exponent],
// at least one mantissa digit. 0 when there is none. Spelled out here because from_chars would
// also take "inf" and "nan".
std::size_t numberPrefix(std::string_view s) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < s.size() && isDigit(s[i])) ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i])) ++i, ++digits;
    }
    if (digits == 0) return 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        if (j < s.size() && isDigit(s[j])) {
            while (j < s.size() && isDigit(s[j])) ++j;
            i = j;
        }
    }
    return i;
}

double readNumber(std::string_view number) {
    if (!number.empty() && number.front() == '+') number.remove_prefix(1);
    double value = 0;
    auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (ec == std::errc::result_out_of_range) {
        // from_chars leaves the value alone on overflow; give what a C reader gives.
        const bool negative = number.front() == '-';
        const auto e = number.find_first_of("eE");
        const bool tiny = e != std::string_view::npos && number.substr(e + 1).starts_with('-');
        return tiny ? 0.0 : (negative ? -HUGE_VAL : HUGE_VAL);
    }
    return ec == std::errc() ? value : 0.0;
}

const QDate& guiEpoch() {
    static const QDate epoch(1899, 12, 30);
    return epoch;
}

constexpr int64_t kMsPerDay = 86400000;

}  // namespace

std::string HvOctetsToHex(std::string_view octets) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(octets.size() * 2);
    for (unsigned char c : octets) {
        text += digits[c >> 4];
        text += digits[c & 0x0F];
    }
    return text;
}

std::optional<std::string> HvHexToOctets(std::string_view text) {
    std::string nibbles;
    for (char c : text) {
        if (isBlank(c) || c == ':' || c == '-') continue;
        const int v = hexValue(c);
        if (v < 0) return std::nullopt;
        nibbles += static_cast<char>(v);
    }
    std::string octets;
    std::size_t i = 0;
    if (nibbles.size() % 2 == 1) octets += nibbles[i++];
    for (; i < nibbles.size(); i += 2) octets += static_cast<char>(nibbles[i] * 16 + nibbles[i + 1]);
    return octets;
}

bool HvSameMac(std::string_view a, std::string_view b) {
    const auto oa = HvHexToOctets(a);
    const auto ob = HvHexToOctets(b);
    if (oa && ob) return *oa == *ob;
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::string HvIpToText(std::string_view octets) {
    if (octets.size() != 4) return {};
    std::string text;
    for (std::size_t i = 0; i < 4; ++i) {
        if (i) text += '.';
        text += std::to_string(static_cast<unsigned char>(octets[i]));
    }
    return text;
}

std::optional<std::string> HvTextToIp(std::string_view text) {
    std::string_view s = trimBlanks(text);
    std::string octets;
    for (int i = 0; i < 4; ++i) {
        if (i) {
            if (s.empty() || s.front() != '.') return std::nullopt;
            s.remove_prefix(1);
        }
        const std::size_t before = s.size();
        unsigned value = 0;
        if (!takeUnsigned(s, value) || value > 255 || before - s.size() > 3) return std::nullopt;
        octets += static_cast<char>(value);
    }
    if (!s.empty()) return std::nullopt;
    return octets;
}

std::string HvOidToText(const std::vector<uint32_t>& oid) {
    std::string text;
    for (std::size_t i = 0; i < oid.size(); ++i) {
        if (i) text += '.';
        text += std::to_string(oid[i]);
    }
    return text;
}

std::optional<std::vector<uint32_t>> HvTextToOid(std::string_view text) {
    std::string_view s = trimBlanks(text);
    if (!s.empty() && s.front() == '.') s.remove_prefix(1);
    if (s.empty()) return std::nullopt;
    std::vector<uint32_t> oid;
    while (true) {
        uint32_t value = 0;
        if (!takeUnsigned(s, value)) return std::nullopt;
        oid.push_back(value);
        if (s.empty()) return oid;
        if (s.front() != '.') return std::nullopt;
        s.remove_prefix(1);
    }
}

std::string HvTicksToText(uint32_t ticks) {
    const uint32_t days = ticks / 8640000;
    uint32_t rest = ticks % 8640000;
    const uint32_t hours = rest / 360000;
    rest %= 360000;
    const uint32_t minutes = rest / 6000;
    rest %= 6000;
    const uint32_t seconds = rest / 100;
    const uint32_t hundredths = rest % 100;
    char clock[32];
    std::snprintf(clock, sizeof clock, "%u:%02u:%02u.%02u", hours, minutes, seconds, hundredths);
    if (days == 0) return clock;
    if (days == 1) return std::string("1 day ") + clock;
    return std::to_string(days) + " days, " + clock;
}

std::optional<uint32_t> HvTextToTicks(std::string_view text) {
    std::string_view s = trimBlanks(text);
    uint64_t first = 0;
    if (!takeUnsigned(s, first)) return std::nullopt;
    if (s.empty())
        return first <= std::numeric_limits<uint32_t>::max()
                   ? std::optional<uint32_t>(static_cast<uint32_t>(first))
                   : std::nullopt;
    uint64_t days = 0;
    uint64_t hours = first;
    if (s.front() == ' ') {
        // "1 day H:MM:SS.hh" or "N days, H:MM:SS.hh"
        s = trimBlanks(s);
        if (s.starts_with("days"))
            s.remove_prefix(4);
        else if (s.starts_with("day"))
            s.remove_prefix(3);
        else
            return std::nullopt;
        if (!s.empty() && s.front() == ',') s.remove_prefix(1);
        s = trimBlanks(s);
        days = first;
        if (!takeUnsigned(s, hours)) return std::nullopt;
    }
    auto twoDigits = [&s](uint64_t& value) {
        if (s.size() < 2 || !isDigit(s[0]) || !isDigit(s[1])) return false;
        value = static_cast<uint64_t>((s[0] - '0') * 10 + (s[1] - '0'));
        s.remove_prefix(2);
        return true;
    };
    uint64_t minutes = 0, seconds = 0, hundredths = 0;
    if (s.empty() || s.front() != ':') return std::nullopt;
    s.remove_prefix(1);
    if (!twoDigits(minutes) || minutes > 59 || s.empty() || s.front() != ':') return std::nullopt;
    s.remove_prefix(1);
    if (!twoDigits(seconds) || seconds > 59) return std::nullopt;
    if (!s.empty() && s.front() == '.') {
        s.remove_prefix(1);
        if (!twoDigits(hundredths)) return std::nullopt;
    }
    if (!s.empty() || days > 497 || hours > 1000000) return std::nullopt;
    const uint64_t total = days * 8640000 + hours * 360000 + minutes * 6000 + seconds * 100 + hundredths;
    if (total > std::numeric_limits<uint32_t>::max()) return std::nullopt;
    return static_cast<uint32_t>(total);
}

std::string HvCounter64ToText(uint64_t value) {
    return std::to_string(value);
}

std::optional<uint64_t> HvTextToCounter64(std::string_view text) {
    std::string_view s = trimBlanks(text);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    uint64_t value = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (!s.empty() && ec == std::errc() && end == s.data() + s.size()) return value;
    // A number with a fraction or an exponent: its integer part, when that fits.
    const auto number = HvTextToDouble(text);
    if (!number || *number < 0 || !(*number < 18446744073709551616.0)) return std::nullopt;
    return static_cast<uint64_t>(*number);
}

std::optional<int32_t> HvTextToInt32(std::string_view text) {
    const auto value = parseInt64(text);
    if (!value || *value < std::numeric_limits<int32_t>::min() ||
        *value > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return static_cast<int32_t>(*value);
}

std::optional<uint32_t> HvTextToUInt32(std::string_view text) {
    const auto value = parseInt64(text);
    if (!value || *value < std::numeric_limits<int32_t>::min() ||
        *value > std::numeric_limits<uint32_t>::max())
        return std::nullopt;
    return static_cast<uint32_t>(*value);
}

std::optional<double> HvTextToDouble(std::string_view text) {
    const std::string_view s = trimBlanks(text);
    const std::size_t n = numberPrefix(s);
    if (n == 0 || n != s.size()) return std::nullopt;
    return readNumber(s);
}

std::string HvFloatToStr(double value) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    if (value == 0) return "0";
    // 15 significant digits as d.dddddddddddddde±x, then laid out as the GUI library does.
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
    std::string_view sci(buf, static_cast<std::size_t>(res.ptr - buf));
    std::string out;
    if (sci.front() == '-') {
        out += '-';
        sci.remove_prefix(1);
    }
    const auto ePos = sci.find('e');
    std::string digits;
    for (char c : sci.substr(0, ePos))
        if (isDigit(c)) digits += c;
    int exponent = 0;
    std::string_view expText = sci.substr(ePos + 1);
    if (expText.front() == '+') expText.remove_prefix(1);
    std::from_chars(expText.data(), expText.data() + expText.size(), exponent);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    // Fixed form from 0.00001 up to 15 integer digits, scientific beyond.
    if (exponent < -5 || exponent > 14) {
        out += digits[0];
        if (digits.size() > 1) out.append(".").append(digits, 1, std::string::npos);
        out += 'E';
        out += std::to_string(exponent);
    } else if (exponent >= 0) {
        const auto intDigits = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= intDigits) {
            out += digits;
            out.append(intDigits - digits.size(), '0');
        } else {
            out.append(digits, 0, intDigits).append(".").append(digits, intDigits, std::string::npos);
        }
    } else {
        out.append("0.").append(static_cast<std::size_t>(-exponent - 1), '0').append(digits);
    }
    return out;
}

double HvReadDecimalPrefix(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    const std::size_t n = numberPrefix(text);
    return n == 0 ? 0.0 : readNumber(text.substr(0, n));
}

QString HvDisplayToQString(const std::string& octets) {
    return QString::fromLatin1(octets.data(), static_cast<qsizetype>(octets.size()));
}

std::string HvQStringToDisplay(const QString& text) {
    return text.toLatin1().toStdString();
}

std::string HvGuiDateTimeToText(double days) {
    if (!std::isfinite(days) || std::fabs(days) > 2958466.0)  // beyond 9999-12-31
        return {};
    const double whole = std::trunc(days);
    int64_t ms = std::llround(std::fabs(days - whole) * kMsPerDay);
    QDate date = guiEpoch().addDays(static_cast<qint64>(whole));
    if (ms >= kMsPerDay) {
        date = date.addDays(1);
        ms -= kMsPerDay;
    }
    const int64_t seconds = ms / 1000;
    const int hour = static_cast<int>(seconds / 3600);
    const int minute = static_cast<int>(seconds / 60 % 60);
    const int second = static_cast<int>(seconds % 60);
    const int hour12 = hour % 12 == 0 ? 12 : hour % 12;
    char buf[48];
    std::snprintf(buf, sizeof buf, "%04d/%02d/%02d %02d:%02d:%02d %s", date.year(), date.month(), date.day(),
                  hour12, minute, second, hour < 12 ? "am" : "pm");
    return buf;
}

std::optional<double> HvTextToGuiDateTime(std::string_view text) {
    std::string_view s = trimBlanks(text);
    int year = 0, month = 0, day = 0;
    auto separator = [&s] {
        if (s.empty() || (s.front() != '/' && s.front() != '-')) return false;
        s.remove_prefix(1);
        return true;
    };
    if (!takeUnsigned(s, year) || !separator() || !takeUnsigned(s, month) || !separator() ||
        !takeUnsigned(s, day))
        return std::nullopt;
    const QDate date(year, month, day);
    if (!date.isValid()) return std::nullopt;
    int hour = 0, minute = 0, second = 0;
    s = trimBlanks(s);
    if (!s.empty()) {
        if (!takeUnsigned(s, hour) || s.empty() || s.front() != ':') return std::nullopt;
        s.remove_prefix(1);
        if (!takeUnsigned(s, minute) || minute > 59) return std::nullopt;
        if (!s.empty() && s.front() == ':') {
            s.remove_prefix(1);
            if (!takeUnsigned(s, second) || second > 59) return std::nullopt;
        }
        s = trimBlanks(s);
        if (!s.empty()) {
            std::string mark;
            for (char c : s) mark += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            const bool pm = mark == "pm" || mark == "p";
            if ((!pm && mark != "am" && mark != "a") || hour < 1 || hour > 12) return std::nullopt;
            hour = hour % 12 + (pm ? 12 : 0);
        } else if (hour > 23) {
            return std::nullopt;
        }
    }
    const double whole = static_cast<double>(guiEpoch().daysTo(date));
    const double fraction = (hour * 3600 + minute * 60 + second) / 86400.0;
    return whole < 0 ? whole - fraction : whole + fraction;
}

std::string HvDoubleToOctetsLE(double value) {
    const auto bits = std::bit_cast<uint64_t>(value);
    std::string octets(8, '\0');
    for (int i = 0; i < 8; ++i) octets[static_cast<std::size_t>(i)] = static_cast<char>(bits >> (8 * i));
    return octets;
}

std::optional<double> HvOctetsLEToDouble(std::string_view octets) {
    if (octets.size() != 8) return std::nullopt;
    uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = bits << 8 | static_cast<unsigned char>(octets[static_cast<std::size_t>(i)]);
    return std::bit_cast<double>(bits);
}

void HvRaiseBadText(std::string_view text, std::string_view kind) {
    throw HvException("'" + std::string(text) + "' is not a valid " + std::string(kind));
}
