#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The simulated device's objects: a sorted map from OID to typed value, kept apart from net-snmp so
// the agent glue only converts at the edge.

using SimOid = std::vector<uint32_t>;

// Dotted text, with or without a leading dot; nullopt for anything else (empty arcs, letters).
std::optional<SimOid> parseOid(std::string_view text);
std::string oidText(const SimOid& oid);
bool oidStartsWith(const SimOid& oid, const SimOid& prefix);

enum class SimType : uint8_t { Integer, OctetString, IpAddress, TimeTicks, ObjectId };

struct SimValue {
    SimType type = SimType::Integer;
    int64_t number = 0;  // Integer (32-bit signed range), TimeTicks (32-bit unsigned)
    std::string octets;  // OctetString; IpAddress as 4 octets in network order
    SimOid oid;          // ObjectId

    static SimValue integer(int64_t v) { return {SimType::Integer, v, {}, {}}; }
    static SimValue string(std::string s) { return {SimType::OctetString, 0, std::move(s), {}}; }
    static SimValue ip(uint8_t a, uint8_t b, uint8_t c, uint8_t d) {
        return {SimType::IpAddress, 0, std::string{char(a), char(b), char(c), char(d)}, {}};
    }
    static SimValue ticks(int64_t v) { return {SimType::TimeTicks, v, {}, {}}; }
    static SimValue objectId(SimOid o) { return {SimType::ObjectId, 0, {}, std::move(o)}; }
    bool operator==(const SimValue&) const = default;
};

// Text forms shared by the log and the control channel: a type letter and a value, as net-snmp's
// snmpset takes them: i 5, s "text", x 00A0FF, a 127.0.0.1, t 100, o 1.3.6.1.
char typeLetter(SimType type);
// The value in its text form; octet strings as a quoted, escaped string, or as hex when asHex.
std::string valueText(const SimValue& value, bool asHex = false);
// Parses a type letter and its text; nullopt with a reason in *error on bad input.
std::optional<SimValue> parseValue(char letter, std::string_view text, std::string* error);
// Quoted form of arbitrary octets: printable ASCII as is, '"' and '\' escaped, others as \xHH.
std::string quoted(std::string_view octets);

struct SimEntry {
    SimValue value;
    uint32_t syntax = 0;  // syntax code of the object tables
    bool writable = false;
    bool upTime = false;  // reads the running sysUpTime instead of value
};

class SimStore {
public:
    struct Lookup {
        SimEntry* entry = nullptr;
        SimOid key;          // where the object is stored
        bool alias = false;  // found under another form than the one asked for
    };

    void put(const SimOid& oid, SimEntry entry) { m_entries[oid] = std::move(entry); }
    bool erase(const SimOid& oid) { return m_entries.erase(oid) > 0; }
    // Removes every object under prefix; returns how many.
    size_t eraseSubtree(const SimOid& prefix);
    SimEntry* exact(const SimOid& oid);
    void addAlias(const SimOid& from, const SimOid& to) { m_aliases[from] = to; }
    void clear() {
        m_entries.clear();
        m_aliases.clear();
    }

    // Get and set resolve an OID this way: the exact OID; else, for X.0, X; else the explicit alias.
    Lookup find(const SimOid& oid);
    // Get-next: the first real object after oid, in OID order; aliases are never walked.
    const std::pair<const SimOid, SimEntry>* next(const SimOid& oid) const;
    // True when some object lies under oid's parent: a missing instance of a known object.
    bool knownParent(const SimOid& oid) const;

    const std::map<SimOid, SimEntry>& entries() const { return m_entries; }

private:
    std::map<SimOid, SimEntry> m_entries;
    std::map<SimOid, SimOid> m_aliases;
};
