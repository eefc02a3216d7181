#include "module/AddrCheck.h"

#include <gtest/gtest.h>

namespace {

struct AddrCase {
    const char* name;
    const char* text;
    bool address;
    bool mask;
};

void PrintTo(const AddrCase& c, std::ostream* os) {
    *os << c.name;
}

class AddrCheck : public ::testing::TestWithParam<AddrCase> {};

TEST_P(AddrCheck, Answers) {
    const auto& c = GetParam();
    EXPECT_EQ(IsValidIPAddress(c.text), c.address) << c.text;
    EXPECT_EQ(IsValidSubnetMask(c.text), c.mask) << c.text;
    EXPECT_EQ(IsValidIPAddress(QString::fromLatin1(c.text)), c.address) << c.text;
    EXPECT_EQ(IsValidSubnetMask(QString::fromLatin1(c.text)), c.mask) << c.text;
}

const AddrCase kAddrCases[] = {
    {"HostAddress", "192.168.0.1", true, false},
    {"NetworkAddress", "192.168.0.0", false, false},
    {"BroadcastAddress", "192.168.0.255", false, false},
    {"Multicast", "224.0.0.1", false, false},
    {"FirstPartZero", "0.1.2.3", false, false},
    {"LowestHost", "1.0.0.1", true, false},
    {"HighestHost", "223.255.255.254", true, false},
    {"LeadingZerosAreDecimal", "010.001.000.001", true, false},
    {"Empty", "", false, false},
    {"LeadingDot", ".1.2.3", false, false},
    {"TrailingDot", "1.2.3.", false, false},
    {"OnlyDot", ".", false, false},
    {"NoDot", "19216801", false, false},
    {"TwoDots", "192.168.1", false, false},
    {"FourDots", "192.168.0.1.5", false, false},
    {"EmptyPart", "192..0.1", false, false},
    {"FourDigitPart", "1000.1.1.1", false, false},
    {"FourDigitLastPart", "10.1.1.0001", false, false},
    {"PartAbove255", "10.256.0.1", false, false},
    {"Letters", "10.a.0.1", false, false},
    {"SignIsNoDigit", "10.+1.0.1", false, false},
    {"BlanksNotTrimmed", " 10.1.0.1", false, false},
    {"TrailingBlank", "10.1.0.1 ", false, false},
    {"MaskClassC", "255.255.255.0", false, true},
    {"MaskClassB", "255.255.0.0", false, true},
    {"MaskSlash2", "192.0.0.0", false, true},
    {"MaskSlash30", "255.255.255.252", false, true},
    {"MaskSlash31", "255.255.255.254", false, true},
    {"MaskWithHole", "255.0.255.0", false, false},
    {"MaskPartOne", "255.255.255.1", false, false},
    {"MaskSlash1", "128.0.0.0", false, false},
    {"MaskAllOnes", "255.255.255.255", false, false},
    {"MaskZero", "0.0.0.0", false, false},
    {"MaskOneAfterZero", "255.255.64.0", false, false},
};

INSTANTIATE_TEST_SUITE_P(Texts, AddrCheck, ::testing::ValuesIn(kAddrCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AddrCheckText, CharacterBeyondLatin1IsNoDigit) {
    EXPECT_FALSE(IsValidIPAddress(QString::fromUtf8("192.168.0.\u0661")));
    EXPECT_FALSE(IsValidSubnetMask(QString::fromUtf8("255.255.255.\u0660")));
}

}  // namespace
