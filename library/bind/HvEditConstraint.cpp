#include "library/bind/HvEditConstraint.h"

#include <QMetaObject>

#include "library/HvSNMPError.h"
#include "platform/forms/Application.h"

namespace {

std::u16string textOf(const forms::Edit* edit) {
    return edit->text().toStdU16String();
}

}  // namespace

HvEditConstraint::HvEditConstraint(forms::Form* owner, bool saveGoodText)
    : m_owner(owner), m_saveGoodText(saveGoodText) {}

HvEditConstraint::~HvEditConstraint() {
    while (!m_records.empty()) {
        forms::Edit* edit = m_records.back()->edit;
        if (edit) {
            Remove(edit);
        } else {
            m_records.pop_back();
        }
    }
}

void HvEditConstraint::AddConstraints(const std::string& formatText, const std::vector<forms::Edit*>& edits) {
    const std::vector<HvEditFormat> formats = HvParseEditFormats(formatText);
    if (formats.size() != edits.size()) HvRaiseCommon(2);
    for (forms::Edit* edit : edits)
        if (!edit) HvRaiseCode(HvErrControlType);
    for (std::size_t k = 0; k < edits.size(); ++k) attach(formats[k], edits[k]);
}

void HvEditConstraint::AddConstraint(const std::string& piece, forms::Edit* edit) {
    const HvEditFormat format = HvParseEditFormat(piece);
    if (!edit) HvRaiseCode(HvErrControlType);
    attach(format, edit);
}

void HvEditConstraint::attach(const HvEditFormat& format, forms::Edit* edit) {
    // A second constraint on one edit replaces the first; the edit's own handlers stay the ones kept.
    if (find(edit)) Remove(edit);
    auto record = std::make_unique<_EditConstraint_s>(
        _EditConstraint_s{edit, HvEditRule(format, m_saveGoodText), {}, {}, {}});
    if (format.width > 0) edit->setWidth(format.width);
    edit->setMaxLength(format.maxLength());
    record->previousChange = edit->OnChange;
    record->previousExit = edit->OnExit;
    record->previousEnter = edit->OnEnter;
    edit->OnChange = [this, edit](QObject*) { onChange(edit); };
    edit->OnExit = [this, edit](QObject*) { onExit(edit); };
    edit->OnEnter = [this, edit](QObject*) { onEnter(edit); };
    m_records.push_back(std::move(record));
}

void HvEditConstraint::Remove(forms::Edit* edit) {
    for (auto it = m_records.begin(); it != m_records.end(); ++it) {
        if ((*it)->edit != edit) continue;
        if (edit) {
            edit->OnChange = (*it)->previousChange;
            edit->OnExit = (*it)->previousExit;
            edit->OnEnter = (*it)->previousEnter;
        }
        m_records.erase(it);
        return;
    }
}

const HvEditConstraint::_EditConstraint_s* HvEditConstraint::Find(const forms::Edit* edit) const {
    for (const auto& r : m_records)
        if (r->edit == edit) return r.get();
    return nullptr;
}

HvEditConstraint::_EditConstraint_s* HvEditConstraint::find(const forms::Edit* edit) {
    return const_cast<_EditConstraint_s*>(Find(edit));
}

// The focus moves on after the change has been handled: moving it inside the change handler would
// run the exit check in the middle of it.
void HvEditConstraint::advanceFrom(forms::Edit* edit) {
    QPointer<forms::Edit> guard(edit);
    QMetaObject::invokeMethod(
        edit,
        [guard] {
            if (!guard) return;
            if (forms::Form* form = guard->form()) form->selectNext(guard);
        },
        Qt::QueuedConnection);
}

void HvEditConstraint::onChange(forms::Edit* edit) {
    _EditConstraint_s* r = find(edit);
    if (!r) return;
    const QString text = edit->text();
    const HvEditChange change = r->rule.change(text.toStdU16String());
    switch (change.action) {
        case HvEditChange::Leave:
            return;
        case HvEditChange::Advance:
        case HvEditChange::Reject: {
            const int at = static_cast<int>(change.position);
            QString cut = text;
            cut.remove(at, 1);
            // Setting the text runs this handler again, so further bad characters go one per change.
            edit->setText(cut);
            edit->setSelStart(at);
            if (change.action == HvEditChange::Advance)
                advanceFrom(edit);
            else
                forms::Application::beep();
            return;
        }
        case HvEditChange::Accept: {
            const forms::NotifyEvent previous = r->previousChange;
            if (previous) previous(edit);
            if (change.advanceWhenFull) advanceFrom(edit);
            return;
        }
    }
}

void HvEditConstraint::onEnter(forms::Edit* edit) {
    _EditConstraint_s* r = find(edit);
    if (!r) return;
    r->rule.entered(textOf(edit));
    const forms::NotifyEvent previous = r->previousEnter;
    if (previous) previous(edit);
}

void HvEditConstraint::onExit(forms::Edit* edit) {
    _EditConstraint_s* r = find(edit);
    if (!r) return;
    const HvEditExit exit = r->rule.exit(textOf(edit));
    switch (exit.action) {
        case HvEditExit::Leave:
            return;
        case HvEditExit::Pass: {
            const forms::NotifyEvent previous = r->previousExit;
            if (previous) previous(edit);
            // The previous handler may have removed the constraint.
            if ((r = find(edit))) r->rule.passed(textOf(edit));
            return;
        }
        case HvEditExit::Fail: {
            QWidget* parent =
                m_owner ? static_cast<QWidget*>(m_owner.data()) : static_cast<QWidget*>(edit->form());
            const QString good = QString::fromStdU16String(r->rule.lastGoodText());
            QPointer<forms::Edit> guard(edit);
            forms::Application::messageBox(parent, QString::fromStdString(exit.message),
                                           forms::Application::exeName(), forms::MB_OK);
            if (!guard) return;
            edit->setText(good);
            edit->setFocus();
            return;
        }
    }
}
