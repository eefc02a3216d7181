// SNMP speed of the module's request class against a peer over net-snmp's own C API (snmp_peer) that
// sends the same PDUs, both talking to the same device simulator on loopback in one run: a 1000-row
// walk and 1000 gets of a 10-object group, each synchronously and asynchronously. Prints the times
// and, last, the ratios module time / peer time.
//
//   snmp_bench SIM_EXECUTABLE PEER_EXECUTABLE [ROWS] [GETS]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

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
constexpr int kRuns = 3;

double seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// Best of the runs, in seconds.
double best(const std::function<void()>& run, int runs = kRuns) {
    double b = 1e9;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        run();
        b = std::min(b, seconds(Clock::now() - start));
    }
    return b;
}

void fail(const std::string& why) {
    std::fprintf(stderr, "snmp_bench: %s\n", why.c_str());
    std::exit(1);
}

// The peer's best times, in seconds: walk-sync, walk-async, get-sync, get-async.
std::vector<double> runPeer(const std::string& command) {
    FILE* out = popen(command.c_str(), "r");
    if (!out) fail("cannot start: " + command);
    char line[512] = {};
    std::string text;
    while (std::fgets(line, sizeof line, out)) text = line;
    if (pclose(out) != 0) fail("failed: " + command);
    std::vector<double> times;
    std::istringstream in(text);
    std::string word;
    in >> word;  // "peer"
    while (in >> word) times.push_back(std::atof(word.substr(word.find('=') + 1).c_str()));
    if (times.size() != 4) fail("unexpected peer output: " + text);
    return times;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) fail("usage: snmp_bench SIM_EXECUTABLE PEER_EXECUTABLE [ROWS] [GETS]");
    const int rows = argc > 3 ? std::atoi(argv[3]) : 1000;
    const int gets = argc > 4 ? std::atoi(argv[4]) : 1000;
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

    const std::string peer = std::string(argv[2]) + " " + sim.endpoint() + " kiwano " + kTable + " " +
                             std::to_string(rows) + " " + kGroup + " " + std::to_string(kGroupSize) + " " +
                             std::to_string(gets) + " " + std::to_string(kRuns);
    // Two rounds, module and peer in turn, so that neither gains from when it ran; the best of all.
    std::vector<double> module(4, 1e9), reference(4, 1e9);
    for (int round = 0; round < 2; ++round) {
        const double m[] = {best(walkSync), best(walkAsync), best(getSync), best(getAsync)};
        const std::vector<double> p = runPeer(peer);
        for (int k = 0; k < 4; ++k) {
            module[k] = std::min(module[k], m[k]);
            reference[k] = std::min(reference[k], p[k]);
        }
    }

    std::printf("walk of %d rows: module sync %.4f s, async %.4f s; peer sync %.4f s, async %.4f s\n", rows,
                module[0], module[1], reference[0], reference[1]);
    std::printf("%d gets of %d objects: module sync %.4f s, async %.4f s; peer sync %.4f s, async %.4f s\n",
                gets, kGroupSize, module[2], module[3], reference[2], reference[3]);
    std::printf("snmp ratios: walk-sync=%.3f walk-async=%.3f get-sync=%.3f get-async=%.3f\n",
                module[0] / reference[0], module[1] / reference[1], module[2] / reference[2],
                module[3] / reference[3]);
    walk.reset();
    scalars.reset();
    HvSNMPSession::shutdown();
    return 0;
}
