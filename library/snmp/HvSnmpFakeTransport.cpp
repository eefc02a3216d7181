#include "library/snmp/HvSnmpFakeTransport.h"

#include <utility>

HvSnmpReply HvSnmpFakeTransport::failureReply(const HvSnmpCall& call, int32_t status) {
    HvSnmpReply r;
    r.status = status;
    r.agentAddress = call.target.address;
    r.agentPort = call.target.port;
    for (const HvVarBind& vb : call.varbinds) {
        HvVarBind echo;
        echo.oid = vb.oid;
        r.varbinds.push_back(std::move(echo));
    }
    return r;
}

HvSnmpReply HvSnmpFakeTransport::answer(const HvSnmpCall& call) {
    m_calls.push_back(call);
    if (!m_invalid.empty() && m_invalid.count(call.target.address))
        return failureReply(call, HvSnmpStatus::InvalidAddress);
    HvSnmpReply reply;
    if (!m_script.empty()) {
        reply = std::move(m_script.front());
        m_script.pop_front();
    } else if (m_responder) {
        reply = m_responder(call);
    } else {
        return failureReply(call, HvSnmpStatus::Timeout);
    }
    if (reply.agentAddress.empty()) {
        reply.agentAddress = call.target.address;
        reply.agentPort = call.target.port;
    }
    return reply;
}

HvSnmpReply HvSnmpFakeTransport::sendSync(const HvSnmpCall& call) {
    return answer(call);
}

int32_t HvSnmpFakeTransport::sendAsync(HvSnmpCall call, std::weak_ptr<const void> owner,
                                       HvSnmpCompletion completion) {
    Pending p;
    std::weak_ptr<const void> empty;
    p.ownerless = !owner.owner_before(empty) && !empty.owner_before(owner);
    p.owner = std::move(owner);
    p.completion = std::move(completion);
    if (m_sendStatus != 0) {
        m_calls.push_back(call);
        p.reply = failureReply(call, m_sendStatus);
    } else {
        p.reply = answer(call);
    }
    p.reply.sent = std::move(call.varbinds);
    m_pending.push_back(std::move(p));
    return m_sendStatus;
}

void HvSnmpFakeTransport::processPending() {
    if (m_hold) return;
    // Only what was pending on entry: a completion that sends again is answered on a later call.
    std::size_t n = m_pending.size();
    while (n-- > 0 && !m_pending.empty()) {
        Pending p = std::move(m_pending.front());
        m_pending.pop_front();
        if (!p.completion || (!p.ownerless && p.owner.expired())) continue;
        p.completion(p.reply);
    }
}
