#pragma once

// Checks that a layout table fits the kit: what a user would see cut, hidden or out of reach.

#include <string>
#include <vector>

#include "platform/forms/Layout.h"

namespace forms {

// The faults of a built window, one readable line each, naming the control; empty when it fits:
// - a caption does not fit its control in the kit's font: buttons, check boxes, radio buttons (a
//   radio group's too), group box and radio group titles, the items of a drop-down list, the tabs of
//   a page control, labels that do not size themselves;
// - two visible controls of one parent overlap where their rows in table do not, or two that the
//   user types into or clicks overlap by more than a frame's edge (unless one stands exactly in the
//   other's place);
// - a control lies outside its parent (by more than the two pixels the layouts use to hide a frame's
//   edge);
// - a visible control reaches under a status bar;
// - a control lies under a panel drawn over it that does not paint its background, so that it shows
//   through;
// - a list column is narrower than its caption or than a value it holds (check lists with rows).
// Only controls shown by their own flags and their parents' are judged, as the window stands: check
// each state the window can take. Page controls lay their sheets out when shown, so built should
// have been shown (see the overload below).
std::vector<std::string> checkLayout(const Form& built, const FormLayout& table);

// Builds table on a window of its own, shows it without putting it on the screen, and checks it.
std::vector<std::string> checkLayout(const FormLayout& table);

}  // namespace forms
