#include "library/HvSNMPRequest.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>

#include "platform/HvExceptionHook.h"
#include "library/HvException.h"
#include "library/HvUtil.h"
#include "tests/library/FakeAgent.h"
#include "tests/NamedRows.h"

namespace {

using hvtest::PrintTo;

namespace S = HvSyntax;
namespace A = HvAccess;

const MibObjectDef kScalars[] = {
    {"1.3.6.1.2.1.1.1", "sysDescr", S::DisplayStr, A::ReadWrite},
    {"1.3.6.1.2.1.1.5", "sysName", S::DisplayStr, A::ReadWrite},
    {"1.3.6.1.2.1.1.6", "sysLocation", S::DisplayStr, A::ReadWrite},
    {"1.3.6.1.2.1.1.7", "sysServices", S::Integer, A::ReadWrite | A::Invalid},
    {},
};

// A table with one key column (not readable) and two data columns.
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

// One QCoreApplication for the deferred completions and the destructor's wait.
void ensureApp() {
    static int argc = 1;
    static char name[] = "test_library";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
}

class RequestTest : public ::testing::Test {
protected:
    void SetUp() override {
        ensureApp();
        HvSNMPSession::defaults = HvSNMPDefaults::standard();
        fake.setResponder([this](const HvSnmpCall& call) { return agent.answer(call); });
        request = std::make_unique<HvSNMPRequest>();
        request->setTransport(&fake);
        request->messageCallback = [this](HvSNMPError* e) { messages.push_back(*e); };
    }

    void useTable(uint8_t kind = MVT_FMV) { request->varList = HvSNMPVarList(kTable, kind, 1); }
    void fillTable(int rows) {
        for (int r = 1; r <= rows; ++r) {
            agent.put(col(kName, r), FakeAgent::octets("n" + std::to_string(r)));
            agent.put(col(kLevel, r), FakeAgent::integer(10 * r));
        }
    }
    std::vector<std::string> sentOids(std::size_t n) const {
        std::vector<std::string> oids;
        for (const HvVarBind& vb : fake.calls().at(n).varbinds) oids.push_back(vb.oid);
        return oids;
    }
    // Runs the fake's pump until done or a deadline.
    template <typename Pred>
    bool pumpUntil(Pred done) {
        QDeadlineTimer deadline(10000);
        while (!done() && !deadline.hasExpired()) {
            fake.processPending();
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        return done();
    }

    HvSnmpFakeTransport fake;
    FakeAgent agent;
    std::unique_ptr<HvSNMPRequest> request;
    std::vector<HvSNMPError> messages;
};

TEST_F(RequestTest, NewRequestCarriesTheSessionDefaults) {
    EXPECT_EQ(request->device.address, "127.0.0.1");
    EXPECT_EQ(request->device.port, 161);
    EXPECT_EQ(request->security.version, 0);
    EXPECT_EQ(request->security.readCommunity, "kiwano");
    EXPECT_EQ(request->security.writeCommunity, "morello");
    EXPECT_EQ(request->timeout, 100);
    EXPECT_EQ(request->retries, 1);
    HvSNMPRequest::defaultAddress = "10.0.0.9";
    HvSNMPRequest::defaultVersion = 3;
    HvSNMPRequest later;
    EXPECT_EQ(later.device.address, "10.0.0.9");
    EXPECT_EQ(later.security.version, 3);
    HvSNMPSession::defaults = HvSNMPDefaults::standard();
}

TEST_F(RequestTest, ScalarListSendsReadableItemsWithDotZero) {
    request->varList = HvSNMPVarList(kScalars, SVT_SV, 0);
    request->timeout = 250;
    request->retries = 3;
    agent.put("1.3.6.1.2.1.1.1.0", FakeAgent::octets("QMX"));
    agent.put("1.3.6.1.2.1.1.5.0", FakeAgent::octets("lab"));
    agent.put("1.3.6.1.2.1.1.6.0", FakeAgent::octets("roof"));
    bool ok = true;
    EXPECT_FALSE(request->get(&ok, true));
    EXPECT_TRUE(ok);
    ASSERT_EQ(fake.calls().size(), 1u);
    EXPECT_EQ(fake.calls()[0].op, HvSnmpOp::Get);
    EXPECT_EQ(fake.calls()[0].timeout, 250);
    EXPECT_EQ(fake.calls()[0].retries, 3);
    EXPECT_EQ(fake.calls()[0].target.readCommunity, "kiwano");
    EXPECT_EQ(sentOids(0),
              (std::vector<std::string>{"1.3.6.1.2.1.1.1.0", "1.3.6.1.2.1.1.5.0", "1.3.6.1.2.1.1.6.0"}));
    EXPECT_EQ(request->varList.item(0).value, "QMX");
    EXPECT_EQ(request->varList.item(2).value, "roof");
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(request->failureCount(), 0);
}

// Each row: how the agent ends the table.
struct WalkEnd {
    const char* name;
    uint8_t version;
    bool objectAfterTable;  // false: the table is the last thing in the agent's MIB
};

class WalkEndTest : public RequestTest, public ::testing::WithParamInterface<WalkEnd> {};

TEST_P(WalkEndTest, TwoColumnsTwoRowsThenEveryColumnEnds) {
    const WalkEnd& p = GetParam();
    useTable();
    request->security.version = p.version;
    fillTable(2);
    if (p.objectAfterTable) agent.put("1.3.6.1.4.1.99.3.0", FakeAgent::integer(7));

    bool ok = true;
    ASSERT_TRUE(request->get(&ok, true));
    EXPECT_EQ(sentOids(0), (std::vector<std::string>{kName, kLevel}));
    EXPECT_EQ(fake.calls()[0].op, HvSnmpOp::GetNext);
    EXPECT_EQ(request->varList.item(0).value, "1");
    EXPECT_EQ(request->varList.item(1).value, "n1");
    EXPECT_EQ(request->varList.item(2).value, "10");

    ASSERT_TRUE(request->get(&ok, false));
    EXPECT_EQ(sentOids(1), (std::vector<std::string>{col(kName, 1), col(kLevel, 1)}));
    EXPECT_EQ(request->varList.item(0).value, "2");
    EXPECT_EQ(request->varList.item(2).value, "20");

    EXPECT_FALSE(request->get(&ok, false));
    EXPECT_EQ(sentOids(2), (std::vector<std::string>{col(kName, 2), col(kLevel, 2)}));
    if (p.version != 0 || p.objectAfterTable) {
        EXPECT_EQ(request->varList.item(1).value, "(NOTDONE)");
        EXPECT_EQ(request->varList.item(2).value, "(NOTDONE)");
    }
    EXPECT_TRUE(ok);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(request->failureCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Ends, WalkEndTest,
                         ::testing::Values(WalkEnd{"v1NoSuchName", 0, false},
                                           WalkEnd{"v1LeavesTable", 0, true},
                                           WalkEnd{"v2cEndOfMibView", 1, false},
                                           WalkEnd{"v2cLeavesTable", 1, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// v1 ends with noSuchName echoing the last OIDs, v2c with endOfMibView: both a normal end (code 0).
// A v1 column that is empty from the start is a failed read.
TEST_F(RequestTest, AsyncWalkDeliversRowsUntilEndOfWalk) {
    for (uint8_t version : {0, 1}) {
        for (int rowsInTable : {3, 0}) {
            SCOPED_TRACE(testing::Message() << "version " << int(version) << ", rows " << rowsInTable);
            agent.store.clear();
            useTable();
            request->security.version = version;
            fillTable(rowsInTable);
            std::vector<std::string> names;
            std::vector<HvSNMPError> outcomes;
            HvSNMPCompletion done = [&](HvSNMPError* e, HvSNMPVarList* list) {
                outcomes.push_back(*e);
                if (!e->endOfWalk) {
                    names.push_back(list->item(1).value);
                    request->getAsync(done, false);
                }
            };
            request->getAsync(done, true);
            ASSERT_TRUE(pumpUntil([&] { return !outcomes.empty() && outcomes.back().endOfWalk; }));
            EXPECT_EQ(names.size(), std::size_t(rowsInTable));
            if (rowsInTable) { EXPECT_EQ(names.back(), "n3"); }
            EXPECT_EQ(outcomes.back().code, version == 0 && !rowsInTable ? -102 : 0);
            EXPECT_EQ(outcomes.back().agent.address, "127.0.0.1");
            EXPECT_EQ(request->outstanding(), 0);
        }
    }
    EXPECT_TRUE(messages.empty());
}

// An answer that lacks bindings leaves its missing items as sent, asynchronously as synchronously.
TEST_F(RequestTest, AsyncShortAnswerLeavesTheMissingColumnAsSent) {
    HvSnmpReply shortAnswer;
    HvVarBind name;
    name.oid = col(kName, 1);
    name.type = HvVbType::OctetString;
    name.octets = "n1";
    shortAnswer.varbinds.push_back(name);

    useTable();
    fake.pushReply(shortAnswer);
    bool ok = true;
    request->get(&ok, true);
    const HvVarItem syncLevel = request->varList.item(2);
    EXPECT_EQ(syncLevel.lastOid, kLevel);

    useTable();
    fake.pushReply(shortAnswer);
    std::vector<HvSNMPError> outcomes;
    request->getAsync([&](HvSNMPError* e, HvSNMPVarList*) { outcomes.push_back(*e); }, true);
    ASSERT_TRUE(pumpUntil([&] { return !outcomes.empty(); }));
    EXPECT_EQ(request->varList.item(1).value, "n1");
    EXPECT_EQ(request->varList.item(2).value, syncLevel.value);
    EXPECT_EQ(request->varList.item(2).lastOid, kLevel);
}

// v1's end of the MIB in an answer without bindings: the OID sent stands in for the one echoed.
TEST_F(RequestTest, AsyncV1NoSuchNameWithoutBindingsEndsTheWalk) {
    useTable();
    request->security.version = 0;
    fillTable(1);
    HvSnmpReply end;
    end.status = 2;  // noSuchName
    end.errorIndex = 1;
    std::vector<HvSNMPError> outcomes;
    HvSNMPCompletion done = [&](HvSNMPError* e, HvSNMPVarList*) {
        outcomes.push_back(*e);
        if (!e->endOfWalk) {
            fake.pushReply(end);
            request->getAsync(done, false);
        }
    };
    request->getAsync(done, true);
    ASSERT_TRUE(pumpUntil([&] { return !outcomes.empty() && outcomes.back().endOfWalk; }));
    ASSERT_EQ(outcomes.size(), 2u);
    EXPECT_EQ(outcomes.back().code, 0);
}

// Whether a walked column has ended, for every mix of plain and unusual texts (leading dot or
// zeros, blanks, arcs beyond 32 bits, faults), is what the arc-by-arc order of HvCompareOids says.
TEST_F(RequestTest, ColumnEndsAsTheArcOrderSays) {
    useTable();
    auto reference = [](const std::string& column, const std::string& last, const std::string& returned) {
        const HvOidOrder inColumn = HvCompareOids(column, returned);
        if (!inColumn.valid || !inColumn.firstIsPrefix) return true;
        if (last.empty()) return false;
        const HvOidOrder progress = HvCompareOids(returned, last);
        return progress.valid && progress.compare <= 0;
    };
    const std::string c = "1.3.6.1.4.9.2";
    const std::vector<std::string> texts{c, c + ".1", c + ".9", c + ".10", c + ".1.5", c + ".0", c + ".00",
                                         c + ".4294967295", c + ".4294967296", c + ".9999999999", c + ".10000000000",
                                         "1.3.6.1.4.9.3.1", "1.3.6.1.4.9.20.1", "1.3.6.1.4.9", "." + c + ".2",
                                         "1.3.6.1.4.9.02.3", " " + c + ".7", c + ".", "1.3.x", ""};
    int ended = 0;
    for (const std::string& column : std::vector<std::string>{c, "." + c, "1.3.6.1.4.9.02", c + ".1"})
        for (const std::string& last : texts)
            for (const std::string& returned : texts) {
                const bool expected = reference(column, last, returned);
                ASSERT_EQ(request->columnEnded(column, last, returned), expected)
                    << "column " << column << ", last " << last << ", returned " << returned;
                ended += expected;
            }
    EXPECT_GT(ended, 0);
    EXPECT_FALSE(request->columnEnded(c, c + ".9", c + ".10"));  // numbers, not texts
    EXPECT_TRUE(request->columnEnded(c, c + ".10", c + ".9"));
}

TEST_F(RequestTest, FirstReadOnEmptyV1ColumnReportsAndEnds) {
    useTable();
    bool ok = true;
    EXPECT_FALSE(request->get(&ok, true));
    EXPECT_FALSE(ok);
    // One report per readable item: nothing came back for either column.
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].code, -102);
}

// What a first read sends, by list kind.
struct WireForm {
    const char* name;
    uint8_t kind;
    const char* suffix;
    uint8_t getNextFlag;
    HvSnmpOp op;
    const char* oid;  // of the first item
};

class WireFormTest : public RequestTest, public ::testing::WithParamInterface<WireForm> {};

TEST_P(WireFormTest, FirstReadSends) {
    const WireForm& p = GetParam();
    request->varList = HvSNMPVarList(kScalars, p.kind, 0);
    request->varList.setInstanceSuffix(p.suffix);
    request->getNextFlag = p.getNextFlag;
    bool ok = true;
    request->get(&ok, true);
    ASSERT_EQ(fake.calls().size(), 1u);
    EXPECT_EQ(fake.calls()[0].op, p.op);
    EXPECT_EQ(sentOids(0).at(0), p.oid);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, WireFormTest,
    ::testing::Values(WireForm{"Scalar", SVT_SV, "", 0, HvSnmpOp::Get, "1.3.6.1.2.1.1.1.0"},
                      WireForm{"ScalarSuffix", SVT_SV, "2", 0, HvSnmpOp::Get, "1.3.6.1.2.1.1.1.2.0"},
                      WireForm{"Row", MVT_SV, "", 0, HvSnmpOp::Get, "1.3.6.1.2.1.1.1"},
                      WireForm{"RowSuffix", MVT_SV, "1.4", 0, HvSnmpOp::Get, "1.3.6.1.2.1.1.1.1.4"},
                      WireForm{"RowGetNext", MVT_SV, "", 1, HvSnmpOp::GetNext, "1.3.6.1.2.1.1.1"},
                      WireForm{"Walk", MVT_UMV, "", 0, HvSnmpOp::GetNext, "1.3.6.1.2.1.1.1"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RequestTest, UnknownListKindIsReportedAndCompletes) {
    request->varList = HvSNMPVarList(kScalars, SVT_SV, 0);
    request->varList.setKind(9);
    bool ok = true;
    EXPECT_FALSE(request->get(&ok, true));
    EXPECT_FALSE(ok);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].code, -515);
    HvSNMPError outcome;
    int completions = 0;
    request->getAsync([&](HvSNMPError* e, HvSNMPVarList*) { outcome = *e, ++completions; }, true);
    ASSERT_TRUE(pumpUntil([&] { return completions > 0; }));
    EXPECT_EQ(outcome.code, -515);
    EXPECT_EQ(request->outstanding(), 0);
    EXPECT_TRUE(fake.calls().empty());
}

// A row index too short for the keys: raised by a synchronous read, and the failure of an
// asynchronous one (which still completes once).
TEST_F(RequestTest, ShortRowIndexRaises514) {
    const MibObjectDef table[] = {
        {" ", "ifIndex", S::Integer, A::NotAccess},
        {" ", "n", S::Integer, A::NotAccess},
        {kName, "Name", S::DisplayStr, A::ReadWrite},
        {},
    };
    request->varList = HvSNMPVarList(table, MVT_FMV, 2);
    agent.put(col(kName, 1), FakeAgent::octets("one key only"));
    bool ok = true;
    try {
        request->get(&ok, true);
        ADD_FAILURE() << "no exception";
    } catch (const HvException& e) {
        EXPECT_EQ(e.helpContext(), -514);
    }
    HvSNMPError outcome;
    int completions = 0;
    request->getAsync([&](HvSNMPError* e, HvSNMPVarList*) { outcome = *e, ++completions; }, true);
    ASSERT_TRUE(pumpUntil([&] { return completions > 0; }));
    EXPECT_EQ(outcome.code, -514);
    EXPECT_TRUE(outcome.endOfWalk);
    EXPECT_EQ(request->outstanding(), 0);
}

TEST_F(RequestTest, NextRowOnScalarListRaises510) {
    request->varList = HvSNMPVarList(kScalars, SVT_SV, 0);
    bool ok = true;
    try {
        request->get(&ok, false);
        FAIL() << "no exception";
    } catch (const HvException& e) {
        EXPECT_EQ(e.helpContext(), -510);
    }
    EXPECT_TRUE(fake.calls().empty());
}

TEST_F(RequestTest, BadAddressRaises509BeforeSending) {
    request->varList = HvSNMPVarList(kScalars, SVT_SV, 0);
    fake.addInvalidAddress("no host here");
    fake.addInvalidAddress("1.2.3");
    for (const char* address : {"", "no host here", "1.2.3"}) {
        request->device.address = address;
        bool ok = true;
        try {
            request->get(&ok, true);
            ADD_FAILURE() << "no exception for '" << address << "'";
        } catch (const HvException& e) {
            EXPECT_EQ(e.helpContext(), -509) << address;
        }
        EXPECT_THROW(request->getAsync({}, true), HvException);
    }
    EXPECT_TRUE(fake.calls().empty());
    EXPECT_EQ(request->outstanding(), 0);
}

TEST_F(RequestTest, SetWithIndexListSendsChosenItemsAndRestoresTheList) {
    request->varList = HvSNMPVarList(kScalars, SVT_SV, 0);
    request->varList.item(0).value = "old0";
    request->varList.item(1).value = "old1";
    request->varList.item(2).value = "old2";
    for (const char* oid : {"1.3.6.1.2.1.1.1.0", "1.3.6.1.2.1.1.5.0", "1.3.6.1.2.1.1.6.0"})
        agent.put(oid, FakeAgent::octets(""));
    const HvSNMPVarList before = request->varList;
    const std::vector<std::string> values{"first", "second", "third"};
    bool ok = true;
    EXPECT_FALSE(request->set(&ok, false, "0,2", &values));
    EXPECT_TRUE(ok);
    ASSERT_EQ(fake.calls().size(), 1u);
    const HvSnmpCall& call = fake.calls()[0];
    EXPECT_EQ(call.op, HvSnmpOp::Set);
    EXPECT_EQ(call.target.writeCommunity, "morello");
    ASSERT_EQ(call.varbinds.size(), 2u);
    EXPECT_EQ(call.varbinds[0].oid, "1.3.6.1.2.1.1.1.0");
    EXPECT_EQ(call.varbinds[0].octets, "first");
    EXPECT_EQ(call.varbinds[1].oid, "1.3.6.1.2.1.1.6.0");
    EXPECT_EQ(call.varbinds[1].octets, "second");
    for (int32_t i = 0; i < before.count(); ++i) EXPECT_EQ(request->varList.item(i), before.item(i)) << i;
}

TEST_F(RequestTest, SetSendsEveryWritableItemWhenNoIndexList) {
    request->varList = HvSNMPVarList(kScalars, SVT_SV, 0);
    for (const char* oid : {"1.3.6.1.2.1.1.1.0", "1.3.6.1.2.1.1.5.0", "1.3.6.1.2.1.1.6.0"})
        agent.put(oid, FakeAgent::octets(""));
    bool ok = true;
    request->set(&ok, false, "", nullptr);
    // Item 3 carries 0x20 and stays out.
    EXPECT_EQ(sentOids(0),
              (std::vector<std::string>{"1.3.6.1.2.1.1.1.0", "1.3.6.1.2.1.1.5.0", "1.3.6.1.2.1.1.6.0"}));
}

TEST_F(RequestTest, SetThatFailsToBuildStillRestoresTheList) {
    request->varList = HvSNMPVarList(kScalars, SVT_SV, 0);
    const HvSNMPVarList before = request->varList;
    const std::vector<std::string> values{"not a number"};
    bool ok = true;
    EXPECT_THROW(request->set(&ok, false, "3", &values), HvException);
    EXPECT_TRUE(fake.calls().empty());
    for (int32_t i = 0; i < before.count(); ++i) EXPECT_EQ(request->varList.item(i), before.item(i)) << i;
}

TEST_F(RequestTest, WalkListWriteGoesToTheRowAndNeverSendsKeys) {
    useTable();
    fillTable(2);
    request->varList.item(0).value = "2";
    request->varList.item(1).value = "renamed";
    request->varList.item(2).value = "55";
    bool ok = true;
    request->set(&ok, false, "", nullptr);
    EXPECT_TRUE(ok);
    EXPECT_EQ(sentOids(0), (std::vector<std::string>{col(kName, 2), col(kLevel, 2)}));
    EXPECT_EQ(agent.find(col(kLevel, 2))->integer, 55);
}

TEST_F(RequestTest, ErrorStatusGivesItsCodeAndIndex) {
    request->varList = HvSNMPVarList(kScalars, SVT_SV, 0);
    agent.override = [](const HvSnmpCall& call) -> std::optional<HvSnmpReply> {
        HvSnmpReply r = HvSnmpFakeTransport::failureReply(call, 5);  // genErr
        r.errorIndex = 2;
        return r;
    };
    bool ok = true;
    request->get(&ok, true);
    EXPECT_FALSE(ok);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].code, -105);
    EXPECT_EQ(messages[0].failureCount, 1);

    HvSNMPError outcome;
    int completions = 0;
    request->getAsync([&](HvSNMPError* e, HvSNMPVarList*) { outcome = *e, ++completions; }, true);
    ASSERT_TRUE(pumpUntil([&] { return completions > 0; }));
    EXPECT_EQ(outcome.code, -105);
    EXPECT_EQ(outcome.errorIndex, 2);
    EXPECT_TRUE(outcome.endOfWalk);
}

TEST_F(RequestTest, TimeoutLeavesNullValuesAndCountsOneFailure) {
    request->varList = HvSNMPVarList(kScalars, SVT_SV, 0);
    request->varList.item(0).value = "stale";
    agent.override = [](const HvSnmpCall& call) -> std::optional<HvSnmpReply> {
        return HvSnmpFakeTransport::failureReply(call, HvSnmpStatus::Timeout);
    };
    bool ok = true;
    EXPECT_FALSE(request->get(&ok, true));
    EXPECT_FALSE(ok);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].code, -405);
    EXPECT_EQ(request->failureCount(), 1);
    // Display strings read "" for no value.
    EXPECT_EQ(request->varList.item(0).value, "");
}

TEST_F(RequestTest, MissingObjectIsAFailedReadInV2c) {
    request->varList = HvSNMPVarList(kScalars, SVT_SV, 0);
    request->security.version = 1;
    agent.put("1.3.6.1.2.1.1.1.0", FakeAgent::octets("QMX"));
    agent.put("1.3.6.1.2.1.1.6.0", FakeAgent::octets("roof"));
    bool ok = true;
    request->get(&ok, true);
    EXPECT_FALSE(ok);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].code, -102);
    EXPECT_EQ(request->varList.item(0).value, "QMX");
    EXPECT_EQ(request->varList.item(2).value, "roof");

    HvSNMPError outcome;
    int completions = 0;
    request->getAsync([&](HvSNMPError* e, HvSNMPVarList*) { outcome = *e, ++completions; }, true);
    ASSERT_TRUE(pumpUntil([&] { return completions > 0; }));
    EXPECT_EQ(outcome.code, -102);
    EXPECT_EQ(outcome.errorIndex, 2);
}

// ---- faults mended --------------------------------------------------------------------------

// Column 10 begins with the digits of column 1 but is not inside it.
TEST_F(RequestTest, ColumnTestComparesArcs) {
    const MibObjectDef table[] = {{"1.3.6.1.4.1.99.5.1", "c1", S::Integer, A::ReadOnly}, {}};
    request->varList = HvSNMPVarList(table, MVT_FMV, 0);
    agent.put("1.3.6.1.4.1.99.5.1.1", FakeAgent::integer(1));
    agent.put("1.3.6.1.4.1.99.5.1.2", FakeAgent::integer(2));
    agent.put("1.3.6.1.4.1.99.5.10.1", FakeAgent::integer(100));
    bool ok = true;
    int rows = 0;
    for (bool first = true; request->get(&ok, first) && rows < 10; first = false) ++rows;
    EXPECT_EQ(rows, 2);
    EXPECT_TRUE(ok);
    EXPECT_EQ(request->varList.item(0).value, "(NOTDONE)");
}

// The second column holds only a late row: once it has ended it must not come back with the row
// index of the first column.
TEST_F(RequestTest, EndedColumnStaysEnded) {
    useTable();
    request->security.version = 1;
    for (int r = 1; r <= 3; ++r) agent.put(col(kName, r), FakeAgent::octets("n" + std::to_string(r)));
    agent.put(col(kLevel, 4), FakeAgent::integer(40));
    std::vector<std::string> levels;
    bool ok = true;
    for (bool first = true; request->get(&ok, first) && levels.size() < 10; first = false)
        levels.push_back(request->varList.item(2).value);
    EXPECT_EQ(levels, (std::vector<std::string>{"40", "(NOTDONE)", "(NOTDONE)"}));
    EXPECT_TRUE(ok);
}

// An agent that hands back an OID before the last one would loop the walk for ever.
TEST_F(RequestTest, WalkGoingBackwardsEndsWithAnError) {
    const MibObjectDef table[] = {{"1.3.6.1.4.1.99.5.1", "c1", S::Integer, A::ReadOnly}, {}};
    request->varList = HvSNMPVarList(table, MVT_FMV, 0);
    int answers = 0;
    agent.override = [&](const HvSnmpCall& call) -> std::optional<HvSnmpReply> {
        HvSnmpReply r;
        HvVarBind vb = FakeAgent::integer(1);
        vb.oid = ++answers == 1 ? "1.3.6.1.4.1.99.5.1.5" : "1.3.6.1.4.1.99.5.1.2";
        r.varbinds.push_back(vb);
        (void)call;
        return r;
    };
    bool ok = true;
    EXPECT_TRUE(request->get(&ok, true));
    EXPECT_FALSE(request->get(&ok, false));
    EXPECT_FALSE(ok);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].code, -419);

    HvSNMPError outcome;
    answers = 0;
    HvSNMPCompletion done = [&](HvSNMPError* e, HvSNMPVarList*) {
        outcome = *e;
        if (!e->endOfWalk) request->getAsync(done, false);
    };
    request->getAsync(done, true);
    ASSERT_TRUE(pumpUntil([&] { return outcome.endOfWalk; }));
    EXPECT_EQ(outcome.code, -419);
}

TEST_F(RequestTest, FailedAsyncSendStillCompletesOnce) {
    request->varList = HvSNMPVarList(kScalars, SVT_SV, 0);
    fake.setSendStatus(HvSnmpStatus::SendFailed);
    std::vector<HvSNMPError> outcomes;
    request->getAsync([&](HvSNMPError* e, HvSNMPVarList*) { outcomes.push_back(*e); }, true);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].code, -422);
    ASSERT_TRUE(pumpUntil([&] { return !outcomes.empty(); }));
    fake.processPending();
    HvSNMPDelivery::deliverQueued();
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_EQ(outcomes[0].code, -422);
    EXPECT_TRUE(outcomes[0].endOfWalk);
    EXPECT_EQ(request->outstanding(), 0);

    fake.setSendStatus(HvSnmpStatus::SendFailed);
    outcomes.clear();
    request->setAsync([&](HvSNMPError* e, HvSNMPVarList*) { outcomes.push_back(*e); }, false, "1", nullptr);
    ASSERT_TRUE(pumpUntil([&] { return !outcomes.empty(); }));
    EXPECT_EQ(outcomes[0].code, -422);
    EXPECT_EQ(request->outstanding(), 0);
}

TEST_F(RequestTest, AsyncV3ReportIsAFailure) {
    request->varList = HvSNMPVarList(kScalars, SVT_SV, 0);
    request->varList.item(0).value = "kept";
    request->security.version = 3;
    agent.override = [](const HvSnmpCall& call) -> std::optional<HvSnmpReply> {
        HvSnmpReply r = HvSnmpFakeTransport::failureReply(call, HvSnmpStatus::UsmUnknownSecurityName);
        // The report's counter must not reach an item.
        r.varbinds = {FakeAgent::integer(42)};
        r.varbinds[0].oid = "1.3.6.1.6.3.15.1.1.3.0";
        return r;
    };
    HvSNMPError outcome;
    int completions = 0;
    request->getAsync([&](HvSNMPError* e, HvSNMPVarList*) { outcome = *e, ++completions; }, true);
    ASSERT_TRUE(pumpUntil([&] { return completions > 0; }));
    EXPECT_EQ(outcome.code, -304);
    EXPECT_TRUE(outcome.endOfWalk);
    EXPECT_EQ(request->varList.item(0).value, "kept");
}

TEST_F(RequestTest, EmptyListSendsNothingButAsyncStillCompletes) {
    request->varList = HvSNMPVarList(nullptr, SVT_SV, 0);
    bool ok = true;
    EXPECT_FALSE(request->get(&ok, true));
    EXPECT_TRUE(ok);
    int completions = 0;
    HvSNMPError outcome;
    request->getAsync([&](HvSNMPError* e, HvSNMPVarList*) { outcome = *e, ++completions; }, true);
    ASSERT_TRUE(pumpUntil([&] { return completions > 0; }));
    EXPECT_EQ(outcome.code, 0);
    EXPECT_TRUE(outcome.endOfWalk);
    EXPECT_TRUE(fake.calls().empty());
    EXPECT_EQ(request->outstanding(), 0);
}

// A completion run from the event loop that throws reaches the program's handler, not Qt.
TEST_F(RequestTest, ThrowingDeferredCompletionReachesTheHandler) {
    request->varList = HvSNMPVarList(nullptr, SVT_SV, 0);
    std::string caught;
    const HvExceptionHandler previous = HvSetExceptionHandler([&](std::exception_ptr e) {
        try {
            std::rethrow_exception(e);
        } catch (const std::exception& x) {
            caught = x.what();
        }
    });
    request->getAsync([](HvSNMPError*, HvSNMPVarList*) { throw HvException("from the page"); }, true);
    EXPECT_TRUE(pumpUntil([&] { return !caught.empty(); }));
    HvSetExceptionHandler(previous);
    EXPECT_EQ(caught, "from the page");
    EXPECT_EQ(request->outstanding(), 0);
}

// The pump delivers during the destructor's wait: the wait ends, and the dying owner's completion
// is not called.
TEST_F(RequestTest, DestructorWaitsForOutstandingAnswers) {
    request->varList = HvSNMPVarList(kScalars, SVT_SV, 0);
    int completions = 0;
    request->getAsync([&](HvSNMPError*, HvSNMPVarList*) { ++completions; }, true);
    QTimer pump;
    QObject::connect(&pump, &QTimer::timeout, [this] { fake.processPending(); });
    pump.start(20);
    request.reset();
    EXPECT_EQ(fake.pendingCount(), 0u);
    EXPECT_EQ(completions, 0);
}

// No answer within the wait: the request goes, and the late answer reaches nothing.
TEST_F(RequestTest, LateAnswerAfterDestructionReachesNothing) {
    request->varList = HvSNMPVarList(kScalars, SVT_SV, 0);
    int completions = 0;
    request->getAsync([&](HvSNMPError*, HvSNMPVarList*) { ++completions; }, true);
    fake.setHold(true);
    request.reset();  // waits out its limit
    fake.setHold(false);
    fake.processPending();
    HvSNMPDelivery::deliverQueued();
    EXPECT_EQ(completions, 0);
    // Seen without a sanitizer: no outcome reached the destroyed request.
    EXPECT_EQ(HvSNMPRequest::deadOwnerDeliveries(), 0u);
}

TEST_F(RequestTest, RequestDeletedFromItsOwnCompletion) {
    request->varList = HvSNMPVarList(kScalars, SVT_SV, 0);
    HvSNMPRequest* second = new HvSNMPRequest;
    second->setTransport(&fake);
    second->varList = HvSNMPVarList(kScalars, SVT_SV, 0);
    int completions = 0;
    // Two answers outstanding on the dying request: the second must be dropped.
    // Inside the pump nothing can arrive, so the destructor must not wait (it would spin the
    // event loop for its whole limit).
    bool loopRanInDelete = false;
    auto done = [&](HvSNMPError*, HvSNMPVarList*) {
        ++completions;
        QTimer::singleShot(0, [&] { loopRanInDelete = true; });
        delete second;
        second = nullptr;
        EXPECT_FALSE(loopRanInDelete);
    };
    second->getAsync(done, true);
    second->getAsync(done, true);
    fake.processPending();
    HvSNMPDelivery::deliverQueued();
    EXPECT_EQ(second, nullptr);
    EXPECT_EQ(completions, 1);
    EXPECT_EQ(HvSNMPRequest::deadOwnerDeliveries(), 0u);
    EXPECT_TRUE(pumpUntil([&] { return loopRanInDelete; }));
}

// Operations out at once on one request each keep their own completion and answer, also when a
// completion sends again while another is still out.
TEST_F(RequestTest, OperationsOutTogetherEachGetTheirOwnAnswerOnce) {
    const MibObjectDef one[] = {kScalars[0], {}};
    request->varList = HvSNMPVarList(one, SVT_SV, 0);
    const std::string descr = std::string(kScalars[0].oid) + ".0";
    std::vector<std::string> seen;
    auto reader = [&](const std::string& name) {
        return [&seen, name](HvSNMPError* e, HvSNMPVarList* list) {
            seen.push_back(name + "=" + list->item(0).value + (e->code ? " failed" : ""));
        };
    };
    fake.setHold(true);
    agent.put(descr, FakeAgent::octets("a"));
    request->getAsync(
        [&, first = reader("A")](HvSNMPError* e, HvSNMPVarList* list) {
            first(e, list);
            agent.put(descr, FakeAgent::octets("c"));
            request->getAsync(reader("C"), true);
        },
        true);
    agent.put(descr, FakeAgent::octets("b"));
    request->getAsync(reader("B"), true);
    EXPECT_EQ(request->outstanding(), 2);
    fake.setHold(false);
    ASSERT_TRUE(pumpUntil([&] { return seen.size() >= 3 && request->outstanding() == 0; }));
    fake.processPending();
    HvSNMPDelivery::deliverQueued();
    EXPECT_EQ(seen, (std::vector<std::string>{"A=a", "B=b", "C=c"}));
}

TEST_F(RequestTest, NotAliveRequestDoesNothing) {
    // Operations during destruction: a completion that runs inside the destructor's wait tries to
    // chain another read.
    request->varList = HvSNMPVarList(kScalars, SVT_SV, 0);
    HvSNMPRequest* dying = new HvSNMPRequest;
    dying->setTransport(&fake);
    dying->varList = HvSNMPVarList(kScalars, SVT_SV, 0);
    dying->getAsync({}, true);
    bool ok = true;
    QTimer probe;
    bool checked = false;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (!checked && !dying->alive()) {
            checked = true;
            EXPECT_FALSE(dying->get(&ok, true));
            dying->getAsync({}, true);
        }
        fake.processPending();
    });
    fake.setHold(true);
    probe.start(10);
    QTimer release;
    release.setSingleShot(true);
    QObject::connect(&release, &QTimer::timeout, [&] { fake.setHold(false); });
    release.start(200);
    delete dying;
    EXPECT_TRUE(checked);
    EXPECT_FALSE(ok);
    EXPECT_EQ(fake.calls().size(), 1u);
}

// Reads are built in the bindings the last operation handed back: after a write with values the
// reads, asynchronous and synchronous, send bare bindings, and no more than their lists have.
TEST_F(RequestTest, ReadsAfterAWriteSendBareBindings) {
    request->varList = HvSNMPVarList(kScalars, SVT_SV, 0);
    request->varList.item(0).value = "QMX";
    request->varList.item(1).value = "lab";
    auto answered = [&](const std::function<void(HvSNMPCompletion)>& start) {
        bool done = false;
        start([&](HvSNMPError*, HvSNMPVarList*) { done = true; });
        return pumpUntil([&] { return done; });
    };
    auto bare = [](const std::string& oid) { return HvVarBind{oid}; };
    ASSERT_TRUE(answered([&](HvSNMPCompletion done) { request->setAsync(done, true, "", nullptr); }));
    ASSERT_EQ(fake.calls().at(0).varbinds.at(0).octets, "QMX");
    ASSERT_TRUE(answered([&](HvSNMPCompletion done) { request->getAsync(done, true); }));
    const std::vector<HvVarBind> scalars{bare("1.3.6.1.2.1.1.1.0"), bare("1.3.6.1.2.1.1.5.0"),
                                         bare("1.3.6.1.2.1.1.6.0")};
    EXPECT_EQ(fake.calls().at(1).varbinds, scalars);
    ASSERT_TRUE(answered([&](HvSNMPCompletion done) { request->setAsync(done, true, "1", nullptr); }));
    bool ok = true;
    request->get(&ok, true);
    EXPECT_EQ(fake.calls().at(3).varbinds, scalars);
    useTable();
    ASSERT_TRUE(answered([&](HvSNMPCompletion done) { request->getAsync(done, true); }));
    EXPECT_EQ(fake.calls().at(4).varbinds, (std::vector<HvVarBind>{bare(kName), bare(kLevel)}));
}

// With an instance suffix a walk's columns carry it: what lies beyond them in the items' own columns
// ends the walk, and the row index starts after the suffix.
TEST_F(RequestTest, WalkWithSuffixReadsItsOwnColumns) {
    useTable();
    request->varList.setInstanceSuffix("7");
    agent.put(std::string(kName) + ".7.4", FakeAgent::octets("n4"));
    agent.put(std::string(kLevel) + ".7.4", FakeAgent::integer(40));
    agent.put(std::string(kName) + ".8.1", FakeAgent::octets("other"));
    agent.put(std::string(kLevel) + ".8.1", FakeAgent::integer(99));
    bool ok = true;
    ASSERT_TRUE(request->get(&ok, true));
    EXPECT_EQ(request->varList.item(0).value, "4");
    EXPECT_EQ(request->varList.item(0).lastOid, " .7.4");
    EXPECT_EQ(request->varList.item(2).value, "40");
    EXPECT_FALSE(request->get(&ok, false));
    EXPECT_EQ(request->varList.item(1).value, "(NOTDONE)");
    EXPECT_TRUE(ok);
}

}  // namespace
