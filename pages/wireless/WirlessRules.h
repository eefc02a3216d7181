#pragma once

// The wireless page's rules without its windows: the page variant, the AP-mode and authentication
// names on both sides, the layout each mode gives the page, the security groups and key fields, the
// channel and Super G rules, Apply's checks with their texts, and the site survey's steps. The page
// applies what these return to its controls.
//
// Every mode rule is keyed by the mode itself, never by a combo position: a firmware that lacks a
// mode shortens the list, and positions would then point at the wrong mode.

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <variant>
#include <vector>

#include "module/KeyRules.h"
#include "module/PageRules.h"

namespace WirlessRules {

// ---- Capabilities and variant -------------------------------------------------------------------

// The main window's capability texts, copied once when the page opens: the main window clears them
// every few seconds, and a page that read them later could switch to requests it never created.
struct CapabilityTexts {
    QString newMultiSupport, ifMultiSSID, firmware, keyTypeSupport, apModeSupport, apModeStringChange,
        mssidAndWds, modelName;
};
struct Capabilities {
    int newMultiSupport = 0;  // NewMultiSupport, 0 when not a number
    bool multiSsid = false;   // ifMultiSSID_Edit is "1"
    bool keyTypeSupported = false;
    int apModes = 0;  // APModeSupport bits, 0 when not a number
    bool newModeNames = false;
    bool mssidAndWds = false;
    QString firmware, modelName;
};
Capabilities capabilitiesFrom(const CapabilityTexts& texts);

enum class Variant { Full, Basic };
Variant pageVariant(const Capabilities& caps);

// What the basic variant changes: these controls hidden, the rows and buttons moved, the page
// control and the form shorter.
inline constexpr std::array<const char*, 10> kBasicHidden{
    "CB_AuSc",         "GroupBox1",   "GroupBox2", "GroupBox3", "Authentication",
    "Ed_SecAuthaTemp", "Ed_SecAutha", "GroupBox4", "ED_ApMode", "ED_APModeTempComboBox"};
struct VariantTops {
    int ssidBroadcastLabel, ssidBroadcast, superModeLabel, superMode;
    int buttonsShift;  // added to the buttons' top and subtracted from both heights
};
VariantTops variantTops(Variant v);

// ---- AP modes -----------------------------------------------------------------------------------

// The device's modes, adAPMode 1..7 in this order.
enum class ApMode {
    AccessPoint,
    PtpBridge,
    PtmpBridge,
    UniversalRepeater,
    ApClient,
    PtpWithout,
    P2mpWithout
};
inline constexpr int kApModeCount = 7;
const QStringList& deviceApModeNames();
// The device combo's text as a mode; nullopt for an unselected or unknown text.
std::optional<ApMode> apModeFromText(const QString& deviceText);
QString apModeText(ApMode mode);

// The page's modes. On firmware whose APModeSupport is 31 or less the two WDS entries read
// "PtP Bridge" and "PtMP Bridge" and stand for those device modes.
//
// The page AP-mode index, as the mode tables count it and as PageMode's values run: 0 the access
// point, 1 WDS with AP, 2 WDS, 3 the client ("AP Client", "Wireless Client") and 4 the repeater
// ("Universal Repeater", "AP Reperter"). Index 3 is the client in every table: it is captioned
// " AP Client " with the root AP's SSID to type, and it offers what a station joins with (one WEP
// authentication, WPA or WPA2 but not both, AES or TKIP but not "Auto"), which is what
// SetSelectedGroup writes for "AP Client"; index 4, the repeater, is captioned " Universal Repeater "
// with the root AP's address to type. The combo lists the repeater before the client, and only the
// modes the firmware offers, so no rule here goes by a combo position.
enum class PageMode { AccessPoint, WdsWithAp, Wds, Client, Repeater };
struct ApModeEntry {
    PageMode mode;
    QString text;
};
// The page combo's entries by the capability bits, in the page's order.
std::vector<ApModeEntry> apModeEntries(const Capabilities& caps);
// The page mode that shows a device mode (also when the firmware offers no entry for it).
PageMode pageModeOf(ApMode device, const Capabilities& caps);
// The device mode a user's choice writes.
ApMode deviceModeFor(PageMode page, const Capabilities& caps);
// The entry that shows the device mode: its index, or -1 when the firmware lists none for it.
int apModeEntryFor(const std::vector<ApModeEntry>& entries, std::optional<ApMode> device,
                   const Capabilities& caps);
// The mode the page's rules follow: the page's choice, else the device's mode.
std::optional<PageMode> effectiveMode(std::optional<PageMode> chosen, std::optional<ApMode> device,
                                      const Capabilities& caps);
// The warning a user's mode choice raises while the multiple SSIDs are on; empty when none.
QString modeChoiceWarning(PageMode chosen, const Capabilities& caps, bool multiSsidEnabled);

// ---- Layout by mode -----------------------------------------------------------------------------

struct ModeLayout {
    bool ssidRowVisible;   // Label1, Ed_SSIDa
    bool wdsVisible;       // GroupBox1
    bool repeaterVisible;  // GroupBox2 and GroupBox3
    QString wdsCaption;    // empty: unchanged
    QString repeaterCaption;
    int authLabelTop, authComboTop, securityTop;  // within the tab
    int repeaterTop = 127, surveyTop = 199;
    int buttonsTop, pageHeight, formHeight;  // formHeight is the outer height
    bool ssidBroadcastEnabled;
};
// An unknown mode lays the page out as an access point, which shows no mode's peers.
ModeLayout modeLayout(std::optional<PageMode> mode);

// ---- Authentication ------------------------------------------------------------------------------

// adSecAuthentication 1..9 in this order.
enum class Auth {
    OpenSystem,
    SharedKey,
    OpenShared,
    WpaPsk,
    WpaEap,
    Wpa2Psk,
    Wpa2Eap,
    WpaAutoPsk,
    WpaAutoEap
};
enum class AuthClass { Wep, Psk, Eap };
AuthClass authClass(Auth a);
const QStringList& deviceAuthNames();
std::optional<Auth> authFromText(const QString& deviceText);
QString authText(Auth a);

struct AuthEntry {
    Auth auth;
    QString text;
};
// The page's authentication entries by mode. The "-Personal" and "-Enterprise" entries stand for
// the PSK and EAP authentications they name, so a device's authentication is shown as itself. A
// mode offers only what its Apply can write (see selectedGroup): a choice it always refuses would
// write the mode and the radio and then fail.
std::vector<AuthEntry> authEntries(int newMultiSupport, std::optional<PageMode> mode);
// The entry showing the device's authentication; -1 when this mode offers none for it. The page then
// shows no choice and Apply keeps the device's authentication, never the first entry's.
int authEntryFor(const std::vector<AuthEntry>& entries, std::optional<Auth> device);
// What Apply writes: the page's choice, else what the device holds.
std::optional<Auth> authForApply(std::optional<Auth> chosen, std::optional<Auth> device);

// ---- Security groups and keys -------------------------------------------------------------------

enum class SecurityGroup { Keys, Radius, PassPhrase };  // GroupBox4, GroupBox5, GroupBox6
// The group a mode and authentication show; nullopt leaves the groups as they are.
std::optional<SecurityGroup> securityGroup(std::optional<PageMode> mode, std::optional<Auth> auth);

struct EncryptionRule {
    std::optional<int> selectIndex;  // Ed_SecEncypa's item to select
    bool enabled;
};
// With the keys shown every authentication but "Open System" needs encryption on.
EncryptionRule encryptionRule(SecurityGroup shown, std::optional<Auth> auth);

using KeyRules::keyEditFor;
using KeyRules::keyLength;
using KeyRules::keySizeFor;
using KeyRules::kKeySizes;
using KeyRules::kKeyTypes;
using KeyRules::kValidKeysAll;
using KeyRules::kValidKeysWpa;

// A row of the multi-SSID list as texts.
struct MultiSsidRow {
    int index = 0;  // adMSSIDIndex, the SSID's number
    QString state, ssid, auth, encryption, keyIndex;
};
// The secondary SSIDs among the walked rows of the multi-SSID table, each row's cells as {adMSSIDIndex,
// state, SSID, authentication, encryption, key index}. Each goes by its own index, so that a row
// missing from the table moves no other SSID; the primary, SSID 1, is left out. A row whose index
// cannot be read takes its place in the list.
std::vector<MultiSsidRow> secondarySsids(const std::vector<std::array<QString, 6>>& rows);
// Whether a WPA secondary SSID leaves the primary only the first and fourth keys.
bool wpaSecondaryUsesKeys(const std::vector<MultiSsidRow>& secondaries);

using KeyRules::asciiToHex;
using KeyRules::hexToAscii;
using KeyRules::isMaskedKey;
using KeyRules::keyAsText;

// ---- Channels and Super G -----------------------------------------------------------------------

inline const QString kDefaultChannels = QStringLiteral("1 2 3 4 5 6 7 8 9 10 11");
inline const QString kChannelListFallback = QStringLiteral("6");
QString channelListOrDefault(const QString& text);
struct ChannelFill {
    QStringList items;
    int index;  // the current channel's item, -1 when absent
};
ChannelFill fillChannels(const QString& listText, const QString& current);

enum class ChannelSource { Normal, Static, Dynamic };  // Ed_ChanLista, Ed_StatChLista, Ed_DynChLista
struct SuperGPlan {
    ChannelSource source = ChannelSource::Normal;
    bool restoreSavedChannel = false;     // savedChannelText into Ed_Chana before filling
    std::optional<bool> autoScanEnabled;  // CB_AuSc
    std::optional<bool> channelEnabled;   // CB_Chana
    bool autoScanRule = false;            // CB_Chana follows CB_AuSc
    QString warning;                      // empty: none
};
SuperGPlan superGChange(int newMultiSupport, const QString& superModeText, std::optional<PageMode> mode,
                        bool multiSsidEnabled);

struct ScanControls {
    std::optional<bool> autoScanEnabled;
    bool untick = false;
    bool autoScanRule = false;
    std::optional<bool> channelEnabled;  // after the rule
};
ScanControls scanControls(std::optional<PageMode> mode, int superModeIndex);

// PSK ciphers by mode.
QStringList pskCiphers(std::optional<PageMode> mode);
// The item of that text, else the first (-1 for no items).
int indexOrFirst(const QStringList& items, const QString& text);

// ---- Peer addresses -----------------------------------------------------------------------------

inline const QString kEmptyMac = QStringLiteral("000000000000");
QString clearEmptyMac(const QString& mac);
struct MacEditable {
    std::array<bool, 8> wds{};   // Ed_ReMAddra0..7
    bool rootMac = false;        // Ed_RoMAddra0
    bool clientRootMac = false;  // Ed_CRoMAddra0
    bool repeaterSsid = false;   // Ed_SSID
};
MacEditable macEditable(std::optional<ApMode> device);

// ---- Apply --------------------------------------------------------------------------------------

inline const QString kWarning = QStringLiteral("Warning");
inline const QString kError = QStringLiteral("Error");
inline const QString kApModeSetFailed = QStringLiteral("req2ApMode set faild.");
inline const QString kSelectSetFailed = QStringLiteral("SelectToset set faild.");
inline const QString kSettingError = QStringLiteral("Setting error!");
inline const QString kSettingSuccess = QStringLiteral("Setting Success!");
inline const QString& kRebootQuestion = PageRules::kRestartQuestion;

// A check that failed: its box, the control that gets the focus, and what else it does.
struct CheckFailure {
    QString message;
    QString caption;                  // empty: a plain message window with the application's title
    QString focus;                    // the control's name; empty: none
    bool emptyFocus = false;          // the focused edit is emptied first
    bool resetMacs = true;            // ResetMacEdits runs
    bool unlockRepeaterSsid = false;  // Ed_SSID becomes editable
    bool operator==(const CheckFailure&) const = default;
};

// Steps 2 to 5: the SSIDs.
std::optional<CheckFailure> checkSsids(const QString& ssidA, const QString& ssidG,
                                       const QString& repeaterSsid, std::optional<PageMode> mode);
std::optional<CheckFailure> checkMultiSsidNames(const QString& ssidA,
                                                const std::vector<MultiSsidRow>& secondaries);
std::optional<CheckFailure> checkDuplicateMacs(const std::array<QString, 8>& wds);

// Which items of reqApMode, reqBasic and reqRootAp a set carries, and the texts the check fills in.
struct MacPlan {
    bool apModeSent = false;  // adAPMode: only a mode that was read is written back
    std::array<bool, 8> wdsSent{};
    std::array<QString, 8> wds;  // the edits' texts afterwards
    bool primarySsidSent = false;
    bool rootMacSent = false;
    bool repeaterSsidSent = false;
};
std::variant<CheckFailure, MacPlan> checkMacInputs(std::optional<ApMode> device,
                                                   const std::array<QString, 8>& wds, const QString& rootMac,
                                                   const QString& repeaterSsid);

struct SecurityInput {
    std::optional<Auth> auth;  // the device-side authentication Apply writes
    int encryptionIndex = -1;  // Ed_SecEncypa: 0 Disable, 1 Enable
    int keyTypeIndex = 0;      // Ed_KeyType: 0 HEX, 1 ASCII
    int keySizeIndex = 0;
    int validKeyIndex = -1;
    int validKeyCount = 4;
    std::array<QString, 4> keys;
    QString groupKeyPsk, passPhrase, groupKey, radiusServer, radiusPort, radiusSecret;
};
// Which items reqSecurity, reqCipherPsk and reqCipherRadius carry.
struct SecurityPlan {
    bool authSent = false;
    bool encryptionSent = false;
    bool validKeySent = false;
    std::array<bool, 4> keySent{};
    std::optional<QString> validKeyText;  // the valid key's edit text to send (hex), when it changes
    bool pskSent = false;                 // reqCipherPsk's cipher and interval
    bool passPhraseSent = false;          // its passphrase: not the device's mask
    bool radiusSent = false;              // reqCipherRadius's cipher, port, interval and server
    bool radiusSecretSent = false;        // its secret: not the device's mask
};
std::variant<CheckFailure, SecurityPlan> checkSecurityInputs(const SecurityInput& in);
QString wepKeyLengthMessage(int keyNumber, int length);

// The guest SSIDs' key index against the primary's valid key (firmware without multiple SSIDs).
struct GuestSsid {
    int keyIndex = -1;       // GuestKeyIndexN_ComboBox
    bool encrypted = false;  // GuestEncryN_ComboBox on "enabled"
    bool enabled = false;    // GuestN_ComboBox on "enabled"
};
std::optional<CheckFailure> checkGuestKeyIndex(bool validKeyEnabled, int keyNumber, std::optional<Auth> auth,
                                               const std::array<GuestSsid, 3>& guests);
// What the guest rule writes after the checks.
struct GuestPlan {
    bool set = false;
    bool vlanOff = false, statesOff = false, encryptionsOff = false;
};
GuestPlan guestRule(std::optional<PageMode> mode, bool superGDisabled, std::optional<Auth> auth);

// The multiple SSIDs a change of the primary's security affects.
struct MultiSsidInput {
    std::optional<Auth> primary;
    bool encryptionOn = false;
    QString validKeyText;  // Ed_SecValKeya's text
    QString groupKey, groupKeyPsk, savedGroupKey;
    std::vector<MultiSsidRow> secondaries;
};
struct MultiSsidPlan {
    // SSIDs (by adMSSIDIndex) set to encryption "Disable" and "Open System"; written before anything else.
    std::vector<int> toOpen;
    QStringList warningsBefore;       // shown before those writes
    QStringList warningsAfter;        // shown after them, before the full set sequence
    std::optional<QString> groupKey;  // the interval both edits and savedGroupKey take
};
MultiSsidPlan multiSsidRule(const MultiSsidInput& in);
// The items of reqMultiSsidEncryption (0..6) and reqMultiSsidAuth (7..13) for an SSID 2..8; -1 otherwise.
int multiSsidEncryptionItem(int ssid);
int multiSsidAuthItem(int ssid);

// Apply's checks in their order: the SSIDs; in the full variant then the multiple SSIDs' names,
// duplicate peers, the peers and SSID of the device mode, the security inputs and the guests' key
// index. The first that fails ends Apply with nothing sent; otherwise the items each set carries.
struct ApplyInput {
    Variant variant = Variant::Full;
    int newMultiSupport = 0;
    QString ssidA, ssidG, repeaterSsid;
    std::optional<PageMode> mode;  // effectiveMode
    std::optional<ApMode> device;  // the device combo after the user's choice
    bool multiSsidEnabled = false;
    std::vector<MultiSsidRow> secondaries;
    std::array<QString, 8> wds;
    QString rootMac;
    SecurityInput security;
    bool validKeyEnabled = true;
    std::array<GuestSsid, 3> guests;
    bool superGDisabled = false;  // AD_SuperMode on "Disable"
};
struct ApplyPlan {
    MacPlan macs;
    SecurityPlan security;
    GuestPlan guests;  // set before the full sequence, its result not looked at
};
std::variant<CheckFailure, ApplyPlan> checkApply(const ApplyInput& in);

// The requests SetSelectedGroup sets in order; nullopt when the mode cannot carry the authentication.
enum class SecurityRequest { Security, CipherPsk, CipherRadius };
std::optional<std::vector<SecurityRequest>> selectedGroup(std::optional<PageMode> mode,
                                                          std::optional<Auth> auth);

// The waiting dialog's countdown: 50 ticks for the WDS modes, else its own default.
std::optional<int> waitTicksFor(std::optional<PageMode> mode);

// ---- Site survey --------------------------------------------------------------------------------

inline const QString kDetecting = QStringLiteral("Detecting...");
inline const QString kSurveyRefresh = QStringLiteral("Refresh...");
// The device modes in which the page lists the neighbours at once.
bool surveysAtOnce(std::optional<ApMode> device);
// Timer1's countdown: idle at -1; a scan sets 1. True on the tick that starts the walk.
bool surveyTick(int& countdown);
// What a chosen survey row fills in: only the repeater and client modes take a root AP.
struct SurveyChoice {
    QString rootMac, ssid;
};
std::optional<SurveyChoice> surveyChoice(std::optional<PageMode> mode, const QString& bssid,
                                         const QString& ssid);

}  // namespace WirlessRules
