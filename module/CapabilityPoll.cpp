#include "module/CapabilityPoll.h"

#include "module/Misc.h"

const std::array<ProbeDef, kProbeCount>& probeTable() {
    static const std::array<ProbeDef, kProbeCount> table = {{
        {kMibT062, "Ed_FwVer", nullptr, "%s"},
        {kMibT068, "Ed_Countrycode", nullptr, "%s"},
        {kMibT069, "ED_Turbomode", nullptr, "%s"},
        {kMibT070, "APModeSupport", nullptr, "%u"},
        {kMibT071, "ifMultiSSID_Edit", nullptr, "%u"},
        {kMibT072, "Ed_Rogue", nullptr, "%s"},
        {kMibT003, "IPAddressEdit", "SubMaskEdit", "%s"},
        {kMibT073, "NewMultiSupport", nullptr, "%s"},
        {kMibT074, "SyslogSupport", nullptr, "%s"},
        {kMibT076, "Ed_ClientAddSSID", nullptr, "%s"},
        {kMibT077, "Ed_KeyTypeSup", nullptr, "%s"},
        {kMibT078, "Ed_IfCluster", nullptr, "%s"},
        {kMibT079, "Ed_Green", nullptr, "%s"},
        {kMibT115, "Ed_DataRateNew", nullptr, "%s"},
        {kMibT116, "ApmodeStringChangeSupport", nullptr, "%s"},
        {kMibT117, "mssidAndWdssupport", nullptr, "%s"},
    }};
    return table;
}

const std::vector<std::string>& clearedFields() {
    static const std::vector<std::string> fields = {
        "Ed_FwVer",         "Ed_Countrycode", "ED_Turbomode", "APModeSupport",   "ifMultiSSID_Edit",
        "Ed_Rogue",         "IPAddressEdit",  "SubMaskEdit",  "NewMultiSupport", "SyslogSupport",
        "Ed_ClientAddSSID", "Ed_KeyTypeSup",  "Ed_IfCluster", "Ed_Green",        "Ed_DataRateNew",
    };
    return fields;
}

CapabilityProbe::CapabilityProbe(forms::Form* owner, const MibObjectDef* table) : HvSNMPRequest2Edits(owner) {
    request.varList = HvSNMPVarList(table, SVT_SV, 0);
    onAsyncGetDone = [this](HvSNMPRequest2Controls*, HvSNMPError* error) {
        if (error && error->code == 0) m_answered = true;
    };
}

CapabilityPoll::Plan CapabilityPoll::startup() {
    Plan plan;
    for (int i = 0; i < kProbeCount; ++i) plan.probes.push_back(i);
    return plan;
}

CapabilityPoll::Plan CapabilityPoll::tick(int32_t& pollTicks, const std::array<bool, kProbeCount>& answered,
                                          const std::array<bool, kProbeCount>& busy) {
    Plan plan;
    if (pollTicks == 7) {
        plan.clear = true;
        pollTicks = 0;
    }
    for (int i = 0; i < kProbeCount; ++i) {
        const auto at = static_cast<size_t>(i);
        if (busy[at] || (i >= kRepolledProbes && answered[at])) continue;
        plan.probes.push_back(i);
    }
    ++pollTicks;
    return plan;
}
