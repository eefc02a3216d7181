// SNMPv3 against a device that goes silent or is swapped under its address: the module keeps to its
// few sessions while the answers stay away, and learns a new device's engine ID.

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "library/HvSNMPRequest.h"
#include "tests/e2e/E2ESession.h"
#include "tests/sim/SimProcess.h"
#include "tests/support/WaitFor.h"

namespace {

namespace S = HvSyntax;
namespace A = HvAccess;

const MibObjectDef kSystem[] = {
    {"1.3.6.1.2.1.1.1", "sysDescr", S::DisplayStr, A::ReadOnly},
    {"1.3.6.1.2.1.1.5", "sysName", S::DisplayStr, A::ReadWrite},
    {},
};

std::vector<std::string> simArguments(const std::string& engineId, int port = 0) {
    std::vector<std::string> a{"--user", "shaaes:SHA:shapassword:AES:aesprivacy", "--engine-id", engineId};
    if (port) a.insert(a.end(), {"--port", std::to_string(port)});
    return a;
}

// The source port of a "# drop silent UDP:_[a.b.c.d]:PORT->[...]:..." line; 0 for any other line.
int droppedFromPort(const SimLogLine& l) {
    if (!l.event || l.words.size() < 3 || l.words[0] != "drop" || l.words[1] != "silent") return 0;
    const std::string& from = l.words[2];
    const auto open = from.find("]:");
    const auto arrow = from.find("->");
    if (open == std::string::npos || arrow == std::string::npos || arrow < open) return 0;
    return std::stoi(from.substr(open + 2, arrow - open - 2));
}

class V3SilenceE2E : public ::testing::Test {
protected:
    void SetUp() override {
        startE2ESession();
        sim = std::make_unique<SimProcess>(simArguments("silent-engine"));
        ASSERT_TRUE(sim->start()) << sim->error();
    }

    std::unique_ptr<HvSNMPRequest> makeRequest(int port) {
        auto r = std::make_unique<HvSNMPRequest>();
        r->device.address = sim->address();
        r->device.port = static_cast<uint16_t>(port);
        r->security.version = 3;
        r->security.securityModel = 3;
        r->security.securityName = "shaaes";
        r->security.securityLevel = 3;
        r->security.authProtocol = 3;
        r->security.authPassword = "shapassword";
        r->security.privProtocol = 19;
        r->security.privPassword = "aesprivacy";
        r->timeout = 100;
        r->retries = 1;
        r->varList = HvSNMPVarList(kSystem, SVT_SV, 0);
        return r;
    }

    int32_t syncCode(HvSNMPRequest& r) {
        int32_t code = 0;
        r.messageCallback = [&code](HvSNMPError* e) { code = e->code; };
        bool ok = true;
        r.get(&ok, true);
        return ok ? 0 : code;
    }

    int32_t asyncCode(HvSNMPRequest& r) {
        int32_t code = 1;
        bool done = false;
        r.getAsync([&](HvSNMPError* e, HvSNMPVarList*) { code = e->code, done = true; }, true);
        EXPECT_TRUE(waitFor([&] { return done; }));
        return code;
    }

    std::unique_ptr<SimProcess> sim;
};

// Every read times out while the device is silent; they all leave from the target's two sessions and
// at most the two of a new discovery, never from a session opened per time-out.
TEST_F(V3SilenceE2E, SilentDeviceIsAskedFromAHandfulOfPorts) {
    auto r = makeRequest(sim->port());
    ASSERT_EQ(syncCode(*r), 0);
    ASSERT_EQ(asyncCode(*r), 0);
    ASSERT_TRUE(sim->ok("silence 60000"));
    const size_t from = sim->logSize();
    r->timeout = 5;
    r->retries = 0;
    constexpr int kRounds = 12;
    for (int i = 0; i < kRounds; ++i) {
        EXPECT_EQ(syncCode(*r), -405);
        EXPECT_EQ(asyncCode(*r), -405);
    }
    ASSERT_TRUE(sim->ok("silence 0"));
    std::set<int> ports;
    int drops = 0;
    for (const SimLogLine& l : sim->log(from)) {
        if (const int port = droppedFromPort(l)) {
            ports.insert(port);
            ++drops;
        }
    }
    EXPECT_GE(drops, 2 * kRounds);
    EXPECT_LE(ports.size(), 4u) << drops << " datagrams";
    // A run of time-outs learns the engine ID again (a swapped device whose report was lost), from
    // the discovery's own sessions.
    EXPECT_GT(ports.size(), 2u);
    // The device speaks again: both kinds of read work at once.
    r->timeout = 100;
    r->retries = 1;
    EXPECT_EQ(syncCode(*r), 0);
    EXPECT_EQ(asyncCode(*r), 0);
}

// A device swapped under the same address has another engine ID: its report makes the first read
// after the swap learn it, synchronously and asynchronously.
TEST_F(V3SilenceE2E, SwappedDeviceIsLearntAgain) {
    const int port = sim->port();
    for (bool async : {false, true}) {
        SCOPED_TRACE(async ? "asynchronous" : "synchronous");
        auto r = makeRequest(port);
        r->timeout = 30;
        r->retries = 0;
        ASSERT_EQ(async ? asyncCode(*r) : syncCode(*r), 0);
        sim->stop();
        sim = std::make_unique<SimProcess>(simArguments(async ? "second-swap" : "first-swap", port));
        ASSERT_TRUE(sim->start()) << sim->error();
        ASSERT_EQ(sim->port(), port);
        int attempts = 0;
        int32_t code = -1;
        while (code != 0 && attempts < 6) {
            code = async ? asyncCode(*r) : syncCode(*r);
            ++attempts;
        }
        EXPECT_EQ(code, 0);
        EXPECT_EQ(attempts, 1);
    }
}

}  // namespace
