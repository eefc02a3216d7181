// The newer administration page's rules without its window: the Apply's checks in their order, the
// console switches a choice gives, and the order of the writes with what a failure undoes.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pages/admin/Admin2Rules.h"
#include "tests/NamedRows.h"

namespace {

using hvtest::PrintTo;
using namespace Admin2Rules;
using PageRules::CheckFailure;

// A form as the page opens it on a device that limits nothing.
ApplyInput opened() {
    ApplyInput in;
    in.account = {"secret", "secret", "admin", "secret", "secret"};
    in.vlanState = "Enabled";
    return in;
}

ApplyInput with(void (*change)(ApplyInput&)) {
    ApplyInput in = opened();
    change(in);
    return in;
}

const QString kInvalidIp = QStringLiteral("Invalid IP address!");
const QString kVidText = QStringLiteral("The VLAN ID is invalid. The range of VLAN ID is 1 to 4094.");

Refusal refused(const QString& message, const QString& caption, const QString& focus = {},
                const QString& emptied = {}, bool uncheckLimitVid = false) {
    return {CheckFailure{message, caption, focus, emptied, {}}, uncheckLimitVid};
}

struct ApplyCase {
    const char* name;
    ApplyInput input;
    std::optional<Refusal> expected;
};

class ApplyChecks : public ::testing::TestWithParam<ApplyCase> {};

TEST_P(ApplyChecks, FirstFailureWins) {
    EXPECT_EQ(checkApply(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ApplyChecks,
    ::testing::Values(ApplyCase{"UnchangedFormPasses", opened(), std::nullopt},
                      ApplyCase{"LimitWithoutAddress", with([](ApplyInput& in) { in.limitIp = true; }),
                                refused("You at least must input one IP address!", "Warning")},
                      ApplyCase{"LimitWithOneAddress", with([](ApplyInput& in) {
                                    in.limitIp = true;
                                    in.ip2 = "10.0.0.9";
                                }),
                                std::nullopt},
                      ApplyCase{"LimitWithBadFirstAddress", with([](ApplyInput& in) {
                                    in.limitIp = true;
                                    in.ip1 = "10.0.0.300";
                                    in.ip2 = "bad";
                                }),
                                refused(kInvalidIp, "Warning", "Ed_IP1")},
                      ApplyCase{"LimitWithBadSecondAddress", with([](ApplyInput& in) {
                                    in.limitIp = true;
                                    in.ip1 = "10.0.0.1";
                                    in.ip2 = "0.0.0.0";
                                }),
                                refused(kInvalidIp, "Warning", "Ed_IP2")},
                      ApplyCase{"AddressesUncheckedWhenNotLimited",
                                with([](ApplyInput& in) { in.ip1 = "junk"; }), std::nullopt},
                      ApplyCase{"VidEmpty", with([](ApplyInput& in) { in.limitVid = true; }),
                                refused(kVidText, "Error", {}, "Ed_Vid")},
                      ApplyCase{"VidZero", with([](ApplyInput& in) {
                                    in.limitVid = true;
                                    in.vid = "0";
                                }),
                                refused(kVidText, "Error", {}, "Ed_Vid")},
                      ApplyCase{"VidNotANumber", with([](ApplyInput& in) {
                                    in.limitVid = true;
                                    in.vid = "12a";
                                }),
                                refused(kVidText, "Error", {}, "Ed_Vid")},
                      ApplyCase{"Vid4095", with([](ApplyInput& in) {
                                    in.limitVid = true;
                                    in.vid = "4095";
                                }),
                                refused(kVidText, "Error", {}, "Ed_Vid")},
                      ApplyCase{"Vid4094", with([](ApplyInput& in) {
                                    in.limitVid = true;
                                    in.vid = "4094";
                                }),
                                std::nullopt},
                      ApplyCase{"VidWithVlanDisabled", with([](ApplyInput& in) {
                                    in.limitVid = true;
                                    in.vid = "1";
                                    in.vlanState = "Disabled";
                                }),
                                refused("Please enable Multi-SSID and VLAN first!", "Warning", {}, {}, true)},
                      ApplyCase{"VlanDisabledWithoutLimit",
                                with([](ApplyInput& in) { in.vlanState = "Disabled"; }), std::nullopt},
                      ApplyCase{"AddressesBeforeAccount", with([](ApplyInput& in) {
                                    in.limitIp = true;
                                    in.account.oldPassword = "wrong";
                                }),
                                refused("You at least must input one IP address!", "Warning")},
                      ApplyCase{"AccountBeforeTrap", with([](ApplyInput& in) {
                                    in.account.user = QString(65, 'u');
                                    in.notify = true;
                                    in.trapShown = true;
                                }),
                                refused("Please limit user name to 64 characters!", "Warning", {}, "Ed_Usr")},
                      ApplyCase{"TrapAddressChecked", with([](ApplyInput& in) {
                                    in.notify = true;
                                    in.trapShown = true;
                                }),
                                refused(kInvalidIp, "Warning", "Ed_TrapServIP")},
                      // The device's own address, which the user cannot see or mend, bars no Apply.
                      ApplyCase{"HiddenTrapAddressUnchecked", with([](ApplyInput& in) { in.notify = true; }),
                                std::nullopt},
                      ApplyCase{"TrapAddressUncheckedWithoutNotify",
                                with([](ApplyInput& in) { in.trapIp = "junk"; }), std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AdminAddresses, ZeroShownEmptyAndEmptyWrittenAsZero) {
    EXPECT_EQ(shownAddress("0.0.0.0"), u"");
    EXPECT_EQ(shownAddress("10.0.0.1"), u"10.0.0.1");
    EXPECT_EQ(writtenAddress(""), u"0.0.0.0");
    EXPECT_EQ(writtenAddress("10.0.0.1"), u"10.0.0.1");
}

struct VidCase {
    const char* name;
    bool limit;
    const char* vid;
    bool written;
};

class VidWritten : public ::testing::TestWithParam<VidCase> {};

TEST_P(VidWritten, OnlyAnIdTheDeviceTakes) {
    EXPECT_EQ(writesVid(GetParam().limit, GetParam().vid), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(Rows, VidWritten,
                         ::testing::Values(VidCase{"LimitOn", true, "12", true},
                                           VidCase{"LimitOffWithId", false, "4094", true},
                                           VidCase{"LimitOffEmptied", false, "", false},
                                           VidCase{"LimitOffZero", false, "0", false},
                                           VidCase{"LimitOffTooLarge", false, "4095", false},
                                           VidCase{"LimitOffHalfTyped", false, "1x", false}),
                         [](const auto& info) { return std::string(info.param.name); });

struct ConsoleCase {
    const char* name;
    int telnet;
    int ssh;
    Console shown;
    ConsoleItems written;
};

class ConsoleChoice : public ::testing::TestWithParam<ConsoleCase> {};

// What the device's switches show, and what choosing that again writes back.
TEST_P(ConsoleChoice, ShowsAndWrites) {
    const ConsoleCase& c = GetParam();
    EXPECT_EQ(shownConsole(c.telnet, c.ssh), c.shown);
    EXPECT_EQ(consoleItems(c.shown), c.written);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ConsoleChoice,
    ::testing::Values(ConsoleCase{"Neither", 0, 0, Console::None, {0, 0, false}},
                      ConsoleCase{"Telnet", 1, 0, Console::Telnet, {1, 0, true}},
                      ConsoleCase{"Ssh", 0, 1, Console::Ssh, {0, 1, true}},
                      // Never both at once: Telnet wins.
                      ConsoleCase{"BothReadAsTelnet", 1, 1, Console::Telnet, {1, 0, true}},
                      ConsoleCase{"NotReadIsOff", -1, -1, Console::None, {0, 0, false}},
                      ConsoleCase{"SshWithTelnetUnread", -1, 1, Console::Ssh, {0, 1, true}}),
    [](const auto& info) { return std::string(info.param.name); });

std::vector<std::string> names(const std::vector<Write>& writes) {
    std::vector<std::string> out;
    for (Write w : writes) out.emplace_back(writeName(w));
    return out;
}

struct OrderCase {
    const char* name;
    WriteState state;
    std::vector<std::string> expected;
};

class WriteOrder : public ::testing::TestWithParam<OrderCase> {};

TEST_P(WriteOrder, ConsolesLastAndListBeforeItsLimit) {
    EXPECT_EQ(names(writeOrder(GetParam().state)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, WriteOrder,
    ::testing::Values(OrderCase{"Everything",
                                {true, true, true, true},
                                {"Account", "ManagerIps", "ManagerIpState", "ManagerVlan", "Trap",
                                 "ConsoleOff", "SshOff", "Console", "Ssh"}},
                      OrderCase{
                          "NoLimitNoVlan",
                          {false, false, true, true},
                          {"Account", "ManagerIpState", "Trap", "ConsoleOff", "SshOff", "Console", "Ssh"}},
                      // A read that never came back leaves its check box unchecked; writing that would switch
                      // the device's limit or notification off.
                      OrderCase{"UnreadStateAndTrap",
                                {true, true, false, false},
                                {"Account", "ManagerVlan", "ConsoleOff", "SshOff", "Console", "Ssh"}},
                      // A console the device did not show is neither switched off nor on: the other one
                      // still comes back.
                      OrderCase{"SshUnread",
                                {false, false, true, true, true, false},
                                {"Account", "ManagerIpState", "Trap", "ConsoleOff", "Console"}},
                      OrderCase{"TelnetUnread",
                                {false, false, true, true, false, true},
                                {"Account", "ManagerIpState", "Trap", "SshOff", "Ssh"}},
                      OrderCase{"NoConsoleRead", {false, false, true, true, false, false},
                                {"Account", "ManagerIpState", "Trap"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct OfferCase {
    const char* name;
    bool consoleRead;
    bool sshRead;
    ConsoleOffer offer;
};

class ConsoleOffers : public ::testing::TestWithParam<OfferCase> {};

// Only a console whose switch was read can be chosen; "None" needs one of them.
TEST_P(ConsoleOffers, FollowTheReads) {
    EXPECT_EQ(consoleOffer(GetParam().consoleRead, GetParam().sshRead), GetParam().offer);
}

INSTANTIATE_TEST_SUITE_P(Rows, ConsoleOffers,
                         ::testing::Values(OfferCase{"BothRead", true, true, {true, true, true}},
                                           OfferCase{"SshUnread", true, false, {true, true, false}},
                                           OfferCase{"TelnetUnread", false, true, {true, false, true}},
                                           OfferCase{"NeitherRead", false, false, {false, false, false}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AdminConsoles, RestoredOnlyAfterTheyWereTouched) {
    for (Write w :
         {Write::Account, Write::ManagerIps, Write::ManagerIpState, Write::ManagerVlan, Write::Trap})
        EXPECT_FALSE(restoresConsoles(w)) << writeName(w);
    // A console write that timed out may still have reached the device.
    for (Write w : {Write::ConsoleOff, Write::SshOff, Write::Console, Write::Ssh})
        EXPECT_TRUE(restoresConsoles(w)) << writeName(w);
}

}  // namespace
