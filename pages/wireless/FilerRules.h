#pragma once

// The access filter pages' rules without their windows: when a band's address table may be opened,
// which row of the device's MAC table Add, Set and Del work on, the checks of a typed address, and
// which table buttons may act while walks and writes are out. The pages apply what these return.

#include <QString>

#include <optional>
#include <vector>

#include "module/PageRules.h"

namespace FilerRules {

// ---- The filter page ------------------------------------------------------------------------------

// CB_ACa / CB_ACg over adAccSettingWirelessAccessControl: "Accept", "Reject", "Disable".
inline constexpr int kAccessDisableIndex = 2;
// A band's "Access Control List" button: its table means nothing while its filter is off.
bool macTableButtonEnabled(int accessControlIndex);

inline const QString kTableCaption = QStringLiteral("IEEE 802.11g MAC Address Table");
inline const QString kSettingSuccess = QStringLiteral("Setting Success!");
inline const QString kSettingError = QStringLiteral("Setting Error!");

// ---- The MAC table --------------------------------------------------------------------------------

inline const QString kListing = QStringLiteral("Listing data ... ");  // the trailing blank is the page's
inline const QString kAddingCaption = QStringLiteral("Adding MAC Address");
inline const QString kSettingCaption = QStringLiteral("Set MAC Address");
inline constexpr int kMacLength = 12;

// One row of the device's table as the hidden list holds it: its key ("No.") and its MAC text.
struct MacRow {
    QString key;
    QString mac;
    bool operator==(const MacRow&) const = default;
};

// Add: the first free row (twelve zeros); nullopt when the table is full.
std::optional<int> freeRow(const std::vector<MacRow>& rows);
// Set and Del: the row holding the MAC of the user's row, whatever the case of its letters;
// nullopt when none does (the lists differ), so that nothing is written to a row chosen earlier.
std::optional<int> rowOfMac(const std::vector<MacRow>& rows, const QString& mac);

// ---- The address dialog's Apply -------------------------------------------------------------------

inline const QString kBadLength = QStringLiteral("The length is 12 in MAC Address.");
inline const QString kInvalidMac = QStringLiteral("Please input a valid MAC Address.");
inline const QString kMacExists = QStringLiteral("Reject: The MAC already exists ");

// The typed address's checks in their order: the length (kError), then an address that is free or
// not twelve hex digits (kWarning).
std::optional<PageRules::CheckFailure> checkTyped(const QString& typed);
// Another row of the table than the one written (key ownKey) holds the typed address, in either
// case: kMacExists (kWarning), nothing written.
bool isDuplicate(const std::vector<MacRow>& rows, const QString& ownKey, const QString& typed);

// ---- Which table buttons act ----------------------------------------------------------------------

// What the table window is doing, and what its lists hold.
struct TableActivity {
    bool tableBusy = false;    // the walk of the hidden list, or a write, is out
    bool usersBusy = false;    // the walk of the user's list is out
    bool writing = false;      // a write is out, from its start to its completion
    bool tableListed = false;  // the last walk of the hidden list succeeded
    bool freeRow = false;      // the hidden list holds a free row
    bool userRowSelected = false;
    bool operator==(const TableActivity&) const = default;
};

struct TableButtons {
    bool add = false;
    bool set = false;
    bool del = false;
    bool refresh = false;
    bool operator==(const TableButtons&) const = default;
};

// Add, Set and Del act only while both lists are complete and no write is out: a second write
// before the first one's completion would choose the same free row again, and a walk restarted under
// one still running mixes their rows. Refresh waits for both walks and any write.
TableButtons tableButtons(const TableActivity& a);
// Refresh restarts both walks only when neither runs and no write is out; otherwise it only
// takes Set and Del away.
bool refreshRestarts(const TableActivity& a);

// ---- Closing the table window --------------------------------------------------------------------

// A closed table window hides and waits for the answers still out, looking every tick of its timer
// (50 ms). A device that never ends a walk must not keep it open under the main window for ever:
// after this many ticks (6 s) it closes all the same, and the requests' end drops what comes later.
inline constexpr int kCloseWaitTicks = 120;
// Whether the window closes now: nothing out, or waited long enough.
bool closesNow(bool requestsBusy, int waitedTicks);

}  // namespace FilerRules
