#include "library/HvNetInterface.h"

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

namespace {

TEST(HvGetNetInterfaces, ListsTheLoopback) {
    const auto list = HvGetNetInterfaces();
    const auto lo =
        std::find_if(list.begin(), list.end(), [](const auto& i) { return i.address == "127.0.0.1"; });
    ASSERT_NE(lo, list.end()) << "no 127.0.0.1 among " << list.size() << " addresses";
    EXPECT_EQ(lo->netmask, "255.0.0.0");
    EXPECT_TRUE(lo->up);
    EXPECT_TRUE(lo->loopback);
    EXPECT_FALSE(lo->pointToPoint);
    EXPECT_EQ(lo->broadcastAddress, "0.0.0.0");
    EXPECT_EQ(lo->otherAddress, "0.0.0.0");
}

// An interface list as getifaddrs() returns it, built by hand.
class FakeInterfaces {
public:
    void addV4(const char* address, const char* mask, unsigned flags) {
        auto& n = m_nodes.emplace_back();
        n.addr.sin_family = AF_INET;
        inet_pton(AF_INET, address, &n.addr.sin_addr);
        n.mask.sin_family = AF_INET;
        n.hasMask = mask != nullptr;
        if (mask) inet_pton(AF_INET, mask, &n.mask.sin_addr);
        n.flags = flags;
    }
    void addV6() { m_nodes.emplace_back().v6 = true; }
    void addWithoutAddress() { m_nodes.emplace_back().noAddress = true; }

    const ifaddrs* list() {
        m_list.assign(m_nodes.size(), ifaddrs{});
        for (std::size_t i = 0; i < m_nodes.size(); ++i) {
            auto& n = m_nodes[i];
            auto& e = m_list[i];
            e.ifa_name = const_cast<char*>("fake0");
            e.ifa_flags = n.flags;
            n.addr6.sin6_family = AF_INET6;
            e.ifa_addr = n.noAddress ? nullptr
                         : n.v6      ? reinterpret_cast<sockaddr*>(&n.addr6)
                                     : reinterpret_cast<sockaddr*>(&n.addr);
            e.ifa_netmask = n.hasMask ? reinterpret_cast<sockaddr*>(&n.mask) : nullptr;
            e.ifa_next = i + 1 < m_nodes.size() ? &m_list[i + 1] : nullptr;
        }
        return m_list.empty() ? nullptr : &m_list.front();
    }

private:
    struct Node {
        sockaddr_in addr{};
        sockaddr_in mask{};
        sockaddr_in6 addr6{};
        unsigned flags = 0;
        bool hasMask = false;
        bool v6 = false;
        bool noAddress = false;
    };
    std::vector<Node> m_nodes;
    std::vector<ifaddrs> m_list;
};

TEST(HvNetInterfacesFrom, KeepsEveryIpv4AddressInOrder) {
    FakeInterfaces fake;
    fake.addV6();
    fake.addWithoutAddress();
    for (int i = 0; i < 12; ++i)
        fake.addV4(("172.17." + std::to_string(i) + ".1").c_str(), "255.255.0.0", IFF_UP | IFF_BROADCAST);
    const auto list = HvNetInterfacesFrom(fake.list());
    ASSERT_EQ(list.size(), 12u);  // more than ten: the device's subnet may be the last
    EXPECT_EQ(list.front().address, "172.17.0.1");
    EXPECT_EQ(list.back().address, "172.17.11.1");
    EXPECT_EQ(list.back().netmask, "255.255.0.0");
}

struct FlagCase {
    const char* name;
    unsigned flags;
    HvNetInterface expected;
};

void PrintTo(const FlagCase& c, std::ostream* os) {
    *os << c.name;
}

class InterfaceFlags : public ::testing::TestWithParam<FlagCase> {};

TEST_P(InterfaceFlags, MapsEachFlag) {
    FakeInterfaces fake;
    fake.addV4("10.0.0.2", GetParam().expected.netmask == "0.0.0.0" ? nullptr : "255.255.255.0",
               GetParam().flags);
    const auto list = HvNetInterfacesFrom(fake.list());
    ASSERT_EQ(list.size(), 1u);
    const auto& got = list.front();
    const auto& want = GetParam().expected;
    EXPECT_EQ(got.address, "10.0.0.2");
    EXPECT_EQ(got.netmask, want.netmask);
    EXPECT_EQ(got.up, want.up);
    EXPECT_EQ(got.broadcast, want.broadcast);
    EXPECT_EQ(got.loopback, want.loopback);
    EXPECT_EQ(got.pointToPoint, want.pointToPoint);
    EXPECT_EQ(got.multicast, want.multicast);
}

HvNetInterface withFlags(bool up, bool broadcast, bool loopback, bool p2p, bool multicast,
                         const char* netmask = "255.255.255.0") {
    HvNetInterface i;
    i.netmask = netmask;
    i.up = up;
    i.broadcast = broadcast;
    i.loopback = loopback;
    i.pointToPoint = p2p;
    i.multicast = multicast;
    return i;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, InterfaceFlags,
    ::testing::Values(FlagCase{"Down", 0, withFlags(false, false, false, false, false)},
                      FlagCase{"Ethernet", IFF_UP | IFF_BROADCAST | IFF_MULTICAST | IFF_RUNNING,
                               withFlags(true, true, false, false, true)},
                      FlagCase{"Loopback", IFF_UP | IFF_LOOPBACK, withFlags(true, false, true, false, false)},
                      FlagCase{"PointToPoint", IFF_UP | IFF_POINTOPOINT,
                               withFlags(true, false, false, true, false)},
                      FlagCase{"NoNetmask", IFF_UP, withFlags(true, false, false, false, false, "0.0.0.0")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HvNetInterfacesFrom, EmptyList) {
    EXPECT_TRUE(HvNetInterfacesFrom(nullptr).empty());
}

}  // namespace
