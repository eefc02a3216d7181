#pragma once

// The pages the main menu opens, by the name of their class, for the program entry to hand to the
// main window.

#include <map>
#include <string>

#include "module/Main.h"

std::map<std::string, PageOpening> HvPages();
