// The older administration page's layout: four fields, the password edits showing '*'.

#include "pages/admin/AdminLayout.h"

#include "module/LayoutRows.h"

namespace {

using namespace LayoutRows;
using enum forms::LayoutFlag;

constexpr int kFieldLeft = 150;
constexpr int kFieldWidth = 150;

constexpr LayoutRow passwordEdit(const char* name, int top, unsigned flags = 0) {
    return {Kind::Edit, name, "", kFieldLeft, top, kFieldWidth, 21, "", "", Password | flags};
}

constexpr LayoutRow kRows[] = {
    label("", "", 12, 16, "User Name"),
    edit("Ed_Usr", "", kFieldLeft, 12, kFieldWidth),
    label("", "", 12, 43, "Old Password"),
    passwordEdit("Ed_OPwd", 39),
    label("", "", 12, 70, "New Password"),
    passwordEdit("Ed_NPwd", 66),
    label("", "", 12, 97, "Confirm New Password"),
    passwordEdit("Ed_CNP", 93),
    passwordEdit("Ed_Pwd", 0, Hidden),
    button("OK", "", 72, 128, "OK"),
    button("Cancel", "", 172, 128, "Cancel"),
    statusBar(),
    hiddenCombo("CB_Clus", "Join,Escape"),
};

}  // namespace

const forms::FormLayout kAdminLayout{"TFM_Admin", "Tools \\ Admin", 318, 180, kRows};
