#pragma once

// The DHCP server page's window as a layout table: the dynamic pool's tab, the static pool's tab with
// the user's list over the pool's own, and the current leases' tab, with the hidden carriers of the
// device's address, the coverage check's scratch edit, the AP-domain action and the close timer.

#include "platform/forms/Layout.h"

extern const forms::FormLayout kDhcpLayout;
