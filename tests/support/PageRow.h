#pragma once

// The page registry's row for one menu item, for tests that open a page as the menu does.

#include <gtest/gtest.h>

#include <cstring>

#include "pages/Pages.h"

// The row of HvPages() whose item is named item; an empty row (and a test failure) when none is.
inline HvPageEntry pageRow(const char* item) {
    for (HvPageEntry& row : HvPages())
        if (std::strcmp(row.item, item) == 0) return row;
    ADD_FAILURE() << "no registry row for " << item;
    return {HvTopMenu::Home, "", item, {}};
}
