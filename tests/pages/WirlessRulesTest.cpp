// The wireless page's rules without windows: mode and authentication names, the layout and security
// controls each mode gives, the key texts, the channel and Super G rules and the survey's steps.

#include <gtest/gtest.h>

#include "pages/wireless/WirlessRules.h"
#include "tests/NamedRows.h"

using namespace WirlessRules;

namespace {

using hvtest::PrintTo;

Capabilities caps(int apModes, bool newNames = true, int newMultiSupport = 1, bool mssidAndWds = false) {
    Capabilities c;
    c.apModes = apModes;
    c.newModeNames = newNames;
    c.newMultiSupport = newMultiSupport;
    c.mssidAndWds = mssidAndWds;
    return c;
}

QStringList texts(const std::vector<ApModeEntry>& entries) {
    QStringList out;
    for (const auto& e : entries) out << e.text;
    return out;
}

QStringList texts(const std::vector<AuthEntry>& entries) {
    QStringList out;
    for (const auto& e : entries) out << e.text;
    return out;
}

std::string name(const char* s) {
    return s;
}

// ---- variant and capabilities -------------------------------------------------------------------

TEST(WirlessVariant, FullForMultiSsidOrTheOld7140Firmware) {
    auto variant = [](const char* mssid, const char* model, const char* fw) {
        return pageVariant(capabilitiesFrom({"1", mssid, fw, "0", "127", "1", "0", model}));
    };
    EXPECT_EQ(variant("1", "QMX-7240NT", "v1.00.05"), Variant::Full);
    EXPECT_EQ(variant("0", "QMX-7140", "v2.20.01"), Variant::Full);
    EXPECT_EQ(variant("0", "QMX-7140", "v2.10.00"), Variant::Full);
    EXPECT_EQ(variant("0", "QMX-7140", "v2.30.00"), Variant::Basic);
    // The model test reads characters 5 to 8, which for this device never spell 7140.
    EXPECT_EQ(variant("0", "QMX-7240NT", "v2.20.01"), Variant::Basic);
    // A field the main window has just cleared reads as its own name or nothing: not supported.
    EXPECT_EQ(variant("ifMultiSSID_Edit", "", ""), Variant::Basic);
    EXPECT_EQ(variantTops(Variant::Basic).buttonsShift, -480);
    EXPECT_EQ(variantTops(Variant::Full).superMode, 103);
    EXPECT_EQ(variantTops(Variant::Full).ssidBroadcast - variantTops(Variant::Basic).ssidBroadcast, 20);
    EXPECT_EQ(variantTops(Variant::Full).superModeLabel - variantTops(Variant::Basic).superModeLabel, 10);
}

TEST(WirlessVariant, CapabilityTextsAreNumbersOrOnes) {
    const Capabilities c = capabilitiesFrom({"NewMultiSupport", "1", "v2.20.01", "1", "97", "0", "1", "QMX"});
    EXPECT_EQ(c.newMultiSupport, 0);
    EXPECT_TRUE(c.multiSsid);
    EXPECT_TRUE(c.keyTypeSupported);
    EXPECT_EQ(c.apModes, 97);
    EXPECT_FALSE(c.newModeNames);
    EXPECT_TRUE(c.mssidAndWds);
}

// ---- AP-mode names ------------------------------------------------------------------------------

struct EntriesCase {
    const char* name;
    int apModes;
    bool newNames;
    QStringList entries;
};

class WirlessApModeEntries : public ::testing::TestWithParam<EntriesCase> {};

TEST_P(WirlessApModeEntries, BitsGiveTheEntriesInOrder) {
    EXPECT_EQ(texts(apModeEntries(caps(GetParam().apModes, GetParam().newNames))), GetParam().entries);
}

const EntriesCase kEntries[] = {
    {"None", 0, true, {}},
    {"ApOnly", 16, true, {"Access Point"}},
    // 31 has no multipoint bit (32 or 64): a single bridge entry.
    {"Bridges31", 31, true, {"Access Point", "PtP Bridge", "Universal Repeater", "Wireless Client"}},
    {"Bridges31OldNames", 31, false, {"Access Point", "PtP Bridge", "AP Reperter", "AP Client"}},
    {"Wds55", 55, false, {"Access Point", "WDS with AP", "WDS", "AP Reperter", "AP Client"}},
    {"Wds127", 127, true, {"Access Point", "WDS with AP", "WDS", "Universal Repeater", "Wireless Client"}},
    {"NoRepeater97", 97, false, {"WDS", "AP Client"}},
    {"ApAndClient17", 17, false, {"Access Point", "AP Client"}},
};

INSTANTIATE_TEST_SUITE_P(Table, WirlessApModeEntries, ::testing::ValuesIn(kEntries),
                         [](const auto& info) { return name(info.param.name); });

// Device mode -> the page entry that shows it, for every device mode; -1 when the firmware has none.
struct ShowCase {
    const char* name;
    int apModes;
    bool newNames;
    std::array<int, kApModeCount> entryOf;  // by device mode 1..7
};

class WirlessShowApMode : public ::testing::TestWithParam<ShowCase> {};

TEST_P(WirlessShowApMode, DeviceModeSelectsItsOwnEntry) {
    const auto& c = GetParam();
    const Capabilities cp = caps(c.apModes, c.newNames);
    const auto entries = apModeEntries(cp);
    for (int m = 0; m < kApModeCount; ++m) {
        const auto device = static_cast<ApMode>(m);
        SCOPED_TRACE(apModeText(device).toStdString());
        const int entry = apModeEntryFor(entries, device, cp);
        EXPECT_EQ(entry, c.entryOf[m]);
        // Whatever the list holds, the rules follow the device's own mode.
        EXPECT_EQ(effectiveMode(std::nullopt, device, cp), pageModeOf(device, cp));
        if (entry >= 0) {
            EXPECT_EQ(entries[entry].mode, pageModeOf(device, cp));
        }
    }
    EXPECT_EQ(apModeEntryFor(entries, std::nullopt, cp), -1);
}

const ShowCase kShow[] = {
    // The client entry reads "Wireless Client", the device "AP Client": still the same mode.
    {"Wds127NewNames", 127, true, {0, 1, 1, 3, 4, 2, 2}},
    // The repeater entry reads "AP Reperter", the device "Universal Repeater".
    {"Wds127OldNames", 127, false, {0, 1, 1, 3, 4, 2, 2}},
    // Bridge names: each bridge shows itself.
    {"Bridges31", 31, false, {0, 1, -1, 2, 3, 1, -1}},
    // Missing modes shift every position after them; the client is still the client.
    {"NoApNoRepeater97", 97, false, {-1, -1, -1, -1, 1, 0, 0}},
    {"ApAndClient17", 17, true, {0, -1, -1, -1, 1, -1, -1}},
};

INSTANTIATE_TEST_SUITE_P(Table, WirlessShowApMode, ::testing::ValuesIn(kShow),
                         [](const auto& info) { return name(info.param.name); });

TEST(WirlessApModes, ChoiceWritesTheDeviceMode) {
    const Capabilities wds = caps(127), bridges = caps(31);
    EXPECT_EQ(deviceModeFor(PageMode::WdsWithAp, wds), ApMode::PtmpBridge);
    EXPECT_EQ(deviceModeFor(PageMode::Wds, wds), ApMode::P2mpWithout);
    EXPECT_EQ(deviceModeFor(PageMode::WdsWithAp, bridges), ApMode::PtpBridge);
    EXPECT_EQ(deviceModeFor(PageMode::Wds, bridges), ApMode::PtmpBridge);
    EXPECT_EQ(deviceModeFor(PageMode::Client, wds), ApMode::ApClient);
    EXPECT_EQ(deviceModeFor(PageMode::Repeater, caps(127, false)), ApMode::UniversalRepeater);
    // Every page mode written and read back is the same page mode.
    for (const Capabilities& c : {wds, bridges})
        for (const auto& e : apModeEntries(c)) EXPECT_EQ(pageModeOf(deviceModeFor(e.mode, c), c), e.mode);
    EXPECT_EQ(apModeFromText("PtP Bridge"), ApMode::PtpBridge);
    EXPECT_EQ(apModeFromText("WDS"), std::nullopt);
    EXPECT_EQ(apModeFromText(""), std::nullopt);
}

TEST(WirlessApModes, MultiSsidWarningsByMode) {
    const QString apOnly =
        "If AP Mode is not \"Access Point\",\nThe Multi-SSID should be set to \"Disabled\".";
    const QString apOrWds =
        "If AP Mode is not \"Access Point,WDS with AP\",\nThe Multi-SSID should be set to \"Disabled\".";
    EXPECT_EQ(modeChoiceWarning(PageMode::Client, caps(127), true), apOnly);
    EXPECT_EQ(modeChoiceWarning(PageMode::Client, caps(127), false), u"");
    EXPECT_EQ(modeChoiceWarning(PageMode::AccessPoint, caps(127), true), u"");
    EXPECT_EQ(modeChoiceWarning(PageMode::WdsWithAp, caps(127, true, 1, true), true), u"");
    EXPECT_EQ(modeChoiceWarning(PageMode::Wds, caps(127, true, 1, true), true), apOrWds);
    EXPECT_EQ(modeChoiceWarning(PageMode::WdsWithAp, caps(127, true, 0), true), apOnly);
    // Without an access point entry the first entry is no longer exempt.
    EXPECT_EQ(modeChoiceWarning(PageMode::Wds, caps(97), true), apOnly);
}

// ---- layout by mode -----------------------------------------------------------------------------

struct LayoutCase {
    const char* name;
    std::optional<PageMode> mode;
    bool ssidRow, wds, repeater;
    const char* wdsCaption;
    const char* repeaterCaption;
    int authLabelTop, securityTop, buttonsTop, pageHeight, formHeight;
    bool ssidBroadcast;
};

class WirlessModeLayout : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(WirlessModeLayout, ModeGivesGroupsAndGeometry) {
    const auto& c = GetParam();
    const ModeLayout l = modeLayout(c.mode);
    EXPECT_EQ(l.ssidRowVisible, c.ssidRow);
    EXPECT_EQ(l.wdsVisible, c.wds);
    EXPECT_EQ(l.repeaterVisible, c.repeater);
    EXPECT_EQ(l.wdsCaption, QString::fromUtf8(c.wdsCaption));
    EXPECT_EQ(l.repeaterCaption, QString::fromUtf8(c.repeaterCaption));
    EXPECT_EQ(l.authLabelTop, c.authLabelTop);
    EXPECT_EQ(l.authComboTop, c.authLabelTop - 4);
    EXPECT_EQ(l.securityTop, c.securityTop);
    EXPECT_EQ(l.buttonsTop, c.buttonsTop);
    EXPECT_EQ(l.pageHeight, c.pageHeight);
    EXPECT_EQ(l.formHeight, c.formHeight);
    EXPECT_EQ(l.ssidBroadcastEnabled, c.ssidBroadcast);
}

const LayoutCase kLayouts[] = {
    {"AccessPoint", PageMode::AccessPoint, true, false, false, "", "", 132, 149, 300, 297, 381, true},
    {"WdsWithAp", PageMode::WdsWithAp, true, true, false, " WDS with AP ", "", 272, 289, 440, 437, 521, true},
    {"Wds", PageMode::Wds, true, true, false, " WDS without AP ", "", 272, 289, 440, 437, 521, true},
    {"Repeater", PageMode::Repeater, false, false, true, "", " Universal Repeater ", 328, 345, 496, 493, 577,
     false},
    {"Client", PageMode::Client, false, false, true, "", " AP Client ", 328, 345, 496, 493, 577, false},
    {"Unknown", std::nullopt, true, false, false, "", "", 132, 149, 300, 297, 381, true},
};

INSTANTIATE_TEST_SUITE_P(Table, WirlessModeLayout, ::testing::ValuesIn(kLayouts),
                         [](const auto& info) { return name(info.param.name); });

// ---- authentication -----------------------------------------------------------------------------

struct AuthCase {
    const char* name;
    int newMultiSupport;
    std::optional<PageMode> mode;
    QStringList entries;
};

class WirlessAuthEntries : public ::testing::TestWithParam<AuthCase> {};

TEST_P(WirlessAuthEntries, EntriesByModeAndEveryEntryIsADeviceAuthentication) {
    const auto& c = GetParam();
    const auto entries = authEntries(c.newMultiSupport, c.mode);
    EXPECT_EQ(texts(entries), c.entries);
    // Every entry selects itself back from the device: nothing the page offers is lost on the way.
    for (size_t i = 0; i < entries.size(); ++i) EXPECT_EQ(authEntryFor(entries, entries[i].auth), int(i));
}

const AuthCase kAuth[] = {
    {"Multi_AccessPoint",
     1,
     PageMode::AccessPoint,
     {"Open System", "Shared Key", "Open System / Shared Key", "WPA-EAP", "WPA-PSK", "WPA2-EAP", "WPA2-PSK",
      "WPA-Auto-EAP", "WPA-Auto-PSK"}},
    {"Multi_Wds",
     1,
     PageMode::Wds,
     {"Open System", "Shared Key", "Open System / Shared Key", "WPA-PSK", "WPA2-PSK", "WPA-Auto-PSK"}},
    // Neither the client nor the repeater can write WPA-Auto: they do not offer it.
    {"Multi_Client", 1, PageMode::Client, {"Open System", "Shared Key", "WPA-PSK", "WPA2-PSK"}},
    {"Multi_Repeater",
     1,
     PageMode::Repeater,
     {"Open System", "Shared Key", "Open System / Shared Key", "WPA-Personal", "WPA2-Personal"}},
    {"Guest_AccessPoint",
     0,
     PageMode::AccessPoint,
     {"Open System", "Shared Key", "Open System / Shared Key", "WPA-Personal", "WPA-Enterprise"}},
    {"Guest_WdsWithAp", 0, PageMode::WdsWithAp, {"Open System", "Shared Key", "Open System / Shared Key"}},
    {"Guest_Repeater", 0, PageMode::Repeater, {"Open System", "Shared Key", "WPA-Personal"}},
    {"Guest_Client", 0, PageMode::Client, {"Open System", "Shared Key"}},
};

INSTANTIATE_TEST_SUITE_P(Table, WirlessAuthEntries, ::testing::ValuesIn(kAuth),
                         [](const auto& info) { return name(info.param.name); });

// A device in WPA-PSK never shows "Open System", and no Apply writes it.
TEST(WirlessAuth, DeviceAuthenticationIsNeverDowngraded) {
    const auto guestAp = authEntries(0, PageMode::AccessPoint);
    const int shown = authEntryFor(guestAp, Auth::WpaPsk);
    ASSERT_GE(shown, 0);
    EXPECT_EQ(guestAp[shown].text, u"WPA-Personal");
    EXPECT_EQ(guestAp[authEntryFor(guestAp, Auth::WpaEap)].text, u"WPA-Enterprise");
    EXPECT_EQ(authForApply(guestAp[shown].auth, Auth::WpaPsk), Auth::WpaPsk);

    // WPA2-PSK has no entry here: nothing is selected and Apply keeps what the device holds.
    EXPECT_EQ(authEntryFor(guestAp, Auth::Wpa2Psk), -1);
    EXPECT_EQ(authForApply(std::nullopt, Auth::Wpa2Psk), Auth::Wpa2Psk);
    // An EAP device in a WDS mode likewise.
    EXPECT_EQ(authEntryFor(authEntries(1, PageMode::Wds), Auth::WpaEap), -1);
    // The user's choice is written as itself.
    EXPECT_EQ(authForApply(Auth::SharedKey, Auth::WpaPsk), Auth::SharedKey);
    EXPECT_EQ(authForApply(std::nullopt, std::nullopt), std::nullopt);
    EXPECT_EQ(authFromText("WPA-Personal"), std::nullopt);
    EXPECT_EQ(authFromText("WPA2-EAP"), Auth::Wpa2Eap);
}

// ---- security groups ----------------------------------------------------------------------------

struct GroupCase {
    const char* name;
    std::optional<PageMode> mode;
    std::optional<Auth> auth;
    std::optional<SecurityGroup> group;
    std::optional<int> encryptionSelect;  // with the group shown
    bool encryptionEnabled;
    std::optional<std::vector<SecurityRequest>> writes;
};

class WirlessSecurity : public ::testing::TestWithParam<GroupCase> {};

TEST_P(WirlessSecurity, ModeAndAuthenticationGiveGroupEncryptionAndWrites) {
    const auto& c = GetParam();
    EXPECT_EQ(securityGroup(c.mode, c.auth), c.group);
    if (c.group) {
        const EncryptionRule e = encryptionRule(*c.group, c.auth);
        EXPECT_EQ(e.selectIndex, c.encryptionSelect);
        EXPECT_EQ(e.enabled, c.encryptionEnabled);
    }
    EXPECT_EQ(selectedGroup(c.mode, c.auth), c.writes);
}

using SR = SecurityRequest;
using SG = SecurityGroup;
const std::vector<SR> kSec{SR::Security}, kPsk{SR::Security, SR::CipherPsk},
    kEap{SR::Security, SR::CipherRadius};
const GroupCase kGroups[] = {
    {"Ap_Open", PageMode::AccessPoint, Auth::OpenSystem, SG::Keys, std::nullopt, true, kSec},
    {"Ap_Shared", PageMode::AccessPoint, Auth::SharedKey, SG::Keys, 1, false, kSec},
    {"Ap_OpenShared", PageMode::AccessPoint, Auth::OpenShared, SG::Keys, 1, false, kSec},
    {"Ap_Wpa2Psk", PageMode::AccessPoint, Auth::Wpa2Psk, SG::PassPhrase, std::nullopt, true, kPsk},
    {"Ap_WpaAutoEap", PageMode::AccessPoint, Auth::WpaAutoEap, SG::Radius, std::nullopt, true, kEap},
    {"Wds_Psk", PageMode::Wds, Auth::WpaAutoPsk, SG::PassPhrase, std::nullopt, true, kPsk},
    {"Wds_EapRefused", PageMode::WdsWithAp, Auth::WpaEap, std::nullopt, std::nullopt, true, std::nullopt},
    {"Client_Shared", PageMode::Client, Auth::SharedKey, SG::Keys, 1, false, kSec},
    {"Client_OpenSharedRefused", PageMode::Client, Auth::OpenShared, std::nullopt, std::nullopt, true,
     std::nullopt},
    {"Client_Wpa2Psk", PageMode::Client, Auth::Wpa2Psk, SG::PassPhrase, std::nullopt, true, kPsk},
    {"Client_AutoPskRefused", PageMode::Client, Auth::WpaAutoPsk, std::nullopt, std::nullopt, true,
     std::nullopt},
    {"Repeater_OpenShared", PageMode::Repeater, Auth::OpenShared, SG::Keys, 1, false, kSec},
    {"Repeater_WpaPsk", PageMode::Repeater, Auth::WpaPsk, SG::PassPhrase, std::nullopt, true, kPsk},
    {"Repeater_AutoPskRefused", PageMode::Repeater, Auth::WpaAutoPsk, SG::PassPhrase, std::nullopt, true,
     std::nullopt},
    {"UnknownMode", std::nullopt, Auth::OpenSystem, std::nullopt, std::nullopt, true, std::nullopt},
    {"UnknownAuth", PageMode::AccessPoint, std::nullopt, std::nullopt, std::nullopt, true, std::nullopt},
};

INSTANTIATE_TEST_SUITE_P(Table, WirlessSecurity, ::testing::ValuesIn(kGroups),
                         [](const auto& info) { return name(info.param.name); });

// ---- keys ---------------------------------------------------------------------------------------

TEST(WirlessKeys, LengthsSizesAndKeyEdits) {
    EXPECT_EQ(keyLength(0, 0), 10);
    EXPECT_EQ(keyLength(0, 1), 26);
    EXPECT_EQ(keyLength(0, 2), 32);
    EXPECT_EQ(keyLength(1, 0), 5);
    EXPECT_EQ(keyLength(1, 1), 13);
    EXPECT_EQ(keyLength(1, 2), 16);
    EXPECT_EQ(keyLength(-1, 0), std::nullopt);
    EXPECT_EQ(keyLength(0, 3), std::nullopt);
    EXPECT_EQ(keySizeFor(26), 1);
    EXPECT_EQ(keySizeFor(13), std::nullopt);
    EXPECT_EQ(keyEditFor(2, 4), 2);
    EXPECT_EQ(keyEditFor(0, 2), 0);
    EXPECT_EQ(keyEditFor(1, 2), 3);  // "Fourth" of "First", "Fourth"
    EXPECT_EQ(keyEditFor(2, 2), -1);
    EXPECT_EQ(keyEditFor(-1, 4), -1);
}

struct KeyTextCase {
    const char* name;
    QString in;
    std::optional<QString> toHex, toText;
    QString shown;
    bool masked;
};

class WirlessKeyTexts : public ::testing::TestWithParam<KeyTextCase> {};

TEST_P(WirlessKeyTexts, ConversionsNeverAlterAKey) {
    const auto& c = GetParam();
    EXPECT_EQ(asciiToHex(c.in), c.toHex);
    EXPECT_EQ(hexToAscii(c.in), c.toText);
    EXPECT_EQ(keyAsText(c.in), c.shown);
    EXPECT_EQ(isMaskedKey(c.in), c.masked);
    // What is shown as text goes back to the device as the bytes it came as.
    if (c.toText) {
        EXPECT_EQ(asciiToHex(*c.toText), c.in.toLower());
    }
}

const KeyTextCase kKeyTexts[] = {
    {"Abc", "abc", QString("616263"), std::nullopt, "abc", false},
    {"HexKey", "6162636465", QString("36313632363336343635"), QString("abcde"), "abcde", false},
    {"UpperHex", "4A4B4C4D4E", QString("34413442344334443445"), QString("JKLMN"), "JKLMN", false},
    // The device's mask: never turned into NUL characters, never sent.
    {"Masked", "**********", QString("2a2a2a2a2a2a2a2a2a2a"), std::nullopt, "**********", true},
    {"NotHex", "4G", QString("3447"), std::nullopt, "4G", false},
    {"OddLength", "616", QString("363136"), std::nullopt, "616", false},
    {"Unprintable", "0102", QString("30313032"), std::nullopt, "0102", false},
    {"LowByteTwoDigits", QString(QChar(0x9)), std::nullopt, std::nullopt, QString(QChar(0x9)), false},
    {"SignIsNoDigit", "+1", QString("2b31"), std::nullopt, "+1", false},
    {"Empty", "", QString(""), QString(""), "", false},
};

INSTANTIATE_TEST_SUITE_P(Table, WirlessKeyTexts, ::testing::ValuesIn(kKeyTexts),
                         [](const auto& info) { return name(info.param.name); });

TEST(WirlessKeys, WpaSecondaryLeavesTheFirstAndFourthKeys) {
    std::vector<MultiSsidRow> rows{{2, "Enabled", "a", "Shared Key", "Enabled", "Second"},
                                   {3, "Disabled", "b", "WPA-PSK", "Enabled", "First"}};
    EXPECT_FALSE(wpaSecondaryUsesKeys(rows));
    rows[1].state = "Enabled";
    EXPECT_TRUE(wpaSecondaryUsesKeys(rows));
    rows[1].encryption = "Disabled";
    EXPECT_FALSE(wpaSecondaryUsesKeys(rows));
}

// ---- channels, Super G, scan controls -----------------------------------------------------------

TEST(WirlessChannels, ListsAndSelection) {
    EXPECT_EQ(channelListOrDefault(""), u"1 2 3 4 5 6 7 8 9 10 11");
    EXPECT_EQ(channelListOrDefault("36 40"), u"36 40");
    const ChannelFill f = fillChannels("36 40  44", "40");
    EXPECT_EQ(f.items, (QStringList{"36", "40", "44"}));
    EXPECT_EQ(f.index, 1);
    EXPECT_EQ(fillChannels("1 2 3", "6").index, -1);
}

TEST(WirlessSuperG, ChannelSourcesScanControlsAndWarning) {
    SuperGPlan p = superGChange(0, "Super G with Static Turbo", PageMode::AccessPoint, false);
    EXPECT_EQ(p.source, ChannelSource::Static);
    EXPECT_FALSE(p.restoreSavedChannel);
    EXPECT_EQ(superGChange(0, "Super G with Dynamic Turbo", PageMode::AccessPoint, false).source,
              ChannelSource::Dynamic);
    // Static turbo is not one of the three-entry list's modes.
    p = superGChange(1, "Super G with Static Turbo", PageMode::AccessPoint, false);
    EXPECT_EQ(p.source, ChannelSource::Normal);
    EXPECT_TRUE(p.restoreSavedChannel);

    p = superGChange(1, "Super G with Dynamic Turbo", PageMode::AccessPoint, false);
    EXPECT_EQ(p.source, ChannelSource::Dynamic);
    EXPECT_EQ(p.autoScanEnabled, false);
    EXPECT_EQ(p.channelEnabled, false);
    // The scan controls follow the access point mode itself, wherever it stands in the list.
    p = superGChange(1, "Super G with Dynamic Turbo", PageMode::Client, false);
    EXPECT_EQ(p.autoScanEnabled, std::nullopt);
    p = superGChange(1, "Disable", PageMode::AccessPoint, false);
    EXPECT_EQ(p.autoScanEnabled, true);
    EXPECT_TRUE(p.autoScanRule);
    EXPECT_TRUE(p.restoreSavedChannel);

    const QString warning = "If Super G is not \"Disable\",\nThe Multi-SSID should be set to \"Disabled\".";
    EXPECT_EQ(superGChange(1, "Super G without Turbo", PageMode::AccessPoint, true).warning, warning);
    EXPECT_EQ(superGChange(1, "Disable", PageMode::AccessPoint, true).warning, u"");
    EXPECT_EQ(superGChange(1, "Super G without Turbo", PageMode::AccessPoint, false).warning, u"");
    EXPECT_EQ(superGChange(1, "", PageMode::AccessPoint, true).warning, u"");
}

TEST(WirlessScan, ScanControlsByMode) {
    ScanControls s = scanControls(PageMode::AccessPoint, 0);
    EXPECT_EQ(s.autoScanEnabled, true);
    EXPECT_TRUE(s.autoScanRule);
    EXPECT_FALSE(s.untick);
    EXPECT_EQ(scanControls(PageMode::AccessPoint, 1).autoScanEnabled, false);
    s = scanControls(PageMode::Wds, 0);
    EXPECT_TRUE(s.untick);
    EXPECT_EQ(s.autoScanEnabled, false);
    EXPECT_EQ(s.channelEnabled, std::nullopt);
    for (PageMode m : {PageMode::Repeater, PageMode::Client}) {
        s = scanControls(m, 0);
        EXPECT_TRUE(s.untick);
        EXPECT_EQ(s.channelEnabled, false);
    }
    s = scanControls(std::nullopt, 0);
    EXPECT_EQ(s.autoScanEnabled, std::nullopt);
    EXPECT_FALSE(s.untick);
}

TEST(WirlessCiphers, PskCiphersByMode) {
    EXPECT_EQ(pskCiphers(PageMode::WdsWithAp), (QStringList{"Auto", "AES"}));
    EXPECT_EQ(pskCiphers(PageMode::Wds), (QStringList{"AES"}));
    // A client joins with one cipher; the repeater serves its own clients as an access point does.
    EXPECT_EQ(pskCiphers(PageMode::Client), (QStringList{"AES", "TKIP"}));
    EXPECT_EQ(pskCiphers(PageMode::Repeater), (QStringList{"Auto", "AES", "TKIP"}));
    EXPECT_EQ(indexOrFirst(pskCiphers(PageMode::Wds), "TKIP"), 0);
    EXPECT_EQ(indexOrFirst(pskCiphers(std::nullopt), "TKIP"), 2);
    EXPECT_EQ(indexOrFirst({}, "TKIP"), -1);
}

TEST(WirlessMacs, EditableByDeviceMode) {
    const auto all = [](bool v) {
        std::array<bool, 8> a;
        a.fill(v);
        return a;
    };
    EXPECT_EQ(macEditable(ApMode::AccessPoint).wds, all(false));
    EXPECT_FALSE(macEditable(ApMode::AccessPoint).repeaterSsid);
    MacEditable e = macEditable(ApMode::PtpWithout);
    EXPECT_TRUE(e.wds[0]);
    EXPECT_FALSE(e.wds[1]);
    EXPECT_EQ(macEditable(ApMode::P2mpWithout).wds, all(true));
    e = macEditable(ApMode::UniversalRepeater);
    EXPECT_TRUE(e.rootMac);
    EXPECT_FALSE(e.repeaterSsid);
    e = macEditable(ApMode::ApClient);
    EXPECT_FALSE(e.rootMac);
    EXPECT_TRUE(e.clientRootMac);
    EXPECT_TRUE(e.repeaterSsid);
    EXPECT_EQ(macEditable(std::nullopt).wds, all(false));
    EXPECT_EQ(clearEmptyMac("000000000000"), u"");
    EXPECT_EQ(clearEmptyMac("00000000000A"), u"00000000000A");
}

// ---- site survey --------------------------------------------------------------------------------

TEST(WirlessSurvey, WalkStartsOnTheSecondTickAndOnlyOnce) {
    int countdown = -1;
    EXPECT_FALSE(surveyTick(countdown));
    countdown = 1;  // a scan
    EXPECT_FALSE(surveyTick(countdown));
    EXPECT_EQ(countdown, 0);
    EXPECT_TRUE(surveyTick(countdown));
    EXPECT_EQ(countdown, -1);
    EXPECT_FALSE(surveyTick(countdown));
}

TEST(WirlessSurvey, AtOnceAndRowChoiceByMode) {
    EXPECT_TRUE(surveysAtOnce(ApMode::UniversalRepeater));
    EXPECT_TRUE(surveysAtOnce(ApMode::ApClient));
    EXPECT_FALSE(surveysAtOnce(ApMode::PtpBridge));
    EXPECT_FALSE(surveysAtOnce(std::nullopt));
    const auto choice = surveyChoice(PageMode::Client, "000A0B010D01", "neighbour-1");
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->rootMac, u"000A0B010D01");
    EXPECT_EQ(choice->ssid, u"neighbour-1");
    // "AP Reperter" names the repeater too.
    EXPECT_TRUE(surveyChoice(PageMode::Repeater, "x", "y"));
    EXPECT_FALSE(surveyChoice(PageMode::AccessPoint, "x", "y"));
    EXPECT_FALSE(surveyChoice(std::nullopt, "x", "y"));
}

}  // namespace
