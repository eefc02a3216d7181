#include "KitFixture.h"

#include <QWidget>

#include "platform/HvExceptionHook.h"

using namespace forms;

namespace {

class TimerTest : public KitTest {
protected:
    QObject owner;
    int ticks = 0;
};

TEST_F(TimerTest, TimeScaleShrinksTheInterval) {
    Application::setTimeScale(0.01);
    Timer timer(&owner);
    timer.OnTimer = [&](QObject* sender) {
        EXPECT_EQ(sender, &timer);
        ++ticks;
    };
    timer.setInterval(1000);  // 10 ms under the scale; three ticks would take 3 s unscaled
    timer.setEnabled(true);
    EXPECT_TRUE(waitFor([&] { return ticks >= 3; }, 1500));
}

TEST_F(TimerTest, RunsOnlyWhileEnabledWithAnInterval) {
    Timer timer(&owner);
    EXPECT_TRUE(timer.running()) << "a new timer is enabled with 1000 ms";
    timer.setEnabled(false);
    EXPECT_FALSE(timer.running());
    timer.setInterval(0);
    timer.setEnabled(true);
    EXPECT_FALSE(timer.running()) << "interval 0 never runs";
    timer.setInterval(20);
    EXPECT_TRUE(timer.running());
}

// Enabling a running timer keeps its count; a new interval starts it again from now.
TEST_F(TimerTest, EnablingKeepsTheCountANewIntervalRestarts) {
    // Unscaled, so that the margins below are whole seconds of real time.
    Timer timer(&owner);
    timer.setInterval(4000);
    ASSERT_TRUE(waitFor([&] { return timer.remainingTime() < 3900; }, 2000));
    timer.setEnabled(true);
    EXPECT_LT(timer.remainingTime(), 3900) << "enabling a running timer must not restart it";
    timer.setInterval(4000);
    EXPECT_LT(timer.remainingTime(), 3900) << "the same interval is no change";
    timer.setInterval(5000);
    EXPECT_GT(timer.remainingTime(), 3900) << "a new interval restarts the count";
}

TEST_F(TimerTest, ExceptionInOnTimerIsShownAndTheTimerGoesOn) {
    Application::setTimeScale(0.01);
    Timer timer(&owner);
    timer.setInterval(500);
    timer.OnTimer = [&](QObject*) {
        if (++ticks == 1) throw std::runtime_error("tick failed");
    };
    ASSERT_TRUE(waitFor([&] { return ticks >= 3; }));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "tick failed");
}

// A widget whose own event handler throws: the application's notify is the one place that stops it.
// Qt's GUI libraries are built without exception support, so the exception skips the clean-up of the
// frames it passes; a plain event is handed on by QApplication::notify with nothing of its own to lose,
// where its mouse and key branches would leak their copies of the event.
class Throwing : public QWidget {
protected:
    void customEvent(QEvent*) override { throw std::runtime_error("event failed"); }
};

TEST_F(KitTest, ExceptionsFromHandlersAreShownAndTheProgramGoesOn) {
    Application::setTitle("QMX-7240NT");
    Form form;
    auto* button = new Button("Apply", &form);
    int clicks = 0;
    button->OnClick = [&](QObject*) {
        if (++clicks == 1) throw std::runtime_error("(HvSNMP++) Value out of range!");
    };
    button->userClick();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "(HvSNMP++) Value out of range!");
    EXPECT_EQ(boxes[0].caption, "QMX-7240NT");
    EXPECT_EQ(boxes[0].buttons, MB_OK);
    button->userClick();
    EXPECT_EQ(clicks, 2);

    Throwing widget;
    QEvent event(QEvent::User);
    QCoreApplication::sendEvent(&widget, &event);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, "event failed");

    // What the SNMP event pump does with an exception out of a completion.
    HvHandleException(std::make_exception_ptr(std::runtime_error("(HvSNMP++) Timeout!")));
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[2].text, "(HvSNMP++) Timeout!");
    Application::guard([] { throw 42; });
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[3].text, "Unknown exception");
}

TEST_F(KitTest, RefusingCloseQueryThatThrowsKeepsTheFormOpen) {
    Form form;
    form.show();
    form.OnCloseQuery = [](QObject*, bool&) { throw std::runtime_error("query failed"); };
    form.close();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(boxes.size(), 1u);
}

}  // namespace
