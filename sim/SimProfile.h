#pragma once

#include <string>

#include "sim/SimStore.h"

// The device's object set: every object of the module's tables at the wire forms the module's
// requests use, with plausible values and table rows.
// Client: the full device with its radio as an AP client (adAPMode 5), a mode the AP mode page
// offers no entry for.
enum class SimProfile { Full, Legacy, Client };

// Tables the device refills when a page triggers a survey or a client refresh.
enum class SimRefill { Clients, Survey, Domains, Members };

// Fills store with the profile's objects and aliases (replacing what it held).
void buildDevice(SimStore& store, SimProfile profile);
// Rewrites the rows of one refilled table; generation makes the new rows tell from the old.
void refillTable(SimStore& store, SimProfile profile, SimRefill which, int generation);
// Gives the site survey table rows 1..rows (none for 0); later refills keep that many.
void setSurveyRows(SimStore& store, SimProfile profile, int rows, int generation);

// Gives the current dynamic and static lease tables rows 1..dynamicRows and 1..staticRows, with the
// clients and addresses of generation.
void setLeaseRows(SimStore& store, SimProfile profile, int dynamicRows, int staticRows, int generation);
// Gives the DHCP static pool rows 1..rows, the first used of them reserved (127.0.0.10+n for
// 00:0A:0B:0C:0D:n, status on), the others free (0.0.0.0, 000000000000).
void setStaticPool(SimStore& store, SimProfile profile, int used, int rows);
// A restart puts the LAN settings into effect: the status group then shows where the address comes
// from and, for a static one, the address, mask and gateway that were set.
void takeLanSettings(SimStore& store);

// The enterprise subtree the device's own objects lie under.
inline constexpr const char* kEnterprise = "1.3.6.1.4.1.47011.11.37";
