#include "IpConfigLines.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <sstream>

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <net/route.h>
#include <netinet/in.h>

namespace {

std::vector<std::string_view> fields(std::string_view line) {
    std::vector<std::string_view> out;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
        if (i > start) out.push_back(line.substr(start, i - start));
    }
    return out;
}

bool hexField(std::string_view text, uint32_t& value) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    return ec == std::errc() && end == text.data() + text.size();
}

bool decimalField(std::string_view text, uint32_t& value) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

std::string dotted(const in_addr& address) {
    char buf[INET_ADDRSTRLEN] = {};
    if (!inet_ntop(AF_INET, &address, buf, sizeof buf)) return {};
    return buf;
}

std::string dotted(const sockaddr* sa) {
    if (!sa || sa->sa_family != AF_INET) return {};
    sockaddr_in in;
    std::memcpy(&in, sa, sizeof in);
    return dotted(in.sin_addr);
}

std::string readAll(const char* path) {
    std::ifstream in(path);
    if (!in) return {};
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

std::vector<HvIpConfigRoute> HvDefaultGateways(std::string_view procNetRoute) {
    struct Row {
        HvIpConfigRoute route;
        uint32_t metric;
    };
    std::vector<Row> rows;
    bool header = true;
    while (!procNetRoute.empty()) {
        const std::size_t eol = procNetRoute.find('\n');
        const std::string_view line = procNetRoute.substr(0, eol);
        procNetRoute.remove_prefix(eol == std::string_view::npos ? procNetRoute.size() : eol + 1);
        if (header) {  // "Iface Destination Gateway Flags RefCnt Use Metric Mask ..."
            header = false;
            continue;
        }
        const auto f = fields(line);
        uint32_t destination = 0, gateway = 0, flags = 0, metric = 0, mask = 0;
        if (f.size() < 8 || !hexField(f[1], destination) || !hexField(f[2], gateway) ||
            !hexField(f[3], flags) || !decimalField(f[6], metric) || !hexField(f[7], mask))
            continue;
        if (destination != 0 || mask != 0 || gateway == 0 || (flags & RTF_UP) == 0 ||
            (flags & RTF_GATEWAY) == 0)
            continue;
        // The kernel prints the address as the host reads its network-order bytes.
        in_addr address;
        address.s_addr = gateway;
        rows.push_back({{std::string(f[0]), dotted(address)}, metric});
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const Row& a, const Row& b) { return a.metric < b.metric; });
    std::vector<HvIpConfigRoute> routes;
    for (Row& row : rows) routes.push_back(std::move(row.route));
    return routes;
}

std::vector<HvIpConfigAdapter> HvMergeGateways(std::vector<HvIpConfigAdapter> adapters,
                                               const std::vector<HvIpConfigRoute>& routes) {
    for (const HvIpConfigRoute& route : routes) {
        auto it = std::find_if(adapters.begin(), adapters.end(),
                               [&](const HvIpConfigAdapter& a) { return a.name == route.interface; });
        if (it == adapters.end())
            it = adapters.insert(adapters.end(), HvIpConfigAdapter{route.interface, {}, {}});
        if (std::find(it->gateways.begin(), it->gateways.end(), route.gateway) == it->gateways.end())
            it->gateways.push_back(route.gateway);
    }
    return adapters;
}

std::vector<std::string> HvFormatIpConfig(const std::vector<HvIpConfigAdapter>& adapters) {
    std::vector<std::string> lines;
    for (const HvIpConfigAdapter& adapter : adapters) {
        lines.push_back("Ethernet adapter " + adapter.name + ":");
        lines.emplace_back();
        for (const HvIpConfigAddress& a : adapter.addresses) {
            lines.push_back("        IP Address. . . . . . . . . . . . : " + a.address);
            lines.push_back("        Subnet Mask . . . . . . . . . . . : " + a.mask);
        }
        for (const std::string& gateway : adapter.gateways)
            lines.push_back("        Default Gateway . . . . . . . . . : " + gateway);
        lines.emplace_back();
    }
    return lines;
}

std::vector<HvIpConfigAdapter> HvIpConfigAdapters() {
    std::vector<HvIpConfigAdapter> adapters;
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) == 0) {
        for (const ifaddrs* ifa = list; ifa; ifa = ifa->ifa_next) {
            if (!ifa->ifa_name || !ifa->ifa_addr || ifa->ifa_addr->sa_family != AF_INET) continue;
            if ((ifa->ifa_flags & IFF_UP) == 0 || (ifa->ifa_flags & IFF_LOOPBACK) != 0) continue;
            const std::string name = ifa->ifa_name;
            auto it = std::find_if(adapters.begin(), adapters.end(),
                                   [&](const HvIpConfigAdapter& a) { return a.name == name; });
            if (it == adapters.end()) it = adapters.insert(adapters.end(), HvIpConfigAdapter{name, {}, {}});
            it->addresses.push_back({dotted(ifa->ifa_addr), dotted(ifa->ifa_netmask)});
        }
        freeifaddrs(list);
    }
    return HvMergeGateways(std::move(adapters), HvDefaultGateways(readAll("/proc/net/route")));
}

std::vector<std::string> HvIpConfigLines() {
    return HvFormatIpConfig(HvIpConfigAdapters());
}
