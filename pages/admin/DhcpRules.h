#pragma once

// The DHCP server page's rules without its windows: which fields the server switches enable, the
// dynamic pool's checks with their boxes, the rows Add, Set and Del work on, the free entry, and the
// waiting dialogs. The page applies what these return to its controls.

#include <QString>
#include <QStringList>

#include <optional>
#include <utility>
#include <vector>

#include "module/AddrCheck.h"
#include "module/PageRules.h"
#include "module/WaitCountdown.h"

namespace DhcpRules {

// CB_Fuction1 / CB_Fuction2 and CB_Status: "Disable" / "OFF" at 0, "Enable" / "ON" at 1.
inline constexpr int kDisableIndex = 0;
inline constexpr int kEnableIndex = 1;
inline constexpr int kJoinIndex = 0;  // CB_Clus
inline constexpr int kAddressMaxLength = 15;
inline constexpr int kDomainMaxLength = 63;
inline constexpr int kRangeMaxLength = 3;
inline constexpr int kLeaseMaxLength = 8;
inline constexpr int kMacMaxLength = 12;  // the dialog's MAC before each showing

// A free static-pool row, and the walks' stop values.
inline const QString kFreeIp = QStringLiteral("0.0.0.0");
inline const QString& kFreeMac = kZeroMac;
inline const QString kListing = QStringLiteral("Listing data ... ");  // the trailing blank is the page's

// ---- Enabled states ------------------------------------------------------------------------------

// Enabled states to give, in order; the two static lists' colour (window when true, button face when
// false) when the rule sets it, and the max lengths when it sets them.
struct ControlStates {
    std::vector<std::pair<QString, bool>> enabled;
    std::optional<bool> listsWindowColour;  // LV_StaticPoolSet and User_ListView
    bool setsMaxLengths = false;            // Ed_PoolRan kRangeMaxLength, Ed_Lease kLeaseMaxLength
};
// The nine dynamic-pool fields.
inline const QStringList kDynamicFields{"Ed_IPAF", "Ed_PoolRan", "Ed_SubMask", "Ed_Gateway", "Ed_Wins",
                                        "Ed_DNS",  "Ed_DomNa",   "Ed_Lease",   "CB_Status"};
ControlStates enableDynamicFields(bool on, int function1Index, int function2Index);
ControlStates enableStaticFields(bool on);

// Bt_Add after a switch or tab change: enabled when the server is on; nullopt while the static list
// is walked (it stays as it is).
std::optional<bool> addEnabled(int function2Index, bool staticListBusy);
// User_ListView's selection: Set and Del follow it while a switch is on; nullopt: the server is off,
// the list turns button face and nothing else changes.
std::optional<bool> setDelEnabled(int function1Index, int function2Index, bool rowSelected);

// ---- Dynamic pool Apply ----------------------------------------------------------------------------

inline const QString& kWarning = PageRules::kWarning;
inline const QString kError = QStringLiteral("Error");
inline const QString kWaring = QStringLiteral("Waring");  // the page's own spelling on these boxes

inline const QString kBadStart = QStringLiteral("Please input valid IP address");
inline const QString kBadRange = QStringLiteral("Please input a number between 1 and 255.");
inline const QString kCoversDevice = QStringLiteral("Reject: The DHCP dynamic IP pool will cover system IP.");
inline const QString kCoversStatic = QStringLiteral("Reject: The DHCP dynamic IP pool will cover Static IP.");
inline const QString kBadLease = QStringLiteral("Please input a number between 60 and 31536000.");
inline const QString kInvalidStart = QStringLiteral("Invalid IP Address!");
inline const QString kInvalidMask = QStringLiteral("Invalid Subnet Mask!");
inline const QString kInvalidGateway = QStringLiteral("Invalid Gateway!");
inline const QString kInvalidWins = QStringLiteral("Invalid Wins!");
inline const QString kInvalidDns = QStringLiteral("Invalid DNS!");
inline const QString kStartIsDevice = QStringLiteral("Reject:DHCPS dynamic IP pool will cover system IP");
inline const QString kPoolFull = QStringLiteral("The static pool is full!");

inline constexpr int kRangeLow = 1, kRangeHigh = 255;
inline constexpr int kLeaseLow = 60, kLeaseHigh = 31536000;

// A check that failed: a box with one OK button, then what the page does to its fields.
using PageRules::CheckFailure;

struct DynamicInput {
    QString start, range, mask, gateway, wins, dns, lease;  // the tab's edits
    QString deviceAddress;                                  // Ed_ext, as the device reported it
    QString commandLineAddress;                             // the address the module was started for
    QStringList staticAddresses;                            // User_ListView's IP column
};
// The pool as the coverage checks read it: a part before a dot that is no number counts all bits set.
uint32_t IPTextToNumberDhcp(const QString& text);
// Apply's checks with the server on, in their order; the first failure ends Apply. Once the checks
// pass the emptiness ones, the empty mask, gateway, WINS and DNS of in become "0.0.0.0" (the page
// shows them so, also when a later check fails).
std::optional<CheckFailure> checkDynamicPool(DynamicInput& in);
// Apply writes the function request and, with the server on, then the dynamic pool (only after the
// function was written).
bool writesDynamicPool(int function1Index);

// ---- Static pool rows ----------------------------------------------------------------------------

// Add, Set and Del do nothing while the static pool request is busy: a walk in progress would give
// a stale free row or a false "full".
bool actsNow(bool staticPoolBusy);
// Add: the first free row of LV_StaticPoolSet; nullopt: kPoolFull (kWarning).
std::optional<int> freeRow(const QStringList& poolAddresses);
// Set and Del: the row of LV_StaticPoolSet holding the address selected in User_ListView.
std::optional<int> rowOf(const QStringList& poolAddresses, const QString& selectedAddress);

inline const QString kAddingCaption = QStringLiteral("Static IP Pool Adding");
inline const QString kSettingCaption = QStringLiteral("Static IP Pool Setting");

// Del's waiting dialog: it waits for the re-list and never restarts the device.
WaitPlan deleteWait();

}  // namespace DhcpRules
