// What the wireless page needs of the device: every object of its requests at the wire form each
// request sends (scalars read as OID.0, instances as they stand, RADIUS settings as .0.0), answered
// to one PDU per request under v1, written where the security page reads them, and a site survey
// whose rows the tests choose and the device refills. The OIDs here are written out by hand, not
// taken from the module's tables, so a slip in either shows.

#include "sim/SimPageFixture.h"

namespace {

using namespace simpage;

struct WireRequest {
    const char* name;
    std::vector<std::string> oids;  // one GET as the page sends it
};

std::vector<WireRequest> pageRequests() {
    return {
        {"reqBasic", under(".1.1.1", {".1.1.0", ".2.1.0", ".3.1.0", ".4.1.0", ".5.1.0", ".1.2.0", ".2.2.0",
                                      ".3.2.0", ".4.2.0", ".5.2.0"})},
        {"reqSuperMode", {W + ".2.3.1.11.0"}},
        {"reqDynChannels", {W + ".2.3.1.15.0"}},
        {"reqStatChannels", {W + ".2.3.1.16.0"}},
        {"reqRadioWave", {W + ".2.3.1.12.1.0"}},
        {"reqMultiOverWds", {W + ".2.3.1.26.1.0"}},
        {"reqAutoChannelScan", {W + ".2.3.1.14.1.0"}},
        {"reqApMode", under(".2", {".1.1.1.1", ".2.1.2.1.1", ".2.1.2.1.2", ".2.1.2.1.3", ".2.1.2.1.4",
                                   ".2.1.2.1.5", ".2.1.2.1.6", ".2.1.2.1.7", ".2.1.2.1.8"})},
        {"reqRootAp", {W + ".2.1.1.3.1.0", W + ".1.1.1.1.1.0"}},
        {"reqSecurity",
         under(".2.5", {".1.1.1.1.0", ".1.1.2.1.0", ".1.1.3.1.0", ".1.1.1.2.0", ".1.1.2.2.0", ".1.1.3.2.0",
                        ".3.1.1.1.1.0", ".3.1.1.1.2.0", ".3.1.1.1.3.0", ".3.1.1.1.4.0", ".3.1.1.2.1.0",
                        ".3.1.1.2.2.0", ".3.1.1.2.3.0", ".3.1.1.2.4.0"})},
        {"reqKeyType", {W + ".2.5.1.1.7.0"}},
        {"reqMultiSsidState", {W + ".2.9.3.1.1.0"}},
        {"reqGuest", under(".2.9", {".1.1.1.1", ".2.1.2.1.2", ".2.1.2.1.3", ".2.1.2.1.4", ".2.1.5.1.2",
                                    ".2.1.5.1.3", ".2.1.5.1.4"})},
        {"reqGuestKeyIndex", under(".2.9.2.1.6.1", {".2.0", ".3.0", ".4.0"})},
        {"reqCipherRadius", under(".2.5", {".1.1.5.1.0", ".2.4.0.0", ".1.1.6.1.0", ".2.3.0.0", ".2.5.0.0"})},
        {"reqCipherPsk", under(".2.5.1.1", {".5.1.0", ".6.1.0", ".4.1.0"})},
        {"reqRefresh", {W + ".2.8.1.1.1.0"}},
        {"reqMultiSsidEncryption",
         under(".2.9.2.1", {".5.1.2", ".5.1.3", ".5.1.4", ".5.1.5", ".5.1.6", ".5.1.7", ".5.1.8", ".4.1.2",
                            ".4.1.3", ".4.1.4", ".4.1.5", ".4.1.6", ".4.1.7", ".4.1.8"})},
        {"reqCluster", {W + ".2.12.1.1.1.1.1", W + ".2.12.1.1.1.2.1"}},
        {"capabilities", under(".99.1.1", {".1.0", ".9.0", ".13.0", ".15.0", ".49.0", ".51.0"})},
        {"firmware", {W + ".4.1.1.1.0"}},
    };
}

class SimWirless : public SimPageTest {
protected:
    size_t rows(const std::string& column) {
        const ToolResult w = snmp("snmpwalk", kV2c, m_sim.endpoint(), {column});
        EXPECT_EQ(w.exitCode, 0) << w.out;
        size_t n = 0;
        for (size_t p = w.out.find(" = "); p != std::string::npos; p = w.out.find(" = ", p + 1)) ++n;
        return w.out.find("No Such") == std::string::npos ? n : 0;
    }
};

// Under v1 one missing object fails the whole request: each of the page's reads must find all.
TEST_F(SimWirless, EveryRequestOfThePageIsAnsweredWhole) {
    for (const auto& r : pageRequests()) {
        SCOPED_TRACE(r.name);
        const ToolResult g = get(kV1, r.oids);
        EXPECT_EQ(g.exitCode, 0) << g.out;
        EXPECT_EQ(g.out.find("noSuchName"), std::string::npos) << g.out;
    }
    // The multi-SSID table walks with its two keys, eight SSIDs of interface 1.
    EXPECT_EQ(rows(W + ".2.9.2.1.3.1"), 8u);
    EXPECT_EQ(rows(W + ".2.8.2.1.5"), 4u);
}

TEST_F(SimWirless, CapabilitiesOfAFullDevice) {
    EXPECT_EQ(m_sim.command("get " + W + ".99.1.1.1.0"), "ok i 127");
    for (const char* cap : {".9.0", ".13.0", ".15.0", ".49.0", ".51.0"})
        EXPECT_EQ(m_sim.command("get " + W + ".99.1.1" + cap), "ok i 1") << cap;
}

// The writes of Apply, one PDU per request, land on the objects the reads see.
TEST_F(SimWirless, ApplyWritesLandWhereTheyAreRead) {
    const std::string mac = W + ".2.2.1.2.1.";
    ToolResult s =
        set({W + ".2.1.1.1.1", "i", "3", mac + "1", "x", "001122AABBCC", mac + "2", "x", "000000000000"});
    ASSERT_EQ(s.exitCode, 0) << s.out;
    EXPECT_EQ(m_sim.command("get " + W + ".2.1.1.1.1"), "ok i 3");
    EXPECT_EQ(m_sim.command("get " + mac + "1"), "ok x 001122AABBCC");

    s = set({W + ".2.5.1.1.1.1.0", "i", "4", W + ".2.5.1.1.2.1.0", "i", "1", W + ".2.5.3.1.1.1.2.0", "s",
             "6162636465"});
    ASSERT_EQ(s.exitCode, 0) << s.out;
    s = set({W + ".2.5.1.1.5.1.0", "i", "2", W + ".2.5.2.4.0.0", "i", "1645", W + ".2.5.1.1.6.1.0", "i",
             "900", W + ".2.5.2.3.0.0", "s", "10.0.0.5", W + ".2.5.2.5.0.0", "s", "secret"});
    ASSERT_EQ(s.exitCode, 0) << s.out;
    s = set({W + ".2.1.1.3.1.0", "x", "00AABBCCDDEE", W + ".1.1.1.1.1.0", "s", "root-ssid"});
    ASSERT_EQ(s.exitCode, 0) << s.out;
    s = set({W + ".2.12.1.1.1.2.1", "i", "2", W + ".2.3.1.26.1.0", "i", "1", W + ".2.5.1.1.7.0", "i", "1"});
    ASSERT_EQ(s.exitCode, 0) << s.out;

    // The security page reads the same objects as one row and the RADIUS group as scalars.
    const ToolResult g =
        get(kV2c, {W + ".2.5.1.1.1.1", W + ".2.5.3.1.1.1.2", W + ".2.5.2.4.0", W + ".2.5.2.3.0",
                   W + ".2.5.1.1.6.0", W + ".2.1.1.1.0", W + ".1.1.1.1.1"});
    ASSERT_EQ(g.exitCode, 0) << g.out;
    for (const char* want : {"INTEGER: 4", "STRING: \"6162636465\"", "INTEGER: 1645", "STRING: \"10.0.0.5\"",
                             "INTEGER: 900", "INTEGER: 3", "STRING: \"root-ssid\""})
        EXPECT_NE(g.out.find(want), std::string::npos) << want << "\n" << g.out;
    EXPECT_EQ(m_sim.command("get " + W + ".2.1.1.3.1"), "ok x 00AABBCCDDEE");
    EXPECT_EQ(m_sim.command("get " + W + ".2.12.1.1.1.2.1"), "ok i 2");
    EXPECT_EQ(m_sim.command("get " + W + ".2.5.1.1.7.0"), "ok i 1");
}

TEST_F(SimWirless, SecondarySsidsWrittenByTheirOwnRows) {
    std::vector<std::string> args;
    for (int ssid = 2; ssid <= 8; ++ssid) {
        args.insert(args.end(), {W + ".2.9.2.1.5.1." + std::to_string(ssid), "i", "0"});
        args.insert(args.end(),
                    {W + ".2.9.2.1.4.1." + std::to_string(ssid), "i", std::to_string(ssid == 5 ? 5 : 1)});
    }
    ASSERT_EQ(set(args).exitCode, 0);
    EXPECT_EQ(m_sim.command("get " + W + ".2.9.2.1.4.1.5"), "ok i 5");
    EXPECT_EQ(m_sim.command("get " + W + ".2.9.2.1.4.1.4"), "ok i 1");
    // The guests' key index, read as scalars, is the same row object.
    ASSERT_EQ(set({W + ".2.9.2.1.6.1.3.0", "i", "4"}).exitCode, 0);
    EXPECT_EQ(m_sim.command("get " + W + ".2.9.2.1.6.1.3"), "ok i 4");
}

TEST_F(SimWirless, SurveyRowsAsTheTestChoosesAndRefilled) {
    const std::string bssid = W + ".2.8.2.1.5";
    ASSERT_TRUE(m_sim.ok("survey 0"));
    EXPECT_EQ(rows(bssid), 0u);
    ASSERT_TRUE(m_sim.ok("survey 6"));
    EXPECT_EQ(rows(W + ".2.8.2.1.7"), 6u);
    EXPECT_EQ(rows(W + ".2.8.2.1.2"), 6u);
    const std::string before = m_sim.command("get " + bssid + ".6");

    // The page's trigger, as a scalar: the device refills as many rows, with new neighbours.
    const size_t mark = m_sim.logSize();
    ASSERT_EQ(set({W + ".2.8.1.1.1.0", "i", "1"}).exitCode, 0);
    auto refill =
        m_sim.waitForLog([](const SimLogLine& l) { return l.event && l.words[0] == "refill"; }, mark);
    ASSERT_TRUE(refill);
    EXPECT_EQ(refill->words[1], "survey");
    EXPECT_EQ(rows(bssid), 6u);
    EXPECT_NE(m_sim.command("get " + bssid + ".6"), before);
    EXPECT_EQ(m_sim.command("get " + W + ".2.8.1.1.1.0"), "ok i 0");
    // A BSSID is six octets, which the page shows as twelve hex digits.
    EXPECT_EQ(m_sim.command("get " + bssid + ".1").size(), std::string("ok x ").size() + 12);

    EXPECT_EQ(m_sim.command("survey 256").rfind("error ", 0), 0u);
    EXPECT_EQ(m_sim.command("survey -1").rfind("error ", 0), 0u);
    ASSERT_TRUE(m_sim.ok("factory"));
    EXPECT_EQ(rows(bssid), 4u);
}

}  // namespace
