#include "sim/SimTftp.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <memory>
#include <thread>
#include <vector>

#include <curl/curl.h>

#include "sim/SimAgent.h"
#include "sim/SimProfile.h"

namespace {

// One transfer of the device's TFTP client, run on a thread of its own.
struct Job {
    enum Kind { Get, Put, Log };
    Kind kind = Get;
    std::string server, file, url;
    std::string outgoing;  // Put and Log: what the device sends
    std::string incoming;  // Get: what arrived
    size_t sent = 0;
    long long cutAfter = -1;  // an upload stops after this many bytes (a dropped transfer)
    bool answerOk = false;    // answer success whatever happened (a device that says so)
    std::atomic<bool> done{false};
    bool ok = false;
    std::string reason;
    std::thread thread;
    netsnmp_delegated_cache* cache = nullptr;
};

struct State {
    int port = 69;
    int failNext = 0;
    long long cutNext = -1;
    bool cutAnswersOk = false;
    std::vector<std::string> log = {
        "Jan  1 00:00:01\t[System]Device started",
        "Jan  1 00:00:03\t[Wireless]Radio 802.11g up on channel 6",
        "Jan  1 00:00:09\t[Notice] Administrator logged in from 127.0.0.1",
    };
    std::string receivedName;
    std::string received;
    bool hasReceived = false;
    std::string flashedName;
    std::unique_ptr<Job> job;
    bool curlReady = false;
};

State& state() {
    static State s;
    return s;
}

SimDevice* g_device = nullptr;

SimOid enterprise(const char* rel) {
    return *parseOid(std::string(kEnterprise) + "." + rel);
}

// The OID without a trailing ".0" instance.
SimOid bare(SimOid o) {
    if (!o.empty() && o.back() == 0) o.pop_back();
    return o;
}

std::string toText(const SimValue& v) {
    if (v.type == SimType::OctetString) return v.octets;
    return valueText(v);
}

// A value the set carries for object rel, else the stored one.
std::string valueOf(SimDevice& d, netsnmp_request_info* requests, const char* rel) {
    const SimOid want = enterprise(rel);
    for (auto* r = requests; r; r = r->next) {
        const auto* vb = r->requestvb;
        if (bare(SimOid(vb->name, vb->name + vb->name_length)) != want) continue;
        if (vb->type == ASN_OCTET_STR)
            return std::string(reinterpret_cast<const char*>(vb->val.string), vb->val_len);
        if (vb->type == ASN_IPADDRESS && vb->val_len == 4) {
            const auto* b = vb->val.string;
            return std::to_string(b[0]) + "." + std::to_string(b[1]) + "." + std::to_string(b[2]) + "." +
                   std::to_string(b[3]);
        }
    }
    auto* e = d.store.find(want).entry;
    if (!e) {
        SimOid instance = want;
        instance.push_back(0);
        e = d.store.find(instance).entry;
    }
    return e ? toText(e->value) : std::string();
}

// What the device keeps as its configuration: every writable object of its own arc, one per line,
// but the restart and file-transfer commands, which are actions rather than settings.
std::string configuration(SimDevice& d) {
    const SimOid arc = *parseOid(kEnterprise);
    const SimOid commands[] = {enterprise("4.3.2"), enterprise("4.3.3")};
    std::string out = "# QMX-7240NT configuration\n";
    for (const auto& [oid, e] : d.store.entries()) {
        if (!e.writable || !oidStartsWith(oid, arc)) continue;
        if (oidStartsWith(oid, commands[0]) || oidStartsWith(oid, commands[1])) continue;
        const bool hex = e.syntax == 0x49 && e.value.type == SimType::OctetString;
        out += oidText(oid) + " " + typeLetter(e.value.type) + " " + valueText(e.value, hex) + "\n";
    }
    return out;
}

std::string logText() {
    std::string out;
    for (const auto& line : state().log) out += line + "\r\n";
    return out;
}

std::string hex(const std::string& octets) {
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : octets) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

size_t onData(char* data, size_t size, size_t count, void* user) {
    auto* job = static_cast<Job*>(user);
    job->incoming.append(data, size * count);
    return size * count;
}

size_t onRead(char* into, size_t size, size_t count, void* user) {
    auto* job = static_cast<Job*>(user);
    size_t room = size * count;
    size_t left = job->outgoing.size() - job->sent;
    if (job->cutAfter >= 0) {
        if (static_cast<long long>(job->sent) >= job->cutAfter) return CURL_READFUNC_ABORT;
        left = std::min(left, static_cast<size_t>(job->cutAfter) - job->sent);
    }
    size_t n = std::min(room, left);
    std::copy_n(job->outgoing.data() + job->sent, n, into);
    job->sent += n;
    return n;
}

void runTransfer(Job* job) {
    CURL* curl = curl_easy_init();
    if (!curl) {
        job->reason = "curl-init";
        job->done = true;
        return;
    }
    curl_easy_setopt(curl, CURLOPT_URL, job->url.c_str());
    curl_easy_setopt(curl, CURLOPT_TFTP_NO_OPTIONS, 1L);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT, 60L);
    // A server that never answers the first packet is given up after a few seconds, as devices do.
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, 5L);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    if (job->kind == Job::Get) {
        curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, onData);
        curl_easy_setopt(curl, CURLOPT_WRITEDATA, job);
    } else {
        curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
        curl_easy_setopt(curl, CURLOPT_READFUNCTION, onRead);
        curl_easy_setopt(curl, CURLOPT_READDATA, job);
        curl_easy_setopt(curl, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(job->outgoing.size()));
    }
    CURLcode rc = curl_easy_perform(curl);
    job->ok = rc == CURLE_OK;
    if (!job->ok) job->reason = curl_easy_strerror(rc);
    curl_easy_cleanup(curl);
    job->done = true;
}

const char* kindText(Job::Kind k) {
    return k == Job::Get ? "get" : k == Job::Put ? "put" : "log";
}

// Polls the running transfer from the agent's loop and lets its set go on when it has ended.
void checkJob(unsigned int reg, void*) {
    State& s = state();
    Job* job = s.job.get();
    if (!job || !job->done) return;
    snmp_alarm_unregister(reg);
    job->thread.join();
    SimDevice& d = *g_device;
    std::string words = std::string("# tftp ") + kindText(job->kind) + " " + job->server + ":" +
                        std::to_string(s.port) + " " + quoted(job->file);
    if (job->ok) {
        d.log.line(words + " ok " + std::to_string(job->kind == Job::Get ? job->incoming.size() : job->sent));
        if (job->kind == Job::Get) {
            s.receivedName = job->file;
            s.received = job->incoming;
            s.hasReceived = true;
        }
    } else {
        d.log.line(words + " failed " + quoted(job->reason) + (job->answerOk ? " answered-ok" : ""));
    }
    const bool failed = !job->ok && !job->answerOk;
    if (netsnmp_delegated_cache* cache = job->cache ? netsnmp_handler_check_cache(job->cache) : nullptr) {
        for (auto* r = cache->requests; r; r = r->next) r->delegated = 0;
        if (failed) netsnmp_set_request_error(cache->reqinfo, cache->requests, SNMP_ERR_GENERR);
        netsnmp_free_delegated_cache(cache);
    }
    s.job.reset();
}

std::optional<int64_t> integerIn(netsnmp_request_info* requests, const SimOid& want) {
    for (auto* r = requests; r; r = r->next) {
        const auto* vb = r->requestvb;
        if (vb->type != ASN_INTEGER) continue;
        if (bare(SimOid(vb->name, vb->name + vb->name_length)) == want) return *vb->val.integer;
    }
    return std::nullopt;
}

}  // namespace

bool simTftpAction(SimDevice& d, netsnmp_mib_handler* handler, netsnmp_handler_registration* reginfo,
                   netsnmp_agent_request_info* reqinfo, netsnmp_request_info* requests) {
    g_device = &d;
    State& s = state();
    std::optional<Job::Kind> kind;
    if (auto n = integerIn(requests, enterprise("4.3.3.4")); n && (*n == 2 || *n == 3))
        kind = *n == 2 ? Job::Get : Job::Put;
    else if (auto g = integerIn(requests, enterprise("4.2.11.6")); g && *g == 1)
        kind = Job::Log;
    if (!kind) return false;

    auto job = std::make_unique<Job>();
    job->kind = *kind;
    const bool log = *kind == Job::Log;
    job->server = valueOf(d, requests, log ? "4.2.11.4" : "4.3.3.1");
    job->file = valueOf(d, requests, log ? "4.2.11.5" : "4.3.3.2");
    const std::string words = std::string("# tftp ") + kindText(job->kind) + " " + job->server + ":" +
                              std::to_string(s.port) + " " + quoted(job->file);
    if (s.job || s.failNext > 0 || job->server.empty() || job->file.empty()) {
        if (!s.job && s.failNext > 0) --s.failNext;
        d.log.line(words + " refused");
        netsnmp_set_request_error(reqinfo, requests, SNMP_ERR_GENERR);
        return true;
    }
    if (!s.curlReady) {
        curl_global_init(CURL_GLOBAL_DEFAULT);
        s.curlReady = true;
    }
    if (*kind == Job::Put) job->outgoing = configuration(d);
    if (*kind == Job::Log) job->outgoing = logText();
    if (*kind != Job::Get && s.cutNext >= 0) {
        job->cutAfter = s.cutNext;
        job->answerOk = s.cutAnswersOk;
        s.cutNext = -1;
        s.cutAnswersOk = false;
    }
    // curl takes the path after the first '/' as the file name, decoded.
    char* escaped = curl_easy_escape(nullptr, job->file.data(), static_cast<int>(job->file.size()));
    job->url = "tftp://" + job->server + ":" + std::to_string(s.port) + "/" + (escaped ? escaped : "");
    curl_free(escaped);

    // The TFTP command is answered with the transfer's outcome; the log request is answered at once
    // and the log follows, as the device does it (the log page asks synchronously).
    const bool hold = *kind != Job::Log;
    if (hold) {
        for (auto* r = requests; r; r = r->next) r->delegated = 1;
        job->cache = netsnmp_create_delegated_cache(handler, reginfo, reqinfo, requests, nullptr);
    }
    Job* raw = job.get();
    s.job = std::move(job);
    raw->thread = std::thread(runTransfer, raw);
    struct timeval tv = {0, 10000};
    snmp_alarm_register_hr(tv, SA_REPEAT, checkJob, nullptr);
    return hold;
}

bool simTftpSideEffect(SimDevice& d, const SimOid& key, int64_t value) {
    State& s = state();
    if (key == enterprise("4.3.3.5") && value == 1) {
        // Flashing: the device takes what it fetched last and stays up until it is told to reboot.
        s.flashedName = s.receivedName;
        d.log.line("# firmware update " + quoted(s.receivedName) + " " + std::to_string(s.received.size()));
        return true;
    }
    if (key == enterprise("4.2.11.10") && value == 1) {
        s.log.clear();
        d.log.line("# syslog clear");
        return true;
    }
    return false;
}

std::optional<std::string> simTftpControl(SimDevice& d, const std::string& cmd, std::istringstream& in) {
    State& s = state();
    auto number = [](const std::string& t) -> std::optional<long long> {
        long long v = 0;
        auto [p, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
        if (t.empty() || ec != std::errc() || p != t.data() + t.size()) return std::nullopt;
        return v;
    };
    auto rest = [&] {
        std::string r;
        std::getline(in, r);
        size_t b = r.find_first_not_of(' ');
        return b == std::string::npos ? std::string() : r.substr(b);
    };
    if (cmd == "tftp-port") {
        std::string a;
        in >> a;
        auto v = number(a);
        if (!v || *v < 1 || *v > 65535) return "error port 1..65535 expected";
        s.port = int(*v);
        return "ok";
    }
    if (cmd == "tftp-fail") {
        std::string a;
        in >> a;
        auto v = a.empty() ? std::optional<long long>(1) : number(a);
        if (!v || *v < 0) return "error count expected";
        s.failNext = int(*v);
        return "ok";
    }
    if (cmd == "tftp-cut") {
        std::string a, how;
        in >> a >> how;
        auto v = number(a);
        if (!v || *v < 0) return "error byte count expected";
        if (!how.empty() && how != "ok") return "error 'ok' or nothing expected after the count";
        s.cutNext = *v;
        s.cutAnswersOk = how == "ok";
        return "ok";
    }
    if (cmd == "tftp-received") {
        if (!s.hasReceived) return "error nothing received";
        return "ok " + quoted(s.receivedName) + " " + (s.received.empty() ? "-" : hex(s.received));
    }
    if (cmd == "config") return "ok " + hex(configuration(d));
    if (cmd == "syslog") return "ok " + std::to_string(s.log.size());
    if (cmd == "syslog-clear") {
        s.log.clear();
        return "ok";
    }
    if (cmd == "syslog-add") {
        std::string why;
        auto v = parseValue('s', rest(), &why);
        if (!v) return "error " + why;
        s.log.push_back(v->octets);
        return "ok";
    }
    return std::nullopt;
}

void simTftpRequest(SimDevice& device, const std::string& what, const std::string& server,
                    const std::string& file) {
    // The transfer itself ran (and ended well) before the set was committed.
    device.log.line("# tftp " + what + " " + (server.empty() ? "-" : server) + " " + quoted(file) +
                    " committed");
}
