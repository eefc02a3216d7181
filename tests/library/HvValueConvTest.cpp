#include "library/HvValueConv.h"

#include <gtest/gtest.h>

#include "library/HvDateTime.h"
#include "library/HvException.h"
#include "library/HvNumList.h"
#include "library/HvOptionList.h"
#include "library/HvValueText.h"
#include "tests/NamedRows.h"

namespace {

using hvtest::PrintTo;

using namespace std::string_literals;
namespace S = HvSyntax;
using namespace HvValueConv;

const MibObjectDef kThree[] = {
    {"1.3.6.1.4.1.47011.1", "a", S::Integer, HvAccess::ReadWrite},
    {"1.3.6.1.4.1.47011.2", "b", S::Integer, HvAccess::ReadWrite},
    {"1.3.6.1.4.1.47011.3", "c", S::Integer, HvAccess::ReadWrite},
    {},
};

const HvOptionNumPair kModes[] = {{1, "get"}, {2, "set"}, {0, nullptr}};

// A list of three items whose syntaxes each test sets.
class Conv : public ::testing::Test {
protected:
    Conv() : list(kThree, MVT_FMV, 0) {}
    HvVarItem& item(int i) { return list.item(i); }
    void syntaxes(std::initializer_list<uint32_t> s) {
        int i = 0;
        for (uint32_t x : s) item(i++).syntax = x;
    }
    HvOptionList modes{kModes};
    HvSNMPVarList list;
};

int codeOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const HvException& e) {
        return e.helpContext();
    }
    ADD_FAILURE() << "no exception";
    return 1;
}

HvVarBind vbInt(HvVbType t, int64_t v) {
    HvVarBind vb;
    vb.type = t;
    vb.integer = v;
    return vb;
}
HvVarBind vbOctets(std::string octets, HvVbType t = HvVbType::OctetString) {
    HvVarBind vb;
    vb.type = t;
    vb.octets = std::move(octets);
    return vb;
}
HvVarBind vbOid(std::vector<uint32_t> ids) {
    HvVarBind vb;
    vb.type = HvVbType::ObjectId;
    vb.objectId = std::move(ids);
    return vb;
}
HvVarBind vbC64(uint64_t v) {
    HvVarBind vb;
    vb.type = HvVbType::Counter64;
    vb.counter64 = v;
    return vb;
}
HvVarBind vbNull(HvVbType t = HvVbType::Null) {
    HvVarBind vb;
    vb.type = t;
    return vb;
}

struct ReadCase {
    const char* name;
    uint32_t syntax;
    HvVarBind vb;
    std::string text;
    bool roundTrips;  // itemToVb of the text gives the binding back
};

class Read : public Conv, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(Read, ValueTextAndBack) {
    const auto& c = GetParam();
    item(0).syntax = c.syntax;
    item(0).value = "stale";
    vbToItem(list, 0, c.vb);
    EXPECT_EQ(item(0).value, c.text);
    if (c.roundTrips) {
        HvVarBind out;
        out.oid = "1.2.3";
        itemToVb(list, 0, out);
        HvVarBind expected = c.vb;
        expected.oid = "1.2.3";
        EXPECT_EQ(out, expected);
    }
}

const HvDateTime kWhen("2008-9-11,13:5:1.2,-5:30");

const ReadCase kReadCases[] = {
    {"BooleanTrue", S::Boolean, vbInt(HvVbType::Integer, 1), "true", true},
    {"BooleanNonZero", S::Boolean, vbInt(HvVbType::Integer, 7), "true", false},
    {"BooleanFalse", S::Boolean, vbInt(HvVbType::Integer, 0), "false", true},
    {"Integer", S::Integer, vbInt(HvVbType::Integer, -7), "-7", true},
    {"IntegerMin", S::Integer, vbInt(HvVbType::Integer, INT32_MIN), "-2147483648", true},
    {"IntegerFromGauge", S::Integer, vbInt(HvVbType::Gauge32, 4294967295), "-1", false},
    {"IntegerFromOctets", S::Integer, vbOctets("ab"), "(NULL)", false},
    {"IntegerNoSuchInstance", S::Integer, vbNull(HvVbType::NoSuchInstance), "(NULL)", false},
    {"OctetString", S::OctetStr, vbOctets("\x00\x11\xFE"s), "0011FE", true},
    {"OctetStringEmpty", S::OctetStr, vbOctets(""), "", true},
    {"OctetStringFromNull", S::OctetStr, vbNull(), "", false},
    {"BitString", S::BitStr, vbOctets("\x80"s), "80", true},
    {"Opaque", S::Opaque, vbOctets("\x01\x02"s, HvVbType::Opaque), "0102", true},
    {"Null", S::Null, vbNull(), "(NULL)", true},
    {"ObjectId", S::ObjectId, vbOid({1, 3, 6, 1, 4, 1, 47011, 11, 37, 9}), "1.3.6.1.4.1.47011.11.37.9", true},
    {"ObjectIdFromNull", S::ObjectId, vbNull(), "(NULL)", false},
    {"IpAddress", S::IpAddress, vbOctets("\x7F\x00\x00\x01"s, HvVbType::IpAddress), "127.0.0.1", true},
    {"IpAddressShort", S::IpAddress, vbOctets("\x7F\x00"s, HvVbType::IpAddress), "(NULL)", false},
    {"Nsap", S::NsapAddr, vbOctets("\x0A\x00\x00\x01"s, HvVbType::IpAddress), "10.0.0.1", true},
    {"Gauge", S::Gauge, vbInt(HvVbType::Gauge32, 4294967295), "4294967295", true},
    {"UInteger", S::UInteger, vbInt(HvVbType::Gauge32, 17), "17", true},
    {"CounterFromInteger", S::Counter, vbInt(HvVbType::Integer, -1), "4294967295", false},
    {"TimeTicks", S::TimeTicks, vbInt(HvVbType::TimeTicks, 8640000 + 1), "1 day 0:00:00.01", true},
    {"Counter64", S::Counter64, vbC64(18446744073709551615ull), "18446744073709551615", true},
    {"Counter64FromCounter", S::Counter64, vbInt(HvVbType::Counter32, 5), "5", false},
    {"Double", S::Double, vbOctets(HvDoubleToOctetsLE(2.5)), "2.5", true},
    {"DoubleWrongLength", S::Double, vbOctets("1234"), "(NULL)", false},
    {"Mac", S::MacAddress, vbOctets("\x00\x11\x22\xAA\xBB\xCC"s), "001122AABBCC", true},
    {"MacFree", S::MacAddress, vbOctets(std::string(6, '\0')), "000000000000", true},
    {"MacFromNull", S::MacAddress, vbNull(), "", false},
    {"DateTime", S::DateTime, vbOctets(kWhen.toOctets()), "2008-9-11,13:5:1.2,-5:30", true},
    {"DateTimeWrongLength", S::DateTime, vbOctets("\x07\xD8"s), "(NULL)", false},
    {"BcDateTime", S::BcDateTime, vbOctets(HvDoubleToOctetsLE(45418.5)), "2024/05/06 12:00:00 pm", true},
    {"DisplayLatin1", S::DisplayStr, vbOctets("Caf\xE9\x00!"s), "Caf\xE9\x00!"s, true},
    {"DisplayEmpty", S::DisplayStr, vbOctets(""), "", true},
    {"DisplayFromNull", S::DisplayStr, vbNull(), "", false},
};

INSTANTIATE_TEST_SUITE_P(EverySyntax, Read, ::testing::ValuesIn(kReadCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct BadWriteCase {
    const char* name;
    uint32_t syntax;
    const char* text;
    int code;
};

class BadWrite : public Conv, public ::testing::WithParamInterface<BadWriteCase> {};

TEST_P(BadWrite, Fails) {
    item(0).syntax = GetParam().syntax;
    item(0).value = GetParam().text;
    HvVarBind vb;
    EXPECT_EQ(codeOf([&] { itemToVb(list, 0, vb); }), GetParam().code);
    EXPECT_EQ(vb, HvVarBind{});
}

const BadWriteCase kBadWriteCases[] = {
    {"IntegerText", S::Integer, "abc", 0},
    {"IntegerTooBig", S::Integer, "2147483648", 0},
    {"IntegerPlaceholder", S::Integer, "(NOTDONE)", 0},
    {"GaugeTooBig", S::Gauge, "4294967296", 0},
    {"HexText", S::OctetStr, "00G1", 0},
    {"Ip", S::IpAddress, "1.2.3", 0},
    {"Oid", S::ObjectId, "1..2", 0},
    {"Ticks", S::TimeTicks, "1:99:00.00", 0},
    {"Counter64", S::Counter64, "-1", 0},
    {"Double", S::Double, "x", 0},
    {"BcDateTime", S::BcDateTime, "2024/13/01", 0},
    {"PartSyntax", S::Bool8, "1", -511},
    {"UnknownSyntax", 0x99, "1", -511},
};

INSTANTIATE_TEST_SUITE_P(Table, BadWrite, ::testing::ValuesIn(kBadWriteCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Conv, UnsupportedSyntaxOnReadRaises) {
    item(0).syntax = S::UInt16;
    EXPECT_EQ(codeOf([&] { vbToItem(list, 0, vbInt(HvVbType::Integer, 1)); }), -511);
}

TEST_F(Conv, NullTextSendsNullWhateverTheSyntax) {
    for (uint32_t s : {S::Integer, S::OctetStr, S::IpAddress, S::DisplayStr}) {
        item(0).syntax = s;
        item(0).value = "(NULL)";
        HvVarBind vb = vbInt(HvVbType::Integer, 5);
        vb.oid = "1.3.6";
        itemToVb(list, 0, vb);
        EXPECT_EQ(vb.type, HvVbType::Null);
        EXPECT_EQ(vb.integer, 0);
        EXPECT_EQ(vb.oid, "1.3.6");
    }
}

TEST_F(Conv, WritesLeniently) {
    item(0).syntax = S::MacAddress;
    item(0).value = "00:11:22:aa:bb:cc";
    HvVarBind vb;
    itemToVb(list, 0, vb);
    EXPECT_EQ(vb.octets, "\x00\x11\x22\xAA\xBB\xCC"s);
    item(0).syntax = S::UInteger;
    item(0).value = "-1";
    itemToVb(list, 0, vb);
    EXPECT_EQ(vb.type, HvVbType::Gauge32);
    EXPECT_EQ(vb.integer, 4294967295);
    item(0).syntax = S::TimeTicks;
    item(0).value = "12345";
    itemToVb(list, 0, vb);
    EXPECT_EQ(vb.integer, 12345);
}

TEST_F(Conv, OptionListMapsAfterReadAndBeforeWrite) {
    item(0).optionList = &modes;
    vbToItem(list, 0, vbInt(HvVbType::Integer, 2));
    EXPECT_EQ(item(0).value, "set");
    HvVarBind vb;
    itemToVb(list, 0, vb);
    EXPECT_EQ(vb, vbInt(HvVbType::Integer, 2));
    // A value outside the list stays a number both ways.
    vbToItem(list, 0, vbInt(HvVbType::Integer, 9));
    EXPECT_EQ(item(0).value, "9");
    itemToVb(list, 0, vb);
    EXPECT_EQ(vb.integer, 9);
    vbToItem(list, 0, vbNull(HvVbType::NoSuchObject));
    EXPECT_EQ(item(0).value, "(NULL)");
}

// ---- row indexes

TEST_F(Conv, OctetKeyWithAndWithoutLength) {
    list.setKeyCount(1);
    item(0).syntax = S::OctetStr;
    item(0).value = "00:11";
    EXPECT_EQ(keyToIndex(list, 0), "2.0.17");
    item(0).access |= HvAccess::ImpliedLength;
    EXPECT_EQ(keyToIndex(list, 0), "0.17");
}

TEST_F(Conv, RowIndexSplitAndJoined) {
    list.setKeyCount(3);
    syntaxes({S::IpAddress, S::DisplayStr, S::ObjectId});
    item(2).access |= HvAccess::ImpliedLength;
    const std::string index = "192.168.1.7.3.97.98.99.1.3.6";
    std::string rest = indexToKey(list, 0, index);
    EXPECT_EQ(rest, "3.97.98.99.1.3.6");
    rest = indexToKey(list, 1, rest);
    EXPECT_EQ(rest, "1.3.6");
    rest = indexToKey(list, 2, rest);
    EXPECT_EQ(rest, "");
    EXPECT_EQ(item(0).value, "192.168.1.7");
    EXPECT_EQ(item(1).value, "abc");
    EXPECT_EQ(item(2).value, "1.3.6");
    EXPECT_EQ(keyToIndex(list, 0) + "." + keyToIndex(list, 1) + "." + keyToIndex(list, 2), index);
}

struct KeyCase {
    const char* name;
    uint32_t syntax;
    const char* index;
    const char* value;
    const char* rest;
};

class Key : public Conv, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(Key, ReadsAndWritesBack) {
    const auto& c = GetParam();
    list.setKeyCount(2);
    item(0).syntax = c.syntax;
    EXPECT_EQ(indexToKey(list, 0, c.index), c.rest);
    EXPECT_EQ(item(0).value, c.value);
    std::string written = keyToIndex(list, 0);
    if (*c.rest) written += std::string(".") + c.rest;
    EXPECT_EQ(written, std::string(c.index).substr(c.index[0] == '.'));
}

const KeyCase kKeyCases[] = {
    {"Integer", S::Integer, "5.9", "5", "9"},
    {"IntegerNegative", S::Integer, "4294967295", "-1", ""},
    {"LeadingDot", S::Integer, ".5", "5", ""},
    {"BooleanTrue", S::Boolean, "1.2", "true", "2"},
    {"BooleanFalse", S::Boolean, "0", "false", ""},
    {"Gauge", S::Gauge, "4294967295.1", "4294967295", "1"},
    {"OctetString", S::OctetStr, "2.0.17.8", "0011", "8"},
    {"EmptyOctetString", S::OctetStr, "0.8", "", "8"},
    {"Display", S::DisplayStr, "2.104.105", "hi", ""},
    {"ObjectId", S::ObjectId, "3.1.3.6.4", "1.3.6", "4"},
    {"EmptyObjectId", S::ObjectId, "0.4", "", "4"},
    {"Ip", S::IpAddress, "10.0.0.1.3", "10.0.0.1", "3"},
    {"TimeTicks", S::TimeTicks, "100", "0:00:01.00", ""},
    {"Counter64", S::Counter64, "1.2", "4294967298", ""},
    {"Mac", S::MacAddress, "0.17.34.170.187.204.1", "001122AABBCC", "1"},
    {"DateTimeAdvances", S::DateTime, "7.216.9.11.13.5.1.2.45.5.30.4", "2008-9-11,13:5:1.2,-5:30", "4"},
    {"Double", S::Double, "1073741824.0", "2", ""},
};

INSTANTIATE_TEST_SUITE_P(EverySyntax, Key, ::testing::ValuesIn(kKeyCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Conv, NullKeyTakesNothing) {
    list.setKeyCount(1);
    item(0).syntax = S::Null;
    EXPECT_EQ(indexToKey(list, 0, "4.5"), "4.5");
    EXPECT_EQ(item(0).value, "(NULL)");
    EXPECT_EQ(keyToIndex(list, 0), "");
}

TEST_F(Conv, KeyWithOptionList) {
    list.setKeyCount(1);
    item(0).optionList = &modes;
    EXPECT_EQ(indexToKey(list, 0, "2.7"), "7");
    EXPECT_EQ(item(0).value, "set");
    EXPECT_EQ(keyToIndex(list, 0), "2");
}

struct BadIndexCase {
    const char* name;
    uint32_t syntax;
    bool implied;
    const char* index;
};

class BadIndex : public Conv, public ::testing::WithParamInterface<BadIndexCase> {};

TEST_P(BadIndex, RaisesBadKeyCount) {
    const auto& c = GetParam();
    list.setKeyCount(1);
    item(0).syntax = c.syntax;
    if (c.implied) item(0).access |= HvAccess::ImpliedLength;
    item(0).value = "kept";
    EXPECT_EQ(codeOf([&] { indexToKey(list, 0, c.index); }), -514);
    EXPECT_EQ(item(0).value, "kept");
}

const BadIndexCase kBadIndexCases[] = {
    {"Empty", S::Integer, false, ""},
    {"NotNumbers", S::Integer, false, "a.b"},
    {"DoubleDot", S::Integer, false, "1..2"},
    {"LengthBeyondEnd", S::OctetStr, false, "5.1.2"},
    {"HugeLength", S::OctetStr, false, "4294967295.1"},
    {"OctetAbove255", S::OctetStr, false, "2.1.300"},
    {"ImpliedOctetAbove255", S::DisplayStr, true, "65.256"},
    {"OidLengthBeyondEnd", S::ObjectId, false, "4.1.3"},
    {"IpShort", S::IpAddress, false, "10.0.1"},
    {"IpOctetAbove255", S::IpAddress, false, "10.0.1.256"},
    {"MacShort", S::MacAddress, false, "1.2.3.4.5"},
    {"Counter64Half", S::Counter64, false, "1"},
    {"DateTimeShort", S::DateTime, false, "7.216.9"},
};

INSTANTIATE_TEST_SUITE_P(Table, BadIndex, ::testing::ValuesIn(kBadIndexCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Conv, KeyToIndexRefusesBadValues) {
    list.setKeyCount(1);
    item(0).syntax = S::MacAddress;
    item(0).value = "0011";
    EXPECT_EQ(codeOf([&] { keyToIndex(list, 0); }), 0);
    item(0).syntax = S::Integer;
    item(0).value = "x";
    EXPECT_EQ(codeOf([&] { keyToIndex(list, 0); }), 0);
    item(0).syntax = S::Int8;
    EXPECT_EQ(codeOf([&] { keyToIndex(list, 0); }), -511);
    EXPECT_EQ(codeOf([&] { indexToKey(list, 0, "1"); }), -511);
}

// ---- expressions over items

TEST_F(Conv, SubstitutesBySyntax) {
    syntaxes({S::Integer, S::Boolean, S::TimeTicks});
    item(0).value = "12";
    item(1).value = "true";
    item(2).value = "1 day 0:00:00.00";
    EXPECT_EQ(evaluateExpression(list, "$0+$1*$2", false), "12+1*8640000");
    EXPECT_EQ(evaluateExpression(list, "no items", false), "no items");
    EXPECT_EQ(evaluateExpression(list, "$ and $$0", false), "$ and $12");
    item(0).optionList = &modes;
    item(0).value = "set";
    EXPECT_EQ(evaluateExpression(list, "$0", false), "2");
}

TEST_F(Conv, QuotesStringsOnlyInBooleanMode) {
    item(0).syntax = S::DisplayStr;
    item(0).value = "abc";
    EXPECT_EQ(evaluateExpression(list, "$0=\"abc\"", true), "\"abc\"=\"abc\"");
    EXPECT_TRUE(matchExpression(list, "$0=\"abc\""));
    EXPECT_FALSE(matchExpression(list, "$0=abd"));
    EXPECT_EQ(codeOf([&] { evaluateExpression(list, "$0+1", false); }), -513);
    item(0).readFormula = "$0+1";
    EXPECT_EQ(codeOf([&] { applyFormula(list, 0, 1); }), -513);
}

TEST_F(Conv, InsertedValuesAreNotRescanned) {
    syntaxes({S::DisplayStr, S::Integer});
    item(0).value = "$1$0";
    item(1).value = "7";
    EXPECT_EQ(evaluateExpression(list, "$0<>$1", true), "\"$1$0\"<>7");
    EXPECT_TRUE(matchExpression(list, "$0<>$1"));
}

TEST_F(Conv, NullValueAndBadIndexInExpression) {
    item(0).value = "(NULL)";
    EXPECT_EQ(codeOf([&] { evaluateExpression(list, "$0", true); }), -512);
    item(0).value = "1";
    EXPECT_THROW(evaluateExpression(list, "$3", true), HvException);
    EXPECT_THROW(evaluateExpression(list, "$99999999999999", true), HvException);
    EXPECT_TRUE(matchExpression(list, ""));
}

struct FormulaCase {
    const char* name;
    uint32_t syntax;
    const char* formula;
    const char* value;
};

class Formula : public Conv, public ::testing::WithParamInterface<FormulaCase> {};

TEST_P(Formula, StoresBySyntax) {
    const auto& c = GetParam();
    item(1).value = "10";
    item(0).syntax = c.syntax;
    item(0).value = "before";
    item(0).readFormula = c.formula;
    item(0).writeFormula = "999";
    applyFormula(list, 0, 1);
    EXPECT_EQ(item(0).value, c.value);
}

const FormulaCase kFormulaCases[] = {
    {"Integer", S::Integer, "$1*3", "30"},
    {"IntegerNegative", S::Integer, "0-$1", "-10"},
    {"HalfToEvenDown", S::Integer, "5/2", "2"},
    {"HalfToEvenUp", S::Integer, "7/2", "4"},
    {"Gauge", S::Gauge, "$1+0.4", "10"},
    {"Boolean", S::Boolean, "$1-10", "false"},
    {"TimeTicks", S::TimeTicks, "$1*100", "0:00:10.00"},
    {"Counter64", S::Counter64, "$1*1000000000", "10000000000"},
    {"Double", S::Double, "$1/4", "2.5"},
    {"BcDateTime", S::BcDateTime, "45418+0.75", "2024/05/06 06:00:00 pm"},
    {"Empty", S::Integer, "", "before"},
};

INSTANTIATE_TEST_SUITE_P(Table, Formula, ::testing::ValuesIn(kFormulaCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Conv, FormulaDirectionAndOptionText) {
    item(0).optionList = &modes;
    item(0).writeFormula = "1+1";
    item(0).value = "get";
    applyFormula(list, 0, 1);  // no read formula
    EXPECT_EQ(item(0).value, "get");
    applyFormula(list, 0, 0);
    EXPECT_EQ(item(0).value, "set");
}

TEST_F(Conv, FormulaResultsThatDoNotFitRaise) {
    struct {
        uint32_t syntax;
        const char* formula;
    } cases[] = {
        {S::Integer, "1/0"},          {S::Integer, "0-1/0"}, {S::Integer, "3000000000"}, {S::Gauge, "0-1"},
        {S::TimeTicks, "5000000000"}, {S::Counter64, "0-1"}, {S::Counter64, "1E20"},     {S::Double, "1/0"},
        {S::DisplayStr, "1"},         {S::IpAddress, "1"},   {S::BcDateTime, "1E10"},
    };
    for (const auto& c : cases) {
        item(0).syntax = c.syntax;
        item(0).value = "kept";
        item(0).readFormula = c.formula;
        EXPECT_EQ(codeOf([&] { applyFormula(list, 0, 1); }), -513) << c.formula;
        EXPECT_EQ(item(0).value, "kept");
    }
}

// ---- number lists

TEST(NumList, Parses) {
    HvNumList<int> commas(',');
    commas.parse("1,3,5");
    EXPECT_EQ(commas.numbers(), (std::vector<int>{1, 3, 5}));
    EXPECT_EQ(commas.indexOf(3), 1);
    EXPECT_EQ(commas.indexOf(4), -1);
    EXPECT_EQ(commas.countItems("1,3,5"), 3);
    commas.parse("");
    EXPECT_EQ(commas.count(), 0);
    EXPECT_EQ(commas.countItems(""), 0);
    commas.parse("1.6,2.4,,7,");
    EXPECT_EQ(commas.numbers(), (std::vector<int>{2, 2, 0, 7, 0}));
    commas.parse("99999999999999");
    EXPECT_EQ(commas[0], INT32_MAX);

    HvNumList<uint32_t> dotted;
    dotted.parse("192.168.0.1");
    EXPECT_EQ(dotted.numbers(), (std::vector<uint32_t>{192, 168, 0, 1}));
    EXPECT_EQ(dotted.countItems("1."), 2);
}

}  // namespace
