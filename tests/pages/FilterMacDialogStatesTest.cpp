// The MAC address table, opened from the access filter page, and its address dialog, opened by Add
// and Set, in every device state that changes what they show: an empty table, rows held, a row freed
// in the middle (the rows after it stay listed), a full table, the widest MACs, an unreadable column.
// They fit, show what the device holds, and the dialog's Apply without edits changes nothing.

#include <gtest/gtest.h>

#include "pages/wireless/Filer.h"
#include "pages/wireless/FilerLayout.h"
#include "pages/wireless/Filermac.h"
#include "pages/wireless/Macaddr.h"
#include "tests/support/DialogStates.h"

namespace {

using namespace states;

const std::string kColumn = E + "2.4.2.1.2.1";

// The device's held MACs, in row order.
std::vector<std::string> heldMacs(SimProcess& sim) {
    std::vector<std::string> out;
    for (int r = 1; r <= 8; ++r) {
        const std::string mac = heldValue(sim, kColumn + "." + std::to_string(r));
        if (mac != "000000000000") out.push_back(QString::fromStdString(mac).toUpper().toStdString());
    }
    return out;
}

// Both lists show the device's table: the user's every held row in order, numbered from 1 (a freed
// row leaves no gap and hides none after it), the device's whole by key.
std::vector<std::string> tableShown(TFM_FilterMAC& d, SimProcess& sim,
                                    const std::set<std::string>& unreadable) {
    std::vector<std::string> out;
    // A finished walk leaves its result line, not the line that said it was under way.
    if (d.StatusBar->simpleText() == FilerRules::kListing)
        out.push_back("the status bar still reads \"" + FilerRules::kListing.toStdString() + "\"");
    if (unreadable.count(kColumn)) return out;  // the walks fail: the lists stay empty
    std::vector<std::string> listed;
    for (int r = 0; r < d.User_ListView->itemCount(); ++r) {
        const forms::ListItem* item = d.User_ListView->item(r);
        listed.push_back(item->subItem(0).toUpper().toStdString());
        if (item->caption() != QString::number(r + 1))
            out.push_back("User_ListView row " + std::to_string(r + 1) + " is numbered " +
                          item->caption().toStdString());
    }
    if (listed != heldMacs(sim)) {
        std::string line = "User_ListView lists";
        for (const auto& m : listed) line += " " + m;
        line += "; the device holds";
        for (const auto& m : heldMacs(sim)) line += " " + m;
        out.push_back(line);
    }
    const auto whole = listMismatches(
        *d.LV_StaticPoolSet, {{1, kColumn}},
        [&](int r) { return d.LV_StaticPoolSet->item(r)->caption().toStdString(); }, sim);
    out.insert(out.end(), whole.begin(), whole.end());
    if (d.LV_StaticPoolSet->itemCount() != 8)
        out.push_back("LV_StaticPoolSet holds " + std::to_string(d.LV_StaticPoolSet->itemCount()) +
                      " of 8 rows");
    return out;
}

const DialogSpec<TFM_Filter, TFM_FilterMAC> kTableSpec{
    &kFilterMacLayout,
    [](TFM_Filter& p) { return !p.reqFilter->busy && !p.reqCluster->busy; },
    [](TFM_Filter& p, int) { p.Bt_MacTaba->userClick(); },
    [](TFM_FilterMAC& d) { return !d.requestsBusy(); },
    [](TFM_Filter&, TFM_FilterMAC& d, SimProcess& sim, const std::set<std::string>& unreadable) {
        return tableShown(d, sim, unreadable);
    },
    {},
    [](TFM_FilterMAC& d) { return d.Bt_Rfrsh; },
};

const DialogSpec<TFM_FilterMAC, TFM_MACAddr> kAddressSpec{
    &kMacAddrLayout,
    [](TFM_FilterMAC& p) { return !p.requestsBusy() && !p.writing(); },
    [](TFM_FilterMAC& p, int entry) { addOrSet(*p.User_ListView, *p.Bt_Add, *p.Bt_Set, entry); },
    {},
    [](TFM_FilterMAC& p, TFM_MACAddr&, SimProcess& sim, const std::set<std::string>&) {
        const forms::ListItem* row = p.LV_StaticPoolSet->selected();
        if (!row) return std::vector<std::string>{"no row of the table is loaded into the dialog"};
        return rowShownMismatches(*p.reqTable, row->caption().toStdString(), sim);
    },
    [](TFM_MACAddr& d) { return d.Bt_Apply; },
};

class FilterMacDialogStates : public DialogStates<TFM_Filter, TFM_FilterMAC> {};
class MacAddrDialogStates : public DialogStates<TFM_FilterMAC, TFM_MACAddr> {
protected:
    TFM_FilterMAC& makeHost() override { return makePage(1); }
};

TEST_P(FilterMacDialogStates, HoldsInTheState) {
    runDialog(kTableSpec);
}

TEST_P(MacAddrDialogStates, HoldsInTheState) {
    runDialog(kAddressSpec);
}

// The list button serves an access filter that is on.
const DeviceState kAccept = holding("Accept", {{E + "2.4.1.1.1.1", "i 1"}});

DeviceState held(const std::vector<int>& rows) {
    std::vector<std::pair<std::string, std::string>> values;
    for (int r : rows)
        values.push_back({kColumn + "." + std::to_string(r), "x 0011AABBCC0" + std::to_string(r)});
    return holding("Held", values);
}

INSTANTIATE_TEST_SUITE_P(
    States, FilterMacDialogStates,
    ::testing::Values(
        dialogRow((standard() + kAccept).named("Empty")),
        dialogRow((standard() + kAccept + held({1, 2, 3})).named("ThreeHeld")),
        dialogRow((standard() + kAccept + held({1, 2, 4})).named("FreedInTheMiddle")),
        dialogRow((standard() + kAccept + macFilterFull()).named("Full")),
        dialogRow((standard() + kAccept + widestValues()).named("WidestMacs")),
        dialogRow((standard() + kAccept + held({1, 2}) + noSuchName(kColumn)).named("Unreadable"))),
    dialogRowName);

INSTANTIATE_TEST_SUITE_P(
    States, MacAddrDialogStates,
    ::testing::Values(dialogRow(standard().named("AddToEmpty")),
                      dialogRow((standard() + held({1, 2, 3})).named("AddAfterThree")),
                      dialogRow((standard() + held({1, 2, 3})).named("SetFirst"), 1),
                      dialogRow((standard() + held({1, 2, 4})).named("SetBeforeAFreeRow"), 2),
                      dialogRow((standard() + held({1, 2, 4})).named("SetAfterAFreeRow"), 3),
                      dialogRow((standard() + macFilterFull()).named("SetInAFullTable"), 8),
                      dialogRow((standard() + widestValues()).named("SetTheWidest"), 8)),
    dialogRowName);

}  // namespace
