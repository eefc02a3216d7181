// The DHCP server page's rules: the dynamic pool's checks in their order with their boxes, the rows
// Add, Set and Del work on, the enabled states, and a delete that never restarts the device.

#include <gtest/gtest.h>

#include "pages/admin/DhcpRules.h"

using namespace DhcpRules;

namespace {

DynamicInput pool(const char* start = "192.168.0.100", const char* range = "20",
                  const char* lease = "86400") {
    DynamicInput in;
    in.start = start;
    in.range = range;
    in.lease = lease;
    in.mask = "255.255.255.0";
    in.gateway = "192.168.0.254";
    in.deviceAddress = "192.168.0.1";
    in.commandLineAddress = "192.168.0.1";
    return in;
}
template <class F>
DynamicInput with(F change) {
    DynamicInput in = pool();
    change(in);
    return in;
}

struct PoolCase {
    const char* name;
    DynamicInput in;
    std::optional<CheckFailure> expected;
};
void PrintTo(const PoolCase& c, std::ostream* os) {
    *os << c.name;
}
class DhcpPool : public ::testing::TestWithParam<PoolCase> {};

TEST_P(DhcpPool, FirstFailureOrNone) {
    DynamicInput in = GetParam().in;
    const auto got = checkDynamicPool(in);
    ASSERT_EQ(got.has_value(), GetParam().expected.has_value())
        << (got ? got->message.toStdString() : "passed");
    if (got) {
        EXPECT_EQ(*got, *GetParam().expected);
    }
}

const CheckFailure kRangeError{kBadRange, kError, "Ed_PoolRan", "Ed_PoolRan"};
const CheckFailure kLeaseError{kBadLease, kError, "Ed_Lease", "Ed_Lease"};

const PoolCase kPoolCases[] = {
    {"Good", pool(), std::nullopt},
    {"EmptyStart", pool(""), CheckFailure{kBadStart, kWarning, "Ed_IPAF"}},
    {"EmptyRange", pool("192.168.0.100", ""), CheckFailure{kBadRange, kWarning, "Ed_PoolRan"}},
    {"CoversDevice", with([](auto& in) { in.deviceAddress = "192.168.0.110"; }),
     CheckFailure{kCoversDevice, kWarning}},
    {"DevicePastPool", with([](auto& in) { in.deviceAddress = "192.168.0.120"; }), std::nullopt},
    {"CoversStatic", with([](auto& in) {
         in.staticAddresses = {"192.168.0.50", "192.168.0.119"};
     }),
     CheckFailure{kCoversStatic, kWarning}},
    {"StaticBelowPool", with([](auto& in) { in.staticAddresses = {"192.168.0.99"}; }), std::nullopt},
    {"RangeZero", pool("192.168.0.100", "0"), kRangeError},
    // 256 from .100 does not reach the device at .1 of the next network: the range check answers.
    {"Range256", pool("192.168.0.100", "256"), kRangeError},
    {"RangeNoNumber", pool("192.168.0.100", "abc"), kRangeError},
    {"Range255", pool("192.168.0.1", "255", "60"), CheckFailure{kCoversDevice, kWarning}},
    {"CoverageBeforeRange", with([](auto& in) {
         in.range = "300";
         in.deviceAddress = "192.168.1.100";
     }),
     CheckFailure{kCoversDevice, kWarning}},
    {"EmptyLease", pool("192.168.0.100", "20", ""), CheckFailure{kBadLease, kWarning, "Ed_Lease"}},
    {"Lease59", pool("192.168.0.100", "20", "59"), kLeaseError},
    {"Lease60", pool("192.168.0.100", "20", "60"), std::nullopt},
    {"LeaseMax", pool("192.168.0.100", "20", "31536000"), std::nullopt},
    {"LeaseAboveMax", pool("192.168.0.100", "20", "31536001"), kLeaseError},
    {"LeaseNoNumber", pool("192.168.0.100", "20", "1d"), kLeaseError},
    {"StartNoAddress", pool("192.168.0.255"), CheckFailure{kInvalidStart, kWaring, "Ed_IPAF", "Ed_IPAF"}},
    {"BadMask", with([](auto& in) { in.mask = "255.0.255.0"; }),
     CheckFailure{kInvalidMask, kWaring, "Ed_SubMask", "Ed_SubMask"}},
    {"EmptyMaskIsZero", with([](auto& in) { in.mask = ""; }),
     CheckFailure{kInvalidMask, kWaring, "Ed_SubMask", "Ed_SubMask"}},
    {"EmptyGatewayIsZero", with([](auto& in) { in.gateway = ""; }),
     CheckFailure{kInvalidGateway, kWaring, "Ed_Gateway", "Ed_Gateway"}},
    {"BadWins", with([](auto& in) { in.wins = "1.2.3"; }),
     CheckFailure{kInvalidWins, kWaring, "Ed_Wins", "Ed_Wins"}},
    {"BadDns", with([](auto& in) { in.dns = "300.1.1.1"; }),
     CheckFailure{kInvalidDns, kWaring, "Ed_DNS", "Ed_DNS"}},
    {"BlankedStartFailsAsAddress", with([](auto& in) {
         in.start = " 10.0.0.1 ";
         in.commandLineAddress = "10.0.0.1";
         in.deviceAddress = "192.168.0.1";
     }),
     CheckFailure{kInvalidStart, kWaring, "Ed_IPAF", "Ed_IPAF"}},
    {"StartEqualsCommandLine", with([](auto& in) {
         in.start = "10.0.0.1";
         in.commandLineAddress = "10.0.0.1";
         in.deviceAddress = "192.168.0.1";
     }),
     CheckFailure{kStartIsDevice, kWaring, {}, "Ed_IPAF"}},
};
INSTANTIATE_TEST_SUITE_P(Apply, DhcpPool, ::testing::ValuesIn(kPoolCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DhcpRulesTest, EmptyWinsAndDnsAreWrittenAsZero) {
    DynamicInput in = pool();
    ASSERT_FALSE(checkDynamicPool(in));
    EXPECT_EQ(in.wins, kFreeIp);
    EXPECT_EQ(in.dns, kFreeIp);
    EXPECT_EQ(in.mask, "255.255.255.0");
    // The gateway's fill is shown even though its check then refuses it.
    in = with([](auto& i) { i.gateway = ""; });
    ASSERT_TRUE(checkDynamicPool(in));
    EXPECT_EQ(in.gateway, kFreeIp);
    // A check before the fill leaves the fields as typed.
    in = pool("192.168.0.100", "0");
    ASSERT_TRUE(checkDynamicPool(in));
    EXPECT_EQ(in.wins, "");
}

TEST(DhcpRulesTest, CoverageReadsABadPartAsAllOnes) {
    EXPECT_EQ(IPTextToNumberDhcp("192.168.0.100"), 0xC0A80064u);
    EXPECT_EQ(IPTextToNumberDhcp("x.0.0.0"), 0xFF000000u);
    EXPECT_EQ(IPTextToNumberDhcp("10.0.0.x"), 0x0A000000u);
}

TEST(DhcpRulesTest, RowsForAddSetAndDel) {
    const QStringList rows{"192.168.0.50", "0.0.0.0", "192.168.0.51", "0.0.0.0"};
    EXPECT_EQ(freeRow(rows), 1);
    EXPECT_EQ(freeRow({"192.168.0.50", "192.168.0.51"}), std::nullopt);
    EXPECT_EQ(freeRow({}), std::nullopt);
    EXPECT_EQ(rowOf(rows, "192.168.0.51"), 2);
    EXPECT_EQ(rowOf(rows, "192.168.0.52"), std::nullopt);
    // Nothing happens while the static pool is being read: its rows may be stale.
    EXPECT_TRUE(actsNow(false));
    EXPECT_FALSE(actsNow(true));
}

TEST(DhcpRulesTest, DeleteNeverRestartsTheDevice) {
    const WaitPlan p = deleteWait();
    EXPECT_FALSE(p.sendReboot);
    EXPECT_EQ(p.waitTicks, 20);
    EXPECT_EQ(p.rebootDelay, 22);
    EXPECT_EQ(p.label3, "Waiting for listing data...");
    EXPECT_TRUE(p.label2.isEmpty());
}

TEST(DhcpRulesTest, WritesTheDynamicPoolOnlyWithTheServerOn) {
    EXPECT_TRUE(writesDynamicPool(kEnableIndex));
    EXPECT_FALSE(writesDynamicPool(kDisableIndex));
    EXPECT_FALSE(writesDynamicPool(-1));
}

bool enabledOf(const ControlStates& s, const QString& name) {
    bool found = false, value = false;
    for (const auto& [n, v] : s.enabled)
        if (n == name) {
            found = true;
            value = v;  // the last one given wins
        }
    EXPECT_TRUE(found) << name.toStdString();
    return value;
}
bool touches(const ControlStates& s, const QString& name) {
    for (const auto& [n, v] : s.enabled)
        if (n == name) return true;
    return false;
}

TEST(DhcpRulesTest, DynamicFieldsFollowBothSwitches) {
    const ControlStates off = enableDynamicFields(false, kEnableIndex, kEnableIndex);
    for (const QString& name : kDynamicFields) EXPECT_FALSE(enabledOf(off, name)) << name.toStdString();
    for (const char* name : {"Bt_Add", "Bt_Set", "Bt_Del", "Bt_Rfrsh", "User_ListView"})
        EXPECT_FALSE(enabledOf(off, name));
    EXPECT_EQ(off.listsWindowColour, false);
    EXPECT_FALSE(off.setsMaxLengths);

    const ControlStates on = enableDynamicFields(true, kEnableIndex, kEnableIndex);
    for (const QString& name : kDynamicFields) EXPECT_TRUE(enabledOf(on, name)) << name.toStdString();
    EXPECT_TRUE(enabledOf(on, "User_ListView"));
    // Add, Set and Del wait for their own rules.
    EXPECT_FALSE(touches(on, "Bt_Add"));
    EXPECT_FALSE(touches(on, "Bt_Set"));
    EXPECT_EQ(on.listsWindowColour, true);
    EXPECT_TRUE(on.setsMaxLengths);

    const ControlStates staticOff = enableDynamicFields(true, kEnableIndex, kDisableIndex);
    EXPECT_TRUE(enabledOf(staticOff, "Ed_IPAF"));
    EXPECT_FALSE(enabledOf(staticOff, "Bt_Del"));
    EXPECT_EQ(staticOff.listsWindowColour, false);

    const ControlStates unread = enableDynamicFields(true, -1, -1);
    EXPECT_FALSE(enabledOf(unread, "Ed_IPAF"));
    EXPECT_FALSE(touches(unread, "Bt_Rfrsh"));
    EXPECT_EQ(unread.listsWindowColour, std::nullopt);
}

TEST(DhcpRulesTest, StaticFieldsAndButtons) {
    const ControlStates on = enableStaticFields(true);
    EXPECT_TRUE(enabledOf(on, "Bt_Add"));
    EXPECT_FALSE(touches(on, "Bt_Set"));
    const ControlStates off = enableStaticFields(false);
    EXPECT_FALSE(enabledOf(off, "Bt_Set"));
    EXPECT_FALSE(enabledOf(off, "Bt_Del"));
    EXPECT_EQ(off.listsWindowColour, false);

    EXPECT_EQ(addEnabled(kEnableIndex, false), true);
    EXPECT_EQ(addEnabled(kDisableIndex, false), false);
    EXPECT_EQ(addEnabled(kEnableIndex, true), std::nullopt);
    EXPECT_EQ(setDelEnabled(kDisableIndex, kDisableIndex, true), std::nullopt);
    EXPECT_EQ(setDelEnabled(kEnableIndex, kDisableIndex, true), true);
    EXPECT_EQ(setDelEnabled(kDisableIndex, kEnableIndex, false), false);
}

}  // namespace
