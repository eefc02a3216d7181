#pragma once

// The statistics page's window as a layout table: a tab per radio slot (slot 2 hidden), each with
// its eighteen counters in four groups.

#include "platform/forms/Layout.h"

extern const forms::FormLayout kStaticLayout;
