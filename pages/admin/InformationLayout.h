#pragma once

// The system information page's window as a layout table.

#include "platform/forms/Layout.h"

extern const forms::FormLayout kSysInfoLayout;
