#pragma once

#include <string>
#include <string_view>
#include <vector>

// The PC's IPv4 configuration as lines in the style of ipconfig's output ("IP Address. . . : a",
// "Subnet Mask . . . : m", "Default Gateway . . . : g" under an "Ethernet adapter <name>:" line),
// built from the interface list and the kernel's routing table. No program is run and no file is
// written, so the parser of those lines works the same on live data and on fixtures.

struct HvIpConfigAddress {
    std::string address;  // dotted
    std::string mask;     // dotted
};

struct HvIpConfigAdapter {
    std::string name;
    std::vector<HvIpConfigAddress> addresses;
    std::vector<std::string> gateways;  // dotted, preferred first
};

struct HvIpConfigRoute {
    std::string interface;
    std::string gateway;  // dotted
};

// The default routes through a gateway (destination and mask 0, up, gateway flag) in the text of
// /proc/net/route, lowest metric first; rows of equal metric keep their order. Malformed rows are
// skipped.
std::vector<HvIpConfigRoute> HvDefaultGateways(std::string_view procNetRoute);

// Puts each gateway under its interface; an interface that has a gateway but no address of its own
// gets an adapter of its own after the others.
std::vector<HvIpConfigAdapter> HvMergeGateways(std::vector<HvIpConfigAdapter> adapters,
                                               const std::vector<HvIpConfigRoute>& routes);

std::vector<std::string> HvFormatIpConfig(const std::vector<HvIpConfigAdapter>& adapters);

// The interfaces that are up with IPv4 addresses (loopback left out, as ipconfig does), with
// their default gateways.
std::vector<HvIpConfigAdapter> HvIpConfigAdapters();
// HvFormatIpConfig(HvIpConfigAdapters()).
std::vector<std::string> HvIpConfigLines();
