#include "pages/admin/LanRules.h"

namespace LanRules {

bool staticFieldsVisible(int ipFromIndex) {
    return ipFromIndex != kDynamicIndex;
}

std::optional<bool> domainLockedEnabled(bool readOk, int clusIndex) {
    if (!readOk) return std::nullopt;
    return clusIndex != kJoinIndex;
}

namespace {

// A bad field is emptied; the device's values are not read again.
Refusal emptied(const QString& message, const QString& edit) {
    return {PageRules::failure(message, kWarning, {}, edit)};
}
// The address clashes: the device's values are read again.
Refusal clash(const QString& message, const QString& focus = {}) {
    return {PageRules::failure(message, kWarning, focus), true};
}

}  // namespace

std::optional<Refusal> checkFields(const StaticInput& in) {
    if (!IsValidIPAddress(in.address)) return emptied(kBadAddress, "ED_IpAddr");
    if (!IsValidSubnetMask(in.mask)) return emptied(kBadMask, "ED_SubMask");
    if (!IsValidIPAddress(in.gateway)) return emptied(kBadGateway, "ED_DefGw");
    if (InPool(IPTextToNumberLan(in.poolStart), IPTextToNumberLan(in.poolRange),
               IPTextToNumberLan(in.address)))
        return clash(kInDynamicPool);
    return std::nullopt;
}

bool addressChanged(const QString& address, const QString& savedAddress) {
    return address != savedAddress;
}

Refusal probeRefusal() {
    return clash(kAnswers, "ED_IpAddr");
}

std::optional<Refusal> checkStaticPool(const QString& address, const QStringList& poolAddresses,
                                       bool readComplete) {
    if (!readComplete) return clash(kStaticPoolUnread);
    if (poolAddresses.contains(address)) return clash(kInStaticPool);
    return std::nullopt;
}

std::vector<bool> writtenItems(int ipFromIndex) {
    const bool address = ipFromIndex != kDynamicIndex;
    return {true, address, address, address, true};
}

int restartIndex(int savedMode) {
    return savedMode == kDynamicIndex ? kRebootIndex : kNothingIndex;
}

WaitPlan judgeWait() {
    return {.label2 = QStringLiteral("Please wait..."),
            .label3 = QStringLiteral("Judge the IP whether can be used."),
            .waitTicks = 12,
            .sendReboot = false};
}

WaitPlan staticWait(int savedMode, const QString& address) {
    WaitPlan p;
    if (savedMode == kDynamicIndex) p.label2 = QStringLiteral("The device is restarting.");
    p.label3 = QStringLiteral("The system IP will be ") + address;
    return p;
}

WaitPlan dhcpWait() {
    return {};
}

ApplyBranch applyBranch(int ipFromIndex) {
    if (ipFromIndex == kStaticIndex) return ApplyBranch::Static;
    if (ipFromIndex == kDynamicIndex) return ApplyBranch::Dynamic;
    return ApplyBranch::DomainOnly;
}

}  // namespace LanRules
