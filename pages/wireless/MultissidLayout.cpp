// The old multi-SSID page's layout: the VLAN switch, the master SSID read-only, and three guest
// groups of the same shape, each over the hidden combos that carry its device values.

#include "pages/wireless/MultissidLayout.h"

#include "module/LayoutRows.h"

namespace {

using namespace LayoutRows;
using enum forms::LayoutFlag;

constexpr const char* kSecurity = "None,\"Open System\",\"Shared Key\"";
constexpr const char* kKeyTypes = "HEX,ASCII";
constexpr const char* kKeySizes = "\"64 Bits\",\"128 Bits\",\"152 Bits\"";

constexpr LayoutRow kRows[] = {
    {Kind::PageControl, "PC_MultiSSID", "", 4, 4, 600, 462},
    {Kind::TabSheet, "TabSheetG", "PC_MultiSSID", 0, 0, 0, 0, "IEEE 802.11g"},
    button("Bt_Refresh", "", 352, 474, "Refresh"),
    button("Bt_Apply", "", 440, 474, "Apply"),
    button("Bt_Close", "", 528, 474, "Close"),
    statusBar(),
    hiddenCombo("VLan_State"),
    hiddenCombo("AP_ModeComboBox"),
    hiddenCombo("Supermode_ComboBox"),

    {Kind::CheckBox, "CheckBox1", "TabSheetG", 16, 8, 130, 17, "Enable VLan State "},
    group("GB_Master", "TabSheetG", 8, 30, 580, 78, "Master SSID"),
    label("La_MasterSSID", "GB_Master", 10, 24, "SSID"),
    edit("MasterSSIDEdit", "GB_Master", 40, 20, 130, 0, Disabled),
    label("La_Security", "GB_Master", 185, 24, "Security "),
    combo("SecurityBox", "GB_Master", 235, 20, 160, "", Disabled),
    label("La_DefaultKey", "GB_Master", 410, 24, "Master Key"),
    combo("DefaultKey", "GB_Master", 470, 20, 65, "", Disabled),
    label("La_GroupID", "GB_Master", 10, 52, "VLan Group ID"),
    edit("GroupIDBox", "GB_Master", 90, 48, 50, 0, Disabled),
    hiddenCombo("Encryption_ComboBox", "", "GB_Master"),

    group("GB_Guest1", "TabSheetG", 8, 114, 580, 100, ""),
    {Kind::CheckBox, "Guest1CheckBox", "GB_Guest1", 10, 16, 140, 17, "Enable Guest SSID1"},
    label("La_GuestSSID1", "GB_Guest1", 10, 44, "SSID"),
    edit("GuestSSIDEdit1", "GB_Guest1", 40, 40, 130),
    label("La_GuestSecurity1", "GB_Guest1", 185, 44, "Security "),
    combo("TempComboBox1", "GB_Guest1", 235, 40, 100, kSecurity),
    label("La_GuestGroupID1", "GB_Guest1", 355, 44, "VLan Group ID"),
    edit("GuestGroupID1", "GB_Guest1", 435, 40, 50),
    label("La_GuestKeyType1", "GB_Guest1", 10, 74, "Key Type"),
    combo("GuestKeyType1", "GB_Guest1", 60, 70, 60, kKeyTypes),
    label("La_GuestKeySize1", "GB_Guest1", 135, 74, "Key Size"),
    combo("GuestKeySize1", "GB_Guest1", 185, 70, 75, kKeySizes),
    label("La_GuestKey1", "GB_Guest1", 275, 74, "Key Index"),
    combo("GuestKey1", "GB_Guest1", 330, 70, 65),
    label("La_GuestKeyvalue1", "GB_Guest1", 410, 74, "Key Value"),
    edit("GuestKeyvalueEdit1", "GB_Guest1", 465, 70, 105, 0, Password),
    hiddenCombo("GuestSSID1", "", "GB_Guest1"),
    hiddenCombo("GuestSecurity1", "", "GB_Guest1"),
    hiddenCombo("EnableEncryption1", "", "GB_Guest1"),
    group("GB_Guest2", "TabSheetG", 8, 220, 580, 100, ""),
    {Kind::CheckBox, "Guest2CheckBox", "GB_Guest2", 10, 16, 140, 17, "Enable Guest SSID2 "},
    label("La_GuestSSID2", "GB_Guest2", 10, 44, "SSID"),
    edit("GuestSSIDEdit2", "GB_Guest2", 40, 40, 130),
    label("La_GuestSecurity2", "GB_Guest2", 185, 44, "Security "),
    combo("TempComboBox2", "GB_Guest2", 235, 40, 100, kSecurity),
    label("La_GuestGroupID2", "GB_Guest2", 355, 44, "VLan Group ID"),
    edit("GuestGroupID2", "GB_Guest2", 435, 40, 50),
    label("La_GuestKeyType2", "GB_Guest2", 10, 74, "Key Type"),
    combo("GuestKeyType2", "GB_Guest2", 60, 70, 60, kKeyTypes),
    label("La_GuestKeySize2", "GB_Guest2", 135, 74, "Key Size"),
    combo("GuestKeySize2", "GB_Guest2", 185, 70, 75, kKeySizes),
    label("La_GuestKey2", "GB_Guest2", 275, 74, "Key Index"),
    combo("GuestKey2", "GB_Guest2", 330, 70, 65),
    label("La_GuestKeyvalue2", "GB_Guest2", 410, 74, "Key Value"),
    edit("GuestKeyvalueEdit2", "GB_Guest2", 465, 70, 105, 0, Password),
    hiddenCombo("GuestSSID2", "", "GB_Guest2"),
    hiddenCombo("GuestSecurity2", "", "GB_Guest2"),
    hiddenCombo("EnableEncryption2", "", "GB_Guest2"),
    group("GB_Guest3", "TabSheetG", 8, 326, 580, 100, ""),
    {Kind::CheckBox, "Guest3CheckBox", "GB_Guest3", 10, 16, 140, 17, "Enable Guest SSID3 "},
    label("La_GuestSSID3", "GB_Guest3", 10, 44, "SSID"),
    edit("GuestSSIDEdit3", "GB_Guest3", 40, 40, 130),
    label("La_GuestSecurity3", "GB_Guest3", 185, 44, "Security "),
    combo("TempComboBox3", "GB_Guest3", 235, 40, 100, kSecurity),
    label("La_GuestGroupID3", "GB_Guest3", 355, 44, "VLan Group ID"),
    edit("GuestGroupID3", "GB_Guest3", 435, 40, 50),
    label("La_GuestKeyType3", "GB_Guest3", 10, 74, "Key Type"),
    combo("GuestKeyType3", "GB_Guest3", 60, 70, 60, kKeyTypes),
    label("La_GuestKeySize3", "GB_Guest3", 135, 74, "Key Size"),
    combo("GuestKeySize3", "GB_Guest3", 185, 70, 75, kKeySizes),
    label("La_GuestKey3", "GB_Guest3", 275, 74, "Key Index"),
    combo("GuestKey3", "GB_Guest3", 330, 70, 65),
    label("La_GuestKeyvalue3", "GB_Guest3", 410, 74, "Key Value"),
    edit("GuestKeyvalueEdit3", "GB_Guest3", 465, 70, 105, 0, Password),
    hiddenCombo("GuestSSID3", "", "GB_Guest3"),
    hiddenCombo("GuestSecurity3", "", "GB_Guest3"),
    hiddenCombo("EnableEncryption3", "", "GB_Guest3"),
};

}  // namespace

const forms::FormLayout kMultiSSIDLayout{"TFM_MultiSSIDForm", "Advanced\\Multi-SSID", 608, 526, kRows};
