// The README's worked command-line examples, run as written against the simulator: the simulator's
// own command line, the INI file and each module command line are read from README.md, with the
// simulator's free port in place of the README's 16100.

#include <QFile>

#include <fstream>
#include <sstream>

#include "tests/support/PageFixture.h"
#include "tests/sim/SimProcess.h"

namespace {

const std::string kReadmePort = "16100";
const char* const kSysDescr = "1.3.6.1.2.1.1.1.0";

std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> out;
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}

std::string withPort(std::string text, const std::string& port) {
    for (auto at = text.find(kReadmePort); at != std::string::npos; at = text.find(kReadmePort, at + 1))
        text.replace(at, kReadmePort.size(), port);
    return text;
}

// What the section "Worked examples against the simulator" shows as indented code lines.
struct Examples {
    std::vector<std::string> simulator;             // arguments after build/sim/qmx_sim
    std::vector<std::string> iniLines;              // the INI file's keys, after its section line
    std::vector<std::vector<std::string>> modules;  // arguments after build/app/qmx7240nt
};

Examples readExamples() {
    Examples e;
    std::ifstream readme(std::string(HV_SOURCE_DIR) + "/README.md");
    std::string line;
    bool inSection = false, inIni = false;
    while (std::getline(readme, line)) {
        if (line.rfind("### Worked examples against the simulator", 0) == 0)
            inSection = true;
        else if (inSection && line.rfind("## ", 0) == 0)
            break;
        if (!inSection) continue;
        if (line.rfind("    ", 0) != 0) {
            inIni = false;
            continue;
        }
        const std::string code = line.substr(4);
        std::vector<std::string> w = words(code);
        if (inIni) {
            e.iniLines.push_back(code);
        } else if (code == "[Program Information]") {
            inIni = true;
        } else if (!w.empty() && w[0] == "build/sim/qmx_sim") {
            for (size_t i = 1; i < w.size(); ++i) {
                if (w[i] == "--port") {
                    ++i;  // the test's simulator takes a free port
                    continue;
                }
                e.simulator.push_back(w[i]);
            }
        } else if (!w.empty() && w[0] == "build/app/qmx7240nt") {
            e.modules.emplace_back(w.begin() + 1, w.end());
        }
    }
    return e;
}

// The value of a switch ("/R", "/n", ...) in a command line, or "".
std::string switchValue(const std::vector<std::string>& args, const std::string& name) {
    for (const auto& a : args)
        if (a.rfind(name, 0) == 0) return a.substr(name.size());
    return {};
}

class ReadmeExamples : public PageTest {};

TEST_F(ReadmeExamples, EachCommandLineReachesTheSimulator) {
    const Examples e = readExamples();
    ASSERT_FALSE(e.simulator.empty()) << "no simulator line in the README's examples";
    ASSERT_FALSE(e.iniLines.empty()) << "no INI file in the README's examples";
    ASSERT_EQ(e.modules.size(), 3u) << "the README shows v1, v2c and v3";
    forms::Application::setTimeScale(0.1);

    SimProcess sim(e.simulator);
    ASSERT_TRUE(sim.start()) << sim.error();
    const std::string port = std::to_string(sim.port());
    std::string ini;
    for (const auto& l : e.iniLines) ini += withPort(l, port) + "\r\n";
    writeIni("127.0.0.1", ini);

    std::vector<std::string> versionsSeen;
    for (const auto& example : e.modules) {
        std::vector<std::string> args;
        for (const auto& a : example) args.push_back(withPort(a, port));
        SCOPED_TRACE(::testing::PrintToString(args));
        const size_t from = sim.logSize();
        TMainForm& form = start(args);
        ASSERT_FALSE(form.refused());
        ASSERT_TRUE(waitFor([&] { return form.lastStatusCode == 0; })) << form.lastStatusText;
        auto line = sim.waitForLog([](const SimLogLine& l) { return !l.event && l.asked == kSysDescr; }, from,
                                   std::chrono::seconds(10));
        ASSERT_TRUE(line);
        const std::string version = switchValue(args, "/v");
        const std::string expected = version == "3" ? "3" : version == "1" ? "2c" : "1";
        EXPECT_EQ(line->version, expected);
        EXPECT_EQ(line->principal, expected == "3" ? switchValue(args, "/n") : switchValue(args, "/R"));
        versionsSeen.push_back(line->version);
        windows.clear();
        MainForm = nullptr;
    }
    EXPECT_EQ(versionsSeen, (std::vector<std::string>{"1", "2c", "3"}));
}

}  // namespace
