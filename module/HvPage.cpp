#include "module/HvPage.h"

#include <exception>

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

HvPage::HvPage(TMainForm& mainForm, QWidget* owner) : forms::Form(owner), m_mainForm(mainForm) {
    // Centred on the main window it was opened from.
    OnShow = [this](QObject*) { centerOn(&m_mainForm); };
}

HvPage::~HvPage() {
    // A request's end runs the event loop while it waits: no timer of the page may fire into a page
    // that is half gone.
    // The kit's timers have no meta-object of their own: findChildren<Timer*> would match any object.
    for (QObject* child : findChildren<QObject*>())
        if (auto* timer = dynamic_cast<forms::Timer*>(child)) timer->setEnabled(false);
    closeRequests();
}

void HvPage::closeRequests() {
    m_closing = true;
    for (auto& r : m_requests) {
        r->onAsyncGetDone = nullptr;
        r->onAsyncSetDone = nullptr;
        r->beforeGetCallback = nullptr;
        r->beforeSetCallback = nullptr;
        r->afterGetCallback = nullptr;
        r->afterSetCallback = nullptr;
    }
    while (!m_requests.empty()) {
        // Out of the list before its destructor runs the event loop.
        std::unique_ptr<HvSNMPRequest2Edits> last = std::move(m_requests.back());
        m_requests.pop_back();
        last.reset();
    }
}

TFM_Waiting* HvPage::waiting() const {
    return m_waiting.data();
}

bool HvPage::joined() const {
    return m_clus && m_clus->itemIndex() == 0;
}

HvSNMPRequest2Edits* HvPage::makeRequest(const MibObjectDef* table, uint8_t kind, int32_t keys,
                                         bool synchronous, int32_t timeout, int32_t retries) {
    auto r = std::make_unique<HvSNMPRequest2Edits>(this);
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
    return m_requests.back().get();
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
    if (!failure.focus.isEmpty())
        forms::findControl<forms::Edit>(&form, failure.focus.toLatin1().constData())->setFocus();
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
    m_clus = clus;
    HvSNMPRequest2Edits* r = makeRequest(kMibT105, MVT_SV, 0, synchronous);
    // Only the action column is read and written; the domain's name is another page's.
    r->request.varList.item(0).access = HvAccess::Invalid;
    r->request.varList.item(1).access = HvAccess::ReadWrite;
    r->addComboBox(1, clus);
    if (done) r->afterGetCallback = std::move(done);
    r->get();
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
