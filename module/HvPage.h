#pragma once

// The base of every page window: its main window, its layout table, its requests and their end,
// one exception rule for its steps, the AP-domain state and the flow after a setting.

#include <QPalette>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

#include "library/MibObjectDef.h"
#include "library/bind/HvSNMPRequest2Edits.h"
#include "module/PageRules.h"
#include "module/WaitCountdown.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Layout.h"

class TMainForm;
class TFM_Waiting;

// The question a page asks before restarting a device that has joined an AP domain; true for OK.
bool HvAskRestart(forms::Form* owner);

// How a page sets up its waiting dialog. The defaults are the dialog's own.
struct HvWaitingDefaults {
    bool ownedByPage = true;  // false: the application owns it
    int waitTicks = 0;        // 0: the dialog's own count
    int rebootDelay = -1;     // below 0: the dialog's own delay before its restart command
    bool sendReboot = true;   // false: the page has sent its own restart or upgrade command
    QString label2;           // empty: the dialog's own first line
    QString caption;          // empty: the dialog's own caption
    QString label3;           // empty: the dialog's own second line
    QString result;           // shown in the page's result control before the dialog opens
};

// A refused input on form, a page or one of its dialogs: the box (when it has a text; titled with
// the application's name when it has no caption), the field emptied, then the focus. The status text
// is the page's to show.
void HvRefuseInput(forms::Form& form, const PageRules::CheckFailure& failure);

// A page's waiting plan as the dialog's set-up.
HvWaitingDefaults HvWaitingFrom(const WaitPlan& plan);
// The waiting dialog as a page's rules give it; owned by the application when ownedByPage is false.
HvWaitingDefaults HvWaitingFrom(const PageRules::Waiting& waiting, bool ownedByPage);

class HvPage : public forms::Form {
public:
    explicit HvPage(TMainForm& mainForm, QWidget* owner = nullptr);
    // Ends the requests (see closeRequests) before the controls they are bound to go.
    ~HvPage() override;

    TMainForm& mainForm() const { return m_mainForm; }
    // The creation step ran to its end; until then (and for ever after a failed one) the guarded
    // steps do nothing.
    bool created() const { return m_created; }
    bool closing() const { return m_closing; }
    // The device has joined an AP domain, as the state bound by bindClusterState shows it.
    bool joined() const;
    // The waiting dialog of the last setting, while it is shown.
    TFM_Waiting* waiting() const;

protected:
    // Builds the page's controls from its table; reach them with control<T>(name) afterwards.
    void buildLayout(const forms::FormLayout& layout) { forms::buildLayout(*this, layout); }
    template <class T>
    T* control(const char* name) const {
        return forms::findControl<T>(this, name);
    }

    // A request over table kept by the page and destroyed with it. timeout (10 ms units) and retries
    // below 0 keep the session's defaults.
    HvSNMPRequest2Edits* makeRequest(const MibObjectDef* table, uint8_t kind, int32_t keys,
                                     bool synchronous = true, int32_t timeout = -1, int32_t retries = -1);

    // Where the guard's messages go (a status bar's simple text, a memo's new line).
    void setResultControl(forms::ResultSink* sink) { m_result = sink; }
    void showResult(const QString& text);

    // Runs step; a std::exception's message (HvException's included) goes to the result control, or
    // to the program's exception handler when the page names none. False when step raised.
    bool guard(const std::function<void()>& step);
    // The creation step under the guard. A failed one leaves the page harmless: created() stays
    // false and the actions given are disabled.
    bool create(const std::function<void()>& step, std::initializer_list<forms::Control*> actions = {});
    // A Refresh or Apply step: nothing before a finished creation or while closing, else guard(step).
    bool guarded(const std::function<void()>& step);

    // A refused input as the page's rules describe it: HvRefuseInput, then the status text in the
    // result control.
    void refuseInput(const PageRules::CheckFailure& failure);
    // An edit the user may not change in the page's current state: read-only, its face in colour
    // (the button face or the menu colour) rather than the window colour.
    static void setLocked(forms::Edit* edit, bool locked, QPalette::ColorRole colour = QPalette::Button);

    // The AP-domain state (its action column) into clus, read at once; done runs after each read.
    HvSNMPRequest2Edits* bindClusterState(forms::ComboBox* clus, bool synchronous = true,
                                          std::function<void()> done = {});

    // After a setting: on a joined device the restart question (Cancel: false, nothing more), then
    // the waiting dialog. True when the dialog ran.
    bool afterSetting(const HvWaitingDefaults& defaults = {});
    // The waiting dialog, modal, deleted when its loop ends.
    void showWaiting(const HvWaitingDefaults& defaults = {});

    // Ends every request, the last made first, each waiting for its answers still out; from here on
    // no completion handler of the page runs. The destructor calls it; a page whose own members go
    // first calls it in its own destructor.
    void closeRequests();

private:
    TMainForm& m_mainForm;
    std::vector<std::unique_ptr<HvSNMPRequest2Edits>> m_requests;
    forms::ResultSink* m_result = nullptr;
    forms::ComboBox* m_clus = nullptr;
    QPointer<TFM_Waiting> m_waiting;
    bool m_created = false;
    bool m_creating = false;
    bool m_closing = false;
};
