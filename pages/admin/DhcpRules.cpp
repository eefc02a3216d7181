#include "pages/admin/DhcpRules.h"

#include "module/AddrCheck.h"

namespace DhcpRules {

namespace {

const QStringList kStaticControls{"LV_StaticPoolSet", "User_ListView", "Bt_Rfrsh", "Bt_Add"};

bool on(int index) {
    return index == kEnableIndex;
}

}  // namespace

ControlStates enableDynamicFields(bool enable, int function1Index, int function2Index) {
    ControlStates s;
    if (!enable) {
        for (const QString& name : kDynamicFields) s.enabled.emplace_back(name, false);
        for (const char* name :
             {"LV_StaticPoolSet", "User_ListView", "Bt_Rfrsh", "Bt_Add", "Bt_Set", "Bt_Del"})
            s.enabled.emplace_back(name, false);
        s.listsWindowColour = false;
        return s;
    }
    for (const QString& name : kDynamicFields) s.enabled.emplace_back(name, on(function1Index));
    if (function2Index == kDisableIndex) {
        for (const char* name :
             {"Bt_Rfrsh", "Bt_Add", "Bt_Set", "Bt_Del", "LV_StaticPoolSet", "User_ListView"})
            s.enabled.emplace_back(name, false);
        s.listsWindowColour = false;
    } else if (function2Index == kEnableIndex) {
        for (const char* name : {"Bt_Rfrsh", "LV_StaticPoolSet", "User_ListView"})
            s.enabled.emplace_back(name, true);
        s.listsWindowColour = true;
    }
    s.setsMaxLengths = true;
    return s;
}

ControlStates enableStaticFields(bool enable) {
    ControlStates s;
    for (const QString& name : kStaticControls) s.enabled.emplace_back(name, enable);
    if (!enable)
        for (const char* name : {"Bt_Set", "Bt_Del"}) s.enabled.emplace_back(name, false);
    s.listsWindowColour = enable;
    return s;
}

std::optional<bool> addEnabled(int function2Index, bool staticListBusy) {
    if (staticListBusy) return std::nullopt;
    return function2Index != kDisableIndex;
}

std::optional<bool> setDelEnabled(int function1Index, int function2Index, bool rowSelected) {
    if (!on(function1Index) && !on(function2Index)) return std::nullopt;
    return rowSelected;
}

uint32_t IPTextToNumberDhcp(const QString& text) {
    return IPTextToNumber(text, BadPart::AllOnes);
}

std::optional<CheckFailure> checkDynamicPool(DynamicInput& in) {
    if (in.start.isEmpty()) return CheckFailure{kBadStart, kWarning, "Ed_IPAF"};
    if (in.range.isEmpty()) return CheckFailure{kBadRange, kWarning, "Ed_PoolRan"};
    const uint32_t start = IPTextToNumberDhcp(in.start);
    const uint32_t range = IPTextToNumberDhcp(in.range);
    if (InPool(start, range, IPTextToNumberDhcp(in.deviceAddress)))
        return CheckFailure{kCoversDevice, kWarning};
    for (const QString& address : in.staticAddresses)
        if (InPool(start, range, IPTextToNumberDhcp(address))) return CheckFailure{kCoversStatic, kWarning};
    const int rangeNumber = DecimalNumber(in.range).value_or(-1);
    if (rangeNumber < kRangeLow || rangeNumber > kRangeHigh)
        return CheckFailure{kBadRange, kError, "Ed_PoolRan", "Ed_PoolRan"};
    if (in.lease.isEmpty()) return CheckFailure{kBadLease, kWarning, "Ed_Lease"};
    const int lease = DecimalNumber(in.lease).value_or(-1);
    if (lease < kLeaseLow || lease > kLeaseHigh)
        return CheckFailure{kBadLease, kError, "Ed_Lease", "Ed_Lease"};
    for (QString* text : {&in.mask, &in.gateway, &in.wins, &in.dns})
        if (text->isEmpty()) *text = kFreeIp;
    if (!IsValidIPAddress(in.start)) return CheckFailure{kInvalidStart, kWaring, "Ed_IPAF", "Ed_IPAF"};
    if (!IsValidSubnetMask(in.mask) || in.mask == kFreeIp)
        return CheckFailure{kInvalidMask, kWaring, "Ed_SubMask", "Ed_SubMask"};
    if (!IsValidIPAddress(in.gateway) || in.gateway == kFreeIp)
        return CheckFailure{kInvalidGateway, kWaring, "Ed_Gateway", "Ed_Gateway"};
    if (in.wins != kFreeIp && !IsValidIPAddress(in.wins))
        return CheckFailure{kInvalidWins, kWaring, "Ed_Wins", "Ed_Wins"};
    if (in.dns != kFreeIp && !IsValidIPAddress(in.dns))
        return CheckFailure{kInvalidDns, kWaring, "Ed_DNS", "Ed_DNS"};
    if (in.start.trimmed() == in.commandLineAddress)
        return CheckFailure{kStartIsDevice, kWaring, {}, "Ed_IPAF"};
    return std::nullopt;
}

bool writesDynamicPool(int function1Index) {
    return on(function1Index);
}

bool actsNow(bool staticPoolBusy) {
    return !staticPoolBusy;
}

std::optional<int> freeRow(const QStringList& poolAddresses) {
    const qsizetype row = poolAddresses.indexOf(kFreeIp);
    if (row < 0) return std::nullopt;
    return int(row);
}

std::optional<int> rowOf(const QStringList& poolAddresses, const QString& selectedAddress) {
    const qsizetype row = poolAddresses.indexOf(selectedAddress);
    if (row < 0) return std::nullopt;
    return int(row);
}

WaitPlan deleteWait() {
    return {.label3 = QStringLiteral("Waiting for listing data..."),
            .waitTicks = 20,
            .rebootDelay = 22,
            .sendReboot = false};
}

}  // namespace DhcpRules
