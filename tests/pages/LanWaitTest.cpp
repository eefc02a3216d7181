// The LAN page's Apply while it waits for the static pool, against the device simulator over real
// UDP on loopback: the page takes no input then, and writes what it checked.

#include <gtest/gtest.h>

#include <QTimer>

#include <string>
#include <vector>

#include "pages/admin/Lan.h"
#include "platform/forms/Forms.h"
#include "tests/support/PageUnderTest.h"

namespace {

const std::string E = "1.3.6.1.4.1.47011.11.37.4.";
const std::string kIPAddress = E + "1.2.2.0";
const std::string kGetIPFrom = E + "1.2.1.0";

using LanWaitTest = PageUnderTest<TFM_LanCfg>;

// The walk outlasts the judging wait: until it has ended and the address is written, the page's
// fields and Apply take nothing (Cancel does), and the write carries the address that was checked.
TEST_F(LanWaitTest, FieldsAreHeldWhileThePoolIsRead) {
    prober.silent("127.0.0.52");  // nobody answers on the new address
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("static-pool 2"));
    TFM_LanCfg& p = makePage();
    ASSERT_TRUE(waitFor([&] { return !p.reqPool->busy && !p.reqCluster->busy; }));
    p.ED_IpAddr->setText(QStringLiteral("127.0.0.52"));
    bool seen = false;
    bool held = false;
    auto* poll = new QTimer(&p);
    QObject::connect(poll, &QTimer::timeout, [&, poll] {
        if (!p.reqStatic->busy || p.waiting()) return;
        poll->stop();
        seen = true;
        held = p.busy() && !p.ED_IpAddr->isEnabled() && !p.CB_IPFrom->isEnabled() &&
               !p.ED_SubMask->isEnabled() && !p.BT_LanCfgOk->isEnabled() && p.BT_LanCfgCancel->isEnabled();
        // What the user tries meanwhile reaches nothing.
        p.ED_IpAddr->userType(QStringLiteral("9"));
        p.CB_IPFrom->userSelect(1);
    });
    poll->start(5);
    ASSERT_TRUE(sim->ok("delay 300 9"));
    const size_t mark = sim->logSize();
    p.BT_LanCfgOk->userClick();
    EXPECT_TRUE(seen);
    EXPECT_TRUE(held);
    EXPECT_TRUE(hasSet(mark, kIPAddress, "127.0.0.52"));
    EXPECT_TRUE(hasSet(mark, kGetIPFrom, "1"));
    EXPECT_EQ(prober.asked, std::vector<std::string>{"127.0.0.52"});
    EXPECT_FALSE(p.busy());
    EXPECT_TRUE(p.ED_IpAddr->isEnabled());
}

}  // namespace
