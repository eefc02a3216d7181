// The Grouping page in every device state that changes what it shows: the AP modes, load balancing
// on and off, an AP domain member, older firmware, an unreadable link status. It fits, it shows what
// the device holds, and Apply without edits changes nothing.

#include <gtest/gtest.h>

#include "pages/wireless/Group.h"
#include "pages/wireless/GroupLayout.h"
#include "tests/support/PageStates.h"

namespace {

using namespace states;

// Grouping is for the access point mode only, load balancing not for an AP domain's member; the
// user limit counts only with load balancing on.
void groupingControls(TFM_Group& p, SimProcess& sim) {
    const bool accessPoint = heldValue(sim, E + "2.1.1.1.1") == "1";
    const bool member = heldValue(sim, E + "2.12.1.1.1.2.1") == "1";
    EXPECT_EQ(p.CB_LoadB->enabled(), accessPoint && !member);
    EXPECT_EQ(p.CB_LinkInt->enabled(), accessPoint);
    EXPECT_EQ(p.Ed_UsrL->isReadOnly(), heldValue(sim, E + "2.6.1.0") != "1");
}

const PageSpec<TFM_Group> kSpec{
    &kGroupLayout,
    [](TFM_Group& p) {
        return std::vector<HvSNMPRequest2Edits*>{p.reqGroup, p.reqAPMode, p.reqCluster};
    },
    [](TFM_Group& p) { return p.Bt_Apply; },
    [](TFM_Group& p) { return p.Bt_Refresh; },
    {},
    {},
    groupingControls,
};

class GroupStates : public PageStates<TFM_Group> {};

TEST_P(GroupStates, HoldsInTheState) {
    runMatrix(kSpec);
}

const DeviceState kBalancing =
    holding("LoadBalance", {{E + "2.6.1", "i 1"}, {E + "2.6.2", "i 20"}, {E + "2.6.4", "i 1"}});

INSTANTIATE_TEST_SUITE_P(
    States, GroupStates,
    ::testing::Values(
        stateRow(standard().named("AccessPoint")), stateRow((standard() + kBalancing).named("LoadBalance")),
        stateRow((standard() + kBalancing + apMode(Mode::WdsWithAp)).named("WdsWithAp")),
        stateRow((standard() + apMode(Mode::Repeater)).named("Repeater")),
        stateRow((standard() + kBalancing + apMode(Mode::Client)).named("Client")),
        stateRow((standard() + kBalancing + joined()).named("Joined")),
        stateRow((standard() + newMultiSupport(2)).named("NewMultiSupport2")),
        stateRow((standard() + olderFirmware() + kBalancing).named("OlderFirmware")),
        stateRow((standard() + kBalancing + noSuchName(E + "2.6.5.0")).named("LinkStatusUnreadable"))),
    stateRowName);

}  // namespace
