#pragma once

// The grouping page's rules without its windows: the user limit's check, which controls the AP mode,
// the load balance choice and the AP domain leave enabled, and what follows a write. The page applies
// what these return to its controls.

#include <QString>

#include <optional>

#include "module/PageRules.h"

namespace GroupRules {

using PageRules::CheckFailure;

inline constexpr int kUserLimitLow = 0;
inline constexpr int kUserLimitHigh = 64;
inline constexpr int kUserLimitMaxLength = 2;
inline const QString kUserLimitMessage = QStringLiteral("Please input a number between 0 and 64.");
inline const QString kSettingOk = QStringLiteral("Setting OK!");
inline const QString kSettingError = QStringLiteral("Setting Error!");
using PageRules::kRestartQuestion;

// The user limit's value: -1 for an empty text or one that is not a decimal number.
int userLimitValue(const QString& text);
// Apply's only check: a user limit outside 0..64 empties Ed_UsrL behind its box.
std::optional<CheckFailure> checkUserLimit(const QString& text);

// Combo indexes as the page reads them (-1: no selection).
inline constexpr int kAccessPointIndex = 0;  // CB_APMode
inline constexpr int kJoinIndex = 0;         // CB_Clus: the device is in an AP domain
inline constexpr int kEnableIndex = 1;       // CB_LoadB

// What a rule does to the controls; an empty field leaves that property as it was.
struct Controls {
    std::optional<bool> loadBalanceEnabled;    // CB_LoadB
    std::optional<bool> linkIntegrateEnabled;  // CB_LinkInt
    std::optional<bool> userLimitEditable;     // Ed_UsrL
    bool operator==(const Controls&) const = default;
};
// UpdateGroupingControls: load balance and link integrity only for an access point, the user limit
// only with load balance on.
Controls updateGroupingControls(int apModeIndex, int loadBalanceIndex);
// The cluster read's completion: a member of an AP domain cannot balance load; otherwise (and after a
// failed read) the AP mode rule decides.
Controls clusterReadDone(bool ok, int clusterIndex, int apModeIndex, int loadBalanceIndex);

// What follows the write of the grouping objects.
struct AfterWrite {
    QString status;
    bool askRestart = false;   // the restart question first; only OK shows the waiting dialog
    bool waiting = false;      // the waiting dialog at once
    bool readCluster = false;  // a new cluster read ends every successful Apply
    bool operator==(const AfterWrite&) const = default;
};
AfterWrite afterWrite(bool ok, int clusterIndex);
// The waiting dialog: five ticks before it sends the restart command.
inline const PageRules::Waiting kApplyWaiting{5, true, {}, {}};

}  // namespace GroupRules
