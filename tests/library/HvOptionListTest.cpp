#include "library/HvOptionList.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "library/HvException.h"
#include "platform/HvItemsControl.h"

namespace {

// A numeric list 1..4 (L30 of the device).
constexpr HvOptionNumPair kTftp[] = {{1, "Connect"}, {2, "Get"}, {3, "Put"}, {4, "Nothing"}, {0, nullptr}};
constexpr HvOptionTextPair kWords[] = {{"a", "Alpha"}, {"b", "Beta"}, {"bb", "Bravo"}, {nullptr, nullptr}};
// For kind 3, "ab" must come before "a" to be found at all: the first prefix match wins.
constexpr HvOptionTextPair kPrefixes[] = {
    {"a", "Alpha"}, {"ab", "Alphabet"}, {"b", "Beta"}, {nullptr, nullptr}};

class FakeItems : public HvItemsControl {
public:
    void clearItems() override {
        items.clear();
        index = -1;
    }
    void addItem(const std::string& text) override { items.push_back(text); }
    int32_t itemCount() const override { return static_cast<int32_t>(items.size()); }
    std::string itemString(int32_t i) const override { return items.at(static_cast<size_t>(i)); }
    int32_t itemIndex() const override { return index; }
    void setItemIndex(int32_t i) override { index = i; }

    std::vector<std::string> items;
    int32_t index = -1;
};

enum class Op { ValueToText, TextToValue, IndexOfText, IndexOfValue };

struct LookupCase {
    const char* name;
    int kind;  // 1 kTftp, 2 kWords, 3 kPrefixes
    bool caseSensitive;
    Op op;
    const char* input;
    const char* expected;  // text, or the index in decimal
};

void PrintTo(const LookupCase& c, std::ostream* os) {
    *os << c.name;
}

HvOptionList makeList(int kind, bool caseSensitive) {
    if (kind == 1) return HvOptionList(kTftp, HvOptionList::Numeric, caseSensitive);
    return HvOptionList(kind == 2 ? kWords : kPrefixes, kind, caseSensitive);
}

std::string run(const HvOptionList& list, Op op, const char* input) {
    switch (op) {
        case Op::ValueToText:
            return list.ValueToText(input);
        case Op::TextToValue:
            return list.TextToValue(input);
        case Op::IndexOfText:
            return std::to_string(list.IndexOfText(input));
        case Op::IndexOfValue:
            return std::to_string(list.IndexOfValue(input));
    }
    return {};
}

class OptionListLookup : public ::testing::TestWithParam<LookupCase> {};

TEST_P(OptionListLookup, GivesTheFirstMatchOrTheInputUnchanged) {
    const LookupCase& c = GetParam();
    HvOptionList list = makeList(c.kind, c.caseSensitive);
    EXPECT_EQ(run(list, c.op, c.input), c.expected);
}

const LookupCase kLookups[] = {
    // kind 1
    {"NumValue2IsGet", 1, false, Op::ValueToText, "2", "Get"},
    {"NumTextGetLowerIs2", 1, false, Op::TextToValue, "get", "2"},
    {"NumTextGetUpperIs2", 1, false, Op::TextToValue, "GET", "2"},
    {"NumValue9Unchanged", 1, false, Op::ValueToText, "9", "9"},
    {"NumNullMatchesNothing", 1, false, Op::IndexOfValue, "(NULL)", "-1"},
    {"NumNotDoneMatchesNothing", 1, false, Op::IndexOfValue, "(NOTDONE)", "-1"},
    {"NumNullValueToTextUnchanged", 1, false, Op::ValueToText, "(NULL)", "(NULL)"},
    {"NumNotDoneValueToTextUnchanged", 1, false, Op::ValueToText, "(NOTDONE)", "(NOTDONE)"},
    {"NumNegativeNoMatch", 1, false, Op::IndexOfValue, "-4", "-1"},
    {"NumLastItem", 1, false, Op::IndexOfValue, "4", "3"},
    {"NumUnknownTextUnchanged", 1, false, Op::TextToValue, "Gets", "Gets"},
    {"NumTextIsWholeText", 1, false, Op::IndexOfText, "Ge", "-1"},
    {"NumCaseFlagRefusesLower", 1, true, Op::TextToValue, "get", "get"},
    {"NumCaseFlagTakesExact", 1, true, Op::TextToValue, "Get", "2"},
    // kind 2
    {"StrValueToText", 2, false, Op::ValueToText, "b", "Beta"},
    {"StrValueIgnoresCase", 2, false, Op::ValueToText, "B", "Beta"},
    {"StrValueWhole", 2, false, Op::ValueToText, "b1", "b1"},
    {"StrTextToValue", 2, false, Op::TextToValue, "bravo", "bb"},
    {"StrCaseFlagValue", 2, true, Op::ValueToText, "B", "B"},
    {"StrNullIsOnlyAText", 2, false, Op::IndexOfValue, "(NULL)", "-1"},
    // kind 3: prefix rules
    {"PrefixValueA17", 3, false, Op::ValueToText, "a17", "Alpha17"},
    {"PrefixTextAlpha17", 3, false, Op::TextToValue, "Alpha17", "a17"},
    {"PrefixFirstMatchWins", 3, false, Op::ValueToText, "ab9", "Alphab9"},
    {"PrefixTextFirstMatchWins", 3, false, Op::TextToValue, "Alphabet", "abet"},
    {"PrefixLongerItemTextNeverMatches", 3, false, Op::IndexOfText, "Alp", "-1"},
    {"PrefixLongerItemValueNeverMatches", 3, false, Op::IndexOfValue, "", "-1"},
    {"PrefixIgnoresCase", 3, false, Op::TextToValue, "BETA-2", "b-2"},
    {"PrefixCaseFlag", 3, true, Op::TextToValue, "BETA-2", "BETA-2"},
    {"PrefixNoMatchUnchanged", 3, false, Op::ValueToText, "z1", "z1"},
};

INSTANTIATE_TEST_SUITE_P(Cases, OptionListLookup, ::testing::ValuesIn(kLookups),
                         [](const auto& info) { return std::string(info.param.name); });

// A kind-1 value that is no decimal 32-bit integer raises, as the GUI library's StrToInt does.
class OptionListBadNumber : public ::testing::TestWithParam<const char*> {};

TEST_P(OptionListBadNumber, RaisesTheConversionError) {
    HvOptionList list(kTftp);
    try {
        list.IndexOfValue(GetParam());
        FAIL() << "no exception";
    } catch (const HvException& e) {
        EXPECT_EQ(std::string(e.what()), "'" + std::string(GetParam()) + "' is not a valid integer value");
    }
    EXPECT_THROW(list.ValueToText(GetParam()), HvException);
}

INSTANTIATE_TEST_SUITE_P(Texts, OptionListBadNumber,
                         ::testing::Values("abc", "", " 2", "2 ", "+2", "0x1F", "$1F", "2.0", "1,0",
                                           "2147483648", "-2147483649", "(null)"),
                         [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST(OptionList, ParsesTheWholeInt32Range) {
    EXPECT_EQ(HvOptionList::StrToInt("2147483647"), 2147483647);
    EXPECT_EQ(HvOptionList::StrToInt("-2147483648"), INT32_MIN);
    EXPECT_EQ(HvOptionList::StrToInt("007"), 7);
}

TEST(OptionList, KeepsTheSourceOrderAndCopiesTheTexts) {
    std::string text = "Later";
    HvOptionNumPair source[] = {{4, "Disable"}, {1, text.c_str()}, {0, nullptr}};
    HvOptionList list(source);
    text = "Changed";
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list.kind(), HvOptionList::Numeric);
    EXPECT_FALSE(list.caseSensitive());
    EXPECT_EQ(list.GetItem(0).value, 4);
    EXPECT_EQ(list.GetItem(1).text, "Later");
    EXPECT_EQ(list.ValueOf(0), "4");
}

TEST(OptionList, NullOrEmptySourceGivesAnEmptyList) {
    constexpr HvOptionNumPair empty[] = {{7, nullptr}};
    constexpr HvOptionTextPair emptyText[] = {{"x", nullptr}};
    for (const HvOptionList& list : {HvOptionList(static_cast<const HvOptionNumPair*>(nullptr)),
                                     HvOptionList(empty), HvOptionList(emptyText, HvOptionList::String),
                                     HvOptionList(static_cast<const HvOptionTextPair*>(nullptr), 3)}) {
        EXPECT_EQ(list.count(), 0);
        EXPECT_EQ(list.ValueToText("1"), "1");
        FakeItems combo;
        combo.items = {"stale"};
        list.FillComboItems(combo);
        EXPECT_TRUE(combo.items.empty());
    }
}

TEST(OptionList, RefusesAKindThatDoesNotFitTheSource) {
    EXPECT_THROW(HvOptionList(kTftp, HvOptionList::String), HvException);
    EXPECT_THROW(HvOptionList(kWords, HvOptionList::Numeric), HvException);
    EXPECT_THROW(HvOptionList(kWords, 4), HvException);
}

TEST(OptionList, GetItemIsRangeChecked) {
    HvOptionList list(kTftp);
    EXPECT_EQ(list.GetItem(3).text, "Nothing");
    EXPECT_THROW(list.GetItem(4), HvException);
    EXPECT_THROW(list.GetItem(-1), HvException);
}

TEST(OptionList, FillsAComboInSourceOrder) {
    constexpr HvOptionNumPair outOfOrder[] = {{2, "HEX"}, {1, "ASCII"}, {0, nullptr}};
    HvOptionList list(outOfOrder);
    FakeItems combo;
    combo.items = {"old"};
    list.FillComboItems(combo);
    EXPECT_EQ(combo.items, (std::vector<std::string>{"HEX", "ASCII"}));
    list.SelectComboValue(combo, "1");
    EXPECT_EQ(combo.index, 1);
}

struct SelectCase {
    const char* name;
    const char* text;
    int32_t expected;
};

void PrintTo(const SelectCase& c, std::ostream* os) {
    *os << c.name;
}

class OptionListSelect : public ::testing::TestWithParam<SelectCase> {};

TEST_P(OptionListSelect, ComboAndRadioTakeTheTextThenTheValue) {
    HvOptionList list(kTftp);
    FakeItems combo, radio;
    list.FillComboItems(combo);
    list.FillRadioItems(radio);
    combo.index = radio.index = 0;
    list.SelectComboValue(combo, GetParam().text);
    list.SelectRadioValue(radio, GetParam().text);
    EXPECT_EQ(combo.index, GetParam().expected);
    EXPECT_EQ(radio.index, GetParam().expected);
}

const SelectCase kSelects[] = {
    {"ByText", "Put", 2},
    {"ByTextIgnoringCase", "put", 2},
    {"ByValue", "4", 3},
    {"ValueOutsideTheList", "9", -1},  // e.g. tftpcommand 9 on the device: no selection, nothing raises
    {"Null", "(NULL)", -1},
    {"NotDone", "(NOTDONE)", -1},
};

INSTANTIATE_TEST_SUITE_P(Cases, OptionListSelect, ::testing::ValuesIn(kSelects),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(OptionList, SelectWithAnUnknownWordRaisesAndLeavesNoSelection) {
    HvOptionList list(kTftp);
    FakeItems combo;
    list.FillComboItems(combo);
    combo.index = 1;
    EXPECT_THROW(list.SelectComboValue(combo, "Upload"), HvException);
    EXPECT_EQ(combo.index, -1);
}

TEST(OptionList, SelectOnAStringListTakesTheValue) {
    HvOptionList list(kWords, HvOptionList::String);
    FakeItems radio;
    list.FillRadioItems(radio);
    list.SelectRadioValue(radio, "bb");
    EXPECT_EQ(radio.index, 2);
    list.SelectRadioValue(radio, "Upload");
    EXPECT_EQ(radio.index, -1);
}

// A control given only some of the list's items, or its own order of them: a value selects the item
// of its text there, and a value the control does not offer selects nothing.
constexpr HvOptionNumPair kCiphers[] = {{1, "Auto"}, {2, "AES"}, {3, "TKIP"}, {0, nullptr}};

struct ReducedCase {
    const char* name;
    std::vector<std::string> items;  // what the page left in the control
    const char* shown;               // the value or text the device sent
    int32_t expected;
};

void PrintTo(const ReducedCase& c, std::ostream* os) {
    *os << c.name;
}

class OptionListReduced : public ::testing::TestWithParam<ReducedCase> {};

TEST_P(OptionListReduced, SelectsByTheControlsOwnItems) {
    HvOptionList list(kCiphers);
    FakeItems combo, radio;
    combo.items = radio.items = GetParam().items;
    combo.index = radio.index = 0;
    list.SelectComboValue(combo, GetParam().shown);
    list.SelectRadioValue(radio, GetParam().shown);
    EXPECT_EQ(combo.index, GetParam().expected);
    EXPECT_EQ(radio.index, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OptionListReduced,
    ::testing::Values(ReducedCase{"FirstItemLeftOutByValue", {"AES", "TKIP"}, "2", 0},
                      ReducedCase{"FirstItemLeftOutByText", {"AES", "TKIP"}, "AES", 0},
                      ReducedCase{"LastOfAShortList", {"AES", "TKIP"}, "3", 1},
                      ReducedCase{"ValueTheControlLacks", {"AES", "TKIP"}, "1", -1},
                      ReducedCase{"PlaceBeyondTheControl", {"AES"}, "TKIP", -1},
                      ReducedCase{"OwnOrder", {"TKIP", "Auto", "AES"}, "1", 1},
                      ReducedCase{"ItemTextInOtherCase", {"auto", "aes"}, "2", 1}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
