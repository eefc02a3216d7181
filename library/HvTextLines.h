#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "HvSNMPError.h"

// Message files: plain text, one message per line, no numbers or keys. The k-th line that is not
// blank (empty after trimming blanks and control characters) becomes entry k of its table; the
// stored text is the line without its line end (CR LF or LF), leading and trailing blanks kept.
// Lines are taken whole, however long. Files come from Windows installations: a UTF-8 byte order
// mark is dropped, and a file that is not valid UTF-8 is read as Windows-1252.

// The file's messages in order; nothing when it cannot be opened. The path may be written with
// backslashes and in any case (resolvePathIgnoringCase).
std::optional<std::vector<std::string>> HvReadTextLines(const std::string& path);

// Replaces entries 0 .. n-1 of the table by the file's n messages; later entries keep their text.
// A file that is missing or holds no message leaves the table as it was. Returns whether the table
// was replaced.
bool HvLoadTextLines(HvMessageTable table, const std::string& path);

// The table that a message file of this name replaces (ignoring case): "common.err", "snmp.err",
// "snmpclass.err", "snmpv3.err", "snmpusm.err", "hvsnmp.err", and "snmp.msg" for the result-line
// templates.
std::optional<HvMessageTable> HvMessageTableOf(std::string_view fileName);

// HvLoadTextLines into the table named by the path's file name; false, and nothing read, when the
// name is none of the message files.
bool HvLoadMessageFile(const std::string& path);
