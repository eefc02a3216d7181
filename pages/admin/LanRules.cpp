#include "pages/admin/LanRules.h"

namespace LanRules {

bool staticFieldsVisible(int ipFromIndex) {
    return ipFromIndex != kDynamicIndex;
}

std::optional<bool> domainLockedEnabled(bool readOk, int clusIndex) {
    if (!readOk) return std::nullopt;
    return clusIndex != kJoinIndex;
}

std::optional<CheckFailure> checkFields(const StaticInput& in) {
    if (!IsValidIPAddress(in.address)) return CheckFailure{kBadAddress, kWarning, "ED_IpAddr"};
    if (!IsValidSubnetMask(in.mask)) return CheckFailure{kBadMask, kWarning, "ED_SubMask"};
    if (!IsValidIPAddress(in.gateway)) return CheckFailure{kBadGateway, kWarning, "ED_DefGw"};
    if (InPool(IPTextToNumberLan(in.poolStart), IPTextToNumberLan(in.poolRange),
               IPTextToNumberLan(in.address)))
        return CheckFailure{kInDynamicPool, kWarning, {}, {}, true};
    return std::nullopt;
}

bool addressChanged(const QString& address, const QString& savedAddress) {
    return address != savedAddress;
}

CheckFailure probeRefusal() {
    return {kAnswers, kWarning, {}, "ED_IpAddr", true};
}

std::optional<CheckFailure> checkStaticPool(const QString& address, const QStringList& poolAddresses,
                                            bool readComplete) {
    if (!readComplete) return CheckFailure{kStaticPoolUnread, kWarning, {}, {}, true};
    if (poolAddresses.contains(address)) return CheckFailure{kInStaticPool, kWarning, {}, {}, true};
    return std::nullopt;
}

uint32_t addressItemFlag(int ipFromIndex) {
    return ipFromIndex == kDynamicIndex ? HvAccess::Invalid : HvAccess::ReadWrite;
}

int restartIndex(int savedMode) {
    return savedMode == kDynamicIndex ? kRebootIndex : kNothingIndex;
}

bool asksRestart(int clusIndex) {
    return clusIndex == kJoinIndex;
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
