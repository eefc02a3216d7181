#include "pages/Pages.h"

#include "module/Main.h"
#include "module/MainMenuRules.h"
#include "pages/admin/Admin.h"
#include "pages/admin/Admin2.h"
#include "pages/admin/Cfghis.h"
#include "pages/admin/Clientinfo.h"
#include "pages/admin/Cluster.h"
#include "pages/admin/Devinfo.h"
#include "pages/admin/Dhcp.h"
#include "pages/admin/Firmware.h"
#include "pages/admin/Information.h"
#include "pages/admin/Lan.h"
#include "pages/admin/Static.h"
#include "pages/admin/System.h"
#include "pages/admin/Systemlog.h"
#include "pages/wireless/Encrypt.h"
#include "pages/wireless/Filer.h"
#include "pages/wireless/Group.h"
#include "pages/wireless/Modecfg.h"
#include "pages/wireless/Multissid.h"
#include "pages/wireless/Multissid2.h"
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
        {HvTopMenu::Advanced, "Mode", "adMode1",
         HvModalPage(FM_ModeCFG, [](TMainForm& m) { return new TFM_ModeCFG(m); })},
        {HvTopMenu::Advanced, "Performance", "adPerformance1",
         HvModalPage(FM_Performace, [](TMainForm& m) { return new TFM_Performace(m); })},
        {HvTopMenu::Advanced, "Filter", "adFilters2",
         HvModalPage(FM_Filter, [](TMainForm& m) { return new TFM_Filter(m); })},
        {HvTopMenu::Advanced, "Encryption", "adEncryption2",
         HvModalPage(FM_Encrypt, [](TMainForm& m) { return new TFM_Encrypt(m); })},
        {HvTopMenu::Advanced, "Grouping", "adGrouping2",
         HvModalPage(FM_Group, [](TMainForm& m) { return new TFM_Group(m); })},
        {HvTopMenu::Advanced, "DHCP Server", "adDHCPServer2",
         HvModalPage(FM_DHCP, [](TMainForm& m) { return new TFM_DHCP(m); })},
        // The menu's own rules show the item; the device's generation picks the page, and an unknown
        // one opens none.
        {HvTopMenu::Advanced, "Multi-SSID", "Ad_MultiSSID",
         [](TMainForm& m) {
             switch (MainMenuRules::multiSsidChoice(m.NewMultiSupport->text())) {
                 case MainMenuRules::Generation::Old:
                     HvModalPage(FM_MultiSSIDForm, [](TMainForm& f) { return new TFM_MultiSSIDForm(f); })(m);
                     break;
                 case MainMenuRules::Generation::New:
                     HvModalPage(FM_MultiSSIDNewForm, [](TMainForm& f) { return new TFM_MultiSSIDNewForm(f); })(m);
                     break;
                 case MainMenuRules::Generation::None:
                     break;
             }
         }},
        {HvTopMenu::Advanced, "AP Domains", "Cluster1",
         HvModalPage(FM_Cluster, [](TMainForm& m) { return new TFM_Cluster(m); })},
        // Firmwares that manage their own administrator limits have the newer page.
        {HvTopMenu::Tools, "Admin", "tAdmin2",
         [](TMainForm& m) {
             if (MainMenuRules::adminChoice(m.Ed_Green->text()) == MainMenuRules::Generation::New)
                 HvModalPage(FM_AdminNew, [](TMainForm& f) { return new TFM_AdminNew(f); })(m);
             else
                 HvModalPage(FM_Admin, [](TMainForm& f) { return new TFM_Admin(f); })(m);
         }},
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
        {HvTopMenu::Status, "Client Info", "Client1",
         HvModalPage(ClientInformation, [](TMainForm& m) { return new TClientInformation(m); }),
         [](const TMainForm& m) { return m.clientInfoVisible; }},
        {HvTopMenu::Status, "Log", "SystemLog",
         HvModalPage(LogForm, [](TMainForm& m) { return new TLogForm(m); }),
         [](const TMainForm& m) { return m.logVisible; }},
    };
}
