// The security servers dialog, opened from the wireless security page, in every device state that
// changes what it shows: no servers, servers set, no DNS server, a masked secret, the longest names,
// an unreadable server. It fits, shows what the device holds, and Apply without edits changes nothing.

#include <gtest/gtest.h>

#include "pages/wireless/Encrypt.h"
#include "pages/wireless/Sss.h"
#include "pages/wireless/SssLayout.h"
#include "tests/support/DialogStates.h"

namespace {

using namespace states;

bool encryptSettled(TFM_Encrypt& p) {
    for (HvSNMPRequest2Edits* r : {p.reqSecurity, p.reqWPAA, p.reqWPAG, p.reqAPMode})
        if (r && r->busy) return false;
    return true;
}

const DialogSpec<TFM_Encrypt, TFM_SSS> kSpec{
    &kSssLayout,
    encryptSettled,
    [](TFM_Encrypt& p, int) { p.Bt_Adv->userClick(); },
    [](TFM_SSS& d) { return !d.reqServers || !d.reqServers->busy; },
    [](TFM_Encrypt&, TFM_SSS& d, SimProcess& sim, const std::set<std::string>& unreadable) {
        return shownMismatches({d.reqServers}, sim, unreadable);
    },
    [](TFM_SSS& d) { return d.Bt_Apply; },
};

class SssDialogStates : public DialogStates<TFM_Encrypt, TFM_SSS> {};

TEST_P(SssDialogStates, HoldsInTheState) {
    runDialog(kSpec);
}

const std::string kServers = E + "2.5.2.";

DeviceState servers(const std::string& name, const std::string& dnsIp, const std::string& secret) {
    return holding(name, {{kServers + "1", "a " + dnsIp},
                          {kServers + "2", "s \"lab.example\""},
                          {kServers + "3", "s \"127.0.0.2\""},
                          {kServers + "4", "i 1645"},
                          {kServers + "5", "s \"" + secret + "\""}});
}

// One server object the device refuses to read; the dialog reads them in one request.
DeviceState unreadable(const std::string& oid) {
    return {"Unreadable", {"error " + oid + " noSuchName get"}, {oid}};
}

const DeviceState kLongestNames =
    holding("LongestNames", {{kServers + "1", "a 223.255.255.254"},
                             {kServers + "2", "s \"" + std::string(32, 'W') + "\""},
                             {kServers + "3", "s \"223.255.255.253\""},
                             {kServers + "4", "i 65535"},
                             {kServers + "5", "s \"" + std::string(32, 'W') + "\""}});

INSTANTIATE_TEST_SUITE_P(
    States, SssDialogStates,
    ::testing::Values(
        dialogRow(standard().named("NoServers")),
        dialogRow((standard() + servers("ServersSet", "127.0.0.53", "shh")).named("ServersSet")),
        dialogRow((standard() + servers("NoDns", "0.0.0.0", "shh")).named("NoDnsServer")),
        dialogRow((standard() + servers("Masked", "127.0.0.53", "********")).named("MaskedSecret")),
        dialogRow((standard() + wpaEap() + kLongestNames).named("LongestNames")),
        okWithheld(dialogRow((standard() + servers("ServersSet", "127.0.0.53", "shh") +
                              unreadable(kServers + "3.0"))
                                 .named("ServerUnreadable"))),
        okWithheld(dialogRow((standard() + servers("ServersSet", "127.0.0.53", "shh") +
                              unreadable(kServers + "2.0"))
                                 .named("DnsNameUnreadable")))),
    dialogRowName);

}  // namespace
