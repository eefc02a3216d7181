#include "pages/Pages.h"

#include "pages/admin/Cfghis.h"
#include "pages/admin/Firmware.h"
#include "pages/admin/Systemlog.h"
#include "pages/wireless/Performace.h"

std::map<std::string, PageOpening> HvPages() {
    return {
        {"TFM_Performace",
         [](TMainForm& main) { main.openModal(FM_Performace, new TFM_Performace(nullptr, &main)); }},
        {"TFM_Firmware",
         [](TMainForm& main) { main.openModal(FM_Firmware, new TFM_Firmware(nullptr, &main)); }},
        {"TFM_CfgFile", [](TMainForm& main) { main.openModal(FM_CfgFile, new TFM_CfgFile(nullptr, &main)); }},
        {"TLogForm", [](TMainForm& main) { main.openModal(LogForm, new TLogForm(nullptr, &main)); }},
    };
}
