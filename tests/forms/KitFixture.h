#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/forms/Forms.h"
#include "tests/support/WaitFor.h"

// The kit's application, made once for the whole test program, and hooks that record every message
// box and answer it, so that no test waits on a real one.
class KitTest : public ::testing::Test {
protected:
    // Before any member: widgets need the application first.
    KitTest() { app(); }
    static forms::Application& app();

    void SetUp() override;
    void TearDown() override;

    std::vector<forms::MessageBoxCall> boxes;
    int boxAnswer = forms::IDOK;
    std::function<void(const forms::MessageBoxCall&)> onBox;  // runs inside the box, as a user would
    int beeps = 0;

private:
    forms::MessageBoxHook m_oldBox;
    forms::BeepHook m_oldBeep;
    double m_oldScale = 1;
};
