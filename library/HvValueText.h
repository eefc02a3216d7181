#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <QString>

// The text forms of device values. Pages compare these texts literally, so every other part of
// the program (value conversion, control conversion, the simulator's tests) goes through here.
// Nothing here depends on the locale.

// Placeholders standing in value texts: no value, and a walked column that has ended.
inline constexpr std::string_view HvNullText = "(NULL)";
inline constexpr std::string_view HvNotDoneText = "(NOTDONE)";

// Octet strings and MAC addresses: upper-case hexadecimal, two digits per octet, no separators
// (a free MAC row reads "000000000000").
std::string HvOctetsToHex(std::string_view octets);
// Reads hex text back: blanks, ':' and '-' are ignored, digits in either case; with an odd count
// of digits the first one is an octet of its own. Any other character fails.
std::optional<std::string> HvHexToOctets(std::string_view text);
// MAC texts compare ignoring case and separators.
bool HvSameMac(std::string_view a, std::string_view b);

// IPv4 addresses: dotted from 4 octets ("" for any other length), and back (exactly four numbers
// 0..255, surrounding blanks ignored).
std::string HvIpToText(std::string_view octets);
std::optional<std::string> HvTextToIp(std::string_view text);

// Object identifiers: dotted without a leading dot; a leading dot is accepted when reading.
std::string HvOidToText(const std::vector<uint32_t>& oid);
std::optional<std::vector<uint32_t>> HvTextToOid(std::string_view text);

// Time ticks (hundredths of a second): "H:MM:SS.hh", "1 day H:MM:SS.hh", "N days, H:MM:SS.hh".
// Reading takes these forms and a plain tick count.
std::string HvTicksToText(uint32_t ticks);
std::optional<uint32_t> HvTextToTicks(std::string_view text);

// Counter64: plain decimal. Reading takes a decimal integer, or a decimal number with a fraction
// or exponent that is cut to its integer part; negatives and values beyond 64 bits fail.
std::string HvCounter64ToText(uint64_t value);
std::optional<uint64_t> HvTextToCounter64(std::string_view text);

// Integers as the conversions read them: decimal, surrounding blanks ignored. Signed values must
// fit 32 bits; unsigned ones may be written from -2^31 to 2^32-1 and wrap to 32 bits.
std::optional<int32_t> HvTextToInt32(std::string_view text);
std::optional<uint32_t> HvTextToUInt32(std::string_view text);
// Any decimal number (sign, fraction, exponent; no "inf"/"nan"), surrounding blanks ignored.
std::optional<double> HvTextToDouble(std::string_view text);

// The GUI library's FloatToStr: 15 significant digits, trailing zeros dropped, fixed notation for
// decimal exponents -5 < e < 15, otherwise "1E20", "1.5E-7" (no '+', no leading exponent zeros).
std::string HvFloatToStr(double value);
// Skips leading blanks and reads the longest numeric prefix; no number gives 0.
double HvReadDecimalPrefix(std::string_view text);

// Display strings stay raw octets inside the library; controls see them octet for character.
QString HvDisplayToQString(const std::string& octets);
// Characters beyond Latin-1 become '?'.
std::string HvQStringToDisplay(const QString& text);

// The GUI library's date-time value: days since 1899-12-30, the fraction the time of day (for
// days before that, the fraction still counts forward from midnight).
// Text form "yyyy/mm/dd hh:nn:ss am/pm" (12-hour clock, "am"/"pm").
std::string HvGuiDateTimeToText(double days);
// Reads "yyyy/mm/dd" ('-' also as separator), optionally followed by "hh:nn[:ss]" and "am"/"pm"
// (without them the hour is on the 24-hour clock).
std::optional<double> HvTextToGuiDateTime(std::string_view text);
// The value's 8 octets in the PC's (little-endian) order, and back (exactly 8 octets).
std::string HvDoubleToOctetsLE(double value);
std::optional<double> HvOctetsLEToDouble(std::string_view octets);

// Raises the conversion failure of a text that is no value of the kind (help context 0, as the
// GUI library's conversion errors have), e.g. "'abc' is not a valid integer value".
[[noreturn]] void HvRaiseBadText(std::string_view text, std::string_view kind);
