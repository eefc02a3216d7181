#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "library/snmp/HvSnmpFakeTransport.h"

namespace {

HvSnmpCall call(const char* oid) {
    HvSnmpCall c;
    c.target.address = "10.0.0.1";
    c.target.port = 161;
    HvVarBind vb;
    vb.oid = oid;
    c.varbinds.push_back(vb);
    return c;
}

HvSnmpReply answer(int32_t status, const char* oid, const char* value) {
    HvSnmpReply r;
    r.status = status;
    HvVarBind vb;
    vb.oid = oid;
    vb.type = HvVbType::OctetString;
    vb.octets = value;
    r.varbinds.push_back(vb);
    return r;
}

// The fake behaves as the transport's contract says, so that tests of the layers above it hold
// against the real one too.
TEST(FakeTransport, ScriptThenResponderThenTimeOut) {
    HvSnmpFakeTransport fake;
    fake.pushReply(answer(0, "1.1", "first"));
    EXPECT_EQ(fake.sendSync(call("1.1")).varbinds[0].octets, "first");

    fake.setResponder([](const HvSnmpCall& c) { return answer(0, c.varbinds[0].oid.c_str(), "echo"); });
    HvSnmpReply echoed = fake.sendSync(call("1.2"));
    EXPECT_EQ(echoed.varbinds[0].oid, "1.2");
    EXPECT_EQ(echoed.agentAddress, "10.0.0.1");
    EXPECT_EQ(echoed.agentPort, 161);

    fake.setResponder(nullptr);
    HvSnmpReply timedOut = fake.sendSync(call("1.3"));
    EXPECT_EQ(timedOut.status, HvSnmpStatus::Timeout);
    ASSERT_EQ(timedOut.varbinds.size(), 1u);
    EXPECT_EQ(timedOut.varbinds[0].oid, "1.3");
    EXPECT_EQ(timedOut.varbinds[0].type, HvVbType::Null);
    EXPECT_EQ(fake.calls().size(), 3u);
}

TEST(FakeTransport, AsynchronousAnswersComeFromThePumpOnce) {
    HvSnmpFakeTransport fake;
    fake.pushReply(answer(0, "1.1", "a"));
    std::vector<int32_t> seen;
    EXPECT_EQ(fake.sendAsync(call("1.1"), {}, [&](const HvSnmpReply& r) { seen.push_back(r.status); }), 0);
    fake.setSendStatus(HvSnmpStatus::SendFailed);
    EXPECT_EQ(fake.sendAsync(call("1.2"), {}, [&](const HvSnmpReply& r) { seen.push_back(r.status); }),
              HvSnmpStatus::SendFailed);
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(fake.pendingCount(), 2u);

    fake.setHold(true);
    fake.processPending();
    EXPECT_TRUE(seen.empty());
    fake.setHold(false);
    fake.processPending();
    EXPECT_EQ(seen, (std::vector<int32_t>{0, HvSnmpStatus::SendFailed}));
    fake.processPending();
    EXPECT_EQ(seen.size(), 2u);
}

TEST(FakeTransport, ExpiredOwnerAndChainedSends) {
    HvSnmpFakeTransport fake;
    fake.setResponder([](const HvSnmpCall&) { return HvSnmpReply{}; });
    auto owner = std::make_shared<int>(0);
    int dropped = 0, chained = 0;
    fake.sendAsync(call("1.1"), std::weak_ptr<const void>(owner), [&](const HvSnmpReply&) { ++dropped; });
    owner.reset();
    fake.sendAsync(call("1.2"), {}, [&](const HvSnmpReply&) {
        // The next row of a walk is asked from the completion; its answer comes on a later call.
        fake.sendAsync(call("1.3"), {}, [&](const HvSnmpReply&) { ++chained; });
    });
    fake.processPending();
    EXPECT_EQ(dropped, 0);
    EXPECT_EQ(chained, 0);
    fake.processPending();
    EXPECT_EQ(chained, 1);
}

}  // namespace
