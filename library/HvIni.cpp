#include "HvIni.h"

#include <optional>
#include <sstream>

#include "platform/Paths.h"
#include "library/HvUtil.h"

namespace {

bool isBlankOrControl(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u <= 0x20 || u == 0x7F;
}

std::string trimmed(const std::string& s) {
    std::size_t from = 0;
    std::size_t to = s.size();
    while (from < to && isBlankOrControl(s[from])) ++from;
    while (to > from && isBlankOrControl(s[to - 1])) --to;
    return s.substr(from, to - from);
}

std::optional<std::string> lookUp(const std::string& path, const std::string& section,
                                  const std::string& key) {
    std::optional<std::string> read = HvReadTextFile(path);
    if (!read) return std::nullopt;
    std::string text = std::move(*read);

    const std::string wantSection = trimmed(section);
    const std::string wantKey = trimmed(key);
    std::istringstream lines(text);
    std::string line;
    bool inSection = false;
    while (std::getline(lines, line)) {
        line = trimmed(line);
        if (line.empty() || line.front() == ';') continue;
        const auto close = line.front() == '[' ? line.find(']') : std::string::npos;
        if (close != std::string::npos) {
            if (inSection) return std::nullopt;  // a later section of the same name does not count
            inSection = sameIgnoringCase(trimmed(line.substr(1, close - 1)), wantSection);
            continue;
        }
        // A '[' line without ']' is no section header: like any line without '=', it is skipped.
        if (!inSection) continue;
        const auto eq = line.find('=');
        if (eq == std::string::npos || !sameIgnoringCase(trimmed(line.substr(0, eq)), wantKey)) continue;
        std::string value = trimmed(line.substr(eq + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        return value;
    }
    return std::nullopt;
}

}  // namespace

HvIni::HvIni(const std::string& path) : m_path(path) {}

HvIni::~HvIni() = default;

std::string HvIni::ReadString(const std::string& section, const std::string& key,
                              const std::string& def) const {
    const auto value = lookUp(m_path, section, key);
    if (!value || value->empty()) return def;
    return trimmed(*value);
}
