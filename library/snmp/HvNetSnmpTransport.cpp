#include "library/snmp/HvNetSnmpTransport.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <exception>
#include <map>
#include <unordered_map>
#include <utility>

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>
#include <net-snmp/library/large_fd_set.h>
#include <net-snmp/library/snmp_transport.h>
#include <net-snmp/library/snmpusm.h>
#include <net-snmp/library/snmpv3.h>
#include <net-snmp/library/transform_oids.h>

#include "library/snmp/HvNetSnmpConv.h"
#include "library/snmp/HvNetSnmpImpl.h"

using namespace HvNetSnmpConv;
using namespace HvNetSnmpState;
namespace St = HvSnmpStatus;

namespace {
HvNetSnmpTransport::Impl* g_impl = nullptr;
}

int HvNetSnmpTransport::Impl::callback(int operation, netsnmp_session* sp, int, netsnmp_pdu* pdu,
                                       void* magic) {
    Impl* self = g_impl;
    if (!self) return 1;
    Outcome o;
    o.id = reinterpret_cast<uintptr_t>(magic);
    o.session = sp;
    switch (operation) {
        case NETSNMP_CALLBACK_OP_RECEIVED_MESSAGE:
        case NETSNMP_CALLBACK_OP_SEC_ERROR:
            // net-snmp hands SNMPv3 reports over as security errors, with the report PDU.
            if (!pdu) {
                o.status = statusOfError(sp ? sp->s_snmp_errno : 0, St::UsmError);
                break;
            }
            if (pdu->securityEngineID && pdu->securityEngineIDLen)
                o.engineId.assign(reinterpret_cast<const char*>(pdu->securityEngineID),
                                  pdu->securityEngineIDLen);
            if (pdu->command == SNMP_MSG_REPORT) {
                o.report = true;
                o.status = statusOfReport(pdu);
                if (o.status == St::UsmNotInTimeWindow) {
                    // net-snmp has taken the engine's time from the report and resends by itself.
                    auto it = self->ops.find(o.id);
                    if (it != self->ops.end()) it->second->lastReport = o.status;
                    return 1;
                }
            } else if (operation == NETSNMP_CALLBACK_OP_SEC_ERROR) {
                o.status = statusOfError(sp ? sp->s_snmp_errno : 0, St::UsmError);
            } else {
                o.answered = true;
                o.status = static_cast<int32_t>(pdu->errstat);
                o.errorIndex = static_cast<int32_t>(pdu->errindex);
                self->readBindings(o, pdu);
            }
            if (pdu->transport_data && pdu->transport_data_length >= static_cast<int>(sizeof(sockaddr_in))) {
                const auto* pair = static_cast<const netsnmp_indexed_addr_pair*>(pdu->transport_data);
                if (pair->remote_addr.sa.sa_family == AF_INET) {
                    o.agentAddress = self->agentText(pair->remote_addr.sin.sin_addr);
                    o.agentPort = ntohs(pair->remote_addr.sin.sin_port);
                }
            }
            break;
        case NETSNMP_CALLBACK_OP_TIMED_OUT:
            o.status = self->closing ? St::SessionClosed : St::Timeout;
            break;
        case NETSNMP_CALLBACK_OP_SEND_FAILED:
            o.status = St::SendFailed;
            break;
        case NETSNMP_CALLBACK_OP_DISCONNECT:
            o.status = St::SessionClosed;
            break;
        default:
            return 1;
    }
    self->queue(std::move(o));
    return 1;
}

// The answer's bindings. A name that is the one its request sent at the same place takes the sent
// text, when that is as it would be written; every name goes to lastNames for the next request.
void HvNetSnmpTransport::Impl::readBindings(Outcome& o, const netsnmp_pdu* pdu) {
    const Op* op = nullptr;
    if (auto it = ops.find(o.id); it != ops.end() && it->second->namesWritten) op = it->second.get();
    std::size_t count = 0;
    for (const netsnmp_variable_list* v = pdu->variables; v; v = v->next_variable) ++count;
    o.varbinds.reserve(count);
    lastNames.clear();
    std::size_t k = 0;
    for (const netsnmp_variable_list* v = pdu->variables; v; v = v->next_variable, ++k) {
        const std::string* sent = nullptr;
        if (op && k < op->nameEnds.size()) {
            const std::size_t begin = k ? op->nameEnds[k - 1] : 0;
            const std::size_t length = op->nameEnds[k] - begin;
            if (length == v->name_length && std::equal(v->name, v->name + length, op->arcs.data() + begin))
                sent = &op->call.varbinds[k].oid;
        }
        fromNetSnmp(v, o.varbinds.emplace_back(), sent);
        // A name parseOid() would refuse is kept empty, so that it is parsed, and refused, again.
        const bool parsable = v->name_length >= 2 && v->name_length <= kMaxOidArcs;
        lastNames.add(parsable ? std::string_view(o.varbinds.back().oid) : std::string_view(), v->name,
                      parsable ? v->name_length : 0);
    }
}

HvSnmpReply HvNetSnmpTransport::Impl::failureReply(const Op& op, int32_t status) const {
    HvSnmpReply r;
    r.status = status;
    r.agentAddress = op.dotted.empty() ? op.call.target.address : op.dotted;
    r.agentPort = op.call.target.port;
    for (const HvVarBind& vb : op.call.varbinds) {
        HvVarBind echo;
        echo.oid = vb.oid;
        r.varbinds.push_back(std::move(echo));
    }
    return r;
}

void HvNetSnmpTransport::Impl::finish(Op& op, HvSnmpReply reply) {
    if (op.done) return;
    op.done = true;
    if (op.async) {
        Due d;
        d.ownerless = op.ownerless;
        d.owner = std::move(op.owner);
        d.completion = std::move(op.completion);
        d.reply = std::move(reply);
        d.reply.sent = std::move(op.call.varbinds);
        due.push(std::move(d));
    } else {
        op.reply = std::move(reply);
    }
    auto it = ops.find(op.id);
    if (it == ops.end()) return;
    // An asynchronous operation is recycled once the next send has gone out, or by the next pass of
    // the timer: the completion of its answer, which sends the next request, need not wait for that.
    std::shared_ptr<Op> ended = untrack(it);
    if (op.async) finished.push_back(std::move(ended));
}

std::shared_ptr<HvNetSnmpState::Op> HvNetSnmpTransport::Impl::newOp() {
    std::shared_ptr<Op> op;
    if (spareOps.empty()) {
        op = std::make_shared<Op>();
    } else {
        op = std::move(spareOps.back());
        spareOps.pop_back();
    }
    op->id = nextId++;
    return op;
}

// An ended operation that nothing else holds is cleared for a new one; the room of its arcs stays.
void HvNetSnmpTransport::Impl::recycle(std::shared_ptr<Op>& op) {
    if (op.use_count() != 1 || spareOps.size() >= kSpareOps) {
        op.reset();
        return;
    }
    op->reuse();
    spareOps.push_back(std::move(op));
}

void HvNetSnmpTransport::Impl::recycleFinished() {
    for (auto& op : finished) recycle(op);
    finished.clear();
}

void HvNetSnmpTransport::Impl::track(const std::shared_ptr<Op>& op) {
    if (!spareNode) {
        ops.emplace(op->id, op);
        return;
    }
    spareNode.key() = op->id;
    spareNode.mapped() = op;
    ops.insert(std::move(spareNode));
}

// Takes the operation out of the table, keeping its node for the next one.
std::shared_ptr<HvNetSnmpState::Op> HvNetSnmpTransport::Impl::untrack(
    std::unordered_map<uint64_t, std::shared_ptr<Op>>::iterator it) {
    auto node = ops.extract(it);
    std::shared_ptr<Op> op = std::move(node.mapped());
    spareNode = std::move(node);
    return op;
}

int32_t HvNetSnmpTransport::Impl::start(const std::shared_ptr<Op>& op) {
    const HvSnmpTarget& t = op->call.target;
    if (t.version != 0 && t.version != 1 && t.version != 3) return St::InvalidTarget;
    if (!resolve(t.address, op->dotted)) return St::InvalidAddress;
    if (t.version == 3) {
        if (t.securityModel != 3) return St::UnsupportedSecurityModel;
        if (t.securityLevel < 1 || t.securityLevel > 3) return St::UsmUnsupportedSecurityLevel;
        if (t.securityLevel >= 2) {
            if (!HvUsmHashOfProtocol(t.authProtocol)) return St::UsmUnsupportedAuthProtocol;
            if (t.authPassword.empty()) return St::UsmError;
        }
        if (t.securityLevel == 3) {
            if (!privProtocolOf(t.privProtocol).proto) return St::UsmUnsupportedPrivProtocol;
            if (t.privPassword.empty()) return St::UsmError;
        }
    }
    op->arcs.clear();
    op->nameEnds.clear();
    op->nameEnds.reserve(op->call.varbinds.size());
    // Room for names of the usual length, so that a get of many objects does not regrow it per name.
    op->arcs.reserve(op->call.varbinds.size() * 16);
    oid name[MAX_OID_LEN];
    bool written = true;
    for (std::size_t k = 0; k < op->call.varbinds.size(); ++k) {
        const std::string& text = op->call.varbinds[k].oid;
        std::size_t n = lastNames.find(k, text, name);
        if (n == 0) {
            written = false;
            n = parseOid(text, name);
        }
        if (n == 0) return St::InvalidOid;
        op->arcs.insert(op->arcs.end(), name, name + n);
        op->nameEnds.push_back(op->arcs.size());
    }
    op->namesWritten = written;
    track(op);
    int32_t status = (t.version == 3 && !engines.count(agentOf(*op))) ? sendProbe(*op) : sendReal(*op);
    if (status != 0) {
        auto it = ops.find(op->id);
        if (it != ops.end()) untrack(it);
    }
    return status;
}

// Only the engine ID is forgotten: the agent's sessions are replaced when next used, so that
// operations still pending on them are not cut off.
void HvNetSnmpTransport::Impl::forgetAgent(const std::string& agent) {
    engines.erase(agent);
    silentRuns.erase(agent);
}

// An SNMPv3 operation ended without a word from its agent. A lost answer is no reason to learn the
// engine ID again; a run of them is: a swapped device whose reports went astray is heard only as
// silence.
void HvNetSnmpTransport::Impl::timedOut(const Op& op) {
    if (op.call.target.version != 3 || op.probing) return;
    const std::string agent = agentOf(op);
    if (op.lastReport || op.authFailed) {
        // It spoke, but not as the agent we know: a time window it rejects, or keys it does not take.
        forgetAgent(agent);
        return;
    }
    if (++silentRuns[agent] >= kSilentRunsBeforeRediscovery) forgetAgent(agent);
}

void HvNetSnmpTransport::Impl::releaseRetired() {
    for (auto it = retired.begin(); it != retired.end();) {
        bool used = false;
        for (const auto& [id, op] : ops) used = used || op->session == *it;
        if (used) {
            ++it;
        } else {
            closeLater(*it);
            it = retired.erase(it);
        }
    }
}

void HvNetSnmpTransport::Impl::handle(Outcome& o) {
    auto it = ops.find(o.id);
    if (it == ops.end()) return;  // already finished: a late or second word on it
    std::shared_ptr<Op> keep = it->second;
    Op& op = *keep;
    if (o.session != op.sent) return;  // about the discovery that preceded the send
    if ((o.answered || o.report) && !silentRuns.empty()) heardFrom(agentOf(op));
    if (op.probing) {
        const std::string agent = agentOf(op);
        if (!o.engineId.empty() && (o.report || o.status == 0)) {
            engines[agent] = o.engineId;
            int32_t status = sendReal(op);
            if (status != 0) finish(op, failureReply(op, status));
        } else {
            finish(op, failureReply(op, o.status != 0 ? o.status : St::UsmUnknownEngineId));
        }
        return;
    }
    if (o.report && o.status == St::UsmUnknownEngineId && !op.rediscovered) {
        // The device was replaced or reset under the same address: learn its engine ID once more.
        op.rediscovered = true;
        forgetAgent(agentOf(op));
        int32_t status = sendProbe(op);
        if (status != 0) finish(op, failureReply(op, status));
        return;
    }
    if (!o.answered && o.status == St::Timeout) timedOut(op);
    HvSnmpReply reply;
    if (o.answered) {
        reply.status = o.status;
        reply.errorIndex = o.errorIndex;
        reply.varbinds = std::move(o.varbinds);
        reply.agentAddress = o.agentAddress.empty() ? op.dotted : o.agentAddress;
        reply.agentPort = o.agentAddress.empty() ? op.call.target.port : o.agentPort;
    } else {
        const bool wrongKey = o.status == St::Timeout && op.authFailed;
        reply = failureReply(op, wrongKey ? St::UsmAuthenticationFailure : o.status);
        if (!o.agentAddress.empty()) {
            reply.agentAddress = o.agentAddress;
            reply.agentPort = o.agentPort;
        }
    }
    finish(op, std::move(reply));
}

// Another engine answered on a session: the unknownEngineID report of a device swapped under the
// same address. What waits there learns the agent's engine ID again now, once per operation, rather
// than timing out first.
void HvNetSnmpTransport::Impl::rediscoverFrom(void* sess) {
    std::vector<std::shared_ptr<Op>> waiting;
    for (auto& [id, op] : ops)
        if (op->session == sess && !op->probing && !op->rediscovered && op->call.target.version == 3)
            waiting.push_back(op);
    for (auto& op : waiting) {
        op->rediscovered = true;
        forgetAgent(agentOf(*op));
        int32_t status = sendProbe(*op);
        if (status != 0) finish(*op, failureReply(*op, status));
    }
}

void HvNetSnmpTransport::Impl::handleInbox() {
    while (!inbox.empty()) {
        Outcome o = inbox.take();
        handle(o);
    }
}

void HvNetSnmpTransport::Impl::watchdog() {
    const auto now = Clock::now();
    std::vector<std::shared_ptr<Op>> late;
    for (auto& [id, op] : ops)
        if (now >= op->deadline) late.push_back(op);
    for (auto& op : late) {
        timedOut(*op);
        finish(*op, failureReply(*op, expiryStatus(*op)));
    }
}

// An operation that ran out of time: when every answer it had failed authentication, the wrong
// key is the cause, not the network.
int32_t HvNetSnmpTransport::Impl::expiryStatus(const Op& op) const {
    if (op.lastReport) return op.lastReport;
    return op.authFailed ? St::UsmAuthenticationFailure : St::Timeout;
}

void HvNetSnmpTransport::Impl::closeDeferred() {
    while (!toClose.empty()) {
        void* sess = toClose.back();
        toClose.pop_back();
        if (!sess) continue;
        probeSessions.erase(std::remove(probeSessions.begin(), probeSessions.end(), sess),
                            probeSessions.end());
        std::erase_if(probes, [sess](const auto& entry) { return entry.second == sess; });
        // Closing calls the callback of every request still pending on it: they end as closed.
        bool wasClosing = closing;
        closing = true;
        snmp_sess_close(sess);
        closing = wasClosing;
        ++generation;
        handleInbox();
    }
}

// Reads what has arrived on one session and lets net-snmp handle its time-outs. With wait, blocks
// until something arrives, the session's next time-out, or until.
void HvNetSnmpTransport::Impl::pollSession(void* sess, bool wait, Clock::time_point until) {
    netsnmp_large_fd_set fds;
    netsnmp_large_fd_set_init(&fds, FD_SETSIZE);
    NETSNMP_LARGE_FD_ZERO(&fds);
    int numfds = 0;
    // Given 0, net-snmp would keep the zero time-out it was handed: the wait below would spin.
    int block = 1;
    timeval tv{};
    snmp_sess_select_info2(sess, &numfds, &fds, &tv, &block);
    timeval limit{};
    if (wait) {
        auto left = std::chrono::duration_cast<std::chrono::microseconds>(until - Clock::now()).count();
        if (left < 0) left = 0;
        limit.tv_sec = left / 1000000;
        limit.tv_usec = left % 1000000;
        if (!block && (tv.tv_sec < limit.tv_sec || (tv.tv_sec == limit.tv_sec && tv.tv_usec < limit.tv_usec)))
            limit = tv;
    }
    int n = netsnmp_large_fd_set_select(numfds, &fds, nullptr, nullptr, &limit);
    if (n > 0) readSession(sess, fds);
    snmp_sess_timeout(sess);
    netsnmp_large_fd_set_cleanup(&fds);
}

void HvNetSnmpTransport::Impl::readSession(void* sess, netsnmp_large_fd_set& fds) {
    // net-snmp drops an answer that fails authentication, or that comes from an engine none of our
    // users belongs to, and only counts it; the counts tell.
    const u_int wrongDigests = snmp_get_statistic(STAT_USMSTATSWRONGDIGESTS);
    const u_int strangers = snmp_get_statistic(STAT_USMSTATSUNKNOWNUSERNAMES);
    snmp_sess_read2(sess, &fds);
    if (snmp_get_statistic(STAT_USMSTATSWRONGDIGESTS) != wrongDigests)
        for (auto& [id, op] : ops)
            if (op->session == sess && !op->probing) op->authFailed = true;
    if (snmp_get_statistic(STAT_USMSTATSUNKNOWNUSERNAMES) != strangers) rediscoverFrom(sess);
}

// The socket's notifier said it is readable: it is read without asking again. The polled sockets
// do not block, so a datagram that another pass took meanwhile reads back as nothing.
void HvNetSnmpTransport::Impl::readSocket(int fd) {
    void* sess = polledSessionOf(fd);
    if (!sess) return;
    netsnmp_large_fd_set fds;
    netsnmp_large_fd_set_init(&fds, FD_SETSIZE);
    NETSNMP_LARGE_FD_ZERO(&fds);
    NETSNMP_LARGE_FD_SET(fd, &fds);
    readSession(sess, fds);
    netsnmp_large_fd_set_cleanup(&fds);
}

// Looked up on every answer, so without building the list of polledSessions().
void* HvNetSnmpTransport::Impl::polledSessionOf(int fd) const {
    auto reads = [fd](void* sess) {
        netsnmp_transport* t = snmp_sess_transport(sess);
        return t && t->sock == fd;
    };
    for (const auto& [key, s] : sessions)
        if (reads(s.async)) return s.async;
    for (void* sess : probeSessions)
        if (reads(sess)) return sess;
    for (void* sess : retired)
        if (reads(sess)) return sess;
    return nullptr;
}

std::vector<void*> HvNetSnmpTransport::Impl::polledSessions() const {
    std::vector<void*> polled;
    for (const auto& [key, s] : sessions) polled.push_back(s.async);
    polled.insert(polled.end(), probeSessions.begin(), probeSessions.end());
    polled.insert(polled.end(), retired.begin(), retired.end());
    return polled;
}

void HvNetSnmpTransport::Impl::waitFor(Op& op) {
    while (!op.done) {
        void* sess = op.session;
        pollSession(sess, true, op.deadline);
        handleInbox();
        if (!op.done && Clock::now() >= op.deadline) finish(op, failureReply(op, expiryStatus(op)));
    }
}

void HvNetSnmpTransport::Impl::closeAll() {
    closing = true;
    for (auto& [key, s] : sessions) {
        closeLater(s.sync);
        closeLater(s.async);
    }
    sessions.clear();
    lastTarget.sessions = nullptr;
    for (void* p : probeSessions) closeLater(p);
    for (void* p : retired) closeLater(p);
    retired.clear();
    closeDeferred();
    // What net-snmp did not report is closed all the same.
    std::vector<std::shared_ptr<Op>> left;
    for (auto& [id, op] : ops) left.push_back(op);
    for (auto& op : left) finish(*op, failureReply(*op, St::SessionClosed));
    closing = false;
}

// ---- the transport ----

HvNetSnmpTransport::HvNetSnmpTransport() : m_impl(std::make_unique<Impl>()) {}

std::unique_ptr<HvNetSnmpTransport> HvNetSnmpTransport::create(int32_t& status) {
    static bool initialised = false;
    if (!initialised) {
        initialised = true;
        // No snmp.conf of the user's may set versions, users or defaults behind our back, no MIB is
        // parsed (every text form is ours), and nothing is written at exit.
        setenv("MIBS", "", 1);
        netsnmp_set_mib_directory("");
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_READ_CONFIGS, 1);
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_PERSIST_STATE, 1);
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_LOAD, 1);
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_SAVE, 1);
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_LOAD_HOST_FILES, 1);
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_NO_TOKEN_WARNINGS, 1);
        // Its log goes to our handler only, never to stderr on its own.
        snmp_disable_log();
        snmp_register_callback(SNMP_CALLBACK_LIBRARY, SNMP_CALLBACK_LOGGING, onNetSnmpLog, nullptr);
        snmp_enable_calllog();
        init_snmp("hvsnmp");
    }
    std::unique_ptr<HvNetSnmpTransport> transport(new HvNetSnmpTransport());
    if (!g_impl) g_impl = transport->m_impl.get();
    status = g_impl == transport->m_impl.get() ? St::Success : St::GeneralError;
    // The sessions bind to any free local port; see that one can.
    int fd = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = 0;
    local.sin_addr.s_addr = htonl(INADDR_ANY);
    if (fd < 0 || bind(fd, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0)
        status = St::GeneralError;
    if (fd >= 0) close(fd);
    return transport;
}

HvNetSnmpTransport::~HvNetSnmpTransport() {
    m_impl->closeAll();
    // Owners still alive learn that their operations ended with the session.
    while (!m_impl->due.empty()) {
        Due d = m_impl->due.take();
        if (!d.completion || (!d.ownerless && d.owner.expired())) continue;
        try {
            d.completion(d.reply);
        } catch (...) {
            std::fputs("SNMP completion failed while the session closed\n", stderr);
        }
    }
    if (g_impl == m_impl.get()) g_impl = nullptr;
}

std::vector<std::string> HvNetSnmpTransport::logCauses() {
    return logCauseList();
}

void HvNetSnmpTransport::setEngineIdentity(const std::string& engineId, int32_t boots) {
    set_exact_engineID(reinterpret_cast<const u_char*>(engineId.data()), engineId.size());
    // The library's own setter is not exported; its configuration handler is.
    std::string text = std::to_string(boots);
    engineBoots_conf("engineBoots", text.data());
}

void HvNetSnmpTransport::reset() {
    m_impl->closeAll();
    m_impl->engines.clear();
    m_impl->usmOwner.clear();
    m_impl->silentRuns.clear();
}

bool HvNetSnmpTransport::checkAddress(const std::string& address) {
    std::string dotted;
    return m_impl->resolve(address, dotted);
}

HvSnmpReply HvNetSnmpTransport::sendSync(const HvSnmpCall& call) {
    std::shared_ptr<Op> op = m_impl->newOp();
    op->call = call;
    op->async = false;
    int32_t status = m_impl->start(op);
    HvSnmpReply reply;
    if (status != 0) {
        reply = m_impl->failureReply(*op, status);
    } else {
        m_impl->waitFor(*op);
        reply = std::move(op->reply);
    }
    m_impl->recycle(op);
    return reply;
}

int32_t HvNetSnmpTransport::sendAsync(HvSnmpCall call, std::weak_ptr<const void> owner,
                                      HvSnmpCompletion completion) {
    std::shared_ptr<Op> op = m_impl->newOp();
    op->call = std::move(call);
    op->async = true;
    op->ownerless = ownerIsEmpty(owner);
    op->owner = std::move(owner);
    op->completion = std::move(completion);
    int32_t status = m_impl->start(op);
    if (status != 0) {
        // The send failed: the failure is still this operation's one completion.
        m_impl->finish(*op, m_impl->failureReply(*op, status));
    }
    m_impl->recycleFinished();
    return status;
}

void HvNetSnmpTransport::processPending() {
    m_impl->pass(-1);
}

void HvNetSnmpTransport::processReadable(int fd) {
    m_impl->pass(fd);
}

// With a socket, a pass reads that one; the time-outs are left to the passes of the timer.
void HvNetSnmpTransport::Impl::pass(int fd) {
    Impl& m = *this;
    if (m.inPump) return;
    m.inPump = true;
    if (fd < 0) m.recycleFinished();
    try {
        if (fd >= 0) {
            m.readSocket(fd);
        } else {
            for (void* sess : m.polledSessions()) m.pollSession(sess, false, Clock::now());
        }
        m.handleInbox();
        if (fd < 0) m.watchdog();
        m.releaseRetired();
        m.closeDeferred();
    } catch (...) {
        m.inPump = false;
        throw;
    }
    m.inPump = false;
    while (!m.due.empty()) {
        Due d = m.due.take();
        if (!d.completion || (!d.ownerless && d.owner.expired())) continue;  // its owner is gone
        d.completion(d.reply);
    }
}

std::vector<int> HvNetSnmpTransport::pollDescriptors() const {
    std::vector<int> fds;
    for (void* sess : m_impl->polledSessions())
        if (netsnmp_transport* t = snmp_sess_transport(sess)) fds.push_back(t->sock);
    return fds;
}

uint64_t HvNetSnmpTransport::socketsGeneration() const {
    return m_impl->generation;
}

std::size_t HvNetSnmpTransport::pendingCount() const {
    std::size_t n = m_impl->due.size();
    for (const auto& [id, op] : m_impl->ops)
        if (op->async) ++n;
    return n;
}
