#include "library/HvIni.h"

#include <fstream>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

namespace {

// Line ends mixed on purpose: files edited on both systems carry both.
const char* const kIniText =
    "\xEF\xBB\xBF; written by the management system\r\n"
    "stray=before any section\r\n"
    "[Program Information]\r\n"
    "AgentPort = 1161 \r\n"
    "Version=3\n"
    "ContextName=\r\n"
    "ContextEngineID=   \r\n"
    "SecurityName=\"  admin  \"\r\n"
    "AuthPassword='a,b\\c;d'\r\n"
    "PrivPassword=\"unbalanced'\r\n"
    "SecurityLevel=\t2\x01\r\n"
    "this line is bad\r\n"
    "[unclosed\n"
    "version=1\n"
    "  [ Other Section ]  \n"
    "AgentPort=99\n"
    "[PROGRAM INFORMATION]\n"
    "Later=not in the first section\n";

struct IniCase {
    const char* name;
    const char* section;
    const char* key;
    const char* def;
    const char* expected;
};

void PrintTo(const IniCase& c, std::ostream* os) {
    *os << c.name;
}

class HvIniRead : public ::testing::TestWithParam<IniCase> {
protected:
    static void SetUpTestSuite() {
        s_dir = new QTemporaryDir;
        std::ofstream(path(), std::ios::binary) << kIniText;
    }
    static void TearDownTestSuite() {
        delete s_dir;
        s_dir = nullptr;
    }
    static std::string path() { return s_dir->path().toStdString() + "/10.0.0.5.cfg"; }

    static QTemporaryDir* s_dir;
};

QTemporaryDir* HvIniRead::s_dir = nullptr;

TEST_P(HvIniRead, ReadsOneKey) {
    const auto& c = GetParam();
    EXPECT_EQ(HvIni(path()).ReadString(c.section, c.key, c.def), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HvIniRead,
    ::testing::Values(
        IniCase{"ValueTrimmed", "Program Information", "AgentPort", "d", "1161"},
        IniCase{"NamesIgnoreCase", "program INFORMATION", "AGENTPORT", "", "1161"},
        IniCase{"FirstKeyWinsOverALaterOneInTheSection", "Program Information", "Version", "", "3"},
        IniCase{"EmptyValueGivesTheDefault", "Program Information", "ContextName", "dflt", "dflt"},
        IniCase{"BlankValueGivesTheDefault", "Program Information", "ContextEngineID", "dflt", "dflt"},
        IniCase{"QuotesDroppedThenTrimmed", "Program Information", "SecurityName", "", "admin"},
        IniCase{"SingleQuotesCommasBackslashSemicolonKept", "Program Information", "AuthPassword", "",
                "a,b\\c;d"},
        IniCase{"UnmatchedQuotesKept", "Program Information", "PrivPassword", "", "\"unbalanced'"},
        IniCase{"ControlCharactersTrimmed", "Program Information", "SecurityLevel", "", "2"},
        IniCase{"MissingKey", "Program Information", "AuthProtocol", "dflt", "dflt"},
        IniCase{"DefaultReturnedUnchanged", "Program Information", "AuthProtocol", " 0 ", " 0 "},
        IniCase{"BadLineIsNoKey", "Program Information", "this line is bad", "x", "x"},
        IniCase{"KeyBeforeAnySection", "Program Information", "stray", "x", "x"},
        IniCase{"SectionNameTrimmed", "Other Section", "AgentPort", "", "99"},
        IniCase{"LaterSectionOfTheSameNameNotRead", "Program Information", "Later", "x", "x"},
        IniCase{"MissingSection", "Program", "AgentPort", "x", "x"},
        IniCase{"UnclosedBracketIsNoSection", "unclosed", "version", "x", "x"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HvIni, MissingFileGivesTheDefault) {
    QTemporaryDir dir;
    const HvIni ini(dir.path().toStdString() + "/.cfg");
    EXPECT_EQ(ini.ReadString("Program Information", "AgentPort", "161"), "161");
    EXPECT_EQ(HvIni("").ReadString("Program Information", "AgentPort", ""), "");
}

TEST(HvIni, WindowsPathInAnyCase) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("Conf/MBF"));
    std::ofstream((dir.path() + "/Conf/MBF/10.0.0.5.cfg").toStdString())
        << "[Program Information]\nVersion=1\n";
    const HvIni ini(dir.path().toStdString() + "\\conf\\mbf\\10.0.0.5.CFG");
    EXPECT_EQ(ini.ReadString("Program Information", "Version", ""), "1");
}

}  // namespace
