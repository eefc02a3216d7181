#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// One value of the SNMP DateAndTime convention (RFC 2579) and its text form
// "y-m-d,h:m:s.d" or "y-m-d,h:m:s.d,+h:m" (no leading zeros; the offset only when not 0:0).
class HvDateTime {
public:
    // The library clock's local date and time; deci-seconds 0, offset +0:0.
    HvDateTime();
    // Reads the text form; fields the text does not supply are 0, numbers are cut to the width of
    // their field.
    explicit HvDateTime(std::string_view text);
    HvDateTime(const HvDateTime&) = default;
    HvDateTime& operator=(const HvDateTime&) = default;

    std::string ToText() const;
    // Exchanges the two octets of the year, as the wire order conversion of old callers did.
    // toOctets/fromOctets do the byte order themselves and need no swap.
    void SwapYear();

    // The 11 wire octets, year first in network order.
    std::string toOctets() const;
    // From 11 wire octets, or the 8 of a value without its offset from UTC; nothing otherwise.
    static std::optional<HvDateTime> fromOctets(std::string_view octets);

    bool operator==(const HvDateTime&) const = default;

    uint16_t year = 0;
    uint8_t month = 0;
    uint8_t day = 0;
    uint8_t hour = 0;
    uint8_t minutes = 0;
    uint8_t seconds = 0;
    uint8_t deciSeconds = 0;
    char direction = '+';
    uint8_t hoursFromUtc = 0;
    uint8_t minutesFromUtc = 0;

private:
    struct Zero {};
    explicit HvDateTime(Zero) {}
};
