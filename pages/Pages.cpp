#include "pages/Pages.h"

#include "module/Main.h"
#include "pages/admin/Cfghis.h"
#include "pages/admin/Devinfo.h"
#include "pages/admin/Dhcp.h"
#include "pages/admin/Firmware.h"
#include "pages/admin/Information.h"
#include "pages/admin/Lan.h"
#include "pages/admin/Static.h"
#include "pages/admin/System.h"
#include "pages/admin/Systemlog.h"
#include "pages/wireless/Encrypt.h"
#include "pages/wireless/Performace.h"
#include "pages/wireless/Wirless.h"

std::vector<HvPageEntry> HvPages() {
    return {
        {HvTopMenu::Home, "Information", "Information1",
         HvModalPage(FM_SysInfo, [](TMainForm& m) { return new TFM_SysInfo(m); })},
        {HvTopMenu::Home, "Wireless", "hWirelessBand1",
         HvModalPage(FM_Wirless, [](TMainForm& m) { return new TFM_Wirless(m); })},
        {HvTopMenu::Home, "LAN", "hLan1",
         HvModalPage(FM_LanCfg, [](TMainForm& m) { return new TFM_LanCfg(m); })},
        {HvTopMenu::Advanced, "Performance", "adPerformance1",
         HvModalPage(FM_Performace, [](TMainForm& m) { return new TFM_Performace(m); })},
        {HvTopMenu::Advanced, "Encryption", "adEncryption2",
         HvModalPage(FM_Encrypt, [](TMainForm& m) { return new TFM_Encrypt(m); }),
         [](const TMainForm& m) { return m.advancedVisibility.encryption; }},
        {HvTopMenu::Advanced, "DHCP Server", "adDHCPServer2",
         HvModalPage(FM_DHCP, [](TMainForm& m) { return new TFM_DHCP(m); })},
        {HvTopMenu::Tools, "System", "tSystem2",
         HvModalPage(FM_Sytem, [](TMainForm& m) { return new TFM_Sytem(m); })},
        {HvTopMenu::Tools, "Firmware", "Firmware1",
         HvModalPage(FM_Firmware, [](TMainForm& m) { return new TFM_Firmware(m); })},
        {HvTopMenu::Tools, "Configuration File", "tUpdate2",
         HvModalPage(FM_CfgFile, [](TMainForm& m) { return new TFM_CfgFile(m); })},
        {HvTopMenu::Status, "Device Info", "stDeviceInfo2",
         HvModalPage(FM_DevInfo, [](TMainForm& m) { return new TFM_DevInfo(m); })},
        {HvTopMenu::Status, "Stats", "stStats1",
         HvModalPage(FM_Static, [](TMainForm& m) { return new TFM_Static(m); })},
        {HvTopMenu::Status, "Log", "SystemLog",
         HvModalPage(LogForm, [](TMainForm& m) { return new TLogForm(m); }),
         [](const TMainForm& m) { return m.logVisible; }},
    };
}
