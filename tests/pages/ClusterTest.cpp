// The AP domains page against the device simulator over real UDP on loopback: what it shows for a
// member and a non-member, what Join and Disable write, the domain survey and its "is full" rule,
// and a page that never closes, nor starts a second chain, while one of its requests is out.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFontMetrics>
#include <QTimer>

#include <string>
#include <vector>

#include "module/Wait.h"
#include "pages/Pages.h"
#include "pages/admin/Cluster.h"
#include "platform/forms/Forms.h"
#include "tests/NamedRows.h"
#include "tests/support/PageUnderTest.h"
#include "tests/support/PageRow.h"

namespace {

using hvtest::PrintTo;

const std::string E = "1.3.6.1.4.1.47011.11.37.4.";
const std::string kClusterId = E + "2.12.1.1.1.1.1";
const std::string kClusterAction = E + "2.12.1.1.1.2.1";
const std::string kSurvey = E + "2.12.2.1.1.1.1";
const std::string kDomainColumn = E + "2.12.2.2.1.";
const std::string kMemberSurvey = E + "2.12.3.1.1.1.1";
const std::string kMemberColumn = E + "2.12.3.2.1.";
const std::string kUpgradeCommand = E + "3.3.5.0";
const QString kOk = QStringLiteral("(HvSNMP++) Ok!");

// The AP-domain objects and the restart command the waiting dialog sends.
bool pageObject(const std::string& oid) {
    return oid.rfind(E + "2.12.", 0) == 0 || oid == kUpgradeCommand;
}

class ClusterTest : public PageUnderTest<TFM_Cluster> {
protected:
    void SetUp() override {
        PageUnderTest::SetUp();
        setFilter = [](const SimLogLine& l) { return pageObject(l.asked); };
    }

    // Opens the page and waits until its first chain has ended.
    TFM_Cluster& open() {
        TFM_Cluster& p = makePage();
        EXPECT_TRUE(waitFor([&] { return !p.busy(); }));
        return p;
    }
    bool idle() {
        return waitFor([&] { return !page->busy(); });
    }
    // The page's requests from log line `from` on, as "OP OID[=VALUE]" with the OID below .4.
    std::vector<std::string> pageLog(size_t from, const std::string& op = std::string()) const {
        std::vector<std::string> out;
        for (const auto& l : sim->requests(from))
            if (!l.event && pageObject(l.asked) && (op.empty() || l.op == op))
                out.push_back(l.op + " " + l.asked.substr(E.size()) + (l.op == "SET" ? "=" + l.value : ""));
        return out;
    }
    std::vector<std::string> written(size_t from) const { return pageLog(from, "SET"); }
    // The survey lists rows domain rows (each column filled).
    void domains(int rows) {
        for (int c = 1; c <= 3; ++c)
            ASSERT_TRUE(sim->ok("fill " + kDomainColumn + std::to_string(c) + " " + std::to_string(rows) +
                                (c == 3 ? " s x" : " i 1")));
    }
    void member(int id) {
        ASSERT_TRUE(sim->ok("set " + kClusterId + " i " + std::to_string(id)));
        ASSERT_TRUE(sim->ok("set " + kClusterAction + " i 1"));
    }
    static std::vector<QString> column(forms::ListView* view, int sub) {
        std::vector<QString> out;
        for (int i = 0; i < view->itemCount(); ++i) out.push_back(view->item(i)->subItem(sub));
        return out;
    }
    static bool actionsEnabled(const TFM_Cluster& p) {
        return p.Bt_Join->enabled() && p.Bt_Escape->enabled() && p.Bt_ClusterGrp->enabled() &&
               p.Bt_Refresh->enabled();
    }
    static bool actionsDisabled(const TFM_Cluster& p) {
        return !p.Bt_Join->enabled() && !p.Bt_Escape->enabled() && !p.Bt_ClusterGrp->enabled() &&
               !p.Bt_Refresh->enabled();
    }
};

TEST_F(ClusterTest, ANonMemberOffersJoinAndSurveysTheDomains) {
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("set " + kClusterId + " i 6"));
    TFM_Cluster& p = open();
    EXPECT_EQ(p.caption(), u"Advanced \\ AP Domains");
    EXPECT_EQ(pageLog(0), (std::vector<std::string>{"GET 2.12.1.1.1.1.1", "GET 2.12.1.1.1.2.1"}));
    EXPECT_TRUE(p.Bt_Join->visible());
    EXPECT_FALSE(p.Bt_Escape->visible());
    EXPECT_EQ(p.Bt_Escape->left(), p.Bt_Join->left());
    EXPECT_TRUE(p.Ed_ClusterID->enabled());
    EXPECT_EQ(p.Ed_ClusterID->text(), u"6");
    EXPECT_EQ(p.Ed_ClusterID->maxLength(), 1);
    EXPECT_EQ(p.LV_ClusterMemBer->itemCount(), 0);
    EXPECT_EQ(p.StatusBar1->panel(0)->text(), kOk);
    // The one panel shows the longest result text whole.
    EXPECT_GE(p.StatusBar1->panel(0)->width(),
              QFontMetrics(p.StatusBar1->font())
                  .horizontalAdvance(QStringLiteral("(SNMPClass) SNMP request timed out!")));
    EXPECT_TRUE(actionsEnabled(p));

    const size_t mark = sim->logSize();
    ASSERT_TRUE(p.Bt_ClusterGrp->userClick());
    EXPECT_EQ(p.StatusBar1->panel(0)->text(), u"Detecting...");
    EXPECT_EQ(p.reqSurvey->request.timeout, 1000);
    ASSERT_TRUE(idle());
    const auto log = pageLog(mark);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), "SET 2.12.2.1.1.1.1=1");
    EXPECT_EQ(written(mark).size(), 1u);
    // The trigger refilled the rows before the walk read them.
    EXPECT_EQ(column(p.LV_ClusterGrp, 0), (std::vector<QString>{"1", "2", "3"}));
    EXPECT_EQ(column(p.LV_ClusterGrp, 2), (std::vector<QString>{"domain-1-1", "domain-2-1", "domain-3-1"}));
    EXPECT_EQ(p.LV_ClusterGrp->shownColumnWidth(0), 0);
    EXPECT_EQ(p.StatusBar1->panel(0)->text(), kOk);
    EXPECT_TRUE(actionsEnabled(p));
}

TEST_F(ClusterTest, AMemberShowsDisableALockedIdAndItsMembers) {
    ASSERT_TRUE(startSim()) << sim->error();
    member(4);
    TFM_Cluster& p = open();
    EXPECT_FALSE(p.Bt_Join->visible());
    EXPECT_TRUE(p.Bt_Escape->visible());
    EXPECT_EQ(p.Bt_Escape->caption(), u"Disable");
    EXPECT_FALSE(p.Ed_ClusterID->enabled());
    EXPECT_EQ(p.Ed_ClusterID->text(), u"4");
    // The member survey runs before the member walk, within the opening's chain.
    EXPECT_EQ(written(0), (std::vector<std::string>{"SET 2.12.3.1.1.1.1=1"}));
    EXPECT_EQ(column(p.LV_ClusterMemBer, 0),
              (std::vector<QString>{"127.0.1.21", "127.0.1.22", "127.0.1.23"}));
    EXPECT_EQ(p.StatusBar1->panel(0)->text(), kOk);

    // A member takes no domain from the survey, full or not.
    ASSERT_TRUE(p.Bt_ClusterGrp->userClick());
    ASSERT_TRUE(idle());
    ASSERT_EQ(p.LV_ClusterGrp->itemCount(), 3);
    ASSERT_TRUE(p.LV_ClusterGrp->userClickItem(1));
    EXPECT_EQ(p.Ed_ClusterID->text(), u"4");
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ClusterTest, JoinWithAnEmptyIdWritesDomainZeroAndWaitsForTheRestart) {
    ASSERT_TRUE(startSim()) << sim->error();
    TFM_Cluster& p = open();
    p.Ed_ClusterID->setText(QString());
    bool waitingShown = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] { waitingShown = waitingShown || p.waiting(); });
    watch.start(5);
    const size_t mark = sim->logSize();
    ASSERT_TRUE(p.Bt_Join->userClick());
    EXPECT_EQ(p.StatusBar1->panel(0)->text(), u"Setting...");
    EXPECT_EQ(p.reqCluster->request.timeout, 500);
    EXPECT_TRUE(p.joinPending());
    EXPECT_TRUE(actionsDisabled(p));
    ASSERT_TRUE(idle());
    EXPECT_TRUE(waitingShown);
    // One write of both objects, the dialog's restart command, then the member's survey.
    EXPECT_EQ(written(mark), (std::vector<std::string>{"SET 2.12.1.1.1.1.1=0", "SET 2.12.1.1.1.2.1=1",
                                                       "SET 3.3.5.0=4", "SET 2.12.3.1.1.1.1=1"}));
    EXPECT_EQ(p.Ed_ClusterID->text(), u"0");
    EXPECT_FALSE(p.joinPending());
    EXPECT_EQ(p.reqCluster->request.timeout, 100);
    EXPECT_TRUE(p.Bt_Escape->visible());
    EXPECT_FALSE(p.Ed_ClusterID->enabled());
    EXPECT_EQ(p.LV_ClusterMemBer->itemCount(), 3);
}

TEST_F(ClusterTest, DisableLeavesTheDomainWithoutARestart) {
    ASSERT_TRUE(startSim()) << sim->error();
    member(2);
    TFM_Cluster& p = open();
    ASSERT_TRUE(p.Bt_ClusterGrp->userClick());
    ASSERT_TRUE(idle());
    ASSERT_EQ(p.LV_ClusterGrp->itemCount(), 3);
    const size_t mark = sim->logSize();
    ASSERT_TRUE(p.Bt_Escape->userClick());
    EXPECT_EQ(p.StatusBar1->panel(0)->text(), u"Setting...");
    EXPECT_EQ(p.LV_ClusterGrp->itemCount(), 0);
    ASSERT_TRUE(idle());
    EXPECT_EQ(written(mark), (std::vector<std::string>{"SET 2.12.1.1.1.1.1=2", "SET 2.12.1.1.1.2.1=2"}));
    EXPECT_EQ(pageLog(mark, "GET").size(), 2u);
    EXPECT_TRUE(p.Bt_Join->visible());
    EXPECT_FALSE(p.Bt_Escape->visible());
    EXPECT_TRUE(p.Ed_ClusterID->enabled());
    EXPECT_EQ(p.LV_ClusterMemBer->itemCount(), 0);
    EXPECT_EQ(p.StatusBar1->panel(0)->text(), kOk);
}

// A Join the device refused is forgotten: the next, successful Disable does not restart the device.
TEST_F(ClusterTest, AFailedJoinDoesNotRestartAfterALaterDisable) {
    ASSERT_TRUE(startSim()) << sim->error();
    TFM_Cluster& p = open();
    ASSERT_TRUE(sim->ok("error " + kClusterAction + " genErr set"));
    const size_t mark = sim->logSize();
    ASSERT_TRUE(p.Bt_Join->userClick());
    ASSERT_TRUE(idle());
    EXPECT_EQ(p.StatusBar1->panel(0)->text(), u"(SNMP) Cannot perform operation, General Error!");
    EXPECT_FALSE(p.joinPending());
    EXPECT_TRUE(actionsEnabled(p));
    EXPECT_TRUE(p.Bt_Join->visible());

    // The device joined by other means; the user leaves the domain again.
    ASSERT_TRUE(sim->ok("reset"));
    member(3);
    ASSERT_TRUE(p.Bt_Refresh->userClick());
    ASSERT_TRUE(idle());
    ASSERT_TRUE(p.Bt_Escape->visible());
    ASSERT_TRUE(p.Bt_Escape->userClick());
    ASSERT_TRUE(idle());
    for (const auto& w : written(mark)) EXPECT_NE(w, "SET 3.3.5.0=4");
    EXPECT_TRUE(p.Bt_Join->visible());
    bool canClose = false;
    p.OnCloseQuery(&p, canClose);
    EXPECT_TRUE(canClose);
}

struct FullCase {
    const char* name;
    int rows;
    bool full;
};

class ClusterFull : public ClusterTest, public ::testing::WithParamInterface<FullCase> {};

// The full rule counts the rows listed; each row's own member count does not matter.
TEST_P(ClusterFull, NineRowsRefuseEightCopy) {
    ASSERT_TRUE(startSim()) << sim->error();
    domains(GetParam().rows);
    TFM_Cluster& p = open();
    ASSERT_TRUE(p.Bt_ClusterGrp->userClick());
    ASSERT_TRUE(idle());
    ASSERT_EQ(p.LV_ClusterGrp->itemCount(), GetParam().rows);
    ASSERT_TRUE(p.LV_ClusterGrp->userClickItem(1));
    if (GetParam().full) {
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, u"The AP Domain ID = \"2\" is full !");
        EXPECT_EQ(boxes[0].caption, u"Warning");
        EXPECT_EQ(boxes[0].buttons, forms::MB_OK);
        EXPECT_EQ(p.Ed_ClusterID->text(), u"0");
    } else {
        EXPECT_TRUE(boxes.empty());
        EXPECT_EQ(p.Ed_ClusterID->text(), u"2");
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, ClusterFull,
                         ::testing::Values(FullCase{"Eight", 8, false}, FullCase{"Nine", 9, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// Closing is refused while the survey's chain runs, and accepted once it has ended.
TEST_F(ClusterTest, CloseWaitsForTheSurvey) {
    ASSERT_TRUE(startSim()) << sim->error();
    TFM_Cluster& p = open();
    bool refusedWhileBusy = false;
    bool surveyDone = false;
    QTimer::singleShot(0, [&] {
        ASSERT_TRUE(sim->ok("delay 300 2"));
        ASSERT_TRUE(p.Bt_ClusterGrp->userClick());
        ASSERT_TRUE(p.Bt_Close->userClick());
        QTimer::singleShot(50, [&] {
            refusedWhileBusy = p.isVisible() && p.busy();
            ASSERT_TRUE(waitFor([&] { return !p.busy(); }));
            surveyDone = p.LV_ClusterGrp->itemCount() == 3;
            ASSERT_TRUE(p.Bt_Close->userClick());
        });
    });
    QElapsedTimer clock;
    clock.start();
    p.showModal();
    EXPECT_TRUE(refusedWhileBusy);
    EXPECT_TRUE(surveyDone);
    EXPECT_EQ(p.reqCluster, nullptr);
    EXPECT_LT(clock.elapsed(), 15000);
}

// Refresh is not offered while a chain runs, and its handler starts nothing then: the member walk
// running is never restarted under itself.
TEST_F(ClusterTest, RefreshWaitsForTheRunningChain) {
    ASSERT_TRUE(startSim()) << sim->error();
    member(1);
    ASSERT_TRUE(sim->ok("delay 200 3"));
    TFM_Cluster& p = makePage();
    ASSERT_TRUE(waitFor([&] { return p.reqMembers->busy; }));
    EXPECT_TRUE(actionsDisabled(p));
    EXPECT_FALSE(p.Bt_Refresh->userClick());
    const size_t mark = sim->logSize();
    p.Bt_RefreshClick(nullptr);
    p.Bt_ClusterGrpClick(nullptr);
    p.Bt_EscapeClick(nullptr);
    ASSERT_TRUE(idle());
    EXPECT_TRUE(pageLog(mark, "GET").empty());
    EXPECT_TRUE(written(mark).empty());
    EXPECT_EQ(p.LV_ClusterMemBer->itemCount(), 3);
    EXPECT_TRUE(actionsEnabled(p));
}

// A silent device: the read ends in its time-out, the page says so and may be closed.
TEST_F(ClusterTest, ASilentDeviceLeavesAClosablePage) {
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("silence 20000"));
    TFM_Cluster& p = makePage();
    EXPECT_TRUE(p.busy());
    ASSERT_TRUE(waitFor([&] { return !p.busy(); }, 30000));
    EXPECT_EQ(p.StatusBar1->panel(0)->text(), u"(SNMPClass) SNMP request timed out!");
    EXPECT_TRUE(p.Bt_Join->visible());
    EXPECT_TRUE(actionsEnabled(p));
    bool canClose = false;
    p.OnCloseQuery(&p, canClose);
    EXPECT_TRUE(canClose);
}

// A page deleted while an answer is still out (as the main window's end does) never sees it.
TEST_F(ClusterTest, ALateAnswerNeverReachesAClosedPage) {
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("delay 8000 1"));
    makePage();
    ASSERT_TRUE(page->reqCluster->busy);
    const size_t mark = sim->logSize();
    QElapsedTimer clock;
    clock.start();
    page.reset();
    // The page's end waits a bounded while for its answers, then gives them up.
    EXPECT_LT(clock.elapsed(), 7000);
    // The delayed answer arrives after the page has gone; a second page works as before.
    ASSERT_TRUE(waitFor([&] { return !sim->requests(mark).empty(); }, 15000));
    TFM_Cluster& p = open();
    EXPECT_EQ(p.StatusBar1->panel(0)->text(), kOk);
}

TEST_F(ClusterTest, MenuShowsTheItemOnlyForADeviceWithDomains) {
    ASSERT_TRUE(startSim()) << sim->error();
    TMainForm& window = start({}, {pageRow("Cluster1")});
    ASSERT_NE(window.Cluster1, nullptr);
    EXPECT_EQ(window.Cluster1->caption(), u"AP Domains");
    window.Ed_IfCluster->setText(QStringLiteral("0"));
    window.advanced2->userPopup();
    EXPECT_FALSE(window.Cluster1->visible());
    window.Ed_IfCluster->setText(QStringLiteral("1"));
    window.advanced2->userPopup();
    EXPECT_TRUE(window.Cluster1->visible());

    const QString shown =
        openFromMenu(pageRow("Cluster1"), [&](forms::Form& f) { EXPECT_EQ(FM_Cluster.data(), &f); });
    EXPECT_EQ(shown, u"Advanced \\ AP Domains");
    EXPECT_TRUE(FM_Cluster.isNull());
}

}  // namespace
