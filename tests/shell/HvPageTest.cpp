// The page base against the device simulator: the exception rule of its steps, a failed creation,
// the end of its requests, the AP-domain state and the flow after a setting; and the main window's
// menu built from the page registry.

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "library/HvException.h"
#include "library/HvSNMPSession.h"
#include "module/HvPage.h"
#include "module/Misc.h"
#include "module/Wait.h"
#include "tests/support/PageFixture.h"

namespace {

const std::string E = "1.3.6.1.4.1.47011.11.37.4.";
const std::string kClusterId = E + "2.12.1.1.1.1.1";
const std::string kClusterAction = E + "2.12.1.1.1.2.1";
const std::string kUpgradeCommand = E + "3.3.5.0";
const QString kRestartQuestion = QStringLiteral(
    "Do you want reboot now?\nIf you choose 'Cancel',please reboot AP when you complete settings!");

using forms::Kind;
using enum forms::LayoutFlag;

const forms::LayoutRow kRows[] = {
    {Kind::StatusBar, "StatusBar", "", 0, 0, 0, 0, "", "", SimpleText},
    {Kind::ComboBox, "CB_Clus", "", 10, 10, 121, 21, "", "", Hidden},
    {Kind::Edit, "Ed_FwVer", "", 10, 40, 121, 21},
    {Kind::Button, "Bt_Apply", "", 10, 70, 75, 24, "Apply"},
};
const forms::FormLayout kLayout = {"TestPage", "Test \\ Page", 200, 120, kRows};

// A page whose creation step the test gives.
class TestPage : public HvPage {
public:
    TestPage(TMainForm& mainForm, const std::function<void(TestPage&)>& creation) : HvPage(mainForm) {
        buildLayout(kLayout);
        StatusBar = control<forms::StatusBar>("StatusBar");
        CB_Clus = control<forms::ComboBox>("CB_Clus");
        Ed_FwVer = control<forms::Edit>("Ed_FwVer");
        Bt_Apply = control<forms::Button>("Bt_Apply");
        setResultControl(StatusBar);
        create([&] { creation(*this); }, {Bt_Apply});
    }
    using HvPage::afterSetting;
    using HvPage::bindClusterState;
    using HvPage::guarded;
    using HvPage::makeRequest;

    forms::StatusBar* StatusBar = nullptr;
    forms::ComboBox* CB_Clus = nullptr;
    forms::Edit* Ed_FwVer = nullptr;
    forms::Button* Bt_Apply = nullptr;
};

class HvPageTest : public PageTest {
protected:
    void SetUp() override {
        PageTest::SetUp();
        // The waiting dialog's 30 ticks of 1.2 s take a few milliseconds each.
        forms::Application::setTimeScale(0.02);
        main = &idleMain();
    }
    std::unique_ptr<TestPage> open(const std::function<void(TestPage&)>& creation = [](TestPage&) {}) {
        return std::make_unique<TestPage>(*main, creation);
    }
    TMainForm* main = nullptr;
};

struct FailedCreation {
    const char* name;
    std::function<void(TestPage&)> creation;
    const char* message;  // null: any text
};

void PrintTo(const FailedCreation& c, std::ostream* os) {
    *os << c.name;
}

class HvPageCreation : public HvPageTest, public ::testing::WithParamInterface<FailedCreation> {};

TEST_P(HvPageCreation, FailureGoesToTheStatusBarAndLeavesThePageHarmless) {
    ASSERT_TRUE(startSim()) << sim->error();
    auto page = open(GetParam().creation);
    EXPECT_FALSE(page->created());
    if (GetParam().message) {
        EXPECT_EQ(page->StatusBar->simpleText(), QString::fromUtf8(GetParam().message));
    } else {
        EXPECT_FALSE(page->StatusBar->simpleText().isEmpty());
    }
    EXPECT_FALSE(page->Bt_Apply->enabled());
    EXPECT_TRUE(boxes.empty());
    int ran = 0;
    EXPECT_FALSE(page->guarded([&] { ++ran; }));
    EXPECT_EQ(ran, 0);
    EXPECT_TRUE(sim->requests().empty());
}

const FailedCreation kFailedCreations[] = {
    {"LibraryException", [](TestPage&) { throw HvException("Get Error!", -405); }, "Get Error!"},
    {"StandardException", [](TestPage&) { throw std::runtime_error("no such option"); }, "no such option"},
    {"RequestNotBuilt",
     [](TestPage& p) {
         // Not a host name: refused before any lookup.
         HvSNMPSession::defaults.address = "no such host";
         HvSNMPRequest2Edits* r = p.makeRequest(kMibT062, SVT_SV, 0);
         r->addEdit(0, "%s", {p.Ed_FwVer});
         r->get();
     },
     nullptr},
};

INSTANTIATE_TEST_SUITE_P(Table, HvPageCreation, ::testing::ValuesIn(kFailedCreations),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(HvPageTest, GuardedStepShowsItsFailureAndThePageGoesOn) {
    auto page = open();
    ASSERT_TRUE(page->created());
    EXPECT_FALSE(page->guarded([] { throw HvException("Set Error!"); }));
    EXPECT_EQ(page->StatusBar->simpleText(), u"Set Error!");
    int ran = 0;
    EXPECT_TRUE(page->guarded([&] { ++ran; }));
    EXPECT_EQ(ran, 1);
    EXPECT_TRUE(page->Bt_Apply->enabled());
    EXPECT_TRUE(boxes.empty());
}

// The page goes while answers are still out: its requests wait for them, and none of the page's
// handlers runs any more.
TEST_F(HvPageTest, ClosingEndsTheRequestsWithoutTheirCompletions) {
    ASSERT_TRUE(startSim()) << sim->error();
    int completions = 0;
    auto page = open();
    ASSERT_TRUE(sim->ok("delay 200"));
    std::vector<HvSNMPRequest2Edits*> out;
    for (int i = 0; i < 2; ++i) {
        page->guarded([&] {
            HvSNMPRequest2Edits* r = page->makeRequest(kMibT062, SVT_SV, 0, false);
            r->addEdit(0, "%s", {page->Ed_FwVer});
            r->onAsyncGetDone = [&](HvSNMPRequest2Controls*, HvSNMPError*) { ++completions; };
            r->afterGetCallback = [&] { ++completions; };
            r->get();
            out.push_back(r);
        });
    }
    ASSERT_EQ(out.size(), 2u);
    ASSERT_TRUE(out[0]->busy && out[1]->busy);
    page.reset();
    EXPECT_EQ(sim->requests().size(), 2u);
    QCoreApplication::processEvents();
    EXPECT_EQ(completions, 0);
}

struct Setting {
    const char* name;
    int clusterAction;  // 1 Join, 2 Escape
    int answer;         // to the restart question
    bool asked;
    bool restarted;
};

void PrintTo(const Setting& s, std::ostream* os) {
    *os << s.name;
}

class HvPageAfterSetting : public HvPageTest, public ::testing::WithParamInterface<Setting> {};

TEST_P(HvPageAfterSetting, JoinedDeviceIsAskedBeforeTheRestart) {
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("set " + kClusterAction + " i " + std::to_string(GetParam().clusterAction)));
    const size_t first = sim->logSize();
    auto page = open([](TestPage& p) { p.bindClusterState(p.CB_Clus); });
    ASSERT_TRUE(page->created());
    // Only the action column is read.
    std::vector<std::string> read;
    for (const auto& l : sim->requests(first)) read.push_back(l.op + " " + l.asked);
    EXPECT_EQ(read, (std::vector<std::string>{"GET " + kClusterAction}));
    EXPECT_EQ(page->joined(), GetParam().clusterAction == 1);

    answers = {GetParam().answer};
    const size_t mark = sim->logSize();
    EXPECT_EQ(page->afterSetting(), GetParam().restarted);
    if (GetParam().asked) {
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, kRestartQuestion);
        EXPECT_EQ(boxes[0].caption, u"Warning");
        EXPECT_EQ(boxes[0].buttons, forms::MB_OKCANCEL);
    } else {
        EXPECT_TRUE(boxes.empty());
    }
    EXPECT_EQ(hasSet(mark, kUpgradeCommand, "4"), GetParam().restarted);
    EXPECT_EQ(page->waiting(), nullptr);
}

const Setting kSettings[] = {
    {"EscapedRestartsAtOnce", 2, forms::IDCANCEL, false, true},
    {"JoinedOk", 1, forms::IDOK, true, true},
    {"JoinedCancel", 1, forms::IDCANCEL, true, false},
};

INSTANTIATE_TEST_SUITE_P(Table, HvPageAfterSetting, ::testing::ValuesIn(kSettings),
                         [](const auto& info) { return std::string(info.param.name); });

// The menu from the registry: one item per row under its top menu, in the rows' order, named as the
// row says; a click opens the row's page; a row's rule runs each time its menu opens.
TEST_F(HvPageTest, MainMenuIsBuiltFromTheRegistry) {
    std::vector<std::string> opened;
    bool gammaShown = true;
    std::vector<HvPageEntry> rows = {
        {HvTopMenu::Tools, "Alpha", "Firmware1", [&](TMainForm&) { opened.push_back("alpha"); }},
        {HvTopMenu::Home, "Gamma", "gamma1", [&](TMainForm&) { opened.push_back("gamma"); },
         [&](const TMainForm&) { return gammaShown; }},
        {HvTopMenu::Tools, "Beta", "beta1", [&](TMainForm&) { opened.push_back("beta"); }},
    };
    TMainForm& window = start({}, rows);
    EXPECT_TRUE(window.tools2->visible());
    EXPECT_TRUE(window.Home1->visible());
    EXPECT_FALSE(window.advanced2->visible());
    EXPECT_FALSE(window.status2->visible());
    ASSERT_EQ(window.tools2->count(), 2);
    EXPECT_EQ(window.tools2->item(0)->caption(), u"Alpha");
    EXPECT_EQ(window.tools2->item(1)->caption(), u"Beta");
    EXPECT_EQ(window.Firmware1, window.tools2->item(0));
    EXPECT_EQ(window.pageItem("beta1"), window.tools2->item(1));
    EXPECT_EQ(window.pageItem("nothing"), nullptr);

    ASSERT_TRUE(window.pageItem("beta1")->userClick());
    ASSERT_TRUE(window.Firmware1->userClick());
    forms::MenuItem* gamma = window.pageItem("gamma1");
    ASSERT_NE(gamma, nullptr);
    gammaShown = false;
    window.Home1->userPopup();
    EXPECT_FALSE(gamma->visible());
    EXPECT_FALSE(gamma->userClick());
    gammaShown = true;
    window.Home1->userPopup();
    ASSERT_TRUE(gamma->userClick());
    EXPECT_EQ(opened, (std::vector<std::string>{"beta", "alpha", "gamma"}));
}

}  // namespace
