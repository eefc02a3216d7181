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

KeyVerdict hexKeyVerdict(const QString& key) {
    using O = KeyRules::WepKeyCheck::Outcome;
    switch (KeyRules::checkWepKey(key, 0, -1).outcome) {
        case O::Send:
            return KeyVerdict::Written;
        case O::Masked:
            return KeyVerdict::Unchanged;
        default:
            return KeyVerdict::Refused;
    }
}

namespace {

// The WEP keys: each shown key must have the size's length; then the keys the user typed are
// written in hex. A key still showing asterisks is never written, whatever its type and length.
std::optional<CheckFailure> checkKeys(const TabInput& in, TabPlan& plan) {
    using O = KeyRules::WepKeyCheck::Outcome;
    const bool ascii = in.keyType == 1;
    const auto& shown = ascii ? in.textKeys : in.hexKeys;
    std::array<KeyRules::WepKeyCheck, 4> checks;
    for (size_t k = 0; k < 4; ++k) checks[k] = KeyRules::checkWepKey(shown[k], in.keyType, in.keySize);
    // Every key's length is tested before any key's digits.
    for (int k = 0; k < 4; ++k)
        if (const auto& c = checks[static_cast<size_t>(k)]; c.outcome == O::WrongLength)
            return fail(KeyRules::keyLengthMessage(k + 1, c.neededLength, in.band), PageRules::kWarning);
    for (int k = 0; k < 4; ++k) {
        const auto& c = checks[static_cast<size_t>(k)];
        if (c.outcome == O::NotHex)
            return fail(kHexDigits, {}, ascii ? textKeyField(k + 1) : hexKeyField(k + 1));
        if (c.outcome == O::Send) plan.keys[static_cast<size_t>(k)] = c.hex;
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
        case kWpaPsk: {
            // The device shows its passphrase masked: written back, the asterisks would become the
            // passphrase. A mask is the device's own, so it is neither checked nor written.
            const bool masked = KeyRules::isMaskedKey(in.passPhrase);
            if (!masked && (in.passPhrase.size() < 8 || in.passPhrase.size() > 63))
                return fail(kPassPhraseLength, PageRules::kError);
            plan.security[0] = true;
            plan.wpa = {!masked, true, true};
            return plan;
        }
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
