#include "pages/wireless/Multissid2Rules.h"

#include <algorithm>

#include "module/AddrCheck.h"
#include "module/KeyRules.h"

namespace Multissid2Rules {

namespace {

using PageRules::kError;
using PageRules::kWarning;

// The device's authentication names, in the order of its list.
const QStringList kAuthNames{
    QStringLiteral("Open System"), QStringLiteral("Shared Key"),   kOpenShared,
    QStringLiteral("WPA-PSK"),     QStringLiteral("WPA-EAP"),      QStringLiteral("WPA2-PSK"),
    QStringLiteral("WPA2-EAP"),    QStringLiteral("WPA-Auto-PSK"), QStringLiteral("WPA-Auto-EAP")};

bool isWepAuth(const QString& auth) {
    return auth == kAuthNames[0] || auth == kAuthNames[1] || auth == kOpenShared;
}

CheckFailure fail(const QString& message, const QString& caption, const char* focus,
                  const char* emptied = "") {
    return CheckFailure{message, caption, QString::fromLatin1(focus), QString::fromLatin1(emptied), {}};
}

QString keyLengthMessage(int length) {
    return QStringLiteral("The %1 of key value must be %2!").arg(KeyRules::lengthWord(length)).arg(length);
}

}  // namespace

bool isPsk(int secIndex) {
    return secIndex == 3 || secIndex == 5 || secIndex == 7;
}

bool isEap(int secIndex) {
    return secIndex == 4 || secIndex == 6 || secIndex == 8;
}

SecurityView securityView(bool encryptionEnabled, const QString& authText) {
    if (!encryptionEnabled) return {false, 0, kSecItems[0]};
    if (authText == kOpenShared) return {true, -1, kBoth};
    const int index = std::max(0, static_cast<int>(kSecItems.indexOf(authText)));
    return {false, index, kSecItems[index]};
}

ShowView showView(const QString& firstRowAuth, const SecurityView& sec) {
    if (firstRowAuth.contains(QLatin1String("Enterprise")) || firstRowAuth.contains(QLatin1String("EAP")))
        return {};
    if (sec.text == kBoth) return {true, {true, -1, kBoth}};
    const int index = std::max(0, static_cast<int>(kSecShowItems.indexOf(sec.text)));
    return {true, {false, index, kSecShowItems[index]}};
}

int authIndexFor(const QString& secText) {
    if (secText == kBoth) return 2;
    return std::max(0, static_cast<int>(kAuthNames.indexOf(secText)));
}

Groups securityGroups(int secIndex) {
    if (isPsk(secIndex)) return {true, QStringLiteral("PassPhrase Settings"), true, false};
    if (isEap(secIndex)) return {true, QStringLiteral("Radius Server Settings"), false, true};
    return {};
}

Enables enables(bool multiSsidOn, bool vlanOn, bool primaryRow, int secIndex) {
    Enables e;
    if (!multiSsidOn) return e;
    e.rows = true;
    e.vlanId = vlanOn;
    if (primaryRow) return e;
    e.ssid = e.security = true;
    if (secIndex == 0) return e;
    e.cipher = e.passPhrase = e.keys = true;
    e.groupKey = !isEap(secIndex);
    // The save checks and writes the RADIUS fields of these kinds: they must be reachable.
    e.radius = isEap(secIndex);
    return e;
}

std::vector<UserRow> userRows(const std::vector<TableRow>& rows, bool vlanEnabled) {
    std::vector<UserRow> out;
    for (size_t i = 0; i < rows.size(); ++i) {
        const TableRow& r = rows[i];
        if (r.state != kEnabled) continue;
        UserRow u;
        u.caption = i == 0 ? QStringLiteral("Primary") : QStringLiteral("Multi-SSID") + rows[i - 1].index;
        u.ssid = r.ssid;
        u.encryption = r.encryption == kDisabled ? QStringLiteral("OFF")
                       : isWepAuth(r.auth)       ? QStringLiteral("WEP")
                                                 : r.auth;
        u.vlan = vlanEnabled ? r.vlan : QStringLiteral("OFF");
        u.band = QStringLiteral("11g");
        u.tableRow = static_cast<int>(i);
        out.push_back(u);
    }
    return out;
}

int idxOfCaption(const QString& caption) {
    if (caption == u"Primary") return 0;
    if (caption.size() < 11 || !caption.startsWith(QLatin1String("Multi-SSID"))) return -1;
    const QChar digit = caption.at(10);
    if (!digit.isDigit()) return -1;
    const int n = digit.digitValue();
    return n < kIdxItems.size() ? n : -1;
}

std::optional<int> rowAt(int idxPosition, int rowCount) {
    if (idxPosition < 0 || idxPosition >= rowCount) return std::nullopt;
    return idxPosition;
}

bool otherRowUsesWpa(const std::vector<TableRow>& rows, const QString& selectedIndex) {
    for (const TableRow& r : rows)
        if (r.index != selectedIndex && r.state == kEnabled && r.encryption != kDisabled &&
            !isWepAuth(r.auth))
            return true;
    return false;
}

namespace {

// The table row behind a user row that shows WEP and belongs to another index.
const TableRow* otherWepRow(const UserRow& u, const std::vector<TableRow>& rows,
                            const QString& selectedIndex) {
    if (u.encryption != u"WEP" || u.tableRow < 0 || u.tableRow >= static_cast<int>(rows.size()))
        return nullptr;
    const TableRow& r = rows[static_cast<size_t>(u.tableRow)];
    return r.index == selectedIndex ? nullptr : &r;
}

}  // namespace

bool keyUsedElsewhere(const std::vector<UserRow>& users, const std::vector<TableRow>& rows,
                      const QString& selectedIndex, const QString& keyIndex) {
    for (const UserRow& u : users)
        if (const TableRow* r = otherWepRow(u, rows, selectedIndex); r && r->keyIndex == keyIndex)
            return true;
    return false;
}

bool groupKeyShared(const std::vector<UserRow>& users) {
    for (const UserRow& u : users)
        if (u.encryption != u"WEP" && u.encryption != u"OFF") return true;
    return false;
}

bool wepOnWpaSlots(const std::vector<UserRow>& users, const std::vector<TableRow>& rows,
                   const QString& selectedIndex) {
    for (const UserRow& u : users)
        if (const TableRow* r = otherWepRow(u, rows, selectedIndex);
            r && r->keyIndex != u"First" && r->keyIndex != u"Fourth")
            return true;
    return false;
}

QStringList keyIndexChoices(bool otherWpa) {
    return otherWpa ? KeyRules::kValidKeysWpa : KeyRules::kValidKeysAll;
}

QString enableWarning(int apModePosition, const QString& superG, bool mssidAndWds) {
    const bool apBeyond = apModePosition > (mssidAndWds ? 2 : 0);
    const bool superOn = superG != u"Disable";
    if (apBeyond && superOn)
        return QStringLiteral(
            "If you enable Multi-SSID,\nAP Mode will be Access Point and Super G will be Disabled!");
    if (apBeyond) return QStringLiteral("If you enable Multi-SSID,AP Mode will be Access Point!");
    if (superOn) return QStringLiteral("If you enable Multi-SSID,Super G will be Disabled!");
    return {};
}

int keySizeFromKey(const QString& key) {
    return KeyRules::keySizeFor(static_cast<int>(key.size())).value_or(0);
}

KeyLimit keyLimit(int typeIndex, int sizeIndex) {
    if (sizeIndex < 0 || sizeIndex > 2) return {0, kSelectKeySize};
    if (typeIndex < 0 || typeIndex > 1) return {0, kKeyTypeNull};
    return {*KeyRules::keyLength(typeIndex, sizeIndex), {}};
}

QString keyShown(int typeIndex, const QString& deviceKey) {
    // A masked key or one that is no pairs of hex digits stays as the device sent it, so that it
    // still reads as not retyped.
    return typeIndex == 1 ? KeyRules::keyAsText(deviceKey) : deviceKey;
}

std::optional<CheckFailure> checkVlanId(const SaveInput& in) {
    if (in.vlanOn && in.vlanId.isEmpty())
        return fail(QStringLiteral("Please input VLAN ID!"), kWarning, "Ed_WLANID");
    return std::nullopt;
}

std::optional<CheckFailure> checkRow(const SaveInput& in) {
    if (in.multiSsidOn) {
        if (in.ssid.isEmpty()) return fail(QStringLiteral("Please input SSID!"), kWarning, "Ed_SSID");
        if (in.ssid.startsWith(QLatin1Char(' ')))
            return fail(QStringLiteral("The first character can't be blank!"), kWarning, "Ed_SSID");
        if (in.ssid.size() > 32)
            return fail(QStringLiteral("The Max Length of SSID is 32!"), kWarning, "Ed_SSID");
    }
    if (!in.pskGroup) return std::nullopt;
    if (in.groupKey.isEmpty())
        return fail(QStringLiteral("Please input a number between 300 and 9999999."), kWarning, "Ed_GrpKey");
    // A masked passphrase is the device's own: it is not written, so its length is not the user's.
    if (isPsk(in.secIndex) && !KeyRules::isMaskedKey(in.passPhrase) &&
        (in.passPhrase.size() < 8 || in.passPhrase.size() > 63))
        return fail(QStringLiteral("The length of 802.11g PassPhrase is between 8 and 63."), kError,
                    "Ed_PassPhrase");
    if (isEap(in.secIndex)) {
        if (!IsValidIPAddress(in.radiusServer))
            return fail(QStringLiteral("The Radius server's IP is illegal."), kError, "Ed_RiduisServ");
        if (in.radiusPort.isEmpty())
            return fail(QStringLiteral("Please input a number between 1 and 65535."), kError,
                        "Ed_RadiusPort");
    }
    return std::nullopt;
}

std::optional<CheckFailure> ssidClash(const std::vector<TableRow>& rows, const QString& ssid,
                                      const QString& selectedIndex) {
    const int selected = selectedIndex.toInt();
    for (const TableRow& r : rows) {
        if (r.ssid != ssid || r.index == selectedIndex || r.state != kEnabled) continue;
        const QString head = QStringLiteral("The 11g Multi-SSID %1's SSID is same as ").arg(selected - 1);
        const int other = r.index.toInt();
        return fail(head + (other == 1 ? QStringLiteral("Primary SSID")
                                       : QStringLiteral("Multi-SSID %1").arg(other - 1)),
                    kWarning, "Ed_SSID");
    }
    return std::nullopt;
}

bool keyAsRead(const SaveInput& in) {
    return !in.key.isEmpty() && in.key == in.keyRead;
}

std::optional<CheckFailure> secondPhase(const SaveInput& in, bool encryptionOn, SecondPhase& out) {
    out = SecondPhase{};
    auto& items = out.items;
    if (!in.multiSsidOn) return std::nullopt;
    items[kIdvState] = true;
    if (encryptionOn) {
        const bool wep = in.secIndex == 1 || in.secIndex == 2 || in.secIndex == -1;
        if (in.keyGroup && wep) {
            // A disabled key edit, or a key as the row was read (the device's mask or its own key,
            // even one its type cannot show), is neither checked nor written, and neither is its
            // type. The conversion works on a copy: a failure leaves the edit as typed.
            if (in.keyEnabled && !keyAsRead(in)) {
                using O = KeyRules::WepKeyCheck::Outcome;
                const KeyRules::WepKeyCheck key = KeyRules::checkWepKey(in.key, in.keyType, in.keySize);
                if (key.outcome == O::WrongLength)
                    return fail(keyLengthMessage(key.neededLength), kWarning, "Ed_KeyValue");
                if (key.outcome == O::NotHex) return fail(kHexDigits, {}, "Ed_KeyValue", "Ed_KeyValue");
                if (key.outcome == O::Send) {
                    items[kKey] = items[kKeyType] = true;
                    out.key = key.hex;
                }
            }
            items[kKeyIndex] = true;
        } else if (in.pskGroup) {
            items[kCipher] = true;
            // A passphrase the device shows masked is kept, not written back as asterisks.
            if (isPsk(in.secIndex) && !KeyRules::isMaskedKey(in.passPhrase)) items[kPassPhrase] = true;
        }
    }
    items[kSsid] = items[kAuth] = items[kEncryption] = items[kVlanTag] = true;
    return std::nullopt;
}

}  // namespace Multissid2Rules
