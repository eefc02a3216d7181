// The device's object tables and the source pairs of its 78 global option lists.
// Tables and lists are numbered in program order (kMibT001.., L1..), so each is found by its number. OIDs are full and dotted, without a leading dot; a row-index
// item has the OID " ". Names keep their blanks exactly (T81's column names begin with one).

#include "module/Misc.h"

#include "library/HvSNMPVarList.h"

namespace {

// A record without formulas, third text, value or last OID: the static tables never carry them.
constexpr MibObjectDef obj(const char* oid, const char* name, uint32_t syntax, uint32_t access,
                           HvOptionList* const* optionList = nullptr) {
    return MibObjectDef{oid, name, syntax, access, optionList, nullptr, nullptr, nullptr, nullptr, nullptr};
}

// The slot of option list Ln, read when a variable list copies the record.
constexpr HvOptionList* const* L(int n) {
    return &MibOptionLists[n - 1];
}

constexpr uint32_t i = HvSyntax::Integer, a = HvSyntax::IpAddress, t = HvSyntax::TimeTicks,
                   o = HvSyntax::ObjectId, d = HvSyntax::DisplayStr, m = HvSyntax::MacAddress;
constexpr uint32_t rw = HvAccess::ReadWrite, ro = HvAccess::ReadOnly, na = HvAccess::NotAccess,
                   inv = HvAccess::Invalid;

}  // namespace

// T1: TFM_SysInfo
constinit const MibObjectDef kMibT001[] = {
    obj("1.3.6.1.2.1.1.1", "System Description", d, ro),
    obj("1.3.6.1.2.1.1.2", "System Object ID", o, ro),
    obj("1.3.6.1.2.1.1.3", "System Uptime", t, ro),
    obj("1.3.6.1.2.1.1.4", "System Contact", d, rw),
    obj("1.3.6.1.2.1.1.5", "System Name", d, rw),
    obj("1.3.6.1.2.1.1.6", "System Location", d, rw),
    {},
};

// T2: TFM_Wirless
constinit const MibObjectDef kMibT002[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.1.1.1.1.1", "hSSID", d, inv),
    obj("1.3.6.1.4.1.47011.11.37.4.1.1.1.2.1", "hSSIDBroadcast", i, inv, L(1)),
    obj("1.3.6.1.4.1.47011.11.37.4.1.1.1.3.1", "hChannel", i, inv),
    obj("1.3.6.1.4.1.47011.11.37.4.1.1.1.4.1", "hChannelList", d, inv),
    obj("1.3.6.1.4.1.47011.11.37.4.1.1.1.5.1", "hRadioFrequency", d, inv),
    obj("1.3.6.1.4.1.47011.11.37.4.1.1.1.1.2", "hSSID", d, inv),
    obj("1.3.6.1.4.1.47011.11.37.4.1.1.1.2.2", "hSSIDBroadcast", i, inv, L(1)),
    obj("1.3.6.1.4.1.47011.11.37.4.1.1.1.3.2", "hChannel", i, inv),
    obj("1.3.6.1.4.1.47011.11.37.4.1.1.1.4.2", "hChannelList", d, inv),
    obj("1.3.6.1.4.1.47011.11.37.4.1.1.1.5.2", "hRadioFrequency", d, inv),
    {},
};

// T3: TFM_LanCfg, main window
constinit const MibObjectDef kMibT003[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.1.2.1", "hGetIPFrom", i, rw, L(3)),
    obj("1.3.6.1.4.1.47011.11.37.4.1.2.2", "hIPAddress", a, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.1.2.3", "hSubnetMask", a, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.1.2.4", "hDefaultGateway", a, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.3.2.1", "sysRestart", i, rw, L(2)),
    {},
};

// T4: no page
constinit const MibObjectDef kMibT004[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.1.2.1", "hGetIPFrom", i, rw, L(3)),
    {},
};

// T5: TFM_ModeCFG
constinit const MibObjectDef kMibT005[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.1.1.1.1", "adAPMode", i, rw, L(4)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.2.1.2.1.1", "adPtPRemoteAPMACAddress", m, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.2.1.2.1.2", "adPtPRemoteAPMACAddress", m, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.2.1.2.1.3", "adPtPRemoteAPMACAddress", m, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.2.1.2.1.4", "adPtPRemoteAPMACAddress", m, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.2.1.2.1.5", "adPtPRemoteAPMACAddress", m, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.2.1.2.1.6", "adPtPRemoteAPMACAddress", m, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.2.1.2.1.7", "adPtPRemoteAPMACAddress", m, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.2.1.2.1.8", "adPtPRemoteAPMACAddress", m, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.1.1.3.1", "adAPRRootAPMACAddress", m, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.1.1.1.1.1", "hSSID", d, rw),
    {},
};

// T6: TFM_ModeCFG
constinit const MibObjectDef kMibT006[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.1.1.1.2", "adAPMode", i, rw, L(4)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.2.1.2.2.1", "adPtPRemoteAPMACAddress", m, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.2.1.2.2.2", "adPtPRemoteAPMACAddress", m, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.2.1.2.2.3", "adPtPRemoteAPMACAddress", m, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.2.1.2.2.4", "adPtPRemoteAPMACAddress", m, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.2.1.2.2.5", "adPtPRemoteAPMACAddress", m, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.2.1.2.2.6", "adPtPRemoteAPMACAddress", m, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.2.1.2.2.7", "adPtPRemoteAPMACAddress", m, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.2.1.2.2.8", "adPtPRemoteAPMACAddress", m, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.1.1.3.2", "adAPRRootAPMACAddress", m, rw),
    {},
};

// T7: TFM_Wirless
constinit const MibObjectDef kMibT007[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.1.1.1.1", "adAPMode", i, rw, L(5)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.2.1.2.1.1", "adPtPRemoteAPMACAddress", m, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.2.1.2.1.2", "adPtPRemoteAPMACAddress", m, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.2.1.2.1.3", "adPtPRemoteAPMACAddress", m, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.2.1.2.1.4", "adPtPRemoteAPMACAddress", m, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.2.1.2.1.5", "adPtPRemoteAPMACAddress", m, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.2.1.2.1.6", "adPtPRemoteAPMACAddress", m, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.2.1.2.1.7", "adPtPRemoteAPMACAddress", m, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.2.1.2.1.8", "adPtPRemoteAPMACAddress", m, rw),
    {},
};

// T8: TFM_Wirless
constinit const MibObjectDef kMibT008[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.1.1.3.1", "adAPCRootAPMACAddress", m, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.1.1.1.1.1", "hSSID", d, rw),
    {},
};

// T9: main window
constinit const MibObjectDef kMibT009[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.2.1.2.1.1", "PtMPReAPMACAddress-1", m, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.2.1.2.1.2", "PtMPReAPMACAddress-2", m, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.2.1.2.1.3", "PtMPReAPMACAddress-3", m, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.2.1.2.1.4", "PtMPReAPMACAddress-4", m, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.2.1.2.1.5", "PtMPReAPMACAddress-5", m, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.2.1.2.1.6", "PtMPReAPMACAddress-6", m, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.2.1.2.1.7", "PtMPReAPMACAddress-7", m, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.2.1.2.1.8", "PtMPReAPMACAddress-8", m, rw),
    {},
};

// T10: main window
constinit const MibObjectDef kMibT010[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.2.1.2.2.1", "PtMPReAPMACAddress-1", m, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.2.1.2.2.2", "PtMPReAPMACAddress-2", m, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.2.1.2.2.3", "PtMPReAPMACAddress-3", m, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.2.1.2.2.4", "PtMPReAPMACAddress-4", m, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.2.1.2.2.5", "PtMPReAPMACAddress-5", m, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.2.1.2.2.6", "PtMPReAPMACAddress-6", m, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.2.1.2.2.7", "PtMPReAPMACAddress-7", m, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.2.1.2.2.8", "PtMPReAPMACAddress-8", m, rw),
    {},
};

// T11: TFM_Performace, main window
constinit const MibObjectDef kMibT011[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.3.1.11.1", "adSuperMode", i, rw, L(9)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.3.1.1.1", "adFrequency", d, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.2.3.1.4.1", "adDataRate", d, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.3.1.5.1", "adDataRateList", d, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.2.3.1.6.1", "adBeaconInterval", i, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.3.1.7.1", "adDTIM", i, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.3.1.8.1", "adFragmentLength", i, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.3.1.9.1", "adRTSLength", i, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.3.1.10.1", "adTransmitPower", i, rw, L(6)),
    {},
};

// T12: TFM_Performace
constinit const MibObjectDef kMibT012[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.3.1.17", "adWMM", i, rw, L(12)),
    {},
};

// T13: TFM_Performace
constinit const MibObjectDef kMibT013[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.3.1.19", "adPreamble", i, rw, L(13)),
    {},
};

// T14: TFM_Wirless
constinit const MibObjectDef kMibT014[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.3.1.12.1", "adRadioWave", i, rw, L(11)),
    {},
};

// T15: TFM_Wirless
constinit const MibObjectDef kMibT015[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.3.1.11", "adSuperMode", i, rw, L(9)),
    {},
};

// T16: TFM_Wirless
constinit const MibObjectDef kMibT016[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.3.1.11", "adSuperMode", i, rw, L(8)),
    {},
};

// T17: TFM_Performace, main window
constinit const MibObjectDef kMibT017[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.3.1.11.2", "adSuperMode", i, rw, L(7)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.3.1.1.2", "adFrequency", d, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.2.3.1.2.2", "adChannel", i, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.3.1.3.2", "adChannelList", d, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.2.3.1.4.2", "adDataRate", d, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.3.1.5.2", "adDataRateList", d, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.2.3.1.6.2", "adBeaconInterval", i, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.3.1.7.2", "adDTIM", i, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.3.1.8.2", "adFragmentLength", i, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.3.1.9.2", "adRTSLength", i, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.3.1.10.2", "adTransmitPower", i, rw, L(6)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.3.1.12.2", "adRadioWave", i, rw, L(11)),
    {},
};

// T18: TFM_Performace
constinit const MibObjectDef kMibT018[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.3.1.13.1", "ad80211gonly", i, rw, L(14)),
    {},
};

// T19: TFM_Performace, TFM_Wirless
constinit const MibObjectDef kMibT019[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.3.1.14.1", "adAutoChannelScan", i, rw, L(15)),
    {},
};

// T20: no page
constinit const MibObjectDef kMibT020[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.3.1.14.2", "adAutoChannelScan", i, rw, L(15)),
    {},
};

// T21: TFM_Performace
constinit const MibObjectDef kMibT021[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.3.1.99.1", "adXR", i, rw, L(16)),
    {},
};

// T22: TFM_Performace
constinit const MibObjectDef kMibT022[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.3.1.99.2", "adXR", i, rw, L(16)),
    {},
};

// T23: TFM_FilterMAC
constinit const MibObjectDef kMibT023[] = {
    obj(" ", "No.", i, na),
    obj("1.3.6.1.4.1.47011.11.37.4.2.4.2.1.2.1", "MAC Address", m, rw),
    {},
};

// T24: TFM_FilterMAC
constinit const MibObjectDef kMibT024[] = {
    obj(" ", "No.", i, na),
    obj("1.3.6.1.4.1.47011.11.37.4.2.4.2.1.2.2", "MAC Address", m, rw),
    {},
};

// T25: no page
constinit const MibObjectDef kMibT025[] = {
    obj(" ", "NO.", i, na),
    obj("1.3.6.1.4.1.47011.11.37.4.2.4.2.1.2.1", "MAC Address", m, rw),
    {},
};

// T26: TFM_Filter
constinit const MibObjectDef kMibT026[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.4.1.1.1.1", "adAccSettingWirelessAccessControl", i, inv, L(17)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.4.3.1.1.1", "adInternalStationConnection", i, inv, L(18)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.4.3.1.2.1", "adEthernet2WLANAccess", i, inv, L(19)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.4.3.1.3.1", "adInternaStationConnectionBetweenag", i, inv, L(20)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.4.1.1.1.2", "adAccSettingWirelessAccessControl", i, inv, L(17)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.4.3.1.1.2", "adInternalStationConnection", i, inv, L(18)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.4.3.1.2.2", "adEthernet2WLANAccess", i, inv, L(19)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.4.3.1.3.2", "adInternaStationConnectionBetweenag", i, inv, L(20)),
    {},
};

// T27: no page
constinit const MibObjectDef kMibT027[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.1.1.1.1", "adSecAuthentication-a", i, rw, L(21)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.1.1.2.1", "adSecEncryption-a", i, rw, L(22)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.1.1.3.1", "adSecValidKey-a", i, rw, L(23)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.1.1.4.1", "adSecPassPhrase-a", d, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.1.1.5.1", "adSecCipherType-a", i, rw, L(24)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.1.1.6.1", "adSecGroupKeyUpdateInterval-a", i, rw),
    {},
};

// T28: no page
constinit const MibObjectDef kMibT028[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.1.1.1.2", "adSecAuthentication-g", i, rw, L(21)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.1.1.2.2", "adSecEncryption-g", i, rw, L(22)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.1.1.3.2", "adSecValidKey-g", i, rw, L(23)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.1.1.4.2", "adSecPassPhrase-g", d, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.1.1.5.2", "adSecCipherType-g", i, rw, L(24)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.1.1.6.2", "adSecGroupKeyUpdateInterval-g", i, rw),
    {},
};

// T29: main window
constinit const MibObjectDef kMibT029[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.1.1.4.1", "adSecPassPhrase", d, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.1.1.5.1", "adSecCipherType", i, rw, L(24)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.1.1.6.1", "adSecGroupKeyUpdateInterval", i, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.2.1.0", "Sec DNS IP Address", a, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.2.2.0", "Sec DNS", d, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.2.3.0", "Sec RADIUS Server", d, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.2.4.0", "Sec RADIUS Port", i, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.2.5.0", "Sec RADIUS Secret", d, rw),
    {},
};

// T30: TFM_Wirless
constinit const MibObjectDef kMibT030[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.1.1.5.1", "adSecCipherType", i, rw, L(24)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.2.4.0", "Sec RADIUS Port", i, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.1.1.6.1", "adSecGroupKeyUpdateInterval", i, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.2.3.0", "Sec RADIUS Server", d, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.2.5.0", "Sec RADIUS Secret", d, rw),
    {},
};

// T31: TFM_Wirless
constinit const MibObjectDef kMibT031[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.1.1.5.1", "adSecCipherType", i, rw, L(24)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.1.1.6.1", "adSecGroupKeyUpdateInterval", i, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.1.1.4.1", "adSecPassPhrase", d, rw),
    {},
};

// T32: TFM_Encrypt
constinit const MibObjectDef kMibT032[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.1.1.4.1", "adSecPassPhrase", d, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.1.1.5.1", "adSecCipherType", i, rw, L(24)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.1.1.6.1", "adSecGroupKeyUpdateInterval", i, rw),
    {},
};

// T33: TFM_Encrypt
constinit const MibObjectDef kMibT033[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.1.1.4.2", "adSecPassPhrase", d, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.1.1.5.2", "adSecCipherType", i, rw, L(24)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.1.1.6.2", "adSecGroupKeyUpdateInterval", i, rw),
    {},
};

// T34: TFM_SSS
constinit const MibObjectDef kMibT034[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.2.1.0", "Sec DNS IP Address", a, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.2.2.0", "Sec DNS", d, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.2.3.0", "Sec RADIUS Server", d, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.2.4.0", "Sec RADIUS Port", i, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.2.5.0", "Sec RADIUS Secret", d, rw),
    {},
};

// T35: main window
constinit const MibObjectDef kMibT035[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.3.1.1.1.1", "adSecKey-80211a-1", d, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.3.1.1.1.2", "adSecKey-80211a-2", d, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.3.1.1.1.3", "adSecKey-80211a-3", d, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.3.1.1.1.4", "adSecKey-80211a-4", d, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.3.1.1.2.1", "adSecKey-80211g-1", d, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.3.1.1.2.2", "adSecKey-80211g-2", d, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.3.1.1.2.3", "adSecKey-80211g-3", d, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.3.1.1.2.4", "adSecKey-80211g-4", d, rw),
    {},
};

// T36: TFM_Encrypt
constinit const MibObjectDef kMibT036[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.1.1.1", "adAPMode", i, rw, L(5)),
    {},
};

// T37: TFM_Encrypt, TFM_Wirless
constinit const MibObjectDef kMibT037[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.1.1.1.1", "adSecAuthentication-a", i, inv, L(21)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.1.1.2.1", "adSecEncryption-a", i, inv, L(22)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.1.1.3.1", "adSecValidKey-a", i, inv, L(23)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.1.1.1.2", "adSecAuthentication-g", i, inv, L(21)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.1.1.2.2", "adSecEncryption-g", i, inv, L(22)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.1.1.3.2", "adSecValidKey-g", i, inv, L(23)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.3.1.1.1.1", "adSecKey-80211a-1", d, inv),
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.3.1.1.1.2", "adSecKey-80211a-2", d, inv),
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.3.1.1.1.3", "adSecKey-80211a-3", d, inv),
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.3.1.1.1.4", "adSecKey-80211a-4", d, inv),
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.3.1.1.2.1", "adSecKey-80211g-1", d, inv),
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.3.1.1.2.2", "adSecKey-80211g-2", d, inv),
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.3.1.1.2.3", "adSecKey-80211g-3", d, inv),
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.3.1.1.2.4", "adSecKey-80211g-4", d, inv),
    {},
};

// T38: no page
constinit const MibObjectDef kMibT038[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.1.1.1.1", "adSecAuthentication-a", i, rw, L(21)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.1.1.1.2", "adSecAuthentication-g", i, rw, L(21)),
    {},
};

// T39: TFM_Group
constinit const MibObjectDef kMibT039[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.6.1", "LoadBalance", i, rw, L(25)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.6.2", "UserLimit(0-64)", i, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.6.4", "LinkIntegrate", i, rw, L(26)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.6.5", "EthernetLinkStatus", d, ro),
    {},
};

// T40: main window
constinit const MibObjectDef kMibT040[] = {
    obj(" ", "ifIndex", i, na),
    obj("1.3.6.1.4.1.47011.11.37.4.2.7.3.1.1", "Static IP", a, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.7.3.1.2", "Static MAC", m, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.7.3.1.3", "Static Mask", a, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.7.3.1.4", "Static Gateway", a, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.7.3.1.5", "Static Dns", a, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.7.3.1.6", "Static Wins", a, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.7.3.1.7", "Static Domain", d, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.7.3.1.8", "Static Status", i, rw, L(27)),
    {},
};

// T41: TFM_DHCP
constinit const MibObjectDef kMibT041[] = {
    obj(" ", "Index", i, na),
    obj("1.3.6.1.4.1.47011.11.37.4.2.7.4.1.1.1", "Current Dynamic MAC", m, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.2.7.4.1.1.2", "Current Dynamic Assigned IP", a, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.2.7.4.1.1.3", "Current Dynamic Lease", i, ro),
    {},
};

// T42: TFM_DHCP
constinit const MibObjectDef kMibT042[] = {
    obj(" ", "Index", i, na),
    obj("1.3.6.1.4.1.47011.11.37.4.2.7.4.2.1.1", "Current Static MAC", m, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.2.7.4.2.1.2", "Current Static Assigned IP", a, ro),
    {},
};

// T43: TFM_Admin, TFM_AdminNew
constinit const MibObjectDef kMibT043[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.3.1.1", "UserName", d, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.3.1.2", "Password", d, rw),
    {},
};

// T44: TFM_Sytem
constinit const MibObjectDef kMibT044[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.3.2.1", "Restart", i, rw, L(28)),
    obj("1.3.6.1.4.1.47011.11.37.4.3.2.2", "FactoryDefault", i, rw, L(29)),
    {},
};

// T45: TFM_Firmware
constinit const MibObjectDef kMibT045[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.3.3.1", "remotesrvip", a, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.3.3.2", "remotefilename", d, rw),
    {},
};

// T46: TFM_CfgFile
constinit const MibObjectDef kMibT046[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.3.3.1", "remotesrvip", a, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.3.3.2", "remotefilename", d, rw),
    {},
};

// T47: TFM_CfgFile, TFM_Firmware
constinit const MibObjectDef kMibT047[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.3.3.4", "tftpcommand", i, rw, L(30)),
    {},
};

// T48: TFM_CfgFile, TFM_Firmware, TFM_Waiting
constinit const MibObjectDef kMibT048[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.3.3.5", "upgradesettingcommand", i, rw, L(31)),
    {},
};

// T49: TFM_AdminNew
constinit const MibObjectDef kMibT049[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.3.4.1", "telnet", i, rw, L(32)),
    obj("1.3.6.1.4.1.47011.11.37.4.3.4.2", "timeout", i, rw, L(33)),
    {},
};

// T50: TFM_AdminNew
constinit const MibObjectDef kMibT050[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.3.4.3", "ssh", i, rw, L(34)),
    {},
};

// T51: TFM_DevInfo
constinit const MibObjectDef kMibT051[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.4.1.1.1", "Firmware Version", d, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.4.1.1.2", "MAC Address", m, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.4.1.1.3", "Get IP From", i, ro, L(35)),
    obj("1.3.6.1.4.1.47011.11.37.4.4.1.1.4", "IP Address", a, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.4.1.1.5", "Subnet Mask", a, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.4.1.1.6", "Default Gateway", a, ro),
    {},
};

// T52: TFM_DevInfo
constinit const MibObjectDef kMibT052[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.4.2.1.1.1", "stSSID", d, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.4.2.1.2.1", "stChannel", i, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.4.2.1.3.1", "stSuperMode", i, ro, L(40)),
    obj("1.3.6.1.4.1.47011.11.37.4.4.2.1.4.1", "stDataRate", d, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.4.2.1.5.1", "stSecLevelAuth", d, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.4.2.1.6.1", "stSecLevelPriv", d, ro),
    {},
};

// T53: TFM_DevInfo
constinit const MibObjectDef kMibT053[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.4.2.1.1.2", "stSSID", d, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.4.2.1.2.2", "stChannel", i, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.4.2.1.3.2", "stSuperMode", i, ro, L(41)),
    obj("1.3.6.1.4.1.47011.11.37.4.4.2.1.4.2", "stDataRate", d, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.4.2.1.5.2", "stSecLevelAuth", d, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.4.2.1.6.2", "stSecLevelPriv", d, ro),
    {},
};

// T54: TFM_Static
constinit const MibObjectDef kMibT054[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.4.3.1.1.1.1", "TrSuccessRate", i, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.4.3.1.1.2.1", "TrRetryRate", i, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.4.3.1.1.3.1", "RxSuccessRate", i, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.4.3.1.1.4.1", "RxDuplicateRate", i, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.4.3.1.1.5.1", "RTSSuccessCount", i, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.4.3.1.1.6.1", "RTSFailureCount", i, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.4.3.1.1.7.1", "TrFrameCount", i, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.4.3.1.1.8.1", "MuticastTrFrameCount", i, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.4.3.1.1.9.1", "TrErrorCount", i, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.4.3.1.1.10.1", "TrTotalRetryCount", i, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.4.3.1.1.11.1", "TrMutiRetryCount", i, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.4.3.1.1.12.1", "RxFrameCount", i, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.4.3.1.1.13.1", "MuticastRxFrameCount", i, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.4.3.1.1.14.1", "RxFrameFCSErrorCount", i, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.4.3.1.1.15.1", "RxFrameDulicateCount", i, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.4.3.1.1.16.1", "AckRxFailureCount", i, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.4.3.1.1.17.1", "WEPExcludedFrameCount", i, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.4.3.1.1.18.1", "WEPICVErrorCount", i, ro),
    {},
};

// T55: TFM_Static
constinit const MibObjectDef kMibT055[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.4.3.1.1.1.2", "TrSuccessRate", i, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.4.3.1.1.2.2", "TrRetryRate", i, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.4.3.1.1.3.2", "RxSuccessRate", i, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.4.3.1.1.4.2", "RxDuplicateRate", i, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.4.3.1.1.5.2", "RTSSuccessCount", i, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.4.3.1.1.6.2", "RTSFailureCount", i, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.4.3.1.1.7.2", "TrFrameCount", i, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.4.3.1.1.8.2", "MuticastTrFrameCount", i, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.4.3.1.1.9.2", "TrErrorCount", i, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.4.3.1.1.10.2", "TrTotalRetryCount", i, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.4.3.1.1.11.2", "TrMutiRetryCount", i, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.4.3.1.1.12.2", "RxFrameCount", i, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.4.3.1.1.13.2", "MuticastRxFrameCount", i, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.4.3.1.1.14.2", "RxFrameFCSErrorCount", i, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.4.3.1.1.15.2", "RxFrameDulicateCount", i, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.4.3.1.1.16.2", "AckRxFailureCount", i, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.4.3.1.1.17.2", "WEPExcludedFrameCount", i, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.4.3.1.1.18.2", "WEPICVErrorCount", i, ro),
    {},
};

// T56: TClientInformation
constinit const MibObjectDef kMibT056[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.4.5.1.1.1.1", "adGetClient", i, rw, L(42)),
    {},
};

// T57: TClientInformation
constinit const MibObjectDef kMibT057[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.4.5.2.1.1", "Index", i, na),
    obj("1.3.6.1.4.1.47011.11.37.4.4.5.2.1.2", "Client MAC Address", m, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.4.5.2.1.3", "Band", i, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.4.5.2.1.4", "Authentication", i, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.4.5.2.1.5", "Signal", i, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.4.5.2.1.6", "Power Saving Mode", i, ro),
    {},
};

// T58: TClientInformation
constinit const MibObjectDef kMibT058[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.4.5.2.1.1", "Index", i, na),
    obj("1.3.6.1.4.1.47011.11.37.4.4.5.2.1.2", "Client MAC Address", m, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.4.5.2.1.3", "Band", i, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.4.5.2.1.4", "Authentication", i, ro, L(43)),
    obj("1.3.6.1.4.1.47011.11.37.4.4.5.2.1.5", "Signal", i, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.4.5.2.1.6", "Power Saving Mode", i, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.4.5.2.1.7", "SSID", d, ro),
    {},
};

// T59: no page
constinit const MibObjectDef kMibT059[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.4.4", "stLED", i, ro),
    {},
};

// T60: TFM_DHCP, main window
constinit const MibObjectDef kMibT060[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.7.1", "Dynamic IP Function", i, rw, L(44)),
    {},
};

// T61: TFM_DHCP, TFM_LanCfg, main window
constinit const MibObjectDef kMibT061[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.7.2.1", "Dynamic IP Start", a, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.7.2.2", "Dynamic Range", i, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.7.2.3", "Dynamic Mask", a, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.7.2.4", "Dynamic Gateway", a, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.7.2.5", "Dynamic Wins", a, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.7.2.6", "Dynamic Dns", a, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.7.2.7", "Dynamic Domain", d, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.7.2.8", "Dynamic Lease", i, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.7.2.9", "Dynamic Status", i, rw, L(45)),
    {},
};

// T62: TFM_Waiting, main window
constinit const MibObjectDef kMibT062[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.4.1.1.1", "stFirmwareVersion", d, ro),
    {},
};

// T63: TFM_DHCP, TFM_LanCfg
constinit const MibObjectDef kMibT063[] = {
    obj(" ", "Index", i, na),
    obj("1.3.6.1.4.1.47011.11.37.4.2.7.3.1.1", "IP", a, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.7.3.1.2", "MAC", m, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.7.3.1.3", "Mask", a, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.7.3.1.4", "Gateway", a, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.7.3.1.5", "DNS", a, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.7.3.1.6", "Wins", a, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.7.3.1.7", "Domain", d, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.7.3.1.8", "Status", i, rw, L(46)),
    {},
};

// T64: TFM_DHCP
constinit const MibObjectDef kMibT064[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.1.2.2", "hIPAddress", a, rw),
    {},
};

// T65: no page
constinit const MibObjectDef kMibT065[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.99.1.1.8", "singlefirmware", i, ro),
    {},
};

// T66: main window
constinit const MibObjectDef kMibT066[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.99.1.1.7", "clientinfosupported", i, ro),
    {},
};

// T67: no page
constinit const MibObjectDef kMibT067[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.99.1.1.5", "codebase", d, ro),
    {},
};

// T68: main window
constinit const MibObjectDef kMibT068[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.99.1.1.6", "countrycode", d, ro),
    {},
};

// T69: main window
constinit const MibObjectDef kMibT069[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.99.1.1.2", "turbomodes", i, ro),
    {},
};

// T70: main window
constinit const MibObjectDef kMibT070[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.99.1.1.1", "apmodes", i, ro),
    {},
};

// T71: main window
constinit const MibObjectDef kMibT071[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.99.1.1.9", "mssidsupported", i, ro),
    {},
};

// T72: main window
constinit const MibObjectDef kMibT072[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.99.1.1.10", "rogueapsupported", i, ro),
    {},
};

// T73: main window
constinit const MibObjectDef kMibT073[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.99.1.1.13", "mssidisolatedsecurity", i, ro),
    {},
};

// T74: main window
constinit const MibObjectDef kMibT074[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.99.1.1.11", "syslogsupported", i, ro),
    {},
};

// T75: no page
constinit const MibObjectDef kMibT075[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.99.1.1.12", "wmmsupported", i, ro),
    {},
};

// T76: main window
constinit const MibObjectDef kMibT076[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.99.1.1.14", "mssidindication", i, ro),
    {},
};

// T77: main window
constinit const MibObjectDef kMibT077[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.99.1.1.15", "keytypeselection", i, ro),
    {},
};

// T78: main window
constinit const MibObjectDef kMibT078[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.99.1.1.16", "clustersupported", i, ro),
    {},
};

// T79: main window
constinit const MibObjectDef kMibT079[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.99.1.1.17", "greenpacketsupported", i, ro),
    {},
};

// T80: TFM_Wirless
constinit const MibObjectDef kMibT080[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.8.1.1.1", "adRefresh", i, rw, L(47)),
    {},
};

// T81: TFM_Wirless
constinit const MibObjectDef kMibT081[] = {
    obj(" ", "Index", i, na),
    obj("1.3.6.1.4.1.47011.11.37.4.2.8.2.1.2", " Type", d, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.2.8.2.1.3", " Channel", i, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.2.8.2.1.4", " Signal (%)", i, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.2.8.2.1.5", " BSSID", m, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.2.8.2.1.6", " Security ", d, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.2.8.2.1.7", " SSID", d, ro),
    {},
};

// T82: TFM_MultiSSIDForm
constinit const MibObjectDef kMibT082[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.1.1.1", "adVlanState", i, rw, L(48)),
    {},
};

// T83: TFM_MultiSSIDForm
constinit const MibObjectDef kMibT083[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.3.1.1", "adMSSIDSSID", d, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.4.1.1", "adMSSIDAuth", i, rw, L(50)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.5.1.1", "adMSSIDEncryption", i, rw, L(51)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.6.1.1", "adMSSIDKeyIndex", i, rw, L(52)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.8.1.1", "adVlanTagID", i, rw),
    {},
};

// T84: TFM_MultiSSIDForm
constinit const MibObjectDef kMibT084[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.2.1.2", "adMSSIDState", i, rw, L(49)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.3.1.2", "adMSSIDSSID", d, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.4.1.2", "adMSSIDAuth", i, rw, L(50)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.5.1.2", "adMSSIDEncryption", i, rw, L(51)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.6.1.2", "adMSSIDKeyIndex", i, rw, L(52)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.7.1.2", "adMSSIDKey", d, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.8.1.2", "adVlanTagID", i, rw),
    {},
};

// T85: TFM_MultiSSIDForm
constinit const MibObjectDef kMibT085[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.2.1.3", "adMSSIDState", i, rw, L(49)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.3.1.3", "adMSSIDSSID", d, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.4.1.3", "adMSSIDAuth", i, rw, L(50)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.5.1.3", "adMSSIDEncryption", i, rw, L(51)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.6.1.3", "adMSSIDKeyIndex", i, rw, L(52)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.7.1.3", "adMSSIDKey", d, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.8.1.3", "adVlanTagID", i, rw),
    {},
};

// T86: TFM_MultiSSIDForm
constinit const MibObjectDef kMibT086[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.2.1.4", "adMSSIDState", i, rw, L(49)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.3.1.4", "adMSSIDSSID", d, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.4.1.4", "adMSSIDAuth", i, rw, L(50)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.5.1.4", "adMSSIDEncryption", i, rw, L(51)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.6.1.4", "adMSSIDKeyIndex", i, rw, L(52)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.7.1.4", "adMSSIDKey", d, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.8.1.4", "adVlanTagID", i, rw),
    {},
};

// T87: TFM_Wirless
constinit const MibObjectDef kMibT087[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.1.1.1.1", "adVlanState", i, rw, L(48)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.2.1.2", "adMSSIDState", i, rw, L(49)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.2.1.3", "adMSSIDState", i, rw, L(49)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.2.1.4", "adMSSIDState", i, rw, L(49)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.5.1.2", "adMSSIDEncryption", i, rw, L(51)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.5.1.3", "adMSSIDEncryption", i, rw, L(51)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.5.1.4", "adMSSIDEncryption", i, rw, L(51)),
    {},
};

// T88: TFM_Group, TFM_MultiSSIDForm, TFM_MultiSSIDNewForm
constinit const MibObjectDef kMibT088[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.1.1.1.1", "adAPMode", i, rw, L(5)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.3.1.11.1", "adSuperMode", i, rw, L(9)),
    {},
};

// T89: TFM_Wirless
constinit const MibObjectDef kMibT089[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.6.1.2", "adMSSIDKeyIndex", i, rw, L(52)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.6.1.3", "adMSSIDKeyIndex", i, rw, L(52)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.6.1.4", "adMSSIDKeyIndex", i, rw, L(52)),
    {},
};

// T90: TFM_AdminNew, TFM_MultiSSIDNewForm
constinit const MibObjectDef kMibT090[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.1.1.1", "adVlanState", i, rw, L(53)),
    {},
};

// T91: TFM_MultiSSIDNewForm, TFM_Wirless
constinit const MibObjectDef kMibT091[] = {
    obj(" ", "ifIndex", i, na),
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.1", "adMSSIDIndex", i, na),
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.2", "adMSSIDIdvState", i, rw, L(54)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.3", "adMSSIDSSID", d, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.4", "adMSSIDAuth", i, rw, L(55)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.5", "adMSSIDEncryption", i, rw, L(56)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.6", "adMSSIDKeyIndex", i, rw, L(57)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.7", "adMSSIDKey", d, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.8", "adVlanTagID", i, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.11", "adMSSIDCipherType", i, rw, L(58)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.12", "adMSSIDPassPhrase", d, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.13", "adMSSIDKeyType", i, rw, L(59)),
    {},
};

// T92: TFM_MultiSSIDNewForm, TFM_Wirless
constinit const MibObjectDef kMibT092[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.3.1.1", "adMSSIDState", i, rw, L(60)),
    {},
};

// T93: TFM_MultiSSIDNewForm
constinit const MibObjectDef kMibT093[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.1.1.6", "adSecGroupKeyUpdateInterval", i, rw),
    {},
};

// T94: TFM_MultiSSIDNewForm
constinit const MibObjectDef kMibT094[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.2.3", "adSecRADIUSServer", d, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.2.4", "adSecRADIUSPort", i, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.2.5", "adSecRADIUSSecret", d, rw),
    {},
};

// T95: TFM_Wirless
constinit const MibObjectDef kMibT095[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.5.1.2", "adMSSIDEncryption", i, rw, L(61)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.5.1.3", "adMSSIDEncryption", i, rw, L(61)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.5.1.4", "adMSSIDEncryption", i, rw, L(61)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.5.1.5", "adMSSIDEncryption", i, rw, L(61)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.5.1.6", "adMSSIDEncryption", i, rw, L(61)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.5.1.7", "adMSSIDEncryption", i, rw, L(61)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.5.1.8", "adMSSIDEncryption", i, rw, L(61)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.4.1.2", "adMSSIDAuth", i, rw, L(55)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.4.1.3", "adMSSIDAuth", i, rw, L(55)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.4.1.4", "adMSSIDAuth", i, rw, L(55)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.4.1.5", "adMSSIDAuth", i, rw, L(55)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.4.1.6", "adMSSIDAuth", i, rw, L(55)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.4.1.7", "adMSSIDAuth", i, rw, L(55)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.9.2.1.4.1.8", "adMSSIDAuth", i, rw, L(55)),
    {},
};

// T96: TLogForm
constinit const MibObjectDef kMibT096[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.11.1.0", "adSystemLevel", i, rw, L(62)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.11.2.0", "adWirelessLevel", i, rw, L(63)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.11.3.0", "adNoticeLevel", i, rw, L(64)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.11.8.0", "adRemoteLogState", i, rw, L(67)),
    obj("1.3.6.1.4.1.47011.11.37.4.2.11.9.0", "adLogServerIP", a, rw),
    {},
};

// T97: TLogForm
constinit const MibObjectDef kMibT097[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.11.4.0", "adTFTPServerIP", a, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.11.5.0", "adLogFileName", d, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.11.6.0", "adGetLog", i, rw, L(65)),
    {},
};

// T98: TLogForm
constinit const MibObjectDef kMibT098[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.11.10", "adClearLocalLog", i, rw, L(68)),
    {},
};

// T99: TFM_Wirless
constinit const MibObjectDef kMibT099[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.3.1.15", "adDynamicChannelList", d, ro),
    {},
};

// T100: TFM_Wirless
constinit const MibObjectDef kMibT100[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.3.1.16", "adStaticChannelList", d, ro),
    {},
};

// T101: TFM_Wirless
constinit const MibObjectDef kMibT101[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.5.1.1.7", "adSecKeyType", i, rw, L(69)),
    {},
};

// T102: TFM_AdminNew
constinit const MibObjectDef kMibT102[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.3.1.3.2.1.1.1", "managerIP", a, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.3.1.3.2.1.1.2", "managerIP", a, rw),
    {},
};

// T103: TFM_AdminNew
constinit const MibObjectDef kMibT103[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.3.1.4.1", "admTrapServerIP", a, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.3.1.4.2", "admUserStaNotify", i, rw, L(70)),
    {},
};

// T104: TFM_AdminNew
constinit const MibObjectDef kMibT104[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.3.1.3.1", "admManagerIPStatus", i, rw, L(71)),
    {},
};

// T105: TFM_Admin, TFM_CfgFile, TFM_Cluster, TFM_DHCP, TFM_Filter, TFM_Firmware, TFM_Group, TFM_LanCfg,
// TFM_MultiSSIDNewForm, TFM_Performace, TFM_Sytem, TFM_Wirless, TLogSetForm
constinit const MibObjectDef kMibT105[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.12.1.1.1.1.1", "adClusterID", i, rw),
    obj("1.3.6.1.4.1.47011.11.37.4.2.12.1.1.1.2.1", "adClusterAction", i, rw, L(72)),
    {},
};

// T106: TFM_Cluster
constinit const MibObjectDef kMibT106[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.12.2.1.1.1.1", "clusterSurvey", i, rw, L(73)),
    {},
};

// T107: TFM_Cluster
constinit const MibObjectDef kMibT107[] = {
    obj(" ", "Index", i, na),
    obj("1.3.6.1.4.1.47011.11.37.4.2.12.2.2.1.1", "AP Domain ID", i, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.2.12.2.2.1.2", "AP Domain Numbers", i, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.2.12.2.2.1.3", "SSID", d, ro),
    {},
};

// T108: TFM_Cluster
constinit const MibObjectDef kMibT108[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.12.3.1.1.1.1", "clusterMemberSurvey", i, rw, L(74)),
    {},
};

// T109: TFM_Cluster
constinit const MibObjectDef kMibT109[] = {
    obj(" ", "Index", i, na),
    obj("1.3.6.1.4.1.47011.11.37.4.2.12.3.2.1.1", "IP", a, ro),
    obj("1.3.6.1.4.1.47011.11.37.4.2.12.3.2.1.2", "MAC", m, ro),
    {},
};

// T110: TFM_Performace
constinit const MibObjectDef kMibT110[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.99.1.1.40", "dataratecontrolsupport", i, ro),
    {},
};

// T111: TFM_Performace
constinit const MibObjectDef kMibT111[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.14.1.2.1", "adDatarateControlstatus", i, rw, L(75)),
    {},
};

// T112: TFM_Performace
constinit const MibObjectDef kMibT112[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.13.1.1.1", "adDataRateControlIndex", i, na),
    obj("1.3.6.1.4.1.47011.11.37.4.2.13.1.2.1", "adDataRateStatus", i, rw, L(76)),
    {},
};

// T113: TFM_Performace
constinit const MibObjectDef kMibT113[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.1.1.1.1", "adAPMode", i, rw, L(5)),
    {},
};

// T114: TFM_AdminNew
constinit const MibObjectDef kMibT114[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.3.1.8.1", "admManagerVLANIDStatus", i, rw, L(77)),
    obj("1.3.6.1.4.1.47011.11.37.4.3.1.8.2", "admManagerVLANID", i, rw),
    {},
};

// T115: main window
constinit const MibObjectDef kMibT115[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.99.1.1.52", "dataratechangesupported", i, ro),
    {},
};

// T116: main window
constinit const MibObjectDef kMibT116[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.99.1.1.51", "apmodestringchangeSupported", i, ro),
    {},
};

// T117: main window
constinit const MibObjectDef kMibT117[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.99.1.1.49", "mssidAndWdssupport", i, ro),
    {},
};

// T118: TFM_Wirless
constinit const MibObjectDef kMibT118[] = {
    obj("1.3.6.1.4.1.47011.11.37.4.2.3.1.26.1", "multioverwdsconsistent", i, rw, L(78)),
    {},
};

constinit const MibTableEntry kMibTables[kMibTableCount] = {
    {1, kMibT001},   {2, kMibT002},   {3, kMibT003},   {4, kMibT004},   {5, kMibT005},   {6, kMibT006},
    {7, kMibT007},   {8, kMibT008},   {9, kMibT009},   {10, kMibT010},  {11, kMibT011},  {12, kMibT012},
    {13, kMibT013},  {14, kMibT014},  {15, kMibT015},  {16, kMibT016},  {17, kMibT017},  {18, kMibT018},
    {19, kMibT019},  {20, kMibT020},  {21, kMibT021},  {22, kMibT022},  {23, kMibT023},  {24, kMibT024},
    {25, kMibT025},  {26, kMibT026},  {27, kMibT027},  {28, kMibT028},  {29, kMibT029},  {30, kMibT030},
    {31, kMibT031},  {32, kMibT032},  {33, kMibT033},  {34, kMibT034},  {35, kMibT035},  {36, kMibT036},
    {37, kMibT037},  {38, kMibT038},  {39, kMibT039},  {40, kMibT040},  {41, kMibT041},  {42, kMibT042},
    {43, kMibT043},  {44, kMibT044},  {45, kMibT045},  {46, kMibT046},  {47, kMibT047},  {48, kMibT048},
    {49, kMibT049},  {50, kMibT050},  {51, kMibT051},  {52, kMibT052},  {53, kMibT053},  {54, kMibT054},
    {55, kMibT055},  {56, kMibT056},  {57, kMibT057},  {58, kMibT058},  {59, kMibT059},  {60, kMibT060},
    {61, kMibT061},  {62, kMibT062},  {63, kMibT063},  {64, kMibT064},  {65, kMibT065},  {66, kMibT066},
    {67, kMibT067},  {68, kMibT068},  {69, kMibT069},  {70, kMibT070},  {71, kMibT071},  {72, kMibT072},
    {73, kMibT073},  {74, kMibT074},  {75, kMibT075},  {76, kMibT076},  {77, kMibT077},  {78, kMibT078},
    {79, kMibT079},  {80, kMibT080},  {81, kMibT081},  {82, kMibT082},  {83, kMibT083},  {84, kMibT084},
    {85, kMibT085},  {86, kMibT086},  {87, kMibT087},  {88, kMibT088},  {89, kMibT089},  {90, kMibT090},
    {91, kMibT091},  {92, kMibT092},  {93, kMibT093},  {94, kMibT094},  {95, kMibT095},  {96, kMibT096},
    {97, kMibT097},  {98, kMibT098},  {99, kMibT099},  {100, kMibT100}, {101, kMibT101}, {102, kMibT102},
    {103, kMibT103}, {104, kMibT104}, {105, kMibT105}, {106, kMibT106}, {107, kMibT107}, {108, kMibT108},
    {109, kMibT109}, {110, kMibT110}, {111, kMibT111}, {112, kMibT112}, {113, kMibT113}, {114, kMibT114},
    {115, kMibT115}, {116, kMibT116}, {117, kMibT117}, {118, kMibT118},
};

namespace {

constexpr MibOptionPair kL01[] = {{0, "Disable"}, {1, "Enable"}, {0, nullptr}};
constexpr MibOptionPair kL02[] = {{0, "nothing"}, {1, "reboot"}, {0, nullptr}};
constexpr MibOptionPair kL03[] = {{1, "Static (Manual)"}, {2, "Dynamic (DHCP)"}, {0, nullptr}};
constexpr MibOptionPair kL04[] = {
    {1, "Access Point"}, {2, "PtP Bridge"}, {3, "PtMP Bridge"}, {4, "Universal Repeater"}, {0, nullptr}};
constexpr MibOptionPair kL05[] = {{1, "Access Point"},       {2, "PtP Bridge"}, {3, "PtMP Bridge"},
                                  {4, "Universal Repeater"}, {5, "AP Client"},  {6, "PtP Without"},
                                  {7, "P2MP Without"},       {0, nullptr}};
constexpr MibOptionPair kL06[] = {{1, "Full"},         {2, "Half(-3dB)"}, {3, "Quarter(-6dB)"},
                                  {4, "Eighth(-9dB)"}, {5, "Min"},        {0, nullptr}};
constexpr MibOptionPair kL07[] = {{1, "Super G without Turbo"},
                                  {2, "Super G with Static Turbo"},
                                  {3, "Super G with Dynamic Turbo"},
                                  {4, "Disable"},
                                  {0, nullptr}};
constexpr MibOptionPair kL08[] = {
    {1, "Super G without Turbo"}, {3, "Super G with Dynamic Turbo"}, {4, "Disable"}, {0, nullptr}};
constexpr MibOptionPair kL09[] = {{1, "Super G without Turbo"},
                                  {2, "Super G with Static Turbo"},
                                  {3, "Super G with Dynamic Turbo"},
                                  {4, "Disable"},
                                  {0, nullptr}};
constexpr MibOptionPair kL10[] = {{4, "Disable"}, {1, "Enable"}, {0, nullptr}};
constexpr MibOptionPair kL11[] = {{0, "Off"}, {1, "On"}, {0, nullptr}};
constexpr MibOptionPair kL12[] = {{0, "Disable"}, {1, "Enable"}, {0, nullptr}};
constexpr MibOptionPair kL13[] = {{0, "Long Only"}, {1, "Short and Long"}, {0, nullptr}};
constexpr MibOptionPair kL14[] = {{0, "Disable"}, {1, "Enable"}, {0, nullptr}};
constexpr MibOptionPair kL15[] = {{0, "Disable"}, {1, "Enable"}, {0, nullptr}};
constexpr MibOptionPair kL16[] = {{0, "Disable"}, {1, "Enable"}, {0, nullptr}};
constexpr MibOptionPair kL17[] = {{1, "Accept"}, {2, "Reject"}, {3, "Disable"}, {0, nullptr}};
constexpr MibOptionPair kL18[] = {{1, "Enable"}, {0, "Disable"}, {0, nullptr}};
constexpr MibOptionPair kL19[] = {{1, "Enable"}, {0, "Disable"}, {0, nullptr}};
constexpr MibOptionPair kL20[] = {{1, "Enable"}, {0, "Disable"}, {0, nullptr}};
constexpr MibOptionPair kL21[] = {{1, "Open System"}, {2, "Shared Key"},   {3, "Open System / Shared Key"},
                                  {4, "WPA-PSK"},     {5, "WPA-EAP"},      {6, "WPA2-PSK"},
                                  {7, "WPA2-EAP"},    {8, "WPA-Auto-PSK"}, {9, "WPA-Auto-EAP"},
                                  {0, nullptr}};
constexpr MibOptionPair kL22[] = {{0, "Disable"}, {1, "Enable"}, {0, nullptr}};
constexpr MibOptionPair kL23[] = {{1, "First"}, {2, "Second"}, {3, "Third"}, {4, "Fourth"}, {0, nullptr}};
constexpr MibOptionPair kL24[] = {{1, "Auto"}, {2, "AES"}, {3, "TKIP"}, {0, nullptr}};
constexpr MibOptionPair kL25[] = {{0, "Disable"}, {1, "Enable"}, {0, nullptr}};
constexpr MibOptionPair kL26[] = {{0, "Disable"}, {1, "Enable"}, {0, nullptr}};
constexpr MibOptionPair kL27[] = {{0, "Disable"}, {1, "Enable"}, {0, nullptr}};
constexpr MibOptionPair kL28[] = {{1, "True"}, {2, "False"}, {0, nullptr}};
constexpr MibOptionPair kL29[] = {{1, "True"}, {2, "False"}, {0, nullptr}};
constexpr MibOptionPair kL30[] = {{1, "Connect"}, {2, "Get"}, {3, "Put"}, {4, "Nothing"}, {0, nullptr}};
constexpr MibOptionPair kL31[] = {{1, "Firmwareupdate"}, {2, "Configsetting"}, {3, "Configsave"},
                                  {4, "Reboot"},         {5, "Factoryreset"},  {6, "Nothing"},
                                  {0, nullptr}};
constexpr MibOptionPair kL32[] = {{0, "Disable"}, {1, "Enable"}, {0, nullptr}};
constexpr MibOptionPair kL33[] = {{0, "Never"},   {1, "1 Min"},   {2, "3 Mins"}, {3, "5 Mins"},
                                  {4, "10 Mins"}, {5, "15 Mins"}, {0, nullptr}};
constexpr MibOptionPair kL34[] = {{0, "Disable"}, {1, "Enable"}, {0, nullptr}};
constexpr MibOptionPair kL35[] = {{1, "Manual"}, {2, "Dynamic"}, {0, nullptr}};
constexpr MibOptionPair kL36[] = {{1, "Turbo"}, {2, "Static"}, {3, "Dynamic"}, {4, "Disable"}, {0, nullptr}};
constexpr MibOptionPair kL37[] = {{1, "Opensystem"}, {2, "Sharedkey"}, {3, "Opensystemsharedkey"},
                                  {4, "Wpa-psk"},    {5, "Wpa-eap"},   {0, nullptr}};
constexpr MibOptionPair kL38[] = {{1, "Enable"}, {0, "Disable"}, {0, nullptr}};
constexpr MibOptionPair kL39[] = {{1, "Enable"}, {0, "Disable"}, {0, nullptr}};
constexpr MibOptionPair kL40[] = {{1, "Super G without Turbo"},
                                  {2, "Super G with Static Turbo"},
                                  {3, "Super G with Dynamic Turbo"},
                                  {4, "Disabled"},
                                  {0, nullptr}};
constexpr MibOptionPair kL41[] = {{1, "Super G without Turbo"},
                                  {2, "Super G with Static Turbo"},
                                  {3, "Super G with Dynamic Turbo"},
                                  {4, "Disabled"},
                                  {0, nullptr}};
constexpr MibOptionPair kL42[] = {{0, "Nothing"}, {1, "acquire"}, {0, nullptr}};
constexpr MibOptionPair kL43[] = {
    {0, "Open System"}, {1, "Shared Key"}, {2, "WPA-EAP"},      {3, "WPA-PSK"},      {4, "Auto"},
    {5, "WPA2-EAP"},    {6, "WPA2-PSK"},   {7, "WPA-Auto-EAP"}, {8, "WPA-Auto-PSK"}, {0, nullptr}};
constexpr MibOptionPair kL44[] = {{0, "Disable"}, {1, "Enable"}, {0, nullptr}};
constexpr MibOptionPair kL45[] = {{0, "OFF"}, {1, "ON"}, {0, nullptr}};
constexpr MibOptionPair kL46[] = {{0, "OFF"}, {1, "ON"}, {0, nullptr}};
constexpr MibOptionPair kL47[] = {{0, "nothing"}, {1, "refresh"}, {0, nullptr}};
constexpr MibOptionPair kL48[] = {{0, "disabled"}, {1, "enabled"}, {0, nullptr}};
constexpr MibOptionPair kL49[] = {{0, "disabled"}, {1, "enabled"}, {0, nullptr}};
constexpr MibOptionPair kL50[] = {{1, "Open System"}, {2, "Shared Key"},   {3, "Open System / Shared Key"},
                                  {4, "WPA-PSK"},     {5, "WPA-EAP"},      {6, "WPA2-PSK"},
                                  {7, "WPA2-EAP"},    {8, "WPA-Auto-PSK"}, {9, "WPA-Auto-EAP"},
                                  {0, nullptr}};
constexpr MibOptionPair kL51[] = {{0, "disabled"}, {1, "enabled"}, {0, nullptr}};
constexpr MibOptionPair kL52[] = {{1, "first"}, {2, "second"}, {3, "third"}, {4, "fourth"}, {0, nullptr}};
constexpr MibOptionPair kL53[] = {{0, "Disabled"}, {1, "Enabled"}, {0, nullptr}};
constexpr MibOptionPair kL54[] = {{0, "Disabled"}, {1, "Enabled"}, {0, nullptr}};
constexpr MibOptionPair kL55[] = {{1, "Open System"}, {2, "Shared Key"},   {3, "Open System / Shared Key"},
                                  {4, "WPA-PSK"},     {5, "WPA-EAP"},      {6, "WPA2-PSK"},
                                  {7, "WPA2-EAP"},    {8, "WPA-Auto-PSK"}, {9, "WPA-Auto-EAP"},
                                  {0, nullptr}};
constexpr MibOptionPair kL56[] = {{0, "Disabled"}, {1, "Enabled"}, {0, nullptr}};
constexpr MibOptionPair kL57[] = {{1, "First"}, {2, "Second"}, {3, "Third"}, {4, "Fourth"}, {0, nullptr}};
constexpr MibOptionPair kL58[] = {{1, "Auto"}, {2, "AES"}, {3, "TKIP"}, {0, nullptr}};
constexpr MibOptionPair kL59[] = {{2, "HEX"}, {1, "ASCII"}, {0, nullptr}};
constexpr MibOptionPair kL60[] = {{0, "Disabled"}, {1, "Enabled"}, {0, nullptr}};
constexpr MibOptionPair kL61[] = {{0, "Disable"}, {1, "Enable"}, {0, nullptr}};
constexpr MibOptionPair kL62[] = {{0, "disable"}, {1, "enable"}, {0, nullptr}};
constexpr MibOptionPair kL63[] = {{0, "disable"}, {1, "enable"}, {0, nullptr}};
constexpr MibOptionPair kL64[] = {{0, "disable"}, {1, "enable"}, {0, nullptr}};
constexpr MibOptionPair kL65[] = {{0, "nothing"}, {1, "get"}, {0, nullptr}};
constexpr MibOptionPair kL66[] = {{0, "disable"}, {1, "enable"}, {0, nullptr}};
constexpr MibOptionPair kL67[] = {{0, "disable"}, {1, "enable"}, {0, nullptr}};
constexpr MibOptionPair kL68[] = {{0, "nothing"}, {1, "clear"}, {0, nullptr}};
constexpr MibOptionPair kL69[] = {{2, "HEX"}, {1, "ASCII"}, {0, nullptr}};
constexpr MibOptionPair kL70[] = {{0, "Disable"}, {1, "Enable"}, {0, nullptr}};
constexpr MibOptionPair kL71[] = {{0, "Disable"}, {1, "Enable"}, {0, nullptr}};
constexpr MibOptionPair kL72[] = {{1, "Join"}, {2, "Escape"}, {0, nullptr}};
constexpr MibOptionPair kL73[] = {{0, "Nothing"}, {1, "Survey"}, {0, nullptr}};
constexpr MibOptionPair kL74[] = {{0, "Nothing"}, {1, "Survey"}, {0, nullptr}};
constexpr MibOptionPair kL75[] = {{0, "Disable"}, {1, "Enable"}, {0, nullptr}};
constexpr MibOptionPair kL76[] = {{0, "Disable"}, {1, "Enable"}, {2, "Basic"}, {0, nullptr}};
constexpr MibOptionPair kL77[] = {{0, "Disable"}, {1, "Enable"}, {0, nullptr}};
constexpr MibOptionPair kL78[] = {{0, "nothing"}, {1, "consistent"}, {0, nullptr}};

constexpr const MibOptionPair* kListSources[kMibOptionListCount] = {
    kL01, kL02, kL03, kL04, kL05, kL06, kL07, kL08, kL09, kL10, kL11, kL12, kL13, kL14, kL15, kL16,
    kL17, kL18, kL19, kL20, kL21, kL22, kL23, kL24, kL25, kL26, kL27, kL28, kL29, kL30, kL31, kL32,
    kL33, kL34, kL35, kL36, kL37, kL38, kL39, kL40, kL41, kL42, kL43, kL44, kL45, kL46, kL47, kL48,
    kL49, kL50, kL51, kL52, kL53, kL54, kL55, kL56, kL57, kL58, kL59, kL60, kL61, kL62, kL63, kL64,
    kL65, kL66, kL67, kL68, kL69, kL70, kL71, kL72, kL73, kL74, kL75, kL76, kL77, kL78,
};

}  // namespace

const MibOptionPair* MibOptionListSource(int n) {
    return (n >= 1 && n <= kMibOptionListCount) ? kListSources[n - 1] : nullptr;
}
