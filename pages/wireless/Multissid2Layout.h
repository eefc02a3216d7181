#pragma once

// The multi-SSID page with VLANs as a layout table: the settings group with the row editors and the
// key and passphrase groups at one place, the user's list over the walked table and its carriers.

#include "platform/forms/Layout.h"

extern const forms::FormLayout kMultissid2Layout;
