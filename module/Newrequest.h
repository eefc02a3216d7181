#pragma once

// Unit Newrequest: a table walk into a list view for device tables whose free rows hold a
// placeholder instead of being absent. Only rows whose watched item differs from the stop value are
// listed, numbered in the order they are added.

#include <cstdint>
#include <string>

#include "library/bind/HvSNMPRequest2Edits.h"

class New_req2Edit : public HvSNMPRequest2Edits {
public:
    explicit New_req2Edit(forms::Form* owner);

    // The number the next added row shows in its first column. Not reset by a read: callers set it
    // back to 1 before they read the table again.
    int32_t rowCounter = 1;
    // A row whose watched item has exactly this value text is not listed.
    std::string stopValue = "0";
    int32_t watchedIndex = 1;

    // Per row of the walk (and for a scalar read, without a list view: every item into its controls).
    void valuesToControls() override { OnReply(); }
    virtual void OnReply();
    // The row the list holds now, listed unless its watched item holds the stop value; true when
    // listed. For a list filled from another request's walk of the same table.
    bool listRow();
    // Appends the row: hidden items first, then the shown ones; the first column is the counter.
    virtual void AddRow();

    // The listed rows carry the counter where the table's key would be, so a write from a selected
    // row would address the wrong row: with a list view attached, writing raises HvException.
    void beforeSet() override;
};
