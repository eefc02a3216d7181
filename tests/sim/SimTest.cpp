// The device simulator checked with net-snmp's own command-line tools, so its answers do not depend
// on the module's SNMP code.

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

#include <fcntl.h>

#include <sys/prctl.h>

#include "module/Misc.h"
#include "sim/SimProcess.h"
#include "sim/SnmpTool.h"

namespace {

const std::string E = "1.3.6.1.4.1.47011.11.37";
const std::string kSysDescr = "1.3.6.1.2.1.1.1.0";
const std::string kSysContact = "1.3.6.1.2.1.1.4.0";
const std::string kSysName = "1.3.6.1.2.1.1.5.0";
const std::string kSysLocation = "1.3.6.1.2.1.1.6.0";

// The simulator's accounts; sam's passwords are shorter than net-snmp's own tools accept.
// clang-format off
const std::vector<std::string> kUsers = {
    "--community", "public",
    "--rw-community", "private",
    "--user", "alice:SHA:alicepass:AES:alicepriv",
    "--user", "bob:MD5:bobpass12:DES:bobpriv12",
    "--user", "carl",
    "--user", "dave:MD5:davepass1",
    "--user", "erin:SHA:erinpass1",
    "--user", "frank:SHA:frankpass:DES:frankpriv",
    "--user", "gina:MD5:ginapass1:AES:ginapriv1",
    "--user", "sam:MD5:abc:DES:xyz",
    "--user", "hank:SHA:hankpass1:AES192:hankpriv1",
    "--user", "iris:SHA:irispass1:AES256:irispriv1",
    "--ro-user", "rita:SHA:ritapass1",
};
// clang-format on

const SnmpAccess kV1{"v1", {"-v1", "-c", "private"}};
const SnmpAccess kV2c{"v2c", {"-v2c", "-c", "private"}};
const SnmpAccess kV2cRead{"v2cRead", {"-v2c", "-c", "public"}};

std::vector<SnmpAccess> allAccesses() {
    return {
        kV1,
        kV2c,
        {"v3NoAuth", {"-v3", "-u", "carl", "-l", "noAuthNoPriv"}},
        {"v3Md5", {"-v3", "-u", "dave", "-l", "authNoPriv", "-a", "MD5", "-A", "davepass1"}},
        {"v3Sha", {"-v3", "-u", "erin", "-l", "authNoPriv", "-a", "SHA", "-A", "erinpass1"}},
        {"v3Md5Des",
         {"-v3", "-u", "bob", "-l", "authPriv", "-a", "MD5", "-A", "bobpass12", "-x", "DES", "-X",
          "bobpriv12"}},
        {"v3ShaAes",
         {"-v3", "-u", "alice", "-l", "authPriv", "-a", "SHA", "-A", "alicepass", "-x", "AES", "-X",
          "alicepriv"}},
        {"v3ShaDes",
         {"-v3", "-u", "frank", "-l", "authPriv", "-a", "SHA", "-A", "frankpass", "-x", "DES", "-X",
          "frankpriv"}},
        {"v3Md5Aes",
         {"-v3", "-u", "gina", "-l", "authPriv", "-a", "MD5", "-A", "ginapass1", "-x", "AES", "-X",
          "ginapriv1"}},
        {"v3ShaAes192",
         {"-v3", "-u", "hank", "-l", "authPriv", "-a", "SHA", "-A", "hankpass1", "-x", "AES-192", "-X",
          "hankpriv1"}},
        {"v3ShaAes256",
         {"-v3", "-u", "iris", "-l", "authPriv", "-a", "SHA", "-A", "irispass1", "-x", "AES-256", "-X",
          "irispriv1"}},
        // The tools take the keys of "abc" and "xyz" instead (RFC 3414 A.2 with MD5).
        {"v3ShortPasswords",
         {"-v3", "-u", "sam", "-l", "authPriv", "-a", "MD5", "-3m", "0x992d2d55392e2045ee1e0711ca73c6eb",
          "-x", "DES", "-3M", "0xcf343a2ca623f9a1ee16f8ccb1d58fce"}},
    };
}

// One simulator per test program run (ctest runs every test in a process of its own).
class SimTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_sim = new SimProcess(kUsers);
        ASSERT_TRUE(s_sim->start()) << s_sim->error();
    }
    static void TearDownTestSuite() {
        delete s_sim;
        s_sim = nullptr;
    }
    void SetUp() override {
        ASSERT_NE(s_sim, nullptr);
        ASSERT_EQ(s_sim->command("reset"), "ok");
    }
    SimProcess& sim() { return *s_sim; }
    ToolResult get(const SnmpAccess& a, const std::vector<std::string>& oids,
                   const std::string& timeout = "2") {
        return snmp("snmpget", a, sim().endpoint(), oids, timeout);
    }
    ToolResult set(const SnmpAccess& a, const std::vector<std::string>& rest) {
        return snmp("snmpset", a, sim().endpoint(), rest);
    }
    ToolResult walk(const SnmpAccess& a, const std::string& oid) {
        return snmp("snmpwalk", a, sim().endpoint(), {oid});
    }
    static SimProcess* s_sim;
};
SimProcess* SimTest::s_sim = nullptr;

size_t countLines(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
    return n;
}

// --- every protocol version and v3 security level: get, set, read back, log -------------------

class SimAccessTest : public SimTest, public ::testing::WithParamInterface<SnmpAccess> {};

TEST_P(SimAccessTest, GetWalkSetReadBackAndLog) {
    const SnmpAccess& a = GetParam();
    const std::string contact = "ops-" + a.name;
    size_t mark = sim().logSize();

    ToolResult s = set(a, {kSysContact, "s", contact});
    ASSERT_EQ(s.exitCode, 0) << s.out;
    ToolResult g = get(a, {kSysDescr, kSysContact});
    ASSERT_EQ(g.exitCode, 0) << g.out;
    EXPECT_NE(g.out.find("STRING: \"QMX-7240NT Wireless Access Point\""), std::string::npos) << g.out;
    EXPECT_NE(g.out.find("STRING: \"" + contact + "\""), std::string::npos) << g.out;
    EXPECT_EQ(sim().command("get " + kSysContact), "ok s \"" + contact + "\"");

    auto lines = sim().requests(mark);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].op, "SET");
    EXPECT_EQ(lines[0].asked, kSysContact);
    EXPECT_EQ(lines[0].status, "ok");
    EXPECT_EQ(lines[0].value, contact);
    EXPECT_EQ(lines[1].op, "GET");
    EXPECT_EQ(lines[2].value, contact);
    const std::string version = a.args[0] == "-v1" ? "1" : a.args[0] == "-v2c" ? "2c" : "3";
    EXPECT_EQ(lines[0].version, version);
    EXPECT_EQ(lines[0].principal, a.args[0] == "-v3" ? a.args[2] : "private");

    ToolResult rates = walk(a, E + ".4.2.13.1.2.1");
    EXPECT_EQ(rates.exitCode, 0) << rates.out;
    EXPECT_EQ(countLines(rates.out, " = INTEGER: "), 12u) << rates.out;
}

INSTANTIATE_TEST_SUITE_P(Versions, SimAccessTest, ::testing::ValuesIn(allAccesses()),
                         [](const auto& info) { return info.param.name; });

// --- refusals of the security layer ---------------------------------------------------------------

TEST_F(SimTest, WrongCommunityIsDroppedUnanswered) {
    size_t mark = sim().logSize();
    ToolResult g = get({"bad", {"-v2c", "-c", "wrong"}}, {kSysDescr}, "0.3");
    EXPECT_NE(g.exitCode, 0);
    EXPECT_NE(g.out.find("Timeout"), std::string::npos) << g.out;
    auto drop = sim().waitForLog(
        [](const SimLogLine& l) { return l.event && l.words.size() >= 3 && l.words[0] == "drop"; }, mark);
    ASSERT_TRUE(drop);
    EXPECT_EQ(drop->words[1], "community");
    EXPECT_EQ(drop->words[2], "\"wrong\"");
    EXPECT_TRUE(sim().requests(mark).empty());
}

TEST_F(SimTest, V3RefusalsReportTheUsmError) {
    struct Row {
        const char* name;
        std::vector<std::string> args;
        const char* message;
    };
    const Row rows[] = {
        {"unknown user", {"-v3", "-u", "nobody", "-l", "noAuthNoPriv"}, "Unknown user name"},
        {"wrong auth password",
         {"-v3", "-u", "alice", "-l", "authPriv", "-a", "SHA", "-A", "wrongpass", "-x", "AES", "-X",
          "alicepriv"},
         "Authentication failure"},
        {"wrong DES privacy password",
         {"-v3", "-u", "bob", "-l", "authPriv", "-a", "MD5", "-A", "bobpass12", "-x", "DES", "-X",
          "wrongpriv"},
         "Decryption error"},
        {"wrong AES privacy password",
         {"-v3", "-u", "alice", "-l", "authPriv", "-a", "SHA", "-A", "alicepass", "-x", "AES", "-X",
          "wrongpriv"},
         "Decryption error"},
        {"level above the user's",
         {"-v3", "-u", "carl", "-l", "authNoPriv", "-a", "MD5", "-A", "whatever1"},
         "Unsupported security level"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        size_t mark = sim().logSize();
        ToolResult g = get({r.name, r.args}, {kSysDescr});
        EXPECT_NE(g.exitCode, 0);
        EXPECT_NE(g.out.find(r.message), std::string::npos) << g.out;
        EXPECT_TRUE(sim().requests(mark).empty());
    }
}

// --- sets that the device refuses ----------------------------------------------------------------

const std::string kApMode = E + ".4.2.1.1.1.1";
const std::string kFirmware = E + ".4.4.1.1.1.0";
const std::string kRemoteMac = E + ".4.2.2.1.2.1.1";

TEST_F(SimTest, RefusedSetsKeepTheValue) {
    struct Row {
        const char* name;
        SnmpAccess access;
        std::vector<std::string> set;
        const char* reason;  // as snmpset prints it
    };
    const SnmpAccess readOnlyUser{"rita",
                                  {"-v3", "-u", "rita", "-l", "authNoPriv", "-a", "SHA", "-A", "ritapass1"}};
    const Row rows[] = {
        {"read-only object", kV2c, {kFirmware, "s", "v9"}, "notWritable"},
        {"read-only object, v1", kV1, {kFirmware, "s", "v9"}, "noSuchName"},
        {"unknown object", kV2c, {E + ".4.2.77.0", "i", "1"}, "notWritable"},
        {"wrong type", kV2c, {kApMode, "s", "1"}, "wrongType"},
        {"wrong type, v1", kV1, {kApMode, "s", "1"}, "badValue"},
        {"MAC of five octets", kV2c, {kRemoteMac, "x", "0011223344"}, "wrongLength"},
        {"read community", kV2cRead, {kSysName, "s", "x"}, "noAccess"},
        {"read-only user", readOnlyUser, {kSysName, "s", "x"}, "noAccess"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        std::string before = sim().command("get " + r.set[0]);
        ToolResult s = set(r.access, r.set);
        EXPECT_NE(s.exitCode, 0);
        EXPECT_NE(s.out.find(r.reason), std::string::npos) << s.out;
        EXPECT_EQ(sim().command("get " + r.set[0]), before);
    }
}

TEST_F(SimTest, V1SetFailsAsAWholePdu) {
    size_t mark = sim().logSize();
    ToolResult s = set(kV1, {kSysName, "s", "half-done", kFirmware, "s", "v9"});
    EXPECT_NE(s.exitCode, 0);
    EXPECT_NE(s.out.find("noSuchName"), std::string::npos) << s.out;
    EXPECT_EQ(sim().command("get " + kSysName), "ok s \"qmx-lab\"");
    auto lines = sim().requests(mark);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].status, "notDone");
    EXPECT_EQ(lines[1].status, "notWritable");
}

// --- wire forms: the same object under its scalar and its instance form --------------------------

TEST_F(SimTest, BothWireFormsReachTheStoredObject) {
    struct Row {
        const char* name;
        std::string wire;    // what a request sends
        std::string stored;  // where the object lives ("" when under the wire form itself)
    };
    const Row rows[] = {
        {"scalar", E + ".4.2.6.1.0", ""},
        {"instance", E + ".4.2.1.1.1.1", ""},
        {"instance read as a scalar", E + ".4.1.1.1.2.1.0", E + ".4.1.1.1.2.1"},
        {"table row read as a scalar", E + ".4.2.9.2.1.6.1.2.0", E + ".4.2.9.2.1.6.1.2"},
        {"RADIUS port with .0.0", E + ".4.2.5.2.4.0.0", E + ".4.2.5.2.4.0"},
        {"adAPMode without its slot", E + ".4.2.1.1.1.0", E + ".4.2.1.1.1.1"},
        {"adSuperMode without its slot", E + ".4.2.3.1.11.0", E + ".4.2.3.1.11.1"},
        {"adVlanState without its slot", E + ".4.2.9.1.1.1.0", E + ".4.2.9.1.1.1.1"},
        {"group key interval without its slot", E + ".4.2.5.1.1.6.0", E + ".4.2.5.1.1.6.1"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        size_t mark = sim().logSize();
        ToolResult g = get(kV2c, {r.wire});
        ASSERT_EQ(g.exitCode, 0) << g.out;
        EXPECT_EQ(g.out.find("No Such"), std::string::npos) << g.out;
        auto lines = sim().requests(mark);
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(lines[0].asked, r.wire);
        EXPECT_EQ(lines[0].via, r.stored.empty() ? "-" : r.stored);

        // A write through the alias lands on the stored object.
        const std::string target = r.stored.empty() ? r.wire : r.stored;
        std::string reply = sim().command("get " + target);
        ASSERT_EQ(reply.rfind("ok i ", 0), 0u) << reply;
        ToolResult s = set(kV2c, {r.wire, "i", "3"});
        ASSERT_EQ(s.exitCode, 0) << s.out;
        EXPECT_EQ(sim().command("get " + target), "ok i 3");
        ASSERT_TRUE(sim().ok("set " + target + " " + reply.substr(3)));
    }
}

TEST_F(SimTest, ScalarWithoutItsInstanceIsNoSuchInstance) {
    ToolResult g = get(kV2c, {"1.3.6.1.2.1.1.1", E + ".4.2.88.0"});
    EXPECT_NE(g.out.find(".1.3.6.1.2.1.1.1 = No Such Instance"), std::string::npos) << g.out;
    EXPECT_NE(g.out.find(".4.2.88.0 = No Such Object"), std::string::npos) << g.out;
}

// Every record of the module's tables is there at the form the module's requests use: a keyless
// record R answers R.0 (a scalar read; an instance answers it too), and a walked column has rows.
TEST_F(SimTest, EveryTableRecordIsAnswered) {
    std::vector<std::string> scalars, columns;
    for (const auto& t : kMibTables) {
        bool walked = false;
        for (const MibObjectDef* d = t.table; d->oid; ++d)
            walked = walked || std::string(d->oid) == " " || d->access == 0x01;
        for (const MibObjectDef* d = t.table; d->oid; ++d) {
            if (std::string(d->oid) == " " || d->access == 0x01) continue;
            auto& list = walked ? columns : scalars;
            std::string oid = walked ? std::string(d->oid) : std::string(d->oid) + ".0";
            if (std::find(list.begin(), list.end(), oid) == list.end()) list.push_back(oid);
        }
    }
    ASSERT_GT(scalars.size(), 250u);
    ASSERT_GT(columns.size(), 30u);
    for (size_t i = 0; i < scalars.size(); i += 40) {
        std::vector<std::string> chunk(scalars.begin() + i,
                                       scalars.begin() + std::min(scalars.size(), i + 40));
        ToolResult g = get(kV2c, chunk);
        EXPECT_EQ(g.exitCode, 0) << g.out;
        EXPECT_EQ(g.out.find("No Such"), std::string::npos) << g.out;
    }
    for (size_t i = 0; i < columns.size(); i += 40) {
        std::vector<std::string> chunk(columns.begin() + i,
                                       columns.begin() + std::min(columns.size(), i + 40));
        ToolResult n = snmp("snmpgetnext", kV2c, sim().endpoint(), chunk);
        ASSERT_EQ(n.exitCode, 0) << n.out;
        for (const auto& column : chunk)
            EXPECT_NE(n.out.find("." + column + "."), std::string::npos) << column << " has no rows";
    }
}

// --- walks ---------------------------------------------------------------------------------------

TEST_F(SimTest, WalksRealRowsInOrderAndNeverAliases) {
    ToolResult mssid = walk(kV2c, E + ".4.2.9.2.1.3");
    EXPECT_EQ(mssid.exitCode, 0) << mssid.out;
    EXPECT_EQ(countLines(mssid.out, E + ".4.2.9.2.1.3.1."), 8u) << mssid.out;
    EXPECT_NE(mssid.out.find(E + ".4.2.9.2.1.3.1.8 = STRING: \"qmx-ap-8\""), std::string::npos) << mssid.out;

    ToolResult rates = walk(kV1, E + ".4.2.13.1.2.1");
    EXPECT_EQ(rates.exitCode, 0) << rates.out;
    EXPECT_EQ(countLines(rates.out, " = INTEGER: "), 12u) << rates.out;

    ToolResult pool = walk(kV2c, E + ".4.2.7.3.1.1");
    EXPECT_EQ(countLines(pool.out, "IpAddress: 0.0.0.0"), 8u) << pool.out;

    // adAPMode without its slot is answered to a get, but a walk sees only the slot rows.
    ToolResult ap = walk(kV2c, E + ".4.2.1.1.1");
    EXPECT_EQ(ap.out.find(E + ".4.2.1.1.1.0 "), std::string::npos) << ap.out;
    EXPECT_NE(ap.out.find(E + ".4.2.1.1.1.1 = INTEGER: 1"), std::string::npos) << ap.out;

    // The log shows each get-next with the OID asked and the OID answered.
    auto lines = sim().requests();
    auto last =
        std::find_if(lines.rbegin(), lines.rend(), [](const SimLogLine& l) { return l.op == "GETNEXT"; });
    ASSERT_NE(last, lines.rend());
    EXPECT_NE(last->asked, last->answered);
}

TEST_F(SimTest, WalkPastTheLastObjectEnds) {
    const std::string lastCapability = E + ".4.99.1.1.52.0";
    ToolResult v2 = snmp("snmpgetnext", kV2c, sim().endpoint(), {lastCapability});
    EXPECT_NE(v2.out.find("No more variables left in this MIB View"), std::string::npos) << v2.out;
    ToolResult v1 = snmp("snmpgetnext", kV1, sim().endpoint(), {lastCapability});
    EXPECT_NE(v1.out.find("noSuchName"), std::string::npos) << v1.out;
}

TEST_F(SimTest, ServesTheWholeObjectSetWithTheTablesTypes) {
    ToolResult all = walk(kV2c, "1.3");
    ASSERT_EQ(all.exitCode, 0) << all.out;
    EXPECT_GT(countLines(all.out, "\n"), 400u);
    for (const std::string& want : std::vector<std::string>{
             ".1.3.6.1.2.1.1.2.0 = OID: .1.3.6.1.4.1.47011.11.37.9", ".1.3.6.1.2.1.1.3.0 = Timeticks:",
             E + ".4.1.2.2.0 = IpAddress: 127.0.0.1", E + ".4.1.2.3.0 = IpAddress: 255.0.0.0",
             E + ".4.4.1.1.1.0 = STRING: \"v2.20.01\"", E + ".4.4.1.1.2.0 = Hex-STRING: 00 1A 2B 3C 4D 5E",
             E + ".4.4.2.1.4.1 = STRING: \"54Mbps\"", E + ".4.3.3.4.0 = INTEGER: 4",
             E + ".4.2.12.1.1.1.2.1 = INTEGER: 2", E + ".4.99.1.1.16.0 = INTEGER: 1"})
        EXPECT_NE(all.out.find(want), std::string::npos) << want;
    EXPECT_EQ(countLines(all.out, E + ".4.2.4.2.1.2.1."), 8u);  // MAC filter rows of slot 1
    EXPECT_EQ(countLines(all.out, E + ".4.4.5.2.1.2."), 3u);    // client rows
    EXPECT_EQ(countLines(all.out, E + ".4.2.8.2.1.7."), 4u);    // survey rows
}

// --- faults --------------------------------------------------------------------------------------

TEST_F(SimTest, ErrorStatusForAChosenOid) {
    ASSERT_EQ(sim().command("error " + kSysName + " genErr get"), "ok");
    ToolResult g = get(kV2c, {kSysDescr, kSysName});
    EXPECT_NE(g.exitCode, 0);
    EXPECT_NE(g.out.find("Reason: (genError)"), std::string::npos) << g.out;
    EXPECT_NE(g.out.find("Failed object: .1.3.6.1.2.1.1.5.0"), std::string::npos) << g.out;
    // The rule is for gets only; a set still works, and "off" clears it.
    EXPECT_EQ(set(kV2c, {kSysName, "s", "qmx-lab"}).exitCode, 0);
    ASSERT_EQ(sim().command("error " + kSysName + " notWritable set"), "ok");
    ToolResult s = set(kV2c, {kSysName, "s", "other"});
    EXPECT_NE(s.out.find("notWritable"), std::string::npos) << s.out;
    ASSERT_EQ(sim().command("error " + kSysName + " off"), "ok");
    EXPECT_EQ(get(kV2c, {kSysName}).exitCode, 0);
    // In a walk the rule matches the row the get-next would answer.
    const std::string row3 = E + ".4.2.9.2.1.3.1.3";
    ASSERT_EQ(sim().command("error " + row3 + " resourceUnavailable next"), "ok");
    ToolResult n = snmp("snmpgetnext", kV2c, sim().endpoint(), {E + ".4.2.9.2.1.3.1.2"});
    EXPECT_NE(n.out.find("resourceUnavailable"), std::string::npos) << n.out;
    EXPECT_EQ(get(kV2c, {row3}).exitCode, 0);
}

TEST_F(SimTest, DropsTheNextRequests) {
    size_t mark = sim().logSize();
    ASSERT_EQ(sim().command("drop 2"), "ok");
    EXPECT_NE(get(kV2c, {kSysDescr}, "0.3").out.find("Timeout"), std::string::npos);
    EXPECT_NE(get(kV2c, {kSysDescr}, "0.3").out.find("Timeout"), std::string::npos);
    EXPECT_EQ(get(kV2c, {kSysDescr}).exitCode, 0);
    size_t drops = 0;
    for (const auto& l : sim().log(mark)) drops += l.event && l.words[0] == "drop" && l.words[1] == "fault";
    EXPECT_EQ(drops, 2u);
}

TEST_F(SimTest, DelaysAnswers) {
    ASSERT_EQ(sim().command("delay 1500"), "ok");
    ToolResult late = get(kV2c, {kSysDescr}, "0.3");
    EXPECT_NE(late.out.find("Timeout"), std::string::npos) << late.out;
    // A delay of one answer: the client that waits long enough gets it, the next is prompt again.
    ASSERT_EQ(sim().command("delay 200 1"), "ok");
    ToolResult waited = get(kV2c, {kSysDescr}, "5");
    EXPECT_EQ(waited.exitCode, 0) << waited.out;
    EXPECT_EQ(get(kV2c, {kSysName}).exitCode, 0);
    // A delayed set is applied once it is answered.
    ASSERT_EQ(sim().command("delay 200 1"), "ok");
    EXPECT_EQ(set(kV2c, {kSysLocation, "s", "lab 2"}).exitCode, 0);
    EXPECT_EQ(sim().command("get " + kSysLocation), "ok s \"lab 2\"");
    // A get-bulk is delayed once, not once per repetition, and keeps all its repetitions.
    ASSERT_EQ(sim().command("delay 200"), "ok");
    ToolResult bulk = snmp("snmpbulkget", kV2c, sim().endpoint(), {"-Cr6", "1.3.6.1.2.1.1"}, "5");
    EXPECT_EQ(bulk.exitCode, 0) << bulk.out;
    EXPECT_NE(bulk.out.find(".1.3.6.1.2.1.1.6.0 = "), std::string::npos) << bulk.out;
    EXPECT_EQ(countLines(bulk.out, "\n"), 6u) << bulk.out;
}

TEST_F(SimTest, SilentForAWhile) {
    ASSERT_EQ(sim().command("silence 60000"), "ok");
    EXPECT_NE(get(kV2c, {kSysDescr}, "0.3").out.find("Timeout"), std::string::npos);
    // v3 discovery gets no report either while silent.
    auto v3 = allAccesses()[6];
    EXPECT_NE(get(v3, {kSysDescr}, "0.3").out.find("Timeout"), std::string::npos);
    ASSERT_EQ(sim().command("silence 0"), "ok");
    EXPECT_EQ(get(kV2c, {kSysDescr}).exitCode, 0);
}

TEST_F(SimTest, RestartCommandSilencesThenReadsIdle) {
    ASSERT_EQ(sim().command("restart-time 60000"), "ok");
    size_t mark = sim().logSize();
    ToolResult s = set(kV2c, {E + ".4.3.2.1.0", "i", "1"});
    EXPECT_EQ(s.exitCode, 0) << s.out;  // the command itself is answered
    EXPECT_NE(get(kV2c, {kSysDescr}, "0.3").out.find("Timeout"), std::string::npos);
    auto restart =
        sim().waitForLog([](const SimLogLine& l) { return l.event && l.words[0] == "restart"; }, mark);
    ASSERT_TRUE(restart);
    EXPECT_EQ(restart->words[1], "60000");
    ASSERT_EQ(sim().command("silence 0"), "ok");
    EXPECT_EQ(sim().command("get " + E + ".4.3.2.1.0"), "ok i 2");
}

TEST_F(SimTest, FactoryResetRestoresDefaults) {
    ASSERT_EQ(sim().command("restart-time 0"), "ok");
    ASSERT_EQ(set(kV2c, {kSysName, "s", "renamed"}).exitCode, 0);
    ASSERT_EQ(set(kV2c, {E + ".4.3.2.2.0", "i", "1"}).exitCode, 0);
    EXPECT_EQ(sim().command("get " + kSysName), "ok s \"qmx-lab\"");
}

TEST_F(SimTest, RefreshTriggersRefillTheirTables) {
    const std::string clientMac = E + ".4.4.5.2.1.2.1";
    std::string before = sim().command("get " + clientMac);
    size_t mark = sim().logSize();
    ASSERT_EQ(set(kV2c, {E + ".4.4.5.1.1.1.1", "i", "1"}).exitCode, 0);
    std::string after = sim().command("get " + clientMac);
    EXPECT_NE(before, after);
    EXPECT_EQ(sim().command("get " + E + ".4.4.5.1.1.1.1"), "ok i 0");
    auto refill =
        sim().waitForLog([](const SimLogLine& l) { return l.event && l.words[0] == "refill"; }, mark);
    ASSERT_TRUE(refill);
    EXPECT_EQ(refill->words[1], "clients");

    const std::string surveySsid = E + ".4.2.8.2.1.7.1";
    before = sim().command("get " + surveySsid);
    ASSERT_EQ(set(kV2c, {E + ".4.2.8.1.1.1.0", "i", "1"}).exitCode, 0);
    EXPECT_NE(sim().command("get " + surveySsid), before);
}

// Held rows keep what a test set in them through the trigger, which still reads idle afterwards
// and is still logged; released, the next trigger refills them again.
TEST_F(SimTest, HeldRowsSurviveTheirTrigger) {
    const std::string clientMac = E + ".4.4.5.2.1.2.2";
    const std::string trigger = E + ".4.4.5.1.1.1.1";
    ASSERT_EQ(sim().command("hold-rows on"), "ok");
    ASSERT_EQ(sim().command("set " + clientMac + " x 000000000000"), "ok");
    const size_t mark = sim().logSize();
    ASSERT_EQ(set(kV2c, {trigger, "i", "1"}).exitCode, 0);
    EXPECT_EQ(sim().command("get " + clientMac), "ok x 000000000000");
    EXPECT_EQ(sim().command("get " + trigger), "ok i 0");
    EXPECT_TRUE(
        sim().waitForLog([](const SimLogLine& l) { return l.event && l.words[0] == "refill"; }, mark));
    ASSERT_EQ(sim().command("hold-rows off"), "ok");
    ASSERT_EQ(set(kV2c, {trigger, "i", "1"}).exitCode, 0);
    EXPECT_NE(sim().command("get " + clientMac), "ok x 000000000000");
    EXPECT_EQ(sim().command("hold-rows maybe").rfind("error", 0), 0u);
}

TEST_F(SimTest, TftpCommandWithoutAServerFailsTheSet) {
    ASSERT_EQ(set(kV2c, {E + ".4.3.3.1.0", "a", "127.0.0.1", E + ".4.3.3.2.0", "s", "fw.bin"}).exitCode, 0);
    size_t mark = sim().logSize();
    // The device's client finds no TFTP server on the PC: the command is answered with genErr.
    EXPECT_NE(set(kV2c, {E + ".4.3.3.4.0", "i", "2"}).exitCode, 0);
    auto tftp = sim().waitForLog([](const SimLogLine& l) { return l.event && l.words[0] == "tftp"; }, mark,
                                 std::chrono::seconds(30));
    ASSERT_TRUE(tftp);
    ASSERT_GE(tftp->words.size(), 5u);
    EXPECT_EQ(tftp->words[1], "get");
    EXPECT_EQ(tftp->words[2], "127.0.0.1:69");
    EXPECT_EQ(tftp->words[3], "\"fw.bin\"");
    EXPECT_EQ(tftp->words[4], "failed");
}

// --- the control channel -------------------------------------------------------------------------

TEST_F(SimTest, ControlSetsValuesOutsideTheOptionsAndRemovesObjects) {
    ASSERT_EQ(sim().command("set " + E + ".4.3.3.4.0 i 9"), "ok");
    EXPECT_NE(get(kV2c, {E + ".4.3.3.4.0"}).out.find("INTEGER: 9"), std::string::npos);
    ASSERT_EQ(sim().command("set " + kRemoteMac + " x 00:11:22:AA:BB:CC"), "ok");
    EXPECT_EQ(sim().command("get " + kRemoteMac), "ok x 001122AABBCC");
    EXPECT_NE(get(kV2c, {kRemoteMac}).out.find("Hex-STRING: 00 11 22 AA BB CC"), std::string::npos);
    ASSERT_EQ(sim().command("del " + E + ".4.99"), "ok 19");
    EXPECT_NE(get(kV2c, {E + ".4.99.1.1.1.0"}).out.find("No Such Object"), std::string::npos);
    ASSERT_EQ(sim().command("factory"), "ok");
    EXPECT_EQ(sim().command("get " + E + ".4.99.1.1.1.0"), "ok i 127");
}

TEST_F(SimTest, ControlFillsALargeTable) {
    const std::string column = E + ".4.2.50.1.2";
    ASSERT_EQ(sim().command("fill " + column + " 1000 s row"), "ok");
    ToolResult w = snmp("snmpbulkwalk", kV2c, sim().endpoint(), {column});
    EXPECT_EQ(w.exitCode, 0) << w.out.substr(0, 500);
    EXPECT_EQ(countLines(w.out, " = STRING: \"row\""), 1000u);
    EXPECT_NE(w.out.find("." + column + ".1000 = "), std::string::npos);
}

TEST_F(SimTest, ControlRejectsBadLines) {
    for (const char* bad : {"frobnicate", "get 1..3", "set 1.3.6 i twelve", "set 1.3.6 a 1.2.3",
                            "error 1.3.6 nonsense", "delay soon", "fill 1.3.6 0 i 1", "get 1.3.9.9.9"})
        EXPECT_EQ(sim().command(bad).rfind("error ", 0), 0u) << bad;
}

}  // namespace

// --- profiles, addresses and the process's life ---------------------------------------------------

TEST(SimProfileTest, LegacyFirmwareLacksTheOptionalObjects) {
    SimProcess sim({"--profile", "legacy"});
    ASSERT_TRUE(sim.start()) << sim.error();
    SnmpAccess v2{"v2", {"-v2c", "-c", "kiwano"}};
    ToolResult g = snmp("snmpget", v2, sim.endpoint(),
                        {E + ".4.4.1.1.1.0", E + ".4.99.1.1.1.0", E + ".4.2.3.1.17.0", E + ".4.2.7.1.0",
                         E + ".4.2.12.1.1.1.2.1", E + ".4.2.11.1.0"});
    EXPECT_NE(g.out.find("STRING: \"v1.00.05\""), std::string::npos) << g.out;
    EXPECT_NE(g.out.find(".4.99.1.1.1.0 = INTEGER: 0"), std::string::npos) << g.out;
    EXPECT_EQ(countLines(g.out, "No Such Object"), 4u) << g.out;
    // Under v1 one absent object fails the whole read.
    ToolResult v1 = snmp("snmpget", {"v1", {"-v1", "-c", "kiwano"}}, sim.endpoint(),
                         {E + ".4.4.1.1.1.0", E + ".4.2.3.1.17.0"});
    EXPECT_NE(v1.out.find("noSuchName"), std::string::npos) << v1.out;
}

TEST(SimProcessTest, DefaultCommunitiesAndAnotherLoopbackAddress) {
    SimProcess sim({"--address", "127.0.0.2", "--absent", E + ".4.2.9"});
    ASSERT_TRUE(sim.start()) << sim.error();
    EXPECT_GT(sim.port(), 0);
    SnmpAccess write{"w", {"-v2c", "-c", "morello"}};
    EXPECT_EQ(snmp("snmpset", write, sim.endpoint(), {kSysName, "s", "x"}).exitCode, 0);
    ToolResult r =
        snmp("snmpget", {"r", {"-v2c", "-c", "kiwano"}}, sim.endpoint(), {kSysName, E + ".4.2.9.3.1.1.0"});
    EXPECT_NE(r.out.find("STRING: \"x\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("No Such Object"), std::string::npos) << r.out;
    EXPECT_NE(snmp("snmpset", {"r", {"-v2c", "-c", "kiwano"}}, sim.endpoint(), {kSysName, "s", "y"})
                  .out.find("noAccess"),
              std::string::npos);
}

TEST(SimProcessTest, BadCommandLineIsRefused) {
    for (std::vector<std::string> args : {std::vector<std::string>{"--address", "10.0.0.1"},
                                          {"--profile", "modern"},
                                          {"--user", "nopass:MD5:"},
                                          {"--user", "x:MD4:abcdefgh"},
                                          {"--bogus"}}) {
        SimProcess sim(args);
        EXPECT_FALSE(sim.start(std::chrono::seconds(5))) << args[0];
    }
}

// CPU time (user + system) of a process, in clock ticks.
long cpuTicks(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    // Fields after the command's closing parenthesis: state is field 3, utime 14, stime 15.
    std::istringstream rest(text.substr(text.rfind(')') + 2));
    std::string field;
    long utime = 0, stime = 0;
    for (int i = 3; i <= 15 && rest >> field; ++i) {
        if (i == 14) utime = std::stol(field);
        if (i == 15) stime = std::stol(field);
    }
    return utime + stime;
}

// An idle simulator sleeps in its wait: with and without its control channel, it takes (almost) no
// CPU over a couple of seconds. The old loop spun at a zero time-out and took the whole interval.
TEST(SimProcessTest, IdleSimulatorUsesNoCpu) {
    for (bool control : {true, false}) {
        SimProcess sim(control ? std::vector<std::string>{} : std::vector<std::string>{"--no-control"});
        ASSERT_TRUE(sim.start()) << sim.error();
        const long ticksPerSecond = sysconf(_SC_CLK_TCK);
        const long before = cpuTicks(sim.pid());
        const auto interval = std::chrono::milliseconds(2000);
        std::this_thread::sleep_for(interval);  // the measured interval itself, not a wait for an event
        const long used = cpuTicks(sim.pid()) - before;
        EXPECT_LT(used, ticksPerSecond * 2 / 10)
            << (control ? "with" : "without") << " control: " << used << " ticks in 2 s";
    }
}

TEST(SimProcessTest, EndsOnSigtermAndQuit) {
    SimProcess sim;
    ASSERT_TRUE(sim.start()) << sim.error();
    ASSERT_EQ(::kill(sim.pid(), SIGTERM), 0);
    int status = sim.wait(std::chrono::seconds(10));
    ASSERT_TRUE(WIFEXITED(status)) << status;
    EXPECT_EQ(WEXITSTATUS(status), 0);

    SimProcess sim2;
    ASSERT_TRUE(sim2.start()) << sim2.error();
    EXPECT_EQ(sim2.command("quit"), "ok");
    status = sim2.wait(std::chrono::seconds(10));
    ASSERT_TRUE(WIFEXITED(status)) << status;
}

TEST(SimProcessTest, EndsWhenItsParentDies) {
    // The intermediate process starts the simulator and dies; as subreaper this test inherits the
    // orphan and can wait for it.
    ASSERT_EQ(prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    pid_t middle = fork();
    ASSERT_GE(middle, 0);
    if (middle == 0) {
        close(fds[0]);
        std::string exe = SimProcess::defaultExecutable();
        pid_t sim = -1;
        std::vector<std::string> argv = {exe, "--port", "0", "--no-control"};
        std::vector<char*> cargv;
        for (auto& a : argv) cargv.push_back(a.data());
        cargv.push_back(nullptr);
        // Wait until the simulator runs its loop, as a test would, then die.
        int out[2];
        if (pipe(out) != 0) _exit(1);
        posix_spawn_file_actions_t fa;
        posix_spawn_file_actions_init(&fa);
        posix_spawn_file_actions_adddup2(&fa, out[1], 1);
        if (posix_spawn(&sim, exe.c_str(), &fa, nullptr, cargv.data(), environ) != 0) _exit(1);
        close(out[1]);
        char c;
        while (read(out[0], &c, 1) == 1 && c != '\n') {
        }
        (void)!write(fds[1], &sim, sizeof sim);
        _exit(0);
    }
    close(fds[1]);
    pid_t sim = -1;
    ASSERT_EQ(read(fds[0], &sim, sizeof sim), ssize_t(sizeof sim));
    close(fds[0]);
    int status = 0;
    ASSERT_EQ(waitpid(middle, &status, 0), middle);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    pid_t r = 0;
    while ((r = waitpid(sim, &status, WNOHANG)) == 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (r == 0) ::kill(sim, SIGKILL);
    EXPECT_EQ(r, sim) << "the simulator outlived its parent";
    prctl(PR_SET_CHILD_SUBREAPER, 0);
}
