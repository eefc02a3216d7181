#include "HvSNMPError.h"

#include <algorithm>
#include <array>

#include "HvClock.h"
#include "HvException.h"
#include "HvExpression.h"

namespace {

const std::array<const char*, 19> kErrorStatus = {
    "(SNMP) Response PDU Too Big!",
    "(SNMP) Variable does not exist!",
    "(SNMP) Cannot modify variable: Bad Value!",
    "(SNMP) Cannot modify object, Read Only!",
    "(SNMP) Cannot perform operation, General Error!",
    "(SNMP) Cannot access variable, No Access!",
    "(SNMP) Cannot create/modify variable, Wrong Type!",
    "(SNMP) Cannot create/set variable, Wrong Length!",
    "(SNMP) Cannot create/set variable, Wrong Encoding!",
    "(SNMP) Cannot create/set variable, Wrong Value!",
    "(SNMP) Cannot create variable, Creation Not Allowed!",
    "(SNMP) Cannot create/set variable, Inconsistent Value!",
    "(SNMP) Cannot create/set variable, Resource Unavailable!",
    "(SNMP) Cannot create/set variable, Commit Failed!",
    "(SNMP) Cannot create/set variable, Undo Failed!",
    "(SNMP) Cannot perform operation, Authorization Error!",
    "(SNMP) Cannot create/set variable, Not Writable!",
    "(SNMP) Cannot create variable, Inconsistent Name!",
    "(SNMP) Cannot download the overdue firmware!",
};

const std::array<const char*, 23> kSnmpClass = {
    "(SNMPClass) Operation failed!",
    "(SNMPClass) Resource unavailable!",
    "(SNMPClass) Internal error!",
    "(SNMPClass) Unsupported function!",
    "(SNMPClass) SNMP request timed out!",
    "(SNMPClass) Received SNMP Response!",
    "(SNMPClass) Received SNMP Notification (trap or inform)!",
    "(SNMPClass) Closing session with outstanding requests!",
    "(SNMPClass)Unknown error code!",
    "(SNMPClass) Class not valid!",
    "(SNMPClass) Invalid Pdu!",
    "(SNMPClass) Invalid Target!",
    "(SNMPClass) Invalid (null) Callback Function!",
    "(SNMPClass) Invalid Request Id!",
    "(SNMPClass) Invalid Notification Id!",
    "(SNMPClass) SNMP Operation not supported on specified Target!",
    "(SNMPClass) Invalid Object Identifier!",
    "(SNMPClass) Invalid Address!",
    "(SNMPClass) Agent indicates error in SNMP request!",
    "(SNMP Class) Transport is not supported!",
    "(SNMPClass) Transport is in use!",
    "(SNMPClass) Transport operation failed!",
    "(SNMPClass) Blocked Mode Shutdown!",
};

const std::array<const char*, 17> kSnmpV3 = {
    "(SNMPv3) Unsupported Security Model!",
    "(SNMPv3) Message not in Time Window!",
    "(SNMPv3) Received same Message twice!",
    "(SNMPv3) Invalid Message!",
    "(SNMPv3) Invalid EngineID!",
    "(SNMPv3) v3MP not initialized!",
    "(SNMPv3) Parse Error!",
    "(SNMPv3) Received Message with unknown MsgID!",
    "(SNMPv3) Message does not match known message!",
    "(SNMPv3) Community format error!",
    "(SNMPv3) Unknown UserName!",
    "(SNMPv3) Build error!",
    "(SNMPv3) USM: error!",
    "(SNMPv3) Unknown pdu handlers!",
    "(SNMPv3) Unavailable Context!",
    "(SNMPv3) Unknown Context!",
    "(SNMPv3) Report sent!",
};

const std::array<const char*, 14> kSnmpUsm = {
    "(SNMPv3USM) error!",
    "(SNMPv3USM) Configfile write error!",
    "(SNMPv3USM) Unsupported SecurityLevel!",
    "(SNMPv3USM) Unknown SecurityName!",
    "(SNMPv3USM) Encryption error!",
    "(SNMPv3USM) Decryption error!",
    "(SNMPv3USM) Authentication error!",
    "(SNMPv3USM) Authentication failure!",
    "(SNMPv3USM) Parse error!",
    "(SNMPv3USM) Unknown EngineID!",
    "(SNMPv3USM) Message not in TimeWindow!",
    "(SNMPv3USM) Unsupported AuthProtocol!",
    "(SNMPv3USM) Unsupported PrivProtocol!",
    "(SNMPv3USM) Address error!",
};

const std::array<const char*, 29> kOwn = {
    "(HvSNMP++) Ok!",
    "(HvSNMP++) Fail to read SNMP variables from file([FILENAME])!",
    "(HvSNMP++) Bad format at line([LINENO])in SNMP variables file([FILENAME])!",
    "(HvSNMP++) Bad item type at line([LINENO])in SNMP variables file([FILENAME])!",
    "(HvSNMP++) Bad syntax at line([LINENO])in SNMP variables file([FILENAME])!",
    "(HvSNMP++) Bad access type at line([LINENO])in SNMP variables file([FILENAME])!",
    "(HvSNMP++) Cannot create the global HvSNMP++ session!",
    "(HvSNMP++) Error when loading SNMP engine boots counter!",
    "(HvSNMP++) Error when saving SNMP engine boots counter!",
    "(HvSNMP++) Invalid IP Address or DNS name!",
    "(HvSNMP++) Can't send get-next command for a SNMP variable list with single value!",
    "(HvSNMP++) Bad SNMP syntax!",
    "(HvSNMP++) Null value in the expression!",
    "(HvSNMP++) Bad SNMP syntax in the expression!",
    "(HvSNMP++) Bad key count of SNMP variable list!",
    "(HvSNMP++) Bad item type of SNMP variable list!",
    "(HvSNMP++) Bad item type of associated SNMP variable list!",
    "(HvSNMP++) Bad syntax of the associated SNMP variable's (partial) data!",
    "(HvSNMP++) Bad value of the associated SNMP variable's (partial) data!",
    "(HvSNMP++) Out of range for the bit(byte) index of the associated SNMP variable's (partial) data!",
    "(HvSNMP++) No reference option list for a SNMP variable's (partial) data associating with a optional "
    "visual control!",
    "(HvSNMP++) Bad type of the associated visual control!",
    "(HvSNMP++) Count of the associated visual controls is not enough!",
    "(HvSNMP++) No system start time for the time whose data source is the SNMP variable's (partial) data "
    "with syntax timeticks!",
    "(HvSNMP++) Count of the value items for the chart's history data is not enough!",
    "(HvSNMP++) Log database is not connected!",
    "(HvSNMP++) Log database field not found!",
    "(HvSNMP++) Bad syntax for the history chart of log!",
    "(HvSNMP++) Unknown error code!",
};

const std::array<const char*, 19> kCommon = {
    "(HvCommon) Ok!",
    "(HvCommon) Bad logic operand!",
    "(HvCommon) Bad format specifier of edit's constraint!",
    "(HvCommon) Empty value is not allowed!",
    "(HvCommon) Please enter a string whose length is less than [MAXLEN]!",
    "(HvCommon) Please enter a string whose length is [LEN]!",
    "(HvCommon) Please enter a hex string whose length is less than [MAXLEN]!",
    "(HvCommon) Please enter a hex string whose length is [LEN]!",
    "(HvCommon) Please enter a number between [MIN] and [MAX]!",
    "(HvCommon) Please enter a delimited number string with delimiter '[DELIMITER]'.\nHere,the count of the "
    "number is less than [MAXCOUNT]!",
    "(HvCommon) Please enter a delimited number string with delimiter '[DELIMITER]'.\nHere,the count of the "
    "number is equal to [COUNT]!",
    "(HvCommon) Please enter a delimited number string with delimiter '[DELIMITER]'.\nHere,each number is "
    "between [MIN] and [MAX]!",
    "(HvCommon) Out of range at index of array or list!",
    "(HvCommon) Destination buffer is undersize!",
    "(HvCommon) The source to dncrypt is not encrypted!",
    "(HvCommon) Fail to read data from file([FILENAME])!",
    "(HvCommon) Fail to write data to file([FILENAME])!",
    "(HvCommon) Fail to write value in ini file([FILENAME])!",
    "(HvCommon) Fail to read option data from file([FILENAME])!",
};

const std::array<const char*, 2> kResultLines = {
    "Get: [ERROR] Request:[VARLIST]. Receive at [TIME].",
    "Set: [ERROR] Request:[VARLIST]. Receive at [TIME].",
};

constexpr std::size_t kTableCount = 7;

template <std::size_t N>
std::vector<std::string> builtIn(const std::array<const char*, N>& texts) {
    return {texts.begin(), texts.end()};
}

std::vector<std::string> builtInTable(HvMessageTable table) {
    switch (table) {
        case HvMessageTable::Common:
            return builtIn(kCommon);
        case HvMessageTable::ErrorStatus:
            return builtIn(kErrorStatus);
        case HvMessageTable::SnmpClass:
            return builtIn(kSnmpClass);
        case HvMessageTable::SnmpV3:
            return builtIn(kSnmpV3);
        case HvMessageTable::SnmpUsm:
            return builtIn(kSnmpUsm);
        case HvMessageTable::Own:
            return builtIn(kOwn);
        case HvMessageTable::ResultLines:
            return builtIn(kResultLines);
    }
    return {};
}

std::array<std::vector<std::string>, kTableCount> makeTables() {
    std::array<std::vector<std::string>, kTableCount> tables;
    for (std::size_t t = 0; t < kTableCount; ++t) tables[t] = builtInTable(static_cast<HvMessageTable>(t));
    return tables;
}

std::array<std::vector<std::string>, kTableCount>& tables() {
    static auto all = makeTables();
    return all;
}

std::vector<std::string>& tableOf(HvMessageTable table) {
    return tables().at(static_cast<std::size_t>(table));
}

}  // namespace

void HvReplaceMessageTable(HvMessageTable table, const std::vector<std::string>& lines) {
    auto& entries = tableOf(table);
    if (entries.size() < lines.size()) entries.resize(lines.size());
    std::copy(lines.begin(), lines.end(), entries.begin());
}

const std::string& HvMessageText(HvMessageTable table, std::size_t index) {
    static const std::string empty;
    const auto& entries = tableOf(table);
    return index < entries.size() ? entries[index] : empty;
}

std::size_t HvMessageTableSize(HvMessageTable table) {
    return tableOf(table).size();
}

void HvResetMessageTables() {
    tables() = makeTables();
}

void HvSNMPError::translate(int32_t status, int32_t& code, std::string& message) {
    HvMessageTable table = HvMessageTable::Own;
    std::size_t entry = 0;
    if (status == 0 || status == -1401 || status == 1400) {
        code = 0;
    } else if (status >= 1 && status <= 18) {
        code = -100 - status;
        table = HvMessageTable::ErrorStatus;
        entry = static_cast<std::size_t>(status - 1);
    } else if (status >= -23 && status <= -1) {
        code = status - 400;
        table = HvMessageTable::SnmpClass;
        entry = static_cast<std::size_t>(-status - 1);
    } else if (status >= -1418 && status <= -1402) {
        code = status + 1201;
        table = HvMessageTable::SnmpV3;
        entry = static_cast<std::size_t>(-1402 - status);
    } else if (status >= 1401 && status <= 1414) {
        code = 1100 - status;
        table = HvMessageTable::SnmpUsm;
        entry = static_cast<std::size_t>(status - 1401);
    } else {
        code = HvErrUnknownCode;
        entry = 28;
    }
    message = HvMessageText(table, entry);
}

void HvRaiseCode(int code) {
    const int entry = -(code + 500);
    throw HvException(
        entry >= 0 ? HvMessageText(HvMessageTable::Own, static_cast<std::size_t>(entry)) : std::string(),
        code);
}

void HvRaiseCommon(std::size_t entry) {
    throw HvException(HvMessageText(HvMessageTable::Common, entry), -static_cast<int>(entry));
}

std::string HvFillResultLine(const std::string& line, const std::string& errorText,
                             const std::string& instanceSuffix, const std::string& timeText) {
    static const std::string kError = "[ERROR]";
    static const std::string kVarList = "[VARLIST]";
    std::string text = line;
    if (instanceSuffix.empty()) {
        // Cut only when "[ERROR]" comes first: a replaced template may lack "[VARLIST]" or hold
        // it in front, and an unguarded cut would then run to the end of the line.
        const auto e = text.find(kError);
        const auto v = text.find(kVarList);
        if (e != std::string::npos && v != std::string::npos && e < v) {
            const auto from = e + kError.size();
            text.erase(from, v + kVarList.size() - from);
        }
    } else {
        text = HvStringReplaceAll(text, kVarList, instanceSuffix);
    }
    text = HvStringReplaceAll(text, kError, errorText);
    return HvStringReplaceAll(text, "[TIME]", timeText);
}

std::string HvResultLine(int lastOperation, const std::string& errorText, const std::string& instanceSuffix) {
    return HvFillResultLine(HvMessageText(HvMessageTable::ResultLines, lastOperation == 1 ? 1 : 0), errorText,
                            instanceSuffix, HvFormatTime12(HvNow().time()));
}
