#include "RegistryStore.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "Paths.h"

namespace {

bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}

std::string trimmed(const std::string& s) {
    std::size_t from = 0;
    std::size_t to = s.size();
    while (from < to && isBlank(s[from])) ++from;
    while (to > from && isBlank(s[to - 1])) --to;
    return s.substr(from, to - from);
}

bool startsWithIgnoringCase(const std::string& s, const std::string& prefix) {
    return s.size() >= prefix.size() &&
           sameIgnoringCase(std::string_view(s).substr(0, prefix.size()), prefix);
}

}  // namespace

std::string RegistryStore::normalizedKey(const std::string& keyPath) {
    std::string key;
    for (char c : keyPath) {
        if (c == '/') c = '\\';
        if (c == '\\' && (key.empty() || key.back() == '\\')) continue;
        key += c;
    }
    if (!key.empty() && key.back() == '\\') key.pop_back();
    for (const char* root : {"HKEY_LOCAL_MACHINE\\", "HKLM\\"}) {
        if (startsWithIgnoringCase(key, root)) {
            key.erase(0, std::char_traits<char>::length(root));
            break;
        }
    }
    return key;
}

MemoryRegistryStore::Key* MemoryRegistryStore::find(const std::string& keyPath) {
    const std::string key = normalizedKey(keyPath);
    for (auto& k : m_keys)
        if (sameIgnoringCase(k.path, key)) return &k;
    return nullptr;
}

const MemoryRegistryStore::Key* MemoryRegistryStore::find(const std::string& keyPath) const {
    return const_cast<MemoryRegistryStore*>(this)->find(keyPath);
}

void MemoryRegistryStore::addKey(const std::string& keyPath) {
    if (!find(keyPath)) m_keys.push_back({normalizedKey(keyPath), {}});
}

void MemoryRegistryStore::addValue(const std::string& keyPath, const std::string& valueName,
                                   const std::string& text) {
    addKey(keyPath);
    Key* key = find(keyPath);
    for (const auto& [name, value] : key->values)
        if (sameIgnoringCase(name, valueName)) return;
    key->values.emplace_back(valueName, text);
}

bool MemoryRegistryStore::keyExists(const std::string& keyPath) const {
    return find(keyPath) != nullptr;
}

std::optional<std::string> MemoryRegistryStore::readString(const std::string& keyPath,
                                                           const std::string& valueName) const {
    const Key* key = find(keyPath);
    if (!key) return std::nullopt;
    for (const auto& [name, value] : key->values)
        if (sameIgnoringCase(name, valueName)) return value;
    return std::nullopt;
}

RegistryFile::RegistryFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return;
    std::stringstream content;
    content << file.rdbuf();
    if (file.bad()) return;
    m_loaded = true;

    std::string text = content.str();
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
    std::istringstream lines(text);
    std::string line;
    std::string section;
    bool inSection = false;
    int lineNo = 0;
    while (std::getline(lines, line)) {
        ++lineNo;
        line = trimmed(line);  // also drops the CR of a CRLF line end
        if (line.empty() || line.front() == ';' || line.front() == '#') continue;
        if (line.front() == '[') {
            const auto close = line.find(']');
            if (close == std::string::npos) {
                m_badLines.push_back(lineNo);
                inSection = false;  // its values would otherwise land in the previous key
                continue;
            }
            section = trimmed(line.substr(1, close - 1));
            inSection = true;
            addKey(section);
            continue;
        }
        const auto eq = line.find('=');
        if (!inSection || eq == std::string::npos) {
            m_badLines.push_back(lineNo);
            continue;
        }
        std::string value = trimmed(line.substr(eq + 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        addValue(section, trimmed(line.substr(0, eq)), value);
    }
}

std::string RegistryFile::defaultPath() {
    const char* env = std::getenv("HV_REGISTRY_FILE");
    return env && *env ? std::string(env) : std::string("/etc/halvern/registry.ini");
}
