#pragma once

#include <string>
#include <string_view>
#include <vector>

// The main window's second opinion on the PC's addresses: the default gateways, read from lines in
// the style of ipconfig's output, that share a /24 network with one of the PC's own addresses.
// The lines come from the platform's ipconfig-style listing (or from fixtures in tests).
namespace IpConfig {

// For each line: one that contains "Default Gateway" and a ':' adds everything after the first ':'
// (untrimmed) to gateways; otherwise one that contains "IP Address" and a ':' adds the same to
// addresses. Neither list takes a text twice. A line's trailing carriage return is not part of it.
void ParseIpConfig(const std::vector<std::string>& lines, std::vector<std::string>& addresses,
                   std::vector<std::string>& gateways);

// The four octets of address AND mask, dotted. Blanks around an octet are skipped; an octet that
// is missing or not a number counts as 0.
std::string NetworkOf(std::string_view address, std::string_view mask);

// Exact text comparison.
bool ListContains(const std::vector<std::string>& list, std::string_view text);

// Replaces result with the gateways (in the order of the lines, each once, texts as they stood
// after the colon) whose /24 network is that of one of the addresses in the same lines. Every call
// starts afresh, so a gateway of a network the PC has left is not offered again.
void FindLocalAddresses(const std::vector<std::string>& lines, std::vector<std::string>& result);

}  // namespace IpConfig
