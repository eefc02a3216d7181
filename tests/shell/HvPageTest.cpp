// The page base against the device simulator: the exception rule of its steps, a failed creation,
// the end of its requests, the AP-domain state and the flow after a setting; and the main window's
// menu built from the page registry.

#include <gtest/gtest.h>

#include <QCursor>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTimer>

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
#include "tests/support/WhenShown.h"

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
    {Kind::Button, "Bt_Close", "", 95, 70, 75, 24, "Close"},
    {Kind::Edit, "Ed_Locked", "", 140, 40, 50, 21},
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
        Bt_Close = control<forms::Button>("Bt_Close");
        Ed_Locked = control<forms::Edit>("Ed_Locked");
        Ed_Locked->setEnabled(false);
        Bt_Close->OnClick = [this](QObject*) { close(); };
        setResultControl(StatusBar);
        setCloseControls({Bt_Close});
        create([&] { creation(*this); }, {Bt_Apply});
    }
    using HvPage::afterSetting;
    using HvPage::bindClusterState;
    using HvPage::boundClose;
    using HvPage::closeRequests;
    using HvPage::forgetOnEnd;
    using HvPage::guarded;
    using HvPage::makeRequest;
    using HvPage::waitUntil;
    using WaitEnd = HvPage::WaitEnd;

    // An Apply that reads the firmware text asynchronously, waits for it, then writes the edit: what
    // it sees of the controls while it waits, and how its wait ended.
    void waitingApply() {
        HvSNMPRequest2Edits* r = makeRequest(kMibT062, SVT_SV, 0, false);
        r->addEdit(0, "%s", {Ed_FwVer});
        r->get();
        whileWaiting = [this] {
            seenWhileWaiting = {Ed_FwVer->isEnabled(), Bt_Apply->isEnabled(), Bt_Close->isEnabled(), busy()};
        };
        ended = waitUntil([r] { return !r->busy; }, -1);
        if (ended == WaitEnd::Done) wrote = true;
    }

    forms::StatusBar* StatusBar = nullptr;
    forms::ComboBox* CB_Clus = nullptr;
    forms::Edit* Ed_FwVer = nullptr;
    forms::Button* Bt_Apply = nullptr;
    forms::Button* Bt_Close = nullptr;
    forms::Edit* Ed_Locked = nullptr;
    std::function<void()> whileWaiting;
    std::vector<bool> seenWhileWaiting;  // edit, Apply, Close enabled; busy
    WaitEnd ended = WaitEnd::TimedOut;
    bool wrote = false;  // the Apply went on after its wait
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

// While an Apply waits for its answer the page is busy: the inputs are disabled (a control disabled
// before stays so afterwards), Close is not; the inputs come back once the wait has ended.
TEST_F(HvPageTest, BusyPageHoldsItsInputsButNotItsClose) {
    ASSERT_TRUE(startSim()) << sim->error();
    auto page = open();
    page->show();
    ASSERT_TRUE(sim->ok("delay 300"));
    page->Bt_Apply->OnClick = [&](QObject*) { page->waitingApply(); };
    QTimer::singleShot(100, [&] { page->whileWaiting(); });
    ASSERT_TRUE(page->Bt_Apply->userClick());
    EXPECT_EQ(page->ended, TestPage::WaitEnd::Done);
    EXPECT_TRUE(page->wrote);
    EXPECT_EQ(page->seenWhileWaiting, (std::vector<bool>{false, false, true, true}));
    EXPECT_FALSE(page->busy());
    EXPECT_TRUE(page->Ed_FwVer->isEnabled());
    EXPECT_TRUE(page->Bt_Apply->isEnabled());
    EXPECT_FALSE(page->Ed_Locked->isEnabled());
}

// Close while an Apply waits on a silent device: the page closes at once, the wait ends with it and
// the Apply writes nothing, long before the answer's time-out.
TEST_F(HvPageTest, CloseEndsTheHandlersWait) {
    ASSERT_TRUE(startSim()) << sim->error();
    HvSNMPSession::defaults.timeout = 1000;  // 10 s
    auto page = open();
    ASSERT_TRUE(sim->ok("silence 20000"));
    page->Bt_Apply->OnClick = [&](QObject*) { page->waitingApply(); };
    auto* poll = new QTimer(page.get());
    QObject::connect(poll, &QTimer::timeout, [&, poll] {
        if (!page->busy()) return;
        poll->stop();
        page->Bt_Close->userClick();
    });
    whenShown(page.get(), [&] {
        poll->start(5);
        page->Bt_Apply->userClick();
    });
    QElapsedTimer clock;
    clock.start();
    page->showModal();
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_EQ(page->ended, TestPage::WaitEnd::Closed);
    EXPECT_FALSE(page->wrote);
    EXPECT_FALSE(page->isVisible());
}

// The end of the requests takes no longer than the close bound, however many are still out, and
// the members naming them are null before any of them ends.
TEST_F(HvPageTest, TeardownHoldsTheCloseBound) {
    ASSERT_TRUE(startSim()) << sim->error();
    HvSNMPSession::defaults.timeout = 1000;
    auto page = open();
    ASSERT_TRUE(sim->ok("silence 30000"));
    int completions = 0;
    HvSNMPRequest2Edits* named = nullptr;
    page->forgetOnEnd(named);
    for (int i = 0; i < 3; ++i) {
        HvSNMPRequest2Edits* r = page->makeRequest(kMibT062, SVT_SV, 0, false);
        r->addEdit(0, "%s", {page->Ed_FwVer});
        r->onAsyncGetDone = [&](HvSNMPRequest2Controls*, HvSNMPError*) { ++completions; };
        r->get();
        named = r;
    }
    page->boundClose(300);
    QElapsedTimer clock;
    clock.start();
    page->closeRequests();
    EXPECT_LT(clock.elapsed(), 3000);
    EXPECT_EQ(named, nullptr);
    EXPECT_TRUE(page->closing());
    page.reset();
    QCoreApplication::processEvents();
    EXPECT_EQ(completions, 0);
}

namespace {
QPointer<TestPage> FM_TestPage;
}  // namespace

// A modal page that refuses its close and hides keeps the main window blocked while it lives, and
// the menu opens no second page of its kind meanwhile; the first goes when its loop ends.
TEST_F(HvPageTest, HiddenModalPageKeepsTheMainWindowBlocked) {
    int made = 0;
    bool mayClose = false;
    auto make = [&](TMainForm& m) {
        ++made;
        auto* p = new TestPage(m, [](TestPage&) {});
        p->OnCloseQuery = [p, &mayClose](QObject*, bool& canClose) {
            p->hide();
            canClose = mayClose;
        };
        return p;
    };
    TMainForm& window = start({}, {{HvTopMenu::Tools, "Alpha", "alpha1", HvModalPage(FM_TestPage, make)}});
    window.show();
    bool blocked = false, stillOne = false;
    QPointer<TestPage> first;
    QTimer::singleShot(0, [&] {
        whenShown(FM_TestPage.data(), [&] {
            first = FM_TestPage;
            FM_TestPage->close();
            QTimer::singleShot(20, [&] {
                blocked = !window.isEnabled() && first && !first->isVisible();
                window.pageItem("alpha1")->userClick();
                stillOne = made == 1 && FM_TestPage == first;
                mayClose = true;
                first->close();
            });
        });
    });
    ASSERT_TRUE(window.pageItem("alpha1")->userClick());
    EXPECT_TRUE(blocked);
    EXPECT_TRUE(stillOne);
    EXPECT_EQ(made, 1);
    EXPECT_TRUE(first.isNull());
    EXPECT_TRUE(FM_TestPage.isNull());
    EXPECT_TRUE(window.isEnabled());
}

// While a page's creation reads the device the main window shows the wait cursor and says so in
// its status line; both are given back once the page is made.
TEST_F(HvPageTest, CreationShowsTheWaitCursorAndOurStatus) {
    bool waitCursor = false;
    QString status;
    TMainForm* shown = nullptr;
    auto make = [&](TMainForm& m) {
        return new TestPage(m, [&](TestPage&) {
            waitCursor = QGuiApplication::overrideCursor() &&
                         QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor;
            status = m.MainStatusBar->simpleText();
            shown = &m;
        });
    };
    TMainForm& window = start({}, {{HvTopMenu::Tools, "Alpha", "alpha1", HvModalPage(FM_TestPage, make)}});
    window.pageOpener = [](forms::Form&) { return int(forms::mrOk); };
    const QString before = window.MainStatusBar->simpleText();
    ASSERT_TRUE(window.pageItem("alpha1")->userClick());
    EXPECT_EQ(shown, &window);
    EXPECT_TRUE(waitCursor);
    EXPECT_EQ(status, TMainForm::kOpeningPageText);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(window.MainStatusBar->simpleText(), before);
}

}  // namespace
