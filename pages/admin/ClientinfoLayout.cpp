// The layout of the client information page. The window is sizeable: its resize handler moves the
// list's size and the buttons' places from the client size, so the rows give the designed size's.

#include "pages/admin/ClientinfoLayout.h"

#include "module/LayoutRows.h"

namespace {

using namespace LayoutRows;
using enum forms::LayoutFlag;

constexpr int kWidth = 540;
constexpr int kHeight = 330;
constexpr int kListTop = 40;

constexpr const char* kColumns = R"(Index=40,"Client MAC Address=120",Band=40,Authentication=95,)"
                                 R"(Signal=50,"Power Saving Mode=110",SSID=-2)";

constexpr LayoutRow kRows[] = {
    label("Label1", "", 17, 14, "Client Information "),
    // Room for a four-digit count before "Station(s)".
    label("NumOfRecord", "", 135, 14, "0"),
    label("Label2", "", 168, 14, "Station(s)"),
    {Kind::ListView, "User_ListView", "", 17, kListTop, kWidth - 34, kHeight - 132, "", kColumns},
    {Kind::ListView, "ClientListView", "", 17, kListTop, kWidth - 34, kHeight - 132, "", "", Hidden},
    hiddenCombo("IfGetInfo0"),
    hiddenCombo("IfGetInfo1"),
    // Left and top as the resize handler places them for the designed size.
    button("Bt_Rfrsh", "", 100, kHeight - 85, "Refresh"),
    button("Bt_Close", "", 317, kHeight - 85, "Close"),
    statusBar(),
    {Kind::Timer, "Timer1", "", 10000, 0, 0, 0, "", "", Hidden},
};

}  // namespace

const forms::FormLayout kClientinfoLayout{"TClientInformation",
                                          "Status \\ Client Info",
                                          kWidth,
                                          kHeight,
                                          kRows,
                                          forms::Form::BorderStyle::Sizeable,
                                          forms::Form::Position::MainFormCenter};
