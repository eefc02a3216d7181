// The end of pages whose walks are still out, against the device simulator over real UDP on
// loopback: the DHCP page deleted while it hides and waits for its walks, and the filter MAC
// window's bounded close, which holds for the whole close.

#include <gtest/gtest.h>

#include <QElapsedTimer>

#include <string>

#include "library/HvSNMPRequest.h"
#include "library/HvSNMPSession.h"
#include "pages/admin/Dhcp.h"
#include "pages/wireless/Filermac.h"
#include "platform/forms/Forms.h"
#include "tests/support/PageUnderTest.h"
#include "tests/support/WhenShown.h"

namespace {

class DhcpTeardownTest : public PageUnderTest<TFM_DHCP> {};

// Closed during slow walks the page hides and waits; the program then ends and deletes it. Its
// close timer and the static pool's completions must not outlive the walks they look at, whatever
// order the walks end in.
TEST_F(DhcpTeardownTest, DeletedWhileItWaitsForItsWalks) {
    ASSERT_TRUE(startSim()) << sim->error();
    TFM_DHCP& p = makePage();
    ASSERT_TRUE(waitFor([&] { return !p.requestsBusy(); }));
    ASSERT_TRUE(sim->ok("delay 400"));
    p.Bt_RefreshStaticPoolClick(nullptr);
    p.Bt_RefreshDynamicPoolClick(nullptr);
    p.Bt_RfrshClick(nullptr);
    ASSERT_TRUE(p.reqCurStatic->busy && p.reqCurDynamic->busy && p.reqStatic->busy);
    p.close();
    ASSERT_FALSE(p.isVisible());
    ASSERT_TRUE(p.Timer->enabled());
    const uint64_t dead = HvSNMPRequest::deadOwnerDeliveries();
    QElapsedTimer clock;
    clock.start();
    page.reset();
    // One wait for all the answers still out, not one per walk.
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_TRUE(FM_StaticIP.isNull());
    EXPECT_EQ(HvSNMPRequest::deadOwnerDeliveries(), dead);
}

class FilterMacTeardownTest : public PageUnderTest<TFM_FilterMAC> {
protected:
    void SetUp() override {
        // The window's close timer keeps real time: its bound is the one a user sees.
        const double scale = forms::Application::timeScale();
        PageUnderTest::SetUp();
        forms::Application::setTimeScale(scale);
    }
};

// Both walks stall on a silent device with a long time-out: the window waits its bound of 6 s and
// then closes, and the requests' end adds no wait of its own on top of it.
TEST_F(FilterMacTeardownTest, BoundedCloseHoldsForTheWholeClose) {
    ASSERT_TRUE(startSim()) << sim->error();
    HvSNMPSession::defaults.timeout = 1500;  // 15 s, twice
    ASSERT_TRUE(sim->ok("silence 60000"));
    TFM_FilterMAC& p = makePage(1);
    ASSERT_TRUE(p.reqTable->busy && p.reqUsers->busy);
    whenShown(&p, [&] { p.close(); });
    QElapsedTimer clock;
    clock.start();
    p.showModal();
    const qint64 closed = clock.elapsed();
    page.reset();
    EXPECT_GE(closed, 5000);
    EXPECT_LT(clock.elapsed(), 9000) << "the close waited " << clock.elapsed() << " ms";
}

}  // namespace
