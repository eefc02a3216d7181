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

class QEventLoop;
class QHideEvent;
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

// The text of a row walked by request under the variable item: the column its binding gave the
// item (hidden key items first, then the shown ones); empty when the item has no column.
QString HvWalkedCell(const HvSNMPRequest2Edits& request, const forms::ListItem& row, int32_t item);

// A page's waiting plan as the dialog's set-up.
HvWaitingDefaults HvWaitingFrom(const WaitPlan& plan);
// The waiting dialog as a page's rules give it; owned by the application when ownedByPage is false.
HvWaitingDefaults HvWaitingFrom(const PageRules::Waiting& waiting, bool ownedByPage);

class HvPage : public forms::Form {
public:
    explicit HvPage(TMainForm& mainForm, QWidget* owner = nullptr);
    // The teardown (see closeRequests) before the controls the requests are bound to go.
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
    // A write or a wait the page started is out: its inputs are disabled meanwhile, its close
    // controls are not.
    bool busy() const { return m_busyDepth > 0; }
    // No request the page keeps is busy with a read or a write (the page's own view: an operation
    // whose completion the page still awaits).
    bool idle() const;
    // idle(), and no answer is still out either (a read given up by the page, a retired one): the
    // device has nothing more of the page to answer.
    bool requestsIdle() const;
    // Focus for a control, now or, while the inputs are held, once they are given back.
    void focusInput(forms::Control* control);

    // What ended a wait of the page.
    enum class WaitEnd { Done, TimedOut, Closed };

    // The program ends under the page: its waits end, and when it goes its requests end without
    // waiting for the answers still out.
    void programEnds() {
        boundClose(0);
        endWaits();
    }

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
                                     bool synchronous = true, int32_t timeout = -1, int32_t retries = -1) {
        return makeRequestOf<HvSNMPRequest2Edits>(table, kind, keys, synchronous, timeout, retries);
    }
    // makeRequest for a request class of the page's own (one that overrides a hook).
    template <class R>
    R* makeRequestOf(const MibObjectDef* table, uint8_t kind, int32_t keys, bool synchronous = true,
                     int32_t timeout = -1, int32_t retries = -1) {
        auto r = std::make_unique<R>(this);
        R* made = r.get();
        adoptRequest(std::move(r), table, kind, keys, synchronous, timeout, retries);
        return made;
    }

    // A request of another class (a walk into a list view), kept and ended as makeRequest's are.
    template <class R>
    R* keepRequest(std::unique_ptr<R> request) {
        R* kept = request.get();
        m_requests.push_back(std::move(request));
        return kept;
    }
    // A dialog of the page that its requests write into: deleted once they have ended.
    template <class D>
    D* keepDialog(std::unique_ptr<D> dialog) {
        D* kept = dialog.get();
        m_dialogs.push_back(std::move(dialog));
        return kept;
    }
    // Members pointing at requests or dialogs: the teardown sets them to null before anything ends,
    // so that no handler reaches an object going.
    template <class... T>
    void forgetOnEnd(T*&... members) {
        (forgetOne(members), ...);
    }

    // The controls that stay usable while the page is busy: its Close or Cancel.
    void setCloseControls(std::initializer_list<QWidget*> controls);
    // The page is busy from beginBusy to the matching endBusy. The inputs get back the enabled flag
    // they had; one that a handler enabled meanwhile stays enabled, so a handler that sets flags after
    // a write runs once the page is no longer busy.
    void beginBusy();
    void endBusy();
    class BusyScope {
    public:
        explicit BusyScope(HvPage& page) : m_page(&page) { page.beginBusy(); }
        ~BusyScope() {
            if (m_page) m_page->endBusy();
        }
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;

    private:
        QPointer<HvPage> m_page;  // a page deleted while busy has nothing left to give back
    };

    // Runs the event loop, the page busy, until done() holds, boundMs have passed (below 0: no
    // bound) or the page closes or hides. Closed means the user has given up what the handler was
    // doing: it returns without writing.
    WaitEnd waitUntil(const std::function<bool()>& done, int boundMs);
    // The page closes: its waits end, now and for the rest of its life.
    void endWaits();

    // Starts the bound of a close that waits for the answers still out (once; later calls keep the
    // first start): the teardown drops whatever has not come by then.
    void boundClose(int ms);
    // What is left of that bound, in ms; 0 once it has passed, -1 without one.
    int closeTimeLeft() const;

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
    // The same, bound but not read yet.
    HvSNMPRequest2Edits* makeClusterState(forms::ComboBox* clus, bool synchronous = true,
                                          std::function<void()> done = {});

    // Creation reads whose choice no answer decides: the requests' PDUs go out together and the page
    // waits once for the answers of the synchronous ones. Each request's next read is then answered
    // from what came, so that the page reads on in its own order and shows, refuses and reports as it
    // did when every read waited for the one before; an asynchronous read's completion comes from the
    // event loop once the page has started that read and its answer is in, as it would have come.
    // Answers that no read has taken by the end of the creation are dropped. Scalar reads, and the
    // walks a maker names with walkTogether (their first row); others are read as before. The first
    // synchronous PDU goes alone while neither the main window's poll nor a read of the page has had
    // an answer: a silent device gets one read, and the others then read each on its own, as before.
    // The wait runs the event loop (user input held back): call it before any asynchronous request
    // of the page has started, so that no completion runs earlier than it did.
    // Each request is made by its maker just before its PDU is built, so that a request whose PDU
    // cannot be built raises before the requests after it are made, as its own read would.
    using RequestMaker = std::function<HvSNMPRequest2Edits*()>;
    void readTogether(std::initializer_list<RequestMaker> makers);
    // A walk's maker for readTogether: the walk's first row is asked with the other reads, the rows
    // after it as before. Only for a walk whose first read of the creation is that row, with nothing
    // written before it and nothing changed in what it asks.
    RequestMaker walkTogether(RequestMaker make);

public:
    // Off: readTogether only makes the requests, and each read waits for the one before, as pages
    // read without it (tests compare the two). Returns the setting before.
    static bool setReadsTogether(bool on);

protected:

    // After a setting: on a joined device the restart question (Cancel: false, nothing more), then
    // the waiting dialog. True when the dialog ran.
    bool afterSetting(const HvWaitingDefaults& defaults = {});
    // The waiting dialog, modal, deleted when its loop ends.
    void showWaiting(const HvWaitingDefaults& defaults = {});

    // The teardown, in one order: waits ended, every timer of the page and its dialogs off, the
    // requests' callbacks cleared, the members forgetOnEnd names set to null, then the requests ended
    // (none delivers any more; one wait for the answers still out, within the close bound or the
    // requests' own 6 s, events of the user left queued), the last made first, and then the dialogs
    // kept. From here on no handler of the page runs for a request. Runs once; the destructor calls
    // it, and so does a close query that lets the page close.
    void closeRequests();

    void hideEvent(QHideEvent* event) override;

private:
    template <class T>
    void forgetOne(T*& member) {
        m_forget.push_back([&member] { member = nullptr; });
    }
    void adoptRequest(std::unique_ptr<HvSNMPRequest2Edits> r, const MibObjectDef* table, uint8_t kind,
                      int32_t keys, bool synchronous, int32_t timeout, int32_t retries);
    void holdInputs();
    void releaseInputs();
    // Quits the waits under way; later ones run (a page shown again).
    void quitWaits();

    // The requests' own transports back in place of the answers readTogether kept.
    void endReadsTogether();

    TMainForm& m_mainForm;
    std::vector<std::unique_ptr<HvSNMPRequest2Edits>> m_requests;
    struct KeptAnswer;
    std::vector<std::shared_ptr<KeptAnswer>> m_kept;
    std::vector<std::unique_ptr<forms::Form>> m_dialogs;
    std::vector<std::function<void()>> m_forget;
    std::vector<QPointer<QWidget>> m_closeControls;
    struct HeldInput {
        QPointer<QWidget> widget;
        bool enabled;
    };
    std::vector<HeldInput> m_held;
    QPointer<QWidget> m_focusWhenFree;  // the control asked for while the inputs were held
    int m_busyDepth = 0;
    std::vector<QEventLoop*> m_waits;
    bool m_waitsEnded = false;
    bool m_waitsQuit = false;
    bool m_ended = false;
    qint64 m_closeDeadline = -1;  // on the monotonic clock, ms; -1: no bound started
    forms::ResultSink* m_result = nullptr;
    forms::ComboBox* m_clus = nullptr;
    QPointer<TFM_Waiting> m_waiting;
    bool m_deviceAnswered = false;  // the device has answered the main window's poll or a PDU of the page
    std::vector<const HvSNMPRequest2Edits*> m_walksTogether;  // named by walkTogether, until readTogether ends
    std::shared_ptr<int> m_readsLife;  // readTogether's answers reach nothing once the page has gone
    bool m_created = false;
    bool m_creating = false;
    bool m_closing = false;
};
