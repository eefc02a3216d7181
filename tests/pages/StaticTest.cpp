// The statistics page against the device simulator over real UDP on loopback: the counters it shows
// when it opens, how it follows them on Refresh, and the slot it never asks.

#include <gtest/gtest.h>

#include <string>

#include "library/HvSNMPSession.h"
#include "module/Main.h"
#include "pages/admin/Static.h"
#include "platform/forms/Forms.h"
#include "tests/support/PageUnderTest.h"
#include "tests/support/PageRow.h"

namespace {

using StaticRules::kCounterCount;

const std::string kCounters = "1.3.6.1.4.1.47011.11.37.4.4.3.1.1.";  // counter n of slot s: "n.s"

std::string counterOid(int n, int slot) {
    return kCounters + std::to_string(n) + "." + std::to_string(slot);
}

class StaticTest : public PageUnderTest<TFM_Static> {
protected:
    bool idle() const { return !page->reqSlotA || !page->reqSlotA->busy; }
    TFM_Static& open() {
        makePage();
        waitFor([&] { return idle(); });
        return *page;
    }
    // What the device holds for counter n of slot 1 now (its next read answers this).
    qlonglong held(int n) {
        const std::string answer = sim->command("get " + counterOid(n, 1));
        return QString::fromStdString(answer.substr(answer.rfind(' ') + 1)).toLongLong();
    }
};

// Every counter shows what the device sent; the counters move on each read and Refresh follows them.
TEST_F(StaticTest, OpensWithTheCountersAndFollowsThemOnRefresh) {
    ASSERT_TRUE(startSim()) << sim->error();
    std::vector<qlonglong> before;
    for (int n = 1; n <= kCounterCount; ++n) before.push_back(held(n));
    TFM_Static& p = open();
    for (int n = 1; n <= kCounterCount; ++n)
        EXPECT_EQ(p.edits[0][size_t(n - 1)]->text(), QString::number(before[size_t(n - 1)])) << n;
    EXPECT_EQ(p.edits[0][0]->text(), u"101");  // a rate, as the device reports it
    std::vector<qlonglong> now;
    for (int n = 1; n <= kCounterCount; ++n) now.push_back(held(n));
    EXPECT_NE(now[4], before[4]);  // the device's counters have moved since
    p.Bt_RfrshA->userClick();
    ASSERT_TRUE(waitFor([&] { return idle(); }));
    for (int n = 1; n <= kCounterCount; ++n)
        EXPECT_EQ(p.edits[0][size_t(n - 1)]->text(), QString::number(now[size_t(n - 1)])) << n;
}

// Only the first tab shows: slot 2 gets no request and is never asked.
TEST_F(StaticTest, HiddenSlotIsNeverAsked) {
    ASSERT_TRUE(startSim()) << sim->error();
    TFM_Static& p = open();
    EXPECT_EQ(p.reqSlotG, nullptr);
    EXPECT_FALSE(p.TabSheetG->tabVisible());
    p.Bt_RfrshGClick(nullptr);
    for (const auto& l : sim->requests())
        EXPECT_FALSE(l.asked.rfind(kCounters, 0) == 0 && l.asked.back() == '2') << l.asked;
    EXPECT_TRUE(p.edits[1][0]->text().isEmpty());
}

// A counter past 2^31 arrives as a negative integer; it shows as the unsigned count it is.
TEST_F(StaticTest, WrappedCounterShowsUnsigned) {
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("set " + counterOid(7, 1) + " i -2"));
    TFM_Static& p = open();
    EXPECT_EQ(p.edits[0][6]->text(), u"4294967294");
}

// A device that does not answer: the page still opens, and a later Refresh reads it.
TEST_F(StaticTest, SilentDeviceStillOpens) {
    ASSERT_TRUE(startSim()) << sim->error();
    HvSNMPSession::defaults.timeout = 10;
    ASSERT_TRUE(sim->ok("silence 60000"));
    TFM_Static& p = open();
    EXPECT_TRUE(p.edits[0][0]->text().isEmpty());
    ASSERT_TRUE(sim->ok("silence 0"));
    p.Bt_RfrshA->userClick();
    ASSERT_TRUE(waitFor([&] { return idle(); }));
    EXPECT_EQ(p.edits[0][0]->text(), u"101");
}

// The Status menu's item, as the page registry makes it, opens the page modally and deletes it afterwards.
TEST_F(StaticTest, MenuOpensThePage) {
    ASSERT_TRUE(startSim()) << sim->error();
    EXPECT_STREQ(pageRow("stStats1").caption, "Stats");
    const QString shown =
        openFromMenu(pageRow("stStats1"), [&](forms::Form& f) { EXPECT_EQ(FM_Static.data(), &f); });
    EXPECT_EQ(shown, u"Status \\ Stats");
    EXPECT_TRUE(FM_Static.isNull());
}

}  // namespace
