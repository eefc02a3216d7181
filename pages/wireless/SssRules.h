#pragma once

// The security servers dialog's check without its window: the DNS and RADIUS server addresses.

#include <optional>
#include <vector>

#include <QString>

#include "module/PageRules.h"

namespace SssRules {

using PageRules::CheckFailure;

// The device's own spelling of the box title.
inline const QString kWaring = QStringLiteral("Waring");
inline const QString kBadDnsIp = QStringLiteral("Please enter valid ip Address");
inline const QString kShortDnsIp = QStringLiteral("Please enter valid IP.");
inline const QString kBadRadius = QStringLiteral("The Radius server's IP is illegal.");

// Apply's checks in their order. "0.0.0.0" stands for no DNS server; a RADIUS server is needed.
std::optional<CheckFailure> checkServers(const QString& dnsIp, const QString& radiusServer);

// The items of the servers' write (DNS address, DNS, RADIUS server, port, secret): all but a secret
// the device shows masked, which written back would become the secret.
std::vector<bool> writtenItems(const QString& radiusSecret);

}  // namespace SssRules
