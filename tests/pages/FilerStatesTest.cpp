// The access filter page in every device state that changes what it shows: each access control,
// partition switches on and off, an AP domain member, older firmware, a table at its row limit, an
// unreadable switch. It fits, it shows what the device holds, and Apply without edits changes nothing.

#include <gtest/gtest.h>

#include "pages/wireless/Filer.h"
#include "pages/wireless/FilerLayout.h"
#include "pages/wireless/FilerRules.h"
#include "tests/support/PageStates.h"

namespace {

using namespace states;

const std::string kAccess = E + "2.4.1.1.1.1";

// The access control list's button serves a filter that is not off: it follows the access control
// the combo shows, and so what the device holds wherever the page could read it. A band whose state
// could not be read keeps its button; its table reads on its own.
void listButton(TFM_Filter& p, SimProcess& sim) {
    EXPECT_EQ(p.Bt_MacTaba->enabled(), FilerRules::macTableButtonEnabled(p.CB_ACa->itemIndex()));
    if (p.CB_ACa->itemIndex() >= 0)
        EXPECT_EQ(p.Bt_MacTaba->enabled(), sim.command("get " + kAccess) != "ok i 3");
}

const PageSpec<TFM_Filter> kSpec{
    &kFilterLayout,
    [](TFM_Filter& p) {
        return std::vector<HvSNMPRequest2Edits*>{p.reqFilter, p.reqCluster};
    },
    [](TFM_Filter& p) { return p.Bt_Apply; },
    [](TFM_Filter& p) { return p.Bt_Refresh; },
    {},
    {},
    listButton,
};

class FilerStates : public PageStates<TFM_Filter> {};

TEST_P(FilerStates, HoldsInTheState) {
    runMatrix(kSpec);
}

const DeviceState kPartition = holding(
    "Partition", {{E + "2.4.3.1.1.1", "i 0"}, {E + "2.4.3.1.2.1", "i 0"}, {E + "2.4.3.1.3.1", "i 0"}});

INSTANTIATE_TEST_SUITE_P(
    States, FilerStates,
    ::testing::Values(
        stateRow(standard().named("FilterOff")),
        stateRow((standard() + holding("Accept", {{kAccess, "i 1"}})).named("Accept")),
        stateRow((standard() + holding("Reject", {{kAccess, "i 2"}}) + kPartition).named("Reject")),
        stateRow((standard() + holding("Accept", {{kAccess, "i 1"}}) + macFilterFull()).named("TableFull")),
        stateRow((standard() + apMode(Mode::Client)).named("Client")),
        stateRow((standard() + holding("Accept", {{kAccess, "i 1"}}) + joined()).named("Joined")),
        stateRow((standard() + olderFirmware() + kPartition).named("OlderFirmware")),
        stateRow((standard() + noSuchName(E + "2.4.3.1.2.1")).named("SwitchUnreadable"))),
    stateRowName);

}  // namespace
