// The main window against the device simulator over UDP on loopback: the status poll and its LEDs,
// the capability fields, SNMP v1, v2c and v3 from the command line and the INI file, the single
// instance rule, the refusals, and the poll going on under a modal window opened by a completion.

#include <QRegularExpression>

#include <algorithm>
#include <ostream>

#include "tests/support/PageFixture.h"
#include "library/HvSNMPError.h"
#include "library/HvSNMPRequest.h"
#include "module/Misc.h"
#include "module/Wait.h"
#include "tests/sim/SimProcess.h"
#include "tests/NamedRows.h"

namespace {

using hvtest::PrintTo;

const QColor kLime(0, 255, 0);
const QColor kBlack(0, 0, 0);
const char* const kSysDescr = "1.3.6.1.2.1.1.1.0";
const std::string kCap = "1.3.6.1.4.1.47011.11.37.4.99.1.1.";

class MainWindowE2E : public PageTest {
protected:
    void SetUp() override {
        PageTest::SetUp();
        // Polls every 200 ms, capability rounds every 200 ms.
        forms::Application::setTimeScale(0.1);
    }

    bool startSim(std::vector<std::string> args = {}) {
        sim = std::make_unique<SimProcess>(std::move(args));
        return sim->start();
    }
    // The status poll gives up quickly, so a silent device shows within a second.
    static void quickPoll(TMainForm& form) {
        form.statusRequest->timeout = 30;
        form.statusRequest->retries = 0;
    }
    static bool allLeds(const TMainForm& f, const QColor& c) {
        return f.LED_Power->brushColor() == c && f.LED_Lan->brushColor() == c &&
               f.LED_WLan->brushColor() == c;
    }
    size_t sysDescrGets(size_t from = 0) const {
        const auto lines = sim->requests(from);
        return size_t(std::count_if(lines.begin(), lines.end(), [](const SimLogLine& l) {
            return l.op == "GET" && l.asked == kSysDescr;
        }));
    }
    std::optional<SimLogLine> firstSysDescr() const {
        return sim->waitForLog([](const SimLogLine& l) { return !l.event && l.asked == kSysDescr; }, 0,
                               std::chrono::seconds(10));
    }
};

TEST_F(MainWindowE2E, PollDrivesLedsAndStatusLineThroughSilenceAndBack) {
    ASSERT_TRUE(startSim()) << sim->error();
    writeIni("127.0.0.1", "AgentPort=" + std::to_string(sim->port()) + "\r\n");
    TMainForm& form = start({"/I127.0.0.1", "/Rkiwano"});
    ASSERT_FALSE(form.refused());
    EXPECT_EQ(form.caption(), QStringLiteral("QMX-7240NT : 127.0.0.1"));
    // White until the first outcome.
    EXPECT_EQ(form.LED_Lan->brushColor(), QColor(Qt::white));
    quickPoll(form);

    ASSERT_TRUE(waitFor([&] { return form.lastStatusCode == 0 && !form.LedBlink->enabled(); }));
    EXPECT_TRUE(allLeds(form, kLime));
    static const QRegularExpression line(QStringLiteral(
        R"(^Get: \(HvSNMP\+\+\) Ok!\. Receive at (0[1-9]|1[0-2]):[0-5]\d:[0-5]\d (AM|PM)\.$)"));
    EXPECT_TRUE(line.match(form.MainStatusBar->simpleText()).hasMatch())
        << form.MainStatusBar->simpleText().toStdString();
    EXPECT_EQ(form.lastStatusText, form.MainStatusBar->simpleText().toStdString());
    auto first = firstSysDescr();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->version, "1");
    EXPECT_EQ(first->principal, "kiwano");
    // The poll goes on: more gets follow, one after the other, never two at a time.
    int32_t mostOutstanding = 0;
    ASSERT_TRUE(waitFor([&] {
        mostOutstanding = std::max(mostOutstanding, form.statusRequest->outstanding());
        return sysDescrGets() >= 4;
    }));
    EXPECT_LE(mostOutstanding, 1);

    ASSERT_TRUE(sim->ok("silence 60000"));
    ASSERT_TRUE(waitFor([&] { return form.lastStatusCode == kTimeoutCode; }));
    EXPECT_TRUE(allLeds(form, kBlack));
    EXPECT_EQ(form.MainStatusBar->simpleText().toStdString(), HvMessageText(HvMessageTable::SnmpClass, 4));
    EXPECT_TRUE(form.LedStatus->enabled() || form.statusRequest->outstanding() > 0);

    ASSERT_TRUE(sim->ok("silence 0"));
    ASSERT_TRUE(waitFor([&] { return form.lastStatusCode == 0 && !form.LedBlink->enabled(); }));
    EXPECT_TRUE(allLeds(form, kLime));
}

TEST_F(MainWindowE2E, CapabilityFieldsFollowTheDevice) {
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("set " + kCap + "16.0 i 0"));
    writeIni("127.0.0.1", "AgentPort=" + std::to_string(sim->port()) + "\r\nVersion=1\r\n");
    TMainForm& form = start({"/I127.0.0.1", "/Rkiwano"});
    ASSERT_FALSE(form.refused());

    // Each round may start with a clearing tick: wait for one in which every field has its answer.
    ASSERT_TRUE(waitFor([&] {
        return form.Ed_FwVer->text() == u"v2.20.01" && form.Ed_IfCluster->text() == u"0" &&
               form.mssidAndWdssupport->text() == u"1" && form.Ed_Countrycode->text() == u"US" &&
               form.IPAddressEdit->text() == u"127.0.0.1" && form.SubMaskEdit->text() == u"255.0.0.0" &&
               form.APModeSupport->text() == u"127";
    }));

    // The re-polled field follows a change; the field read once keeps its first answer.
    ASSERT_TRUE(sim->ok("set " + kCap + "16.0 i 1"));
    ASSERT_TRUE(sim->ok("set " + kCap + "49.0 i 0"));
    ASSERT_TRUE(waitFor([&] { return form.Ed_IfCluster->text() == u"1"; }));
    const size_t mark = sim->logSize();
    ASSERT_TRUE(waitFor([&] { return sysDescrGets(mark) >= 3; }));
    EXPECT_EQ(form.mssidAndWdssupport->text(), QStringLiteral("1"));
    const auto lines = sim->requests(mark);
    EXPECT_TRUE(std::none_of(lines.begin(), lines.end(),
                             [](const SimLogLine& l) { return l.asked == kCap + "49.0"; }));
    // Version 1 in the INI file is SNMP v2c.
    EXPECT_EQ(firstSysDescr()->version, "2c");
}

// A device slower than the capability ticks: the field read once is asked once, and its answer is
// not overwritten by a second read sent while the first was out.
TEST_F(MainWindowE2E, SlowDeviceIsAskedForAFieldReadOnceOnce) {
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("delay 500"));
    writeIni("127.0.0.1", "AgentPort=" + std::to_string(sim->port()) + "\r\n");
    TMainForm& form = start({"/I127.0.0.1", "/Rkiwano"});
    ASSERT_FALSE(form.refused());
    ASSERT_TRUE(waitFor([&] { return form.mssidAndWdssupport->text() == u"1"; }));
    ASSERT_TRUE(sim->ok("set " + kCap + "49.0 i 0"));
    const size_t mark = sim->logSize();
    ASSERT_TRUE(waitFor([&] { return sysDescrGets(mark) >= 3; }));
    EXPECT_EQ(form.mssidAndWdssupport->text(), QStringLiteral("1"));
    const auto lines = sim->requests(0);
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const SimLogLine& l) { return l.asked == kCap + "49.0"; }),
              1);
}

TEST_F(MainWindowE2E, ReadOnceFieldsAreRetriedUntilFirstAnswer) {
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("silence 60000"));
    writeIni("127.0.0.1", "AgentPort=" + std::to_string(sim->port()) + "\r\n");
    TMainForm& form = start({"/I127.0.0.1", "/Rkiwano"});
    for (auto& p : form.probeRequests) {
        p->request.timeout = 20;
        p->request.retries = 0;
    }
    quickPoll(form);
    ASSERT_TRUE(waitFor([&] { return form.lastStatusCode == kTimeoutCode; }));
    EXPECT_EQ(form.ApmodeStringChangeSupport->text(), QStringLiteral("ApmodeStringChangeSupport"));
    ASSERT_TRUE(sim->ok("silence 0"));
    ASSERT_TRUE(waitFor([&] { return form.ApmodeStringChangeSupport->text() == u"1"; }));
    EXPECT_TRUE(waitFor([&] { return form.mssidAndWdssupport->text() == u"1"; }));
}

TEST_F(MainWindowE2E, MissingCapabilityLeavesFieldUnsupported) {
    for (const char* version : {"0", "1"}) {
        SCOPED_TRACE(version);
        ASSERT_TRUE(startSim({"--absent", kCap + "16"})) << sim->error();
        writeIni("127.0.0.1", "AgentPort=" + std::to_string(sim->port()) + "\r\nVersion=" + version + "\r\n");
        TMainForm& form = start({"/I127.0.0.1", "/Rkiwano"});
        form.Timer1->setEnabled(false);  // the start-up round only: no clearing tick
        ASSERT_TRUE(waitFor([&] { return !form.probeRequests[11]->busy && form.Ed_Green->text() == u"1"; }));
        EXPECT_EQ(form.Ed_IfCluster->text(), QStringLiteral("Ed_IfCluster"));
        EXPECT_FALSE(MainMenuRules::advancedVisibility(form.Ed_FwVer->text(), form.ifMultiSSID_Edit->text(),
                                                       form.NewMultiSupport->text(),
                                                       form.Ed_IfCluster->text())
                         .apDomains);
        windows.clear();
        MainForm = nullptr;
    }
}

struct VersionCase {
    const char* name;
    const char* ini;  // with %PORT%
    std::vector<std::string> args;
    const char* version;
    const char* principal;
};

class Versions : public MainWindowE2E, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(Versions, PollReachesDeviceWithVersion) {
    ASSERT_TRUE(startSim(
        {"--community", "pubx", "--user", "alice:SHA:alicepass:AES:alicepriv", "--user", "bob:MD5:bobspass"}))
        << sim->error();
    const std::string port = std::to_string(sim->port());
    std::string ini = GetParam().ini;
    if (auto at = ini.find("%PORT%"); at != std::string::npos) ini.replace(at, 6, port);
    // No file at all for the command-line case: one that exists is read before every argument and
    // its missing SecurityName would clear the name the command line gave.
    if (!ini.empty()) writeIni("127.0.0.1", ini);
    std::vector<std::string> args;
    for (std::string a : GetParam().args) {
        if (auto at = a.find("%PORT%"); at != std::string::npos) a.replace(at, 6, port);
        args.push_back(a);
    }
    TMainForm& form = start(args);
    ASSERT_FALSE(form.refused());
    ASSERT_TRUE(waitFor([&] { return form.lastStatusCode == 0; })) << form.lastStatusText;
    auto line = firstSysDescr();
    ASSERT_TRUE(line);
    EXPECT_EQ(line->version, GetParam().version);
    EXPECT_EQ(line->principal, GetParam().principal);
}

INSTANTIATE_TEST_SUITE_P(
    MainWindow, Versions,
    ::testing::Values(
        VersionCase{"V1CommandLine", "AgentPort=%PORT%\r\n", {"/I127.0.0.1", "/Rpubx"}, "1", "pubx"},
        VersionCase{"V2cIni", "AgentPort=%PORT%\r\nVersion=1\r\n", {"/I127.0.0.1", "/Rpubx"}, "2c", "pubx"},
        VersionCase{"V3CommandLine",
                    "",
                    {"/I127.0.0.1", "/v3", "/t%PORT%", "/m3", "/nalice", "/l2", "/a2", "/Aalicepass", "/p18",
                     "/Palicepriv"},
                    "3",
                    "alice"},
        VersionCase{
            "V3Ini",
            "AgentPort=%PORT%\r\nVersion=3\r\nSecurityModel=3\r\nSecurityName=bob\r\nSecurityLevel=1\r\n"
            "AuthProtocol=1\r\nPrivProtocol=0\r\nAuthPassword=bobspass\r\n",
            {"/I127.0.0.1", "/Rx"},
            "3",
            "bob"}),
    [](const auto& info) { return std::string(info.param.name); });

struct PrivacyCase {
    const char* name;
    const char* simPriv;  // the simulator user's privacy protocol
    const char* privSwitch;
    int32_t status;  // the poll's outcome
};

void PrintTo(const PrivacyCase& c, std::ostream* os) {
    *os << c.name;
}

class Privacy : public MainWindowE2E, public ::testing::WithParamInterface<PrivacyCase> {};

// "/p" gives the library's privacy code minus one: every protocol net-snmp has reaches the device
// encrypted; triple DES and IDEA are refused as unsupported, and nothing is sent.
TEST_P(Privacy, SwitchGivesTheLibrarysProtocol) {
    const PrivacyCase& c = GetParam();
    ASSERT_TRUE(startSim({"--user", std::string("pat:SHA:patauth1:") + c.simPriv + ":patpriv1"}))
        << sim->error();
    TMainForm& form = start({"/I127.0.0.1", "/v3", "/t" + std::to_string(sim->port()), "/m3", "/l2", "/a2",
                             "/Apatauth1", c.privSwitch, "/Ppatpriv1", "/npat"});
    ASSERT_FALSE(form.refused());
    quickPoll(form);
    ASSERT_TRUE(waitFor([&] { return form.lastStatusCode == c.status; })) << form.lastStatusText;
    if (c.status == 0) {
        auto line = firstSysDescr();
        ASSERT_TRUE(line);
        EXPECT_EQ(line->version, "3");
        EXPECT_EQ(line->principal, "pat");
    } else {
        EXPECT_EQ(sysDescrGets(), 0u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    MainWindow, Privacy,
    ::testing::Values(PrivacyCase{"Des", "DES", "/p1", 0}, PrivacyCase{"Aes128", "AES", "/p18", 0},
                      PrivacyCase{"Aes192", "AES192", "/p19", 0}, PrivacyCase{"Aes256", "AES256", "/p20", 0},
                      PrivacyCase{"TripleDes", "AES", "/p2", -313}, PrivacyCase{"Idea", "AES", "/p3", -313}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowE2E, SecondInstanceForSameDeviceRefusedOtherDeviceStarts) {
    ASSERT_TRUE(startSim()) << sim->error();
    writeIni("127.0.0.1", "AgentPort=" + std::to_string(sim->port()) + "\r\n");
    TMainForm& first = start({"/I127.0.0.1", "/Rkiwano"});
    ASSERT_FALSE(first.refused());
    TMainForm& second = start({"/I127.0.0.1", "/Rkiwano"});
    EXPECT_TRUE(second.refused());
    EXPECT_NE(second.exitCode(), 0);
    EXPECT_EQ(second.statusRequest, nullptr);
    EXPECT_EQ(second.probeRequests[0], nullptr);
    EXPECT_FALSE(second.LedStatus->enabled());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("Another QMX7240NT module is running!"));
    EXPECT_EQ(boxes[0].caption, QStringLiteral("Warning"));

    TMainForm& other = start({"/I127.0.0.2", "/Rkiwano"});
    EXPECT_FALSE(other.refused());
    // The first instance goes on polling.
    const size_t mark = sim->logSize();
    EXPECT_TRUE(waitFor([&] { return sysDescrGets(mark) >= 2; }));
}

TEST_F(MainWindowE2E, NoArgumentsShowsMessageAndSendsNothing) {
    TMainForm& form = start({});
    EXPECT_TRUE(form.refused());
    EXPECT_EQ(form.exitCode(), 0);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("This module is only used in the Vistrel or HP-Openview."));
    EXPECT_EQ(form.statusRequest, nullptr);
    EXPECT_EQ(form.probeRequests[15], nullptr);
    EXPECT_FALSE(form.Timer1->enabled());
}

TEST_F(MainWindowE2E, EmptyAddressIsAFailedPollThatKeepsRetrying) {
    TMainForm& form = start({"/I", "/Rkiwano"});
    ASSERT_FALSE(form.refused());
    EXPECT_NE(form.lastStatusCode, 0);
    EXPECT_EQ(form.lastStatusCode, HvErrBadAddress);
    EXPECT_TRUE(allLeds(form, kBlack));
    EXPECT_EQ(form.lastStatusText, HvMessageText(HvMessageTable::Own, 9));
    EXPECT_TRUE(form.LedStatus->enabled());
    // The timer fires again and fails again, without a box.
    form.lastStatusCode = 0;
    ASSERT_TRUE(waitFor([&] { return form.lastStatusCode == HvErrBadAddress; }));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(MainWindowE2E, StatusMenuProbeAndTimeoutShortcut) {
    ASSERT_TRUE(startSim()) << sim->error();
    writeIni("127.0.0.1", "AgentPort=" + std::to_string(sim->port()) + "\r\n");
    TMainForm& form = start({"/I127.0.0.1", "/Rkiwano"});
    quickPoll(form);
    ASSERT_TRUE(waitFor([&] { return form.lastStatusCode == 0 && form.SyslogSupport->text() == u"1"; }));

    ASSERT_TRUE(sim->ok("set " + kCap + "7.0 i 0"));
    form.status2Click(nullptr);
    EXPECT_FALSE(form.clientInfoVisible);
    EXPECT_TRUE(form.logVisible);
    CapabilityProbe* probe = form.clientInfoProbe.get();
    ASSERT_TRUE(sim->ok("set " + kCap + "7.0 i 1"));
    for (int i = 0; i < 20; ++i) form.status2Click(nullptr);
    EXPECT_TRUE(form.clientInfoVisible);
    EXPECT_EQ(form.clientInfoProbe.get(), probe);  // one probe for every opening

    // Syslog 5 keeps the earlier visibility.
    form.Timer1->setEnabled(false);
    form.SyslogSupport->setText(QStringLiteral("5"));
    form.status2Click(nullptr);
    EXPECT_TRUE(form.logVisible);

    // Last poll timed out: Client Info hidden and the device is not asked.
    ASSERT_TRUE(sim->ok("silence 60000"));
    ASSERT_TRUE(waitFor([&] { return form.lastStatusCode == kTimeoutCode; }));
    const size_t mark = sim->logSize();
    form.SyslogSupport->setText(QStringLiteral("0"));
    form.status2Click(nullptr);
    EXPECT_FALSE(form.clientInfoVisible);
    EXPECT_TRUE(form.logVisible);
    ASSERT_TRUE(sim->ok("silence 0"));
    const auto lines = sim->log(mark);
    EXPECT_TRUE(std::none_of(lines.begin(), lines.end(),
                             [](const SimLogLine& l) { return l.asked == kCap + "7.0"; }));
}

struct ProbeFailure {
    const char* name;
    std::string fault;  // the simulator's control command
    bool clientInfo;    // "Client Info" shown afterwards
};

class StatusMenuProbeFails : public MainWindowE2E, public ::testing::WithParamInterface<ProbeFailure> {};

// The last poll answered; then the Status menu's probe fails on firmware 1.x. A device that has just
// gone silent hides "Client Info" by the probe's own time-out; a refusal takes the firmware's rule,
// which shows the item.
TEST_P(StatusMenuProbeFails, ProbeOutcomeDecides) {
    ASSERT_TRUE(startSim()) << sim->error();
    writeIni("127.0.0.1", "AgentPort=" + std::to_string(sim->port()) + "\r\n");
    TMainForm& form = start({"/I127.0.0.1", "/Rkiwano"});
    quickPoll(form);
    ASSERT_TRUE(waitFor([&] { return form.lastStatusCode == 0 && !form.Ed_FwVer->text().isEmpty(); }));
    form.Timer1->setEnabled(false);
    form.status2Click(nullptr);
    ASSERT_TRUE(form.clientInfoVisible);
    form.clientInfoProbe->request.timeout = 30;
    form.clientInfoProbe->request.retries = 0;
    form.Ed_FwVer->setText(QStringLiteral("v1.00.05"));
    form.clientInfoVisible = !GetParam().clientInfo;
    ASSERT_TRUE(sim->ok(GetParam().fault));
    ASSERT_EQ(form.lastStatusCode, 0);
    form.status2Click(nullptr);
    EXPECT_EQ(form.clientInfoVisible, GetParam().clientInfo);
    ASSERT_TRUE(sim->ok("reset"));
}

INSTANTIATE_TEST_SUITE_P(MainWindow, StatusMenuProbeFails,
                         ::testing::Values(ProbeFailure{"JustSilent", "silence 60000", false},
                                           ProbeFailure{"Refused", "error " + kCap + "7.0 genErr get", true}),
                         [](const auto& info) { return std::string(info.param.name); });

// What a page's completion opens modally.
enum class Modal { WaitingDialog, MessageBox };

void PrintTo(Modal m, std::ostream* os) {
    *os << (m == Modal::WaitingDialog ? "WaitingDialog" : "MessageBox");
}

class ModalFromCompletion : public MainWindowE2E, public ::testing::WithParamInterface<Modal> {};

// A page's completion opens a modal window while the device does not answer the poll; the device is
// mended meanwhile. Only a poll answered under the window turns the status back: the waiting
// dialog's count is held until then (and given up after 10 held ticks), the message box stays up
// until then (or a deadline).
TEST_P(ModalFromCompletion, MainWindowPollIsAnsweredUnderIt) {
    ASSERT_TRUE(startSim()) << sim->error();
    writeIni("127.0.0.1", "AgentPort=" + std::to_string(sim->port()) + "\r\n");
    TMainForm& form = start({"/I127.0.0.1", "/Rkiwano", "/Wmorello"});
    ASSERT_FALSE(form.refused());
    quickPoll(form);
    ASSERT_TRUE(waitFor([&] { return form.lastStatusCode == 0; }));
    ASSERT_TRUE(sim->ok(std::string("error ") + kSysDescr + " genErr get"));
    ASSERT_TRUE(waitFor([&] { return form.lastStatusCode != 0; }));

    forms::Application::setMessageBoxHook([&](const forms::MessageBoxCall&) {
        // Modal, as the real box is: the event loop runs until the device is seen answering.
        waitFor([&] { return form.deviceAnswering(); }, 5000);
        return int(forms::IDOK);
    });
    HvSNMPRequest page;
    page.varList = HvSNMPVarList(kMibT062, SVT_SV, 0);
    bool done = false, answeredUnder = false;
    int heldTicks = -1;
    size_t pollsUnder = 0;
    page.getAsync(
        [&](HvSNMPError* error, HvSNMPVarList*) {
            EXPECT_EQ(error->code, 0);
            const size_t mark = sim->logSize();
            EXPECT_TRUE(sim->ok(std::string("error ") + kSysDescr + " off"));
            if (GetParam() == Modal::WaitingDialog) {
                TFM_Waiting wait(nullptr, form);
                wait.waitTicks = 2;
                wait.sendReboot = false;
                wait.showModal();
                heldTicks = wait.extraTicks;
            } else {
                forms::Application::messageBox(nullptr, QStringLiteral("Setting Success!"),
                                               forms::Application::title(), forms::MB_OK);
            }
            answeredUnder = form.deviceAnswering();
            pollsUnder = sysDescrGets(mark);
            done = true;
        },
        true);
    ASSERT_TRUE(waitFor([&] { return done; }, 15000));
    EXPECT_TRUE(answeredUnder);
    EXPECT_GE(pollsUnder, 1u);
    if (GetParam() == Modal::WaitingDialog) { EXPECT_LT(heldTicks, 10); }
}

INSTANTIATE_TEST_SUITE_P(MainWindow, ModalFromCompletion,
                         ::testing::Values(Modal::WaitingDialog, Modal::MessageBox),
                         [](const auto& info) {
                             return std::string(info.param == Modal::WaitingDialog ? "WaitingDialog"
                                                                                   : "MessageBox");
                         });

}  // namespace
