#pragma once

// Layouts as data: a window's controls as rows of a table, built by one builder, so that every page
// states its layout in one place and a test can check every layout without opening a page.

#include <QString>

#include <span>
#include <stdexcept>

#include "platform/forms/Form.h"

namespace forms {

enum class Kind {
    Label,
    Edit,
    ComboBox,  // a drop-down list unless the row says DropDown
    CheckBox,
    RadioButton,
    RadioGroup,  // items: the buttons
    Button,
    GroupBox,
    Panel,
    PageControl,
    TabSheet,   // parent: its page control
    StatusBar,  // docks at the bottom of its parent
    ListView,   // items: the columns, "caption=width" each
    Memo,
    Image,
    Shape,
    Timer,       // left: the interval in ms; Hidden: starts disabled
    OpenDialog,  // items: the filter
    SaveDialog,
};

// Row flags.
enum LayoutFlag : unsigned {
    Hidden = 0x01,     // not visible (a hidden tab for a TabSheet, a disabled timer)
    ReadOnly = 0x02,   // edits and memos
    Password = 0x04,   // an edit that shows '*'
    Disabled = 0x08,   // not enabled
    DropDown = 0x10,   // an editable combo box
    SimpleText = 0x20, // a status bar that shows its simple text
    NoAutoSize = 0x40, // a label keeps its width and height
};

// One control. Width or height 0 takes the control's default size (a label sizes itself to its
// caption). Rows are built in order, so a parent comes before its children; tabOrder -1 keeps the
// order of the rows.
struct LayoutRow {
    Kind kind;
    const char* name;
    const char* parent = "";  // empty: the window itself
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    const char* caption = "";
    const char* items = "";  // comma text: combo items, radio items, list columns, a dialog's filter
    unsigned flags = 0;
    int maxLength = 0;
    int tabOrder = -1;
};

// A window: its caption, client size, border and place, and its controls.
struct FormLayout {
    const char* name;  // the window's class, for tests and screenshots
    const char* caption;
    int clientWidth;
    int clientHeight;
    std::span<const LayoutRow> rows;
    Form::BorderStyle border = Form::BorderStyle::Single;
    Form::Position position = Form::Position::MainFormCenter;
    bool minimizeBox = true;
};

// The default size of a control of kind, as the old form library gave it.
QSize defaultSize(Kind kind);

// Builds layout on form: its caption, size, border and position, then every row. A row that names a
// parent not built before it, or a name used twice, raises std::logic_error: a layout table fault,
// which every page test shows at once.
void buildLayout(Form& form, const FormLayout& layout);

// The control of that name in root, of type T. A missing control or one of another type raises
// std::logic_error.
template <class T>
T* findControl(const QObject* root, const char* name) {
    T* found = root->findChild<T*>(QLatin1String(name));
    if (!found) throw std::logic_error(std::string("layout has no control ") + name + " of that type");
    return found;
}

}  // namespace forms
