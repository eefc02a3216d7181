// The AP mode page against the device simulator over real UDP on loopback: what it shows in each
// mode, what Apply writes (and what it refuses), the waiting dialog, Refresh after a write and the
// menu item.

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "module/Main.h"
#include "pages/wireless/Modecfg.h"
#include "platform/forms/Forms.h"
#include "tests/NamedRows.h"
#include "tests/support/PageUnderTest.h"

namespace {

using hvtest::PrintTo;

const std::string E = "1.3.6.1.4.1.47011.11.37.4.";
const std::string kMode = E + "2.1.1.1.1";
const std::string kRemote = E + "2.2.1.2.1.";  // + n, 1..8
const std::string kRoot = E + "2.1.1.3.1";
const std::string kSsid = E + "1.1.1.1.1";
const std::string kUpgradeCommand = E + "3.3.5.0";
const QString kError = QStringLiteral("IEEE802.11g Setting Error!");
const QString kSuccess = QStringLiteral("IEEE802.11g Setting Success!");

// The objects of slot 1 and the waiting dialog's restart command.
bool pageObject(const std::string& oid) {
    for (const std::string& p : {kMode, kRemote, kRoot, kSsid, kUpgradeCommand})
        if (oid.rfind(p, 0) == 0) return true;
    return false;
}

// What the device holds before the page opens: its mode (adAPMode), peers by number and the root.
struct Device {
    int mode = 1;
    std::map<int, std::string> remote;
    std::string root;
};

class ModecfgTest : public PageUnderTest<TFM_ModeCFG> {
protected:
    void SetUp() override {
        PageUnderTest::SetUp();
        setFilter = [](const SimLogLine& l) { return pageObject(l.asked); };
    }

    bool startWith(const Device& d) {
        if (!startSim()) return false;
        bool ok = sim->ok("set " + kMode + " i " + std::to_string(d.mode));
        for (const auto& [n, mac] : d.remote)
            ok = ok && sim->ok("set " + kRemote + std::to_string(n) + " x " + mac);
        if (!d.root.empty()) ok = ok && sim->ok("set " + kRoot + " x " + d.root);
        return ok;
    }

    std::vector<std::string> setLog(size_t from) const { return PageUnderTest::setLog(from, E); }

    // Edit n (0..7 the remote peers, 8 the root) of slot 1.
    forms::Edit* mac(int n) const { return n < 8 ? page->Ed_ReMAddra[size_t(n)] : page->Ed_RoMAddra0; }
};

TEST_F(ModecfgTest, OpensWithTheDeviceValuesOfItsMode) {
    ASSERT_TRUE(startWith({3, {{1, "001122334455"}, {2, "0A0B0C0D0E0F"}}, "AABBCCDDEEFF"})) << sim->error();
    TFM_ModeCFG& p = openPage();

    // One read of the eleven objects.
    std::vector<std::string> gets;
    for (const auto& l : sim->requests(0))
        if (l.op == "GET") gets.push_back(l.asked.substr(E.size()));
    EXPECT_EQ(gets, (std::vector<std::string>{"2.1.1.1.1", "2.2.1.2.1.1", "2.2.1.2.1.2", "2.2.1.2.1.3",
                                              "2.2.1.2.1.4", "2.2.1.2.1.5", "2.2.1.2.1.6", "2.2.1.2.1.7",
                                              "2.2.1.2.1.8", "2.1.1.3.1", "1.1.1.1.1"}));
    EXPECT_EQ(p.caption(), u"Advanced \\ Mode");
    EXPECT_EQ(p.TS_80211a->caption(), u"IEEE 802.11g");
    EXPECT_FALSE(p.TS_80211g->tabVisible());
    EXPECT_EQ(p.reqModeG, nullptr);
    EXPECT_EQ(p.CB_11a_APM->text(), u"PtMP Bridge");
    EXPECT_EQ(p.Ed_ReMAddra[0]->text(), u"001122334455");
    EXPECT_EQ(p.Ed_ReMAddra[1]->text(), u"0A0B0C0D0E0F");
    // Free peers show empty; a bridge has no root and no SSID of its own.
    for (int n = 2; n < 8; ++n) EXPECT_EQ(p.Ed_ReMAddra[size_t(n)]->text(), u"") << n;
    EXPECT_EQ(p.Ed_RoMAddra0->text(), u"");
    EXPECT_EQ(p.Ed_SSID->text(), u"");
    for (int n = 0; n < 8; ++n) EXPECT_FALSE(p.Ed_ReMAddra[size_t(n)]->isReadOnly()) << n;
    EXPECT_TRUE(p.Ed_RoMAddra0->isReadOnly());
    EXPECT_FALSE(p.Ed_SSID->visible());
    EXPECT_FALSE(p.Lab_SSID->visible());
    for (int n = 0; n < 9; ++n) EXPECT_EQ(mac(n)->maxLength(), 12) << n;
    EXPECT_TRUE(sets().empty());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ModecfgTest, RepeaterShowsItsRootAndSwitchingToAccessPointEmptiesItAtOnce) {
    ASSERT_TRUE(startWith({4, {{1, "001122334455"}}, "AABBCCDDEEFF"})) << sim->error();
    TFM_ModeCFG& p = openPage();
    EXPECT_EQ(p.CB_11a_APM->text(), u"Universal Repeater");
    EXPECT_EQ(p.Ed_RoMAddra0->text(), u"AABBCCDDEEFF");
    EXPECT_EQ(p.Ed_SSID->text(), u"qmx-ap");
    EXPECT_FALSE(p.Ed_RoMAddra0->isReadOnly());
    // A repeater's stale peer stays visible, but it cannot be changed.
    EXPECT_EQ(p.Ed_ReMAddra[0]->text(), u"001122334455");
    EXPECT_TRUE(p.Ed_ReMAddra[0]->isReadOnly());

    ASSERT_TRUE(p.CB_11a_APM->userSelect(0));
    EXPECT_EQ(p.Ed_RoMAddra0->text(), u"");
    EXPECT_EQ(p.Ed_SSID->text(), u"");
    EXPECT_TRUE(p.Ed_RoMAddra0->isReadOnly());
    for (int n = 0; n < 8; ++n) EXPECT_TRUE(p.Ed_ReMAddra[size_t(n)]->isReadOnly()) << n;

    ASSERT_TRUE(p.CB_11a_APM->userSelect(1));
    EXPECT_FALSE(p.Ed_ReMAddra[0]->isReadOnly());
    for (int n = 1; n < 8; ++n) EXPECT_TRUE(p.Ed_ReMAddra[size_t(n)]->isReadOnly()) << n;
    EXPECT_TRUE(sets().empty());
}

// One Apply: what the device holds, what the user types (edit 0..7 a peer, 8 the root), and what
// follows: the SETs in order, the box, the focus and the status text.
struct ApplyCase {
    const char* name;
    Device device;
    std::map<int, std::string> typed;
    std::vector<std::string> written;
    QString box;  // empty: none
    QString caption;
    int focus = -1;  // the edit that gets the focus
    QString status;
};

std::vector<std::string> freePeersBut(std::map<int, std::string> used) {
    std::vector<std::string> out{"2.1.1.1.1=3"};
    for (int n = 1; n <= 8; ++n)
        out.push_back("2.2.1.2.1." + std::to_string(n) + "=" + (used.count(n) ? used[n] : "000000000000"));
    out.push_back("3.3.5.0=4");
    return out;
}

const ApplyCase kApply[] = {
    // Whatever the peers hold, an access point writes its mode alone.
    {"AccessPoint",
     {1, {{1, "001122334455"}, {2, "001122334455"}}, "AABBCCDDEEFF"},
     {},
     {"2.1.1.1.1=1", "3.3.5.0=4"},
     {},
     {},
     -1,
     kSuccess},
    {"PtpWritesItsPeer",
     {2, {}, ""},
     {{0, "00a0b0c0d0e0"}},
     {"2.1.1.1.1=2", "2.2.1.2.1.1=00A0B0C0D0E0", "3.3.5.0=4"},
     {},
     {},
     -1,
     kSuccess},
    // Duplicate peers the device keeps in edits the user cannot change never block a write.
    {"PtpStaleDuplicatePeers",
     {2, {{1, "001122334455"}, {4, "0A0B0C0D0E0F"}, {6, "0A0B0C0D0E0F"}}, ""},
     {},
     {"2.1.1.1.1=2", "2.2.1.2.1.1=001122334455", "3.3.5.0=4"},
     {},
     {},
     -1,
     kSuccess},
    {"PtmpSixEmptyPeersAreFree",
     {3, {}, ""},
     {{0, "0A0B0C0D0E01"}, {2, "0A0B0C0D0E03"}},
     freePeersBut({{1, "0A0B0C0D0E01"}, {3, "0A0B0C0D0E03"}}),
     {},
     {},
     -1,
     kSuccess},
    {"RepeaterEmptyRootIsFree",
     {4, {}, ""},
     {},
     {"2.1.1.1.1=4", "2.1.1.3.1=000000000000", "3.3.5.0=4"},
     {},
     {},
     -1,
     kSuccess},
    // Refused, nothing written.
    {"PtmpDuplicateIgnoringCase",
     {3, {}, ""},
     {{0, "aabbccddee01"}, {2, "AABBCCDDEE01"}},
     {},
     "Exsit same MAC address.",
     "Warning",
     2,
     ""},
    {"PtpShortPeer",
     {2, {}, ""},
     {{0, "00112233445"}},
     {},
     "The length is 12 in IEEE802.11g Root AP MAC Address.",
     "Error",
     -1,
     kError},
    {"PtmpShortPeer",
     {3, {}, ""},
     {{4, "0011223344"}},
     {},
     "The length is 12 in IEEE802.11g MAC address.",
     "Error",
     -1,
     kError},
    {"RepeaterShortRoot",
     {4, {}, ""},
     {{8, "00112233"}},
     {},
     "The length is 12 in IEEE802.11g Root AP MAC Address.",
     "Error",
     -1,
     kError},
    // An AP client: the page's list has no such mode, and an empty mode is never written.
    {"DeviceModeOutsideTheList", {5, {{1, "001122334455"}}, ""}, {}, {}, {}, {}, -1, kError},
};

class ModecfgPageApply : public ModecfgTest, public ::testing::WithParamInterface<ApplyCase> {};

TEST_P(ModecfgPageApply, WritesTheItemsOfTheModeOrRefuses) {
    const ApplyCase& c = GetParam();
    ASSERT_TRUE(startWith(c.device)) << sim->error();
    TFM_ModeCFG& p = openPage();
    for (const auto& [n, text] : c.typed) mac(n)->userType(QString::fromStdString(text));
    const size_t mark = sim->logSize();
    p.Bt_Apply->userClick();
    EXPECT_EQ(setLog(mark), c.written);
    if (c.box.isEmpty()) {
        EXPECT_TRUE(boxes.empty());
    } else {
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, c.box);
        EXPECT_EQ(boxes[0].caption, c.caption);
    }
    if (c.focus >= 0) {
        EXPECT_TRUE(mac(c.focus)->focused());
    }
    EXPECT_EQ(p.StatusBar->simpleText(), c.status);
}

INSTANTIATE_TEST_SUITE_P(Table, ModecfgPageApply, ::testing::ValuesIn(kApply),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ModecfgTest, FreePeersShowEmptyAgainAfterTheWrite) {
    ASSERT_TRUE(startWith({3, {}, ""})) << sim->error();
    TFM_ModeCFG& p = openPage();
    p.Ed_ReMAddra[0]->userType(QStringLiteral("0A0B0C0D0E01"));
    p.Bt_Apply->userClick();
    ASSERT_EQ(p.StatusBar->simpleText(), kSuccess);
    EXPECT_EQ(sim->command("get " + kRemote + "5"), "ok x 000000000000");
    EXPECT_EQ(p.Ed_ReMAddra[0]->text(), u"0A0B0C0D0E01");
    for (int n = 1; n < 8; ++n) EXPECT_EQ(p.Ed_ReMAddra[size_t(n)]->text(), u"") << n;
}

// The items a write leaves out come back: Refresh reads every object again and shows it.
TEST_F(ModecfgTest, RefreshAfterApplyReadsEveryItemAgain) {
    ASSERT_TRUE(startWith({2, {{1, "001122334455"}}, ""})) << sim->error();
    TFM_ModeCFG& p = openPage();
    p.Bt_Apply->userClick();
    ASSERT_EQ(p.StatusBar->simpleText(), kSuccess);
    ASSERT_TRUE(sim->ok("set " + kRemote + "5 x 0A0B0C0D0E05"));
    ASSERT_TRUE(sim->ok("set " + kMode + " i 4"));
    ASSERT_TRUE(sim->ok("set " + kRoot + " x AABBCCDDEEFF"));
    // The device is back from the restart the waiting dialog asked for.
    ASSERT_TRUE(waitFor([&] { return sim->command("ping") == "ok" && p.reqModeA->get(); }));
    const size_t mark = sim->logSize();
    p.Bt_Refresh->userClick();
    int gets = 0;
    for (const auto& l : sim->requests(mark)) gets += l.op == "GET" && pageObject(l.asked);
    EXPECT_EQ(gets, 11);
    EXPECT_EQ(p.CB_11a_APM->text(), u"Universal Repeater");
    EXPECT_EQ(p.Ed_ReMAddra[4]->text(), u"0A0B0C0D0E05");
    EXPECT_EQ(p.Ed_RoMAddra0->text(), u"AABBCCDDEEFF");
    EXPECT_EQ(p.Ed_SSID->text(), u"qmx-ap");
    EXPECT_FALSE(p.Ed_RoMAddra0->isReadOnly());
}

// A refused write leaves its error text and no waiting dialog: no restart command follows.
TEST_F(ModecfgTest, FailedWriteShowsTheErrorAndDoesNotWait) {
    ASSERT_TRUE(startWith({2, {{1, "001122334455"}}, ""})) << sim->error();
    TFM_ModeCFG& p = openPage();
    ASSERT_TRUE(sim->ok("error " + kRemote + "1 genErr set"));
    const size_t mark = sim->logSize();
    p.Bt_Apply->userClick();
    EXPECT_EQ(p.StatusBar->simpleText(), kError);
    for (const auto& l : sets(mark)) EXPECT_NE(l.asked, kUpgradeCommand);
    EXPECT_FALSE(sets(mark).empty());
}

}  // namespace
