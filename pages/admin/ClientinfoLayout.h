#pragma once

// The client information page's window as a layout table: the station count, the list the user
// sees over the hidden list the walk fills, the hidden trigger carriers and the cycle's timer.

#include "platform/forms/Layout.h"

extern const forms::FormLayout kClientinfoLayout;
