#pragma once

// The AP domains page's rules without its window: the ID a Join writes, what a membership read shows,
// the answer to a click on a surveyed domain and what follows a membership write.

#include <QString>

#include <cstdint>
#include <optional>

#include "module/PageRules.h"

namespace ClusterRules {

// Request time-outs, in the library's 10 ms units: the device takes longer to answer a Join or
// Disable than a read, and longer still to answer a domain survey.
inline constexpr int32_t kReadTimeout = 100;
inline constexpr int32_t kWriteTimeout = 500;
inline constexpr int32_t kSurveyTimeout = 1000;

inline constexpr const char* kIdFormat = "%u{n0x9}";
inline constexpr int kIdMaxLength = 1;
// CB_Action: "Join" (1) at index 0, "Escape" (2) at index 1. The triggers: "Survey" (1) at index 1.
inline constexpr int kJoinIndex = 0;
inline constexpr int kEscapeIndex = 1;
inline constexpr int kSurveyIndex = 1;
// From this many listed domains on, a click on any of them is refused as full; a row's own member
// count does not enter.
inline constexpr int kFullRows = 9;
// The waiting dialog after a Join: the device restarts into its domain.
inline constexpr int kJoinWaitTicks = 35;
inline constexpr int kJoinRebootDelay = 8;

inline const QString kSetting = QStringLiteral("Setting...");
inline const QString kRefreshing = QStringLiteral("Refresh...");
inline const QString kDetecting = QStringLiteral("Detecting...");

// The ID a Join writes: an empty edit joins domain 0.
QString joinId(const QString& typed);

// What a successful membership read shows. A failed read changes none of it.
struct MembershipView {
    bool member = false;         // "Disable" shown instead of "Join", the ID locked
    bool surveyMembers = false;  // the member survey starts (its chain ends the read's work)
    bool clearMembers = false;   // the member list is emptied
    bool operator==(const MembershipView&) const = default;
};
std::optional<MembershipView> membershipView(bool readOk, int actionIndex);

// A click on a row of the domain survey.
struct RowClick {
    enum class Kind { Nothing, Full, CopyId };
    Kind kind = Kind::Nothing;
    QString text;  // the box's text (Full) or the ID copied (CopyId)
    bool operator==(const RowClick&) const = default;
};
// Only a device that is not a member (its ID editable) takes a domain from the list. The full rule
// counts the listed rows, whatever a row's own member count says.
RowClick domainRowClick(bool rowSelected, bool idEditable, int rowCount, const QString& domainId);

// After a membership write: whether the waiting dialog shows, and the join-pending flag afterwards.
// A failed Join is forgotten: a later, unrelated Disable must not restart the device.
struct AfterWrite {
    bool waiting = false;
    bool joinPending = false;
    bool operator==(const AfterWrite&) const = default;
};
AfterWrite afterMembershipWrite(bool writeOk, bool joinPending);

}  // namespace ClusterRules
