#pragma once

#include <string>
#include <vector>

struct ifaddrs;

// One IPv4 address of a local network interface.
struct HvNetInterface {
    std::string address;                       // dotted form
    std::string broadcastAddress = "0.0.0.0";  // kept for the record's layout; never filled
    std::string otherAddress = "0.0.0.0";      // likewise
    std::string netmask;                       // dotted form; "0.0.0.0" when the system gives none
    bool up = false;
    bool broadcast = false;
    bool loopback = false;
    bool pointToPoint = false;
    bool multicast = false;
};

// Every IPv4 address of the PC's interfaces, loopback included, in the system's order; empty when
// the list cannot be read. All of them: a PC with containers, bridges or VPNs easily has more than
// ten, and cutting the list would hide the one in the device's subnet.
std::vector<HvNetInterface> HvGetNetInterfaces();

// The same listing over a list that getifaddrs() returned (or a test built).
std::vector<HvNetInterface> HvNetInterfacesFrom(const ifaddrs* list);
