#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "library/HvSNMPSession.h"
#include "library/bind/HvSNMPRequest2Edits.h"
#include "platform/forms/Forms.h"
#include "tests/library/FakeAgent.h"

// The kit's application for the whole program, message boxes and beeps recorded instead of shown,
// and a scripted agent behind the fake transport.
class BindTest : public ::testing::Test {
protected:
    // The form before any member of a derived fixture: their controls live on it.
    BindTest() {
        app();
        form = std::make_unique<forms::Form>();
    }
    static forms::Application& app();

    void SetUp() override;
    void TearDown() override;

    // A binding object on the test's form, talking to the fake agent.
    std::unique_ptr<HvSNMPRequest2Edits> makeRequest(const MibObjectDef* table, uint8_t kind, int32_t keys,
                                                     uint8_t mode = 0);
    // Runs the fake's pump and the event loop until done() holds or a deadline passes.
    bool pumpUntil(const std::function<bool()>& done, int ms = 5000);
    // Values of the bindings the fake saw in call n.
    const HvSnmpCall& call(std::size_t n) const { return fake.calls().at(n); }

    HvSnmpFakeTransport fake;
    FakeAgent agent;
    std::unique_ptr<forms::Form> form;
    std::vector<forms::MessageBoxCall> boxes;
    int beeps = 0;
    std::vector<HvSNMPError> messages;

private:
    forms::MessageBoxHook m_oldBox;
    forms::BeepHook m_oldBeep;
};
