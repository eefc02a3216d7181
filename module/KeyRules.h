#pragma once

// WEP keys as the security pages show and write them: the key sizes and types, the length a type
// and size need, the hex and text forms, and masked keys. Every page with a key table uses these.

#include <QString>
#include <QStringList>

#include <optional>

namespace KeyRules {

inline const QStringList kKeySizes{QStringLiteral("64 Bits"), QStringLiteral("128 Bits"),
                                   QStringLiteral("152 Bits")};
inline const QStringList kKeyTypes{QStringLiteral("HEX"), QStringLiteral("ASCII")};
inline const QStringList kValidKeysAll{QStringLiteral("First"), QStringLiteral("Second"),
                                       QStringLiteral("Third"), QStringLiteral("Fourth")};
inline const QStringList kValidKeysWpa{QStringLiteral("First"), QStringLiteral("Fourth")};

// The key length a type (0 HEX, 1 ASCII) and size (0..2) need: HEX 10, 26, 32; ASCII 5, 13, 16.
// nullopt when either is unselected.
std::optional<int> keyLength(int typeIndex, int sizeIndex);
// The key edit (0..3) a valid-key choice picks: with two entries they are the first and fourth keys.
int keyEditFor(int validKeyIndex, int validKeyCount);
// The size (0..2) a hexadecimal key's length shows; nullopt for any other length.
std::optional<int> keySizeFor(int hexLength);
// The box a key of the wrong length shows: "The Length of the 2nd key in IEEE802.11a must be 26!",
// with the device's own "Lengh" for 16 characters. band names the radio ("IEEE802.11a").
QString keyLengthMessage(int keyNumber, int length, const QString& band);

// Printable ASCII, 0x20..0x7E: the only characters a text key may hold.
bool isPrintableAscii(QChar c);
// Only hex digits, either case, and at least one.
bool isHexText(QStringView text);
// A key shown masked by the device: only '*'. It is never converted nor written back.
bool isMaskedKey(const QString& key);
// Two lower-case hex digits per character; nullopt for a character outside printable ASCII.
std::optional<QString> asciiToHex(const QString& text);
// The text of pairs of hex digits; nullopt when the text is no such pairs or a pair is no printable
// ASCII character (the page then shows the key as the device sent it).
std::optional<QString> hexToAscii(const QString& hex);
// What a page shows for a key read in hex when its type is ASCII: the characters, else the key as
// it came (masked or not convertible).
QString keyAsText(const QString& key);

// The box every key page shows for a key that is no hex digits (plain, the application's title).
inline const QString kHexDigitsMessage = QStringLiteral("Please input  Hexadecimal digits!");
// The word the pages' length boxes use: the 16-character text key's box spells it "Lengh".
QString lengthWord(int neededLength);

// One WEP key as every key page checks it before a write: a masked key first (never checked nor
// written, whatever its length), then its length for the type and size, then the hex form the
// device receives.
struct WepKeyCheck {
    // Masked: nothing to write, the device's mask or, where no length is asked, no key at all.
    enum class Outcome { Send, Masked, WrongLength, NotHex };
    Outcome outcome = Outcome::Send;
    int neededLength = 0;  // WrongLength: what the type and size need
    QString hex;           // Send: what is written; a text key as its hex form
    bool operator==(const WepKeyCheck&) const = default;
};
// typeIndex 0 HEX, 1 ASCII; sizeIndex 0..2. An unselected type or size checks no length. The key
// text itself is never changed: a text key is converted into the result only.
WepKeyCheck checkWepKey(const QString& key, int typeIndex, int sizeIndex);

}  // namespace KeyRules
