// Completions delivered from the event loop: in order, never inside the pump, never to a request that
// has gone, and never held up by a completion that runs a modal loop.

#include "library/HvSNMPSession.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

#include "platform/HvExceptionHook.h"
#include "library/HvSNMPRequest.h"
#include "tests/library/FakeAgent.h"

namespace {

const MibObjectDef kScalars[] = {
    {"1.3.6.1.2.1.1.1", "sysDescr", HvSyntax::DisplayStr, HvAccess::ReadWrite},
    {},
};

void ensureApp() {
    static int argc = 1;
    static char name[] = "test_library";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
}

// Runs the event loop until done() or a deadline, as a modal dialog's loop would.
bool loopUntil(const std::function<bool()>& done, int ms = 5000) {
    QDeadlineTimer deadline(ms);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 10);
    return done();
}

class Delivery : public ::testing::Test {
protected:
    void SetUp() override {
        ensureApp();
        m_previous = HvSetExceptionHandler([this](std::exception_ptr e) {
            try {
                std::rethrow_exception(e);
            } catch (const std::exception& x) {
                handled.push_back(x.what());
            }
        });
    }
    void TearDown() override {
        HvSNMPDelivery::deliverQueued();
        HvSetExceptionHandler(m_previous);
    }

    std::vector<std::string> handled;

private:
    HvExceptionHandler m_previous;
};

TEST_F(Delivery, RunsLaterFromTheLoopInOrder) {
    std::vector<int> ran;
    for (int i = 1; i <= 3; ++i) HvSNMPDelivery::post({}, [&ran, i] { ran.push_back(i); });
    EXPECT_TRUE(ran.empty());
    EXPECT_EQ(HvSNMPDelivery::queued(), 3u);
    ASSERT_TRUE(loopUntil([&] { return ran.size() == 3; }));
    EXPECT_EQ(ran, (std::vector<int>{1, 2, 3}));
}

TEST_F(Delivery, ExpiredOwnerGetsNothingAndTheOthersStillRun) {
    auto owner = std::make_shared<int>(0);
    int dead = 0, after = 0;
    HvSNMPDelivery::post(owner, [&] { ++dead; });
    HvSNMPDelivery::post({}, [&] { ++after; });
    owner.reset();
    ASSERT_TRUE(loopUntil([&] { return after == 1; }));
    EXPECT_EQ(dead, 0);
}

TEST_F(Delivery, ThrowingTaskGoesToTheHandlerAndTheNextStillRuns) {
    int after = 0;
    HvSNMPDelivery::post({}, [] { throw std::runtime_error("page failed"); });
    HvSNMPDelivery::post({}, [&] { ++after; });
    ASSERT_TRUE(loopUntil([&] { return after == 1; }));
    EXPECT_EQ(handled, (std::vector<std::string>{"page failed"}));
}

// A task that queues another leaves it to the next drain, so a chain of them cannot starve the loop.
TEST_F(Delivery, WhatATaskQueuesWaitsForTheNextDrain) {
    int second = 0;
    HvSNMPDelivery::post({}, [&] { HvSNMPDelivery::post({}, [&] { ++second; }); });
    HvSNMPDelivery::deliverQueued();
    EXPECT_EQ(second, 0);
    EXPECT_EQ(HvSNMPDelivery::queued(), 1u);
    ASSERT_TRUE(loopUntil([&] { return second == 1; }));
}

TEST_F(Delivery, TaskRunningAModalLoopDoesNotHoldTheOnesBehindIt) {
    std::vector<std::string> order;
    HvSNMPDelivery::post({}, [&] {
        order.push_back("modal opens");
        loopUntil([&] { return order.size() == 3; }, 2000);
        order.push_back("modal closes");
    });
    HvSNMPDelivery::post({}, [&] { order.push_back("second"); });
    HvSNMPDelivery::post({}, [&] { order.push_back("third"); });
    ASSERT_TRUE(loopUntil([&] { return order.size() == 4; }));
    EXPECT_EQ(order, (std::vector<std::string>{"modal opens", "second", "third", "modal closes"}));
}

// Requests on a scripted transport driven by the session's own pump.
class PumpedRequests : public Delivery {
protected:
    void SetUp() override {
        Delivery::SetUp();
        HvSNMPSession::defaults = HvSNMPDefaults::standard();
        agent.put("1.3.6.1.2.1.1.1.0", FakeAgent::octets("QMX"));
        fake.setResponder([this](const HvSnmpCall& call) { return agent.answer(call); });
        m_saved = HvSNMPSession::session;
        HvSNMPSession::session = &fake;
        _SnmpEventProcessor::start();
    }
    void TearDown() override {
        _SnmpEventProcessor::stop();
        HvSNMPSession::session = m_saved;
        Delivery::TearDown();
    }
    std::unique_ptr<HvSNMPRequest> makeRequest() {
        auto r = std::make_unique<HvSNMPRequest>();
        r->setTransport(&fake);
        r->varList = HvSNMPVarList(kScalars, SVT_SV, 0);
        return r;
    }

    FakeAgent agent;
    HvSnmpFakeTransport fake;

private:
    HvSnmpTransport* m_saved = nullptr;
};

// A page's completion opens a modal dialog; meanwhile the main window's poll sends, and its answer
// must arrive and be delivered under the dialog.
TEST_F(PumpedRequests, CompletionRunningAModalLoopLetsOtherAnswersThrough) {
    auto page = makeRequest();
    auto poll = makeRequest();
    int polls = 0;
    bool modalClosed = false;
    HvSNMPCompletion pollDone = [&](HvSNMPError* e, HvSNMPVarList*) {
        EXPECT_EQ(e->code, 0);
        if (++polls < 3) poll->getAsync(pollDone, true);
    };
    int pollsUnderModal = -1;
    page->getAsync(
        [&](HvSNMPError*, HvSNMPVarList*) {
            poll->getAsync(pollDone, true);
            loopUntil([&] { return polls == 3; }, 3000);
            pollsUnderModal = polls;
            modalClosed = true;
        },
        true);
    ASSERT_TRUE(loopUntil([&] { return modalClosed; }));
    EXPECT_EQ(pollsUnderModal, 3);
    EXPECT_EQ(HvSNMPRequest::deadOwnerDeliveries(), 0u);
}

// Also a failed build's completion, which never reached the transport, is delivered under the dialog.
TEST_F(PumpedRequests, FailedBuildCompletesUnderAModalLoop) {
    auto page = makeRequest();
    auto other = makeRequest();
    other->varList.setKind(9);  // a list no request knows: nothing reaches the transport
    int otherDone = 0;
    int32_t otherCode = 0;
    bool sawUnder = false;
    page->getAsync(
        [&](HvSNMPError*, HvSNMPVarList*) {
            other->getAsync([&](HvSNMPError* e, HvSNMPVarList*) { otherCode = e->code, ++otherDone; }, true);
            EXPECT_EQ(otherDone, 0);  // later, never inside the call
            sawUnder = loopUntil([&] { return otherDone == 1; }, 3000);
        },
        true);
    ASSERT_TRUE(loopUntil([&] { return otherDone == 1 && sawUnder; }));
    EXPECT_EQ(otherCode, -515);
    EXPECT_EQ(fake.calls().size(), 1u);  // the page's read only
    EXPECT_EQ(otherDone, 1);
}

// The answer is collected while the request lives and its delivery is queued behind a completion
// that deletes the request: the delivery drops it, and the counter of outcomes that reached a dead
// request shows it without a sanitizer.
TEST_F(PumpedRequests, AnswerQueuedForARequestDeletedMeanwhileReachesNothing) {
    auto first = makeRequest();
    auto second = makeRequest();
    int secondDone = 0;
    bool firstDone = false;
    fake.setHold(true);
    first->getAsync(
        [&](HvSNMPError*, HvSNMPVarList*) {
            // Inside a completion the destructor does not wait: the queued answer stays queued.
            second.reset();
            firstDone = true;
        },
        true);
    second->getAsync([&](HvSNMPError*, HvSNMPVarList*) { ++secondDone; }, true);
    fake.setHold(false);
    fake.processPending();  // both answers collected, neither delivered
    EXPECT_EQ(HvSNMPDelivery::queued(), 2u);
    ASSERT_TRUE(loopUntil([&] { return firstDone && HvSNMPDelivery::queued() == 0; }));
    EXPECT_EQ(secondDone, 0);
    EXPECT_EQ(HvSNMPRequest::deadOwnerDeliveries(), 0u);
}

}  // namespace
