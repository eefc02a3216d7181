#include "module/PingHost.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/IcmpEcho.h"
#include "tests/NamedRows.h"
#include "tests/support/MessageBoxScript.h"
#include "tests/support/ScriptedProber.h"

namespace {

using hvtest::PrintTo;

struct OutcomeCase {
    const char* name;
    IcmpEcho::Outcome outcome;
    bool inUse;
    const char* box;  // the start of the box shown, or nullptr for none
};

class PingHostOutcome : public ::testing::TestWithParam<OutcomeCase>, protected MessageBoxScript {};

// What the pages get for each outcome of the probe, and what the user is told.
TEST_P(PingHostOutcome, AnswersAndTells) {
    const OutcomeCase& c = GetParam();
    ScriptedProber prober;
    prober.script("192.0.2.7", c.outcome);
    EXPECT_EQ(PingHost("192.0.2.7"), c.inUse);
    EXPECT_EQ(prober.asked, std::vector<std::string>{"192.0.2.7"});
    if (!c.box) {
        EXPECT_TRUE(boxes.empty());
        return;
    }
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].text.startsWith(QString::fromUtf8(c.box))) << boxes[0].text.toStdString();
    EXPECT_EQ(boxes[0].caption, u"QMX-7240NT");
}

INSTANTIATE_TEST_SUITE_P(
    Table, PingHostOutcome,
    ::testing::Values(OutcomeCase{"Answers", IcmpEcho::Outcome::Reply, true, nullptr},
                      OutcomeCase{"Silent", IcmpEcho::Outcome::NoReply, false, nullptr},
                      OutcomeCase{"Unresolved", IcmpEcho::Outcome::Unresolved, false, "Unable to resolve "},
                      OutcomeCase{"CannotProbe", IcmpEcho::Outcome::NoSocket, false,
                                  "The address could not be checked"}),
    [](const auto& info) { return std::string(info.param.name); });

class PingHostTest : public ::testing::Test, protected MessageBoxScript {};

// Without a prober of its own, PingHost sends a real echo request: loopback answers it.
TEST_F(PingHostTest, TheIcmpEchoByDefaultAndLoopbackIsInUse) {
    const HostProberScope icmpEcho(nullptr);
    if (IcmpEcho::probe("127.0.0.1", 1, 200) == IcmpEcho::Outcome::NoSocket) {
        // Without a socket the user is told the address was not checked.
        EXPECT_FALSE(PingHost("127.0.0.1"));
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_TRUE(boxes[0].text.startsWith(QStringLiteral("The address could not be checked")));
        GTEST_SKIP() << "no raw ICMP socket (root or CAP_NET_RAW) and no ping socket";
    }
    EXPECT_TRUE(PingHost("127.0.0.1"));
    EXPECT_TRUE(boxes.empty());
}

// A prober installed for a while is asked in that while only; the one before is asked again after.
TEST_F(PingHostTest, ScopedProberPutsTheOneBeforeBack) {
    ScriptedProber outer;
    outer.silent("127.0.0.9");
    {
        ScriptedProber inner;
        inner.answers("127.0.0.9");
        EXPECT_TRUE(PingHost("127.0.0.9"));
        EXPECT_EQ(inner.asked.size(), 1u);
    }
    EXPECT_FALSE(PingHost("127.0.0.9"));
    EXPECT_EQ(outer.asked, std::vector<std::string>{"127.0.0.9"});
}

// The test program's own prober: a probe that would leave loopback fails the test that made it and
// is not sent; a name is refused too, as its lookup may leave.
TEST(PingHostGuard, ProbeOffLoopbackFailsTheTest) {
    EXPECT_NONFATAL_FAILURE(EXPECT_FALSE(PingHost("192.0.2.8")), "192.0.2.8 would leave loopback");
    EXPECT_NONFATAL_FAILURE(PingHost("localhost"), "localhost would leave loopback");
    // A page test's prober fails on a host its test did not script.
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedProber prober;
            PingHost("127.0.0.5");
        },
        "probe of 127.0.0.5 not scripted");
}

}  // namespace
