// The grouping page's layout: three settings and the link status in one column of inputs.

#include "pages/wireless/GroupLayout.h"

#include "module/LayoutRows.h"

namespace {

using namespace LayoutRows;
using enum forms::LayoutFlag;

constexpr int kInputLeft = 165;
constexpr int kInputWidth = 92;
constexpr const char* kOnOff = "Disable,Enable";

constexpr LayoutRow kRows[] = {
    label("Label1", "", 16, 8, "AP Grouping Settings:(For AP Mode Only)"),
    label("Label2", "", 16, 31, "Load Balance"),
    combo("CB_LoadB", "", kInputLeft, 27, kInputWidth, kOnOff),
    label("Label3", "", 16, 61, "User Limit (0-64)"),
    edit("Ed_UsrL", "", kInputLeft, 57, kInputWidth, 2),
    label("Label4", "", 16, 91, "Link Integrate"),
    combo("CB_LinkInt", "", kInputLeft, 87, kInputWidth, kOnOff),
    label("Label5", "", 16, 121, "Ethernet Link Status"),
    edit("Ed_EthLS", "", kInputLeft, 117, kInputWidth, 0, ReadOnly),
    button("Bt_Apply", "", 16, 144, "Apply"),
    button("Bt_Refresh", "", 112, 144, "Refresh"),
    button("Bt_Cancel", "", 208, 144, "Cancel"),
    statusBar(),
    hiddenCombo("CB_APMode"),
    hiddenCombo("CB_Clus", "Join,Escape"),
};

}  // namespace

const forms::FormLayout kGroupLayout{"TFM_Group", "Advanced \\ Grouping", 303, 194, kRows};
