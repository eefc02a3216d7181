#pragma once

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
// Two MAC texts that name the same peer: equal ignoring case, and neither free.
bool SameMac(const QString& a, const QString& b);
