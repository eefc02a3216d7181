#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The path of a file in a folder: the name alone for an empty folder. A folder written the Windows
// way ("C:\dir\") ends in a backslash; either separator counts as the folder's end, and a separator
// that has to be added is '/'.
std::string HvJoinPath(const std::string& folder, const std::string& fileName);

// base to the power of exponent, wrapping modulo 2^32 as the bit and byte masks expect.
uint32_t HvIntPower(uint32_t base, uint32_t exponent);

// The whole of a text file, its path written either way and resolved ignoring case, without a UTF-8
// byte-order mark; nothing when it cannot be opened.
std::optional<std::string> HvReadTextFile(const std::string& path);
