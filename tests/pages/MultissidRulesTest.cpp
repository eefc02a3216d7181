// The old multi-SSID page's rules without windows: the guests' control states, the security combos,
// Apply's checks with their texts, captions and focus, and the items each row's write carries.

#include <gtest/gtest.h>

#include <functional>

#include "pages/wireless/MultissidRules.h"
#include "tests/NamedRows.h"

using namespace MultissidRules;

namespace {

using hvtest::PrintTo;

// ---- Control states -----------------------------------------------------------------------------

struct ControlsCase {
    const char* name;
    bool checked;
    int masterAuth;
    int masterEncryption;
    int encryption;
    GuestControls expected;
};

class MultissidGuestControls : public ::testing::TestWithParam<ControlsCase> {};

TEST_P(MultissidGuestControls, FollowTheBoxTheMasterAndTheEncryption) {
    const auto& c = GetParam();
    EXPECT_EQ(guestControls(c.checked, c.masterAuth, c.masterEncryption, c.encryption), c.expected);
}

const ControlsCase kControls[] = {
    {"OffDisablesEverything", false, 0, 0, 1, {false, false, false}},
    {"OpenMasterLeavesSecurity", true, 0, 0, 0, {true, true, false}},
    {"EncryptionEnablesKeys", true, 1, 1, 1, {true, true, true}},
    {"BothWithEncryptionLocks", true, 2, 1, 1, {true, false, true}},
    {"BothWithoutEncryption", true, 2, 0, 0, {true, true, false}},
    {"WpaPskLocks", true, 3, 0, 0, {true, false, false}},
    {"WpaEapLocks", true, 4, 0, 0, {true, false, false}},
    {"Wpa2PskLocks", true, 5, 0, 0, {true, false, false}},
    {"WpaAutoEapLocks", true, 8, 0, 0, {true, false, false}},
    {"MasterUnreadLeavesSecurity", true, -1, -1, 1, {true, true, true}},
};

INSTANTIATE_TEST_SUITE_P(Table, MultissidGuestControls, ::testing::ValuesIn(kControls),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MultissidRules, SecurityItemFromEncryptionAndAuthentication) {
    EXPECT_EQ(securityItemFor(0, 1), 0);   // encryption off: "None" whatever the authentication
    EXPECT_EQ(securityItemFor(1, 0), 1);   // "Open System"
    EXPECT_EQ(securityItemFor(1, 1), 2);   // "Shared Key"
    EXPECT_EQ(securityItemFor(1, 2), -1);  // both, or a WPA kind: no entry here
    EXPECT_EQ(securityItemFor(1, -1), -1);
    EXPECT_EQ(securityItemFor(-1, 0), 0);
}

TEST(MultissidRules, SecurityChoiceSetsTheHiddenCombos) {
    EXPECT_EQ(securityChoice(0, "None"), (SecurityChoice{{}, 0}));
    EXPECT_EQ(securityChoice(1, "Open System"), (SecurityChoice{"Open System", 1}));
    EXPECT_EQ(securityChoice(2, "Shared Key"), (SecurityChoice{"Shared Key", 1}));
    // No choice shown: the device's encryption stays.
    EXPECT_EQ(securityChoice(-1, ""), std::nullopt);
}

TEST(MultissidRules, KeySizeFollowsTheKeyTextsLength) {
    EXPECT_EQ(keySizeFromKey("0123456789", 2), 0);
    EXPECT_EQ(keySizeFromKey(QString(26, u'a'), 0), 1);
    EXPECT_EQ(keySizeFromKey(QString(32, u'a'), 0), 2);
    EXPECT_EQ(keySizeFromKey("", 2), 2);
    EXPECT_EQ(keySizeFromKey("abcde", 1), 1);
    EXPECT_EQ(keyMaxLength(0, 1), 26);
    EXPECT_EQ(keyMaxLength(1, 2), 16);
    EXPECT_EQ(keyMaxLength(-1, 0), 0);
}

// ---- Apply --------------------------------------------------------------------------------------

// A page as the device leaves it: VLAN off, every guest off, keys empty; every check passes.
PageValues page() {
    PageValues v;
    v.masterSsid = "qmx-ap";
    v.masterRead = true;
    v.masterKeyIndex = 0;
    v.masterGroupId = "1";
    v.vlan = 0;
    for (int g = 0; g < kGuestCount; ++g) {
        GuestValues& guest = v.guests[size_t(g)];
        guest.state = 0;
        guest.encryption = 0;
        guest.ssid = "guest" + QString::number(g + 1);
        guest.keyIndex = g + 1;
        guest.keyType = 0;
        guest.keySize = 0;
        guest.groupId = QString::number(g + 2);
    }
    return v;
}

// Guest g switched on, its SSID and security editors enabled; with encryption its key too.
void on(PageValues& v, int g, bool encrypted = false, QString key = {}) {
    GuestValues& guest = v.guests[size_t(g)];
    guest.state = 1;
    guest.ssidEnabled = true;
    guest.encryption = encrypted ? 1 : 0;
    guest.keyIndexEnabled = guest.keyEnabled = encrypted;
    guest.key = std::move(key);
}

struct ApplyCase {
    const char* name;
    std::function<void(PageValues&)> change;
    std::optional<CheckFailure> failure;
    std::vector<int> master = {kMasterSsid};
    std::array<std::vector<int>, kGuestCount> guests = {{{kGuestState}, {kGuestState}, {kGuestState}}};
    std::array<QString, kGuestCount> keys = {};
    bool forceApMode = false;
};

class MultissidApply : public ::testing::TestWithParam<ApplyCase> {};

std::vector<bool> sent(std::vector<int> items, int count) {
    std::vector<bool> out(size_t(count), false);
    for (int i : items) out[size_t(i)] = true;
    return out;
}

TEST_P(MultissidApply, ChecksThenItemsSent) {
    const auto& c = GetParam();
    PageValues v = page();
    if (c.change) c.change(v);
    const auto result = checkApply(v);
    if (c.failure) {
        ASSERT_TRUE(std::holds_alternative<CheckFailure>(result));
        EXPECT_EQ(std::get<CheckFailure>(result), *c.failure);
        return;
    }
    ASSERT_TRUE(std::holds_alternative<SendPlan>(result))
        << std::get<CheckFailure>(result).message.toStdString();
    const SendPlan& plan = std::get<SendPlan>(result);
    EXPECT_EQ(plan.master, sent(c.master, kMasterItems));
    for (int g = 0; g < kGuestCount; ++g)
        EXPECT_EQ(plan.guests[size_t(g)], sent(c.guests[size_t(g)], kGuestItems)) << g;
    EXPECT_EQ(plan.keys, c.keys);
    EXPECT_EQ(plan.forceApMode, c.forceApMode);
}

std::array<QString, kGuestCount> keyOf(int g, const char* hex) {
    std::array<QString, kGuestCount> keys;
    keys[size_t(g)] = QString::fromLatin1(hex);
    return keys;
}

CheckFailure warning(const char* text, const char* focus = "") {
    return {text, "Warning", focus, {}, {}};
}

const std::vector<int> kOnNoKey = {kGuestState, kGuestSsid, kGuestEncryption};
const std::vector<int> kOnWep = {kGuestState, kGuestSsid, kGuestAuth, kGuestEncryption, kGuestKeyIndex};
const std::vector<int> kOnWepKey = {kGuestState,      kGuestSsid,     kGuestAuth,
                                    kGuestEncryption, kGuestKeyIndex, kGuestKey};

const ApplyCase kApply[] = {
    {"AllOffWritesStatesAndMasterSsid", {}, std::nullopt},
    // A guest that is off still needs its SSID.
    {"DisabledGuestWithEmptySsid", [](PageValues& v) { v.guests[1].ssid.clear(); },
     warning("Please Input SSID in Guest SSID2.")},
    {"SsidOver32", [](PageValues& v) { v.guests[0].ssid = QString(33, u'a'); },
     warning("The Max Length of Guest SSID1's SSID is 32.!")},
    {"SsidStartsWithBlank", [](PageValues& v) { v.guests[2].ssid = " g3"; },
     CheckFailure{"The first character can't be blank in Guest SSID3.", "Error", "GuestSSIDEdit3", {}, {}}},
    {"VlanOnEmptyMasterId",
     [](PageValues& v) {
         v.vlan = 1;
         v.masterGroupId.clear();
     },
     warning("The 11g master SSID's ID is invalid.The range of ID is 1 to 4095.", "GroupIDBox")},
    {"VlanOnEmptyGuestId",
     [](PageValues& v) {
         v.vlan = 1;
         v.guests[1].groupId.clear();
     },
     warning("The 11g guest SSID2's ID is invalid.The range of ID is 1 to 4095.", "GuestGroupID2")},
    // With VLAN off the tags are neither editable nor written: an empty one blocks nothing.
    {"VlanOffEmptyIdsPass",
     [](PageValues& v) {
         v.masterGroupId.clear();
         v.guests[0].groupId.clear();
     },
     std::nullopt},
    {"VlanOnSendsTags",
     [](PageValues& v) { v.vlan = 1; },
     std::nullopt,
     {kMasterSsid, kMasterVlanTag},
     {{{kGuestState, kGuestVlanTag}, {kGuestState, kGuestVlanTag}, {kGuestState, kGuestVlanTag}}},
     {},
     true},
    {"KeyIndexSameAsMaster",
     [](PageValues& v) {
         on(v, 0, true, "0123456789");
         v.guests[0].keyIndex = 0;
     },
     warning("The 11g Guest SSID1's key index is same as master SSID")},
    {"KeyIndexSameAsLaterGuest",
     [](PageValues& v) {
         on(v, 1, true, "0123456789");
         on(v, 2, true, "0123456789");
         v.guests[2].keyIndex = v.guests[1].keyIndex;
     },
     warning("The 11g Guest SSID2's key index is same as Guest SSID3")},
    // A guest whose key index is disabled clashes with nobody.
    {"KeyIndexOfDisabledGuestIgnored",
     [](PageValues& v) {
         on(v, 1, true, "0123456789");
         v.guests[0].keyIndex = v.guests[1].keyIndex;
     },
     std::nullopt,
     {kMasterSsid},
     {{{kGuestState}, kOnWepKey, {kGuestState}}},
     keyOf(1, "0123456789"),
     true},
    {"SsidSameAsMaster",
     [](PageValues& v) {
         on(v, 1);
         v.guests[1].ssid = "qmx-ap";
     },
     warning("The 11g Guest SSID2's SSID is same as master SSID", "GuestSSIDEdit2")},
    {"SsidSameAsLaterGuest",
     [](PageValues& v) {
         on(v, 0);
         on(v, 2);
         v.guests[2].ssid = v.guests[0].ssid;
     },
     warning("The 11g Guest SSID1's SSID is same as SSID3's SSID", "GuestSSIDEdit1")},
    // The key indexes are checked for every guest before any SSID.
    {"KeyIndexBeforeSsid",
     [](PageValues& v) {
         on(v, 0);
         v.guests[0].ssid = "qmx-ap";
         on(v, 2, true, "0123456789");
         v.guests[2].keyIndex = 0;
     },
     warning("The 11g Guest SSID3's key index is same as master SSID")},
    {"HexKeyWrongLength", [](PageValues& v) { on(v, 1, true, "012345678"); },
     warning("The Length of Guest SSID2's key in IEEE802.11g must be 10!")},
    {"AsciiKey152WrongLength",
     [](PageValues& v) {
         on(v, 0, true, "abc");
         v.guests[0].keyType = 1;
         v.guests[0].keySize = 2;
     },
     warning("The Lengh of Guest SSID1's key in IEEE802.11g must be 16!")},
    {"KeyNotHex", [](PageValues& v) { on(v, 0, true, "01234567zz"); },
     CheckFailure{"Please input  Hexadecimal digits!", {}, {}, "GuestKeyvalueEdit1", {}}},
    {"GuestOnWithoutEncryption",
     [](PageValues& v) { on(v, 2); },
     std::nullopt,
     {kMasterSsid},
     {{{kGuestState}, {kGuestState}, kOnNoKey}},
     {},
     true},
    {"RetypedHexKeySent",
     [](PageValues& v) { on(v, 0, true, "0A1b2C3d4E"); },
     std::nullopt,
     {kMasterSsid},
     {{kOnWepKey, {kGuestState}, {kGuestState}}},
     keyOf(0, "0A1b2C3d4E"),
     true},
    // The edit keeps the text; only what is sent is the hex form.
    {"AsciiKeySentAsHex",
     [](PageValues& v) {
         on(v, 1, true, "abcde");
         v.guests[1].keyType = 1;
     },
     std::nullopt,
     {kMasterSsid},
     {{{kGuestState}, kOnWepKey, {kGuestState}}},
     keyOf(1, "6162636465"),
     true},
    // The device's masked key is never written back; the rest of the guest's security is.
    {"MaskedKeyNotSent",
     [](PageValues& v) { on(v, 0, true, "**********"); },
     std::nullopt,
     {kMasterSsid},
     {{kOnWep, {kGuestState}, {kGuestState}}},
     {},
     true},
    // A master row that could not be read writes no empty SSID over the device's.
    {"MasterUnreadSendsNoSsid",
     [](PageValues& v) {
         v.masterRead = false;
         v.masterSsid.clear();
     },
     std::nullopt,
     {}},
};

INSTANTIATE_TEST_SUITE_P(Table, MultissidApply, ::testing::ValuesIn(kApply),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MultissidRules, ExitChecksOnlyTheGuestAskedFor) {
    PageValues v = page();
    on(v, 0);
    on(v, 1);
    v.guests[1].ssid = v.guests[0].ssid;
    EXPECT_EQ(checkSsidDuplicates(v, 1),
              warning("The 11g Guest SSID2's SSID is same as SSID1's SSID", "GuestSSIDEdit2"));
    EXPECT_EQ(checkSsidDuplicates(v, 2), std::nullopt);  // guest 3 is off
    EXPECT_EQ(checkKeyIndexes(v, 0), std::nullopt);      // no key index enabled
}

}  // namespace
