#pragma once

#include <QPointer>

#include <memory>
#include <string>
#include <vector>

#include "library/HvEditFormat.h"
#include "platform/forms/Controls.h"
#include "platform/forms/Form.h"

// Input rules of bound edit boxes, attached to the kit's edits. The rule itself (parsing, change
// filter, exit check) is HvEditRule; this class takes each edit's change, enter and exit handlers,
// carries out what the rule answers (remove a character, beep, move the focus on, show the message,
// restore the last good text) and gives the handlers back on Remove.
class HvEditConstraint {
public:
    // One constrained edit. The edit's own handlers are kept here and called from ours.
    struct _EditConstraint_s {
        QPointer<forms::Edit> edit;
        HvEditRule rule;
        forms::NotifyEvent previousChange;
        forms::NotifyEvent previousExit;
        forms::NotifyEvent previousEnter;
    };

    // owner: the window of the failure boxes (null: the edit's own form). saveGoodText: a text that
    // passes the exit check becomes the edit's last good text.
    HvEditConstraint(forms::Form* owner, bool saveGoodText);
    // Gives every edit still alive its own handlers back.
    ~HvEditConstraint();
    HvEditConstraint(const HvEditConstraint&) = delete;
    HvEditConstraint& operator=(const HvEditConstraint&) = delete;

    // Parses every piece of the format text first (a bad piece raises common entry 2 and attaches
    // nothing), then attaches piece k to edit k. The counts must agree: a piece without an edit or an
    // edit without a piece raises entry 2 as well.
    void AddConstraints(const std::string& formatText, const std::vector<forms::Edit*>& edits);
    // One piece for one edit; an edit that has a constraint already gets the new one in its place.
    void AddConstraint(const std::string& piece, forms::Edit* edit);
    void Remove(forms::Edit* edit);
    const _EditConstraint_s* Find(const forms::Edit* edit) const;
    void SetOwner(forms::Form* owner) { m_owner = owner; }
    forms::Form* owner() const { return m_owner; }
    int32_t count() const { return static_cast<int32_t>(m_records.size()); }

private:
    _EditConstraint_s* find(const forms::Edit* edit);
    void attach(const HvEditFormat& format, forms::Edit* edit);
    void onChange(forms::Edit* edit);
    void onEnter(forms::Edit* edit);
    void onExit(forms::Edit* edit);
    void advanceFrom(forms::Edit* edit);

    QPointer<forms::Form> m_owner;
    bool m_saveGoodText;
    std::vector<std::unique_ptr<_EditConstraint_s>> m_records;
};
