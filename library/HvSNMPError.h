#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The agent that answered an asynchronous request.
struct HvSNMPDevice {
    std::string address;
    uint16_t port = 0;
};

// The outcome of one SNMP operation in the library's own numbering. A value type handed to message
// callbacks and completions; SNMP failures are reported this way, never raised.
struct HvSNMPError {
    int32_t code = 0;
    int32_t errorIndex = 0;  // the agent's error index (asynchronous replies only)
    std::string message;
    HvSNMPDevice agent;
    bool endOfWalk = false;
    int64_t failureCount = 0;

    // Folds a status of the SNMP layer (agent error status 1..18, class errors -1..-23, SNMPv3
    // message processing -1402..-1418, user security 1401..1414, and the three success values
    // 0, -1401, 1400) into the library's code and its message text.
    static void translate(int32_t status, int32_t& code, std::string& message);
};

// The library's own failures: code -500 - n with entry n of the own table.
enum HvOwnCode : int32_t {
    HvOk = 0,
    HvErrSessionCreate = -506,
    HvErrBootsLoad = -507,
    HvErrBootsSave = -508,
    HvErrBadAddress = -509,
    HvErrGetNextSingle = -510,
    HvErrBadSyntax = -511,
    HvErrNullInExpression = -512,
    HvErrSyntaxInExpression = -513,
    HvErrBadKeyCount = -514,
    HvErrBadListKind = -515,
    HvErrBadAssocListKind = -516,
    HvErrAssocSyntax = -517,
    HvErrAssocValue = -518,
    HvErrAssocBitIndex = -519,
    HvErrNoOptionList = -520,
    HvErrControlType = -521,
    HvErrControlCount = -522,
    HvErrUnknownCode = -528,
};

// The replaceable message tables. Each starts with its built-in texts; a message file replaces
// entries from the front.
enum class HvMessageTable { Common, ErrorStatus, SnmpClass, SnmpV3, SnmpUsm, Own, ResultLines };

// Line k becomes entry k; entries beyond the lines keep their built-in text (callers index the
// tables by message number up to the built-in size). Lines beyond the built-in size are kept too.
void HvReplaceMessageTable(HvMessageTable table, const std::vector<std::string>& lines);
// Entry index of the table; an index beyond the table gives an empty text. The reference holds
// until the table is next replaced or reset.
const std::string& HvMessageText(HvMessageTable table, std::size_t index);
std::size_t HvMessageTableSize(HvMessageTable table);
// Back to the built-in texts (tests).
void HvResetMessageTables();

// Raises the library's own failure: message = own entry -(code + 500), help context = code.
[[noreturn]] void HvRaiseCode(int code);
// Raises common entry n: message = that entry, help context = -n.
[[noreturn]] void HvRaiseCommon(std::size_t entry);

// Result lines. lastOperation 0 is a read ("Get: ..."), 1 a write ("Set: ...").
//
// Fills a template: with an empty instance suffix the text after "[ERROR]" up to and including
// "[VARLIST]" is cut out (only when "[ERROR]" stands before "[VARLIST]"; otherwise the placeholder
// is left), else every "[VARLIST]" becomes the suffix; then "[ERROR]" and "[TIME]" are filled.
std::string HvFillResultLine(const std::string& line, const std::string& errorText,
                             const std::string& instanceSuffix, const std::string& timeText);
// The page's result line: template lastOperation, the time of the library clock as
// "hh:nn:ss ampm" (12-hour clock, the locale's AM/PM designator).
std::string HvResultLine(int lastOperation, const std::string& errorText, const std::string& instanceSuffix);
