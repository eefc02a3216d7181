#pragma once

// Every page of the registry as a test row: a row by its menu item's name, and for the two items
// whose page's generation a capability field picks, one row per generation.

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "pages/Pages.h"

struct RegistryPage {
    std::string name;
    const char* item;
    // The capability fields that pick the page's generation.
    std::vector<std::pair<const char*, const char*>> fields;
};

inline void PrintTo(const RegistryPage& p, std::ostream* os) {
    *os << p.name;
}

inline std::vector<RegistryPage> registryPages() {
    std::vector<RegistryPage> out;
    for (const HvPageEntry& row : HvPages()) {
        const std::string item = row.item;
        if (item == "Ad_MultiSSID") {
            out.push_back({"Ad_MultiSSID_Old", row.item, {{"NewMultiSupport", "0"}}});
            out.push_back({"Ad_MultiSSID_New", row.item, {{"NewMultiSupport", "1"}}});
        } else if (item == "tAdmin2") {
            out.push_back({"tAdmin2_Old", row.item, {{"Ed_Green", "0"}}});
            out.push_back({"tAdmin2_New", row.item, {{"Ed_Green", "1"}}});
        } else {
            out.push_back({row.item, row.item, {}});
        }
    }
    return out;
}
