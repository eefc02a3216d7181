#include "library/HvUtil.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "platform/Paths.h"

std::string HvJoinPath(const std::string& folder, const std::string& fileName) {
    if (folder.empty()) return fileName;
    const char last = folder.back();
    if (last == '/' || last == '\\') return folder + fileName;
    return folder + "/" + fileName;
}

uint32_t HvIntPower(uint32_t base, uint32_t exponent) {
    uint32_t result = 1;
    for (uint32_t i = 0; i < exponent; ++i) result *= base;
    return result;
}

std::optional<std::string> HvReadTextFile(const std::string& path) {
    std::ifstream file(resolvePathIgnoringCase(path), std::ios::binary);
    if (!file) return std::nullopt;
    std::stringstream content;
    content << file.rdbuf();
    std::string text = content.str();
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
    return text;
}

namespace {

// Reads an OID's arcs one by one from its text.
class OidArcs {
public:
    explicit OidArcs(std::string_view text) {
        while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
        while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
        if (!text.empty() && text.front() == '.') text.remove_prefix(1);
        m_rest = text;
        m_valid = !text.empty();
    }
    bool valid() const { return m_valid; }
    // The next arc; false at the end or at a fault, which clears valid().
    bool next(uint32_t& arc) {
        if (!m_valid || m_ended) return false;
        // Every answer of a walk is compared this way: digits by hand, held just above the
        // largest arc once past it.
        constexpr uint64_t kTooLarge = uint64_t{UINT32_MAX} + 1;
        const char* const first = m_rest.data();
        const char* const last = first + m_rest.size();
        const char* end = first;
        uint64_t value = 0;
        for (unsigned digit; end != last && (digit = static_cast<unsigned char>(*end) - '0') <= 9; ++end)
            value = std::min(value * 10 + digit, kTooLarge);
        if (end == first || value == kTooLarge) return fail();
        arc = static_cast<uint32_t>(value);
        m_rest.remove_prefix(static_cast<std::size_t>(end - first));
        if (m_rest.empty()) {
            m_ended = true;
        } else {
            if (m_rest.front() != '.' || m_rest.size() == 1) return fail();
            m_rest.remove_prefix(1);
        }
        return true;
    }
    // Reads what is left, for its validity alone.
    bool validToTheEnd() {
        uint32_t arc = 0;
        while (next(arc)) {
        }
        return m_valid;
    }

private:
    bool fail() {
        m_valid = false;
        return false;
    }
    std::string_view m_rest;
    bool m_valid = false;
    bool m_ended = false;
};

}  // namespace

HvOidOrder HvCompareOids(std::string_view first, std::string_view second) {
    OidArcs a(first), b(second);
    int compare = 0;
    bool prefix = false;
    while (true) {
        uint32_t x = 0, y = 0;
        const bool moreA = a.next(x);
        const bool moreB = b.next(y);
        if (!a.valid() || !b.valid()) return {};
        if (!moreA || !moreB) {
            compare = moreA ? 1 : moreB ? -1 : 0;
            prefix = !moreA && moreB;
            break;
        }
        if (x != y) {
            compare = x < y ? -1 : 1;
            break;
        }
    }
    // The arcs after the first difference decide nothing, but a fault there makes a text no OID.
    if (!a.validToTheEnd() || !b.validToTheEnd()) return {};
    return HvOidOrder{true, compare, prefix};
}

bool HvIsOid(std::string_view text) {
    OidArcs arcs(text);
    return arcs.valid() && arcs.validToTheEnd();
}
