// What the administration pages need of the device: the numbers it refuses for the management VLAN
// and the consoles, with what it held kept. The OIDs are written out by hand, not taken from the
// module's tables, so a slip in either shows.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/SimPageFixture.h"
#include "tests/NamedRows.h"

namespace {

using hvtest::PrintTo;
using namespace simpage;

struct RangeCase {
    const char* name;
    std::string oid;
    std::vector<const char*> taken;
    std::vector<const char*> refused;
};

class SimAdminRanges : public SimPageTest, public ::testing::WithParamInterface<RangeCase> {};

TEST_P(SimAdminRanges, RefusedNumbersLeaveTheLastTaken) {
    const RangeCase& c = GetParam();
    for (const char* v : c.taken) {
        const ToolResult s = set({c.oid, "i", v});
        ASSERT_EQ(s.exitCode, 0) << v << ": " << s.out;
    }
    const std::string kept = m_sim.command("get " + c.oid);
    EXPECT_EQ(kept, std::string("ok i ") + c.taken.back());
    for (const char* v : c.refused) {
        const ToolResult s = set({c.oid, "i", v});
        EXPECT_NE(s.exitCode, 0) << v;
        EXPECT_NE(s.out.find("wrongValue"), std::string::npos) << v << ": " << s.out;
    }
    EXPECT_EQ(m_sim.command("get " + c.oid), kept);
}

INSTANTIATE_TEST_SUITE_P(
    Objects, SimAdminRanges,
    ::testing::Values(RangeCase{"ManagerVlanId", W + ".3.1.8.2.0", {"4094", "1"}, {"0", "4095"}},
                      RangeCase{"Telnet", W + ".3.4.1.0", {"0", "1"}, {"2", "-1"}},
                      RangeCase{"ConsoleTimeout", W + ".3.4.2.0", {"5", "0"}, {"6", "-1"}},
                      RangeCase{"Ssh", W + ".3.4.3.0", {"1", "0"}, {"2"}}),
    [](const auto& info) { return std::string(info.param.name); });

// One refused console switch fails the whole write: the account set with it stays unwritten.
TEST_F(SimPageTest, RefusedSwitchWritesNothingOfItsRequest) {
    const ToolResult s = set({W + ".3.1.2.0", "s", "fresh", W + ".3.4.3.0", "i", "3"});
    EXPECT_NE(s.exitCode, 0);
    EXPECT_EQ(m_sim.command("get " + W + ".3.1.2.0"), "ok s \"password\"");
}

}  // namespace
