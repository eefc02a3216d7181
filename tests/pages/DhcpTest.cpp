// The DHCP server page and its static IP dialog against the device simulator over real UDP on
// loopback: what they show, what their checks refuse, what Apply, Add, Set and Del write and in which
// order, and the page's refusal to close while its walks run.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "module/Main.h"
#include "module/Wait.h"
#include "pages/Pages.h"
#include "pages/admin/Dhcp.h"
#include "platform/forms/Forms.h"
#include "tests/support/PageUnderTest.h"

namespace {

const std::string E = "1.3.6.1.4.1.47011.11.37.4.";
const std::string kFunction = E + "2.7.1.0";
const std::string kPoolStart = E + "2.7.2.1.0";
const std::string kPoolRange = E + "2.7.2.2.0";
const std::string kStaticRow = E + "2.7.3.1.";
const std::string kCurrentStatic = E + "2.7.4.2.1.1";

// The DHCP server's objects and the two restart commands.
bool dhcpObject(const std::string& oid) {
    for (const char* p : {"2.7.", "3.2.1", "3.3.5"})
        if (oid.rfind(E + p, 0) == 0) return true;
    return false;
}

class DhcpTest : public PageUnderTest<TFM_DHCP> {
protected:
    void SetUp() override {
        PageUnderTest::SetUp();
        setFilter = [](const SimLogLine& l) { return dhcpObject(l.asked); };
    }

    // The simulator with the server on and the first `used` of its `rows` static entries held.
    bool startServer(int used, int rows = 8) {
        return startSim() && sim->ok("static-pool " + std::to_string(used) + " " + std::to_string(rows)) &&
               sim->ok("set " + kFunction + " i 1");
    }
    // Opens the page and waits for its reads and walks; then, as the user, the static pool's tab.
    TFM_DHCP& open(bool staticTab = false) {
        TFM_DHCP& p = makePage();
        waitFor([&] { return !p.requestsBusy() && !p.reqCluster->busy; });
        if (staticTab) {
            EXPECT_TRUE(p.PageControl1->userSelectTab(1));
        }
        return p;
    }
    // Runs act once the form is shown (inside its modal loop).
    void whenShown(forms::Form* form, std::function<void()> act) {
        // Goes with the form, should the form go first.
        auto* poll = new QTimer(form);
        QObject::connect(poll, &QTimer::timeout, [form, poll, act] {
            if (!form->isVisible()) return;
            poll->stop();
            poll->deleteLater();
            act();
        });
        poll->start(2);
    }
    // The static IP dialog filled with an entry, then its Apply clicked; the dialog is closed when
    // Apply leaves it open.
    void fillAndApply(const StaticipRules::Entry& e) {
        TFM_StaticIP* d = page->staticIP();
        whenShown(d, [d, e] {
            d->setEntry(e);
            d->Apply->userClick();
            if (d->isVisible()) d->setModalResult(forms::mrCancel);
        });
    }
    // The main window sees the device silent while the page's waiting dialog counts, until the tick
    // at which the dialog would send its restart has passed; then the device answers again. A dialog
    // that ends as soon as its count is out would close before that tick, and no restart it sent
    // there could be seen.
    void answerOnlyAfterTheRestartTick() {
        main->lastStatusCode = 1;
        auto* watch = new QTimer(page.get());
        QObject::connect(watch, &QTimer::timeout, [this, watch] {
            TFM_Waiting* w = page->waiting();
            if (!w || w->rebootPending) return;
            passedRestartTick = true;
            main->lastStatusCode = 0;
            watch->stop();
            watch->deleteLater();
        });
        watch->start(1);
    }
    bool passedRestartTick = false;
    std::vector<std::string> written(size_t from) const { return setLog(from, E); }
    // The values of one static-pool row as written, column 1 to 8.
    static std::vector<std::string> rowWrite(int row, const std::vector<std::string>& values) {
        std::vector<std::string> out;
        for (size_t c = 0; c < values.size(); ++c)
            out.push_back("2.7.3.1." + std::to_string(c + 1) + "." + std::to_string(row) + "=" + values[c]);
        return out;
    }
    std::string stored(const std::string& oid) { return sim->command("get " + oid); }
};

const std::vector<std::string> kFreeRow = {"0.0.0.0", "000000000000", "0.0.0.0", "0.0.0.0",
                                           "0.0.0.0", "0.0.0.0",      "",        "0"};

TEST_F(DhcpTest, OpensWithTheDeviceValuesAndLists) {
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("static-pool 2"));
    ASSERT_TRUE(sim->ok("leases 2 1"));
    TFM_DHCP& p = open();
    EXPECT_EQ(p.caption(), u"Advanced \\ DHCP Server");
    EXPECT_EQ(p.CB_Fuction1->text(), u"Disable");
    EXPECT_EQ(p.CB_Fuction2->text(), u"Disable");
    EXPECT_EQ(p.Ed_IPAF->text(), u"127.0.0.100");
    EXPECT_EQ(p.Ed_PoolRan->text(), u"50");
    EXPECT_EQ(p.Ed_SubMask->text(), u"255.0.0.0");
    EXPECT_EQ(p.Ed_Lease->text(), u"86400");
    EXPECT_EQ(p.Ed_ext->text(), u"127.0.0.1");
    EXPECT_EQ(p.LV_StaticPoolSet->itemCount(), 8);
    ASSERT_EQ(p.User_ListView->itemCount(), 2);
    EXPECT_EQ(p.User_ListView->item(0)->subItem(0), u"127.0.0.11");
    EXPECT_EQ(p.User_ListView->item(1)->subItem(0), u"127.0.0.12");
    EXPECT_EQ(p.LV_DynPool->itemCount(), 2);
    EXPECT_EQ(p.LV_StaticPool->itemCount(), 1);
    // The server is off: its fields are locked, Apply waits for nothing more.
    EXPECT_FALSE(p.Ed_IPAF->enabled());
    EXPECT_FALSE(p.Bt_Add->enabled());
    EXPECT_TRUE(p.Bt_Apply->enabled());
    EXPECT_TRUE(p.StaticApply->enabled());
    EXPECT_TRUE(boxes.empty());

    // Switching it on in the static tab unlocks both tabs.
    ASSERT_TRUE(p.PageControl1->userSelectTab(1));
    ASSERT_TRUE(p.CB_Fuction2->userSelect(1));
    EXPECT_EQ(p.CB_Fuction1->itemIndex(), 1);
    EXPECT_TRUE(p.Ed_IPAF->enabled());
    EXPECT_TRUE(p.Bt_Add->enabled());
    EXPECT_FALSE(p.Bt_Set->enabled());
    p.User_ListView->setSelected(p.User_ListView->item(0));
    EXPECT_TRUE(p.Bt_Set->enabled());
    EXPECT_TRUE(p.Bt_Del->enabled());

    // The lease lists follow the device's refills.
    ASSERT_TRUE(sim->ok("leases 3 2"));
    ASSERT_TRUE(p.PageControl1->userSelectTab(2));
    ASSERT_TRUE(p.Bt_RefreshDynamicPool->userClick());
    ASSERT_TRUE(p.Bt_RefreshStaticPool->userClick());
    EXPECT_TRUE(
        waitFor([&] { return p.LV_DynPool->itemCount() == 3 && p.LV_StaticPool->itemCount() == 2; }, 3000))
        << p.LV_DynPool->itemCount() << " " << p.LV_StaticPool->itemCount() << " "
        << p.StatusBar3->panel(0)->text().toStdString();
}

struct BadPool {
    const char* name;
    const char* field;
    const char* text;
    const char* message;
    const char* caption;
    bool emptied;
};
void PrintTo(const BadPool& b, std::ostream* os) {
    *os << b.name;
}

class DhcpPoolChecks : public DhcpTest, public ::testing::WithParamInterface<BadPool> {};

TEST_P(DhcpPoolChecks, RefusesWithItsBoxAndWritesNothing) {
    const BadPool& c = GetParam();
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("static-pool 2"));
    ASSERT_TRUE(sim->ok("set " + kFunction + " i 1"));
    TFM_DHCP& p = open();
    p.show();
    auto* edit = forms::findControl<forms::Edit>(&p, c.field);
    edit->setText(QString::fromUtf8(c.text));
    const size_t mark = sim->logSize();
    p.Bt_Apply->userClick();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QString::fromUtf8(c.message));
    EXPECT_EQ(boxes[0].caption, QString::fromUtf8(c.caption));
    EXPECT_EQ(boxes[0].buttons, forms::MB_OK);
    if (c.emptied) {
        EXPECT_EQ(edit->text(), u"");
    }
    EXPECT_TRUE(sets(mark).empty());
}

const BadPool kBadPools[] = {
    {"StartEmpty", "Ed_IPAF", "", "Please input valid IP address", "Warning", true},
    {"RangeEmpty", "Ed_PoolRan", "", "Please input a number between 1 and 255.", "Warning", true},
    {"CoversDevice", "Ed_IPAF", "126.255.255.255", "Reject: The DHCP dynamic IP pool will cover system IP.",
     "Warning", false},
    {"CoversStatic", "Ed_IPAF", "127.0.0.12", "Reject: The DHCP dynamic IP pool will cover Static IP.",
     "Warning", false},
    {"Range0", "Ed_PoolRan", "0", "Please input a number between 1 and 255.", "Error", true},
    {"Range256", "Ed_PoolRan", "256", "Please input a number between 1 and 255.", "Error", true},
    {"Lease59", "Ed_Lease", "59", "Please input a number between 60 and 31536000.", "Error", true},
    {"LeaseTooLong", "Ed_Lease", "31536001", "Please input a number between 60 and 31536000.", "Error", true},
    {"GatewayEmpty", "Ed_Gateway", "", "Invalid Gateway!", "Waring", true},
    {"Wins", "Ed_Wins", "1.2.3", "Invalid Wins!", "Waring", true},
};

INSTANTIATE_TEST_SUITE_P(Table, DhcpPoolChecks, ::testing::ValuesIn(kBadPools),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DhcpTest, ApplyWritesTheSwitchThenThePool) {
    ASSERT_TRUE(startSim()) << sim->error();
    TFM_DHCP& p = open();
    ASSERT_TRUE(p.CB_Fuction1->userSelect(1));
    p.Ed_PoolRan->setText(QStringLiteral("20"));
    p.Ed_Lease->setText(QStringLiteral("60"));
    p.Ed_DNS->setText(QString());
    const size_t mark = sim->logSize();
    p.Bt_Apply->userClick();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(p.Ed_DNS->text(), u"0.0.0.0");
    EXPECT_EQ(written(mark), (std::vector<std::string>{
                                 "2.7.1.0=1", "2.7.2.1.0=127.0.0.100", "2.7.2.2.0=20", "2.7.2.3.0=255.0.0.0",
                                 "2.7.2.4.0=127.0.0.254", "2.7.2.5.0=0.0.0.0", "2.7.2.6.0=0.0.0.0",
                                 "2.7.2.7.0=", "2.7.2.8.0=60", "2.7.2.9.0=0", "3.3.5.0=4"}));
}

TEST_F(DhcpTest, StaticTabApplyWritesOnlyTheSwitch) {
    ASSERT_TRUE(startSim()) << sim->error();
    TFM_DHCP& p = open(true);
    ASSERT_TRUE(p.CB_Fuction2->userSelect(1));
    const size_t mark = sim->logSize();
    ASSERT_TRUE(p.StaticApply->userClick());
    EXPECT_EQ(written(mark), (std::vector<std::string>{"2.7.1.0=1", "3.3.5.0=4"}));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(DhcpTest, FailedSwitchWritesNoPoolAndNoRestart) {
    ASSERT_TRUE(startSim()) << sim->error();
    TFM_DHCP& p = open();
    ASSERT_TRUE(p.CB_Fuction1->userSelect(1));
    ASSERT_TRUE(sim->ok("error " + kFunction + " genErr set"));
    const size_t mark = sim->logSize();
    p.Bt_Apply->userClick();
    const auto w = sets(mark);
    ASSERT_EQ(w.size(), 1u);
    EXPECT_EQ(w[0].asked, kFunction);
    EXPECT_EQ(p.waiting(), nullptr);
}

// A dynamic pool that could not be read shows no values of the device: its Apply is not offered,
// so none are written over the pool the device holds; the static tab still writes the switch. A
// read that succeeds offers it again.
TEST_F(DhcpTest, UnreadDynamicPoolIsNotWritten) {
    const std::string kDomain = E + "2.7.2.7.0";
    ASSERT_TRUE(startServer(1));
    ASSERT_TRUE(sim->ok("set " + kDomain + " s lab.example"));
    ASSERT_TRUE(sim->ok("error " + kDomain + " noSuchName get"));
    TFM_DHCP& p = open();
    EXPECT_NE(p.Ed_IPAF->text(), u"127.0.0.100");
    EXPECT_FALSE(p.Bt_Apply->enabled());
    EXPECT_TRUE(p.StaticApply->enabled());
    // Even with every field the read left without a value typed again, the domain it never read
    // would go out empty.
    p.Ed_IPAF->setText(QStringLiteral("127.0.0.100"));
    p.Ed_PoolRan->setText(QStringLiteral("20"));
    p.Ed_Lease->setText(QStringLiteral("60"));
    for (forms::Edit* e : {p.Ed_SubMask, p.Ed_Gateway, p.Ed_Wins, p.Ed_DNS}) e->setText(QString());
    p.Ed_SubMask->setText(QStringLiteral("255.0.0.0"));
    p.Ed_Gateway->setText(QStringLiteral("127.0.0.254"));
    ASSERT_TRUE(p.CB_Status->userSelect(0));
    const size_t mark = sim->logSize();
    p.Bt_ApplyClick(p.Bt_Apply);
    EXPECT_EQ(written(mark), std::vector<std::string>{});
    EXPECT_EQ(stored(kDomain), "ok s \"lab.example\"");

    ASSERT_TRUE(sim->ok("error " + kDomain + " off"));
    p.Bt_RefreshClick(p.Bt_Refresh);
    EXPECT_EQ(p.Ed_IPAF->text(), u"127.0.0.100");
    EXPECT_EQ(p.Ed_DomNa->text(), u"lab.example");
    EXPECT_TRUE(p.Bt_Apply->enabled());
}

// A new entry, nobody answering on its address: the switch, then the first free row, then the
// pool is listed again.
TEST_F(DhcpTest, AddWritesTheFirstFreeRow) {
    ASSERT_TRUE(startServer(2)) << sim->error();
    TFM_DHCP& p = open(true);
    fillAndApply({"192.168.5.20", "00AA00BB00CC", "255.255.255.0", "192.168.5.1", "", "", "lab2", 1});
    prober.silent("192.168.5.20");
    answerOnlyAfterTheRestartTick();
    const size_t mark = sim->logSize();
    ASSERT_TRUE(p.Bt_Add->userClick());
    EXPECT_TRUE(passedRestartTick);
    EXPECT_EQ(prober.asked, std::vector<std::string>{"192.168.5.20"});
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(p.staticIP()->caption(), u"Static IP Pool Adding");
    std::vector<std::string> expected = {"2.7.1.0=1"};
    for (auto& s : rowWrite(3, {"192.168.5.20", "00AA00BB00CC", "255.255.255.0", "192.168.5.1", "0.0.0.0",
                                "0.0.0.0", "lab2", "1"}))
        expected.push_back(s);
    EXPECT_EQ(written(mark), expected);
    ASSERT_TRUE(waitFor([&] { return !p.requestsBusy() && p.User_ListView->itemCount() == 3; }));
    EXPECT_EQ(p.User_ListView->item(2)->subItem(0), u"192.168.5.20");
}

// A PC that cannot probe says so; the entry is then written.
TEST_F(DhcpTest, AddressThatCannotBeProbedIsSaidThenWritten) {
    ASSERT_TRUE(startServer(2)) << sim->error();
    TFM_DHCP& p = open(true);
    fillAndApply({"192.168.5.22", "00AA00BB00CD", "255.255.255.0", "192.168.5.1", "", "", "", 1});
    prober.cannotProbe("192.168.5.22");
    const size_t mark = sim->logSize();
    ASSERT_TRUE(p.Bt_Add->userClick());
    EXPECT_EQ(prober.asked, std::vector<std::string>{"192.168.5.22"});
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].text.startsWith(u"The address could not be checked")) << boxes[0].text.toStdString();
    EXPECT_EQ(boxes[0].caption, u"QMX-7240NT");
    const std::vector<std::string> w = written(mark);
    EXPECT_NE(std::find(w.begin(), w.end(), "2.7.3.1.1.3=192.168.5.22"), w.end());
}

// The pool keeps one entry per MAC: the row holding it, whatever the case of its letters, takes it.
TEST_F(DhcpTest, AddWithAMacHeldElsewhereReplacesThatRow) {
    ASSERT_TRUE(startServer(2)) << sim->error();
    TFM_DHCP& p = open(true);
    fillAndApply({"192.168.5.21", "000a0b0c0d02", "255.255.255.0", "192.168.5.1", "", "", "", 1});
    prober.silent("192.168.5.21");
    const size_t mark = sim->logSize();
    p.Bt_Add->userClick();
    EXPECT_TRUE(boxes.empty());
    std::vector<std::string> expected = rowWrite(2, kFreeRow);
    expected.push_back("2.7.1.0=1");
    for (auto& s : rowWrite(2, {"192.168.5.21", "000A0B0C0D02", "255.255.255.0", "192.168.5.1", "0.0.0.0",
                                "0.0.0.0", "", "1"}))
        expected.push_back(s);
    EXPECT_EQ(written(mark), expected);
    EXPECT_EQ(stored(kStaticRow + "1.3"), "ok a 0.0.0.0");
}

struct BadEntry {
    const char* name;
    StaticipRules::Entry entry;
    const char* message;
    const char* caption;
    bool probed;  // the entry's address is probed (and answers)
};
void PrintTo(const BadEntry& b, std::ostream* os) {
    *os << b.name;
}

class StaticipChecks : public DhcpTest, public ::testing::WithParamInterface<BadEntry> {};

TEST_P(StaticipChecks, RefusesWithItsBoxAndWritesNothing) {
    const BadEntry& c = GetParam();
    ASSERT_TRUE(startServer(2)) << sim->error();
    TFM_DHCP& p = open(true);
    fillAndApply(c.entry);
    // The address would answer: only the checks that come after the probe see it.
    const std::string address = c.entry.ip.toStdString();
    prober.answers(address);
    const size_t mark = sim->logSize();
    p.Bt_Add->userClick();
    EXPECT_EQ(prober.asked, c.probed ? std::vector<std::string>{address} : std::vector<std::string>{});
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QString::fromUtf8(c.message));
    EXPECT_EQ(boxes[0].caption, QString::fromUtf8(c.caption));
    EXPECT_TRUE(sets(mark).empty());
}

// A host answering on the address: it is taken.
const BadEntry kBadEntries[] = {
    {"Duplicate",
     {"127.0.0.12", "00AA00BB00CC", "255.0.0.0", "127.0.0.254", "", "", "", 1},
     "Reject: The IP has already existed. ",
     "Warning",
     false},
    {"Address",
     {"127.0.0.0", "00AA00BB00CC", "255.0.0.0", "127.0.0.254", "", "", "", 1},
     "Invalid IP Address",
     "Waring",
     false},
    {"FreeMac",
     {"192.168.5.30", "000000000000", "255.0.0.0", "127.0.0.254", "", "", "", 1},
     "Please input valid MAC.",
     "Warning",
     false},
    {"ShortMac",
     {"192.168.5.30", "00AA00BB00C", "255.0.0.0", "127.0.0.254", "", "", "", 1},
     "Please input valid MAC.",
     "Warning",
     false},
    {"Mask",
     {"192.168.5.30", "00AA00BB00CC", "0.0.0.0", "127.0.0.254", "", "", "", 1},
     "Invalid Subnet Mask.",
     "Waring",
     false},
    {"Gateway",
     {"192.168.5.30", "00AA00BB00CC", "255.0.0.0", "", "", "", "", 1},
     "Invalid Gateway.",
     "Waring",
     false},
    {"Answers",
     {"127.0.0.77", "00AA00BB00CC", "255.0.0.0", "127.0.0.254", "", "", "", 1},
     "Reject: The IP already has been used.",
     "Warning",
     true},
};

INSTANTIATE_TEST_SUITE_P(Table, StaticipChecks, ::testing::ValuesIn(kBadEntries),
                         [](const auto& info) { return std::string(info.param.name); });

// On an address nobody answers on, so that the probe lets it through.
TEST_F(DhcpTest, ChangingOnlyTheMacIsRefusedAndRestored) {
    prober.silent("192.168.5.40");
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("static-pool 2"));
    ASSERT_TRUE(sim->ok("set " + kStaticRow + "1.1 a 192.168.5.40"));
    ASSERT_TRUE(sim->ok("set " + kFunction + " i 1"));
    TFM_DHCP& p = open(true);
    p.User_ListView->setSelected(p.User_ListView->item(0));
    TFM_StaticIP* d = p.staticIP();
    QString macAfter;
    whenShown(d, [&] {
        d->Ed_AsgMac->setText(QStringLiteral("00AA00BB00CC"));
        d->Apply->userClick();
        macAfter = d->Ed_AsgMac->text();
        d->setModalResult(forms::mrCancel);
    });
    const size_t mark = sim->logSize();
    p.Bt_Set->userClick();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, u"Reject: DHCPS static IP already exists in static DHCP server!");
    EXPECT_EQ(boxes[0].caption, u"Warning");
    EXPECT_EQ(d->caption(), u"Static IP Pool Setting");
    EXPECT_EQ(macAfter, u"000A0B0C0D01");
    EXPECT_EQ(prober.asked, std::vector<std::string>{"192.168.5.40"});
    EXPECT_TRUE(sets(mark).empty());
}

// Del empties the entry's row and lists the pool again; it never restarts the device.
TEST_F(DhcpTest, DelEmptiesTheRowWithoutARestart) {
    ASSERT_TRUE(startServer(3)) << sim->error();
    TFM_DHCP& p = open(true);
    p.User_ListView->setSelected(p.User_ListView->item(1));
    answerOnlyAfterTheRestartTick();
    const size_t mark = sim->logSize();
    p.Bt_Del->userClick();
    EXPECT_TRUE(passedRestartTick);
    ASSERT_TRUE(waitFor([&] { return !p.requestsBusy() && p.User_ListView->itemCount() == 2; }));
    EXPECT_EQ(written(mark), rowWrite(2, kFreeRow));
    EXPECT_EQ(stored(kStaticRow + "2.2"), "ok x 000000000000");
    EXPECT_EQ(p.User_ListView->item(1)->subItem(0), u"127.0.0.13");
    EXPECT_TRUE(boxes.empty());
}

// While the pool is listed again after a Del, its rows are not all there: Add waits for the list
// rather than choose a free row, or find none, among the rows listed so far. A long pool on a slow
// device: the list is still coming when Del's waiting dialog has ended.
TEST_F(DhcpTest, AddWhileThePoolIsListedDoesNothing) {
    ASSERT_TRUE(startServer(3, 40)) << sim->error();
    TFM_DHCP& p = open(true);
    p.User_ListView->setSelected(p.User_ListView->item(1));
    ASSERT_TRUE(sim->ok("delay 300"));
    p.Bt_Del->userClick();
    ASSERT_TRUE(p.reqStatic->busy);
    ASSERT_TRUE(p.Bt_Add->isEnabled());
    bool dialogShown = false;
    TFM_StaticIP* d = p.staticIP();
    whenShown(d, [&] {
        dialogShown = true;
        d->setModalResult(forms::mrCancel);
    });
    const size_t mark = sim->logSize();
    p.Bt_Add->userClick();
    EXPECT_FALSE(dialogShown);
    EXPECT_TRUE(boxes.empty()) << boxes.front().text.toStdString();
    ASSERT_TRUE(sim->ok("delay 0"));
    ASSERT_TRUE(waitFor([&] { return !p.requestsBusy(); }));
    EXPECT_TRUE(sets(mark).empty());
}

TEST_F(DhcpTest, FullPoolRefusesAdd) {
    ASSERT_TRUE(startServer(8)) << sim->error();
    TFM_DHCP& p = open(true);
    const size_t mark = sim->logSize();
    p.Bt_Add->userClick();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, u"The static pool is full!");
    EXPECT_EQ(boxes[0].caption, u"Warning");
    EXPECT_FALSE(p.staticIP()->isVisible());
    EXPECT_TRUE(sets(mark).empty());
}

// Closing while a walk runs hides the page at once and closes it when the walk has ended: answered
// late, or not at all.
class DhcpClosing : public DhcpTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(DhcpClosing, WaitsForTheWalkThenCloses) {
    ASSERT_TRUE(startSim()) << sim->error();
    TFM_DHCP& p = open();
    bool hiddenWhileBusy = false;
    bool closedEarly = false;
    QTimer::singleShot(0, [&] {
        ASSERT_TRUE(sim->ok(GetParam()));
        p.Bt_RefreshStaticPoolClick(nullptr);
        ASSERT_TRUE(p.reqCurStatic->busy);
        p.close();
        QTimer::singleShot(50, [&] {
            hiddenWhileBusy = !p.isVisible() && p.reqCurStatic->busy;
            closedEarly = !p.reqCurStatic->busy;
        });
    });
    QElapsedTimer clock;
    clock.start();
    p.showModal();
    EXPECT_TRUE(hiddenWhileBusy);
    EXPECT_FALSE(closedEarly);
    EXPECT_FALSE(p.requestsBusy());
    EXPECT_EQ(p.staticIP(), nullptr);
    EXPECT_LT(clock.elapsed(), 15000);
}

INSTANTIATE_TEST_SUITE_P(Table, DhcpClosing, ::testing::Values("delay 400 4", "silence 20000"),
                         [](const auto& info) {
                             return std::string(info.index == 0 ? "SlowWalk" : "WalkTimesOut");
                         });

TEST_F(DhcpTest, MenuOpensThePageFromAdvanced) {
    bool found = false;
    for (const auto& e : HvPages())
        if (std::string(e.item) == "adDHCPServer2") {
            found = true;
            EXPECT_EQ(e.menu, HvTopMenu::Advanced);
            EXPECT_STREQ(e.caption, "DHCP Server");
        }
    EXPECT_TRUE(found);
}

}  // namespace
