#include "module/IpConfig.h"

#include <gtest/gtest.h>

#include "platform/IpConfigLines.h"

namespace {

using Lines = std::vector<std::string>;

// The shape of ipconfig's output, with a second adapter in another network.
const Lines kTwoAdapters = {
    "Windows IP Configuration",
    "",
    "Ethernet adapter eth0:",
    "",
    "        IP Address. . . . . . . . . . . . : 192.168.0.10",
    "        Subnet Mask . . . . . . . . . . . : 255.255.255.0",
    "        Default Gateway . . . . . . . . . : 192.168.0.1",
    "",
    "Ethernet adapter wlan0:",
    "",
    "        IP Address. . . . . . . . . . . . : 10.0.5.7\r",
    "        Subnet Mask . . . . . . . . . . . : 255.255.0.0\r",
    "        Default Gateway . . . . . . . . . : 10.0.0.1\r",
};

TEST(IpConfigParse, TakesTextAfterTheFirstColonOnce) {
    Lines addresses, gateways;
    Lines lines = kTwoAdapters;
    lines.push_back("        IP Address. . . . . . . . . . . . : 192.168.0.10");
    lines.push_back("        Default Gateway : 10.0.0.1: 8");
    lines.push_back("        Default Gateway without colon");
    lines.push_back("        Autoconfiguration IP Address. . . : 169.254.3.4");
    IpConfig::ParseIpConfig(lines, addresses, gateways);
    EXPECT_EQ(addresses, (Lines{" 192.168.0.10", " 10.0.5.7", " 169.254.3.4"}));
    EXPECT_EQ(gateways, (Lines{" 192.168.0.1", " 10.0.0.1", " 10.0.0.1: 8"}));
}

TEST(IpConfigParse, OtherWordingIsNotRecognised) {
    Lines addresses, gateways;
    IpConfig::ParseIpConfig({"   IPv4 Address. . . : 192.168.0.10", "   Standardgateway . . : 192.168.0.1"},
                            addresses, gateways);
    EXPECT_TRUE(addresses.empty());
    EXPECT_TRUE(gateways.empty());
}

struct NetworkCase {
    const char* name;
    const char* address;
    const char* mask;
    const char* network;
};

void PrintTo(const NetworkCase& c, std::ostream* os) {
    *os << c.name;
}

class IpConfigNetwork : public ::testing::TestWithParam<NetworkCase> {};

TEST_P(IpConfigNetwork, MasksOctets) {
    const auto& c = GetParam();
    EXPECT_EQ(IpConfig::NetworkOf(c.address, c.mask), c.network);
}

const NetworkCase kNetworkCases[] = {
    {"Plain", "192.168.0.10", "255.255.255.0", "192.168.0.0"},
    {"LeadingBlankFromTheLine", " 192.168.0.1", "255.255.255.0", "192.168.0.0"},
    {"TrailingBlank", "10.1.2.3 ", "255.255.0.0", "10.1.0.0"},
    {"NotANumberIsZero", "10.x.2.3", "255.255.255.0", "10.0.2.0"},
    {"MissingOctetsAreZero", "10.1", "255.255.255.0", "10.1.0.0"},
    {"Empty", "", "255.255.255.0", "0.0.0.0"},
};

INSTANTIATE_TEST_SUITE_P(Texts, IpConfigNetwork, ::testing::ValuesIn(kNetworkCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(IpConfigFind, GatewaySharingASlash24WithAnAddress) {
    Lines result;
    IpConfig::FindLocalAddresses(kTwoAdapters, result);
    // 10.0.0.1 is in 10.0.0.0/24, the address 10.0.5.7 in 10.0.5.0/24: only the /24 counts.
    EXPECT_EQ(result, (Lines{" 192.168.0.1"}));
}

TEST(IpConfigFind, GatewayInAnotherNetworkGivesNothing) {
    Lines result;
    IpConfig::FindLocalAddresses({" IP Address. . : 192.168.1.10", " Default Gateway . : 192.168.0.1"},
                                 result);
    EXPECT_TRUE(result.empty());
}

TEST(IpConfigFind, GatewayMatchingTwoAddressesAppearsOnce) {
    Lines result;
    IpConfig::FindLocalAddresses({" IP Address: 192.168.0.10", " IP Address: 192.168.0.11",
                                  " Default Gateway: 192.168.0.1", " Default Gateway: 192.168.0.254"},
                                 result);
    EXPECT_EQ(result, (Lines{" 192.168.0.1", " 192.168.0.254"}));
}

// The PC moved to another network between two calls: the old gateway is not offered, and a
// repeated call gives the same list, not a longer one.
TEST(IpConfigFind, EveryCallStartsAfresh) {
    Lines result;
    IpConfig::FindLocalAddresses(kTwoAdapters, result);
    IpConfig::FindLocalAddresses(kTwoAdapters, result);
    EXPECT_EQ(result, (Lines{" 192.168.0.1"}));
    IpConfig::FindLocalAddresses({" IP Address: 172.16.4.2", " Default Gateway: 172.16.4.1"}, result);
    EXPECT_EQ(result, (Lines{" 172.16.4.1"}));
}

// The platform's listing and this parser agree on the labels: a gateway of the adapter's /24 is
// found, one of another adapter's network is not.
TEST(IpConfigFind, ReadsThePlatformListing) {
    const auto lines = HvFormatIpConfig(HvMergeGateways(
        {{"eth0", {{"192.168.0.10", "255.255.255.0"}}, {}}, {"eth1", {{"10.1.1.5", "255.255.0.0"}}, {}}},
        {{"eth0", "192.168.0.1"}, {"eth1", "10.1.0.1"}}));
    Lines result;
    IpConfig::FindLocalAddresses(lines, result);
    EXPECT_EQ(result, (Lines{" 192.168.0.1"}));
}

// No fixed limit on adapters: a host with bridges and tunnels still finds its gateway.
TEST(IpConfigFind, ManyAdapters) {
    std::vector<HvIpConfigAdapter> adapters;
    for (int i = 0; i < 40; ++i)
        adapters.push_back(
            {"veth" + std::to_string(i), {{"172.18." + std::to_string(i) + ".2", "255.255.0.0"}}, {}});
    adapters.push_back({"eth0", {{"192.168.0.10", "255.255.255.0"}}, {}});
    Lines result;
    IpConfig::FindLocalAddresses(HvFormatIpConfig(HvMergeGateways(adapters, {{"eth0", "192.168.0.1"}})),
                                 result);
    EXPECT_EQ(result, (Lines{" 192.168.0.1"}));
}

}  // namespace
