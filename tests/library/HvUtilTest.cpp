#include "library/HvUtil.h"

#include <gtest/gtest.h>

#include "tests/NamedRows.h"

using hvtest::PrintTo;

TEST(JoinPath, EmptyFolderGivesTheNameAlone) {
    EXPECT_EQ(HvJoinPath("", "HvSNMP_PP_BootCounter"), "HvSNMP_PP_BootCounter");
}

TEST(JoinPath, AddsASeparatorOnlyWhenTheFolderHasNone) {
    EXPECT_EQ(HvJoinPath("/opt/qmx", "f"), "/opt/qmx/f");
    EXPECT_EQ(HvJoinPath("/opt/qmx/", "f"), "/opt/qmx/f");
    EXPECT_EQ(HvJoinPath("errmsg\\", "snmp.err"), "errmsg\\snmp.err");
}

TEST(IntPower, WrapsModulo2To32) {
    EXPECT_EQ(HvIntPower(2, 0), 1u);
    EXPECT_EQ(HvIntPower(0, 0), 1u);
    EXPECT_EQ(HvIntPower(2, 31), 2147483648u);
    EXPECT_EQ(HvIntPower(2, 32), 0u);
    EXPECT_EQ(HvIntPower(256, 3), 16777216u);
    EXPECT_EQ(HvIntPower(3, 21), 1870418611u);  // 3^21 mod 2^32
}

struct OidOrderRow {
    const char* name;
    const char* first;
    const char* second;
    bool valid;
    int compare;
    bool firstIsPrefix;
};

class OidOrder : public ::testing::TestWithParam<OidOrderRow> {};

// The order is the arcs' order as numbers, not the texts' ("1.10" after "1.9"), and every fault
// anywhere in either text makes the pair incomparable.
TEST_P(OidOrder, ComparesArcByArc) {
    const OidOrderRow& row = GetParam();
    const HvOidOrder order = HvCompareOids(row.first, row.second);
    ASSERT_EQ(order.valid, row.valid);
    if (!row.valid) return;
    EXPECT_EQ(order.compare < 0 ? -1 : order.compare > 0 ? 1 : 0, row.compare);
    EXPECT_EQ(order.firstIsPrefix, row.firstIsPrefix);
    const HvOidOrder back = HvCompareOids(row.second, row.first);
    EXPECT_TRUE(back.valid);
    EXPECT_EQ(back.compare < 0 ? -1 : back.compare > 0 ? 1 : 0, -row.compare);
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, OidOrder,
    ::testing::Values(OidOrderRow{"Equal", "1.3.6.1", "1.3.6.1", true, 0, false},
                      OidOrderRow{"NumbersNotText", "1.3.6.9", "1.3.6.10", true, -1, false},
                      OidOrderRow{"ColumnAndItsRow", "1.3.6.1.4", "1.3.6.1.4.7.2", true, -1, true},
                      OidOrderRow{"SharedTextIsNoPrefix", "1.3.6.1", "1.3.6.10", true, -1, false},
                      OidOrderRow{"LaterDespiteShorter", "1.3.7", "1.3.6.1.4", true, 1, false},
                      OidOrderRow{"LeadingDotAndBlanks", " .1.3.6 ", "1.3.6.1", true, -1, true},
                      OidOrderRow{"LargestArc", "1.4294967295", "1.4294967294.1", true, 1, false},
                      OidOrderRow{"ArcTooLarge", "1.4294967296", "1.3", false, 0, false},
                      OidOrderRow{"ArcFarTooLarge", "1.3", "1.99999999999999999999999", false, 0, false},
                      OidOrderRow{"FaultAfterTheDifference", "1.2.x", "1.3", false, 0, false},
                      OidOrderRow{"TrailingDot", "1.3.", "1.3", false, 0, false},
                      OidOrderRow{"DoubleDot", "1..3", "1.3", false, 0, false},
                      OidOrderRow{"InnerBlank", "1 .3", "1.3", false, 0, false},
                      OidOrderRow{"Empty", "", "1.3", false, 0, false},
                      OidOrderRow{"DotAlone", ".", "1.3", false, 0, false},
                      OidOrderRow{"Signed", "1.-3", "1.3", false, 0, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IsOid, ReadsAsTheValueTextsDo) {
    for (const char* good : {"1.3.6.1", ".1.3", "0.0", "7", " 1.3\t"}) EXPECT_TRUE(HvIsOid(good)) << good;
    for (const char* bad : {"", ".", "1..3", "1.3.", "1.4294967296", "1.a", "1 .3", "+1.3"})
        EXPECT_FALSE(HvIsOid(bad)) << bad;
}
