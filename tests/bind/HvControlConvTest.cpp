#include "library/bind/HvControlConv.h"

#include <gtest/gtest.h>

#include <string>

#include "library/HvException.h"
#include "library/HvSNMPVarList.h"
#include "tests/NamedRows.h"

namespace {

using hvtest::PrintTo;

using namespace HvControlConv;
namespace S = HvSyntax;

std::string bytes(std::initializer_list<int> list) {
    std::string out;
    for (int b : list) out += static_cast<char>(b);
    return out;
}

int codeOf(const std::function<void()>& fn) {
    try {
        fn();
    } catch (const HvException& e) {
        return e.helpContext();
    }
    return 0;
}

// A value text, its octets, and the text they read back as.
struct RoundTrip {
    const char* name;
    uint32_t syntax;
    std::string text;
    std::string octets;
    std::string back;
};

class ControlConvRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(ControlConvRoundTrip, TextToOctetsAndBack) {
    const RoundTrip& p = GetParam();
    EXPECT_EQ(valueToOctets(p.text, p.syntax), p.octets);
    EXPECT_EQ(octetsToValue(p.octets, p.syntax), p.back);
}

INSTANTIATE_TEST_SUITE_P(
    Syntaxes, ControlConvRoundTrip,
    ::testing::Values(
        RoundTrip{"BooleanTrue", S::Boolean, "true", bytes({1, 0, 0, 0}), "true"},
        RoundTrip{"BooleanOther", S::Boolean, "yes", bytes({0, 0, 0, 0}), "false"},
        RoundTrip{"IntegerLittleEndian", S::Integer, "-2", bytes({0xFE, 0xFF, 0xFF, 0xFF}), "-2"},
        RoundTrip{"IntegerEmptyIsZero", S::Integer, "", bytes({0, 0, 0, 0}), "0"},
        RoundTrip{"OctetStringHex", S::OctetStr, "00a1FF", bytes({0, 0xA1, 0xFF}), "00A1FF"},
        RoundTrip{"BitString", S::BitStr, "8040", bytes({0x80, 0x40}), "8040"},
        RoundTrip{"MacNoSeparators", S::MacAddress, "0011223344aa", bytes({0, 0x11, 0x22, 0x33, 0x44, 0xAA}),
                  "0011223344AA"},
        RoundTrip{"ObjectIdFourPerSubId", S::ObjectId, "1.3.300",
                  bytes({1, 0, 0, 0, 3, 0, 0, 0, 0x2C, 1, 0, 0}), "1.3.300"},
        RoundTrip{"IpAddress", S::IpAddress, "192.168.0.1", bytes({192, 168, 0, 1}), "192.168.0.1"},
        RoundTrip{"Gauge", S::Gauge, "4294967295", bytes({0xFF, 0xFF, 0xFF, 0xFF}), "4294967295"},
        RoundTrip{"TimeTicks", S::TimeTicks, "9006101", bytes({0x15, 0x6C, 0x89, 0x00}), "1 day 1:01:01.01"},
        RoundTrip{"Counter64LowThenHigh", S::Counter64, "4294967298", bytes({2, 0, 0, 0, 1, 0, 0, 0}),
                  "4294967298"},
        RoundTrip{"DisplayString", S::DisplayStr, "ab\xE9", "ab\xE9", "ab\xE9"},
        RoundTrip{"Bool8", S::Bool8, "TRUE", bytes({1}), "true"},
        RoundTrip{"Int8", S::Int8, "-128", bytes({0x80}), "-128"},
        RoundTrip{"UInt8", S::UInt8, "255", bytes({0xFF}), "255"},
        RoundTrip{"Bool16NetworkOrder", S::Bool16, "true", bytes({0, 1}), "true"},
        RoundTrip{"Int16NetworkOrder", S::Int16, "-2", bytes({0xFF, 0xFE}), "-2"},
        RoundTrip{"UInt16NetworkOrder", S::UInt16, "513", bytes({2, 1}), "513"},
        RoundTrip{"NullEverywhere", S::Integer, "(NULL)", "", "(NULL)"},
        RoundTrip{"EndedColumnIsNoValue", S::IpAddress, "(NOTDONE)", "", "(NULL)"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ControlConv, DoublesAndDatesRoundTrip) {
    EXPECT_EQ(octetsToValue(valueToOctets("2.5", S::Double), S::Double), "2.5");
    EXPECT_EQ(valueToOctets("2.5", S::Double).size(), 8u);
    EXPECT_EQ(octetsToValue(valueToOctets("2024-3-9,13:5:7.2,+2:0", S::DateTime), S::DateTime),
              "2024-3-9,13:5:7.2,+2:0");
    EXPECT_EQ(octetsToValue(valueToOctets("2001/02/03 04:05:06 pm", S::BcDateTime), S::BcDateTime),
              "2001/02/03 04:05:06 pm");
}

// Numbers that do not fit their field are refused, never cut to another value.
struct BadText {
    const char* name;
    uint32_t syntax;
    const char* text;
};

class ControlConvRefuses : public ::testing::TestWithParam<BadText> {};

TEST_P(ControlConvRefuses, WithBadValue) {
    const BadText& p = GetParam();
    EXPECT_EQ(codeOf([&] { valueToOctets(p.text, p.syntax); }), -518);
}

INSTANTIATE_TEST_SUITE_P(Texts, ControlConvRefuses,
                         ::testing::Values(BadText{"IpNumberAbove255", S::IpAddress, "192.168.0.300"},
                                           BadText{"IpThreeNumbers", S::IpAddress, "10.0.1"},
                                           BadText{"IntegerBeyond32Bits", S::Integer, "4294967295"},
                                           BadText{"IntegerNotANumber", S::Integer, "12a"},
                                           BadText{"GaugeNegative", S::Gauge, "-1"},
                                           BadText{"UInt8Above", S::UInt8, "256"},
                                           BadText{"Int8Below", S::Int8, "-129"},
                                           BadText{"UInt16Above", S::UInt16, "65536"},
                                           BadText{"Int16Above", S::Int16, "32768"},
                                           BadText{"OidSubIdBeyond32Bits", S::ObjectId, "1.4294967296"},
                                           BadText{"HexNotHex", S::OctetStr, "0G"},
                                           BadText{"TicksNotTicks", S::TimeTicks, "soon"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ControlConv, UnknownSyntaxAndShortOctets) {
    EXPECT_EQ(codeOf([] { valueToOctets("1", 0x07); }), -511);
    EXPECT_EQ(codeOf([] { octetsToValue("1", 0xC7); }), -511);
    EXPECT_EQ(codeOf([] { extractPart("1", 0, 0x07); }), -511);
    EXPECT_EQ(codeOf([] { octetsToValue(bytes({1, 2, 3}), S::Integer); }), -518);
    EXPECT_EQ(codeOf([] { octetsToValue(bytes({1, 2}), S::IpAddress); }), -518);
    EXPECT_EQ(codeOf([] { octetsToValue(bytes({1, 2, 3, 4, 5}), S::ObjectId); }), -518);
}

TEST(ControlConv, ExtractPartByWidth) {
    const std::string v = bytes({1, 2, 3, 4, 5, 6});
    EXPECT_EQ(extractPart(v, 2, S::UInt16), bytes({3, 4}));
    EXPECT_EQ(extractPart(v, 1, S::Integer), bytes({2, 3, 4, 5}));
    EXPECT_EQ(extractPart(v, 4, S::OctetStr), bytes({5, 6}));
    EXPECT_EQ(extractPart(v, 6, S::DisplayStr), "");
    EXPECT_EQ(extractPart(v, 3, S::MacAddress), bytes({4, 5, 6}));
    EXPECT_EQ(extractPart(v, 0, S::Null), "");
    EXPECT_EQ(extractPart("", 5, S::Integer), "");
    EXPECT_EQ(codeOf([&] { extractPart(v, 3, S::Integer); }), -519);
    EXPECT_EQ(codeOf([&] { extractPart(v, 7, S::OctetStr); }), -519);
    EXPECT_EQ(codeOf([&] { extractPart(v, -1, S::UInt8); }), -519);
}

}  // namespace
