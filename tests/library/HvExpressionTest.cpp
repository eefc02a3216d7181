#include "library/HvExpression.h"

#include <gtest/gtest.h>

#include <QDateTime>

#include "library/HvClock.h"
#include "library/HvException.h"
#include "tests/NamedRows.h"

namespace {

using hvtest::PrintTo;

TEST(StringReplaceAll, ReplacesWithoutRescanning) {
    EXPECT_EQ(HvStringReplaceAll("aXa", "X", "XX"), "aXXa");
    EXPECT_EQ(HvStringReplaceAll("aaaa", "aa", "b"), "bb");
    EXPECT_EQ(HvStringReplaceAll("[MIN]-[MAX]", "[MIN]", "1"), "1-[MAX]");
    EXPECT_EQ(HvStringReplaceAll("abc", "", "x"), "abc");
    EXPECT_EQ(HvStringReplaceAll("", "a", "x"), "");
    EXPECT_EQ(HvStringReplaceAll("abc", "abc", ""), "");
}

TEST(StripQuotes, OnlyWhenBothEnds) {
    EXPECT_EQ(HvStripQuotes("\"a|b\""), "a|b");
    EXPECT_EQ(HvStripQuotes("\"a"), "\"a");
    EXPECT_EQ(HvStripQuotes("\""), "");
    EXPECT_EQ(HvStripQuotes(""), "");
    EXPECT_EQ(HvStripQuotes("\"\""), "");
}

TEST(SplitAtOperator, ListOrderDecides) {
    std::string l, r;
    EXPECT_EQ(HvSplitAtOperator({"<>", ">=", "<=", ">", "<", "="}, "a<b=c", l, r), 4);
    EXPECT_EQ(l, "a");
    EXPECT_EQ(r, "b=c");
    EXPECT_EQ(HvSplitAtOperator({"=", "<"}, "a<b=c", l, r), 0);
    EXPECT_EQ(l, "a<b");
    EXPECT_EQ(r, "c");
    EXPECT_EQ(HvSplitAtOperator({"<>", "<"}, "x<>y", l, r), 0);
    EXPECT_EQ(r, "y");
    l = "keep";
    EXPECT_EQ(HvSplitAtOperator({"<"}, "abc", l, r), -1);
    EXPECT_EQ(l, "keep");
}

// "NOW" comes from the library clock: 2024-05-06 12:00 is day 45418.5 of the GUI library's calendar.
template <typename Param>
class WithFixedClock : public ::testing::TestWithParam<Param> {
protected:
    void SetUp() override {
        HvSetClock([] { return QDateTime(QDate(2024, 5, 6), QTime(12, 0)); });
    }
    void TearDown() override { HvSetClock({}); }
};

struct ArithCase {
    const char* name;
    const char* text;
    double value;
};

class Arithmetic : public WithFixedClock<ArithCase> {};

TEST_P(Arithmetic, Evaluates) {
    EXPECT_DOUBLE_EQ(HvEvalArithmetic(this->GetParam().text), this->GetParam().value);
}

const ArithCase kArithCases[] = {
    {"ParenthesesFirst", "(1+2)*3", 9},
    {"PlusSplitsFirst", "2*3+4", 10},
    {"MinusRightAssociative", "10-3-2", 9},
    {"LeadingMinus", "-5", -5},
    {"DivisionRightAssociative", "8/4/2", 4},
    {"LeftOperandSingleNumber", "8/2*4", 32},
    {"NestedParentheses", "((2+3)*(1+1))/4", 2.5},
    {"Fraction", "1.5*2", 3},
    {"BlanksSkipped", " 7 + 1", 8},
    {"NonNumericIsZero", "abc+2", 2},
    {"EmptyIsZero", "", 0},
    {"UnbalancedParenthesisReadsZero", "(1+2", 2},
    {"ExponentInput", "1E2*2", 200},
    {"DecimalPrefixOnly", "12abc", 12},
    {"NowDays", "NOW", 45418.5},
    {"NowAnyCase", "now-45418", 0.5},
};

INSTANTIATE_TEST_SUITE_P(Table, Arithmetic, ::testing::ValuesIn(kArithCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Arithmetic, DivisionByZeroIsInfinite) {
    EXPECT_TRUE(std::isinf(HvEvalArithmetic("1/0")));
}

struct BoolCase {
    const char* name;
    const char* text;
    bool value;
};

class Boolean : public WithFixedClock<BoolCase> {};

TEST_P(Boolean, Evaluates) {
    EXPECT_EQ(HvEvalBoolean(this->GetParam().text), this->GetParam().value);
}

const BoolCase kBoolCases[] = {
    {"AndNot", "true&!false", true},
    {"QuotedBarIsProtected", "\"a|b\"=\"a|b\"", true},
    {"Or", "false|true", true},
    {"OrShortCircuits", "true|maybe", true},
    {"AndShortCircuits", "false&maybe", false},
    {"Parentheses", "!(true&false)", true},
    {"TextComparison", "10<9", true},
    {"NotEqual", "a<>b", true},
    {"GreaterOrEqual", "b>=b", true},
    {"CaseSensitive", "A=a", false},
    {"TrimmedSides", " 1 = 1 ", true},
    {"QuotedSides", "\"x y\"=x y", true},
    {"NowAsText", "NOW=45418.5", true},
    {"TruthAnyCase", "TRUE", true},
    {"SplitOrder", "a<b=c", true},  // splits at '<': "a" < "b=c"
};

INSTANTIATE_TEST_SUITE_P(Table, Boolean, ::testing::ValuesIn(kBoolCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Boolean, BadOperandRaisesCommonMessage) {
    for (const char* text : {"maybe", "", "true&maybe", "!"}) {
        try {
            HvEvalBoolean(text);
            ADD_FAILURE() << "no exception for " << text;
        } catch (const HvException& e) {
            EXPECT_STREQ(e.what(), "(HvCommon) Bad logic operand!") << text;
            EXPECT_EQ(e.helpContext(), -1);
        }
    }
}

// A device text in a condition is protected by its quotes only when it is the first one, so its
// parentheses and operators nest as they come; that once ran the stack out.
TEST(Boolean, DeepNestingIsABadOperandNotAStackOverflow) {
    const std::string nested = std::string(100000, '(') + "true" + std::string(100000, ')');
    EXPECT_THROW(HvEvalBoolean("\"a\"=\"a\"&" + nested), HvException);
    EXPECT_TRUE(HvEvalBoolean(std::string(50, '(') + "true" + std::string(50, ')')));
}

TEST(Boolean, LongChainsNeedNoNesting) {
    std::string chain;
    for (int i = 0; i < 2000; ++i) chain += "1=2|";
    EXPECT_TRUE(HvEvalBoolean(chain + "1=1"));
    EXPECT_FALSE(HvEvalBoolean(chain + "1=3"));
    // Each unquoted '!' rule drops the first character and negates, however far the '!' stands.
    EXPECT_EQ(HvEvalBoolean(std::string(999, ' ') + "!true"), HvEvalBoolean(" !true"));
}

}  // namespace
