// What the AP mode, grouping, system, information and statistics pages need of the device: their
// objects at the wire forms the pages send, the ranges the device takes, the MAC lengths it refuses,
// counters that move between reads, and the restart and factory commands it logs apart. The OIDs
// are written out by hand, not taken from the module's tables, so a slip in either shows.

#include <gtest/gtest.h>

#include <map>

#include "sim/SimProcess.h"
#include "sim/SnmpTool.h"

namespace {

const std::string W = "1.3.6.1.4.1.47011.11.37.4";
const SnmpAccess kV1{"v1", {"-v1", "-c", "morello"}};
const SnmpAccess kV2c{"v2c", {"-v2c", "-c", "morello"}};

class SimPages : public ::testing::Test {
protected:
    explicit SimPages(std::vector<std::string> args = {"--restart-time", "300"}) : m_sim(std::move(args)) {}
    void SetUp() override { ASSERT_TRUE(m_sim.start()) << m_sim.error(); }
    ToolResult get(const SnmpAccess& a, const std::vector<std::string>& oids) {
        return snmp("snmpget", a, m_sim.endpoint(), oids);
    }
    ToolResult set(const std::vector<std::string>& rest) {
        return snmp("snmpset", kV2c, m_sim.endpoint(), rest);
    }
    // A set the device refuses with status, leaving what it held.
    void expectRefused(const std::vector<std::string>& rest, const char* status) {
        const ToolResult s = set(rest);
        EXPECT_NE(s.exitCode, 0) << s.out;
        EXPECT_NE(s.out.find(status), std::string::npos) << s.out;
    }
    std::string value(const std::string& oid) { return m_sim.command("get " + oid); }
    SimProcess m_sim;
};

std::vector<std::string> modeRow(const std::string& slot) {
    std::vector<std::string> oids{W + ".2.1.1.1." + slot};
    for (int n = 1; n <= 8; ++n) oids.push_back(W + ".2.2.1.2." + slot + "." + std::to_string(n));
    oids.push_back(W + ".2.1.1.3." + slot);
    return oids;
}

// ---- AP mode ------------------------------------------------------------------------------------

TEST_F(SimPages, ModeRowAnsweredWholeWithFreePeers) {
    std::vector<std::string> row = modeRow("1");
    row.push_back(W + ".1.1.1.1.1");  // hSSID, the row's last item
    const ToolResult g = get(kV1, row);
    ASSERT_EQ(g.exitCode, 0) << g.out;
    EXPECT_EQ(g.out.find("noSuchName"), std::string::npos) << g.out;
    EXPECT_EQ(value(W + ".2.1.1.1.1"), "ok i 1");
    EXPECT_EQ(value(W + ".2.2.1.2.1.8"), "ok x 000000000000");
    EXPECT_EQ(value(W + ".2.1.1.3.1"), "ok x 000000000000");
}

TEST_F(SimPages, ModeAndPeersWrittenInOnePdu) {
    const std::string mac = W + ".2.2.1.2.1.";
    ASSERT_EQ(
        set({W + ".2.1.1.1.1", "i", "3", mac + "1", "x", "001122aabbcc", mac + "8", "x", "000000000000"})
            .exitCode,
        0);
    EXPECT_EQ(value(W + ".2.1.1.1.1"), "ok i 3");
    EXPECT_EQ(value(mac + "1"), "ok x 001122AABBCC");
}

TEST_F(SimPages, MacsOfAnotherLengthAreRefusedWithNothingWritten) {
    const std::string mac = W + ".2.2.1.2.1.";
    expectRefused({W + ".2.1.1.1.1", "i", "3", mac + "2", "x", "0011223344"}, "wrongLength");
    expectRefused({mac + "3", "x", "00112233445566"}, "wrongLength");
    expectRefused({W + ".2.1.1.3.1", "x", ""}, "wrongLength");
    EXPECT_EQ(value(W + ".2.1.1.1.1"), "ok i 1");
    EXPECT_EQ(value(mac + "2"), "ok x 000000000000");
}

TEST_F(SimPages, ApModeOutsideTheDevicesModesIsRefused) {
    expectRefused({W + ".2.1.1.1.1", "i", "0"}, "wrongValue");
    expectRefused({W + ".2.1.1.1.1", "i", "8"}, "wrongValue");
    EXPECT_EQ(value(W + ".2.1.1.1.1"), "ok i 1");
    ASSERT_EQ(set({W + ".2.1.1.1.1", "i", "4"}).exitCode, 0);
    ASSERT_EQ(set({W + ".2.1.1.1.1", "i", "7"}).exitCode, 0);  // the wireless page writes every mode
    EXPECT_EQ(value(W + ".2.1.1.1.1"), "ok i 7");
}

class SimClientProfile : public SimPages {
protected:
    SimClientProfile() : SimPages({"--profile", "client"}) {}
};

TEST_F(SimClientProfile, HoldsAModeThePageHasNoEntryFor) {
    EXPECT_EQ(value(W + ".2.1.1.1.1"), "ok i 5");
    const ToolResult g = get(kV1, {W + ".2.1.1.1.0"});  // the slot-less scalar other pages read
    EXPECT_NE(g.out.find("INTEGER: 5"), std::string::npos) << g.out;
    ASSERT_TRUE(m_sim.ok("set " + W + ".2.1.1.1.1 i 1"));
    ASSERT_TRUE(m_sim.ok("factory"));
    EXPECT_EQ(value(W + ".2.1.1.1.1"), "ok i 5");
}

// ---- Grouping -----------------------------------------------------------------------------------

const std::string kLoadBalance = W + ".2.6.1.0", kUserLimit = W + ".2.6.2.0", kLinkIntegrate = W + ".2.6.4.0",
                  kLinkStatus = W + ".2.6.5.0";

TEST_F(SimPages, GroupingScalarsAndTheirRanges) {
    const ToolResult g = get(kV1, {kLoadBalance, kUserLimit, kLinkIntegrate, kLinkStatus});
    ASSERT_EQ(g.exitCode, 0) << g.out;
    EXPECT_NE(g.out.find("STRING: \"Up\""), std::string::npos) << g.out;
    for (const char* good : {"0", "64"}) {
        ASSERT_EQ(set({kLoadBalance, "i", "1", kUserLimit, "i", good, kLinkIntegrate, "i", "1"}).exitCode, 0)
            << good;
        EXPECT_EQ(value(kUserLimit), std::string("ok i ") + good);
    }
    for (const char* bad : {"65", "-1", "100"}) expectRefused({kUserLimit, "i", bad}, "wrongValue");
    expectRefused({kLinkStatus, "s", "Down"}, "notWritable");
    EXPECT_EQ(value(kUserLimit), "ok i 64");
    // The AP mode row and the AP domain the page reads alongside.
    const ToolResult more =
        get(kV1, {W + ".2.1.1.1.1", W + ".2.3.1.11.1", W + ".2.12.1.1.1.1.1", W + ".2.12.1.1.1.2.1"});
    EXPECT_EQ(more.exitCode, 0) << more.out;
}

// ---- Statistics ---------------------------------------------------------------------------------

std::vector<std::string> statistics(int slot) {
    std::vector<std::string> oids;
    for (int n = 1; n <= 18; ++n)
        oids.push_back(W + ".4.3.1.1." + std::to_string(n) + "." + std::to_string(slot));
    return oids;
}

TEST_F(SimPages, CountersMoveBetweenReadsAndRatesStay) {
    const size_t mark = m_sim.logSize();
    ASSERT_EQ(get(kV1, statistics(1)).exitCode, 0);
    ASSERT_EQ(get(kV1, statistics(1)).exitCode, 0);
    std::map<std::string, std::vector<int64_t>> seen;
    for (const auto& l : m_sim.requests(mark))
        if (l.op == "GET") seen[l.asked].push_back(std::stoll(l.value));
    ASSERT_EQ(seen.size(), 18u);
    for (int n = 1; n <= 18; ++n) {
        const auto& v = seen[W + ".4.3.1.1." + std::to_string(n) + ".1"];
        ASSERT_EQ(v.size(), 2u) << n;
        EXPECT_EQ(v[0], n * 100 + 1) << n;
        EXPECT_EQ(v[1] - v[0], n >= 5 ? n : 0) << n;
    }
    // Slot 2 has its own counters; a walk moves them too.
    EXPECT_EQ(value(W + ".4.3.1.1.7.2"), "ok i 702");
    ASSERT_EQ(snmp("snmpwalk", kV2c, m_sim.endpoint(), {W + ".4.3.1.1.7"}).exitCode, 0);
    EXPECT_EQ(value(W + ".4.3.1.1.7.2"), "ok i 709");
}

TEST_F(SimPages, ACounterWrapsWithinItsRange) {
    ASSERT_TRUE(m_sim.ok("set " + W + ".4.3.1.1.18.1 i 2147483640"));
    ASSERT_EQ(get(kV1, {W + ".4.3.1.1.18.1"}).exitCode, 0);
    EXPECT_EQ(value(W + ".4.3.1.1.18.1"), "ok i 0");
}

// ---- System, information ------------------------------------------------------------------------

const std::string kRestart = W + ".3.2.1.0", kFactory = W + ".3.2.2.0";

TEST_F(SimPages, RestartAloneLeavesTheSettings) {
    ASSERT_TRUE(m_sim.ok("set " + W + ".2.6.2.0 i 12"));
    const size_t mark = m_sim.logSize();
    ASSERT_EQ(set({kRestart, "i", "1"}).exitCode, 0);
    auto restart =
        m_sim.waitForLog([](const SimLogLine& l) { return l.event && l.words[0] == "restart"; }, mark);
    ASSERT_TRUE(restart);
    EXPECT_EQ(restart->words.size(), 2u);  // no "factory"
    for (const auto& l : m_sim.requests(mark)) EXPECT_NE(l.asked, kFactory);
    EXPECT_EQ(value(kUserLimit), "ok i 12");
    EXPECT_EQ(value(kFactory), "ok i 2");
}

TEST_F(SimPages, FactoryDefaultRestoresTheProfile) {
    ASSERT_TRUE(m_sim.ok("set " + W + ".2.6.2.0 i 12"));
    const size_t mark = m_sim.logSize();
    ASSERT_EQ(set({kRestart, "i", "1", kFactory, "i", "1"}).exitCode, 0);
    auto restart = m_sim.waitForLog(
        [](const SimLogLine& l) { return l.event && l.words[0] == "restart" && l.words.back() == "factory"; },
        mark);
    ASSERT_TRUE(restart);
    EXPECT_EQ(value(kUserLimit), "ok i 64");
    EXPECT_EQ(value(W + ".1.2.2.0"), "ok a 127.0.0.1");  // the address stays reachable
}

TEST_F(SimPages, SystemGroupTakesItsLengths) {
    const std::string contact = "1.3.6.1.2.1.1.4.0", name = "1.3.6.1.2.1.1.5.0";
    ASSERT_EQ(set({contact, "s", std::string(255, 'c'), name, "s", std::string(40, 'n')}).exitCode, 0);
    EXPECT_EQ(value(name), "ok s \"" + std::string(40, 'n') + "\"");
    expectRefused({contact, "s", std::string(256, 'c')}, "wrongLength");
    expectRefused({"1.3.6.1.2.1.1.1.0", "s", "x"}, "notWritable");
    // The device page's slot and device objects, each request whole under v1.
    std::vector<std::string> slot, device;
    for (int n = 1; n <= 6; ++n) {
        slot.push_back(W + ".4.2.1." + std::to_string(n) + ".1");
        device.push_back(W + ".4.1.1." + std::to_string(n) + ".0");
    }
    for (const auto& oids : {slot, device}) {
        const ToolResult g = get(kV1, oids);
        EXPECT_EQ(g.exitCode, 0) << g.out;
        EXPECT_EQ(g.out.find("noSuchName"), std::string::npos) << g.out;
    }
}

}  // namespace
