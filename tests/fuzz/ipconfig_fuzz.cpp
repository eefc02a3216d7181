// The ipconfig-style line parser and the /24 gateway search over it, the routing-table reader
// behind those lines, and the address checks of typed texts.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <QString>

#include "platform/IpConfigLines.h"
#include "library/HvValueText.h"
#include "module/AddrCheck.h"
#include "module/IpConfig.h"
#include "tests/fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    const std::string all(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> lines;
    while (!in.empty()) lines.push_back(in.text());

    std::vector<std::string> addresses, gateways, local;
    IpConfig::ParseIpConfig(lines, addresses, gateways);
    IpConfig::FindLocalAddresses(lines, local);
    for (const std::string& gateway : local) FUZZ_CHECK(IpConfig::ListContains(gateways, gateway));

    for (std::size_t i = 0; i < lines.size() && i < 32; ++i) {
        const std::string& line = lines[i];
        const std::string& next = lines[(i + 1) % lines.size()];
        IpConfig::NetworkOf(line, next);
        const bool host = IsValidIPAddress(line);
        const bool mask = IsValidSubnetMask(line);
        // A text the page accepts is one the conversions can send.
        if (host || mask) FUZZ_CHECK(HvTextToIp(line).has_value());
        const QString typed = QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
        if (IsValidIPAddress(typed)) FUZZ_CHECK(host);
        if (IsValidSubnetMask(typed)) FUZZ_CHECK(mask);
    }

    // The routing table's text, and the listing built from it with adapters named by the lines.
    const std::vector<HvIpConfigRoute> routes = HvDefaultGateways(all);
    std::vector<HvIpConfigAdapter> adapters;
    for (std::size_t i = 0; i + 2 < lines.size() && i < 30; i += 3)
        adapters.push_back({lines[i], {{lines[i + 1], lines[i + 2]}}, {}});
    const std::vector<std::string> listing = HvFormatIpConfig(HvMergeGateways(adapters, routes));
    std::vector<std::string> fromListing;
    IpConfig::FindLocalAddresses(listing, fromListing);
    return 0;
}
