// Bound controls against the device simulator over UDP on loopback: what the controls show after a
// read, and what the device receives after a write.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <algorithm>
#include <memory>
#include <ostream>
#include <string>

#include "BindFixture.h"
#include "library/HvException.h"
#include "library/HvSNMPSession.h"
#include "module/Misc.h"
#include "tests/sim/SimProcess.h"
#include "tests/support/WaitFor.h"

namespace {

using forms::CheckBox;
using forms::ComboBox;
using forms::Edit;
using forms::Label;

const std::string kSec = "1.3.6.1.4.1.47011.11.37.4.2.5.1.1.";
const std::string kMacColumn = "1.3.6.1.4.1.47011.11.37.4.2.4.2.1.2.1";

// The program's one SNMP session, started once in a folder of its own.
void startSession() {
    static bool started = [] {
        static QTemporaryDir dir;
        HvSNMPSession::initialize(dir.path().toStdString());
        return true;
    }();
    (void)started;
}

// A page-like form: the security scalars in synchronous mode, the system group, and the MAC filter
// table walked asynchronously into a list view whose selected row fills a hidden label and an edit.
class SimBindTest : public BindTest {
protected:
    void SetUp() override {
        BindTest::SetUp();
        ASSERT_TRUE(sim.start()) << sim.error();
        startSession();
        HvSNMPSession::defaults.address = sim.address();
        HvSNMPSession::defaults.port = static_cast<uint16_t>(sim.port());

        security = std::make_unique<HvSNMPRequest2Edits>(form.get());
        security->request.varList = HvSNMPVarList(kMibT027, SVT_SV, 0);
        security->mode = 0;
        security->addComboBox(0, auth);
        security->addCheckBox(1, encryption);
        security->addComboBox(2, validKey);
        security->addEdit(3, "%s{l63}", {passphrase});
        security->addComboBox(4, cipher);
        security->addEdit(5, "%u{n300x9999999}", {interval});
        interval->move(0, 40);
        passphrase->move(0, 80);

        system = std::make_unique<HvSNMPRequest2Edits>(form.get());
        system->request.varList = HvSNMPVarList(kMibT001, SVT_SV, 0);
        system->mode = 0;
        system->addLabel(0, descr);
        system->addEdit(4, "%s", {sysName});

        filter = std::make_unique<HvSNMPRequest2Edits>(form.get());
        filter->request.varList = HvSNMPVarList(kMibT023, MVT_FMV, 1);
        filter->addLabel(0, rowKey);
        filter->addEdit(1, "%h{l12}", {mac});
        rowKey->setVisible(false);
        filter->setListView(view, true);
    }
    void TearDown() override {
        security.reset();
        system.reset();
        filter.reset();
        BindTest::TearDown();
        sim.stop();
    }
    // The SET lines the simulator logged from line `from` on, as "OID TYPE VALUE".
    std::vector<std::string> setsSince(size_t from) const {
        std::vector<std::string> out;
        for (const SimLogLine& l : sim.requests(from))
            if (l.op == "SET") out.push_back(l.asked + " " + l.type + " " + l.value);
        return out;
    }

    SimProcess sim;
    ComboBox* auth = new ComboBox(form.get());
    CheckBox* encryption = new CheckBox(form.get());
    ComboBox* validKey = new ComboBox(form.get());
    Edit* passphrase = new Edit(form.get());
    ComboBox* cipher = new ComboBox(form.get());
    Edit* interval = new Edit(form.get());
    Label* descr = new Label(form.get());
    Edit* sysName = new Edit(form.get());
    forms::ListView* view = new forms::ListView(form.get());
    Label* rowKey = new Label(form.get());
    Edit* mac = new Edit(form.get());
    std::unique_ptr<HvSNMPRequest2Edits> security, system, filter;
};

TEST_F(SimBindTest, ReadShowsTheDevicesValuesInTheirTextForms) {
    ASSERT_TRUE(security->get());
    ASSERT_TRUE(system->get());
    EXPECT_EQ(auth->text(), "Open System");
    EXPECT_FALSE(encryption->checked());
    EXPECT_EQ(validKey->text(), "First");
    EXPECT_EQ(passphrase->text(), "");
    EXPECT_EQ(cipher->text(), "Auto");
    EXPECT_EQ(interval->text(), "300");
    EXPECT_EQ(descr->caption(), "QMX-7240NT Wireless Access Point");
    EXPECT_EQ(sysName->text(), "qmx-lab");
}

TEST_F(SimBindTest, WriteSendsExactlyTheItemsTheFlagsChoose) {
    ASSERT_TRUE(security->get());
    auth->userSelect(3);  // WPA-PSK, value 4
    encryption->userClick();
    passphrase->setText("open sesame");
    interval->setText("600");
    size_t from = sim.logSize();
    ASSERT_TRUE(security->set(false, true));
    EXPECT_EQ(setsSince(from), (std::vector<std::string>{kSec + "1.1.0 i 4", kSec + "2.1.0 i 1",
                                                         kSec + "3.1.0 i 1", kSec + "4.1.0 s open sesame",
                                                         kSec + "5.1.0 i 1", kSec + "6.1.0 i 600"}));
    EXPECT_EQ(sim.command("get " + kSec + "4.1"), "ok s \"open sesame\"");

    // The page leaves out what it does not write: only the passphrase goes.
    for (int i : {0, 1, 2, 4, 5}) security->request.varList.item(i).access = HvAccess::Invalid;
    passphrase->setText("");
    from = sim.logSize();
    ASSERT_TRUE(security->set(false, true));
    EXPECT_EQ(setsSince(from), (std::vector<std::string>{kSec + "4.1.0 s "}));

    // Reading again shows what the device holds now.
    for (int i : {0, 1, 2, 4, 5}) security->request.varList.item(i).access = HvAccess::ReadWrite;
    ASSERT_TRUE(security->get());
    EXPECT_EQ(auth->text(), "WPA-PSK");
    EXPECT_TRUE(encryption->checked());
    EXPECT_EQ(interval->text(), "600");
}

TEST_F(SimBindTest, ConstraintsRefuseBadInputAndNothingIsSent) {
    ASSERT_TRUE(security->get());
    interval->userFocus();
    interval->userSelectAll();
    interval->userType("12x");
    EXPECT_EQ(interval->text(), "12");
    EXPECT_EQ(beeps, 1);
    passphrase->userFocus();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "(HvCommon) Please enter a number between 300 and 9999999!");
    EXPECT_EQ(interval->text(), "300") << "the device's value comes back";
    EXPECT_EQ(form->activeControl(), interval);

    // A value the device's field cannot hold is refused before anything goes out.
    security->request.varList.item(5).access = HvAccess::ReadWrite;
    interval->setText("99999999999");
    const size_t from = sim.logSize();
    try {
        security->set(false, true);
        ADD_FAILURE() << "no exception";
    } catch (const HvException& e) {
        EXPECT_EQ(e.helpContext(), -518);
    }
    EXPECT_TRUE(setsSince(from).empty());
    EXPECT_FALSE(security->busy);
}

TEST_F(SimBindTest, WalkedTableFillsTheListAndASelectedRowIsWrittenBack) {
    ASSERT_TRUE(sim.ok("set " + kMacColumn + ".3 x 0011223344AA"));
    ASSERT_TRUE(filter->get());
    ASSERT_TRUE(waitFor([&] { return !filter->busy; }));
    ASSERT_EQ(view->itemCount(), 8);
    EXPECT_EQ(view->item(0)->caption(), "1");
    EXPECT_EQ(view->item(0)->subItem(0), "000000000000");
    EXPECT_EQ(view->item(2)->subItem(0), "0011223344AA");
    EXPECT_FALSE(mac->enabled()) << "controls wait for a row";

    view->setItemIndex(2);
    EXPECT_TRUE(mac->enabled());
    EXPECT_EQ(rowKey->caption(), "3");
    EXPECT_EQ(mac->text(), "0011223344AA");

    mac->setText("a0b1c2d3e4f5");
    const size_t from = sim.logSize();
    ASSERT_TRUE(filter->set(true, true));
    ASSERT_TRUE(waitFor([&] { return !filter->busy && view->itemCount() == 8; }));
    EXPECT_EQ(setsSince(from), (std::vector<std::string>{kMacColumn + ".3 x A0B1C2D3E4F5"}));
    EXPECT_EQ(sim.command("get " + kMacColumn + ".3"), "ok x A0B1C2D3E4F5");
    // The re-read after the write shows the new row.
    ASSERT_TRUE(
        waitFor([&] { return view->itemCount() == 8 && view->item(2)->subItem(0) == "A0B1C2D3E4F5"; }));
}

TEST_F(SimBindTest, SilentDeviceLeavesTheControlsAsTheyWere) {
    ASSERT_TRUE(system->get());
    ASSERT_TRUE(sim.ok("silence 5000"));
    system->request.timeout = 20;
    system->request.retries = 0;
    EXPECT_FALSE(system->get());
    EXPECT_EQ(sysName->text(), "qmx-lab");
    EXPECT_EQ(descr->caption(), "QMX-7240NT Wireless Access Point");
    EXPECT_FALSE(system->busy);
}

struct FailedRead {
    const char* name;
    const char* fault;  // a control command for the simulator, or "" for a wrong community
    uint8_t mode;       // 0 synchronous, 1 asynchronous
    bool write;
};

void PrintTo(const FailedRead& c, std::ostream* os) {
    *os << c.name;
}

class FailedResultLine : public SimBindTest, public ::testing::WithParamInterface<FailedRead> {};

// An operation that fails under a device that is silent or refuses the community leaves its result
// line in the status bar, where it stays; the page's own message callback still hears of it.
TEST_P(FailedResultLine, StaysInTheStatusBar) {
    const FailedRead& c = GetParam();
    auto* bar = new forms::StatusBar(form.get());
    system->setStatusBar(bar);
    ASSERT_TRUE(system->get());
    bar->setSimpleText(QString());
    if (*c.fault) {
        ASSERT_TRUE(sim.ok(c.fault));
    } else {
        system->request.security.readCommunity = "wrong";
        system->request.security.writeCommunity = "wrong";
    }
    std::vector<int32_t> told;
    system->request.messageCallback = [&](HvSNMPError* e) { told.push_back(e->code); };
    system->request.timeout = 20;
    system->request.retries = 0;
    system->mode = c.mode;
    const bool ok = c.write ? system->set(false, true) : system->get();
    if (c.mode == 0) {
        EXPECT_FALSE(ok);
        EXPECT_EQ(told, std::vector<int32_t>{-405});
    }
    ASSERT_TRUE(waitFor([&] { return !system->busy; }));
    std::string message;
    int32_t code = 0;
    HvSNMPError::translate(HvSnmpStatus::Timeout, code, message);
    const QString expected =
        QString::fromStdString((c.write ? "Set: " : "Get: ") + message + ". Receive at ");
    EXPECT_TRUE(bar->simpleText().startsWith(expected)) << bar->simpleText().toStdString();
    // Nothing that runs after the operation blanks it.
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_TRUE(bar->simpleText().startsWith(expected)) << bar->simpleText().toStdString();
    EXPECT_EQ(sysName->text(), "qmx-lab");
}

INSTANTIATE_TEST_SUITE_P(Sim, FailedResultLine,
                         ::testing::Values(FailedRead{"SilentSyncGet", "silence 5000", 0, false},
                                           FailedRead{"WrongCommunitySyncGet", "", 0, false},
                                           FailedRead{"WrongCommunitySyncSet", "", 0, true},
                                           FailedRead{"SilentAsyncGet", "silence 5000", 1, false},
                                           FailedRead{"WrongCommunityAsyncSet", "", 1, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SimBindTest, ValueOutsideTheListIsWrittenBackUnchangedNotAsZero) {
    ASSERT_TRUE(sim.ok("set " + kSec + "5.1 i 7"));
    ASSERT_TRUE(security->get());
    EXPECT_EQ(cipher->itemIndex(), -1) << "7 is none of Auto, AES, TKIP";
    const size_t from = sim.logSize();
    ASSERT_TRUE(security->set(false, true));
    const std::vector<std::string> sets = setsSince(from);
    EXPECT_NE(std::find(sets.begin(), sets.end(), kSec + "5.1.0 i 7"), sets.end());
    EXPECT_EQ(sim.command("get " + kSec + "5.1"), "ok i 7");
}

TEST_F(SimBindTest, FailedAsynchronousSendStillEndsTheOperation) {
    // Loopback's broadcast: the kernel refuses to send without SO_BROADCAST.
    filter->request.device.address = "127.255.255.255";
    int done = 0;
    int code = 0;
    filter->onAsyncGetDone = [&](HvSNMPRequest2Controls*, HvSNMPError* e) {
        ++done;
        code = e->code;
    };
    EXPECT_TRUE(filter->get());
    ASSERT_TRUE(waitFor([&] { return !filter->busy; }));
    EXPECT_EQ(done, 1);
    EXPECT_NE(code, 0);
}

TEST_F(SimBindTest, ThrowingAfterSetCallbackLeavesThePumpRunning) {
    auto* bar = new forms::StatusBar(form.get());
    filter->setStatusBar(bar);
    ASSERT_TRUE(filter->get());
    ASSERT_TRUE(waitFor([&] { return !filter->busy; }));
    view->setItemIndex(0);
    filter->afterSetCallback = [] { throw HvException("page step failed", 0); };
    ASSERT_TRUE(filter->set(false, true));
    ASSERT_TRUE(waitFor([&] { return !filter->busy; }));
    EXPECT_EQ(bar->simpleText().left(22), "Set: page step failed.");
    filter->afterSetCallback = nullptr;
    int done = 0;
    filter->onAsyncGetDone = [&](HvSNMPRequest2Controls*, HvSNMPError*) { ++done; };
    ASSERT_TRUE(filter->get());
    ASSERT_TRUE(waitFor([&] { return done == 1; }));
    EXPECT_EQ(view->itemCount(), 8);
}

TEST_F(SimBindTest, DestroyedWithAnAnswerOutstanding) {
    ASSERT_TRUE(sim.ok("delay 300 1"));
    int rows = 0;
    filter->afterGetCallback = [&] { ++rows; };
    ASSERT_TRUE(filter->get());
    ASSERT_TRUE(filter->busy);
    filter.reset();
    for (int i = 0; i < 50; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(rows, 0);
    EXPECT_EQ(view->itemCount(), 0);
}

}  // namespace
