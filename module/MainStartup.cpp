#include "module/MainStartup.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <limits>

#include <QString>

#include "library/HvIni.h"
#include "library/HvTextLines.h"
#include "platform/Paths.h"
#include "platform/RegistryStore.h"

namespace MainStartup {

namespace {

void stderrNote(const std::string& note) {
    std::fprintf(stderr, "qmx7240nt: %s\n", note.c_str());
}

NoteSink g_noteSink = stderrNote;

void note(const std::string& text) {
    if (g_noteSink) g_noteSink(text);
}

// A number that does not parse keeps the value it would have replaced; the user hears about it,
// because the management system wrote something the module cannot use.
bool number(const std::string& what, const std::string& text, long long minimum, long long maximum,
            long long& value) {
    if (parseInt(text, minimum, maximum, value)) return true;
    note(what + ": \"" + text + "\" is not a usable number; the earlier value is kept");
    return false;
}

bool fileExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::is_regular_file(resolvePathIgnoringCase(path), ec);
}

std::string numberText(long long value) {
    char buffer[24];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

bool gateOpen(const HvSNMPDefaults& defaults, const SessionTexts& texts) {
    return texts.version == "3" || defaults.version == 3;
}

enum class Switch { R, W, v, t, c, d, m, l, n, A, P, a, p };

struct SwitchDef {
    const char* text;
    Switch kind;
    bool gated;
};

// The table's order decides when an argument holds a switch only somewhere inside it.
constexpr SwitchDef kSwitches[] = {
    {"/R", Switch::R, false}, {"/W", Switch::W, false}, {"/v", Switch::v, false}, {"/t", Switch::t, true},
    {"/c", Switch::c, true},  {"/d", Switch::d, true},  {"/m", Switch::m, true},  {"/l", Switch::l, true},
    {"/n", Switch::n, true},  {"/A", Switch::A, true},  {"/P", Switch::P, true},  {"/a", Switch::a, true},
    {"/p", Switch::p, true},
};

const SwitchDef* leadingSwitch(const std::string& argument) {
    for (const auto& s : kSwitches)
        if (argument.rfind(s.text, 0) == 0) return &s;
    return nullptr;
}

void applyValue(const SwitchDef& s, const std::string& value, HvSNMPDefaults& d, SessionTexts& t) {
    long long n = 0;
    switch (s.kind) {
        case Switch::R:
            d.readCommunity = value;
            t.readCommunity = value;
            break;
        case Switch::W:
            d.writeCommunity = value;
            t.writeCommunity = value;
            break;
        case Switch::v:
            // The version text stays as the INI file gave it.
            if (number("/v", value, 0, 255, n)) d.version = static_cast<uint8_t>(n);
            break;
        case Switch::t:
            if (number("/t", value, 1, 65535, n)) {
                d.port = static_cast<uint16_t>(n);
                t.agentPort = numberText(n);
            }
            break;
        case Switch::c:
            d.contextName = value;
            if (!value.empty()) t.contextName = value;
            break;
        case Switch::d:
            d.contextEngineId = value;
            t.contextEngineId = value;
            break;
        case Switch::m:
            if (number("/m", value, INT32_MIN, INT32_MAX, n)) {
                d.securityModel = static_cast<int32_t>(n);
                t.securityModel = numberText(n);
            }
            break;
        case Switch::l:
            if (number("/l", value, INT32_MIN, INT32_MAX - 1, n)) {
                d.securityLevel = static_cast<int32_t>(n + 1);
                if (n != 0) t.securityLevel = numberText(n);
            }
            break;
        case Switch::n:
            d.securityName = value;
            t.securityName = value;
            break;
        case Switch::A:
            d.authPassword = value;
            if (!value.empty()) t.authPassword = value;
            break;
        case Switch::P:
            d.privPassword = value;
            if (!value.empty()) t.privPassword = value;
            break;
        case Switch::a:
            if (number("/a", value, INT32_MIN, INT32_MAX - 1, n)) {
                d.authProtocol = static_cast<int32_t>(n + 1);
                t.authProtocol = numberText(n);
            }
            break;
        case Switch::p:
            // The library's code minus one: /p1 DES, /p18..20 AES-128..256 (/p2 triple DES and /p3
            // IDEA give codes that the transport refuses as unsupported).
            if (number("/p", value, INT32_MIN, INT32_MAX - 1, n)) {
                d.privProtocol = static_cast<int32_t>(n + 1);
                t.privProtocol = numberText(n);
            }
            break;
    }
}

}  // namespace

bool parseInt(const std::string& text, long long minimum, long long maximum, long long& value) {
    const char* begin = text.data();
    const char* end = begin + text.size();
    if (begin == end) return false;
    long long v = 0;
    auto [ptr, ec] = std::from_chars(begin, end, v);  // no blanks, no '+', decimal only
    if (ec != std::errc() || ptr != end || v < minimum || v > maximum) return false;
    value = v;
    return true;
}

void setNoteSink(NoteSink sink) {
    g_noteSink = sink ? sink : stderrNote;
}

std::string resolveHelpDir(const RegistryStore& registry, const std::string& modelObjectId) {
    auto value = registry.readString(kHelpPathKey, modelObjectId);
    if (!value) return {};
    QString text = QString::fromStdString(*value);
    if (text.size() <= 12) return {};
    text.chop(12);
    return text.toStdString();
}

std::string resolveMbfDir(const RegistryStore& registry) {
    std::string dir;
    if (registry.keyExists(kExePathKey))
        dir = registry.readString(kExePathKey, "Path").value_or("") + "..\\Conf\\MBF\\";
    if (registry.keyExists(kMibFileKey)) dir = registry.readString(kMibFileKey, "Path").value_or("");
    return dir;
}

std::vector<std::string> programMessageFiles(const std::string& programDir) {
    std::vector<std::string> out;
    for (const char* name :
         {"snmpclass.err", "snmp.err", "snmp.msg", "hvsnmp.err", "snmpv3.err", "snmpusm.err", "common.err"})
        out.push_back(programDir + "errMSg\\" + name);
    return out;
}

std::vector<std::string> helpMessageFiles(const std::string& helpDir) {
    std::vector<std::string> out;
    for (const char* name :
         {"common.err", "snmp.err", "snmpv3.err", "snmpusm.err", "snmpclass.err", "hvsnmp.err", "snmp.msg"})
        out.push_back(helpDir + "errmsg\\" + name);
    return out;
}

void loadMessageFiles(const std::vector<std::string>& paths) {
    for (const auto& path : paths) HvLoadMessageFile(path);
}

std::string iniPathFor(const std::string& mbfDir, const std::string& ipAddress) {
    if (ipAddress.find_first_of("/\\") != std::string::npos || ipAddress.find("..") != std::string::npos)
        return {};
    return mbfDir + ipAddress + ".cfg";
}

void applyIniFile(const std::string& path, HvSNMPDefaults& d, SessionTexts& t) {
    if (!fileExists(path)) return;
    const HvIni ini(path);
    auto read = [&](const char* key) { return ini.ReadString(kIniSection, key, ""); };
    long long n = 0;
    // Empty values come back for missing keys too; those keep the earlier value without a note.
    auto numeric = [&](const char* key, const std::string& value, long long minimum, long long maximum) {
        return !value.empty() && number(std::string("INI key ") + key, value, minimum, maximum, n);
    };

    std::string v = read("AgentPort");
    if (numeric("AgentPort", v, 1, 65535)) {
        d.port = static_cast<uint16_t>(n);
        t.agentPort = numberText(n);
    }
    v = read("Version");
    if (numeric("Version", v, 0, 255)) {
        d.version = static_cast<uint8_t>(n);
        t.version = numberText(n);
    }
    v = read("ContextName");
    if (!v.empty()) {
        d.contextName = v;
        t.contextName = v;
    }
    v = read("ContextEngineID");
    d.contextEngineId = v;
    t.contextEngineId = v;
    v = read("SecurityModel");
    if (numeric("SecurityModel", v, INT32_MIN, INT32_MAX)) {
        d.securityModel = static_cast<int32_t>(n);
        t.securityModel = numberText(n);
    }
    v = read("SecurityLevel");
    if (v != "0" && numeric("SecurityLevel", v, INT32_MIN, INT32_MAX - 1)) {
        d.securityLevel = static_cast<int32_t>(n + 1);
        t.securityLevel = numberText(n);
    }
    v = read("SecurityName");
    d.securityName = v;
    t.securityName = v;
    v = read("AuthProtocol");
    if (v != "0" && numeric("AuthProtocol", v, INT32_MIN, INT32_MAX - 1)) {
        d.authProtocol = static_cast<int32_t>(n + 1);
        t.authProtocol = numberText(n);
    }
    v = read("PrivProtocol");
    if (v != "0" && numeric("PrivProtocol", v, INT32_MIN, INT32_MAX - 1)) {
        d.privProtocol = static_cast<int32_t>(n + 1);
        t.privProtocol = numberText(n);
    }
    v = read("AuthPassword");
    if (!v.empty()) {
        d.authPassword = v;
        t.authPassword = v;
    }
    v = read("PrivPassword");
    if (!v.empty()) {
        d.privPassword = v;
        t.privPassword = v;
    }
}

bool addressArgument(const std::string& argument, std::string& address) {
    // A switch at the start wins over a "/I" inside its value ("/nops/Ix" is a security name).
    if (argument.rfind("/I", 0) != 0 && leadingSwitch(argument)) return false;
    const auto at = argument.find("/I");
    if (at == std::string::npos) return false;
    address = argument.substr(at + 2);
    return true;
}

bool applySwitch(const std::string& argument, HvSNMPDefaults& d, SessionTexts& t) {
    const SwitchDef* found = leadingSwitch(argument);
    std::size_t at = 0;
    if (!found) {
        // Text in front of the switch ("xx/Wcommunity") still counts, in the table's order.
        for (const auto& s : kSwitches) {
            at = argument.find(s.text);
            if (at != std::string::npos) {
                found = &s;
                break;
            }
        }
    }
    if (!found) return false;
    if (found->gated && !gateOpen(d, t)) return false;
    applyValue(*found, argument.substr(at + 2), d, t);
    return true;
}

void applyCommandLine(const std::vector<std::string>& arguments, const std::string& mbfDir, HvSNMPDefaults& d,
                      SessionTexts& t) {
    for (const auto& argument : arguments) {
        std::string address;
        if (addressArgument(argument, address)) {
            t.ipAddress = address;
            d.address = address;
            continue;
        }
        // Read again before every argument: the file overrides what earlier switches set.
        applyIniFile(iniPathFor(mbfDir, t.ipAddress), d, t);
        applySwitch(argument, d, t);
    }
}

}  // namespace MainStartup
