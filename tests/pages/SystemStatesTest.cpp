// The System page in every device state that changes what it shows: in an AP domain the factory
// reset is not offered; a restart confirmed changes no setting of the device (it sends the factory
// reset object at the value read, never True).

#include <gtest/gtest.h>

#include "pages/admin/System.h"
#include "pages/admin/SystemLayout.h"
#include "tests/support/PageStates.h"

namespace {

using namespace states;

void restoreOffered(TFM_Sytem& p, SimProcess& sim) {
    EXPECT_TRUE(p.Button1->enabled());
    EXPECT_EQ(p.Button2->enabled(), sim.command("get " + E + "2.12.1.1.1.2.1") != "ok i 1");
}

const PageSpec<TFM_Sytem> kSpec{
    &kSytemLayout,
    [](TFM_Sytem& p) {
        return std::vector<HvSNMPRequest2Edits*>{p.commandRequest, p.clusterRequest};
    },
    // The restart, confirmed: the device restarts, and keeps every setting.
    [](TFM_Sytem& p) { return p.Button1; },
    {},
    {},
    {},
    restoreOffered,
};

class SystemStates : public PageStates<TFM_Sytem> {};

TEST_P(SystemStates, HoldsInTheState) {
    runMatrix(kSpec);
}

INSTANTIATE_TEST_SUITE_P(States, SystemStates,
                         ::testing::Values(stateRow(standard().named("Standard")),
                                           stateRow((standard() + joined()).named("Joined")),
                                           stateRow((standard() + apMode(Mode::Client)).named("Client")),
                                           stateRow((standard() + olderFirmware()).named("OlderFirmware"))),
                         stateRowName);

}  // namespace
