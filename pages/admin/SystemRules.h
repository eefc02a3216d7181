#pragma once

// The system page's rules without its windows: what each command writes, the question before it, the
// waiting dialog after it, and when the factory reset is offered.

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

#include "module/PageRules.h"

namespace SystemRules {

enum class Command { Restart, FactoryDefault };

// CB_Restart and CB_Restore: "True" (1) at index 0, "False" (2) at index 1.
inline const QStringList kTrueFalse{QStringLiteral("True"), QStringLiteral("False")};
inline constexpr int kTrueIndex = 0;
// The command request's items.
inline constexpr int kRestartItem = 0;
inline constexpr int kFactoryItem = 1;

inline const QString kConfirm =
    QStringLiteral("Device will reboot and Vistrel module will be disconnected! Continue?");
inline const QString kConfirmCaption = PageRules::kWarning;

// What a command writes: the indexes the hidden combos take and the items it sends.
struct CommandPlan {
    int restartIndex = kTrueIndex;
    std::optional<int> restoreIndex;  // none: CB_Restore keeps its value, which is not written
    std::vector<bool> sent;           // by item: kRestartItem, kFactoryItem
    bool operator==(const CommandPlan&) const = default;
};
// A restart writes Restart alone: FactoryDefault as read (or never read) could reset the device.
CommandPlan commandPlan(Command command);

// The waiting dialog: the page sent its own restart command, so the dialog sends none.
PageRules::Waiting waitingFor(Command command);

// The AP-domain read's completion: a member cannot be reset ("Restore" disabled); a failed read
// leaves the button as it was (nullopt). "Restart" is never disabled.
inline constexpr int kJoinIndex = 0;
std::optional<bool> restoreEnabled(bool readOk, int clusterIndex);

}  // namespace SystemRules
