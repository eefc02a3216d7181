// The net-snmp transport's sessions: addresses, discovery probes, one pair of sessions per target
// and the SNMPv3 user they speak as, and the sends.

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>
#include <net-snmp/library/snmp_transport.h>
#include <net-snmp/library/snmpusm.h>
#include <net-snmp/library/snmpv3.h>
#include <net-snmp/library/transform_oids.h>

#include "library/snmp/HvNetSnmpConv.h"
#include "library/snmp/HvNetSnmpImpl.h"

using namespace HvNetSnmpConv;
namespace St = HvSnmpStatus;
using Clock = HvNetSnmpState::Clock;

std::string HvNetSnmpTransport::Impl::ku(HvUsmHash hash, const std::string& password) {
    std::string key = std::to_string(static_cast<int>(hash)) + '\n' + password;
    auto it = kuCache.find(key);
    if (it != kuCache.end()) return it->second;
    std::string result = HvUsmPasswordToKey(hash, password);
    kuCache.emplace(std::move(key), result);
    return result;
}

void* HvNetSnmpTransport::Impl::openSession(netsnmp_session& s, int32_t& status, bool polled) {
    void* sess = snmp_sess_open(&s);
    if (!sess) {
        status = statusOfError(s.s_snmp_errno, St::GeneralError);
        return nullptr;
    }
    if (netsnmp_transport* t = snmp_sess_transport(sess); polled && t && t->sock >= 0)
        fcntl(t->sock, F_SETFL, fcntl(t->sock, F_GETFL) | O_NONBLOCK);
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
    if (!lastAddress.empty() && text == lastAddress) {
        dotted = lastDotted;
        return true;
    }
    auto found = resolved.find(text);
    if (found != resolved.end()) {
        dotted = found->second;
        lastAddress = text;
        lastDotted = dotted;
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
    lastAddress = text;
    lastDotted = dotted;
    return true;
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
    void*& sess = probes[agentOf(op) + (op.async ? "\na" : "\ns")];
    if (!sess) {
        netsnmp_session s;
        snmp_sess_init(&s);
        std::string peer = peerName(op.dotted, op.call.target.port);
        s.peername = peer.data();
        s.version = SNMP_VERSION_3;
        s.securityModel = SNMP_SEC_MODEL_USM;
        s.securityLevel = SNMP_SEC_LEVEL_NOAUTH;
        s.flags |= SNMP_FLAGS_DONT_PROBE;
        int32_t status = 0;
        sess = openSession(s, status, true);
        if (!sess) {
            probes.erase(agentOf(op) + (op.async ? "\na" : "\ns"));
            return status;
        }
        probeSessions.push_back(sess);
    }
    setTiming(sess, op.call);
    netsnmp_pdu* pdu = snmp_pdu_create(SNMP_MSG_GET);
    pdu->version = SNMP_VERSION_3;
    pdu->securityModel = SNMP_SEC_MODEL_USM;
    pdu->securityLevel = SNMP_SEC_LEVEL_NOAUTH;
    pdu->securityName = strdup("");
    pdu->securityNameLen = 0;
    op.probing = true;
    op.session = sess;
    op.sent = snmp_sess_session(sess);
    op.deadline = deadlineOf(op.call);
    if (snmp_sess_async_send(sess, pdu, &Impl::callback,
                             reinterpret_cast<void*>(static_cast<uintptr_t>(op.id))) == 0) {
        int error = snmp_sess_session(sess)->s_snmp_errno;
        snmp_free_pdu(pdu);
        op.probing = false;
        return statusOfError(error, St::SendFailed);
    }
    return 0;
}

bool HvNetSnmpTransport::Impl::LastTarget::matches(const Op& op) const {
    const HvSnmpTarget& t = op.call.target;
    if (!sessions || t.port != port || t.version != version || op.dotted != dotted) return false;
    if (t.version != 3) return true;
    if (t.securityLevel != securityLevel || t.securityName != securityName) return false;
    if (t.securityLevel >= 2 && (t.authProtocol != authProtocol || t.authPassword != authPassword)) return false;
    return t.securityLevel != 3 || (t.privProtocol == privProtocol && t.privPassword == privPassword);
}

int32_t HvNetSnmpTransport::Impl::sessionsFor(Op& op, Sessions*& out) {
    const HvSnmpTarget& t = op.call.target;
    // The target of the last send, most sends' target, is found without building its key; for
    // SNMPv3 while its agent's engine ID is the one its sessions were made for.
    if (lastTarget.matches(op)) {
        Sessions& s = *lastTarget.sessions;
        if (t.version != 3) {
            out = &s;
            return 0;
        }
        auto engine = engines.find(s.agent);
        if (engine != engines.end() && engine->second == s.engineId) {
            installUser(s.key, s);
            out = &s;
            return 0;
        }
    }
    lastTarget.sessions = nullptr;
    const std::string agent = agentOf(op);
    std::string key;
    key.reserve(agent.size() + 2);
    key.append(agent).append(1, '\n').append(std::to_string(t.version));
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
        s.key = key;
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
        s.sync = openSession(base, status, false);
        if (s.sync) s.async = openSession(second, status, true);
        if (!s.sync || !s.async) {
            if (s.sync) snmp_sess_close(s.sync);
            sessions.erase(key);
            return status;
        }
    }
    if (t.version == 3) installUser(key, s);
    lastTarget.sessions = &s;
    lastTarget.dotted = op.dotted;
    lastTarget.port = t.port;
    lastTarget.version = t.version;
    lastTarget.securityLevel = t.securityLevel;
    lastTarget.securityName = t.securityName;
    lastTarget.authProtocol = t.authProtocol;
    lastTarget.authPassword = t.authPassword;
    lastTarget.privProtocol = t.privProtocol;
    lastTarget.privPassword = t.privPassword;
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
    for (std::size_t i = 0, begin = 0; i < op.nameEnds.size(); begin = op.nameEnds[i++]) {
        if (!addToPdu(pdu, op.arcs.data() + begin, op.nameEnds[i] - begin, op.call.varbinds[i],
                      op.call.op == HvSnmpOp::Set)) {
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

