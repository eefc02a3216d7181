#pragma once

#include <cstdint>
#include <optional>
#include <string>

// SNMPv3 user keys, derived here rather than by net-snmp, which refuses passwords shorter than eight
// characters where the device's managers accept them.
enum class HvUsmHash : uint8_t { Md5, Sha1, Sha224, Sha256, Sha384, Sha512 };

// The hash of an authentication protocol code (2 HMAC-MD5, 3 HMAC-SHA, 4..7 HMAC-SHA-224..512).
std::optional<HvUsmHash> HvUsmHashOfProtocol(int32_t authProtocol);

// Password to key (RFC 3414 A.2): the hash of one megabyte of the password repeated. An empty
// password has no key: the result is empty.
std::string HvUsmPasswordToKey(HvUsmHash hash, const std::string& password);

// Localised key (RFC 3414 2.6): H(Ku | engineID | Ku).
std::string HvUsmLocalizeKey(HvUsmHash hash, const std::string& ku, const std::string& engineId);
