#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "library/snmp/HvUsmKey.h"

namespace {

std::string hex(const std::string& bytes) {
    static const char* digits = "0123456789abcdef";
    std::string text;
    for (unsigned char c : bytes) {
        text += digits[c >> 4];
        text += digits[c & 0x0f];
    }
    return text;
}

struct KeyCase {
    const char* name;
    HvUsmHash hash;
    const char* ku;
    const char* kul;
};

void PrintTo(const KeyCase& c, std::ostream* os) {
    *os << c.name;
}

class UsmKeyVectors : public ::testing::TestWithParam<KeyCase> {};

// RFC 3414 A.3: password "maplesyrup", engine ID 00 00 00 00 00 00 00 00 00 00 00 02.
TEST_P(UsmKeyVectors, MatchesThePublishedKeys) {
    const KeyCase& c = GetParam();
    const std::string engineId("\0\0\0\0\0\0\0\0\0\0\0\x02", 12);
    const std::string ku = HvUsmPasswordToKey(c.hash, "maplesyrup");
    EXPECT_EQ(hex(ku), c.ku);
    EXPECT_EQ(hex(HvUsmLocalizeKey(c.hash, ku, engineId)), c.kul);
}

INSTANTIATE_TEST_SUITE_P(Rfc3414, UsmKeyVectors,
                         ::testing::Values(KeyCase{"Md5", HvUsmHash::Md5, "9faf3283884e92834ebc9847d8edd963",
                                                   "526f5eed9fcce26f8964c2930787d82b"},
                                           KeyCase{"Sha1", HvUsmHash::Sha1,
                                                   "9fb5cc0381497b3793528939ff788d5d79145211",
                                                   "6695febc9288e36282235fc7151f128497b38f3f"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(UsmKey, ShortPasswordsHaveKeysAndEmptyOnesNone) {
    // The device's managers accept passwords of any length; net-snmp's own derivation would refuse.
    const std::string one = HvUsmPasswordToKey(HvUsmHash::Md5, "abc");
    EXPECT_EQ(one.size(), 16u);
    EXPECT_NE(one, HvUsmPasswordToKey(HvUsmHash::Md5, "abd"));
    // Repeating the password to a megabyte: "ab" and "abab" give the same stream, so the same key.
    EXPECT_EQ(HvUsmPasswordToKey(HvUsmHash::Sha1, "ab"), HvUsmPasswordToKey(HvUsmHash::Sha1, "abab"));
    EXPECT_TRUE(HvUsmPasswordToKey(HvUsmHash::Sha1, "").empty());
}

TEST(UsmKey, ProtocolCodes) {
    EXPECT_FALSE(HvUsmHashOfProtocol(1).has_value());
    EXPECT_EQ(HvUsmHashOfProtocol(2), HvUsmHash::Md5);
    EXPECT_EQ(HvUsmHashOfProtocol(3), HvUsmHash::Sha1);
    EXPECT_EQ(HvUsmHashOfProtocol(5), HvUsmHash::Sha256);
    EXPECT_FALSE(HvUsmHashOfProtocol(8).has_value());
}

}  // namespace
