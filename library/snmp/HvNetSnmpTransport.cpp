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
#include "library/snmp/HvUsmKey.h"

namespace {

using namespace HvNetSnmpConv;
using Clock = std::chrono::steady_clock;
namespace St = HvSnmpStatus;

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
    std::vector<std::vector<oid>> names;
    bool probing = false;
    void* probeSession = nullptr;
    void* session = nullptr;  // where the outstanding PDU went
    const netsnmp_session* sent = nullptr;
    bool rediscovered = false;
    int32_t lastReport = 0;
    bool authFailed = false;  // an answer came that failed authentication
    Clock::time_point deadline;
    bool done = false;
    HvSnmpReply reply;
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
    std::string engineId;
    std::string userName;
    int32_t level = 1;
    const oid* authProto = nullptr;
    const oid* privProto = nullptr;
    std::size_t privProtoLength = 0;
    std::string authKul, privKul;
};

bool ownerIsEmpty(const std::weak_ptr<const void>& owner) {
    std::weak_ptr<const void> empty;
    return !owner.owner_before(empty) && !empty.owner_before(owner);
}

}  // namespace

struct HvNetSnmpTransport::Impl {
    uint64_t nextId = 1;
    std::unordered_map<uint64_t, std::shared_ptr<Op>> ops;
    std::deque<Outcome> inbox;
    std::deque<Due> due;
    std::map<std::string, Sessions> sessions;    // by target key
    std::map<std::string, std::string> engines;  // agent "a.b.c.d:port" -> engine ID
    std::map<std::string, std::string>
        usmOwner;  // engine ID + user name -> target key whose keys are installed
    std::map<std::string, std::string> resolved;  // address text -> dotted
    std::map<std::string, std::string> kuCache;   // protocol + password -> Ku
    std::vector<void*> probeSessions;
    std::vector<void*> retired;  // replaced sessions, closed once nothing is pending on them
    std::vector<void*> toClose;
    bool closing = false;
    bool inPump = false;
    uint64_t generation = 0;

    static int callback(int operation, netsnmp_session* sp, int reqid, netsnmp_pdu* pdu, void* magic);

    void queue(Outcome o) { inbox.push_back(std::move(o)); }
    bool resolve(const std::string& text, std::string& dotted);
    int32_t start(const std::shared_ptr<Op>& op);
    int32_t sendProbe(Op& op);
    int32_t sendReal(Op& op);
    int32_t sessionsFor(Op& op, Sessions*& out);
    void installUser(const std::string& key, Sessions& s);
    std::string ku(HvUsmHash hash, const std::string& password);
    void* openSession(netsnmp_session& s, int32_t& status);
    void handleInbox();
    void handle(Outcome& o);
    void finish(Op& op, HvSnmpReply reply);
    HvSnmpReply failureReply(const Op& op, int32_t status) const;
    void watchdog();
    void closeDeferred();
    void closeLater(void* sess) {
        if (sess && std::find(toClose.begin(), toClose.end(), sess) == toClose.end()) toClose.push_back(sess);
    }
    void forgetAgent(const std::string& agent);
    void releaseRetired();
    void waitFor(Op& op);
    void pollSession(void* sess, bool wait, Clock::time_point until);
    int32_t expiryStatus(const Op& op) const;
    void closeAll();
};

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
                for (const netsnmp_variable_list* v = pdu->variables; v; v = v->next_variable)
                    o.varbinds.push_back(fromNetSnmp(v));
            }
            if (pdu->transport_data && pdu->transport_data_length >= static_cast<int>(sizeof(sockaddr_in))) {
                const auto* pair = static_cast<const netsnmp_indexed_addr_pair*>(pdu->transport_data);
                if (pair->remote_addr.sa.sa_family == AF_INET) {
                    o.agentAddress = dottedOf(pair->remote_addr.sin.sin_addr);
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
        d.owner = op.owner;
        d.completion = std::move(op.completion);
        d.reply = std::move(reply);
        due.push_back(std::move(d));
    } else {
        op.reply = std::move(reply);
    }
    if (op.probeSession) {
        closeLater(op.probeSession);
        op.probeSession = nullptr;
    }
    ops.erase(op.id);
}

std::string HvNetSnmpTransport::Impl::ku(HvUsmHash hash, const std::string& password) {
    std::string key = std::to_string(static_cast<int>(hash)) + '\n' + password;
    auto it = kuCache.find(key);
    if (it != kuCache.end()) return it->second;
    std::string result = HvUsmPasswordToKey(hash, password);
    kuCache.emplace(std::move(key), result);
    return result;
}

void* HvNetSnmpTransport::Impl::openSession(netsnmp_session& s, int32_t& status) {
    void* sess = snmp_sess_open(&s);
    if (!sess) {
        status = statusOfError(s.s_snmp_errno, St::GeneralError);
        return nullptr;
    }
    // net-snmp clears the flag once the session is open, and would then probe the engine ID at the
    // first send, blocking; discovery is ours.
    if (s.version == SNMP_VERSION_3) snmp_sess_session(sess)->flags |= SNMP_FLAGS_DONT_PROBE;
    ++generation;
    status = 0;
    return sess;
}

// A dotted IPv4 address, or a host name looked up once. Nothing else reaches the peer name, so no
// text can choose another transport ("tcp:", "unix:") or a port of its own.
bool HvNetSnmpTransport::Impl::resolve(const std::string& text, std::string& dotted) {
    auto found = resolved.find(text);
    if (found != resolved.end()) {
        dotted = found->second;
        return true;
    }
    in_addr a{};
    if (inet_pton(AF_INET, text.c_str(), &a) == 1) {
        dotted = dottedOf(a);
    } else {
        if (!isHostName(text)) return false;
        addrinfo hints{};
        hints.ai_family = AF_INET;
        hints.ai_socktype = SOCK_DGRAM;
        addrinfo* list = nullptr;
        bool ok = getaddrinfo(text.c_str(), nullptr, &hints, &list) == 0 && list;
        if (ok) dotted = dottedOf(reinterpret_cast<const sockaddr_in*>(list->ai_addr)->sin_addr);
        if (list) freeaddrinfo(list);
        if (!ok) return false;
    }
    resolved.emplace(text, dotted);
    return true;
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
    op->names.clear();
    for (const HvVarBind& vb : op->call.varbinds) {
        std::vector<oid> name;
        if (!parseOid(vb.oid, name)) return St::InvalidOid;
        op->names.push_back(std::move(name));
    }
    ops.emplace(op->id, op);
    const std::string agent = op->dotted + ':' + std::to_string(t.port);
    int32_t status = (t.version == 3 && !engines.count(agent)) ? sendProbe(*op) : sendReal(*op);
    if (status != 0) ops.erase(op->id);
    return status;
}

namespace {
std::string peerName(const std::string& dotted, uint16_t port) {
    return "udp:" + dotted + ':' + std::to_string(port);
}

void setTiming(void* sess, const HvSnmpCall& call) {
    netsnmp_session* ss = snmp_sess_session(sess);
    // net-snmp reads both at every send and expiry; its defaults (-1) would mean 1 s and 5 retries.
    ss->timeout = static_cast<long>(std::max<int32_t>(call.timeout, 0)) * 10000L;
    ss->retries = std::max<int32_t>(call.retries, 0);
}

Clock::time_point deadlineOf(const HvSnmpCall& call) {
    // A safety net only: net-snmp normally reports the time-out itself. A request resent after a
    // notInTimeWindow report may be dropped by net-snmp without a word once its retries are spent.
    const auto attempt =
        std::chrono::milliseconds(static_cast<int64_t>(std::max<int32_t>(call.timeout, 0)) * 10);
    return Clock::now() + attempt * (std::max<int32_t>(call.retries, 0) + 2) + std::chrono::seconds(1);
}
}  // namespace

int32_t HvNetSnmpTransport::Impl::sendProbe(Op& op) {
    // An empty noAuthNoPriv request: the agent answers with a report that carries its engine ID.
    netsnmp_session s;
    snmp_sess_init(&s);
    std::string peer = peerName(op.dotted, op.call.target.port);
    s.peername = peer.data();
    s.version = SNMP_VERSION_3;
    s.securityModel = SNMP_SEC_MODEL_USM;
    s.securityLevel = SNMP_SEC_LEVEL_NOAUTH;
    s.flags |= SNMP_FLAGS_DONT_PROBE;
    int32_t status = 0;
    void* sess = openSession(s, status);
    if (!sess) return status;
    probeSessions.push_back(sess);
    setTiming(sess, op.call);
    netsnmp_pdu* pdu = snmp_pdu_create(SNMP_MSG_GET);
    pdu->version = SNMP_VERSION_3;
    pdu->securityModel = SNMP_SEC_MODEL_USM;
    pdu->securityLevel = SNMP_SEC_LEVEL_NOAUTH;
    pdu->securityName = strdup("");
    pdu->securityNameLen = 0;
    op.probing = true;
    op.probeSession = sess;
    op.session = sess;
    op.sent = snmp_sess_session(sess);
    op.deadline = deadlineOf(op.call);
    if (snmp_sess_async_send(sess, pdu, &Impl::callback,
                             reinterpret_cast<void*>(static_cast<uintptr_t>(op.id))) == 0) {
        int error = snmp_sess_session(sess)->s_snmp_errno;
        snmp_free_pdu(pdu);
        closeLater(sess);
        op.probeSession = nullptr;
        op.probing = false;
        return statusOfError(error, St::SendFailed);
    }
    return 0;
}

int32_t HvNetSnmpTransport::Impl::sessionsFor(Op& op, Sessions*& out) {
    const HvSnmpTarget& t = op.call.target;
    const std::string agent = op.dotted + ':' + std::to_string(t.port);
    std::string key = agent + '\n' + std::to_string(t.version);
    std::string engineId;
    if (t.version == 3) {
        engineId = engines[agent];
        key += '\n' + std::to_string(t.securityLevel) + '\n' + t.securityName;
        if (t.securityLevel >= 2) key += '\n' + std::to_string(t.authProtocol) + '\n' + t.authPassword;
        if (t.securityLevel == 3) key += '\n' + std::to_string(t.privProtocol) + '\n' + t.privPassword;
    }
    Sessions& s = sessions[key];
    if (s.sync && s.engineId != engineId) {
        // Made for the engine ID the agent had before; operations still pending on them finish there.
        retired.push_back(s.sync);
        retired.push_back(s.async);
        s = Sessions{};
    }
    if (!s.sync) {
        s.agent = agent;
        s.engineId = engineId;
        netsnmp_session base;
        snmp_sess_init(&base);
        std::string peer = peerName(op.dotted, t.port);
        base.peername = peer.data();
        if (t.version == 3) {
            s.userName = t.securityName;
            s.level = t.securityLevel;
            base.version = SNMP_VERSION_3;
            base.securityModel = SNMP_SEC_MODEL_USM;
            base.securityLevel = t.securityLevel;
            base.securityName = s.userName.data();
            base.securityNameLen = s.userName.size();
            base.securityEngineID = reinterpret_cast<u_char*>(s.engineId.data());
            base.securityEngineIDLen = s.engineId.size();
            // Keys come from installUser(); net-snmp must neither probe nor derive them.
            base.flags |= SNMP_FLAGS_DONT_PROBE | SNMP_FLAGS_USER_CREATED;
            if (t.securityLevel >= 2) {
                HvUsmHash hash = *HvUsmHashOfProtocol(t.authProtocol);
                switch (t.authProtocol) {
                    case 2:
                        s.authProto = usmHMACMD5AuthProtocol;
                        break;
                    case 3:
                        s.authProto = usmHMACSHA1AuthProtocol;
                        break;
                    case 4:
                        s.authProto = usmHMAC128SHA224AuthProtocol;
                        break;
                    case 5:
                        s.authProto = usmHMAC192SHA256AuthProtocol;
                        break;
                    case 6:
                        s.authProto = usmHMAC256SHA384AuthProtocol;
                        break;
                    default:
                        s.authProto = usmHMAC384SHA512AuthProtocol;
                        break;
                }
                s.authKul = HvUsmLocalizeKey(hash, ku(hash, t.authPassword), s.engineId);
                if (t.securityLevel == 3) {
                    const PrivProtocol priv = privProtocolOf(t.privProtocol);
                    s.privProto = priv.proto;
                    s.privProtoLength = priv.length;
                    s.privKul = extendPrivKey(priv, s.authProto,
                                              HvUsmLocalizeKey(hash, ku(hash, t.privPassword), s.engineId),
                                              s.engineId);
                }
            }
            base.securityAuthProto = const_cast<oid*>(s.authProto ? s.authProto : usmNoAuthProtocol);
            base.securityAuthProtoLen = USM_AUTH_PROTO_MD5_LEN;
            base.securityPrivProto = const_cast<oid*>(s.privProto ? s.privProto : usmNoPrivProtocol);
            base.securityPrivProtoLen = s.privProto ? s.privProtoLength : USM_PRIV_PROTO_DES_LEN;
        } else {
            base.version = t.version == 0 ? SNMP_VERSION_1 : SNMP_VERSION_2c;
        }
        int32_t status = 0;
        netsnmp_session second = base;
        s.sync = openSession(base, status);
        if (s.sync) s.async = openSession(second, status);
        if (!s.sync || !s.async) {
            if (s.sync) snmp_sess_close(s.sync);
            sessions.erase(key);
            return status;
        }
    }
    if (t.version == 3) installUser(key, s);
    out = &s;
    return 0;
}

void HvNetSnmpTransport::Impl::installUser(const std::string& key, Sessions& s) {
    // USM users are global in net-snmp, one per engine ID and name. The managers add the user on
    // every operation, so the keys of this target replace whatever another password left there.
    const std::string who = s.engineId + '\n' + s.userName;
    auto owner = usmOwner.find(who);
    if (owner != usmOwner.end() && owner->second == key) return;
    const auto* engine = reinterpret_cast<const u_char*>(s.engineId.data());
    if (struct usmUser* old = usm_get_user(engine, s.engineId.size(), s.userName.c_str())) {
        usm_remove_user(old);
        usm_free_user(old);
    }
    struct usmUser* user = usm_create_user();
    user->name = strdup(s.userName.c_str());
    user->secName = strdup(s.userName.c_str());
    user->engineID = static_cast<u_char*>(malloc(s.engineId.size() ? s.engineId.size() : 1));
    memcpy(user->engineID, s.engineId.data(), s.engineId.size());
    user->engineIDLen = s.engineId.size();
    auto setProto = [](oid*& field, size_t& length, const oid* proto) {
        free(field);
        field = snmp_duplicate_objid(proto, kTransformOidLength);
        length = kTransformOidLength;
    };
    setProto(user->authProtocol, user->authProtocolLen, s.authProto ? s.authProto : usmNoAuthProtocol);
    if (s.privProto) {
        free(user->privProtocol);
        user->privProtocol = snmp_duplicate_objid(s.privProto, s.privProtoLength);
        user->privProtocolLen = s.privProtoLength;
    } else {
        setProto(user->privProtocol, user->privProtocolLen, usmNoPrivProtocol);
    }
    auto setKey = [](u_char*& field, size_t& length, const std::string& key) {
        free(field);
        field = nullptr;
        length = 0;
        if (key.empty()) return;
        field = static_cast<u_char*>(malloc(key.size()));
        memcpy(field, key.data(), key.size());
        length = key.size();
    };
    setKey(user->authKey, user->authKeyLen, s.authKul);
    setKey(user->privKey, user->privKeyLen, s.privKul);
    user->userStatus = RS_ACTIVE;
    user->userStorageType = ST_READONLY;
    usm_add_user(user);
    usmOwner[who] = key;
}

int32_t HvNetSnmpTransport::Impl::sendReal(Op& op) {
    Sessions* s = nullptr;
    int32_t status = sessionsFor(op, s);
    if (status != 0) return status;
    void* sess = op.async ? s->async : s->sync;
    const HvSnmpTarget& t = op.call.target;
    setTiming(sess, op.call);
    int command = op.call.op == HvSnmpOp::Set       ? SNMP_MSG_SET
                  : op.call.op == HvSnmpOp::GetNext ? SNMP_MSG_GETNEXT
                                                    : SNMP_MSG_GET;
    netsnmp_pdu* pdu = snmp_pdu_create(command);
    if (t.version != 3) {
        // The community goes with each PDU, the write community for sets, as SNMP++'s targets do.
        const std::string& community = op.call.op == HvSnmpOp::Set ? t.writeCommunity : t.readCommunity;
        pdu->community = static_cast<u_char*>(malloc(community.size() ? community.size() : 1));
        memcpy(pdu->community, community.data(), community.size());
        pdu->community_len = community.size();
    } else {
        pdu->securityLevel = t.securityLevel;
        if (!t.contextName.empty()) {
            pdu->contextName = static_cast<char*>(malloc(t.contextName.size() + 1));
            memcpy(pdu->contextName, t.contextName.c_str(), t.contextName.size() + 1);
            pdu->contextNameLen = t.contextName.size();
        }
        if (!t.contextEngineId.empty()) {
            pdu->contextEngineID = static_cast<u_char*>(malloc(t.contextEngineId.size()));
            memcpy(pdu->contextEngineID, t.contextEngineId.data(), t.contextEngineId.size());
            pdu->contextEngineIDLen = t.contextEngineId.size();
        }
    }
    for (std::size_t i = 0; i < op.names.size(); ++i) {
        if (!addToPdu(pdu, op.names[i], op.call.varbinds[i], op.call.op == HvSnmpOp::Set)) {
            snmp_free_pdu(pdu);
            return St::InvalidPdu;
        }
    }
    op.probing = false;
    op.session = sess;
    op.sent = snmp_sess_session(sess);
    op.lastReport = 0;
    op.deadline = deadlineOf(op.call);
    if (snmp_sess_async_send(sess, pdu, &Impl::callback,
                             reinterpret_cast<void*>(static_cast<uintptr_t>(op.id))) == 0) {
        int error = snmp_sess_session(sess)->s_snmp_errno;
        snmp_free_pdu(pdu);
        return statusOfError(error, St::SendFailed);
    }
    return 0;
}

// Only the engine ID is forgotten: the agent's sessions are replaced when next used, so that
// operations still pending on them are not cut off.
void HvNetSnmpTransport::Impl::forgetAgent(const std::string& agent) {
    engines.erase(agent);
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
    const std::string agent = op.dotted + ':' + std::to_string(op.call.target.port);
    if (op.probing) {
        if (op.probeSession) {
            closeLater(op.probeSession);
            op.probeSession = nullptr;
        }
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
        forgetAgent(agent);
        int32_t status = sendProbe(op);
        if (status != 0) finish(op, failureReply(op, status));
        return;
    }
    if (!o.answered && o.status == St::Timeout && op.call.target.version == 3) {
        // net-snmp drops the unknownEngineID report of a device replaced under the same address, so
        // the request times out. Learn the engine ID afresh before the next request to that agent.
        forgetAgent(agent);
    }
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

void HvNetSnmpTransport::Impl::handleInbox() {
    while (!inbox.empty()) {
        Outcome o = std::move(inbox.front());
        inbox.pop_front();
        handle(o);
    }
}

void HvNetSnmpTransport::Impl::watchdog() {
    const auto now = Clock::now();
    std::vector<std::shared_ptr<Op>> late;
    for (auto& [id, op] : ops)
        if (now >= op->deadline) late.push_back(op);
    for (auto& op : late) {
        if (op->call.target.version == 3 && !op->lastReport)
            forgetAgent(op->dotted + ':' + std::to_string(op->call.target.port));
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
    if (n > 0) {
        // net-snmp drops an answer that fails authentication and only counts it; the count tells.
        const u_int wrongDigests = snmp_get_statistic(STAT_USMSTATSWRONGDIGESTS);
        snmp_sess_read2(sess, &fds);
        if (snmp_get_statistic(STAT_USMSTATSWRONGDIGESTS) != wrongDigests)
            for (auto& [id, op] : ops)
                if (op->session == sess && !op->probing) op->authFailed = true;
    }
    snmp_sess_timeout(sess);
    netsnmp_large_fd_set_cleanup(&fds);
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
    for (void* p : probeSessions) closeLater(p);
    for (void* p : retired) closeLater(p);
    retired.clear();
    for (auto& [id, op] : ops) op->probeSession = nullptr;
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
        Due d = std::move(m_impl->due.front());
        m_impl->due.pop_front();
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
}

bool HvNetSnmpTransport::checkAddress(const std::string& address) {
    std::string dotted;
    return m_impl->resolve(address, dotted);
}

HvSnmpReply HvNetSnmpTransport::sendSync(const HvSnmpCall& call) {
    auto op = std::make_shared<Op>();
    op->id = m_impl->nextId++;
    op->call = call;
    op->async = false;
    int32_t status = m_impl->start(op);
    if (status != 0) return m_impl->failureReply(*op, status);
    m_impl->waitFor(*op);
    return std::move(op->reply);
}

int32_t HvNetSnmpTransport::sendAsync(const HvSnmpCall& call, std::weak_ptr<const void> owner,
                                      HvSnmpCompletion completion) {
    auto op = std::make_shared<Op>();
    op->id = m_impl->nextId++;
    op->call = call;
    op->async = true;
    op->ownerless = ownerIsEmpty(owner);
    op->owner = std::move(owner);
    op->completion = std::move(completion);
    int32_t status = m_impl->start(op);
    if (status != 0) {
        // The send failed: the failure is still this operation's one completion.
        m_impl->finish(*op, m_impl->failureReply(*op, status));
    }
    return status;
}

void HvNetSnmpTransport::processPending() {
    Impl& m = *m_impl;
    if (m.inPump) return;
    m.inPump = true;
    try {
        std::vector<void*> polled;
        for (auto& [key, s] : m.sessions) polled.push_back(s.async);
        polled.insert(polled.end(), m.probeSessions.begin(), m.probeSessions.end());
        polled.insert(polled.end(), m.retired.begin(), m.retired.end());
        for (void* sess : polled) m.pollSession(sess, false, Clock::now());
        m.handleInbox();
        m.watchdog();
        m.releaseRetired();
        m.closeDeferred();
    } catch (...) {
        m.inPump = false;
        throw;
    }
    m.inPump = false;
    while (!m.due.empty()) {
        Due d = std::move(m.due.front());
        m.due.pop_front();
        if (!d.completion || (!d.ownerless && d.owner.expired())) continue;  // its owner is gone
        d.completion(d.reply);
    }
}

std::vector<int> HvNetSnmpTransport::pollDescriptors() const {
    std::vector<int> fds;
    auto add = [&fds](void* sess) {
        if (netsnmp_transport* t = snmp_sess_transport(sess)) fds.push_back(t->sock);
    };
    for (const auto& [key, s] : m_impl->sessions) add(s.async);
    for (void* p : m_impl->probeSessions) add(p);
    for (void* p : m_impl->retired) add(p);
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
