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

const PageSpec<TFM_DHCP> kDhcpSpec{
    &kDhcpLayout,
    [](TFM_DHCP& p) {
        return std::vector<HvSNMPRequest2Edits*>{p.reqDynamic,    p.reqFunction,   p.reqStatic,
                                                 p.reqStaticList, p.reqCurDynamic, p.reqCurStatic,
                                                 p.reqCluster,    p.reqSysAddr};
    },
    [](TFM_DHCP& p) { return p.Bt_Apply; },
    [](TFM_DHCP& p) { return p.Bt_Refresh; },
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
    ::testing::Values(
        stateRow(standard().named("ServerOff")), stateRow((standard() + kServerOn).named("ServerOn")),
        stateRow((standard() + kServerOn + staticPoolFull()).named("PoolFull")),
        stateRow((standard() + kServerOn + joined()).named("Joined")),
        stateRow((standard() + kServerOn + noSuchName(E + "2.7.2.7.0")).named("DomainUnreadable"))),
    stateRowName);

}  // namespace
