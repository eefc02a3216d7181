// Handlers that wait in a nested event loop, against the device simulator: walks they start end
// under the wait, from a timer's handler as from a posted event, also when each row's completion
// lets events run; a request they delete waits for its answer, not for its bound; and a completion
// knows when the event loop would run handlers on top of it.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include "library/HvSNMPRequest.h"
#include "tests/NamedRows.h"
#include "tests/e2e/E2ESession.h"
#include "tests/sim/SimProcess.h"
#include "tests/support/WaitFor.h"

namespace {

using hvtest::PrintTo;

namespace S = HvSyntax;
namespace A = HvAccess;

// The DHCP static pool: eight rows.
const MibObjectDef kPool[] = {
    {"1.3.6.1.4.1.47011.11.37.4.2.7.3.1.1", "IP", S::IpAddress, A::ReadWrite},
    {"1.3.6.1.4.1.47011.11.37.4.2.7.3.1.2", "MAC", S::MacAddress, A::ReadWrite},
    {},
};
// The AP domains: three rows.
const MibObjectDef kDomains[] = {
    {"1.3.6.1.4.1.47011.11.37.4.2.12.2.2.1.1", "AP Domain ID", S::Integer, A::ReadOnly},
    {"1.3.6.1.4.1.47011.11.37.4.2.12.2.2.1.3", "SSID", S::DisplayStr, A::ReadOnly},
    {},
};

// An asynchronous walk to its end, one row per completion.
struct Walk {
    std::unique_ptr<HvSNMPRequest> request;
    int rows = 0;
    bool ended = false;
    int32_t code = 1;
    bool letEventsRun = false;  // as a page listing each row does, before it asks for the next
    HvSNMPCompletion done;

    void start() {
        done = [this](HvSNMPError* e, HvSNMPVarList*) {
            if (e->code != 0 || e->endOfWalk) {
                code = e->code;
                ended = true;
                return;
            }
            ++rows;
            if (letEventsRun) QCoreApplication::processEvents(QEventLoop::AllEvents);
            request->getAsync(done, false);
        };
        request->getAsync(done, true);
    }
};

enum class Starter { Timer, PostedEvent };

struct NestedRow {
    const char* name;
    Starter starter;
    bool letEventsRun;
};

class NestedWaitE2E : public E2ESimTest {
protected:
    static void SetUpTestSuite() { startSim({"--community", "kiwano"}); }

    static Walk makeWalk(const MibObjectDef* table, bool letEventsRun) {
        Walk w;
        w.request = std::make_unique<HvSNMPRequest>();
        w.request->device.address = sim->address();
        w.request->device.port = static_cast<uint16_t>(sim->port());
        w.request->security.version = 1;
        w.request->security.readCommunity = "kiwano";
        w.request->timeout = 800;  // a stalled walk shows as one, not as a time-out
        w.request->retries = 0;
        w.request->varList = HvSNMPVarList(table, MVT_FMV, 0);
        w.letEventsRun = letEventsRun;
        return w;
    }

    // Runs act from a 2 ms timer's handler or from a posted event, and waits for it to have run.
    static void runFrom(Starter starter, const std::function<void()>& act) {
        bool ran = false;
        auto run = [&] {
            act();
            ran = true;
        };
        QTimer timer;
        if (starter == Starter::Timer) {
            timer.setSingleShot(true);
            QObject::connect(&timer, &QTimer::timeout, run);
            timer.start(2);
        } else {
            QMetaObject::invokeMethod(&e2eApplication(), run, Qt::QueuedConnection);
        }
        ASSERT_TRUE(waitFor([&] { return ran; }, 30000));
    }
};

class WalksUnderAWaitE2E : public NestedWaitE2E, public ::testing::WithParamInterface<NestedRow> {};

// The handler starts two walks and waits for both in a nested loop, as a page's handler does.
TEST_P(WalksUnderAWaitE2E, BothEndWhileTheHandlerWaits) {
    Walk pool = makeWalk(kPool, GetParam().letEventsRun);
    Walk domains = makeWalk(kDomains, GetParam().letEventsRun);
    bool endedInside = false;
    qint64 took = 0;
    runFrom(GetParam().starter, [&] {
        QElapsedTimer clock;
        clock.start();
        pool.start();
        domains.start();
        endedInside = waitFor([&] { return pool.ended && domains.ended; }, 5000);
        took = clock.elapsed();
    });
    EXPECT_TRUE(endedInside) << "pool " << pool.rows << " rows, domains " << domains.rows << " rows, " << took
                             << " ms";
    ASSERT_TRUE(waitFor([&] { return pool.ended && domains.ended; }));
    EXPECT_EQ(pool.code, 0);
    EXPECT_EQ(domains.code, 0);
    EXPECT_EQ(pool.rows, 8);
    EXPECT_EQ(domains.rows, 3);
    EXPECT_EQ(HvSNMPRequest::deadOwnerDeliveries(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Starters, WalksUnderAWaitE2E,
                         ::testing::Values(NestedRow{"Timer", Starter::Timer, false},
                                           NestedRow{"TimerRowsLetEventsRun", Starter::Timer, true},
                                           NestedRow{"PostedEvent", Starter::PostedEvent, false},
                                           NestedRow{"PostedEventRowsLetEventsRun", Starter::PostedEvent,
                                                     true}),
                         [](const auto& info) { return std::string(info.param.name); });

// A completion is told it runs as one: not once it has opened a modal dialog, whose loop is for
// handlers to run in, and again in a completion delivered inside that dialog.
TEST_F(NestedWaitE2E, ACompletionKnowsWhenHandlersWouldRunOnTopOfIt) {
    Walk opener = makeWalk(kDomains, false);
    Walk inner = makeWalk(kDomains, false);
    bool outside = true, inOpener = false, inDialog = true, inInner = false, afterDialog = false;
    bool done = false;
    opener.request->getAsync(
        [&](HvSNMPError*, HvSNMPVarList*) {
            inOpener = HvSNMPRequest::inReplyHandler();
            QEventLoop dialog;
            QTimer::singleShot(0, &dialog, [&] { inDialog = HvSNMPRequest::inReplyHandler(); });
            inner.request->getAsync(
                [&](HvSNMPError*, HvSNMPVarList*) {
                    inInner = HvSNMPRequest::inReplyHandler();
                    dialog.quit();
                },
                true);
            QTimer::singleShot(5000, &dialog, &QEventLoop::quit);  // the test's bound
            dialog.exec();
            afterDialog = HvSNMPRequest::inReplyHandler();
            done = true;
        },
        true);
    outside = HvSNMPRequest::inReplyHandler();
    ASSERT_TRUE(waitFor([&] { return done; }));
    EXPECT_FALSE(outside);
    EXPECT_TRUE(inOpener);
    EXPECT_FALSE(inDialog);
    EXPECT_TRUE(inInner);
    EXPECT_TRUE(afterDialog);
    EXPECT_FALSE(HvSNMPRequest::inReplyHandler());
}

class DeletedFromAHandlerE2E : public NestedWaitE2E, public ::testing::WithParamInterface<NestedRow> {};

// A page ends its walks from a timer's handler too: the request deleted there waits for the answer
// on its way, which then reaches nothing, rather than for its bound.
TEST_P(DeletedFromAHandlerE2E, WaitsForTheAnswerNotForItsBound) {
    ASSERT_TRUE(sim->ok("delay 300 1"));
    Walk walk = makeWalk(kDomains, false);
    int completions = 0;
    walk.request->getAsync([&](HvSNMPError*, HvSNMPVarList*) { ++completions; }, true);
    ASSERT_EQ(walk.request->outstanding(), 1);
    HvSnmpTransport* t = HvSNMPSession::session;
    size_t pendingAfter = 99;
    runFrom(GetParam().starter, [&] {
        walk.request.reset();
        pendingAfter = t->pendingCount();
    });
    EXPECT_EQ(pendingAfter, 0u) << "the request stopped waiting before its answer came";
    EXPECT_EQ(completions, 0);
    EXPECT_EQ(HvSNMPRequest::deadOwnerDeliveries(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Starters, DeletedFromAHandlerE2E,
                         ::testing::Values(NestedRow{"Timer", Starter::Timer, false},
                                           NestedRow{"PostedEvent", Starter::PostedEvent, false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
