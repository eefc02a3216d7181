#include "pages/wireless/SssRules.h"

#include "module/AddrCheck.h"
#include "module/KeyRules.h"

namespace SssRules {

using PageRules::failure;

std::optional<CheckFailure> checkServers(const QString& dnsIp, const QString& radiusServer) {
    if (dnsIp != QLatin1String("0.0.0.0")) {
        if (!IsValidIPAddress(dnsIp)) return failure(kBadDnsIp, kWaring, {}, QStringLiteral("Ed_DNSIP"));
        if (dnsIp.size() < 7) return failure(kShortDnsIp, PageRules::kError);
    }
    if (!IsValidIPAddress(radiusServer))
        return failure(kBadRadius, PageRules::kError, QStringLiteral("Ed_RadiusSrv"));
    return std::nullopt;
}

std::vector<bool> writtenItems(const QString& radiusSecret) {
    return {true, true, true, true, !KeyRules::isMaskedKey(radiusSecret)};
}

}  // namespace SssRules
