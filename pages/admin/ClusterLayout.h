#pragma once

// The AP domains page's window as a layout table: the membership group (the ID, "Join" and "Disable"
// at one place, the hidden action carrier), the domain survey with its list and trigger carrier, the
// member list with its trigger carrier, Refresh, Close and the status bar.

#include "platform/forms/Layout.h"

extern const forms::FormLayout kClusterLayout;
