#pragma once

// The system page's window as a layout table, with the hidden combos of the commands and the AP
// domain action.

#include "platform/forms/Layout.h"

extern const forms::FormLayout kSytemLayout;
