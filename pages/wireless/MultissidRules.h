#pragma once

// The old multi-SSID page's rules over plain values: the guests' control states, the security and
// key combos, Apply's checks with their texts and focus, and which items each row's write carries.

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <variant>
#include <vector>

#include "module/PageRules.h"

namespace MultissidRules {

using PageRules::CheckFailure;

inline constexpr int kGuestCount = 3;

// The items of the master row's request and of each guest row's request.
enum MasterItem {
    kMasterSsid,
    kMasterAuth,
    kMasterEncryption,
    kMasterKeyIndex,
    kMasterVlanTag,
    kMasterItems
};
enum GuestItem {
    kGuestState,
    kGuestSsid,
    kGuestAuth,
    kGuestEncryption,
    kGuestKeyIndex,
    kGuestKey,
    kGuestVlanTag,
    kGuestItems
};

// The visible security choice of a guest; its hidden bound combo follows it by text.
inline const QStringList kSecurityItems{QStringLiteral("None"), QStringLiteral("Open System"),
                                        QStringLiteral("Shared Key")};

// The names of guest n's controls (n = 1..3).
QString guestName(const char* stem, int n);

// ---- Control states ---------------------------------------------------------------------------

// The master's SecurityBox index: 0 Open System, 1 Shared Key, 2 both, 3.. the WPA kinds.
bool masterLocksGuestSecurity(int masterAuthIndex, int masterEncryptionIndex);

struct GuestControls {
    bool ssid = false;      // GuestSSIDEditn
    bool security = false;  // TempComboBoxn
    bool keys = false;      // GuestKeyn, GuestKeyTypen, GuestKeySizen, GuestKeyvalueEditn
    bool operator==(const GuestControls&) const = default;
};
GuestControls guestControls(bool checked, int masterAuthIndex, int masterEncryptionIndex,
                            int encryptionIndex);

// TempComboBoxn's item for the guest's encryption (0 disabled, 1 enabled) and authentication index
// (0 Open System, 1 Shared Key); -1 when the device's authentication has no entry here.
int securityItemFor(int encryptionIndex, int authIndex);
// The hidden combos a security choice sets: the authentication entry's text (empty: unchanged) and
// the encryption index; nullopt for no choice, which leaves the device's values as they are.
struct SecurityChoice {
    QString authText;
    int encryptionIndex = 0;
    bool operator==(const SecurityChoice&) const = default;
};
std::optional<SecurityChoice> securityChoice(int securityIndex, const QString& securityText);

// The key size a key text shows (10, 26, 32 characters), else the size as it was.
int keySizeFromKey(const QString& key, int currentSizeIndex);
// The key edit's maximum length for a type and size; 0 (no limit) when either is unselected.
int keyMaxLength(int typeIndex, int sizeIndex);

// ---- Apply ------------------------------------------------------------------------------------

struct GuestValues {
    int state = -1;       // GuestSSIDn: 1 enabled
    int encryption = -1;  // EnableEncryptionn: 1 enabled
    QString ssid;
    bool ssidEnabled = false;
    int keyIndex = -1;  // GuestKeyn
    bool keyIndexEnabled = false;
    QString key;
    bool keyEnabled = false;
    int keyType = -1;
    int keySize = -1;
    QString groupId;
};

struct PageValues {
    QString masterSsid;
    bool masterRead = false;  // the master row's last read succeeded
    int masterKeyIndex = -1;  // DefaultKey
    QString masterGroupId;
    int vlan = -1;  // VLan_State: 1 enabled
    std::array<GuestValues, kGuestCount> guests;
};

// The exit checks of guest g (0..2): its key index, then its SSID, against the master and the other
// guests whose controls are enabled.
std::optional<CheckFailure> checkKeyIndexes(const PageValues& v, int g);
std::optional<CheckFailure> checkSsidDuplicates(const PageValues& v, int g);

// What Apply writes: the items each row's write carries and the keys in the form they are sent.
struct SendPlan {
    std::vector<bool> master;
    std::array<std::vector<bool>, kGuestCount> guests;
    std::array<QString, kGuestCount> keys;  // the hex text sent where guests[g][kGuestKey] is set
    bool forceApMode = false;               // Access Point and Super G off first
    bool operator==(const SendPlan&) const = default;
};
// The checks of Apply in their order, stopping at the first failure; else what is written.
std::variant<CheckFailure, SendPlan> checkApply(const PageValues& v);

// The status texts after Apply.
inline const QString kSetSuccess = QStringLiteral("Set Success!");
inline const QString kSetError = QStringLiteral("Set Error.");

}  // namespace MultissidRules
