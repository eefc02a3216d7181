// Dotted texts as the DHCP pools' checks sum them, pool membership, and MAC comparison.

#include <gtest/gtest.h>

#include "module/AddrCheck.h"

namespace {

struct NumberCase {
    const char* name;
    const char* text;
    uint32_t zero;     // a bad part before a dot counts 0
    uint32_t allOnes;  // it counts all bits set
};
void PrintTo(const NumberCase& c, std::ostream* os) {
    *os << c.name;
}
class IPTextNumber : public ::testing::TestWithParam<NumberCase> {};

TEST_P(IPTextNumber, Sums) {
    const auto& c = GetParam();
    EXPECT_EQ(IPTextToNumber(QString::fromLatin1(c.text)), c.zero) << c.text;
    EXPECT_EQ(IPTextToNumber(QString::fromLatin1(c.text), BadPart::AllOnes), c.allOnes) << c.text;
}

const NumberCase kNumberCases[] = {
    {"Address", "192.168.0.100", 0xC0A80064u, 0xC0A80064u},
    {"HighestAddress", "255.255.255.255", 0xFFFFFFFFu, 0xFFFFFFFFu},
    {"NoDotIsItsNumber", "20", 20u, 20u},
    {"Empty", "", 0u, 0u},
    {"DesignMask", "   .   .   .   ", 0u, 0xFEFEFF00u},
    {"LastPartBadCountsZeroBoth", "10.0.0.x", 0x0A000000u, 0x0A000000u},
    {"FirstPartBad", "x.0.0.1", 1u, 0xFF000001u},
    {"PartAbove255Spills", "1.256.0.0", 0x02000000u, 0x02000000u},
    {"NoNumberAtAll", "abc", 0u, 0u},
    {"OverflowIsNoNumber", "99999999999", 0u, 0u},
    {"SignedPart", "-1", 0xFFFFFFFFu, 0xFFFFFFFFu},
};
INSTANTIATE_TEST_SUITE_P(Texts, IPTextNumber, ::testing::ValuesIn(kNumberCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DecimalNumberTest, WholeTextOnly) {
    EXPECT_EQ(DecimalNumber("255"), 255);
    EXPECT_EQ(DecimalNumber("+7"), 7);
    EXPECT_EQ(DecimalNumber("-2147483648"), INT32_MIN);
    EXPECT_EQ(DecimalNumber("2147483647"), INT32_MAX);
    EXPECT_FALSE(DecimalNumber("2147483648"));
    EXPECT_FALSE(DecimalNumber(""));
    EXPECT_FALSE(DecimalNumber("-"));
    EXPECT_FALSE(DecimalNumber(" 1"));
    EXPECT_FALSE(DecimalNumber("1a"));
    EXPECT_FALSE(DecimalNumber(QString::fromUtf8("\u0661")));  // a digit, but not an ASCII one
}

struct PoolCase {
    const char* name;
    const char* start;
    uint32_t range;
    const char* ip;
    bool inside;
};
void PrintTo(const PoolCase& c, std::ostream* os) {
    *os << c.name;
}
class Pool : public ::testing::TestWithParam<PoolCase> {};

TEST_P(Pool, HoldsFromStartBelowStartPlusRange) {
    const auto& c = GetParam();
    EXPECT_EQ(InPool(IPTextToNumber(c.start), c.range, IPTextToNumber(c.ip)), c.inside) << c.ip;
}

const PoolCase kPoolCases[] = {
    {"Start", "192.168.0.100", 20, "192.168.0.100", true},
    {"Last", "192.168.0.100", 20, "192.168.0.119", true},
    {"PastLast", "192.168.0.100", 20, "192.168.0.120", false},
    {"BeforeStart", "192.168.0.100", 20, "192.168.0.99", false},
    {"EmptyPool", "192.168.0.100", 0, "192.168.0.100", false},
    // start + range passes 2^32: 32-bit arithmetic would wrap and hold nothing.
    {"ReachesPastTheTop", "255.255.255.250", 20, "255.255.255.255", true},
    {"ReachesPastTheTopNotBelow", "255.255.255.250", 20, "0.0.0.5", false},
    {"UnreadPoolHoldsOnlyZero", "", 0, "192.168.0.1", false},
};
INSTANTIATE_TEST_SUITE_P(Addresses, Pool, ::testing::ValuesIn(kPoolCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SameMacTest, SymmetricAndCaseBlind) {
    // Either side may be the upper-case one: one client never holds two reservations.
    EXPECT_TRUE(SameMac("00AABBCCDDEE", "00aabbccddee"));
    EXPECT_TRUE(SameMac("00aabbccddee", "00AABBCCDDEE"));
    EXPECT_TRUE(SameMac("00aAbBcCdDeE", "00AaBbCcDdEe"));
    EXPECT_FALSE(SameMac("00AABBCCDDEE", "00AABBCCDDEF"));
    EXPECT_FALSE(SameMac("00AABBCCDDE", "00AABBCCDDEE"));
    // Only letters fold: a digit is not its character plus 32.
    EXPECT_FALSE(SameMac("0", "P"));
    EXPECT_FALSE(SameMac("@", "`"));
    EXPECT_TRUE(SameMac("", ""));
}

}  // namespace
