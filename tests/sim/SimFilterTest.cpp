// What the access filter pages need of the device: the filter's objects per slot with the values the
// device takes, and the fixed MAC tables whose walk ends at the end of each slot's column. The OIDs
// are written out by hand, not taken from the module's tables, so a slip in either shows.

#include "sim/SimPageFixture.h"

namespace {

using namespace simpage;

class SimFilter : public SimPageTest {
protected:
    std::string value(const std::string& oid) { return m_sim.command("get " + oid); }
    void expectRefused(const std::vector<std::string>& rest) {
        const ToolResult s = set(rest);
        EXPECT_NE(s.out.find("wrongValue"), std::string::npos) << s.out;
    }
};

TEST_F(SimFilter, TakesTheFilterModesAndSwitchesOnly) {
    for (const char* slot : {"1", "2"}) {
        const std::string access = W + ".2.4.1.1.1." + slot;
        const std::string stations = W + ".2.4.3.1.1." + slot;
        ASSERT_EQ(set({access, "i", "2", stations, "i", "0"}).exitCode, 0) << slot;
        expectRefused({access, "i", "0"});
        expectRefused({access, "i", "4"});
        // One refused switch fails the whole write.
        expectRefused({access, "i", "1", W + ".2.4.3.1.3." + slot, "i", "2"});
        EXPECT_EQ(value(access), "ok i 2") << slot;
        EXPECT_EQ(value(stations), "ok i 0") << slot;
    }
}

TEST_F(SimFilter, EachSlotHasEightFreeRowsOfItsOwn) {
    const ToolResult walk = snmp("snmpwalk", kV2c, m_sim.endpoint(), {W + ".2.4.2.1.2.1"});
    ASSERT_EQ(walk.exitCode, 0) << walk.out;
    size_t rows = 0;
    for (size_t at = walk.out.find("2.4.2.1.2.1."); at != std::string::npos;
         at = walk.out.find("2.4.2.1.2.1.", at + 1))
        ++rows;
    EXPECT_EQ(rows, 8u) << walk.out;
    EXPECT_EQ(value(W + ".2.4.2.1.2.1.8"), "ok x 000000000000");
    EXPECT_EQ(value(W + ".2.4.2.1.2.2.1"), "ok x 000000000000");
}

}  // namespace
