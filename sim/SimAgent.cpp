#include "sim/SimAgent.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <set>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <pthread.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>

#include <openssl/evp.h>

#include "sim/SimPageRules.h"
#include "sim/SimTftp.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>
#include <net-snmp/agent/net-snmp-agent-includes.h>

namespace {

SimDevice* g_device = nullptr;

SimOid toSim(const oid* name, size_t len) {
    return SimOid(name, name + len);
}

std::vector<oid> toNet(const SimOid& o) {
    return std::vector<oid>(o.begin(), o.end());
}

SimOid enterpriseOid(const char* rel) {
    return *parseOid(std::string(kEnterprise) + "." + rel);
}

std::string versionText(long version) {
    switch (version) {
        case SNMP_VERSION_1:
            return "1";
        case SNMP_VERSION_2c:
            return "2c";
        case SNMP_VERSION_3:
            return "3";
    }
    return std::to_string(version);
}

std::string community(const netsnmp_pdu* pdu) {
    if (!pdu->community) return {};
    return std::string(reinterpret_cast<const char*>(pdu->community), pdu->community_len);
}

std::string securityName(const netsnmp_pdu* pdu) {
    if (!pdu->securityName) return {};
    return std::string(pdu->securityName, pdu->securityNameLen);
}

std::string principal(const netsnmp_pdu* pdu) {
    return quoted(pdu->version == SNMP_VERSION_3 ? securityName(pdu) : community(pdu));
}

std::string opText(const netsnmp_pdu* pdu) {
    switch (pdu->command) {
        case SNMP_MSG_GET:
            return "GET";
        case SNMP_MSG_GETNEXT:
            return "GETNEXT";
        case SNMP_MSG_GETBULK:
            return "GETBULK";
        case SNMP_MSG_SET:
            return "SET";
    }
    return "OP" + std::to_string(pdu->command);
}

// The received value of a varbind, in the store's terms; nullopt for types the device never holds.
struct Received {
    std::optional<SimValue> value;
    std::string text;  // for the log: type letter and value
};

Received received(const netsnmp_variable_list* vb, bool hex) {
    Received r;
    switch (vb->type) {
        case ASN_INTEGER:
            r.value = SimValue::integer(*vb->val.integer);
            break;
        case ASN_OCTET_STR:
            r.value =
                SimValue::string(std::string(reinterpret_cast<const char*>(vb->val.string), vb->val_len));
            break;
        case ASN_IPADDRESS:
            r.value = SimValue{SimType::IpAddress,
                               0,
                               std::string(reinterpret_cast<const char*>(vb->val.string), vb->val_len),
                               {}};
            break;
        case ASN_TIMETICKS:
            r.value = SimValue::ticks(static_cast<uint32_t>(*vb->val.integer));
            break;
        case ASN_OBJECT_ID:
            r.value = SimValue::objectId(toSim(vb->val.objid, vb->val_len / sizeof(oid)));
            break;
        case ASN_NULL:
            r.text = "n -";
            return r;
        case ASN_COUNTER:
            r.text = "c " + std::to_string(static_cast<uint32_t>(*vb->val.integer));
            return r;
        case ASN_GAUGE:
            r.text = "u " + std::to_string(static_cast<uint32_t>(*vb->val.integer));
            return r;
        default:
            r.text = "? type" + std::to_string(vb->type);
            return r;
    }
    const bool asHex = hex && r.value->type == SimType::OctetString;
    r.text = std::string(1, asHex ? 'x' : typeLetter(r.value->type)) + " " + valueText(*r.value, asHex);
    return r;
}

void setAnswer(netsnmp_variable_list* vb, const SimEntry& e) {
    const SimValue& v = e.value;
    if (e.upTime) {
        u_long t = g_device->upTimeTicks();
        snmp_set_var_typed_value(vb, ASN_TIMETICKS, &t, sizeof t);
        return;
    }
    switch (v.type) {
        case SimType::Integer: {
            long n = static_cast<long>(v.number);
            snmp_set_var_typed_value(vb, ASN_INTEGER, &n, sizeof n);
            break;
        }
        case SimType::TimeTicks: {
            u_long n = static_cast<u_long>(v.number);
            snmp_set_var_typed_value(vb, ASN_TIMETICKS, &n, sizeof n);
            break;
        }
        case SimType::OctetString:
            snmp_set_var_typed_value(vb, ASN_OCTET_STR, v.octets.data(), v.octets.size());
            break;
        case SimType::IpAddress:
            snmp_set_var_typed_value(vb, ASN_IPADDRESS, v.octets.data(), v.octets.size());
            break;
        case SimType::ObjectId: {
            auto o = toNet(v.oid);
            snmp_set_var_typed_value(vb, ASN_OBJECT_ID, o.data(), o.size() * sizeof(oid));
            break;
        }
    }
}

std::string answerText(const SimEntry& e) {
    SimValue v = e.upTime ? SimValue::ticks(g_device->upTimeTicks()) : e.value;
    const bool hex = e.syntax == 0x49 && v.type == SimType::OctetString;
    return std::string(1, hex ? 'x' : typeLetter(v.type)) + " " + valueText(v, hex);
}

// One log line per varbind: request id, operation, version, community or user, the OID asked for,
// the OID answered, the stored OID when an alias was taken ("-" otherwise), status, type, value.
void logVarbind(const netsnmp_pdu* pdu, const SimOid& asked, const SimOid& answered, const std::string& via,
                const std::string& status, const std::string& value) {
    g_device->log.line(std::to_string(pdu->reqid) + " " + opText(pdu) + " " + versionText(pdu->version) +
                       " " + principal(pdu) + " " + oidText(asked) + " " + oidText(answered) + " " + via +
                       " " + status + " " + value);
}

bool mayWrite(const netsnmp_pdu* pdu) {
    const SimDevice& d = *g_device;
    if (pdu->version == SNMP_VERSION_3) {
        std::string name = securityName(pdu);
        for (const auto& u : d.users)
            if (u.name == name) return u.writable;
        return false;
    }
    std::string c = community(pdu);
    for (const auto& w : d.writeCommunities)
        if (w == c) return true;
    return false;
}

// Checks one set varbind against the store; 0 when it may be written.
int checkSet(const netsnmp_pdu* pdu, const SimOid& asked, const netsnmp_variable_list* vb) {
    SimDevice& d = *g_device;
    if (int e = d.faults.errorFor(asked, SimFaults::Op::Set)) return e;
    auto l = d.store.find(asked);
    if (!l.entry) return SNMP_ERR_NOTWRITABLE;
    if (int e = d.faults.errorFor(l.key, SimFaults::Op::Set)) return e;
    if (!mayWrite(pdu)) return SNMP_ERR_NOACCESS;
    if (!l.entry->writable || l.entry->upTime) return SNMP_ERR_NOTWRITABLE;
    Received r = received(vb, false);
    if (!r.value || r.value->type != l.entry->value.type) return SNMP_ERR_WRONGTYPE;
    const SimValue& v = *r.value;
    if (v.type == SimType::IpAddress && v.octets.size() != 4) return SNMP_ERR_WRONGLENGTH;
    if (l.entry->syntax == 0x49 && v.octets.size() != 6) return SNMP_ERR_WRONGLENGTH;
    if (v.type == SimType::OctetString && v.octets.size() > 255) return SNMP_ERR_WRONGLENGTH;
    return simRangeCheck(l.key, v);
}

void restart(bool factory) {
    SimDevice& d = *g_device;
    d.faults.silentUntil = SimClock::now() + std::chrono::milliseconds(d.restartMs);
    d.upSince = d.faults.silentUntil;
    d.log.line("# restart " + std::to_string(d.restartMs) + (factory ? " factory" : ""));
    if (factory) {
        d.loadProfile();
        return;
    }
    // The commands read back idle once the device is up again.
    auto idle = [&](const char* rel, int64_t v) {
        SimOid o = enterpriseOid(rel);
        o.push_back(0);
        if (auto* e = d.store.find(o).entry) e->value = SimValue::integer(v);
    };
    idle("4.3.2.1", 2);
    idle("4.3.2.2", 2);
    idle("4.3.3.5", 6);
    takeLanSettings(d.store);
}

// A stored value as text (octet strings raw), found under the object's OID or its ".0" form.
std::string storedText(const char* rel) {
    SimOid o = enterpriseOid(rel);
    auto* e = g_device->store.find(o).entry;
    if (!e) {
        o.push_back(0);
        e = g_device->store.find(o).entry;
    }
    if (!e) return {};
    return e->value.type == SimType::OctetString ? e->value.octets : valueText(e->value);
}

// What the device does after a committed set: restarts, refreshed tables, TFTP transfers.
void sideEffect(const SimOid& key, const SimValue& v) {
    SimDevice& d = *g_device;
    SimOid k = key;
    if (!k.empty() && k.back() == 0) k.pop_back();
    const int64_t n = v.type == SimType::Integer ? v.number : -1;
    if (simTftpSideEffect(d, k, n)) return;
    auto is = [&](const char* rel) { return k == enterpriseOid(rel); };
    auto refill = [&](SimRefill which, const char* name) {
        ++d.refillGeneration;
        if (!d.holdRows) refillTable(d.store, d.profile, which, d.refillGeneration);
        if (auto* e = d.store.exact(key)) e->value = SimValue::integer(0);  // the trigger reads idle again
        d.log.line(std::string("# refill ") + name + " " + std::to_string(d.refillGeneration));
    };
    if (is("4.3.2.1") && n == 1)
        restart(false);
    else if (is("4.3.2.2") && n == 1)
        restart(true);
    else if (is("4.3.3.5") && (n == 1 || n == 2 || n == 4 || n == 5))
        restart(n == 5);
    else if (is("4.3.3.4") && (n == 2 || n == 3))
        simTftpRequest(d, n == 2 ? "get" : "put", storedText("4.3.3.1"), storedText("4.3.3.2"));
    else if (is("4.2.11.6") && n == 1)
        simTftpRequest(d, "log", storedText("4.2.11.4"), storedText("4.2.11.5"));
    else if (is("4.4.5.1.1.1.1") && n == 1)
        refill(SimRefill::Clients, "clients");
    else if (is("4.2.8.1.1.1") && n == 1)
        refill(SimRefill::Survey, "survey");
    else if (is("4.2.12.2.1.1.1.1") && n == 1)
        refill(SimRefill::Domains, "domains");
    else if (is("4.2.12.3.1.1.1.1") && n == 1)
        refill(SimRefill::Members, "members");
}

void answer(netsnmp_agent_request_info* reqinfo, netsnmp_request_info* requests) {
    SimDevice& d = *g_device;
    const netsnmp_pdu* pdu = reqinfo->asp->pdu;
    switch (reqinfo->mode) {
        case MODE_GET:
            for (auto* r = requests; r; r = r->next) {
                if (r->processed) continue;
                SimOid asked = toSim(r->requestvb->name, r->requestvb->name_length);
                auto l = d.store.find(asked);
                int err = d.faults.errorFor(asked, SimFaults::Op::Get);
                if (!err && l.entry) err = d.faults.errorFor(l.key, SimFaults::Op::Get);
                if (err) {
                    netsnmp_set_request_error(reqinfo, r, err);
                    logVarbind(pdu, asked, asked, "-", statusName(err), "- -");
                } else if (l.entry) {
                    setAnswer(r->requestvb, *l.entry);
                    logVarbind(pdu, asked, asked, l.alias ? oidText(l.key) : "-", "ok", answerText(*l.entry));
                    simAfterRead(*l.entry, l.key);
                } else {
                    bool instance = d.store.knownParent(asked);
                    netsnmp_set_request_error(reqinfo, r, instance ? SNMP_NOSUCHINSTANCE : SNMP_NOSUCHOBJECT);
                    logVarbind(pdu, asked, asked, "-", instance ? "noSuchInstance" : "noSuchObject", "- -");
                }
            }
            break;
        case MODE_GETNEXT:
            for (auto* r = requests; r; r = r->next) {
                if (r->processed) continue;
                SimOid asked = toSim(r->requestvb->name, r->requestvb->name_length);
                const auto* next = d.store.next(asked);
                if (!next) {
                    netsnmp_set_request_error(reqinfo, r, SNMP_ENDOFMIBVIEW);
                    logVarbind(pdu, asked, asked, "-", "endOfMibView", "- -");
                    continue;
                }
                auto name = toNet(next->first);
                snmp_set_var_objid(r->requestvb, name.data(), name.size());
                if (int err = d.faults.errorFor(next->first, SimFaults::Op::Next)) {
                    netsnmp_set_request_error(reqinfo, r, err);
                    logVarbind(pdu, asked, next->first, "-", statusName(err), "- -");
                    continue;
                }
                setAnswer(r->requestvb, next->second);
                logVarbind(pdu, asked, next->first, "-", "ok", answerText(next->second));
                if (auto* e = d.store.exact(next->first)) simAfterRead(*e, next->first);
            }
            break;
        case MODE_SET_RESERVE1: {
            // All varbinds of the PDU come here together, so the verdict on the whole PDU is known now:
            // one refusal fails it, and nothing of it is written.
            std::vector<std::pair<netsnmp_request_info*, int>> verdicts;
            bool failed = false;
            for (auto* r = requests; r; r = r->next) {
                SimOid asked = toSim(r->requestvb->name, r->requestvb->name_length);
                int err = checkSet(pdu, asked, r->requestvb);
                verdicts.emplace_back(r, err);
                failed = failed || err;
            }
            bool reported = false;
            for (auto& [r, err] : verdicts) {
                SimOid asked = toSim(r->requestvb->name, r->requestvb->name_length);
                auto l = d.store.find(asked);
                const bool hex = l.entry && l.entry->syntax == 0x49;
                std::string value = received(r->requestvb, hex).text;
                if (err && !reported) {
                    netsnmp_set_request_error(reqinfo, r, err);
                    reported = true;
                }
                if (failed)
                    logVarbind(pdu, asked, asked, l.alias ? oidText(l.key) : "-",
                               err ? statusName(err) : "notDone", value);
            }
            break;
        }
        case MODE_SET_COMMIT: {
            std::vector<std::pair<SimOid, SimValue>> written;
            for (auto* r = requests; r; r = r->next) {
                SimOid asked = toSim(r->requestvb->name, r->requestvb->name_length);
                auto l = d.store.find(asked);
                if (!l.entry) continue;
                const bool hex = l.entry->syntax == 0x49;
                Received v = received(r->requestvb, hex);
                l.entry->value = *v.value;
                written.emplace_back(l.key, *v.value);
                logVarbind(pdu, asked, asked, l.alias ? oidText(l.key) : "-", "ok", v.text);
            }
            for (const auto& [key, value] : written) sideEffect(key, value);
            break;
        }
        default:
            break;
    }
}

void delayedAnswer(unsigned int, void* arg) {
    netsnmp_delegated_cache* cache = netsnmp_handler_check_cache(static_cast<netsnmp_delegated_cache*>(arg));
    if (!cache) return;  // the agent gave the request up meanwhile
    for (auto* r = cache->requests; r; r = r->next) r->delegated = 0;
    netsnmp_agent_request_info* reqinfo = cache->reqinfo;
    if (reqinfo->mode == MODE_GETBULK) {
        // The bulk helper has already put the mode back; answer this repetition as the get-next it
        // is and line up the next one, which the agent then asks for as usual.
        reqinfo->mode = MODE_GETNEXT;
        answer(reqinfo, cache->requests);
        reqinfo->mode = MODE_GETBULK;
        netsnmp_bulk_to_next_fix_requests(cache->requests);
    } else {
        answer(reqinfo, cache->requests);
    }
    netsnmp_free_delegated_cache(cache);
}

int handler(netsnmp_mib_handler* h, netsnmp_handler_registration* reginfo,
            netsnmp_agent_request_info* reqinfo, netsnmp_request_info* requests) {
    SimFaults& f = g_device->faults;
    const int mode = reqinfo->mode;
    // One delay per request: a get-bulk calls the handler once per repetition, and the mark on the
    // request keeps those calls from being delayed again.
    static const char* kDelayed = "qmx_sim_delayed";
    static char mark;
    if (f.delayMs > 0 && f.delayCount != 0 &&
        (mode == MODE_GET || mode == MODE_GETNEXT || mode == MODE_SET_RESERVE1) &&
        !netsnmp_agent_get_list_data(reqinfo, kDelayed)) {
        if (f.delayCount > 0) --f.delayCount;
        netsnmp_agent_add_list_data(reqinfo, netsnmp_create_data_list(kDelayed, &mark, nullptr));
        for (auto* r = requests; r; r = r->next) r->delegated = 1;
        netsnmp_delegated_cache* cache =
            netsnmp_create_delegated_cache(h, reginfo, reqinfo, requests, nullptr);
        struct timeval tv = {f.delayMs / 1000, (f.delayMs % 1000) * 1000};
        snmp_alarm_register_hr(tv, 0, delayedAnswer, cache);
        return SNMP_ERR_NOERROR;
    }
    if (mode == MODE_SET_ACTION && simTftpAction(*g_device, h, reginfo, reqinfo, requests))
        return SNMP_ERR_NOERROR;
    answer(reqinfo, requests);
    return SNMP_ERR_NOERROR;
}

std::string fromText(netsnmp_transport* t, void* data, int len) {
    if (!t || !t->f_fmtaddr) return "?";
    char* s = t->f_fmtaddr(t, data, len);
    std::string out = s ? s : "?";
    free(s);
    for (char& c : out)
        if (c == ' ') c = '_';
    return out;
}

// Before parsing: a silent or restarting device, or one told to drop, answers nothing at all
// (not even the v3 reports that parsing would send).
int preParse(netsnmp_session*, netsnmp_transport* t, void* data, int len) {
    SimDevice& d = *g_device;
    if (d.silent()) {
        d.log.line("# drop silent " + fromText(t, data, len));
        return 0;
    }
    if (d.faults.dropNext > 0) {
        --d.faults.dropNext;
        d.log.line("# drop fault " + fromText(t, data, len));
        return 0;
    }
    return 1;
}

// After parsing: v1 and v2c need a known community; an unknown one is dropped, as agents do.
// USM has already refused unknown users and bad keys with its reports.
int postParse(netsnmp_session* session, netsnmp_pdu* pdu, int result) {
    if (result != 0) {
        // A wrong privacy key decrypts into garbage, which net-snmp meets as a parse error of the
        // scoped PDU and drops. The device reports it as a decryption error instead (usmStats-
        // DecryptionErrors), as USM has it, so a client can tell a wrong privacy password from a
        // silent device.
        if (result == SNMPERR_ASN_PARSE_ERR && pdu->version == SNMP_VERSION_3 &&
            pdu->securityLevel == SNMP_SEC_LEVEL_AUTHPRIV && (pdu->flags & SNMP_MSG_FLAG_RPRT_BIT)) {
            const u_long flags = pdu->flags;
            pdu->flags |= UCD_MSG_FLAG_FORCE_PDU_COPY;
            netsnmp_pdu* report = snmp_clone_pdu(pdu);
            pdu->flags = flags;
            if (report) {
                report->flags = flags;
                if (snmpv3_make_report(report, SNMPERR_USM_DECRYPTIONERROR) != SNMPERR_SUCCESS ||
                    !snmp_send(session, report))
                    snmp_free_pdu(report);
                g_device->log.line("# report decryptionError");
            }
        }
        return 0;
    }
    if (pdu->version == SNMP_VERSION_1 || pdu->version == SNMP_VERSION_2c) {
        std::string c = community(pdu);
        SimDevice& d = *g_device;
        for (const auto* list : {&d.readCommunities, &d.writeCommunities})
            for (const auto& known : *list)
                if (known == c) return 1;
        d.log.line("# drop community " + quoted(c));
        return 0;
    }
    return 1;
}

// The user's key from a password (RFC 3414 A.2: the password repeated over 1 MB, hashed), given
// to net-snmp as a master key, since net-snmp itself refuses passwords under 8 characters and the
// module does not.
std::string masterKey(const std::string& password, const std::string& auth) {
    // Doubling keeps the repetition aligned: every append starts at a multiple of the length.
    constexpr size_t kSize = 1048576;
    std::string data = password;
    data.reserve(kSize);
    while (data.size() < kSize) data.append(data, 0, std::min(data.size(), kSize - data.size()));
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int len = 0;
    EVP_Digest(data.data(), data.size(), digest, &len, auth == "SHA" ? EVP_sha1() : EVP_md5(), nullptr);
    static const char* hex = "0123456789abcdef";
    std::string out = "0x";
    for (unsigned int i = 0; i < len; ++i) {
        out += hex[digest[i] >> 4];
        out += hex[digest[i] & 15];
    }
    return out;
}

bool userExists(const SimUser& u, std::string* error) {
    u_char engine[SNMP_MAXBUF_SMALL];
    size_t engineLen = snmpv3_get_engineID(engine, sizeof engine);
    if (!usm_get_user(engine, engineLen, const_cast<char*>(u.name.c_str()))) {
        *error = "cannot create v3 user '" + u.name + "'";
        return false;
    }
    return true;
}

}  // namespace

int SimAgent::start(const std::string& address, int port, const std::string& engineId, std::string* error) {
    g_device = &m_device;
    // No MIB modules, and no MIB directories to index either.
    setenv("MIBS", "", 1);
    setenv("MIBDIRS", "", 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_READ_CONFIGS, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_PERSIST_STATE, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_LOAD, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_SAVE, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_LOAD_HOST_FILES, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_ALARM_DONT_USE_SIG, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_APPLICATION_ID, NETSNMP_DS_AGENT_ROLE, 0);
    netsnmp_ds_set_boolean(NETSNMP_DS_APPLICATION_ID, NETSNMP_DS_AGENT_NO_ROOT_ACCESS, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_APPLICATION_ID, NETSNMP_DS_AGENT_AGENTX_MASTER, 0);
    snmp_disable_log();
    snmp_enable_stderrlog();
    if (getenv("QMX_SIM_DEBUG")) {
        debug_register_tokens(getenv("QMX_SIM_DEBUG"));
        snmp_set_do_debugging(1);
    }

    // Nothing may land on disk: the certificate index directory is made under the persistent
    // directory at start, so point that at a place where no directory can be made.
    netsnmp_ds_set_string(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_PERSISTENT_DIR, "/dev/null");

    // The access rules are config lines fed in memory, since no file is read: each community and
    // user gets the whole tree, users at the security level they were given.
    auto remember = [](const std::string& line) {
        std::vector<char> buf(line.begin(), line.end());
        buf.push_back('\0');
        netsnmp_config_remember(buf.data());
    };
    remember("engineID " + engineId);
    for (const auto& c : m_device.readCommunities) remember("rocommunity " + c);
    for (const auto& c : m_device.writeCommunities) remember("rwcommunity " + c);
    for (const auto& u : m_device.users) {
        std::string line = "createUser " + u.name;
        std::string level = "noauth";
        if (!u.auth.empty()) {
            line += " " + u.auth + " -m " + masterKey(u.authPass, u.auth);
            level = "auth";
            if (!u.priv.empty()) {
                line += " " + u.priv + " -m " + masterKey(u.privPass, u.auth);
                level = "priv";
            }
        }
        remember(line);
        remember((u.writable ? "rwuser " : "rouser ") + u.name + " " + level);
    }

    init_agent("qmx_sim");
    init_snmp("qmx_sim");

    for (const auto& u : m_device.users)
        if (!userExists(u, error)) return 0;

    // Under 1.3, which takes precedence over the agent's own empty registration of the top arcs.
    static oid root[] = {1, 3};
    netsnmp_handler_registration* reg =
        netsnmp_create_handler_registration("qmx_sim", handler, root, 2, HANDLER_CAN_RWRITE);
    if (!reg || netsnmp_register_handler(reg) != MIB_REGISTERED_OK) {
        *error = "cannot register the device's objects";
        return 0;
    }

    const std::string spec = "udp:" + address + ":" + std::to_string(port);
    netsnmp_transport* t = netsnmp_transport_open_server("qmx_sim", spec.c_str());
    if (!t) {
        *error = "cannot listen on " + address + ":" + std::to_string(port);
        return 0;
    }
    netsnmp_session s;
    snmp_sess_init(&s);
    s.version = SNMP_DEFAULT_VERSION;
    s.callback = handle_snmp_packet;
    s.authenticator = nullptr;
    s.isAuthoritative = SNMP_SESS_AUTHORITATIVE;
    if (!snmp_add(&s, t, preParse, postParse)) {
        *error = "cannot open the agent session";
        return 0;
    }
    sockaddr_in bound{};
    socklen_t len = sizeof bound;
    if (getsockname(t->sock, reinterpret_cast<sockaddr*>(&bound), &len) != 0) {
        *error = std::string("getsockname: ") + std::strerror(errno);
        return 0;
    }
    return ntohs(bound.sin_port);
}

void SimAgent::run(volatile bool& stop, int controlFd) {
    // SIGTERM and SIGINT are let in only inside the wait: one that came between the check of stop and
    // a wait without time-out would never end it (a test's exit closes the control channel and sends
    // SIGTERM at once).
    sigset_t stopSignals, waitMask, savedMask;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stopSignals, &savedMask);
    waitMask = savedMask;
    sigdelset(&waitMask, SIGTERM);
    sigdelset(&waitMask, SIGINT);
    std::string pending;
    while (!stop && !m_device.quit) {
        int numfds = 0;
        fd_set readfds;
        FD_ZERO(&readfds);
        // Wait for a datagram, a control line or the next alarm (delayed answers, TFTP jobs) only:
        // with none of them pending the simulator sleeps until a signal or input wakes it.
        struct timeval tv = {0, 0};
        int block = 1;
        snmp_select_info(&numfds, &readfds, &tv, &block);
        struct timeval alarm = {0, 0};
        if (get_next_alarm_delay_time(&alarm) != 0) {
            if (alarm.tv_sec < 0 || (alarm.tv_sec == 0 && alarm.tv_usec < 0)) alarm = {0, 0};
            if (block || timercmp(&alarm, &tv, <)) tv = alarm;
            block = 0;
        }
        if (controlFd >= 0) {
            FD_SET(controlFd, &readfds);
            numfds = std::max(numfds, controlFd + 1);
        }
        const struct timespec wait = {tv.tv_sec, tv.tv_usec * 1000};
        int count = pselect(numfds, &readfds, nullptr, nullptr, block ? nullptr : &wait, &waitMask);
        if (count < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (count > 0 && controlFd >= 0 && FD_ISSET(controlFd, &readfds)) {
            FD_CLR(controlFd, &readfds);
            --count;
            char buf[4096];
            ssize_t n = read(controlFd, buf, sizeof buf);
            if (n <= 0) {
                controlFd = -1;  // the control input closed; keep serving
            } else {
                pending.append(buf, size_t(n));
                size_t nl;
                while ((nl = pending.find('\n')) != std::string::npos) {
                    std::string line = pending.substr(0, nl);
                    pending.erase(0, nl + 1);
                    if (!line.empty() && line.back() == '\r') line.pop_back();
                    std::string reply = runControl(m_device, line);
                    std::fputs((reply + "\n").c_str(), stdout);
                    std::fflush(stdout);
                }
            }
        }
        if (count > 0)
            snmp_read(&readfds);
        else
            snmp_timeout();
        run_alarms();
        netsnmp_check_outstanding_agent_requests();
    }
    pthread_sigmask(SIG_SETMASK, &savedMask, nullptr);
}
