#pragma once

#include "sim/SimStore.h"

// The device's own rules on some of its objects, apart from the agent glue: the ranges it takes
// and the counters that move as they are read.

// 0 when the device takes v for the object stored at key, else the SNMP error status it answers
// (wrongValue): the user limit of grouping 0..64, the AP mode of either slot 1..7.
int simRangeCheck(const SimOid& key, const SimValue& v);

// After a read of the object stored at key: a traffic counter of the statistics grows by its own
// number, so every read shows it moved and each counter moves apart from the others. The rates stay.
void simAfterRead(SimEntry& entry, const SimOid& key);
