#pragma once

// The rules of the multi-SSID page with VLANs over plain values: which security a row shows, which
// group and controls follow from it, the user list, the key index choices, the checks of a row's
// Save with their boxes, and the columns the second write of a row carries.

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

#include "module/KeyRules.h"
#include "module/PageRules.h"

namespace Multissid2Rules {

using PageRules::CheckFailure;

// The items of the table request: 0 ifIndex and 1 adMSSIDIndex are the row keys.
enum Item {
    kIfIndex = 0,
    kMssidIndex,
    kIdvState,
    kSsid,
    kAuth,
    kEncryption,
    kKeyIndex,
    kKey,
    kVlanTag,
    kCipher,
    kPassPhrase,
    kKeyType,
    kItemCount
};

inline const QStringList kSecItems{
    QStringLiteral("None"),     QStringLiteral("Open System"),  QStringLiteral("Shared Key"),
    QStringLiteral("WPA-PSK"),  QStringLiteral("WPA-EAP"),      QStringLiteral("WPA2-PSK"),
    QStringLiteral("WPA2-EAP"), QStringLiteral("WPA-Auto-PSK"), QStringLiteral("WPA-Auto-EAP")};
inline const QStringList kSecShowItems{QStringLiteral("None"),       QStringLiteral("Open System"),
                                       QStringLiteral("Shared Key"), QStringLiteral("WPA-PSK"),
                                       QStringLiteral("WPA2-PSK"),   QStringLiteral("WPA-Auto-PSK")};
inline const QStringList kIdxItems{QStringLiteral("Primary SSID"), QStringLiteral("Multi-SSID 1"),
                                   QStringLiteral("Multi-SSID 2"), QStringLiteral("Multi-SSID 3"),
                                   QStringLiteral("Multi-SSID 4"), QStringLiteral("Multi-SSID 5"),
                                   QStringLiteral("Multi-SSID 6"), QStringLiteral("Multi-SSID 7")};
inline const QString kBoth = QStringLiteral("Both");
inline const QString kOpenShared = QStringLiteral("Open System / Shared Key");
inline const QString kEnabled = QStringLiteral("Enabled");
inline const QString kDisabled = QStringLiteral("Disabled");

inline const QString kGetOk = QStringLiteral("Get OK!");
inline const QString kSaving = QStringLiteral("Save Multi-SSID...!");
inline const QString kSaved = QStringLiteral("Save Multi-SSID complete!");
inline const QString kDeleting = QStringLiteral("Deleting...");
inline const QString kApplying = QStringLiteral("Apply the settings...");
inline const QString kApplied = QStringLiteral("Setting success!");
inline const QString kApplyFailed = QStringLiteral("Set error!");
inline const QString kSelectKeySize = QStringLiteral("Please select key size!");
inline const QString kKeyTypeNull = QStringLiteral("Key type is NULL!");
inline const QString& kHexDigits = KeyRules::kHexDigitsMessage;
inline const QString kKeyUsed =
    QStringLiteral("Key value is used by SSID! \nTo change Key value affects other SSID settings.");
inline const QString kGroupKeyUsed = QStringLiteral(
    "Group Key Update Interval is used by SSID!\nTo change Group Key Update Interval affects other SSID "
    "settings.");
inline const QString kKeySlots = QStringLiteral(
    "WPA or PSK will use key slot 2 and 3.\nOther Multiple SSID which uses WEP key 2 and 3 will be set to "
    "no security.");

// CB_Sec's kinds: 3, 5, 7 carry a passphrase, 4, 6, 8 a RADIUS server.
bool isPsk(int secIndex);
bool isEap(int secIndex);

// What CB_Sec shows for a row: an editable "Both" for "Open System / Shared Key" with encryption on
// (on every row, so that a save never turns such a row into "None"), else an item of the list.
struct SecurityView {
    bool editable = false;
    int index = 0;  // -1 with "Both"
    QString text;
    bool operator==(const SecurityView&) const = default;
};
SecurityView securityView(bool encryptionEnabled, const QString& authText);
// CB_SecShow: shown in place of CB_Sec unless the first row's authentication is an EAP kind.
struct ShowView {
    bool shown = false;
    SecurityView view;
    bool operator==(const ShowView&) const = default;
};
ShowView showView(const QString& firstRowAuth, const SecurityView& sec);
// The authentication (position in the device's list) that CB_Sec's text stands for; "None" and
// unknown texts give the first, "Both" the combined one.
int authIndexFor(const QString& secText);

// Which group of CB_Sec's kind shows.
struct Groups {
    bool psk = false;  // GP_PSK, else GP_KeySetting
    QString pskCaption;
    bool passPhrase = false;
    bool radius = false;
    bool operator==(const Groups&) const = default;
};
Groups securityGroups(int secIndex);

// The enabled state of the row editors.
struct Enables {
    bool rows = false;  // GroupBox2, MultiGroupBox, CB_Idx, SaveButton
    bool vlanId = false;
    bool ssid = false;
    bool security = false;  // CB_Sec, CB_SecShow
    bool cipher = false;
    bool groupKey = false;
    bool passPhrase = false;
    bool keys = false;  // CB_KeyType, CB_KeySize, CB_IdxTmp, Ed_KeyValue
    bool radius = false;
    bool operator==(const Enables&) const = default;
};
Enables enables(bool multiSsidOn, bool vlanOn, bool primaryRow, int secIndex);

// One row of the walked table, by item.
struct TableRow {
    QString index;  // adMSSIDIndex
    QString state, ssid, auth, encryption, keyIndex, vlan;
};
// The row of LV_MultiSSID_User of an enabled table row.
struct UserRow {
    QString caption, ssid, encryption, vlan, band;
    int tableRow = -1;
    bool operator==(const UserRow&) const = default;
};
std::vector<UserRow> userRows(const std::vector<TableRow>& rows, bool vlanEnabled);
// The CB_Idx position a user-list caption selects: "Primary" 0, "Multi-SSIDn" n; -1 for anything else.
int idxOfCaption(const QString& caption);
// The table row at CB_Idx's position, when there is one.
std::optional<int> rowAt(int idxPosition, int rowCount);

bool otherRowUsesWpa(const std::vector<TableRow>& rows, const QString& selectedIndex);
// The save's warnings over the user list: another WEP row on the key index chosen; a row with a WPA
// kind that shares the group key interval; another WEP row on key 2 or 3, which WPA takes.
bool keyUsedElsewhere(const std::vector<UserRow>& users, const std::vector<TableRow>& rows,
                      const QString& selectedIndex, const QString& keyIndex);
bool groupKeyShared(const std::vector<UserRow>& users);
bool wepOnWpaSlots(const std::vector<UserRow>& users, const std::vector<TableRow>& rows,
                   const QString& selectedIndex);
QStringList keyIndexChoices(bool otherRowUsesWpa);

// The box when Multi-SSID is switched on over an AP mode (position in its list) or Super G it
// changes; empty when none is due.
QString enableWarning(int apModePosition, const QString& superG, bool mssidAndWds);

// The key's size from its hexadecimal length (64 bits for any other length).
int keySizeFromKey(const QString& key);
// The maximum length of the key edit; a failure text when the type or size is not chosen.
struct KeyLimit {
    int maxLength = 0;
    QString message;
    bool operator==(const KeyLimit&) const = default;
};
KeyLimit keyLimit(int typeIndex, int sizeIndex);
// The key as the edit shows it for its type: characters for ASCII unless masked or no hex pairs.
QString keyShown(int typeIndex, const QString& deviceKey);

// The inputs of a row's Save as the controls hold them.
struct SaveInput {
    bool vlanOn = false;
    QString vlanId;
    bool primaryRow = false;
    bool multiSsidOn = true;
    QString ssid;
    bool pskGroup = false;  // GP_PSK shown
    bool keyGroup = false;  // GP_KeySetting shown
    int secIndex = 0;       // -1: "Both"
    QString groupKey, passPhrase, radiusServer, radiusPort;
    bool keyEnabled = true;  // Ed_KeyValue enabled
    int keyType = 0;         // 0 HEX, 1 ASCII
    int keySize = 0;
    QString key;
    QString keyRead;  // Ed_KeyValue's text as the row was loaded
};
// The VLAN ID check, which also guards the Primary row's save.
std::optional<CheckFailure> checkVlanId(const SaveInput& in);
// The SSID and the passphrase group's checks of another row, in their order.
std::optional<CheckFailure> checkRow(const SaveInput& in);
// Another enabled row with the same SSID.
std::optional<CheckFailure> ssidClash(const std::vector<TableRow>& rows, const QString& ssid,
                                      const QString& selectedIndex);

// The key edit still holds the row's key as it was read: the user has not touched it. A key the
// device holds is the device's own, whatever its type shows; an empty one is no key.
bool keyAsRead(const SaveInput& in);

// What the second write of a row carries, and the key it sends (hexadecimal).
struct SecondPhase {
    std::vector<bool> items = std::vector<bool>(kItemCount, false);
    QString key;  // the key as sent, when items[kKey]
};
// CheckKey: the failure that stops the save, or the columns to send. encryptionOn: CB_Encry Enabled.
std::optional<CheckFailure> secondPhase(const SaveInput& in, bool encryptionOn, SecondPhase& out);

}  // namespace Multissid2Rules
