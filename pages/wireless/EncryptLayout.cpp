// The wireless security page's layout: one tab per radio slot, each with its authentication, WEP key
// table and WPA fields, and the page's buttons below. Both tabs have the same rows on their own names.

#include "pages/wireless/EncryptLayout.h"

#include <array>
#include <cstddef>

#include "module/LayoutRows.h"

namespace {

using namespace LayoutRows;

constexpr const char* kAuthItems =
    "\"Open System\",\"Shared Key\",\"Open System / Shared Key\",WPA-PSK,WPA-EAP,WPA2-PSK,WPA2-EAP,"
    "WPA-Auto-PSK,WPA-Auto-EAP";
// Wide enough for "Open System / Shared Key" in the kit's font; the key table moves right to make room.
constexpr int kAuthWidth = 157;
constexpr int kKeyTableLeft = 307;

struct TabNames {
    const char *sheet, *auth, *encryption, *keyType, *keySize, *validKey, *passPhrase, *cipher, *interval,
        *keyTable;
    std::array<const char*, 4> hexKeys, textKeys;
};

constexpr TabNames kTabA{"TS_80211a",
                         "CB_SecAutha",
                         "CB_SecEncypa",
                         "CB_KeyTypeA",
                         "CB_KeySizeA",
                         "CB_SecValKeya",
                         "Ed_PassPha",
                         "CB_CipherTypea",
                         "Ed_GKUIa",
                         "GB_KeyTaba",
                         {"Ed_Key1a", "Ed_Key2a", "Ed_Key3a", "Ed_Key4a"},
                         {"Ed_Key1t", "Ed_Key2t", "Ed_Key3t", "Ed_Key4t"}};
constexpr TabNames kTabG{"TS_80211g",
                         "CB_SecAuthg",
                         "CB_SecEncypg",
                         "CB_KeyTypeG",
                         "CB_KeySizeG",
                         "CB_SecValKeyg",
                         "Ed_PassPhg",
                         "CB_CipherTypeg",
                         "Ed_GKUIg",
                         "GB_KeyTabg",
                         {"Ed_Key1g", "Ed_Key2g", "Ed_Key3g", "Ed_Key4g"},
                         {"Ed_Key1tg", "Ed_Key2tg", "Ed_Key3tg", "Ed_Key4tg"}};

constexpr std::size_t kTabRowCount = 18 + 4 * 3;

// One tab's rows: each key row holds a hex edit and, at the same place, a text edit for ASCII keys.
constexpr std::array<LayoutRow, kTabRowCount> tabRows(const TabNames& n) {
    std::array<LayoutRow, kTabRowCount> rows{
        label("", n.sheet, 20, 3, "Authentication"),
        combo(n.auth, n.sheet, 148, 0, kAuthWidth, kAuthItems),
        label("", n.sheet, 20, 29, "Encryption"),
        combo(n.encryption, n.sheet, 148, 26, 121, "Disable,Enable"),
        label("", n.sheet, 20, 55, "Key Type"),
        combo(n.keyType, n.sheet, 148, 52, 121),
        label("", n.sheet, 20, 81, "Key Size"),
        combo(n.keySize, n.sheet, 148, 78, 121),
        label("", n.sheet, 20, 107, "Valid Key"),
        combo(n.validKey, n.sheet, 148, 104, 121, "First,Second,Third,Fourth"),
        label("", n.sheet, 20, 133, "PassPhrase"),
        edit(n.passPhrase, n.sheet, 148, 130, 121, 63),
        label("", n.sheet, 20, 159, "Cipher Type"),
        combo(n.cipher, n.sheet, 148, 156, 121, "Auto,AES,TKIP"),
        label("", n.sheet, 20, 184, "Group Key  Update "),
        label("", n.sheet, 20, 197, "Interval [ 300 - 9999999 ]"),
        edit(n.interval, n.sheet, 148, 188, 121),
        group(n.keyTable, n.sheet, kKeyTableLeft, 8, 226, 184, "Key Table "),
    };
    constexpr int kTops[] = {32, 70, 108, 145};
    constexpr const char* kCaptions[] = {"First", "Second", "Third", "Fouth"};
    std::size_t at = 18;
    for (std::size_t k = 0; k < 4; ++k) {
        rows[at++] = label("", n.keyTable, 24, kTops[k], kCaptions[k]);
        rows[at++] = edit(n.hexKeys[k], n.keyTable, 68, kTops[k] - 4, 153);
        rows[at++] = edit(n.textKeys[k], n.keyTable, 68, kTops[k] - 4, 121, 0, forms::Hidden);
    }
    return rows;
}

constexpr LayoutRow kHead[] = {
    {Kind::PageControl, "PC_Encryption", "", 0, 0, 545, 240},
    {Kind::TabSheet, "TS_80211a", "PC_Encryption", 0, 0, 0, 0, "TS_80211a"},
    {Kind::TabSheet, "TS_80211g", "PC_Encryption", 0, 0, 0, 0, "TS_80211g", "", forms::Hidden},
};
constexpr LayoutRow kTail[] = {
    // The AP mode, read to refuse WPA on anything but an access point; never shown.
    hiddenCombo("CB_11a_APM", "", "TS_80211a"),      button("Bt_Adv", "", 48, 244, "Security Server", 84),
    button("Bt_Ref", "", 185, 244, "Refresh", 84),   button("Bt_Apply", "", 322, 244, "Apply", 84),
    button("Bt_Cancel", "", 459, 244, "Cancel", 84), statusBar(),
};

constexpr auto kRows = [] {
    constexpr auto a = tabRows(kTabA);
    constexpr auto g = tabRows(kTabG);
    std::array<LayoutRow, std::size(kHead) + 2 * kTabRowCount + std::size(kTail)> rows{};
    std::size_t at = 0;
    for (const auto& r : kHead) rows[at++] = r;
    for (const auto& r : a) rows[at++] = r;
    for (const auto& r : g) rows[at++] = r;
    for (const auto& r : kTail) rows[at++] = r;
    return rows;
}();

}  // namespace

const forms::FormLayout kEncryptLayout{"TFM_Encrypt", "Advanced \\ Encryption", 547, 296, kRows};
