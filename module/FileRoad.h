#pragma once

// The widget-free rules of the file pages (firmware, configuration file, system log): the checks of
// a chosen path, the split of a path into the TFTP server's root and the name the device asks for,
// the log file's lines, and the choice of the PC address the device is told to reach.

#include <functional>
#include <string>
#include <vector>

#include "library/HvNetInterface.h"

namespace FileRoad {

// What the checks of a path ask the page to say; Ok when the path may be used.
enum class PathVerdict { Ok, Empty, BadName, Missing, NotAbsolute };

// The firmware page's checks, in the page's order. The name test is a case-sensitive substring
// test: "image.tfp.bak" passes, "IMAGE.TFP" does not. A path ending in "/" counts as empty.
PathVerdict CheckFirmwarePath(const std::string& path);
// The configuration page's update checks (".dcf" in the path, the file exists).
PathVerdict CheckConfigPath(const std::string& path);
// A path the TFTP server can be rooted at: absolute, with a file name after the last "/".
bool IsUsablePath(const std::string& path);
// The save path as the page uses it: ".dcf" appended unless it occurs anywhere in the path.
std::string SavePath(const std::string& chosen);

struct SplitPath {
    std::string folder;  // up to, not including, the last "/"; "/" for a file in the root folder
    std::string name;    // after the last "/"
};
SplitPath Split(const std::string& path);

// One row of the log list.
struct LogRow {
    std::string time;
    std::string type;
    std::string message;
};
// The rows of the log's lines: an empty line is skipped; Time is the text before the first TAB,
// trimmed; after it, the text up to the first "[" is dropped, Type is the text before the first
// "]" and Message the rest, untrimmed. No TAB: empty Time, nothing dropped; no "[": nothing dropped;
// no "]": empty Type.
LogRow ParseLogLine(const std::string& line);
// The lines of a log file as it arrived: octet for character, split on CR, LF or CRLF.
std::vector<std::string> SplitLogLines(const std::string& bytes);
// The most of a log file that is read: it comes over the network.
inline constexpr long long kMaxLogBytes = 4 * 1024 * 1024;

// address AND mask, octet by octet, dotted. Blanks around an octet are skipped; a missing or
// non-numeric octet counts as 0; each value is taken modulo 256.
std::string NetworkOf(const std::string& address, const std::string& mask);

// The PC address to give the device: the first interface in the device's network (address and mask
// of the device), else the first interface in the /24 network of the first gateway the ipconfig-style
// listing offers (asked only then). Empty when none matches.
std::string FindLocalAddress(const std::vector<HvNetInterface>& interfaces, const std::string& deviceAddress,
                             const std::string& deviceMask,
                             const std::function<std::vector<std::string>()>& gateways);

}  // namespace FileRoad
