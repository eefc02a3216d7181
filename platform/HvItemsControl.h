#pragma once

#include <cstdint>
#include <string>

// What an option list needs of a combo box or a radio group: an item list it can empty and fill, and
// the selected item index (-1 for none). The control kit's combo box and radio group implement it;
// setting the index in code must fire no change event (only the user's choice does).
class HvItemsControl {
public:
    virtual ~HvItemsControl() = default;

    virtual void clearItems() = 0;
    virtual void addItem(const std::string& text) = 0;
    virtual int32_t itemCount() const = 0;
    // The text of the item at index (0..itemCount-1).
    virtual std::string itemString(int32_t index) const = 0;
    virtual int32_t itemIndex() const = 0;
    virtual void setItemIndex(int32_t index) = 0;
};
