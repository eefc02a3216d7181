#include "platform/Paths.h"

#include <climits>
#include <cstdlib>
#include <fstream>
#include <ostream>
#include <string>

#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QTemporaryDir>

namespace {

struct ResolveCase {
    const char* name;
    const char* input;     // below the tree's root, Windows spelling allowed
    const char* expected;  // below the tree's root
};

void PrintTo(const ResolveCase& c, std::ostream* os) {
    *os << c.name;
}

class ResolvePath : public ::testing::TestWithParam<ResolveCase> {
protected:
    static void SetUpTestSuite() {
        s_dir = new QTemporaryDir;
        const QDir root(s_dir->path());
        for (const char* folder : {"errMSg", "Conf/MBF", "dup", "MBF", "Ünïcode"})
            root.mkpath(QString::fromUtf8(folder));
        for (const char* file :
             {"errMSg/Snmp.ERR", "dup/A.txt", "dup/a.txt", "mbf", "MBF/x.cfg", "Ünïcode/f"})
            std::ofstream((s_dir->path() + "/" + QString::fromUtf8(file)).toStdString()) << "x";
    }
    static void TearDownTestSuite() {
        delete s_dir;
        s_dir = nullptr;
    }
    static std::string root() { return s_dir->path().toStdString(); }

    static QTemporaryDir* s_dir;
};

QTemporaryDir* ResolvePath::s_dir = nullptr;

TEST_P(ResolvePath, FindsEachNameIgnoringCase) {
    const auto& c = GetParam();
    EXPECT_EQ(resolvePathIgnoringCase(root() + "\\" + c.input), root() + "/" + c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ResolvePath,
    ::testing::Values(ResolveCase{"BackslashesAndOtherCase", "errmsg\\snmp.err", "errMSg/Snmp.ERR"},
                      ResolveCase{"AllUpper", "ERRMSG/SNMP.ERR", "errMSg/Snmp.ERR"},
                      ResolveCase{"TrailingSeparatorKept", "ERRmsg\\", "errMSg/"},
                      ResolveCase{"DoubledSeparators", "errmsg\\\\snmp.err", "errMSg/Snmp.ERR"},
                      ResolveCase{"MissingNameKeepsTheRest", "errmsg\\Missing\\Snmp.err",
                                  "errMSg/Missing/Snmp.err"},
                      ResolveCase{"ParentFolder", "conf\\..\\ERRMSG\\snmp.err", "Conf/../errMSg/Snmp.ERR"},
                      ResolveCase{"MbfFolderOfExePath", "conf\\mbf\\", "Conf/MBF/"},
                      ResolveCase{"ExactMatchPreferred", "dup\\a.txt", "dup/a.txt"},
                      ResolveCase{"FirstInByteOrderOtherwise", "dup\\a.TXT", "dup/A.txt"},
                      ResolveCase{"FolderBeforeFileOnTheWay", "mbf\\x.cfg", "MBF/x.cfg"},
                      ResolveCase{"NonAscii", "üNÏCODE/F", "Ünïcode/f"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ResolvePathRelative, StaysRelativeToTheCurrentFolder) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("errmsg"));
    char old[PATH_MAX];
    ASSERT_NE(getcwd(old, sizeof old), nullptr);
    ASSERT_EQ(chdir(dir.path().toLocal8Bit().constData()), 0);
    const std::string resolved = resolvePathIgnoringCase("errMSg\\common.err");
    const std::string empty = resolvePathIgnoringCase("");
    ASSERT_EQ(chdir(old), 0);
    EXPECT_EQ(resolved, "errmsg/common.err");
    EXPECT_EQ(empty, "");
}

TEST(SameIgnoringCase, FoldsAsciiAndUnicode) {
    EXPECT_TRUE(sameIgnoringCase("Program Information", "PROGRAM information"));
    EXPECT_TRUE(sameIgnoringCase("Ünïcode", "üNÏCODE"));
    EXPECT_FALSE(sameIgnoringCase("snmp.err", "snmp.er"));
    EXPECT_FALSE(sameIgnoringCase("Path", "Pat h"));
}

TEST(ProgramFolder, IsTheFolderOfTheTestProgram) {
    char expected[PATH_MAX];
    ASSERT_NE(realpath(HV_BINARY_DIR "/tests", expected), nullptr);
    EXPECT_EQ(programFolder(), std::string(expected) + "/");
}

}  // namespace
