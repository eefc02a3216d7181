#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include <QString>

// Checks of dotted IPv4 texts as the user typed them (no trimming). They only answer; the calling
// page shows its own message and puts the focus back into the field.

// A host address: four decimal parts, the first 1..223, the middle two 0..255, the last 1..254.
bool IsValidIPAddress(std::string_view text);
// A subnet mask: ones followed only by zeros, at least 192.0.0.0 and not 255.255.255.255.
bool IsValidSubnetMask(std::string_view text);

// Edit texts: a character beyond Latin-1 is no digit, so such a text fails either check.
bool IsValidIPAddress(const QString& text);
bool IsValidSubnetMask(const QString& text);
inline bool IsValidIPAddress(const char* text) {
    return IsValidIPAddress(std::string_view(text));
}
inline bool IsValidSubnetMask(const char* text) {
    return IsValidSubnetMask(std::string_view(text));
}

// ---- Dotted texts as numbers, for the DHCP pools' checks ------------------------------------------

// How a part before a dot that is no decimal number counts: 0, or all bits set.
enum class BadPart { Zero, AllOnes };
// A text as the pages sum it: each part before a dot is added and the sum shifted left by 8; the part
// after the last dot (the whole text when there is none, so "20" is 20) is added, 0 when it is no
// number. A number is an optional sign and decimal digits within 32 bits; parts above 255 spill into
// the next, as the sum does. No range or syntax check: callers validate the address first, or not.
uint32_t IPTextToNumber(const QString& text, BadPart bad = BadPart::Zero);
// The text as a whole decimal number (an optional sign, then digits, within 32 bits).
std::optional<int32_t> DecimalNumber(const QString& text);

// Whether a pool of range addresses from start holds ip: start <= ip < start + range, computed wide so
// that a pool reaching past 255.255.255.255 still holds its addresses instead of none of them.
bool InPool(uint32_t start, uint32_t range, uint32_t ip);

// Two MAC texts name the same address: equal length, and equal characters but for the case of
// ASCII letters, whichever side is upper case.
bool SameMac(const QString& a, const QString& b);

// MAC texts as the MAC edits hold them: twelve hex digits without separators, either case. The
// device's free peer reads as twelve zeros; the pages show it as an empty edit.
inline const QString kZeroMac = QStringLiteral("000000000000");
// Twelve hex digits, either case.
bool IsMacText(const QString& text);
// Empty, or the twelve zeros of a free peer.
bool IsFreeMac(const QString& text);
// The text an edit shows for a MAC read from the device: a free peer empty, any other unchanged.
QString ShownMac(const QString& text);
// The text written for a MAC edit: an empty edit as the twelve zeros of a free peer.
QString WrittenMac(const QString& text);
// Two MAC texts that name the same peer: the same MAC, and neither free.
bool SamePeer(const QString& a, const QString& b);
