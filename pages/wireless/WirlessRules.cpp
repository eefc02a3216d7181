#include "pages/wireless/WirlessRules.h"

#include <algorithm>

#include "module/AddrCheck.h"
#include "pages/wireless/PerformaceRules.h"

namespace WirlessRules {

using KeyRules::isHexText;
using PerformaceRules::intOr;

namespace {

const QString kMultiSsidApOnly =
    QStringLiteral("If AP Mode is not \"Access Point\",\nThe Multi-SSID should be set to \"Disabled\".");
const QString kMultiSsidApOrWds = QStringLiteral(
    "If AP Mode is not \"Access Point,WDS with AP\",\nThe Multi-SSID should be set to \"Disabled\".");
const QString kSuperGWarning =
    QStringLiteral("If Super G is not \"Disable\",\nThe Multi-SSID should be set to \"Disabled\".");
const QString kPleaseInputSsid = QStringLiteral("Please Input SSID.");
const QString kFirstCharBlank = QStringLiteral("The first character can't be blank.");
const QString kRootMacLength = QStringLiteral("The length is 12 in IEEE802.11g Root AP MAC Address.");
const QString kFirstBlankMac = QStringLiteral("Please input MAC address in first blank space!");
const QString& kHexDigits = KeyRules::kHexDigitsMessage;
const QString kIntervalRange = QStringLiteral("Please input a number between 300 and 9999999.");

bool isWdsMode(std::optional<PageMode> m) {
    return m == PageMode::WdsWithAp || m == PageMode::Wds;
}

bool isWep(std::optional<Auth> a) {
    return a && authClass(*a) == AuthClass::Wep;
}

CheckFailure fail(const QString& message, const QString& caption, const QString& focus = {}) {
    return CheckFailure{message, caption, focus};
}

bool startsWithBlank(const QString& text) {
    return !text.isEmpty() && text.front() == u' ';
}

bool inIntervalRange(const QString& text) {
    const int n = intOr(text, 0);
    return !text.isEmpty() && n >= 300 && n <= 9999999;
}

}  // namespace

// ---- Capabilities and variant -------------------------------------------------------------------

Capabilities capabilitiesFrom(const CapabilityTexts& t) {
    Capabilities c;
    c.newMultiSupport = intOr(t.newMultiSupport, 0);
    c.multiSsid = t.ifMultiSSID == u"1";
    c.keyTypeSupported = t.keyTypeSupport == u"1";
    c.apModes = intOr(t.apModeSupport, 0);
    c.newModeNames = t.apModeStringChange == u"1";
    c.mssidAndWds = t.mssidAndWds == u"1";
    c.firmware = t.firmware;
    c.modelName = t.modelName;
    return c;
}

Variant pageVariant(const Capabilities& caps) {
    if (caps.multiSsid) return Variant::Full;
    const QString fw = caps.firmware.mid(1, 4);
    const bool newFirmware = fw == u"2.10" || fw == u"2.20";
    return caps.modelName.mid(4, 4) == u"7140" && newFirmware ? Variant::Full : Variant::Basic;
}

VariantTops variantTops(Variant v) {
    if (v == Variant::Full) return {82, 78, 106, 103, 0};
    return {62, 58, 96, 93, -480};
}

// ---- AP modes -----------------------------------------------------------------------------------

const QStringList& deviceApModeNames() {
    static const QStringList names{QStringLiteral("Access Point"), QStringLiteral("PtP Bridge"),
                                   QStringLiteral("PtMP Bridge"),  QStringLiteral("Universal Repeater"),
                                   QStringLiteral("AP Client"),    QStringLiteral("PtP Without"),
                                   QStringLiteral("P2MP Without")};
    return names;
}

std::optional<ApMode> apModeFromText(const QString& deviceText) {
    const auto i = deviceApModeNames().indexOf(deviceText);
    if (i < 0) return std::nullopt;
    return static_cast<ApMode>(i);
}

QString apModeText(ApMode mode) {
    return deviceApModeNames().at(static_cast<int>(mode));
}

std::vector<ApModeEntry> apModeEntries(const Capabilities& caps) {
    const int bits = caps.apModes;
    const bool wdsNames = bits > 31;
    std::vector<ApModeEntry> out;
    if (bits & 16) out.push_back({PageMode::AccessPoint, QStringLiteral("Access Point")});
    if (bits & (8 | 4))
        out.push_back(
            {PageMode::WdsWithAp, wdsNames ? QStringLiteral("WDS with AP") : QStringLiteral("PtP Bridge")});
    if (bits & (64 | 32))
        out.push_back({PageMode::Wds, wdsNames ? QStringLiteral("WDS") : QStringLiteral("PtMP Bridge")});
    if (bits & 2)
        out.push_back({PageMode::Repeater, caps.newModeNames ? QStringLiteral("Universal Repeater")
                                                             : QStringLiteral("AP Reperter")});
    if (bits & 1)
        out.push_back({PageMode::Client,
                       caps.newModeNames ? QStringLiteral("Wireless Client") : QStringLiteral("AP Client")});
    return out;
}

PageMode pageModeOf(ApMode device, const Capabilities& caps) {
    const bool wdsNames = caps.apModes > 31;
    switch (device) {
        case ApMode::AccessPoint:
            return PageMode::AccessPoint;
        case ApMode::PtpBridge:
            return PageMode::WdsWithAp;
        case ApMode::PtmpBridge:
            return wdsNames ? PageMode::WdsWithAp : PageMode::Wds;
        case ApMode::UniversalRepeater:
            return PageMode::Repeater;
        case ApMode::ApClient:
            return PageMode::Client;
        case ApMode::PtpWithout:
            return wdsNames ? PageMode::Wds : PageMode::WdsWithAp;
        case ApMode::P2mpWithout:
            break;
    }
    return PageMode::Wds;
}

ApMode deviceModeFor(PageMode page, const Capabilities& caps) {
    const bool wdsNames = caps.apModes > 31;
    switch (page) {
        case PageMode::AccessPoint:
            return ApMode::AccessPoint;
        case PageMode::WdsWithAp:
            return wdsNames ? ApMode::PtmpBridge : ApMode::PtpBridge;
        case PageMode::Wds:
            return wdsNames ? ApMode::P2mpWithout : ApMode::PtmpBridge;
        case PageMode::Repeater:
            return ApMode::UniversalRepeater;
        case PageMode::Client:
            break;
    }
    return ApMode::ApClient;
}

int apModeEntryFor(const std::vector<ApModeEntry>& entries, std::optional<ApMode> device,
                   const Capabilities& caps) {
    if (!device) return -1;
    const PageMode wanted = pageModeOf(*device, caps);
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].mode == wanted) return static_cast<int>(i);
    return -1;
}

std::optional<PageMode> effectiveMode(std::optional<PageMode> chosen, std::optional<ApMode> device,
                                      const Capabilities& caps) {
    if (chosen) return chosen;
    if (device) return pageModeOf(*device, caps);
    return std::nullopt;
}

QString modeChoiceWarning(PageMode chosen, const Capabilities& caps, bool multiSsidEnabled) {
    if (!multiSsidEnabled) return {};
    if (caps.newMultiSupport == 1 && caps.mssidAndWds)
        return chosen == PageMode::AccessPoint || chosen == PageMode::WdsWithAp ? QString()
                                                                                : kMultiSsidApOrWds;
    if (caps.newMultiSupport == 0 || caps.newMultiSupport == 1)
        return chosen == PageMode::AccessPoint ? QString() : kMultiSsidApOnly;
    return {};
}

// ---- Layout by mode -----------------------------------------------------------------------------

ModeLayout modeLayout(std::optional<PageMode> mode) {
    if (isWdsMode(mode)) {
        const QString caption = mode == PageMode::WdsWithAp ? QStringLiteral(" WDS with AP ")
                                                            : QStringLiteral(" WDS without AP ");
        return {true, true, false, caption, {}, 272, 268, 289, 127, 199, 440, 437, 521, true};
    }
    // The repeater copies a root AP's address, the client joins an SSID: each edits its own field.
    if (mode == PageMode::Repeater)
        return {false, false, true, {},   QStringLiteral(" Universal Repeater "), 328, 324, 345, 127, 199,
                496,   493,   577,  false};
    if (mode == PageMode::Client)
        return {false, false, true, {},   QStringLiteral(" AP Client "), 328, 324, 345, 127, 199,
                496,   493,   577,  false};
    return {true, false, false, {}, {}, 132, 128, 149, 127, 199, 300, 297, 381, true};
}

// ---- Authentication ------------------------------------------------------------------------------

AuthClass authClass(Auth a) {
    switch (a) {
        case Auth::OpenSystem:
        case Auth::SharedKey:
        case Auth::OpenShared:
            return AuthClass::Wep;
        case Auth::WpaPsk:
        case Auth::Wpa2Psk:
        case Auth::WpaAutoPsk:
            return AuthClass::Psk;
        default:
            return AuthClass::Eap;
    }
}

const QStringList& deviceAuthNames() {
    static const QStringList names{QStringLiteral("Open System"),
                                   QStringLiteral("Shared Key"),
                                   QStringLiteral("Open System / Shared Key"),
                                   QStringLiteral("WPA-PSK"),
                                   QStringLiteral("WPA-EAP"),
                                   QStringLiteral("WPA2-PSK"),
                                   QStringLiteral("WPA2-EAP"),
                                   QStringLiteral("WPA-Auto-PSK"),
                                   QStringLiteral("WPA-Auto-EAP")};
    return names;
}

std::optional<Auth> authFromText(const QString& deviceText) {
    const auto i = deviceAuthNames().indexOf(deviceText);
    if (i < 0) return std::nullopt;
    return static_cast<Auth>(i);
}

QString authText(Auth a) {
    return deviceAuthNames().at(static_cast<int>(a));
}

namespace {

std::vector<AuthEntry> offeredAuthEntries(int newMultiSupport, std::optional<PageMode> mode) {
    auto own = [](std::initializer_list<Auth> list) {
        std::vector<AuthEntry> out;
        for (Auth a : list) out.push_back({a, authText(a)});
        return out;
    };
    using enum Auth;
    const AuthEntry personal{WpaPsk, QStringLiteral("WPA-Personal")};
    if (newMultiSupport != 0) {
        if (isWdsMode(mode)) return own({OpenSystem, SharedKey, OpenShared, WpaPsk, Wpa2Psk, WpaAutoPsk});
        if (mode == PageMode::Client) return own({OpenSystem, SharedKey, WpaPsk, Wpa2Psk, WpaAutoPsk});
        if (mode == PageMode::Repeater) {
            auto out = own({OpenSystem, SharedKey, OpenShared});
            out.push_back(personal);
            out.push_back({Wpa2Psk, QStringLiteral("WPA2-Personal")});
            out.push_back({WpaAutoPsk, QStringLiteral("WPA-Auto-Personal")});
            return out;
        }
        return own(
            {OpenSystem, SharedKey, OpenShared, WpaEap, WpaPsk, Wpa2Eap, Wpa2Psk, WpaAutoEap, WpaAutoPsk});
    }
    if (isWdsMode(mode) || mode == PageMode::Client) return own({OpenSystem, SharedKey, OpenShared});
    if (mode == PageMode::Repeater) {
        auto out = own({OpenSystem, SharedKey});
        out.push_back(personal);
        return out;
    }
    auto out = own({OpenSystem, SharedKey, OpenShared});
    out.push_back(personal);
    out.push_back({WpaEap, QStringLiteral("WPA-Enterprise")});
    return out;
}

}  // namespace

std::vector<AuthEntry> authEntries(int newMultiSupport, std::optional<PageMode> mode) {
    std::vector<AuthEntry> out = offeredAuthEntries(newMultiSupport, mode);
    if (mode)
        std::erase_if(out, [&](const AuthEntry& e) { return !selectedGroup(mode, e.auth); });
    return out;
}

int authEntryFor(const std::vector<AuthEntry>& entries, std::optional<Auth> device) {
    if (!device) return -1;
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].auth == *device) return static_cast<int>(i);
    return -1;
}

std::optional<Auth> authForApply(std::optional<Auth> chosen, std::optional<Auth> device) {
    return chosen ? chosen : device;
}

// ---- Security groups and keys -------------------------------------------------------------------

std::optional<SecurityGroup> securityGroup(std::optional<PageMode> mode, std::optional<Auth> auth) {
    if (!mode || !auth) return std::nullopt;
    const AuthClass c = authClass(*auth);
    if (mode == PageMode::Client) {
        if (auth == Auth::OpenSystem || auth == Auth::SharedKey) return SecurityGroup::Keys;
        if (auth == Auth::WpaPsk || auth == Auth::Wpa2Psk) return SecurityGroup::PassPhrase;
        return std::nullopt;
    }
    if (c == AuthClass::Wep) return SecurityGroup::Keys;
    if (c == AuthClass::Psk) return SecurityGroup::PassPhrase;
    return mode == PageMode::AccessPoint ? std::optional(SecurityGroup::Radius) : std::nullopt;
}

EncryptionRule encryptionRule(SecurityGroup shown, std::optional<Auth> auth) {
    if (shown == SecurityGroup::Keys && auth && auth != Auth::OpenSystem) return {1, false};
    return {std::nullopt, true};
}

std::vector<MultiSsidRow> secondarySsids(const std::vector<std::array<QString, 6>>& rows) {
    std::vector<MultiSsidRow> out;
    for (size_t i = 0; i < rows.size(); ++i) {
        const auto& r = rows[i];
        bool known = false;
        const int index = r[0].toInt(&known);
        if (known ? index == 1 : i == 0) continue;
        out.push_back({known ? index : static_cast<int>(i) + 1, r[1], r[2], r[3], r[4], r[5]});
    }
    return out;
}

bool wpaSecondaryUsesKeys(const std::vector<MultiSsidRow>& secondaries) {
    for (const auto& r : secondaries)
        if (r.state == u"Enabled" && r.encryption != u"Disabled" && !isWep(authFromText(r.auth))) return true;
    return false;
}

// ---- Channels and Super G -----------------------------------------------------------------------

QString channelListOrDefault(const QString& text) {
    return text.isEmpty() ? kDefaultChannels : text;
}

ChannelFill fillChannels(const QString& listText, const QString& current) {
    ChannelFill f{listText.split(QLatin1Char(' '), Qt::SkipEmptyParts), -1};
    f.index = static_cast<int>(f.items.indexOf(current));
    return f;
}

SuperGPlan superGChange(int newMultiSupport, const QString& superModeText, std::optional<PageMode> mode,
                        bool multiSsidEnabled) {
    SuperGPlan p;
    const bool dynamic = superModeText == u"Super G with Dynamic Turbo";
    const bool accessPoint = mode == PageMode::AccessPoint;
    if (newMultiSupport == 0 && superModeText == u"Super G with Static Turbo") {
        p.source = ChannelSource::Static;
    } else if ((newMultiSupport == 0 || newMultiSupport == 1) && dynamic) {
        p.source = ChannelSource::Dynamic;
        if (newMultiSupport == 1 && accessPoint) p.autoScanEnabled = p.channelEnabled = false;
    } else {
        p.restoreSavedChannel = true;
        if (newMultiSupport == 1 && accessPoint) {
            p.autoScanEnabled = true;
            p.autoScanRule = true;
        }
    }
    // An unread mode raises no warning: there is nothing the user chose.
    if (multiSsidEnabled && !superModeText.isEmpty() && superModeText != u"Disable")
        p.warning = kSuperGWarning;
    return p;
}

ScanControls scanControls(std::optional<PageMode> mode, int superModeIndex) {
    ScanControls s;
    if (!mode) return s;
    s.autoScanRule = true;
    if (mode == PageMode::AccessPoint) {
        s.autoScanEnabled = superModeIndex != 1;
        return s;
    }
    s.untick = true;
    s.autoScanEnabled = false;
    if (!isWdsMode(mode)) s.channelEnabled = false;
    return s;
}

QStringList pskCiphers(std::optional<PageMode> mode) {
    const QString autoC = QStringLiteral("Auto"), aes = QStringLiteral("AES"), tkip = QStringLiteral("TKIP");
    if (mode == PageMode::WdsWithAp) return {autoC, aes};
    if (mode == PageMode::Wds) return {aes};
    if (mode == PageMode::Client) return {aes, tkip};
    return {autoC, aes, tkip};
}

int indexOrFirst(const QStringList& items, const QString& text) {
    const auto i = items.indexOf(text);
    if (i >= 0) return static_cast<int>(i);
    return items.isEmpty() ? -1 : 0;
}

// ---- Peer addresses -----------------------------------------------------------------------------

QString clearEmptyMac(const QString& mac) {
    return mac == kEmptyMac ? QString() : mac;
}

MacEditable macEditable(std::optional<ApMode> device) {
    MacEditable e;
    if (!device) return e;
    switch (*device) {
        case ApMode::PtpBridge:
        case ApMode::PtpWithout:
            e.wds[0] = true;
            break;
        case ApMode::PtmpBridge:
        case ApMode::P2mpWithout:
            e.wds.fill(true);
            break;
        case ApMode::UniversalRepeater:
            e.rootMac = true;
            break;
        case ApMode::ApClient:
            e.clientRootMac = e.repeaterSsid = true;
            break;
        case ApMode::AccessPoint:
            break;
    }
    return e;
}

// ---- Apply --------------------------------------------------------------------------------------

std::optional<CheckFailure> checkSsids(const QString& ssidA, const QString& ssidG,
                                       const QString& repeaterSsid, std::optional<PageMode> mode) {
    if (ssidA.size() > 32 || ssidG.size() > 32)
        return fail(QStringLiteral("The Max Length of SSID is 32.!"), kWarning);
    if (ssidA.isEmpty()) return fail(kPleaseInputSsid, kWarning);
    if (startsWithBlank(ssidA)) return fail(kFirstCharBlank, kError, QStringLiteral("Ed_SSIDa"));
    if (mode == PageMode::Repeater && repeaterSsid.isEmpty()) {
        CheckFailure f = fail(kPleaseInputSsid, kWarning, QStringLiteral("Ed_SSID"));
        f.resetMacs = false;
        f.unlockRepeaterSsid = true;
        return f;
    }
    return std::nullopt;
}

std::optional<CheckFailure> checkMultiSsidNames(const QString& ssidA,
                                                const std::vector<MultiSsidRow>& secondaries) {
    // Numbered as the secondary SSIDs are, 1 for SSID 2.
    for (const auto& r : secondaries)
        if (r.state.contains(u"Enable") && r.ssid == ssidA)
            return fail(QStringLiteral("The Primary SSID's SSID is same as Multi-SSID %1").arg(r.index - 1),
                        kWarning, QStringLiteral("Ed_SSIDa"));
    return std::nullopt;
}

std::optional<CheckFailure> checkDuplicateMacs(const std::array<QString, 8>& wds) {
    for (size_t i = 0; i < wds.size(); ++i) {
        const QString a = wds[i].toUpper();
        if (a.isEmpty() || a == kEmptyMac) continue;
        for (size_t j = i + 1; j < wds.size(); ++j)
            if (wds[j].toUpper() == a)
                return fail(QStringLiteral("Exist same MAC address."), kWarning,
                            QStringLiteral("Ed_ReMAddra%1").arg(j));
    }
    return std::nullopt;
}

std::variant<CheckFailure, MacPlan> checkMacInputs(std::optional<ApMode> device,
                                                   const std::array<QString, 8>& wds, const QString& rootMac,
                                                   const QString& repeaterSsid) {
    MacPlan p;
    p.wds = wds;
    p.rootMacSent = !rootMac.isEmpty();
    p.repeaterSsidSent = !repeaterSsid.isEmpty();
    if (!device) return p;
    p.apModeSent = true;
    switch (*device) {
        case ApMode::AccessPoint:
            p.primarySsidSent = true;
            break;
        case ApMode::PtpBridge:
        case ApMode::PtpWithout:
            if (wds[0].isEmpty()) return fail(kFirstBlankMac, kWarning, QStringLiteral("Ed_ReMAddra0"));
            if (wds[0].size() != 12) return fail(kRootMacLength, kError);
            p.wdsSent[0] = p.primarySsidSent = true;
            break;
        case ApMode::PtmpBridge:
        case ApMode::P2mpWithout:
            if (wds[0].isEmpty()) return fail(kFirstBlankMac, kWarning, QStringLiteral("Ed_ReMAddra0"));
            for (QString& mac : p.wds) {
                if (mac.isEmpty()) mac = kEmptyMac;
                if (mac.size() != 12)
                    return fail(QStringLiteral("The length is 12 in IEEE802.11g MAC address."), kError);
            }
            p.wdsSent.fill(true);
            p.primarySsidSent = true;
            break;
        case ApMode::UniversalRepeater:
            if (rootMac.isEmpty())
                return fail(QStringLiteral("Please input MAC address in blank space!"), kError,
                            QStringLiteral("Ed_RoMAddra0"));
            if (rootMac.size() != 12) return fail(kRootMacLength, kError);
            break;
        case ApMode::ApClient:
            if (repeaterSsid.isEmpty())
                return fail(QStringLiteral("Please input the SSID."), kWarning, QStringLiteral("Ed_SSID"));
            if (startsWithBlank(repeaterSsid))
                return fail(kFirstCharBlank, kError, QStringLiteral("Ed_SSID"));
            break;
    }
    return p;
}

QString wepKeyLengthMessage(int keyNumber, int length) {
    return KeyRules::keyLengthMessage(keyNumber, length, QStringLiteral("IEEE802.11g"));
}

std::variant<CheckFailure, SecurityPlan> checkSecurityInputs(const SecurityInput& in) {
    SecurityPlan p;
    if (!in.auth) return p;
    p.authSent = p.encryptionSent = true;
    switch (authClass(*in.auth)) {
        case AuthClass::Wep: {
            if (in.encryptionIndex == 0) break;
            const int edit = keyEditFor(in.validKeyIndex, in.validKeyCount);
            if (edit < 0) break;
            p.validKeySent = true;
            // The device's masked key stays as it is: it is neither checked nor written back.
            using O = KeyRules::WepKeyCheck::Outcome;
            const KeyRules::WepKeyCheck key =
                KeyRules::checkWepKey(in.keys[edit], in.keyTypeIndex, in.keySizeIndex);
            if (key.outcome == O::Masked) break;
            if (key.outcome == O::WrongLength)
                return fail(wepKeyLengthMessage(edit + 1, key.neededLength), kWarning);
            if (key.outcome == O::NotHex) return fail(kHexDigits, {});
            if (in.keyTypeIndex == 1) p.validKeyText = key.hex;
            p.keySent[edit] = true;
            break;
        }
        case AuthClass::Psk:
            if (!inIntervalRange(in.groupKeyPsk)) {
                CheckFailure f = fail(kIntervalRange, kError, QStringLiteral("GroupKeyPSKEdit"));
                f.emptyFocus = true;
                return f;
            }
            // A passphrase the device shows masked is its own: written back, the asterisks would
            // become the passphrase, so it is neither checked nor written.
            p.passPhraseSent = !isMaskedKey(in.passPhrase);
            if (p.passPhraseSent && (in.passPhrase.size() < 8 || in.passPhrase.size() > 63))
                return fail(QStringLiteral("The length of 802.11g PassPhrase is between 8 and 63."), kError,
                            QStringLiteral("PassPhrasePSKEdit"));
            p.pskSent = true;
            break;
        case AuthClass::Eap:
            if (!inIntervalRange(in.groupKey)) {
                CheckFailure f = fail(kIntervalRange, kError, QStringLiteral("GroupKeyEdit"));
                f.emptyFocus = true;
                return f;
            }
            if (!IsValidIPAddress(in.radiusServer))
                return fail(QStringLiteral("The Radius server's IP is illegal."), kError,
                            QStringLiteral("RadiusServerEdit"));
            if (in.radiusPort.isEmpty())
                return fail(QStringLiteral("Please input a number between 1 and 65535."), kError,
                            QStringLiteral("RadiusportEdit"));
            p.radiusSent = true;
            p.radiusSecretSent = !isMaskedKey(in.radiusSecret);
            break;
    }
    return p;
}

std::optional<CheckFailure> checkGuestKeyIndex(bool validKeyEnabled, int keyNumber, std::optional<Auth> auth,
                                               const std::array<GuestSsid, 3>& guests) {
    if (!validKeyEnabled || !isWep(auth)) return std::nullopt;
    for (size_t i = 0; i < guests.size(); ++i)
        if (guests[i].keyIndex == keyNumber - 1 && guests[i].encrypted && guests[i].enabled)
            return fail(QStringLiteral("The 11g master SSID's key index is same as Guest SSID%1").arg(i + 1),
                        kWarning);
    return std::nullopt;
}

GuestPlan guestRule(std::optional<PageMode> mode, bool superGDisabled, std::optional<Auth> auth) {
    // An unread authentication writes nothing: the guests' security is not the page's to guess.
    if (!auth) return {};
    // Every WEP authentication leaves the guests' WEP alone, "Open System / Shared Key" too.
    const bool wep = isWep(auth);
    if (mode == PageMode::AccessPoint && superGDisabled)
        return wep ? GuestPlan{} : GuestPlan{true, false, false, true};
    return {true, true, true, !(wep && superGDisabled)};
}

MultiSsidPlan multiSsidRule(const MultiSsidInput& in) {
    MultiSsidPlan p;
    if (!in.primary) return p;
    const AuthClass primary = authClass(*in.primary);
    auto active = [](const MultiSsidRow& r) { return r.state == u"Enabled" && r.encryption == u"Enabled"; };
    bool keyConflict = false, intervalChanged = false;
    if (primary != AuthClass::Eap)
        for (const auto& r : in.secondaries)
            if (active(r) && (r.auth.contains(u"EAP") || r.auth.contains(u"Enterprise")))
                p.toOpen.push_back(r.index);
    if (primary == AuthClass::Wep && in.encryptionOn)
        for (const auto& r : in.secondaries)
            keyConflict = keyConflict || (active(r) && r.keyIndex == in.validKeyText &&
                                          (r.auth.contains(u"Open") || r.auth.contains(u"Shared")));
    if (primary != AuthClass::Wep) {
        const QString& mine = primary == AuthClass::Eap ? in.groupKey : in.groupKeyPsk;
        for (const auto& r : in.secondaries) {
            if (!active(r)) continue;
            if (isWep(authFromText(r.auth))) {
                if (r.keyIndex == u"First" || r.keyIndex == u"Fourth") continue;
                p.warningsBefore << QStringLiteral(
                    "WPA or PSK will use key slot 2 and 3.\nOther Multiple SSID which uses WEP key 2 and 3 "
                    "will be set "
                    "to no security.");
                break;
            }
            if (!in.savedGroupKey.isEmpty() && mine != in.savedGroupKey) {
                p.groupKey = mine;
                intervalChanged = true;
                break;
            }
        }
    }
    if (!p.toOpen.empty())
        p.warningsBefore << QStringLiteral(
            "To change authentication type of Primary SSID will change WPA-Enterprise of Secondary SSID to "
            "non "
            "security.");
    if (keyConflict)
        p.warningsAfter << QStringLiteral(
            "Key value is used by SSID! \nTo change Key value affects other SSID settings.");
    if (intervalChanged)
        p.warningsAfter << QStringLiteral(
            "Group Key Update Interval is used by SSID!\nTo change Group Key Update Interval affects other "
            "SSID "
            "settings.");
    return p;
}

std::variant<CheckFailure, ApplyPlan> checkApply(const ApplyInput& in) {
    if (auto f = checkSsids(in.ssidA, in.ssidG, in.repeaterSsid, in.mode)) return *f;
    ApplyPlan plan;
    if (in.variant == Variant::Basic) return plan;
    if (in.newMultiSupport == 1 && in.multiSsidEnabled)
        if (auto f = checkMultiSsidNames(in.ssidA, in.secondaries)) return *f;
    if (auto f = checkDuplicateMacs(in.wds)) return *f;
    auto macs = checkMacInputs(in.device, in.wds, in.rootMac, in.repeaterSsid);
    if (auto* f = std::get_if<CheckFailure>(&macs)) return *f;
    plan.macs = std::get<MacPlan>(macs);
    auto security = checkSecurityInputs(in.security);
    if (auto* f = std::get_if<CheckFailure>(&security)) return *f;
    plan.security = std::get<SecurityPlan>(security);
    if (in.newMultiSupport == 0) {
        const int keyNumber = keyEditFor(in.security.validKeyIndex, in.security.validKeyCount) + 1;
        if (auto f = checkGuestKeyIndex(in.validKeyEnabled, keyNumber, in.security.auth, in.guests))
            return *f;
        plan.guests = guestRule(in.mode, in.superGDisabled, in.security.auth);
    }
    return plan;
}

int multiSsidEncryptionItem(int ssid) {
    return ssid >= 2 && ssid <= 8 ? ssid - 2 : -1;
}

int multiSsidAuthItem(int ssid) {
    return ssid >= 2 && ssid <= 8 ? 7 + ssid - 2 : -1;
}

std::optional<std::vector<SecurityRequest>> selectedGroup(std::optional<PageMode> mode,
                                                          std::optional<Auth> auth) {
    using enum SecurityRequest;
    if (!mode || !auth) return std::nullopt;
    const AuthClass c = authClass(*auth);
    const bool psk2 = auth == Auth::WpaPsk || auth == Auth::Wpa2Psk;
    switch (*mode) {
        case PageMode::AccessPoint:
            if (c == AuthClass::Eap) return std::vector{Security, CipherRadius};
            break;
        case PageMode::WdsWithAp:
        case PageMode::Wds:
            if (c == AuthClass::Eap) return std::nullopt;
            break;
        case PageMode::Client:
            if (auth == Auth::OpenSystem || auth == Auth::SharedKey) return std::vector{Security};
            if (psk2) return std::vector{Security, CipherPsk};
            return std::nullopt;
        case PageMode::Repeater:
            if (c == AuthClass::Eap || (c == AuthClass::Psk && !psk2)) return std::nullopt;
            break;
    }
    if (c == AuthClass::Psk) return std::vector{Security, CipherPsk};
    return std::vector{Security};
}

std::optional<int> waitTicksFor(std::optional<PageMode> mode) {
    return isWdsMode(mode) ? std::optional(50) : std::nullopt;
}

// ---- Site survey --------------------------------------------------------------------------------

bool surveysAtOnce(std::optional<ApMode> device) {
    return device == ApMode::UniversalRepeater || device == ApMode::ApClient;
}

bool surveyTick(int& countdown) {
    if (countdown < 0) return false;
    --countdown;
    return countdown == -1;
}

std::optional<SurveyChoice> surveyChoice(std::optional<PageMode> mode, const QString& bssid,
                                         const QString& ssid) {
    if (mode != PageMode::Repeater && mode != PageMode::Client) return std::nullopt;
    return SurveyChoice{bssid, ssid};
}

}  // namespace WirlessRules
