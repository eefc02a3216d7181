// The statistics page in every device state that changes what it shows: it fits and shows the
// device's counters; it writes nothing.

#include <gtest/gtest.h>

#include "pages/admin/Static.h"
#include "pages/admin/StaticLayout.h"
#include "tests/support/PageStates.h"

namespace {

using namespace states;

// Counters 5 to 18 move on: each read the device answers adds n to counter n after answering, so
// the page shows the value before its own read's step. The rates (1 to 4) stand still. A device that
// refuses one counter refuses the read: the edits keep what they had, nothing when the page opened.
void countersShown(TFM_Static& p, SimProcess& sim, const std::set<std::string>& unreadable) {
    if (sim.command("get " + E + "4.3.1.1.5.1").rfind("ok", 0) != 0) return;
    const HvSNMPVarList& items = p.reqSlotA->request.varList;
    bool refused = false;
    for (int i = 0; i < items.count(); ++i) refused = refused || unreadable.count(items.item(i).oid) > 0;
    if (refused) {
        for (int n = 1; n <= StaticRules::kCounterCount; ++n)
            EXPECT_EQ(p.edits[0][size_t(n - 1)]->text(), QString()) << "counter " << n;
        return;
    }
    for (int n = 1; n <= StaticRules::kCounterCount; ++n) {
        const std::string reply = sim.command("get " + E + "4.3.1.1." + std::to_string(n) + ".1");
        const long long held = std::stoll(reply.substr(5));
        EXPECT_EQ(p.edits[0][size_t(n - 1)]->text(), QString::number(n >= 5 ? held - n : held))
            << "counter " << n;
    }
}

std::set<QString> counterEdits() {
    std::set<QString> out;
    for (int n = 5; n <= StaticRules::kCounterCount; ++n) out.insert(StaticRules::editName(n - 1, 1));
    return out;
}

const PageSpec<TFM_Static> kSpec{
    &kStaticLayout,
    [](TFM_Static& p) {
        return std::vector<HvSNMPRequest2Edits*>{p.reqSlotA, p.reqSlotG};
    },
    {},
    [](TFM_Static& p) { return p.Bt_RfrshA; },
    counterEdits(),
    {},
    {},  // countersShown, given the row's unreadable objects
};

class StaticStates : public PageStates<TFM_Static> {};

TEST_P(StaticStates, HoldsInTheState) {
    PageSpec<TFM_Static> spec = kSpec;
    spec.shownDerived = [unreadable = GetParam().state.unreadable](TFM_Static& p, SimProcess& sim) {
        countersShown(p, sim, unreadable);
    };
    runMatrix(spec);
}

INSTANTIATE_TEST_SUITE_P(
    States, StaticStates,
    ::testing::Values(stateRow(standard().named("Standard")),
                      stateRow((standard() + apMode(Mode::Repeater)).named("Repeater")),
                      stateRow((standard() + olderFirmware()).named("OlderFirmware")),
                      stateRow((standard() + noSuchName(E + "4.3.1.1.9.1")).named("CounterUnreadable"))),
    stateRowName);

}  // namespace
