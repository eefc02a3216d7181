#include "sim/SimProfile.h"

#include <algorithm>
#include <functional>
#include <map>
#include <set>

#include "module/Misc.h"

namespace {

// How the module's requests read a table that has no row keys: as scalars (OID + ".0") or as
// instances (the OID as it stands). An instance answers its ".0" form too, so tables read both ways,
// and the wireless page's instances that it reads as scalars (hSSID.1 as hSSID.1.0), count as
// instances. Every other keyless table is read as scalars.
const std::set<int> kInstanceTables = {2,  5,  6,  7,  9,  10, 11, 14,  17,  18,  19,  20,  21,  22, 26, 27,
                                       28, 29, 32, 33, 34, 35, 37, 38,  52,  53,  54,  55,  56,  80, 83, 84,
                                       85, 86, 87, 88, 95, 96, 97, 102, 105, 106, 108, 111, 113, 118};

// Row indexes of the walked tables, by the first column's OID (relative to the enterprise).
struct RowSpec {
    const char* columnPrefix;
    std::vector<SimOid> indexes;
};

std::vector<SimOid> range(uint32_t from, uint32_t to, SimOid lead = {}) {
    std::vector<SimOid> out;
    for (uint32_t n = from; n <= to; ++n) {
        SimOid i = lead;
        i.push_back(n);
        out.push_back(i);
    }
    return out;
}

const std::vector<RowSpec>& rowSpecs() {
    static const std::vector<RowSpec> specs = {
        {"4.2.4.2.1.2", range(1, 8)},     // MAC filter, per radio slot column
        {"4.2.7.3.1", range(1, 8)},       // DHCP static pool
        {"4.2.7.4.1.1", range(1, 2)},     // current dynamic leases
        {"4.2.7.4.2.1", range(1, 1)},     // current static leases
        {"4.4.5.2.1", range(1, 3)},       // associated clients
        {"4.2.8.2.1", range(1, 4)},       // site survey
        {"4.2.9.2.1", range(1, 8, {1})},  // multi-SSID: ifIndex 1, SSID 1..8
        {"4.2.12.2.2.1", range(1, 3)},    // AP domains
        {"4.2.12.3.2.1", range(1, 3)},    // domain members
        {"4.2.13.1", range(1, 12)},       // data rates
    };
    return specs;
}

SimOid enterprise(std::string_view rel) {
    SimOid e = *parseOid(kEnterprise);
    if (!rel.empty()) {
        SimOid r = *parseOid(rel);
        e.insert(e.end(), r.begin(), r.end());
    }
    return e;
}

// Default values: the rule with the longest prefix of the OID decides; it sees the arcs after its
// prefix (slot, row index) and the refill generation of its table.
using Maker = std::function<SimValue(const SimOid& tail, int generation)>;
using Rules = std::map<SimOid, Maker>;

uint32_t last(const SimOid& tail) {
    return tail.empty() ? 0 : tail.back();
}
std::string mac(uint8_t a, uint8_t b, uint8_t c, uint8_t d, uint8_t e, uint8_t f) {
    return std::string{char(a), char(b), char(c), char(d), char(e), char(f)};
}
const std::string kNoMac(6, '\0');
// Channel lists as the pages read them: numbers separated by blanks.
const char* kChannels = "1 2 3 4 5 6 7 8 9 10 11";

Maker fixed(SimValue v) {
    return [v](const SimOid&, int) { return v; };
}
Maker str(const char* s) {
    return fixed(SimValue::string(s));
}
Maker num(int64_t n) {
    return fixed(SimValue::integer(n));
}
Maker ip(uint8_t a, uint8_t b, uint8_t c, uint8_t d) {
    return fixed(SimValue::ip(a, b, c, d));
}
Maker noMac() {
    return fixed(SimValue::string(kNoMac));
}

Rules buildRules(SimProfile profile) {
    const bool legacy = profile == SimProfile::Legacy;
    std::vector<std::pair<std::string, Maker>> rules = {
        // system group
        {"1.3.6.1.2.1.1.1", str("QMX-7240NT Wireless Access Point")},
        {"1.3.6.1.2.1.1.2", fixed(SimValue::objectId(*parseOid("1.3.6.1.4.1.47011.11.37.9")))},
        {"1.3.6.1.2.1.1.4", str("")},
        {"1.3.6.1.2.1.1.5", str("qmx-lab")},
        {"1.3.6.1.2.1.1.6", str("")},
        // radio basics per slot
        {"E.4.1.1.1.1", str("qmx-ap")},
        {"E.4.1.1.1.2", num(1)},
        {"E.4.1.1.1.3", num(6)},
        {"E.4.1.1.1.4", str(kChannels)},
        {"E.4.1.1.1.5", str("2.437 GHz")},
        // LAN
        {"E.4.1.2.1", num(1)},
        {"E.4.1.2.2", ip(127, 0, 0, 1)},
        {"E.4.1.2.3", ip(255, 0, 0, 0)},
        {"E.4.1.2.4", ip(127, 0, 0, 254)},
        // AP mode and bridge peers
        {"E.4.2.1.1.1", num(profile == SimProfile::Client ? 5 : 1)},
        {"E.4.2.1.1.3", noMac()},
        {"E.4.2.2.1.2", noMac()},
        // performance
        {"E.4.2.3.1.1", str("2.437 GHz")},
        {"E.4.2.3.1.2", num(6)},
        {"E.4.2.3.1.3", str(kChannels)},
        {"E.4.2.3.1.4", str("54")},
        {"E.4.2.3.1.5", str("1,2,5.5,11,6,9,12,18,24,36,48,54")},
        {"E.4.2.3.1.6", num(100)},
        {"E.4.2.3.1.7", num(1)},
        {"E.4.2.3.1.8", num(2346)},
        {"E.4.2.3.1.9", num(2346)},
        {"E.4.2.3.1.10", num(1)},
        {"E.4.2.3.1.11", num(4)},
        {"E.4.2.3.1.12", num(1)},
        {"E.4.2.3.1.13", num(0)},
        {"E.4.2.3.1.14", num(1)},
        {"E.4.2.3.1.15", str(kChannels)},
        {"E.4.2.3.1.16", str(kChannels)},
        {"E.4.2.3.1.17", num(0)},
        {"E.4.2.3.1.19", num(1)},
        {"E.4.2.3.1.26", num(0)},
        {"E.4.2.3.1.99", num(0)},
        // access control; the filter rows are free
        {"E.4.2.4.1.1.1", num(3)},
        {"E.4.2.4.3.1", num(1)},
        {"E.4.2.4.2.1.2", noMac()},
        // security
        {"E.4.2.5.1.1.1", num(1)},
        {"E.4.2.5.1.1.2", num(0)},
        {"E.4.2.5.1.1.3", num(1)},
        {"E.4.2.5.1.1.4", str("")},
        {"E.4.2.5.1.1.5", num(1)},
        {"E.4.2.5.1.1.6", num(300)},
        {"E.4.2.5.1.1.7", num(2)},
        {"E.4.2.5.2.1", ip(0, 0, 0, 0)},
        {"E.4.2.5.2.2", str("")},
        {"E.4.2.5.2.3", str("")},
        {"E.4.2.5.2.4", num(1812)},
        {"E.4.2.5.2.5", str("")},
        {"E.4.2.5.3.1.1", str("")},
        // grouping
        {"E.4.2.6.1", num(0)},
        {"E.4.2.6.2", num(64)},
        {"E.4.2.6.4", num(0)},
        {"E.4.2.6.5", str("Up")},
        // DHCP server; the static pool's free rows read 0.0.0.0
        {"E.4.2.7.1", num(0)},
        {"E.4.2.7.2.1", ip(127, 0, 0, 100)},
        {"E.4.2.7.2.2", num(50)},
        {"E.4.2.7.2.3", ip(255, 0, 0, 0)},
        {"E.4.2.7.2.4", ip(127, 0, 0, 254)},
        {"E.4.2.7.2.5", ip(0, 0, 0, 0)},
        {"E.4.2.7.2.6", ip(0, 0, 0, 0)},
        {"E.4.2.7.2.7", str("")},
        {"E.4.2.7.2.8", num(86400)},
        {"E.4.2.7.2.9", num(0)},
        {"E.4.2.7.3.1.1", ip(0, 0, 0, 0)},
        {"E.4.2.7.3.1.2", noMac()},
        {"E.4.2.7.3.1.3", ip(0, 0, 0, 0)},
        {"E.4.2.7.3.1.7", str("")},
        {"E.4.2.7.3.1.8", num(0)},
        // current leases: each refill hands out other clients and addresses
        {"E.4.2.7.4.1.1.1",
         [](const SimOid& t, int g) {
             return SimValue::string(mac(0, 0x11, 0x22, uint8_t(0x33 + g), 0x44, uint8_t(last(t))));
         }},
        {"E.4.2.7.4.1.1.2",
         [](const SimOid& t, int g) { return SimValue::ip(127, 0, 0, uint8_t(100 + (last(t) + g) % 50)); }},
        {"E.4.2.7.4.1.1.3",
         [](const SimOid& t, int g) { return SimValue::integer(86400 - 60 * int64_t(last(t)) - g); }},
        {"E.4.2.7.4.2.1.1",
         [](const SimOid& t, int g) {
             return SimValue::string(mac(0, 0x11, 0x22, uint8_t(0x33 + g), 0x55, uint8_t(last(t))));
         }},
        {"E.4.2.7.4.2.1.2",
         [](const SimOid& t, int g) { return SimValue::ip(127, 0, 0, uint8_t(150 + (last(t) + g) % 50)); }},
        // site survey
        {"E.4.2.8.1.1.1", num(0)},
        {"E.4.2.8.2.1.2", str("AP")},
        {"E.4.2.8.2.1.3",
         [](const SimOid& t, int) { return SimValue::integer(1 + 5 * ((last(t) - 1) % 3)); }},
        {"E.4.2.8.2.1.4",
         [](const SimOid& t, int g) { return SimValue::integer(90 - 10 * int64_t(last(t)) - g % 7); }},
        {"E.4.2.8.2.1.5",
         [](const SimOid& t, int g) {
             return SimValue::string(mac(0, 0x0A, 0x0B, uint8_t(g), 0x0D, uint8_t(last(t))));
         }},
        {"E.4.2.8.2.1.6",
         [](const SimOid& t, int) { return SimValue::string(last(t) % 2 ? "WPA2-PSK" : "None"); }},
        {"E.4.2.8.2.1.7",
         [](const SimOid& t, int g) {
             return SimValue::string("neighbour-" + std::to_string(last(t)) +
                                     (g ? "-" + std::to_string(g) : ""));
         }},
        // multi-SSID: rows (ifIndex 1, n)
        {"E.4.2.9.1.1.1", num(0)},
        {"E.4.2.9.2.1.2", [](const SimOid& t, int) { return SimValue::integer(last(t) == 1 ? 1 : 0); }},
        {"E.4.2.9.2.1.3",
         [](const SimOid& t, int) { return SimValue::string("qmx-ap-" + std::to_string(last(t))); }},
        {"E.4.2.9.2.1.4", num(1)},
        {"E.4.2.9.2.1.5", num(0)},
        {"E.4.2.9.2.1.6", num(1)},
        {"E.4.2.9.2.1.7", str("")},
        {"E.4.2.9.2.1.8", [](const SimOid& t, int) { return SimValue::integer(last(t)); }},
        {"E.4.2.9.2.1.11", num(1)},
        {"E.4.2.9.2.1.12", str("")},
        {"E.4.2.9.2.1.13", num(2)},
        {"E.4.2.9.3.1.1", num(0)},
        // system log
        {"E.4.2.11.1", num(1)},
        {"E.4.2.11.2", num(1)},
        {"E.4.2.11.3", num(1)},
        {"E.4.2.11.4", ip(0, 0, 0, 0)},
        {"E.4.2.11.5", str("system.log")},
        {"E.4.2.11.6", num(0)},
        {"E.4.2.11.8", num(0)},
        {"E.4.2.11.9", ip(0, 0, 0, 0)},
        {"E.4.2.11.10", num(0)},
        // AP domains
        {"E.4.2.12.1.1.1.1", num(0)},
        {"E.4.2.12.1.1.1.2", num(2)},
        {"E.4.2.12.2.1", num(0)},
        {"E.4.2.12.3.1", num(0)},
        {"E.4.2.12.2.2.1.1", [](const SimOid& t, int) { return SimValue::integer(last(t)); }},
        {"E.4.2.12.2.2.1.2", [](const SimOid& t, int g) { return SimValue::integer(1 + (last(t) + g) % 4); }},
        {"E.4.2.12.2.2.1.3",
         [](const SimOid& t, int g) {
             return SimValue::string("domain-" + std::to_string(last(t)) +
                                     (g ? "-" + std::to_string(g) : ""));
         }},
        {"E.4.2.12.3.2.1.1",
         [](const SimOid& t, int g) { return SimValue::ip(127, 0, uint8_t(g), uint8_t(20 + last(t))); }},
        {"E.4.2.12.3.2.1.2",
         [](const SimOid& t, int g) {
             return SimValue::string(mac(0, 0x0C, 0x0D, uint8_t(g), 0x0F, uint8_t(last(t))));
         }},
        // data rates: disabled, enabled and basic in turn
        {"E.4.2.13.1.2.1", [](const SimOid& t, int) { return SimValue::integer(last(t) % 3); }},
        {"E.4.2.14.1.2.1", num(0)},
        // administration
        {"E.4.3.1.1", str("admin")},
        {"E.4.3.1.2", str("password")},
        {"E.4.3.1.3.1", num(0)},
        {"E.4.3.1.3.2.1.1", ip(0, 0, 0, 0)},
        {"E.4.3.1.4.1", ip(0, 0, 0, 0)},
        {"E.4.3.1.4.2", num(0)},
        {"E.4.3.1.8.1", num(0)},
        {"E.4.3.1.8.2", num(1)},
        {"E.4.3.2.1", num(2)},
        {"E.4.3.2.2", num(2)},
        {"E.4.3.3.1", ip(0, 0, 0, 0)},
        {"E.4.3.3.2", str("")},
        {"E.4.3.3.4", num(4)},
        {"E.4.3.3.5", num(6)},
        {"E.4.3.4.1", num(1)},
        {"E.4.3.4.2", num(0)},
        {"E.4.3.4.3", num(0)},
        // status
        {"E.4.4.1.1.1", str(legacy ? "v1.00.05" : "v2.20.01")},
        {"E.4.4.1.1.2", fixed(SimValue::string(mac(0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E)))},
        {"E.4.4.1.1.3", num(1)},
        {"E.4.4.1.1.4", ip(127, 0, 0, 1)},
        {"E.4.4.1.1.5", ip(255, 0, 0, 0)},
        {"E.4.4.1.1.6", ip(127, 0, 0, 254)},
        {"E.4.4.2.1.1", str("qmx-ap")},
        {"E.4.4.2.1.2", num(6)},
        {"E.4.4.2.1.3", num(4)},
        {"E.4.4.2.1.4", str("54Mbps")},
        {"E.4.4.2.1.5", str("Open System")},
        {"E.4.4.2.1.6", str("None")},
        // statistics: counter n of slot s reads n*100+s, so each reads apart
        {"E.4.4.3.1.1",
         [](const SimOid& t,
            int) { return SimValue::integer(t.size() >= 2 ? int64_t(t[0]) * 100 + t[1] : 0); }},
        {"E.4.4.4", num(0)},
        // associated clients
        {"E.4.4.5.1.1.1", num(0)},
        {"E.4.4.5.2.1.2",
         [](const SimOid& t,
            int g) { return SimValue::string(mac(0, 0x22, 0x33, uint8_t(g), 0x55, uint8_t(last(t)))); }},
        {"E.4.4.5.2.1.3", [](const SimOid& t, int) { return SimValue::integer(1 + last(t) % 2); }},
        {"E.4.4.5.2.1.4", num(0)},
        {"E.4.4.5.2.1.5",
         [](const SimOid& t, int g) { return SimValue::integer(80 - 7 * int64_t(last(t)) - g % 5); }},
        {"E.4.4.5.2.1.6", num(0)},
        {"E.4.4.5.2.1.7", str("qmx-ap")},
        // capabilities; every AP mode, the WDS ones among them
        {"E.4.99.1.1", num(legacy ? 0 : 1)},
        {"E.4.99.1.1.1", num(legacy ? 0 : 127)},
        {"E.4.99.1.1.5", str("QMX7240")},
        {"E.4.99.1.1.6", str("US")},
    };
    Rules out;
    for (auto& [prefix, make] : rules) {
        std::string text = prefix;
        if (text.rfind("E.", 0) == 0) text = std::string(kEnterprise) + text.substr(1);
        out.emplace(*parseOid(text), std::move(make));
    }
    return out;
}

SimValue fallback(uint32_t syntax) {
    switch (syntax) {
        case 0x06:
            return SimValue::objectId({0, 0});
        case 0x40:
            return SimValue::ip(0, 0, 0, 0);
        case 0x43:
            return SimValue::ticks(0);
        case 0x49:
            return SimValue::string(kNoMac);
        case 0x04:
        case 0x4C:
            return SimValue::string("");
        default:
            return SimValue::integer(0);
    }
}

SimType typeOf(uint32_t syntax) {
    switch (syntax) {
        case 0x06:
            return SimType::ObjectId;
        case 0x40:
            return SimType::IpAddress;
        case 0x43:
            return SimType::TimeTicks;
        case 0x04:
        case 0x49:
        case 0x4C:
            return SimType::OctetString;
        default:
            return SimType::Integer;
    }
}

// An enumerated object without a rule reads its list's first value, so a combo shows a choice.
SimValue enumDefault(HvOptionList* const* slot) {
    if (!slot) return SimValue::integer(0);
    const MibOptionPair* pairs = MibOptionListSource(int(slot - MibOptionLists) + 1);
    return SimValue::integer(pairs && pairs->text ? pairs->value : 0);
}

SimValue defaultValue(const Rules& rules, const SimOid& oid, uint32_t syntax, int generation,
                      HvOptionList* const* options = nullptr) {
    Rules::const_iterator best = rules.end();
    for (size_t len = oid.size(); len > 0 && best == rules.end(); --len)
        best = rules.find(SimOid(oid.begin(), oid.begin() + len));
    if (best != rules.end()) {
        SimValue v = best->second(SimOid(oid.begin() + best->first.size(), oid.end()), generation);
        // The record's syntax decides the wire type; a rule of the wrong type yields the plain default.
        if (v.type == typeOf(syntax)) return v;
    }
    if (typeOf(syntax) == SimType::Integer && options) return enumDefault(options);
    return fallback(syntax);
}

const RowSpec* rowSpecFor(const SimOid& column) {
    const RowSpec* best = nullptr;
    size_t bestLen = 0;
    for (const auto& s : rowSpecs()) {
        SimOid p = enterprise(s.columnPrefix);
        if (oidStartsWith(column, p) && p.size() > bestLen) {
            best = &s;
            bestLen = p.size();
        }
    }
    return best;
}

bool isKey(const MibObjectDef& d) {
    return std::string_view(d.oid) == " " || d.access == 0x01;
}
bool isWritable(uint32_t access) {
    return access == 0x06 || access == 0x20;
}

// Objects the legacy firmware lacks: extended radio features, DHCP server, AP domains, system log.
const char* kLegacyAbsent[] = {"4.2.3.1.99", "4.2.3.1.17", "4.2.3.1.14", "4.2.7", "4.2.12", "4.2.11"};

struct Candidate {
    HvOptionList* const* options = nullptr;
    uint32_t syntax = 0;
    bool writable = false;
    bool instance = false;
};

}  // namespace

void buildDevice(SimStore& store, SimProfile profile) {
    store.clear();
    const auto rules = buildRules(profile);
    auto entryFor = [&](const SimOid& oid, uint32_t syntax, bool writable, HvOptionList* const* options) {
        SimEntry e;
        e.syntax = syntax;
        e.writable = writable;
        e.value = defaultValue(rules, oid, syntax, 0, options);
        e.upTime = syntax == 0x43 && oid == *parseOid("1.3.6.1.2.1.1.3.0");
        return e;
    };

    // Walked tables first: their columns become real rows, and an instance that another table names
    // inside those rows is the same object.
    std::map<SimOid, Candidate> others;
    for (const auto& ref : kMibTables) {
        const MibObjectDef* t = ref.table;
        bool walked = false;
        for (const MibObjectDef* d = t; d->oid; ++d) walked = walked || isKey(*d);
        for (const MibObjectDef* d = t; d->oid; ++d) {
            if (isKey(*d)) continue;
            auto oid = parseOid(d->oid);
            if (!oid) continue;
            if (walked) {
                const RowSpec* spec = rowSpecFor(*oid);
                const std::vector<SimOid> fallbackRows = range(1, 4);
                for (const SimOid& index : spec ? spec->indexes : fallbackRows) {
                    SimOid row = *oid;
                    row.insert(row.end(), index.begin(), index.end());
                    if (auto* e = store.exact(row))
                        e->writable = e->writable || isWritable(d->access);
                    else
                        store.put(row, entryFor(row, d->syntax, isWritable(d->access), d->optionList));
                }
                continue;
            }
            Candidate& c = others[*oid];
            if (!c.syntax) c.syntax = d->syntax;
            if (!c.options) c.options = d->optionList;
            c.writable = c.writable || isWritable(d->access);
            c.instance = c.instance || kInstanceTables.count(ref.number) > 0;
        }
    }

    // Keyless tables: instances stay at their OID (which also answers its ".0" form), scalars go to
    // OID + ".0". A scalar whose OID heads other objects (adAPMode against adAPMode of slot 1) is the
    // first slot's object under another name, reached through an alias.
    for (const auto& [oid, c] : others) {
        if (auto* e = store.exact(oid)) {
            e->writable = e->writable || c.writable;
            continue;
        }
        if (c.instance || (!oid.empty() && oid.back() == 0)) {
            store.put(oid, entryFor(oid, c.syntax, c.writable, c.options));
            continue;
        }
        SimOid scalar = oid;
        scalar.push_back(0);
        auto after = others.upper_bound(oid);
        bool heads = after != others.end() && oidStartsWith(after->first, oid);
        SimOid firstSlot = oid;
        firstSlot.push_back(1);
        if (heads || store.exact(firstSlot)) {
            if (others.count(scalar) || store.exact(scalar))
                continue;  // its ".0" form is an object of its own
            store.addAlias(scalar, firstSlot);
            continue;
        }
        store.put(scalar, entryFor(scalar, c.syntax, c.writable, c.options));
    }
    if (profile == SimProfile::Legacy)
        for (const char* rel : kLegacyAbsent) store.eraseSubtree(enterprise(rel));
}

void refillTable(SimStore& store, SimProfile profile, SimRefill which, int generation) {
    static const char* prefixes[] = {"4.4.5.2.1", "4.2.8.2.1", "4.2.12.2.2.1", "4.2.12.3.2.1"};
    const SimOid prefix = enterprise(prefixes[static_cast<int>(which)]);
    const auto rules = buildRules(profile);
    for (const auto& [oid, entry] : store.entries()) {
        if (!oidStartsWith(oid, prefix)) continue;
        SimEntry* e = store.exact(oid);
        e->value = defaultValue(rules, oid, e->syntax, generation);
    }
}

namespace {

// Replaces the rows of a one-key table under prefix with rows 1..rows at their default values.
void setRows(SimStore& store, const Rules& rules, const MibObjectDef* table, const char* prefix, int rows,
             int generation) {
    store.eraseSubtree(enterprise(prefix));
    for (const MibObjectDef* d = table; d->oid; ++d) {
        if (isKey(*d)) continue;
        for (int r = 1; r <= rows; ++r) {
            SimOid oid = *parseOid(d->oid);
            oid.push_back(uint32_t(r));
            SimEntry e;
            e.syntax = d->syntax;
            e.writable = isWritable(d->access);
            e.value = defaultValue(rules, oid, d->syntax, generation, d->optionList);
            store.put(oid, e);
        }
    }
}

}  // namespace

void setSurveyRows(SimStore& store, SimProfile profile, int rows, int generation) {
    setRows(store, buildRules(profile), kMibT081, "4.2.8.2.1", rows, generation);
}

void setLeaseRows(SimStore& store, SimProfile profile, int dynamicRows, int staticRows, int generation) {
    const auto rules = buildRules(profile);
    setRows(store, rules, kMibT041, "4.2.7.4.1.1", dynamicRows, generation);
    setRows(store, rules, kMibT042, "4.2.7.4.2.1", staticRows, generation);
}

void setStaticPool(SimStore& store, SimProfile profile, int used, int rows) {
    setRows(store, buildRules(profile), kMibT063, "4.2.7.3.1", rows, 0);
    for (int r = 1; r <= used && r <= rows; ++r) {
        auto put = [&](int column, SimValue v) {
            SimOid oid = enterprise("4.2.7.3.1." + std::to_string(column) + "." + std::to_string(r));
            store.exact(oid)->value = std::move(v);
        };
        put(1, SimValue::ip(127, 0, 0, uint8_t(10 + r)));
        put(2, SimValue::string(mac(0, 0x0A, 0x0B, 0x0C, 0x0D, uint8_t(r))));
        put(3, SimValue::ip(255, 0, 0, 0));
        put(4, SimValue::ip(127, 0, 0, 254));
        put(7, SimValue::string("lab"));
        put(8, SimValue::integer(1));
    }
}

void takeLanSettings(SimStore& store) {
    auto find = [&](const char* rel) {
        SimOid oid = enterprise(rel);
        oid.push_back(0);
        return store.find(oid).entry;
    };
    const SimEntry* from = find("4.1.2.1");
    if (!from) return;
    // The status group shows how the device got its address; a DHCP client keeps the one it has.
    if (SimEntry* status = find("4.4.1.1.3")) status->value = from->value;
    if (from->value.number != 1) return;
    const std::pair<const char*, const char*> settings[] = {
        {"4.1.2.2", "4.4.1.1.4"}, {"4.1.2.3", "4.4.1.1.5"}, {"4.1.2.4", "4.4.1.1.6"}};
    for (const auto& [set, shown] : settings) {
        const SimEntry* value = find(set);
        SimEntry* status = find(shown);
        if (value && status) status->value = value->value;
    }
}
