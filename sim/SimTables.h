#pragma once

#include <vector>

#include "library/MibObjectDef.h"

// The module's object tables as the simulator serves them: each with its number, so that the use
// map (how the module's requests read each table) can be keyed on it.
struct SimTableRef {
    int number;
    const MibObjectDef* table;
};

std::vector<SimTableRef> simTables();
