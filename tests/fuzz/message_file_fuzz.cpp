// Message files loaded into the library's tables, then every user of those tables: result codes
// translated, result lines filled from the templates, the library's own failures raised.
#include <cstddef>
#include <cstdint>
#include <string>

#include "library/HvException.h"
#include "library/HvSNMPError.h"
#include "library/HvTextLines.h"
#include "tests/fuzz/FuzzFile.h"
#include "tests/fuzz/FuzzInput.h"

namespace {

const char* const kFiles[] = {"common.err",  "SNMP.ERR",   "snmpclass.err", "snmpv3.err",
                              "snmpusm.err", "hvsnmp.err", "snmp.msg",      "other.txt"};

// Statuses of every range the translation folds.
constexpr int32_t kStatuses[] = {0,    1,    2,     5,     18,    19,    -1,    -5,    -19,
                                 -23,  -24,  -1401, -1402, -1410, -1418, -1419, 1400,  1401,
                                 1405, 1414, 1415,  -102,  -500,  -528,  99999, -99999};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    const char* name = kFiles[in.byte() % (sizeof kFiles / sizeof kFiles[0])];
    const std::string path = writeFuzzFile(name, in.rest());

    const auto lines = HvReadTextLines(path);
    FUZZ_CHECK(lines.has_value());
    for (const std::string& line : *lines) FUZZ_CHECK(line.find('\n') == std::string::npos);
    HvLoadMessageFile(path);

    for (const int32_t status : kStatuses) {
        int32_t code = 0;
        std::string message;
        HvSNMPError::translate(status, code, message);
    }
    for (std::size_t i = 0; i < 8; ++i) {
        const std::string& line = HvMessageText(HvMessageTable::ResultLines, i);
        HvFillResultLine(line, "error", "", "12:00:00 PM");
        HvFillResultLine(line, "[ERROR]", "[VARLIST].1", "[TIME]");
    }
    HvResultLine(0, "error", "");
    HvResultLine(1, "error", ".3");
    for (int code = -500; code >= -530; --code) {
        try {
            HvRaiseCode(code);
        } catch (const HvException& e) {
            FUZZ_CHECK(e.helpContext() == code);
        }
    }
    for (std::size_t entry = 0; entry < 16; ++entry) {
        try {
            HvRaiseCommon(entry);
        } catch (const HvException&) {
        }
    }
    HvResetMessageTables();
    return 0;
}
