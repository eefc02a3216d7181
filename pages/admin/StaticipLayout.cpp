// The layout of the static IP dialog: labels at x 8, fields at x 128, one row every 30 pixels.

#include "pages/admin/StaticipLayout.h"

namespace {

using forms::Kind;
using forms::LayoutRow;
using enum forms::LayoutFlag;

constexpr int kTop = 16;
constexpr int kStep = 30;
constexpr int top(int row) {
    return kTop + row * kStep;
}
constexpr LayoutRow label(const char* name, int row, const char* caption) {
    return {Kind::Label, name, "", 8, top(row) + 4, 0, 0, caption};
}
constexpr LayoutRow field(const char* name, int row, const char* text, int maxLength) {
    return {Kind::Edit, name, "", 128, top(row), 121, 21, text, "", 0, maxLength};
}
constexpr LayoutRow scratch(const char* name) {
    return {Kind::Edit, name, "", 0, 0, 0, 0, "", "", Hidden};
}

constexpr LayoutRow kRows[] = {
    label("Label1", 0, "Assigned IP"),
    field("Ed_AsgIP", 0, "0.0.0.0", 15),
    label("Label2", 1, "Assigned MAC Address"),
    field("Ed_AsgMac", 1, "000000000000", 12),
    label("Label3", 2, "SubMask"),
    field("Ed_SubMask", 2, "0.0.0.0", 15),
    label("Label4", 3, "Gateway"),
    field("Ed_Gatway", 3, "0.0.0.0", 15),
    label("Label5", 4, "Wins"),
    field("Ed_Wins", 4, "0.0.0.0", 15),
    label("Label6", 5, "DNS"),
    field("Ed_DNS", 5, "0.0.0.0", 15),
    label("Label7", 6, "Domain Name"),
    field("Ed_DomNa", 6, "", 63),
    label("Label8", 7, "Status"),
    {Kind::ComboBox, "CB_Stat", "", 128, top(7), 65, 21, "", "OFF,ON"},
    {Kind::Label, "LA_Index", "", 8, top(8), 0, 0, "1", "", Hidden},
    {Kind::Button, "Apply", "", 96, 288, 75, 25, "Apply"},
    {Kind::StatusBar, "StatusBar1", "", 0, 0, 0, 19, "", "", SimpleText},
    // Enabled while adding, disabled while changing; its text is the changed entry's address.
    scratch("Ed_OldIP"),
    scratch("ED_OldMAC"),
    scratch("Ed_AsgIP2"),
    scratch("Ed_AsgMac2"),
    scratch("Ed_SubMask2"),
    scratch("Ed_Gatway2"),
    scratch("Ed_Wins2"),
    scratch("Ed_DNS2"),
    scratch("Ed_DomNa2"),
};

}  // namespace

const forms::FormLayout kStaticipLayout{"TFM_StaticIP", "Static Pool Settings", 262, 345, kRows};
