#include "library/snmp/HvNetSnmpConv.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <type_traits>

#include <arpa/inet.h>

#include <net-snmp/library/snmpusm.h>
#include <net-snmp/library/transform_oids.h>

namespace HvNetSnmpConv {

namespace St = HvSnmpStatus;

static_assert(std::is_same_v<OidArc, oid> && kMaxOidArcs == MAX_OID_LEN);

// ---- OIDs in text ----

// Every send parses its OIDs and every answer formats them: both run on the caller's buffer, with
// no allocation of their own.
std::size_t parseOid(std::string_view text, OidArc* out) {
    const char* at = text.data();
    const char* const end = at + text.size();
    if (at != end && *at == '.') ++at;
    if (at == end) return 0;
    std::size_t n = 0;
    while (true) {
        // An arc starts with a digit: an empty one (two dots, a dot at the end) is refused here.
        unsigned digit = static_cast<unsigned char>(*at) - static_cast<unsigned>('0');
        if (digit > 9 || n == kMaxOidArcs) return 0;
        uint64_t arc = digit;
        while (++at != end && (digit = static_cast<unsigned char>(*at) - static_cast<unsigned>('0')) <= 9) {
            arc = arc * 10 + digit;
            if (arc > UINT32_MAX) return 0;
        }
        out[n++] = static_cast<OidArc>(arc);
        if (at == end) break;
        if (*at != '.' || ++at == end) return 0;
    }
    return n >= 2 ? n : 0;
}

namespace {

// "00" .. "99", two characters each.
constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

char* writeArc(char* at, uint32_t arc) {
    if (arc < 10) {
        *at = static_cast<char>('0' + arc);  // most arcs: one digit
        return at + 1;
    }
    if (arc < 100) {
        std::memcpy(at, kDigitPairs + 2 * arc, 2);
        return at + 2;
    }
    char digits[10];
    char* first = digits + sizeof digits;
    while (arc >= 100) {
        first -= 2;
        std::memcpy(first, kDigitPairs + 2 * (arc % 100), 2);
        arc /= 100;
    }
    if (arc >= 10) {
        first -= 2;
        std::memcpy(first, kDigitPairs + 2 * arc, 2);
    } else {
        *--first = static_cast<char>('0' + arc);
    }
    const std::size_t count = static_cast<std::size_t>(digits + sizeof digits - first);
    std::memcpy(at, first, count);
    return at + count;
}

}  // namespace

std::string formatOid(const OidArc* name, std::size_t length) {
    // At most ten digits and a dot per arc.
    char buf[MAX_OID_LEN * 11];
    char* at = buf;
    length = std::min<std::size_t>(length, MAX_OID_LEN);
    for (std::size_t i = 0; i < length; ++i) {
        if (i) *at++ = '.';
        at = writeArc(at, static_cast<uint32_t>(name[i]));
    }
    return std::string(buf, at);
}

// ---- varbinds between net-snmp's form and ours ----

void fromNetSnmp(const netsnmp_variable_list* v, HvVarBind& vb, const std::string* name) {
    if (name)
        vb.oid = *name;
    else
        vb.oid = formatOid(v->name, v->name_length);
    switch (v->type) {
        case ASN_INTEGER:
            vb.type = HvVbType::Integer;
            vb.integer = v->val.integer ? static_cast<int32_t>(*v->val.integer) : 0;
            break;
        case ASN_COUNTER:
        case ASN_GAUGE:
        case ASN_TIMETICKS:
        case ASN_UINTEGER:
            vb.type = v->type == ASN_COUNTER     ? HvVbType::Counter32
                      : v->type == ASN_TIMETICKS ? HvVbType::TimeTicks
                                                 : HvVbType::Gauge32;
            vb.integer = v->val.integer ? static_cast<uint32_t>(*v->val.integer) : 0;
            break;
        case ASN_COUNTER64:
            vb.type = HvVbType::Counter64;
            if (v->val.counter64)
                vb.counter64 = (static_cast<uint64_t>(v->val.counter64->high & 0xffffffffu) << 32) |
                               (v->val.counter64->low & 0xffffffffu);
            break;
        case ASN_OCTET_STR:
        case ASN_OPAQUE:
        case ASN_BIT_STR:
        case ASN_NSAP:
        case ASN_IPADDRESS:
            vb.type = v->type == ASN_IPADDRESS ? HvVbType::IpAddress
                      : v->type == ASN_OPAQUE  ? HvVbType::Opaque
                                               : HvVbType::OctetString;
            if (v->val.string) vb.octets.assign(reinterpret_cast<const char*>(v->val.string), v->val_len);
            break;
        case ASN_OBJECT_ID:
            vb.type = HvVbType::ObjectId;
            if (v->val.objid)
                for (std::size_t i = 0; i < v->val_len / sizeof(oid); ++i)
                    vb.objectId.push_back(static_cast<uint32_t>(v->val.objid[i]));
            break;
        case SNMP_NOSUCHOBJECT:
            vb.type = HvVbType::NoSuchObject;
            break;
        case SNMP_NOSUCHINSTANCE:
            vb.type = HvVbType::NoSuchInstance;
            break;
        case SNMP_ENDOFMIBVIEW:
            vb.type = HvVbType::EndOfMibView;
            break;
        default:
            vb.type = HvVbType::Null;
            break;
    }
}

// Adds one binding to the PDU; false when its value cannot be encoded.
bool addToPdu(netsnmp_pdu* pdu, const oid* name, std::size_t length, const HvVarBind& vb, bool withValue) {
    if (!withValue) return snmp_add_null_var(pdu, name, length) != nullptr;
    const u_char type = static_cast<u_char>(vb.type);
    switch (vb.type) {
        case HvVbType::Integer: {
            long value = static_cast<int32_t>(vb.integer);
            return snmp_pdu_add_variable(pdu, name, length, type, &value, sizeof value);
        }
        case HvVbType::Counter32:
        case HvVbType::Gauge32:
        case HvVbType::TimeTicks: {
            u_long value = static_cast<uint32_t>(vb.integer);
            return snmp_pdu_add_variable(pdu, name, length, type, &value, sizeof value);
        }
        case HvVbType::Counter64: {
            struct counter64 value;
            value.high = static_cast<u_long>(vb.counter64 >> 32);
            value.low = static_cast<u_long>(vb.counter64 & 0xffffffffu);
            return snmp_pdu_add_variable(pdu, name, length, type, &value, sizeof value);
        }
        case HvVbType::IpAddress:
            if (vb.octets.size() != 4) return false;
            return snmp_pdu_add_variable(pdu, name, length, type, vb.octets.data(), 4);
        case HvVbType::OctetString:
        case HvVbType::Opaque:
            return snmp_pdu_add_variable(pdu, name, length, type, vb.octets.data(),
                                         vb.octets.size());
        case HvVbType::ObjectId: {
            std::vector<oid> value(vb.objectId.begin(), vb.objectId.end());
            return snmp_pdu_add_variable(pdu, name, length, type, value.data(),
                                         value.size() * sizeof(oid));
        }
        default:
            return snmp_add_null_var(pdu, name, length) != nullptr;
    }
}

// ---- statuses ----

// net-snmp's library errors in SNMP++'s numbering.
int32_t statusOfError(int error, int32_t fallback) {
    switch (error) {
        case SNMPERR_SUCCESS:
            return fallback;
        case SNMPERR_TIMEOUT:
            return St::Timeout;
        case SNMPERR_BAD_SENDTO:
            return St::SendFailed;
        case SNMPERR_ABORT:
            return St::SessionClosed;
        case SNMPERR_BAD_ADDRESS:
            return St::InvalidAddress;
        case SNMPERR_UNKNOWN_SEC_MODEL:
            return St::UnsupportedSecurityModel;
        case SNMPERR_INVALID_MSG:
            return St::InvalidMessage;
        case SNMPERR_BAD_SEC_LEVEL:
        case SNMPERR_USM_UNSUPPORTEDSECURITYLEVEL:
            return St::UsmUnsupportedSecurityLevel;
        case SNMPERR_UNKNOWN_USER_NAME:
        case SNMPERR_USM_UNKNOWNSECURITYNAME:
            return St::UsmUnknownSecurityName;
        case SNMPERR_USM_ENCRYPTIONERROR:
            return St::UsmEncryptionError;
        case SNMPERR_USM_DECRYPTIONERROR:
            return St::UsmDecryptionError;
        case SNMPERR_AUTHENTICATION_FAILURE:
        case SNMPERR_USM_AUTHENTICATIONFAILURE:
            return St::UsmAuthenticationFailure;
        case SNMPERR_USM_PARSEERROR:
            return St::UsmParseError;
        case SNMPERR_UNKNOWN_ENG_ID:
        case SNMPERR_USM_UNKNOWNENGINEID:
            return St::UsmUnknownEngineId;
        case SNMPERR_NOT_IN_TIME_WINDOW:
        case SNMPERR_USM_NOTINTIMEWINDOW:
            return St::UsmNotInTimeWindow;
        case SNMPERR_USM_GENERICERROR:
            return St::UsmError;
        default:
            return St::GeneralError;
    }
}

// A report's first binding names the counter of what went wrong. net-snmp folds both context
// reports into one error, so the OID is read here, as SNMP++ reads it.
int32_t statusOfReport(const netsnmp_pdu* pdu) {
    static const oid usmStats[] = {1, 3, 6, 1, 6, 3, 15, 1, 1};
    static const oid mpdStats[] = {1, 3, 6, 1, 6, 3, 11, 2, 1};
    static const oid targetObjects[] = {1, 3, 6, 1, 6, 3, 12, 1};
    const netsnmp_variable_list* v = pdu->variables;
    if (!v || !v->name) return St::GeneralError;
    auto under = [v](const oid* prefix, std::size_t length) {
        return v->name_length > length && snmp_oid_compare(v->name, length, prefix, length) == 0;
    };
    if (under(usmStats, 9)) {
        switch (v->name[9]) {
            case 1:
                return St::UsmUnsupportedSecurityLevel;
            case 2:
                return St::UsmNotInTimeWindow;
            case 3:
                return St::UsmUnknownSecurityName;
            case 4:
                return St::UsmUnknownEngineId;
            case 5:
                return St::UsmAuthenticationFailure;
            case 6:
                return St::UsmDecryptionError;
        }
    } else if (under(mpdStats, 9)) {
        switch (v->name[9]) {
            case 1:
                return St::UnsupportedSecurityModel;
            case 2:
                return St::InvalidMessage;
            case 3:
                return St::UnknownPduHandlers;
        }
    } else if (under(targetObjects, 8)) {
        switch (v->name[8]) {
            case 4:
                return St::UnavailableContext;
            case 5:
                return St::UnknownContext;
        }
    }
    return St::GeneralError;
}

// ---- addresses ----

bool isHostName(const std::string& text) {
    if (text.empty() || text.size() > 253) return false;
    for (char c : text)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
              c == '.'))
            return false;
    return text.front() != '-' && text.front() != '.';
}

std::string dottedOf(const in_addr& address) {
    // Every answer names its agent: four numbers, without the C library's formatting.
    const auto* octets = reinterpret_cast<const unsigned char*>(&address.s_addr);
    std::string text;
    text.reserve(15);
    for (int i = 0; i < 4; ++i) {
        const unsigned o = octets[i];
        if (i) text += '.';
        if (o >= 100) text += static_cast<char>('0' + o / 100);
        if (o >= 10) text += static_cast<char>('0' + o / 10 % 10);
        text += static_cast<char>('0' + o % 10);
    }
    return text;
}

// The privacy protocols in the library's numbering (1 none, 2 DES, 3 triple DES, 4 IDEA, 19..21
// AES-128..256). net-snmp here has no triple DES and no IDEA: those stay unsupported.
PrivProtocol privProtocolOf(int32_t protocol) {
    switch (protocol) {
        case 2:
            return {usmDESPrivProtocol, OID_LENGTH(usmDESPrivProtocol)};
        case 19:
            return {usmAESPrivProtocol, OID_LENGTH(usmAESPrivProtocol)};
#ifdef NETSNMP_DRAFT_BLUMENTHAL_AES_04
        case 20:
            return {usmAES192PrivProtocol, OID_LENGTH(usmAES192PrivProtocol)};
        case 21:
            return {usmAES256PrivProtocol, OID_LENGTH(usmAES256PrivProtocol)};
#endif
        default:
            return {};
    }
}

// AES-192 and -256 need more key than one digest gives: extended as the agent's net-snmp does.
std::string extendPrivKey(const PrivProtocol& priv, const oid* authProto, std::string kul,
                          const std::string& engineId) {
    const int needed = sc_get_proper_priv_length(priv.proto, static_cast<u_int>(priv.length));
    if (needed <= 0 || kul.size() >= static_cast<std::size_t>(needed)) return kul;
    size_t length = kul.size();
    auto* buffer = static_cast<u_char*>(malloc(kul.size()));
    memcpy(buffer, kul.data(), kul.size());
    std::string engine = engineId;
    const int type = sc_get_privtype(priv.proto, static_cast<u_int>(priv.length));
    if (netsnmp_extend_kul(static_cast<u_int>(needed), const_cast<oid*>(authProto), kTransformOidLength, type,
                           reinterpret_cast<u_char*>(engine.data()), static_cast<u_int>(engine.size()),
                           &buffer, &length, static_cast<u_int>(kul.size())) == SNMPERR_SUCCESS)
        kul.assign(reinterpret_cast<const char*>(buffer), length);
    free(buffer);
    return kul;
}

// ---- net-snmp's log ----

namespace {
constexpr std::size_t kMaxLogCauses = 64;
}  // namespace

std::vector<std::string>& logCauseList() {
    static std::vector<std::string> causes;
    return causes;
}

// net-snmp logs a line for every answer that fails authentication, hundreds a minute under a wrong
// key; the outcome reaches the user as a status. Kept quiet unless HV_SNMP_LOG asks for it.
int onNetSnmpLog(int, int, void* serverArg, void*) {
    const auto* message = static_cast<const snmp_log_message*>(serverArg);
    if (!message || !message->msg) return 0;
    std::string line = message->msg;
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    if (line.empty()) return 0;
    const char* mode = std::getenv("HV_SNMP_LOG");
    const bool every = mode && std::strcmp(mode, "all") == 0;
    auto& causes = logCauseList();
    const bool known = std::find(causes.begin(), causes.end(), line) != causes.end();
    if (!known && causes.size() < kMaxLogCauses) causes.push_back(line);
    if (mode && *mode && (every || !known)) std::fprintf(stderr, "net-snmp: %s\n", line.c_str());
    return 0;
}

}  // namespace HvNetSnmpConv
