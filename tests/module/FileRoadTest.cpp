// The file pages' rules without windows: path checks, save names, log lines, networks and the
// choice of the PC address the device is told to reach.

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include <QDir>
#include <QTemporaryDir>

#include "module/FileRoad.h"
#include "tests/NamedRows.h"

using FileRoad::PathVerdict;

namespace {

using hvtest::PrintTo;

class PathChecks : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        for (const char* name : {"image.tfp", "IMAGE.TFP", "image.tfp.bak", "backup.dcf", "notes.txt"})
            std::ofstream(path(name)) << "x";
        ASSERT_TRUE(QDir(dir.path()).mkdir(".tfp-folder"));
    }
    std::string path(const std::string& name) const { return dir.path().toStdString() + "/" + name; }
    QTemporaryDir dir;
};

TEST_F(PathChecks, FirmwarePathsAreCheckedInOrder) {
    struct Case {
        std::string path;
        PathVerdict verdict;
    };
    const std::vector<Case> cases = {
        {"", PathVerdict::Empty},
        // A trailing "/" is refused before the name is looked at, even with ".tfp" in the folder.
        {path("fw.tfp/"), PathVerdict::Empty},
        {path("IMAGE.TFP"), PathVerdict::BadName},
        {path("notes.txt"), PathVerdict::BadName},
        {path("image.tfp.bak"), PathVerdict::Ok},
        {path("image.tfp"), PathVerdict::Ok},
        {path("missing.tfp"), PathVerdict::Missing},
        // No wildcard matching.
        {path("*.tfp"), PathVerdict::Missing},
        // A folder is no file.
        {dir.path().toStdString() + "/.tfp-folder", PathVerdict::Missing},
    };
    for (const auto& c : cases) EXPECT_EQ(FileRoad::CheckFirmwarePath(c.path), c.verdict) << c.path;
}

TEST_F(PathChecks, ConfigPathsNeedDcfAndAFile) {
    EXPECT_EQ(FileRoad::CheckConfigPath(""), PathVerdict::Empty);
    EXPECT_EQ(FileRoad::CheckConfigPath(path("notes.txt")), PathVerdict::BadName);
    EXPECT_EQ(FileRoad::CheckConfigPath(path("missing.dcf")), PathVerdict::BadName);
    EXPECT_EQ(FileRoad::CheckConfigPath(path("backup.dcf")), PathVerdict::Ok);
}

TEST(FileRoad, OnlyAbsolutePathsWithANameCanRootTheServer) {
    EXPECT_TRUE(FileRoad::IsUsablePath("/home/u/fw.tfp"));
    EXPECT_TRUE(FileRoad::IsUsablePath("/fw.tfp"));
    EXPECT_FALSE(FileRoad::IsUsablePath("fw.tfp"));
    EXPECT_FALSE(FileRoad::IsUsablePath("fw/fw.tfp"));
    EXPECT_FALSE(FileRoad::IsUsablePath("/home/u/"));
    // A backslash is part of a Linux file name, not a folder separator.
    EXPECT_FALSE(FileRoad::IsUsablePath("C:\\fw\\fw.tfp"));
}

TEST(FileRoad, SaveNamesGetDcfUnlessItOccurs) {
    EXPECT_EQ(FileRoad::SavePath("/home/u/backup"), "/home/u/backup.dcf");
    EXPECT_EQ(FileRoad::SavePath("/home/u/backup.dcf"), "/home/u/backup.dcf");
    EXPECT_EQ(FileRoad::SavePath("/home/u/backup.dcf.old"), "/home/u/backup.dcf.old");
    EXPECT_EQ(FileRoad::SavePath("/home/u/BACKUP.DCF"), "/home/u/BACKUP.DCF.dcf");
    EXPECT_EQ(FileRoad::SavePath(""), "");
}

TEST(FileRoad, SplitsAtTheLastSlash) {
    auto s = FileRoad::Split("/home/u/fw/image.tfp");
    EXPECT_EQ(s.folder, "/home/u/fw");
    EXPECT_EQ(s.name, "image.tfp");
    s = FileRoad::Split("/image.tfp");
    EXPECT_EQ(s.folder, "/");
    EXPECT_EQ(s.name, "image.tfp");
}

struct LogCase {
    const char* name;
    std::string line;
    std::string time, type, message;
};

class LogLines : public ::testing::TestWithParam<LogCase> {};

TEST_P(LogLines, SplitIntoTimeTypeAndMessage) {
    const auto& c = GetParam();
    const FileRoad::LogRow row = FileRoad::ParseLogLine(c.line);
    EXPECT_EQ(row.time, c.time);
    EXPECT_EQ(row.type, c.type);
    EXPECT_EQ(row.message, c.message);
}

INSTANTIATE_TEST_SUITE_P(
    FileRoad, LogLines,
    ::testing::Values(LogCase{"Normal", "Jan  1 00:00:01\t[System]Device started", "Jan  1 00:00:01",
                              "System", "Device started"},
                      LogCase{"BlanksAfterBracketStay", " Jan 1 \t[Notice]  logged in", "Jan 1", "Notice",
                              "  logged in"},
                      LogCase{"BlanksOnly", "   ", "", "", "   "},
                      LogCase{"NoTab", "[System]started", "", "System", "started"},
                      LogCase{"NoOpeningBracket", "12:00\tSystem]started", "12:00", "System", "started"},
                      LogCase{"NoClosingBracket", "12:00\t[System started", "12:00", "", "System started"},
                      LogCase{"ControlCharactersAroundTime", "\x01 12:00\x02\t[A]b", "12:00", "A", "b"},
                      LogCase{"SecondTabStaysInMessage", "t\t[A]b\tc", "t", "A", "b\tc"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FileRoad, LogFileLinesEndInCrLfOrEither) {
    const auto lines = FileRoad::SplitLogLines("a\r\nb\rc\n\nd");
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "b", "c", "", "d"}));
    EXPECT_EQ(FileRoad::SplitLogLines("a\r\n"), std::vector<std::string>{"a"});
    EXPECT_TRUE(FileRoad::SplitLogLines("").empty());
}

TEST(FileRoad, NetworkOf) {
    EXPECT_EQ(FileRoad::NetworkOf("192.168.0.50", "255.255.255.0"), "192.168.0.0");
    EXPECT_EQ(FileRoad::NetworkOf("10.1.2.130", "255.255.255.128"), "10.1.2.128");
    EXPECT_EQ(FileRoad::NetworkOf("10.1.2.5", "255.255.255.128"), "10.1.2.0");
    // The ipconfig listing leaves a blank before the address.
    EXPECT_EQ(FileRoad::NetworkOf(" 192.168.0.1", "255.255.255.0"), "192.168.0.0");
    EXPECT_EQ(FileRoad::NetworkOf("300.1.2.3", "255.255.255.255"), "44.1.2.3");
    EXPECT_EQ(FileRoad::NetworkOf("a.b.c.d", "255.255.255.255"), "0.0.0.0");
    EXPECT_EQ(FileRoad::NetworkOf("", ""), "0.0.0.0");
    EXPECT_EQ(FileRoad::NetworkOf("10.1", "255.255.255.255"), "10.1.0.0");
}

HvNetInterface iface(const std::string& address, const std::string& mask) {
    HvNetInterface i;
    i.address = address;
    i.netmask = mask;
    i.up = true;
    return i;
}

struct FinderCase {
    const char* name;
    std::vector<HvNetInterface> interfaces;
    std::string deviceAddress, deviceMask;
    std::vector<std::string> gateways;
    std::string expected;
    bool gatewaysAsked;
};

class Finder : public ::testing::TestWithParam<FinderCase> {};

TEST_P(Finder, PicksTheInterfaceInTheDevicesNetwork) {
    const auto& c = GetParam();
    bool asked = false;
    const std::string found = FileRoad::FindLocalAddress(c.interfaces, c.deviceAddress, c.deviceMask, [&] {
        asked = true;
        return c.gateways;
    });
    EXPECT_EQ(found, c.expected);
    EXPECT_EQ(asked, c.gatewaysAsked);
}

std::vector<HvNetInterface> many() {
    std::vector<HvNetInterface> list = {iface("127.0.0.1", "255.0.0.0")};
    for (int i = 0; i < 14; ++i) list.push_back(iface("172.17." + std::to_string(i) + ".1", "255.255.255.0"));
    list.push_back(iface("192.168.7.20", "255.255.255.0"));
    return list;
}

INSTANTIATE_TEST_SUITE_P(
    FileRoad, Finder,
    ::testing::Values(
        FinderCase{"SameNetwork",
                   {iface("127.0.0.1", "255.0.0.0"), iface("192.168.1.9", "255.255.255.0")},
                   "192.168.1.1",
                   "255.255.255.0",
                   {},
                   "192.168.1.9",
                   false},
        FinderCase{"LoopbackDevice",
                   {iface("127.0.0.1", "255.0.0.0")},
                   "127.0.0.1",
                   "255.0.0.0",
                   {},
                   "127.0.0.1",
                   false},
        // 10.1.2.130/25 lies in 10.1.2.128; an interface at 10.1.2.5/25 does not.
        FinderCase{"OtherHalfOfTheSubnet",
                   {iface("10.1.2.5", "255.255.255.128")},
                   "10.1.2.130",
                   "255.255.255.128",
                   {},
                   "",
                   true},
        FinderCase{"NoDeviceAddressFallsBackToGateway",
                   {iface("127.0.0.1", "255.0.0.0"), iface("192.168.0.10", "255.255.255.0")},
                   "",
                   "",
                   {" 192.168.0.1"},
                   "192.168.0.10",
                   true},
        // The fallback compares the gateway's /24 with each interface's own network.
        FinderCase{"FallbackNeedsA24Interface",
                   {iface("192.168.3.10", "255.255.0.0")},
                   "",
                   "",
                   {" 192.168.3.1"},
                   "",
                   true},
        FinderCase{"NoGatewayNoAddress",
                   {iface("192.168.0.10", "255.255.255.0")},
                   "10.0.0.1",
                   "255.0.0.0",
                   {},
                   "",
                   true},
        // The sixteenth interface is found: no list is cut at ten.
        FinderCase{
            "MoreThanTenInterfaces", many(), "192.168.7.1", "255.255.255.0", {}, "192.168.7.20", false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
