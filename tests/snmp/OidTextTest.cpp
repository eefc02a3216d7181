#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <arpa/inet.h>

#include "library/snmp/HvOidText.h"
#include "tests/NamedRows.h"

namespace {

using hvtest::PrintTo;
using HvNetSnmpConv::OidArc;
using HvNetSnmpConv::kMaxOidArcs;

struct OidText {
    const char* name;
    std::string text;
    std::vector<OidArc> arcs;  // empty: refused
};

std::string arcsOf(std::size_t count, OidArc arc) {
    std::string text = "1";
    for (std::size_t i = 1; i < count; ++i) text += "." + std::to_string(arc);
    return text;
}

class ParsedOid : public ::testing::TestWithParam<OidText> {};

TEST_P(ParsedOid, GivesItsArcsOrNothing) {
    const OidText& c = GetParam();
    OidArc out[kMaxOidArcs] = {};
    const std::size_t n = HvNetSnmpConv::parseOid(c.text, out);
    EXPECT_EQ(std::vector<OidArc>(out, out + n), c.arcs);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParsedOid,
    ::testing::Values(
        OidText{"Plain", "1.3.6.1.2.1.1.5.0", {1, 3, 6, 1, 2, 1, 1, 5, 0}},
        OidText{"LeadingDot", ".1.3.6", {1, 3, 6}},
        OidText{"TwoArcs", "0.0", {0, 0}},
        OidText{"LeadingZeros", "1.03.007", {1, 3, 7}},
        OidText{"ManyLeadingZeros", "1.000000000000000003", {1, 3}},
        OidText{"LargestArc", "1.3.4294967295", {1, 3, 4294967295u}},
        OidText{"ArcTooLarge", "1.3.4294967296", {}},
        OidText{"ArcFarTooLarge", "1.3.99999999999999999999999", {}},
        OidText{"OneArc", "1", {}},
        OidText{"Empty", "", {}},
        OidText{"DotOnly", ".", {}},
        OidText{"TrailingDot", "1.3.", {}},
        OidText{"EmptyArc", "1..3", {}},
        OidText{"TwoLeadingDots", "..1.3", {}},
        OidText{"Letter", "1.3.x", {}},
        OidText{"Sign", "1.+3", {}},
        OidText{"Minus", "1.-3", {}},
        OidText{"Blank", "1. 3", {}},
        OidText{"MostArcs", arcsOf(kMaxOidArcs, 7), [] {
                    std::vector<OidArc> a(kMaxOidArcs, 7);
                    a[0] = 1;
                    return a;
                }()},
        OidText{"TooManyArcs", arcsOf(kMaxOidArcs + 1, 7), {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OidText, FormatsWhatItParses) {
    for (const std::string text : {"1.3.6.1.4.1.47011.11.37.4.201.10.0", "0.0", "1.3.4294967295"}) {
        OidArc arcs[kMaxOidArcs];
        const std::size_t n = HvNetSnmpConv::parseOid(text, arcs);
        ASSERT_GT(n, 0u) << text;
        EXPECT_EQ(HvNetSnmpConv::formatOid(arcs, n), text);
    }
    const std::string longest = arcsOf(kMaxOidArcs, 4294967295u);
    OidArc arcs[kMaxOidArcs];
    ASSERT_EQ(HvNetSnmpConv::parseOid(longest, arcs), kMaxOidArcs);
    EXPECT_EQ(HvNetSnmpConv::formatOid(arcs, kMaxOidArcs), longest);
    EXPECT_EQ(HvNetSnmpConv::formatOid(arcs, 0), "");
}

// Every width of arc, one digit to ten, each power of ten and the number before it.
TEST(OidText, FormatsArcsOfEveryWidth) {
    std::vector<OidArc> arcs{1, 3};
    std::string expected = "1.3";
    for (uint64_t power = 1; power <= 1000000000; power *= 10)
        for (uint64_t arc : {power - 1, power, power + 7, 3 * power})
            if (arc <= 4294967295u) {
                arcs.push_back(static_cast<OidArc>(arc));
                expected += "." + std::to_string(arc);
            }
    arcs.push_back(4294967295u);
    expected += ".4294967295";
    EXPECT_EQ(HvNetSnmpConv::formatOid(arcs.data(), arcs.size()), expected);
}

TEST(OidText, AgentAddressIsDotted) {
    for (const char* text : {"127.0.0.1", "0.0.0.0", "255.255.255.255", "10.20.100.9"}) {
        in_addr a{};
        ASSERT_EQ(inet_pton(AF_INET, text, &a), 1);
        EXPECT_EQ(HvNetSnmpConv::dottedOf(a), text);
    }
}

}  // namespace
