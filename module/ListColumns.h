#pragma once

// List columns that show the widest value of their kind whole. The table bindings size a column to
// its caption, which cuts an address under "IP" to "12…"; a page that lists addresses, MACs or SSIDs
// widens those columns once the binding has made them.

#include "platform/forms/ListView.h"

namespace ListColumns {

enum class Holds {
    Address,  // a dotted IPv4 address
    Mac,      // 12 hexadecimal digits
    Ssid,     // up to 32 printable characters
};

// The width, margins included, that the widest value of kind takes in list's font.
int widthFor(const forms::ListView& list, Holds kind);

// Column `column` of list at least that wide; a hidden column (width 0) stays hidden.
void holdWidest(forms::ListView& list, int column, Holds kind);

}  // namespace ListColumns
