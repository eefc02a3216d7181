// The newer administration page's layout. The password edits show '*'; the trap settings' group is
// hidden, and the page moves the buttons up into its place.

#include "pages/admin/Admin2Layout.h"

#include "module/LayoutRows.h"

namespace {

using namespace LayoutRows;
using enum forms::LayoutFlag;

constexpr int kFieldLeft = 190;
constexpr int kFieldWidth = 240;

constexpr LayoutRow passwordEdit(const char* name, int top) {
    return {Kind::Edit, name, "GB_Login", kFieldLeft, top, kFieldWidth, 21, "", "", Password};
}
constexpr LayoutRow check(const char* name, const char* parent, int left, int top, int width,
                          const char* caption = "") {
    return {Kind::CheckBox, name, parent, left, top, width, 17, caption};
}
constexpr LayoutRow radio(const char* name, int left, const char* caption) {
    return {Kind::RadioButton, name, "GB_Console", left, 20, 70, 17, caption};
}

constexpr LayoutRow kRows[] = {
    {Kind::Label, "LB_AdminSet", "", 8, 8, 445, 13, "Administrator Settings "},

    group("GB_Login", "", 8, 28, 445, 128, " Login"),
    label("", "GB_Login", 16, 24, "User Name"),
    edit("Ed_Usr", "GB_Login", kFieldLeft, 20, kFieldWidth),
    label("", "GB_Login", 16, 51, "Old Password"),
    passwordEdit("Ed_OPwd", 47),
    label("", "GB_Login", 16, 78, "New Password"),
    passwordEdit("Ed_NPwd", 74),
    label("", "GB_Login", 16, 105, "Confirm New Password"),
    passwordEdit("Ed_CNP", 101),
    {Kind::Edit, "Ed_Pwd", "GB_Login", kFieldLeft, 0, kFieldWidth, 21, "", "", Hidden | Password},

    group("GB_LimitIP", "", 8, 162, 445, 104, " Limit Administrator IP "),
    check("CkBx_ManagerState", "GB_LimitIP", 16, 23, 17),
    label("", "GB_LimitIP", 40, 24, "Limit Administrator IP 1"),
    edit("Ed_IP1", "GB_LimitIP", kFieldLeft, 20, 121),
    label("", "GB_LimitIP", 40, 51, "Limit Administrator IP 2"),
    edit("Ed_IP2", "GB_LimitIP", kFieldLeft, 47, 121),
    check("CB_LimitVID", "GB_LimitIP", 16, 77, 17),
    label("La_LimitVID", "GB_LimitIP", 40, 78, "Limit Administrator VID"),
    edit("Ed_Vid", "GB_LimitIP", kFieldLeft, 74, 60),

    group("GB_Console", "", 8, 272, 445, 76, "Console"),
    label("", "GB_Console", 16, 22, "Console Protocol"),
    radio("RB_None", kFieldLeft, "None "),
    radio("RB_Telnet", kFieldLeft + 80, "Telnet"),
    radio("RB_SHH", kFieldLeft + 160, "SSH"),
    label("", "GB_Console", 16, 49, "Timeout"),
    combo("CB_Timeout", "GB_Console", kFieldLeft, 45, 121),

    // Trap settings: not offered on this device, still read and written back.
    {Kind::GroupBox, "GB_SNMP", "", 8, 354, 445, 37, "SNMP", "", Hidden},
    label("", "GB_SNMP", 16, 17, "Trap Server IP"),
    edit("Ed_TrapServIP", "GB_SNMP", 100, 13, 110),
    check("CkBx_LBS", "GB_SNMP", 220, 15, 215, "User status notification ( for LBS)"),

    button("OK", "", 140, 397, "Apply"),
    button("Cancel", "", 240, 397, "Cancel"),
    statusBar(),

    hiddenCombo("CB_Telnet"),
    hiddenCombo("CB_SHH"),
    hiddenCombo("CB_VLanState"),
};

}  // namespace

const forms::FormLayout kAdminNewLayout{"TFM_AdminNew", "Tools \\ Admin", 461, 449, kRows};
