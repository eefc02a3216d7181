#include "module/Newrequest.h"

#include "library/HvException.h"
#include "library/HvValueText.h"

New_req2Edit::New_req2Edit(forms::Form* owner) : HvSNMPRequest2Edits(owner) {}

void New_req2Edit::OnReply() {
    if (!listView) {
        writeControls(-1);
        return;
    }
    if (listRow()) letPendingMessagesRun();
}

bool New_req2Edit::listRow() {
    const HvSNMPVarList& list = request.varList;
    if (watchedIndex >= 0 && watchedIndex < list.count() && list.item(watchedIndex).value == stopValue)
        return false;
    AddRow();
    ++rowCounter;
    return true;
}

void New_req2Edit::AddRow() {
    if (!listView) return;
    forms::ListItem* row = listView->addItem();
    const HvSNMPVarList& list = request.varList;
    bool first = true;
    auto take = [&](int32_t i) {
        if (first) {
            row->setCaption(QString::number(rowCounter));
            first = false;
        } else {
            row->addSubItem(HvDisplayToQString(list.item(i).value));
        }
    };
    for (int32_t i = 0; i < list.count(); ++i)
        if (list.isHiddenItem(i)) take(i);
    for (int32_t i = 0; i < list.count(); ++i)
        if (list.isShown(i)) take(i);
}

void New_req2Edit::beforeSet() {
    if (listView)
        throw HvException(
            "New_req2Edit: rows are numbered for display; write the table through a request of its own");
    HvSNMPRequest2Edits::beforeSet();
}
