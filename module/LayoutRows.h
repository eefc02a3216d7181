#pragma once

// Short forms of the layout rows the pages' tables use most, so that a table reads as its window:
// name, parent, place, caption.

#include "platform/forms/Layout.h"

namespace LayoutRows {

using forms::Kind;
using forms::LayoutRow;

constexpr LayoutRow label(const char* name, const char* parent, int left, int top, const char* caption,
                          unsigned flags = 0) {
    return {Kind::Label, name, parent, left, top, 0, 0, caption, "", flags};
}
constexpr LayoutRow edit(const char* name, const char* parent, int left, int top, int width,
                         int maxLength = 0, unsigned flags = 0) {
    return {Kind::Edit, name, parent, left, top, width, 21, "", "", flags, maxLength};
}
constexpr LayoutRow combo(const char* name, const char* parent, int left, int top, int width,
                          const char* items = "", unsigned flags = 0) {
    return {Kind::ComboBox, name, parent, left, top, width, 21, "", items, flags};
}
constexpr LayoutRow button(const char* name, const char* parent, int left, int top, const char* caption,
                           int width = 75, int height = 25) {
    return {Kind::Button, name, parent, left, top, width, height, caption};
}
constexpr LayoutRow group(const char* name, const char* parent, int left, int top, int width, int height,
                          const char* caption) {
    return {Kind::GroupBox, name, parent, left, top, width, height, caption};
}
// A control that only carries a device value; the page never shows it.
constexpr LayoutRow hiddenCombo(const char* name, const char* items = "", const char* parent = "") {
    return {Kind::ComboBox, name, parent, 0, 0, 0, 0, "", items, forms::Hidden};
}
constexpr LayoutRow statusBar() {
    return {Kind::StatusBar, "StatusBar", "", 0, 0, 0, 19, "", "", forms::SimpleText};
}

}  // namespace LayoutRows
