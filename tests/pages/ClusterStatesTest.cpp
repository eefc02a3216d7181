// The AP domains page in every device state that changes what it shows: outside a domain, a
// member of one (its members listed), older firmware without domains, the widest values its lists
// hold. It fits, it shows what the device holds, and a survey changes no setting of the device.

#include <gtest/gtest.h>

#include "pages/admin/Cluster.h"
#include "pages/admin/ClusterLayout.h"
#include "tests/support/PageStates.h"

namespace {

using namespace states;

// A member lists its domain's members as the device holds them; a device outside a domain none.
void membersShown(TFM_Cluster& p, SimProcess& sim) {
    const bool member = heldValue(sim, E + "2.12.1.1.1.2.1") == "1";
    EXPECT_EQ(p.Bt_Escape->visible(), member);
    EXPECT_EQ(p.Bt_Join->visible(), !member);
    if (!member) {
        EXPECT_EQ(p.LV_ClusterMemBer->itemCount(), 0);
        return;
    }
    ASSERT_EQ(p.LV_ClusterMemBer->itemCount(), 3);
    for (int r = 0; r < 3; ++r) {
        const std::string n = std::to_string(r + 1);
        EXPECT_EQ(p.LV_ClusterMemBer->item(r)->subItem(0).toStdString(),
                  heldValue(sim, E + "2.12.3.2.1.1." + n));
        EXPECT_EQ(p.LV_ClusterMemBer->item(r)->subItem(1).toUpper().toStdString(),
                  heldValue(sim, E + "2.12.3.2.1.2." + n));
    }
}

const PageSpec<TFM_Cluster> kSpec{
    &kClusterLayout,
    [](TFM_Cluster& p) {
        return std::vector<HvSNMPRequest2Edits*>{p.reqCluster, p.reqSurvey, p.reqDomains, p.reqMemberSurvey,
                                                 p.reqMembers};
    },
    // The domain survey: it writes its trigger only, and lists what the other access points announce.
    [](TFM_Cluster& p) { return p.Bt_ClusterGrp; },
    [](TFM_Cluster& p) { return p.Bt_Refresh; },
    // The survey triggers are written, never read: the page selects "Survey" to send it.
    {"CB_ClusterGrpDetect", "CB_MemberDtck"},
    [](TFM_Cluster& p) { return !p.busy(); },
    membersShown,
};

class ClusterStates : public PageStates<TFM_Cluster> {};

TEST_P(ClusterStates, HoldsInTheState) {
    runMatrix(kSpec);
}

INSTANTIATE_TEST_SUITE_P(States, ClusterStates,
                         ::testing::Values(stateRow((standard() + olderFirmware()).named("OlderFirmware"))),
                         stateRowName);

// Each row lists domains or members: the domains' SSID, the members' IP and MAC columns hold them.
INSTANTIATE_TEST_SUITE_P(
    Lists, ClusterStates,
    ::testing::Values(stateRow(standard().named("OutsideADomain")),
                      stateRow((standard() + joined()).named("Joined")),
                      stateRow((standard() + joined() + apMode(Mode::WdsWithAp)).named("JoinedWds")),
                      stateRow((standard() + joined() + widestValues()).named("WidestValues"))),
    stateRowName);

}  // namespace
