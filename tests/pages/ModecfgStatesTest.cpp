// The AP mode page in every device state that changes what it shows: each AP mode the device can be
// in, bridge peers and a root AP held, older firmware, an unreadable peer. It fits, it shows what the
// device holds, and Apply without edits changes nothing.

#include <gtest/gtest.h>

#include "pages/wireless/Modecfg.h"
#include "pages/wireless/ModecfgLayout.h"
#include "tests/support/PageStates.h"

namespace {

using namespace states;

const std::string kPeer = E + "2.2.1.2.1.";  // adPtPRemoteAPMACAddress.1.n
const std::string kRoot = E + "2.1.1.3.1";

// A device that refuses one object of the slot's read refuses the read: the page shows nothing it
// did not read, no peer, no root AP and no mode (so that Apply has none to write).
void nothingShown(TFM_ModeCFG& p) {
    for (int n = 0; n < 8; ++n) EXPECT_EQ(p.Ed_ReMAddra[size_t(n)]->text(), QString()) << "Ed_ReMAddra" << n;
    EXPECT_EQ(p.Ed_RoMAddra0->text(), QString());
    EXPECT_EQ(p.CB_11a_APM->itemIndex(), -1);
}

// The MAC edits show the device's peers, a free one ("000000000000") empty; the root AP only in the
// repeater mode, which alone uses it (the SSID is read along, hidden, and kept only there too).
void macsShown(TFM_ModeCFG& p, SimProcess& sim, const std::set<std::string>& unreadable) {
    const HvSNMPVarList& items = p.reqModeA->request.varList;
    for (int i = 0; i < items.count(); ++i)
        if (unreadable.count(items.item(i).oid)) return nothingShown(p);
    auto shownMac = [](const std::string& held) {
        return held == "000000000000" ? QString() : QString::fromStdString(held);
    };
    for (int n = 0; n < 8; ++n)
        EXPECT_EQ(p.Ed_ReMAddra[size_t(n)]->text().toUpper(),
                  shownMac(heldValue(sim, kPeer + std::to_string(n + 1))))
            << "Ed_ReMAddra" << n;
    const int mode = std::stoi(heldValue(sim, E + "2.1.1.1.1"));
    const bool noRoot = mode == 1 || mode == 2 || mode == 3;
    EXPECT_EQ(p.Ed_RoMAddra0->text().toUpper(), noRoot ? QString() : shownMac(heldValue(sim, kRoot)));
    EXPECT_EQ(p.CB_11a_APM->itemIndex(), mode <= 4 ? mode - 1 : -1);
    // Peers the mode does not use are shown, never editable.
    for (int n = 0; n < 8; ++n) {
        const bool editable = mode == 3 || (mode == 2 && n == 0);
        if (mode <= 4) {
            EXPECT_EQ(!p.Ed_ReMAddra[size_t(n)]->isReadOnly(), editable) << "Ed_ReMAddra" << n;
        }
    }
}

const PageSpec<TFM_ModeCFG> kSpec{
    &kModecfgLayout,
    [](TFM_ModeCFG& p) {
        return std::vector<HvSNMPRequest2Edits*>{p.reqModeA, p.reqModeG};
    },
    [](TFM_ModeCFG& p) { return p.Bt_Apply; },
    [](TFM_ModeCFG& p) { return p.Bt_Refresh; },
    {"Ed_ReMAddra0", "Ed_ReMAddra1", "Ed_ReMAddra2", "Ed_ReMAddra3", "Ed_ReMAddra4", "Ed_ReMAddra5",
     "Ed_ReMAddra6", "Ed_ReMAddra7", "Ed_RoMAddra0", "Ed_SSID"},
    {},
    {},  // macsShown, given the row's unreadable objects
};

class ModecfgStates : public PageStates<TFM_ModeCFG> {};

TEST_P(ModecfgStates, HoldsInTheState) {
    PageSpec<TFM_ModeCFG> spec = kSpec;
    spec.shownDerived = [unreadable = GetParam().state.unreadable](TFM_ModeCFG& p, SimProcess& sim) {
        macsShown(p, sim, unreadable);
    };
    runMatrix(spec);
}

// Peers and a root AP as a device keeps them: the first n peers used, the rest free.
DeviceState peers(int n) {
    std::vector<std::pair<std::string, std::string>> v;
    for (int i = 1; i <= n; ++i)
        v.push_back({kPeer + std::to_string(i), "x 00A0C90000" + std::to_string(10 + i)});
    return holding("Peers" + std::to_string(n), v);
}
const DeviceState kRootAp =
    holding("RootAp", {{kRoot, "x 00A0C9FFEE01"}, {E + "1.1.1.1.1", "s \"root-ap\""}});

INSTANTIATE_TEST_SUITE_P(
    States, ModecfgStates,
    ::testing::Values(
        stateRow(standard().named("AccessPoint")),
        stateRow((standard() + peers(3) + kRootAp).named("AccessPointHoldingPeers")),
        stateRow((standard() + apMode(Mode::WdsWithAp, false) + peers(1)).named("PtpBridge")),
        stateRow((standard() + apMode(Mode::WdsWithAp, false)).named("PtpBridgeWithoutPeer")),
        stateRow((standard() + apMode(Mode::WdsWithoutAp, false) + peers(3)).named("PtmpBridge")),
        stateRow((standard() + apMode(Mode::WdsWithoutAp, false) + peers(8)).named("PtmpBridgeAllPeers")),
        stateRow((standard() + apMode(Mode::WdsWithAp) + peers(2)).named("WdsWithAp")),
        stateRow((standard() + apMode(Mode::WdsWithoutAp) + peers(2)).named("WdsWithoutAp")),
        stateRow((standard() + apMode(Mode::Repeater) + kRootAp).named("Repeater")),
        stateRow((standard() + apMode(Mode::Repeater)).named("RepeaterWithoutRootAp")),
        stateRow((standard() + apMode(Mode::Client) + kRootAp).named("Client")),
        stateRow((standard() + olderFirmware() + apMode(Mode::WdsWithoutAp, false) + peers(2))
                     .named("OlderFirmware")),
        stateRow((standard() + apMode(Mode::WdsWithoutAp, false) + peers(2) + noSuchName(kPeer + "6"))
                     .named("PeerUnreadable"))),
    stateRowName);

}  // namespace
