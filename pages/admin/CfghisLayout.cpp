// The layout of the Configuration File page, as a table. The hidden rows carry the device's values.

#include "pages/admin/Cfghis.h"

namespace {

using forms::Kind;
using enum forms::LayoutFlag;

const char* const kFilter = "*.dcf|*.dcf|*.txt|*.txt|All File|*.*";

const forms::LayoutRow kRows[] = {
    {Kind::Label, "La_TftpSrv", "", 0, 0, 0, 0, "Tftp Server:", "", Hidden},
    {Kind::Edit, "Ed_TfpSrv", "", 0, 0, 0, 0, "", "", Hidden},
    {Kind::OpenDialog, "OD_File", "", 0, 0, 0, 0, "", kFilter},
    {Kind::GroupBox, "GB_UpdateFile", "", 0, 0, 445, 73, "Update Configuration File "},
    {Kind::Label, "Label3", "GB_UpdateFile", 10, 31, 60, 16, "Update File"},
    {Kind::Edit, "Ed_UpgFile", "GB_UpdateFile", 74, 28, 249, 21},
    {Kind::Button, "Bt_Browse", "GB_UpdateFile", 329, 26, 50, 25, "Browse"},
    {Kind::Button, "Bt_OK", "GB_UpdateFile", 384, 26, 50, 25, "OK"},
    {Kind::Label, "La_UpgrdComm", "", 0, 0, 0, 0, "UpgrdComm:", "", Hidden},
    {Kind::ComboBox, "CB_UpgCom", "", 0, 0, 0, 0, "", "", Hidden},
    {Kind::ComboBox, "CB_TfpCom", "", 0, 0, 0, 0, "", "", Hidden},
    {Kind::Label, "La_UpComm", "", 0, 0, 0, 0, "TftpComm:", "", Hidden},
    {Kind::Label, "Label1", "", 0, 0, 0, 0, "Download Configuration File ", "", Hidden},
    {Kind::GroupBox, "GB_SaveFile", "", 0, 80, 445, 64, "Download Configuration  File"},
    {Kind::Label, "Label4", "GB_SaveFile", 10, 26, 180, 16, "Load settings to Local  Hard  Drive"},
    {Kind::Edit, "Ed_SaveFile", "GB_SaveFile", 0, 0, 0, 0, "", "", Hidden | ReadOnly},
    {Kind::Button, "Bt_SavBrw", "GB_SaveFile", 0, 0, 0, 0, "Browse", "", Hidden},
    {Kind::Button, "Bt_Upload", "GB_SaveFile", 200, 21, 75, 25, "Saved"},
    {Kind::StatusBar, "StatusBar", "", 0, 0, 0, 0, "", "", SimpleText},
    {Kind::SaveDialog, "OD_SaveFile", "", 0, 0, 0, 0, "", kFilter},
    {Kind::ComboBox, "CB_Clus", "GB_UpdateFile", 0, 0, 0, 0, "", "", Hidden},
};

}  // namespace

const forms::FormLayout CfghisLayout = {"TFM_CfgFile", "Tools \\ Configuration File", 445, 166, kRows};
