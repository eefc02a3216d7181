// The statistics page's counters: their order against the device's table, their edits per slot,
// the slots read, and the text a counter shows.

#include <gtest/gtest.h>

#include <set>

#include "module/Misc.h"
#include "pages/admin/StaticRules.h"
#include "tests/NamedRows.h"

using namespace StaticRules;

namespace {

using hvtest::PrintTo;

TEST(StaticRules, CountersFollowTheTablesOrder) {
    for (const MibObjectDef* table : {kMibT054, kMibT055}) {
        int n = 0;
        for (const MibObjectDef* d = table; d->oid; ++d, ++n) {
            ASSERT_LT(n, kCounterCount);
            EXPECT_STREQ(d->name, kCounters[size_t(n)].object) << n;
        }
        EXPECT_EQ(n, kCounterCount);
    }
}

TEST(StaticRules, EditsPerSlotAreDistinct) {
    EXPECT_EQ(editName(0, 1), u"Ed_TranSuRata");
    EXPECT_EQ(editName(17, 2), u"Ed_WEPIErrCntg");
    std::set<QString> names;
    for (int slot : {1, 2})
        for (int n = 0; n < kCounterCount; ++n) names.insert(editName(n, slot));
    EXPECT_EQ(names.size(), size_t(2 * kCounterCount));
}

TEST(StaticRules, GroupsCoverEveryCounterOnce) {
    int next = 0;
    for (const Group& g : kGroups) {
        EXPECT_EQ(g.first, next) << g.caption;
        next += g.count;
    }
    EXPECT_EQ(next, kCounterCount);
    for (int n = 0; n < kCounterCount; ++n) EXPECT_EQ(kCounters[size_t(n)].percent, n < 4) << n;
}

TEST(StaticRules, OnlyShownTabsAreRead) {
    EXPECT_EQ(slotsToRead(true, false), (std::vector<int>{1}));
    EXPECT_EQ(slotsToRead(true, true), (std::vector<int>{1, 2}));
    EXPECT_TRUE(slotsToRead(false, false).empty());
}

struct TextCase {
    const char* name;
    const char* read;
    const char* shown;
};

class StaticCounterText : public ::testing::TestWithParam<TextCase> {};

TEST_P(StaticCounterText, Shown) {
    EXPECT_EQ(counterText(GetParam().read), QString::fromLatin1(GetParam().shown));
}

const TextCase kTexts[] = {
    {"Plain", "1234", "1234"},
    {"Zero", "0", "0"},
    {"PastTwoToThe31", "-2147483648", "2147483648"},
    {"AllOnes", "-1", "4294967295"},
    {"Top", "4294967295", "4294967295"},
    {"BelowInt32", "-2147483649", "-2147483649"},
    {"Empty", "", ""},
    {"Text", "n/a", "n/a"},
};

INSTANTIATE_TEST_SUITE_P(Table, StaticCounterText, ::testing::ValuesIn(kTexts),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
