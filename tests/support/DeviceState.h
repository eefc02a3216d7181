#pragma once

// Device states for the simulator, described as what a real device holds and put there through its
// control channel: an AP mode, a capability variant, older firmware, security set-ups, a row missing,
// an object that cannot be read, a table at its row limit. A state is a name and the control lines
// that turn the simulator's start-up device into it; states compose with `+`.
//
//   const DeviceState s = states::apMode(states::Mode::Repeater) + states::pskCipher(states::Cipher::Aes);
//   ASSERT_TRUE(applyState(*sim, s, &why)) << why;
//   takeCapabilities(*main, *sim);   // the main window's capability fields, as its probes fill them
//
// Every state is one a device can hold: WPA-PSK always comes with encryption on and a passphrase,
// a reduced data-rate capability with no rate set to Basic that the page cannot show, and so on.

#include <set>
#include <string>
#include <utility>
#include <vector>

class SimProcess;
class TMainForm;

struct DeviceState {
    std::string name;
    std::vector<std::string> lines;    // control lines, in order
    std::set<std::string> unreadable;  // OIDs the device answers reads of with an error

    // Both states, the right one's lines last; the names joined.
    DeviceState operator+(const DeviceState& other) const;
    // The state under another name (the row name of a table).
    DeviceState named(std::string rowName) const;
};

namespace states {

// The device's own arc, with a dot: E + "2.1.1.1.1" is adAPMode of slot 1.
inline const std::string E = "1.3.6.1.4.1.47011.11.37.4.";

// Objects holding values, as "TYPE VALUE" in the control channel's forms ("i 3", "s \"text\"",
// "x 00A0C9000001", "a 127.0.0.9"); scalars and instances alike are named without ".0".
DeviceState holding(std::string name, const std::vector<std::pair<std::string, std::string>>& values);

// The simulator's device as it starts, made consistent where its defaults are not: no data-rate
// change support (so every rate may be Basic), an access point outside any AP domain.
DeviceState standard();

// The wireless page's AP modes, in the order its mode tables number them: 0 the access point, 1 WDS
// with AP, 2 WDS without AP, 3 the client, 4 the repeater. The page's combo lists the repeater
// before the client, and only the modes the firmware offers, so a mode is named, never a position.
enum class Mode { AccessPoint, WdsWithAp, WdsWithoutAp, Client, Repeater };
// The device in the AP mode the page shows as `mode`, on firmware that names the WDS modes
// (APModeSupport above 31; WDS with AP is adAPMode 3, WDS without AP 7); wdsNames false gives the
// older firmware's modes (PtP Bridge 2, PtMP Bridge 3) and its APModeSupport of 31. The repeater is
// adAPMode 4, the client 5.
DeviceState apMode(Mode mode, bool wdsNames = true);
// A device mode by its adAPMode value 1..7, whatever page mode shows it.
DeviceState deviceMode(int adApMode);
// The adAPMode value each page mode writes, with and without the WDS names.
int deviceModeOf(Mode mode, bool wdsNames = true);

// Capability variants.
DeviceState newMultiSupport(int value);     // 0, 1 or 2
DeviceState mssidAndWdsSupport(int value);  // 0 or 1
DeviceState capabilitiesOff();              // every flag of the capability group reads 0
DeviceState dataRateChange();               // the 9, 18, 36, 48, 54 Mb/s rates offer no Basic
DeviceState dataRateControl(bool enabled);  // rate control supported, switched on or off
// Firmware v1.00.05: capabilities 0 and none of the optional radio features, DHCP server, AP domains
// and system log.
DeviceState olderFirmware();

// Radio settings.
DeviceState superG();  // Super G without Turbo (data rate then follows the mode)
DeviceState gOnly();   // 802.11g only
DeviceState featureMissing(const std::string& oid);  // a firmware without that optional object

// Security of slot 1. WEP with four keys of 26 digits, the valid key n (1..4).
DeviceState wep(int validKey = 1);
enum class Cipher { Auto = 1, Aes = 2, Tkip = 3 };
// WPA-PSK with encryption on, a passphrase and the cipher.
DeviceState pskCipher(Cipher cipher);
DeviceState wpaEap();
// Secondary SSIDs 2..4 switched on, protected with WPA-PSK (encryption on) or WEP.
enum class Secondary { Wpa, Wep };
DeviceState secondarySsids(Secondary kind);
// Multi-SSID row n (2..8) missing from the table.
DeviceState multiSsidRowMissing(int row);

// One object answering noSuchName to reads (also within a walk).
DeviceState noSuchName(const std::string& oid);
// The device belongs to AP domain 3.
DeviceState joined();
// Tables at their row limit: every MAC filter row of slot 1 used; the DHCP static pool full.
DeviceState macFilterFull();
DeviceState staticPoolFull();
// The widest values a list shows: 32-character SSIDs, MACs of wide digits, four-digit IP parts.
DeviceState widestValues();

}  // namespace states

// Runs the state's control lines; false with the failing line and its reply in *error.
bool applyState(SimProcess& sim, const DeviceState& state, std::string* error);

// Fills the main window's capability fields from the device's objects, as its probes would: each
// probe's field gets its first object's value; a field whose object the device lacks stays empty.
void takeCapabilities(TMainForm& main, SimProcess& sim);
