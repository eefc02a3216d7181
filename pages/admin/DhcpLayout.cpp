// The layout of the DHCP server page. Tab captions keep their blanks; the buttons that wait for the
// static pool's first read start disabled.

#include "pages/admin/DhcpLayout.h"

namespace {

using forms::Kind;
using forms::LayoutRow;
using enum forms::LayoutFlag;

constexpr int kFieldLeft = 200;
constexpr int kFieldWidth = 150;
constexpr int kPoolTop = 100;
constexpr int kPoolStep = 28;

constexpr LayoutRow poolLabel(const char* name, int row, const char* caption) {
    return {Kind::Label, name, "TabSheet1", 16, kPoolTop + row * kPoolStep + 4, 0, 0, caption};
}
constexpr LayoutRow poolEdit(const char* name, int row, int maxLength) {
    return {Kind::Edit, name, "TabSheet1", kFieldLeft, kPoolTop + row * kPoolStep, kFieldWidth, 21,
            "",         "",   0,           maxLength};
}
constexpr LayoutRow button(const char* name, const char* parent, int left, int top, const char* caption,
                           unsigned flags = 0) {
    return {Kind::Button, name, parent, left, top, 75, 25, caption, "", flags};
}

constexpr const char* kOnOff = "Disable,Enable";
constexpr const char* kPoolColumns = R"(No.=40,"IP Address=140","MAC Address=150")";

constexpr LayoutRow kRows[] = {
    // Wide enough for its three tabs' captions in the kit's font.
    {Kind::PageControl, "PageControl1", "", 4, 4, 401, 460},
    {Kind::TabSheet, "TabSheet1", "PageControl1", 0, 0, 0, 0, " Dynamic Pool Settings "},
    {Kind::TabSheet, "TabSheet2", "PageControl1", 0, 0, 0, 0, "Static Pool Settings  "},
    {Kind::TabSheet, "TabSheet3", "PageControl1", 0, 0, 0, 0, " Current IP Mapping List  "},
    {Kind::ComboBox, "CB_Clus", "", 0, 0, 0, 0, "", "Join,Escape", Hidden},
    {Kind::Timer, "Timer", "", 50, 0, 0, 0, "", "", Hidden},

    // Dynamic pool.
    {Kind::Label, "Label1", "TabSheet1", 16, 12, 0, 0, "DHCP Server Control"},
    {Kind::Label, "Label2", "TabSheet1", 16, 44, 0, 0, "Function Enable/Disable"},
    {Kind::ComboBox, "CB_Fuction1", "TabSheet1", kFieldLeft, 40, kFieldWidth, 21, "", kOnOff},
    {Kind::Label, "Label3", "TabSheet1", 16, 76, 0, 0, "Dynamic Pool Settings"},
    poolLabel("Label4", 0, "IP Assigned From"),
    poolEdit("Ed_IPAF", 0, 15),
    poolLabel("Label5", 1, "The Range of Pool (1-255)"),
    poolEdit("Ed_PoolRan", 1, 3),
    poolLabel("Label6", 2, "SubMask"),
    poolEdit("Ed_SubMask", 2, 15),
    poolLabel("Label7", 3, "Gateway"),
    poolEdit("Ed_Gateway", 3, 15),
    poolLabel("Label8", 4, "Wins"),
    poolEdit("Ed_Wins", 4, 15),
    poolLabel("Label9", 5, "DNS"),
    poolEdit("Ed_DNS", 5, 15),
    poolLabel("Label10", 6, "Domain Name"),
    poolEdit("Ed_DomNa", 6, 63),
    poolLabel("Label11", 7, "Lease Time (60 - 31536000 sec)"),
    poolEdit("Ed_Lease", 7, 8),
    poolLabel("Label12", 8, "Status"),
    {Kind::ComboBox, "CB_Status", "TabSheet1", kFieldLeft, kPoolTop + 8 * kPoolStep, kFieldWidth, 21, "",
     "OFF,ON"},
    button("Bt_Apply", "TabSheet1", 100, 366, "Apply", Disabled),
    button("Bt_Cancel", "TabSheet1", 200, 366, "Cancel", Disabled),
    button("Bt_Refresh", "TabSheet1", 300, 366, "Refresh", Hidden | Disabled),
    // The device's own address, and the coverage check's scratch.
    {Kind::Edit, "Ed_ext", "TabSheet1", 0, 0, 0, 0, "", "", Hidden},
    {Kind::Edit, "IPTemp", "TabSheet1", 0, 0, 0, 0, "", "", Hidden},
    {Kind::StatusBar, "StatusBar1", "TabSheet1", 0, 0, 0, 19},

    // Static pool: the user sees User_ListView, which lies over the pool's own rows.
    {Kind::Label, "Label13", "TabSheet2", 22, 4, 0, 0, "DHCP Server Control"},
    {Kind::Label, "Label15", "TabSheet2", 22, 22, 0, 0, " Static Pool Settings : Assigned Static Pool"},
    {Kind::ListView, "LV_StaticPoolSet", "TabSheet2", 22, 40, 337, 249, "", kPoolColumns},
    {Kind::ListView, "User_ListView", "TabSheet2", 22, 40, 337, 249, "", kPoolColumns},
    {Kind::Label, "Label14", "TabSheet2", 22, 302, 0, 0, "Function Enable/Disable"},
    {Kind::ComboBox, "CB_Fuction2", "TabSheet2", kFieldLeft, 298, kFieldWidth, 21, "", kOnOff},
    button("Bt_Add", "TabSheet2", 22, 334, "Add"),
    button("Bt_Set", "TabSheet2", 108, 334, "Set", Disabled),
    button("Bt_Del", "TabSheet2", 194, 334, "Del", Disabled),
    button("StaticApply", "TabSheet2", 284, 334, "Apply", Disabled),
    button("Bt_Rfrsh", "TabSheet2", 284, 366, "Refresh", Hidden),
    {Kind::StatusBar, "StatusBar2", "TabSheet2", 0, 0, 0, 19},

    // Current leases.
    {Kind::Label, "Label16", "TabSheet3", 22, 8, 0, 0, "Current DHCP Dynamic Pools"},
    {Kind::ListView, "LV_DynPool", "TabSheet3", 22, 26, 337, 130, "",
     R"(No.=40,"MAC Address=120","IP Address=110","Lease Time=65")"},
    button("Bt_RefreshDynamicPool", "TabSheet3", 284, 160, "Refresh"),
    {Kind::Label, "Label18", "TabSheet3", 22, 196, 0, 0, "Current DHCP Static Pools"},
    {Kind::ListView, "LV_StaticPool", "TabSheet3", 22, 214, 337, 100, "",
     R"(No.=40,"MAC Address=140","IP Address=150")"},
    button("Bt_RefreshStaticPool", "TabSheet3", 284, 318, "Refresh"),
    {Kind::StatusBar, "StatusBar4", "TabSheet3", 0, 0, 0, 19},
    {Kind::StatusBar, "StatusBar3", "TabSheet3", 0, 0, 0, 19},
};

}  // namespace

const forms::FormLayout kDhcpLayout{"TFM_DHCP",
                                    "Advanced \\ DHCP Server",
                                    409,
                                    468,
                                    kRows,
                                    forms::Form::BorderStyle::Single,
                                    forms::Form::Position::ScreenCenter};
