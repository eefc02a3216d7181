#pragma once

// The access filter page, the MAC table window and the address dialog as layout tables. Each filter
// tab has the band's access control with its table button and the band's partition switches; the
// table window lays the user's list over the device's own rows.

#include "platform/forms/Layout.h"

extern const forms::FormLayout kFilterLayout;
extern const forms::FormLayout kFilterMacLayout;
extern const forms::FormLayout kMacAddrLayout;
