#include "HvNetInterface.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>
#include <sys/socket.h>

namespace {

std::string dotted(const sockaddr* sa) {
    if (!sa || sa->sa_family != AF_INET) return "0.0.0.0";
    char text[INET_ADDRSTRLEN] = {};
    const auto* in = reinterpret_cast<const sockaddr_in*>(sa);
    return inet_ntop(AF_INET, &in->sin_addr, text, sizeof text) ? std::string(text) : std::string("0.0.0.0");
}

}  // namespace

std::vector<HvNetInterface> HvNetInterfacesFrom(const ifaddrs* list) {
    std::vector<HvNetInterface> out;
    for (const ifaddrs* it = list; it; it = it->ifa_next) {
        if (!it->ifa_addr || it->ifa_addr->sa_family != AF_INET) continue;
        HvNetInterface entry;
        entry.address = dotted(it->ifa_addr);
        entry.netmask = dotted(it->ifa_netmask);
        entry.up = (it->ifa_flags & IFF_UP) != 0;
        entry.broadcast = (it->ifa_flags & IFF_BROADCAST) != 0;
        entry.loopback = (it->ifa_flags & IFF_LOOPBACK) != 0;
        entry.pointToPoint = (it->ifa_flags & IFF_POINTOPOINT) != 0;
        entry.multicast = (it->ifa_flags & IFF_MULTICAST) != 0;
        out.push_back(std::move(entry));
    }
    return out;
}

std::vector<HvNetInterface> HvGetNetInterfaces() {
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0) return {};
    std::vector<HvNetInterface> out = HvNetInterfacesFrom(list);
    freeifaddrs(list);
    return out;
}
