// The request class against the device simulator over real UDP on loopback: v1, v2c and every
// SNMPv3 security level, with faults the simulator injects on demand.

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "library/HvSNMPRequest.h"
#include "library/HvSNMPSession.h"
#include "library/snmp/HvNetSnmpTransport.h"
#include "tests/e2e/E2ESession.h"
#include "tests/sim/SimProcess.h"
#include "tests/NamedRows.h"
#include "tests/support/WaitFor.h"

namespace {

using hvtest::PrintTo;

namespace S = HvSyntax;
namespace A = HvAccess;

const char* const kSysName = "1.3.6.1.2.1.1.5";
const MibObjectDef kSystem[] = {
    {"1.3.6.1.2.1.1.1", "sysDescr", S::DisplayStr, A::ReadOnly},
    {kSysName, "sysName", S::DisplayStr, A::ReadWrite},
    {"1.3.6.1.2.1.1.6", "sysLocation", S::DisplayStr, A::ReadWrite},
    {},
};
// The AP domain table: one row key, three columns.
const MibObjectDef kDomains[] = {
    {" ", "Index", S::Integer, A::NotAccess},
    {"1.3.6.1.4.1.47011.11.37.4.2.12.2.2.1.1", "AP Domain ID", S::Integer, A::ReadOnly},
    {"1.3.6.1.4.1.47011.11.37.4.2.12.2.2.1.2", "AP Domain Numbers", S::Integer, A::ReadOnly},
    {"1.3.6.1.4.1.47011.11.37.4.2.12.2.2.1.3", "SSID", S::DisplayStr, A::ReadOnly},
    {},
};
// The last object of the device's MIB: a walk of it runs off the end.
const MibObjectDef kLast[] = {
    {"1.3.6.1.4.1.47011.11.37.4.99.1.1.52", "last", S::Integer, A::ReadOnly},
    {},
};

struct Security {
    const char* name;
    uint8_t version;
    const char* user;  // v3
    int32_t level;
    int32_t auth;  // 2 MD5, 3 SHA
    const char* authPassword;
    int32_t priv;  // the library's numbering: 2 DES, 19 AES-128, 20 AES-192, 21 AES-256
    const char* privPassword;
};

const Security kSecurities[] = {
    {"v1", 0, "", 1, 1, "", 1, ""},
    {"v2c", 1, "", 1, 1, "", 1, ""},
    {"v3NoAuth", 3, "plain", 1, 1, "", 1, ""},
    {"v3Md5", 3, "md5user", 2, 2, "md5password", 1, ""},
    {"v3ShaDes", 3, "shades", 3, 3, "shapassword", 2, "desprivacy"},
    {"v3Md5Aes", 3, "md5aes", 3, 2, "md5password", 19, "aesprivacy"},
    {"v3ShaAes", 3, "shaaes", 3, 3, "shapassword", 19, "aesprivacy"},
    {"v3ShaAes192", 3, "shaaes192", 3, 3, "shapassword", 20, "aesprivacy"},
    {"v3ShaAes256", 3, "shaaes256", 3, 3, "shapassword", 21, "aesprivacy"},
};

class RequestE2E : public E2ESimTest {
protected:
    static void SetUpTestSuite() {
        startSim({"--community", "kiwano", "--rw-community", "morello", "--user", "plain", "--user",
                  "md5user:MD5:md5password", "--user", "shades:SHA:shapassword:DES:desprivacy", "--user",
                  "md5aes:MD5:md5password:AES:aesprivacy", "--user", "shaaes:SHA:shapassword:AES:aesprivacy",
                  "--user", "shaaes192:SHA:shapassword:AES192:aesprivacy", "--user",
                  "shaaes256:SHA:shapassword:AES256:aesprivacy"});
    }

    std::unique_ptr<HvSNMPRequest> makeRequest(const Security& s, const MibObjectDef* table, uint8_t kind,
                                               int32_t keys) {
        auto r = std::make_unique<HvSNMPRequest>();
        r->device.address = sim->address();
        r->device.port = static_cast<uint16_t>(sim->port());
        r->timeout = 100;
        r->retries = 1;
        r->security.version = s.version;
        r->security.securityModel = 3;
        r->security.securityName = s.user;
        r->security.securityLevel = s.level;
        r->security.authProtocol = s.auth;
        r->security.authPassword = s.authPassword;
        r->security.privProtocol = s.priv;
        r->security.privPassword = s.privPassword;
        r->varList = HvSNMPVarList(table, kind, keys);
        r->messageCallback = [this](HvSNMPError* e) { messages.push_back(*e); };
        return r;
    }

    // One asynchronous operation to its completion.
    HvSNMPError asyncGet(HvSNMPRequest& r, bool first = true) {
        HvSNMPError outcome;
        bool done = false;
        r.getAsync([&](HvSNMPError* e, HvSNMPVarList*) { outcome = *e, done = true; }, first);
        EXPECT_TRUE(waitFor([&] { return done; }));
        return outcome;
    }

    std::vector<HvSNMPError> messages;
};

class SecurityE2E : public RequestE2E, public ::testing::WithParamInterface<Security> {};

TEST_P(SecurityE2E, GetSetAndWalk) {
    const Security& s = GetParam();
    auto r = makeRequest(s, kSystem, SVT_SV, 0);
    bool ok = true;
    EXPECT_FALSE(r->get(&ok, true));
    ASSERT_TRUE(ok) << (messages.empty() ? "" : messages[0].message);
    EXPECT_EQ(r->varList.item(0).value, "QMX-7240NT Wireless Access Point");

    const std::string name = std::string("lab-") + s.name;
    const std::vector<std::string> values{name};
    r->set(&ok, false, "1", &values);
    ASSERT_TRUE(ok) << (messages.empty() ? "" : messages[0].message);
    EXPECT_EQ(sim->command("get 1.3.6.1.2.1.1.5.0"), "ok s \"" + name + "\"");
    // The list is what it was before the write; a read brings the new name.
    EXPECT_NE(r->varList.item(1).value, name);
    const HvSNMPError read = asyncGet(*r);
    EXPECT_EQ(read.code, 0) << read.message;
    EXPECT_EQ(r->varList.item(1).value, name);

    auto walk = makeRequest(s, kDomains, MVT_FMV, 1);
    std::vector<std::string> keys;
    for (bool first = true; walk->get(&ok, first) && keys.size() < 20; first = false)
        keys.push_back(walk->varList.item(0).value);
    EXPECT_TRUE(ok);
    EXPECT_EQ(keys, (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_TRUE(messages.empty());
}

TEST_P(SecurityE2E, AsyncWalkRunsToItsEnd) {
    const Security& s = GetParam();
    auto walk = makeRequest(s, kDomains, MVT_FMV, 1);
    int rows = 0;
    HvSNMPError last;
    HvSNMPCompletion done = [&](HvSNMPError* e, HvSNMPVarList*) {
        last = *e;
        if (!e->endOfWalk) {
            ++rows;
            walk->getAsync(done, false);
        }
    };
    walk->getAsync(done, true);
    ASSERT_TRUE(waitFor([&] { return last.endOfWalk; }));
    EXPECT_EQ(last.code, 0) << last.message;
    EXPECT_EQ(rows, 3);
    EXPECT_EQ(last.agent.address, "127.0.0.1");
    EXPECT_EQ(walk->outstanding(), 0);
}

INSTANTIATE_TEST_SUITE_P(Levels, SecurityE2E, ::testing::ValuesIn(kSecurities),
                         [](const auto& info) { return std::string(info.param.name); });

// Walks off the end of the device's MIB: v1 answers noSuchName, v2c endOfMibView; neither is an
// error.
TEST_F(RequestE2E, WalkEndsAtTheEndOfTheMib) {
    for (const Security& s : {kSecurities[0], kSecurities[1]}) {
        auto walk = makeRequest(s, kLast, MVT_FMV, 0);
        bool ok = true;
        int rows = 0;
        for (bool first = true; walk->get(&ok, first) && rows < 5; first = false) ++rows;
        EXPECT_EQ(rows, 1) << s.name;
        EXPECT_TRUE(ok) << s.name;
        const HvSNMPError first = asyncGet(*walk, true);
        EXPECT_FALSE(first.endOfWalk);
        const HvSNMPError end = asyncGet(*walk, false);
        EXPECT_EQ(end.code, 0) << s.name << ": " << end.message;
        EXPECT_TRUE(end.endOfWalk);
    }
    EXPECT_TRUE(messages.empty());
}

struct Refusal {
    const char* name;
    Security security;
    int32_t code;
};

class RefusalE2E : public RequestE2E, public ::testing::WithParamInterface<Refusal> {};

TEST_P(RefusalE2E, GivesItsCodeSyncAndAsync) {
    const Refusal& p = GetParam();
    auto r = makeRequest(p.security, kSystem, SVT_SV, 0);
    r->timeout = 30;
    if (std::string(p.name) == "WrongCommunity") r->security.readCommunity = "nobody";
    bool ok = true;
    r->get(&ok, true);
    EXPECT_FALSE(ok);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].code, p.code) << messages[0].message;
    std::string okText;
    int32_t okCode = 0;
    HvSNMPError::translate(0, okCode, okText);
    EXPECT_NE(messages[0].message, okText);
    EXPECT_EQ(r->failureCount(), 1);

    const HvSNMPError outcome = asyncGet(*r);
    EXPECT_EQ(outcome.code, p.code) << outcome.message;
    EXPECT_EQ(outcome.message, messages[0].message);
    EXPECT_TRUE(outcome.endOfWalk);
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, RefusalE2E,
    ::testing::Values(
        Refusal{"WrongCommunity", {"v2c", 1, "", 1, 1, "", 1, ""}, -405},
        Refusal{"UnknownUser", {"v3", 3, "stranger", 2, 2, "md5password", 1, ""}, -304},
        Refusal{"WrongAuthPassword", {"v3", 3, "md5user", 2, 2, "not-the-password", 1, ""}, -308},
        Refusal{"WrongPrivPassword", {"v3", 3, "shaaes", 3, 3, "shapassword", 19, "not-the-privacy"}, -306},
        // Triple DES and IDEA are not in net-snmp: refused before anything is sent.
        Refusal{"TripleDes", {"v3", 3, "shaaes", 3, 3, "shapassword", 3, "aesprivacy"}, -313},
        Refusal{"Idea", {"v3", 3, "shaaes", 3, 3, "shapassword", 4, "aesprivacy"}, -313}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RequestE2E, SilentDeviceTimesOutAfterEveryTry) {
    auto r = makeRequest(kSecurities[1], kSystem, SVT_SV, 0);
    r->timeout = 20;
    r->retries = 2;
    ASSERT_TRUE(sim->ok("silence 20000"));
    const size_t from = sim->logSize();
    bool ok = true;
    r->get(&ok, true);
    EXPECT_FALSE(ok);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].code, -405);
    EXPECT_EQ(r->varList.item(1).value, "");  // no value: display strings read empty
    auto drops = [&] {
        int n = 0;
        for (const SimLogLine& l : sim->log(from)) n += l.event && !l.words.empty() && l.words[0] == "drop";
        return n;
    };
    EXPECT_TRUE(sim->waitForLog([](const SimLogLine& l) { return l.event; }, from));
    EXPECT_EQ(drops(), 3);

    const HvSNMPError outcome = asyncGet(*r);
    EXPECT_EQ(outcome.code, -405);
    EXPECT_EQ(r->outstanding(), 0);
    EXPECT_EQ(r->failureCount(), 1);  // asynchronous failures go to the completion
}

// Client sockets are not connected, so a closed port is a silent device, not an error.
TEST_F(RequestE2E, ClosedPortTimesOut) {
    auto r = makeRequest(kSecurities[1], kSystem, SVT_SV, 0);
    r->timeout = 20;
    int fd = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    socklen_t len = sizeof a;
    getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    close(fd);
    r->device.port = ntohs(a.sin_port);
    bool ok = true;
    r->get(&ok, true);
    EXPECT_FALSE(ok);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].code, -405);
}

TEST_F(RequestE2E, ErrorStatusGivesItsCodeAndIndex) {
    auto r = makeRequest(kSecurities[1], kSystem, SVT_SV, 0);
    ASSERT_TRUE(sim->ok("error 1.3.6.1.2.1.1.5.0 genErr get"));
    bool ok = true;
    r->get(&ok, true);
    EXPECT_FALSE(ok);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].code, -105);
    const HvSNMPError outcome = asyncGet(*r);
    EXPECT_EQ(outcome.code, -105);
    EXPECT_EQ(outcome.errorIndex, 2);
}

TEST_F(RequestE2E, MissingObjectIsAFailedRead) {
    const MibObjectDef table[] = {
        {"1.3.6.1.2.1.1.1", "sysDescr", S::DisplayStr, A::ReadOnly},
        {"1.3.6.1.4.1.47011.11.37.4.77.1", "absent", S::Integer, A::ReadOnly},
        {},
    };
    for (const Security& s : {kSecurities[0], kSecurities[1], kSecurities[4]}) {
        messages.clear();
        auto r = makeRequest(s, table, SVT_SV, 0);
        bool ok = true;
        r->get(&ok, true);
        EXPECT_FALSE(ok) << s.name;
        ASSERT_EQ(messages.size(), 1u) << s.name;
        EXPECT_EQ(messages[0].code, -102) << s.name;
        EXPECT_EQ(r->varList.item(1).value, "(NULL)") << s.name;
        const HvSNMPError outcome = asyncGet(*r);
        EXPECT_EQ(outcome.code, -102) << s.name;
        EXPECT_EQ(outcome.errorIndex, 2) << s.name;
    }
}

TEST_F(RequestE2E, WriteOfAReadOnlyObjectIsRefused) {
    auto r = makeRequest(kSecurities[1], kSystem, SVT_SV, 0);
    r->varList.item(0).access = A::ReadWrite;  // the list claims it; the device knows better
    const std::vector<std::string> values{"new descr"};
    bool ok = true;
    r->set(&ok, false, "0", &values);
    EXPECT_FALSE(ok);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].code, -117);  // notWritable
}

// The answer comes while the destructor waits: it ends the wait and reaches no completion.
TEST_F(RequestE2E, DeletingWithAnAnswerOnItsWayIsSafe) {
    auto r = makeRequest(kSecurities[1], kSystem, SVT_SV, 0);
    ASSERT_TRUE(sim->ok("delay 300"));
    int completions = 0;
    r->getAsync([&](HvSNMPError*, HvSNMPVarList*) { ++completions; }, true);
    r.reset();
    EXPECT_EQ(completions, 0);
    ASSERT_TRUE(sim->ok("delay 0"));
}

// No answer within the destructor's limit: the request goes, and the time-out that follows much
// later reaches nothing.
TEST_F(RequestE2E, DeletingWithALongTimeoutIsSafe) {
    auto r = makeRequest(kSecurities[1], kSystem, SVT_SV, 0);
    r->timeout = 700;
    r->retries = 0;
    ASSERT_TRUE(sim->ok("silence 20000"));
    int completions = 0;
    r->getAsync([&](HvSNMPError*, HvSNMPVarList*) { ++completions; }, true);
    r.reset();
    HvSnmpTransport* t = HvSNMPSession::session;
    EXPECT_TRUE(waitFor([&] { return t->pendingCount() == 0; }));
    EXPECT_EQ(completions, 0);
}

}  // namespace
