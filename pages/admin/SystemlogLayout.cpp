// The layout of the Log page, as a table, at its designed size; the page's resize handler keeps the
// list and the button row filling the window when it is resized.

#include "pages/admin/Systemlog.h"

namespace {

using forms::Kind;
using enum forms::LayoutFlag;

const forms::LayoutRow kRows[] = {
    {Kind::Panel, "Panel3", "", 0, 336, 479, 35},
    {Kind::Panel, "Panel1", "", 0, 0, 479, 336},
    {Kind::Panel, "Panel2", "Panel1", 8, 9, 459, 316},
    {Kind::GroupBox, "ViewGrpBox", "Panel2", 0, 0, 459, 316, "View Log"},
    {Kind::ListView, "ViewListView", "ViewGrpBox", 8, 18, 443, 290, "", "Time=120,Type=70,Message=250"},
    {Kind::StatusBar, "StatusBar1", "", 0, 0, 0, 0, "", "", SimpleText},
    {Kind::Edit, "ServerEdit", "", 0, 0, 0, 0, "", "", Hidden},
    {Kind::Edit, "FileNameEdit", "", 0, 0, 0, 0, "", "", Hidden},
    {Kind::ComboBox, "GetCoBox", "", 0, 0, 0, 0, "", "", Hidden},
    {Kind::ComboBox, "Bt_Clear", "", 0, 0, 0, 0, "", "", Hidden},
    {Kind::Timer, "Timer1", "", 1000, 0, 0, 0, "", "", Hidden},
    {Kind::Button, "Clear_Btn", "Panel3", 40, 5, 90, 25, "Clear"},
    {Kind::Button, "SetBtn", "Panel3", 142, 5, 90, 25, "Log Settings", "", Disabled},
    {Kind::Button, "GetBtn", "Panel3", 252, 5, 90, 25, "Get Log"},
    {Kind::Button, "CloseBtn", "Panel3", 368, 5, 90, 25, "Close"},
};

}  // namespace

const forms::FormLayout SystemlogLayout = {"TLogForm",
                                           "Status \\ Log",
                                           479,
                                           390,
                                           kRows,
                                           forms::Form::BorderStyle::Sizeable,
                                           forms::Form::Position::ScreenCenter};
