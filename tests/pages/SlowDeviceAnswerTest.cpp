// A read on a device that answers a second late, set up as the registry's slow device is: the
// simulator started, and the session's defaults saved, before any main window has started the
// session. The late answer completes the read within its own time-out.

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "library/HvSNMPRequest.h"
#include "library/HvSNMPSession.h"
#include "module/Main.h"
#include "module/Misc.h"
#include "tests/support/PageFixture.h"
#include "tests/support/WaitFor.h"

namespace {

const std::string kVlanState = "1.3.6.1.4.1.47011.11.37.4.2.9.1.1.1.0";

struct LateRead {
    const char* name;
    bool synchronous;
};

void PrintTo(const LateRead& r, std::ostream* os) {
    *os << r.name;
}

class SlowDeviceAnswer : public PageTest, public ::testing::WithParamInterface<LateRead> {
protected:
    void SetUp() override {
        PageTest::SetUp();
        // As in a program whose session has not started yet.
        m_saved = HvSNMPSession::defaults;
        HvSNMPSession::defaults = HvSNMPDefaults{};
        ASSERT_TRUE(startSim()) << sim->error();
        const auto defaults = HvSNMPSession::defaults;
        start({});
        HvSNMPSession::defaults = defaults;
        ASSERT_TRUE(sim->ok("delay 1000"));
    }
    void TearDown() override {
        PageTest::TearDown();
        HvSNMPSession::defaults = m_saved;
    }

    // The old Multi-SSID page's VLAN state, one attempt of 3 s.
    static void prepare(HvSNMPRequest& r) {
        r.varList = HvSNMPVarList(kMibT082, SVT_SV, 0);
        r.timeout = 300;
        r.retries = 0;
    }

    HvSNMPDefaults m_saved;
};

TEST_P(SlowDeviceAnswer, CompletesTheRead) {
    HvSNMPRequest r;
    prepare(r);
    const size_t from = sim->logSize();
    bool ok = true;
    if (GetParam().synchronous) {
        r.get(&ok, true);
    } else {
        int32_t code = -1;
        r.getAsync([&](HvSNMPError* e, HvSNMPVarList*) { code = e->code; }, true);
        ASSERT_TRUE(waitFor([&] { return code != -1; }));
        ok = code == 0;
    }
    EXPECT_TRUE(ok);
    EXPECT_EQ(r.failureCount(), 0);
    // The device took the read and answered it.
    int answered = 0;
    for (const SimLogLine& l : sim->log(from)) {
        EXPECT_FALSE(l.event && l.words.size() > 1 && l.words[0] == "drop")
            << "dropped for its " << l.words[1] << " " << (l.words.size() > 2 ? l.words[2] : "");
        if (!l.event && l.asked == kVlanState && l.status == "ok") ++answered;
    }
    EXPECT_EQ(answered, 1);
}

INSTANTIATE_TEST_SUITE_P(Table, SlowDeviceAnswer,
                         ::testing::Values(LateRead{"Synchronous", true}, LateRead{"Asynchronous", false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
