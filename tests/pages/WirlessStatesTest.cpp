// The wireless page in every device state that changes what it shows: each AP mode on firmware with
// and without the WDS names, the capability variants, older firmware, WEP with a valid key other than
// the first, each PSK cipher in each mode, secondary SSIDs with WPA or WEP, a multi-SSID row missing,
// an unreadable object, an AP domain member. It fits, shows what the device holds, and Apply without
// edits changes nothing.

#include <gtest/gtest.h>

#include "pages/wireless/Wirless.h"
#include "pages/wireless/WirlessLayout.h"
#include "tests/support/PageStates.h"

namespace {

using namespace states;

// The PSK cipher the device holds, in the combo the page shows it in.
void pskCipherShown(TFM_Wirless& p, SimProcess& sim) {
    if (heldValue(sim, E + "2.5.1.1.1.1") != "4" || !p.CipherforPSKBox->visible()) return;
    static const char* kCiphers[] = {"", "Auto", "AES", "TKIP"};
    EXPECT_EQ(p.CipherforPSKBox->text().toStdString(),
              kCiphers[std::stoi(heldValue(sim, E + "2.5.1.1.5.1"))]);
}

// Apply marks the multiple SSIDs over WDS as consistent, whatever the device held.
const AllowedChange kOverWds{E + "2.3.1.26.1", "i 1", "Apply writes multi-SSID over WDS as consistent"};
// Outside the access point mode the page unticks the auto channel scan, and Apply writes it so.
const AllowedChange kNoAutoScan{E + "2.3.1.14.1", "i 0", "no auto channel scan outside the AP mode"};

// Outside the access point mode the auto channel scan is unticked by the page's mode rule.
void autoScanShown(TFM_Wirless& p, SimProcess& sim) {
    pskCipherShown(p, sim);
    if (!p.CB_AuSc->visible() || heldValue(sim, E + "2.3.1.14.1").empty()) return;
    const bool accessPoint = heldValue(sim, E + "2.1.1.1.1") == "1";
    EXPECT_EQ(p.CB_AuSc->checked(), accessPoint && heldValue(sim, E + "2.3.1.14.1") == "1");
}

const PageSpec<TFM_Wirless> kSpec{
    &kWirlessLayout,
    [](TFM_Wirless& p) {
        return std::vector<HvSNMPRequest2Edits*>{p.reqBasic,
                                                 p.reqSuperMode,
                                                 p.reqApMode,
                                                 p.reqSecurity,
                                                 p.reqCipherRadius,
                                                 p.reqCipherPsk,
                                                 p.reqRefresh,
                                                 p.reqSiteSurvey,
                                                 p.reqGuest,
                                                 p.reqGuestKeyIndex,
                                                 p.reqRadioWave,
                                                 p.reqDynChannels,
                                                 p.reqStatChannels,
                                                 p.reqMultiSsidList,
                                                 p.reqMultiSsidState,
                                                 p.reqKeyType,
                                                 p.reqMultiSsidEncryption,
                                                 p.reqMultiSsidAuth,
                                                 p.reqCluster,
                                                 p.reqRootAp,
                                                 p.reqMultiOverWds,
                                                 p.reqAutoChannelScan};
    },
    [](TFM_Wirless& p) { return p.Bt_Apply; },
    [](TFM_Wirless& p) { return p.Bt_Refresh; },
    // Keys and secrets the user has not typed show masked; free peers show empty; the survey trigger
    // is written, and the secondary SSIDs' authentications are written, never read.
    {"Ed_Key1a",         "Ed_Key2a",      "Ed_Key3a",      "Ed_Key4a",      "RadiusSecretEdit",
     "SiteScanComboBox", "CB_AuSc",       "Ed_ReMAddra0",  "Ed_ReMAddra1",  "Ed_ReMAddra2",
     "Ed_ReMAddra3",     "Ed_ReMAddra4",  "Ed_ReMAddra5",  "Ed_ReMAddra6",  "Ed_ReMAddra7",
     "Ed_RoMAddra0",     "CB_MultiAuth1", "CB_MultiAuth2", "CB_MultiAuth3", "CB_MultiAuth4",
     "CB_MultiAuth5",    "CB_MultiAuth6", "CB_MultiAuth7"},
    [](TFM_Wirless& p) { return p.idle(); },
    autoScanShown,
};

const std::vector<AllowedChange> kAp = {kOverWds};
const std::vector<AllowedChange> kOther = {kOverWds, kNoAutoScan};

class WirlessStates : public PageStates<TFM_Wirless> {};

TEST_P(WirlessStates, HoldsInTheState) {
    runMatrix(kSpec);
}

INSTANTIATE_TEST_SUITE_P(
    States, WirlessStates,
    ::testing::Values(stateRow(standard().named("AccessPoint"), kAp),
                      stateRow((standard() + apMode(Mode::WdsWithAp)).named("WdsWithAp"), kOther),
                      stateRow((standard() + apMode(Mode::WdsWithAp, false)).named("PtpBridge"), kOther),
                      stateRow((standard() + newMultiSupport(0)).named("NewMultiSupport0"), kAp),
                      stateRow((standard() + newMultiSupport(2)).named("NewMultiSupport2"), kAp),
                      stateRow((standard() + mssidAndWdsSupport(0)).named("MssidAndWds0"), kAp),
                      stateRow((standard() + capabilitiesOff()).named("CapabilitiesOff"), kAp),
                      stateRow((standard() + olderFirmware()).named("OlderFirmware"), kAp),
                      stateRow((standard() + wep(3)).named("WepThirdKey"), kAp),
                      stateRow((standard() + pskCipher(Cipher::Auto)).named("PskAuto"), kAp),
                      stateRow((standard() + pskCipher(Cipher::Aes)).named("PskAes"), kAp),
                      stateRow((standard() + pskCipher(Cipher::Tkip)).named("PskTkip"), kAp),
                      stateRow((standard() + secondarySsids(Secondary::Wep)).named("SecondaryWep"), kAp),
                      stateRow((standard() + secondarySsids(Secondary::Wpa) + multiSsidRowMissing(3))
                                   .named("SecondaryRowMissing"),
                               kAp),
                      stateRow((standard() + noSuchName(E + "2.3.1.14.1")).named("AutoScanUnreadable"), kAp),
                      stateRow((standard() + joined()).named("Joined"), kAp)),
    stateRowName);

// A WDS without an AP offers AES alone and shows the first cipher offered where the device's is
// missing, so the device in that mode holds AES.
INSTANTIATE_TEST_SUITE_P(
    PskCipherShown, WirlessStates,
    ::testing::Values(
        stateRow((standard() + apMode(Mode::WdsWithoutAp) + pskCipher(Cipher::Aes)).named("WdsWithoutAp"),
                 kOther),
        stateRow(
            (standard() + apMode(Mode::WdsWithoutAp, false) + pskCipher(Cipher::Aes)).named("PtmpBridge"),
            kOther),
        stateRow((standard() + apMode(Mode::Repeater) + pskCipher(Cipher::Auto)).named("RepeaterPskAuto"),
                 kOther),
        stateRow((standard() + apMode(Mode::Repeater) + pskCipher(Cipher::Aes)).named("RepeaterPskAes"),
                 kOther),
        stateRow((standard() + apMode(Mode::Repeater)).named("Repeater"), kOther)),
    stateRowName);
// The site survey's SSID, BSSID and security columns hold their values (a survey is listed at once).
// A client offers AES and TKIP alone, so the device there holds one of them.
INSTANTIATE_TEST_SUITE_P(
    SurveyColumns, WirlessStates,
    ::testing::Values(
        stateRow((standard() + apMode(Mode::Repeater) + pskCipher(Cipher::Tkip)).named("RepeaterPskTkip"),
                 kOther),
        stateRow((standard() + apMode(Mode::Client) + pskCipher(Cipher::Aes)).named("ClientPskAes"), kOther),
        stateRow((standard() + apMode(Mode::Client) + pskCipher(Cipher::Tkip)).named("ClientPskTkip"),
                 kOther)),
    stateRowName);
// With a WPA secondary SSID the valid keys are cut to First/Fourth: the device's "Fourth" still shows.
INSTANTIATE_TEST_SUITE_P(
    ValidKeyWithWpaSecondary, WirlessStates,
    ::testing::Values(stateRow((standard() + secondarySsids(Secondary::Wpa) + wep(4)).named("SecondaryWpa"),
                               kAp)),
    stateRowName);

}  // namespace
