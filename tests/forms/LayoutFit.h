#pragma once

#include <gtest/gtest.h>

#include "platform/forms/LayoutCheck.h"

// EXPECT_TRUE(layoutFits(table)): builds the table offscreen and fails with one line per fault when
// a caption is cut, controls overlap, a control lies outside its parent or under the status bar.
inline ::testing::AssertionResult layoutFits(const forms::FormLayout& table) {
    const std::vector<std::string> problems = forms::checkLayout(table);
    if (problems.empty()) return ::testing::AssertionSuccess();
    ::testing::AssertionResult failure = ::testing::AssertionFailure();
    failure << table.name << " does not fit:";
    for (const std::string& p : problems) failure << "\n  " << p;
    return failure;
}
