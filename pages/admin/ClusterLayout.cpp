// The layout of the AP domains page. "Disable" lies where "Join" does; the membership read shows one
// of them.

#include "pages/admin/ClusterLayout.h"

#include "module/LayoutRows.h"

namespace {

using namespace LayoutRows;
using enum forms::LayoutFlag;

constexpr int kGroupLeft = 8;
constexpr int kGroupWidth = 427;
constexpr int kListWidth = 411;

constexpr LayoutRow kRows[] = {
    group("GrpBx_ClusterSet", "", kGroupLeft, 6, kGroupWidth, 56, " AP Domain Settings "),
    label("Lab_Status", "GrpBx_ClusterSet", 16, 26, "AP Domain ID (0 - 9)  "),
    edit("Ed_ClusterID", "GrpBx_ClusterSet", 150, 22, 41, 1),
    button("Bt_Join", "GrpBx_ClusterSet", 216, 20, "Join"),
    {Kind::Button, "Bt_Escape", "GrpBx_ClusterSet", 216, 20, 75, 25, "Disable", "", Hidden},
    hiddenCombo("CB_Action", "Join,Escape", "GrpBx_ClusterSet"),

    group("Grp_ClusterDetect", "", kGroupLeft, 66, kGroupWidth, 176, "AP Domain Survey "),
    {Kind::ListView, "LV_ClusterGrp", "Grp_ClusterDetect", 8, 18, kListWidth, 118},
    button("Bt_ClusterGrp", "Grp_ClusterDetect", 344, 142, "Survey"),
    hiddenCombo("CB_ClusterGrpDetect", "Nothing,Survey", "Grp_ClusterDetect"),

    group("Grp_ClusterMember", "", kGroupLeft, 246, kGroupWidth, 136, "AP Domain members"),
    {Kind::ListView, "LV_ClusterMemBer", "Grp_ClusterMember", 8, 18, kListWidth, 110},
    hiddenCombo("CB_MemberDtck", "Nothing,Survey", "Grp_ClusterMember"),

    button("Bt_Refresh", "", 264, 388, "Refresh"),
    button("Bt_Close", "", 352, 388, "Close"),
    {Kind::StatusBar, "StatusBar1", "", 0, 0, 0, 19},
};

}  // namespace

const forms::FormLayout kClusterLayout{"TFM_Cluster", "Advanced \\ AP Domains", 443, 437, kRows};
