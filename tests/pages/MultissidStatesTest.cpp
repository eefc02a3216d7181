// Both multi-SSID pages in every device state that changes what they show: the guests' or rows'
// security (WPA or WEP), a valid key other than the first, a row missing, the AP modes, VLANs on,
// older firmware, an unreadable object. They fit, show what the device holds, and Apply without
// edits changes nothing.

#include <gtest/gtest.h>

#include "pages/wireless/Multissid.h"
#include "pages/wireless/Multissid2.h"
#include "pages/wireless/Multissid2Layout.h"
#include "pages/wireless/MultissidLayout.h"
#include "tests/support/PageStates.h"

namespace {

using namespace states;

const PageSpec<TFM_MultiSSIDForm> kOldSpec{
    &kMultiSSIDLayout,
    [](TFM_MultiSSIDForm& p) {
        std::vector<HvSNMPRequest2Edits*> out{p.reqVlan, p.reqMaster, p.reqAPMode};
        for (auto* g : p.reqGuest) out.push_back(g);
        return out;
    },
    [](TFM_MultiSSIDForm& p) { return p.Bt_Apply; },
    [](TFM_MultiSSIDForm& p) { return p.Bt_Refresh; },
};

const PageSpec<TFM_MultiSSIDNewForm> kNewSpec{
    &kMultissid2Layout,
    [](TFM_MultiSSIDNewForm& p) {
        return std::vector<HvSNMPRequest2Edits*>{p.reqApMode, p.reqMultiState, p.reqVlanState, p.reqGroupKey,
                                                 p.reqRadius, p.tableRequest,  p.reqCluster};
    },
    [](TFM_MultiSSIDNewForm& p) { return p.ApplyBtn; },
    {},
    {},
    [](TFM_MultiSSIDNewForm& p) { return p.pageIdle; },
};

class MultissidStates : public PageStates<TFM_MultiSSIDForm> {};
class Multissid2States : public PageStates<TFM_MultiSSIDNewForm> {};

TEST_P(MultissidStates, HoldsInTheState) {
    runMatrix(kOldSpec);
}

TEST_P(Multissid2States, HoldsInTheState) {
    runMatrix(kNewSpec);
}

const DeviceState kVlans = holding("Vlans", {{E + "2.9.1.1.1", "i 1"}});

INSTANTIATE_TEST_SUITE_P(
    States, MultissidStates,
    ::testing::Values(
        stateRow((standard() + newMultiSupport(0)).named("Guests")),
        stateRow((standard() + newMultiSupport(0) + secondarySsids(Secondary::Wep)).named("GuestsWep")),
        stateRow((standard() + newMultiSupport(0) + secondarySsids(Secondary::Wpa)).named("GuestsWpa")),
        stateRow((standard() + newMultiSupport(0) + wep(2)).named("PrimaryWepSecondKey")),
        stateRow((standard() + newMultiSupport(0) + kVlans).named("Vlans")),
        stateRow((standard() + newMultiSupport(0) + apMode(Mode::WdsWithAp)).named("WdsWithAp")),
        stateRow((standard() + newMultiSupport(0) + multiSsidRowMissing(3)).named("RowMissing")),
        stateRow((standard() + newMultiSupport(0) + olderFirmware()).named("OlderFirmware"))),
    stateRowName);

INSTANTIATE_TEST_SUITE_P(
    States, Multissid2States,
    ::testing::Values(
        stateRow(standard().named("Rows")),
        stateRow((standard() + secondarySsids(Secondary::Wep)).named("RowsWep")),
        stateRow((standard() + secondarySsids(Secondary::Wpa)).named("RowsWpa")),
        stateRow((standard() + secondarySsids(Secondary::Wpa) + kVlans).named("RowsWpaVlans")),
        stateRow((standard() + wep(3)).named("PrimaryWepThirdKey")),
        stateRow((standard() + secondarySsids(Secondary::Wep) + multiSsidRowMissing(3)).named("RowMissing")),
        stateRow((standard() + mssidAndWdsSupport(1) + apMode(Mode::WdsWithAp)).named("WdsWithAp")),
        stateRow((standard() + joined()).named("Joined")),
        stateRow((standard() + noSuchName(E + "2.9.2.1.3.1.4")).named("RowSsidUnreadable"))),
    stateRowName);

}  // namespace
