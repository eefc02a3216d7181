// The newer administration page against the device simulator over real UDP on loopback: what it
// shows, what an Apply writes and in which order, its refusals, and that no failed Apply leaves the
// device without a console.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/forms/Forms.h"
#include "module/Main.h"
#include "pages/admin/Admin2.h"
#include "tests/NamedRows.h"
#include "tests/pages/AdminPageSupport.h"
#include "tests/support/PageUnderTest.h"

namespace {

using hvtest::PrintTo;

const std::string E = "1.3.6.1.4.1.47011.11.37.4.";
const std::string kUser = E + "3.1.1.0";
const std::string kPassword = E + "3.1.2.0";
const std::string kIpState = E + "3.1.3.1.0";
const std::string kIp1 = E + "3.1.3.2.1.1.1";
const std::string kIp2 = E + "3.1.3.2.1.1.2";
const std::string kTrapIp = E + "3.1.4.1.0";
const std::string kNotify = E + "3.1.4.2.0";
const std::string kVidState = E + "3.1.8.1.0";
const std::string kVid = E + "3.1.8.2.0";
const std::string kTelnet = E + "3.4.1.0";
const std::string kTimeout = E + "3.4.2.0";
const std::string kSsh = E + "3.4.3.0";

class AdminPageNew : public PageUnderTest<TFM_AdminNew> {
protected:
    void SetUp() override {
        PageUnderTest::SetUp();
        // The page's own objects; the waiting dialog's restart command is not among them.
        setFilter = [](const SimLogLine& l) {
            return l.asked.rfind(E + "3.1.", 0) == 0 || l.asked.rfind(E + "3.4.", 0) == 0;
        };
    }

    // Opens the page and waits for its two asynchronous reads.
    TFM_AdminNew& open() {
        TFM_AdminNew& p = makePage();
        waitFor([&] { return !p.managerIpStateRequest->busy && !p.trapRequest->busy; });
        return p;
    }

    // Clicks Apply; true when the waiting dialog ran.
    bool apply() { return clickSeesWaiting(*page, page->OK); }

    // The page's sets from log line `from` on, as "OID=VALUE STATUS".
    std::vector<std::string> written(size_t from) const { return setTexts(sets(from)); }

    std::string held(const std::string& oid) const { return sim->command("get " + oid); }
};

TEST_F(AdminPageNew, OpensWithTheDeviceValues) {
    ASSERT_TRUE(startSim({"--restart-time", "50"})) << sim->error();
    ASSERT_TRUE(sim->ok("set " + E + "3.1.3.2.1.1.1 a 10.0.0.7"));
    ASSERT_TRUE(sim->ok("set " + kTimeout + " i 3"));
    makePage();
    // Until the limit's and the trap's reads are back their check boxes show nothing of the device.
    EXPECT_FALSE(page->OK->enabled());
    TFM_AdminNew& p = open();
    EXPECT_TRUE(p.OK->enabled());
    EXPECT_EQ(p.caption(), u"Tools \\ Admin");
    EXPECT_EQ(p.Ed_Usr->text(), u"admin");
    // The three password fields start with the device's password, so an unchanged form passes.
    for (auto* e : {p.Ed_Pwd, p.Ed_OPwd, p.Ed_NPwd, p.Ed_CNP}) EXPECT_EQ(e->text(), u"password");
    EXPECT_FALSE(p.Ed_Pwd->visible());
    EXPECT_EQ(p.Ed_OPwd->passwordChar(), u'*');
    EXPECT_EQ(p.Ed_IP1->text(), u"10.0.0.7");
    EXPECT_EQ(p.Ed_IP2->text(), u"");  // 0.0.0.0 on the device
    EXPECT_FALSE(p.CkBx_ManagerState->checked());
    EXPECT_FALSE(p.Ed_IP1->enabled());
    EXPECT_EQ(p.managerIpsToWrite, 0);
    EXPECT_EQ(p.vlanIdSupported, 1);
    EXPECT_TRUE(p.CB_LimitVID->visible());
    EXPECT_EQ(p.Ed_Vid->text(), u"1");
    EXPECT_FALSE(p.Ed_Vid->enabled());
    EXPECT_TRUE(p.RB_Telnet->checked());
    EXPECT_TRUE(p.CB_Timeout->enabled());
    EXPECT_EQ(p.CB_Timeout->text(), u"5 Mins");
    EXPECT_EQ(p.CB_VLanState->text(), u"Disabled");
    EXPECT_FALSE(p.GB_SNMP->visible());
    // The buttons move into the hidden group's place.
    EXPECT_EQ(p.OK->top(), 354);
    EXPECT_EQ(p.clientHeight(), 406);
    EXPECT_EQ(p.Ed_Usr->maxLength(), 64);
    EXPECT_EQ(p.Ed_NPwd->maxLength(), 12);
    EXPECT_EQ(p.Ed_IP1->maxLength(), 15);
    EXPECT_EQ(p.Ed_Vid->maxLength(), 4);
    EXPECT_TRUE(sets().empty());
}

// The account first, the address list before its limit, the consoles switched off and on again
// last; the console timeout and the trap address only when they count.
TEST_F(AdminPageNew, ApplyWritesInOrder) {
    ASSERT_TRUE(startSim({"--restart-time", "50"})) << sim->error();
    TFM_AdminNew& p = open();
    ASSERT_TRUE(p.CkBx_ManagerState->userClick());
    EXPECT_TRUE(p.Ed_IP1->enabled());
    p.Ed_IP1->setText("10.0.0.9");
    p.Ed_NPwd->setText("fresh");
    p.Ed_CNP->setText("fresh");
    ASSERT_TRUE(p.RB_SHH->userClick());
    p.CB_Timeout->userSelect(2);
    const size_t mark = sim->logSize();
    EXPECT_TRUE(apply());
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(written(mark), (std::vector<std::string>{
                                 kUser + "=admin", kPassword + "=fresh",        // account
                                 kIp1 + "=10.0.0.9", kIp2 + "=0.0.0.0",         // the list ...
                                 kIpState + "=1",                               // ... before its limit
                                 kVidState + "=0", kVid + "=1",                 // manager VLAN
                                 kNotify + "=0",                                // no trap address
                                 kTelnet + "=0", kTimeout + "=2", kSsh + "=0",  // both off ...
                                 kTelnet + "=0", kTimeout + "=2", kSsh + "=1",  // ... then the choice
                             }));
    // The empty limit address shows empty again.
    EXPECT_EQ(p.Ed_IP2->text(), u"");
    EXPECT_EQ(held(kPassword), "ok s \"fresh\"");
    EXPECT_EQ(held(kSsh), "ok i 1");
}

// Without a console its timeout stays as the device has it.
TEST_F(AdminPageNew, NoConsoleLeavesTheTimeout) {
    ASSERT_TRUE(startSim({"--restart-time", "50"})) << sim->error();
    TFM_AdminNew& p = open();
    ASSERT_TRUE(p.RB_None->userClick());
    EXPECT_FALSE(p.CB_Timeout->enabled());
    const size_t mark = sim->logSize();
    EXPECT_TRUE(apply());
    const auto w = written(mark);
    ASSERT_GE(w.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(w.end() - 4, w.end()),
              (std::vector<std::string>{kTelnet + "=0", kSsh + "=0", kTelnet + "=0", kSsh + "=0"}));
}

TEST_F(AdminPageNew, DeviceWithoutManagerVlan) {
    ASSERT_TRUE(startSim({"--restart-time", "50", "--absent", E + "3.1.8"})) << sim->error();
    TFM_AdminNew& p = open();
    EXPECT_EQ(p.vlanIdSupported, 0);
    EXPECT_FALSE(p.CB_LimitVID->visible());
    EXPECT_FALSE(p.La_LimitVID->visible());
    EXPECT_FALSE(p.Ed_Vid->visible());
    const size_t mark = sim->logSize();
    EXPECT_TRUE(apply());
    const auto w = written(mark);
    EXPECT_EQ(
        std::count_if(w.begin(), w.end(), [](const std::string& s) { return s.rfind(E + "3.1.8.", 0) == 0; }),
        0);
    EXPECT_EQ(w.size(), 10u);
}

// An ID emptied by its check and left so once the limit is off stays as the device has it.
TEST_F(AdminPageNew, EmptiedVidIsNotWrittenWithTheLimitOff) {
    ASSERT_TRUE(startSim({"--restart-time", "50"})) << sim->error();
    TFM_AdminNew& p = open();
    ASSERT_TRUE(p.CB_LimitVID->userClick());
    p.Ed_Vid->setText("0");
    EXPECT_FALSE(apply());
    ASSERT_EQ(p.Ed_Vid->text(), u"");
    ASSERT_TRUE(p.CB_LimitVID->userClick());
    const size_t mark = sim->logSize();
    EXPECT_TRUE(apply());
    const auto w = written(mark);
    EXPECT_NE(std::find(w.begin(), w.end(), kVidState + "=0"), w.end());
    EXPECT_EQ(std::find_if(w.begin(), w.end(), [](const std::string& s) { return s.rfind(kVid, 0) == 0; }),
              w.end());
    EXPECT_EQ(held(kVid), "ok i 1");
}

// The trap settings are not shown: a notification the device has on, with an address the user could
// neither see nor mend, bars no Apply and goes back as the device had it.
TEST_F(AdminPageNew, HiddenTrapSettingsGoBackAsRead) {
    ASSERT_TRUE(startSim({"--restart-time", "50"})) << sim->error();
    ASSERT_TRUE(sim->ok("set " + kNotify + " i 1"));
    TFM_AdminNew& p = open();
    ASSERT_TRUE(p.CkBx_LBS->checked());
    ASSERT_FALSE(p.GB_SNMP->visible());
    const size_t mark = sim->logSize();
    EXPECT_TRUE(apply());
    EXPECT_TRUE(boxes.empty());
    const auto w = written(mark);
    const auto trap = std::find(w.begin(), w.end(), kTrapIp + "=0.0.0.0");
    ASSERT_NE(trap, w.end());
    ASSERT_NE(trap + 1, w.end());
    EXPECT_EQ(*(trap + 1), kNotify + "=1");
}

struct Unread {
    const char* name;
    std::string fault;  // the simulator's control command
};

class AdminPageNewUnread : public AdminPageNew, public ::testing::WithParamInterface<Unread> {};

// Without the account as the device holds it there is nothing to compare the old password with: the
// page opens, offers no Apply and writes nothing.
TEST_P(AdminPageNewUnread, OffersNoApply) {
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok(GetParam().fault));
    TFM_AdminNew& p = open();
    EXPECT_EQ(p.Ed_Pwd->text(), u"");
    EXPECT_FALSE(p.OK->enabled());
    EXPECT_FALSE(p.StatusBar->simpleText().isEmpty());
    ASSERT_TRUE(sim->ok("reset"));
    const size_t mark = sim->logSize();
    p.OKClick(nullptr);
    EXPECT_TRUE(sets(mark).empty());
}

INSTANTIATE_TEST_SUITE_P(Device, AdminPageNewUnread,
                         ::testing::Values(Unread{"AccountRefused", "error " + kUser + " genErr get"},
                                           Unread{"Silent", "silence 60000"}),
                         [](const auto& info) { return std::string(info.param.name); });

// Closed while its two asynchronous reads are out: their late answers reach nothing of the page.
TEST_F(AdminPageNew, LateAnswersAfterClosingReachNothing) {
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("delay 50"));
    makePage();
    ASSERT_TRUE(page->trapRequest->busy);
    // Ending its requests waits for the answers still out, and hands them to no one.
    page.reset();
    EXPECT_TRUE(waitFor([&] {
        for (const auto& l : sim->requests(0))
            if (l.op == "GET" && l.asked == kNotify) return true;
        return false;
    }));
}

struct Refused {
    const char* name;
    void (*input)(TFM_AdminNew& p);
    const char* message;
    const char* caption;
    // What the refusal leaves: the field emptied, the VLAN limit unchecked.
    forms::Edit* (*emptied)(TFM_AdminNew& p);
    bool vidUnchecked;
};

class AdminPageNewRefused : public AdminPageNew, public ::testing::WithParamInterface<Refused> {};

// Each check shows its box and writes nothing.
TEST_P(AdminPageNewRefused, ShowsItsBoxAndWritesNothing) {
    ASSERT_TRUE(startSim()) << sim->error();
    TFM_AdminNew& p = open();
    const Refused& r = GetParam();
    r.input(p);
    const size_t mark = sim->logSize();
    EXPECT_FALSE(apply());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QString::fromUtf8(r.message));
    EXPECT_EQ(boxes[0].caption, QString::fromUtf8(r.caption));
    if (r.emptied) {
        EXPECT_EQ(r.emptied(p)->text(), u"");
    }
    if (r.vidUnchecked) {
        EXPECT_FALSE(p.CB_LimitVID->checked());
        EXPECT_FALSE(p.Ed_Vid->enabled());
    }
    EXPECT_TRUE(sets(mark).empty());
    // The address the check filled in is shown empty again.
    EXPECT_NE(p.Ed_IP2->text(), u"0.0.0.0");
}

INSTANTIATE_TEST_SUITE_P(
    Checks, AdminPageNewRefused,
    ::testing::Values(Refused{"WrongOldPassword", [](TFM_AdminNew& p) { p.Ed_OPwd->setText("guess"); },
                              "Please input the current password correctly!", "Warning", nullptr, false},
                      Refused{"ConfirmDiffers", [](TFM_AdminNew& p) { p.Ed_NPwd->setText("new1"); },
                              "Please input the confirm new password correctly!", "Warning", nullptr, false},
                      Refused{"LongUserName", [](TFM_AdminNew& p) { p.Ed_Usr->setText(QString(65, 'u')); },
                              "Please limit user name to 64 characters!", "Warning",
                              [](TFM_AdminNew& p) { return p.Ed_Usr; }, false},
                      Refused{"LimitWithoutAddress",
                              [](TFM_AdminNew& p) { p.CkBx_ManagerState->userClick(); },
                              "You at least must input one IP address!", "Warning", nullptr, false},
                      Refused{"BadLimitAddress",
                              [](TFM_AdminNew& p) {
                                  p.CkBx_ManagerState->userClick();
                                  p.Ed_IP1->setText("10.0.0.256");
                              },
                              "Invalid IP address!", "Warning", nullptr, false},
                      Refused{"LimitAddressThenWrongPassword",
                              [](TFM_AdminNew& p) {
                                  p.CkBx_ManagerState->userClick();
                                  p.Ed_IP1->setText("10.0.0.5");
                                  p.Ed_OPwd->setText("guess");
                              },
                              "Please input the current password correctly!", "Warning", nullptr, false},
                      Refused{"VidOutOfRange",
                              [](TFM_AdminNew& p) {
                                  p.CB_LimitVID->userClick();
                                  p.Ed_Vid->setText("4095");
                              },
                              "The VLAN ID is invalid. The range of VLAN ID is 1 to 4094.", "Error",
                              [](TFM_AdminNew& p) { return p.Ed_Vid; }, false},
                      // The simulated device has its VLANs disabled.
                      Refused{"VidWithVlansDisabled",
                              [](TFM_AdminNew& p) {
                                  p.CB_LimitVID->userClick();
                                  p.Ed_Vid->setText("12");
                              },
                              "Please enable Multi-SSID and VLAN first!", "Warning", nullptr, true}),
    [](const auto& info) { return std::string(info.param.name); });

// A failed write before the consoles leaves them untouched: nothing switched them off.
TEST_F(AdminPageNew, FailedAccountLeavesTheConsoles) {
    ASSERT_TRUE(startSim()) << sim->error();
    TFM_AdminNew& p = open();
    ASSERT_TRUE(p.RB_SHH->userClick());
    p.Ed_NPwd->setText("fresh");
    p.Ed_CNP->setText("fresh");
    ASSERT_TRUE(sim->ok("error " + kPassword + " genErr set"));
    const size_t mark = sim->logSize();
    EXPECT_FALSE(apply());
    EXPECT_EQ(p.StatusBar->simpleText(), u"Setting Error!");
    EXPECT_EQ(written(mark),
              (std::vector<std::string>{kUser + "=admin notDone", kPassword + "=fresh genErr"}));
    EXPECT_EQ(held(kTelnet), "ok i 1");
    // The device kept its password: the next check compares against that one.
    EXPECT_EQ(p.Ed_Pwd->text(), u"password");
}

// A console write that fails after both were switched off puts back the consoles read at opening,
// instead of leaving the device reachable by neither.
TEST_F(AdminPageNew, FailedConsoleWriteRestoresTheConsoles) {
    ASSERT_TRUE(startSim()) << sim->error();
    TFM_AdminNew& p = open();
    ASSERT_TRUE(p.RB_SHH->userClick());
    ASSERT_TRUE(sim->ok("error " + kSsh + " genErr set"));
    const size_t mark = sim->logSize();
    EXPECT_FALSE(apply());
    EXPECT_EQ(p.StatusBar->simpleText(), u"Setting Error!");
    const auto w = written(mark);
    ASSERT_GE(w.size(), 6u);
    EXPECT_EQ(std::vector<std::string>(w.end() - 6, w.end()),
              (std::vector<std::string>{
                  kTelnet + "=0", kTimeout + "=0", kSsh + "=0 genErr",  // both off, then the failure
                  kTelnet + "=1", kTimeout + "=0", kSsh + "=0 genErr",  // the consoles as read, once
              }));
    EXPECT_EQ(held(kTelnet), "ok i 1");
    EXPECT_TRUE(p.RB_Telnet->checked());
}

// The console sets among an Apply's writes.
std::vector<std::string> consoleSets(const std::vector<std::string>& writes) {
    std::vector<std::string> out;
    for (const auto& w : writes)
        if (w.rfind(E + "3.4.", 0) == 0) out.push_back(w);
    return out;
}

using Button = forms::RadioButton* TFM_AdminNew::*;

struct ConsoleUnread {
    const char* name;
    std::string absent;  // what the firmware lacks
    Button choose;       // the user's choice; null keeps what the page shows
    bool offersNone, offersTelnet, offersSsh;
    Button shown;  // checked at opening; null: none
    std::vector<std::string> consoleWrites;
};

class AdminPageNewConsoleUnread : public AdminPageNew, public ::testing::WithParamInterface<ConsoleUnread> {};

// A firmware that cannot show one console gets only the other one written, and can choose only
// what it showed: no Apply switches a console off that it then cannot switch on.
TEST_P(AdminPageNewConsoleUnread, WritesOnlyTheConsolesRead) {
    const ConsoleUnread& c = GetParam();
    ASSERT_TRUE(startSim({"--restart-time", "50", "--absent", c.absent})) << sim->error();
    TFM_AdminNew& p = open();
    EXPECT_EQ(p.RB_None->enabled(), c.offersNone);
    EXPECT_EQ(p.RB_Telnet->enabled(), c.offersTelnet);
    EXPECT_EQ(p.RB_SHH->enabled(), c.offersSsh);
    for (Button b : {&TFM_AdminNew::RB_None, &TFM_AdminNew::RB_Telnet, &TFM_AdminNew::RB_SHH})
        EXPECT_EQ((p.*b)->checked(), b == c.shown) << (p.*b)->objectName().toStdString();
    if (c.choose) {
        ASSERT_TRUE((p.*c.choose)->userClick());
    }
    const size_t mark = sim->logSize();
    EXPECT_TRUE(apply());
    EXPECT_NE(p.StatusBar->simpleText(), u"Setting Error!");
    EXPECT_EQ(consoleSets(written(mark)), c.consoleWrites);
}

INSTANTIATE_TEST_SUITE_P(
    Firmware, AdminPageNewConsoleUnread,
    ::testing::Values(
        ConsoleUnread{"NoSsh", E + "3.4.3", nullptr, true, true, false, &TFM_AdminNew::RB_Telnet,
                      {kTelnet + "=0", kTimeout + "=0", kTelnet + "=1", kTimeout + "=0"}},
        ConsoleUnread{"NoTelnet", E + "3.4.1", &TFM_AdminNew::RB_SHH, true, false, true,
                      &TFM_AdminNew::RB_None, {kSsh + "=0", kSsh + "=1"}},
        // "None" would claim both are off, and writing it would shut both.
        ConsoleUnread{"NoConsoles", E + "3.4", nullptr, false, false, false, nullptr, {}}),
    [](const auto& info) { return std::string(info.param.name); });

// Without the ssh switch a failed console write still puts back the console that was read.
TEST_F(AdminPageNew, FailedConsoleWriteRestoresTheOneRead) {
    ASSERT_TRUE(startSim({"--absent", E + "3.4.3"})) << sim->error();
    TFM_AdminNew& p = open();
    ASSERT_TRUE(sim->ok("error " + kTelnet + " genErr set"));
    const size_t mark = sim->logSize();
    EXPECT_FALSE(apply());
    EXPECT_EQ(p.StatusBar->simpleText(), u"Setting Error!");
    EXPECT_EQ(consoleSets(written(mark)), (std::vector<std::string>{
                                              kTelnet + "=0 genErr", kTimeout + "=0 notDone",  // off
                                              kTelnet + "=1 genErr", kTimeout + "=0 notDone",  // as read
                                          }));
}

}  // namespace
