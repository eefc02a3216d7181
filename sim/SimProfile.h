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

// The enterprise subtree the device's own objects lie under.
inline constexpr const char* kEnterprise = "1.3.6.1.4.1.47011.11.37";
