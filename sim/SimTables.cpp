#include "sim/SimTables.h"

// A small stand-in for the module's object tables, in their record format and numbering, until
// the generated tables are available to link.

namespace {

constexpr uint32_t I = 0x02, O = 0x06, A = 0x40, T = 0x43, M = 0x49, D = 0x4C;
constexpr uint32_t R = 0x02, W = 0x06, N = 0x01, X = 0x20;

const MibObjectDef t1[] = {
    {"1.3.6.1.2.1.1.1", "System Description", D, R},
    {"1.3.6.1.2.1.1.2", "System Object ID", O, R},
    {"1.3.6.1.2.1.1.3", "System Uptime", T, R},
    {"1.3.6.1.2.1.1.4", "System Contact", D, W},
    {"1.3.6.1.2.1.1.5", "System Name", D, W},
    {"1.3.6.1.2.1.1.6", "System Location", D, W},
    {},
};
const MibObjectDef t2[] = {
    {"1.3.6.1.4.1.47011.11.37.4.1.1.1.1.1", "hSSID", D, X},
    {"1.3.6.1.4.1.47011.11.37.4.1.1.1.2.1", "hSSIDBroadcast", I, X},
    {},
};
const MibObjectDef t3[] = {
    {"1.3.6.1.4.1.47011.11.37.4.1.2.1", "hGetIPFrom", I, W},
    {"1.3.6.1.4.1.47011.11.37.4.1.2.2", "hIPAddress", A, W},
    {"1.3.6.1.4.1.47011.11.37.4.1.2.3", "hSubnetMask", A, W},
    {"1.3.6.1.4.1.47011.11.37.4.1.2.4", "hDefaultGateway", A, W},
    {"1.3.6.1.4.1.47011.11.37.4.3.2.1", "sysRestart", I, W},
    {},
};
const MibObjectDef t5[] = {
    {"1.3.6.1.4.1.47011.11.37.4.2.1.1.1.1", "adAPMode", I, W},
    {"1.3.6.1.4.1.47011.11.37.4.2.2.1.2.1.1", "adPtPRemoteAPMACAddress", M, W},
    {"1.3.6.1.4.1.47011.11.37.4.1.1.1.1.1", "hSSID", D, W},
    {},
};
const MibObjectDef t12[] = {
    {"1.3.6.1.4.1.47011.11.37.4.2.3.1.17", "adWMM", I, W},
    {},
};
const MibObjectDef t23[] = {
    {" ", "No.", I, N},
    {"1.3.6.1.4.1.47011.11.37.4.2.4.2.1.2.1", "MAC Address", M, W},
    {},
};
const MibObjectDef t36[] = {
    {"1.3.6.1.4.1.47011.11.37.4.2.1.1.1", "adAPMode", I, W},
    {},
};
const MibObjectDef t40[] = {
    {" ", "ifIndex", I, N},
    {"1.3.6.1.4.1.47011.11.37.4.2.7.3.1.1", "Static IP", A, W},
    {"1.3.6.1.4.1.47011.11.37.4.2.7.3.1.2", "Static MAC", M, W},
    {"1.3.6.1.4.1.47011.11.37.4.2.7.3.1.8", "Static Status", I, W},
    {},
};
const MibObjectDef t44[] = {
    {"1.3.6.1.4.1.47011.11.37.4.3.2.1", "Restart", I, W},
    {"1.3.6.1.4.1.47011.11.37.4.3.2.2", "FactoryDefault", I, W},
    {},
};
const MibObjectDef t47[] = {
    {"1.3.6.1.4.1.47011.11.37.4.3.3.4", "tftpcommand", I, W},
    {},
};
const MibObjectDef t48[] = {
    {"1.3.6.1.4.1.47011.11.37.4.3.3.5", "upgradesettingcommand", I, W},
    {},
};
const MibObjectDef t56[] = {
    {"1.3.6.1.4.1.47011.11.37.4.4.5.1.1.1.1", "adGetClient", I, W},
    {},
};
const MibObjectDef t57[] = {
    {"1.3.6.1.4.1.47011.11.37.4.4.5.2.1.1", "Index", I, N},
    {"1.3.6.1.4.1.47011.11.37.4.4.5.2.1.2", "Client MAC Address", M, R},
    {"1.3.6.1.4.1.47011.11.37.4.4.5.2.1.5", "Signal", I, R},
    {},
};
const MibObjectDef t62[] = {
    {"1.3.6.1.4.1.47011.11.37.4.4.1.1.1", "stFirmwareVersion", D, R},
    {},
};
const MibObjectDef t70[] = {
    {"1.3.6.1.4.1.47011.11.37.4.99.1.1.1", "apmodes", I, R},
    {},
};
const MibObjectDef t68[] = {
    {"1.3.6.1.4.1.47011.11.37.4.99.1.1.6", "countrycode", D, R},
    {},
};
const MibObjectDef t91[] = {
    {" ", "ifIndex", I, N},
    {"1.3.6.1.4.1.47011.11.37.4.2.9.2.1.1", "adMSSIDIndex", I, N},
    {"1.3.6.1.4.1.47011.11.37.4.2.9.2.1.2", "adMSSIDIdvState", I, W},
    {"1.3.6.1.4.1.47011.11.37.4.2.9.2.1.3", "adMSSIDSSID", D, W},
    {"1.3.6.1.4.1.47011.11.37.4.2.9.2.1.8", "adVlanTagID", I, W},
    {},
};
const MibObjectDef t84[] = {
    {"1.3.6.1.4.1.47011.11.37.4.2.9.2.1.3.1.2", "adMSSIDSSID", D, W},
    {},
};
const MibObjectDef t112[] = {
    {"1.3.6.1.4.1.47011.11.37.4.2.13.1.1.1", "adDataRateControlIndex", I, N},
    {"1.3.6.1.4.1.47011.11.37.4.2.13.1.2.1", "adDataRateStatus", I, W},
    {},
};

}  // namespace

std::vector<SimTableRef> simTables() {
    return {{1, t1},   {2, t2},   {3, t3},   {5, t5},   {12, t12}, {23, t23}, {36, t36},
            {40, t40}, {44, t44}, {47, t47}, {48, t48}, {56, t56}, {57, t57}, {62, t62},
            {68, t68}, {70, t70}, {84, t84}, {91, t91}, {112, t112}};
}
