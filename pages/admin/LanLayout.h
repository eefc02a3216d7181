#pragma once

// The LAN page's window as a layout table: the visible address fields over a hidden static-pool list,
// and the hidden carriers of the dynamic pool, the restart command and the AP-domain action.

#include "platform/forms/Layout.h"

extern const forms::FormLayout kLanLayout;
