// The static pool dialog, opened from the DHCP server page by Add and Set, in every device state that
// changes what it shows: a free entry, each held entry of a partly held pool, a full pool, an AP
// domain member. It fits, shows the entry the device holds, and Apply without edits changes nothing
// on the device: an entry written again as it stands (the dialog writes the server switch and the
// entry, after emptying the entry's row first) ends as it was. Its address probe is scripted.

#include <gtest/gtest.h>

#include "pages/admin/Dhcp.h"
#include "pages/admin/Staticip.h"
#include "pages/admin/StaticipLayout.h"
#include "tests/support/DialogStates.h"

namespace {

using namespace states;

const DialogSpec<TFM_DHCP, TFM_StaticIP> kSpec{
    &kStaticipLayout,
    [](TFM_DHCP& p) { return !p.requestsBusy() && !p.reqCluster->busy; },
    [](TFM_DHCP& p, int entry) {
        p.PageControl1->userSelectTab(1);
        addOrSet(*p.User_ListView, *p.Bt_Add, *p.Bt_Set, entry);
    },
    {},
    [](TFM_DHCP& p, TFM_StaticIP&, SimProcess& sim, const std::set<std::string>&) {
        const forms::ListItem* row = p.LV_StaticPoolSet->selected();
        if (!row) return std::vector<std::string>{"no entry of the pool is loaded into the dialog"};
        return rowShownMismatches(*p.reqStatic, row->caption().toStdString(), sim);
    },
    [](TFM_StaticIP& d) { return d.Apply; },
};

class StaticipDialogStates : public DialogStates<TFM_DHCP, TFM_StaticIP> {
protected:
    TFM_DHCP& makeHost() override {
        // The simulator's entries hold 127.0.0.11 on; none answers.
        for (int n = 1; n <= 8; ++n) prober.silent("127.0.0." + std::to_string(10 + n));
        return makePage();
    }
};

TEST_P(StaticipDialogStates, HoldsInTheState) {
    runDialog(kSpec);
}

const DeviceState kServerOn = holding("ServerOn", {{E + "2.7.1", "i 1"}});
const DeviceState kTwoHeld{"TwoHeld", {"static-pool 2"}, {}};

INSTANTIATE_TEST_SUITE_P(
    States, StaticipDialogStates,
    ::testing::Values(dialogRow((standard() + kServerOn + kTwoHeld).named("AddToAFreeEntry")),
                      dialogRow((standard() + kServerOn + kTwoHeld).named("SetTheFirst"), 1),
                      dialogRow((standard() + kServerOn + kTwoHeld).named("SetTheSecond"), 2),
                      dialogRow((standard() + kServerOn + staticPoolFull()).named("SetInAFullPool"), 8),
                      dialogRow((standard() + kServerOn + kTwoHeld + joined()).named("Joined"), 1)),
    dialogRowName);

}  // namespace
