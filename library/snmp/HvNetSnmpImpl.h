#pragma once

// The net-snmp transport's state, shared by its files: the operations, their outcomes, and the
// sessions per target. Only library/snmp/ includes this.

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>
#include <net-snmp/library/large_fd_set.h>

#include "library/snmp/HvNetSnmpTransport.h"
#include "library/snmp/HvOidText.h"
#include "library/snmp/HvUsmKey.h"

namespace HvNetSnmpState {

using Clock = std::chrono::steady_clock;

struct Outcome {
    uint64_t id = 0;
    const netsnmp_session* session = nullptr;  // which of the operation's sends it answers
    int32_t status = 0;
    int32_t errorIndex = 0;
    bool answered = false;  // a response PDU whose bindings count
    bool report = false;
    std::vector<HvVarBind> varbinds;
    std::string agentAddress;
    uint16_t agentPort = 0;
    std::string engineId;
};

struct Op {
    uint64_t id = 0;
    HvSnmpCall call;
    bool async = false;
    bool ownerless = true;
    std::weak_ptr<const void> owner;
    HvSnmpCompletion completion;
    std::string dotted;
    // The bindings' names as arcs, one after another; name k ends at nameEnds[k].
    std::vector<oid> arcs;
    std::vector<std::size_t> nameEnds;
    // Every name's text is the one the answers' names are written as: an answer that names the
    // same arcs takes the text instead of writing it again.
    bool namesWritten = false;
    bool probing = false;
    void* session = nullptr;  // where the outstanding PDU went
    const netsnmp_session* sent = nullptr;
    bool rediscovered = false;
    int32_t lastReport = 0;
    bool authFailed = false;  // an answer came that failed authentication
    Clock::time_point deadline;
    bool done = false;
    HvSnmpReply reply;

    // Ready for another operation: every field but the call, which the next one's replaces, and
    // with the room of the names kept.
    void reuse() {
        id = 0;
        async = false;
        ownerless = true;
        owner.reset();
        completion = nullptr;
        dotted.clear();
        arcs.clear();
        nameEnds.clear();
        namesWritten = false;
        probing = false;
        session = nullptr;
        sent = nullptr;
        rediscovered = false;
        lastReport = 0;
        authFailed = false;
        deadline = {};
        done = false;
        reply = HvSnmpReply{};
    }
};

// The names of the last answer, as text and as arcs. A walk's next request names them again, a
// repeated get names what it named before: each is taken from here rather than parsed once more.
class NameCache {
public:
    void clear() {
        m_text.clear();
        m_textEnds.clear();
        m_arcs.clear();
        m_arcEnds.clear();
    }
    void add(std::string_view text, const oid* name, std::size_t length) {
        m_text.append(text);
        m_textEnds.push_back(m_text.size());
        m_arcs.insert(m_arcs.end(), name, name + length);
        m_arcEnds.push_back(m_arcs.size());
    }
    // Name k's arcs into out when its text is text; their number, or 0.
    std::size_t find(std::size_t k, std::string_view text, oid* out) const {
        if (k >= m_textEnds.size()) return 0;
        const std::size_t begin = k ? m_textEnds[k - 1] : 0;
        if (std::string_view(m_text).substr(begin, m_textEnds[k] - begin) != text) return 0;
        const std::size_t first = k ? m_arcEnds[k - 1] : 0;
        std::copy(m_arcs.begin() + first, m_arcs.begin() + m_arcEnds[k], out);
        return m_arcEnds[k] - first;
    }

private:
    std::string m_text;
    std::vector<std::size_t> m_textEnds;
    std::vector<oid> m_arcs;
    std::vector<std::size_t> m_arcEnds;
};

struct Due {
    bool ownerless = true;
    std::weak_ptr<const void> owner;
    HvSnmpCompletion completion;
    HvSnmpReply reply;
};

// One target's sessions, and for SNMPv3 the user they speak as.
struct Sessions {
    void* sync = nullptr;
    void* async = nullptr;
    std::string agent;  // "a.b.c.d:port"
    std::string key;    // the target key they are kept under
    std::string engineId;
    std::string userName;
    int32_t level = 1;
    const oid* authProto = nullptr;
    const oid* privProto = nullptr;
    std::size_t privProtoLength = 0;
    std::string authKul, privKul;
};

// A first-in first-out queue over one vector: once emptied it starts again at the front, so that
// an answer at a time queues and takes without allocating. Entries are moved out, never referenced
// across a push.
template <typename T>
class Fifo {
public:
    bool empty() const { return m_head == m_items.size(); }
    std::size_t size() const { return m_items.size() - m_head; }
    void push(T item) { m_items.push_back(std::move(item)); }
    T take() {
        T item = std::move(m_items[m_head++]);
        if (m_head == m_items.size()) {
            m_items.clear();
            m_head = 0;
        }
        return item;
    }

private:
    std::vector<T> m_items;
    std::size_t m_head = 0;
};

inline bool ownerIsEmpty(const std::weak_ptr<const void>& owner) {
    std::weak_ptr<const void> empty;
    return !owner.owner_before(empty) && !empty.owner_before(owner);
}

}  // namespace HvNetSnmpState

struct HvNetSnmpTransport::Impl {
    using Op = HvNetSnmpState::Op;
    using Outcome = HvNetSnmpState::Outcome;
    using Due = HvNetSnmpState::Due;
    using Sessions = HvNetSnmpState::Sessions;
    using Clock = HvNetSnmpState::Clock;

    uint64_t nextId = 1;
    std::unordered_map<uint64_t, std::shared_ptr<Op>> ops;
    // The node of the last operation that ended, for the next one: no allocation per operation.
    std::unordered_map<uint64_t, std::shared_ptr<Op>>::node_type spareNode;
    std::vector<std::shared_ptr<Op>> finished;  // asynchronous and ended; recycled after the next send
    // Ended operations nobody holds, cleared but with the room of their names' arcs, for new ones.
    std::vector<std::shared_ptr<Op>> spareOps;
    static constexpr std::size_t kSpareOps = 4;
    HvNetSnmpState::NameCache lastNames;
    HvNetSnmpState::Fifo<Outcome> inbox;
    HvNetSnmpState::Fifo<Due> due;
    std::map<std::string, Sessions> sessions;    // by target key
    std::map<std::string, std::string> engines;  // agent "a.b.c.d:port" -> engine ID
    std::map<std::string, std::string>
        usmOwner;  // engine ID + user name -> target key whose keys are installed
    std::map<std::string, std::string> resolved;  // address text -> dotted
    // The address resolved last: each send checks it twice, once for the caller and once to go.
    std::string lastAddress, lastDotted;
    // The agent that answered last, and its address as text: written once, not per answer.
    in_addr_t lastAgent = 0;
    std::string lastAgentText;
    const std::string& agentText(const in_addr& address) {
        if (lastAgentText.empty() || address.s_addr != lastAgent) {
            lastAgentText = HvNetSnmpConv::dottedOf(address);
            lastAgent = address.s_addr;
        }
        return lastAgentText;
    }
    // The target whose sessions were found last, and where (a map node stays put until erased).
    struct LastTarget {
        Sessions* sessions = nullptr;
        std::string dotted, securityName, authPassword, privPassword;
        uint16_t port = 0;
        int32_t version = 0, securityLevel = 0, authProtocol = 0, privProtocol = 0;
        bool matches(const Op& op) const;
    } lastTarget;
    std::map<std::string, std::string> kuCache;   // protocol + password -> Ku
    // Discovery sessions, one per agent for synchronous and one for asynchronous probes, kept for the
    // agent's next discovery: a device that stays silent is not asked from a new port each time.
    std::map<std::string, void*> probes;  // agent + "\ns" or "\na"
    std::vector<void*> probeSessions;     // the same sessions, as polled
    // Per agent, SNMPv3 operations that timed out in a row since it last said anything. A lost
    // answer is no reason to learn the engine ID again; a run of them may be a swapped device.
    std::map<std::string, int> silentRuns;
    static constexpr int kSilentRunsBeforeRediscovery = 3;
    std::vector<void*> retired;  // replaced sessions, closed once nothing is pending on them
    std::vector<void*> toClose;
    bool closing = false;
    bool inPump = false;
    uint64_t generation = 0;

    static int callback(int operation, netsnmp_session* sp, int reqid, netsnmp_pdu* pdu, void* magic);

    void queue(Outcome o) { inbox.push(std::move(o)); }
    std::shared_ptr<Op> newOp();
    void recycle(std::shared_ptr<Op>& op);
    void recycleFinished();
    void track(const std::shared_ptr<Op>& op);
    std::shared_ptr<Op> untrack(std::unordered_map<uint64_t, std::shared_ptr<Op>>::iterator it);
    void readBindings(Outcome& o, const netsnmp_pdu* pdu);
    bool resolve(const std::string& text, std::string& dotted);
    int32_t start(const std::shared_ptr<Op>& op);
    int32_t sendProbe(Op& op);
    int32_t sendReal(Op& op);
    int32_t sessionsFor(Op& op, Sessions*& out);
    void installUser(const std::string& key, Sessions& s);
    std::string ku(HvUsmHash hash, const std::string& password);
    // A polled session's socket does not block: the pump reads it on its notifier's word alone.
    void* openSession(netsnmp_session& s, int32_t& status, bool polled);
    void handleInbox();
    void handle(Outcome& o);
    void finish(Op& op, HvSnmpReply reply);
    HvSnmpReply failureReply(const Op& op, int32_t status) const;
    void watchdog();
    void closeDeferred();
    void closeLater(void* sess) {
        if (sess && std::find(toClose.begin(), toClose.end(), sess) == toClose.end()) toClose.push_back(sess);
    }
    static std::string agentOf(const Op& op) { return op.dotted + ':' + std::to_string(op.call.target.port); }
    void forgetAgent(const std::string& agent);
    void heardFrom(const std::string& agent) { silentRuns.erase(agent); }
    void timedOut(const Op& op);
    void rediscoverFrom(void* sess);
    void releaseRetired();
    void waitFor(Op& op);
    void pollSession(void* sess, bool wait, Clock::time_point until);
    void readSession(void* sess, netsnmp_large_fd_set& fds);
    void readSocket(int fd);
    std::vector<void*> polledSessions() const;
    void* polledSessionOf(int fd) const;
    void pass(int fd);
    int32_t expiryStatus(const Op& op) const;
    void closeAll();
};

