#pragma once

// The page registry's row: which top menu and caption open which page, and when the item shows. The
// pages lie in the layer above this one; their table (pages/Pages.cpp) is handed to the main window
// by the program entry, which builds its menu from it.

#include <QPointer>

#include <functional>

class TMainForm;

enum class HvTopMenu { Home, Advanced, Tools, Status };

// Opens one page over the main window.
using PageOpening = std::function<void(TMainForm& mainForm)>;
// Whether a page's item shows; asked each time its top menu opens, after the menu's own rules.
using PageVisibility = std::function<bool(const TMainForm& mainForm)>;

struct HvPageEntry {
    HvTopMenu menu;
    const char* caption;
    const char* item;  // the menu item's name, as the main window knows it ("adPerformance1")
    PageOpening open;
    PageVisibility visible = {};  // empty: always shown
};

// The opening of a modal page: made by make, held in formVar while it is shown, then deleted. While
// a page of the kind lives, none is made.
template <class TPage, class Make>
PageOpening HvModalPage(QPointer<TPage>& formVar, Make make) {
    // Generic, so that the main window's class is complete only where a row is made.
    return [&formVar, make](auto& mainForm) { mainForm.openPage(formVar, make); };
}
