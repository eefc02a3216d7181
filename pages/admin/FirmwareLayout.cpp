// The layout of the Firmware page, as a table. The hidden rows carry the device's values.

#include "pages/admin/Firmware.h"

namespace {

using forms::Kind;
using enum forms::LayoutFlag;

const forms::LayoutRow kRows[] = {
    {Kind::Label, "La_TftpSrv", "", 0, 0, 0, 0, "Tftp Server:", "", Hidden},
    {Kind::Label, "La_File", "", 16, 18, 70, 16, "Upgrade File:"},
    {Kind::Label, "La_UpComm", "", 0, 0, 0, 0, "TftpComm:", "", Hidden},
    {Kind::Edit, "Ed_TfpSrv", "", 0, 0, 0, 0, "", "", Hidden},
    {Kind::ComboBox, "CB_TfpCom", "", 0, 0, 0, 0, "", "", Hidden},
    {Kind::ComboBox, "CB_UpgCom", "", 0, 0, 0, 0, "", "", Hidden},
    {Kind::Label, "La_UpgrdComm", "", 0, 0, 0, 0, "UpgrdComm:", "", Hidden},
    {Kind::Button, "Bt_OK", "", 448, 12, 75, 25, "OK"},
    {Kind::StatusBar, "StatusBar", "", 0, 0, 0, 0, "", "", SimpleText},
    // A rule just above the status bar.
    {Kind::Panel, "StatusBar1", "", 0, 47, 537, 3},
    {Kind::Button, "Bt_Browse", "", 368, 12, 75, 25, "Browse"},
    {Kind::OpenDialog, "OD_File", "", 0, 0, 0, 0, "", "*.tfp|*.tfp|*.txt|*.txt|All File|*.*"},
    {Kind::Edit, "Ed_UpgFile", "", 96, 14, 257, 21},
    {Kind::StatusBar, "StatusBar2", "", 0, 0, 0, 0, "", "", Hidden},
    {Kind::ComboBox, "CB_Clus", "", 0, 0, 0, 0, "", "", Hidden},
};

}  // namespace

const forms::FormLayout FirmwareLayout = {"TFM_Firmware", "Tools \\ Firmware", 537, 69, kRows};
