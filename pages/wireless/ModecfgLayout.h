#pragma once

// The AP mode page's window as a layout table. Slot 2's tab is hidden; the page builds a tab's
// requests only when it is shown.

#include "platform/forms/Layout.h"

extern const forms::FormLayout kModecfgLayout;
