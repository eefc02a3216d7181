// SNMP speed of the module's request class against net-snmp's own command-line tools, both talking to
// the device simulator on loopback: a 1000-row walk (synchronous and asynchronous) and 1000 gets of a
// 10-object group. Prints the times and, last, the ratios module time / tool time.
//
//   snmp_bench SIM_EXECUTABLE [ROWS] [GETS]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
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

void shell(const std::string& command) {
    if (std::system(command.c_str()) != 0) fail("failed: " + command);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) fail("usage: snmp_bench SIM_EXECUTABLE [ROWS] [GETS]");
    const int rows = argc > 2 ? std::atoi(argv[2]) : 1000;
    const int gets = argc > 3 ? std::atoi(argv[3]) : 1000;
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
    const double walkSync = best([&] {
        bool ok = true;
        int n = 0;
        for (bool first = true; walk->get(&ok, first); first = false) ++n;
        if (!ok || n != rows) fail("synchronous walk gave " + std::to_string(n) + " rows");
    });
    const double walkAsync = best([&] {
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
    });
    auto scalars = request(group.data(), SVT_SV, 0);
    const double getSync = best([&] {
        for (int i = 0; i < gets; ++i) {
            bool ok = true;
            scalars->get(&ok, true);
            if (!ok) fail("get failed");
        }
    });

    const std::string agent = " -v2c -c kiwano -m '' -On -Oq " + sim.endpoint() + " ";
    const double toolWalk = best([&] { shell("snmpwalk" + agent + kTable + " >/dev/null"); });
    std::string getArgs;
    for (const std::string& oid : groupOids) getArgs += " " + oid + ".0";
    const std::string script = "for i in $(seq " + std::to_string(gets) + "); do snmpget" + agent + getArgs +
                               " >/dev/null || exit 1; done";
    // A thousand processes take long enough that one run is as good as the best of three.
    const double toolGet = best([&] { shell(script); }, 1);

    std::printf("walk of %d rows: module sync %.3f s, module async %.3f s, snmpwalk %.3f s\n", rows, walkSync,
                walkAsync, toolWalk);
    std::printf("%d gets of %d objects: module sync %.3f s, snmpget %.3f s\n", gets, kGroupSize, getSync,
                toolGet);
    std::printf("snmp ratios: walk-sync=%.3f walk-async=%.3f get-sync=%.3f\n", walkSync / toolWalk,
                walkAsync / toolWalk, getSync / toolGet);
    walk.reset();
    scalars.reset();
    HvSNMPSession::shutdown();
    return 0;
}
