#pragma once

#include <QPointer>

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "library/HvSNMPError.h"
#include "library/HvSNMPRequest.h"
#include "platform/forms/Controls.h"
#include "platform/forms/Form.h"

class HvSNMPRequest2Controls;

// The completion of an asynchronous get or set: the sender and the outcome (code 0 on success).
using HvRequestDoneEvent = std::function<void(HvSNMPRequest2Controls* sender, HvSNMPError* error)>;

// Turns a condition text into the condition every received row must satisfy.
class HvConditionProvider {
public:
    virtual ~HvConditionProvider() = default;
    virtual std::string condition(const std::string& text, int32_t mode, const std::string& extra) = 0;
};

// A form in front of one request: reads and writes synchronously (the call returns with the answer)
// or asynchronously (a completion runs later from the event loop), keeps the busy flag pages test,
// walks tables row by row into valuesToControls, takes the controls' values before a write, and writes
// result lines. It has no controls of its own; HvSNMPRequest2Edits implements the hooks.
//
// SNMP failures are never raised: get and set return false, or the done event gets the error. Build
// and conversion failures raise HvException, after busy has been cleared. Nothing that a completion
// raises leaves it: it ends up in the result line or a message box.
class HvSNMPRequest2Controls {
public:
    HvSNMPRequest request;
    HvRequestDoneEvent onAsyncGetDone;
    HvRequestDoneEvent onAsyncSetDone;
    uint8_t mode = 1;  // 0 synchronous, 1 asynchronous; anything else sends nothing
    bool busy = false;
    forms::Form* owner = nullptr;
    int32_t rowCount = 0;
    // A walk ends, as at the table's end, once this many rows have come (0: no limit): a device that
    // serves rows without end cannot keep a request busy for ever.
    int32_t maxRows = 0;
    int32_t lastOperation = 0;  // 0 get, 1 set: picks the result-line template
    // The last synchronous read got no answer at all (time-out, failed send, SNMPv3 report): its
    // failure, for a page that stops asking a device that does not answer.
    std::optional<HvSNMPError> unansweredRead;
    // Asked before each synchronous read: a failure to report instead of sending, or null to read.
    std::function<const HvSNMPError*()> skipSyncRead;
    bool reread = true;  // after a set of a walk list, read the list again
    HvConditionProvider* conditionProvider = nullptr;
    std::string conditionText;

    explicit HvSNMPRequest2Controls(forms::Form* owner);
    virtual ~HvSNMPRequest2Controls();
    HvSNMPRequest2Controls(const HvSNMPRequest2Controls&) = delete;
    HvSNMPRequest2Controls& operator=(const HvSNMPRequest2Controls&) = delete;

    // Where result lines go: a status bar (its simple text), a status panel or a memo (a new line).
    void setStatusBar(forms::ResultSink* control) { setResultControl(control); }
    void setMessagePanel(forms::ResultSink* control) { setResultControl(control); }
    forms::ResultSink* resultControl() const;

    // One result line from the template of lastOperation.
    void showStatus(const std::string& errorText);

    bool get();
    bool set(bool reread, bool readControls, const std::string& indexList = std::string(),
             const std::vector<std::string>* values = nullptr);
    std::string rowCondition();

    virtual void beforeGet() {}
    virtual void beforeSet() {}
    virtual void valuesToControls() = 0;
    virtual void controlsToValues() {}
    virtual void showGetResult(HvSNMPError* error);
    virtual void showSetResult(HvSNMPError* error);
    virtual void afterGet() {}
    virtual void afterSet() {}

protected:
    // The most-derived destructor calls this first: from then on no answer reaches the hooks, whose
    // overrides are going away.
    void beginDestruction();
    bool dying() const { return m_dying; }

private:
    void setResultControl(forms::ResultSink* control);
    bool isWalk() const;
    bool rowMatches(const std::string& condition);
    void okRecord();
    // Counts a row received by a walk; true when the walk may ask for another one.
    bool walkGoesOn();
    void showResult(HvSNMPError* error);
    void showFailure(const std::string& message);
    void showFailedResult(HvSNMPError& error, int operation);
    void startAsyncGet(bool first);
    // An asynchronous operation that raised: busy cleared, the message shown.
    void endAsyncWithFailure(std::exception_ptr failure, int operation);
    void onAsyncGetReply(HvSNMPError* error, HvSNMPVarList* list);
    void onAsyncSetReply(HvSNMPError* error, HvSNMPVarList* list);
    HvSNMPCompletion completion(void (HvSNMPRequest2Controls::*reply)(HvSNMPError*, HvSNMPVarList*));

    forms::ResultSink* m_resultControl = nullptr;
    QPointer<QObject> m_resultWidget;  // set when the sink is a widget, which may go first
    bool m_hasResultWidget = false;
    bool m_dying = false;
    bool m_inSyncRead = false;
    int32_t m_rowsWalked = 0;  // rows received by the walk under way, shown or not
    std::shared_ptr<int> m_life = std::make_shared<int>(0);
};
