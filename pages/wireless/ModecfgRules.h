#pragma once

// The AP mode page's rules without its windows: the mode combo's entries, which MAC edits each mode
// lets the user change or empties, Apply's checks with their texts, the items a write carries, and
// the flags restored after it. The page applies what these return to its controls.

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>
#include <variant>

#include "module/PageRules.h"

namespace ModecfgRules {

using PageRules::CheckFailure;

// Slot 1 (tab A, with the hidden SSID) or slot 2 (tab G, without it).
enum class Tab { A, G };

// CB_11a_APM's entries in order, adAPMode 1..4. A device mode beyond them (AP Client and the modes
// "without AP") leaves the combo without a selection.
enum class Mode { AccessPoint, PtpBridge, PtmpBridge, UniversalRepeater };
inline constexpr int kModeCount = 4;
const QStringList& modeItems();
// The mode of a combo index; nullopt for no selection or an index beyond the entries.
std::optional<Mode> modeAt(int index);

// The request's items: the mode, the eight remote MACs, the root MAC and (tab A only) the SSID.
inline constexpr int kModeItem = 0;
inline constexpr int kFirstRemoteItem = 1;
inline constexpr int kRootItem = 9;
inline constexpr int kSsidItem = 10;
inline constexpr int kMaxItems = 11;
int itemCount(Tab tab);
inline constexpr int kMacMaxLength = 12;
inline constexpr int kSsidMaxLength = 32;

// The controls of a tab.
QString modeCombo(Tab tab);
QString remoteEdit(Tab tab, int n);  // n 0..7: Ed_ReMAddra0 .. Ed_ReMAddra7
QString rootEdit(Tab tab);

// The texts of a tab's edits.
struct Macs {
    std::array<QString, 8> remote;
    QString root;
    QString ssid;  // tab A only
    bool operator==(const Macs&) const = default;
};

// Which edits the user can change in a mode.
struct Editable {
    std::array<bool, 8> remote{};
    bool root = false;
    bool ssid = false;
    bool operator==(const Editable&) const = default;
};
// nullopt for no selection: the edits keep whatever state they had.
std::optional<Editable> editable(std::optional<Mode> mode);

// UpdateModeControls: free peers ("000000000000") shown empty; the root MAC and SSID emptied in the
// modes that do not use them.
Macs shownMacs(std::optional<Mode> mode, const Macs& macs);

inline const QString kDuplicateMac = QStringLiteral("Exsit same MAC address.");
inline const QString kRootMacLength = QStringLiteral("The length is 12 in IEEE802.11g Root AP MAC Address.");
inline const QString kMacLength = QStringLiteral("The length is 12 in IEEE802.11g MAC address.");
// BandSettingErrorA/G and BandSettingSuccessA/G.
QString settingError(Tab tab);
QString settingSuccess(Tab tab);

// The duplicate check over the remote MACs the mode lets the user change, ignoring case: stale
// peers the device holds in read-only edits never block Apply. Pairs are tried from the last edit
// down, and the later edit of a pair gets the focus.
std::optional<CheckFailure> checkDuplicateMacs(Tab tab, std::optional<Mode> mode,
                                               const std::array<QString, 8>& remote);

// What a write carries: a flag per item (ReadWrite sent, Invalid left out) and the edits' texts,
// their empty MACs turned into free peers.
struct WritePlan {
    std::array<uint32_t, kMaxItems> flags{};
    Macs texts;
    bool operator==(const WritePlan&) const = default;
};
// CheckMacAddresses. A mode that is not selected refuses the write (the band's error text, no box):
// the mode item would otherwise carry an empty or invalid adAPMode.
std::variant<CheckFailure, WritePlan> checkMacAddresses(Tab tab, std::optional<Mode> mode, const Macs& macs);

// Apply's checks for a tab in order: duplicates (tab A only), then the MACs of the mode.
std::variant<CheckFailure, WritePlan> checkApply(Tab tab, std::optional<Mode> mode, const Macs& macs);

// The edits after a successful write: the free peers shown empty again.
Macs afterSuccess(const Macs& written);

// Apply's waiting dialog: its defaults, and no restart question before it.
inline const PageRules::Waiting kApplyWaiting{};

}  // namespace ModecfgRules
