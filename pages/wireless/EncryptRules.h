#pragma once

// The wireless security page's rules without its windows: which fields each authentication opens,
// how the key edits are set up, and Apply's checks with the items each write carries. A tab's rules
// are the same on both radios; the page applies what these return to the controls of one tab.

#include <array>
#include <optional>
#include <variant>

#include <QString>

#include "module/KeyRules.h"
#include "module/PageRules.h"

namespace EncryptRules {

using PageRules::CheckFailure;

// The authentication combo's items, in the device's order (adSecAuthentication 1..9).
enum AuthIndex { kOpenSystem = 0, kSharedKey, kOpenShared, kWpaPsk, kWpaEap };
inline constexpr int kDisable = 0;  // the encryption combo's "Disable"
inline constexpr int kEnable = 1;

inline const QString kApModeNoWpa = QStringLiteral("AP Mode not supports WPA .");
inline const QString kIntervalRange = QStringLiteral("Please enter a number between 300 and 9999999.");
inline const QString kPassPhraseLength =
    QStringLiteral("The length of 802.11g PassPhrase is between 8 and 63.");
inline const QString kSetServer = QStringLiteral("Please Set Security Server!");
inline const QString& kHexDigits = KeyRules::kHexDigitsMessage;
inline const QString kSettingError = QStringLiteral("Setting Error!");
inline const QString kBandA = QStringLiteral("IEEE802.11a");
inline const QString kBandG = QStringLiteral("IEEE802.11g");

// The fields a refusal names; the page maps them to its tab's controls.
inline const QString kIntervalField = QStringLiteral("interval");
// "hexKey1".."hexKey4" and "textKey1".."textKey4".
QString hexKeyField(int key);
QString textKeyField(int key);

// ---- Field rules ----------------------------------------------------------------------------------

// What the authentication and encryption choices open. The first three always hold; an unset field
// stays as it is (WPA2 and WPA-Auto change nothing else).
struct SecurityFields {
    bool validKeyEnabled = true;
    bool encryptionEnabled = true;
    bool keysEditable = true;
    std::optional<int> encryptionIndex;  // selected
    std::optional<bool> keyTypeEnabled, keySizeEnabled;
    std::optional<bool> passPhraseEditable, cipherEnabled, intervalEditable;
    std::optional<int> intervalMaxLength;
    bool operator==(const SecurityFields&) const = default;
};
SecurityFields securityFields(int authIndex, int encryptionIndex);

// A WPA choice the AP mode cannot carry: only an access point (index 0) runs WPA-PSK or WPA-EAP.
bool wpaRefused(int apModeIndex, int authIndex);

// The key edits a type (0 HEX, 1 ASCII) and size (0..2) show: the hex or the text edits, their
// maximum length and the asterisks that stand for a key not typed. nullopt for no type chosen.
struct KeyFields {
    bool hexShown = true;
    bool textsEmptied = false;     // the text edits are emptied before they show
    std::optional<int> maxLength;  // with mask: no size chosen leaves both
    std::optional<QString> mask;
    bool operator==(const KeyFields&) const = default;
};
std::optional<KeyFields> keyFields(int typeIndex, int sizeIndex);

// The key size the chosen valid key's hex text shows (10, 26, 32 digits); nullopt leaves the combo.
std::optional<int> keySizeFromKeys(int validKeyIndex, const std::array<QString, 4>& hexKeys);

// Whether a hex key is written, refused or left out (empty or asterisks only: left out).
enum class KeyVerdict { Unchanged, Refused, Written };
KeyVerdict hexKeyVerdict(const QString& key);

// ---- Apply ------------------------------------------------------------------------------------------

struct TabInput {
    int auth = -1;
    int encryption = -1;
    int keyType = 0;
    int keySize = 0;
    std::array<QString, 4> hexKeys, textKeys;
    QString passPhrase, interval;
    bool serverSettingsApplied = false;
    QString band = kBandA;
};

// The items one tab's writes carry.
struct TabPlan {
    std::array<bool, 3> security{};  // authentication, encryption, valid key
    // The hex text each key is written with; nullopt leaves the key out.
    std::array<std::optional<QString>, 4> keys;
    std::array<bool, 3> wpa{};        // passphrase, cipher, interval
    bool serverSettingsUsed = false;  // the servers' Apply counts for this write only
    bool operator==(const TabPlan&) const = default;
};
// WPA2 and WPA-Auto: Apply ends without a write and without a word.
struct Unsupported {
    bool operator==(const Unsupported&) const = default;
};
using TabOutcome = std::variant<CheckFailure, Unsupported, TabPlan>;

// Apply's checks for one tab in their order; the first refusal ends Apply with nothing written.
// A text key is converted on a copy, so a refusal never leaves an edit in another form than its
// type says.
TabOutcome checkTab(const TabInput& in);

}  // namespace EncryptRules
