// The LAN page against the device simulator over real UDP on loopback: what it shows, what its checks
// refuse, what each Apply writes and in which order, and the waiting dialogs that follow.

#include <gtest/gtest.h>

#include <QPointer>
#include <QTimer>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "module/Wait.h"
#include "pages/Pages.h"
#include "pages/admin/Lan.h"
#include "platform/forms/Forms.h"
#include "tests/NamedRows.h"
#include "tests/support/PageUnderTest.h"

namespace {

const std::string E = "1.3.6.1.4.1.47011.11.37.4.";
const std::string kGetIPFrom = E + "1.2.1.0";
const std::string kIPAddress = E + "1.2.2.0";
const std::string kPoolStart = E + "2.7.2.1.0";
const std::string kPoolRange = E + "2.7.2.2.0";
const std::string kStaticIP = E + "2.7.3.1.1";
const std::string kClusterAction = E + "2.12.1.1.1.2.1";

// The LAN objects and the two restart commands (the page's, the waiting dialog's); the waiting dialog's own
// reads are not the page's.
bool lanObject(const std::string& oid) {
    for (const char* p : {"1.2.", "3.2.1", "3.3.5", "2.7.", "2.12.1.1.1."})
        if (oid.rfind(E + p, 0) == 0) return true;
    return false;
}

// The waiting dialogs a click showed, by their two lines.
struct Shown {
    QString label2, label3;
    bool operator==(const Shown&) const = default;
};
void PrintTo(const Shown& s, std::ostream* os) {
    *os << "[" << s.label2.toStdString() << " | " << s.label3.toStdString() << "]";
}

class LanTest : public PageUnderTest<TFM_LanCfg> {
protected:
    void SetUp() override {
        PageUnderTest::SetUp();
        setFilter = [](const SimLogLine& l) { return lanObject(l.asked); };
    }

    // Opens the page and waits for its asynchronous reads.
    TFM_LanCfg& open() {
        TFM_LanCfg& p = makePage();
        waitFor([&] { return !p.reqPool->busy && !p.reqCluster->busy; });
        return p;
    }

    // Clicks Apply and notes each waiting dialog it shows. A dialog is known by a guarded pointer: the
    // next one may be made where the last one was freed.
    std::vector<Shown> apply() {
        std::vector<Shown> shown;
        QPointer<TFM_Waiting> last;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            TFM_Waiting* w = page->waiting();
            if (w && w != last.data()) {
                last = w;
                shown.push_back({w->Label2->caption(), w->Label3->caption()});
            }
        });
        watch.start(1);
        page->BT_LanCfgOk->userClick();
        return shown;
    }

    std::vector<std::string> written(size_t from) const { return setLog(from, E); }
    int reads(size_t from, const std::string& oid, const std::string& op = "GET") const {
        int n = 0;
        for (const auto& l : sim->requests(from)) n += l.op == op && l.asked.rfind(oid, 0) == 0;
        return n;
    }
};

TEST_F(LanTest, OpensWithTheDeviceValues) {
    ASSERT_TRUE(startSim()) << sim->error();
    TFM_LanCfg& p = open();
    EXPECT_EQ(p.caption(), u"Home \\ LAN");
    EXPECT_EQ(p.CB_IPFrom->text(), u"Static (Manual)");
    EXPECT_EQ(p.ED_IpAddr->text(), u"127.0.0.1");
    EXPECT_EQ(p.ED_SubMask->text(), u"255.0.0.0");
    EXPECT_EQ(p.ED_DefGw->text(), u"127.0.0.254");
    EXPECT_EQ(p.Ed_IPAF->text(), u"127.0.0.100");
    EXPECT_EQ(p.Ed_PoolRan->text(), u"50");
    EXPECT_EQ(p.CB_Clus->text(), u"Escape");
    EXPECT_EQ(p.savedAddress(), u"127.0.0.1");
    EXPECT_EQ(p.savedMode(), 0);
    EXPECT_TRUE(p.ED_IpAddr->visible());
    EXPECT_TRUE(p.CB_IPFrom->enabled());
    EXPECT_TRUE(p.ED_IpAddr->enabled());
    EXPECT_EQ(p.ED_IpAddr->maxLength(), 15);
    // The static pool is read only when an address is checked against it.
    EXPECT_EQ(reads(0, E + "2.7.3.", "GETNEXT"), 0);
    EXPECT_TRUE(boxes.empty());

    // Choosing DHCP hides the address fields, and Static shows them again.
    ASSERT_TRUE(p.CB_IPFrom->userSelect(1));
    for (auto* c : {p.ED_IpAddr, p.ED_SubMask, p.ED_DefGw}) EXPECT_FALSE(c->visible());
    EXPECT_FALSE(p.LA_IPAddress->visible());
    ASSERT_TRUE(p.CB_IPFrom->userSelect(0));
    for (auto* c : {p.ED_IpAddr, p.ED_SubMask, p.ED_DefGw}) EXPECT_TRUE(c->visible());
}

TEST_F(LanTest, JoinedDeviceLocksTheAddressSource) {
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("set " + kClusterAction + " i 1"));
    TFM_LanCfg& p = open();
    EXPECT_EQ(p.CB_Clus->text(), u"Join");
    EXPECT_FALSE(p.CB_IPFrom->enabled());
    EXPECT_FALSE(p.ED_IpAddr->enabled());
    EXPECT_TRUE(p.ED_SubMask->enabled());
}

TEST_F(LanTest, DeviceOnDhcpOpensWithTheFieldsHidden) {
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("set " + kGetIPFrom + " i 2"));
    TFM_LanCfg& p = open();
    EXPECT_EQ(p.CB_IPFrom->text(), u"Dynamic (DHCP)");
    EXPECT_EQ(p.savedMode(), 1);
    EXPECT_FALSE(p.ED_IpAddr->visible());
    EXPECT_FALSE(p.LA_DefGW->visible());
}

struct BadField {
    const char* name;
    const char* field;  // the edit typed into
    const char* text;
    const char* message;
    bool emptied;  // the edit is emptied; else the device's value is read back
    bool focus;    // ED_IpAddr gets the focus
    bool probed;   // the address typed is probed (and answers)
};
void PrintTo(const BadField& b, std::ostream* os) {
    *os << b.name;
}

class LanChecks : public LanTest, public ::testing::WithParamInterface<BadField> {};

TEST_P(LanChecks, RefusesWithItsBoxAndWritesNothing) {
    const BadField& c = GetParam();
    // A dynamic pool of 192.168.0.100 to .119.
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("set " + kPoolStart + " a 192.168.0.100"));
    ASSERT_TRUE(sim->ok("set " + kPoolRange + " i 20"));
    TFM_LanCfg& p = open();
    p.show();
    auto* edit = forms::findControl<forms::Edit>(&p, c.field);
    ASSERT_NE(edit, nullptr);
    edit->setText(QString::fromUtf8(c.text));
    // The address would answer: only the checks that come after the probe see it.
    const std::string address = p.ED_IpAddr->text().toStdString();
    prober.answers(address);
    const size_t mark = sim->logSize();
    const std::vector<Shown> shown = apply();

    EXPECT_EQ(prober.asked, c.probed ? std::vector<std::string>{address} : std::vector<std::string>{});
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QString::fromUtf8(c.message));
    EXPECT_EQ(boxes[0].caption, u"Warning");
    EXPECT_EQ(boxes[0].buttons, forms::MB_OK);
    if (c.emptied) {
        EXPECT_EQ(edit->text(), u"");
        EXPECT_EQ(reads(mark, kIPAddress), 0);
    } else {
        EXPECT_EQ(p.ED_IpAddr->text(), u"127.0.0.1");
        EXPECT_GE(reads(mark, kIPAddress), 1);
    }
    EXPECT_EQ(p.ED_IpAddr->focused(), c.focus);
    EXPECT_TRUE(sets(mark).empty());
    EXPECT_TRUE(shown.empty());
}

// A host answering on the new address: it is already taken.
const BadField kBadFields[] = {
    {"Address", "ED_IpAddr", "192.168.0.300", "Please input valid IP Address.", true, false, false},
    {"AddressBroadcast", "ED_IpAddr", "192.168.0.255", "Please input valid IP Address.", true, false, false},
    {"Mask", "ED_SubMask", "255.0.255.0", "Please input valid Subnet Mask.", true, false, false},
    {"Gateway", "ED_DefGw", "0.0.0.0", "Please input valid Gateway.", true, false, false},
    {"PoolFirst", "ED_IpAddr", "192.168.0.100", "Reject: The IP conflicts with Dynamic DHCP Server IP", false,
     false, false},
    {"PoolLast", "ED_IpAddr", "192.168.0.119", "Reject: The IP conflicts with Dynamic DHCP Server IP", false,
     false, false},
    {"Answers", "ED_IpAddr", "127.0.0.77", "Reject: The IP already has been used.", false, true, true},
};

INSTANTIATE_TEST_SUITE_P(Table, LanChecks, ::testing::ValuesIn(kBadFields),
                         [](const auto& info) { return std::string(info.param.name); });

// An address just past the pool, nobody answering on it: probed, checked against the whole static
// pool behind the judging wait, then written without a restart command of its own.
TEST_F(LanTest, NewStaticAddressIsCheckedThenWritten) {
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("set " + kPoolStart + " a 192.168.0.100"));
    ASSERT_TRUE(sim->ok("set " + kPoolRange + " i 20"));
    ASSERT_TRUE(sim->ok("static-pool 3"));
    TFM_LanCfg& p = open();
    p.ED_IpAddr->setText(QStringLiteral("192.168.0.120"));
    p.ED_SubMask->setText(QStringLiteral("255.255.255.0"));
    p.ED_DefGw->setText(QStringLiteral("192.168.0.1"));
    prober.silent("192.168.0.120");
    const size_t mark = sim->logSize();
    const std::vector<Shown> shown = apply();

    EXPECT_EQ(prober.asked, std::vector<std::string>{"192.168.0.120"});
    EXPECT_TRUE(boxes.empty());
    // Every row of the pool, and the end of the table, before the write.
    EXPECT_EQ(reads(mark, kStaticIP, "GETNEXT"), 9);
    EXPECT_EQ(p.Static_ListView->itemCount(), 8);
    const std::vector<std::string> w = written(mark);
    ASSERT_GE(w.size(), 5u);
    EXPECT_EQ(std::vector<std::string>(w.begin(), w.begin() + 5),
              (std::vector<std::string>{"1.2.1.0=1", "1.2.2.0=192.168.0.120", "1.2.3.0=255.255.255.0",
                                        "1.2.4.0=192.168.0.1", "3.2.1.0=0"}));
    EXPECT_EQ(p.StatusBar->simpleText(), u"Set Success!");
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], (Shown{"Please wait...", "Judge the IP whether can be used."}));
    EXPECT_EQ(shown[1].label3, u"The system IP will be 192.168.0.120");
    EXPECT_NE(shown[1].label2, u"The device is restarting.");
    // The dialog after the write restarts the device.
    EXPECT_EQ(w.back(), "3.3.5.0=4");
    EXPECT_EQ(w.size(), 6u);
}

// A PC that cannot probe says so; the address is then checked against the static pool and written.
TEST_F(LanTest, AddressThatCannotBeProbedIsSaidThenWritten) {
    ASSERT_TRUE(startSim()) << sim->error();
    TFM_LanCfg& p = open();
    p.ED_IpAddr->setText(QStringLiteral("127.0.0.60"));
    prober.cannotProbe("127.0.0.60");
    const size_t mark = sim->logSize();
    const std::vector<Shown> shown = apply();

    EXPECT_EQ(prober.asked, std::vector<std::string>{"127.0.0.60"});
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].text.startsWith(u"The address could not be checked")) << boxes[0].text.toStdString();
    EXPECT_EQ(boxes[0].caption, u"QMX-7240NT");
    EXPECT_GE(reads(mark, kStaticIP, "GETNEXT"), 1);
    const std::vector<std::string> w = written(mark);
    ASSERT_GE(w.size(), 2u);
    EXPECT_EQ(w[1], "1.2.2.0=127.0.0.60");
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].label3, u"The system IP will be 127.0.0.60");
}

// An address the static pool reserves, on a host that does not answer: refused after the walk.
TEST_F(LanTest, AddressOfTheStaticPoolIsRefused) {
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("static-pool 3"));
    ASSERT_TRUE(sim->ok("set " + kStaticIP + ".3 a 192.168.7.50"));
    TFM_LanCfg& p = open();
    p.ED_IpAddr->setText(QStringLiteral("192.168.7.50"));
    prober.silent("192.168.7.50");
    const size_t mark = sim->logSize();
    const std::vector<Shown> shown = apply();
    EXPECT_EQ(prober.asked, std::vector<std::string>{"192.168.7.50"});
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, u"Reject: The IP conflicts with Static DHCP Server IP");
    EXPECT_EQ(boxes[0].caption, u"Warning");
    EXPECT_EQ(p.ED_IpAddr->text(), u"127.0.0.1");
    EXPECT_TRUE(sets(mark).empty());
    EXPECT_EQ(shown.size(), 1u);
}

// A static pool that cannot be read is no pool without the address: nothing is written.
TEST_F(LanTest, UnreadableStaticPoolRefuses) {
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("error " + kStaticIP + ".1 genErr next"));
    TFM_LanCfg& p = open();
    p.ED_IpAddr->setText(QStringLiteral("192.168.7.51"));
    prober.silent("192.168.7.51");
    const size_t mark = sim->logSize();
    apply();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, u"Reject: The static DHCP pool could not be read.");
    EXPECT_TRUE(sets(mark).empty());
}

// Closing the page while the static pool is still read gives up the Apply at once: the page closes
// with the walk still out, and nothing is written, then or when the walk ends.
TEST_F(LanTest, CancelWhileThePoolIsReadWritesNothing) {
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("static-pool 2"));
    TFM_LanCfg& p = open();
    p.ED_IpAddr->setText(QStringLiteral("192.168.7.52"));
    prober.silent("192.168.7.52");
    size_t mark = 0;
    bool cancelled = false;
    QTimer::singleShot(0, [&] {
        mark = sim->logSize();
        // The walk answers slowly; Cancel once the judging wait is over and the walk still runs.
        auto* poll = new QTimer(&p);
        QObject::connect(poll, &QTimer::timeout, [&, poll] {
            if (!p.reqStatic->busy || p.waiting()) return;
            poll->stop();
            cancelled = p.BT_LanCfgCancel->userClick();
        });
        poll->start(5);
        ASSERT_TRUE(sim->ok("delay 300 9"));
        p.BT_LanCfgOk->userClick();
    });
    p.showModal();
    EXPECT_TRUE(cancelled);
    EXPECT_TRUE(p.reqStatic->busy);
    ASSERT_TRUE(waitFor([&] { return !p.reqStatic->busy; }));
    EXPECT_TRUE(sets(mark).empty());
    EXPECT_TRUE(boxes.empty());
}

// Leaving DHCP for the address the device holds: no probe, no walk; the write asks for the restart.
TEST_F(LanTest, FromDhcpToStaticRestartsWithTheNewSettings) {
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("set " + kGetIPFrom + " i 2"));
    TFM_LanCfg& p = open();
    ASSERT_TRUE(p.CB_IPFrom->userSelect(0));
    const size_t mark = sim->logSize();
    const std::vector<Shown> shown = apply();
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(prober.asked.empty());
    EXPECT_EQ(reads(mark, E + "2.7.3.", "GETNEXT"), 0);
    const std::vector<std::string> w = written(mark);
    EXPECT_EQ(w, (std::vector<std::string>{"1.2.1.0=1", "1.2.2.0=127.0.0.1", "1.2.3.0=255.0.0.0",
                                           "1.2.4.0=127.0.0.254", "3.2.1.0=1", "3.3.5.0=4"}));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], (Shown{"The device is restarting.", "The system IP will be 127.0.0.1"}));
}

TEST_F(LanTest, DhcpWritesTheSourceAndTheDialogRestarts) {
    ASSERT_TRUE(startSim()) << sim->error();
    TFM_LanCfg& p = open();
    ASSERT_TRUE(p.CB_IPFrom->userSelect(1));
    answers = {forms::IDCANCEL};
    size_t mark = sim->logSize();
    apply();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, u"Device will reboot,continue?");
    EXPECT_EQ(boxes[0].caption, u"Warning");
    EXPECT_EQ(boxes[0].buttons, forms::MB_OKCANCEL);
    EXPECT_TRUE(sets(mark).empty());

    mark = sim->logSize();
    const std::vector<Shown> shown = apply();
    const auto s = sets(mark);
    ASSERT_EQ(s.size(), 3u);
    // One PDU with the source and a restart command that restarts nothing; the dialog restarts.
    EXPECT_EQ(s[0].reqId, s[1].reqId);
    EXPECT_EQ(written(mark), (std::vector<std::string>{"1.2.1.0=2", "3.2.1.0=0", "3.3.5.0=4"}));
    EXPECT_EQ(p.StatusBar->simpleText(), u"Set Success!");
    EXPECT_EQ(shown.size(), 1u);
}

TEST_F(LanTest, JoinedDeviceAsksBeforeTheWaitingDialog) {
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("set " + kGetIPFrom + " i 2"));
    ASSERT_TRUE(sim->ok("set " + kClusterAction + " i 1"));
    TFM_LanCfg& p = open();
    // The address source is locked; the user may still apply the settings shown.
    ASSERT_EQ(p.CB_IPFrom->itemIndex(), 1);
    answers = {forms::IDOK, forms::IDCANCEL};
    const size_t mark = sim->logSize();
    const std::vector<Shown> shown = apply();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(
        boxes[1].text,
        u"Do you want reboot now?\nIf you choose 'Cancel',please reboot AP when you complete settings!");
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(written(mark), (std::vector<std::string>{"1.2.1.0=2", "3.2.1.0=0"}));
    // The AP-domain state is read again after Cancel too.
    EXPECT_TRUE(waitFor([&] { return reads(mark, kClusterAction) >= 1; }, 3000));
}

TEST_F(LanTest, FailedWriteShowsSetErrorAndNoDialog) {
    ASSERT_TRUE(startSim()) << sim->error();
    TFM_LanCfg& p = open();
    ASSERT_TRUE(sim->ok("error " + kIPAddress + " genErr set"));
    const size_t mark = sim->logSize();
    const std::vector<Shown> shown = apply();
    EXPECT_EQ(p.StatusBar->simpleText(), u"Set Error!");
    EXPECT_TRUE(shown.empty());
    // The address the device holds is not probed.
    EXPECT_TRUE(prober.asked.empty());
    for (const auto& l : sets(mark)) EXPECT_NE(l.status, "ok") << l.asked;
    EXPECT_TRUE(boxes.empty());
}

// A DHCP write leaves the address items out of that write only: a later refusal still reads the
// device's address, mask and gateway back into the fields, whether the write was taken or refused.
struct DhcpWrite {
    const char* name;
    bool refused;  // the device refuses the write
    const char* status;
};
using hvtest::PrintTo;

class LanAfterDhcp : public LanTest, public ::testing::WithParamInterface<DhcpWrite> {};

TEST_P(LanAfterDhcp, RefusalReadsTheAddressFieldsAgain) {
    const DhcpWrite& c = GetParam();
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("set " + kPoolStart + " a 192.168.0.100"));
    ASSERT_TRUE(sim->ok("set " + kPoolRange + " i 20"));
    // The restart the waiting dialog sends leaves the device answering at once.
    ASSERT_TRUE(sim->ok("restart-time 0"));
    if (c.refused) {
        ASSERT_TRUE(sim->ok("error " + kGetIPFrom + " genErr set"));
    }
    TFM_LanCfg& p = open();
    ASSERT_TRUE(p.CB_IPFrom->userSelect(1));
    apply();
    ASSERT_EQ(p.StatusBar->simpleText(), QString::fromUtf8(c.status));
    ASSERT_EQ(boxes.size(), 1u);

    // Back to Static with an address of the dynamic pool: refused, and the fields read again.
    ASSERT_TRUE(p.CB_IPFrom->userSelect(0));
    p.ED_IpAddr->setText(QStringLiteral("192.168.0.100"));
    p.ED_SubMask->setText(QStringLiteral("255.255.255.0"));
    p.ED_DefGw->setText(QStringLiteral("192.168.0.1"));
    const size_t mark = sim->logSize();
    apply();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, u"Reject: The IP conflicts with Dynamic DHCP Server IP");
    EXPECT_GE(reads(mark, kIPAddress), 1);
    EXPECT_EQ(p.ED_IpAddr->text(), u"127.0.0.1");
    EXPECT_EQ(p.ED_SubMask->text(), u"255.0.0.0");
    EXPECT_EQ(p.ED_DefGw->text(), u"127.0.0.254");
    EXPECT_TRUE(sets(mark).empty());
}

const DhcpWrite kDhcpWrites[] = {
    {"Taken", false, "Set Success!"},
    {"Refused", true, "Set Error!"},
};

INSTANTIATE_TEST_SUITE_P(Table, LanAfterDhcp, ::testing::ValuesIn(kDhcpWrites),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LanTest, MenuOpensThePageFromHome) {
    bool found = false;
    for (const auto& e : HvPages())
        if (std::string(e.item) == "hLan1") {
            found = true;
            EXPECT_EQ(e.menu, HvTopMenu::Home);
            EXPECT_STREQ(e.caption, "LAN");
        }
    EXPECT_TRUE(found);
}

}  // namespace
