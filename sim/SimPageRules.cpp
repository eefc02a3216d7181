#include "sim/SimPageRules.h"

#include <cstdint>
#include <string>

#include "sim/SimDevice.h"

namespace {

SimOid under(const char* rel) {
    return *parseOid(std::string(kEnterprise) + "." + rel);
}

struct Range {
    SimOid key;
    int64_t low, high;
};

const std::vector<Range>& ranges() {
    static const std::vector<Range> table = {
        // The administrator's management VLAN and console.
        {under("4.3.1.8.2.0"), 1, 4094},  // admManagerVLANID
        {under("4.3.4.1.0"), 0, 1},       // telnet
        {under("4.3.4.2.0"), 0, 5},       // console timeout
        {under("4.3.4.3.0"), 0, 1},       // ssh

        {under("4.2.6.2.0"), 0, 64},   // UserLimit
        {under("4.2.1.1.1.1"), 1, 7},  // adAPMode, slot 1
        {under("4.2.1.1.1.2"), 1, 7},  // adAPMode, slot 2
        // The access filter of either slot: Accept, Reject, Disable; the partition switches on or off.
        {under("4.2.4.1.1.1.1"), 1, 3},
        {under("4.2.4.1.1.1.2"), 1, 3},
        {under("4.2.4.3.1.1.1"), 0, 1},
        {under("4.2.4.3.1.1.2"), 0, 1},
        {under("4.2.4.3.1.2.1"), 0, 1},
        {under("4.2.4.3.1.2.2"), 0, 1},
        {under("4.2.4.3.1.3.1"), 0, 1},
        {under("4.2.4.3.1.3.2"), 0, 1},
    };
    return table;
}

}  // namespace

int simRangeCheck(const SimOid& key, const SimValue& v) {
    if (v.type != SimType::Integer) return 0;
    for (const Range& r : ranges())
        if (r.key == key && (v.number < r.low || v.number > r.high)) return statusFromName("wrongValue");
    return 0;
}

void simAfterRead(SimEntry& entry, const SimOid& key) {
    static const SimOid statistics = under("4.4.3.1.1");
    constexpr uint32_t kFirstCount = 5;  // 1..4 are rates
    if (!oidStartsWith(key, statistics) || key.size() != statistics.size() + 2) return;
    const uint32_t n = key[statistics.size()];
    if (n < kFirstCount || entry.value.type != SimType::Integer) return;
    // A counter wraps as the device's 32-bit counters do, within the signed range the object's
    // syntax allows.
    entry.value.number = entry.value.number > INT32_MAX - int64_t(n) ? 0 : entry.value.number + n;
}
