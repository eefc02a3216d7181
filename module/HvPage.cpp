#include "module/HvPage.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <exception>
#include <utility>

#include "module/Main.h"
#include "module/Misc.h"
#include "module/PageRules.h"
#include "module/Wait.h"
#include "platform/HvExceptionHook.h"

bool HvAskRestart(forms::Form* owner) {
    return forms::Application::messageBox(owner, PageRules::kRestartQuestion, PageRules::kWarning,
                                          forms::MB_OKCANCEL) == forms::IDOK;
}

HvWaitingDefaults HvWaitingFrom(const WaitPlan& plan) {
    HvWaitingDefaults d;
    d.label2 = plan.label2;
    d.label3 = plan.label3;
    d.waitTicks = plan.waitTicks;
    d.rebootDelay = plan.rebootDelay;
    d.sendReboot = plan.sendReboot;
    return d;
}

HvWaitingDefaults HvWaitingFrom(const PageRules::Waiting& waiting, bool ownedByPage) {
    HvWaitingDefaults d;
    d.ownedByPage = ownedByPage;
    d.rebootDelay = waiting.rebootDelay.value_or(-1);
    d.sendReboot = waiting.sendReboot;
    d.caption = waiting.caption;
    d.label3 = waiting.label3;
    return d;
}

// A request's transport for its next read, answered from a reply that came with the others of
// readTogether; any other operation, and any read after that one, goes to the request's own transport.
// An asynchronous read may come before its answer: it is completed when the answer comes, from the
// pump as the transport would.
struct HvPage::KeptAnswer final : HvSnmpTransport {
    HvSNMPRequest* request = nullptr;
    HvSnmpTransport* own = nullptr;
    HvSnmpCall call;
    HvSnmpReply reply;
    bool asynchronous = false;
    bool answered = false;
    bool taken = false;
    HvSnmpCompletion waiting;  // the asynchronous read that came first
    std::weak_ptr<const void> waitingOwner;

    bool matches(const HvSnmpCall& asked) const {
        return asked.op == call.op && asked.varbinds.size() == call.varbinds.size() &&
               std::equal(asked.varbinds.begin(), asked.varbinds.end(), call.varbinds.begin(),
                          [](const HvVarBind& a, const HvVarBind& b) { return a.oid == b.oid; });
    }
    void arrive(HvSnmpReply& came) {
        answered = true;
        if (!waiting) {
            reply = std::move(came);
            return;
        }
        const HvSnmpCompletion done = std::move(waiting);
        waiting = nullptr;
        if (!waitingOwner.expired()) done(came);
    }

    bool checkAddress(const std::string& address) override { return own->checkAddress(address); }
    HvSnmpReply sendSync(const HvSnmpCall& asked) override {
        if (taken || asynchronous || !answered || !matches(asked)) return own->sendSync(asked);
        taken = true;
        return std::move(reply);
    }
    int32_t sendAsync(HvSnmpCall c, std::weak_ptr<const void> owner, HvSnmpCompletion done) override {
        if (taken || !asynchronous || !matches(c)) return own->sendAsync(std::move(c), std::move(owner), std::move(done));
        taken = true;
        if (!answered) {
            waiting = std::move(done);
            waitingOwner = std::move(owner);
        } else if (!owner.expired()) {
            done(reply);
        }
        return HvSnmpStatus::Success;
    }
    void processPending() override { own->processPending(); }
    void processReadable(int fd) override { own->processReadable(fd); }
    std::vector<int> pollDescriptors() const override { return own->pollDescriptors(); }
    uint64_t socketsGeneration() const override { return own->socketsGeneration(); }
    std::size_t pendingCount() const override { return own->pendingCount(); }
};

namespace {

// Takes the call a synchronous read would send, and stops the read there: nothing is sent and
// nothing of the request changes.
struct CallTaker final : HvSnmpTransport {
    struct Taken {};
    HvSnmpTransport* own = nullptr;
    HvSnmpCall call;
    bool checkAddress(const std::string& address) override { return own->checkAddress(address); }
    HvSnmpReply sendSync(const HvSnmpCall& asked) override {
        call = asked;
        throw Taken{};
    }
    int32_t sendAsync(HvSnmpCall, std::weak_ptr<const void>, HvSnmpCompletion) override {
        throw Taken{};
    }
    void processPending() override {}
    std::vector<int> pollDescriptors() const override { return {}; }
    uint64_t socketsGeneration() const override { return 0; }
    std::size_t pendingCount() const override { return 0; }
};

}  // namespace

HvPage::HvPage(TMainForm& mainForm, QWidget* owner) : forms::Form(owner), m_mainForm(mainForm) {
    // Centred on the main window it was opened from.
    OnShow = [this](QObject*) { centerOn(&m_mainForm); };
}

namespace {

// How long the teardown waits for answers still out when no close bound has started: a request's
// own wait, once for all of them.
constexpr int kEndWaitMs = 6000;

qint64 monotonicMs() {
    static QElapsedTimer clock = [] {
        QElapsedTimer c;
        c.start();
        return c;
    }();
    return clock.elapsed();
}

// What the user types, chooses or clicks on a page.
bool isInput(QWidget* w) {
    return dynamic_cast<forms::Edit*>(w) || dynamic_cast<forms::ComboBox*>(w) ||
           dynamic_cast<forms::CheckBox*>(w) || dynamic_cast<forms::RadioButton*>(w) ||
           dynamic_cast<forms::RadioGroup*>(w) || dynamic_cast<forms::Button*>(w) ||
           dynamic_cast<forms::ListView*>(w);
}

void stopTimers(QObject* owner) {
    // The kit's timers have no meta-object of their own: findChildren<Timer*> would match any object.
    for (QObject* child : owner->findChildren<QObject*>())
        if (auto* timer = dynamic_cast<forms::Timer*>(child)) timer->setEnabled(false);
}

}  // namespace

HvPage::~HvPage() {
    closeRequests();
}

namespace {
bool g_readsTogether = true;
}  // namespace

bool HvPage::setReadsTogether(bool on) {
    return std::exchange(g_readsTogether, on);
}

HvPage::RequestMaker HvPage::walkTogether(RequestMaker make) {
    return [this, make = std::move(make)]() -> HvSNMPRequest2Edits* {
        HvSNMPRequest2Edits* r = make();
        if (r) m_walksTogether.push_back(r);
        return r;
    };
}

void HvPage::readTogether(std::initializer_list<RequestMaker> makers) {
    std::vector<std::shared_ptr<KeptAnswer>> out;
    struct ForgetWalks {
        std::vector<const HvSNMPRequest2Edits*>& walks;
        ~ForgetWalks() { walks.clear(); }
    } forgetWalks{m_walksTogether};
    for (const RequestMaker& make : makers) {
        HvSNMPRequest2Edits* r = make();
        if (!g_readsTogether) continue;
        if (!r || (r->mode != 0 && r->mode != 1)) continue;
        const uint8_t kind = r->request.varList.kind();
        const bool walk = (kind == MVT_FMV || kind == MVT_UMV) &&
                          std::find(m_walksTogether.begin(), m_walksTogether.end(), r) != m_walksTogether.end();
        if (kind != SVT_SV && kind != MVT_SV && !walk) continue;
        HvSnmpTransport* own = r->request.transport();
        CallTaker taker;
        taker.own = own;
        r->request.setTransport(&taker);
        // The request reports nothing while its call is taken: it is not sent yet. An asynchronous
        // read builds the same call as a synchronous one.
        const HvSNMPMessageCallback callback = std::move(r->request.messageCallback);
        r->request.messageCallback = nullptr;
        bool sending = false;
        try {
            bool ok = true;
            r->request.get(&ok, true);
        } catch (const CallTaker::Taken&) {
            sending = true;
        } catch (...) {
            // A read that cannot be built stops the creation as it did: the request gets its own
            // transport and messages back first.
            r->request.messageCallback = callback;
            r->request.setTransport(own);
            throw;
        }
        r->request.messageCallback = callback;
        r->request.setTransport(own);
        if (!sending) continue;  // one that sends nothing reads as before
        auto kept = std::make_shared<KeptAnswer>();
        kept->request = &r->request;
        kept->own = own;
        kept->call = std::move(taker.call);
        kept->asynchronous = r->mode != 0;
        out.push_back(kept);
        m_kept.push_back(std::move(kept));
    }
    // The first synchronous PDU goes alone, unless the device has answered the main window's poll or
    // a PDU of the page already: a device that does not answer is asked no more than by the first
    // read, whose failure ends the asking. Then every other PDU is out before the next answer is
    // awaited; each ends once, answered, timed out or failed. Only the synchronous reads are awaited:
    // an asynchronous one gets its answer whenever it comes, as when it sent its own PDU.
    if (!m_readsLife) m_readsLife = std::make_shared<int>(0);
    size_t pending = 0;
    auto send = [&](const std::shared_ptr<KeptAnswer>& kept) {
        if (!kept->asynchronous) ++pending;
        kept->request->setTransport(kept.get());
        kept->own->sendAsync(kept->call, m_readsLife, [kept, &pending](HvSnmpReply& reply) {
            if (!kept->asynchronous) --pending;
            kept->arrive(reply);
        });
    };
    auto await = [&] {
        if (pending == 0) return;
        QTimer wake;  // bounds each sleep below
        wake.start(10);
        while (pending > 0)
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
    };
    const auto lead = std::find_if(out.begin(), out.end(), [](const auto& k) { return !k->asynchronous; });
    if (!m_deviceAnswered && m_mainForm.deviceAnswering()) m_deviceAnswered = true;
    if (!m_deviceAnswered && lead != out.end()) {
        send(*lead);
        await();
        // An agent's error status is an answer; a time-out, a failed send or an SNMPv3 report is not.
        const int32_t status = (*lead)->reply.status;
        m_deviceAnswered = status == HvSnmpStatus::Success || (status >= 1 && status <= 18);
        if (!m_deviceAnswered) return;  // the others read as before, each on its own
    }
    for (const auto& kept : out)
        if (kept->request->transport() != kept.get()) send(kept);
    await();
}

void HvPage::endReadsTogether() {
    for (auto& kept : m_kept)
        if (kept->request->transport() == kept.get()) kept->request->setTransport(kept->own);
    m_kept.clear();
}

void HvPage::closeRequests() {
    if (m_ended) return;
    m_ended = true;
    m_closing = true;
    endWaits();
    // Ending the requests runs the event loop: no timer of the page or its dialogs may fire into a
    // page that is half gone, no completion may run, and no member may still name a request.
    stopTimers(this);
    for (auto& d : m_dialogs) stopTimers(d.get());
    for (auto& r : m_requests) {
        r->onAsyncGetDone = nullptr;
        r->onAsyncSetDone = nullptr;
        r->beforeGetCallback = nullptr;
        r->beforeSetCallback = nullptr;
        r->afterGetCallback = nullptr;
        r->afterSetCallback = nullptr;
    }
    for (const auto& forget : m_forget) forget();
    m_forget.clear();
    // From here no answer reaches a control. One wait for all that are still out, so that the close
    // takes no longer than its bound, however many requests are busy.
    endReadsTogether();
    for (auto& r : m_requests) r->request.retire();
    const int bound = m_closeDeadline < 0 ? kEndWaitMs : closeTimeLeft();
    auto outstanding = [this] {
        return std::any_of(m_requests.begin(), m_requests.end(),
                           [](const auto& r) { return r->request.outstanding() > 0; });
    };
    if (bound > 0 && outstanding()) {
        const qint64 until = monotonicMs() + bound;
        QTimer wake;  // bounds each sleep below
        wake.start(10);
        while (outstanding() && monotonicMs() < until)
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
    }
    while (!m_requests.empty()) {
        // Out of the list before it goes; whatever has not come is dropped unanswered.
        std::unique_ptr<HvSNMPRequest2Edits> last = std::move(m_requests.back());
        m_requests.pop_back();
        last->request.abandon();
        last.reset();
    }
    // The dialogs the requests wrote into go after them.
    while (!m_dialogs.empty()) {
        std::unique_ptr<forms::Form> last = std::move(m_dialogs.back());
        m_dialogs.pop_back();
        last.reset();
    }
}

bool HvPage::requestsIdle() const {
    return idle() && std::none_of(m_requests.begin(), m_requests.end(),
                                  [](const auto& r) { return r->request.outstanding() > 0; });
}

void HvPage::setCloseControls(std::initializer_list<QWidget*> controls) {
    for (QWidget* c : controls) m_closeControls.emplace_back(c);
}

void HvPage::beginBusy() {
    if (m_busyDepth++ == 0) holdInputs();
}

void HvPage::endBusy() {
    if (m_busyDepth == 0) return;
    if (--m_busyDepth == 0) releaseInputs();
}

void HvPage::holdInputs() {
    for (QWidget* w : findChildren<QWidget*>()) {
        // The page's own controls only, not those of its dialogs, nor a part of a control.
        auto* control = dynamic_cast<forms::Control*>(w);
        if (!control || control->asWidget() != w || w->window() != this || !isInput(w)) continue;
        if (std::find(m_closeControls.begin(), m_closeControls.end(), w) != m_closeControls.end()) continue;
        m_held.push_back({w, control->enabled()});
        w->setEnabled(false);
    }
}

void HvPage::releaseInputs() {
    for (const HeldInput& h : m_held)
        if (h.widget && !dynamic_cast<forms::Control*>(h.widget.data())->enabled())
            h.widget->setEnabled(h.enabled);
    m_held.clear();
    // A disabled control takes no focus: a refusal made while the page was busy gets it now.
    if (QWidget* w = m_focusWhenFree.data())
        if (auto* control = dynamic_cast<forms::Control*>(w)) control->setFocus();
    m_focusWhenFree = nullptr;
}

void HvPage::focusInput(forms::Control* control) {
    if (!control) return;
    if (busy() && !control->asWidget()->isEnabled())
        m_focusWhenFree = control->asWidget();
    else
        control->setFocus();
}

HvPage::WaitEnd HvPage::waitUntil(const std::function<bool()>& done, int boundMs) {
    if (m_waitsEnded) return WaitEnd::Closed;
    if (done()) return WaitEnd::Done;
    BusyScope busy(*this);
    QEventLoop loop;
    QTimer look;  // done() is looked at every tick
    QObject::connect(&look, &QTimer::timeout, &loop, [&] {
        if (done()) loop.quit();
    });
    look.start(10);
    QTimer bound;
    bound.setSingleShot(true);
    bool timedOut = false;
    QObject::connect(&bound, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        loop.quit();
    });
    if (boundMs >= 0) bound.start(boundMs);
    m_waits.push_back(&loop);
    QPointer<HvPage> self(this);
    loop.exec();
    if (!self) return WaitEnd::Closed;
    const bool quit = m_waitsQuit;  // by a close or a hide
    m_waits.erase(std::remove(m_waits.begin(), m_waits.end(), &loop), m_waits.end());
    if (m_waits.empty()) m_waitsQuit = false;
    if (quit || m_waitsEnded) return WaitEnd::Closed;
    if (done()) return WaitEnd::Done;
    return timedOut ? WaitEnd::TimedOut : WaitEnd::Closed;
}

void HvPage::endWaits() {
    m_waitsEnded = true;
    quitWaits();
}

void HvPage::quitWaits() {
    for (QEventLoop* loop : m_waits) loop->quit();
    m_waitsQuit = !m_waits.empty();
}

void HvPage::hideEvent(QHideEvent* event) {
    forms::Form::hideEvent(event);
    // A page that hides has been closed, or is closing and waits for its answers: nothing the user
    // started on it goes on.
    quitWaits();
}

void HvPage::boundClose(int ms) {
    if (m_closeDeadline < 0) m_closeDeadline = monotonicMs() + ms;
}

int HvPage::closeTimeLeft() const {
    if (m_closeDeadline < 0) return -1;
    return int(std::max<qint64>(0, m_closeDeadline - monotonicMs()));
}

TFM_Waiting* HvPage::waiting() const {
    return m_waiting.data();
}

bool HvPage::idle() const {
    return std::none_of(m_requests.begin(), m_requests.end(), [](const auto& r) { return r->busy; });
}

QString HvWalkedCell(const HvSNMPRequest2Edits& request, const forms::ListItem& row, int32_t item) {
    const auto& layout = request.rowLayout();
    const auto at = std::find(layout.begin(), layout.end(), item);
    if (at == layout.end()) return {};
    const auto column = static_cast<int>(at - layout.begin());
    return column == 0 ? row.caption() : row.subItem(column - 1);
}

bool HvPage::joined() const {
    return m_clus && m_clus->itemIndex() == 0;
}

void HvPage::adoptRequest(std::unique_ptr<HvSNMPRequest2Edits> r, const MibObjectDef* table, uint8_t kind,
                          int32_t keys, bool synchronous, int32_t timeout, int32_t retries) {
    r->request.varList = HvSNMPVarList(table, kind, keys);
    r->mode = synchronous ? 0 : 1;
    // A device that left one read of the creation unanswered is not asked again until the page is
    // up: each read would wait out its whole time-out, minutes in all on some pages.
    r->skipSyncRead = [this]() -> const HvSNMPError* {
        if (!m_creating) return nullptr;
        for (const auto& other : m_requests)
            if (other->unansweredRead) return &*other->unansweredRead;
        return nullptr;
    };
    if (timeout >= 0) r->request.timeout = timeout;
    if (retries >= 0) r->request.retries = retries;
    m_requests.push_back(std::move(r));
}

void HvPage::showResult(const QString& text) {
    if (m_result) m_result->showLine(text);
}

bool HvPage::guard(const std::function<void()>& step) {
    try {
        step();
        return true;
    } catch (const std::exception& e) {
        if (m_result)
            showResult(QString::fromUtf8(e.what()));
        else
            HvHandleException(std::current_exception());
    }
    return false;
}

bool HvPage::create(const std::function<void()>& step, std::initializer_list<forms::Control*> actions) {
    m_creating = true;
    m_created = guard(step);
    m_creating = false;
    endReadsTogether();
    if (!m_created)
        // Requests past the failure were never built: nothing here can read or write soundly.
        for (auto* action : actions) action->asWidget()->setEnabled(false);
    return m_created;
}

bool HvPage::guarded(const std::function<void()>& step) {
    if (!m_created || m_closing) return false;
    return guard(step);
}

void HvRefuseInput(forms::Form& form, const PageRules::CheckFailure& failure) {
    // No caption: the plain message window, titled with the application's name.
    if (!failure.message.isEmpty())
        forms::Application::messageBox(
            &form, failure.message, failure.caption.isEmpty() ? forms::Application::title() : failure.caption,
            forms::MB_OK);
    if (!failure.emptied.isEmpty())
        forms::findControl<forms::Edit>(&form, failure.emptied.toLatin1().constData())->setText({});
    if (!failure.focus.isEmpty()) {
        auto* edit = forms::findControl<forms::Edit>(&form, failure.focus.toLatin1().constData());
        if (auto* page = dynamic_cast<HvPage*>(&form))
            page->focusInput(edit);
        else
            edit->setFocus();
    }
}

void HvPage::refuseInput(const PageRules::CheckFailure& failure) {
    HvRefuseInput(*this, failure);
    if (!failure.status.isEmpty()) showResult(failure.status);
}

void HvPage::setLocked(forms::Edit* edit, bool locked, QPalette::ColorRole colour) {
    edit->setReadOnly(locked);
    QPalette palette;
    if (locked) palette.setColor(QPalette::Base, palette.color(colour));
    edit->setPalette(palette);
}

HvSNMPRequest2Edits* HvPage::bindClusterState(forms::ComboBox* clus, bool synchronous,
                                              std::function<void()> done) {
    HvSNMPRequest2Edits* r = makeClusterState(clus, synchronous, std::move(done));
    r->get();
    return r;
}

HvSNMPRequest2Edits* HvPage::makeClusterState(forms::ComboBox* clus, bool synchronous,
                                              std::function<void()> done) {
    m_clus = clus;
    HvSNMPRequest2Edits* r = makeRequest(kMibT105, MVT_SV, 0, synchronous);
    // Only the action column is read and written; the domain's name is another page's.
    r->request.varList.item(0).access = HvAccess::Invalid;
    r->request.varList.item(1).access = HvAccess::ReadWrite;
    r->addComboBox(1, clus);
    if (done) r->afterGetCallback = std::move(done);
    return r;
}

bool HvPage::afterSetting(const HvWaitingDefaults& defaults) {
    if (joined() && !HvAskRestart(this)) return false;
    showWaiting(defaults);
    return true;
}

void HvPage::showWaiting(const HvWaitingDefaults& defaults) {
    if (!defaults.result.isEmpty()) showResult(defaults.result);
    auto* waiting = new TFM_Waiting(defaults.ownedByPage ? this : nullptr, m_mainForm);
    if (defaults.waitTicks > 0) waiting->waitTicks = defaults.waitTicks;
    if (defaults.rebootDelay >= 0) waiting->rebootDelay = defaults.rebootDelay;
    waiting->sendReboot = defaults.sendReboot;
    if (!defaults.label2.isEmpty()) waiting->Label2->setCaption(defaults.label2);
    if (!defaults.caption.isEmpty()) waiting->setCaption(defaults.caption);
    if (!defaults.label3.isEmpty()) waiting->Label3->setCaption(defaults.label3);
    m_waiting = waiting;
    waiting->showModal();
    delete m_waiting.data();
}
