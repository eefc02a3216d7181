#pragma once

// The state matrix of a dialog that a page opens (see PageStates.h for a page's): the page opened on
// the device in the row's state, the dialog opened as the user opens it, and inside its modal loop
// the checks every page passes: it fits, it shows what the device holds, and its OK without edits
// changes nothing on the device; opened again, it shows the same.
//
//   class MacAddrStates : public DialogStates<TFM_FilterMAC, TFM_MACAddr> {};
//   TEST_P(MacAddrStates, HoldsInTheState) { runDialog(kSpec); }
//   INSTANTIATE_TEST_SUITE_P(States, MacAddrStates, ::testing::ValuesIn(kRows), dialogRowName);

#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <ostream>
#include <set>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

#include "tests/support/DeviceState.h"
#include "tests/support/PageUnderTest.h"
#include "tests/support/StateChecks.h"

// One row: the state, the entry the dialog opens on, and the changes the rules make on its OK.
struct DialogRow {
    std::string name;
    DeviceState state;
    int entry = 0;  // 0: the dialog adds; n: it opens on the user's list row n
    std::vector<AllowedChange> allowed;
    bool okOffered = true;  // false: the state leaves OK disabled (the dialog could not read)
};
inline DialogRow dialogRow(const DeviceState& state, int entry = 0, std::vector<AllowedChange> allowed = {}) {
    return {state.name.empty() ? std::string("Standard") : state.name, state, entry, std::move(allowed)};
}
// The row, its state keeping the dialog's OK disabled.
inline DialogRow okWithheld(DialogRow row) {
    row.okOffered = false;
    return row;
}
inline void PrintTo(const DialogRow& row, std::ostream* os) {
    *os << row.name;
}
inline std::string dialogRowName(const ::testing::TestParamInfo<DialogRow>& info) {
    return info.param.name;
}

// The user opens the dialog of a table's entry: entry 0 with Add, entry n by choosing row n of the
// list, then Set.
inline void addOrSet(forms::ListView& list, forms::Button& add, forms::Button& set, int entry) {
    if (entry == 0) {
        add.userClick();
        return;
    }
    list.setSelected(list.item(entry - 1));
    set.userClick();
}

// What the matrix needs of a dialog and of the page that opens it.
template <class THost, class TDialog>
struct DialogSpec {
    const forms::FormLayout* layout = nullptr;
    // The page's reads and walks have come back (also after the dialog's write).
    std::function<bool(THost&)> hostSettled;
    // The user's action on the page that shows the dialog for the row's entry, modally.
    std::function<void(THost&, int entry)> open;
    // The dialog's own reads have come back; null for a dialog without any.
    std::function<bool(TDialog&)> settled;
    // Check 2: a line for each control that does not show the device's value.
    // unreadable: the objects the device refuses to read in the row's state.
    std::function<std::vector<std::string>(THost&, TDialog&, SimProcess&,
                                           const std::set<std::string>& unreadable)>
        shown;
    // The buttons a user presses to accept and to read again; null for a dialog without one.
    std::function<forms::Button*(TDialog&)> ok;
    std::function<forms::Button*(TDialog&)> refresh;
};

template <class THost, class TDialog>
class DialogStates : public PageUnderTest<THost>, public ::testing::WithParamInterface<DialogRow> {
protected:
    using Base = PageUnderTest<THost>;
    using Spec = DialogSpec<THost, TDialog>;

    // The page that opens the dialog, not shown yet; a page that takes more than the main window is
    // made by the test's own override.
    virtual THost& makeHost() {
        if constexpr (std::is_constructible_v<THost, TMainForm&>)
            return this->makePage();
        else
            throw std::logic_error("the page needs more than the main window: override makeHost");
    }

    void runDialog(const Spec& spec) {
        const DialogRow& row = this->GetParam();
        ASSERT_TRUE(Base::startSim()) << this->sim->error();
        std::string why;
        ASSERT_TRUE(applyState(*this->sim, row.state, &why)) << why;
        takeCapabilities(*this->main, *this->sim);

        THost& host = makeHost();
        host.show();
        ASSERT_TRUE(waitFor([&] { return spec.hostSettled(host); }));

        const DeviceSettings before = deviceSettings(*this->sim);
        ASSERT_TRUE(inDialog(spec, host, row.entry, [&](TDialog& d) {
            checkAsShown(spec, host, d, "after opening");
            if (spec.refresh) {
                forms::Button* refresh = spec.refresh(d);
                ASSERT_TRUE(refresh->isEnabled()) << "Refresh cannot be pressed";
                refresh->userClick();
                ASSERT_TRUE(waitSettled(spec, d));
                checkAsShown(spec, host, d, "after Refresh");
            }
            if (!spec.ok) return;
            forms::Button* ok = spec.ok(d);
            ASSERT_EQ(ok->isEnabled(), row.okOffered)
                << "OK " << (row.okOffered ? "cannot" : "can") << " be pressed";
            if (!row.okOffered) return;
            DecliningRestart user;
            ok->userClick();
            ASSERT_TRUE(waitSettled(spec, d));
        }));
        ASSERT_TRUE(waitFor([&] { return spec.hostSettled(host); }));
        const auto changed = changedSettings(before, deviceSettings(*this->sim), row.allowed);
        EXPECT_TRUE(changed.empty()) << "OK without edits changed the device:" << faultText(changed);

        // Opened again, on what the device holds now.
        ASSERT_TRUE(inDialog(spec, host, row.entry,
                             [&](TDialog& d) { checkAsShown(spec, host, d, "opened again"); }));
    }

private:
    // Opens the dialog as the user does and runs act inside its modal loop once it shows and has read
    // what it reads; then closes it, should it still show. False when it never showed.
    bool inDialog(const Spec& spec, THost& host, int entry, const std::function<void(TDialog&)>& act) {
        bool shown = false;
        QPointer<QTimer> poll = new QTimer(&host);
        QObject::connect(poll, &QTimer::timeout, [&, poll] {
            TDialog* d = shownDialog();
            if (!d) return;
            poll->stop();
            shown = true;
            // From an event of its own: the answers of a walk the dialog started do not arrive in a
            // loop nested inside a timer's handler.
            QMetaObject::invokeMethod(
                d,
                [&, alive = QPointer<TDialog>(d)] {
                    if (waitSettled(spec, *alive))
                        act(*alive);
                    else
                        ADD_FAILURE() << "the dialog's reads never came back";
                    if (alive && alive->isVisible()) alive->close();
                },
                Qt::QueuedConnection);
        });
        poll->start(2);
        spec.open(host, entry);
        delete poll.data();
        return shown;
    }

    static TDialog* shownDialog() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = dynamic_cast<TDialog*>(w); d && d->isVisible()) return d;
        return nullptr;
    }

    bool waitSettled(const Spec& spec, TDialog& d) {
        QPointer<TDialog> alive(&d);
        return waitFor([&] { return !alive || !spec.settled || spec.settled(*alive); });
    }

    void checkAsShown(const Spec& spec, THost& host, TDialog& d, const char* when) {
        const auto layout = stateLayoutFaults(d, *spec.layout);
        EXPECT_TRUE(layout.empty()) << "does not fit " << when << ":" << faultText(layout);
        const auto shown = spec.shown(host, d, *this->sim, this->GetParam().state.unreadable);
        EXPECT_TRUE(shown.empty()) << "does not show what the device holds " << when << ":"
                                   << faultText(shown);
    }
};
