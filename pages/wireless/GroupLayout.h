#pragma once

// The grouping page's window as a layout table, with the hidden combos that carry the AP mode and
// the AP domain action.

#include "platform/forms/Layout.h"

extern const forms::FormLayout kGroupLayout;
