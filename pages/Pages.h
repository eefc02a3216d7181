#pragma once

// The page registry: every page the main menu opens, one row each, for the program entry to hand to
// the main window. Adding a page touches its unit and one row here.

#include <vector>

#include "module/PageRegistry.h"

std::vector<HvPageEntry> HvPages();
