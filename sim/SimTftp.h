#pragma once

#include <cstdint>
#include <optional>
#include <sstream>
#include <string>

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>
#include <net-snmp/agent/net-snmp-agent-includes.h>

#include "sim/SimDevice.h"

// The device's side of the file transfers: its TFTP client (libcurl) and its system log.
//
// A set of tftpcommand (Get or Put) is held in the ACTION step while the transfer runs on a thread of
// its own, so the agent goes on answering everything else; the set is answered when the transfer has
// ended, with genErr when it failed (the store then keeps its old values). A set of adGetLog (get)
// is answered at once and the log is sent afterwards.

// Called for every set in the ACTION step; starts a transfer the set asks for. True when the set's
// answer is held (or already failed) and the agent must not go on with it here.
bool simTftpAction(SimDevice& device, netsnmp_mib_handler* handler, netsnmp_handler_registration* reginfo,
                   netsnmp_agent_request_info* reqinfo, netsnmp_request_info* requests);

// Side effects of committed sets that belong to these roads: the firmware update (flashes what was
// fetched; the device stays up until told to reboot) and the log's clear command. True when handled.
bool simTftpSideEffect(SimDevice& device, const SimOid& key, int64_t value);

// Control commands of these roads; nullopt when cmd is none of them.
std::optional<std::string> simTftpControl(SimDevice& device, const std::string& cmd, std::istringstream& in);
