#include "module/FileRoad.h"

#include <charconv>
#include <cstdint>

#include <QFileInfo>
#include <QString>

namespace FileRoad {

namespace {

bool exists(const std::string& path) {
    // No wildcard matching: "*.tfp" names no file.
    return QFileInfo(QString::fromStdString(path)).isFile();
}

bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

uint32_t octetAt(const std::string& text, int index) {
    std::size_t start = 0;
    for (int i = 0; i < index; ++i) {
        const std::size_t dot = text.find('.', start);
        if (dot == std::string::npos) return 0;
        start = dot + 1;
    }
    std::size_t end = text.find('.', start);
    if (end == std::string::npos) end = text.size();
    while (start < end && (text[start] == ' ' || text[start] == '\t')) ++start;
    while (end > start && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
    uint64_t value = 0;
    const auto [p, ec] = std::from_chars(text.data() + start, text.data() + end, value);
    if (start == end || ec != std::errc() || p != text.data() + end) return 0;
    return static_cast<uint32_t>(value % 256);
}

}  // namespace

PathVerdict CheckFirmwarePath(const std::string& path) {
    if (path.empty() || path.back() == '/') return PathVerdict::Empty;
    if (path.find(".tfp") == std::string::npos) return PathVerdict::BadName;
    if (!exists(path)) return PathVerdict::Missing;
    return PathVerdict::Ok;
}

PathVerdict CheckConfigPath(const std::string& path) {
    if (path.empty()) return PathVerdict::Empty;
    if (path.find(".dcf") == std::string::npos || !exists(path)) return PathVerdict::BadName;
    return PathVerdict::Ok;
}

bool IsUsablePath(const std::string& path) {
    return !path.empty() && path.front() == '/' && path.back() != '/';
}

std::string SavePath(const std::string& chosen) {
    if (chosen.empty() || chosen.find(".dcf") != std::string::npos) return chosen;
    return chosen + ".dcf";
}

SplitPath Split(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return {std::string(), path};
    return {slash == 0 ? std::string("/") : path.substr(0, slash), path.substr(slash + 1)};
}

LogRow ParseLogLine(const std::string& line) {
    LogRow row;
    std::string rest = line;
    const std::size_t tab = rest.find('\t');
    if (tab != std::string::npos) {
        std::size_t b = 0, e = tab;
        while (b < e && isBlank(rest[b])) ++b;
        while (e > b && isBlank(rest[e - 1])) --e;
        row.time = rest.substr(b, e - b);
        rest.erase(0, tab + 1);
    }
    const std::size_t open = rest.find('[');
    if (open != std::string::npos) rest.erase(0, open + 1);
    const std::size_t close = rest.find(']');
    if (close != std::string::npos) {
        row.type = rest.substr(0, close);
        rest.erase(0, close + 1);
    }
    row.message = rest;
    return row;
}

std::vector<std::string> SplitLogLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::string current;
    bool any = false;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(current);
            current.clear();
            any = false;
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        } else {
            current += c;
            any = true;
        }
    }
    if (any) lines.push_back(current);
    return lines;
}

std::string NetworkOf(const std::string& address, const std::string& mask) {
    std::string network;
    for (int i = 0; i < 4; ++i) {
        if (i > 0) network += '.';
        network += std::to_string(octetAt(address, i) & octetAt(mask, i));
    }
    return network;
}

std::string FindLocalAddress(const std::vector<HvNetInterface>& interfaces, const std::string& deviceAddress,
                             const std::string& deviceMask,
                             const std::function<std::vector<std::string>()>& gateways) {
    const std::string deviceNetwork = NetworkOf(deviceAddress, deviceMask);
    for (const auto& i : interfaces)
        if (NetworkOf(i.address, i.netmask) == deviceNetwork) return i.address;
    if (!gateways) return {};
    const std::vector<std::string> found = gateways();
    if (found.empty()) return {};
    const std::string gatewayNetwork = NetworkOf(found.front(), "255.255.255.0");
    for (const auto& i : interfaces)
        if (NetworkOf(i.address, i.netmask) == gatewayNetwork) return i.address;
    return {};
}

}  // namespace FileRoad
