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
