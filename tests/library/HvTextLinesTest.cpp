#include "library/HvTextLines.h"

#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "library/HvSNMPError.h"

namespace {

class MessageFiles : public ::testing::Test {
protected:
    void SetUp() override { HvResetMessageTables(); }
    void TearDown() override { HvResetMessageTables(); }

    std::string write(const std::string& relative, const std::string& content) {
        const std::string path = m_dir.path().toStdString() + "/" + relative;
        QDir().mkpath(QString::fromStdString(path.substr(0, path.rfind('/'))));
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }
    std::string root() const { return m_dir.path().toStdString(); }

    QTemporaryDir m_dir;
};

struct ReadCase {
    const char* name;
    std::string content;
    std::vector<std::string> expected;
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.name;
}

class MessageFileRead : public MessageFiles, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(MessageFileRead, OneMessagePerNonBlankLine) {
    const auto lines = HvReadTextLines(write("msg.err", GetParam().content));
    ASSERT_TRUE(lines.has_value());
    EXPECT_EQ(*lines, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MessageFileRead,
    ::testing::Values(ReadCase{"WindowsLineEnds", "first\r\nsecond\r\n", {"first", "second"}},
                      ReadCase{"UnixLineEndsNoFinalNewline", "first\nsecond", {"first", "second"}},
                      ReadCase{"LastLineWithCarriageReturnOnly", "first\r\nsecond\r", {"first", "second"}},
                      ReadCase{"BlankLinesDoNotCount", "\n   \r\n\t\r\nonly\n\n", {"only"}},
                      ReadCase{"ThreeBlanksThenText", "   \r\nText line\r\n", {"Text line"}},
                      ReadCase{"ControlCharactersAreBlank", "\x01\x7f\x1b\r\nx\r\n", {"x"}},
                      ReadCase{"LeadingAndTrailingBlanksKept", "  (SNMP) Text  \r\n", {"  (SNMP) Text  "}},
                      ReadCase{"CarriageReturnInsideKept", "a\rb\r\n", {"a\rb"}},
                      ReadCase{"ByteOrderMarkDropped", "\xEF\xBB\xBF(HvSNMP++) Ok!\r\n", {"(HvSNMP++) Ok!"}},
                      ReadCase{"LongLineIsOneMessage",
                               std::string(1500, 'x') + "\r\nnext\r\n",
                               {std::string(1500, 'x'), "next"}},
                      ReadCase{"Utf8Kept",
                               "Gr\xC3\xBC\xC3\x9F"
                               "e\n",
                               {"Gr\xC3\xBC\xC3\x9F"
                                "e"}},
                      ReadCase{"Windows1252Decoded",
                               "Gr\xFC\xDF"
                               "e \x80\r\n",
                               {"Gr\xC3\xBC\xC3\x9F"
                                "e \xE2\x82\xAC"}},
                      ReadCase{"OnlyBlankLines", "  \r\n\r\n\t\n", {}}, ReadCase{"EmptyFile", "", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MessageFiles, TwoLinesReplaceOnlyTheFirstTwoEntries) {
    const std::string third = HvMessageText(HvMessageTable::ErrorStatus, 2);
    const std::size_t size = HvMessageTableSize(HvMessageTable::ErrorStatus);
    ASSERT_FALSE(third.empty());
    ASSERT_TRUE(
        HvLoadTextLines(HvMessageTable::ErrorStatus, write("snmp.err", "\r\nEins\r\n   \r\nZwei\r\n")));
    EXPECT_EQ(HvMessageText(HvMessageTable::ErrorStatus, 0), "Eins");
    EXPECT_EQ(HvMessageText(HvMessageTable::ErrorStatus, 1), "Zwei");
    EXPECT_EQ(HvMessageText(HvMessageTable::ErrorStatus, 2), third);
    EXPECT_EQ(HvMessageTableSize(HvMessageTable::ErrorStatus), size);
}

TEST_F(MessageFiles, MissingOrBlankFileLeavesTheTable) {
    const std::string builtIn = HvMessageText(HvMessageTable::Own, 0);
    EXPECT_FALSE(HvReadTextLines(root() + "/errmsg/hvsnmp.err").has_value());
    EXPECT_FALSE(HvLoadTextLines(HvMessageTable::Own, root() + "/errmsg/hvsnmp.err"));
    EXPECT_FALSE(HvLoadTextLines(HvMessageTable::Own, write("errmsg/hvsnmp.err", " \r\n\r\n")));
    EXPECT_FALSE(HvLoadTextLines(HvMessageTable::Own, root()));  // a folder is no message file
    EXPECT_EQ(HvMessageText(HvMessageTable::Own, 0), builtIn);
}

TEST_F(MessageFiles, FolderAndFileNamesIgnoreCase) {
    write("errMSg/snmp.msg", "Get: [ERROR] at [TIME].\r\n");
    write("help/ERRMSG/SnmpClass.Err", "(class) failed\r\n");
    EXPECT_TRUE(HvLoadMessageFile(root() + "/errmsg\\snmp.msg"));
    EXPECT_EQ(HvMessageText(HvMessageTable::ResultLines, 0), "Get: [ERROR] at [TIME].");
    EXPECT_TRUE(HvLoadMessageFile(root() + "/help/" + "errmsg\\snmpclass.err"));
    EXPECT_EQ(HvMessageText(HvMessageTable::SnmpClass, 0), "(class) failed");
}

TEST_F(MessageFiles, UnknownFileNameReadsNothing) {
    const std::string path = write("errmsg/other.err", "text\r\n");
    EXPECT_FALSE(HvMessageTableOf("other.err").has_value());
    EXPECT_FALSE(HvLoadMessageFile(path));
}

struct TableCase {
    const char* name;
    const char* file;
    HvMessageTable table;
};

void PrintTo(const TableCase& c, std::ostream* os) {
    *os << c.name;
}

class MessageFileTable : public MessageFiles, public ::testing::WithParamInterface<TableCase> {};

// Each file replaces its own table and no other.
TEST_P(MessageFileTable, ReplacesItsOwnTable) {
    const HvMessageTable all[] = {HvMessageTable::Common,     HvMessageTable::ErrorStatus,
                                  HvMessageTable::SnmpClass,  HvMessageTable::SnmpV3,
                                  HvMessageTable::SnmpUsm,    HvMessageTable::Own,
                                  HvMessageTable::ResultLines};
    std::vector<std::string> before;
    for (auto t : all) before.push_back(HvMessageText(t, 0));
    ASSERT_TRUE(HvLoadMessageFile(write(std::string("errmsg/") + GetParam().file, "replaced\r\n")));
    for (std::size_t i = 0; i < std::size(all); ++i) {
        if (all[i] == GetParam().table)
            EXPECT_EQ(HvMessageText(all[i], 0), "replaced");
        else
            EXPECT_EQ(HvMessageText(all[i], 0), before[i]) << "table " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Files, MessageFileTable,
                         ::testing::Values(TableCase{"common", "common.err", HvMessageTable::Common},
                                           TableCase{"snmp", "snmp.err", HvMessageTable::ErrorStatus},
                                           TableCase{"snmpclass", "snmpclass.err", HvMessageTable::SnmpClass},
                                           TableCase{"snmpv3", "snmpv3.err", HvMessageTable::SnmpV3},
                                           TableCase{"snmpusm", "snmpusm.err", HvMessageTable::SnmpUsm},
                                           TableCase{"hvsnmp", "hvsnmp.err", HvMessageTable::Own},
                                           TableCase{"snmpmsg", "SNMP.MSG", HvMessageTable::ResultLines}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
