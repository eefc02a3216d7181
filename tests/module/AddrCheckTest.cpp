#include "module/AddrCheck.h"

#include <gtest/gtest.h>
#include "tests/NamedRows.h"

namespace {

using hvtest::PrintTo;

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

namespace {

struct MacCase {
    const char* name;
    const char* a;
    const char* b;
    bool same;
};

class MacSame : public ::testing::TestWithParam<MacCase> {};

TEST_P(MacSame, ComparesPeersNotTexts) {
    const auto& c = GetParam();
    EXPECT_EQ(SamePeer(c.a, c.b), c.same);
    EXPECT_EQ(SamePeer(c.b, c.a), c.same);
}

const MacCase kMacCases[] = {
    {"Equal", "001122AABBCC", "001122AABBCC", true},
    {"CaseDiffers", "001122aabbcc", "001122AABBCC", true},
    {"Different", "001122AABBCC", "001122AABBCD", false},
    {"BothEmpty", "", "", false},
    {"BothFree", "000000000000", "000000000000", false},
    {"FreeAgainstEmpty", "000000000000", "", false},
    {"PrefixOnly", "001122AABBC", "001122AABBCC", false},
};

INSTANTIATE_TEST_SUITE_P(Table, MacSame, ::testing::ValuesIn(kMacCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MacText, TwelveHexDigitsEitherCase) {
    EXPECT_TRUE(IsMacText("00a0FFbbCC99"));
    for (const char* bad :
         {"", "00A0FFBBCC9", "00A0FFBBCC990", "00:A0:FF:BB:CC", "00A0FFBBCC9G", " 0A0FFBBCC99"})
        EXPECT_FALSE(IsMacText(bad)) << bad;
    EXPECT_FALSE(IsMacText(QString::fromUtf8("00A0FFBBCC9\xEF\xBC\x91")));  // a full-width digit
}

TEST(MacText, FreePeersShowEmptyAndAreWrittenAsZeros) {
    EXPECT_EQ(ShownMac("000000000000"), u"");
    EXPECT_EQ(ShownMac("001122334455"), u"001122334455");
    EXPECT_EQ(WrittenMac(""), u"000000000000");
    EXPECT_EQ(WrittenMac("00112233445"), u"00112233445");  // the length check, not this, refuses it
    EXPECT_TRUE(IsFreeMac(""));
    EXPECT_TRUE(IsFreeMac("000000000000"));
    EXPECT_FALSE(IsFreeMac("000000000001"));
}

}  // namespace
