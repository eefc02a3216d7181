// Asynchronous walks into list views against the device simulator, with a handler that runs while a
// row is being listed and then waits for the walks in a nested loop, as a page's handler does. The
// walks end under the wait; a synchronous walk still lets handlers run between its rows.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "BindFixture.h"
#include "module/Misc.h"
#include "tests/NamedRows.h"
#include "tests/sim/SimProcess.h"
#include "tests/support/WaitFor.h"

namespace {

using hvtest::PrintTo;

// A walk into a list view that offers each row to onRow before listing it.
class ListingWalk : public HvSNMPRequest2Edits {
public:
    using HvSNMPRequest2Edits::HvSNMPRequest2Edits;
    std::function<void()> onRow;
    void valuesToControls() override {
        if (onRow) onRow();
        HvSNMPRequest2Edits::valuesToControls();
    }
};

enum class Handler { Timer, PostedEvent };

struct HandlerRow {
    const char* name;
    Handler handler;
};

// The MAC filter tables of slots 1 and 2, eight rows each, each walked into a list view of its own.
class NestedWaitBindTest : public BindTest {
protected:
    void SetUp() override {
        BindTest::SetUp();
        ASSERT_TRUE(sim.start()) << sim.error();
        static bool started = [] {
            static QTemporaryDir dir;
            HvSNMPSession::initialize(dir.path().toStdString());
            return true;
        }();
        (void)started;
        HvSNMPSession::defaults.address = sim.address();
        HvSNMPSession::defaults.port = static_cast<uint16_t>(sim.port());
        // A walk that stalls shows as one, not as a time-out.
        HvSNMPSession::defaults.timeout = 800;
        first = makeWalk(kMibT023, firstView);
        second = makeWalk(kMibT024, secondView);
    }
    void TearDown() override {
        first.reset();
        second.reset();
        BindTest::TearDown();
        sim.stop();
    }
    std::unique_ptr<ListingWalk> makeWalk(const MibObjectDef* table, forms::ListView* view) {
        auto w = std::make_unique<ListingWalk>(form.get());
        w->request.varList = HvSNMPVarList(table, MVT_FMV, 1);
        w->setListView(view, false);
        return w;
    }
    bool walksBusy() const { return first->busy || second->busy; }
    // The keys in the list's first column, in list order.
    static std::string keys(const forms::ListView* view) {
        std::string out;
        for (int i = 0; i < view->itemCount(); ++i) out += view->item(i)->caption().toStdString() + " ";
        return out;
    }

    SimProcess sim;
    forms::ListView* firstView = new forms::ListView(form.get());
    forms::ListView* secondView = new forms::ListView(form.get());
    std::unique_ptr<ListingWalk> first, second;
};

class HandlerDuringARow : public NestedWaitBindTest, public ::testing::WithParamInterface<HandlerRow> {};

// The handler is due while the first walk's first row is listed; it waits for both walks to end.
TEST_P(HandlerDuringARow, WaitsForWalksThatEndUnderIt) {
    bool ran = false, endedUnder = false;
    int rowsThen = -1;
    auto wait = [&] {
        endedUnder = waitFor([&] { return !walksBusy(); }, 5000);
        rowsThen = firstView->itemCount() + secondView->itemCount();
        ran = true;
    };
    QTimer due;
    due.setSingleShot(true);
    QObject::connect(&due, &QTimer::timeout, wait);
    bool started = false;
    first->onRow = [&] {
        if (std::exchange(started, true)) return;
        if (GetParam().handler == Handler::Timer)
            due.start(0);
        else
            QMetaObject::invokeMethod(form.get(), wait, Qt::QueuedConnection);
    };
    first->mode = second->mode = 1;
    ASSERT_TRUE(first->get());
    ASSERT_TRUE(second->get());
    ASSERT_TRUE(waitFor([&] { return ran; }, 30000));
    EXPECT_TRUE(endedUnder) << rowsThen << " rows listed when the handler's wait ended";
    ASSERT_TRUE(waitFor([&] { return !walksBusy(); }));
    EXPECT_EQ(keys(firstView), "1 2 3 4 5 6 7 8 ");
    EXPECT_EQ(keys(secondView), "1 2 3 4 5 6 7 8 ");
    EXPECT_EQ(HvSNMPRequest::deadOwnerDeliveries(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Handlers, HandlerDuringARow,
                         ::testing::Values(HandlerRow{"Timer", Handler::Timer},
                                           HandlerRow{"PostedEvent", Handler::PostedEvent}),
                         [](const auto& info) { return std::string(info.param.name); });

// A synchronous walk holds the event loop until it ends: it still lets a due handler run between
// its rows.
TEST_F(NestedWaitBindTest, SynchronousWalkLetsHandlersRunBetweenRows) {
    int rowsThen = -1;
    QTimer due;
    due.setSingleShot(true);
    QObject::connect(&due, &QTimer::timeout, [&] { rowsThen = firstView->itemCount(); });
    bool started = false;
    first->onRow = [&] {
        if (!std::exchange(started, true)) due.start(0);
    };
    first->mode = 0;
    ASSERT_TRUE(first->get());
    EXPECT_EQ(rowsThen, 1) << "the handler ran only after the walk";
    EXPECT_EQ(keys(firstView), "1 2 3 4 5 6 7 8 ");
}

}  // namespace
