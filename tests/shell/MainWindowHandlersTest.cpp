// The main window's handlers called directly: the blink run, a failed poll, the status line's
// template, the capability re-poll plan and the clearing tick.

#include "tests/support/PageFixture.h"
#include "library/HvClock.h"
#include "library/HvSNMPError.h"
#include "tests/sim/SimProcess.h"

namespace {

const QColor kLime(0, 255, 0);
const QColor kBlack(0, 0, 0);

class HandlersTest : public PageTest {
protected:
    void TearDown() override {
        HvResetMessageTables();
        HvSetClock({});
        PageTest::TearDown();
    }
    // A window without a device: the handlers alone, no timer running.
    TMainForm& idleForm() {
        TMainForm& form = start({});
        boxes.clear();
        return form;
    }
};

TEST_F(HandlersTest, BlinkRunTogglesLanEveryTickAndWlanEveryFourth) {
    TMainForm& form = idleForm();
    int lanToggles = 0, wlanToggles = 0;
    QColor lan = kLime, wlan = kLime;  // a run starts from lime
    for (int i = 0; i < 24; ++i) {
        form.LedBlinkTimer(nullptr);
        if (form.LED_Lan->brushColor() != lan) ++lanToggles;
        if (form.LED_WLan->brushColor() != wlan) ++wlanToggles;
        lan = form.LED_Lan->brushColor();
        wlan = form.LED_WLan->brushColor();
        EXPECT_EQ(form.LedBlink->enabled(), i < 23) << i;
    }
    EXPECT_EQ(lanToggles, 24);
    EXPECT_EQ(wlanToggles, 6);
    EXPECT_EQ(form.LED_Lan->brushColor(), kLime);
    EXPECT_EQ(form.LED_WLan->brushColor(), kLime);
    EXPECT_EQ(form.LED_Power->brushColor(), kLime);
    EXPECT_EQ(form.LedBlink->tag, 24);
}

TEST_F(HandlersTest, AnswerDuringRunContinuesIt) {
    TMainForm& form = idleForm();
    for (int i = 0; i < 5; ++i) form.LedBlinkTimer(nullptr);
    HvSNMPError ok;
    ok.message = "(HvSNMP++) Ok!";
    form.OnStatusReply(&ok);
    EXPECT_EQ(form.LedBlink->tag, 6);
    form.LedBlink->setEnabled(false);
}

TEST_F(HandlersTest, FailedPollBlacksLedsAndKeepsPolling) {
    TMainForm& form = idleForm();
    HvSNMPError timeout;
    timeout.code = kTimeoutCode;
    timeout.message = "(SNMPClass) SNMP request timed out!";
    form.OnStatusReply(&timeout);
    for (auto* led : {form.LED_Power, form.LED_Lan, form.LED_WLan}) EXPECT_EQ(led->brushColor(), kBlack);
    EXPECT_EQ(form.MainStatusBar->simpleText(), QStringLiteral("(SNMPClass) SNMP request timed out!"));
    EXPECT_EQ(form.lastStatusText, "(SNMPClass) SNMP request timed out!");
    EXPECT_FALSE(form.deviceAnswering());
    EXPECT_TRUE(form.LedStatus->enabled());
    EXPECT_FALSE(form.LedBlink->enabled());
}

TEST_F(HandlersTest, StatusLineFromTemplate) {
    TMainForm& form = idleForm();
    HvSetClock([] { return QDateTime(QDate(2024, 5, 1), QTime(13, 2, 3)); });
    HvSNMPError ok;
    ok.message = "(HvSNMP++) Ok!";
    form.OnStatusReply(&ok);
    EXPECT_EQ(form.lastStatusText, "Get: (HvSNMP++) Ok!. Receive at 01:02:03 PM.");
    EXPECT_TRUE(form.deviceAnswering());
    // A replaced template without the variable list is filled, not cut at a wrong place.
    HvReplaceMessageTable(HvMessageTable::ResultLines, {"[TIME] got [ERROR]"});
    form.OnStatusReply(&ok);
    EXPECT_EQ(form.lastStatusText, "01:02:03 PM got (HvSNMP++) Ok!");
    form.LedBlink->setEnabled(false);
}

TEST_F(HandlersTest, PageVariableClearedWhenPageIsDeleted) {
    TMainForm& form = idleForm();
    QPointer<forms::Form> FM_Page;
    forms::Form* seen = nullptr;
    form.pageOpener = [&](forms::Form& page) {
        seen = FM_Page.data();
        EXPECT_EQ(&page, seen);
        return 0;
    };
    form.openModal(FM_Page, new forms::Form(&form));
    EXPECT_NE(seen, nullptr);
    EXPECT_TRUE(FM_Page.isNull());
}

TEST_F(HandlersTest, SessionThatCannotStartEndsTheProgram) {
    MainFormEnvironment env;
    env.arguments = {"/I127.0.0.1", "/Rkiwano"};
    env.registry = &registry;
    env.programDir = path("prog/");
    env.lockFolder = path("lock");
    env.bootCounterDir = path("no/such/folder/");
    TMainForm form(env);
    EXPECT_TRUE(form.refused());
    EXPECT_NE(form.exitCode(), 0);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_FALSE(boxes[0].text.isEmpty());
    EXPECT_EQ(form.statusRequest, nullptr);
    EXPECT_FALSE(form.LedStatus->enabled());
    EXPECT_FALSE(form.Timer1->enabled());
}

TEST(CapabilityPollPlan, ClearsOnEighthTickThenEverySeventh) {
    int32_t ticks = 0;
    std::array<bool, kProbeCount> answered{};
    std::vector<int> clearing;
    for (int n = 1; n <= 22; ++n) {
        const auto plan = CapabilityPoll::tick(ticks, answered);
        if (plan.clear) clearing.push_back(n);
        EXPECT_EQ(plan.probes.size(), size_t(kProbeCount)) << n;  // the two read-once probes not answered yet
    }
    EXPECT_EQ(clearing, (std::vector<int>{8, 15, 22}));
    answered[14] = true;
    auto plan = CapabilityPoll::tick(ticks, answered);
    EXPECT_EQ(plan.probes.size(), size_t(kProbeCount - 1));
    answered[15] = true;
    plan = CapabilityPoll::tick(ticks, answered);
    EXPECT_EQ(plan.probes.size(), size_t(kRepolledProbes));
    EXPECT_EQ(clearedFields().size(), 15u);
}

// A slow device: a read still out is not sent again, neither a re-polled one nor one read once whose
// first answer is still coming (a second read's late answer would overwrite the first).
TEST(CapabilityPollPlan, AProbeWhoseReadIsOutIsNotSentAgain) {
    int32_t ticks = 0;
    std::array<bool, kProbeCount> answered{};
    std::array<bool, kProbeCount> busy{};
    busy[3] = true;
    busy[15] = true;
    const auto plan = CapabilityPoll::tick(ticks, answered, busy);
    std::vector<int> expected;
    for (int i = 0; i < kProbeCount; ++i)
        if (i != 3 && i != 15) expected.push_back(i);
    EXPECT_EQ(plan.probes, expected);
    EXPECT_EQ(ticks, 1);
}

TEST_F(HandlersTest, ClearingTickEmptiesFieldsUntilAnswersCome) {
    SimProcess sim;
    ASSERT_TRUE(sim.start()) << sim.error();
    writeIni("127.0.0.1", "AgentPort=" + std::to_string(sim.port()) + "\r\n");
    TMainForm& form = start({"/I127.0.0.1", "/Rkiwano"});
    form.Timer1->setEnabled(false);
    ASSERT_TRUE(
        waitFor([&] { return form.Ed_Green->text() == u"1" && form.mssidAndWdssupport->text() == u"1"; }));
    form.pollTicks = 7;
    form.Timer1Timer(nullptr);
    EXPECT_EQ(form.pollTicks, 1);
    EXPECT_EQ(form.Ed_Green->text(), QString());
    EXPECT_EQ(form.Ed_FwVer->text(), QString());
    EXPECT_EQ(form.mssidAndWdssupport->text(), QStringLiteral("1"));  // read once, never cleared
    ASSERT_TRUE(
        waitFor([&] { return form.Ed_Green->text() == u"1" && form.Ed_FwVer->text() == u"v2.20.01"; }));
}

}  // namespace

namespace {

TEST_F(HandlersTest, PageItemShowsItsMenuAndOpeningRunsTheRules) {
    TMainForm& form = idleForm();
    EXPECT_FALSE(form.advanced2->visible());
    EXPECT_TRUE(form.Help1->visible());
    form.adMode1 = form.addPageItem(form.advanced2, QStringLiteral("Mode"));
    form.Ad_MultiSSID = form.addPageItem(form.advanced2, QStringLiteral("Multi-SSID"));
    EXPECT_TRUE(form.advanced2->visible());
    form.Ed_FwVer->setText(QStringLiteral("v2.20.01"));
    emit form.advanced2->menu()->aboutToShow();
    EXPECT_FALSE(form.adMode1->visible());
    EXPECT_TRUE(form.Ad_MultiSSID->visible());
    form.Ed_FwVer->setText(QStringLiteral("v2.31"));
    emit form.advanced2->menu()->aboutToShow();
    EXPECT_TRUE(form.adMode1->visible());
    EXPECT_FALSE(form.Ad_MultiSSID->visible());
}

}  // namespace
