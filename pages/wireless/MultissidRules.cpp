#include "pages/wireless/MultissidRules.h"

#include "module/KeyRules.h"

namespace MultissidRules {

namespace {

using PageRules::kError;
using PageRules::kWarning;

// The guests' texts, one row per guest, as the device's users know them (odd blanks and all).
constexpr const char* kSsidTooLong[kGuestCount] = {"The Max Length of Guest SSID1's SSID is 32.!",
                                                   "The Max Length of Guest SSID2's SSID is 32.!",
                                                   "The Max Length of Guest SSID3's SSID is 32.!"};
constexpr const char* kSsidEmpty[kGuestCount] = {"Please Input SSID in Guest SSID1.",
                                                 "Please Input SSID in Guest SSID2.",
                                                 "Please Input SSID in Guest SSID3."};
constexpr const char* kSsidBlank[kGuestCount] = {"The first character can't be blank in Guest SSID1.",
                                                 "The first character can't be blank in Guest SSID2.",
                                                 "The first character can't be blank in Guest SSID3."};
constexpr const char* kMasterIdEmpty = "The 11g master SSID's ID is invalid.The range of ID is 1 to 4095.";
constexpr const char* kGuestIdEmpty[kGuestCount] = {
    "The 11g guest SSID1's ID is invalid.The range of ID is 1 to 4095.",
    "The 11g guest SSID2's ID is invalid.The range of ID is 1 to 4095.",
    "The 11g guest SSID3's ID is invalid.The range of ID is 1 to 4095."};
// [guest][0] against the master, then against the other guests in their order.
constexpr const char* kKeyIndexSame[kGuestCount][kGuestCount] = {
    {"The 11g Guest SSID1's key index is same as master SSID",
     "The 11g Guest SSID1's key index is same as Guest SSID2",
     "The 11g Guest SSID1's key index is same as Guest SSID3"},
    {"The 11g Guest SSID2's key index is same as master SSID",
     "The 11g Guest SSID2's key index is same as Guest SSID1",
     "The 11g Guest SSID2's key index is same as Guest SSID3"},
    {"The 11g Guest SSID3's key index is same as master SSID",
     "The 11g Guest SSID3's key index is same as Guest SSID1",
     "The 11g Guest SSID3's key index is same as Guest SSID2"}};
constexpr const char* kSsidSame[kGuestCount][kGuestCount] = {
    {"The 11g Guest SSID1's SSID is same as master SSID",
     "The 11g Guest SSID1's SSID is same as SSID2's SSID",
     "The 11g Guest SSID1's SSID is same as SSID3's SSID"},
    {"The 11g Guest SSID2's SSID is same as master SSID",
     "The 11g Guest SSID2's SSID is same as SSID1's SSID",
     "The 11g Guest SSID2's SSID is same as SSID3's SSID"},
    {"The 11g Guest SSID3's SSID is same as master SSID",
     "The 11g Guest SSID3's SSID is same as SSID1's SSID",
     "The 11g Guest SSID3's SSID is same as SSID2's SSID"}};

CheckFailure fail(const char* text, const QString& caption, const QString& focus = {}) {
    return {QString::fromLatin1(text), caption, focus, {}, {}};
}

QString keyLengthText(int g, int needed) {
    return QStringLiteral("The %1 of Guest SSID%2's key in IEEE802.11g must be %3!")
        .arg(KeyRules::lengthWord(needed))
        .arg(g + 1)
        .arg(needed);
}

// The other guests of g in their order, each with its column in the clash tables.
template <class Fn>
std::optional<CheckFailure> againstOthers(int g, Fn clash) {
    int column = 1;
    for (int o = 0; o < kGuestCount; ++o) {
        if (o == g) continue;
        if (auto f = clash(o, column)) return f;
        ++column;
    }
    return std::nullopt;
}

}  // namespace

QString guestName(const char* stem, int n) {
    return QString::fromLatin1(stem) + QString::number(n);
}

bool masterLocksGuestSecurity(int masterAuthIndex, int masterEncryptionIndex) {
    // Every WPA kind, WPA2 and the automatic ones included: a guest cannot add WEP beside them.
    return masterAuthIndex >= 3 || (masterAuthIndex == 2 && masterEncryptionIndex == 1);
}

GuestControls guestControls(bool checked, int masterAuthIndex, int masterEncryptionIndex,
                            int encryptionIndex) {
    if (!checked) return {};
    return {true, !masterLocksGuestSecurity(masterAuthIndex, masterEncryptionIndex), encryptionIndex > 0};
}

int securityItemFor(int encryptionIndex, int authIndex) {
    if (encryptionIndex != 1) return 0;
    return authIndex == 0 || authIndex == 1 ? authIndex + 1 : -1;
}

std::optional<SecurityChoice> securityChoice(int securityIndex, const QString& securityText) {
    if (securityIndex < 0) return std::nullopt;
    if (securityIndex == 0) return SecurityChoice{{}, 0};
    const bool wep = securityText == kSecurityItems[1] || securityText == kSecurityItems[2];
    return SecurityChoice{securityText, wep ? 1 : 0};
}

int keySizeFromKey(const QString& key, int currentSizeIndex) {
    return KeyRules::keySizeFor(int(key.size())).value_or(currentSizeIndex);
}

int keyMaxLength(int typeIndex, int sizeIndex) {
    return KeyRules::keyLength(typeIndex, sizeIndex).value_or(0);
}

std::optional<CheckFailure> checkKeyIndexes(const PageValues& v, int g) {
    const GuestValues& me = v.guests[size_t(g)];
    if (!me.keyIndexEnabled || me.keyIndex < 0) return std::nullopt;
    if (me.keyIndex == v.masterKeyIndex) return fail(kKeyIndexSame[g][0], kWarning);
    return againstOthers(g, [&](int o, int column) -> std::optional<CheckFailure> {
        const GuestValues& other = v.guests[size_t(o)];
        if (other.keyIndexEnabled && other.keyIndex == me.keyIndex)
            return fail(kKeyIndexSame[g][column], kWarning);
        return std::nullopt;
    });
}

std::optional<CheckFailure> checkSsidDuplicates(const PageValues& v, int g) {
    const GuestValues& me = v.guests[size_t(g)];
    if (!me.ssidEnabled) return std::nullopt;
    const QString focus = guestName("GuestSSIDEdit", g + 1);
    if (me.ssid == v.masterSsid) return fail(kSsidSame[g][0], kWarning, focus);
    return againstOthers(g, [&](int o, int column) -> std::optional<CheckFailure> {
        const GuestValues& other = v.guests[size_t(o)];
        if (other.ssidEnabled && other.ssid == me.ssid) return fail(kSsidSame[g][column], kWarning, focus);
        return std::nullopt;
    });
}

namespace {

std::optional<CheckFailure> checkSsids(const PageValues& v) {
    // Every guest's SSID, also of a guest that is off: the device keeps it.
    for (int g = 0; g < kGuestCount; ++g) {
        const QString& ssid = v.guests[size_t(g)].ssid;
        if (ssid.size() > 32) return fail(kSsidTooLong[g], kWarning);
        if (ssid.isEmpty()) return fail(kSsidEmpty[g], kWarning);
        if (ssid.front() == u' ') return fail(kSsidBlank[g], kError, guestName("GuestSSIDEdit", g + 1));
    }
    return std::nullopt;
}

std::optional<CheckFailure> checkGroupIds(const PageValues& v) {
    // The tags are written only with VLAN on; with it off their edits are disabled and no empty one
    // may keep the rest from being written.
    if (v.vlan != 1) return std::nullopt;
    if (v.masterGroupId.isEmpty()) return fail(kMasterIdEmpty, kWarning, QStringLiteral("GroupIDBox"));
    for (int g = 0; g < kGuestCount; ++g)
        if (v.guests[size_t(g)].groupId.isEmpty())
            return fail(kGuestIdEmpty[g], kWarning, guestName("GuestGroupID", g + 1));
    return std::nullopt;
}

}  // namespace

std::variant<CheckFailure, SendPlan> checkApply(const PageValues& v) {
    if (auto f = checkSsids(v)) return *f;
    if (auto f = checkGroupIds(v)) return *f;
    for (int g = 0; g < kGuestCount; ++g)
        if (auto f = checkKeyIndexes(v, g)) return *f;
    for (int g = 0; g < kGuestCount; ++g)
        if (auto f = checkSsidDuplicates(v, g)) return *f;

    SendPlan plan;
    std::array<bool, kGuestCount> keySent{};
    for (int g = 0; g < kGuestCount; ++g) {
        const GuestValues& guest = v.guests[size_t(g)];
        if (!guest.keyEnabled) continue;
        using O = KeyRules::WepKeyCheck::Outcome;
        const KeyRules::WepKeyCheck key = KeyRules::checkWepKey(guest.key, guest.keyType, guest.keySize);
        switch (key.outcome) {
            case O::WrongLength:
                return CheckFailure{keyLengthText(g, key.neededLength), kWarning, {}, {}, {}};
            case O::NotHex:
                return CheckFailure{
                    KeyRules::kHexDigitsMessage, {}, {}, guestName("GuestKeyvalueEdit", g + 1), {}};
            case O::Masked:
                // The device's masked key stays as it is.
                break;
            case O::Send:
                keySent[size_t(g)] = true;
                plan.keys[size_t(g)] = key.hex;
                break;
        }
    }

    const bool vlan = v.vlan == 1;
    plan.master.assign(kMasterItems, false);
    // The master's SSID is shown read-only: it goes back only as it was read, never as an empty
    // text after a read that failed.
    plan.master[kMasterSsid] = v.masterRead;
    plan.master[kMasterVlanTag] = vlan;
    plan.forceApMode = vlan;
    for (int g = 0; g < kGuestCount; ++g) {
        const GuestValues& guest = v.guests[size_t(g)];
        std::vector<bool>& sent = plan.guests[size_t(g)];
        sent.assign(kGuestItems, false);
        sent[kGuestState] = true;
        sent[kGuestVlanTag] = vlan;
        if (guest.state != 1) continue;
        plan.forceApMode = true;
        sent[kGuestSsid] = sent[kGuestEncryption] = true;
        if (guest.encryption != 1) continue;
        sent[kGuestAuth] = sent[kGuestKeyIndex] = true;
        sent[kGuestKey] = keySent[size_t(g)];
    }
    for (int g = 0; g < kGuestCount; ++g)
        if (!plan.guests[size_t(g)][kGuestKey]) plan.keys[size_t(g)].clear();
    return plan;
}

}  // namespace MultissidRules
