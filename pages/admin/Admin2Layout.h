#pragma once

// The newer administration page's window as a layout table: the login, the limits on who may manage
// the device, the console and the trap settings (hidden), with the hidden carriers of device values.

#include "platform/forms/Layout.h"

extern const forms::FormLayout kAdminNewLayout;
