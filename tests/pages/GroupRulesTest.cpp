// The grouping page's rules without windows: the user limit, the enabling rules of the AP mode,
// load balance and AP domain, and what follows a write.

#include <gtest/gtest.h>

#include "pages/wireless/GroupRules.h"
#include "tests/NamedRows.h"

using namespace GroupRules;

namespace {

using hvtest::PrintTo;

struct LimitCase {
    const char* name;
    const char* text;
    bool passes;
};

class GroupUserLimit : public ::testing::TestWithParam<LimitCase> {};

TEST_P(GroupUserLimit, OutsideTheRangeEmptiesTheField) {
    const auto& c = GetParam();
    const auto f = checkUserLimit(c.text);
    if (c.passes) {
        EXPECT_EQ(f, std::nullopt);
        return;
    }
    ASSERT_TRUE(f);
    EXPECT_EQ(*f, (CheckFailure{"Please input a number between 0 and 64.", "Error", {}, "Ed_UsrL", {}}));
}

const LimitCase kLimits[] = {
    {"Zero", "0", true},         {"Top", "64", true},    {"Middle", "17", true},
    {"AboveTop", "65", false},   {"Empty", "", false},   {"Negative", "-1", false},
    {"NotANumber", "ab", false}, {"Blank", " 5", false}, {"Huge", "99999999999", false},
};

INSTANTIATE_TEST_SUITE_P(Table, GroupUserLimit, ::testing::ValuesIn(kLimits),
                         [](const auto& info) { return std::string(info.param.name); });

struct ControlCase {
    const char* name;
    int apMode, loadBalance;
    Controls expected;
};

class GroupControls : public ::testing::TestWithParam<ControlCase> {};

TEST_P(GroupControls, ApModeAndLoadBalanceRule) {
    const auto& c = GetParam();
    EXPECT_EQ(updateGroupingControls(c.apMode, c.loadBalance), c.expected);
    // A failed cluster read and an Escape leave the same rule in charge.
    EXPECT_EQ(clusterReadDone(false, kJoinIndex, c.apMode, c.loadBalance), c.expected);
    EXPECT_EQ(clusterReadDone(true, 1, c.apMode, c.loadBalance), c.expected);
    EXPECT_EQ(clusterReadDone(true, -1, c.apMode, c.loadBalance), c.expected);
}

const ControlCase kControls[] = {
    {"AccessPointEnabled", 0, 1, {true, true, true}},
    {"AccessPointDisabledBalance", 0, 0, {true, true, false}},
    {"BridgeGreysBoth", 2, 1, {false, false, true}},
    {"UnreadModeGreysBoth", -1, 0, {false, false, false}},
    {"NoBalanceLeavesTheLimit", 0, -1, {true, true, std::nullopt}},
};

INSTANTIATE_TEST_SUITE_P(Table, GroupControls, ::testing::ValuesIn(kControls),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GroupRules, JoinDisablesOnlyLoadBalance) {
    EXPECT_EQ(clusterReadDone(true, kJoinIndex, 0, 1), (Controls{false, std::nullopt, std::nullopt}));
}

TEST(GroupRules, AfterWriteAsksOnlyInADomain) {
    EXPECT_EQ(afterWrite(false, kJoinIndex), (AfterWrite{"Setting Error!", false, false, false}));
    EXPECT_EQ(afterWrite(true, kJoinIndex), (AfterWrite{"Setting OK!", true, false, true}));
    EXPECT_EQ(afterWrite(true, 1), (AfterWrite{"Setting OK!", false, true, true}));
    // A cluster read that has not completed yet: the waiting dialog at once.
    EXPECT_EQ(afterWrite(true, -1), (AfterWrite{"Setting OK!", false, true, true}));
    EXPECT_EQ(kApplyWaiting.rebootDelay, 5);
    EXPECT_TRUE(kApplyWaiting.sendReboot);
}

}  // namespace
