// The access filter page against the device simulator over real UDP on loopback: what it reads and
// shows, the table button of a band whose filter is off, what Apply writes and the restart that
// follows, and the MAC table window it opens for its band.

#include <gtest/gtest.h>

#include <QTimer>

#include <string>
#include <vector>

#include "pages/Pages.h"
#include "pages/wireless/Filer.h"
#include "pages/wireless/Filermac.h"
#include "platform/forms/Forms.h"
#include "tests/NamedRows.h"
#include "tests/support/PageUnderTest.h"

namespace {

using hvtest::PrintTo;

const std::string E = "1.3.6.1.4.1.47011.11.37.4.";
const std::string kAccess = E + "2.4.1.1.1.1";
const std::string kStations = E + "2.4.3.1.1.1";
const std::string kEthernet = E + "2.4.3.1.2.1";
const std::string kClusterAction = E + "2.12.1.1.1.2.1";
const std::string kRestartCommand = E + "3.3.5.0";

// The filter's objects, the AP-domain state and the restart command.
bool pageObject(const std::string& oid) {
    for (const char* p : {"2.4.", "2.12.1.1.1.", "3.3.5"})
        if (oid.rfind(E + p, 0) == 0) return true;
    return false;
}

class FilterTest : public PageUnderTest<TFM_Filter> {
protected:
    void SetUp() override {
        PageUnderTest::SetUp();
        setFilter = [](const SimLogLine& l) { return pageObject(l.asked); };
    }
    // The device: access control Accept, stations apart, Ethernet to the wireless side allowed.
    bool startDevice() {
        return startSim() && sim->ok("set " + kAccess + " i 1") && sim->ok("set " + kStations + " i 0") &&
               sim->ok("set " + kEthernet + " i 1");
    }
    TFM_Filter& open() {
        TFM_Filter& p = makePage();
        waitFor([&] { return !p.reqCluster->busy; });
        return p;
    }
    // "OP OID[=VALUE]" of the page's objects from log line `from` on, the OIDs after E.
    std::vector<std::string> pageLog(size_t from = 0) const {
        std::vector<std::string> out;
        for (const auto& l : sim->requests(from))
            if (pageObject(l.asked))
                out.push_back(l.op + " " + l.asked.substr(E.size()) + (l.op == "SET" ? "=" + l.value : ""));
        return out;
    }
};

TEST_F(FilterTest, OpensWithTheBandsSettingsReadingOnlyItsTab) {
    ASSERT_TRUE(startDevice()) << sim->error();
    TFM_Filter& p = open();
    EXPECT_EQ(p.caption(), u"Advanced \\ Filter");
    EXPECT_EQ(p.TS_80211a->caption(), u"IEEE 802.11g");
    EXPECT_FALSE(p.TS_80211g->tabVisible());
    EXPECT_EQ(p.CB_ACa->text(), u"Accept");
    EXPECT_EQ(p.CB_InSCa->text(), u"Disable");
    EXPECT_EQ(p.CB_E2WAa->text(), u"Enable");
    EXPECT_EQ(p.CB_ACa->items(), (QStringList{"Accept", "Reject", "Disable"}));
    EXPECT_EQ(p.CB_Clus->text(), u"Escape");
    // With one band, the switch between the bands has nothing to switch.
    EXPECT_FALSE(p.CB_InSCBa->visible());
    EXPECT_FALSE(p.La_InSCBa->visible());
    EXPECT_FALSE(p.La_InSCAGa->visible());
    EXPECT_TRUE(p.Bt_MacTaba->enabled());
    EXPECT_TRUE(boxes.empty());
    // Only the shown tab's objects are asked, then the AP-domain state.
    EXPECT_EQ(pageLog(), (std::vector<std::string>{"GET 2.4.1.1.1.1", "GET 2.4.3.1.1.1", "GET 2.4.3.1.2.1",
                                                   "GET 2.12.1.1.1.2.1"}));
}

TEST_F(FilterTest, MenuOpensThePage) {
    ASSERT_TRUE(startDevice()) << sim->error();
    for (const HvPageEntry& entry : HvPages()) {
        if (std::string(entry.item) != "adFilters2") continue;
        EXPECT_EQ(entry.menu, HvTopMenu::Advanced);
        QString access;
        EXPECT_EQ(
            openFromMenu(entry, [&](forms::Form& f) { access = static_cast<TFM_Filter&>(f).CB_ACa->text(); }),
            u"Advanced \\ Filter");
        EXPECT_EQ(access, u"Accept");
        EXPECT_TRUE(FM_Filter.isNull());
        return;
    }
    ADD_FAILURE() << "no Filter row in the page registry";
}

TEST_F(FilterTest, TheListButtonFollowsItsBandsAccessControl) {
    ASSERT_TRUE(startDevice()) << sim->error();
    ASSERT_TRUE(sim->ok("set " + kAccess + " i 3"));
    TFM_Filter& p = open();
    EXPECT_EQ(p.CB_ACa->text(), u"Disable");
    EXPECT_FALSE(p.Bt_MacTaba->enabled());
    ASSERT_TRUE(p.CB_ACa->userSelect(1));
    EXPECT_TRUE(p.Bt_MacTaba->enabled());
    ASSERT_TRUE(p.CB_ACa->userSelect(2));
    EXPECT_FALSE(p.Bt_MacTaba->enabled());
    // Refresh shows the device's state again, and the button with it.
    ASSERT_TRUE(sim->ok("set " + kAccess + " i 2"));
    ASSERT_TRUE(p.Bt_Refresh->userClick());
    EXPECT_EQ(p.CB_ACa->text(), u"Reject");
    EXPECT_TRUE(p.Bt_MacTaba->enabled());
}

struct ApplyCase {
    const char* name;
    int clusterAction;  // 1 Join, 2 Escape
    int answer;         // to the restart question, when it comes
    bool asked;
    bool restarts;
};

class FilterApply : public FilterTest, public ::testing::WithParamInterface<ApplyCase> {};

TEST_P(FilterApply, WritesTheBandThenRestarts) {
    const ApplyCase& c = GetParam();
    ASSERT_TRUE(startDevice()) << sim->error();
    ASSERT_TRUE(sim->ok("set " + kClusterAction + " i " + std::to_string(c.clusterAction)));
    TFM_Filter& p = open();
    ASSERT_TRUE(p.CB_ACa->userSelect(1));
    ASSERT_TRUE(p.CB_InSCa->userSelect(0));
    answers.push_back(c.answer);
    const size_t mark = sim->logSize();
    ASSERT_TRUE(p.Bt_Apply->userClick());

    std::vector<std::string> expected = {"SET 2.4.1.1.1.1=2", "SET 2.4.3.1.1.1=1", "SET 2.4.3.1.2.1=1"};
    if (c.restarts) expected.push_back("SET 3.3.5.0=4");
    std::vector<std::string> written;
    for (const auto& l : pageLog(mark))
        if (l.rfind("SET", 0) == 0) written.push_back(l);
    EXPECT_EQ(written, expected);
    EXPECT_EQ(sim->command("get " + kAccess), "ok i 2");
    ASSERT_EQ(boxes.size(), c.asked ? 1u : 0u);
    if (c.asked) {
        EXPECT_EQ(boxes[0].text, PageRules::kRestartQuestion);
        EXPECT_EQ(boxes[0].caption, u"Warning");
        EXPECT_EQ(boxes[0].buttons, forms::MB_OKCANCEL);
    }
    EXPECT_EQ(p.StatusBar->simpleText(), u"Setting Success!");
    // The AP-domain state is read again after the setting.
    EXPECT_TRUE(waitFor([&] { return !p.reqCluster->busy; }));
    const auto after = pageLog(mark);
    EXPECT_EQ(after.back(), "GET 2.12.1.1.1.2.1");
}

INSTANTIATE_TEST_SUITE_P(Table, FilterApply,
                         ::testing::Values(ApplyCase{"Alone", 2, forms::IDOK, false, true},
                                           ApplyCase{"JoinedOk", 1, forms::IDOK, true, true},
                                           ApplyCase{"JoinedCancel", 1, forms::IDCANCEL, true, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FilterTest, RefusedApplyWritesNothingAndNeverRestarts) {
    ASSERT_TRUE(startDevice()) << sim->error();
    TFM_Filter& p = open();
    ASSERT_TRUE(p.CB_ACa->userSelect(1));
    ASSERT_TRUE(sim->ok("error " + kStations + " genErr set"));
    const size_t mark = sim->logSize();
    ASSERT_TRUE(p.Bt_Apply->userClick());
    EXPECT_EQ(p.StatusBar->simpleText(), u"Setting Error!");
    EXPECT_EQ(p.waiting(), nullptr);
    EXPECT_TRUE(boxes.empty());
    for (const auto& l : sets(mark)) EXPECT_NE(l.status, "ok") << l.asked;
    for (const auto& l : sim->requests(mark)) EXPECT_NE(l.asked, kRestartCommand);
    EXPECT_EQ(sim->command("get " + kAccess), "ok i 1");
}

// A silent device: the page opens once its reads have timed out and says so; Apply then has no
// values to send, says why, and neither writes nor restarts.
TEST_F(FilterTest, SilentDeviceOpensAndApplyFails) {
    ASSERT_TRUE(startDevice()) << sim->error();
    ASSERT_TRUE(sim->ok("silence 60000"));
    TFM_Filter& p = open();
    EXPECT_EQ(p.CB_ACa->itemIndex(), -1);
    EXPECT_FALSE(p.StatusBar->simpleText().isEmpty());
    EXPECT_TRUE(boxes.empty());
    const size_t mark = sim->logSize();
    ASSERT_TRUE(p.Bt_Apply->userClick());
    EXPECT_NE(p.StatusBar->simpleText(), u"Setting Success!");
    EXPECT_FALSE(p.StatusBar->simpleText().isEmpty());
    EXPECT_EQ(p.waiting(), nullptr);
    ASSERT_TRUE(sim->ok("silence 0"));
    EXPECT_TRUE(sets(mark).empty());
    EXPECT_EQ(sim->command("get " + kAccess), "ok i 1");
}

// The band's button opens the table window of slot 1 over the page, and it goes when it closes.
TEST_F(FilterTest, ListButtonOpensItsBandsTable) {
    ASSERT_TRUE(startDevice()) << sim->error();
    ASSERT_TRUE(sim->ok("set " + E + "2.4.2.1.2.1.1 x 0011AABBCCDD"));
    TFM_Filter& p = open();
    QString caption;
    int slot = 0;
    int listed = -1;
    bool flagWhileOpen = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        TFM_FilterMAC* t = FM_FilterMAC.data();
        if (!t || !t->isVisible() || t->requestsBusy()) return;
        poll.stop();
        caption = t->caption();
        slot = t->slot();
        listed = t->User_ListView->itemCount();
        flagWhileOpen = p.macTableSlot1Open;
        t->close();
    });
    poll.start(5);
    ASSERT_TRUE(p.Bt_MacTaba->userClick());
    EXPECT_EQ(caption, u"IEEE 802.11g MAC Address Table");
    EXPECT_EQ(slot, 1);
    EXPECT_EQ(listed, 1);
    EXPECT_TRUE(flagWhileOpen);
    EXPECT_FALSE(p.macTableSlot1Open);
    EXPECT_TRUE(FM_FilterMAC.isNull());
}

}  // namespace
