// The LAN page's rules: Apply's checks in their order with their boxes, the static pool checked only
// once it has been read to its end, the restart decision and the waiting dialogs.

#include <gtest/gtest.h>

#include "pages/admin/LanRules.h"

using namespace LanRules;

namespace {

struct FieldCase {
    const char* name;
    StaticInput in;
    std::optional<Refusal> expected;
};
void PrintTo(const FieldCase& c, std::ostream* os) {
    *os << c.name;
}
class LanFields : public ::testing::TestWithParam<FieldCase> {};

TEST_P(LanFields, FirstFailureOrNone) {
    const auto& c = GetParam();
    const auto got = checkFields(c.in);
    ASSERT_EQ(got.has_value(), c.expected.has_value()) << (got ? got->failure.message.toStdString() : "passed");
    if (got) {
        EXPECT_EQ(*got, *c.expected);
    }
}

StaticInput in(const char* address, const char* mask = "255.255.255.0", const char* gateway = "192.168.0.254",
               const char* start = "192.168.0.100", const char* range = "20") {
    return {address, mask, gateway, start, range};
}
// A bad field is emptied, not focused; a clash reads the device's values again.
Refusal emptiedField(const QString& message, const char* edit) {
    return {{.message = message, .caption = kWarning, .emptied = edit}};
}
const Refusal kPool{{.message = kInDynamicPool, .caption = kWarning}, true};

const FieldCase kFieldCases[] = {
    {"BeforePool", in("192.168.0.99"), std::nullopt},
    {"PoolStart", in("192.168.0.100"), kPool},
    {"PoolLast", in("192.168.0.119"), kPool},
    {"PastPool", in("192.168.0.120"), std::nullopt},
    {"BadAddress", in("192.168.0.255"), emptiedField(kBadAddress, "ED_IpAddr")},
    {"DesignAddress", in("   .   .   .   "), emptiedField(kBadAddress, "ED_IpAddr")},
    {"BadMask", in("192.168.0.10", "255.0.255.0"), emptiedField(kBadMask, "ED_SubMask")},
    {"BadGateway", in("192.168.0.10", "255.255.255.0", ""), emptiedField(kBadGateway, "ED_DefGw")},
    // The address is checked before the mask, the mask before the gateway.
    {"AddressFirst", in("", "", ""), emptiedField(kBadAddress, "ED_IpAddr")},
    {"MaskBeforeGateway", in("192.168.0.10", "", ""), emptiedField(kBadMask, "ED_SubMask")},
    {"PoolAfterGateway", in("192.168.0.100", "255.255.255.0", "x"),
     emptiedField(kBadGateway, "ED_DefGw")},
    // An unread pool keeps its design texts, which hold no address.
    {"UnreadPool", in("192.168.0.100", "255.255.255.0", "192.168.0.254", "", ""), std::nullopt},
    // A pool that reaches past the last address still holds the ones below it.
    {"PoolPastTheTop",
     in("223.255.255.250", "255.255.255.0", "223.255.255.1", "223.255.255.240", "2147483647"), kPool},
};
INSTANTIATE_TEST_SUITE_P(Apply, LanFields, ::testing::ValuesIn(kFieldCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LanRulesTest, ProbeAndPoolOnlyForANewAddress) {
    EXPECT_FALSE(addressChanged("192.168.0.10", "192.168.0.10"));
    EXPECT_TRUE(addressChanged("192.168.0.11", "192.168.0.10"));
    // A failed first read leaves the saved address empty: every address is probed.
    EXPECT_TRUE(addressChanged("192.168.0.10", ""));
    EXPECT_EQ(probeRefusal(), (Refusal{{.message = kAnswers, .caption = kWarning, .focus = "ED_IpAddr"}, true}));
}

TEST(LanRulesTest, StaticPoolCheckedOnlyWhenReadToItsEnd) {
    const QStringList pool{"0.0.0.0", "192.168.0.50", "0.0.0.0"};
    EXPECT_EQ(checkStaticPool("192.168.0.50", pool, true),
              (Refusal{{.message = kInStaticPool, .caption = kWarning}, true}));
    EXPECT_EQ(checkStaticPool("192.168.0.51", pool, true), std::nullopt);
    // An empty pool read to its end holds nothing.
    EXPECT_EQ(checkStaticPool("192.168.0.51", {}, true), std::nullopt);
    // A read that failed or timed out checked nothing: the address is not taken as free.
    const auto unread = checkStaticPool("192.168.0.51", {"0.0.0.0"}, false);
    ASSERT_TRUE(unread);
    EXPECT_EQ(unread->failure.message, kStaticPoolUnread);
    EXPECT_TRUE(unread->reread);
}

TEST(LanRulesTest, FieldsByAddressSource) {
    EXPECT_TRUE(staticFieldsVisible(kStaticIndex));
    EXPECT_FALSE(staticFieldsVisible(kDynamicIndex));
    EXPECT_TRUE(staticFieldsVisible(-1));
    EXPECT_EQ(applyBranch(kStaticIndex), ApplyBranch::Static);
    EXPECT_EQ(applyBranch(kDynamicIndex), ApplyBranch::Dynamic);
    EXPECT_EQ(applyBranch(-1), ApplyBranch::DomainOnly);
}

TEST(LanRulesTest, DomainLocksTheAddressOnlyWhenRead) {
    EXPECT_EQ(domainLockedEnabled(true, kJoinIndex), false);
    EXPECT_EQ(domainLockedEnabled(true, 1), true);
    EXPECT_EQ(domainLockedEnabled(true, -1), true);
    EXPECT_EQ(domainLockedEnabled(false, kJoinIndex), std::nullopt);
}

TEST(LanRulesTest, WritesAndRestart) {
    EXPECT_EQ(writtenItems(kStaticIndex), (std::vector<bool>{true, true, true, true, true}));
    EXPECT_EQ(writtenItems(kDynamicIndex), (std::vector<bool>{true, false, false, false, true}));
    // A device that used DHCP restarts to take its new static address; one that had a static address
    // is told "nothing", whatever the object read back.
    EXPECT_EQ(restartIndex(kDynamicIndex), kRebootIndex);
    EXPECT_EQ(restartIndex(kStaticIndex), kNothingIndex);
}

struct WaitCase {
    const char* name;
    WaitPlan got;
    WaitPlan expected;
};
void PrintTo(const WaitCase& c, std::ostream* os) {
    *os << c.name;
}
class LanWait : public ::testing::TestWithParam<WaitCase> {};
TEST_P(LanWait, Dialog) {
    EXPECT_EQ(GetParam().got, GetParam().expected);
}

const QString kAddr = QStringLiteral("192.168.0.120");
const QString kWillBe = QStringLiteral("The system IP will be 192.168.0.120");
const WaitCase kWaitCases[] = {
    // The judge wait restarts nothing.
    {"Judge", judgeWait(), {"Please wait...", "Judge the IP whether can be used.", 12, 2, false}},
    {"FromDhcpRestarts",
     staticWait(kDynamicIndex, kAddr),
     {"The device is restarting.", kWillBe, 30, 2, true}},
    {"FromStatic", staticWait(kStaticIndex, kAddr), {"", kWillBe, 30, 2, true}},
    {"ToDhcp", dhcpWait(), {"", "", 30, 2, true}},
};
INSTANTIATE_TEST_SUITE_P(Plans, LanWait, ::testing::ValuesIn(kWaitCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
