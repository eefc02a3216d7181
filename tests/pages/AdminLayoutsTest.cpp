// The LAN, static IP and DHCP server layouts built offscreen: every control their rules name is
// there with the kind the rules expect, the bound combos carry their option lists' texts, and the
// limits, carriers and start states are the pages'.

#include <gtest/gtest.h>

#include "pages/admin/DhcpLayout.h"
#include "pages/admin/DhcpRules.h"
#include "pages/admin/LanLayout.h"
#include "pages/admin/LanRules.h"
#include "pages/admin/StaticipLayout.h"
#include "pages/admin/StaticipRules.h"
#include "platform/forms/Forms.h"

namespace {

class AdminLayout : public ::testing::Test {
protected:
    void build(const forms::FormLayout& layout) { forms::buildLayout(m_form, layout); }
    template <class T>
    T* find(const QString& name) {
        return forms::findControl<T>(&m_form, name.toLatin1().constData());
    }
    // Every failure's emptied and focused control is an edit the user can type into.
    template <class Failure>
    void expectEdits(const std::vector<Failure>& failures, int named) {
        int count = 0;
        for (const Failure& f : failures)
            for (const QString& name : {f.emptied, f.focus}) {
                if (name.isEmpty()) continue;
                ++count;
                SCOPED_TRACE(name.toStdString());
                auto* e = find<forms::Edit>(name);
                EXPECT_FALSE(e->isReadOnly());
                EXPECT_TRUE(e->isVisibleTo(&m_form));
            }
        EXPECT_EQ(count, named);
    }
    forms::Form m_form;
};

// ---- LAN -----------------------------------------------------------------------------------------

std::vector<LanRules::CheckFailure> lanFailures() {
    using namespace LanRules;
    std::vector<CheckFailure> out;
    const auto add = [&](const std::optional<Refusal>& r) {
        if (r) out.push_back(r->failure);
    };
    const StaticInput inputs[] = {
        {"x", "255.255.255.0", "10.0.0.254", "", ""},
        {"10.0.0.1", "x", "10.0.0.254", "", ""},
        {"10.0.0.1", "255.255.255.0", "x", "", ""},
        {"10.0.0.1", "255.255.255.0", "10.0.0.254", "10.0.0.1", "1"},
    };
    for (const auto& in : inputs) add(checkFields(in));
    add(probeRefusal());
    add(checkStaticPool("10.0.0.1", {"10.0.0.1"}, true));
    add(checkStaticPool("10.0.0.1", {}, false));
    return out;
}

TEST_F(AdminLayout, LanControlsOfTheRules) {
    build(kLanLayout);
    const auto failures = lanFailures();
    ASSERT_EQ(failures.size(), 7u);
    expectEdits(failures, 4);
    for (const char* name : LanRules::kStaticFields) EXPECT_NO_THROW(find<QWidget>(name)) << name;
    for (const char* name : {"LA_IPAddress", "LA_SubnetMask", "LA_DefGW"})
        EXPECT_NO_THROW(find<forms::Label>(name));
    for (const char* name : {"ED_IpAddr", "ED_SubMask", "ED_DefGw"})
        EXPECT_EQ(find<forms::Edit>(name)->maxLength(), LanRules::kAddressMaxLength) << name;
    EXPECT_EQ(find<forms::Edit>("ED_IpAddr")->text(), u"   .   .   .   ");
    EXPECT_EQ(find<forms::Edit>("ED_SubMask")->text(), u"255.255.255.0");
}

TEST_F(AdminLayout, LanCombosCarriersAndWindow) {
    build(kLanLayout);
    EXPECT_EQ(m_form.caption(), u"Home \\ LAN");
    EXPECT_EQ(m_form.clientWidth(), 271);
    EXPECT_EQ(m_form.clientHeight(), 212);
    auto* from = find<forms::ComboBox>("CB_IPFrom");
    EXPECT_EQ(from->items().value(LanRules::kStaticIndex), u"Static (Manual)");
    EXPECT_EQ(from->items().value(LanRules::kDynamicIndex), u"Dynamic (DHCP)");
    auto* restart = find<forms::ComboBox>("ED_Restart");
    EXPECT_EQ(restart->items().value(LanRules::kNothingIndex), u"nothing");
    EXPECT_EQ(restart->items().value(LanRules::kRebootIndex), u"reboot");
    EXPECT_EQ(find<forms::ComboBox>("CB_Clus")->items().value(LanRules::kJoinIndex), u"Join");
    for (const char* name : {"ED_Restart", "CB_Clus"})
        EXPECT_FALSE(find<forms::ComboBox>(name)->visible()) << name;
    for (const char* name : {"Ed_IPAF", "Ed_PoolRan"})
        EXPECT_FALSE(find<forms::Edit>(name)->visible()) << name;
    // The static pool's list is never seen: the fields' panel covers its panel exactly.
    auto* list = find<forms::ListView>("Static_ListView");
    EXPECT_EQ(list->columnCount(), 3);  // key, IP, MAC
    EXPECT_EQ(list->parentWidget(), find<forms::Panel>("Panel1"));
    EXPECT_EQ(find<forms::Panel>("Panel1")->geometry(), find<forms::Panel>("Panel2")->geometry());
    EXPECT_EQ(find<forms::Button>("BT_LanCfgOk")->caption(), u"Apply");
    EXPECT_EQ(find<forms::Button>("BT_LanCfgCancel")->caption(), u"Cancel");
    EXPECT_NO_THROW(find<forms::StatusBar>("StatusBar"));
}

// ---- Static IP -----------------------------------------------------------------------------------

std::vector<StaticipRules::CheckFailure> staticFailures() {
    using namespace StaticipRules;
    std::vector<CheckFailure> out;
    auto entry = [](auto change) {
        ApplyInput in;
        in.entered = {"10.0.0.60", "001122334455", "255.255.255.0", "10.0.0.254", "", "", "", 1};
        in.rows = {{"10.0.0.61", "001122334466"}};
        change(in.entered);
        return in;
    };
    const ApplyInput inputs[] = {
        entry([](Entry& e) { e.ip = "10.0.0.61"; }), entry([](Entry& e) { e.ip = "x"; }),
        entry([](Entry& e) { e.mac = "1"; }),        entry([](Entry& e) { e.mask = ""; }),
        entry([](Entry& e) { e.gateway = ""; }),     entry([](Entry& e) { e.wins = "x"; }),
        entry([](Entry& e) { e.dns = "x"; }),
    };
    for (ApplyInput in : inputs)
        if (auto f = checkEntry(in)) out.push_back(*f);
    out.push_back(probeRefusal());
    return out;
}

TEST_F(AdminLayout, StaticipControlsOfTheRules) {
    build(kStaticipLayout);
    const auto failures = staticFailures();
    ASSERT_EQ(failures.size(), 8u);
    expectEdits(failures, 11);
    const std::pair<const char*, const char*> fields[] = {
        {"Ed_AsgIP", "0.0.0.0"},  {"Ed_AsgMac", "000000000000"}, {"Ed_SubMask", "0.0.0.0"},
        {"Ed_Gatway", "0.0.0.0"}, {"Ed_Wins", "0.0.0.0"},        {"Ed_DNS", "0.0.0.0"},
        {"Ed_DomNa", ""}};
    for (const auto& [name, text] : fields)
        EXPECT_EQ(find<forms::Edit>(name)->text(), QLatin1String(text)) << name;
    EXPECT_EQ(find<forms::Edit>("Ed_AsgMac")->maxLength(), DhcpRules::kMacMaxLength);
    EXPECT_EQ(find<forms::Edit>("Ed_DomNa")->maxLength(), DhcpRules::kDomainMaxLength);
    EXPECT_EQ(find<forms::Edit>("Ed_AsgIP")->maxLength(), DhcpRules::kAddressMaxLength);
    EXPECT_EQ(find<forms::ComboBox>("CB_Stat")->items(), (QStringList{"OFF", "ON"}));
    EXPECT_FALSE(find<forms::Label>("LA_Index")->visible());
    for (const char* name : {"Ed_OldIP", "ED_OldMAC", "Ed_AsgIP2", "Ed_AsgMac2", "Ed_SubMask2", "Ed_Gatway2",
                             "Ed_Wins2", "Ed_DNS2", "Ed_DomNa2"})
        EXPECT_FALSE(find<forms::Edit>(name)->visible()) << name;
    auto* apply = find<forms::Button>("Apply");
    EXPECT_EQ(apply->geometry(), QRect(96, 288, 75, 25));
    EXPECT_EQ(m_form.clientWidth(), 262);
    EXPECT_EQ(m_form.clientHeight(), 345);
}

// ---- DHCP server ---------------------------------------------------------------------------------

std::vector<DhcpRules::CheckFailure> dhcpFailures() {
    using namespace DhcpRules;
    std::vector<CheckFailure> out;
    auto pool = [](auto change) {
        DynamicInput in;
        in.start = "10.0.0.100";
        in.range = "20";
        in.lease = "600";
        in.mask = "255.255.255.0";
        in.gateway = "10.0.0.254";
        in.deviceAddress = "10.0.0.1";
        in.commandLineAddress = "10.0.0.1";
        change(in);
        return in;
    };
    const DynamicInput inputs[] = {
        pool([](DynamicInput& in) { in.start = ""; }),
        pool([](DynamicInput& in) { in.range = ""; }),
        pool([](DynamicInput& in) { in.deviceAddress = "10.0.0.100"; }),
        pool([](DynamicInput& in) { in.staticAddresses = {"10.0.0.100"}; }),
        pool([](DynamicInput& in) { in.range = "0"; }),
        pool([](DynamicInput& in) { in.lease = ""; }),
        pool([](DynamicInput& in) { in.lease = "1"; }),
        pool([](DynamicInput& in) { in.start = "10.0.0.255"; }),
        pool([](DynamicInput& in) { in.mask = "x"; }),
        pool([](DynamicInput& in) { in.gateway = "x"; }),
        pool([](DynamicInput& in) { in.wins = "x"; }),
        pool([](DynamicInput& in) { in.dns = "x"; }),
        pool([](DynamicInput& in) { in.commandLineAddress = "10.0.0.100"; }),
    };
    for (DynamicInput in : inputs)
        if (auto f = checkDynamicPool(in)) out.push_back(*f);
    return out;
}

TEST_F(AdminLayout, DhcpControlsOfTheRules) {
    build(kDhcpLayout);
    const auto failures = dhcpFailures();
    ASSERT_EQ(failures.size(), 13u);
    expectEdits(failures, 18);
    using namespace DhcpRules;
    QStringList named;
    for (const auto& states :
         {enableDynamicFields(false, 1, 1), enableDynamicFields(true, 1, 0), enableDynamicFields(true, 1, 1),
          enableStaticFields(false), enableStaticFields(true)})
        for (const auto& [name, enabled] : states.enabled) named << name;
    named.removeDuplicates();
    EXPECT_EQ(named.size(), 15);
    for (const QString& name : named) EXPECT_NO_THROW(find<QWidget>(name)) << name.toStdString();
    for (const char* name : {"CB_Fuction1", "CB_Fuction2", "CB_Status", "CB_Clus"})
        EXPECT_NO_THROW(find<forms::ComboBox>(name)) << name;
    for (const char* name : {"LV_StaticPoolSet", "User_ListView", "LV_DynPool", "LV_StaticPool"})
        EXPECT_NO_THROW(find<forms::ListView>(name)) << name;
    for (const char* name : {"StatusBar1", "StatusBar2", "StatusBar3", "StatusBar4"})
        EXPECT_NO_THROW(find<forms::StatusBar>(name)) << name;
    EXPECT_EQ(find<forms::Edit>("Ed_PoolRan")->maxLength(), kRangeMaxLength);
    EXPECT_EQ(find<forms::Edit>("Ed_Lease")->maxLength(), kLeaseMaxLength);
    EXPECT_EQ(find<forms::Edit>("Ed_DomNa")->maxLength(), kDomainMaxLength);
    for (const char* name : {"Ed_IPAF", "Ed_SubMask", "Ed_Gateway", "Ed_Wins", "Ed_DNS"})
        EXPECT_EQ(find<forms::Edit>(name)->maxLength(), kAddressMaxLength) << name;
}

TEST_F(AdminLayout, DhcpTabsListsAndStartStates) {
    build(kDhcpLayout);
    EXPECT_EQ(m_form.caption(), u"Advanced \\ DHCP Server");
    EXPECT_EQ(m_form.clientWidth(), 409);
    EXPECT_EQ(m_form.clientHeight(), 468);
    EXPECT_EQ(find<forms::TabSheet>("TabSheet1")->caption(), u" Dynamic Pool Settings ");
    EXPECT_EQ(find<forms::TabSheet>("TabSheet2")->caption(), u"Static Pool Settings  ");
    EXPECT_EQ(find<forms::TabSheet>("TabSheet3")->caption(), u" Current IP Mapping List  ");
    // The user's list lies exactly over the pool's own.
    auto* pool = find<forms::ListView>("LV_StaticPoolSet");
    auto* user = find<forms::ListView>("User_ListView");
    EXPECT_EQ(pool->geometry(), QRect(22, 40, 337, 249));
    EXPECT_EQ(user->geometry(), pool->geometry());
    // Key, IP, MAC; the leases: key, MAC, IP and the dynamic ones' lease time.
    EXPECT_EQ(pool->columnCount(), 3);
    EXPECT_EQ(user->columnCount(), 3);
    EXPECT_EQ(find<forms::ListView>("LV_DynPool")->columnCount(), 4);
    EXPECT_EQ(find<forms::ListView>("LV_StaticPool")->columnCount(), 3);
    for (const char* name : {"Bt_Apply", "Bt_Cancel", "StaticApply", "Bt_Set", "Bt_Del", "Bt_Refresh"})
        EXPECT_FALSE(find<forms::Button>(name)->isEnabled()) << name;
    EXPECT_TRUE(find<forms::Button>("Bt_Add")->isEnabled());
    for (const char* name : {"Bt_Refresh", "Bt_Rfrsh"})
        EXPECT_FALSE(find<forms::Button>(name)->visible()) << name;
    for (const char* name : {"Ed_ext", "IPTemp"}) EXPECT_FALSE(find<forms::Edit>(name)->visible()) << name;
    auto* timer = find<forms::Timer>("Timer");
    EXPECT_EQ(timer->interval(), 50);
    EXPECT_FALSE(timer->enabled());
    const QStringList onOff{"Disable", "Enable"};
    EXPECT_EQ(find<forms::ComboBox>("CB_Fuction1")->items(), onOff);
    EXPECT_EQ(find<forms::ComboBox>("CB_Fuction2")->items(), onOff);
    EXPECT_EQ(find<forms::ComboBox>("CB_Status")->items(), (QStringList{"OFF", "ON"}));
    EXPECT_EQ(find<forms::ComboBox>("CB_Clus")->items().value(DhcpRules::kJoinIndex), u"Join");
}

}  // namespace
