#pragma once

#include <QPointer>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "library/HvOptionList.h"
#include "library/bind/HvEditConstraint.h"
#include "library/bind/HvSNMPRequest2Controls.h"
#include "platform/forms/Controls.h"
#include "platform/forms/ListView.h"

// One binding of an item (or a part of its raw value) to one or more controls.
struct HvControlBinding {
    int32_t itemIndex = 0;
    int32_t partOffset = 0;   // byte offset of the part inside the raw value; 0 for a whole value
    uint32_t partSyntax = 0;  // the part's syntax; the item's own for a whole value
    const HvOptionList* optionList = nullptr;  // null: the item's own list where one applies
    std::vector<QPointer<QWidget>> controls;   // in argument order; a control deleted early is skipped
    std::vector<int32_t> parts;                // bit numbers, one per control (addEdits only)

    // What a check box over an option list was last shown from: the option's position (-1: none
    // matched) and the state it gave. A state the user left alone over a position other than 0 or 1
    // reads back as the value it came from.
    int32_t shownPosition = -1;
    bool shownChecked = false;
    bool shown = false;
    std::string shownValue;

    forms::Control* control(std::size_t i) const;
    int32_t controlCount() const { return static_cast<int32_t>(controls.size()); }
};

// The class every page instantiates: binds items of its request's variable list to controls (edits,
// combo boxes, check boxes, labels, static texts, radio groups) and optionally one list view of walked
// rows. After a read each bound item's value goes into its controls; before a write the controls go
// back into the items. Bindings are processed in the order they were made.
class HvSNMPRequest2Edits : public HvSNMPRequest2Controls {
public:
    std::function<void()> beforeGetCallback;
    std::function<void()> beforeSetCallback;
    std::function<void()> afterGetCallback;
    std::function<void()> afterSetCallback;
    forms::SelectItemEvent savedSelectItem;
    QPointer<forms::ListView> listView;
    std::vector<std::unique_ptr<HvControlBinding>> bindings;
    std::unique_ptr<HvEditConstraint> constraints;
    bool enableOnSelect = true;

    explicit HvSNMPRequest2Edits(forms::Form* owner);
    // Gives the list view its own selection handler back and the bound edits their own handlers.
    ~HvSNMPRequest2Edits() override;

    // Binds the edits to the whole value of the item with the input rules of the format ("%s",
    // "%u{n1x4095}"). There must be one edit per conversion ("%s", "%h", "%i", "%u", "%f", "%n"):
    // -522 otherwise, and the format's pieces must match the conversions (common entry 2).
    void addEdit(int32_t itemIndex, const std::string& format, std::initializer_list<forms::Edit*> edits);
    void addEdit(int32_t itemIndex, const std::string& format, const std::vector<forms::Edit*>& edits);
    // Sets the drop-down-list style, then binds the combo box over the item's option list.
    void addComboBox(int32_t itemIndex, forms::ComboBox* combo);
    void addCheckBox(int32_t itemIndex, forms::Control* control);
    void addLabel(int32_t itemIndex, forms::Control* control);
    void addRadioGroup(int32_t itemIndex, forms::RadioGroup* group);
    // Check boxes on bits of the value: parts "0,9" gives control i the bit numbered by entry i
    // (bit 0 is the most significant bit of the first octet).
    void addEdits(int32_t itemIndex, const std::string& parts, const std::vector<forms::Control*>& controls);
    // The general binding of option and display controls. -520 for a combo box or radio group
    // without a list; -522 for a list matched by prefix without a second control.
    void bindControl(int32_t itemIndex, int32_t partOffset, uint32_t partSyntax,
                     const HvOptionList* optionList, forms::Control* control,
                     forms::Control* secondControl = nullptr);
    // Removes every binding of the item; its edits lose their input rules.
    void removeControls(int32_t itemIndex);
    void setConstraintOwner(forms::Form* form);

    // Item values into the bound controls, and back; -1 for every binding.
    void writeControls(int32_t itemIndex);
    void readControls(int32_t itemIndex);

    // The list view of walked rows.
    void setListView(forms::ListView* view, bool enableOnSelect);
    void buildListColumns();
    void addListRow();
    void readListRow();
    void setControlsEnabled(bool enabled);
    // The items behind the list view's columns, in column order: hidden items, then shown ones, as
    // they were when the rows were made.
    const std::vector<int32_t>& rowLayout() const { return m_rowLayout; }

    void beforeGet() override;
    void beforeSet() override;
    void valuesToControls() override;
    void controlsToValues() override;
    void afterGet() override;
    void afterSet() override;
    virtual void onListViewEvent(QObject* sender, forms::ListItem* item, bool selected);

protected:
    // After a listed row: lets the application process pending window messages, so that the list
    // repaints during a synchronous walk. Not from inside an asynchronous completion, whose row came
    // from the event loop and which returns to it at once: a handler run here would sit on top of
    // the completion, and a wait in it for the walk would hold the walk up.
    static void letPendingMessagesRun();

private:
    std::vector<int32_t> currentLayout() const;
    void readControlsFrom(int32_t itemIndex, const std::vector<std::string>& previous);
    const HvOptionList* listOf(const HvControlBinding& b) const;
    void writeBinding(HvControlBinding& b);
    bool readBinding(HvControlBinding& b, std::string& whole, const std::string& previousRaw,
                     bool& placeholder);

    std::vector<int32_t> m_rowLayout;
    std::vector<int32_t> m_columnLayout;  // what the list view's columns were built from
};
