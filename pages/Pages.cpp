#include "pages/Pages.h"

#include "module/Main.h"
#include "pages/admin/Cfghis.h"
#include "pages/admin/Dhcp.h"
#include "pages/admin/Firmware.h"
#include "pages/admin/Lan.h"
#include "pages/admin/Systemlog.h"
#include "pages/wireless/Performace.h"

std::vector<HvPageEntry> HvPages() {
    return {
        {HvTopMenu::Home, "LAN", "hLan1",
         HvModalPage(FM_LanCfg, [](TMainForm& m) { return new TFM_LanCfg(m); })},
        {HvTopMenu::Advanced, "Performance", "adPerformance1",
         HvModalPage(FM_Performace, [](TMainForm& m) { return new TFM_Performace(m); })},
        {HvTopMenu::Advanced, "DHCP Server", "adDHCPServer2",
         HvModalPage(FM_DHCP, [](TMainForm& m) { return new TFM_DHCP(m); })},
        {HvTopMenu::Tools, "Firmware", "Firmware1",
         HvModalPage(FM_Firmware, [](TMainForm& m) { return new TFM_Firmware(nullptr, &m); })},
        {HvTopMenu::Tools, "Configuration File", "tUpdate2",
         HvModalPage(FM_CfgFile, [](TMainForm& m) { return new TFM_CfgFile(nullptr, &m); })},
        {HvTopMenu::Status, "Log", "SystemLog",
         HvModalPage(LogForm, [](TMainForm& m) { return new TLogForm(nullptr, &m); }),
         [](const TMainForm& m) { return m.logVisible; }},
    };
}
