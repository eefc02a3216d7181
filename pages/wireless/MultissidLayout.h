#pragma once

// The old multi-SSID page's window as a layout table.

#include "platform/forms/Layout.h"

extern const forms::FormLayout kMultiSSIDLayout;
