#pragma once

// The state matrix of one page: a parameterised fixture whose rows are device states (DeviceState.h),
// and the run every row makes with the three checks of StateChecks.h.
//
//   class PerformaceStates : public PageStates<TFM_Performace> {};
//   TEST_P(PerformaceStates, HoldsInTheState) { runMatrix(kSpec); }
//   INSTANTIATE_TEST_SUITE_P(States, PerformaceStates, ::testing::ValuesIn(kRows), stateRowName);

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "tests/support/DeviceState.h"
#include "tests/support/PageUnderTest.h"
#include "tests/support/StateChecks.h"

// One row: the state, and the changes the page's rules make on an Apply without edits in it.
struct StateRow {
    std::string name;
    DeviceState state;
    std::vector<AllowedChange> allowed;
    bool applyOffered = true;  // false: the state leaves Apply disabled (the page could not read)
};
// A row named after its state.
inline StateRow stateRow(const DeviceState& state, std::vector<AllowedChange> allowed = {}) {
    return {state.name.empty() ? std::string("Standard") : state.name, state, std::move(allowed)};
}
// The row, its state keeping the page's Apply disabled.
inline StateRow applyWithheld(StateRow row) {
    row.applyOffered = false;
    return row;
}
// gtest prints a row by its name.
inline void PrintTo(const StateRow& row, std::ostream* os) {
    *os << row.name;
}
inline std::string stateRowName(const ::testing::TestParamInfo<StateRow>& info) {
    return info.param.name;
}

// What the matrix needs of a page.
template <class TPage>
struct PageSpec {
    const forms::FormLayout* layout = nullptr;
    std::function<std::vector<HvSNMPRequest2Edits*>(TPage&)> requests;
    // The buttons a user presses to apply and to read again; null for a page without one.
    std::function<forms::Button*(TPage&)> apply;
    std::function<forms::Button*(TPage&)> refresh;
    // Controls the page fills by a rule of its own after reading (see shownMismatches).
    std::set<QString> ownRules;
    // The page has settled beyond its requests being idle (a chain of reads, a timer).
    std::function<bool(TPage&)> settled;
    // Checks of the controls the page derives from the device's values, run with check 2.
    std::function<void(TPage&, SimProcess&)> shownDerived;
};

template <class TPage>
class PageStates : public PageUnderTest<TPage>, public ::testing::WithParamInterface<StateRow> {
protected:
    using Base = PageUnderTest<TPage>;

    // Starts the device in the row's state, opens the page on it, and checks that it fits, shows
    // what the device holds, that Apply without edits changes nothing but what the row allows, and
    // that Refresh then shows the same values again.
    void runMatrix(const PageSpec<TPage>& spec) {
        const StateRow& row = this->GetParam();
        ASSERT_TRUE(Base::startSim()) << this->sim->error();
        std::string why;
        ASSERT_TRUE(applyState(*this->sim, row.state, &why)) << why;
        takeCapabilities(*this->main, *this->sim);

        TPage& page = this->makePage();
        page.show();
        ASSERT_TRUE(waitSettled(spec, page));
        checkAsShown(spec, page, "after opening");
        const auto shownBefore = shownValues(spec.requests(page));

        if (spec.apply && !row.applyOffered) {
            EXPECT_FALSE(spec.apply(page)->isEnabled()) << "Apply can be pressed";
        } else if (spec.apply) {
            forms::Button* apply = spec.apply(page);
            ASSERT_TRUE(apply->isEnabled()) << "Apply cannot be pressed";
            const DeviceSettings before = deviceSettings(*this->sim);
            {
                DecliningRestart user;
                apply->userClick();
                ASSERT_TRUE(waitSettled(spec, page));
            }
            const auto changed = changedSettings(before, deviceSettings(*this->sim), row.allowed);
            EXPECT_TRUE(changed.empty()) << "Apply without edits changed the device:" << faultText(changed);
        }

        if (!spec.refresh) return;
        forms::Button* refresh = spec.refresh(page);
        ASSERT_TRUE(refresh->isEnabled()) << "Refresh cannot be pressed";
        refresh->userClick();
        ASSERT_TRUE(waitSettled(spec, page));
        checkAsShown(spec, page, "after Refresh");
        std::set<std::string> changedOids;
        // A scalar is shown from its ".0" form.
        for (const AllowedChange& c : row.allowed) changedOids.insert({c.oid, c.oid + ".0"});
        const auto now = shownValues(spec.requests(page));
        for (const auto& [control, was] : shownBefore) {
            if (changedOids.count(was.oid) || spec.ownRules.count(control)) continue;
            const auto it = now.find(control);
            ASSERT_NE(it, now.end()) << control.toStdString();
            EXPECT_EQ(it->second.text.toStdString(), was.text.toStdString())
                << control.toStdString() << " after Refresh";
        }
    }

    bool waitSettled(const PageSpec<TPage>& spec, TPage& page) {
        return waitFor([&] {
            for (HvSNMPRequest2Edits* r : spec.requests(page))
                if (r && r->busy) return false;
            return !spec.settled || spec.settled(page);
        });
    }

    void checkAsShown(const PageSpec<TPage>& spec, TPage& page, const char* when) {
        const auto layout = stateLayoutFaults(page, *spec.layout);
        EXPECT_TRUE(layout.empty()) << "does not fit " << when << ":" << faultText(layout);
        const auto shown = shownMismatches(spec.requests(page), *this->sim, this->GetParam().state.unreadable,
                                           spec.ownRules);
        EXPECT_TRUE(shown.empty()) << "does not show what the device holds " << when << ":"
                                   << faultText(shown);
        if (spec.shownDerived) spec.shownDerived(page, *this->sim);
    }
};
