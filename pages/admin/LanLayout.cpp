// The layout of the LAN page. Every control stands in form coordinates. The static-pool list only
// carries the pool's addresses for the checks: its panel is hidden, as the fields' panel, which paints
// no background, would let its header and scroll bar show through.

#include "pages/admin/LanLayout.h"

namespace {

using forms::Kind;
using forms::LayoutRow;
using enum forms::LayoutFlag;

constexpr const char* kNoAddress = "   .   .   .   ";

constexpr LayoutRow kRows[] = {
    {Kind::Panel, "Panel1", "", 6, 7, 259, 153, "", "", Hidden},
    {Kind::ListView, "Static_ListView", "Panel1", 0, 0, 259, 153, "",
     R"(No.=40,"IP Address=100","MAC Address=100")"},
    {Kind::Panel, "Panel2", "", 6, 7, 259, 153},
    {Kind::Label, "GetIPFrom", "", 24, 29, 0, 0, "Get IP From"},
    {Kind::ComboBox, "CB_IPFrom", "", 116, 24, 121, 21, "", R"x("Static (Manual)","Dynamic (DHCP)")x"},
    {Kind::Label, "LA_IPAddress", "", 24, 59, 0, 0, "IP Address"},
    {Kind::Edit, "ED_IpAddr", "", 116, 53, 121, 21, kNoAddress, "", 0, 15},
    {Kind::Label, "LA_SubnetMask", "", 24, 88, 0, 0, "Subnet Mask"},
    {Kind::Edit, "ED_SubMask", "", 116, 83, 121, 21, "255.255.255.0", "", 0, 15},
    {Kind::Label, "LA_DefGW", "", 24, 118, 0, 0, "Default Gateway"},
    {Kind::Edit, "ED_DefGw", "", 116, 112, 121, 21, kNoAddress, "", 0, 15},
    // Carriers of the device's values the checks and the write need.
    {Kind::Edit, "Ed_IPAF", "", 0, 0, 0, 0, "", "", Hidden},
    {Kind::Edit, "Ed_PoolRan", "", 0, 0, 0, 0, "", "", Hidden},
    {Kind::ComboBox, "ED_Restart", "", 0, 0, 0, 0, "", "nothing,reboot", Hidden},
    {Kind::ComboBox, "CB_Clus", "", 8, 168, 0, 0, "", "Join,Escape", Hidden},
    {Kind::Button, "BT_LanCfgOk", "", 86, 163, 75, 25, "Apply"},
    {Kind::Button, "BT_LanCfgCancel", "", 170, 163, 75, 25, "Cancel"},
    {Kind::StatusBar, "StatusBar", "", 0, 0, 0, 21, "", "", SimpleText},
};

}  // namespace

const forms::FormLayout kLanLayout{"TFM_LanCfg", "Home \\ LAN", 271, 212, kRows};
