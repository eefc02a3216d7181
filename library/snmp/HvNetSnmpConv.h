#pragma once

// The transport's conversions over net-snmp's C types: varbinds both ways, net-snmp's errors and
// reports as SNMP++ statuses, the privacy protocols in the library's numbering, and net-snmp's log
// (OIDs and agent addresses as text: HvOidText.h). Internal to the adapter.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <netinet/in.h>

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include "library/snmp/HvOidText.h"
#include "library/snmp/HvSnmpTransport.h"

namespace HvNetSnmpConv {

// The authentication OIDs, DES and AES-128 have ten arcs.
inline constexpr std::size_t kTransformOidLength = 10;

// The binding in our terms, into a fresh vb; its name's text is name when given (the same arcs,
// already written).
void fromNetSnmp(const netsnmp_variable_list* v, HvVarBind& vb, const std::string* name = nullptr);
// Adds one binding to the PDU; false when its value cannot be encoded.
bool addToPdu(netsnmp_pdu* pdu, const oid* name, std::size_t length, const HvVarBind& vb, bool withValue);

// net-snmp's library errors in SNMP++'s numbering.
int32_t statusOfError(int error, int32_t fallback);
// A report's first binding names the counter of what went wrong.
int32_t statusOfReport(const netsnmp_pdu* pdu);

bool isHostName(const std::string& text);

struct PrivProtocol {
    const oid* proto = nullptr;
    std::size_t length = 0;
};
// The privacy protocols in the library's numbering; an empty one for those net-snmp here lacks.
PrivProtocol privProtocolOf(int32_t protocol);
// AES-192 and -256 need more key than one digest gives: extended as the agent's net-snmp does.
std::string extendPrivKey(const PrivProtocol& priv, const oid* authProto, std::string kul,
                          const std::string& engineId);

// The distinct lines net-snmp logged (at most 64), and the logging callback that collects them.
std::vector<std::string>& logCauseList();
int onNetSnmpLog(int, int, void* serverArg, void*);

}  // namespace HvNetSnmpConv
