#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The path of a file in a folder: the name alone for an empty folder. A folder written the Windows
// way ("C:\dir\") ends in a backslash; either separator counts as the folder's end, and a separator
// that has to be added is '/'.
std::string HvJoinPath(const std::string& folder, const std::string& fileName);

// base to the power of exponent, wrapping modulo 2^32 as the bit and byte masks expect.
uint32_t HvIntPower(uint32_t base, uint32_t exponent);

// The whole of a text file, its path written either way and resolved ignoring case, without a UTF-8
// byte-order mark; nothing when it cannot be opened.
std::optional<std::string> HvReadTextFile(const std::string& path);

// Object identifiers compared as they are written ("1.3.6.1"; a leading dot and surrounding blanks
// are accepted, as HvTextToOid reads them), arc by arc, without building them: a walk compares every
// OID that comes back with its column's and with the one before.
struct HvOidOrder {
    bool valid = false;       // both texts are object identifiers; the rest holds only then
    int compare = 0;          // below 0: the first comes before the second (a prefix comes first)
    bool firstIsPrefix = false;  // the second lies strictly below the first
};
HvOidOrder HvCompareOids(std::string_view first, std::string_view second);
bool HvIsOid(std::string_view text);
