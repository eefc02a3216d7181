// The wireless page's Apply without windows: its checks in their order with their boxes and focus,
// the items each set carries, and the guest and multiple-SSID rules.

#include <gtest/gtest.h>

#include <functional>

#include "pages/wireless/WirlessRules.h"
#include "tests/NamedRows.h"

using namespace WirlessRules;

namespace {

using hvtest::PrintTo;

std::string name(const char* s) {
    return s;
}

// A failed check's box: message, caption, focused control; ResetMacEdits runs unless said.
CheckFailure box(const char* message, const char* caption, const char* focus = "", bool emptyFocus = false) {
    CheckFailure f;
    f.message = QString::fromUtf8(message);
    f.caption = QString::fromUtf8(caption);
    f.focus = QString::fromUtf8(focus);
    f.emptyFocus = emptyFocus;
    return f;
}

// ---- Apply's checks -----------------------------------------------------------------------------

struct SsidCase {
    const char* name;
    QString ssidA, ssidG, repeaterSsid;
    std::optional<PageMode> mode;
    std::optional<CheckFailure> failure;
};

class WirlessSsidChecks : public ::testing::TestWithParam<SsidCase> {};

TEST_P(WirlessSsidChecks, FirstFailingCheckWithItsBoxAndFocus) {
    EXPECT_EQ(checkSsids(GetParam().ssidA, GetParam().ssidG, GetParam().repeaterSsid, GetParam().mode),
              GetParam().failure);
}

const QString k33(33, QLatin1Char('s'));
const SsidCase kSsids[] = {
    {"Good", "qmx", "", "", PageMode::AccessPoint, std::nullopt},
    {"Max32", QString(32, 's'), "", "", PageMode::AccessPoint, std::nullopt},
    {"TooLongA", k33, "", "", PageMode::AccessPoint, box("The Max Length of SSID is 32.!", "Warning")},
    {"TooLongG", "qmx", k33, "", PageMode::AccessPoint, box("The Max Length of SSID is 32.!", "Warning")},
    {"Empty", "", "", "", PageMode::AccessPoint, box("Please Input SSID.", "Warning")},
    {"LeadingBlank", " qmx", "", "", PageMode::AccessPoint,
     box("The first character can't be blank.", "Error", "Ed_SSIDa")},
    {"RepeaterWithoutSsid", "qmx", "", "", PageMode::Repeater,
     [] {
         CheckFailure f = box("Please Input SSID.", "Warning", "Ed_SSID");
         f.resetMacs = false;
         f.unlockRepeaterSsid = true;
         return f;
     }()},
    {"ClientWithoutSsidLeftToMacChecks", "qmx", "", "", PageMode::Client, std::nullopt},
};

INSTANTIATE_TEST_SUITE_P(Table, WirlessSsidChecks, ::testing::ValuesIn(kSsids),
                         [](const auto& info) { return name(info.param.name); });

TEST(WirlessChecks, MultiSsidNamesAndDuplicateMacs) {
    const std::vector<MultiSsidRow> rows{{2, "Disabled", "qmx", "", "", ""},
                                         {3, "Enabled", "qmx", "", "", ""}};
    EXPECT_EQ(checkMultiSsidNames("qmx", rows),
              (box("The Primary SSID's SSID is same as Multi-SSID 2", "Warning", "Ed_SSIDa")));
    EXPECT_EQ(checkMultiSsidNames("other", rows), std::nullopt);

    std::array<QString, 8> macs{"001122AABBCC", "", "000000000000", "000000000000"};
    EXPECT_EQ(checkDuplicateMacs(macs), std::nullopt);
    macs[5] = "001122aabbcc";
    EXPECT_EQ(checkDuplicateMacs(macs), (box("Exist same MAC address.", "Warning", "Ed_ReMAddra5")));
}

struct MacCase {
    const char* name;
    std::optional<ApMode> device;
    std::array<QString, 8> wds;
    QString rootMac, repeaterSsid;
    std::optional<CheckFailure> failure;
    int wdsSent = 0;  // how many of the eight are sent
    bool primarySsid = false;
};

class WirlessMacChecks : public ::testing::TestWithParam<MacCase> {};

TEST_P(WirlessMacChecks, DeviceModeChecksAndItemsSent) {
    const auto& c = GetParam();
    const auto r = checkMacInputs(c.device, c.wds, c.rootMac, c.repeaterSsid);
    if (c.failure) {
        ASSERT_TRUE(std::holds_alternative<CheckFailure>(r));
        EXPECT_EQ(std::get<CheckFailure>(r), *c.failure);
        return;
    }
    ASSERT_TRUE(std::holds_alternative<MacPlan>(r));
    const MacPlan& p = std::get<MacPlan>(r);
    EXPECT_EQ(std::count(p.wdsSent.begin(), p.wdsSent.end(), true), c.wdsSent);
    EXPECT_EQ(p.primarySsidSent, c.primarySsid);
    EXPECT_EQ(p.apModeSent, c.device.has_value());
    EXPECT_EQ(p.rootMacSent, !c.rootMac.isEmpty());
    EXPECT_EQ(p.repeaterSsidSent, !c.repeaterSsid.isEmpty());
}

const QString kMac = "001122AABBCC";
const CheckFailure kFirstBlank =
    box("Please input MAC address in first blank space!", "Warning", "Ed_ReMAddra0");
const CheckFailure kRootLength = box("The length is 12 in IEEE802.11g Root AP MAC Address.", "Error");
const MacCase kMacs[] = {
    {"AccessPoint", ApMode::AccessPoint, {}, "", "", std::nullopt, 0, true},
    {"PtpOnePeer", ApMode::PtpBridge, {kMac}, "", "", std::nullopt, 1, true},
    {"PtpEmpty", ApMode::PtpWithout, {}, "", "", kFirstBlank},
    {"PtpShort", ApMode::PtpBridge, {"0011"}, "", "", kRootLength},
    {"PtmpFillsPeers", ApMode::PtmpBridge, {kMac}, "", "", std::nullopt, 8, true},
    {"PtmpEmpty", ApMode::P2mpWithout, {"", kMac}, "", "", kFirstBlank},
    {"PtmpShortPeer",
     ApMode::PtmpBridge,
     {kMac, "", "12"},
     "",
     "",
     box("The length is 12 in IEEE802.11g MAC address.", "Error")},
    {"RepeaterRootMac", ApMode::UniversalRepeater, {}, kMac, "qmx", std::nullopt},
    {"RepeaterNoRootMac",
     ApMode::UniversalRepeater,
     {},
     "",
     "qmx",
     box("Please input MAC address in blank space!", "Error", "Ed_RoMAddra0")},
    {"RepeaterShortRoot", ApMode::UniversalRepeater, {}, "0011", "qmx", kRootLength},
    {"ClientSsid", ApMode::ApClient, {}, "", "qmx", std::nullopt},
    {"ClientNoSsid", ApMode::ApClient, {}, "", "", box("Please input the SSID.", "Warning", "Ed_SSID")},
    {"ClientBlankSsid",
     ApMode::ApClient,
     {},
     "",
     " qmx",
     box("The first character can't be blank.", "Error", "Ed_SSID")},
    // A mode that was never read is not written back, nor the items that depend on it.
    {"UnreadMode", std::nullopt, {kMac}, "", "", std::nullopt, 0, false},
};

INSTANTIATE_TEST_SUITE_P(Table, WirlessMacChecks, ::testing::ValuesIn(kMacs),
                         [](const auto& info) { return name(info.param.name); });

TEST(WirlessChecks, PtmpSendsEmptyPeersAsZeros) {
    const auto r = checkMacInputs(ApMode::PtmpBridge, {kMac}, "", "");
    const MacPlan& p = std::get<MacPlan>(r);
    EXPECT_EQ(p.wds[0], kMac);
    for (int i = 1; i < 8; ++i) EXPECT_EQ(p.wds[i], u"000000000000");
}

struct SecurityCase {
    const char* name;
    SecurityInput in;
    std::optional<CheckFailure> failure;
    std::array<bool, 4> keySent{};
    std::optional<QString> validKeyText{};
    bool validKeySent = false, pskSent = false, radiusSent = false;
    bool passPhraseSent = false, radiusSecretSent = false;
};

class WirlessSecurityChecks : public ::testing::TestWithParam<SecurityCase> {};

TEST_P(WirlessSecurityChecks, ChecksAndItemsSent) {
    const auto& c = GetParam();
    const auto r = checkSecurityInputs(c.in);
    if (c.failure) {
        ASSERT_TRUE(std::holds_alternative<CheckFailure>(r));
        EXPECT_EQ(std::get<CheckFailure>(r), *c.failure);
        return;
    }
    ASSERT_TRUE(std::holds_alternative<SecurityPlan>(r));
    const SecurityPlan& p = std::get<SecurityPlan>(r);
    EXPECT_EQ(p.authSent, c.in.auth.has_value());
    EXPECT_EQ(p.encryptionSent, c.in.auth.has_value());
    EXPECT_EQ(p.validKeySent, c.validKeySent);
    EXPECT_EQ(p.keySent, c.keySent);
    EXPECT_EQ(p.validKeyText, c.validKeyText);
    EXPECT_EQ(p.pskSent, c.pskSent);
    EXPECT_EQ(p.radiusSent, c.radiusSent);
    EXPECT_EQ(p.passPhraseSent, c.passPhraseSent);
    EXPECT_EQ(p.radiusSecretSent, c.radiusSecretSent);
}

SecurityInput wep(int type, int size, int validKey, QString key, int validKeyCount = 4) {
    SecurityInput in;
    in.auth = Auth::SharedKey;
    in.encryptionIndex = 1;
    in.keyTypeIndex = type;
    in.keySizeIndex = size;
    in.validKeyIndex = validKey;
    in.validKeyCount = validKeyCount;
    in.keys = {"", "", "", ""};
    in.keys[keyEditFor(validKey, validKeyCount)] = key;
    return in;
}

SecurityInput psk(QString interval, QString passPhrase) {
    SecurityInput in;
    in.auth = Auth::Wpa2Psk;
    in.encryptionIndex = 1;
    in.groupKeyPsk = interval;
    in.passPhrase = passPhrase;
    return in;
}

SecurityInput eap(QString interval, QString server, QString port, QString secret = "secret") {
    SecurityInput in;
    in.auth = Auth::WpaEap;
    in.groupKey = interval;
    in.radiusServer = server;
    in.radiusPort = port;
    in.radiusSecret = secret;
    return in;
}

SecurityInput wepOff() {
    SecurityInput in = wep(0, 0, 0, "zz");
    in.encryptionIndex = 0;
    return in;
}

const QString kHex26 = "00112233445566778899AABBCC";
const CheckFailure kHexBox = box("Please input  Hexadecimal digits!", "");
const CheckFailure kIntervalPsk =
    box("Please input a number between 300 and 9999999.", "Error", "GroupKeyPSKEdit", true);
const CheckFailure kIntervalEap =
    box("Please input a number between 300 and 9999999.", "Error", "GroupKeyEdit", true);
const CheckFailure kPassPhrase =
    box("The length of 802.11g PassPhrase is between 8 and 63.", "Error", "PassPhrasePSKEdit");
const SecurityCase kSecurity[] = {
    {"WepHex128Second", wep(0, 1, 1, kHex26), std::nullopt, {false, true, false, false}, std::nullopt, true},
    {"WepHexWrongLength", wep(0, 1, 1, "0011"),
     box("The Length of the 2nd key in IEEE802.11g must be 26!", "Warning")},
    {"WepHex152Lengh", wep(0, 2, 0, "00"),
     box("The Length of the 1st key in IEEE802.11g must be 32!", "Warning")},
    {"WepAscii152Lengh", wep(1, 2, 0, "abc"),
     box("The Lengh of the 1st key in IEEE802.11g must be 16!", "Warning")},
    {"WepAsciiFourthOfTwo", wep(1, 1, 1, "abc", 2),
     box("The Length of the 4th key in IEEE802.11g must be 13!", "Warning")},
    {"WepNotHex", wep(0, 0, 0, "00112233G4"), kHexBox},
    {"WepAsciiConverted",
     wep(1, 0, 0, "abcde"),
     std::nullopt,
     {true, false, false, false},
     QString("6162636465"),
     true},
    {"WepAsciiUnprintable", wep(1, 0, 0, QString("abc") + QChar(0xE9) + "e"), kHexBox},
    // A masked key is neither converted nor sent, whatever its length.
    {"WepMaskedHex", wep(0, 1, 2, "**********"), std::nullopt, {}, std::nullopt, true},
    {"WepMaskedAscii", wep(1, 0, 3, "**********"), std::nullopt, {}, std::nullopt, true},
    {"WepEncryptionOff", wepOff(), std::nullopt},
    {"PskGood", psk("300", "12345678"), std::nullopt, {}, std::nullopt, false, true, false, true},
    {"PskUpper", psk("9999999", QString(63, 'p')), std::nullopt, {}, std::nullopt, false, true, false, true},
    // The device's mask is neither checked nor written back, whatever its length.
    {"PskMaskedPassPhrase", psk("300", "********"), std::nullopt, {}, std::nullopt, false, true},
    {"PskMaskedShortPassPhrase", psk("300", "*****"), std::nullopt, {}, std::nullopt, false, true},
    {"PskInterval299", psk("299", "12345678"), kIntervalPsk},
    {"PskInterval10000000", psk("10000000", "12345678"), kIntervalPsk},
    {"PskIntervalEmpty", psk("", "12345678"), kIntervalPsk},
    {"PskIntervalLetters", psk("abc", "12345678"), kIntervalPsk},
    {"PskPassPhrase7", psk("300", "1234567"), kPassPhrase},
    {"PskPassPhrase64", psk("300", QString(64, 'p')), kPassPhrase},
    {"EapGood",
     eap("600", "10.0.0.5", "1812"),
     std::nullopt,
     {},
     std::nullopt,
     false,
     false,
     true,
     false,
     true},
    {"EapMaskedSecret",
     eap("600", "10.0.0.5", "1812", "********"),
     std::nullopt,
     {},
     std::nullopt,
     false,
     false,
     true},
    {"EapInterval", eap("9", "10.0.0.5", "1812"), kIntervalEap},
    {"EapServerZero", eap("600", "0.0.0.0", "1812"),
     box("The Radius server's IP is illegal.", "Error", "RadiusServerEdit")},
    {"EapNoPort", eap("600", "10.0.0.5", ""),
     box("Please input a number between 1 and 65535.", "Error", "RadiusportEdit")},
    {"UnreadAuthSendsNothing", SecurityInput{}, std::nullopt},
};

INSTANTIATE_TEST_SUITE_P(Table, WirlessSecurityChecks, ::testing::ValuesIn(kSecurity),
                         [](const auto& info) { return name(info.param.name); });

TEST(WirlessChecks, GuestKeyIndex) {
    std::array<GuestSsid, 3> guests{GuestSsid{1, true, true}, GuestSsid{2, true, false},
                                    GuestSsid{0, false, true}};
    EXPECT_EQ(checkGuestKeyIndex(true, 2, Auth::OpenSystem, guests),
              (box("The 11g master SSID's key index is same as Guest SSID1", "Warning")));
    EXPECT_EQ(checkGuestKeyIndex(true, 3, Auth::OpenSystem, guests), std::nullopt);  // guest 2 is off
    EXPECT_EQ(checkGuestKeyIndex(true, 1, Auth::SharedKey, guests), std::nullopt);   // guest 3 unencrypted
    EXPECT_EQ(checkGuestKeyIndex(false, 2, Auth::OpenSystem, guests), std::nullopt);
    EXPECT_EQ(checkGuestKeyIndex(true, 2, Auth::WpaPsk, guests), std::nullopt);
}

struct GuestCase {
    const char* name;
    std::optional<PageMode> mode;
    bool superGDisabled;
    std::optional<Auth> auth;
    GuestPlan plan;
};

class WirlessGuestRule : public ::testing::TestWithParam<GuestCase> {};

TEST_P(WirlessGuestRule, WhatTheGuestsLose) {
    const auto& c = GetParam();
    const GuestPlan p = guestRule(c.mode, c.superGDisabled, c.auth);
    EXPECT_EQ(p.set, c.plan.set);
    EXPECT_EQ(p.vlanOff, c.plan.vlanOff);
    EXPECT_EQ(p.statesOff, c.plan.statesOff);
    EXPECT_EQ(p.encryptionsOff, c.plan.encryptionsOff);
}

const GuestCase kGuests[] = {
    {"ApWep", PageMode::AccessPoint, true, Auth::SharedKey, {}},
    // "Open System / Shared Key" is WEP too: the guests keep their encryption.
    {"ApOpenShared", PageMode::AccessPoint, true, Auth::OpenShared, {}},
    {"ApWpa", PageMode::AccessPoint, true, Auth::WpaPsk, {true, false, false, true}},
    {"ApTurboWep", PageMode::AccessPoint, false, Auth::OpenSystem, {true, true, true, true}},
    {"WdsOpenShared", PageMode::Wds, true, Auth::OpenShared, {true, true, true, false}},
    {"WdsWpa", PageMode::Wds, true, Auth::WpaEap, {true, true, true, true}},
    {"UnreadAuth", PageMode::Wds, true, std::nullopt, {}},
};

INSTANTIATE_TEST_SUITE_P(Table, WirlessGuestRule, ::testing::ValuesIn(kGuests),
                         [](const auto& info) { return name(info.param.name); });

TEST(WirlessMultiSsid, EapSecondariesOpenedByTheirOwnIndex) {
    MultiSsidInput in;
    in.primary = Auth::WpaPsk;
    // The table as walked, SSIDs 2, 4 to 6 missing: each row keeps its own number.
    in.secondaries = secondarySsids({{"1", "Enabled", "qmx", "WPA-PSK", "Enabled", "First"},
                                     {"3", "Enabled", "a", "WPA-EAP", "Enabled", "First"},
                                     {"7", "Enabled", "b", "WPA2-EAP", "Disabled", "First"},
                                     {"8", "Enabled", "c", "WPA-Auto-EAP", "Enabled", "First"}});
    ASSERT_EQ(in.secondaries.size(), 3u);
    MultiSsidPlan p = multiSsidRule(in);
    EXPECT_EQ(p.toOpen, (std::vector<int>{3, 8}));
    EXPECT_EQ(checkMultiSsidNames("c", in.secondaries)->message, u"The Primary SSID's SSID is same as Multi-SSID 7");
    ASSERT_EQ(p.warningsBefore.size(), 1);
    EXPECT_EQ(
        p.warningsBefore[0],
        u"To change authentication type of Primary SSID will change WPA-Enterprise of Secondary SSID to non "
        u"security.");
    EXPECT_EQ(multiSsidEncryptionItem(3), 1);
    EXPECT_EQ(multiSsidAuthItem(3), 8);
    EXPECT_EQ(multiSsidAuthItem(8), 13);
    EXPECT_EQ(multiSsidEncryptionItem(1), -1);
    EXPECT_EQ(multiSsidAuthItem(9), -1);
    // An EAP primary keeps its EAP secondaries.
    in.primary = Auth::Wpa2Eap;
    EXPECT_TRUE(multiSsidRule(in).toOpen.empty());
}

TEST(WirlessMultiSsid, KeyConflictWepSlotsAndIntervals) {
    MultiSsidInput in;
    in.primary = Auth::OpenSystem;
    in.encryptionOn = true;
    in.validKeyText = "Second";
    in.secondaries = {{2, "Enabled", "a", "Shared Key", "Enabled", "Second"}};
    MultiSsidPlan p = multiSsidRule(in);
    ASSERT_EQ(p.warningsAfter.size(), 1);
    EXPECT_EQ(p.warningsAfter[0],
              u"Key value is used by SSID! \nTo change Key value affects other SSID settings.");

    in.primary = Auth::WpaPsk;
    p = multiSsidRule(in);
    ASSERT_EQ(p.warningsBefore.size(), 1);
    EXPECT_TRUE(p.warningsBefore[0].startsWith(u"WPA or PSK will use key slot 2 and 3.\n"));
    EXPECT_TRUE(p.warningsAfter.isEmpty());

    in.secondaries = {{2, "Enabled", "a", "WPA2-PSK", "Enabled", "First"}};
    in.groupKeyPsk = "900";
    in.groupKey = "300";
    in.savedGroupKey = "300";
    p = multiSsidRule(in);
    EXPECT_EQ(p.groupKey, QString("900"));
    ASSERT_EQ(p.warningsAfter.size(), 1);
    EXPECT_TRUE(p.warningsAfter[0].startsWith(u"Group Key Update Interval is used by SSID!\n"));
    in.savedGroupKey.clear();
    EXPECT_EQ(multiSsidRule(in).groupKey, std::nullopt);
}

// Apply's checks run in their order and stop at the first failure.
struct ApplyCase {
    const char* name;
    std::function<void(ApplyInput&)> change;
    const char* message;  // the failing check's, "" when Apply goes on
    const char* focus = "";
};

class WirlessApplyOrder : public ::testing::TestWithParam<ApplyCase> {};

// A good Apply of an access point with WPA-PSK on firmware with multiple SSIDs.
ApplyInput goodApply() {
    ApplyInput in;
    in.newMultiSupport = 1;
    in.ssidA = "qmx";
    in.mode = PageMode::AccessPoint;
    in.device = ApMode::AccessPoint;
    in.security = psk("600", "passphrase");
    in.superGDisabled = true;
    return in;
}

TEST_P(WirlessApplyOrder, FirstFailingCheckEndsApply) {
    ApplyInput in = goodApply();
    GetParam().change(in);
    const auto r = checkApply(in);
    if (!*GetParam().message) {
        ASSERT_TRUE(std::holds_alternative<ApplyPlan>(r)) << std::get<CheckFailure>(r).message.toStdString();
        return;
    }
    ASSERT_TRUE(std::holds_alternative<CheckFailure>(r));
    EXPECT_EQ(std::get<CheckFailure>(r).message, QString::fromUtf8(GetParam().message));
    EXPECT_EQ(std::get<CheckFailure>(r).focus, QString::fromUtf8(GetParam().focus));
}

void badPeers(ApplyInput& in) {
    in.mode = PageMode::WdsWithAp;
    in.device = ApMode::PtpBridge;
}
void duplicatePeers(ApplyInput& in) {
    in.wds[0] = in.wds[3] = "001122AABBCC";
}
void sameSecondaryName(ApplyInput& in) {
    in.multiSsidEnabled = true;
    in.secondaries = {{2, "Enabled", "qmx", "Open System", "Disabled", "First"}};
}
void guestOnSecondKey(ApplyInput& in) {
    in.newMultiSupport = 0;
    in.security = wep(0, 0, 1, "0011223344");
    in.guests[2] = {1, true, true};
}

const ApplyCase kApply[] = {
    {"Good", [](ApplyInput&) {}, ""},
    {"SsidFirst",
     [](ApplyInput& in) {
         in.ssidA = " qmx";
         badPeers(in);
     },
     "The first character can't be blank.", "Ed_SSIDa"},
    {"BasicChecksOnlyTheSsids",
     [](ApplyInput& in) {
         in.variant = Variant::Basic;
         badPeers(in);
         in.security = psk("1", "");
     },
     ""},
    {"NamesBeforeDuplicates",
     [](ApplyInput& in) {
         sameSecondaryName(in);
         duplicatePeers(in);
     },
     "The Primary SSID's SSID is same as Multi-SSID 1", "Ed_SSIDa"},
    {"NamesOnlyWhileMultiSsidIsOn",
     [](ApplyInput& in) {
         sameSecondaryName(in);
         in.multiSsidEnabled = false;
         duplicatePeers(in);
     },
     "Exist same MAC address.", "Ed_ReMAddra3"},
    {"PeersBeforeSecurity",
     [](ApplyInput& in) {
         badPeers(in);
         in.security = psk("1", "");
     },
     "Please input MAC address in first blank space!", "Ed_ReMAddra0"},
    {"Security", [](ApplyInput& in) { in.security = psk("600", "short"); },
     "The length of 802.11g PassPhrase is between 8 and 63.", "PassPhrasePSKEdit"},
    {"SecurityBeforeGuests",
     [](ApplyInput& in) {
         guestOnSecondKey(in);
         in.security.keys[1] = "00";
     },
     "The Length of the 2nd key in IEEE802.11g must be 10!"},
    {"GuestKeyIndex", guestOnSecondKey, "The 11g master SSID's key index is same as Guest SSID3"},
    {"GuestsOnlyWithoutMultipleSsids",
     [](ApplyInput& in) {
         guestOnSecondKey(in);
         in.newMultiSupport = 1;
     },
     ""},
};

INSTANTIATE_TEST_SUITE_P(Table, WirlessApplyOrder, ::testing::ValuesIn(kApply),
                         [](const auto& info) { return name(info.param.name); });

TEST(WirlessApply, PlanCarriesEveryChecksItems) {
    ApplyInput in = goodApply();
    in.newMultiSupport = 0;
    auto plan = std::get<ApplyPlan>(checkApply(in));
    EXPECT_TRUE(plan.macs.apModeSent);
    EXPECT_TRUE(plan.macs.primarySsidSent);
    EXPECT_TRUE(plan.security.pskSent);
    EXPECT_TRUE(plan.guests.set);
    EXPECT_TRUE(plan.guests.encryptionsOff);
    in.variant = Variant::Basic;
    plan = std::get<ApplyPlan>(checkApply(in));
    EXPECT_FALSE(plan.macs.apModeSent);
    EXPECT_FALSE(plan.guests.set);
}

TEST(WirlessApply, WaitTicksAndMessages) {
    EXPECT_EQ(waitTicksFor(PageMode::WdsWithAp), 50);
    EXPECT_EQ(waitTicksFor(PageMode::Wds), 50);
    EXPECT_EQ(waitTicksFor(PageMode::Client), std::nullopt);
    EXPECT_EQ(wepKeyLengthMessage(3, 5), u"The Length of the 3rd key in IEEE802.11g must be 5!");
    EXPECT_EQ(wepKeyLengthMessage(4, 16), u"The Lengh of the 4th key in IEEE802.11g must be 16!");
}

}  // namespace
