#pragma once

// The static IP dialog's window as a layout table: one static-pool entry's fields, the hidden row key,
// and the hidden edits that hold the entry being changed and the entered values while another row is
// written.

#include "platform/forms/Layout.h"

extern const forms::FormLayout kStaticipLayout;
