#include "platform/IpConfigLines.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdio>

#include <arpa/inet.h>

namespace {

// A routing-table address field as the kernel prints it: the network-order word read by the host.
std::string routeHex(const char* dotted) {
    in_addr a{};
    EXPECT_EQ(inet_pton(AF_INET, dotted, &a), 1);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%08X", a.s_addr);
    return buf;
}

std::string routeTable(const std::vector<std::string>& rows) {
    std::string text =
        "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n";
    for (const auto& row : rows) text += row + "\n";
    return text;
}

std::string row(const char* iface, const char* dest, const char* gw, const char* flags, const char* metric,
                const char* mask) {
    return std::string(iface) + "\t" + routeHex(dest) + "\t" + routeHex(gw) + "\t" + flags + "\t0\t0\t" +
           metric + "\t" + routeHex(mask) + "\t0\t0\t0";
}

TEST(IpConfigRoutes, LittleEndianFieldDecodes) {
    if (std::endian::native != std::endian::little)
        GTEST_SKIP() << "the fixture is a little-endian host's table";
    const auto routes =
        HvDefaultGateways(routeTable({"eth0\t00000000\t0100A8C0\t0003\t0\t0\t100\t00000000\t0\t0\t0",
                                      "eth0\t0000A8C0\t00000000\t0001\t0\t0\t100\t00FFFFFF\t0\t0\t0"}));
    ASSERT_EQ(routes.size(), 1u);
    EXPECT_EQ(routes[0].interface, "eth0");
    EXPECT_EQ(routes[0].gateway, "192.168.0.1");
}

TEST(IpConfigRoutes, OnlyDefaultRoutesThroughAGatewayByMetric) {
    const auto routes = HvDefaultGateways(routeTable({
        row("wlan0", "0.0.0.0", "10.0.0.1", "0003", "600", "0.0.0.0"),
        row("eth0", "0.0.0.0", "192.168.0.1", "0003", "100", "0.0.0.0"),
        row("eth0", "10.8.0.0", "192.168.0.254", "0003", "0", "255.255.0.0"),  // not a default route
        row("eth1", "0.0.0.0", "172.16.0.1", "0002", "0", "0.0.0.0"),          // not up
        row("tun0", "0.0.0.0", "0.0.0.0", "0001", "0", "0.0.0.0"),             // no gateway
        "garbage line",
        row("eth2", "0.0.0.0", "172.17.0.1", "0003", "600", "0.0.0.0"),
    }));
    ASSERT_EQ(routes.size(), 3u);
    EXPECT_EQ(routes[0].gateway, "192.168.0.1");
    EXPECT_EQ(routes[1].gateway, "10.0.0.1");
    EXPECT_EQ(routes[1].interface, "wlan0");
    EXPECT_EQ(routes[2].gateway, "172.17.0.1");
}

TEST(IpConfigRoutes, EmptyOrHeaderOnlyTable) {
    EXPECT_TRUE(HvDefaultGateways("").empty());
    EXPECT_TRUE(HvDefaultGateways(routeTable({})).empty());
}

TEST(IpConfigFormat, GatewaysUnderTheirAdapters) {
    const auto adapters =
        HvMergeGateways({{"eth0", {{"192.168.0.10", "255.255.255.0"}, {"192.168.7.3", "255.255.255.0"}}, {}}},
                        {{"eth0", "192.168.0.1"}, {"eth0", "192.168.0.1"}, {"ppp0", "10.64.0.1"}});
    const std::vector<std::string> expected = {
        "Ethernet adapter eth0:",
        "",
        "        IP Address. . . . . . . . . . . . : 192.168.0.10",
        "        Subnet Mask . . . . . . . . . . . : 255.255.255.0",
        "        IP Address. . . . . . . . . . . . : 192.168.7.3",
        "        Subnet Mask . . . . . . . . . . . : 255.255.255.0",
        "        Default Gateway . . . . . . . . . : 192.168.0.1",
        "",
        "Ethernet adapter ppp0:",
        "",
        "        Default Gateway . . . . . . . . . : 10.64.0.1",
        "",
    };
    EXPECT_EQ(HvFormatIpConfig(adapters), expected);
}

// The live listing: whatever the machine has, every address is dotted and no loopback address is
// listed.
TEST(IpConfigLive, AddressesAreDotted) {
    for (const HvIpConfigAdapter& adapter : HvIpConfigAdapters()) {
        for (const HvIpConfigAddress& a : adapter.addresses) {
            in_addr parsed{};
            EXPECT_EQ(inet_pton(AF_INET, a.address.c_str(), &parsed), 1) << a.address;
            EXPECT_NE(a.address.rfind("127.", 0), 0u) << a.address;
        }
        for (const std::string& gateway : adapter.gateways) {
            in_addr parsed{};
            EXPECT_EQ(inet_pton(AF_INET, gateway.c_str(), &parsed), 1) << gateway;
        }
    }
}

}  // namespace
