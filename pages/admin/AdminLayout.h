#pragma once

// The older administration page's window as a layout table: the login account only, with the hidden
// carriers of the current password and the AP domain state.

#include "platform/forms/Layout.h"

extern const forms::FormLayout kAdminLayout;
