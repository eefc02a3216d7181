#pragma once

// The static IP dialog's rules without its windows: Apply's checks of one static-pool entry with
// their boxes, the row the entry is written into and the row emptied first, and the waiting dialog.
// The dialog belongs to the DHCP server page, whose static pool it writes.

#include <QString>
#include <QStringList>

#include <optional>
#include <variant>
#include <vector>

#include "module/WaitCountdown.h"
#include "pages/admin/DhcpRules.h"

namespace StaticipRules {

using DhcpRules::CheckFailure;

// One entry of the static pool as the dialog's controls show it.
struct Entry {
    QString ip, mac, mask, gateway, wins, dns, domain;
    int status = 0;  // CB_Stat: "OFF" 0, "ON" 1
    bool operator==(const Entry&) const = default;
};
// What a freed row holds.
Entry freeEntry();

inline const QString kExists = QStringLiteral("Reject: The IP has already existed. ");  // blank kept
inline const QString kInvalidIp = QStringLiteral("Invalid IP Address");
inline const QString kBadMac = QStringLiteral("Please input valid MAC.");
inline const QString kInvalidMask = QStringLiteral("Invalid Subnet Mask.");
inline const QString kInvalidGateway = QStringLiteral("Invalid Gateway.");
inline const QString kInvalidWins = QStringLiteral("Invalid Wins.");
inline const QString kInvalidDns = QStringLiteral("Invalid DNS.");
inline const QString kAnswers = QStringLiteral("Reject: The IP already has been used.");
inline const QString kInDynamicPool =
    QStringLiteral("Reject: The IP has already existed in IP Dynamic pool.");
inline const QString kIsDevice = QStringLiteral("Reject: The IP is the system IP.");
inline const QString kMacTaken =
    QStringLiteral("Reject: DHCPS static IP already exists in static DHCP server!");

// A row of the DHCP page's LV_StaticPoolSet: its IP and MAC columns.
struct PoolRow {
    QString ip, mac;
};

struct ApplyInput {
    Entry entered;
    bool adding = true;                           // Ed_OldIP enabled
    int selectedRow = -1;                         // the row Add or Set selected in LV_StaticPoolSet
    std::vector<PoolRow> rows;                    // LV_StaticPoolSet
    QString poolStart, poolRange, deviceAddress;  // the DHCP page's Ed_IPAF, Ed_PoolRan, Ed_ext
    Entry old;                                    // the entry Set loaded (changing only)
};

// Steps before the probe: duplicate address (every row but the selected one), address, MAC (twelve
// hex digits, not the free MAC), mask, gateway, WINS and DNS. The empty WINS and DNS of in become
// "0.0.0.0" once the gateway has passed.
std::optional<CheckFailure> checkEntry(ApplyInput& in);
// The probe found a host on the address.
CheckFailure probeRefusal();
// Steps after the probe: the dynamic pool and the device's own address.
std::optional<CheckFailure> checkPlace(const ApplyInput& in);

// Where the entry goes. The pool keeps one entry per MAC: a row that holds the entered MAC (in any
// case) is emptied first and takes the entry; otherwise an added entry goes into the free row Add
// selected, a changed one into its own row (emptied first).
struct WritePlan {
    int row = -1;             // selected, then written with the entry
    bool emptyFirst = false;  // the row is written with freeEntry() before
};
struct Refusal {
    CheckFailure failure;
    Entry restored;  // the dialog's fields get the old entry back
};
// Changing an entry's MAC while keeping its address is refused.
std::variant<Refusal, WritePlan> writePlan(const ApplyInput& in);

// The entry as written: an empty mask, gateway, WINS or DNS goes as "0.0.0.0".
Entry written(Entry e);

// After the write: the dialog hides and waits for the re-list; the device is not restarted.
WaitPlan applyWait();

}  // namespace StaticipRules
