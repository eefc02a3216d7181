// What the LAN and DHCP server pages need of the device: their requests answered whole at their wire
// forms, a static pool whose rows the tests choose and the pages write, current leases that refill,
// and a new address that the status group shows once the device has restarted. The OIDs are written
// out by hand, not taken from the module's tables, so a slip in either shows.

#include "sim/SimPageFixture.h"

namespace {

using namespace simpage;

const std::string kPool = W + ".2.7.3.1.";  // static pool columns

class SimDhcp : public SimPageTest {
protected:
    std::string walk(const std::string& column) {
        const ToolResult w = snmp("snmpwalk", kV2c, m_sim.endpoint(), {column});
        EXPECT_EQ(w.exitCode, 0) << w.out;
        return w.out;
    }
    static size_t count(const std::string& text, const std::string& what) {
        size_t n = 0;
        for (size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
        return n;
    }
    std::string stored(const std::string& oid) { return m_sim.command("get " + oid); }
};

// Under v1 one missing object fails the whole request: each of the pages' reads must find all.
TEST_F(SimDhcp, EveryRequestOfThePagesIsAnsweredWhole) {
    const std::pair<const char*, std::vector<std::string>> requests[] = {
        // The LAN page's address request carries the restart command in the same PDU.
        {"ip", {W + ".1.2.1.0", W + ".1.2.2.0", W + ".1.2.3.0", W + ".1.2.4.0", W + ".3.2.1.0"}},
        {"dynamicPool",
         under(".2.7.2", {".1.0", ".2.0", ".3.0", ".4.0", ".5.0", ".6.0", ".7.0", ".8.0", ".9.0"})},
        {"function", {W + ".2.7.1.0"}},
        {"systemAddress", {W + ".1.2.2.0"}},
        {"apDomain", under(".2.12.1.1.1", {".1.1", ".2.1"})},
        {"staticRow", under(".2.7.3.1", {".1.1", ".2.1", ".3.1", ".4.1", ".5.1", ".6.1", ".7.1", ".8.1"})},
    };
    for (const auto& [name, oids] : requests) {
        SCOPED_TRACE(name);
        const ToolResult g = get(kV1, oids);
        EXPECT_EQ(g.exitCode, 0) << g.out;
        EXPECT_EQ(g.out.find("noSuchName"), std::string::npos) << g.out;
    }
    // The walks: the static pool's eight rows, two dynamic and one static lease.
    EXPECT_EQ(count(walk(kPool + "1"), "IpAddress: 0.0.0.0"), 8u);
    EXPECT_EQ(count(walk(W + ".2.7.4.1.1.1"), " = "), 2u);
    EXPECT_EQ(count(walk(W + ".2.7.4.2.1.1"), " = "), 1u);
}

TEST_F(SimDhcp, StaticPoolRowsAsTheTestChooses) {
    ASSERT_TRUE(m_sim.ok("static-pool 2"));
    const std::string ips = walk(kPool + "1");
    EXPECT_NE(ips.find(kPool + "1.1 = IpAddress: 127.0.0.11"), std::string::npos) << ips;
    EXPECT_NE(ips.find(kPool + "1.2 = IpAddress: 127.0.0.12"), std::string::npos) << ips;
    EXPECT_EQ(count(ips, "IpAddress: 0.0.0.0"), 6u) << ips;
    EXPECT_EQ(stored(kPool + "2.2"), "ok x 000A0B0C0D02");
    EXPECT_EQ(stored(kPool + "2.3"), "ok x 000000000000");
    EXPECT_EQ(stored(kPool + "8.1"), "ok i 1");
    EXPECT_EQ(stored(kPool + "8.3"), "ok i 0");

    // A full pool has no free row left.
    ASSERT_TRUE(m_sim.ok("static-pool 8"));
    EXPECT_EQ(count(walk(kPool + "1"), "IpAddress: 0.0.0.0"), 0u);
    ASSERT_TRUE(m_sim.ok("static-pool 1 3"));
    EXPECT_EQ(count(walk(kPool + "2"), " = "), 3u);
    EXPECT_EQ(m_sim.command("static-pool 4 3").rfind("error ", 0), 0u);
    EXPECT_EQ(m_sim.command("static-pool -1").rfind("error ", 0), 0u);
    ASSERT_TRUE(m_sim.ok("factory"));
    EXPECT_EQ(count(walk(kPool + "1"), "IpAddress: 0.0.0.0"), 8u);
}

// Add writes an entry into a free row, Del writes the free values back: both as the page's request
// sends them, one PDU of a row's eight columns.
TEST_F(SimDhcp, PoolEntriesWrittenAndFreed) {
    ASSERT_TRUE(m_sim.ok("static-pool 2"));
    auto row = [](int r, const char* ip, const char* mac, const char* mask, const char* gw,
                  const char* domain, const char* status) {
        const std::string n = "." + std::to_string(r);
        return std::vector<std::string>{kPool + "1" + n, "a", ip,        kPool + "2" + n, "x", mac,
                                        kPool + "3" + n, "a", mask,      kPool + "4" + n, "a", gw,
                                        kPool + "5" + n, "a", "0.0.0.0", kPool + "6" + n, "a", "0.0.0.0",
                                        kPool + "7" + n, "s", domain,    kPool + "8" + n, "i", status};
    };
    ToolResult s = set(row(3, "127.0.0.60", "00AABBCCDDEE", "255.0.0.0", "127.0.0.254", "lab", "1"));
    ASSERT_EQ(s.exitCode, 0) << s.out;
    EXPECT_EQ(stored(kPool + "1.3"), "ok a 127.0.0.60");
    EXPECT_EQ(stored(kPool + "2.3"), "ok x 00AABBCCDDEE");
    EXPECT_EQ(stored(kPool + "8.3"), "ok i 1");

    s = set(row(1, "0.0.0.0", "000000000000", "0.0.0.0", "0.0.0.0", "", "0"));
    ASSERT_EQ(s.exitCode, 0) << s.out;
    const std::string ips = walk(kPool + "1");
    EXPECT_NE(ips.find(kPool + "1.1 = IpAddress: 0.0.0.0"), std::string::npos) << ips;
    EXPECT_NE(ips.find(kPool + "1.2 = IpAddress: 127.0.0.12"), std::string::npos) << ips;
    EXPECT_EQ(stored(kPool + "7.1"), "ok s \"\"");

    // A MAC is six octets; a shorter one refuses the whole row.
    s = set(row(4, "127.0.0.61", "00AABBCCDD", "255.0.0.0", "127.0.0.254", "", "1"));
    EXPECT_NE(s.exitCode, 0);
    EXPECT_EQ(stored(kPool + "1.4"), "ok a 0.0.0.0");
}

TEST_F(SimDhcp, LeasesRefillWithOtherClients) {
    const std::string macs = W + ".2.7.4.1.1.1";
    const std::string before = stored(macs + ".1");
    const size_t mark = m_sim.logSize();
    ASSERT_TRUE(m_sim.ok("leases 3 2"));
    auto refill =
        m_sim.waitForLog([](const SimLogLine& l) { return l.event && l.words[0] == "refill"; }, mark);
    ASSERT_TRUE(refill);
    EXPECT_EQ(refill->words[1], "leases");
    EXPECT_EQ(count(walk(macs), " = "), 3u);
    EXPECT_EQ(count(walk(W + ".2.7.4.1.1.2"), "IpAddress: 127.0.0."), 3u);
    EXPECT_EQ(count(walk(W + ".2.7.4.2.1.2"), "IpAddress: 127.0.0."), 2u);
    EXPECT_NE(stored(macs + ".1"), before);
    // A lease's client is six octets, which the page shows as twelve hex digits.
    EXPECT_EQ(stored(macs + ".1").size(), std::string("ok x ").size() + 12);

    const std::string second = stored(macs + ".1");
    ASSERT_TRUE(m_sim.ok("leases 3 2"));
    EXPECT_NE(stored(macs + ".1"), second);
    ASSERT_TRUE(m_sim.ok("leases 0 0"));
    EXPECT_EQ(walk(macs).find(macs + "."), std::string::npos);
    EXPECT_EQ(m_sim.command("leases 1").rfind("error ", 0), 0u);
    EXPECT_EQ(m_sim.command("leases 256 0").rfind("error ", 0), 0u);
    ASSERT_TRUE(m_sim.ok("factory"));
    EXPECT_EQ(count(walk(macs), " = "), 2u);
}

// The LAN page's write, one PDU as its request sends it: the settings read back at once, the status
// group shows them only once the device has restarted.
TEST_F(SimDhcp, NewAddressShownAfterTheRestart) {
    ASSERT_TRUE(m_sim.ok("restart-time 100"));
    const std::vector<std::string> address = {
        W + ".1.2.1.0", "i", "1",           W + ".1.2.2.0", "a", "127.0.0.9",
        W + ".1.2.3.0", "a", "255.255.0.0", W + ".1.2.4.0", "a", "127.0.0.250"};
    std::vector<std::string> noRestart = address;
    noRestart.insert(noRestart.end(), {W + ".3.2.1.0", "i", "0"});
    ASSERT_EQ(set(noRestart).exitCode, 0);
    EXPECT_EQ(stored(W + ".1.2.2.0"), "ok a 127.0.0.9");
    EXPECT_EQ(stored(W + ".4.1.1.4.0"), "ok a 127.0.0.1");

    std::vector<std::string> restart = address;
    restart.insert(restart.end(), {W + ".3.2.1.0", "i", "1"});
    const size_t mark = m_sim.logSize();
    ASSERT_EQ(set(restart).exitCode, 0);
    ASSERT_TRUE(
        m_sim.waitForLog([](const SimLogLine& l) { return l.event && l.words[0] == "restart"; }, mark));
    EXPECT_EQ(stored(W + ".4.1.1.4.0"), "ok a 127.0.0.9");
    EXPECT_EQ(stored(W + ".4.1.1.5.0"), "ok a 255.255.0.0");
    EXPECT_EQ(stored(W + ".4.1.1.6.0"), "ok a 127.0.0.250");
    EXPECT_EQ(stored(W + ".4.1.1.3.0"), "ok i 1");
    // The device answers again where the module asks, and its restart command reads idle.
    ToolResult g;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    do g = get(kV2c, {W + ".4.1.1.4.0", W + ".3.2.1.0"});
    while (g.exitCode != 0 && std::chrono::steady_clock::now() < deadline);
    ASSERT_EQ(g.exitCode, 0) << g.out;
    EXPECT_NE(g.out.find("IpAddress: 127.0.0.9"), std::string::npos) << g.out;
}

TEST_F(SimDhcp, DhcpClientKeepsItsAddress) {
    ASSERT_TRUE(m_sim.ok("restart-time 100"));
    const size_t mark = m_sim.logSize();
    ASSERT_EQ(set({W + ".1.2.1.0", "i", "2", W + ".3.2.1.0", "i", "1"}).exitCode, 0);
    ASSERT_TRUE(
        m_sim.waitForLog([](const SimLogLine& l) { return l.event && l.words[0] == "restart"; }, mark));
    EXPECT_EQ(stored(W + ".4.1.1.3.0"), "ok i 2");
    EXPECT_EQ(stored(W + ".4.1.1.4.0"), "ok a 127.0.0.1");
    EXPECT_EQ(stored(W + ".1.2.1.0"), "ok i 2");
}

}  // namespace
