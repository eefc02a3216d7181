#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <ostream>
#include <string>

#include <sys/resource.h>

#include "library/snmp/HvNetSnmpTransport.h"
#include "tests/snmp/SnmpTestSupport.h"

namespace {

HvSnmpCall scalarCall(uint16_t port, int32_t version = 1) {
    HvSnmpCall call;
    call.op = HvSnmpOp::Get;
    call.target.address = "127.0.0.1";
    call.target.port = port;
    call.target.version = version;
    call.target.readCommunity = "kiwano";
    call.target.writeCommunity = "morello";
    call.timeout = 10;
    call.retries = 2;
    HvVarBind vb;
    vb.oid = "1.3.6.1.2.1.1.1.0";
    call.varbinds.push_back(vb);
    return call;
}

HvSnmpCall v3Call(uint16_t port, int32_t level) {
    HvSnmpCall call = scalarCall(port, 3);
    call.target.securityModel = 3;
    call.target.securityLevel = level;
    call.target.securityName = "admin";
    call.target.authProtocol = 2;
    call.target.authPassword = "authpass";
    call.target.privProtocol = 2;
    call.target.privPassword = "privpass";
    return call;
}

struct Tries {
    const char* name;
    int32_t version;
    int32_t level;
    int32_t retries;
};
void PrintTo(const Tries& c, std::ostream* os) {
    *os << c.name;
}

class SilentDevice : public ::testing::TestWithParam<Tries> {
protected:
    void SetUp() override { testTransport().reset(); }
};

// A device that never answers: the time-out comes after the first attempt and every retry. Under
// SNMPv3 the engine-ID discovery is what times out.
TEST_P(SilentDevice, TimesOutAfterEveryTry) {
    const Tries& c = GetParam();
    SilentAgent agent;
    HvSnmpCall call = c.version == 3 ? v3Call(agent.port(), c.level) : scalarCall(agent.port(), c.version);
    call.retries = c.retries;
    HvSnmpReply reply = testTransport().sendSync(call);
    EXPECT_EQ(reply.status, HvSnmpStatus::Timeout);
    EXPECT_EQ(agent.received(), c.retries + 1);
    // The bindings come back as sent, without values.
    ASSERT_EQ(reply.varbinds.size(), 1u);
    EXPECT_EQ(reply.varbinds[0].oid, "1.3.6.1.2.1.1.1.0");
    EXPECT_EQ(reply.varbinds[0].type, HvVbType::Null);

    SilentAgent second;
    call.target.port = second.port();
    int completions = 0;
    HvSnmpReply asyncReply;
    EXPECT_EQ(testTransport().sendAsync(call, {},
                                        [&](const HvSnmpReply& r) {
                                            ++completions;
                                            asyncReply = r;
                                        }),
              0);
    ASSERT_TRUE(pumpUntil(testTransport(), [&] { return testTransport().pendingCount() == 0; }));
    EXPECT_EQ(completions, 1);
    EXPECT_EQ(asyncReply.status, HvSnmpStatus::Timeout);
    EXPECT_EQ(second.received(), c.retries + 1);
}

INSTANTIATE_TEST_SUITE_P(Versions, SilentDevice,
                         ::testing::Values(Tries{"V1", 0, 1, 1}, Tries{"V2cNoRetry", 1, 1, 0},
                                           Tries{"V2cTwoRetries", 1, 1, 2}, Tries{"V3AuthPriv", 3, 3, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

// Waiting for an answer blocks: a synchronous read of a silent device must not spin the processor
// for its whole time-out.
TEST(NetSnmpTransport, SynchronousWaitSleeps) {
    testTransport().reset();
    SilentAgent agent;
    HvSnmpCall call = scalarCall(agent.port());
    call.timeout = 40;
    call.retries = 0;
    auto cpu = [] {
        rusage u{};
        getrusage(RUSAGE_THREAD, &u);
        return std::chrono::seconds(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
               std::chrono::microseconds(u.ru_utime.tv_usec + u.ru_stime.tv_usec);
    };
    const auto cpuBefore = cpu();
    const auto wallBefore = std::chrono::steady_clock::now();
    EXPECT_EQ(testTransport().sendSync(call).status, HvSnmpStatus::Timeout);
    const auto wall = std::chrono::steady_clock::now() - wallBefore;
    EXPECT_GE(wall, std::chrono::milliseconds(400));
    EXPECT_LT(cpu() - cpuBefore, wall / 4);
}

TEST(NetSnmpTransport, ClosedPortTimesOut) {
    // Client sockets are not connected, so a port refusing datagrams looks like a silent device.
    HvSnmpCall call = scalarCall(closedPort());
    call.retries = 0;
    EXPECT_EQ(testTransport().sendSync(call).status, HvSnmpStatus::Timeout);
}

struct Refusal {
    const char* name;
    std::function<void(HvSnmpCall&)> change;
    int32_t status;
};
// An authPriv call with the given privacy protocol.
std::function<void(HvSnmpCall&)> withPrivacy(int32_t protocol) {
    return [protocol](HvSnmpCall& c) {
        c = v3Call(c.target.port, 3);
        c.target.privProtocol = protocol;
    };
}

void PrintTo(const Refusal& c, std::ostream* os) {
    *os << c.name;
}

class RefusedCall : public ::testing::TestWithParam<Refusal> {};

// Calls that cannot be sent fail at once, synchronously and asynchronously alike, and the
// asynchronous form still ends in exactly one completion.
TEST_P(RefusedCall, FailsWithItsStatus) {
    const Refusal& c = GetParam();
    SilentAgent agent;
    HvSnmpCall call = scalarCall(agent.port());
    c.change(call);
    EXPECT_EQ(testTransport().sendSync(call).status, c.status);

    int completions = 0;
    int32_t status = 0;
    EXPECT_EQ(testTransport().sendAsync(call, {},
                                        [&](const HvSnmpReply& r) {
                                            ++completions;
                                            status = r.status;
                                        }),
              c.status);
    EXPECT_EQ(completions, 0) << "a completion never runs inside the send";
    ASSERT_TRUE(pumpUntil(testTransport(), [&] { return completions > 0; }));
    testTransport().processPending();
    EXPECT_EQ(completions, 1);
    EXPECT_EQ(status, c.status);
    EXPECT_EQ(agent.received(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedCall,
    ::testing::Values(
        Refusal{"TransportPrefix", [](HvSnmpCall& c) { c.target.address = "tcp:127.0.0.1"; },
                HvSnmpStatus::InvalidAddress},
        Refusal{"AddressWithPort", [](HvSnmpCall& c) { c.target.address = "127.0.0.1:161"; },
                HvSnmpStatus::InvalidAddress},
        Refusal{"EmptyAddress", [](HvSnmpCall& c) { c.target.address = ""; }, HvSnmpStatus::InvalidAddress},
        Refusal{"Version2", [](HvSnmpCall& c) { c.target.version = 2; }, HvSnmpStatus::InvalidTarget},
        Refusal{"BadOid", [](HvSnmpCall& c) { c.varbinds[0].oid = "1.3.x"; }, HvSnmpStatus::InvalidOid},
        Refusal{"V3ModelNotUsm",
                [](HvSnmpCall& c) {
                    c.target.version = 3;
                    c.target.securityModel = 1;
                },
                HvSnmpStatus::UnsupportedSecurityModel},
        Refusal{"V3TripleDes", withPrivacy(3), HvSnmpStatus::UsmUnsupportedPrivProtocol},
        // IDEA (4) is not in net-snmp; it was once taken for AES-128.
        Refusal{"V3Idea", withPrivacy(4), HvSnmpStatus::UsmUnsupportedPrivProtocol},
        Refusal{"V3PrivNone", withPrivacy(1), HvSnmpStatus::UsmUnsupportedPrivProtocol},
        Refusal{"V3UnknownAuth",
                [](HvSnmpCall& c) {
                    c = v3Call(c.target.port, 2);
                    c.target.authProtocol = 9;
                },
                HvSnmpStatus::UsmUnsupportedAuthProtocol},
        // Loopback's broadcast without SO_BROADCAST: the kernel refuses the datagram.
        Refusal{"SendRefused", [](HvSnmpCall& c) { c.target.address = "127.255.255.255"; },
                HvSnmpStatus::SendFailed}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NetSnmpTransport, ChecksAddresses) {
    HvNetSnmpTransport& t = testTransport();
    EXPECT_TRUE(t.checkAddress("192.168.1.254"));
    EXPECT_TRUE(t.checkAddress("localhost"));
    EXPECT_FALSE(t.checkAddress(""));
    EXPECT_FALSE(t.checkAddress("udp:10.0.0.1"));
    EXPECT_FALSE(t.checkAddress("10.0.0.1:162"));
    EXPECT_FALSE(t.checkAddress("unix:/tmp/x"));
}

// An owner destroyed while its operation is pending never hears of it, and nothing is touched
// after it has gone (run under AddressSanitizer).
TEST(NetSnmpTransport, DestroyedOwnerIsNotCalled) {
    SilentAgent agent;
    HvSnmpCall call = scalarCall(agent.port());
    call.retries = 0;
    struct Owner {
        int calls = 0;
    };
    auto owner = std::make_shared<Owner>();
    auto* raw = owner.get();
    std::weak_ptr<const void> token = owner;
    ASSERT_EQ(testTransport().sendAsync(call, token, [raw](const HvSnmpReply&) { ++raw->calls; }), 0);
    ASSERT_EQ(testTransport().sendAsync(call, token, [raw](const HvSnmpReply&) { ++raw->calls; }), 0);
    owner.reset();
    ASSERT_TRUE(pumpUntil(testTransport(), [] { return testTransport().pendingCount() == 0; }));

    // A second owner on the same target still gets its answer.
    auto alive = std::make_shared<Owner>();
    int32_t status = 0;
    ASSERT_EQ(testTransport().sendAsync(call, std::weak_ptr<const void>(alive),
                                        [&](const HvSnmpReply& r) {
                                            ++alive->calls;
                                            status = r.status;
                                        }),
              0);
    ASSERT_TRUE(pumpUntil(testTransport(), [&] { return alive->calls > 0; }));
    EXPECT_EQ(status, HvSnmpStatus::Timeout);
}

// Closing the engine ends what is pending: owners still alive hear of it once, as closed.
TEST(NetSnmpTransport, ShutdownEndsPendingOperations) {
    SilentAgent agent;
    HvSnmpCall call = scalarCall(agent.port());
    call.timeout = 1000;
    int completions = 0;
    int32_t status = 0;
    ASSERT_EQ(testTransport().sendAsync(call, {},
                                        [&](const HvSnmpReply& r) {
                                            ++completions;
                                            status = r.status;
                                        }),
              0);
    HvSNMPSession::shutdown();
    EXPECT_EQ(completions, 1);
    EXPECT_EQ(status, HvSnmpStatus::SessionClosed);
    EXPECT_EQ(HvSNMPSession::session, nullptr);
    // A new start gives a working engine again.
    HvSnmpCall again = scalarCall(closedPort());
    again.retries = 0;
    EXPECT_EQ(testTransport().sendSync(again).status, HvSnmpStatus::Timeout);
}

}  // namespace
