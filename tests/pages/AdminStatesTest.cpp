// Both administration pages in every device state that changes what they show: an AP domain
// member, limited management addresses and VLAN, each console, the trap server, older firmware, an
// unreadable object. They fit, show what the device holds, and Apply without edits changes nothing.

#include <gtest/gtest.h>

#include "pages/admin/Admin.h"
#include "pages/admin/Admin2.h"
#include "pages/admin/Admin2Layout.h"
#include "pages/admin/AdminLayout.h"
#include "tests/support/PageStates.h"

namespace {

using namespace states;

const std::string kAdm = E + "3.1.";
const std::string kConsole = E + "3.4.";

const PageSpec<TFM_Admin> kOldSpec{
    &kAdminLayout,
    [](TFM_Admin& p) {
        return std::vector<HvSNMPRequest2Edits*>{p.accountRequest, p.clusterRequest};
    },
    [](TFM_Admin& p) { return p.OK; },
};

// A manager address of 0.0.0.0 is no address: the page shows it empty.
void managerAddressesShown(TFM_AdminNew& p, SimProcess& sim) {
    auto shown = [](const std::string& held) {
        return held == "0.0.0.0" ? QString() : QString::fromStdString(held);
    };
    if (sim.command("get " + kAdm + "3.2.1.1.1").rfind("ok", 0) != 0) return;
    EXPECT_EQ(p.Ed_IP1->text(), shown(heldValue(sim, kAdm + "3.2.1.1.1")));
    EXPECT_EQ(p.Ed_IP2->text(), shown(heldValue(sim, kAdm + "3.2.1.1.2")));
    const bool telnet = heldValue(sim, kConsole + "1.0") == "1";
    const bool ssh = heldValue(sim, kConsole + "3.0") == "1";
    EXPECT_EQ(p.RB_Telnet->checked(), telnet);
    EXPECT_EQ(p.RB_SHH->checked(), !telnet && ssh);
    EXPECT_EQ(p.RB_None->checked(), !telnet && !ssh);
}

const PageSpec<TFM_AdminNew> kNewSpec{
    &kAdminNewLayout,
    [](TFM_AdminNew& p) {
        return std::vector<HvSNMPRequest2Edits*>{
            p.consoleRequest,     p.sshRequest,     p.managerIpRequest,      p.vlanStateRequest,
            p.managerVlanRequest, p.accountRequest, p.managerIpStateRequest, p.trapRequest};
    },
    [](TFM_AdminNew& p) { return p.OK; },
    {},
    {"Ed_IP1", "Ed_IP2"},
    {},
    managerAddressesShown,
};

class AdminStates : public PageStates<TFM_Admin> {};
class AdminNewStates : public PageStates<TFM_AdminNew> {};

TEST_P(AdminStates, HoldsInTheState) {
    runMatrix(kOldSpec);
}

TEST_P(AdminNewStates, HoldsInTheState) {
    runMatrix(kNewSpec);
}

const DeviceState kLongUser = holding("LongUserName", {{kAdm + "1", "s \"operator-of-the-lab\""}});

INSTANTIATE_TEST_SUITE_P(States, AdminStates,
                         ::testing::Values(stateRow(standard().named("Standard")),
                                           stateRow((standard() + joined()).named("Joined")),
                                           stateRow((standard() + kLongUser).named("LongUserName")),
                                           stateRow((standard() + olderFirmware()).named("OlderFirmware"))),
                         stateRowName);

const DeviceState kManagerIp =
    holding("ManagerIp", {{kAdm + "3.1", "i 1"}, {kAdm + "3.2.1.1.1", "a 127.0.0.9"}});
const DeviceState kManagerVlan =
    holding("ManagerVlan", {{E + "2.9.1.1.1", "i 1"}, {kAdm + "8.1", "i 1"}, {kAdm + "8.2", "i 100"}});
const DeviceState kSsh =
    holding("Ssh", {{kConsole + "1", "i 0"}, {kConsole + "3", "i 1"}, {kConsole + "2", "i 3"}});
const DeviceState kNoConsole = holding("NoConsole", {{kConsole + "1", "i 0"}, {kConsole + "3", "i 0"}});
const DeviceState kTrap = holding("Trap", {{kAdm + "4.1", "a 127.0.0.8"}, {kAdm + "4.2", "i 1"}});

INSTANTIATE_TEST_SUITE_P(
    States, AdminNewStates,
    ::testing::Values(stateRow(standard().named("Standard")),
                      stateRow((standard() + kManagerIp).named("ManagerIp")),
                      stateRow((standard() + kManagerIp + kManagerVlan).named("ManagerVlan")),
                      stateRow((standard() + kSsh).named("Ssh")),
                      stateRow((standard() + kNoConsole).named("NoConsole")),
                      stateRow((standard() + kTrap).named("Trap")),
                      stateRow((standard() + featureMissing(kAdm + "8")).named("WithoutManagerVlan")),
                      stateRow((standard() + kLongUser + joined()).named("Joined")),
                      stateRow((standard() + olderFirmware()).named("OlderFirmware"))),
    stateRowName);

}  // namespace
