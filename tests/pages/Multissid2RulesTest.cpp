// The multi-SSID page's rules over plain values: the security a row shows, the groups and enabled
// states, the user list, the key index choices, the save's checks with their boxes, and the columns
// the second write carries, masked secrets left unwritten.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "pages/wireless/Multissid2Rules.h"
#include "tests/NamedRows.h"

using namespace Multissid2Rules;

namespace {

using hvtest::PrintTo;
using PageRules::kError;
using PageRules::kWarning;

auto byName = [](const auto& info) { return std::string(info.param.name); };

// ---- The security combo ---------------------------------------------------------------------------

struct SecCase {
    const char* name;
    bool encryption;
    const char* auth;
    SecurityView expected;
};
class Multissid2SecurityViews : public ::testing::TestWithParam<SecCase> {};

TEST_P(Multissid2SecurityViews, ShowsTheRowsSecurity) {
    EXPECT_EQ(securityView(GetParam().encryption, GetParam().auth), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Multissid2SecurityViews,
    ::testing::Values(SecCase{"EncryptionOff", false, "WPA-PSK", {false, 0, "None"}},
                      SecCase{"Wpa2Psk", true, "WPA2-PSK", {false, 5, "WPA2-PSK"}},
                      SecCase{"SharedKey", true, "Shared Key", {false, 2, "Shared Key"}},
                      SecCase{"OpenShared", true, "Open System / Shared Key", {true, -1, "Both"}},
                      SecCase{"Unknown", true, "", {false, 0, "None"}}),
    byName);

TEST(Multissid2Security, BothKeepsTheCombinedAuthenticationOnSave) {
    // A row showing "Both" writes the device's own kind back, never "Open System".
    EXPECT_EQ(authIndexFor(kBoth), 2);
    EXPECT_EQ(authIndexFor("None"), 0);
    EXPECT_EQ(authIndexFor("WPA2-PSK"), 5);
    EXPECT_EQ(authIndexFor("WPA-Auto-EAP"), 8);
}

TEST(Multissid2Security, ShowComboOnlyWhilePrimaryIsNoEapKind) {
    EXPECT_FALSE(showView("WPA-EAP", {false, 4, "WPA-EAP"}).shown);
    EXPECT_FALSE(showView("WPA2 Enterprise", {false, 0, "None"}).shown);
    EXPECT_EQ(showView("Open System", {true, -1, "Both"}), (ShowView{true, {true, -1, "Both"}}));
    EXPECT_EQ(showView("Open System", {false, 7, "WPA-Auto-PSK"}),
              (ShowView{true, {false, 5, "WPA-Auto-PSK"}}));
    // An EAP kind has no entry in the short list.
    EXPECT_EQ(showView("Open System", {false, 6, "WPA2-EAP"}), (ShowView{true, {false, 0, "None"}}));
}

TEST(Multissid2Security, GroupsByKind) {
    EXPECT_EQ(securityGroups(5), (Groups{true, "PassPhrase Settings", true, false}));
    EXPECT_EQ(securityGroups(8), (Groups{true, "Radius Server Settings", false, true}));
    for (int i : {-1, 0, 1, 2}) EXPECT_FALSE(securityGroups(i).psk) << i;
}

// ---- Enabled states -------------------------------------------------------------------------------

struct EnableCase {
    const char* name;
    bool multi, vlan, primary;
    int sec;
    Enables expected;
};
class Multissid2EnabledStates : public ::testing::TestWithParam<EnableCase> {};

TEST_P(Multissid2EnabledStates, FollowTheFunctionsRowAndKind) {
    const auto& c = GetParam();
    EXPECT_EQ(enables(c.multi, c.vlan, c.primary, c.sec), c.expected);
}

//                                   rows  vlan   ssid   sec   cipher grpKey pass  keys  radius
INSTANTIATE_TEST_SUITE_P(
    Rows, Multissid2EnabledStates,
    ::testing::Values(
        EnableCase{"MultiOff", false, true, false, 3, {}},
        EnableCase{"PrimaryVlanOn", true, true, true, 3, {true, true}},
        EnableCase{"PrimaryVlanOff", true, false, true, 3, {true, false}},
        EnableCase{"RowNone", true, false, false, 0, {true, false, true, true}},
        EnableCase{"RowWep", true, true, false, 1, {true, true, true, true, true, true, true, true, false}},
        EnableCase{
            "RowBoth", true, false, false, -1, {true, false, true, true, true, true, true, true, false}},
        EnableCase{"RowPsk", true, false, false, 3, {true, false, true, true, true, true, true, true, false}},
        EnableCase{
            "RowEap", true, false, false, 6, {true, false, true, true, true, false, true, true, true}}),
    byName);

// ---- The table and the user's list ------------------------------------------------------------

TableRow row(const char* index, const char* state, const char* auth = "Open System",
             const char* encryption = "Disabled", const char* keyIndex = "First", const char* ssid = "s") {
    return {index, state, ssid, auth, encryption, keyIndex, QString("%1").arg(QString(index).toInt() * 10)};
}

TEST(Multissid2Users, OneRowPerEnabledTableRowCaptionedByThePreviousIndex) {
    const std::vector<TableRow> rows = {row("1", "Enabled", "WPA-PSK", "Enabled"), row("2", "Disabled"),
                                        row("3", "Enabled", "Shared Key", "Enabled"),
                                        row("4", "Enabled", "WPA2-EAP", "Disabled"),
                                        row("5", "Enabled", "Open System / Shared Key", "Enabled")};
    const std::vector<UserRow> expected = {{"Primary", "s", "WPA-PSK", "10", "11g", 0},
                                           {"Multi-SSID2", "s", "WEP", "30", "11g", 2},
                                           {"Multi-SSID3", "s", "OFF", "40", "11g", 3},
                                           {"Multi-SSID4", "s", "WEP", "50", "11g", 4}};
    EXPECT_EQ(userRows(rows, true), expected);
    for (const UserRow& u : userRows(rows, false)) EXPECT_EQ(u.vlan, u"OFF");
}

TEST(Multissid2Users, CaptionsSelectTheirIndexOrNothing) {
    EXPECT_EQ(idxOfCaption("Primary"), 0);
    EXPECT_EQ(idxOfCaption("Multi-SSID1"), 1);
    EXPECT_EQ(idxOfCaption("Multi-SSID7"), 7);
    EXPECT_EQ(idxOfCaption("Multi-SSID8"), -1);
    EXPECT_EQ(idxOfCaption("Multi-SSIDx"), -1);
    EXPECT_EQ(idxOfCaption("Multi"), -1);
    EXPECT_EQ(idxOfCaption(""), -1);
}

TEST(Multissid2Users, RowPositionsOutsideTheTableAreNoRow) {
    EXPECT_EQ(rowAt(0, 8), 0);
    EXPECT_EQ(rowAt(7, 8), 7);
    EXPECT_EQ(rowAt(3, 3), std::nullopt);
    EXPECT_EQ(rowAt(0, 0), std::nullopt);
    EXPECT_EQ(rowAt(-1, 8), std::nullopt);
}

TEST(Multissid2Users, AnotherEnabledWpaRowLimitsTheKeyIndex) {
    const std::vector<TableRow> rows = {
        row("1", "Enabled", "Open System", "Enabled"), row("2", "Enabled", "WPA-PSK", "Enabled"),
        row("3", "Disabled", "WPA-EAP", "Enabled"), row("4", "Enabled", "WPA2-PSK", "Disabled")};
    EXPECT_TRUE(otherRowUsesWpa(rows, "1"));
    EXPECT_FALSE(otherRowUsesWpa(rows, "2"));
    EXPECT_EQ(keyIndexChoices(true), (QStringList{"First", "Fourth"}));
    EXPECT_EQ(keyIndexChoices(false), (QStringList{"First", "Second", "Third", "Fourth"}));
}

TEST(Multissid2Users, SaveWarningsLookAtOtherRowsOnly) {
    const std::vector<TableRow> rows = {row("1", "Enabled", "Shared Key", "Enabled", "Second"),
                                        row("2", "Enabled", "Open System", "Enabled", "Fourth"),
                                        row("3", "Enabled", "WPA-PSK", "Enabled")};
    const std::vector<UserRow> users = userRows(rows, false);
    EXPECT_TRUE(keyUsedElsewhere(users, rows, "1", "Fourth"));
    EXPECT_FALSE(keyUsedElsewhere(users, rows, "2", "Fourth"));
    EXPECT_FALSE(keyUsedElsewhere(users, rows, "1", "Third"));
    EXPECT_TRUE(wepOnWpaSlots(users, rows, "3"));
    EXPECT_FALSE(wepOnWpaSlots(users, rows, "1"));
    EXPECT_TRUE(groupKeyShared(users));
    EXPECT_FALSE(groupKeyShared(userRows({rows[0], rows[1]}, false)));
}

// ---- Switching Multi-SSID on ----------------------------------------------------------------------

struct WarnCase {
    const char* name;
    int apMode;
    const char* superG;
    bool wds;
    const char* expected;
};
class Multissid2EnableWarnings : public ::testing::TestWithParam<WarnCase> {};

TEST_P(Multissid2EnableWarnings, AtMostOneBox) {
    const auto& c = GetParam();
    EXPECT_EQ(enableWarning(c.apMode, c.superG, c.wds), QString(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Multissid2EnableWarnings,
    ::testing::Values(
        WarnCase{"AccessPoint", 0, "Disable", false, ""},
        WarnCase{"BridgeWithoutWds", 1, "Disable", false,
                 "If you enable Multi-SSID,AP Mode will be Access Point!"},
        WarnCase{"BridgeWithWds", 2, "Disable", true, ""},
        WarnCase{"RepeaterWithWds", 3, "Disable", true,
                 "If you enable Multi-SSID,AP Mode will be Access Point!"},
        WarnCase{"SuperG", 0, "Super G without Turbo", false,
                 "If you enable Multi-SSID,Super G will be Disabled!"},
        WarnCase{"Both", 4, "Super G with Dynamic Turbo", false,
                 "If you enable Multi-SSID,\nAP Mode will be Access Point and Super G will be Disabled!"}),
    byName);

// ---- Keys -----------------------------------------------------------------------------------------

TEST(Multissid2Keys, SizeAndLimitFromTheKey) {
    EXPECT_EQ(keySizeFromKey("0123456789"), 0);
    EXPECT_EQ(keySizeFromKey(QString(26, 'a')), 1);
    EXPECT_EQ(keySizeFromKey(QString(32, 'a')), 2);
    EXPECT_EQ(keySizeFromKey("abc"), 0);
    EXPECT_EQ(keyLimit(0, 1), (KeyLimit{26, {}}));
    EXPECT_EQ(keyLimit(1, 2), (KeyLimit{16, {}}));
    EXPECT_EQ(keyLimit(0, -1), (KeyLimit{0, kSelectKeySize}));
    EXPECT_EQ(keyLimit(-1, 0), (KeyLimit{0, kKeyTypeNull}));
}

TEST(Multissid2Keys, AsciiKeysShowAsTextUnlessMaskedOrNoHex) {
    EXPECT_EQ(keyShown(1, "6162636465"), u"abcde");
    EXPECT_EQ(keyShown(0, "6162636465"), u"6162636465");
    // The mask and texts that are no hex pairs stay, so they still read as not retyped.
    EXPECT_EQ(keyShown(1, "**********"), u"**********");
    EXPECT_EQ(keyShown(1, "zz62636465"), u"zz62636465");
}

// ---- The save's checks ----------------------------------------------------------------------------

SaveInput pskRow() {
    SaveInput in;
    in.ssid = "guest";
    in.pskGroup = true;
    in.secIndex = 3;
    in.groupKey = "300";
    in.passPhrase = "passphrase";
    in.radiusServer = "10.0.0.1";
    in.radiusPort = "1812";
    return in;
}
template <class F>
SaveInput with(F change) {
    SaveInput in = pskRow();
    change(in);
    return in;
}

struct RowCase {
    const char* name;
    SaveInput in;
    std::optional<CheckFailure> expected;
};
class Multissid2RowChecks : public ::testing::TestWithParam<RowCase> {};

TEST_P(Multissid2RowChecks, FirstFailureOrNone) {
    const auto got = checkRow(GetParam().in);
    ASSERT_EQ(got.has_value(), GetParam().expected.has_value())
        << (got ? got->message.toStdString() : "passed");
    if (got) {
        EXPECT_EQ(*got, *GetParam().expected);
    }
}

CheckFailure box(const char* message, const QString& caption, const char* focus) {
    return {message, caption, focus, {}, {}};
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Multissid2RowChecks,
    ::testing::Values(
        RowCase{"Good", pskRow(), std::nullopt},
        RowCase{"EmptySsid", with([](auto& in) { in.ssid.clear(); }),
                box("Please input SSID!", kWarning, "Ed_SSID")},
        RowCase{"EmptySsidMultiOff", with([](auto& in) { in.ssid.clear(), in.multiSsidOn = false; }),
                std::nullopt},
        RowCase{"BlankFirst", with([](auto& in) { in.ssid = " a"; }),
                box("The first character can't be blank!", kWarning, "Ed_SSID")},
        RowCase{"LongSsid", with([](auto& in) { in.ssid = QString(33, 'a'); }),
                box("The Max Length of SSID is 32!", kWarning, "Ed_SSID")},
        RowCase{"EmptyGroupKey", with([](auto& in) { in.groupKey.clear(); }),
                box("Please input a number between 300 and 9999999.", kWarning, "Ed_GrpKey")},
        RowCase{"ShortPassPhrase", with([](auto& in) { in.passPhrase = "1234567"; }),
                box("The length of 802.11g PassPhrase is between 8 and 63.", kError, "Ed_PassPhrase")},
        RowCase{"LongPassPhrase", with([](auto& in) { in.passPhrase = QString(64, 'p'); }),
                box("The length of 802.11g PassPhrase is between 8 and 63.", kError, "Ed_PassPhrase")},
        RowCase{"PassPhrase63", with([](auto& in) { in.passPhrase = QString(63, 'p'); }), std::nullopt},
        // The device's mask is not written, so a short one does not block the save.
        RowCase{"ShortMaskedPassPhrase", with([](auto& in) { in.passPhrase = "******"; }), std::nullopt},
        RowCase{"EapBadServer", with([](auto& in) { in.secIndex = 4, in.radiusServer = "0.0.0.0"; }),
                box("The Radius server's IP is illegal.", kError, "Ed_RiduisServ")},
        RowCase{"EapEmptyPort", with([](auto& in) { in.secIndex = 6, in.radiusPort.clear(); }),
                box("Please input a number between 1 and 65535.", kError, "Ed_RadiusPort")},
        RowCase{"KeyGroupSkipsPsk", with([](auto& in) { in.pskGroup = false, in.groupKey.clear(); }),
                std::nullopt}),
    byName);

TEST(Multissid2Checks, VlanIdOnlyWithVlans) {
    SaveInput in;
    in.vlanOn = true;
    EXPECT_EQ(checkVlanId(in), box("Please input VLAN ID!", kWarning, "Ed_WLANID"));
    in.vlanId = "12";
    EXPECT_EQ(checkVlanId(in), std::nullopt);
    in.vlanOn = false;
    in.vlanId.clear();
    EXPECT_EQ(checkVlanId(in), std::nullopt);
}

TEST(Multissid2Checks, SsidClashNamesBothRows) {
    const std::vector<TableRow> rows = {row("1", "Enabled", "Open System", "Disabled", "First", "home"),
                                        row("2", "Disabled", "Open System", "Disabled", "First", "guest"),
                                        row("3", "Enabled", "Open System", "Disabled", "First", "guest")};
    EXPECT_EQ(ssidClash(rows, "home", "4"),
              box("The 11g Multi-SSID 3's SSID is same as Primary SSID", kWarning, "Ed_SSID"));
    EXPECT_EQ(ssidClash(rows, "guest", "5"),
              box("The 11g Multi-SSID 4's SSID is same as Multi-SSID 2", kWarning, "Ed_SSID"));
    EXPECT_EQ(ssidClash(rows, "guest", "3"), std::nullopt);
    EXPECT_EQ(ssidClash(rows, "other", "2"), std::nullopt);
}

// ---- The columns of the second write --------------------------------------------------------------

SaveInput wepRow(int type, const char* key, int size = 0) {
    SaveInput in;
    in.ssid = "guest";
    in.keyGroup = true;
    in.secIndex = 1;
    in.keyType = type;
    in.keySize = size;
    in.key = key;
    return in;
}

struct PhaseCase {
    const char* name;
    SaveInput in;
    bool encryption;
    std::vector<int> items;  // sent
    const char* key;
    std::optional<CheckFailure> failure;
};
class Multissid2SecondPhases : public ::testing::TestWithParam<PhaseCase> {};

TEST_P(Multissid2SecondPhases, ColumnsAndKey) {
    const auto& c = GetParam();
    SecondPhase out;
    const auto failure = secondPhase(c.in, c.encryption, out);
    ASSERT_EQ(failure, c.failure);
    if (failure) return;
    std::vector<int> sent;
    for (int i = 0; i < kItemCount; ++i)
        if (out.items[static_cast<size_t>(i)]) sent.push_back(i);
    EXPECT_EQ(sent, c.items);
    EXPECT_EQ(out.key, QString(c.key));
}

const std::vector<int> kBase = {kIdvState, kSsid, kAuth, kEncryption, kVlanTag};
const std::vector<int> kWepNoKey = {kIdvState, kSsid, kAuth, kEncryption, kKeyIndex, kVlanTag};
const std::vector<int> kWepKey = {kIdvState, kSsid, kAuth, kEncryption, kKeyIndex, kKey, kVlanTag, kKeyType};

INSTANTIATE_TEST_SUITE_P(
    Rows, Multissid2SecondPhases,
    ::testing::Values(
        PhaseCase{"EncryptionOff", wepRow(0, "0123456789"), false, kBase, "", std::nullopt},
        PhaseCase{"MultiOff", with([](auto& in) { in.multiSsidOn = false; }), true, {}, "", std::nullopt},
        PhaseCase{"HexKey", wepRow(0, "0123456789"), true, kWepKey, "0123456789", std::nullopt},
        PhaseCase{"AsciiKeySentAsHex", wepRow(1, "abcde"), true, kWepKey, "6162636465", std::nullopt},
        PhaseCase{"BothSendsKeys", with([](auto& in) { in = wepRow(0, "0123456789"), in.secIndex = -1; }),
                  true, kWepKey, "0123456789", std::nullopt},
        PhaseCase{"MaskedKeyUnsent", wepRow(0, "**********"), true, kWepNoKey, "", std::nullopt},
        PhaseCase{"MaskedAsciiKeyUnsent", wepRow(1, "**********", 1), true, kWepNoKey, "", std::nullopt},
        // A key the row was read with is the device's own until retyped, even one its ASCII type
        // cannot show: it is neither refused for its length nor written back.
        PhaseCase{"UnprintableAsciiKeyAsReadUnsent",
                  with([](auto& in) { in = wepRow(1, "0102030405"), in.keyRead = "0102030405"; }), true,
                  kWepNoKey, "", std::nullopt},
        PhaseCase{"HexKeyAsReadUnsent",
                  with([](auto& in) { in = wepRow(0, "0123456789"), in.keyRead = "0123456789"; }), true,
                  kWepNoKey, "", std::nullopt},
        PhaseCase{"RetypedKeyChecked",
                  with([](auto& in) { in = wepRow(1, "0102030406"), in.keyRead = "0102030405"; }),
                  true,
                  {},
                  "",
                  box("The Length of key value must be 5!", kWarning, "Ed_KeyValue")},
        PhaseCase{"RetypedKeySent",
                  with([](auto& in) { in = wepRow(1, "abcde"), in.keyRead = "0102030405"; }), true, kWepKey,
                  "6162636465", std::nullopt},
        PhaseCase{"EmptyKeyIsNoKeyOfTheDevice",
                  with([](auto& in) { in = wepRow(0, ""); }),
                  true,
                  {},
                  "",
                  box("The Length of key value must be 10!", kWarning, "Ed_KeyValue")},
        PhaseCase{"MaskedKeyOfWrongLengthUnsent", wepRow(0, "********", 1), true, kWepNoKey, "",
                  std::nullopt},
        PhaseCase{"DisabledKeyUnsent", with([](auto& in) { in = wepRow(0, "12"), in.keyEnabled = false; }),
                  true, kWepNoKey, "", std::nullopt},
        PhaseCase{"HexLength",
                  wepRow(0, "01234", 1),
                  true,
                  {},
                  "",
                  box("The Length of key value must be 26!", kWarning, "Ed_KeyValue")},
        PhaseCase{"AsciiLength16",
                  wepRow(1, "abc", 2),
                  true,
                  {},
                  "",
                  box("The Lengh of key value must be 16!", kWarning, "Ed_KeyValue")},
        PhaseCase{"NotHex",
                  wepRow(0, "012345678G"),
                  true,
                  {},
                  "",
                  CheckFailure{kHexDigits, {}, "Ed_KeyValue", "Ed_KeyValue", {}}},
        PhaseCase{"AsciiBeyondAscii",
                  wepRow(1, "abcd\u00e9"),
                  true,
                  {},
                  "",
                  CheckFailure{kHexDigits, {}, "Ed_KeyValue", "Ed_KeyValue", {}}},
        PhaseCase{"Psk",
                  pskRow(),
                  true,
                  {kIdvState, kSsid, kAuth, kEncryption, kVlanTag, kCipher, kPassPhrase},
                  "",
                  std::nullopt},
        PhaseCase{"PskMaskedPassPhrase",
                  with([](auto& in) { in.passPhrase = "********"; }),
                  true,
                  {kIdvState, kSsid, kAuth, kEncryption, kVlanTag, kCipher},
                  "",
                  std::nullopt},
        PhaseCase{"Eap",
                  with([](auto& in) { in.secIndex = 4; }),
                  true,
                  {kIdvState, kSsid, kAuth, kEncryption, kVlanTag, kCipher},
                  "",
                  std::nullopt}),
    byName);

}  // namespace
