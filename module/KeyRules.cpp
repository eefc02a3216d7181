#include "module/KeyRules.h"

#include <algorithm>

namespace KeyRules {

std::optional<int> keyLength(int typeIndex, int sizeIndex) {
    static constexpr int kHex[] = {10, 26, 32}, kAscii[] = {5, 13, 16};
    if (sizeIndex < 0 || sizeIndex > 2 || typeIndex < 0 || typeIndex > 1) return std::nullopt;
    return typeIndex == 0 ? kHex[sizeIndex] : kAscii[sizeIndex];
}

int keyEditFor(int validKeyIndex, int validKeyCount) {
    if (validKeyIndex < 0 || validKeyIndex >= validKeyCount) return -1;
    if (validKeyCount == 2) return validKeyIndex == 0 ? 0 : 3;
    return validKeyIndex < 4 ? validKeyIndex : -1;
}

std::optional<int> keySizeFor(int hexLength) {
    switch (hexLength) {
        case 10:
            return 0;
        case 26:
            return 1;
        case 32:
            return 2;
        default:
            return std::nullopt;
    }
}

QString keyLengthMessage(int keyNumber, int length, const QString& band) {
    static const char* kOrdinals[] = {"1st", "2nd", "3rd", "4th"};
    const char* ordinal = keyNumber >= 1 && keyNumber <= 4 ? kOrdinals[keyNumber - 1] : "1st";
    return QStringLiteral("The %1 of the %2 key in %3 must be %4!")
        .arg(lengthWord(length), QLatin1String(ordinal), band)
        .arg(length);
}

bool isPrintableAscii(QChar c) {
    return c.unicode() >= 0x20 && c.unicode() <= 0x7E;
}

bool isHexText(QStringView text) {
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
        const char16_t u = c.unicode();
        return (u >= '0' && u <= '9') || (u >= 'a' && u <= 'f') || (u >= 'A' && u <= 'F');
    });
}

bool isMaskedKey(const QString& key) {
    return !key.isEmpty() && key.count(QLatin1Char('*')) == key.size();
}

std::optional<QString> asciiToHex(const QString& text) {
    QString out;
    for (const QChar c : text) {
        if (!isPrintableAscii(c)) return std::nullopt;
        out += QStringLiteral("%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
    }
    return out;
}

std::optional<QString> hexToAscii(const QString& hex) {
    if (hex.size() % 2) return std::nullopt;
    QString out;
    for (qsizetype i = 0; i < hex.size(); i += 2) {
        const QStringView pair = QStringView(hex).mid(i, 2);
        if (!isHexText(pair)) return std::nullopt;
        const QChar c(pair.toUShort(nullptr, 16));
        if (!isPrintableAscii(c)) return std::nullopt;
        out += c;
    }
    return out;
}

QString keyAsText(const QString& key) {
    if (isMaskedKey(key)) return key;
    return hexToAscii(key).value_or(key);
}

QString lengthWord(int neededLength) {
    return neededLength == 16 ? QStringLiteral("Lengh") : QStringLiteral("Length");
}

WepKeyCheck checkWepKey(const QString& key, int typeIndex, int sizeIndex) {
    using O = WepKeyCheck::Outcome;
    // The device's mask stands for the key it holds, whatever its length: the key was not retyped,
    // so there is nothing to check and nothing to write.
    const auto needed = keyLength(typeIndex, sizeIndex);
    if (isMaskedKey(key) || (key.isEmpty() && !needed)) return {O::Masked, 0, {}};
    if (needed && key.size() != *needed) return {O::WrongLength, *needed, {}};
    QString hex = key;
    if (typeIndex == 1) {
        const auto converted = asciiToHex(key);
        if (!converted) return {O::NotHex, 0, {}};
        hex = *converted;
    }
    if (!isHexText(hex)) return {O::NotHex, 0, {}};
    return {O::Send, 0, hex};
}

}  // namespace KeyRules
