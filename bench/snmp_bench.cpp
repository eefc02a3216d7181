// SNMP speed of the module's request class against a peer over net-snmp's own C API (snmp_peer) that
// sends the same PDUs, both talking to the same device simulator on loopback in one run: a walk of
// ROWS rows and GETS gets of a 10-object group, each synchronously and asynchronously.
//
// The peer stays running and takes its runs one by one from a pipe, so the module's runs and the
// peer's alternate: after two warm-up rounds, ROUNDS rounds of one run of each side per kind, the
// side that goes first swapped every round. A run next to its partner sees the same load, so each
// round gives one ratio module time / peer time. The figure of a kind is the mean of the middle
// half of its rounds' ratios: a burst of load on either side of one round moves it no more than any
// other round's. Prints the median times, the spread of the ratios and, last, the figures.
//
//   snmp_bench SIM_EXECUTABLE PEER_EXECUTABLE [ROWS] [GETS] [ROUNDS]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTemporaryDir>

#include "library/HvSNMPRequest.h"
#include "library/HvSNMPSession.h"
#include "tests/sim/SimProcess.h"

namespace {

using Clock = std::chrono::steady_clock;

// A table and a scalar group of our own, placed after the device's objects.
const std::string kTable = "1.3.6.1.4.1.47011.11.37.4.200.1.1";
const std::string kGroup = "1.3.6.1.4.1.47011.11.37.4.201";
constexpr int kGroupSize = 10;
const char* const kKinds[] = {"walk-sync", "walk-async", "get-sync", "get-async"};
constexpr int kKindCount = 4;

[[noreturn]] void fail(const std::string& why) {
    std::fprintf(stderr, "snmp_bench: %s\n", why.c_str());
    std::exit(1);
}

double timed(const std::function<void()>& run) {
    const auto start = Clock::now();
    run();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// The rounds' ratios of one kind: the mean of the middle half (a quarter dropped at either end, at
// least the middle one kept), the quartiles and the extremes.
struct Spread {
    double middleMean = 0, q1 = 0, q3 = 0, lo = 0, hi = 0;
};

Spread spreadOf(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    const std::size_t cut = n / 4;
    const std::size_t kept = n - 2 * cut;
    Spread s;
    for (std::size_t i = cut; i < n - cut; ++i) s.middleMean += v[i];
    s.middleMean /= static_cast<double>(kept);
    s.q1 = v[(n - 1) / 4];
    s.q3 = v[n - 1 - (n - 1) / 4];
    s.lo = v.front();
    s.hi = v.back();
    return s;
}

// The peer as a child process that runs one kind per line written to it and answers its time.
class Peer {
public:
    explicit Peer(const std::vector<std::string>& args) {
        int toChild[2], fromChild[2];
        if (pipe(toChild) != 0 || pipe(fromChild) != 0) fail("cannot make pipes for the peer");
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, toChild[0], 0);
        posix_spawn_file_actions_adddup2(&actions, fromChild[1], 1);
        for (int fd : {toChild[0], toChild[1], fromChild[0], fromChild[1]})
            posix_spawn_file_actions_addclose(&actions, fd);
        std::vector<char*> argv;
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        if (posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
            fail("cannot start the peer " + args[0]);
        posix_spawn_file_actions_destroy(&actions);
        close(toChild[0]);
        close(fromChild[1]);
        m_in = fdopen(toChild[1], "w");
        m_out = fdopen(fromChild[0], "r");
        if (readLine() != "ready") fail("the peer did not start");
    }
    ~Peer() {
        std::fputs("quit\n", m_in);
        std::fclose(m_in);
        std::fclose(m_out);
        int status = 0;
        waitpid(m_pid, &status, 0);
    }

    // One run of kind, in seconds as the peer timed it.
    double run(const char* kind) {
        std::fprintf(m_in, "%s\n", kind);
        std::fflush(m_in);
        const std::string answer = readLine();
        char* end = nullptr;
        const double t = std::strtod(answer.c_str(), &end);
        if (answer.empty() || *end) fail(std::string("the peer's ") + kind + " failed");
        return t;
    }

private:
    std::string readLine() {
        char line[128] = {};
        if (!std::fgets(line, sizeof line, m_out)) return {};
        std::string text = line;
        while (!text.empty() && text.back() == '\n') text.pop_back();
        return text;
    }

    pid_t m_pid = -1;
    FILE* m_in = nullptr;
    FILE* m_out = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) fail("usage: snmp_bench SIM_EXECUTABLE PEER_EXECUTABLE [ROWS] [GETS] [ROUNDS]");
    const int rows = argc > 3 ? std::atoi(argv[3]) : 2000;
    const int gets = argc > 4 ? std::atoi(argv[4]) : 2000;
    const int rounds = argc > 5 ? std::max(1, std::atoi(argv[5])) : 32;
    QCoreApplication app(argc, argv);

    SimProcess sim({}, argv[1]);
    if (!sim.start()) fail(sim.error());
    const std::string n = std::to_string(rows);
    if (!sim.ok("fill " + kTable + ".2 " + n + " i 7") || !sim.ok("fill " + kTable + ".3 " + n + " s row"))
        fail("cannot fill the table");
    for (int g = 1; g <= kGroupSize; ++g)
        if (!sim.ok("set " + kGroup + "." + std::to_string(g) + ".0 i " + std::to_string(g)))
            fail("cannot fill the group");

    QTemporaryDir dir;
    HvSNMPSession::initialize(dir.path().toStdString());

    const std::string col2 = kTable + ".2";
    const std::string col3 = kTable + ".3";
    const MibObjectDef table[] = {
        {" ", "Index", HvSyntax::Integer, HvAccess::NotAccess},
        {col2.c_str(), "Number", HvSyntax::Integer, HvAccess::ReadOnly},
        {col3.c_str(), "Name", HvSyntax::DisplayStr, HvAccess::ReadOnly},
        {},
    };
    std::vector<std::string> groupOids;
    for (int g = 1; g <= kGroupSize; ++g) groupOids.push_back(kGroup + "." + std::to_string(g));
    std::vector<MibObjectDef> group;
    for (const std::string& oid : groupOids)
        group.push_back({oid.c_str(), "g", HvSyntax::Integer, HvAccess::ReadOnly});
    group.push_back({});

    auto request = [&](const MibObjectDef* t, uint8_t kind, int32_t keys) {
        auto r = std::make_unique<HvSNMPRequest>();
        r->device.address = sim.address();
        r->device.port = static_cast<uint16_t>(sim.port());
        r->security.version = 1;
        r->timeout = 200;
        r->varList = HvSNMPVarList(t, kind, keys);
        return r;
    };

    auto walk = request(table, MVT_FMV, 1);
    auto scalars = request(group.data(), SVT_SV, 0);
    auto walkSync = [&] {
        bool ok = true;
        int n = 0;
        for (bool first = true; walk->get(&ok, first); first = false) ++n;
        if (!ok || n != rows) fail("synchronous walk gave " + std::to_string(n) + " rows");
    };
    // Each completion starts the next read, as a page's walk does.
    auto walkAsync = [&] {
        QEventLoop loop;
        int n = 0;
        bool failed = false;
        HvSNMPCompletion done = [&](HvSNMPError* e, HvSNMPVarList*) {
            if (e->code != 0) failed = true;
            if (e->endOfWalk) {
                loop.quit();
                return;
            }
            ++n;
            walk->getAsync(done, false);
        };
        walk->getAsync(done, true);
        loop.exec();
        if (failed || n != rows) fail("asynchronous walk gave " + std::to_string(n) + " rows");
    };
    auto getSync = [&] {
        for (int i = 0; i < gets; ++i) {
            bool ok = true;
            scalars->get(&ok, true);
            if (!ok) fail("get failed");
        }
    };
    auto getAsync = [&] {
        QEventLoop loop;
        int n = 0;
        HvSNMPCompletion done = [&](HvSNMPError* e, HvSNMPVarList*) {
            if (e->code != 0) fail("asynchronous get failed");
            if (++n == gets) {
                loop.quit();
                return;
            }
            scalars->getAsync(done, true);
        };
        scalars->getAsync(done, true);
        loop.exec();
    };

    Peer peer({argv[2], sim.endpoint(), "kiwano", kTable, std::to_string(rows), kGroup, std::to_string(kGroupSize),
               std::to_string(gets)});
    const std::function<void()> module[kKindCount] = {walkSync, walkAsync, getSync, getAsync};
    std::vector<double> moduleTimes[kKindCount], peerTimes[kKindCount], ratios[kKindCount];
    // Two rounds warm both sides up (caches, the allocators' heaps, the CPUs' clocks) and are not counted.
    constexpr int kWarmUp = 2;
    for (int round = 0; round < kWarmUp + rounds; ++round) {
        for (int k = 0; k < kKindCount; ++k) {
            double m = 0, p = 0;
            if (round % 2) {
                m = timed(module[k]);
                p = peer.run(kKinds[k]);
            } else {
                p = peer.run(kKinds[k]);
                m = timed(module[k]);
            }
            if (round < kWarmUp) continue;
            moduleTimes[k].push_back(m);
            peerTimes[k].push_back(p);
            ratios[k].push_back(m / p);
        }
    }

    std::printf("measured: %d rounds after %d of warm-up, one run of the module and one of the peer per kind and\n"
                "  round, the side that goes first swapped every round; times are medians; a ratio is the mean\n"
                "  of the middle half of the rounds' module/peer, then their median, quartiles and extremes\n",
                rounds, kWarmUp);
    Spread spread[kKindCount];
    for (int k = 0; k < kKindCount; ++k) {
        spread[k] = spreadOf(ratios[k]);
        const Spread& r = spread[k];
        std::printf("%-10s %s: module %.4f s, peer %.4f s, ratio %.3f (median %.3f, quartiles %.3f..%.3f, %.3f..%.3f)\n",
                    kKinds[k],
                    k < 2 ? (std::to_string(rows) + " rows").c_str() : (std::to_string(gets) + " gets").c_str(),
                    median(moduleTimes[k]), median(peerTimes[k]), r.middleMean, median(ratios[k]), r.q1, r.q3, r.lo,
                    r.hi);
    }
    std::printf("snmp ratios: walk-sync=%.3f walk-async=%.3f get-sync=%.3f get-async=%.3f\n", spread[0].middleMean,
                spread[1].middleMean, spread[2].middleMean, spread[3].middleMean);
    walk.reset();
    scalars.reset();
    HvSNMPSession::shutdown();
    return 0;
}
