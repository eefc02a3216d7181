// Start-up of the main window without its window: command line, INI file, registry, message files.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <string>
#include <vector>

#include "library/HvSNMPError.h"
#include "module/MainStartup.h"
#include "platform/RegistryStore.h"
#include "tests/NamedRows.h"

using namespace MainStartup;

namespace {

using hvtest::PrintTo;

void quiet(const std::string&) {}

void writeFile(const QString& path, const QByteArray& text) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
}

struct Session {
    HvSNMPDefaults d = HvSNMPDefaults::standard();
    SessionTexts t;
};

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        setNoteSink(quiet);
        s.d.version = 0;
    }
    void TearDown() override { setNoteSink(nullptr); }
    std::string mbf() const { return dir.path().toStdString() + "/"; }
    void ini(const std::string& name, const QByteArray& body) {
        writeFile(dir.path() + "/" + QString::fromStdString(name), "[Program Information]\r\n" + body);
    }
    void run(const std::vector<std::string>& args) { applyCommandLine(args, mbf(), s.d, s.t); }

    QTemporaryDir dir;
    Session s;
};

struct SwitchCase {
    const char* name;
    std::vector<std::string> args;
    std::function<void(const Session&)> check;
};

class SwitchTable : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(SwitchTable, AppliesWithoutIniFile) {
    setNoteSink(quiet);
    Session s;
    s.d.version = 0;
    applyCommandLine(GetParam().args, "/nonexistent-mbf/", s.d, s.t);
    GetParam().check(s);
    setNoteSink(nullptr);
}

const SwitchCase kSwitchCases[] = {
    {"AddressAndCommunity",
     {"/I10.0.0.5", "/Rpubx"},
     [](const Session& s) {
         EXPECT_EQ(s.t.ipAddress, "10.0.0.5");
         EXPECT_EQ(s.d.address, "10.0.0.5");
         EXPECT_EQ(s.d.readCommunity, "pubx");
         EXPECT_EQ(s.d.version, 0);
     }},
    {"V3OpensGateForLaterArguments",
     {"/v3", "/nuser", "/l1", "/a1", "/Asecretpw"},
     [](const Session& s) {
         EXPECT_EQ(s.d.version, 3);
         EXPECT_EQ(s.t.version, "");  // /v leaves the version text alone
         EXPECT_EQ(s.d.securityName, "user");
         EXPECT_EQ(s.d.securityLevel, 2);
         EXPECT_EQ(s.d.authProtocol, 2);
         EXPECT_EQ(s.d.authPassword, "secretpw");
     }},
    {"GateClosedIgnoresV3Switches",
     {"/nuser", "/t1234"},
     [](const Session& s) {
         EXPECT_EQ(s.d.securityName, HvSNMPDefaults::standard().securityName);
         EXPECT_EQ(s.d.port, HvSNMPDefaults::standard().port);
     }},
    {"TextBeforeSwitch",
     {"abc/Wwritecomm"},
     [](const Session& s) { EXPECT_EQ(s.d.writeCommunity, "writecomm"); }},
    {"LeadingSwitchWinsOverLaterOne",
     {"/v3", "/Ppriv/Apw"},
     [](const Session& s) {
         EXPECT_EQ(s.d.privPassword, "priv/Apw");
         EXPECT_EQ(s.d.authPassword, HvSNMPDefaults::standard().authPassword);
     }},
    {"AddressInsideValueIsNoAddress",
     {"/v3", "/nops/Ix"},
     [](const Session& s) {
         EXPECT_EQ(s.d.securityName, "ops/Ix");
         EXPECT_EQ(s.t.ipAddress, "");
     }},
    {"LevelZeroStillAddsOne",
     {"/v3", "/l0"},
     [](const Session& s) {
         EXPECT_EQ(s.d.securityLevel, 1);
         EXPECT_EQ(s.t.securityLevel, "");
     }},
    {"LevelTwoIsAuthPriv", {"/v3", "/l2"}, [](const Session& s) { EXPECT_EQ(s.d.securityLevel, 3); }},
    // The library's privacy codes minus one: /p18 AES-128 (19), /p20 AES-256 (21), not 4 (IDEA).
    {"PrivacyIsTheLibrarysCodeMinusOne",
     {"/v3", "/p20"},
     [](const Session& s) {
         EXPECT_EQ(s.d.privProtocol, 21);
         EXPECT_EQ(s.t.privProtocol, "20");
     }},
    {"UnparsableNumbersKeepDefaults",
     {"/vx", "/v3", "/t12ab", "/t", "/t70000", "/l-"},
     [](const Session& s) {
         EXPECT_EQ(s.d.version, 3);
         EXPECT_EQ(s.d.port, HvSNMPDefaults::standard().port);
         EXPECT_EQ(s.d.securityLevel, HvSNMPDefaults::standard().securityLevel);
     }},
    {"EmptyPasswordSetsValueNotText",
     {"/v3", "/A", "/c"},
     [](const Session& s) {
         EXPECT_EQ(s.d.authPassword, "");
         EXPECT_EQ(s.t.authPassword, "");
         EXPECT_EQ(s.d.contextName, "");
     }},
    {"ArgumentWithoutSwitchIgnored",
     {"hello", "/x"},
     [](const Session& s) { EXPECT_EQ(s.d.readCommunity, "kiwano"); }},
};

INSTANTIATE_TEST_SUITE_P(CommandLine, SwitchTable, ::testing::ValuesIn(kSwitchCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(StartupTest, IniSecurityLevelContextAndEngineRules) {
    s.d.contextName = "ctx";
    s.d.contextEngineId = "engine";
    ini("10.1.1.1.cfg",
        "SecurityLevel=0\r\nContextName=\r\nContextEngineID=\r\nAgentPort=1610\r\nVersion=1\r\n");
    run({"/I10.1.1.1", "/Rr"});
    EXPECT_EQ(s.d.securityLevel, HvSNMPDefaults::standard().securityLevel);
    EXPECT_EQ(s.d.contextName, "ctx");
    EXPECT_EQ(s.d.contextEngineId, "");
    EXPECT_EQ(s.d.port, 1610);
    EXPECT_EQ(s.t.agentPort, "1610");
    EXPECT_EQ(s.d.version, 1);
    EXPECT_EQ(s.t.version, "1");

    ini("10.1.1.1.cfg", "SecurityLevel=2\r\nAuthProtocol=0\r\nPrivProtocol=1\r\nSecurityModel=3\r\n");
    run({"/Rr"});
    EXPECT_EQ(s.d.securityLevel, 3);
    EXPECT_EQ(s.d.authProtocol, HvSNMPDefaults::standard().authProtocol);
    EXPECT_EQ(s.d.privProtocol, 2);
    EXPECT_EQ(s.d.securityModel, 3);
}

TEST_F(StartupTest, IniOverridesEarlierSwitchesAndOpensGate) {
    ini("10.2.2.2.cfg", "Version=3\r\nSecurityName=fromini\r\nAgentPort=999x\r\n");
    run({"/I10.2.2.2", "/nfirst", "/Rr"});
    // The file is read again before "/Rr" and takes the name back.
    EXPECT_EQ(s.d.securityName, "fromini");
    EXPECT_EQ(s.t.version, "3");
    EXPECT_EQ(s.d.port, HvSNMPDefaults::standard().port);  // "999x" is no number
}

TEST_F(StartupTest, ArgumentsBeforeAddressReadDotCfg) {
    ini(".cfg", "Version=1\r\n");
    run({"/Rr", "/I10.3.3.3"});
    EXPECT_EQ(s.d.version, 1);
    EXPECT_EQ(s.t.ipAddress, "10.3.3.3");
}

TEST_F(StartupTest, AddressCannotNameAnotherFolder) {
    ini("x.cfg", "Version=1\r\n");
    writeFile(dir.path() + "/sub/x.cfg", "[Program Information]\r\nVersion=1\r\n");
    run({"/Isub/x", "/Rr"});
    EXPECT_EQ(s.d.version, 0);
    EXPECT_EQ(iniPathFor("/m/", "../x"), "");
    EXPECT_EQ(iniPathFor("/m/", "a\\b"), "");
    EXPECT_EQ(iniPathFor("/m/", "10.0.0.1"), "/m/10.0.0.1.cfg");
}

TEST(StartupRegistry, HelpAndMbfFolders) {
    MemoryRegistryStore r;
    EXPECT_EQ(resolveHelpDir(r, "1.3.6.1.4.1.47011.11.37.9"), "");
    EXPECT_EQ(resolveMbfDir(r), "");
    r.addValue("\\SOFTWARE\\Halvern\\Modules\\HelpPath", "1.3.6.1.4.1.47011.11.37.9", "C:\\h\\QMX7240.help");
    EXPECT_EQ(resolveHelpDir(r, "1.3.6.1.4.1.47011.11.37.9"), "C:\\h\\");

    MemoryRegistryStore shortValue;
    shortValue.addValue("\\SOFTWARE\\Halvern\\Modules\\HelpPath", "1.3.6.1.4.1.47011.11.37.9",
                        "123456789012");
    EXPECT_EQ(resolveHelpDir(shortValue, "1.3.6.1.4.1.47011.11.37.9"), "");

    r.addValue("\\SOFTWARE\\Halvern\\Vistrel5.1\\ExePath", "Path", "/opt/v/bin\\");
    EXPECT_EQ(resolveMbfDir(r), "/opt/v/bin\\..\\Conf\\MBF\\");
    r.addKey("\\SOFTWARE\\Halvern\\Vistrel5.1\\MibFile");
    EXPECT_EQ(resolveMbfDir(r), "");  // the key exists without its value
    MemoryRegistryStore m;
    m.addValue("\\SOFTWARE\\Halvern\\Vistrel5.1\\MibFile", "path", "/srv/mbf/");
    EXPECT_EQ(resolveMbfDir(m), "/srv/mbf/");
}

TEST(StartupMessages, HelpFolderFilesReplaceProgramFolderFiles) {
    QTemporaryDir prog, help;
    HvResetMessageTables();
    const std::string builtIn0 = HvMessageText(HvMessageTable::SnmpClass, 0);
    const std::string builtIn1 = HvMessageText(HvMessageTable::SnmpClass, 1);
    writeFile(prog.path() + "/errMSg/snmpclass.err", "program zero\nprogram one\n");
    writeFile(prog.path() + "/errMSg/common.err", "  \n\t\n");
    writeFile(help.path() + "/ErrMsg/SNMPCLASS.ERR", "help zero\n");
    const std::string common0 = HvMessageText(HvMessageTable::Common, 0);

    loadMessageFiles(programMessageFiles(prog.path().toStdString() + "/"));
    EXPECT_EQ(HvMessageText(HvMessageTable::SnmpClass, 0), "program zero");
    EXPECT_EQ(HvMessageText(HvMessageTable::Common, 0), common0);  // blank file: built-in texts stay
    loadMessageFiles(helpMessageFiles(help.path().toStdString() + "/"));
    EXPECT_EQ(HvMessageText(HvMessageTable::SnmpClass, 0), "help zero");
    EXPECT_EQ(HvMessageText(HvMessageTable::SnmpClass, 1), "program one");
    HvResetMessageTables();
    EXPECT_EQ(HvMessageText(HvMessageTable::SnmpClass, 1), builtIn1);
    EXPECT_NE(builtIn0, "help zero");
}

TEST(StartupMessages, LoadOrders) {
    const auto p = programMessageFiles("/x/");
    ASSERT_EQ(p.size(), 7u);
    EXPECT_EQ(p.front(), "/x/errMSg\\snmpclass.err");
    EXPECT_EQ(p.back(), "/x/errMSg\\common.err");
    const auto h = helpMessageFiles("");
    EXPECT_EQ(h.front(), "errmsg\\common.err");
    EXPECT_EQ(h.back(), "errmsg\\snmp.msg");
}

}  // namespace
