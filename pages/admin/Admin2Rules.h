#pragma once

// The newer administration page's rules without its window: the checks of an Apply, the console
// choice and the hidden values it writes, the order of the writes, and what a failed write undoes.

#include <optional>
#include <vector>

#include <QString>

#include "module/AccountRules.h"
#include "module/PageRules.h"

namespace Admin2Rules {

// Edit limits.
inline constexpr int kUserLimit = 64;
inline constexpr int kAddressLimit = 15;
inline constexpr int kVidLimit = 4;
inline constexpr int kVidMin = 1;
inline constexpr int kVidMax = 4094;
// How far the buttons move up, and the window shrinks, while the trap settings are not shown.
inline constexpr int kSnmpGroupShift = 43;

inline const QString kNoAddress = QStringLiteral("0.0.0.0");
inline const QString kNeedOneAddress = QStringLiteral("You at least must input one IP address!");
inline const QString kInvalidAddress = QStringLiteral("Invalid IP address!");
inline const QString kInvalidVid =
    QStringLiteral("The VLAN ID is invalid. The range of VLAN ID is 1 to 4094.");
inline const QString kEnableVlanFirst = QStringLiteral("Please enable Multi-SSID and VLAN first!");

// A limit address the device holds as 0.0.0.0 is shown empty, and an empty one is written as it.
QString shownAddress(const QString& text);
QString writtenAddress(const QString& text);

struct ApplyInput {
    bool limitIp = false;  // CkBx_ManagerState
    QString ip1, ip2;
    bool limitVid = false;  // CB_LimitVID, on a device that has the manager VLAN
    QString vid;
    QString vlanState;  // CB_VLanState's text: "Disabled" refuses a manager VLAN
    AccountRules::AccountInput account;
    bool notify = false;  // CkBx_LBS
    QString trapIp;
    // The trap settings' group shows. Hidden, the address is the device's own and the user could not
    // mend it: it is not checked, so it cannot bar every Apply.
    bool trapShown = false;
};

// A refused Apply: the box and its control, and whether the manager VLAN check box is cleared.
struct Refusal {
    PageRules::CheckFailure failure;
    bool uncheckLimitVid = false;
    bool operator==(const Refusal&) const = default;
};

// The first check that fails, in the page's order; nullopt when the Apply may write.
std::optional<Refusal> checkApply(const ApplyInput& in);

// Whether the manager VLAN's write carries its ID: always while the limit is on (the check has passed
// it), else only an ID the device can take, so that a field left empty or half typed with the limit
// off never reaches the device.
bool writesVid(bool limitVid, const QString& vid);

// The console protocol, as the radio buttons show it.
enum class Console { None, Telnet, Ssh };
// What the device's switches show: Telnet enabled wins over SSH; a switch not read shows as off.
Console shownConsole(int telnetIndex, int sshIndex);

// The hidden switches' indexes for a choice (0 Disable, 1 Enable), whether the timeout can be
// chosen, and whether it is written: without a console it is left as the device has it.
struct ConsoleItems {
    int telnet = 0;
    int ssh = 0;
    bool timeoutEnabled = false;
    bool operator==(const ConsoleItems&) const = default;
};
ConsoleItems consoleItems(Console c);

// The choices the page offers. A console whose switch was not read is never written, so choosing it
// would only switch the other one off; with neither read there is nothing to choose.
struct ConsoleOffer {
    bool none = false;
    bool telnet = false;
    bool ssh = false;
    bool operator==(const ConsoleOffer&) const = default;
};
ConsoleOffer consoleOffer(bool consoleRead, bool sshRead);

// One write of an Apply.
enum class Write { Account, ManagerIps, ManagerIpState, ManagerVlan, Trap, ConsoleOff, SshOff, Console, Ssh };
const char* writeName(Write w);

struct WriteState {
    bool managerIpsToWrite = false;
    bool vlanIdSupported = false;
    bool managerIpStateRead = false;  // the state's read came back: its check box shows the device
    bool trapRead = false;
    bool consoleRead = true;  // the telnet switch and its timeout came back
    bool sshRead = true;
};

// The writes in order, each only after the one before it succeeded. The consoles are switched off
// and on again last, so that no failure of the other settings leaves the device without a console;
// the address list goes before its limit, so that the limit never shuts out a list not yet written.
// A setting whose read failed is not written: its controls show nothing of the device. Each console
// counts on its own, so a firmware without one of them still gets the other one back.
std::vector<Write> writeOrder(const WriteState& s);

// A failed write after the consoles were touched leaves them as read when the page opened.
bool restoresConsoles(Write failed);

}  // namespace Admin2Rules
