// How long the Performance page takes to open against the simulator, against what its round trips
// cost: the menu action to the page's last creation answer, as a ratio to (round trips x the time of
// one GET to the same simulator). Run by bench/run-pages.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "library/HvSNMPRequest.h"
#include "library/HvSNMPSession.h"
#include "module/Main.h"
#include "module/Misc.h"
#include "pages/Pages.h"
#include "pages/wireless/Performace.h"
#include "platform/RegistryStore.h"
#include "platform/forms/Forms.h"
#include "tests/sim/SimProcess.h"

namespace {

using Clock = std::chrono::steady_clock;

void fail(const std::string& why) {
    std::fprintf(stderr, "page_bench: %s\n", why.c_str());
    std::exit(1);
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

bool waitUntil(const std::function<bool()>& done, int ms = 20000) {
    const auto end = Clock::now() + std::chrono::milliseconds(ms);
    while (!done()) {
        if (Clock::now() > end) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    return true;
}

// The page's own requests in the simulator's log from line from on: the main window's poll and
// capability probes run meanwhile and are not the page's.
size_t pageRoundTrips(const SimProcess& sim, size_t from) {
    std::set<std::string> ids;
    for (const SimLogLine& l : sim.requests(from)) {
        if (l.event || l.asked == "1.3.6.1.2.1.1.1.0") continue;
        if (l.asked.rfind("1.3.6.1.4.1.47011.11.37.4.99.", 0) == 0) continue;
        ids.insert(l.reqId);
    }
    return ids.size();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) fail("usage: page_bench SIMULATOR [RUNS]");
    const std::string simulator = argv[1];
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 20;
    forms::Application app(argc, argv);
    forms::Application::setTitle(QStringLiteral("QMX-7240NT"));
    InitMibOptionLists();

    SimProcess sim({}, simulator);
    if (!sim.start()) fail(sim.error());
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("mbf"));
    QDir(dir.path()).mkpath(QStringLiteral("lock"));
    QDir(dir.path()).mkpath(QStringLiteral("prog"));
    const std::string root = dir.path().toStdString() + "/";
    {
        QFile ini(QString::fromStdString(root + "mbf/127.0.0.1.cfg"));
        if (!ini.open(QIODevice::WriteOnly)) fail("cannot write the INI file");
        ini.write(("[Program Information]\r\nAgentPort=" + std::to_string(sim.port()) + "\r\n").c_str());
    }
    MemoryRegistryStore registry;
    registry.addValue("\\SOFTWARE\\Halvern\\Vistrel5.1\\MibFile", "Path", root + "mbf/");

    double ratio = 0;
    {
        MainFormEnvironment env;
        env.arguments = {"/I127.0.0.1", "/Rkiwano", "/Wmorello"};
        env.registry = &registry;
        env.programDir = root + "prog/";
        env.lockFolder = root + "lock";
        env.bootCounterDir = root;
        env.pages = HvPages();
        TMainForm main(env);
        if (main.refused()) fail("the main window refused to start");
        MainForm = &main;
        forms::Form::setMainForm(&main);
        if (!waitUntil([&] { return main.deviceAnswering(); })) fail("the simulator does not answer");

        // One GET to the same simulator, as the page's requests send it.
        HvSNMPRequest get;
        get.varList = HvSNMPVarList(kMibT001, SVT_SV, 0);
        std::vector<double> gets;
        for (int i = 0; i < 200; ++i) {
            const auto start = Clock::now();
            bool ok = true;
            get.get(&ok, true);
            if (!ok) fail("a GET failed");
            gets.push_back(std::chrono::duration<double>(Clock::now() - start).count());
        }
        const double rtt = median(gets);

        forms::MenuItem* item = main.pageItem("adPerformance1");
        if (!item) fail("no Performance item in the menu");
        std::vector<double> opens;
        size_t trips = 0;
        for (int i = 0; i < runs; ++i) {
            const size_t from = sim.logSize();
            Clock::time_point end;
            main.pageOpener = [&](forms::Form& page) {
                auto& perf = static_cast<TFM_Performace&>(page);
                // The rate table's walk is the last answer the creation waits for.
                waitUntil([&] {
                    return perf.Ed_dataratecontrolsupport->text() != QStringLiteral("1") ||
                           perf.rateRowsLoaded() > 0;
                });
                end = Clock::now();
                return 0;
            };
            const auto start = Clock::now();
            if (!item->userClick()) fail("the Performance item cannot be chosen");
            opens.push_back(std::chrono::duration<double>(end - start).count());
            trips = pageRoundTrips(sim, from);
        }
        const double open = median(opens);
        ratio = open / (double(trips) * rtt);
        std::printf("page open: %.2f ms median of %d, %zu round trips, one GET %.3f ms\n", open * 1000, runs,
                    trips, rtt * 1000);
        main.pageOpener = nullptr;
        forms::Form::setMainForm(nullptr);
        MainForm = nullptr;
    }
    HvSNMPSession::shutdown();
    FreeMibOptionLists();
    std::printf("page open: performance=%.2f\n", ratio);
    return 0;
}
