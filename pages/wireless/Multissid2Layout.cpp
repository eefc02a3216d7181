// The layout of the multi-SSID page with VLANs. The key and passphrase groups share one place, as do
// the two security combos; the walked table and the combos the row's values land in lie hidden under
// the user's list.

#include "pages/wireless/Multissid2Layout.h"

#include "module/LayoutRows.h"

namespace {

using namespace LayoutRows;
using enum forms::LayoutFlag;

constexpr const char* kUserColumns = R"(Index=80,SSID=130,Encryption=100,"VLAN ID =70",Band=50)";
constexpr int kEditLeft = 88;
constexpr int kSideLeft = 128;
constexpr int kPskLeft = 156;

constexpr LayoutRow kRows[] = {
    group("GroupBox1", "", 8, 6, 560, 300, "  Multi-SSID Settings  "),
    {Kind::CheckBox, "CB_VLanState", "GroupBox1", 16, 22, 130, 17, "Enable VLAN State"},
    label("Label_Band", "GroupBox1", 250, 24, "Band"),
    combo("BandComboBox", "GroupBox1", 290, 20, 120, "\"IEEE 802.11a\",\"IEEE 802.11g\""),
    {Kind::CheckBox, "IfEnabMuSSID", "GroupBox1", 16, 46, 130, 17, "Enable Multi-SSID "},
    group("GroupBox2", "GroupBox1", 8, 72, 544, 220, ""),
    label("Label_Index", "GroupBox2", 10, 22, "Index"),
    combo("CB_Idx", "GroupBox2", kEditLeft, 18, 140,
          "\"Primary SSID\",\"Multi-SSID 1\",\"Multi-SSID 2\",\"Multi-SSID 3\",\"Multi-SSID 4\","
          "\"Multi-SSID 5\",\"Multi-SSID 6\",\"Multi-SSID 7\""),
    label("Label_SSID", "GroupBox2", 10, 50, "SSID"),
    edit("Ed_SSID", "GroupBox2", kEditLeft, 46, 140),
    label("Label_Security", "GroupBox2", 10, 78, "Security"),
    combo("CB_Sec", "GroupBox2", kEditLeft, 74, 140,
          "None,\"Open System\",\"Shared Key\",WPA-PSK,WPA-EAP,WPA2-PSK,WPA2-EAP,WPA-Auto-PSK,WPA-Auto-EAP",
          Hidden),
    combo("CB_SecShow", "GroupBox2", kEditLeft, 74, 140,
          "None,\"Open System\",\"Shared Key\",WPA-PSK,WPA2-PSK,WPA-Auto-PSK"),
    label("Label_VLANID", "GroupBox2", 10, 106, "VLAN ID"),
    edit("Ed_WLANID", "GroupBox2", kEditLeft, 102, 140),
    button("SaveButton", "GroupBox2", kEditLeft, 180, "Save"),

    group("GP_KeySetting", "GroupBox2", 244, 12, 290, 196, "Key Settings"),
    label("Label_KeyType", "GP_KeySetting", 12, 28, "Key Type"),
    combo("CB_KeyType", "GP_KeySetting", kSideLeft, 24, 150, "HEX,ASCII"),
    label("Label_KeySize", "GP_KeySetting", 12, 58, "Key Size"),
    combo("CB_KeySize", "GP_KeySetting", kSideLeft, 54, 150, "\"64 Bits\",\"128 Bits\",\"152 Bits\""),
    label("Label_KeyValue", "GP_KeySetting", 12, 88, "Key Value"),
    edit("Ed_KeyValue", "GP_KeySetting", kSideLeft, 84, 150, 0, Password),
    label("Label_KeyIndex", "GP_KeySetting", 12, 118, "Key Index"),
    combo("CB_IdxTmp", "GP_KeySetting", kSideLeft, 114, 150),
    combo("CB_KeyIndex", "GP_KeySetting", kSideLeft, 114, 150, "First,Second,Third,Fourth", Hidden),

    group("GP_PSK", "GroupBox2", 244, 12, 290, 196, "PassPhrase Settings"),
    label("Label_Cipher", "GP_PSK", 12, 28, "Cipher Type"),
    combo("CB_CipherType", "GP_PSK", kPskLeft, 24, 124),
    label("Label_GrpKey", "GP_PSK", 12, 58, "Group Key Update Interval   "),
    edit("Ed_GrpKey", "GP_PSK", kPskLeft, 54, 124),
    label("Label_PassPhrase", "GP_PSK", 12, 88, "PassPhrase"),
    edit("Ed_PassPhrase", "GP_PSK", kPskLeft, 84, 124, 0, Password),
    label("Label_RadiusServ", "GP_PSK", 12, 88, "Radius Server", Hidden),
    edit("Ed_RiduisServ", "GP_PSK", kPskLeft, 84, 124, 0, Hidden),
    label("Label_RadiusPort", "GP_PSK", 12, 118, "Radius Port", Hidden),
    edit("Ed_RadiusPort", "GP_PSK", kPskLeft, 114, 124, 0, Hidden),
    label("Label_RadiusSec", "GP_PSK", 12, 148, "Radius Secret", Hidden),
    edit("Ed_RadiusSec", "GP_PSK", kPskLeft, 144, 124, 0, Hidden | Password),

    group("MultiGroupBox", "", 8, 312, 560, 170, "Multi-SSID"),
    {Kind::ListView, "LV_MultiSSID_User", "MultiGroupBox", 10, 20, 450, 140, "", kUserColumns},
    button("DelButton", "MultiGroupBox", 472, 20, "Delete"),
    // Under the user's list: the walked table and the carriers of a row's values.
    {Kind::ListView, "MulSSIDListView", "MultiGroupBox", 10, 20, 450, 140, "", "", Hidden},
    hiddenCombo("CB_MultiIndex", "", "MultiGroupBox"),
    hiddenCombo("CB_Security", "", "MultiGroupBox"),
    hiddenCombo("CB_Encry", "", "MultiGroupBox"),
    hiddenCombo("CB_IdvState", "", "MultiGroupBox"),
    hiddenCombo("CB_ApMode", "", "MultiGroupBox"),
    hiddenCombo("CB_SuperMode", "", "MultiGroupBox"),
    {Kind::Label, "Lab_IfIdx", "MultiGroupBox", 0, 0, 0, 0, "", "", Hidden},
    {Kind::Label, "Lab_Idx", "MultiGroupBox", 0, 0, 0, 0, "", "", Hidden},

    button("ApplyBtn", "", 412, 490, "Apply"),
    button("CancelBtn", "", 493, 490, "Cancel"),
    hiddenCombo("CB_Clus"),
    {Kind::StatusBar, "StatusBar1", "", 0, 0, 0, 19, "", "", SimpleText},
};

}  // namespace

const forms::FormLayout kMultissid2Layout{"TFM_MultiSSIDNewForm", "Advanced \\ Multi-SSID", 576, 540, kRows};
