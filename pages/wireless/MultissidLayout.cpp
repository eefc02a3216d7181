// The old multi-SSID page's layout: the VLAN switch, the master SSID read-only, and three guest
// groups of the same shape, each over the hidden combos that carry its device values.

#include "pages/wireless/MultissidLayout.h"

#include <deque>
#include <string>
#include <vector>

#include "module/LayoutRows.h"

namespace {

using namespace LayoutRows;
using enum forms::LayoutFlag;

constexpr const char* kSecurity = "None,\"Open System\",\"Shared Key\"";
constexpr const char* kKeyTypes = "HEX,ASCII";
constexpr const char* kKeySizes = "\"64 Bits\",\"128 Bits\",\"152 Bits\"";
constexpr const char* kGuestBoxes[] = {"Enable Guest SSID1", "Enable Guest SSID2 ", "Enable Guest SSID3 "};

constexpr LayoutRow kFixedRows[] = {
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
};

// Guest n's group (n = 1..3): its controls carry n at the end of their names.
void addGuest(std::vector<LayoutRow>& rows, std::deque<std::string>& names, int n) {
    auto name = [&](const char* stem) { return names.emplace_back(stem + std::to_string(n)).c_str(); };
    const char* box = name("GB_Guest");
    rows.insert(rows.end(),
                {
                    group(box, "TabSheetG", 8, 114 + 106 * (n - 1), 580, 100, ""),
                    {Kind::CheckBox, names.emplace_back("Guest" + std::to_string(n) + "CheckBox").c_str(),
                     box, 10, 16, 140, 17, kGuestBoxes[n - 1]},
                    label(name("La_GuestSSID"), box, 10, 44, "SSID"),
                    edit(name("GuestSSIDEdit"), box, 40, 40, 130),
                    label(name("La_GuestSecurity"), box, 185, 44, "Security "),
                    combo(name("TempComboBox"), box, 235, 40, 100, kSecurity),
                    label(name("La_GuestGroupID"), box, 355, 44, "VLan Group ID"),
                    edit(name("GuestGroupID"), box, 435, 40, 50),
                    label(name("La_GuestKeyType"), box, 10, 74, "Key Type"),
                    combo(name("GuestKeyType"), box, 60, 70, 60, kKeyTypes),
                    label(name("La_GuestKeySize"), box, 135, 74, "Key Size"),
                    combo(name("GuestKeySize"), box, 185, 70, 75, kKeySizes),
                    label(name("La_GuestKey"), box, 275, 74, "Key Index"),
                    combo(name("GuestKey"), box, 330, 70, 65),
                    label(name("La_GuestKeyvalue"), box, 410, 74, "Key Value"),
                    edit(name("GuestKeyvalueEdit"), box, 465, 70, 105, 0, Password),
                    hiddenCombo(name("GuestSSID"), "", box),
                    hiddenCombo(name("GuestSecurity"), "", box),
                    hiddenCombo(name("EnableEncryption"), "", box),
                });
}

const std::vector<LayoutRow>& rows() {
    // The names live as long as the table: the rows point into them.
    static std::deque<std::string> names;
    static const std::vector<LayoutRow> table = [] {
        std::vector<LayoutRow> t(std::begin(kFixedRows), std::end(kFixedRows));
        for (int n = 1; n <= 3; ++n) addGuest(t, names, n);
        return t;
    }();
    return table;
}

}  // namespace

const forms::FormLayout kMultiSSIDLayout{"TFM_MultiSSIDForm", "Advanced\\Multi-SSID", 608, 526, rows()};
