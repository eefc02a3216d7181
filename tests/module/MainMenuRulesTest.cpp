// The main menu's show and hide rules.

#include <gtest/gtest.h>

#include "module/MainMenuRules.h"
#include "tests/NamedRows.h"

using namespace MainMenuRules;

namespace {

using hvtest::PrintTo;

struct AdvancedCase {
    const char* name;
    const char* fw;
    const char* multi;
    const char* newMulti;
    const char* cluster;
    bool modeShown, multiShown, groupingShown, domainsShown;
};

class Advanced : public ::testing::TestWithParam<AdvancedCase> {};

TEST_P(Advanced, Visibility) {
    const auto& c = GetParam();
    const auto v = advancedVisibility(c.fw, c.multi, c.newMulti, c.cluster);
    EXPECT_EQ(v.mode, c.modeShown);
    EXPECT_EQ(v.encryption, c.modeShown);
    EXPECT_EQ(v.multiSsid, c.multiShown);
    EXPECT_EQ(v.grouping, c.groupingShown);
    EXPECT_EQ(v.apDomains, c.domainsShown);
}

const AdvancedCase kAdvanced[] = {
    {"Fw220", "v2.20x", "0", "0", "0", false, true, false, false},
    {"Fw210", "v2.10.3", "", "", "", false, true, false, false},
    {"Fw231WithMultiSsid", "v2.31", "1", "1", "1", false, true, true, true},
    {"Fw231WithoutMultiSsid", "v2.31", "0", "2", "x", true, false, true, false},
    {"EmptyFields", "", "", "", "", true, false, false, false},
    {"InitialTexts", "", "ifMultiSSID_Edit", "NewMultiSupport", "Ed_IfCluster", true, false, false, false},
};

INSTANTIATE_TEST_SUITE_P(Menu, Advanced, ::testing::ValuesIn(kAdvanced),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MenuRules, TwoGenerationItems) {
    EXPECT_EQ(multiSsidChoice("0"), Generation::Old);
    EXPECT_EQ(multiSsidChoice("1"), Generation::New);
    EXPECT_EQ(multiSsidChoice("2"), Generation::None);
    EXPECT_EQ(multiSsidChoice(""), Generation::Old);
    EXPECT_EQ(adminChoice("0"), Generation::Old);
    EXPECT_EQ(adminChoice("1"), Generation::New);
    EXPECT_EQ(adminChoice("x"), Generation::Old);
    EXPECT_EQ(adminChoice("7"), Generation::New);
}

TEST(MenuRules, LogAndClientInfo) {
    EXPECT_EQ(logVisibility("0"), false);
    EXPECT_EQ(logVisibility("1"), true);
    EXPECT_EQ(logVisibility("5"), std::nullopt);
    EXPECT_EQ(logVisibility(""), false);
    // Family digit 2 (QMX-7240NT) shows Client Info for firmware 1.x only.
    EXPECT_TRUE(clientInfoFallback("QMX-7240NT", "v1.5"));
    EXPECT_FALSE(clientInfoFallback("QMX-7240NT", "v2.1"));
    EXPECT_TRUE(clientInfoFallback("QMX-7140NT", "v2.1"));
    EXPECT_FALSE(clientInfoFallback("QMX-7240NT", ""));
    EXPECT_FALSE(clientInfoFallback("QMX-7x40NT", "v1.5"));
}

TEST(MenuRules, IntOrZeroIsStrict) {
    EXPECT_EQ(intOrZero("12"), 12);
    EXPECT_EQ(intOrZero("-3"), -3);
    for (const char* bad : {"", " 1", "1 ", "+1", "1a", "$1F", "0x1"}) EXPECT_EQ(intOrZero(bad), 0) << bad;
}

}  // namespace
