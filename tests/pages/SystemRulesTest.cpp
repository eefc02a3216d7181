// The system page's rules without windows: what Restart and Factory Default write, their waiting
// dialogs, and when the factory reset is offered.

#include <gtest/gtest.h>

#include "pages/admin/SystemRules.h"

using namespace SystemRules;

namespace {

TEST(SystemRules, RestartNeverWritesTheFactoryDefault) {
    const CommandPlan p = commandPlan(Command::Restart);
    EXPECT_EQ(p.restartIndex, 0);
    EXPECT_EQ(p.restoreIndex, std::nullopt);
    ASSERT_EQ(p.sent.size(), 2u);
    EXPECT_TRUE(p.sent[kRestartItem]);
    EXPECT_FALSE(p.sent[kFactoryItem]);
}

TEST(SystemRules, FactoryDefaultWritesBothAsTrue) {
    const CommandPlan p = commandPlan(Command::FactoryDefault);
    EXPECT_EQ(p.restartIndex, 0);
    EXPECT_EQ(p.restoreIndex, 0);
    EXPECT_EQ(kTrueFalse.at(0), u"True");
    EXPECT_EQ(p.sent, (std::vector<bool>{true, true}));
}

TEST(SystemRules, WaitingDialogsDifferByTheirCaptionAndAddress) {
    const auto restart = waitingFor(Command::Restart);
    const auto factory = waitingFor(Command::FactoryDefault);
    EXPECT_FALSE(restart.sendReboot);
    EXPECT_FALSE(factory.sendReboot);
    EXPECT_EQ(restart.rebootDelay, std::nullopt);
    EXPECT_EQ(restart.caption, u"System is rebooting, please waiting.....");
    EXPECT_EQ(factory.caption, u"System is rebooting, please waiting.....!");
    EXPECT_EQ(restart.label3, u"");
    EXPECT_EQ(factory.label3, u"The system IP will be 192.168.0.50 !");
    EXPECT_EQ(kConfirm, u"Device will reboot and Vistrel module will be disconnected! Continue?");
    EXPECT_EQ(kConfirmCaption, u"Warning");
}

TEST(SystemRules, ADomainMemberIsNotOfferedTheReset) {
    EXPECT_EQ(restoreEnabled(true, 0), false);
    EXPECT_EQ(restoreEnabled(true, 1), true);
    EXPECT_EQ(restoreEnabled(true, -1), true);
    EXPECT_EQ(restoreEnabled(false, 0), std::nullopt);
}

}  // namespace
