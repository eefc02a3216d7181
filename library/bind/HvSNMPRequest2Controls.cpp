#include "library/bind/HvSNMPRequest2Controls.h"

#include <exception>
#include <optional>

#include "library/HvException.h"
#include "library/HvValueText.h"
#include "platform/HvExceptionHook.h"
#include "platform/forms/Application.h"

HvSNMPRequest2Controls::HvSNMPRequest2Controls(forms::Form* owner) : owner(owner) {}

HvSNMPRequest2Controls::~HvSNMPRequest2Controls() {
    beginDestruction();
    busy = false;
    // The request goes next; answers still outstanding then find this object dying and are dropped.
}

void HvSNMPRequest2Controls::beginDestruction() {
    m_dying = true;
    m_life.reset();
}

void HvSNMPRequest2Controls::setResultControl(forms::ResultSink* control) {
    m_resultControl = control;
    auto* object = dynamic_cast<QObject*>(control);
    m_resultWidget = object;
    m_hasResultWidget = object != nullptr;
}

forms::ResultSink* HvSNMPRequest2Controls::resultControl() const {
    // A status bar or memo deleted with its form before this object is no result control any more.
    if (m_hasResultWidget && !m_resultWidget) return nullptr;
    return m_resultControl;
}

bool HvSNMPRequest2Controls::isWalk() const {
    const uint8_t kind = request.varList.kind();
    return kind == MVT_FMV || kind == MVT_UMV;
}

std::string HvSNMPRequest2Controls::rowCondition() {
    if (!conditionProvider || conditionText.empty()) return {};
    return conditionProvider->condition(conditionText, 1, std::string());
}

bool HvSNMPRequest2Controls::rowMatches(const std::string& condition) {
    return request.matchCondition(condition) && request.matchFilter();
}

bool HvSNMPRequest2Controls::walkGoesOn() {
    ++m_rowsWalked;
    return maxRows <= 0 || m_rowsWalked < maxRows;
}

void HvSNMPRequest2Controls::okRecord() {
    if (!request.messageCallback) return;
    HvSNMPError ok;
    ok.code = 0;
    ok.message = HvMessageText(HvMessageTable::Own, 0);
    ok.failureCount = -1;
    // A copy: the page's callback may replace itself.
    const HvSNMPMessageCallback callback = request.messageCallback;
    callback(&ok);
}

void HvSNMPRequest2Controls::showStatus(const std::string& errorText) {
    forms::ResultSink* sink = resultControl();
    if (!sink) return;
    const std::string line = HvResultLine(lastOperation, errorText, request.varList.instanceSuffix());
    sink->showLine(QString::fromStdString(line));
}

void HvSNMPRequest2Controls::showFailure(const std::string& message) {
    if (resultControl()) {
        showStatus(message);
        return;
    }
    forms::Application::messageBox(owner, QString::fromStdString(message), forms::Application::title(),
                                   forms::MB_OK);
}

void HvSNMPRequest2Controls::showResult(HvSNMPError* error) {
    showFailure(error ? error->message : std::string());
}

void HvSNMPRequest2Controls::showGetResult(HvSNMPError* error) {
    lastOperation = 0;
    showResult(error);
}

void HvSNMPRequest2Controls::showSetResult(HvSNMPError* error) {
    lastOperation = 1;
    showResult(error);
}

HvSNMPCompletion HvSNMPRequest2Controls::completion(void (HvSNMPRequest2Controls::*reply)(HvSNMPError*,
                                                                                          HvSNMPVarList*)) {
    std::weak_ptr<int> life = m_life;
    return [this, life, reply](HvSNMPError* error, HvSNMPVarList* list) {
        // An answer for an object that is being destroyed reaches nothing: its hooks are gone.
        if (life.expired()) return;
        (this->*reply)(error, list);
    };
}

void HvSNMPRequest2Controls::startAsyncGet(bool first) {
    request.getAsync(completion(&HvSNMPRequest2Controls::onAsyncGetReply), first);
}

namespace {

// Watches a synchronous operation's message callback for its first failure, passing every record on
// to the page's own callback; the page's callback is back in place when the watch ends.
struct FailureWatch {
    HvSNMPMessageCallback& slot;
    HvSNMPMessageCallback saved;
    std::optional<HvSNMPError> failure;
    bool unanswered = false;  // a failure that is not the agent's error status
    explicit FailureWatch(HvSNMPMessageCallback& callback) : slot(callback), saved(callback) {
        slot = [this](HvSNMPError* e) {
            if (e->code != 0) {
                if (!failure) failure = *e;
                if (e->code < -118 || e->code > -101) unanswered = true;
            }
            if (saved) saved(e);
        };
    }
    void restore() {
        if (active) slot = saved;
        active = false;
    }
    // The request went with its owner: nothing is left to restore.
    void release() { active = false; }
    ~FailureWatch() { restore(); }
    bool active = true;
    FailureWatch(const FailureWatch&) = delete;
    FailureWatch& operator=(const FailureWatch&) = delete;
};

}  // namespace

// A failed operation's result line goes to the result control, where the page's user looks; without
// one the page shows failures its own way (its message callback, its done handler).
void HvSNMPRequest2Controls::showFailedResult(HvSNMPError& error, int operation) {
    if (!resultControl()) return;
    if (operation == 0)
        showGetResult(&error);
    else
        showSetResult(&error);
}

bool HvSNMPRequest2Controls::get() {
    // A synchronous walk lets the page's handlers run between rows; one of them starting a read of
    // this same object would clear the rows and share the walk's position. It is refused.
    if (m_inSyncRead) return false;
    bool ok = true;
    lastOperation = 0;
    if (mode == 0 && skipSyncRead) {
        if (const HvSNMPError* why = skipSyncRead()) {
            HvSNMPError failure = *why;
            showFailedResult(failure, 0);
            return false;
        }
    }
    beforeGet();
    const std::string condition = rowCondition();
    rowCount = 0;
    m_rowsWalked = 0;
    try {
        if (mode == 0) {
            busy = true;
            // A page handler running between two rows may even delete this object; the walk stops then.
            const std::weak_ptr<int> life = m_life;
            struct ReadGuard {
                const std::weak_ptr<int>& life;
                bool& flag;
                ReadGuard(const std::weak_ptr<int>& l, bool& f) : life(l), flag(f) { flag = true; }
                ~ReadGuard() {
                    if (!life.expired()) flag = false;
                }
            } guard(life, m_inSyncRead);
            FailureWatch watch(request.messageCallback);
            if (!isWalk()) {
                // A read that got no answer (time-out, failed send, SNMPv3 report) keeps the values the
                // items had: it must not leave empty controls that a later write would send. An agent's
                // error answer still shows what it brought.
                std::vector<std::string> before;
                for (int32_t i = 0; i < request.varList.count(); ++i)
                    before.push_back(request.varList.item(i).value);
                request.get(&ok, true);
                watch.restore();
                const bool unanswered = watch.unanswered;
                if (!ok && unanswered && request.varList.count() == static_cast<int32_t>(before.size()))
                    for (int32_t i = 0; i < request.varList.count(); ++i)
                        request.varList.item(i).value = before[i];
                if (rowMatches(condition)) {
                    valuesToControls();
                    ++rowCount;
                }
            } else {
                bool first = true;
                while (request.get(&ok, first)) {
                    if (rowMatches(condition)) {
                        valuesToControls();
                        if (life.expired()) {
                            watch.release();
                            return false;
                        }
                        ++rowCount;
                    }
                    first = false;
                    if (!walkGoesOn()) break;
                }
                watch.restore();
            }
            afterGet();
            busy = false;
            unansweredRead.reset();
            if (!ok && watch.unanswered && watch.failure) unansweredRead = *watch.failure;
            if (ok) okRecord();
            if (!ok && watch.failure) showFailedResult(*watch.failure, 0);
            return ok;
        }
        if (mode == 1) {
            busy = true;
            if (request.alive())
                startAsyncGet(true);
            else
                busy = false;
            return true;
        }
        return true;
    } catch (const HvException& e) {
        busy = false;
        throw HvException(e.what(), e.helpContext());
    } catch (...) {
        busy = false;
        throw;
    }
}

bool HvSNMPRequest2Controls::set(bool reread, bool readControls, const std::string& indexList,
                                 const std::vector<std::string>* values) {
    if (m_inSyncRead) return false;
    bool ok = true;
    lastOperation = 1;
    this->reread = reread;
    beforeSet();
    if (readControls) controlsToValues();
    try {
        if (mode == 0) {
            busy = true;
            FailureWatch watch(request.messageCallback);
            request.set(&ok, false, indexList, values);
            watch.restore();
            afterSet();
            busy = false;
            if (ok) okRecord();
            if (!ok && watch.failure) showFailedResult(*watch.failure, 1);
            if (isWalk() && this->reread) get();
            return ok;
        }
        if (mode == 1) {
            busy = true;
            if (request.alive())
                request.setAsync(completion(&HvSNMPRequest2Controls::onAsyncSetReply), false, indexList,
                                 values);
            else
                busy = false;
            return true;
        }
        return true;
    } catch (const HvException& e) {
        busy = false;
        throw HvException(e.what(), e.helpContext());
    } catch (...) {
        busy = false;
        throw;
    }
}

namespace {

std::string messageOf(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return {};
    }
}

}  // namespace

// Completions run from the event loop's delivery of answers: nothing raised in them may go further.
// Busy is cleared first, then the failure is shown as the page would see it.
void HvSNMPRequest2Controls::endAsyncWithFailure(std::exception_ptr failure, int operation) {
    busy = false;
    lastOperation = operation;
    try {
        showFailure(messageOf(failure));
    } catch (...) {
        HvHandleException(std::current_exception());
    }
}

void HvSNMPRequest2Controls::onAsyncGetReply(HvSNMPError* error, HvSNMPVarList*) {
    std::weak_ptr<int> life = m_life;
    try {
        if (error->code != 0) {
            busy = false;
            lastOperation = 0;
            showFailedResult(*error, 0);
            if (life.expired()) return;
            if (onAsyncGetDone) {
                const HvRequestDoneEvent done = onAsyncGetDone;
                done(this, error);
            }
            return;
        }
        const std::string condition = rowCondition();
        if (isWalk() && !error->endOfWalk) {
            if (rowMatches(condition)) {
                valuesToControls();
                if (life.expired()) return;
                ++rowCount;
            }
            if (walkGoesOn() && request.alive() && !m_dying) {
                startAsyncGet(false);
                return;
            }
        } else if (!isWalk()) {
            if (rowMatches(condition)) {
                valuesToControls();
                ++rowCount;
            }
        }
        afterGet();
        busy = false;
        lastOperation = 0;
        okRecord();
        if (onAsyncGetDone) {
            const HvRequestDoneEvent done = onAsyncGetDone;
            done(this, error);
        }
    } catch (...) {
        // The page's done handler may have deleted this object before it raised.
        if (life.expired())
            HvHandleException(std::current_exception());
        else
            endAsyncWithFailure(std::current_exception(), 0);
    }
}

void HvSNMPRequest2Controls::onAsyncSetReply(HvSNMPError* error, HvSNMPVarList*) {
    std::weak_ptr<int> life = m_life;
    try {
        if (error->code != 0) {
            busy = false;
            lastOperation = 1;
            showFailedResult(*error, 1);
            if (life.expired()) return;
            if (onAsyncSetDone) {
                const HvRequestDoneEvent done = onAsyncSetDone;
                done(this, error);
            }
            return;
        }
        afterSet();
        busy = false;
        lastOperation = 1;
        okRecord();
        if (onAsyncSetDone) {
            const HvRequestDoneEvent done = onAsyncSetDone;
            done(this, error);
            if (life.expired()) return;
        }
        if (isWalk() && reread) get();
    } catch (...) {
        if (life.expired())
            HvHandleException(std::current_exception());
        else
            endAsyncWithFailure(std::current_exception(), 1);
    }
}
