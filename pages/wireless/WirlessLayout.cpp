// The layout of the wireless page: its controls, their places and captions. Captions keep their
// blanks; the mode rules move the groups and buttons from these places at run time.

#include "pages/wireless/WirlessLayout.h"

#include "module/LayoutRows.h"

namespace {

using forms::Kind;
using forms::LayoutRow;
using enum forms::LayoutFlag;

constexpr int kInputLeft = 166;
constexpr int kInputWidth = 175;

using LayoutRows::combo;
using LayoutRows::edit;
using LayoutRows::label;
constexpr LayoutRow group(const char* name, int left, int top, int width, int height, const char* caption,
                          unsigned flags = 0) {
    return {Kind::GroupBox, name, "TS_11a", left, top, width, height, caption, "", flags};
}
// Controls that only carry a device value; the page never shows them.
constexpr LayoutRow carrierEdit(const char* name, const char* parent = "TS_11a") {
    return {Kind::Edit, name, parent, 0, 0, 0, 0, "", "", Hidden};
}
constexpr LayoutRow carrierCombo(const char* name, const char* parent = "TS_11a") {
    return {Kind::ComboBox, name, parent, 0, 0, 0, 0, "", "", Hidden};
}
constexpr LayoutRow button(const char* name, const char* caption, int left, int top) {
    return {Kind::Button, name, "", left, top, 75, 25, caption};
}

constexpr const char* kOnOff = "Disable,Enable";
constexpr const char* kRange = " [ 300 - 9999999 ]";

constexpr LayoutRow kRows[] = {
    {Kind::PageControl, "PC_Wirless", "", 0, 0, 354, 633},
    {Kind::TabSheet, "TS_11a", "PC_Wirless", 0, 0, 0, 0, "IEEE 802.11a"},
    // Slot 2: hidden and disabled; the page binds it only when it is shown.
    {Kind::TabSheet, "TS_11g", "PC_Wirless", 0, 0, 0, 0, "IEEE 802.11g", "", Hidden | Disabled},
    button("Bt_Apply", "Apply", 11, 639),
    button("Bt_Refresh", "Refresh", 142, 639),
    button("Bt_Close", "Close", 271, 639),
    {Kind::StatusBar, "StatusBar", "", 0, 0, 0, 19, "", "", SimpleText},
    {Kind::Timer, "Timer1", "", 1000},

    // Radio, channel, mode and the first rows.
    label("Label1", "TS_11a", 15, 14, "SSID"),
    edit("Ed_SSIDa", "TS_11a", 64, 10, 149, 32),
    label("Lab_Radio", "TS_11a", 229, 14, "Radio"),
    combo("CbxRadio", "TS_11a", 268, 10, 73),
    label("Lab_Channel", "TS_11a", 15, 40, "Channel"),
    combo("CB_Chana", "TS_11a", 64, 36, 61),
    // Wide enough for the device's text, "2.437 GHz".
    edit("Ed_RaFreqa", "TS_11a", 130, 36, 66, 0, ReadOnly),
    label("Lab_GHza", "TS_11a", 200, 40, "GHz"),
    {Kind::CheckBox, "CB_AuSc", "TS_11a", 229, 38, 115, 17, "Auto Channel Scan"},
    label("ED_ApMode", "TS_11a", 15, 62, "AP Mode"),
    // The device's combo lies hidden under the page's.
    combo("ED_APModeComboBox", "TS_11a", kInputLeft, 58, kInputWidth, "", Hidden),
    combo("ED_APModeTempComboBox", "TS_11a", kInputLeft, 58, kInputWidth),
    label("Lab_SSIDBcasta", "TS_11a", 15, 82, "SSID Broadcast "),
    combo("CB_SSIDBcasta", "TS_11a", kInputLeft, 78, kInputWidth, kOnOff),
    label("Label24", "TS_11a", 15, 106, "Super G Mode"),
    combo("AD_SuperMode", "TS_11a", kInputLeft, 103, kInputWidth),

    // WDS peers: two columns of four.
    group("GroupBox1", 8, 127, 337, 137, " WDS with AP "),
    label("Lab_RemoteMac", "GroupBox1", 11, 18, "Remote AP MAC Address"),
    edit("Ed_ReMAddra0", "GroupBox1", 11, 36, 150, 12),
    edit("Ed_ReMAddra1", "GroupBox1", 177, 36, 150, 12),
    edit("Ed_ReMAddra2", "GroupBox1", 11, 60, 150, 12),
    edit("Ed_ReMAddra3", "GroupBox1", 177, 60, 150, 12),
    edit("Ed_ReMAddra4", "GroupBox1", 11, 84, 150, 12),
    edit("Ed_ReMAddra5", "GroupBox1", 177, 84, 150, 12),
    edit("Ed_ReMAddra6", "GroupBox1", 11, 108, 150, 12),
    edit("Ed_ReMAddra7", "GroupBox1", 177, 108, 150, 12),

    // Repeater and client: the root AP and the SSID to join.
    group("GroupBox2", 8, 267, 338, 69, " AP Repeater  "),
    label("Lab_RootMac", "GroupBox2", 11, 20, "Root AP MAC Address  "),
    edit("Ed_CRoMAddra0", "GroupBox2", kInputLeft, 16, 160, 12, Hidden),
    edit("Ed_RoMAddra0", "GroupBox2", kInputLeft, 16, 160, 12),
    label("Lab_SSID", "GroupBox2", 11, 44, "SSID"),
    edit("Ed_SSID", "GroupBox2", kInputLeft, 40, 160, 32),

    group("GroupBox3", 8, 339, 338, 119, " Site Survey "),
    // Right of the caption, which it would cut at the left.
    {Kind::Button, "SiteScan", "GroupBox3", 256, 12, 73, 18, "Scan"},
    {Kind::ListView, "SiteServeyListView", "GroupBox3", 8, 32, 321, 85},

    // Security: the three groups share one place, one shown at a time.
    label("Authentication", "TS_11a", 15, 467, "Authentication"),
    combo("Ed_SecAutha", "TS_11a", kInputLeft, 463, kInputWidth, "", Hidden),
    combo("Ed_SecAuthaTemp", "TS_11a", kInputLeft, 463, kInputWidth),

    group("GroupBox4", 8, 485, 337, 118, " Key Settings "),
    label("Lab_Encryption", "GroupBox4", 8, 20, "Encryption "),
    combo("Ed_SecEncypa", "GroupBox4", 72, 16, 90, kOnOff),
    label("Lab_KeyType", "GroupBox4", 8, 44, "Key Type "),
    combo("Ed_KeyType", "GroupBox4", 72, 40, 90),
    label("Lab_KeySize", "GroupBox4", 8, 68, "Key Size"),
    combo("Ed_KeySize", "GroupBox4", 72, 64, 90),
    label("Lab_ValidKey", "GroupBox4", 8, 92, "Valid Key"),
    combo("Ed_SecValKeya", "GroupBox4", 72, 88, 90, "First,Second,Third,Fourth"),
    label("Lab_Key1", "GroupBox4", 170, 20, "First Key "),
    edit("Ed_Key1a", "GroupBox4", 236, 16, 95, 32, Password),
    label("Lab_Key2", "GroupBox4", 170, 44, "Second Key"),
    edit("Ed_Key2a", "GroupBox4", 236, 40, 95, 32, Password),
    label("Lab_Key3", "GroupBox4", 170, 68, "Third Key "),
    edit("Ed_Key3a", "GroupBox4", 236, 64, 95, 32, Password),
    label("Lab_Key4", "GroupBox4", 170, 92, "Fourth Key "),
    edit("Ed_Key4a", "GroupBox4", 236, 88, 95, 32, Password),

    group("GroupBox5", 8, 485, 337, 118, " Radius Server Settings ", Hidden),
    label("Lab_Cipher", "GroupBox5", 8, 18, "Cipher Type"),
    combo("CiphertypeComboBox", "GroupBox5", kInputLeft, 14, 100),
    label("Lab_RadiusPort", "GroupBox5", 8, 38, "Radius Port (1-65535)"),
    edit("RadiusportEdit", "GroupBox5", kInputLeft, 34, 100),
    label("Lab_GroupKey", "GroupBox5", 8, 58, "Group Key Update Interval  "),
    edit("GroupKeyEdit", "GroupBox5", kInputLeft, 54, 60),
    label("Lab_GroupKeyRange", "GroupBox5", 230, 58, kRange),
    label("Lab_RadiusServer", "GroupBox5", 8, 78, "Radius Server "),
    edit("RadiusServerEdit", "GroupBox5", kInputLeft, 74, 100),
    label("Lab_RadiusSecret", "GroupBox5", 8, 98, "Radius Secret"),
    edit("RadiusSecretEdit", "GroupBox5", kInputLeft, 94, 100, 0, Password),

    group("GroupBox6", 8, 485, 337, 118, " PassPhrase Settings ", Hidden),
    label("Lab_PskCipher", "GroupBox6", 8, 24, "Cipher Type"),
    combo("CipherforPSKBox", "GroupBox6", kInputLeft, 20, 100),
    label("Lab_PskGroupKey", "GroupBox6", 8, 52, "Group Key Update Interval"),
    edit("GroupKeyPSKEdit", "GroupBox6", kInputLeft, 48, 60),
    label("Lab_PskGroupKeyRange", "GroupBox6", 230, 52, kRange),
    label("Lab_PassPhrase", "GroupBox6", 8, 80, "PassPhrase "),
    edit("PassPhrasePSKEdit", "GroupBox6", kInputLeft, 76, 160, 0, Password),

    // Value carriers of slot 1, the multiple SSIDs and the guests.
    carrierEdit("Ed_Chana"),
    carrierEdit("Ed_ChanLista"),
    carrierEdit("Ed_DynChLista"),
    carrierEdit("Ed_StatChLista"),
    carrierCombo("CB_gmultioverwds"),
    carrierCombo("CB_Clus"),
    carrierCombo("SiteScanComboBox"),
    {Kind::ListView, "LV_Multi2", "TS_11a", 0, 0, 0, 0, "", "", Hidden},
    carrierCombo("CB_MultEnable"),
    carrierCombo("CB_MultEncyt1"),
    carrierCombo("CB_MultEncyt2"),
    carrierCombo("CB_MultEncyt3"),
    carrierCombo("CB_MultEncyt4"),
    carrierCombo("CB_MultEncyt5"),
    carrierCombo("CB_MultEncyt6"),
    carrierCombo("CB_MultEncyt7"),
    carrierCombo("CB_MultiAuth1"),
    carrierCombo("CB_MultiAuth2"),
    carrierCombo("CB_MultiAuth3"),
    carrierCombo("CB_MultiAuth4"),
    carrierCombo("CB_MultiAuth5"),
    carrierCombo("CB_MultiAuth6"),
    carrierCombo("CB_MultiAuth7"),
    carrierCombo("Master_ComboBox"),
    carrierCombo("Guest1_ComboBox"),
    carrierCombo("Guest2_ComboBox"),
    carrierCombo("Guest3_ComboBox"),
    carrierCombo("GuestKeyIndex1_ComboBox"),
    carrierCombo("GuestKeyIndex2_ComboBox"),
    carrierCombo("GuestKeyIndex3_ComboBox"),
    carrierCombo("GuestEncry1_ComboBox", ""),
    carrierCombo("GuestEncry2_ComboBox", ""),
    carrierCombo("GuestEncry3_ComboBox", ""),

    // Slot 2.
    label("Lab_SSIDg", "TS_11g", 15, 14, "SSID"),
    edit("Ed_SSIDg", "TS_11g", 64, 10, 149, 32),
    label("Lab_SSIDBcastg", "TS_11g", 15, 40, "SSID Broadcast "),
    combo("CB_SSIDBcastg", "TS_11g", kInputLeft, 36, kInputWidth, kOnOff),
    label("Lab_Chang", "TS_11g", 15, 66, "Channel"),
    combo("CB_Chang", "TS_11g", 64, 62, 61),
    edit("Ed_RaFreqg", "TS_11g", 130, 62, 66, 0, ReadOnly),
    label("Lab_GHzg", "TS_11g", 200, 66, "GHz"),
    carrierEdit("Ed_ChanListg", "TS_11g"),
    carrierEdit("Ed_Chang", "TS_11g"),
};

}  // namespace

const forms::FormLayout kWirlessLayout{"TFM_Wirless", "Home \\ Wireless", 361, 690, kRows};
