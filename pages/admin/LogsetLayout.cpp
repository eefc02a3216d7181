// The layout of the log settings dialog, as a table. The hidden rows carry the device's values.

#include "pages/admin/Logset.h"

namespace {

using forms::Kind;
using enum forms::LayoutFlag;

const forms::LayoutRow kRows[] = {
    {Kind::Panel, "Panel1", "", 0, 0, 307, 150},
    {Kind::Panel, "Panel2", "Panel1", 8, 8, 291, 134},
    {Kind::GroupBox, "GroupBox1", "Panel2", 0, 0, 291, 134, "Log Settings "},
    {Kind::StatusBar, "StatusBar1", "", 0, 0, 0, 0, "", "", SimpleText},
    {Kind::Button, "Button1", "", 200, 155, 75, 25, "Cancel"},
    {Kind::Button, "Button2", "", 112, 155, 75, 25, "Apply"},
    {Kind::Label, "Label2", "GroupBox1", 10, 22, 130, 16, "Log Server / IP address "},
    {Kind::GroupBox, "GroupBox2", "GroupBox1", 10, 48, 271, 78, "Log Type"},
    {Kind::CheckBox, "SysLevCeBox", "GroupBox2", 10, 18, 200, 17, "System Activity"},
    {Kind::CheckBox, "WirelessLevCeBox", "GroupBox2", 10, 36, 200, 17, "Wireless Activity"},
    {Kind::CheckBox, "NoticeLevCeBox", "GroupBox2", 10, 54, 200, 17, "Notice "},
    {Kind::ComboBox, "LocalStateComBox", "", 0, 0, 0, 0, "", "", Hidden},
    {Kind::ComboBox, "RemoteStateComBox", "", 0, 0, 0, 0, "", "", Hidden},
    {Kind::Edit, "LogServerEdit", "GroupBox1", 150, 20, 130, 21},
    {Kind::ComboBox, "CB_Clus", "", 0, 0, 0, 0, "", "", Hidden},
};

}  // namespace

const forms::FormLayout LogsetLayout = {"TLogSetForm",
                                        "Status \\ Log \\ Log Setting",
                                        307,
                                        201,
                                        kRows,
                                        forms::Form::BorderStyle::Single,
                                        forms::Form::Position::ScreenCenter};
