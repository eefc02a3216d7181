#include "sim/SimStore.h"

#include <charconv>

std::optional<SimOid> parseOid(std::string_view text) {
    if (!text.empty() && text.front() == '.') text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    SimOid oid;
    size_t pos = 0;
    while (true) {
        size_t dot = text.find('.', pos);
        std::string_view arc =
            text.substr(pos, dot == std::string_view::npos ? std::string_view::npos : dot - pos);
        uint32_t v = 0;
        auto [p, ec] = std::from_chars(arc.data(), arc.data() + arc.size(), v);
        if (arc.empty() || ec != std::errc() || p != arc.data() + arc.size()) return std::nullopt;
        oid.push_back(v);
        if (dot == std::string_view::npos) break;
        pos = dot + 1;
    }
    return oid;
}

std::string oidText(const SimOid& oid) {
    std::string out;
    for (size_t i = 0; i < oid.size(); ++i) {
        if (i) out += '.';
        out += std::to_string(oid[i]);
    }
    return out;
}

bool oidStartsWith(const SimOid& oid, const SimOid& prefix) {
    return oid.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), oid.begin());
}

char typeLetter(SimType type) {
    switch (type) {
        case SimType::Integer:
            return 'i';
        case SimType::OctetString:
            return 's';
        case SimType::IpAddress:
            return 'a';
        case SimType::TimeTicks:
            return 't';
        case SimType::ObjectId:
            return 'o';
    }
    return '?';
}

std::string quoted(std::string_view octets) {
    static const char* hex = "0123456789ABCDEF";
    std::string out = "\"";
    for (unsigned char c : octets) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += char(c);
        } else if (c >= 0x20 && c < 0x7f) {
            out += char(c);
        } else {
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    out += '"';
    return out;
}

static std::string hexText(std::string_view octets) {
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : octets) {
        out += hex[c >> 4];
        out += hex[c & 15];
    }
    return out;
}

std::string valueText(const SimValue& value, bool asHex) {
    switch (value.type) {
        case SimType::Integer:
        case SimType::TimeTicks:
            return std::to_string(value.number);
        case SimType::OctetString:
            return asHex ? hexText(value.octets) : quoted(value.octets);
        case SimType::IpAddress: {
            std::string out;
            for (size_t i = 0; i < value.octets.size(); ++i) {
                if (i) out += '.';
                out += std::to_string(static_cast<unsigned char>(value.octets[i]));
            }
            return out;
        }
        case SimType::ObjectId:
            return oidText(value.oid);
    }
    return {};
}

static int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// A string value on the control line: either bare text or a quoted, escaped string.
static std::optional<std::string> unquote(std::string_view text) {
    if (text.size() < 2 || text.front() != '"' || text.back() != '"') return std::string(text);
    std::string out;
    for (size_t i = 1; i + 1 < text.size(); ++i) {
        char c = text[i];
        if (c != '\\') {
            out += c;
            continue;
        }
        const size_t end = text.size() - 1;  // the closing quote
        if (++i >= end) return std::nullopt;
        if (text[i] == 'x') {
            if (i + 2 >= end) return std::nullopt;
            int h = hexDigit(text[i + 1]), l = hexDigit(text[i + 2]);
            if (h < 0 || l < 0) return std::nullopt;
            out += char(h * 16 + l);
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::optional<SimValue> parseValue(char letter, std::string_view text, std::string* error) {
    auto fail = [&](const char* why) -> std::optional<SimValue> {
        if (error) *error = why;
        return std::nullopt;
    };
    auto number = [&](int64_t lo, int64_t hi) -> std::optional<int64_t> {
        int64_t v = 0;
        auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
        if (text.empty() || ec != std::errc() || p != text.data() + text.size() || v < lo || v > hi)
            return std::nullopt;
        return v;
    };
    switch (letter) {
        case 'i': {
            auto v = number(INT32_MIN, INT32_MAX);
            if (!v) return fail("not a 32-bit integer");
            return SimValue::integer(*v);
        }
        case 't': {
            auto v = number(0, UINT32_MAX);
            if (!v) return fail("not a time-ticks count");
            return SimValue::ticks(*v);
        }
        case 's': {
            auto s = unquote(text);
            if (!s) return fail("bad escape in string");
            return SimValue::string(*s);
        }
        case 'x': {
            std::string out;
            std::string digits;
            for (char c : text)
                if (c != ' ' && c != ':' && c != '-') digits += c;
            if (digits.size() % 2) return fail("odd number of hex digits");
            for (size_t i = 0; i < digits.size(); i += 2) {
                int h = hexDigit(digits[i]), l = hexDigit(digits[i + 1]);
                if (h < 0 || l < 0) return fail("not a hex string");
                out += char(h * 16 + l);
            }
            return SimValue::string(out);
        }
        case 'a': {
            auto oid = parseOid(text);
            if (!oid || oid->size() != 4 || text.front() == '.') return fail("not a dotted IPv4 address");
            for (uint32_t v : *oid)
                if (v > 255) return fail("not a dotted IPv4 address");
            return SimValue::ip((*oid)[0], (*oid)[1], (*oid)[2], (*oid)[3]);
        }
        case 'o': {
            auto oid = parseOid(text);
            if (!oid) return fail("not an OID");
            return SimValue::objectId(*oid);
        }
        default:
            return fail("unknown type letter (use i, s, x, a, t or o)");
    }
}

size_t SimStore::eraseSubtree(const SimOid& prefix) {
    size_t n = 0;
    for (auto it = m_entries.lower_bound(prefix);
         it != m_entries.end() && oidStartsWith(it->first, prefix);) {
        it = m_entries.erase(it);
        ++n;
    }
    return n;
}

SimEntry* SimStore::exact(const SimOid& oid) {
    auto it = m_entries.find(oid);
    return it == m_entries.end() ? nullptr : &it->second;
}

SimStore::Lookup SimStore::find(const SimOid& oid) {
    if (auto* e = exact(oid)) return {e, oid, false};
    if (oid.size() > 1 && oid.back() == 0) {
        SimOid stripped(oid.begin(), oid.end() - 1);
        if (auto* e = exact(stripped)) return {e, stripped, true};
    }
    auto a = m_aliases.find(oid);
    if (a != m_aliases.end())
        if (auto* e = exact(a->second)) return {e, a->second, true};
    return {};
}

const std::pair<const SimOid, SimEntry>* SimStore::next(const SimOid& oid) const {
    auto it = m_entries.upper_bound(oid);
    return it == m_entries.end() ? nullptr : &*it;
}

bool SimStore::knownParent(const SimOid& oid) const {
    if (oid.size() < 2) return false;
    SimOid parent(oid.begin(), oid.end() - 1);
    auto it = m_entries.lower_bound(parent);
    return it != m_entries.end() && oidStartsWith(it->first, parent);
}
