// The system information page's layout: the system group's six values, the first three read-only
// and disabled, the last three writable.

#include "pages/admin/InformationLayout.h"

#include "module/LayoutRows.h"

namespace {

using namespace LayoutRows;
using enum forms::LayoutFlag;

constexpr int kInputLeft = 120;
constexpr int kInputWidth = 260;

constexpr LayoutRow kRows[] = {
    label("Label1", "", 8, 12, "System Description:"),
    edit("Ed_SD", "", kInputLeft, 8, kInputWidth, 0, ReadOnly | Disabled),
    label("Label2", "", 8, 40, "System Object ID:"),
    edit("Ed_SO", "", kInputLeft, 36, kInputWidth, 0, ReadOnly | Disabled),
    label("Label3", "", 8, 68, "System Uptime:"),
    edit("Ed_SU", "", kInputLeft, 64, kInputWidth, 0, ReadOnly | Disabled),
    label("Label4", "", 8, 96, "System Contact:"),
    edit("Ed_SC", "", kInputLeft, 92, kInputWidth, 255),
    label("Label5", "", 8, 124, "System Name:"),
    edit("Ed_SN", "", kInputLeft, 120, kInputWidth, 39),
    label("Label6", "", 8, 152, "System Location:"),
    edit("Ed_SL", "", kInputLeft, 148, kInputWidth, 255),
    button("Btn_Re", "", 120, 180, "Refresh"),
    button("Btn_Sa", "", 220, 180, "Save"),
    statusBar(),
};

}  // namespace

const forms::FormLayout kSysInfoLayout{"TFM_SysInfo", "Home \\ Information", 392, 232, kRows};
