#pragma once

#include <string>
#include <vector>

#include "library/HvSNMPSession.h"

class RegistryStore;

// The start-up of the main window without its window: where the management system's files are,
// which message files are loaded in which order, and what the command line and the device's INI
// file make of the session defaults.
namespace MainStartup {

inline constexpr const char* kHelpPathKey = "\\SOFTWARE\\Halvern\\Modules\\HelpPath";
inline constexpr const char* kExePathKey = "\\SOFTWARE\\Halvern\\Vistrel5.1\\ExePath";
inline constexpr const char* kMibFileKey = "\\SOFTWARE\\Halvern\\Vistrel5.1\\MibFile";
inline constexpr const char* kIniSection = "Program Information";

// The texts of the session parameters as the command line and the INI file gave them. Only
// ipAddress (INI file name, caption) and version (the SNMPv3 gate) are read back.
struct SessionTexts {
    std::string ipAddress;
    std::string readCommunity;
    std::string writeCommunity;
    std::string agentPort;
    std::string version;
    std::string securityName;
    std::string authPassword;
    std::string privPassword;
    std::string authProtocol;
    std::string privProtocol;
    std::string contextEngineId;
    std::string securityLevel;
    std::string contextName;
    std::string securityModel;
};

// The help folder: the HelpPath value named by the model's object ID without its last 12
// characters; empty when the key or value is missing or the value has 12 characters or fewer.
std::string resolveHelpDir(const RegistryStore& registry, const std::string& modelObjectId);
// The folder of the per-device INI files: ExePath's "Path" + "..\Conf\MBF\", replaced by MibFile's
// "Path" when that key exists; empty when neither exists.
std::string resolveMbfDir(const RegistryStore& registry);

// The message files beside the program (folder "errMSg\" of programDir) and below the help folder
// ("errmsg\"), each list in its load order.
std::vector<std::string> programMessageFiles(const std::string& programDir);
std::vector<std::string> helpMessageFiles(const std::string& helpDir);
// Loads each file of the list into its table; missing or blank files leave their table as it was.
void loadMessageFiles(const std::vector<std::string>& paths);

// The per-device INI file for the address known so far; empty when the address could name another
// folder (it contains '/', '\' or "..").
std::string iniPathFor(const std::string& mbfDir, const std::string& ipAddress);

// The notes about values that were ignored (numbers that do not parse) go here; stderr by default.
using NoteSink = void (*)(const std::string& note);
void setNoteSink(NoteSink sink);

// Applies the keys of section "Program Information" of the INI file (missing file: nothing).
void applyIniFile(const std::string& path, HvSNMPDefaults& defaults, SessionTexts& texts);

// Applies one argument other than "/I": the switch it begins with, else the first switch of the
// table that it contains. False when the argument names no switch or the SNMPv3 gate kept it out.
bool applySwitch(const std::string& argument, HvSNMPDefaults& defaults, SessionTexts& texts);

// Whether the argument is the device address ("/I" at its start, or anywhere when it begins with no
// other switch); address is then the text after "/I".
bool addressArgument(const std::string& argument, std::string& address);

// The whole command line (program name not included), in order: "/I" sets the address; every
// other argument reads the INI file for the address known so far, then applies its switch.
void applyCommandLine(const std::vector<std::string>& arguments, const std::string& mbfDir,
                      HvSNMPDefaults& defaults, SessionTexts& texts);

// A decimal integer: optional '-', digits only, in range; nothing else accepted.
bool parseInt(const std::string& text, long long minimum, long long maximum, long long& value);

}  // namespace MainStartup
