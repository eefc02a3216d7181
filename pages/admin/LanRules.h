#pragma once

// The LAN page's rules without its windows: which fields the address source shows, what the AP
// domain locks, Apply's checks with their boxes, the restart decision, the items each write carries
// and the waiting dialogs. The page applies what these return to its controls.

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "module/AddrCheck.h"
#include "module/WaitCountdown.h"
#include "module/PageRules.h"

namespace LanRules {

// CB_IPFrom's items: "Static (Manual)" (value 1), "Dynamic (DHCP)" (value 2).
inline constexpr int kStaticIndex = 0;
inline constexpr int kDynamicIndex = 1;
// CB_Clus's items: "Join" (1), "Escape" (2).
inline constexpr int kJoinIndex = 0;
// ED_Restart's items: "nothing" (0), "reboot" (1).
inline constexpr int kNothingIndex = 0;
inline constexpr int kRebootIndex = 1;
inline constexpr int kAddressMaxLength = 15;  // ED_IpAddr, ED_SubMask, ED_DefGw

// ---- Fields --------------------------------------------------------------------------------------

// The labels and edits of a static address, hidden while the address comes from DHCP.
inline constexpr std::array<const char*, 6> kStaticFields{"LA_IPAddress", "ED_IpAddr", "LA_SubnetMask",
                                                          "ED_SubMask",   "LA_DefGW",  "ED_DefGw"};
bool staticFieldsVisible(int ipFromIndex);

// A device in an AP domain takes its address from the domain: CB_IPFrom and ED_IpAddr stay disabled
// while it joins. The enabled state the AP-domain read gives them; nullopt (a failed read) leaves
// them as they are.
std::optional<bool> domainLockedEnabled(bool readOk, int clusIndex);

// ---- Apply's checks ------------------------------------------------------------------------------

inline const QString& kWarning = PageRules::kWarning;
inline const QString kBadAddress = QStringLiteral("Please input valid IP Address.");
inline const QString kBadMask = QStringLiteral("Please input valid Subnet Mask.");
inline const QString kBadGateway = QStringLiteral("Please input valid Gateway.");
inline const QString kInDynamicPool = QStringLiteral("Reject: The IP conflicts with Dynamic DHCP Server IP");
inline const QString kAnswers = QStringLiteral("Reject: The IP already has been used.");
inline const QString kInStaticPool = QStringLiteral("Reject: The IP conflicts with Static DHCP Server IP");
// The static pool could not be read, so the address was not checked against it.
inline const QString kStaticPoolUnread = QStringLiteral("Reject: The static DHCP pool could not be read.");
inline const QString kDhcpQuestion = QStringLiteral("Device will reboot,continue?");
inline const QString kSetSuccess = QStringLiteral("Set Success!");
inline const QString kSetError = QStringLiteral("Set Error!");

using PageRules::CheckFailure;
// A check that failed: a box with one OK button, then what the page does to its fields.
struct Refusal {
    CheckFailure failure;
    bool reread = false;  // the IP request is read again: the edits show the device's values
    bool operator==(const Refusal&) const = default;
};

struct StaticInput {
    QString address, mask, gateway;  // ED_IpAddr, ED_SubMask, ED_DefGw
    QString poolStart, poolRange;    // Ed_IPAF, Ed_PoolRan: the dynamic pool as read (design texts if not)
};
// The pool's and the address's texts as the dynamic-pool check sums them (a bad part counts 0).
inline uint32_t IPTextToNumberLan(const QString& text) {
    return IPTextToNumber(text);
}
// The address, mask and gateway, then the dynamic pool: the first that fails.
std::optional<Refusal> checkFields(const StaticInput& in);

// The probe and the static pool are asked only for an address the device does not already hold.
bool addressChanged(const QString& address, const QString& savedAddress);
// The probe found a host on the address.
Refusal probeRefusal();

// The static pool's IP column, read to its end before the check: a pool only partly delivered would
// let a reserved address through. A failed or timed-out read refuses, since nothing was checked.
std::optional<Refusal> checkStaticPool(const QString& address, const QStringList& poolAddresses,
                                      bool readComplete);

// ---- Writing -------------------------------------------------------------------------------------

// The items of the IP request (hGetIPFrom, hIPAddress, hSubnetMask, hDefaultGateway, sysRestart) that
// Apply writes: all of them for a static address; for DHCP only hGetIPFrom and sysRestart.
std::vector<bool> writtenItems(int ipFromIndex);

// ED_Restart's item for a static write: "reboot" when the device used DHCP (the new address needs a
// restart), else "nothing", so that a value read back from an earlier command never restarts it.
int restartIndex(int savedMode);

// While the static pool is read before a new address is accepted: no restart. Cancel at the question
// skips only the dialog; the page still waits for the read to end before it checks the pool.
WaitPlan judgeWait();
// After a good static write.
WaitPlan staticWait(int savedMode, const QString& address);
// After a good DHCP write: the dialog itself sends the restart command.
WaitPlan dhcpWait();

// What Apply does by CB_IPFrom's index.
enum class ApplyBranch { Static, Dynamic, DomainOnly };
ApplyBranch applyBranch(int ipFromIndex);

}  // namespace LanRules
