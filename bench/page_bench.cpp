// How long every page of the registry takes to open against the simulator when each answer comes
// 2 ms late, against the round trips its reads need. Run by bench/run-pages.
//
// Each page is opened from the main window's menu, in the same run, with answers on time (the 0 ms
// baseline: widget construction and loopback) and 2 ms late; an open lasts from the menu action to
// the moment no request of the page is busy. Per page:
//   pdus   the page's PDUs (the main window's poll and capability probes are stopped meanwhile)
//   trips  the round trips the page waited for one after another: (open@2ms - open@0ms) / 2 ms
//   need   the round trips its reads need: a walk's next row waits for the row before (it asks what
//          that row answered, or a part of it once columns have ended), whatever follows a write
//          waits for the write, a read that an answer decides waits for that answer (kDecided), every
//          other read could go at once; walks side by side wait only for their own rows
//   ratio  trips / need (1: the page waits for nothing its reads do not need)
// open@0ms and open@2ms are the shortest of the runs, which alternate between the two delays: a busy
// machine only ever lengthens an open, and no open at 2 ms can be shorter than the answers it waited
// for, so the shortest keeps every real wait and drops the others' load. The first line gives the
// machine's load; the last is "page open @2ms: worst=R median=R" over the pages' ratios.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "library/HvSNMPSession.h"
#include "module/HvPage.h"
#include "module/Main.h"
#include "module/Misc.h"
#include "pages/Pages.h"
#include "platform/RegistryStore.h"
#include "platform/forms/Forms.h"
#include "tests/sim/SimProcess.h"

namespace {

using Clock = std::chrono::steady_clock;
const std::string E = "1.3.6.1.4.1.47011.11.37.4.";
constexpr int kDelayMs = 2;

// Reads that only an answer of the same page decides: their first PDU waits one round trip more.
// The Performance page reads its rate control and walks its rate table only when the device says it
// has them.
const std::map<std::string, std::vector<std::string>> kDecided = {
    {"adPerformance1", {E + "2.14.1.2.", E + "2.13.1."}},
};

void fail(const std::string& why) {
    std::fprintf(stderr, "page_bench: %s\n", why.c_str());
    std::exit(1);
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void printLoad(const char* when) {
    double load[3] = {0, 0, 0};
    if (getloadavg(load, 3) == 3) std::printf("%s: %.2f %.2f %.2f\n", when, load[0], load[1], load[2]);
}

bool waitUntil(const std::function<bool()>& done, int ms = 30000) {
    const auto end = Clock::now() + std::chrono::milliseconds(ms);
    while (!done()) {
        if (Clock::now() > end) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    return true;
}

// One PDU of the page as the simulator logged it.
struct Pdu {
    std::string op;
    std::vector<std::string> asked, answered;
};

std::vector<Pdu> pagePdus(const SimProcess& sim, size_t from) {
    std::vector<Pdu> pdus;
    std::map<std::string, size_t> byId;
    for (const SimLogLine& l : sim.requests(from)) {
        auto [it, added] = byId.emplace(l.reqId, pdus.size());
        if (added) pdus.push_back({l.op, {}, {}});
        pdus[it->second].asked.push_back(l.asked);
        pdus[it->second].answered.push_back(l.answered);
    }
    return pdus;
}

// Every OID that part asks, the answer of whole gave: a walk's next row, which asks only the columns
// that have not ended.
bool continues(const Pdu& part, const Pdu& whole) {
    return std::all_of(part.asked.begin(), part.asked.end(), [&](const std::string& oid) {
        return std::find(whole.answered.begin(), whole.answered.end(), oid) != whole.answered.end();
    });
}

// The longest chain of PDUs that wait for one another: a get-next that asks what an earlier PDU
// answered continues that PDU's walk; a PDU after a write waits for the write's answer.
int neededTrips(const std::vector<Pdu>& pdus, const std::vector<std::string>& decided) {
    std::vector<int> depth(pdus.size(), 0);
    int worst = 0;
    int written = 0;  // the depth of the last write so far
    for (size_t i = 0; i < pdus.size(); ++i) {
        int d = written + 1;
        for (const std::string& prefix : decided)
            for (const std::string& oid : pdus[i].asked)
                if (oid.rfind(prefix, 0) == 0) d = std::max(d, 2);
        if (pdus[i].op == "GETNEXT")
            for (size_t j = 0; j < i; ++j)
                if (continues(pdus[i], pdus[j])) d = std::max(d, depth[j] + 1);
        depth[i] = d;
        if (pdus[i].op == "SET") written = d;
        worst = std::max(worst, d);
    }
    return worst;
}

struct Opened {
    double ms = 0;
    std::vector<Pdu> pdus;
};

// Opens the page of item from the menu and waits until its requests have ended.
Opened openOnce(TMainForm& main, SimProcess& sim, const char* item) {
    forms::MenuItem* menuItem = main.pageItem(item);
    if (!menuItem) fail(std::string("no menu item ") + item);
    const size_t from = sim.logSize();
    Clock::time_point end;
    bool shown = false;
    main.pageOpener = [&](forms::Form& page) {
        shown = true;
        auto* hv = dynamic_cast<HvPage*>(&page);
        if (hv && !waitUntil([hv] { return hv->requestsIdle(); })) fail(std::string(item) + " never ends its reads");
        end = Clock::now();
        return 0;
    };
    const auto start = Clock::now();
    if (!menuItem->userClick() || !shown) fail(std::string("the item ") + item + " opens no page");
    main.pageOpener = nullptr;
    return {std::chrono::duration<double, std::milli>(end - start).count(), pagePdus(sim, from)};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) fail("usage: page_bench SIMULATOR [RUNS]");
    const std::string simulator = argv[1];
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    forms::Application app(argc, argv);
    forms::Application::setTitle(QStringLiteral("QMX-7240NT"));
    // A page that asks or warns gets its OK: nobody sits at the bench.
    forms::Application::setMessageBoxHook([](const forms::MessageBoxCall&) { return forms::IDOK; });
    InitMibOptionLists();

    SimProcess sim({}, simulator);
    if (!sim.start()) fail(sim.error());
    QTemporaryDir dir;
    for (const char* sub : {"mbf", "lock", "prog"}) QDir(dir.path()).mkpath(QString::fromLatin1(sub));
    const std::string root = dir.path().toStdString() + "/";
    {
        QFile ini(QString::fromStdString(root + "mbf/127.0.0.1.cfg"));
        if (!ini.open(QIODevice::WriteOnly)) fail("cannot write the INI file");
        ini.write(("[Program Information]\r\nAgentPort=" + std::to_string(sim.port()) + "\r\n").c_str());
    }
    MemoryRegistryStore registry;
    registry.addValue("\\SOFTWARE\\Halvern\\Vistrel5.1\\MibFile", "Path", root + "mbf/");

    std::vector<double> ratios;
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
        // The capability probes have filled the fields that pick pages and their reads.
        waitUntil([&] { return !main.Ed_FwVer->text().isEmpty(); }, 5000);
        // From here every PDU the simulator logs is a page's: the poll and the probes stop, and the
        // last of them is answered.
        main.LedStatus->setEnabled(false);
        main.Timer1->setEnabled(false);
        for (size_t seen = ~size_t(0); seen != sim.logSize();) {
            seen = sim.logSize();
            waitUntil([] { return false; }, 300);
        }

        printLoad("load before");
        std::printf("%-20s %5s %6s %5s %9s %9s %6s\n", "page", "pdus", "trips", "need", "open@0ms", "open@2ms",
                    "ratio");
        for (const HvPageEntry& entry : HvPages()) {
            std::vector<double> at0, at2;
            std::vector<Pdu> pdus;
            if (!sim.ok("delay 0")) fail("the simulator refuses its delay");
            openOnce(main, sim, entry.item);  // the page's first open builds what later ones reuse
            for (int i = 0; i < runs; ++i) {
                if (!sim.ok("delay 0")) fail("the simulator refuses its delay");
                at0.push_back(openOnce(main, sim, entry.item).ms);
                if (!sim.ok("delay " + std::to_string(kDelayMs))) fail("the simulator refuses its delay");
                Opened late = openOnce(main, sim, entry.item);
                at2.push_back(late.ms);
                pdus = std::move(late.pdus);
            }
            sim.ok("delay 0");
            const auto decided = kDecided.find(entry.item);
            const int need = neededTrips(pdus, decided == kDecided.end() ? std::vector<std::string>{} : decided->second);
            const double open0 = *std::min_element(at0.begin(), at0.end());
            const double open2 = *std::min_element(at2.begin(), at2.end());
            const double trips = std::max(0.0, open2 - open0) / kDelayMs;
            const double ratio = need > 0 ? trips / need : 0;
            if (need > 0) ratios.push_back(ratio);
            std::printf("%-20s %5zu %6.1f %5d %9.2f %9.2f %6.2f\n", entry.caption, pdus.size(), trips, need, open0,
                        open2, ratio);
        }
        printLoad("load after");
        forms::Form::setMainForm(nullptr);
        MainForm = nullptr;
    }
    HvSNMPSession::shutdown();
    FreeMibOptionLists();
    if (ratios.empty()) fail("no page read anything");
    std::printf("page open @2ms: worst=%.2f median=%.2f\n", *std::max_element(ratios.begin(), ratios.end()),
                median(ratios));
    return 0;
}
