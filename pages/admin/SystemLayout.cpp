// The system page's layout: two commands, each a label and its button.

#include "pages/admin/SystemLayout.h"

#include "module/LayoutRows.h"

namespace {

using namespace LayoutRows;

constexpr const char* kTrueFalse = "True,False";

constexpr LayoutRow kRows[] = {
    label("Label1", "", 8, 8, "Apply Settings and Restart "),
    button("Button1", "", 179, 0, "Restart"),
    label("Label2", "", 8, 32, "Restore to Factory Default Settings"),
    button("Button2", "", 179, 32, "Restore"),
    statusBar(),
    hiddenCombo("CB_Restart", kTrueFalse),
    hiddenCombo("CB_Restore", kTrueFalse),
    hiddenCombo("CB_Clus", "Join,Escape"),
};

}  // namespace

const forms::FormLayout kSytemLayout{"TFM_Sytem", "Tools \\ System", 295, 85, kRows};
