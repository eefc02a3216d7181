#pragma once

// A simulator started for each test with its default communities, asked by the net-snmp tools the
// way a page's requests ask: the page tests of the simulator share it.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "sim/SimProcess.h"
#include "sim/SnmpTool.h"

namespace simpage {

// The device's arc; the pages' objects lie below it.
inline const std::string W = "1.3.6.1.4.1.47011.11.37.4";
inline const SnmpAccess kV1{"v1", {"-v1", "-c", "morello"}};
inline const SnmpAccess kV2c{"v2c", {"-v2c", "-c", "morello"}};

// prefix + tail for each tail, below the device's arc.
inline std::vector<std::string> under(const std::string& prefix, std::initializer_list<const char*> tails) {
    std::vector<std::string> out;
    for (const char* t : tails) out.push_back(W + prefix + t);
    return out;
}

class SimPageTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_sim.start()) << m_sim.error(); }
    ToolResult get(const SnmpAccess& a, const std::vector<std::string>& oids) {
        return snmp("snmpget", a, m_sim.endpoint(), oids);
    }
    ToolResult set(const std::vector<std::string>& rest) {
        return snmp("snmpset", kV2c, m_sim.endpoint(), rest);
    }
    SimProcess m_sim{{}};
};

}  // namespace simpage
