#pragma once

// The wireless security page's window as a layout table. Tab G, the radio of slot 2, is hidden on
// this device; its controls are built all the same, as the page's rules run over both tabs.

#include "platform/forms/Layout.h"

extern const forms::FormLayout kEncryptLayout;
