// The waiting dialog's count: holding, closing and the restart command, tick by tick.

#include <gtest/gtest.h>

#include <vector>

#include "module/WaitCountdown.h"

namespace {

struct TickLog {
    std::vector<int> shown;
    int closedAt = 0;  // tick number, 0: still open
    std::vector<int> rebootsAt;
};

// Ticks until the countdown closes or maxTicks have passed; answering(n) says whether the device
// answers at tick n (1-based).
template <class F>
TickLog runTicks(WaitCountdown& c, int maxTicks, F answering) {
    TickLog r;
    for (int n = 1; n <= maxTicks && !r.closedAt; ++n) {
        const auto t = c.tick(answering(n));
        if (t.shown) r.shown.push_back(*t.shown);
        if (t.sendReboot) r.rebootsAt.push_back(n);
        if (t.close) r.closedAt = n;
    }
    return r;
}

TEST(WaitCountdown, CountsDownAndClosesWhenDeviceAnswers) {
    WaitCountdown c;
    c.waitTicks = 5;
    const TickLog r = runTicks(c, 40, [](int) { return true; });
    EXPECT_EQ(r.shown, (std::vector<int>{5, 4, 3, 2, 1}));
    EXPECT_EQ(r.closedAt, 5);
    EXPECT_EQ(r.rebootsAt, std::vector<int>{2});  // defaults: the restart leaves on the second tick
}

TEST(WaitCountdown, HoldsAtOneAndGivesUpAfterTenHeldTicks) {
    WaitCountdown c;
    c.waitTicks = 5;
    const TickLog r = runTicks(c, 40, [](int n) { return n < 5; });
    EXPECT_EQ(r.shown, (std::vector<int>{5, 4, 3, 2}));
    EXPECT_EQ(r.closedAt, 14);
    EXPECT_EQ(c.extraTicks, 10);
}

TEST(WaitCountdown, HeldCountClosesOnFirstAnswer) {
    WaitCountdown c;
    c.waitTicks = 3;
    const TickLog r = runTicks(c, 40, [](int n) { return n != 3 && n != 4; });
    EXPECT_EQ(r.shown, (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(r.closedAt, 5);
}

TEST(WaitCountdown, UserCloseRefusedUntilCountOutOrThreeHolds) {
    WaitCountdown c;
    c.waitTicks = 10;
    EXPECT_FALSE(c.closeQuery());
    WaitCountdown held;
    held.waitTicks = 1;
    held.tick(false);
    held.tick(false);
    EXPECT_FALSE(held.closeQuery());
    held.tick(false);
    EXPECT_TRUE(held.closeQuery());
    EXPECT_EQ(held.waitTicks, 0);
}

TEST(WaitCountdown, NoRestartWhenToldNot) {
    WaitCountdown c;
    c.sendReboot = false;
    const TickLog r = runTicks(c, 40, [](int) { return true; });
    EXPECT_TRUE(r.rebootsAt.empty());
    EXPECT_FALSE(c.rebootPending);
    EXPECT_EQ(r.closedAt, 30);
}

TEST(WaitCountdown, LateRestartNeverSentWhenDeviceAnswers) {
    WaitCountdown c;
    c.waitTicks = 20;
    c.rebootDelay = 22;
    const TickLog r = runTicks(c, 40, [](int) { return true; });
    EXPECT_EQ(r.closedAt, 20);
    EXPECT_TRUE(r.rebootsAt.empty());
}

TEST(WaitCountdown, NoRestartOnTheTickThatCloses) {
    // Two held ticks bring the restart to the tick at which the device is back and the dialog closes.
    WaitCountdown c;
    c.waitTicks = 20;
    c.rebootDelay = 22;
    const TickLog r = runTicks(c, 40, [](int n) { return n != 20 && n != 21; });
    EXPECT_EQ(r.closedAt, 22);
    EXPECT_TRUE(r.rebootsAt.empty());
}

}  // namespace
