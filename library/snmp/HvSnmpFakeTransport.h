#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "library/snmp/HvSnmpTransport.h"

// A transport that answers from a script, for tests of the layers above the transport. Every call
// is recorded. Asynchronous answers are held until processPending(), as the network would hold them.
class HvSnmpFakeTransport final : public HvSnmpTransport {
public:
    using Responder = std::function<HvSnmpReply(const HvSnmpCall&)>;

    // Replies are used in order; when none is left the responder answers; without one, every call
    // times out.
    void pushReply(HvSnmpReply reply) { m_script.push_back(std::move(reply)); }
    void setResponder(Responder responder) { m_responder = std::move(responder); }
    // What sendAsync returns from now on; a failed send still ends in one completion, with that status.
    void setSendStatus(int32_t status) { m_sendStatus = status; }
    void addInvalidAddress(const std::string& address) { m_invalid.insert(address); }
    // While held, asynchronous answers stay pending across processPending().
    void setHold(bool hold) { m_hold = hold; }

    const std::vector<HvSnmpCall>& calls() const { return m_calls; }
    void clearCalls() { m_calls.clear(); }

    // The reply of a failed operation: the call's bindings, OIDs as sent, Null values.
    static HvSnmpReply failureReply(const HvSnmpCall& call, int32_t status);

    bool checkAddress(const std::string& address) override { return !m_invalid.count(address); }
    HvSnmpReply sendSync(const HvSnmpCall& call) override;
    int32_t sendAsync(HvSnmpCall call, std::weak_ptr<const void> owner,
                      HvSnmpCompletion completion) override;
    void processPending() override;
    std::vector<int> pollDescriptors() const override { return {}; }
    uint64_t socketsGeneration() const override { return 0; }
    std::size_t pendingCount() const override { return m_pending.size(); }

private:
    struct Pending {
        bool ownerless = true;
        std::weak_ptr<const void> owner;
        HvSnmpCompletion completion;
        HvSnmpReply reply;
    };
    HvSnmpReply answer(const HvSnmpCall& call);

    std::deque<HvSnmpReply> m_script;
    Responder m_responder;
    int32_t m_sendStatus = 0;
    std::set<std::string> m_invalid;
    bool m_hold = false;
    std::vector<HvSnmpCall> m_calls;
    std::deque<Pending> m_pending;
};
