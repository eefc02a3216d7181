// The LAN, DHCP server, AP domains and client information pages as the user sees them once they have
// read the device, over real UDP on loopback: nothing cut, no hidden list showing through, and every
// list column wide enough for the widest value of its kind (an address, a 12-digit MAC, a
// 32-character SSID). Also the result line a finished walk leaves in the DHCP page's and the MAC
// table's status bars.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "module/Main.h"
#include "pages/admin/Clientinfo.h"
#include "pages/admin/ClientinfoLayout.h"
#include "pages/admin/Cluster.h"
#include "pages/admin/ClusterLayout.h"
#include "pages/admin/Dhcp.h"
#include "pages/admin/DhcpLayout.h"
#include "pages/admin/Lan.h"
#include "pages/admin/LanLayout.h"
#include "pages/wireless/FilerLayout.h"
#include "pages/wireless/Filermac.h"
#include "platform/forms/Forms.h"
#include "platform/forms/LayoutCheck.h"
#include "tests/support/PageUnderTest.h"

namespace {

const std::string E = "1.3.6.1.4.1.47011.11.37.4.";
// The widest values of their kinds in the kit's font.
const std::string kWideIp = "188.188.188.188";
const std::string kWideMac = "ABCDABCDABCD";
const std::string kWideSsid(32, 'W');
const QString kListing = QStringLiteral("Listing data ... ");
const QString kOk = QStringLiteral("(HvSNMP++) Ok!");

::testing::AssertionResult fits(const forms::Form& page, const forms::FormLayout& table) {
    const std::vector<std::string> problems = forms::checkLayout(page, table);
    if (problems.empty()) return ::testing::AssertionSuccess();
    ::testing::AssertionResult failure = ::testing::AssertionFailure();
    failure << table.name << " does not fit:";
    for (const std::string& p : problems) failure << "\n  " << p;
    return failure;
}

class LanFit : public PageUnderTest<TFM_LanCfg> {};

// The static pool's list carries the pool for the checks; the user never sees it, not even around
// the fields.
TEST_F(LanFit, PoolListNeverShows) {
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("static-pool 3"));
    TFM_LanCfg& p = openPage();
    // The page walks the pool when an Apply checks an address; here at once.
    ASSERT_TRUE(p.reqStatic->get());
    ASSERT_TRUE(waitFor([&] { return !p.reqStatic->busy && !p.reqCluster->busy; }));
    ASSERT_EQ(p.Static_ListView->itemCount(), 8);
    EXPECT_FALSE(p.Static_ListView->isVisible());
    EXPECT_TRUE(fits(p, kLanLayout));
}

class DhcpFit : public PageUnderTest<TFM_DHCP> {
protected:
    TFM_DHCP& open() {
        TFM_DHCP& p = openPage();
        EXPECT_TRUE(waitFor([&] { return !p.requestsBusy() && !p.reqCluster->busy; }));
        return p;
    }
};

// Each tab with the device's widest values in its lists.
TEST_F(DhcpFit, EveryTabHoldsItsValues) {
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("static-pool 2"));
    ASSERT_TRUE(sim->ok("set " + E + "2.7.3.1.1.2 a " + kWideIp));
    ASSERT_TRUE(sim->ok("set " + E + "2.7.3.1.2.2 x " + kWideMac));
    ASSERT_TRUE(sim->ok("leases 1 1"));
    for (const char* lease : {"2.7.4.1.1.", "2.7.4.2.1."}) {
        ASSERT_TRUE(sim->ok("set " + E + lease + "1.1 x " + kWideMac));
        ASSERT_TRUE(sim->ok("set " + E + lease + "2.1 a " + kWideIp));
    }
    TFM_DHCP& p = open();
    ASSERT_EQ(p.User_ListView->itemCount(), 2);
    ASSERT_EQ(p.LV_DynPool->itemCount(), 1);
    ASSERT_EQ(p.LV_StaticPool->itemCount(), 1);
    for (int tab = 0; tab < 3; ++tab) {
        SCOPED_TRACE(tab);
        ASSERT_TRUE(p.PageControl1->userSelectTab(tab));
        EXPECT_TRUE(fits(p, kDhcpLayout));
    }
}

// The static pool's walk ends with its result line in both tabs' bars, over "Listing data ... ".
TEST_F(DhcpFit, FinishedWalkShowsItsResult) {
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("static-pool 2"));
    TFM_DHCP& p = open();
    EXPECT_EQ(p.StatusBar1->panel(0)->text(), kOk);
    EXPECT_EQ(p.StatusBar2->panel(0)->text(), kOk);
}

// A walk the device breaks off keeps the library's failure line, in both bars.
TEST_F(DhcpFit, BrokenWalkShowsItsFailure) {
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("error " + E + "2.7.3.1.1.1 genErr next"));
    TFM_DHCP& p = open();
    const QString line = p.StatusBar2->panel(0)->text();
    EXPECT_NE(line, kListing);
    EXPECT_NE(line, kOk);
    EXPECT_FALSE(line.isEmpty());
    EXPECT_EQ(p.StatusBar1->panel(0)->text(), line);
}

class FilterMacFit : public PageUnderTest<TFM_FilterMAC> {};

TEST_F(FilterMacFit, FinishedWalkShowsItsResult) {
    ASSERT_TRUE(startSim()) << sim->error();
    TFM_FilterMAC& p = makePage(1);
    ASSERT_TRUE(waitFor([&] { return !p.requestsBusy(); }));
    EXPECT_EQ(p.StatusBar->simpleText(), kOk);
}

class ClusterFit : public PageUnderTest<TFM_Cluster> {};

// A member device, its members listed, and a survey of the domains around it.
TEST_F(ClusterFit, ListsHoldTheirValues) {
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("hold-rows on"));
    ASSERT_TRUE(sim->ok("set " + E + "2.12.2.2.1.3.1 s " + kWideSsid));
    ASSERT_TRUE(sim->ok("set " + E + "2.12.3.2.1.1.1 a " + kWideIp));
    ASSERT_TRUE(sim->ok("set " + E + "2.12.3.2.1.2.1 x " + kWideMac));
    ASSERT_TRUE(sim->ok("set " + E + "2.12.1.1.1.2.1 i 1"));
    TFM_Cluster& p = openPage();
    ASSERT_TRUE(waitFor([&] { return !p.busy(); }));
    ASSERT_TRUE(p.Bt_ClusterGrp->userClick());
    ASSERT_TRUE(waitFor([&] { return !p.busy() && p.LV_ClusterGrp->itemCount() > 0; }));
    ASSERT_GT(p.LV_ClusterMemBer->itemCount(), 0);
    EXPECT_TRUE(fits(p, kClusterLayout));
}

class ClientinfoFit : public PageUnderTest<TClientInformation> {};

TEST_F(ClientinfoFit, ListHoldsItsValues) {
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("hold-rows on"));
    ASSERT_TRUE(sim->ok("set " + E + "4.5.2.1.2.1 x " + kWideMac));
    ASSERT_TRUE(sim->ok("set " + E + "4.5.2.1.7.1 s " + kWideSsid));
    main->Ed_ClientAddSSID->setText(QStringLiteral("1"));
    TClientInformation& p = openPage();
    ASSERT_TRUE(waitFor([&] { return !p.cycleRunning() && p.User_ListView->itemCount() > 0; }));
    EXPECT_TRUE(fits(p, kClientinfoLayout));
}

}  // namespace
