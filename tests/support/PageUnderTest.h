#pragma once

// The fixture of one page's end-to-end tests: an idle main window that only carries the capability
// fields, a waiting dialog whose ticks take milliseconds, the page under test and the SETs the
// simulator took.

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "library/HvSNMPSession.h"
#include "platform/forms/Forms.h"
#include "tests/support/PageFixture.h"

template <class TPage>
class PageUnderTest : public PageTest {
protected:
    void SetUp() override {
        PageTest::SetUp();
        // The waiting dialog counts 30 ticks of 1.2 s; here they take a few milliseconds each.
        forms::Application::setTimeScale(0.02);
        main = &idleMain();
    }
    void TearDown() override {
        page.reset();
        PageTest::TearDown();
    }

    // The simulator as PageTest starts it, with a time-out of 1 s: on a loaded machine a late answer
    // must not make a request go out twice.
    bool startSim(std::vector<std::string> args = {}, uint8_t version = 0) {
        if (!PageTest::startSim(std::move(args), version)) return false;
        HvSNMPSession::defaults.timeout = 100;
        return true;
    }

    // The page over the idle main window, not shown yet: for a test that shows it modally itself.
    // args are what the page takes after the main window (a slot, the opener's callback).
    template <class... Args>
    TPage& makePage(Args&&... args) {
        page = std::make_unique<TPage>(*main, std::forward<Args>(args)...);
        return *page;
    }
    // The page over the idle main window, shown so that the user's actions reach it.
    TPage& openPage() {
        makePage().show();
        return *page;
    }

    // The SETs setFilter accepts from log line `from` on, as "OID=VALUE" with prefix cut off the OID.
    std::vector<std::string> setLog(size_t from, const std::string& prefix) const {
        std::vector<std::string> out;
        for (const auto& l : sets(from))
            out.push_back((l.asked.rfind(prefix, 0) == 0 ? l.asked.substr(prefix.size()) : l.asked) + "=" +
                          l.value);
        return out;
    }

    TMainForm* main = nullptr;
    std::unique_ptr<TPage> page;
};
