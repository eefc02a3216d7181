#include "pages/admin/StaticipRules.h"

#include "module/AddrCheck.h"

namespace StaticipRules {

using DhcpRules::kFreeIp;
using DhcpRules::kFreeMac;
using DhcpRules::kWaring;
using DhcpRules::kWarning;

namespace {

bool isHexMac(const QString& mac) {
    if (mac.size() != 12) return false;
    for (QChar c : mac) {
        const char16_t u = c.unicode();
        if (!((u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F'))) return false;
    }
    return true;
}

std::optional<int> rowHoldingMac(const std::vector<PoolRow>& rows, const QString& mac) {
    for (size_t i = 0; i < rows.size(); ++i)
        if (SameMac(mac, rows[i].mac)) return int(i);
    return std::nullopt;
}

}  // namespace

Entry freeEntry() {
    return {kFreeIp, kFreeMac, kFreeIp, kFreeIp, kFreeIp, kFreeIp, QString(), 0};
}

std::optional<CheckFailure> checkEntry(ApplyInput& in) {
    Entry& e = in.entered;
    if (e.ip != kFreeIp)
        for (size_t i = 0; i < in.rows.size(); ++i)
            if (int(i) != in.selectedRow && in.rows[i].ip == e.ip) return CheckFailure{kExists, kWarning};
    if (!IsValidIPAddress(e.ip)) return CheckFailure{kInvalidIp, kWaring, "Ed_AsgIP", "Ed_AsgIP"};
    // A text the MAC binding cannot turn into six octets is no MAC either.
    if (!isHexMac(e.mac) || e.mac == kFreeMac) return CheckFailure{kBadMac, kWarning};
    if (e.mask.isEmpty() || e.mask == kFreeIp || !IsValidSubnetMask(e.mask))
        return CheckFailure{kInvalidMask, kWaring, "Ed_SubMask", "Ed_SubMask"};
    if (e.gateway.isEmpty() || e.gateway == kFreeIp || !IsValidIPAddress(e.gateway))
        return CheckFailure{kInvalidGateway, kWaring, "Ed_Gatway", "Ed_Gatway"};
    if (e.wins.isEmpty()) e.wins = kFreeIp;
    if (e.dns.isEmpty()) e.dns = kFreeIp;
    if (e.wins != kFreeIp && !IsValidIPAddress(e.wins))
        return CheckFailure{kInvalidWins, kWaring, "Ed_Wins", "Ed_Wins"};
    if (e.dns != kFreeIp && !IsValidIPAddress(e.dns))
        return CheckFailure{kInvalidDns, kWaring, "Ed_DNS", "Ed_DNS"};
    return std::nullopt;
}

CheckFailure probeRefusal() {
    return {kAnswers, kWarning, "Ed_AsgIP"};
}

std::optional<CheckFailure> checkPlace(const ApplyInput& in) {
    if (InPool(IPTextToNumber(in.poolStart), IPTextToNumber(in.poolRange), IPTextToNumber(in.entered.ip)))
        return CheckFailure{kInDynamicPool, kWarning};
    if (in.entered.ip == in.deviceAddress) return CheckFailure{kIsDevice, kWarning};
    return std::nullopt;
}

std::variant<Refusal, WritePlan> writePlan(const ApplyInput& in) {
    const std::optional<int> macRow = rowHoldingMac(in.rows, in.entered.mac);
    if (in.adding) {
        if (macRow) return WritePlan{*macRow, true};
        return WritePlan{in.selectedRow, false};
    }
    if (in.entered.ip == in.old.ip && !SameMac(in.entered.mac, in.old.mac))
        return Refusal{{kMacTaken, kWarning}, in.old};
    return WritePlan{macRow.value_or(in.selectedRow), true};
}

Entry written(Entry e) {
    for (QString* text : {&e.mask, &e.gateway, &e.wins, &e.dns})
        if (text->isEmpty()) *text = kFreeIp;
    return e;
}

WaitPlan applyWait() {
    return {.label3 = QStringLiteral("But the device isn't restarting."),
            .waitTicks = 15,
            .rebootDelay = 22,
            .sendReboot = false};
}

}  // namespace StaticipRules
