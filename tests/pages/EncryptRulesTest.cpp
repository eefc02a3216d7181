// The wireless security page's rules without its window: the fields each authentication opens, the
// key edits' set-up, and Apply's checks with the items each write carries.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "module/KeyRules.h"
#include "pages/wireless/EncryptRules.h"
#include "tests/NamedRows.h"

namespace {

using namespace EncryptRules;
using hvtest::PrintTo;

// ---- Field rules --------------------------------------------------------------------------------

struct FieldsCase {
    const char* name;
    int auth, encryption;
    SecurityFields want;
};

SecurityFields wep(bool on) {
    SecurityFields f;
    f.keysEditable = f.validKeyEnabled = on;
    f.keyTypeEnabled = f.keySizeEnabled = on;
    f.passPhraseEditable = f.cipherEnabled = f.intervalEditable = false;
    f.intervalMaxLength = 7;
    return f;
}
SecurityFields sharedKey() {
    SecurityFields f;
    f.keyTypeEnabled = f.keySizeEnabled = true;
    f.encryptionIndex = kEnable;
    f.encryptionEnabled = false;
    f.passPhraseEditable = f.cipherEnabled = f.intervalEditable = false;
    f.intervalMaxLength = 7;
    return f;
}
SecurityFields wpa(bool psk) {
    SecurityFields f;
    f.passPhraseEditable = psk;
    f.cipherEnabled = f.intervalEditable = true;
    f.encryptionIndex = kEnable;
    f.encryptionEnabled = false;
    f.keyTypeEnabled = f.keySizeEnabled = false;
    f.validKeyEnabled = f.keysEditable = false;
    f.intervalMaxLength = 7;
    return f;
}

const FieldsCase kFields[] = {
    {"OpenDisabled", kOpenSystem, kDisable, wep(false)},
    {"OpenEnabled", kOpenSystem, kEnable, wep(true)},
    {"OpenNoEncryptionRead", kOpenSystem, -1, wep(true)},
    {"OpenSharedDisabled", kOpenShared, kDisable, wep(false)},
    {"OpenSharedEnabled", kOpenShared, kEnable, wep(true)},
    {"SharedKeyForcesEncryption", kSharedKey, kDisable, sharedKey()},
    {"WpaPsk", kWpaPsk, kDisable, wpa(true)},
    {"WpaEapPassPhraseLocked", kWpaEap, kEnable, wpa(false)},
    // Only the first step: the other fields keep what they had.
    {"Wpa2PskFirstStepOnly", 5, kDisable, SecurityFields{}},
    {"WpaAutoEapFirstStepOnly", 8, kEnable, SecurityFields{}},
    {"NoAuthentication", -1, kEnable, SecurityFields{}},
};

class EncryptFields : public ::testing::TestWithParam<FieldsCase> {};

TEST_P(EncryptFields, FollowTheAuthentication) {
    EXPECT_EQ(securityFields(GetParam().auth, GetParam().encryption), GetParam().want);
}

INSTANTIATE_TEST_SUITE_P(Table, EncryptFields, ::testing::ValuesIn(kFields),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(EncryptRules, WpaOnlyOnAnAccessPoint) {
    EXPECT_FALSE(wpaRefused(0, kWpaPsk));
    EXPECT_TRUE(wpaRefused(1, kWpaPsk));
    EXPECT_TRUE(wpaRefused(3, kWpaEap));
    // An AP mode that was never read refuses WPA too: the page cannot tell it is an access point.
    EXPECT_TRUE(wpaRefused(-1, kWpaEap));
    EXPECT_FALSE(wpaRefused(1, kOpenSystem));
    EXPECT_FALSE(wpaRefused(1, 5));
}

struct KeyFieldsCase {
    const char* name;
    int type, size;
    std::optional<KeyFields> want;
};

const KeyFieldsCase kKeyFields[] = {
    {"Hex64", 0, 0, KeyFields{true, false, 10, QString(10, '*')}},
    {"Hex152", 0, 2, KeyFields{true, false, 32, QString(32, '*')}},
    {"Ascii128", 1, 1, KeyFields{false, true, 13, QString(13, '*')}},
    {"Ascii152", 1, 2, KeyFields{false, true, 16, QString(16, '*')}},
    {"HexNoSize", 0, -1, KeyFields{true, false, std::nullopt, std::nullopt}},
    {"NoType", -1, 1, std::nullopt},
};

class EncryptKeyFields : public ::testing::TestWithParam<KeyFieldsCase> {};

TEST_P(EncryptKeyFields, ShowTheTypesEditsMasked) {
    EXPECT_EQ(keyFields(GetParam().type, GetParam().size), GetParam().want);
}

INSTANTIATE_TEST_SUITE_P(Table, EncryptKeyFields, ::testing::ValuesIn(kKeyFields),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(EncryptRules, KeySizeFollowsTheValidKeysLength) {
    const std::array<QString, 4> keys{QString(10, 'a'), QString(26, 'b'), QString(32, 'c'), "abc"};
    EXPECT_EQ(keySizeFromKeys(0, keys), 0);
    EXPECT_EQ(keySizeFromKeys(1, keys), 1);
    EXPECT_EQ(keySizeFromKeys(2, keys), 2);
    EXPECT_EQ(keySizeFromKeys(3, keys), std::nullopt);
    EXPECT_EQ(keySizeFromKeys(-1, keys), std::nullopt);
}

TEST(EncryptRules, HexKeyVerdicts) {
    EXPECT_EQ(hexKeyVerdict(""), KeyVerdict::Unchanged);
    EXPECT_EQ(hexKeyVerdict(QString(26, '*')), KeyVerdict::Unchanged);
    EXPECT_EQ(hexKeyVerdict("0123456789abcdefABCDEF0123"), KeyVerdict::Written);
    EXPECT_EQ(hexKeyVerdict("0123456789abcdefABCDEF012G"), KeyVerdict::Refused);
    EXPECT_EQ(hexKeyVerdict("**12"), KeyVerdict::Refused);
}

TEST(EncryptRules, KeyLengthMessagesNameTheRadio) {
    EXPECT_EQ(KeyRules::keyLengthMessage(1, 10, kBandA),
              u"The Length of the 1st key in IEEE802.11a must be 10!");
    EXPECT_EQ(KeyRules::keyLengthMessage(3, 13, kBandG),
              u"The Length of the 3rd key in IEEE802.11g must be 13!");
    EXPECT_EQ(KeyRules::keyLengthMessage(4, 16, kBandA),
              u"The Lengh of the 4th key in IEEE802.11a must be 16!");
}

// ---- Apply --------------------------------------------------------------------------------------

std::array<QString, 4> masked(int length) {
    return {QString(length, '*'), QString(length, '*'), QString(length, '*'), QString(length, '*')};
}

TabInput open(int encryption = kDisable) {
    TabInput in;
    in.auth = kOpenSystem;
    in.encryption = encryption;
    in.interval = "300";
    in.hexKeys = masked(10);
    in.textKeys = masked(5);
    return in;
}

struct ApplyCase {
    const char* name;
    TabInput in;
    TabOutcome want;
};

CheckFailure refused(const QString& message, const QString& caption, const QString& emptied = {}) {
    return PageRules::failure(message, caption, {}, emptied);
}

TabPlan wepPlan(std::array<std::optional<QString>, 4> keys = {}) {
    TabPlan p;
    p.security = {true, true, true};
    p.keys = keys;
    return p;
}

TabPlan wpaPlan(std::array<bool, 3> wpa, bool serversUsed) {
    TabPlan p;
    p.security = {true, false, false};
    p.wpa = wpa;
    p.serverSettingsUsed = serversUsed;
    return p;
}

template <class F>
TabInput with(TabInput in, F change) {
    change(in);
    return in;
}

const QString kKey26 = "0123456789abcdef0123456789";

// Built at run time: a constant table of these rows trips the compiler.
std::vector<ApplyCase> applyCases() {
    return {
        {"OpenDisabledSendsNoKey", open(), wepPlan()},
        {"IntervalLowEvenInOpenSystem", with(open(), [](TabInput& i) { i.interval = "299"; }),
         refused(kIntervalRange, "Error", kIntervalField)},
        {"IntervalHigh", with(open(), [](TabInput& i) { i.interval = "10000000"; }),
         refused(kIntervalRange, "Error", kIntervalField)},
        {"IntervalEmpty", with(open(), [](TabInput& i) { i.interval = ""; }),
         refused(kIntervalRange, "Error", kIntervalField)},
        {"IntervalTop", with(open(), [](TabInput& i) { i.interval = "9999999"; }), wepPlan()},
        {"IntervalBeforeWpa2",
         with(open(),
              [](TabInput& i) {
                  i.auth = 5;
                  i.interval = "x";
              }),
         refused(kIntervalRange, "Error", kIntervalField)},
        {"HexOnlyTheTypedKey",
         with(open(kEnable),
              [](TabInput& i) {
                  i.keySize = 1;
                  i.hexKeys = masked(26);
                  i.hexKeys[1] = kKey26;
              }),
         wepPlan({std::nullopt, kKey26, std::nullopt, std::nullopt})},
        {"HexKeyOfTheWrongLength",
         with(open(kEnable),
              [](TabInput& i) {
                  i.keySize = 1;
                  i.hexKeys = masked(26);
                  i.hexKeys[2] = "0123";
              }),
         refused("The Length of the 3rd key in IEEE802.11a must be 26!", "Warning")},
        {"HexKeyWithG",
         with(open(kEnable),
              [](TabInput& i) {
                  i.keySize = 1;
                  i.hexKeys = masked(26);
                  i.hexKeys[0] = "0123456789abcdef012345678G";
              }),
         refused(kHexDigits, {}, "hexKey1")},
        {"AsciiKeyInHex",
         with(open(kEnable),
              [](TabInput& i) {
                  i.keyType = 1;
                  i.textKeys[0] = "abcde";
              }),
         wepPlan({QString("6162636465"), std::nullopt, std::nullopt, std::nullopt})},
        // The hidden hex edits may still hold the device's keys: in ASCII only typed text keys count.
        {"AsciiIgnoresHiddenHexKeys",
         with(open(kEnable),
              [](TabInput& i) {
                  i.keyType = 1;
                  i.hexKeys = {"0123456789", "0123456789", "0123456789", "0123456789"};
              }),
         wepPlan()},
        {"AsciiLengh16",
         with(open(kEnable),
              [](TabInput& i) {
                  i.keyType = 1;
                  i.keySize = 2;
                  i.textKeys = masked(16);
                  i.textKeys[3] = "short";
              }),
         refused("The Lengh of the 4th key in IEEE802.11a must be 16!", "Warning")},
        {"AsciiBeyondAsciiRefused",
         with(open(kEnable),
              [](TabInput& i) {
                  i.keyType = 1;
                  i.textKeys[1] = QString::fromUtf8(
                      "ab\xc4\x80"
                      "de");
              }),
         refused(kHexDigits, {}, "textKey2")},
        {"AsciiControlCharacterRefused",
         with(open(kEnable),
              [](TabInput& i) {
                  i.keyType = 1;
                  i.textKeys[2] = QString("ab\tde");
              }),
         refused(kHexDigits, {}, "textKey3")},
        {"TabGNamesItsRadio",
         with(open(kEnable),
              [](TabInput& i) {
                  i.band = kBandG;
                  i.hexKeys[1] = "01";
              }),
         refused("The Length of the 2nd key in IEEE802.11g must be 10!", "Warning")},
        {"NoKeySizeTestsNothing",
         with(open(kEnable),
              [](TabInput& i) {
                  i.keySize = -1;
                  i.hexKeys[0] = "0123";
              }),
         wepPlan({QString("0123"), std::nullopt, std::nullopt, std::nullopt})},
        // The device's masked passphrase and keys are its own: never written back as asterisks, nor
        // refused for the mask's length.
        {"PskMaskedPassPhraseKept",
         with(open(),
              [](TabInput& i) {
                  i.auth = kWpaPsk;
                  i.passPhrase = "********";
              }),
         wpaPlan({false, true, true}, false)},
        {"PskShortMaskKept",
         with(open(),
              [](TabInput& i) {
                  i.auth = kWpaPsk;
                  i.passPhrase = "***";
              }),
         wpaPlan({false, true, true}, false)},
        {"MaskedKeyOfWrongLengthKept",
         with(open(kEnable),
              [](TabInput& i) {
                  i.hexKeys[2] = QString(9, '*');
                  i.hexKeys[3] = "0123456789";
              }),
         wepPlan({std::nullopt, std::nullopt, std::nullopt, QString("0123456789")})},
        {"LengthsBeforeDigits",
         with(open(kEnable),
              [](TabInput& i) {
                  i.hexKeys[0] = "012345678G";
                  i.hexKeys[1] = "0123";
              }),
         refused("The Length of the 2nd key in IEEE802.11a must be 10!", "Warning")},
        {"PassPhraseSeven",
         with(open(),
              [](TabInput& i) {
                  i.auth = kWpaPsk;
                  i.passPhrase = "1234567";
              }),
         refused(kPassPhraseLength, "Error")},
        {"PassPhraseEight",
         with(open(),
              [](TabInput& i) {
                  i.auth = kWpaPsk;
                  i.passPhrase = "12345678";
              }),
         wpaPlan({true, true, true}, false)},
        {"PassPhraseSixtyThree",
         with(open(),
              [](TabInput& i) {
                  i.auth = kWpaPsk;
                  i.passPhrase = QString(63, 'p');
              }),
         wpaPlan({true, true, true}, false)},
        {"PassPhraseSixtyFour",
         with(open(),
              [](TabInput& i) {
                  i.auth = kWpaPsk;
                  i.passPhrase = QString(64, 'p');
              }),
         refused(kPassPhraseLength, "Error")},
        {"EapNeedsTheServers", with(open(), [](TabInput& i) { i.auth = kWpaEap; }),
         refused(kSetServer, "Error")},
        {"EapLeavesThePassPhraseOut",
         with(open(),
              [](TabInput& i) {
                  i.auth = kWpaEap;
                  i.serverSettingsApplied = true;
                  i.passPhrase = "123";
              }),
         wpaPlan({false, true, true}, true)},
        {"Wpa2WritesNothing", with(open(), [](TabInput& i) { i.auth = 6; }), Unsupported{}},
        {"NoAuthenticationWritesNothing", with(open(), [](TabInput& i) { i.auth = -1; }), Unsupported{}},
    };
}

class EncryptApply : public ::testing::TestWithParam<ApplyCase> {};

TEST_P(EncryptApply, ChecksAndChoosesTheItems) {
    const TabOutcome got = checkTab(GetParam().in);
    ASSERT_EQ(got.index(), GetParam().want.index());
    if (const auto* f = std::get_if<CheckFailure>(&got)) {
        const auto& want = std::get<CheckFailure>(GetParam().want);
        EXPECT_EQ(f->message.toStdString(), want.message.toStdString());
        EXPECT_EQ(f->caption.toStdString(), want.caption.toStdString());
        EXPECT_EQ(f->emptied.toStdString(), want.emptied.toStdString());
    }
    EXPECT_TRUE(got == GetParam().want);
}

INSTANTIATE_TEST_SUITE_P(Table, EncryptApply, ::testing::ValuesIn(applyCases()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
