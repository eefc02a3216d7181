// The reference for bench/run-snmp: net-snmp's own C API sending exactly the PDUs the module's
// request class sends (a walk as get-nexts of both columns at once, a get of the 10-object group),
// synchronously (snmp_sess_synch_response) and asynchronously (snmp_sess_async_send, the next PDU
// sent from the loop once the callback has taken the answer), one request outstanding at a time.
//
//   snmp_peer HOST:PORT COMMUNITY TABLE ROWS GROUP GROUP_SIZE GETS
//
// Prints "ready" once its sessions are open, then for each line read from standard input (one of
// walk-sync, walk-async, get-sync, get-async) runs that once and prints its time in seconds, so
// that the bench can interleave the peer's runs with the module's. Ends at "quit" or end of input.
// Exits 1 when an answer is missing or wrong.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>
#include <net-snmp/library/large_fd_set.h>

namespace {

using Clock = std::chrono::steady_clock;
using Oid = std::vector<oid>;

[[noreturn]] void fail(const std::string& why) {
    std::fprintf(stderr, "snmp_peer: %s\n", why.c_str());
    std::exit(1);
}

Oid parse(const std::string& text) {
    Oid o;
    std::size_t at = 0;
    while (at <= text.size()) {
        std::size_t dot = text.find('.', at);
        if (dot == std::string::npos) dot = text.size();
        o.push_back(static_cast<oid>(std::stoul(text.substr(at, dot - at))));
        at = dot + 1;
    }
    return o;
}

bool inside(const Oid& column, const oid* name, std::size_t length) {
    return length > column.size() && std::equal(column.begin(), column.end(), name);
}

netsnmp_pdu* makePdu(int command, const std::vector<Oid>& names) {
    netsnmp_pdu* pdu = snmp_pdu_create(command);
    for (const Oid& n : names) snmp_add_null_var(pdu, n.data(), n.size());
    return pdu;
}

// The answer's names, or empty when there was none or it carried an error.
std::vector<Oid> namesOf(const netsnmp_pdu* response) {
    std::vector<Oid> names;
    if (!response || response->errstat != SNMP_ERR_NOERROR) return names;
    for (const netsnmp_variable_list* v = response->variables; v; v = v->next_variable)
        names.emplace_back(v->name, v->name + v->name_length);
    return names;
}

// One step of a walk: the next get-next's names, or empty when every column has ended.
std::vector<Oid> nextRow(const std::vector<Oid>& columns, const std::vector<Oid>& answer, int& rows) {
    if (answer.size() != columns.size()) fail("walk answer of the wrong size");
    bool any = false;
    for (std::size_t k = 0; k < columns.size(); ++k)
        any = any || inside(columns[k], answer[k].data(), answer[k].size());
    if (!any) return {};
    ++rows;
    return answer;
}

struct Peer {
    void* sess = nullptr;
    // Filled by the callback, taken by the loop.
    bool answered = false;
    std::vector<Oid> answer;

    static int callback(int operation, netsnmp_session*, int, netsnmp_pdu* pdu, void* magic) {
        auto* self = static_cast<Peer*>(magic);
        self->answered = true;
        self->answer = operation == NETSNMP_CALLBACK_OP_RECEIVED_MESSAGE ? namesOf(pdu) : std::vector<Oid>{};
        return 1;
    }

    std::vector<Oid> sync(int command, const std::vector<Oid>& names) {
        netsnmp_pdu* response = nullptr;
        const int status = snmp_sess_synch_response(sess, makePdu(command, names), &response);
        std::vector<Oid> out = status == STAT_SUCCESS ? namesOf(response) : std::vector<Oid>{};
        if (response) snmp_free_pdu(response);
        return out;
    }

    std::vector<Oid> async(int command, const std::vector<Oid>& names) {
        answered = false;
        netsnmp_pdu* pdu = makePdu(command, names);
        if (!snmp_sess_async_send(sess, pdu, &Peer::callback, this)) {
            snmp_free_pdu(pdu);
            fail("send failed");
        }
        while (!answered) {
            netsnmp_large_fd_set fds;
            netsnmp_large_fd_set_init(&fds, FD_SETSIZE);
            NETSNMP_LARGE_FD_ZERO(&fds);
            int numfds = 0, block = 1;
            timeval tv{};
            snmp_sess_select_info2(sess, &numfds, &fds, &tv, &block);
            const int n = netsnmp_large_fd_set_select(numfds, &fds, nullptr, nullptr, block ? nullptr : &tv);
            if (n > 0)
                snmp_sess_read2(sess, &fds);
            else
                snmp_sess_timeout(sess);
            netsnmp_large_fd_set_cleanup(&fds);
        }
        return answer;
    }
};

double timed(const std::function<void()>& run) {
    const auto start = Clock::now();
    run();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 8) fail("usage: snmp_peer HOST:PORT COMMUNITY TABLE ROWS GROUP GROUP_SIZE GETS");
    const std::string peername = argv[1];
    const std::string community = argv[2];
    const Oid table = parse(argv[3]);
    const int rows = std::atoi(argv[4]);
    const std::string group = argv[5];
    const int groupSize = std::atoi(argv[6]);
    const int gets = std::atoi(argv[7]);

    // No configuration files, no MIBs, nothing persisted.
    setenv("MIBS", "", 1);
    for (int flag : {NETSNMP_DS_LIB_DONT_READ_CONFIGS, NETSNMP_DS_LIB_DONT_PERSIST_STATE,
                     NETSNMP_DS_LIB_DISABLE_PERSISTENT_LOAD, NETSNMP_DS_LIB_DISABLE_PERSISTENT_SAVE})
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, flag, 1);
    init_snmp("snmp_peer");

    // One session for each way, as the module keeps per target.
    auto open = [&] {
        netsnmp_session s;
        snmp_sess_init(&s);
        s.peername = const_cast<char*>(peername.c_str());
        s.version = SNMP_VERSION_2c;
        s.community = reinterpret_cast<u_char*>(const_cast<char*>(community.c_str()));
        s.community_len = community.size();
        s.timeout = 2000000;  // as the module's request: 200 units of 10 ms, one retry
        s.retries = 1;
        void* sess = snmp_sess_open(&s);
        if (!sess) fail("cannot open a session to " + peername);
        return sess;
    };
    Peer syncPeer;
    syncPeer.sess = open();
    Peer asyncPeer;
    asyncPeer.sess = open();

    Oid col2 = table, col3 = table;
    col2.push_back(2);
    col3.push_back(3);
    const std::vector<Oid> columns{col2, col3};
    std::vector<Oid> groupNames;
    for (int g = 1; g <= groupSize; ++g) groupNames.push_back(parse(group + "." + std::to_string(g) + ".0"));

    auto walk = [&](Peer& p, bool sync) {
        int n = 0;
        std::vector<Oid> names = columns;
        while (!names.empty()) {
            const std::vector<Oid> answer = sync ? p.sync(SNMP_MSG_GETNEXT, names) : p.async(SNMP_MSG_GETNEXT, names);
            names = nextRow(columns, answer, n);
        }
        if (n != rows) fail("walk gave " + std::to_string(n) + " rows");
    };
    auto getAll = [&](Peer& p, bool sync) {
        for (int i = 0; i < gets; ++i) {
            const auto answer = sync ? p.sync(SNMP_MSG_GET, groupNames) : p.async(SNMP_MSG_GET, groupNames);
            if (answer.size() != groupNames.size()) fail("get failed");
        }
    };

    const std::map<std::string, std::function<void()>> kinds{
        {"walk-sync", [&] { walk(syncPeer, true); }},
        {"walk-async", [&] { walk(asyncPeer, false); }},
        {"get-sync", [&] { getAll(syncPeer, true); }},
        {"get-async", [&] { getAll(asyncPeer, false); }},
    };
    std::printf("ready\n");
    std::fflush(stdout);
    char line[64] = {};
    while (std::fgets(line, sizeof line, stdin)) {
        std::string kind = line;
        while (!kind.empty() && (kind.back() == '\n' || kind.back() == '\r')) kind.pop_back();
        if (kind == "quit") break;
        auto it = kinds.find(kind);
        if (it == kinds.end()) fail("unknown run: " + kind);
        std::printf("%.6f\n", timed(it->second));
        std::fflush(stdout);
    }
    snmp_sess_close(syncPeer.sess);
    snmp_sess_close(asyncPeer.sess);
    return 0;
}
