// The Performance page against the device simulator over real UDP on loopback: what it shows, what
// it writes and in which order, its checks, its mode rules and the faults it guards against.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QScreen>
#include <QTemporaryDir>

#include <algorithm>
#include <deque>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "library/HvSNMPSession.h"
#include "module/Main.h"
#include "pages/Pages.h"
#include "pages/wireless/Performace.h"
#include "platform/RegistryStore.h"
#include "platform/forms/Forms.h"
#include "platform/forms/LayoutCheck.h"
#include "tests/support/PageUnderTest.h"
#include "tests/sim/SimProcess.h"

namespace {

const std::string E = "1.3.6.1.4.1.47011.11.37.4.";
const std::string kGOnly = E + "2.3.1.13.1";
const std::string kXR = E + "2.3.1.99";
const std::string kWMM = E + "2.3.1.17.0";
const std::string kPreamble = E + "2.3.1.19.0";
const std::string kRateSupport = E + "99.1.1.40.0";
const std::string kRateControl = E + "2.14.1.2.1";
const std::string kRateColumn = E + "2.13.1.2.1";
const std::string kClusterAction = E + "2.12.1.1.1.2.1";
const std::string kUpgradeCommand = E + "3.3.5.0";

// The objects of this page and the waiting dialog, by the prefixes the simulator logs them under.
bool pageObject(const std::string& oid) {
    for (const char* p :
         {"2.1.1.1.1", "2.3.1.", "99.1.1.40", "2.14.1.2.1", "2.13.1.", "2.12.1.1.1.", "3.3.5", "4.1.1.1"})
        if (oid.rfind(E + p, 0) == 0) return true;
    return false;
}

// A simulated device, a main window that only carries the capability fields (started without a
// command line, so it polls nothing), and the page over both. Message boxes are recorded and answered
// from a script (OK when it runs out).
class PerformaceTest : public PageUnderTest<TFM_Performace> {
protected:
    void SetUp() override {
        PageUnderTest::SetUp();
        setFilter = [](const SimLogLine& l) { return pageObject(l.asked); };
    }

    bool startSim(std::vector<std::string> args = {}) {
        return PageUnderTest::startSim(std::move(args), m_version);
    }

    // Opens the page and waits until its rate-table walk has ended.
    TFM_Performace& open() {
        TFM_Performace& p = makePage();
        waitFor([&] { return !p.reqRateTable || !p.reqRateTable->busy; });
        return p;
    }

    // The varbind lines of the page's objects from log line `from` on, as "OP OID VALUE".
    std::vector<std::string> pageLog(size_t from = 0, const std::string& op = std::string()) const {
        std::vector<std::string> out;
        for (const auto& l : sim->requests(from))
            if (pageObject(l.asked) && (op.empty() || l.op == op))
                out.push_back(l.op + " " + l.asked.substr(E.size()) + (l.op == "SET" ? " " + l.value : ""));
        return out;
    }
    std::string stored(const std::string& oid) { return sim->command("get " + oid); }

    uint8_t m_version = 0;
};

// The device of most tests: every feature but XR, data-rate control supported.
const std::vector<std::string> kP1 = {"--absent", E + "2.3.1.99"};

TEST_F(PerformaceTest, OpensWithTheDeviceValuesInTheirOrder) {
    ASSERT_TRUE(startSim(kP1)) << sim->error();
    ASSERT_TRUE(sim->ok("fill " + kRateColumn + " 12 i 1"));
    for (int row = 1; row <= 4; ++row)
        ASSERT_TRUE(sim->ok("set " + kRateColumn + "." + std::to_string(row) + " i 2"));
    ASSERT_TRUE(sim->ok("set " + E + "2.3.1.4.1 s 54"));
    TFM_Performace& p = open();

    const std::vector<std::string> expected = {
        "GET 2.1.1.1.1",  "GET 2.3.1.13.1",     "GET 2.3.1.99.1",    "GET 2.3.1.17.0", "GET 2.3.1.19.0",
        "GET 2.3.1.11.1", "GET 2.3.1.1.1",      "GET 2.3.1.4.1",     "GET 2.3.1.5.1",  "GET 2.3.1.6.1",
        "GET 2.3.1.7.1",  "GET 2.3.1.8.1",      "GET 2.3.1.9.1",     "GET 2.3.1.10.1", "GET 99.1.1.40.0",
        "GET 2.14.1.2.1", "GETNEXT 2.13.1.2.1", "GET 2.12.1.1.1.2.1"};
    std::vector<std::string> log = pageLog();
    ASSERT_GE(log.size(), expected.size() + 12);
    EXPECT_EQ(std::vector<std::string>(log.begin(), log.begin() + expected.size()), expected);
    int getnexts = 0;
    for (const auto& l : log) getnexts += l.rfind("GETNEXT 2.13.1.2.1", 0) == 0;
    EXPECT_EQ(getnexts, 13);

    // XR is missing: its row goes and everything below moves up one row.
    EXPECT_FALSE(p.CB_XRa->visible());
    EXPECT_TRUE(p.CB_Gonly->visible());
    EXPECT_EQ(p.CB_WMM->top(), 222);
    EXPECT_EQ(p.CB_Preamble->top(), 249);
    EXPECT_EQ(p.GroupBox1->height(), 283);
    EXPECT_EQ(p.GroupBox2->top(), 290);
    EXPECT_EQ(p.Bt_Apply_a->top(), 514);
    EXPECT_EQ(p.Bt_Refresh_a->top(), 514);
    EXPECT_EQ(p.clientHeight(), 606);

    EXPECT_EQ(p.Ed_BeInta->text(), u"100");
    EXPECT_EQ(p.Ed_DTIMa->text(), u"1");
    EXPECT_EQ(p.Ed_FragLena->text(), u"2346");
    EXPECT_EQ(p.CB_TranPa->text(), u"Full");
    EXPECT_EQ(p.CB_DtRta->text(), u"54 Mb");
    EXPECT_TRUE(p.CB_DtRta->enabled());
    EXPECT_EQ(p.CB_DateStatus->text(), u"Disable");
    EXPECT_TRUE(p.CB_DateStatus->enabled());
    EXPECT_EQ(p.CB_Gonly->text(), u"Disable");
    EXPECT_EQ(p.CB_Clus->text(), u"Escape");
    ASSERT_EQ(p.rateRowsLoaded(), 12);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(p.CB_DRate[i]->text(), i < 4 ? u"Basic" : u"Enable") << i;
        EXPECT_FALSE(p.CB_DRate[i]->enabled()) << i;
    }
    EXPECT_FALSE(p.BT_RDateRate->enabled());
    EXPECT_EQ(p.StatusBar->simpleText(), u"Get OK!");
    EXPECT_TRUE(p.Bt_Apply_a->enabled());
    EXPECT_TRUE(p.Bt_Refresh_a->enabled());
    EXPECT_EQ(p.TabSheetA->caption(), u"IEEE 802.11g");
    EXPECT_FALSE(p.TabSheetG->tabVisible());
    EXPECT_EQ(p.caption(), u"Advanced \\ Performance");
    EXPECT_TRUE(boxes.empty());
    // Shown centred on the main window, as far as the screen allows: never above its top.
    main->move(40, 30);
    p.show();
    const QRect area = p.screen()->availableGeometry();
    const QRect frame = p.frameGeometry();
    const QPoint centre = main->frameGeometry().center();
    const QPoint want(
        std::max(area.left(), std::min(centre.x() - frame.width() / 2, area.right() + 1 - frame.width())),
        std::max(area.top(), std::min(centre.y() - frame.height() / 2, area.bottom() + 1 - frame.height())));
    const QPoint offset = frame.topLeft() - want;
    EXPECT_LE(offset.manhattanLength(), 2) << offset.x() << "," << offset.y();
    EXPECT_GE(frame.top(), area.top());
}

// The page as the probes leave it fits its window: Apply and Refresh above the status bar, whatever
// rows the device's features take out or add.
struct FitCase {
    const char* name;
    std::vector<std::string> simArgs;
};
void PrintTo(const FitCase& c, std::ostream* os) {
    *os << c.name;
}

class PerformaceFits : public PerformaceTest, public ::testing::WithParamInterface<FitCase> {};

TEST_P(PerformaceFits, AsTheProbesLeaveIt) {
    ASSERT_TRUE(startSim(GetParam().simArgs)) << sim->error();
    TFM_Performace& p = open();
    p.show();
    const std::vector<std::string> problems = forms::checkLayout(p, PerformaceLayout);
    EXPECT_TRUE(problems.empty()) << ::testing::PrintToString(problems);
    const int barTop = p.StatusBar->top();
    for (forms::Button* b : {p.Bt_Apply_a, p.Bt_Refresh_a})
        EXPECT_LE(b->asWidget()->mapTo(&p, QPoint(0, b->height())).y(), barTop)
            << b->asWidget()->objectName().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Devices, PerformaceFits,
                         ::testing::Values(FitCase{"Everything", {}}, FitCase{"NoXR", kP1},
                                           FitCase{"Legacy",
                                                   {"--profile", "legacy", "--absent", E + "2.3.1.13",
                                                    "--absent", E + "99.1.1.40"}}),
                         [](const auto& info) { return std::string(info.param.name); });

// An older firmware: no 802.11g-only, XR, WMM or data-rate control. Under v2c the missing objects
// answer noSuchObject instead of v1's noSuchName; the page must see the same device.
class PerformaceLegacy : public PerformaceTest, public ::testing::WithParamInterface<uint8_t> {};

TEST_P(PerformaceLegacy, HidesMissingFeaturesAndWritesOnlyWhatItHas) {
    m_version = GetParam();
    ASSERT_TRUE(startSim({"--profile", "legacy", "--absent", E + "2.3.1.13", "--absent", E + "99.1.1.40"}))
        << sim->error();
    TFM_Performace& p = open();
    EXPECT_FALSE(p.hasGOnly);
    EXPECT_FALSE(p.hasXRA);
    EXPECT_FALSE(p.hasWMM);
    EXPECT_TRUE(p.hasPreamble);
    EXPECT_FALSE(p.CB_Gonly->visible());
    EXPECT_FALSE(p.CB_WMM->visible());
    EXPECT_TRUE(p.CB_Preamble->visible());
    EXPECT_EQ(p.CB_Preamble->top(), 195);
    EXPECT_EQ(p.GroupBox1->height(), 229);
    EXPECT_FALSE(p.GroupBox2->visible());
    EXPECT_EQ(p.Bt_Apply_a->top(), 236);
    EXPECT_EQ(p.clientHeight(), 336);
    EXPECT_EQ(p.reqRateTable, nullptr);

    const size_t mark = sim->logSize();
    p.Bt_Apply_a->userClick();
    std::vector<std::string> oids;
    for (const auto& l : sets(mark)) oids.push_back(l.asked.substr(E.size()));
    EXPECT_EQ(oids,
              (std::vector<std::string>{"2.3.1.11.1", "2.3.1.4.1", "2.3.1.6.1", "2.3.1.7.1", "2.3.1.8.1",
                                        "2.3.1.9.1", "2.3.1.10.1", "2.3.1.19.0", "3.3.5.0"}));
    EXPECT_EQ(p.StatusBar->simpleText(), u"Setting Success!");
}

INSTANTIATE_TEST_SUITE_P(Versions, PerformaceLegacy, ::testing::Values(uint8_t(0), uint8_t(1)),
                         [](const auto& info) { return info.param == 0 ? "v1" : "v2c"; });

struct BadInput {
    const char* name;
    int field;  // 0 beacon, 1 DTIM, 2 fragment, 3 RTS
    const char* text;
    const char* message;
};

void PrintTo(const BadInput& b, std::ostream* os) {
    *os << b.name;
}

class PerformaceApplyChecks : public PerformaceTest, public ::testing::WithParamInterface<BadInput> {};

TEST_P(PerformaceApplyChecks, BadValueStopsApplyWithNothingWritten) {
    ASSERT_TRUE(startSim(kP1)) << sim->error();
    TFM_Performace& p = open();
    p.show();
    const std::array<forms::Edit*, 4> edits{p.Ed_BeInta, p.Ed_DTIMa, p.Ed_FragLena, p.Ed_RTSa};
    forms::Edit* edit = edits[GetParam().field];
    edit->setText(QString::fromUtf8(GetParam().text));
    const size_t mark = sim->logSize();
    p.Bt_Apply_a->userClick();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QString::fromUtf8(GetParam().message));
    EXPECT_EQ(boxes[0].caption, u"Error");
    EXPECT_EQ(boxes[0].buttons, forms::MB_OK);
    EXPECT_EQ(edit->text(), u"");
    EXPECT_TRUE(edit->focused());
    EXPECT_TRUE(sets(mark).empty());
}

const BadInput kBadInputs[] = {
    {"Beacon19", 0, "19", "Please input a number between 20 and 1000."},
    {"Beacon1001", 0, "1001", "Please input a number between 20 and 1000."},
    {"BeaconEmpty", 0, "", "Please input a number between 20 and 1000."},
    {"Dtim0", 1, "0", "Please input a number between 1 and 255."},
    {"Fragment2347", 2, "2347", "Please input a number between 256 and 2346."},
    {"Rts255", 3, "255", "Please input a number between 256 and 2346."},
};

INSTANTIATE_TEST_SUITE_P(Table, PerformaceApplyChecks, ::testing::ValuesIn(kBadInputs),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PerformaceTest, LeavingAnEditOutOfRangeWarnsAndKeepsTheFocus) {
    ASSERT_TRUE(startSim(kP1)) << sim->error();
    TFM_Performace& p = open();
    p.show();
    p.Ed_RTSa->userFocus();
    p.Ed_RTSa->setText(QStringLiteral("100"));
    p.Ed_BeInta->userFocus();
    QCoreApplication::processEvents();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, u"Please input a number between 256 and 2346.");
    EXPECT_EQ(boxes[0].caption, u"Warning");
    EXPECT_EQ(p.Ed_RTSa->text(), u"");
    EXPECT_TRUE(p.Ed_RTSa->focused());

    // The fragment length keeps what was typed.
    p.Ed_FragLena->userFocus();
    p.Ed_FragLena->setText(QStringLiteral("100"));
    p.Ed_DTIMa->userFocus();
    QCoreApplication::processEvents();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(p.Ed_FragLena->text(), u"100");
    EXPECT_TRUE(p.Ed_FragLena->focused());
}

TEST_F(PerformaceTest, ApplyWritesInItsOrderThenRestarts) {
    ASSERT_TRUE(startSim(kP1)) << sim->error();
    ASSERT_TRUE(sim->ok("fill " + kRateColumn + " 12 i 1"));
    for (int row = 1; row <= 4; ++row)
        ASSERT_TRUE(sim->ok("set " + kRateColumn + "." + std::to_string(row) + " i 2"));
    TFM_Performace& p = open();
    ASSERT_EQ(p.rateRowsLoaded(), 12);
    std::vector<std::string> rows;
    for (int i = 0; i < 12; ++i)
        rows.push_back(sim->command("get " + kRateColumn + "." + std::to_string(i + 1)));
    p.Ed_BeInta->setText(QStringLiteral("250"));
    p.Ed_DTIMa->setText(QStringLiteral("2"));
    p.CB_TranPa->setItemIndex(p.CB_TranPa->indexOf(QStringLiteral("Half(-3dB)")));
    p.CB_DtRta->setItemIndex(p.CB_DtRta->indexOf(QStringLiteral("5.5 Mb")));
    const size_t mark = sim->logSize();
    p.Bt_Apply_a->userClick();

    const auto written = sets(mark);
    ASSERT_GE(written.size(), 7u + 4u + 12u + 1u);
    // One PDU for the radio: the writable objects only, in the table's order.
    std::vector<std::string> radio;
    for (size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(written[i].reqId, written[0].reqId);
        radio.push_back(written[i].asked.substr(E.size()) + "=" + written[i].value);
    }
    EXPECT_EQ(radio,
              (std::vector<std::string>{"2.3.1.11.1=4", "2.3.1.4.1=5.5", "2.3.1.6.1=250", "2.3.1.7.1=2",
                                        "2.3.1.8.1=2346", "2.3.1.9.1=2346", "2.3.1.10.1=2"}));
    EXPECT_NE(written[7].reqId, written[0].reqId);
    EXPECT_EQ(written[7].asked + "=" + written[7].value, kGOnly + "=0");
    EXPECT_EQ(written[8].asked + "=" + written[8].value, kWMM + "=0");
    EXPECT_EQ(written[9].asked + "=" + written[9].value, kPreamble + "=1");
    EXPECT_EQ(written[10].asked + "=" + written[10].value, kRateControl + "=0");
    for (int i = 0; i < 12; ++i) {
        const auto& l = written[11 + i];
        EXPECT_EQ(l.asked, kRateColumn + "." + std::to_string(i + 1));
        EXPECT_EQ("ok i " + l.value, rows[i]) << i;
    }
    EXPECT_EQ(written.back().asked + "=" + written.back().value, kUpgradeCommand + "=4");
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(p.StatusBar->simpleText(), u"Setting Success!");
    EXPECT_EQ(stored(E + "2.3.1.6.1"), "ok i 250");
    EXPECT_EQ(stored(E + "2.3.1.4.1"), "ok s \"5.5\"");
}

TEST_F(PerformaceTest, JoinedDeviceAsksBeforeTheRestart) {
    ASSERT_TRUE(startSim(kP1)) << sim->error();
    ASSERT_TRUE(sim->ok("set " + kClusterAction + " i 1"));
    TFM_Performace& p = open();
    ASSERT_EQ(p.CB_Clus->text(), u"Join");
    answers = {forms::IDCANCEL};
    const size_t mark = sim->logSize();
    p.Bt_Apply_a->userClick();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(
        boxes[0].text,
        u"Do you want reboot now?\nIf you choose 'Cancel',please reboot AP when you complete settings!");
    EXPECT_EQ(boxes[0].caption, u"Warning");
    EXPECT_EQ(boxes[0].buttons, forms::MB_OKCANCEL);
    const auto written = sets(mark);
    EXPECT_FALSE(written.empty());
    for (const auto& l : written) EXPECT_NE(l.asked, kUpgradeCommand);
    EXPECT_NE(p.StatusBar->simpleText(), u"Setting Success!");

    // OK restarts; the answer of a joined device brings no success text.
    answers = {forms::IDOK};
    const size_t second = sim->logSize();
    p.Bt_Apply_a->userClick();
    EXPECT_EQ(sets(second).back().asked, kUpgradeCommand);
}

TEST_F(PerformaceTest, FailedWriteStopsTheChain) {
    ASSERT_TRUE(startSim(kP1)) << sim->error();
    TFM_Performace& p = open();
    ASSERT_TRUE(sim->ok("error " + kWMM + " genErr set"));
    const size_t mark = sim->logSize();
    p.Bt_Apply_a->userClick();
    EXPECT_EQ(p.StatusBar->simpleText(), u"IEEE802.11g Setting Error!");
    std::vector<std::string> oids;
    for (const auto& l : sets(mark)) oids.push_back(l.asked.substr(E.size()));
    ASSERT_EQ(oids.size(), 9u);
    EXPECT_EQ(oids[7], "2.3.1.13.1");
    EXPECT_EQ(oids[8], "2.3.1.17.0");
    EXPECT_TRUE(boxes.empty());
}

// Data-rate control on, 802.11g only on: the rate combos follow the mode rules.
TEST_F(PerformaceTest, RateControlRulesResetAndGOnlyChange) {
    ASSERT_TRUE(startSim(kP1)) << sim->error();
    ASSERT_TRUE(sim->ok("set " + kRateControl + " i 1"));
    ASSERT_TRUE(sim->ok("set " + kGOnly + " i 1"));
    ASSERT_TRUE(sim->ok("fill " + kRateColumn + " 12 i 1"));
    TFM_Performace& p = open();
    p.show();
    for (int i : {0, 1, 2, 3}) EXPECT_FALSE(p.CB_DRate[i]->enabled()) << i;
    for (int i : {4, 6, 8}) {
        EXPECT_FALSE(p.CB_DRate[i]->enabled()) << i;
        EXPECT_EQ(p.CB_DRate[i]->items(), (QStringList{"Disable", "Enable", "Basic"})) << i;
    }
    for (int i : {5, 7, 9, 10, 11}) EXPECT_TRUE(p.CB_DRate[i]->enabled()) << i;
    EXPECT_TRUE(p.BT_RDateRate->enabled());
    EXPECT_FALSE(p.CB_DtRta->enabled());
    EXPECT_EQ(p.CB_DtRta->text(), u"Auto");

    size_t mark = sim->logSize();
    p.BT_RDateRate->userClick();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, u"It will Reset Data Rate Settings to Default Status! Continue?");
    EXPECT_EQ(boxes[0].caption, u"Warning");
    ASSERT_TRUE(waitFor([&] { return sets(mark).size() >= 12; }));
    std::string values;
    for (const auto& l : sets(mark)) values += l.value;
    EXPECT_EQ(values, "222221212111");

    // The user turns 802.11g-only off: 6, 12 and 24 Mb/s lose Basic and show the table's values.
    ASSERT_TRUE(p.CB_Gonly->userSelect(0));
    for (int i : {4, 6, 8}) {
        EXPECT_EQ(p.CB_DRate[i]->items(), (QStringList{"Disable", "Enable"})) << i;
        EXPECT_EQ(p.CB_DRate[i]->text(), u"Enable") << i;
        EXPECT_TRUE(p.CB_DRate[i]->enabled()) << i;
    }
    // And on again: Basic, and no longer the user's.
    ASSERT_TRUE(p.CB_Gonly->userSelect(1));
    for (int i : {4, 6, 8}) {
        EXPECT_EQ(p.CB_DRate[i]->text(), u"Basic") << i;
        EXPECT_FALSE(p.CB_DRate[i]->enabled()) << i;
    }
    // Switching rate control off disables every rate and gives the data rate back.
    ASSERT_TRUE(p.CB_DateStatus->userSelect(0));
    for (int i = 0; i < 12; ++i) EXPECT_FALSE(p.CB_DRate[i]->enabled()) << i;
    EXPECT_FALSE(p.BT_RDateRate->enabled());
    EXPECT_TRUE(p.CB_DtRta->enabled());
}

// A table shorter than twelve rows: only the rows it has are shown and written.
TEST_F(PerformaceTest, ShortRateTableReadsAndWritesOnlyItsRows) {
    ASSERT_TRUE(startSim(kP1)) << sim->error();
    ASSERT_TRUE(sim->ok("fill " + kRateColumn + " 6 i 1"));
    for (int row = 7; row <= 12; ++row)
        ASSERT_TRUE(sim->ok("del " + kRateColumn + "." + std::to_string(row)));
    TFM_Performace& p = open();
    EXPECT_EQ(p.rateRowsLoaded(), 6);
    EXPECT_EQ(p.StatusBar->simpleText(), u"Get OK!");
    const size_t mark = sim->logSize();
    p.Bt_Apply_a->userClick();
    int rows = 0;
    for (const auto& l : sets(mark)) rows += l.asked.rfind(kRateColumn + ".", 0) == 0;
    EXPECT_EQ(rows, 6);
}

// A walk that fails: its message shows, the page can still write its other settings, and no rate
// row is written from a list that holds nothing.
TEST_F(PerformaceTest, FailedRateWalkLeavesApplyWorking) {
    ASSERT_TRUE(startSim(kP1)) << sim->error();
    ASSERT_TRUE(sim->ok("error " + kRateColumn + ".3 genErr next"));
    TFM_Performace& p = open();
    EXPECT_EQ(p.rateRowsLoaded(), 0);
    EXPECT_NE(p.StatusBar->simpleText(), u"Get OK!");
    EXPECT_FALSE(p.StatusBar->simpleText().isEmpty());
    EXPECT_TRUE(p.Bt_Apply_a->enabled());
    EXPECT_TRUE(p.Bt_Refresh_a->enabled());
    const size_t mark = sim->logSize();
    p.Bt_Apply_a->userClick();
    const auto written = sets(mark);
    ASSERT_FALSE(written.empty());
    for (const auto& l : written) EXPECT_NE(l.asked.rfind(kRateColumn, 0), 0u) << l.asked;
    EXPECT_EQ(written.back().asked, kUpgradeCommand);
    // Reset has no rows to write and asks nothing.
    boxes.clear();
    p.BT_RDateRateClick(nullptr);
    EXPECT_TRUE(boxes.empty());
}

// Values the combos cannot show are written back as the device gave them, not as empty texts.
TEST_F(PerformaceTest, ValuesOutsideTheItemsAreNotOverwritten) {
    ASSERT_TRUE(startSim(kP1)) << sim->error();
    main->Ed_DataRateNew->setText(QStringLiteral("1"));
    ASSERT_TRUE(sim->ok("fill " + kRateColumn + " 12 i 1"));
    ASSERT_TRUE(sim->ok("set " + kRateColumn + ".6 i 2"));  // 9 Mb/s Basic: not among its items
    ASSERT_TRUE(sim->ok("set " + E + "2.3.1.4.1 s 7"));     // no such rate item
    TFM_Performace& p = open();
    EXPECT_EQ(p.CB_DRate[5]->items(), (QStringList{"Disable", "Enable"}));
    EXPECT_EQ(p.CB_DRate[5]->itemIndex(), -1);
    EXPECT_EQ(p.CB_DtRta->itemIndex(), -1);
    const size_t mark = sim->logSize();
    p.Bt_Apply_a->userClick();
    std::vector<std::string> rows;
    for (const auto& l : sets(mark)) {
        if (l.asked == E + "2.3.1.4.1") {
            EXPECT_EQ(l.value, "7");
        }
        if (l.asked.rfind(kRateColumn + ".", 0) == 0) rows.push_back(l.asked.substr(kRateColumn.size() + 1));
    }
    EXPECT_EQ(rows.size(), 11u);
    EXPECT_EQ(std::find(rows.begin(), rows.end(), "6"), rows.end());
    EXPECT_EQ(stored(kRateColumn + ".6"), "ok i 2");
    EXPECT_EQ(stored(E + "2.3.1.4.1"), "ok s \"7\"");
}

// An AP mode that could not be read forces neither "Auto" nor rate control off.
TEST_F(PerformaceTest, UnreadApModeChangesNothingOnApply) {
    ASSERT_TRUE(startSim(kP1)) << sim->error();
    ASSERT_TRUE(sim->ok("set " + kRateControl + " i 1"));
    ASSERT_TRUE(sim->ok("error " + E + "2.1.1.1.1 genErr get"));
    TFM_Performace& p = open();
    EXPECT_EQ(p.CB_APModea->itemIndex(), -1);
    EXPECT_EQ(p.CB_DtRta->text(), u"54 Mb");
    EXPECT_EQ(p.CB_DateStatus->text(), u"Enable");
    ASSERT_TRUE(sim->ok("reset"));
    const size_t mark = sim->logSize();
    p.Bt_Apply_a->userClick();
    for (const auto& l : sets(mark)) {
        if (l.asked == E + "2.3.1.4.1") {
            EXPECT_EQ(l.value, "54");
        }
        if (l.asked == kRateControl) {
            EXPECT_EQ(l.value, "1");
        }
    }
    EXPECT_EQ(stored(E + "2.3.1.4.1"), "ok s \"54\"");
    EXPECT_EQ(stored(kRateControl), "ok i 1");
}

// A creation step that stops at its first request leaves a page whose buttons do nothing.
TEST_F(PerformaceTest, FailedCreationLeavesRefreshAndApplyHarmless) {
    ASSERT_TRUE(startSim(kP1)) << sim->error();
    // Not a host name: refused before any lookup.
    HvSNMPSession::defaults.address = "no such host";
    TFM_Performace& p = makePage();
    EXPECT_FALSE(p.StatusBar->simpleText().isEmpty());
    EXPECT_EQ(p.reqRadioA, nullptr);
    EXPECT_FALSE(p.Bt_Apply_a->enabled());
    EXPECT_FALSE(p.Bt_Refresh_a->enabled());
    const size_t mark = sim->logSize();
    p.Bt_Apply_aClick(nullptr);
    p.Bt_Refresh_aClick(nullptr);
    p.BT_RDateRateClick(nullptr);
    EXPECT_TRUE(pageLog(mark).empty());
    EXPECT_TRUE(boxes.empty());
}

struct Unanswered {
    const char* name;
    const char* fault;  // a control command for the simulator, or "" for a wrong community
};

void PrintTo(const Unanswered& c, std::ostream* os) {
    *os << c.name;
}

class PerformaceUnanswered : public PerformaceTest, public ::testing::WithParamInterface<Unanswered> {};

// Opened on a device that does not answer (silent, or the community refused), the page's status bar
// keeps the failed read's result line (it used to stay blank), and the page stops asking after the
// first unanswered read.
TEST_P(PerformaceUnanswered, StatusBarShowsTheFailedRead) {
    ASSERT_TRUE(startSim(kP1)) << sim->error();
    HvSNMPSession::defaults.timeout = 10;
    const std::string community = HvSNMPSession::defaults.readCommunity;
    if (*GetParam().fault)
        ASSERT_TRUE(sim->ok(GetParam().fault));
    else
        HvSNMPSession::defaults.readCommunity = "wrong";
    // The main window's poll has seen the device go silent: a page of a device that answers sends
    // its reads at once, so this rule is one of a device the poll does not hear.
    main->lastStatusCode = kTimeoutCode;
    const size_t from = sim->logSize();
    TFM_Performace& p = open();
    HvSNMPSession::defaults.readCommunity = community;
    // The first unanswered read ends the asking: one read's tries, not every read's time-out.
    size_t dropped = 0;
    for (const SimLogLine& l : sim->log(from))
        if (l.event && !l.words.empty() && l.words[0] == "drop") ++dropped;
    EXPECT_GE(dropped, 1u);
    EXPECT_LE(dropped, size_t(p.reqAPMode->request.retries + 1));
    std::string message;
    int32_t code = 0;
    HvSNMPError::translate(HvSnmpStatus::Timeout, code, message);
    const QString expected = QString::fromStdString("Get: " + message + ". Receive at ");
    EXPECT_TRUE(p.StatusBar->simpleText().startsWith(expected)) << p.StatusBar->simpleText().toStdString();
    EXPECT_TRUE(boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Device, PerformaceUnanswered,
                         ::testing::Values(Unanswered{"Silent", "silence 60000"},
                                           Unanswered{"WrongCommunity", ""}),
                         [](const auto& info) { return std::string(info.param.name); });

// Closing while the walk still runs: no answer reaches the deleted page, and it opens again.
TEST_F(PerformaceTest, CloseDuringTheWalk) {
    ASSERT_TRUE(startSim(kP1)) << sim->error();
    makePage();
    ASSERT_TRUE(sim->ok("delay 300"));
    QCoreApplication::processEvents();
    ASSERT_TRUE(page->reqRateTable && page->reqRateTable->busy);
    page.reset();
    ASSERT_TRUE(sim->ok("delay 0"));
    waitFor([] { return false; }, 400);
    TFM_Performace& p = open();
    EXPECT_EQ(p.rateRowsLoaded(), 12);
    EXPECT_EQ(p.StatusBar->simpleText(), u"Get OK!");
}

// Refresh reads the device again; Apply while its walk fills the table reads and writes no row of
// the half-filled list.
TEST_F(PerformaceTest, ApplyDuringTheRefreshWalkWritesNoRows) {
    ASSERT_TRUE(startSim(kP1)) << sim->error();
    TFM_Performace& p = open();
    ASSERT_TRUE(sim->ok("set " + E + "2.3.1.6.1 i 500"));
    ASSERT_TRUE(sim->ok("delay 100"));
    p.Bt_Refresh_a->userClick();
    EXPECT_EQ(p.Ed_BeInta->text(), u"500");
    EXPECT_FALSE(p.Bt_Apply_a->enabled());
    EXPECT_EQ(p.rateRowsLoaded(), 0);
    const size_t mark = sim->logSize();
    p.Bt_Apply_aClick(nullptr);
    p.BT_RDateRateClick(nullptr);
    for (const auto& l : sets(mark)) EXPECT_NE(l.asked.rfind(kRateColumn, 0), 0u) << l.asked;
    ASSERT_TRUE(sim->ok("delay 0"));
    ASSERT_TRUE(waitFor([&] { return p.rateRowsLoaded() == 12; }));
    EXPECT_TRUE(p.Bt_Apply_a->enabled());
}

// The main window's menu opens the page modally and deletes it afterwards.
TEST_F(PerformaceTest, MenuOpensThePage) {
    ASSERT_TRUE(startSim(kP1)) << sim->error();
    MainFormEnvironment env;
    MemoryRegistryStore registry;
    QTemporaryDir dir;
    env.registry = &registry;
    env.programDir = dir.path().toStdString() + "/";
    env.lockFolder = dir.path().toStdString();
    env.bootCounterDir = dir.path().toStdString();
    env.pages = {{HvTopMenu::Advanced, "Performance", "adPerformance1",
                  HvModalPage(FM_Performace, [](TMainForm& m) { return new TFM_Performace(m); })}};
    TMainForm window(env);
    HvSNMPSession::defaults.port = static_cast<uint16_t>(sim->port());
    ASSERT_NE(window.adPerformance1, nullptr);
    EXPECT_EQ(window.adPerformance1->caption(), u"Performance");
    EXPECT_EQ(window.advanced2->caption(), u"Advanced");
    QString shownCaption;
    window.pageOpener = [&](forms::Form& f) {
        shownCaption = f.caption();
        EXPECT_EQ(FM_Performace.data(), &f);
        return int(forms::mrCancel);
    };
    EXPECT_TRUE(window.adPerformance1->userClick());
    EXPECT_EQ(shownCaption, u"Advanced \\ Performance");
    EXPECT_TRUE(FM_Performace.isNull());
}

// The whole road: the module started as the management system starts it, its menu opening the page
// against the device, Apply, and the waiting dialog watching the main window's real poll.
class PerformaceFromTheMenu : public PageTest {};

TEST_F(PerformaceFromTheMenu, OpensAppliesAndWaitsForTheRestart) {
    SimProcess sim({"--absent", E + "2.3.1.99", "--restart-time", "300"});
    ASSERT_TRUE(sim.start()) << sim.error();
    writeIni("127.0.0.1", "AgentPort=" + std::to_string(sim.port()) + "\r\nVersion=1\r\n");
    forms::Application::setTimeScale(0.05);
    MainFormEnvironment env;
    env.arguments = {"/I127.0.0.1", "/Rkiwano", "/Wmorello"};
    env.registry = &registry;
    env.programDir = path("prog/");
    env.lockFolder = path("lock");
    env.bootCounterDir = path("");
    env.pages = HvPages();
    TMainForm window(env);
    MainForm = &window;
    ASSERT_FALSE(window.refused());
    ASSERT_TRUE(waitFor([&] { return window.deviceAnswering(); }));
    ASSERT_TRUE(waitFor([&] { return window.Ed_DataRateNew->text() != u"Ed_DataRateNew"; }));

    size_t mark = 0;
    QString status;
    window.pageOpener = [&](forms::Form& f) {
        auto& page = static_cast<TFM_Performace&>(f);
        EXPECT_TRUE(waitFor([&] { return page.rateRowsLoaded() == 12; }));
        EXPECT_EQ(page.Ed_BeInta->text(), u"100");
        page.Ed_BeInta->setText(QStringLiteral("300"));
        mark = sim.logSize();
        page.Bt_Apply_a->userClick();
        status = page.StatusBar->simpleText();
        return int(forms::mrCancel);
    };
    ASSERT_TRUE(window.adPerformance1->userClick());
    EXPECT_EQ(status, u"Setting Success!");
    EXPECT_TRUE(FM_Performace.isNull());
    EXPECT_EQ(sim.command("get " + E + "2.3.1.6.1"), "ok i 300");
    bool restarted = false;
    for (const auto& l : sim.requests(mark))
        restarted = restarted || (l.op == "SET" && l.asked == kUpgradeCommand && l.value == "4");
    EXPECT_TRUE(restarted);
    MainForm = nullptr;
}

}  // namespace
