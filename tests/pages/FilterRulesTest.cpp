// The access filter pages' rules: the table button of a band whose filter is off, the rows Add, Set
// and Del work on, the checks of a typed address with its duplicate test in either case, and the
// table buttons that wait for every walk and write.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "pages/wireless/FilerRules.h"
#include "tests/NamedRows.h"

using namespace FilerRules;

namespace {

using hvtest::PrintTo;

TEST(FilterRules, TableButtonOffOnlyWhileTheFilterIsOff) {
    EXPECT_TRUE(macTableButtonEnabled(0));   // Accept
    EXPECT_TRUE(macTableButtonEnabled(1));   // Reject
    EXPECT_FALSE(macTableButtonEnabled(2));  // Disable
    // A band whose state could not be read keeps its button.
    EXPECT_TRUE(macTableButtonEnabled(-1));
}

// The device's table: rows 1 and 3 held, 2 and 4 free.
const std::vector<MacRow> kTable = {
    {"1", "0011AABBCCDD"}, {"2", "000000000000"}, {"3", "00AABBCCDDEE"}, {"4", "000000000000"}};

TEST(FilterRules, AddTakesTheFirstFreeRow) {
    EXPECT_EQ(freeRow(kTable), 1);
    EXPECT_EQ(freeRow({{"1", "0011AABBCCDD"}, {"2", "00AABBCCDDEE"}}), std::nullopt);
    EXPECT_EQ(freeRow({}), std::nullopt);
}

struct RowCase {
    const char* name;
    const char* mac;
    std::optional<int> row;
};

class FilterRowOfMac : public ::testing::TestWithParam<RowCase> {};

TEST_P(FilterRowOfMac, FindsTheRowOrNone) {
    EXPECT_EQ(rowOfMac(kTable, QString::fromLatin1(GetParam().mac)), GetParam().row);
}

INSTANTIATE_TEST_SUITE_P(Table, FilterRowOfMac,
                         ::testing::Values(RowCase{"Exact", "00AABBCCDDEE", 2},
                                           RowCase{"LowerCase", "00aabbccddee", 2},
                                           // The lists differ: no row, rather than the last one chosen.
                                           RowCase{"Missing", "001122334455", std::nullopt},
                                           RowCase{"Empty", "", std::nullopt}),
                         [](const auto& info) { return std::string(info.param.name); });

struct TypedCase {
    const char* name;
    const char* typed;
    std::optional<PageRules::CheckFailure> expected;
};

class FilterTyped : public ::testing::TestWithParam<TypedCase> {};

TEST_P(FilterTyped, FirstFailureOrNone) {
    EXPECT_EQ(checkTyped(QString::fromLatin1(GetParam().typed)), GetParam().expected);
}

// The boxes as the user reads them, spelled out here rather than taken from the rules they check.
const PageRules::CheckFailure kLength{QStringLiteral("The length is 12 in MAC Address."), QStringLiteral("Error"),
                                      {}, {}, {}};
const PageRules::CheckFailure kInvalid{QStringLiteral("Please input a valid MAC Address."),
                                       QStringLiteral("Warning"), {}, {}, {}};

INSTANTIATE_TEST_SUITE_P(Table, FilterTyped,
                         ::testing::Values(TypedCase{"Good", "0011AABBCCDD", std::nullopt},
                                           TypedCase{"LowerCase", "0011aabbccdd", std::nullopt},
                                           TypedCase{"Short", "0011AABBCCD", kLength},
                                           TypedCase{"Long", "0011AABBCCDDE", kLength},
                                           TypedCase{"Empty", "", kLength},
                                           TypedCase{"Free", "000000000000", kInvalid},
                                           TypedCase{"NotHex", "0011AABBCCDG", kInvalid},
                                           TypedCase{"Separators", "00-11-AA-BB-", kInvalid}),
                         [](const auto& info) { return std::string(info.param.name); });

struct DuplicateCase {
    const char* name;
    const char* ownKey;
    const char* typed;
    bool duplicate;
};

class FilterDuplicate : public ::testing::TestWithParam<DuplicateCase> {};

TEST_P(FilterDuplicate, AnotherRowHoldsIt) {
    const DuplicateCase& c = GetParam();
    EXPECT_EQ(isDuplicate(kTable, QString::fromLatin1(c.ownKey), QString::fromLatin1(c.typed)), c.duplicate);
}

INSTANTIATE_TEST_SUITE_P(Table, FilterDuplicate,
                         ::testing::Values(DuplicateCase{"New", "2", "001122334455", false},
                                           DuplicateCase{"HeldElsewhere", "2", "0011AABBCCDD", true},
                                           // Typed in lower case, listed in upper case: the same address.
                                           DuplicateCase{"LowerAgainstUpper", "2", "0011aabbccdd", true},
                                           DuplicateCase{"MixedCase", "4", "00aAbBcCdDeE", true},
                                           // A row keeps its own address when it is set again.
                                           DuplicateCase{"OwnRow", "1", "0011aabbccdd", false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FilterRules, DuplicateTellsRowsByKeyNotPlace) {
    // Rows keyed 5 and 9: the row written is the one whose key is shown, wherever it lies.
    const std::vector<MacRow> sparse = {{"5", "0011AABBCCDD"}, {"9", "000000000000"}};
    EXPECT_FALSE(isDuplicate(sparse, "5", "0011AABBCCDD"));
    EXPECT_TRUE(isDuplicate(sparse, "9", "0011aabbccdd"));
}

struct ButtonCase {
    const char* name;
    TableActivity activity;
    TableButtons buttons;
};

class FilterButtons : public ::testing::TestWithParam<ButtonCase> {};

TEST_P(FilterButtons, ActOnlyWhenNothingIsOut) {
    const ButtonCase& c = GetParam();
    EXPECT_EQ(tableButtons(c.activity), c.buttons);
    EXPECT_EQ(refreshRestarts(c.activity), c.buttons.refresh);
}

constexpr TableActivity listed(bool freeRow, bool selected) {
    TableActivity a;
    a.tableListed = true;
    a.freeRow = freeRow;
    a.userRowSelected = selected;
    return a;
}
constexpr TableActivity with(TableActivity a, bool tableBusy, bool usersBusy, bool writing) {
    a.tableBusy = tableBusy;
    a.usersBusy = usersBusy;
    a.writing = writing;
    return a;
}
constexpr TableActivity failedWalk() {
    TableActivity a = listed(true, true);
    a.tableListed = false;
    return a;
}

INSTANTIATE_TEST_SUITE_P(
    Table, FilterButtons,
    ::testing::Values(
        ButtonCase{"FreeRowNoSelection", listed(true, false), {true, false, false, true}},
        ButtonCase{"FullTable", listed(false, false), {false, false, false, true}},
        ButtonCase{"RowSelected", listed(false, true), {false, true, true, true}},
        // From the start of a write to its completion nothing else may choose a row.
        ButtonCase{"Writing", with(listed(true, true), true, false, true), {false, false, false, false}},
        ButtonCase{"TableWalk", with(listed(true, true), true, false, false), {false, false, false, false}},
        // The user's list still fills: a write now would restart its walk under it.
        ButtonCase{"UserWalk", with(listed(true, true), false, true, false), {false, false, false, false}},
        // No complete list of the device's rows: nothing to choose a row from.
        ButtonCase{"FailedWalk", failedWalk(), {false, false, false, true}}),
    [](const auto& info) { return std::string(info.param.name); });

// 6 s of the window's 50 ms ticks, counted here rather than taken from the rule it checks.
TEST(FilterRules, ClosedWindowWaitsForItsAnswersOnlySoLong) {
    constexpr int kSixSeconds = 6000 / 50;
    EXPECT_TRUE(closesNow(false, 0));
    EXPECT_FALSE(closesNow(true, 0));
    EXPECT_FALSE(closesNow(true, kSixSeconds - 1));
    EXPECT_TRUE(closesNow(true, kSixSeconds));
}

}  // namespace
