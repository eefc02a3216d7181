#include "IpConfig.h"

#include <charconv>
#include <cstdint>

namespace IpConfig {

namespace {

constexpr std::string_view kSubnet24 = "255.255.255.0";

void addOnce(std::vector<std::string>& list, std::string_view text) {
    if (!ListContains(list, text)) list.emplace_back(text);
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

uint32_t octetAt(std::string_view text, int index) {
    for (int i = 0; i < index; ++i) {
        const std::size_t dot = text.find('.');
        if (dot == std::string_view::npos) return 0;
        text.remove_prefix(dot + 1);
    }
    text = text.substr(0, text.find('.'));
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    uint32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return 0;
    return value;
}

}  // namespace

void ParseIpConfig(const std::vector<std::string>& lines, std::vector<std::string>& addresses,
                   std::vector<std::string>& gateways) {
    for (std::string_view line : lines) {
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        std::vector<std::string>* target = nullptr;
        if (line.find("Default Gateway") != std::string_view::npos)
            target = &gateways;
        else if (line.find("IP Address") != std::string_view::npos)
            target = &addresses;
        if (!target) continue;
        const std::size_t colon = line.find(':');
        if (colon != std::string_view::npos) addOnce(*target, line.substr(colon + 1));
    }
}

std::string NetworkOf(std::string_view address, std::string_view mask) {
    std::string network;
    for (int i = 0; i < 4; ++i) {
        if (i > 0) network += '.';
        network += std::to_string(octetAt(address, i) & octetAt(mask, i));
    }
    return network;
}

bool ListContains(const std::vector<std::string>& list, std::string_view text) {
    for (const std::string& entry : list)
        if (entry == text) return true;
    return false;
}

void FindLocalAddresses(const std::vector<std::string>& lines, std::vector<std::string>& result) {
    std::vector<std::string> addresses;
    std::vector<std::string> gateways;
    ParseIpConfig(lines, addresses, gateways);
    result.clear();
    for (const std::string& gateway : gateways)
        for (const std::string& address : addresses)
            if (NetworkOf(gateway, kSubnet24) == NetworkOf(address, kSubnet24)) addOnce(result, gateway);
}

}  // namespace IpConfig
