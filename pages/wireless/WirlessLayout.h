#pragma once

// The wireless page's window as a layout table: every control with its name, parent, place, caption,
// items and flags, built by forms::buildLayout. The site survey's group (" Site Survey ") is part of
// it; the survey has no window of its own.

#include "platform/forms/Layout.h"

extern const forms::FormLayout kWirlessLayout;
