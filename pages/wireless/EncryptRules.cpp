#include "pages/wireless/EncryptRules.h"

#include "module/AddrCheck.h"
#include "module/KeyRules.h"

namespace EncryptRules {

namespace {

constexpr int kIntervalMin = 300;
constexpr int kIntervalMax = 9999999;

CheckFailure fail(const QString& message, const QString& caption, const QString& emptied = {}) {
    return PageRules::failure(message, caption, {}, emptied);
}

}  // namespace

QString hexKeyField(int key) {
    return QStringLiteral("hexKey%1").arg(key);
}

QString textKeyField(int key) {
    return QStringLiteral("textKey%1").arg(key);
}

SecurityFields securityFields(int authIndex, int encryptionIndex) {
    SecurityFields f;
    switch (authIndex) {
        case kOpenSystem:
        case kOpenShared: {
            f.passPhraseEditable = false;
            f.cipherEnabled = false;
            f.intervalEditable = false;
            const bool on = encryptionIndex != kDisable;
            f.keysEditable = on;
            f.keyTypeEnabled = f.keySizeEnabled = on;
            f.validKeyEnabled = on;
            break;
        }
        case kSharedKey:
            // Shared Key authenticates with a WEP key: encryption is on and stays on.
            f.keyTypeEnabled = f.keySizeEnabled = true;
            f.encryptionIndex = kEnable;
            f.encryptionEnabled = false;
            f.passPhraseEditable = false;
            f.cipherEnabled = false;
            f.intervalEditable = false;
            break;
        case kWpaPsk:
        case kWpaEap:
            f.passPhraseEditable = authIndex == kWpaPsk;
            f.cipherEnabled = true;
            f.intervalEditable = true;
            f.encryptionIndex = kEnable;
            f.encryptionEnabled = false;
            f.keyTypeEnabled = f.keySizeEnabled = false;
            f.validKeyEnabled = false;
            f.keysEditable = false;
            break;
        default:
            return f;
    }
    f.intervalMaxLength = 7;
    return f;
}

bool wpaRefused(int apModeIndex, int authIndex) {
    return apModeIndex != 0 && (authIndex == kWpaPsk || authIndex == kWpaEap);
}

std::optional<KeyFields> keyFields(int typeIndex, int sizeIndex) {
    if (typeIndex != 0 && typeIndex != 1) return std::nullopt;
    KeyFields k;
    k.hexShown = typeIndex == 0;
    k.textsEmptied = typeIndex == 1;
    if (const auto length = KeyRules::keyLength(typeIndex, sizeIndex)) {
        k.maxLength = *length;
        k.mask = QString(*length, QLatin1Char('*'));
    }
    return k;
}

std::optional<int> keySizeFromKeys(int validKeyIndex, const std::array<QString, 4>& hexKeys) {
    if (validKeyIndex < 0 || validKeyIndex > 3) return std::nullopt;
    return KeyRules::keySizeFor(static_cast<int>(hexKeys[static_cast<size_t>(validKeyIndex)].size()));
}

bool isUntyped(const QString& key) {
    return key.isEmpty() || KeyRules::isMaskedKey(key);
}

KeyVerdict hexKeyVerdict(const QString& key) {
    if (isUntyped(key)) return KeyVerdict::Unchanged;
    return KeyRules::isHexText(key) ? KeyVerdict::Written : KeyVerdict::Refused;
}

namespace {

// The WEP keys: each shown key must have the size's length; then the keys the user typed are
// written in hex. A key still showing asterisks is never written, whichever type is shown.
std::optional<CheckFailure> checkKeys(const TabInput& in, TabPlan& plan) {
    const bool ascii = in.keyType == 1;
    const auto& shown = ascii ? in.textKeys : in.hexKeys;
    // Without a size there is no length to test.
    if (const auto needed = KeyRules::keyLength(in.keyType, in.keySize))
        for (int k = 0; k < 4; ++k)
            if (shown[static_cast<size_t>(k)].size() != *needed)
                return fail(KeyRules::keyLengthMessage(k + 1, *needed, in.band), PageRules::kWarning);
    for (int k = 0; k < 4; ++k) {
        const QString& key = shown[static_cast<size_t>(k)];
        if (ascii) {
            if (isUntyped(key)) continue;
            // Only printable ASCII has a two-digit code the device takes as a key character.
            const auto hex = KeyRules::asciiToHex(key);
            if (!hex) return fail(kHexDigits, {}, textKeyField(k + 1));
            plan.keys[static_cast<size_t>(k)] = *hex;
            continue;
        }
        switch (hexKeyVerdict(key)) {
            case KeyVerdict::Unchanged:
                break;
            case KeyVerdict::Refused:
                return fail(kHexDigits, {}, hexKeyField(k + 1));
            case KeyVerdict::Written:
                plan.keys[static_cast<size_t>(k)] = key;
                break;
        }
    }
    return std::nullopt;
}

}  // namespace

TabOutcome checkTab(const TabInput& in) {
    const int interval = DecimalNumber(in.interval).value_or(0);
    if (interval < kIntervalMin || interval > kIntervalMax)
        return fail(kIntervalRange, PageRules::kError, kIntervalField);
    TabPlan plan;
    switch (in.auth) {
        case kOpenSystem:
        case kSharedKey:
        case kOpenShared:
            plan.security = {true, true, true};
            if (in.encryption == kDisable) return plan;
            if (auto f = checkKeys(in, plan)) return *f;
            return plan;
        case kWpaPsk:
            if (in.passPhrase.size() < 8 || in.passPhrase.size() > 63)
                return fail(kPassPhraseLength, PageRules::kError);
            plan.security[0] = true;
            plan.wpa = {true, true, true};
            return plan;
        case kWpaEap:
            if (!in.serverSettingsApplied) return fail(kSetServer, PageRules::kError);
            plan.security[0] = true;
            plan.wpa = {false, true, true};
            plan.serverSettingsUsed = true;
            return plan;
        default:
            return Unsupported{};
    }
}

}  // namespace EncryptRules
