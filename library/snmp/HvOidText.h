#pragma once

// The texts the adapter writes and reads on every send and answer: OIDs in dotted form and agent
// addresses. Free of net-snmp's headers, so that tests can reach them.

#include <cstddef>
#include <string>
#include <string_view>

#include <netinet/in.h>

namespace HvNetSnmpConv {

// An arc as net-snmp keeps it (its oid), and the most arcs it takes in one OID (MAX_OID_LEN).
using OidArc = unsigned long;
inline constexpr std::size_t kMaxOidArcs = 128;

// Dotted text (a leading dot allowed) into arcs: into out, room for kMaxOidArcs, giving the number
// of arcs, or 0 for anything else (also fewer than two arcs or more than kMaxOidArcs).
std::size_t parseOid(std::string_view text, OidArc* out);
std::string formatOid(const OidArc* name, std::size_t length);

std::string dottedOf(const in_addr& address);

}  // namespace HvNetSnmpConv
