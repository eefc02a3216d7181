// The net-snmp transport against the device simulator, over UDP on loopback.

#if __has_include("tests/sim/SimProcess.h")

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <unistd.h>

#include <QElapsedTimer>
#include <QEventLoop>

#include "library/HvSNMPSession.h"
#include "tests/sim/SimProcess.h"
#include "tests/snmp/SnmpTestSupport.h"

namespace {

const std::string kSysDescr = "1.3.6.1.2.1.1.1.0";
const std::string kSysName = "1.3.6.1.2.1.1.5.0";
const std::string kSysLocation = "1.3.6.1.2.1.1.6.0";

std::vector<std::string> simArguments() {
    return {"--community",    "kiwano",
            "--rw-community", "morello",
            "--user",         "plain",
            "--user",         "md5auth:MD5:md5password",
            "--user",         "shaauth:SHA:shapassword",
            "--user",         "md5des:MD5:md5password:DES:despassword",
            "--user",         "shaaes:SHA:shapassword:AES:aespassword",
            "--user",         "shaaes192:SHA:shapassword:AES192:aespassword",
            "--user",         "md5aes256:MD5:md5password:AES256:aespassword"};
}

// One simulator for the whole program: starting one per test would cost more than the tests.
SimProcess& sim() {
    static SimProcess* process = [] {
        auto* p = new SimProcess(simArguments());
        if (!p->start()) ADD_FAILURE() << "simulator: " << p->error();
        return p;
    }();
    return *process;
}

struct Security {
    const char* name;
    int32_t version;
    int32_t level;
    const char* user;
    int32_t auth;
    const char* authPassword;
    int32_t priv;
    const char* privPassword;
};

void PrintTo(const Security& s, std::ostream* os) {
    *os << s.name;
}

const Security kSecurities[] = {
    {"V1", 0, 1, "", 1, "", 1, ""},
    {"V2c", 1, 1, "", 1, "", 1, ""},
    {"V3NoAuthNoPriv", 3, 1, "plain", 1, "", 1, ""},
    {"V3AuthMd5", 3, 2, "md5auth", 2, "md5password", 1, ""},
    {"V3AuthSha", 3, 2, "shaauth", 3, "shapassword", 1, ""},
    {"V3PrivMd5Des", 3, 3, "md5des", 2, "md5password", 2, "despassword"},
    // Privacy protocols in the library's numbering: 2 DES, 19 AES-128, 20 AES-192, 21 AES-256.
    {"V3PrivShaAes", 3, 3, "shaaes", 3, "shapassword", 19, "aespassword"},
    {"V3PrivShaAes192", 3, 3, "shaaes192", 3, "shapassword", 20, "aespassword"},
    {"V3PrivMd5Aes256", 3, 3, "md5aes256", 2, "md5password", 21, "aespassword"},
};

HvSnmpCall callFor(const Security& s, HvSnmpOp op, std::vector<std::string> oids) {
    HvSnmpCall call;
    call.op = op;
    call.target.address = sim().address();
    call.target.port = static_cast<uint16_t>(sim().port());
    call.target.version = s.version;
    call.target.readCommunity = "kiwano";
    call.target.writeCommunity = "morello";
    call.target.securityModel = 3;
    call.target.securityLevel = s.level;
    call.target.securityName = s.user;
    call.target.authProtocol = s.auth;
    call.target.authPassword = s.authPassword;
    call.target.privProtocol = s.priv;
    call.target.privPassword = s.privPassword;
    call.timeout = 100;
    call.retries = 1;
    for (auto& oid : oids) {
        HvVarBind vb;
        vb.oid = oid;
        call.varbinds.push_back(vb);
    }
    return call;
}

HvVarBind text(const std::string& oid, const std::string& value) {
    HvVarBind vb;
    vb.oid = oid;
    vb.type = HvVbType::OctetString;
    vb.octets = value;
    return vb;
}

HvSnmpReply sendAsyncAndWait(const HvSnmpCall& call) {
    int completions = 0;
    HvSnmpReply reply;
    int32_t status = testTransport().sendAsync(call, {}, [&](const HvSnmpReply& r) {
        ++completions;
        reply = r;
    });
    EXPECT_TRUE(pumpUntil(testTransport(), [&] { return completions > 0; }));
    testTransport().processPending();
    EXPECT_EQ(completions, 1);
    if (status != 0) { EXPECT_EQ(reply.status, status); }
    return reply;
}

class SimFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_GT(sim().port(), 0) << sim().error();
        ASSERT_TRUE(sim().ok("reset"));
    }
};

class SecurityLevels : public SimFixture, public ::testing::WithParamInterface<Security> {};

// Get, get-next and set, synchronously and asynchronously, change and read back the device.
TEST_P(SecurityLevels, GetNextAndSetReachTheDevice) {
    const Security& s = GetParam();
    HvNetSnmpTransport& t = testTransport();
    const size_t logStart = sim().logSize();

    HvSnmpReply got = t.sendSync(callFor(s, HvSnmpOp::Get, {kSysDescr}));
    ASSERT_EQ(got.status, 0);
    ASSERT_EQ(got.varbinds.size(), 1u);
    EXPECT_EQ(got.varbinds[0].oid, kSysDescr);
    EXPECT_EQ(got.varbinds[0].type, HvVbType::OctetString);
    EXPECT_EQ(got.varbinds[0].octets, "QMX-7240NT Wireless Access Point");
    EXPECT_EQ(got.agentAddress, sim().address());
    EXPECT_EQ(got.agentPort, sim().port());

    HvSnmpReply next = t.sendSync(callFor(s, HvSnmpOp::GetNext, {kSysName}));
    ASSERT_EQ(next.status, 0);
    EXPECT_EQ(next.varbinds.at(0).oid, kSysLocation);

    const std::string name = std::string("lab-") + s.name;
    HvSnmpCall set = callFor(s, HvSnmpOp::Set, {});
    set.varbinds.push_back(text(kSysName, name));
    HvSnmpReply setReply = t.sendSync(set);
    ASSERT_EQ(setReply.status, 0);
    EXPECT_EQ(sim().command("get " + kSysName), "ok s \"" + name + "\"");

    HvSnmpReply asyncGet = sendAsyncAndWait(callFor(s, HvSnmpOp::Get, {kSysName}));
    ASSERT_EQ(asyncGet.status, 0);
    EXPECT_EQ(asyncGet.varbinds.at(0).octets, name);

    set.varbinds[0].octets = name + "-async";
    EXPECT_EQ(sendAsyncAndWait(set).status, 0);
    EXPECT_EQ(sim().command("get " + kSysName), "ok s \"" + name + "-async\"");

    // The device saw every operation under the version and principal asked for.
    const std::string version = s.version == 0 ? "1" : s.version == 1 ? "2c" : "3";
    const std::string principal = s.version == 3 ? s.user : "";
    int sets = 0;
    for (const SimLogLine& l : sim().requests(logStart)) {
        EXPECT_EQ(l.version, version);
        if (s.version == 3) { EXPECT_EQ(l.principal, principal); }
        if (l.op == "SET") {
            ++sets;
            if (s.version != 3) { EXPECT_EQ(l.principal, "morello") << "sets carry the write community"; }
        } else if (s.version != 3) {
            EXPECT_EQ(l.principal, "kiwano");
        }
    }
    EXPECT_EQ(sets, 2);
}

INSTANTIATE_TEST_SUITE_P(Sim, SecurityLevels, ::testing::ValuesIn(kSecurities),
                         [](const auto& info) { return std::string(info.param.name); });

struct Refusal {
    const char* name;
    Security security;
    int32_t status;
};

void PrintTo(const Refusal& r, std::ostream* os) {
    *os << r.name;
}

class Refused : public SimFixture, public ::testing::WithParamInterface<Refusal> {};

// The device's refusals give the statuses that the library's table translates; the synchronous and
// the asynchronous form agree, and an asynchronous SNMPv3 report is a failure.
TEST_P(Refused, GivesItsStatus) {
    const Refusal& r = GetParam();
    HvSnmpCall call = callFor(r.security, HvSnmpOp::Get, {kSysDescr});
    call.timeout = 20;
    call.retries = 0;
    HvSnmpReply sync = testTransport().sendSync(call);
    EXPECT_EQ(sync.status, r.status);
    ASSERT_EQ(sync.varbinds.size(), 1u);
    EXPECT_EQ(sync.varbinds[0].oid, kSysDescr);
    EXPECT_EQ(sync.varbinds[0].type, HvVbType::Null);
    EXPECT_EQ(sendAsyncAndWait(call).status, r.status);
}

INSTANTIATE_TEST_SUITE_P(
    Sim, Refused,
    ::testing::Values(
        Refusal{"UnknownUser", {"", 3, 2, "nobody", 2, "md5password", 1, ""}, 1404},
        Refusal{"WrongAuthPassword", {"", 3, 2, "md5auth", 2, "wrongpassword", 1, ""}, 1408},
        // Short passwords are derived and sent (net-snmp's own derivation would refuse
        // them before sending): the device judges the digest.
        Refusal{"ShortPassword", {"", 3, 2, "md5auth", 2, "abc", 1, ""}, 1408},
        Refusal{"WrongAuthProtocol", {"", 3, 2, "md5auth", 3, "md5password", 1, ""}, 1408},
        Refusal{"LevelAboveTheUser", {"", 3, 3, "md5auth", 2, "md5password", 2, "despassword"}, 1403},
        // The simulator reports a key that does not decrypt the request as a decryption error.
        Refusal{"WrongPrivPassword", {"", 3, 3, "shaaes", 3, "shapassword", 19, "wrongpassword"}, 1406},
        Refusal{"WrongAes256Password", {"", 3, 3, "md5aes256", 2, "md5password", 21, "wrongpassword"}, 1406},
        // A user of AES-192 asked for with AES-128: the device cannot decrypt it.
        Refusal{"Aes128ForAes192User", {"", 3, 3, "shaaes192", 3, "shapassword", 19, "aespassword"}, 1406},
        Refusal{"WrongDesPassword", {"", 3, 3, "md5des", 2, "md5password", 2, "wrongpassword"}, 1406}),
    [](const auto& info) { return std::string(info.param.name); });

// A wrong community is dropped by the agent, as SNMP prescribes.
TEST_F(SimFixture, WrongCommunityIsDropped) {
    HvSnmpCall call = callFor(kSecurities[1], HvSnmpOp::Get, {kSysDescr});
    call.target.readCommunity = "wrong";
    call.timeout = 20;
    call.retries = 0;
    EXPECT_EQ(testTransport().sendSync(call).status, HvSnmpStatus::Timeout);
}

// A password that changes within one run replaces the user's keys, and changing it back works too.
TEST_F(SimFixture, ChangedPasswordReplacesTheStoredUser) {
    Security right = kSecurities[3];
    Security wrong = right;
    wrong.authPassword = "otherpassword";
    auto status = [](const Security& s) {
        HvSnmpCall call = callFor(s, HvSnmpOp::Get, {kSysDescr});
        call.timeout = 30;
        call.retries = 0;
        return testTransport().sendSync(call).status;
    };
    EXPECT_EQ(status(right), 0);
    EXPECT_EQ(status(wrong), 1408);
    EXPECT_EQ(status(right), 0);
    EXPECT_EQ(status(wrong), 1408);
}

// What the process writes to its stderr while alive.
class StderrCapture {
public:
    StderrCapture() {
        std::fflush(stderr);
        m_file = std::tmpfile();
        m_saved = dup(2);
        dup2(fileno(m_file), 2);
    }
    ~StderrCapture() {
        restore();
        std::fclose(m_file);
    }
    std::string text() {
        restore();
        std::string out;
        std::rewind(m_file);
        char buf[512];
        for (size_t n; (n = std::fread(buf, 1, sizeof buf, m_file)) > 0;) out.append(buf, n);
        return out;
    }

private:
    void restore() {
        if (m_saved < 0) return;
        std::fflush(stderr);
        dup2(m_saved, 2);
        close(m_saved);
        m_saved = -1;
    }
    std::FILE* m_file = nullptr;
    int m_saved = -1;
};

// An answer that comes authenticated with another key than the user's (a device that checks the time
// window before the digest and reports it with its own key) is dropped by net-snmp. When every answer
// failed so, the operation ends as an authentication failure, not a time-out, and net-snmp's
// "Authentication failed" line never reaches the terminal.
TEST_F(SimFixture, AnswersFailingAuthenticationEndAsAuthenticationFailure) {
    const Security right = kSecurities[3];
    Security wrong = right;
    wrong.authPassword = "otherpassword";
    HvSnmpCall first = callFor(right, HvSnmpOp::Get, {kSysDescr});
    ASSERT_EQ(testTransport().sendSync(first).status, 0);  // discovery and time first

    StderrCapture err;
    // The device holds the answer to the right key; meanwhile the wrong password replaces the user's
    // keys in net-snmp, so the held answer fails authentication when it comes.
    ASSERT_TRUE(sim().ok("delay 300 1"));
    HvSnmpCall held = callFor(right, HvSnmpOp::Get, {kSysDescr});
    held.timeout = 100;
    held.retries = 0;
    HvSnmpCall refused = callFor(wrong, HvSnmpOp::Get, {kSysDescr});
    refused.timeout = 100;
    refused.retries = 0;
    std::vector<int32_t> statuses(2, 1);
    int done = 0;
    testTransport().sendAsync(held, {}, [&](const HvSnmpReply& r) {
        statuses[0] = r.status;
        ++done;
    });
    testTransport().sendAsync(refused, {}, [&](const HvSnmpReply& r) {
        statuses[1] = r.status;
        ++done;
    });
    ASSERT_TRUE(pumpUntil(testTransport(), [&] { return done == 2; }));
    EXPECT_EQ(statuses[1], HvSnmpStatus::UsmAuthenticationFailure) << "the device's own report";
    EXPECT_EQ(statuses[0], HvSnmpStatus::UsmAuthenticationFailure) << "not a time-out";
    EXPECT_EQ(err.text(), "");
    const auto causes = HvNetSnmpTransport::logCauses();
    EXPECT_EQ(std::count(causes.begin(), causes.end(), "Authentication failed for md5auth"), 1);
    EXPECT_EQ(testTransport().sendSync(first).status, 0) << "the right password still works";
}

TEST_F(SimFixture, AgentErrorStatusAndIndex) {
    ASSERT_TRUE(sim().ok("error " + kSysLocation + " genErr set"));
    HvSnmpCall set = callFor(kSecurities[1], HvSnmpOp::Set, {});
    set.varbinds.push_back(text(kSysName, "first"));
    set.varbinds.push_back(text(kSysLocation, "second"));
    HvSnmpReply reply = testTransport().sendSync(set);
    EXPECT_EQ(reply.status, 5);
    EXPECT_EQ(reply.errorIndex, 2);
    ASSERT_EQ(reply.varbinds.size(), 2u);
    EXPECT_EQ(reply.varbinds[1].oid, kSysLocation);

    HvSnmpCall readOnly = callFor(kSecurities[1], HvSnmpOp::Set, {});
    readOnly.varbinds.push_back(text(kSysDescr, "x"));
    HvSnmpReply async = sendAsyncAndWait(readOnly);
    EXPECT_EQ(async.status, 17);
    EXPECT_EQ(async.errorIndex, 1);
}

// What a v2c agent marks per item, a v1 agent reports as noSuchName for the whole request.
TEST_F(SimFixture, MissingObjectsAndTheEndOfTheMib) {
    const std::string missing = "1.3.6.1.2.1.1.99.0";
    const std::string beyond = "1.3.6.1.9";
    HvSnmpReply v2 = testTransport().sendSync(callFor(kSecurities[1], HvSnmpOp::Get, {kSysDescr, missing}));
    EXPECT_EQ(v2.status, 0);
    ASSERT_EQ(v2.varbinds.size(), 2u);
    EXPECT_EQ(v2.varbinds[0].type, HvVbType::OctetString);
    EXPECT_EQ(v2.varbinds[1].type, HvVbType::NoSuchObject);
    EXPECT_TRUE(v2.varbinds[1].isException());

    HvSnmpReply v2end = testTransport().sendSync(callFor(kSecurities[1], HvSnmpOp::GetNext, {beyond}));
    EXPECT_EQ(v2end.status, 0);
    EXPECT_EQ(v2end.varbinds.at(0).type, HvVbType::EndOfMibView);
    EXPECT_EQ(v2end.varbinds.at(0).oid, beyond);

    HvSnmpReply v1 = testTransport().sendSync(callFor(kSecurities[0], HvSnmpOp::Get, {kSysDescr, missing}));
    EXPECT_EQ(v1.status, 2);
    EXPECT_EQ(v1.errorIndex, 2);
    HvSnmpReply v1end = testTransport().sendSync(callFor(kSecurities[0], HvSnmpOp::GetNext, {beyond}));
    EXPECT_EQ(v1end.status, 2);
    EXPECT_EQ(v1end.varbinds.at(0).oid, beyond) << "a v1 agent echoes the binding";
}

// Each answer's names, read one after another: a name sent again, as the last answer named it or
// in another form, in another place or differing in one arc, is the object it names, and every
// answer names its objects as the device writes them (no leading dot, no leading zeros).
TEST_F(SimFixture, AnswersNameWhatEachRequestAsked) {
    ASSERT_TRUE(sim().ok("set " + kSysName + " s the-name"));
    ASSERT_TRUE(sim().ok("set " + kSysLocation + " s the-location"));
    struct Step {
        HvSnmpOp op;
        std::vector<std::string> sent;
        std::vector<std::string> names;
        std::vector<std::string> values;
    };
    const Step steps[] = {
        {HvSnmpOp::Get, {"." + kSysName}, {kSysName}, {"the-name"}},
        {HvSnmpOp::Get, {"." + kSysName}, {kSysName}, {"the-name"}},
        {HvSnmpOp::Get, {kSysName}, {kSysName}, {"the-name"}},
        {HvSnmpOp::Get, {"1.3.6.1.2.1.1.05.0"}, {kSysName}, {"the-name"}},
        {HvSnmpOp::Get, {kSysLocation}, {kSysLocation}, {"the-location"}},
        {HvSnmpOp::Get, {kSysName, kSysLocation}, {kSysName, kSysLocation}, {"the-name", "the-location"}},
        {HvSnmpOp::Get, {kSysLocation, kSysName}, {kSysLocation, kSysName}, {"the-location", "the-name"}},
        {HvSnmpOp::Get, {kSysLocation, kSysName}, {kSysLocation, kSysName}, {"the-location", "the-name"}},
        {HvSnmpOp::GetNext, {kSysName}, {kSysLocation}, {"the-location"}},
        {HvSnmpOp::Get, {kSysLocation}, {kSysLocation}, {"the-location"}},
        {HvSnmpOp::Get, {kSysName}, {kSysName}, {"the-name"}},
    };
    for (bool async : {false, true}) {
        for (std::size_t i = 0; i < std::size(steps); ++i) {
            const Step& step = steps[i];
            SCOPED_TRACE((async ? "asynchronous step " : "synchronous step ") + std::to_string(i));
            const HvSnmpCall call = callFor(kSecurities[1], step.op, step.sent);
            const HvSnmpReply reply = async ? sendAsyncAndWait(call) : testTransport().sendSync(call);
            ASSERT_EQ(reply.status, 0);
            ASSERT_EQ(reply.varbinds.size(), step.names.size());
            for (std::size_t k = 0; k < step.names.size(); ++k) {
                EXPECT_EQ(reply.varbinds[k].oid, step.names[k]);
                EXPECT_EQ(reply.varbinds[k].octets, step.values[k]);
            }
        }
    }
}

// Operations that follow one another are each their own, whatever the one before had: an owner that
// went before its answer came, an owner still alive, none.
TEST_F(SimFixture, EachOperationIsItsOwn) {
    const HvSnmpCall get = callFor(kSecurities[1], HvSnmpOp::Get, {kSysName});
    enum Owner { Gone, Alive, None };
    const Owner steps[] = {Gone, None, Gone, Alive, None, Alive, Gone, Gone, None};
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        SCOPED_TRACE("step " + std::to_string(i));
        auto owner = std::make_shared<int>(0);
        std::weak_ptr<const void> token;
        if (steps[i] != None) token = owner;
        int calls = 0;
        ASSERT_EQ(testTransport().sendAsync(get, token, [&](const HvSnmpReply& r) {
            ++calls;
            EXPECT_EQ(r.status, 0);
        }),
                  0);
        if (steps[i] == Gone) owner.reset();
        ASSERT_TRUE(pumpUntil(testTransport(), [] { return testTransport().pendingCount() == 0; }));
        EXPECT_EQ(calls, steps[i] == Gone ? 0 : 1);
    }
}

struct Silence {
    const char* name;
    Security security;
    int32_t retries;
};

void PrintTo(const Silence& s, std::ostream* os) {
    *os << s.name;
}

class SilentSim : public SimFixture, public ::testing::WithParamInterface<Silence> {};

// A device that has gone silent: the time-out comes after the first try and each retry.
TEST_P(SilentSim, TimesOutAfterTheRightNumberOfTries) {
    const Silence& c = GetParam();
    // Discovery first, so that the tries counted below are the request's own.
    ASSERT_EQ(testTransport().sendSync(callFor(c.security, HvSnmpOp::Get, {kSysDescr})).status, 0);
    ASSERT_TRUE(sim().ok("silence 60000"));
    const size_t from = sim().logSize();
    HvSnmpCall call = callFor(c.security, HvSnmpOp::Get, {kSysDescr});
    call.timeout = 15;
    call.retries = c.retries;
    HvSnmpReply reply = testTransport().sendSync(call);
    EXPECT_EQ(reply.status, HvSnmpStatus::Timeout);
    auto dropped = [&] {
        int n = 0;
        for (const SimLogLine& l : sim().log(from))
            if (l.event && !l.words.empty() && l.words[0] == "drop") ++n;
        return n;
    };
    EXPECT_EQ(dropped(), c.retries + 1);
    const size_t asyncFrom = sim().logSize();
    EXPECT_EQ(sendAsyncAndWait(call).status, HvSnmpStatus::Timeout);
    int n = 0;
    for (const SimLogLine& l : sim().log(asyncFrom))
        if (l.event && !l.words.empty() && l.words[0] == "drop") ++n;
    EXPECT_EQ(n, c.retries + 1);
    ASSERT_TRUE(sim().ok("reset"));
}

INSTANTIATE_TEST_SUITE_P(Sim, SilentSim,
                         ::testing::Values(Silence{"V2cOneRetry", kSecurities[1], 1},
                                           Silence{"V1ThreeRetries", kSecurities[0], 3},
                                           Silence{"V3PrivNoRetry", kSecurities[6], 0}),
                         [](const auto& info) { return std::string(info.param.name); });

// A device replaced under the same address has a new engine ID: the transport learns it.
TEST(SimEngine, ReplacedDeviceIsDiscoveredAgain) {
    auto arguments = [](const std::string& engine, int port) {
        std::vector<std::string> a = simArguments();
        a.insert(a.end(), {"--engine-id", engine});
        if (port) a.insert(a.end(), {"--port", std::to_string(port)});
        return a;
    };
    SimProcess first(arguments("first-engine", 0));
    ASSERT_TRUE(first.start()) << first.error();
    const int port = first.port();
    HvSnmpCall call = callFor(kSecurities[6], HvSnmpOp::Get, {kSysDescr});
    call.target.port = static_cast<uint16_t>(port);
    call.timeout = 50;
    call.retries = 0;
    ASSERT_EQ(testTransport().sendSync(call).status, 0);
    first.stop();

    SimProcess second(arguments("second-engine", port));
    ASSERT_TRUE(second.start()) << second.error();
    ASSERT_EQ(second.port(), port);
    // The new device's unknownEngineID report names an engine none of our users belongs to: the
    // request learns the new engine ID and is answered, not timed out.
    EXPECT_EQ(testTransport().sendSync(call).status, 0);
    EXPECT_EQ(testTransport().sendSync(call).status, 0);
    EXPECT_EQ(sendAsyncAndWait(call).status, 0);
}

// A synchronous call to a device with an asynchronous one outstanding returns its own answer and
// leaves the other's completion to the pump.
TEST_F(SimFixture, SynchronousCallRunsNoCompletion) {
    for (const Security& s : {kSecurities[1], kSecurities[6]}) {
        ASSERT_TRUE(sim().ok("delay 300 1"));
        int completions = 0;
        HvSnmpCall slow = callFor(s, HvSnmpOp::Get, {kSysName});
        slow.timeout = 200;
        ASSERT_EQ(testTransport().sendAsync(slow, {},
                                            [&](const HvSnmpReply& r) {
                                                EXPECT_EQ(r.status, 0);
                                                ++completions;
                                            }),
                  0);
        HvSnmpReply own = testTransport().sendSync(callFor(s, HvSnmpOp::Get, {kSysDescr}));
        EXPECT_EQ(own.status, 0);
        EXPECT_EQ(own.varbinds.at(0).oid, kSysDescr);
        EXPECT_EQ(completions, 0);
        ASSERT_TRUE(pumpUntil(testTransport(), [&] { return completions == 1; }));
        ASSERT_TRUE(sim().ok("reset"));
    }
}

// With the session's pump on the Qt event loop, an answer is delivered from the loop, woken by the
// socket, and an owner destroyed meanwhile hears nothing.
TEST_F(SimFixture, PumpDeliversFromTheEventLoop) {
    testApplication();
    ASSERT_EQ(HvSNMPSession::session, &testTransport());
    _SnmpEventProcessor::start();
    int completions = 0;
    int32_t status = -1;
    auto owner = std::make_shared<int>(0);
    int dropped = 0;
    ASSERT_TRUE(sim().ok("delay 200 1"));
    testTransport().sendAsync(callFor(kSecurities[1], HvSnmpOp::Get, {kSysDescr}),
                              std::weak_ptr<const void>(owner), [&](const HvSnmpReply&) { ++dropped; });
    owner.reset();
    testTransport().sendAsync(callFor(kSecurities[6], HvSnmpOp::Get, {kSysDescr}), {},
                              [&](const HvSnmpReply& r) {
                                  ++completions;
                                  status = r.status;
                              });
    QElapsedTimer clock;
    clock.start();
    while ((completions == 0 || testTransport().pendingCount() > 0) && clock.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    _SnmpEventProcessor::stop();
    EXPECT_EQ(completions, 1);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(dropped, 0);
    EXPECT_EQ(testTransport().pendingCount(), 0u);
}

}  // namespace

#endif
