#include <charconv>
#include <sstream>

#include "sim/SimDevice.h"
#include "sim/SimTftp.h"

namespace {

const char* kStatusNames[] = {"noError",
                              "tooBig",
                              "noSuchName",
                              "badValue",
                              "readOnly",
                              "genErr",
                              "noAccess",
                              "wrongType",
                              "wrongLength",
                              "wrongEncoding",
                              "wrongValue",
                              "noCreation",
                              "inconsistentValue",
                              "resourceUnavailable",
                              "commitFailed",
                              "undoFailed",
                              "authorizationError",
                              "notWritable",
                              "inconsistentName"};

std::optional<int64_t> number(const std::string& text) {
    int64_t v = 0;
    auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (text.empty() || ec != std::errc() || p != text.data() + text.size()) return std::nullopt;
    return v;
}

std::string rest(std::istringstream& in) {
    std::string r;
    std::getline(in, r);
    size_t b = r.find_first_not_of(' ');
    return b == std::string::npos ? std::string() : r.substr(b);
}

}  // namespace

int statusFromName(const std::string& name) {
    for (int i = 0; i < int(std::size(kStatusNames)); ++i)
        if (name == kStatusNames[i]) return i;
    if (auto n = number(name); n && *n >= 0 && *n < int64_t(std::size(kStatusNames))) return int(*n);
    return -1;
}

std::string statusName(int status) {
    if (status >= 0 && status < int(std::size(kStatusNames))) return kStatusNames[status];
    return std::to_string(status);
}

std::string runControl(SimDevice& d, const std::string& line) {
    std::istringstream in(line);
    std::string cmd;
    in >> cmd;
    auto ms = [&](const std::string& t) { return number(t).value_or(-1); };

    if (cmd.empty() || cmd == "ping") return "ok";
    if (cmd == "quit") {
        d.quit = true;
        return "ok";
    }
    if (cmd == "get") {
        std::string t;
        in >> t;
        auto oid = parseOid(t);
        if (!oid) return "error bad OID";
        auto l = d.store.find(*oid);
        if (!l.entry) return "error no such object";
        SimValue v = l.entry->value;
        if (l.entry->upTime) v = SimValue::ticks(d.upTimeTicks());
        bool hex = l.entry->syntax == 0x49;
        return std::string("ok ") + (hex ? 'x' : typeLetter(v.type)) + ' ' + valueText(v, hex);
    }
    if (cmd == "set") {
        std::string t, type;
        in >> t >> type;
        auto oid = parseOid(t);
        if (!oid) return "error bad OID";
        if (type.size() != 1) return "error type letter expected (i, s, x, a, t or o)";
        std::string why;
        auto v = parseValue(type[0], rest(in), &why);
        if (!v) return "error " + why;
        auto l = d.store.find(*oid);
        if (l.entry) {
            l.entry->value = *v;
            l.entry->upTime = false;
        } else {
            SimEntry e;
            e.value = *v;
            e.writable = true;
            e.syntax = type[0] == 'x' ? 0x04 : 0;
            d.store.put(*oid, e);
        }
        return "ok";
    }
    if (cmd == "fill") {
        std::string t, n, type;
        in >> t >> n >> type;
        auto column = parseOid(t);
        int64_t count = ms(n);
        if (!column) return "error bad OID";
        if (count < 1 || count > 100000) return "error row count 1..100000 expected";
        if (type.size() != 1) return "error type letter expected (i, s, x, a, t or o)";
        std::string why;
        auto v = parseValue(type[0], rest(in), &why);
        if (!v) return "error " + why;
        for (int64_t i = 1; i <= count; ++i) {
            SimOid row = *column;
            row.push_back(uint32_t(i));
            SimEntry e;
            e.value = *v;
            e.writable = true;
            e.syntax = type[0] == 'x' ? 0x04 : 0;
            d.store.put(row, e);
        }
        return "ok";
    }
    if (cmd == "del") {
        std::string t;
        in >> t;
        auto oid = parseOid(t);
        if (!oid) return "error bad OID";
        return "ok " + std::to_string(d.store.eraseSubtree(*oid));
    }
    if (cmd == "delay") {
        std::string a, c;
        in >> a >> c;
        int64_t v = ms(a);
        if (v < 0) return "error delay in milliseconds expected";
        d.faults.delayMs = int(v);
        d.faults.delayCount = c.empty() ? -1 : int(ms(c));
        if (!c.empty() && d.faults.delayCount < 0) return "error count expected";
        return "ok";
    }
    if (cmd == "drop") {
        std::string a;
        in >> a;
        int64_t v = ms(a);
        if (v < 0) return "error count expected";
        d.faults.dropNext = int(v);
        return "ok";
    }
    if (cmd == "silence") {
        std::string a;
        in >> a;
        int64_t v = ms(a);
        if (v < 0) return "error milliseconds expected";
        d.faults.silentUntil = SimClock::now() + std::chrono::milliseconds(v);
        return "ok";
    }
    if (cmd == "restart-time") {
        std::string a;
        in >> a;
        int64_t v = ms(a);
        if (v < 0) return "error milliseconds expected";
        d.restartMs = int(v);
        return "ok";
    }
    if (cmd == "error") {
        std::string t, s, op;
        in >> t >> s >> op;
        auto oid = parseOid(t);
        if (!oid) return "error bad OID";
        SimFaults::Op o = SimFaults::Op::All;
        if (op == "get")
            o = SimFaults::Op::Get;
        else if (op == "next")
            o = SimFaults::Op::Next;
        else if (op == "set")
            o = SimFaults::Op::Set;
        else if (!op.empty() && op != "all")
            return "error operation must be get, next, set or all";
        // A rule replaces the OID's rule for the same operation only: a get and a next rule stand
        // side by side. off and all replace every rule of the OID.
        const bool every = s == "off" || o == SimFaults::Op::All;
        std::erase_if(d.faults.errors, [&](const auto& r) { return r.oid == *oid && (every || r.op == o); });
        if (s == "off") return "ok";
        int status = statusFromName(s);
        if (status <= 0) return "error unknown error status '" + s + "'";
        d.faults.errors.push_back({*oid, status, o});
        return "ok";
    }
    if (cmd == "survey") {
        std::string a;
        in >> a;
        int64_t rows = ms(a);
        if (rows < 0 || rows > 255) return "error row count 0..255 expected";
        setSurveyRows(d.store, d.profile, int(rows), d.refillGeneration);
        return "ok";
    }
    if (cmd == "leases") {
        std::string a, b;
        in >> a >> b;
        const int64_t dynamicRows = ms(a), staticRows = ms(b);
        if (dynamicRows < 0 || dynamicRows > 255 || staticRows < 0 || staticRows > 255)
            return "error row counts 0..255 expected";
        setLeaseRows(d.store, d.profile, int(dynamicRows), int(staticRows), ++d.refillGeneration);
        d.log.line("# refill leases " + std::to_string(d.refillGeneration));
        return "ok";
    }
    if (cmd == "static-pool") {
        std::string a, b;
        in >> a >> b;
        const int64_t used = ms(a), rows = b.empty() ? 8 : ms(b);
        if (rows < 0 || rows > 255 || used < 0 || used > rows)
            return "error 0 <= USED <= ROWS <= 255 expected";
        setStaticPool(d.store, d.profile, int(used), int(rows));
        return "ok";
    }
    if (cmd == "hold-rows") {
        std::string a;
        in >> a;
        if (a != "on" && a != "off") return "error on or off expected";
        d.holdRows = a == "on";
        return "ok";
    }
    if (cmd == "reset") {
        d.faults = SimFaults();
        return "ok";
    }
    if (auto reply = simTftpControl(d, cmd, in)) return *reply;
    if (cmd == "factory") {
        d.loadProfile();
        return "ok";
    }
    return "error unknown command '" + cmd + "'";
}
