#pragma once

// The security servers dialog's window as a layout table.

#include "platform/forms/Layout.h"

extern const forms::FormLayout kSssLayout;
