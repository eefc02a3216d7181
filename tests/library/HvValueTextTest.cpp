#include "library/HvValueText.h"

#include <gtest/gtest.h>

#include <cmath>

#include "library/HvException.h"
#include "tests/NamedRows.h"

namespace {

using hvtest::PrintTo;

using namespace std::string_literals;

TEST(ValueText, HexGolden) {
    EXPECT_EQ(HvOctetsToHex("\x00\x11\x22\xAA\xBB\xCC"s), "001122AABBCC");
    EXPECT_EQ(HvOctetsToHex(std::string(6, '\0')), "000000000000");
    EXPECT_EQ(HvOctetsToHex(""), "");
}

struct HexCase {
    const char* name;
    const char* text;
    std::optional<std::string> octets;
};

class HexRead : public ::testing::TestWithParam<HexCase> {};

TEST_P(HexRead, Reads) {
    EXPECT_EQ(HvHexToOctets(GetParam().text), GetParam().octets);
}

const HexCase kHexCases[] = {
    {"Plain", "001122AABBCC", "\x00\x11\x22\xAA\xBB\xCC"s},
    {"LowerCase", "aabbcc", "\xAA\xBB\xCC"s},
    {"Colons", "00:11:22:aa:bb:cc", "\x00\x11\x22\xAA\xBB\xCC"s},
    {"DashesAndBlanks", "00-11 22", "\x00\x11\x22"s},
    {"OddLeadingNibble", "123", "\x01\x23"s},
    {"Single", "F", "\x0F"s},
    {"Empty", "", ""s},
    {"BadDigit", "00G1", std::nullopt},
    {"Placeholder", "(NULL)", std::nullopt},
};

INSTANTIATE_TEST_SUITE_P(Table, HexRead, ::testing::ValuesIn(kHexCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ValueText, MacComparisonIgnoresCaseAndSeparators) {
    EXPECT_TRUE(HvSameMac("001122aabbcc", "00:11:22:AA:BB:CC"));
    EXPECT_FALSE(HvSameMac("001122aabbcc", "001122aabbcd"));
    EXPECT_TRUE(HvSameMac("(null)", "(NULL)"));
}

TEST(ValueText, IpAddresses) {
    EXPECT_EQ(HvIpToText("\x7F\x00\x00\x01"s), "127.0.0.1");
    EXPECT_EQ(HvIpToText("\xFF\xFF\xFF\x00"s), "255.255.255.0");
    EXPECT_EQ(HvIpToText("\x01\x02\x03"s), "");
    EXPECT_EQ(HvTextToIp(" 192.168.1.254 "), "\xC0\xA8\x01\xFE"s);
    EXPECT_EQ(HvTextToIp("0.0.0.0"), std::string(4, '\0'));
    for (const char* bad :
         {"256.1.1.1", "1.2.3", "1.2.3.4.5", "1..2.3", "a.b.c.d", "1.2.3.4x", "0001.2.3.4", "", "-1.2.3.4"})
        EXPECT_FALSE(HvTextToIp(bad)) << bad;
}

TEST(ValueText, ObjectIdentifiers) {
    EXPECT_EQ(HvOidToText({1, 3, 6, 1, 4, 1, 47011, 11, 37, 9}), "1.3.6.1.4.1.47011.11.37.9");
    EXPECT_EQ(HvOidToText({}), "");
    EXPECT_EQ(HvTextToOid(".1.3.6.4294967295"), (std::vector<uint32_t>{1, 3, 6, 4294967295u}));
    EXPECT_EQ(HvTextToOid("0.0"), (std::vector<uint32_t>{0, 0}));
    for (const char* bad : {"", ".", "1..3", "1.3.", "1.4294967296", "1.a", "1 .3"})
        EXPECT_FALSE(HvTextToOid(bad)) << bad;
}

struct TicksCase {
    const char* name;
    uint32_t ticks;
    const char* text;
};

class Ticks : public ::testing::TestWithParam<TicksCase> {};

TEST_P(Ticks, TextAndBack) {
    EXPECT_EQ(HvTicksToText(GetParam().ticks), GetParam().text);
    EXPECT_EQ(HvTextToTicks(GetParam().text), GetParam().ticks);
}

const TicksCase kTicksCases[] = {
    {"Zero", 0, "0:00:00.00"},
    {"UnderOneDay", 8639999, "23:59:59.99"},
    {"OneDay", 8640000, "1 day 0:00:00.00"},
    {"OneDayAndMore", 8640000 + 360000 * 5 + 6000 * 4 + 300 + 7, "1 day 5:04:03.07"},
    {"Days", 2 * 8640000 + 123456, "2 days, 0:20:34.56"},
    {"Max", 4294967295u, "497 days, 2:27:52.95"},
};

INSTANTIATE_TEST_SUITE_P(Table, Ticks, ::testing::ValuesIn(kTicksCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ValueText, TicksReadLeniently) {
    EXPECT_EQ(HvTextToTicks("12345"), 12345u);
    EXPECT_EQ(HvTextToTicks(" 1:00:00 "), 360000u);
    EXPECT_EQ(HvTextToTicks("3 days 0:00:00.00"), 3u * 8640000);
    for (const char* bad : {"", "1:60:00.00", "1:00", "1 week 0:00:00.00", "4294967296",
                            "497 days, 2:27:52.96", "1:00:00.5x", "x"})
        EXPECT_FALSE(HvTextToTicks(bad)) << bad;
}

TEST(ValueText, Counter64) {
    EXPECT_EQ(HvCounter64ToText(18446744073709551615ull), "18446744073709551615");
    EXPECT_EQ(HvTextToCounter64("18446744073709551615"), 18446744073709551615ull);
    EXPECT_EQ(HvTextToCounter64("1.5E3"), 1500u);
    EXPECT_EQ(HvTextToCounter64(" 42 "), 42u);
    for (const char* bad : {"", "-1", "18446744073709551616", "1e30", "abc", "inf"})
        EXPECT_FALSE(HvTextToCounter64(bad)) << bad;
}

TEST(ValueText, Integers) {
    EXPECT_EQ(HvTextToInt32("-2147483648"), INT32_MIN);
    EXPECT_EQ(HvTextToInt32(" +17 "), 17);
    EXPECT_FALSE(HvTextToInt32("2147483648"));
    EXPECT_FALSE(HvTextToInt32("1.5"));
    EXPECT_FALSE(HvTextToInt32("$1F"));
    EXPECT_FALSE(HvTextToInt32(""));
    EXPECT_FALSE(HvTextToInt32("+-1"));
    EXPECT_EQ(HvTextToUInt32("4294967295"), 4294967295u);
    EXPECT_EQ(HvTextToUInt32("-1"), 4294967295u);
    EXPECT_FALSE(HvTextToUInt32("4294967296"));
}

struct FloatCase {
    const char* name;
    double value;
    const char* text;
};

class FloatToStr : public ::testing::TestWithParam<FloatCase> {};

TEST_P(FloatToStr, Formats) {
    EXPECT_EQ(HvFloatToStr(GetParam().value), GetParam().text);
    // What it writes reads back (to 15 digits).
    if (std::isfinite(GetParam().value)) {
        const auto back = HvTextToDouble(GetParam().text);
        ASSERT_TRUE(back);
        EXPECT_NEAR(*back, GetParam().value, std::fabs(GetParam().value) * 1e-14);
    }
}

const FloatCase kFloatCases[] = {
    {"Zero", 0, "0"},
    {"Integer", 9, "9"},
    {"Negative", -5, "-5"},
    {"Fraction", 2.5, "2.5"},
    {"FifteenDigits", 0.1 + 0.2, "0.3"},
    {"OneThird", 1.0 / 3, "0.333333333333333"},
    {"LargeFixed", 123456789012345.0, "123456789012345"},
    {"FirstExponent", 1e15, "1E15"},
    {"BigExponent", 1e20, "1E20"},
    {"MantissaExponent", 1.5e20, "1.5E20"},
    {"SmallFixed", 0.0001, "0.0001"},
    {"SmallestFixed", 1e-5, "0.00001"},
    {"FixedNearTheEdge", 5e-5, "0.00005"},
    {"BelowFixedRange", 1e-6, "1E-6"},
    {"SmallExponentWithDigits", 2.5e-7, "2.5E-7"},
    {"Tiny", -1.25e-7, "-1.25E-7"},
    {"Rounded", 2.0 / 3, "0.666666666666667"},
    {"DayCount", 45418.5, "45418.5"},
    {"Infinite", HUGE_VAL, "INF"},
};

INSTANTIATE_TEST_SUITE_P(Table, FloatToStr, ::testing::ValuesIn(kFloatCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ValueText, DecimalPrefixAndNumbers) {
    EXPECT_EQ(HvReadDecimalPrefix("  12.5abc"), 12.5);
    EXPECT_EQ(HvReadDecimalPrefix("1E-5-"), 1e-5);
    EXPECT_EQ(HvReadDecimalPrefix("1E"), 1);
    EXPECT_EQ(HvReadDecimalPrefix("-.5"), -0.5);
    EXPECT_EQ(HvReadDecimalPrefix("inf"), 0);
    EXPECT_EQ(HvReadDecimalPrefix("nan"), 0);
    EXPECT_EQ(HvReadDecimalPrefix("."), 0);
    EXPECT_EQ(HvReadDecimalPrefix(""), 0);
    EXPECT_TRUE(std::isinf(HvReadDecimalPrefix("1e999")));
    EXPECT_EQ(HvTextToDouble(" 3.25 "), 3.25);
    EXPECT_FALSE(HvTextToDouble("3,25"));
    EXPECT_FALSE(HvTextToDouble("nan"));
}

TEST(ValueText, DisplayStringsAreLatin1) {
    const std::string octets = "Caf\xE9\x00x"s;
    const QString shown = HvDisplayToQString(octets);
    EXPECT_EQ(shown.size(), 6);
    EXPECT_EQ(shown.at(3), QChar(0xE9));
    EXPECT_EQ(HvQStringToDisplay(shown), octets);
}

struct GuiDateCase {
    const char* name;
    double days;
    const char* text;
};

class GuiDateTime : public ::testing::TestWithParam<GuiDateCase> {};

TEST_P(GuiDateTime, TextAndBack) {
    EXPECT_EQ(HvGuiDateTimeToText(GetParam().days), GetParam().text);
    const auto back = HvTextToGuiDateTime(GetParam().text);
    ASSERT_TRUE(back);
    EXPECT_NEAR(*back, GetParam().days, 1e-9);
}

const GuiDateCase kGuiDateCases[] = {
    {"Epoch", 0, "1899/12/30 12:00:00 am"},
    {"Noon", 45418.5, "2024/05/06 12:00:00 pm"},
    {"Evening", 45418.75, "2024/05/06 06:00:00 pm"},
    {"Morning", 36526.25, "2000/01/01 06:00:00 am"},
    {"BeforeEpoch", -1.75, "1899/12/29 06:00:00 pm"},
    {"Seconds", 45418 + (13 * 3600 + 4 * 60 + 5) / 86400.0, "2024/05/06 01:04:05 pm"},
};

INSTANTIATE_TEST_SUITE_P(Table, GuiDateTime, ::testing::ValuesIn(kGuiDateCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ValueText, GuiDateTimeReadsOtherForms) {
    EXPECT_NEAR(*HvTextToGuiDateTime("2024-05-06 18:00"), 45418.75, 1e-9);
    EXPECT_NEAR(*HvTextToGuiDateTime("2024/5/6"), 45418, 1e-9);
    EXPECT_NEAR(*HvTextToGuiDateTime("2024/05/06 12:30:00 AM"), 45418 + 0.5 / 24, 1e-9);
    for (const char* bad : {"", "2024/13/01", "2024/02/30", "2024/05/06 13:00 pm", "2024/05/06 24:00",
                            "2024/05/06 10:60", "2024/05/06 1:00 xm", "x",
                            // signed fields, which once overflowed the time of day
                            "2024/05/06 -1:00", "2024/05/06 -1000350000:0", "2024/-5/06", "-2024/05/06"})
        EXPECT_FALSE(HvTextToGuiDateTime(bad)) << bad;
    EXPECT_EQ(HvGuiDateTimeToText(NAN), "");
}

TEST(ValueText, DoubleOctetsLittleEndian) {
    EXPECT_EQ(HvDoubleToOctetsLE(1.0), "\x00\x00\x00\x00\x00\x00\xF0\x3F"s);
    EXPECT_EQ(HvOctetsLEToDouble("\x00\x00\x00\x00\x00\x00\xF0\x3F"s), 1.0);
    EXPECT_EQ(HvOctetsLEToDouble(HvDoubleToOctetsLE(45418.75)), 45418.75);
    EXPECT_FALSE(HvOctetsLEToDouble("1234567"));
}

TEST(ValueText, BadTextRaisesWithoutCode) {
    try {
        HvRaiseBadText("abc", "integer value");
        FAIL();
    } catch (const HvException& e) {
        EXPECT_STREQ(e.what(), "'abc' is not a valid integer value");
        EXPECT_EQ(e.helpContext(), 0);
    }
}

}  // namespace
