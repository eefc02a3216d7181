#include "tests/support/PageFixture.h"

#include <set>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTimer>

#include "library/HvSNMPSession.h"
#include "library/snmp/HvNetSnmpTransport.h"

void PageTest::SetUp() {
    ASSERT_TRUE(m_dir.isValid());
    for (const char* folder : {"mbf", "lock", "prog"}) QDir(m_dir.path()).mkpath(QLatin1String(folder));
    registry.addValue("\\SOFTWARE\\Halvern\\Vistrel5.1\\MibFile", "Path", path("mbf/"));
    m_oldScale = forms::Application::timeScale();
    // Tests share a process: each starts from the defaults a program starts with, whatever the
    // previous test's main windows set, and with the engine as the session's transport if the
    // previous test put back none.
    m_oldDefaults = HvSNMPSession::defaults;
    HvSNMPSession::defaults = HvSNMPDefaults();
    if (!HvSNMPSession::session) HvSNMPSession::session = HvSNMPSession::engine();
}

void PageTest::TearDown() {
    windows.clear();
    MainForm = nullptr;
    forms::Application::setTimeScale(m_oldScale);
    HvSNMPSession::defaults = m_oldDefaults;
    QCoreApplication::processEvents();
}

void PageTest::writeIni(const std::string& address, const std::string& body) {
    QFile f(QString::fromStdString(path("mbf/" + address + ".cfg")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(("[Program Information]\r\n" + body).c_str());
}

bool PageTest::startSim(std::vector<std::string> args, uint8_t version, int restartMs) {
    args.insert(args.end(), {"--restart-time", std::to_string(restartMs)});
    sim = std::make_unique<SimProcess>(args);
    if (!sim->start()) return false;
    HvSNMPSession::defaults.address = sim->address();
    HvSNMPSession::defaults.port = static_cast<uint16_t>(sim->port());
    HvSNMPSession::defaults.version = version;
    HvSNMPSession::defaults.timeout = 30;
    // The simulator's own communities (it drops a PDU with another): no main window may have set them.
    const HvSNMPDefaults standard = HvSNMPDefaults::standard();
    HvSNMPSession::defaults.readCommunity = standard.readCommunity;
    HvSNMPSession::defaults.writeCommunity = standard.writeCommunity;
    return true;
}

TMainForm& PageTest::start(const std::vector<std::string>& arguments, std::vector<HvPageEntry> pages) {
    MainFormEnvironment env;
    env.arguments = arguments;
    env.registry = &registry;
    env.programDir = path("prog/");
    env.lockFolder = path("lock");
    env.bootCounterDir = path("");
    env.pages = std::move(pages);
    windows.push_back(std::make_unique<TMainForm>(env));
    TMainForm& form = *windows.back();
    if (!MainForm) MainForm = &form;
    return form;
}

TMainForm& PageTest::idleMain() {
    const size_t shown = boxes.size();
    TMainForm& form = start({});
    boxes.resize(shown);
    form.Ed_DataRateNew->setText(QStringLiteral("0"));
    // What the lime LED means: the device answers, so a waiting dialog ends when its count is out.
    form.lastStatusCode = 0;
    return form;
}

QString PageTest::openFromMenu(const HvPageEntry& entry,
                               const std::function<void(forms::Form& page)>& inspect) {
    if (!entry.open) return {};
    // A main window takes the session's defaults from its INI; the page here talks to the simulator.
    const auto defaults = HvSNMPSession::defaults;
    TMainForm& window = start({}, {entry});
    HvSNMPSession::defaults = defaults;
    forms::MenuItem* item = window.pageItem(entry.item);
    if (!item || item->caption() != QString::fromUtf8(entry.caption)) return {};
    QString shown;
    window.pageOpener = [&](forms::Form& page) {
        shown = page.caption();
        if (inspect) inspect(page);
        return int(forms::mrCancel);
    };
    if (!item->userClick()) return {};
    return shown;
}

std::vector<SimLogLine> PageTest::sets(size_t from) const {
    std::vector<SimLogLine> out;
    // A resend after a time-out carries the request's id again: the device got one write, twice.
    std::set<std::pair<std::string, std::string>> seen;
    for (const auto& l : sim->requests(from))
        if (l.op == "SET" && (!setFilter || setFilter(l)) && seen.emplace(l.reqId, l.asked).second)
            out.push_back(l);
    return out;
}

bool PageTest::hasSet(size_t from, const std::string& oid, const std::string& value) const {
    for (const auto& l : sim->requests(from))
        if (l.op == "SET" && l.status == "ok" && l.asked == oid && l.value == value) return true;
    return false;
}

