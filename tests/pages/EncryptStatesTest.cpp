// The wireless security page in every device state that changes what it shows: open, WEP with each
// valid key, each PSK cipher in each AP mode, WPA-EAP and WPA2, older firmware, an unreadable
// object. It fits, shows what the device holds, and Apply without edits changes nothing.

#include <gtest/gtest.h>

#include "pages/wireless/Encrypt.h"
#include "pages/wireless/EncryptLayout.h"
#include "tests/support/PageStates.h"

namespace {

using namespace states;

const PageSpec<TFM_Encrypt> kSpec{
    &kEncryptLayout,
    [](TFM_Encrypt& p) {
        return std::vector<HvSNMPRequest2Edits*>{p.reqSecurity, p.reqWPAA, p.reqWPAG, p.reqAPMode};
    },
    [](TFM_Encrypt& p) { return p.Bt_Apply; },
    [](TFM_Encrypt& p) { return p.Bt_Ref; },
    // Keys the user has not typed show as asterisks.
    {"Ed_Key1a", "Ed_Key2a", "Ed_Key3a", "Ed_Key4a"},
};

class EncryptStates : public PageStates<TFM_Encrypt> {};

TEST_P(EncryptStates, HoldsInTheState) {
    runMatrix(kSpec);
}

const DeviceState kWpa2 = holding("Wpa2Psk", {{E + "2.5.1.1.1.1", "i 6"}, {E + "2.5.1.1.2.1", "i 1"}});

INSTANTIATE_TEST_SUITE_P(
    States, EncryptStates,
    ::testing::Values(stateRow(standard().named("Open")),
                      stateRow((standard() + wep(1)).named("WepFirstKey")),
                      stateRow((standard() + wep(3)).named("WepThirdKey")),
                      stateRow((standard() + wep(4) + apMode(Mode::Repeater)).named("WepFourthKeyRepeater")),
                      stateRow((standard() + pskCipher(Cipher::Auto)).named("PskAuto")),
                      stateRow((standard() + pskCipher(Cipher::Aes)).named("PskAes")),
                      stateRow((standard() + pskCipher(Cipher::Tkip)).named("PskTkip")),
                      stateRow((standard() + pskCipher(Cipher::Aes) + apMode(Mode::Repeater))
                                   .named("PskAesRepeater")),
                      stateRow((standard() + pskCipher(Cipher::Tkip) + apMode(Mode::Client))
                                   .named("PskTkipClient")),
                      stateRow((standard() + pskCipher(Cipher::Auto) + apMode(Mode::WdsWithAp))
                                   .named("PskAutoWds")),
                      stateRow((standard() + wpaEap()).named("WpaEap")),
                      stateRow((standard() + kWpa2).named("Wpa2Psk")),
                      stateRow((standard() + olderFirmware() + wep(2)).named("OlderFirmware")),
                      stateRow((standard() + pskCipher(Cipher::Aes) + noSuchName(E + "2.5.1.1.6.1"))
                                   .named("IntervalUnreadable"))),
    stateRowName);

}  // namespace
