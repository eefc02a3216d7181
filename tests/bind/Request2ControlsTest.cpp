#include "library/bind/HvSNMPRequest2Controls.h"

#include <gtest/gtest.h>

#include <QTimer>

#include <memory>
#include <string>
#include <vector>

#include "BindFixture.h"
#include "library/HvClock.h"
#include "library/HvException.h"
#include "tests/NamedRows.h"

namespace {

using hvtest::PrintTo;
namespace S = HvSyntax;
namespace A = HvAccess;

const MibObjectDef kScalars[] = {
    {"1.3.6.1.2.1.1.5", "sysName", S::DisplayStr, A::ReadWrite},
    {"1.3.6.1.2.1.1.6", "sysLocation", S::DisplayStr, A::ReadWrite},
    {},
};

const char* const kName = "1.3.6.1.4.1.99.2.1.2";
const char* const kLevel = "1.3.6.1.4.1.99.2.1.3";
const MibObjectDef kTable[] = {
    {" ", "Index", S::Integer, A::NotAccess},
    {kName, "Name", S::DisplayStr, A::ReadWrite},
    {kLevel, "Level", S::Integer, A::ReadWrite},
    {},
};

std::string col(const char* column, int row) {
    return std::string(column) + "." + std::to_string(row);
}

// Records the hooks in the order they run.
class Recorder : public HvSNMPRequest2Controls {
public:
    using HvSNMPRequest2Controls::HvSNMPRequest2Controls;
    ~Recorder() override { beginDestruction(); }

    std::vector<std::string>* log = nullptr;
    std::function<void()> onValues;
    std::function<void()> onAfterSet;

    void beforeGet() override { note("beforeGet"); }
    void beforeSet() override { note("beforeSet"); }
    void valuesToControls() override {
        note("values " + request.varList.item(request.varList.kind() == SVT_SV ? 0 : 1).value);
        if (onValues) onValues();
    }
    void controlsToValues() override { note("controlsToValues"); }
    void afterGet() override { note("afterGet"); }
    void afterSet() override {
        note("afterSet");
        if (onAfterSet) onAfterSet();
    }

private:
    void note(const std::string& s) {
        if (log) log->push_back(s);
    }
};

class Request2ControlsTest : public BindTest {
protected:
    void SetUp() override {
        BindTest::SetUp();
        HvSetClock([] { return QDateTime(QDate(2026, 1, 2), QTime(13, 2, 3)); });
        bar = new forms::StatusBar(form.get());
    }
    void TearDown() override {
        rec.reset();
        HvSetClock({});
        BindTest::TearDown();
    }
    void make(const MibObjectDef* table, uint8_t kind, int32_t keys, uint8_t mode) {
        rec = std::make_unique<Recorder>(form.get());
        rec->log = &log;
        rec->request.setTransport(&fake);
        rec->request.varList = HvSNMPVarList(table, kind, keys);
        rec->request.messageCallback = [this](HvSNMPError* e) { messages.push_back(*e); };
        rec->mode = mode;
        rec->onAsyncGetDone = [this](HvSNMPRequest2Controls*, HvSNMPError* e) {
            log.push_back("getDone " + std::to_string(e->code));
        };
        rec->onAsyncSetDone = [this](HvSNMPRequest2Controls*, HvSNMPError* e) {
            log.push_back("setDone " + std::to_string(e->code));
        };
    }
    void fillTable(int rows) {
        for (int r = 1; r <= rows; ++r) {
            agent.put(col(kName, r), FakeAgent::octets("n" + std::to_string(r)));
            agent.put(col(kLevel, r), FakeAgent::integer(r));
        }
    }
    bool sawOkRecord() const {
        for (const HvSNMPError& e : messages)
            if (e.code == 0 && e.failureCount == -1 && e.message == "(HvSNMP++) Ok!") return true;
        return false;
    }
    std::string at(const char* time) const { return std::string(". Receive at ") + time + "."; }
    std::string time() const { return HvFormatTime12(QTime(13, 2, 3)); }

    std::unique_ptr<Recorder> rec;
    std::vector<std::string> log;
    forms::StatusBar* bar = nullptr;
};

TEST_F(Request2ControlsTest, DefaultsAfterConstruction) {
    Recorder r(form.get());
    EXPECT_EQ(r.mode, 1);
    EXPECT_FALSE(r.busy);
    EXPECT_TRUE(r.reread);
    EXPECT_EQ(r.owner, form.get());
    EXPECT_EQ(r.rowCount, 0);
    EXPECT_EQ(r.resultControl(), nullptr);
    EXPECT_FALSE(r.onAsyncGetDone);
}

TEST_F(Request2ControlsTest, SilentAgentSyncScalarReadShowsWhatTheItemsHadBefore) {
    make(kScalars, SVT_SV, 0, 0);
    rec->request.varList.item(0).value = "lab";
    fake.setResponder(
        [](const HvSnmpCall& c) { return HvSnmpFakeTransport::failureReply(c, HvSnmpStatus::Timeout); });
    EXPECT_FALSE(rec->get());
    // The controls are refreshed once, from the values the items had: a time-out empties nothing.
    EXPECT_EQ(log, (std::vector<std::string>{"beforeGet", "values lab", "afterGet"}));
    EXPECT_EQ(rec->rowCount, 1);
    EXPECT_FALSE(rec->busy);
    EXPECT_FALSE(sawOkRecord());
    EXPECT_FALSE(messages.empty());
}

TEST_F(Request2ControlsTest, AgentsErrorAnswerStillShowsWhatItBrought) {
    make(kScalars, SVT_SV, 0, 0);
    rec->request.security.version = 1;
    rec->request.varList.item(0).value = "old";
    agent.put("1.3.6.1.2.1.1.5.0", FakeAgent::octets("lab"));  // sysLocation is missing
    EXPECT_FALSE(rec->get());
    EXPECT_EQ(log, (std::vector<std::string>{"beforeGet", "values lab", "afterGet"}));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].code, -102);
}

TEST_F(Request2ControlsTest, SyncWalkHandsEveryRowToTheControls) {
    make(kTable, MVT_FMV, 1, 0);
    fillTable(3);
    EXPECT_TRUE(rec->get());
    EXPECT_EQ(log,
              (std::vector<std::string>{"beforeGet", "values n1", "values n2", "values n3", "afterGet"}));
    EXPECT_EQ(rec->rowCount, 3);
    EXPECT_TRUE(sawOkRecord());
}

TEST_F(Request2ControlsTest, AsyncWalkEndsWithAfterGetThenDone) {
    make(kTable, MVT_FMV, 1, 1);
    fillTable(3);
    EXPECT_TRUE(rec->get());
    EXPECT_TRUE(rec->busy);
    ASSERT_TRUE(pumpUntil([&] { return !rec->busy; }));
    EXPECT_EQ(log, (std::vector<std::string>{"beforeGet", "values n1", "values n2", "values n3", "afterGet",
                                             "getDone 0"}));
    EXPECT_EQ(rec->rowCount, 3);
    EXPECT_TRUE(sawOkRecord());
}

struct RowLimitCase {
    const char* name;
    uint8_t mode;
    std::vector<std::string> log;
};

class Request2ControlsRowLimit : public Request2ControlsTest,
                                 public ::testing::WithParamInterface<RowLimitCase> {};

// A walk ends at its row limit as at the table's end, asks for no row beyond it, and the next walk
// starts again from the first row.
TEST_P(Request2ControlsRowLimit, WalkEndsAtTheLimit) {
    make(kTable, MVT_FMV, 1, GetParam().mode);
    fillTable(5);
    rec->maxRows = 2;
    for (int walk = 0; walk < 2; ++walk) {
        log.clear();
        const size_t calls = fake.calls().size();
        EXPECT_TRUE(rec->get());
        ASSERT_TRUE(pumpUntil([&] { return !rec->busy; }));
        EXPECT_EQ(log, GetParam().log);
        EXPECT_EQ(rec->rowCount, 2);
        EXPECT_EQ(fake.calls().size() - calls, 2u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Modes, Request2ControlsRowLimit,
    ::testing::Values(RowLimitCase{"Sync", 0, {"beforeGet", "values n1", "values n2", "afterGet"}},
                      RowLimitCase{
                          "Async", 1, {"beforeGet", "values n1", "values n2", "afterGet", "getDone 0"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Request2ControlsTest, ConversionFailureInAsyncReadGoesToTheStatusBar) {
    make(kScalars, SVT_SV, 0, 1);
    rec->setStatusBar(bar);
    agent.put("1.3.6.1.2.1.1.5.0", FakeAgent::octets("a"));
    agent.put("1.3.6.1.2.1.1.6.0", FakeAgent::octets("b"));
    rec->onValues = [] { throw HvException("bad value", -518); };
    EXPECT_TRUE(rec->get());
    ASSERT_TRUE(pumpUntil([&] { return !rec->busy; }));
    EXPECT_EQ(bar->simpleText().toStdString(), "Get: bad value" + at(time().c_str()));
    EXPECT_EQ(std::count(log.begin(), log.end(), "getDone 0"), 0);
    EXPECT_EQ(std::count(log.begin(), log.end(), "afterGet"), 0);
    EXPECT_EQ(std::count(log.begin(), log.end(), "values a"), 1);
}

TEST_F(Request2ControlsTest, SyncSetOfAWalkListReadsAgainOnlyWithReread) {
    for (bool reread : {true, false}) {
        SCOPED_TRACE(reread);
        make(kTable, MVT_FMV, 1, 0);
        fillTable(2);
        rec->request.varList.item(0).value = "1";
        rec->request.varList.item(1).value = "x";
        rec->request.varList.item(2).value = "7";
        fake.clearCalls();
        log.clear();
        EXPECT_TRUE(rec->set(reread, true, "", nullptr));
        ASSERT_GE(fake.calls().size(), 1u);
        EXPECT_EQ(fake.calls()[0].op, HvSnmpOp::Set);
        EXPECT_EQ(fake.calls().size() > 1, reread);
        EXPECT_EQ(log.front(), "beforeSet");
        EXPECT_EQ(log[1], "controlsToValues");
        EXPECT_EQ(log[2], "afterSet");
        EXPECT_EQ(std::count(log.begin(), log.end(), "beforeGet"), reread ? 1 : 0);
    }
}

TEST_F(Request2ControlsTest, OtherModesSendNothing) {
    make(kScalars, SVT_SV, 0, 2);
    EXPECT_TRUE(rec->get());
    EXPECT_TRUE(rec->set(false, false));
    EXPECT_EQ(log, (std::vector<std::string>{"beforeGet", "beforeSet"}));
    EXPECT_TRUE(fake.calls().empty());
    EXPECT_FALSE(rec->busy);
}

TEST_F(Request2ControlsTest, ResultLinesFromTheTemplates) {
    make(kScalars, SVT_SV, 0, 0);
    rec->setMessagePanel(bar);
    rec->lastOperation = 1;
    rec->request.varList.setInstanceSuffix("3");
    rec->showStatus("x");
    EXPECT_EQ(bar->simpleText().toStdString(), "Set: x Request:3" + at(time().c_str()));
    rec->request.varList.setInstanceSuffix("");
    rec->lastOperation = 0;
    rec->showStatus("x");
    EXPECT_EQ(bar->simpleText().toStdString(), "Get: x" + at(time().c_str()));

    auto* memo = new forms::Memo(form.get());
    rec->setMessagePanel(memo);
    rec->showStatus("a");
    rec->showStatus("b");
    EXPECT_EQ(memo->lineCount(), 2);
    forms::StatusPanel* panel = bar->addPanel();
    rec->setStatusBar(panel);
    rec->showStatus("p");
    EXPECT_EQ(panel->text().toStdString(), "Get: p" + at(time().c_str()));
}

TEST_F(Request2ControlsTest, ResultWithoutControlIsAMessageBoxOverTheOwner) {
    make(kScalars, SVT_SV, 0, 0);
    forms::Application::setTitle("QMX");
    HvSNMPError e;
    e.message = "No response";
    rec->showSetResult(&e);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "No response");
    EXPECT_EQ(boxes[0].caption, "QMX");
    EXPECT_EQ(boxes[0].parent, form.get());
    EXPECT_EQ(rec->lastOperation, 1);
}

TEST_F(Request2ControlsTest, BuildFailureIsRaisedWithBusyCleared) {
    make(kScalars, SVT_SV, 0, 0);
    rec->request.device.address = "";
    try {
        rec->get();
        FAIL() << "no exception";
    } catch (const HvException& e) {
        EXPECT_EQ(e.helpContext(), -509);
    }
    EXPECT_FALSE(rec->busy);
    rec->mode = 1;
    EXPECT_THROW(rec->set(false, false), HvException);
    EXPECT_FALSE(rec->busy);
}

TEST_F(Request2ControlsTest, FailedAsyncSendEndsInDoneAndClearsBusy) {
    make(kTable, MVT_FMV, 1, 1);
    fillTable(2);
    fake.setSendStatus(HvSnmpStatus::SendFailed);
    EXPECT_TRUE(rec->get());
    ASSERT_TRUE(pumpUntil([&] { return !rec->busy; }));
    ASSERT_FALSE(log.empty());
    EXPECT_NE(log.back(), "getDone 0");
    EXPECT_EQ(log.back().rfind("getDone ", 0), 0u);
}

TEST_F(Request2ControlsTest, FailedSendInTheMiddleOfAWalkEndsIt) {
    make(kTable, MVT_FMV, 1, 1);
    fillTable(3);
    rec->onValues = [this] { fake.setSendStatus(HvSnmpStatus::SendFailed); };
    rec->get();
    ASSERT_TRUE(pumpUntil([&] { return !rec->busy; }));
    EXPECT_EQ(log[1], "values n1");
    EXPECT_EQ(log.back().rfind("getDone -", 0), 0u);
}

TEST_F(Request2ControlsTest, ThrowingAfterSetLeavesNothingStuck) {
    make(kScalars, SVT_SV, 0, 1);
    rec->setStatusBar(bar);
    agent.put("1.3.6.1.2.1.1.5.0", FakeAgent::octets("a"));
    agent.put("1.3.6.1.2.1.1.6.0", FakeAgent::octets("b"));
    rec->onAfterSet = [] { throw HvException("after set failed", 0); };
    rec->request.varList.item(0).value = "a";
    rec->request.varList.item(1).value = "b";
    EXPECT_TRUE(rec->set(false, false));
    ASSERT_TRUE(pumpUntil([&] { return !rec->busy; }));
    EXPECT_EQ(bar->simpleText().toStdString(), "Set: after set failed" + at(time().c_str()));
    // Later operations still complete.
    log.clear();
    rec->get();
    ASSERT_TRUE(pumpUntil([&] { return !rec->busy; }));
    EXPECT_EQ(log.back(), "getDone 0");
}

TEST_F(Request2ControlsTest, ThrowingDoneHandlerIsShownNotPassedOn) {
    make(kScalars, SVT_SV, 0, 1);
    fake.setResponder(
        [](const HvSnmpCall& c) { return HvSnmpFakeTransport::failureReply(c, HvSnmpStatus::Timeout); });
    rec->onAsyncGetDone = [](HvSNMPRequest2Controls*, HvSNMPError*) { throw HvException("page failed", 0); };
    rec->get();
    ASSERT_TRUE(pumpUntil([&] { return !rec->busy; }));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "page failed");
}

TEST_F(Request2ControlsTest, AnswerArrivingWhileDestroyedReachesNothing) {
    make(kTable, MVT_FMV, 1, 1);
    fillTable(3);
    int values = 0;
    rec->log = nullptr;
    rec->onValues = [&values] { ++values; };
    rec->get();
    // The request's destructor waits for its answers; let the fake deliver them meanwhile.
    QTimer deliver;
    QObject::connect(&deliver, &QTimer::timeout, [this] { fake.processPending(); });
    deliver.start(5);
    rec.reset();
    EXPECT_EQ(values, 0);
    EXPECT_EQ(fake.pendingCount(), 0u);
    EXPECT_EQ(HvSNMPRequest::deadOwnerDeliveries(), 0u);
}

TEST_F(Request2ControlsTest, ReadOfTheSameObjectDuringASyncWalkIsRefused) {
    make(kTable, MVT_FMV, 1, 0);
    fillTable(2);
    std::vector<bool> nested;
    rec->onValues = [&] { nested.push_back(rec->get()); };
    EXPECT_TRUE(rec->get());
    EXPECT_EQ(nested, (std::vector<bool>{false, false}));
    EXPECT_EQ(rec->rowCount, 2);
    EXPECT_EQ(std::count(log.begin(), log.end(), "beforeGet"), 1);
}

TEST_F(Request2ControlsTest, RowConditionComesFromTheProvider) {
    struct Provider : HvConditionProvider {
        std::vector<std::string> asked;
        std::string condition(const std::string& text, int32_t mode, const std::string& extra) override {
            asked.push_back(text + "/" + std::to_string(mode) + "/" + extra);
            return "$2=2";
        }
    } provider;
    make(kTable, MVT_FMV, 1, 0);
    fillTable(3);
    EXPECT_EQ(rec->rowCondition(), "");
    rec->conditionProvider = &provider;
    EXPECT_EQ(rec->rowCondition(), "");
    rec->conditionText = "level two";
    EXPECT_TRUE(rec->get());
    EXPECT_EQ(provider.asked.back(), "level two/1/");
    EXPECT_EQ(rec->rowCount, 1);
    EXPECT_EQ(log, (std::vector<std::string>{"beforeGet", "values n2", "afterGet"}));
}

}  // namespace
