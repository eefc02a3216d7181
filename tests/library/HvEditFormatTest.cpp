#include "library/HvEditFormat.h"

#include <gtest/gtest.h>

#include <limits>

#include "library/HvException.h"
#include "library/HvSNMPError.h"

namespace {

const std::string kBadFormat = "(HvCommon) Bad format specifier of edit's constraint!";

// --- splitting -------------------------------------------------------------------------------

TEST(EditFormatSplit, NewPieceAtEveryPercentAfterTheFirst) {
    using V = std::vector<std::string>;
    EXPECT_EQ(HvSplitEditFormat("%u{n0x255}%u{n0x255}"), (V{"%u{n0x255}", "%u{n0x255}"}));
    EXPECT_EQ(HvSplitEditFormat("%s"), (V{"%s"}));
    EXPECT_EQ(HvSplitEditFormat("%%s"), (V{"%", "%s"}));
    EXPECT_EQ(HvSplitEditFormat("s%u"), (V{"s", "%u"}));
    EXPECT_EQ(HvSplitEditFormat(""), V{});
}

// --- parsing ---------------------------------------------------------------------------------

struct ParseCase {
    const char* name;
    const char* piece;
    char type;
    char delimiter;
    double minimum;
    double maximum;
    int32_t width;
    int32_t length;
    int16_t flags;
    char advance;
};

constexpr double kLow = std::numeric_limits<double>::lowest();
constexpr double kHigh = std::numeric_limits<double>::max();

void PrintTo(const ParseCase& c, std::ostream* os) {
    *os << c.name;
}

class EditFormatParse : public ::testing::TestWithParam<ParseCase> {};

TEST_P(EditFormatParse, GivesFields) {
    const auto& c = GetParam();
    const HvEditFormat f = HvParseEditFormat(c.piece);
    EXPECT_EQ(f.type, c.type);
    EXPECT_EQ(f.delimiter, c.delimiter);
    EXPECT_EQ(f.minimum, c.minimum);
    EXPECT_EQ(f.maximum, c.maximum);
    EXPECT_EQ(f.width, c.width);
    EXPECT_EQ(f.length, c.length);
    EXPECT_EQ(f.maxLength(), c.length);
    EXPECT_EQ(f.lengthFlags, c.flags);
    EXPECT_EQ(f.advanceChar, c.advance);
}

const ParseCase kParseCases[] = {
    {"PlainText", "%s", 's', 0, kLow, kHigh, 0, 0, 0, 0},
    {"SignedDefaults", "%i", 'i', 0, -2147483648.0, 2147483647.0, 0, 0, 0, 0},
    {"UnsignedDefaults", "%u", 'u', 0, 0, 4294967295.0, 0, 0, 0, 0},
    {"RealDefaults", "%f", 'f', 0, kLow, kHigh, 0, 0, 0, 0},
    {"UnsignedBounds", "%u{n1x4095}", 'u', 0, 1, 4095, 0, 0, 0, 0},
    {"NegativeRealBounds", "%f{n-2.5x-0.5}", 'f', 0, -2.5, -0.5, 0, 0, 0, 0},
    {"TextLength", "%s{l32}", 's', 0, kLow, kHigh, 0, 32, 0, 0},
    {"ExactNotEmpty", "%s{l8fn}", 's', 0, kLow, kHigh, 0, 8, 6, 0},
    {"AllFlagsThenWidth", "%h{l10afnw80}", 'h', 0, kLow, kHigh, 80, 10, 7, 0},
    {"RepeatedFlagCountsOnce", "%s{l4aa}", 's', 0, kLow, kHigh, 0, 4, 1, 0},
    {"NumberList", "%n.{n0x255}", 'n', '.', 0, 255, 0, 0, 0, 0},
    {"NumberListNoOptions", "%n,", 'n', ',', kLow, kHigh, 0, 0, 0, 0},
    {"AdvanceChar", "%u{e.}", 'u', 0, 0, 4294967295.0, 0, 0, 0, '.'},
    {"AdvanceCharIsBrace", "%u{e}}", 'u', 0, 0, 4294967295.0, 0, 0, 0, '}'},
    {"EmptyOptions", "%u{}", 'u', 0, 0, 4294967295.0, 0, 0, 0, 0},
};

INSTANTIATE_TEST_SUITE_P(Pieces, EditFormatParse, ::testing::ValuesIn(kParseCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct BadCase {
    const char* name;
    const char* piece;
};

void PrintTo(const BadCase& c, std::ostream* os) {
    *os << c.name;
}

class EditFormatBad : public ::testing::TestWithParam<BadCase> {};

TEST_P(EditFormatBad, RaisesBadFormat) {
    try {
        HvParseEditFormat(GetParam().piece);
        FAIL() << "accepted " << GetParam().piece;
    } catch (const HvException& e) {
        EXPECT_EQ(e.what(), kBadFormat);
        EXPECT_EQ(e.helpContext(), -2);
    }
}

const BadCase kBadCases[] = {
    {"Empty", ""},
    {"LonePercent", "%"},
    {"NoPercent", "su"},
    {"UnknownType", "%q"},
    {"UnknownOption", "%u{k1}"},
    {"Unclosed", "%u{n1x"},
    {"NoOpeningBrace", "%un1}"},
    {"ListWithoutDelimiter", "%n"},
    {"MinimumWithoutArgument", "%u{nx5}"},
    {"MaximumAtEnd", "%u{x}"},
    {"MinimumNotANumber", "%u{n--}"},
    {"MinimumTwoPoints", "%f{n1.2.3}"},
    {"LengthWithoutDigits", "%s{la}"},
    {"WidthTooLarge", "%s{w99999999999}"},
    {"AdvanceWithoutChar", "%u{e}"},
    {"FlagLetterTakenBeforeMinimum", "%u{l3n1}"},
    {"TextAfterClose", "%u{n1}x"},
};

INSTANTIATE_TEST_SUITE_P(Pieces, EditFormatBad, ::testing::ValuesIn(kBadCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(EditFormatParseAll, BadPieceAnywhereGivesNothing) {
    EXPECT_THROW(HvParseEditFormats("%u{n0x255}%q"), HvException);
    const auto formats = HvParseEditFormats("%n.{n0x255}%u{e.}");
    ASSERT_EQ(formats.size(), 2u);
    EXPECT_EQ(formats[0].type, 'n');
    EXPECT_EQ(formats[1].advanceChar, '.');
}

// --- change filter ---------------------------------------------------------------------------

struct ChangeCase {
    const char* name;
    const char* piece;
    const char16_t* text;
    HvEditChange::Action action;
    std::size_t position;
    bool advanceWhenFull;
};

void PrintTo(const ChangeCase& c, std::ostream* os) {
    *os << c.name;
}

class EditChange : public ::testing::TestWithParam<ChangeCase> {};

TEST_P(EditChange, Decides) {
    const auto& c = GetParam();
    const HvEditChange r = HvFilterEditChange(HvParseEditFormat(c.piece), c.text);
    EXPECT_EQ(r.action, c.action);
    EXPECT_EQ(r.position, c.position);
    EXPECT_EQ(r.advanceWhenFull, c.advanceWhenFull);
}

constexpr auto Leave = HvEditChange::Leave;
constexpr auto Advance = HvEditChange::Advance;
constexpr auto Reject = HvEditChange::Reject;
constexpr auto Accept = HvEditChange::Accept;

const ChangeCase kChangeCases[] = {
    {"EmptyLeftAlone", "%u", u"", Leave, 0, false},
    {"NullPlaceholder", "%u", u"(NULL)", Leave, 0, false},
    {"NotDonePlaceholder", "%h", u"(NOTDONE)", Leave, 0, false},
    {"UnsignedDigits", "%u{n1x4095}", u"409", Accept, 0, false},
    {"UnsignedLetter", "%u{n1x4095}", u"40a9", Reject, 2, false},
    {"UnsignedMinus", "%u", u"-1", Reject, 0, false},
    {"FirstOfSeveralBad", "%u", u"1xy", Reject, 1, false},
    {"SignedLeadingMinus", "%i", u"-12", Accept, 0, false},
    {"SignedInnerMinus", "%i", u"1-2", Reject, 1, false},
    {"RealOnePoint", "%f", u"-1.5", Accept, 0, false},
    {"RealSecondPoint", "%f", u"1.5.", Reject, 3, false},
    {"HexBothCases", "%h", u"09afAF", Accept, 0, false},
    {"HexG", "%h", u"0g", Reject, 1, false},
    {"TextAnything", "%s", u"a-. %\u00e9\u20ac", Accept, 0, false},
    {"ListDigitsAndDelimiter", "%n.{n0x255}", u"192.168.0.", Accept, 0, false},
    {"ListDelimiterFirst", "%n.{n0x255}", u".1", Reject, 0, false},
    {"ListDelimiterTwice", "%n.{n0x255}", u"1..2", Reject, 2, false},
    {"ListOtherChar", "%n.", u"1,2", Reject, 1, false},
    {"AdvanceCharMovesOn", "%u{e.}", u"12.", Advance, 2, false},
    {"AdvanceBeforeTypeCheck", "%u{e.}", u"a.", Advance, 1, false},
    {"AdvanceFirstOccurrence", "%s{e-}", u"a-b-", Advance, 1, false},
    {"FullWithAutoAdvance", "%h{l4a}", u"beef", Accept, 0, true},
    {"NotYetFull", "%h{l4a}", u"bee", Accept, 0, false},
    {"FullWithoutAutoAdvance", "%h{l4}", u"beef", Accept, 0, false},
};

INSTANTIATE_TEST_SUITE_P(Texts, EditChange, ::testing::ValuesIn(kChangeCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Removing the rejected character and filtering again, as the edit does when it sets the text,
// clears every bad character one per change.
TEST(EditChangeLoop, RemovesBadCharactersOnePerChange) {
    const HvEditFormat f = HvParseEditFormat("%u{n1x4095}");
    std::u16string text = u"a1b2c";
    int beeps = 0;
    for (HvEditChange r = HvFilterEditChange(f, text); r.action == HvEditChange::Reject;
         r = HvFilterEditChange(f, text)) {
        text.erase(r.position, 1);
        ++beeps;
    }
    EXPECT_EQ(text, u"12");
    EXPECT_EQ(beeps, 3);
}

// --- exit check ------------------------------------------------------------------------------

struct ExitCase {
    const char* name;
    const char* piece;
    const char16_t* text;
    HvEditExit::Action action;
    const char* message;
};

void PrintTo(const ExitCase& c, std::ostream* os) {
    *os << c.name;
}

class EditExit : public ::testing::TestWithParam<ExitCase> {
protected:
    void SetUp() override { HvResetMessageTables(); }
};

TEST_P(EditExit, Decides) {
    const auto& c = GetParam();
    const HvEditExit r = HvCheckEditExit(HvParseEditFormat(c.piece), c.text);
    EXPECT_EQ(r.action, c.action);
    EXPECT_EQ(r.message, c.message);
}

constexpr auto Skip = HvEditExit::Leave;
constexpr auto Pass = HvEditExit::Pass;
constexpr auto Fail = HvEditExit::Fail;

const ExitCase kExitCases[] = {
    {"PlaceholderSkipped", "%u{l4n}", u"(NULL)", Skip, ""},
    {"EmptyAllowed", "%s{l32}", u"", Skip, ""},
    {"EmptyRefused", "%s{l8fn}", u"", Fail, "(HvCommon) Empty value is not allowed!"},
    {"InRange", "%u{n1x4095}", u"4095", Pass, ""},
    {"BelowRange", "%u{n1x4095}", u"0", Fail, "(HvCommon) Please enter a number between 1 and 4095!"},
    {"AboveRange", "%u{n1x65535}", u"65536", Fail, "(HvCommon) Please enter a number between 1 and 65535!"},
    {"UnsignedBeyond32Bits", "%u", u"4294967296", Fail,
     "(HvCommon) Please enter a number between 0 and 4294967295!"},
    {"SignedDefaultRange", "%i", u"-2147483649", Fail,
     "(HvCommon) Please enter a number between -2147483648 and 2147483647!"},
    {"RealBoundsShortForm", "%f{n0.5x2.25}", u"2.3", Fail,
     "(HvCommon) Please enter a number between 0.5 and 2.25!"},
    {"RealTrailingPoint", "%f{n0x2}", u"1.", Pass, ""},
    {"LoneMinusIsNoNumber", "%i{n-5x5}", u"-", Fail, "(HvCommon) Please enter a number between -5 and 5!"},
    {"LonePointIsNoNumber", "%f{n0x1}", u".", Fail, "(HvCommon) Please enter a number between 0 and 1!"},
    {"TextWithinLength", "%s{l5}", u"abcde", Pass, ""},
    {"TextTooLong", "%s{l5}", u"abcdef", Fail,
     "(HvCommon) Please enter a string whose length is less than 5!"},
    {"TextCountsCharactersNotBytes", "%s{l3f}", u"\u00e9\u20ac!", Pass, ""},
    {"TextNotExact", "%s{l8fn}", u"1234567", Fail, "(HvCommon) Please enter a string whose length is 8!"},
    {"HexTooLong", "%h{l4}", u"abcde", Fail,
     "(HvCommon) Please enter a hex string whose length is less than 4!"},
    {"HexNotExact", "%h{l10f}", u"123456789", Fail,
     "(HvCommon) Please enter a hex string whose length is 10!"},
    {"HexExact", "%h{l10f}", u"123456789a", Pass, ""},
    {"ListInRange", "%n.{n0x255}", u"192.168.0.255", Pass, ""},
    {"ListNumberAbove", "%n.{n0x255}", u"192.256.0.1", Fail,
     "(HvCommon) Please enter a delimited number string with delimiter '.'.\nHere,each number is "
     "between 0 and 255!"},
    {"ListTrailingDelimiterIsZero", "%n.{n1x255}", u"10.", Fail,
     "(HvCommon) Please enter a delimited number string with delimiter '.'.\nHere,each number is "
     "between 1 and 255!"},
    {"ListNumberDoesNotWrap", "%n.{n0x255}", u"4294967296.1", Fail,
     "(HvCommon) Please enter a delimited number string with delimiter '.'.\nHere,each number is "
     "between 0 and 255!"},
    {"ListTooMany", "%n,{l3}", u"1,2,3,4", Fail,
     "(HvCommon) Please enter a delimited number string with delimiter ','.\nHere,the count of the "
     "number is less than 3!"},
    {"ListCountNotExact", "%n.{l4f}", u"1.2.3", Fail,
     "(HvCommon) Please enter a delimited number string with delimiter '.'.\nHere,the count of the "
     "number is equal to 4!"},
    {"ListCountExact", "%n.{n0x255l4f}", u"1.2.3.4", Pass, ""},
};

INSTANTIATE_TEST_SUITE_P(Texts, EditExit, ::testing::ValuesIn(kExitCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(EditExitMessages, ComeFromTheReplaceableCommonTable) {
    std::vector<std::string> lines(12);
    for (std::size_t i = 0; i < lines.size(); ++i) lines[i] = HvMessageText(HvMessageTable::Common, i);
    lines[8] = "Zwischen [MIN] und [MAX], [MIN]!";
    HvReplaceMessageTable(HvMessageTable::Common, lines);
    const HvEditExit r = HvCheckEditExit(HvParseEditFormat("%u{n1x4095}"), u"0");
    HvResetMessageTables();
    EXPECT_EQ(r.message, "Zwischen 1 und 4095, 1!");
}

// --- one edit's rule -------------------------------------------------------------------------

// Plays an edit box: the rule's answers carried out the way the edit does.
struct FakeEdit {
    HvEditRule rule;
    std::u16string text;
    std::vector<std::string> shown;

    void enter() { rule.entered(text); }
    void leave() {
        const HvEditExit r = rule.exit(text);
        if (r.action == HvEditExit::Fail) {
            shown.push_back(r.message);
            text = rule.lastGoodText();
        } else if (r.action == HvEditExit::Pass) {
            rule.passed(text);
        }
    }
};

TEST(EditRule, PassedTextIsRestoredAfterAFailure) {
    FakeEdit edit{HvEditRule(HvParseEditFormat("%u{n1x4095}"), true), u"", {}};
    edit.text = u"100";
    edit.leave();
    edit.text = u"5000";
    edit.leave();
    EXPECT_EQ(edit.text, u"100");
    ASSERT_EQ(edit.shown.size(), 1u);
    EXPECT_EQ(edit.shown[0], "(HvCommon) Please enter a number between 1 and 4095!");
}

TEST(EditRule, WithoutSavingAFailureEmptiesTheEdit) {
    FakeEdit edit{HvEditRule(HvParseEditFormat("%u{n1x4095}"), false), u"", {}};
    edit.text = u"100";
    edit.leave();
    edit.text = u"0";
    edit.leave();
    EXPECT_EQ(edit.text, u"");
}

// A value the binding wrote is what the user gets back after overtyping it with a bad one, not an
// empty field.
TEST(EditRule, ValueShownOnEnteringIsRestored) {
    FakeEdit edit{HvEditRule(HvParseEditFormat("%u{n1x4095}"), true), u"", {}};
    edit.text = u"100";  // written from the device
    edit.enter();
    edit.text = u"5000";
    edit.leave();
    EXPECT_EQ(edit.text, u"100");
}

TEST(EditRule, EmptyExitWithoutFlagKeepsOldGoodText) {
    FakeEdit edit{HvEditRule(HvParseEditFormat("%s{l4}"), true), u"ab", {}};
    edit.leave();
    edit.text = u"";
    edit.leave();
    edit.text = u"abcdef";
    edit.leave();
    EXPECT_EQ(edit.text, u"ab");
}

}  // namespace
