// The LAN and DHCP server pages in every device state that changes what they show: a static address
// or a DHCP client, the DHCP server on and off, a static pool at its row limit, older firmware
// without the DHCP server, an AP domain member, an unreadable object. They fit, show what the device
// holds, and Apply without edits changes nothing (an address that stays the same is not probed).

#include <gtest/gtest.h>

#include "pages/admin/Dhcp.h"
#include "pages/admin/DhcpLayout.h"
#include "pages/admin/Lan.h"
#include "pages/admin/LanLayout.h"
#include "tests/support/PageStates.h"

namespace {

using namespace states;

const PageSpec<TFM_LanCfg> kLanSpec{
    &kLanLayout,
    [](TFM_LanCfg& p) {
        return std::vector<HvSNMPRequest2Edits*>{p.reqIP, p.reqPool, p.reqStatic, p.reqCluster};
    },
    [](TFM_LanCfg& p) { return p.BT_LanCfgOk; },
};

// Each tab fits as the user switches to it: the layout check judges only the controls shown, so the
// static pool's and the mapping lists' columns are checked on their own tabs.
void everyTabFits(TFM_DHCP& p, SimProcess&) {
    const int shown = p.PageControl1->activePageIndex();
    for (int tab = 0; tab < p.PageControl1->pageCount(); ++tab) {
        ASSERT_TRUE(p.PageControl1->userSelectTab(tab));
        const auto faults = stateLayoutFaults(p, kDhcpLayout);
        EXPECT_TRUE(faults.empty()) << "tab " << tab << " does not fit:" << faultText(faults);
    }
    ASSERT_TRUE(p.PageControl1->userSelectTab(shown));
}

const PageSpec<TFM_DHCP> kDhcpSpec{
    &kDhcpLayout,
    [](TFM_DHCP& p) {
        return std::vector<HvSNMPRequest2Edits*>{p.reqDynamic,    p.reqFunction,   p.reqStatic,
                                                 p.reqStaticList, p.reqCurDynamic, p.reqCurStatic,
                                                 p.reqCluster,    p.reqSysAddr};
    },
    [](TFM_DHCP& p) { return p.Bt_Apply; },
    [](TFM_DHCP& p) { return p.Bt_Refresh; },
    {},
    {},
    everyTabFits,
};

class LanStates : public PageStates<TFM_LanCfg> {};
class DhcpStates : public PageStates<TFM_DHCP> {};

TEST_P(LanStates, HoldsInTheState) {
    runMatrix(kLanSpec);
}

TEST_P(DhcpStates, HoldsInTheState) {
    runMatrix(kDhcpSpec);
}

const DeviceState kDhcpClient = holding("DhcpClient", {{E + "1.2.1", "i 2"}});
const DeviceState kServerOn = holding("ServerOn", {{E + "2.7.1", "i 1"}});
// The widest address and MAC in the static pool and in both lease lists.
DeviceState widestLeases() {
    DeviceState s{"WidestLeases", {"static-pool 2", "leases 2 2"}, {}};
    for (const char* column : {"2.7.3.1.", "2.7.4.1.1.", "2.7.4.2.1."}) {
        const bool pool = std::string(column) == "2.7.3.1.";
        s.lines.push_back("set " + E + column + (pool ? "1.2" : "2.2") + " a 188.188.188.188");
        s.lines.push_back("set " + E + column + (pool ? "2.2" : "1.2") + " x ABCDABCDABCD");
    }
    return s;
}

INSTANTIATE_TEST_SUITE_P(
    States, LanStates,
    ::testing::Values(stateRow(standard().named("StaticAddress")),
                      stateRow((standard() + kDhcpClient).named("DhcpClient")),
                      stateRow((standard() + kServerOn + staticPoolFull()).named("PoolFull")),
                      stateRow((standard() + joined()).named("Joined")),
                      stateRow((standard() + olderFirmware()).named("OlderFirmware"))),
    stateRowName);

INSTANTIATE_TEST_SUITE_P(
    States, DhcpStates,
    ::testing::Values(stateRow(standard().named("ServerOff")),
                      stateRow((standard() + kServerOn).named("ServerOn")),
                      stateRow((standard() + kServerOn + staticPoolFull()).named("PoolFull")),
                      stateRow((standard() + kServerOn + widestLeases()).named("WidestLeases")),
                      stateRow((standard() + kServerOn + joined()).named("Joined")),
                      // The dynamic pool unread: its Apply would write what the page never read.
                      applyWithheld(stateRow(
                          (standard() + kServerOn + noSuchName(E + "2.7.2.7.0")).named("DomainUnreadable")))),
    stateRowName);

}  // namespace
