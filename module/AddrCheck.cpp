#include "AddrCheck.h"

#include <array>
#include <cctype>
#include <cstdint>
#include <optional>
#include <string>

namespace {

// The four parts of a dotted text, each -1 when empty or not a plain decimal number; nothing when
// the text fails the syntax rules (empty, starts or ends with its first dot, not exactly three dots,
// a part longer than three characters).
std::optional<std::array<int, 4>> dottedParts(std::string_view text) {
    const std::size_t firstDot = text.find('.');
    if (text.empty() || firstDot == 0 || firstDot + 1 == text.size()) return std::nullopt;
    std::array<int, 4> parts{};
    std::size_t count = 0;
    std::size_t start = 0;
    while (true) {
        const std::size_t dot = text.find('.', start);
        const std::string_view part =
            text.substr(start, dot == std::string_view::npos ? std::string_view::npos : dot - start);
        if (part.size() > 3 || count == parts.size()) return std::nullopt;
        int value = part.empty() ? -1 : 0;
        for (char c : part) {
            if (c < '0' || c > '9') {
                value = -1;
                break;
            }
            value = value * 10 + (c - '0');
        }
        parts[count++] = value;
        if (dot == std::string_view::npos) break;
        start = dot + 1;
    }
    if (count != parts.size()) return std::nullopt;
    return parts;
}

bool inRange(int value, int low, int high) {
    return value >= low && value <= high;
}

std::string latin1(const QString& text) {
    return text.toLatin1().toStdString();
}

}  // namespace

bool IsValidIPAddress(std::string_view text) {
    const auto p = dottedParts(text);
    return p && inRange((*p)[0], 1, 223) && inRange((*p)[1], 0, 255) && inRange((*p)[2], 0, 255) &&
           inRange((*p)[3], 1, 254);
}

bool IsValidSubnetMask(std::string_view text) {
    const auto p = dottedParts(text);
    if (!p || !inRange((*p)[0], 1, 255)) return false;
    uint32_t bits = 0;
    for (int part : *p) {
        if (!inRange(part, 0, 255) || part == 1) return false;
        bits = bits << 8 | static_cast<uint32_t>(part);
    }
    // Ones followed only by zeros: the complement plus one is a power of two.
    const uint32_t zeros = ~bits;
    if ((zeros & (zeros + 1)) != 0) return false;
    return (bits & 0x40000000u) != 0 && (bits & 1u) == 0;
}

bool IsValidIPAddress(const QString& text) {
    return IsValidIPAddress(latin1(text));
}
bool IsValidSubnetMask(const QString& text) {
    return IsValidSubnetMask(latin1(text));
}

std::optional<int32_t> DecimalNumber(const QString& text) {
    int i = 0;
    const bool negative = text.startsWith(u'-');
    if (negative || text.startsWith(u'+')) i = 1;
    if (i == text.size()) return std::nullopt;
    int64_t n = 0;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c < u'0' || c > u'9') return std::nullopt;
        n = n * 10 + (c.unicode() - u'0');
        if (n > int64_t(INT32_MAX) + 1) return std::nullopt;
    }
    if (negative) n = -n;
    if (n > INT32_MAX) return std::nullopt;
    return static_cast<int32_t>(n);
}

uint32_t IPTextToNumber(const QString& text, BadPart bad) {
    uint32_t sum = 0;
    qsizetype start = 0;
    while (true) {
        const qsizetype dot = text.indexOf(u'.', start);
        if (dot < 0) return sum + static_cast<uint32_t>(DecimalNumber(text.mid(start)).value_or(0));
        const int32_t part =
            DecimalNumber(text.mid(start, dot - start)).value_or(bad == BadPart::AllOnes ? -1 : 0);
        sum = (sum + static_cast<uint32_t>(part)) << 8;
        start = dot + 1;
    }
}

bool InPool(uint32_t start, uint32_t range, uint32_t ip) {
    return ip >= start && uint64_t(ip) < uint64_t(start) + range;
}

bool SameMac(const QString& a, const QString& b) {
    if (a.size() != b.size()) return false;
    // ASCII letters only: a MAC text has no other letters, and no other character may pass for one.
    auto fold = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; };
    for (qsizetype i = 0; i < a.size(); ++i)
        if (fold(a[i].unicode()) != fold(b[i].unicode())) return false;
    return true;
}

bool IsMacText(const QString& text) {
    if (text.size() != 12) return false;
    for (QChar c : text)
        if (c.unicode() > 0x7F || !std::isxdigit(c.unicode())) return false;
    return true;
}

bool IsFreeMac(const QString& text) {
    return text.isEmpty() || text == kZeroMac;
}

QString ShownMac(const QString& text) {
    return text == kZeroMac ? QString() : text;
}

QString WrittenMac(const QString& text) {
    return text.isEmpty() ? kZeroMac : text;
}

bool SamePeer(const QString& a, const QString& b) {
    return !IsFreeMac(a) && !IsFreeMac(b) && SameMac(a, b);
}
