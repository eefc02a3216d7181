#pragma once

// The device information page's window as a layout table: a tab per radio slot (slot 2 hidden) and
// the device's own settings below.

#include "platform/forms/Layout.h"

extern const forms::FormLayout kDevInfoLayout;
