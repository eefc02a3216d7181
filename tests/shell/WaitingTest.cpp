// The waiting dialog: its count, the restart command it sends and when it lets itself be closed.

#include <QTimer>

#include <algorithm>

#include "tests/support/PageFixture.h"
#include "module/Wait.h"
#include "tests/sim/SimProcess.h"

namespace {

const std::string kUpgradeCommand = "1.3.6.1.4.1.47011.11.37.4.3.3.5.0";

class WaitingTest : public PageTest {
protected:
    void SetUp() override {
        PageTest::SetUp();
        forms::Application::setTimeScale(0.1);
        ASSERT_TRUE(sim.start()) << sim.error();
        writeIni("127.0.0.1", "AgentPort=" + std::to_string(sim.port()) + "\r\n");
        main = &start({"/I127.0.0.1", "/Rkiwano", "/Wmorello"});
        ASSERT_FALSE(main->refused());
        main->statusRequest->timeout = 30;
        main->statusRequest->retries = 0;
    }
    std::vector<SimLogLine> restartSets() const {
        auto lines = sim.requests();
        std::erase_if(lines, [](const SimLogLine& l) { return l.op != "SET" || l.asked != kUpgradeCommand; });
        return lines;
    }

    SimProcess sim;
    TMainForm* main = nullptr;
};

TEST_F(WaitingTest, CountsDownSendsRestartOnSecondTickAndCloses) {
    TFM_Waiting dlg(nullptr, *main);
    EXPECT_EQ(dlg.Ed_FwVer->text(), QStringLiteral("v2.20.01"));
    EXPECT_EQ(dlg.waitTicks, 30);
    dlg.Timer1->setEnabled(false);
    dlg.waitTicks = 5;
    dlg.deviceAnswering = [] { return true; };
    dlg.show();
    std::vector<QString> shown;
    for (int i = 0; i < 5; ++i) {
        dlg.Timer1Timer(nullptr);
        shown.push_back(dlg.La_Time->caption());
        if (i == 0) {
            EXPECT_TRUE(restartSets().empty());
        }
    }
    EXPECT_EQ(shown, (std::vector<QString>{"5", "4", "3", "2", "1"}));
    EXPECT_FALSE(dlg.isVisible());
    auto set = sim.waitForLog([](const SimLogLine& l) { return l.op == "SET"; });
    ASSERT_TRUE(set);
    EXPECT_EQ(set->asked, kUpgradeCommand);
    EXPECT_EQ(set->value, "4");
    EXPECT_EQ(restartSets().size(), 1u);
}

TEST_F(WaitingTest, NoRestartWhenCallerSentItsOwn) {
    TFM_Waiting dlg(nullptr, *main);
    dlg.Timer1->setEnabled(false);
    dlg.sendReboot = false;
    dlg.waitTicks = 5;
    dlg.deviceAnswering = [] { return true; };
    for (int i = 0; i < 5; ++i) dlg.Timer1Timer(nullptr);
    EXPECT_FALSE(dlg.rebootPending);
    EXPECT_EQ(dlg.rebootRequest, nullptr);
    EXPECT_TRUE(restartSets().empty());
}

TEST_F(WaitingTest, CloseBoxAndEscapeRefusedWhileCounting) {
    TFM_Waiting dlg(nullptr, *main);
    dlg.Timer1->setEnabled(false);
    dlg.waitTicks = 10;
    bool stillOpen = false;
    QTimer::singleShot(0, &dlg, [&] {
        dlg.userCloseBox();
        dlg.userEscape();
        QTimer::singleShot(20, &dlg, [&] {
            stillOpen = dlg.isVisible() && dlg.modal();
            dlg.extraTicks = 3;  // more than two held ticks: the user may give up
            dlg.userCloseBox();
        });
    });
    dlg.showModal();
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(dlg.waitTicks, 0);
}

TEST_F(WaitingTest, WaitsThroughDeviceRestartAndClosesWhenItAnswers) {
    ASSERT_TRUE(sim.ok("restart-time 1500"));
    ASSERT_TRUE(waitFor([&] { return main->deviceAnswering(); }));
    TFM_Waiting dlg(nullptr, *main);
    dlg.waitTicks = 12;
    bool sawSilence = false;
    forms::Timer watch;
    watch.setInterval(5);
    watch.OnTimer = [&](QObject*) {
        if (main->lastStatusCode != 0) sawSilence = true;
    };
    // A dialog that never closes must not hang the test.
    QTimer::singleShot(30000, &dlg, [&] {
        dlg.extraTicks = 10;
        dlg.close();
    });
    dlg.showModal();
    EXPECT_TRUE(sawSilence);
    EXPECT_LT(dlg.extraTicks, 10);
    EXPECT_LE(dlg.waitTicks, 0);
    EXPECT_TRUE(main->deviceAnswering());
    EXPECT_EQ(restartSets().size(), 1u);
    const auto events = sim.log();
    EXPECT_TRUE(std::any_of(events.begin(), events.end(), [](const SimLogLine& l) {
        return l.event && !l.words.empty() && l.words[0] == "restart";
    }));
}

}  // namespace
