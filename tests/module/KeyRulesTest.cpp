// A WEP key as the key pages check it before a write: the length its type and size need, a masked
// key that is never written, and the hex form that goes to the device without touching the text.

#include <gtest/gtest.h>

#include "module/KeyRules.h"
#include "tests/NamedRows.h"

namespace {

using hvtest::PrintTo;
using KeyRules::WepKeyCheck;
using O = WepKeyCheck::Outcome;

struct KeyCase {
    const char* name;
    const char* key;
    int type;
    int size;
    WepKeyCheck expected;
};

class WepKey : public ::testing::TestWithParam<KeyCase> {};

TEST_P(WepKey, Outcome) {
    const auto& c = GetParam();
    EXPECT_EQ(KeyRules::checkWepKey(QString::fromLatin1(c.key), c.type, c.size), c.expected);
}

const KeyCase kKeys[] = {
    {"Hex64", "0123456789", 0, 0, {O::Send, 0, "0123456789"}},
    {"Hex128UpperCase", "ABCDEF0123456789ABCDEF0123", 0, 1, {O::Send, 0, "ABCDEF0123456789ABCDEF0123"}},
    {"Hex64TooShort", "012345678", 0, 0, {O::WrongLength, 10, {}}},
    {"Hex152TooLong", "0123456789abcdef0123456789abcdef0", 0, 2, {O::WrongLength, 32, {}}},
    {"HexWithLetterG", "012345678g", 0, 0, {O::NotHex, 0, {}}},
    {"Ascii64ConvertedToHex", "abcde", 1, 0, {O::Send, 0, "6162636465"}},
    {"Ascii152WrongLength", "abcdefghijklmno", 1, 2, {O::WrongLength, 16, {}}},
    {"AsciiOutsidePrintable", "abc\tz", 1, 0, {O::NotHex, 0, {}}},
    // A masked key passes whatever it stands for; it is never converted nor sent.
    {"MaskedHex64", "**********", 0, 0, {O::Masked, 0, {}}},
    {"MaskedAscii64", "*****", 1, 0, {O::Masked, 0, {}}},
    // A mask of any length stands for the device's key: refusing it would block every write until
    // the user retyped a key he never changed.
    {"MaskedHexWrongLength", "********", 0, 0, {O::Masked, 0, {}}},
    {"MaskedAsciiWrongLength", "**********", 1, 0, {O::Masked, 0, {}}},
    {"MaskedWithoutSize", "***", 0, -1, {O::Masked, 0, {}}},
    {"StarsAmongDigitsAreNoMask", "01234*****", 0, 0, {O::NotHex, 0, {}}},
    {"NoSizeChecksNoLength", "0123", 0, -1, {O::Send, 0, "0123"}},
    {"EmptyKey", "", 0, 0, {O::WrongLength, 10, {}}},
    {"EmptyKeyWithoutSizeIsNoKey", "", 0, -1, {O::Masked, 0, {}}},
};

INSTANTIATE_TEST_SUITE_P(Table, WepKey, ::testing::ValuesIn(kKeys),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(KeyRules, LengthWordKeepsTheSixteenCharacterSpelling) {
    EXPECT_EQ(KeyRules::lengthWord(16), u"Lengh");
    for (int n : {5, 10, 13, 26, 32}) EXPECT_EQ(KeyRules::lengthWord(n), u"Length") << n;
}

}  // namespace
