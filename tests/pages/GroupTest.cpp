// The grouping page against the device simulator over real UDP on loopback: what it shows, the user
// limit's check, the AP mode and AP-domain rules, what Apply writes and what follows it, a close
// while the AP-domain read is out, and the menu item.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "library/HvSNMPSession.h"
#include "module/Main.h"
#include "pages/wireless/Group.h"
#include "platform/forms/Forms.h"
#include "tests/NamedRows.h"
#include "tests/support/PageUnderTest.h"

namespace {

using hvtest::PrintTo;

const std::string E = "1.3.6.1.4.1.47011.11.37.4.";
const std::string kLoadBalance = E + "2.6.1.0";
const std::string kUserLimit = E + "2.6.2.0";
const std::string kLinkIntegrate = E + "2.6.4.0";
const std::string kApMode = E + "2.1.1.1.1";
const std::string kClusterAction = E + "2.12.1.1.1.2.1";
const std::string kUpgradeCommand = E + "3.3.5.0";
const QString kLimitMessage = QStringLiteral("Please input a number between 0 and 64.");

bool pageObject(const std::string& oid) {
    for (const char* p : {"2.6.", "2.1.1.1.1", "2.3.1.11.1", "2.12.1.1.1.", "3.3.5.0"})
        if (oid.rfind(E + p, 0) == 0) return true;
    return false;
}

class GroupTest : public PageUnderTest<TFM_Group> {
protected:
    void SetUp() override {
        PageUnderTest::SetUp();
        setFilter = [](const SimLogLine& l) { return pageObject(l.asked); };
    }

    // Opens the page and waits for its AP-domain read to end.
    TFM_Group& open() {
        TFM_Group& p = openPage();
        waitFor([&] { return !p.reqCluster || !p.reqCluster->busy; });
        return p;
    }
    std::vector<std::string> setLog(size_t from) const { return PageUnderTest::setLog(from, E); }

    // The GETs of oid from log line `from` on.
    int getsOf(const std::string& oid, size_t from) const {
        int n = 0;
        for (const auto& l : sim->requests(from)) n += l.op == "GET" && l.asked == oid;
        return n;
    }

    // The waiting dialog ran: it sent its restart command.
    bool restarted(size_t from) const {
        for (const auto& l : sets(from))
            if (l.asked == kUpgradeCommand) return true;
        return false;
    }
};

TEST_F(GroupTest, OpensWithTheDeviceValues) {
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("set " + kLoadBalance + " i 1"));
    ASSERT_TRUE(sim->ok("set " + kUserLimit + " i 17"));
    ASSERT_TRUE(sim->ok("set " + kLinkIntegrate + " i 1"));
    TFM_Group& p = open();
    EXPECT_EQ(p.caption(), u"Advanced \\ Grouping");
    EXPECT_EQ(p.CB_LoadB->text(), u"Enable");
    EXPECT_EQ(p.Ed_UsrL->text(), u"17");
    EXPECT_EQ(p.CB_LinkInt->text(), u"Enable");
    EXPECT_EQ(p.Ed_EthLS->text(), u"Up");
    EXPECT_TRUE(p.Ed_EthLS->isReadOnly());
    EXPECT_EQ(p.CB_APMode->itemIndex(), 0);
    EXPECT_EQ(p.CB_Clus->text(), u"Escape");
    EXPECT_TRUE(p.CB_LoadB->enabled());
    EXPECT_TRUE(p.CB_LinkInt->enabled());
    EXPECT_FALSE(p.Ed_UsrL->isReadOnly());
    EXPECT_EQ(p.Ed_UsrL->maxLength(), 2);
    // Two reads of their own, then the AP-domain action alone.
    std::vector<std::string> gets;
    for (const auto& l : sim->requests(0))
        if (l.op == "GET") gets.push_back(l.asked.substr(E.size()));
    EXPECT_EQ(gets, (std::vector<std::string>{"2.6.1.0", "2.6.2.0", "2.6.4.0", "2.6.5.0", "2.1.1.1.1",
                                              "2.3.1.11.1", "2.12.1.1.1.2.1"}));
    EXPECT_TRUE(sets().empty());
}

struct LimitCase {
    const char* name;
    const char* text;
    bool accepted;
};

// Signs, blanks and letters never reach the field: its input rule drops them.
const LimitCase kLimits[] = {
    {"Zero", "0", true},         {"SixtyFour", "64", true}, {"SixtyFive", "65", false},
    {"NinetyNine", "99", false}, {"Empty", "", false},
};

class GroupUserLimitApply : public GroupTest, public ::testing::WithParamInterface<LimitCase> {};

// A good limit writes the three writable objects (the link status is read-only) and waits for the
// restart; a bad one empties the field behind its box and writes nothing.
TEST_P(GroupUserLimitApply, WritesOrRefuses) {
    const LimitCase& c = GetParam();
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("set " + kLoadBalance + " i 1"));
    TFM_Group& p = open();
    p.Ed_UsrL->setText(QString());
    p.Ed_UsrL->userType(QString::fromLatin1(c.text));
    ASSERT_EQ(p.Ed_UsrL->text(), QString::fromLatin1(c.text));
    const size_t mark = sim->logSize();
    p.Bt_Apply->userClick();
    if (c.accepted) {
        EXPECT_TRUE(boxes.empty());
        EXPECT_EQ(setLog(mark), (std::vector<std::string>{"2.6.1.0=1", "2.6.2.0=" + std::string(c.text),
                                                          "2.6.4.0=0", "3.3.5.0=4"}));
        EXPECT_EQ(p.StatusBar->simpleText(), u"Setting OK!");
    } else {
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, kLimitMessage);
        EXPECT_EQ(boxes[0].caption, u"Error");
        EXPECT_EQ(boxes[0].buttons, forms::MB_OK);
        EXPECT_EQ(p.Ed_UsrL->text(), u"");
        EXPECT_TRUE(setLog(mark).empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Table, GroupUserLimitApply, ::testing::ValuesIn(kLimits),
                         [](const auto& info) { return std::string(info.param.name); });

struct ControlsCase {
    const char* name;
    int apMode;       // adAPMode on the device
    int cluster;      // adClusterAction: 1 Join, 2 Escape
    int loadBalance;  // 0 Disable, 1 Enable
    bool loadBalanceEnabled;
    bool linkIntegrateEnabled;
    bool userLimitEditable;
};

const ControlsCase kControls[] = {
    {"AccessPoint", 1, 2, 1, true, true, true},
    {"LoadBalanceOff", 1, 2, 0, true, true, false},
    {"BridgeEscaped", 2, 2, 1, false, false, true},
    {"BridgeJoined", 3, 1, 1, false, false, true},
    // A member of an AP domain cannot balance load; link integrity stays the access point's.
    {"AccessPointJoined", 1, 1, 1, false, true, true},
};

class GroupPageControls : public GroupTest, public ::testing::WithParamInterface<ControlsCase> {};

TEST_P(GroupPageControls, AsTheModeTheDomainAndLoadBalanceLeaveThem) {
    const ControlsCase& c = GetParam();
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("set " + kApMode + " i " + std::to_string(c.apMode)));
    ASSERT_TRUE(sim->ok("set " + kClusterAction + " i " + std::to_string(c.cluster)));
    ASSERT_TRUE(sim->ok("set " + kLoadBalance + " i " + std::to_string(c.loadBalance)));
    TFM_Group& p = open();
    EXPECT_EQ(p.CB_LoadB->enabled(), c.loadBalanceEnabled);
    EXPECT_EQ(p.CB_LinkInt->enabled(), c.linkIntegrateEnabled);
    EXPECT_EQ(p.Ed_UsrL->isReadOnly(), !c.userLimitEditable);

    // Refresh runs the same rules again, the AP domain's last.
    p.Bt_Refresh->userClick();
    waitFor([&] { return !p.reqCluster->busy; });
    EXPECT_EQ(p.CB_LoadB->enabled(), c.loadBalanceEnabled);
    EXPECT_EQ(p.CB_LinkInt->enabled(), c.linkIntegrateEnabled);
}

INSTANTIATE_TEST_SUITE_P(Table, GroupPageControls, ::testing::ValuesIn(kControls),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(GroupTest, SwitchingLoadBalanceOnMakesTheLimitEditableAtOnce) {
    ASSERT_TRUE(startSim()) << sim->error();
    TFM_Group& p = open();
    ASSERT_EQ(p.CB_LoadB->text(), u"Disable");
    EXPECT_TRUE(p.Ed_UsrL->isReadOnly());
    ASSERT_TRUE(p.CB_LoadB->userSelect(1));
    EXPECT_FALSE(p.Ed_UsrL->isReadOnly());
    ASSERT_TRUE(p.CB_LoadB->userSelect(0));
    EXPECT_TRUE(p.Ed_UsrL->isReadOnly());
}

// A member of an AP domain asks before it restarts: Cancel sends no restart, OK waits for one; both
// read the AP domain again.
TEST_F(GroupTest, JoinedDeviceAsksBeforeTheRestart) {
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("set " + kClusterAction + " i 1"));
    TFM_Group& p = open();
    ASSERT_EQ(p.CB_Clus->text(), u"Join");
    answers = {forms::IDCANCEL};
    size_t mark = sim->logSize();
    p.Bt_Apply->userClick();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(
        boxes[0].text,
        u"Do you want reboot now?\nIf you choose 'Cancel',please reboot AP when you complete settings!");
    EXPECT_EQ(boxes[0].caption, u"Warning");
    EXPECT_EQ(boxes[0].buttons, forms::MB_OKCANCEL);
    EXPECT_EQ(setLog(mark), (std::vector<std::string>{"2.6.1.0=0", "2.6.2.0=64", "2.6.4.0=0"}));
    EXPECT_EQ(p.StatusBar->simpleText(), u"Setting OK!");
    ASSERT_TRUE(waitFor([&] { return !p.reqCluster->busy; }));
    EXPECT_EQ(getsOf(kClusterAction, mark), 1);

    answers = {forms::IDOK};
    mark = sim->logSize();
    p.Bt_Apply->userClick();
    EXPECT_EQ(boxes.size(), 2u);
    const auto written = setLog(mark);
    ASSERT_FALSE(written.empty());
    EXPECT_EQ(written.back(), "3.3.5.0=4");
    // The read after the restart may time out: it is started all the same.
    EXPECT_TRUE(p.reqCluster->busy || getsOf(kClusterAction, mark) == 1);
}

TEST_F(GroupTest, RefusedWriteShowsTheErrorAndDoesNotRestart) {
    ASSERT_TRUE(startSim()) << sim->error();
    TFM_Group& p = open();
    ASSERT_TRUE(sim->ok("error " + kLinkIntegrate + " genErr set"));
    const size_t mark = sim->logSize();
    p.Bt_Apply->userClick();
    EXPECT_EQ(p.StatusBar->simpleText(), u"Setting Error!");
    EXPECT_FALSE(sets(mark).empty());
    EXPECT_FALSE(restarted(mark));
    EXPECT_TRUE(boxes.empty());
}

// Closing while the AP-domain read is still out: its answer reaches no page.
TEST_F(GroupTest, CloseWithTheDomainReadOutstanding) {
    ASSERT_TRUE(startSim()) << sim->error();
    HvSNMPSession::defaults.timeout = 200;
    TFM_Group& p = open();
    ASSERT_TRUE(sim->ok("delay 300"));
    const size_t mark = sim->logSize();
    p.Bt_Refresh->userClick();
    ASSERT_TRUE(p.reqCluster->busy);
    page.reset();
    EXPECT_TRUE(waitFor([&] { return getsOf(kClusterAction, mark) == 1; }));
    ASSERT_TRUE(sim->ok("delay 0"));
}

}  // namespace
