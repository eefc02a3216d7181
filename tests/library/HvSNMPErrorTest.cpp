#include "library/HvSNMPError.h"

#include <gtest/gtest.h>

#include <QDateTime>

#include "library/HvClock.h"
#include "library/HvException.h"
#include "tests/NamedRows.h"

namespace {

using hvtest::PrintTo;

struct TranslateCase {
    const char* name;
    int32_t status;
    int32_t code;
    const char* message;
};

class Translate : public ::testing::TestWithParam<TranslateCase> {};

TEST_P(Translate, GivesCodeAndMessage) {
    const auto& c = GetParam();
    int32_t code = 12345;
    std::string message = "stale";
    HvSNMPError::translate(c.status, code, message);
    EXPECT_EQ(code, c.code);
    EXPECT_EQ(message, c.message);
}

const TranslateCase kTranslateCases[] = {
    {"Zero", 0, 0, "(HvSNMP++) Ok!"},
    {"V3MpOk", -1401, 0, "(HvSNMP++) Ok!"},
    {"UsmOk", 1400, 0, "(HvSNMP++) Ok!"},
    {"StatusFirst", 1, -101, "(SNMP) Response PDU Too Big!"},
    {"StatusNoSuchName", 2, -102, "(SNMP) Variable does not exist!"},
    {"StatusLast", 18, -118, "(SNMP) Cannot create variable, Inconsistent Name!"},
    {"StatusBeyond", 19, -528, "(HvSNMP++) Unknown error code!"},
    {"ClassFirst", -1, -401, "(SNMPClass) Operation failed!"},
    {"ClassTimeout", -5, -405, "(SNMPClass) SNMP request timed out!"},
    {"ClassOddSpelling", -9, -409, "(SNMPClass)Unknown error code!"},
    {"ClassTransport", -20, -420, "(SNMP Class) Transport is not supported!"},
    {"ClassLast", -23, -423, "(SNMPClass) Blocked Mode Shutdown!"},
    {"ClassBeyond", -24, -528, "(HvSNMP++) Unknown error code!"},
    {"BelowV3Ok", -1400, -528, "(HvSNMP++) Unknown error code!"},
    {"V3First", -1402, -201, "(SNMPv3) Unsupported Security Model!"},
    {"V3Community", -1411, -210, "(SNMPv3) Community format error!"},
    {"V3Last", -1418, -217, "(SNMPv3) Report sent!"},
    {"V3Beyond", -1419, -528, "(HvSNMP++) Unknown error code!"},
    {"AboveUsmOk", -1399, -528, "(HvSNMP++) Unknown error code!"},
    {"UsmBelowOk", 1399, -528, "(HvSNMP++) Unknown error code!"},
    {"UsmFirst", 1401, -301, "(SNMPv3USM) error!"},
    {"UsmUnknownName", 1404, -304, "(SNMPv3USM) Unknown SecurityName!"},
    {"UsmLast", 1414, -314, "(SNMPv3USM) Address error!"},
    {"UsmBeyond", 1415, -528, "(HvSNMP++) Unknown error code!"},
    {"Huge", 2147483647, -528, "(HvSNMP++) Unknown error code!"},
    {"HugeNegative", -2147483647 - 1, -528, "(HvSNMP++) Unknown error code!"},
};

INSTANTIATE_TEST_SUITE_P(AllRanges, Translate, ::testing::ValuesIn(kTranslateCases),
                         [](const auto& info) { return std::string(info.param.name); });

class MessageTables : public ::testing::Test {
protected:
    void TearDown() override {
        HvResetMessageTables();
        HvSetClock({});
    }
};

TEST_F(MessageTables, BuiltInSizes) {
    EXPECT_EQ(HvMessageTableSize(HvMessageTable::Common), 19u);
    EXPECT_EQ(HvMessageTableSize(HvMessageTable::ErrorStatus), 19u);
    EXPECT_EQ(HvMessageTableSize(HvMessageTable::SnmpClass), 23u);
    EXPECT_EQ(HvMessageTableSize(HvMessageTable::SnmpV3), 17u);
    EXPECT_EQ(HvMessageTableSize(HvMessageTable::SnmpUsm), 14u);
    EXPECT_EQ(HvMessageTableSize(HvMessageTable::Own), 29u);
    EXPECT_EQ(HvMessageTableSize(HvMessageTable::ResultLines), 2u);
    EXPECT_EQ(HvMessageText(HvMessageTable::ErrorStatus, 18), "(SNMP) Cannot download the overdue firmware!");
    EXPECT_EQ(HvMessageText(HvMessageTable::Common, 1), "(HvCommon) Bad logic operand!");
    EXPECT_EQ(HvMessageText(HvMessageTable::Own, 14), "(HvSNMP++) Bad key count of SNMP variable list!");
    EXPECT_EQ(HvMessageText(HvMessageTable::Own, 99), "");
}

TEST_F(MessageTables, ReplacedLinesKeepLaterBuiltInEntries) {
    HvReplaceMessageTable(HvMessageTable::SnmpClass, {"Zeitfehler 0", "Zeitfehler 1"});
    int32_t code = 0;
    std::string message;
    HvSNMPError::translate(-1, code, message);
    EXPECT_EQ(message, "Zeitfehler 0");
    HvSNMPError::translate(-2, code, message);
    EXPECT_EQ(message, "Zeitfehler 1");
    HvSNMPError::translate(-5, code, message);
    EXPECT_EQ(code, -405);
    EXPECT_EQ(message, "(SNMPClass) SNMP request timed out!");
    EXPECT_EQ(HvMessageTableSize(HvMessageTable::SnmpClass), 23u);
    // Other tables are untouched, and a reset brings the built-in texts back.
    EXPECT_EQ(HvMessageText(HvMessageTable::SnmpV3, 0), "(SNMPv3) Unsupported Security Model!");
    HvResetMessageTables();
    HvSNMPError::translate(-1, code, message);
    EXPECT_EQ(message, "(SNMPClass) Operation failed!");
}

TEST_F(MessageTables, RaiseCodeCarriesOwnTextAndCode) {
    try {
        HvRaiseCode(HvErrBadKeyCount);
        FAIL() << "no exception";
    } catch (const HvException& e) {
        EXPECT_STREQ(e.what(), "(HvSNMP++) Bad key count of SNMP variable list!");
        EXPECT_EQ(e.helpContext(), -514);
    }
    HvReplaceMessageTable(HvMessageTable::Own, std::vector<std::string>(12, "x"));
    try {
        HvRaiseCode(-511);
    } catch (const HvException& e) {
        EXPECT_STREQ(e.what(), "x");
        EXPECT_EQ(e.helpContext(), -511);
    }
    try {
        HvRaiseCommon(1);
    } catch (const HvException& e) {
        EXPECT_STREQ(e.what(), "(HvCommon) Bad logic operand!");
        EXPECT_EQ(e.helpContext(), -1);
    }
}

struct ResultLineCase {
    const char* name;
    const char* line;
    const char* suffix;
    const char* expected;
};

class ResultLine : public ::testing::TestWithParam<ResultLineCase> {};

TEST_P(ResultLine, Fills) {
    const auto& c = GetParam();
    EXPECT_EQ(HvFillResultLine(c.line, "x", c.suffix, "01:02:03 PM"), c.expected);
}

const ResultLineCase kResultLineCases[] = {
    {"GetNoSuffixCutsRequest", "Get: [ERROR] Request:[VARLIST]. Receive at [TIME].", "",
     "Get: x. Receive at 01:02:03 PM."},
    {"SetWithSuffix", "Set: [ERROR] Request:[VARLIST]. Receive at [TIME].", "3",
     "Set: x Request:3. Receive at 01:02:03 PM."},
    {"VarListFirstKeepsPlaceholder", "[VARLIST] [ERROR] at [TIME]", "", "[VARLIST] x at 01:02:03 PM"},
    // A replaced template without "[VARLIST]" must not lose its tail.
    {"NoVarListCutsNothing", "Lesen: [ERROR] um [TIME].", "", "Lesen: x um 01:02:03 PM."},
    {"NoErrorCutsNothing", "Request:[VARLIST] at [TIME]", "", "Request:[VARLIST] at 01:02:03 PM"},
    {"AdjacentPlaceholders", "[ERROR][VARLIST]!", "", "x!"},
    {"EveryVarListReplaced", "[VARLIST]/[VARLIST] [ERROR]", "1.2", "1.2/1.2 x"},
};

INSTANTIATE_TEST_SUITE_P(Templates, ResultLine, ::testing::ValuesIn(kResultLineCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MessageTables, ResultLineUsesTemplateAndClock) {
    HvSetClock([] { return QDateTime(QDate(2024, 5, 6), QTime(13, 4, 5)); });
    const std::string line = HvResultLine(1, "(HvSNMP++) Ok!", "3");
    EXPECT_TRUE(line.starts_with("Set: (HvSNMP++) Ok! Request:3. Receive at 01:04:05 ")) << line;
    EXPECT_EQ(HvResultLine(0, "e", ""), "Get: e. Receive at " + HvFormatTime12(QTime(13, 4, 5)) + ".");
    HvReplaceMessageTable(HvMessageTable::ResultLines, {"G [ERROR] [TIME]"});
    EXPECT_EQ(HvResultLine(0, "e", ""), "G e " + HvFormatTime12(QTime(13, 4, 5)));
    EXPECT_TRUE(HvResultLine(1, "e", "").starts_with("Set: e. Receive at "));
}

TEST(FormatTime12, TwelveHourClock) {
    EXPECT_EQ(HvFormatTime12(QTime(0, 5, 9), true), "12:05:09 AM");
    EXPECT_EQ(HvFormatTime12(QTime(11, 59, 59), true), "11:59:59 AM");
    EXPECT_EQ(HvFormatTime12(QTime(12, 0, 0), true), "12:00:00 PM");
    EXPECT_EQ(HvFormatTime12(QTime(23, 1, 2), true), "11:01:02 PM");
    EXPECT_TRUE(HvFormatTime12(QTime(23, 1, 2)).starts_with("11:01:02 "));
}

}  // namespace
