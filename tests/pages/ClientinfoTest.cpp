// The client information page against the device simulator over real UDP on loopback: the stations
// it lists after telling the device to collect them, how it follows the device's refills, what a
// refusing, silent or slow device leaves on it, and that its cycles never overlap and no answer
// reaches it once it is gone.

#include <gtest/gtest.h>

#include <QTimer>

#include <algorithm>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "library/HvSNMPRequest.h"
#include "library/HvSNMPSession.h"
#include "module/Main.h"
#include "pages/admin/Clientinfo.h"
#include "pages/admin/ClientinfoRules.h"
#include "platform/forms/Forms.h"
#include "tests/NamedRows.h"
#include "tests/support/PageFixture.h"
#include "tests/support/PageRow.h"

namespace {

using hvtest::PrintTo;
using namespace ClientinfoRules;

const std::string E = "1.3.6.1.4.1.47011.11.37.4.";
const std::string kTrigger = E + "4.5.1.1.1.1";
const std::string kClients = E + "4.5.2.1.";  // column c of row r: "c.r"

std::string cell(int column, int row) {
    return kClients + std::to_string(column) + "." + std::to_string(row);
}

bool isTrigger(const SimLogLine& l) {
    return l.op == "SET" && l.asked == kTrigger;
}
bool isTableRead(const SimLogLine& l) {
    return l.op == "GETNEXT" && l.asked.rfind(kClients, 0) == 0;
}

class ClientinfoTest : public PageTest {
protected:
    void SetUp() override {
        PageTest::SetUp();
        main = &idleMain();
    }
    void TearDown() override {
        page.reset();
        PageTest::TearDown();
    }

    // Makes the page (its first cycle starts at once) and waits until that cycle has ended.
    TClientInformation& open() {
        page = std::make_unique<TClientInformation>(*main);
        EXPECT_TRUE(waitFor([&] { return !page->cycleRunning(); }));
        return *page;
    }
    QStringList row(int i) const {
        forms::ListItem* r = page->User_ListView->item(i);
        return QStringList{r->caption()} + r->subItems();
    }
    // The trigger's sets and the walk's requests as the device saw them, one letter per request:
    // "T" the trigger, "W" a read of the client table.
    std::string requestOrder() const {
        std::string out;
        std::set<std::string> seen;
        for (const auto& l : sim->requests()) {
            if (!isTrigger(l) && !isTableRead(l)) continue;
            if (!seen.insert(l.reqId).second) continue;
            out += isTrigger(l) ? 'T' : 'W';
        }
        return out;
    }

    TMainForm* main = nullptr;
    std::unique_ptr<TClientInformation> page;
};

// Without SSID support: the trigger goes first, then the walk of the six-column table; every
// station shows with its codes as texts, and the SSID column takes no room.
TEST_F(ClientinfoTest, OpensWithTheDeviceClients) {
    ASSERT_TRUE(startSim()) << sim->error();
    TClientInformation& p = open();
    EXPECT_EQ(p.caption(), u"Status \\ Client Info");
    EXPECT_FALSE(p.ssidSupport);
    ASSERT_EQ(p.User_ListView->itemCount(), 3);
    // The device's first refill: MAC 00 22 33 01 55 r, band 1 + r % 2, signal 80 - 7r - 1.
    EXPECT_EQ(row(0), (QStringList{"1", "002233015501", "G", "Open System", "72  %", "Off"}));
    EXPECT_EQ(row(1), (QStringList{"2", "002233015502", "B", "Open System", "65  %", "Off"}));
    EXPECT_EQ(row(2), (QStringList{"3", "002233015503", "G", "Open System", "58  %", "Off"}));
    EXPECT_EQ(p.User_ListView->columnWidth(6), 0);
    EXPECT_EQ(p.NumOfRecord->caption(), u"3");
    EXPECT_EQ(p.clientBusy, 0);

    EXPECT_TRUE(hasSet(0, kTrigger, "1"));
    EXPECT_EQ(requestOrder(), "TWWWW");  // three rows and the end of the table
    for (const auto& l : sim->requests())
        EXPECT_NE(l.asked.rfind(kClients + "7", 0), 0u) << "SSID column read: " << l.asked;
    EXPECT_TRUE(boxes.empty());
}

// With SSID support the table has its seventh column and the device's authentication names come
// from the walk itself.
TEST_F(ClientinfoTest, SsidSupportShowsTheSsidAndTheWalkedNames) {
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("hold-rows on"));
    ASSERT_TRUE(sim->ok("set " + cell(4, 2) + " i 6"));
    ASSERT_TRUE(sim->ok("set " + cell(7, 2) + " s office"));
    main->Ed_ClientAddSSID->setText(QStringLiteral("1"));
    TClientInformation& p = open();
    EXPECT_TRUE(p.ssidSupport);
    ASSERT_EQ(p.User_ListView->itemCount(), 3);
    EXPECT_EQ(row(1).mid(3), (QStringList{"WPA2-PSK", QString(row(1).at(4)), "Off", "office"}));
    EXPECT_EQ(row(0).value(6), u"qmx-ap");
    EXPECT_NE(p.User_ListView->columnWidth(6), 0);
}

// Free rows are dropped wherever they lie, the kept rows are numbered on, unknown codes show blank.
TEST_F(ClientinfoTest, FreeRowsDroppedAndUnknownCodesBlank) {
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("hold-rows on"));
    ASSERT_TRUE(sim->ok("set " + cell(2, 1) + " x 000000000000"));
    ASSERT_TRUE(sim->ok("set " + cell(3, 3) + " i 7"));
    ASSERT_TRUE(sim->ok("set " + cell(4, 3) + " i 9"));
    ASSERT_TRUE(sim->ok("set " + cell(6, 3) + " i 1"));
    TClientInformation& p = open();
    ASSERT_EQ(p.User_ListView->itemCount(), 2);
    EXPECT_EQ(row(0).mid(0, 3), (QStringList{"1", "002233005502", "B"}));
    EXPECT_EQ(row(1), (QStringList{"2", "002233005503", " ", " ", row(1).at(4), "On"}));
    EXPECT_EQ(p.NumOfRecord->caption(), u"2");
}

// A device with no stations: no rows, the count 0, the page idle again.
TEST_F(ClientinfoTest, EmptyTableShowsCountZero) {
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("del " + kClients.substr(0, kClients.size() - 1)));
    TClientInformation& p = open();
    EXPECT_EQ(p.User_ListView->itemCount(), 0);
    EXPECT_EQ(p.NumOfRecord->caption(), u"0");
    EXPECT_FALSE(p.cycleRunning());
}

// Each timer cycle triggers the device again, and the list follows its refill.
TEST_F(ClientinfoTest, TimerCyclesFollowTheRefills) {
    ASSERT_TRUE(startSim()) << sim->error();
    forms::Application::setTimeScale(0.02);
    TClientInformation& p = open();
    ASSERT_EQ(row(0).value(1), u"002233015501");
    ASSERT_TRUE(
        waitFor([&] { return p.User_ListView->itemCount() == 3 && row(0).value(1) == u"002233025501"; }));
    const std::string order = requestOrder();
    EXPECT_EQ(order.substr(0, 10), "TWWWWTWWWW");
}

// A refused trigger: its message after "Detect timed out!", no walk, and the timer's next cycle
// lists the stations once the device takes the trigger again.
TEST_F(ClientinfoTest, RefusedTriggerThenTheTimersCycle) {
    ASSERT_TRUE(startSim()) << sim->error();
    forms::Application::setTimeScale(0.02);
    ASSERT_TRUE(sim->ok("error " + kTrigger + " genErr set"));
    page = std::make_unique<TClientInformation>(*main);
    ASSERT_TRUE(waitFor([&] { return page->StatusBar->simpleText().startsWith(kDetectTimedOut); }));
    const QString status = page->StatusBar->simpleText();
    EXPECT_GT(status.size(), kDetectTimedOut.size()) << status.toStdString();
    EXPECT_EQ(page->NumOfRecord->caption(), u"0");
    EXPECT_EQ(page->User_ListView->itemCount(), 0);
    EXPECT_FALSE(page->cycleRunning());
    EXPECT_EQ(requestOrder().find('W'), std::string::npos);

    ASSERT_TRUE(sim->ok("error " + kTrigger + " off"));
    ASSERT_TRUE(waitFor([&] { return page->User_ListView->itemCount() == 3; }));
    EXPECT_TRUE(boxes.empty());
}

// A trigger the device never answers ends the cycle on its time-out, with the time-out's message.
TEST_F(ClientinfoTest, SilentTriggerEndsOnItsTimeout) {
    ASSERT_TRUE(startSim()) << sim->error();
    TClientInformation& p = open();
    ASSERT_EQ(p.NumOfRecord->caption(), u"3");
    p.reqGetClient->request.timeout = 10;
    ASSERT_TRUE(sim->ok("drop 2"));
    ASSERT_TRUE(p.Bt_Rfrsh->userClick());
    EXPECT_TRUE(p.cycleRunning());
    EXPECT_EQ(p.StatusBar->simpleText(), kDetecting);
    ASSERT_TRUE(waitFor([&] { return !p.cycleRunning(); }));
    EXPECT_EQ(p.StatusBar->simpleText(), u"Detect timed out!(SNMPClass) SNMP request timed out!");
    // The list was emptied when the cycle began; the count says what it shows.
    EXPECT_EQ(p.User_ListView->itemCount(), 0);
    EXPECT_EQ(p.NumOfRecord->caption(), u"0");
}

// A walk that fails part-way shows its message and no half list.
TEST_F(ClientinfoTest, FailedWalkShowsItsMessageAndNoRows) {
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("error " + cell(2, 2) + " genErr next"));
    TClientInformation& p = open();
    EXPECT_EQ(p.User_ListView->itemCount(), 0);
    EXPECT_EQ(p.NumOfRecord->caption(), u"0");
    EXPECT_FALSE(p.StatusBar->simpleText().isEmpty());
    EXPECT_NE(p.StatusBar->simpleText(), kListing);
}

// A device that walks on without end cannot hold a cycle (and so the page's closing) for ever: the
// walk stops at the page's row limit and the cycle ends as at the table's end.
TEST_F(ClientinfoTest, WalkStopsAtTheRowLimit) {
    ASSERT_TRUE(startSim()) << sim->error();
    TClientInformation& p = open();
    EXPECT_EQ(p.reqClientTable->maxRows, kMaxClientRows);
    p.reqClientTable->maxRows = 2;
    const size_t mark = sim->logSize();
    ASSERT_TRUE(p.Bt_Rfrsh->userClick());
    ASSERT_TRUE(waitFor([&] { return !p.cycleRunning(); }));
    EXPECT_EQ(p.User_ListView->itemCount(), 2);
    EXPECT_EQ(p.NumOfRecord->caption(), u"2");
    std::set<std::string> reads;
    for (const auto& l : sim->requests(mark))
        if (isTableRead(l)) reads.insert(l.reqId);
    EXPECT_EQ(reads.size(), 2u);
}

// Refresh pressed and the timer firing again and again while a slow device answers: never a second
// cycle inside a running one. The device sees each trigger followed by one whole walk, and the
// lists never hold more rows than the device has.
TEST_F(ClientinfoTest, CyclesNeverOverlap) {
    ASSERT_TRUE(startSim()) << sim->error();
    forms::Application::setTimeScale(0.003);  // the timer every 30 ms
    ASSERT_TRUE(sim->ok("delay 60"));
    page = std::make_unique<TClientInformation>(*main);
    int most = 0;
    QTimer hammer;
    QObject::connect(&hammer, &QTimer::timeout, [&] {
        page->Bt_Rfrsh->userClick();
        most = std::max({most, page->User_ListView->itemCount(), page->ClientListView->itemCount()});
    });
    hammer.start(5);
    ASSERT_TRUE(waitFor([&] {
        const std::string order = requestOrder();
        return std::count(order.begin(), order.end(), 'T') >= 4;
    }));
    hammer.stop();
    // Gone, the page starts nothing more; the cycle it was in may have been cut short.
    page.reset();
    // Each trigger is followed by one whole walk (three rows and the table's end); only the last
    // one may have been cut short.
    const std::string order = requestOrder();
    ASSERT_EQ(order.front(), 'T');
    bool whole = true;
    for (size_t at = 0; at < order.size() && whole;) {
        const size_t next = order.find('T', at + 1);
        const std::string walk =
            order.substr(at + 1, next == std::string::npos ? std::string::npos : next - at - 1);
        whole = next == std::string::npos ? std::string("WWWW").rfind(walk, 0) == 0 : walk == "WWWW";
        at = next;
    }
    EXPECT_TRUE(whole) << order;
    EXPECT_LE(most, 3);
    EXPECT_TRUE(boxes.empty());
}

// The ways a user closes the page.
struct CloseCase {
    const char* name;
    void (*close)(TClientInformation& page);
};

class ClientinfoClose : public ClientinfoTest, public ::testing::WithParamInterface<CloseCase> {};

// Closed during a cycle, however the user closes it: the modal page stays until the cycle's last
// answer is in, then closes by itself, and no further cycle starts.
TEST_P(ClientinfoClose, WaitsForTheRunningCycle) {
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("delay 100"));
    page = std::make_unique<TClientInformation>(*main);
    bool busyAtClose = false;
    bool forced = false;
    QTimer::singleShot(0, page.get(), [&] {
        busyAtClose = page->cycleRunning();
        GetParam().close(*page);
    });
    // Should the page never close, the test deletes it, which ends its modal loop, rather than hang.
    QTimer::singleShot(15000, page.get(), [&] {
        forced = true;
        page.reset();
    });
    page->showModal();
    ASSERT_FALSE(forced);
    EXPECT_TRUE(busyAtClose);
    EXPECT_FALSE(page->cycleRunning());
    EXPECT_EQ(requestOrder(), "TWWWW");
    EXPECT_FALSE(page->Timer1->enabled());
}

const CloseCase kCloses[] = {
    {"CloseButton", [](TClientInformation& p) { p.Bt_Close->userClick(); }},
    {"Escape", [](TClientInformation& p) { p.userEscape(); }},
    {"CloseBox", [](TClientInformation& p) { p.userCloseBox(); }},
};

INSTANTIATE_TEST_SUITE_P(Table, ClientinfoClose, ::testing::ValuesIn(kCloses),
                         [](const auto& info) { return std::string(info.param.name); });

// Shown while its first cycle runs, the page leaves the timer to that cycle's end: started at once,
// it would tick into the running cycle and come sooner than ten seconds after it.
TEST_F(ClientinfoTest, ShowingDuringTheFirstCycleLeavesTheTimerToItsEnd) {
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("delay 100"));
    page = std::make_unique<TClientInformation>(*main);
    page->show();
    EXPECT_TRUE(page->cycleRunning());
    EXPECT_FALSE(page->Timer1->enabled());
    ASSERT_TRUE(waitFor([&] { return !page->cycleRunning(); }));
    EXPECT_TRUE(page->Timer1->enabled());
    EXPECT_EQ(page->Timer1->interval(), kCycleInterval);
    page->hide();
}

// A page deleted while its trigger is out: the answer reaches nothing, no box, nothing freed used.
TEST_F(ClientinfoTest, NoAnswerReachesADeletedPage) {
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("delay 200"));
    const uint64_t dead = HvSNMPRequest::deadOwnerDeliveries();
    page = std::make_unique<TClientInformation>(*main);
    ASSERT_TRUE(page->cycleRunning());
    // The page's end waits for the trigger's answer and drops it: no walk follows it.
    page.reset();
    ASSERT_TRUE(sim->waitForLog(isTrigger));
    EXPECT_FALSE(waitFor([&] { return requestOrder() != "T"; }, 500)) << requestOrder();
    EXPECT_EQ(HvSNMPRequest::deadOwnerDeliveries(), dead);
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(ClientInformation.isNull());
}

// The window's list and buttons follow its size.
TEST_F(ClientinfoTest, ResizeMovesListAndButtons) {
    ASSERT_TRUE(startSim()) << sim->error();
    TClientInformation& p = open();
    p.show();
    p.setClientSize(700, 500);
    ASSERT_TRUE(waitFor([&] { return p.User_ListView->width() == 666; }));
    EXPECT_EQ(p.User_ListView->height(), 368);
    EXPECT_EQ(p.Bt_Rfrsh->top(), 415);
    EXPECT_EQ(p.Bt_Rfrsh->left(), 130);
    EXPECT_EQ(p.Bt_Close->top(), 415);
    EXPECT_EQ(p.Bt_Close->left(), 411);
    p.hide();
}

// The Status menu's item opens the page modally and deletes it afterwards; it shows as the main
// window's Status-menu rules decide.
TEST_F(ClientinfoTest, MenuOpensThePageAndFollowsTheStatusRules) {
    ASSERT_TRUE(startSim()) << sim->error();
    const HvPageEntry entry = pageRow("Client1");
    EXPECT_STREQ(entry.caption, "Client Info");
    EXPECT_EQ(entry.menu, HvTopMenu::Status);
    ASSERT_TRUE(entry.visible);
    main->clientInfoVisible = false;
    EXPECT_FALSE(entry.visible(*main));
    main->clientInfoVisible = true;
    EXPECT_TRUE(entry.visible(*main));

    const QString shown =
        openFromMenu(entry, [&](forms::Form& f) { EXPECT_EQ(ClientInformation.data(), &f); });
    EXPECT_EQ(shown, u"Status \\ Client Info");
    EXPECT_TRUE(ClientInformation.isNull());
}

// Opening the Status menu asks the device whether it keeps a client table and shows the item by
// its answer.
TEST_F(ClientinfoTest, StatusMenuShowsTheItemByTheDevicesAnswer) {
    ASSERT_TRUE(startSim()) << sim->error();
    const auto defaults = HvSNMPSession::defaults;
    TMainForm& window = start({}, {pageRow("Client1")});
    HvSNMPSession::defaults = defaults;
    window.lastStatusCode = 0;
    forms::MenuItem* item = window.pageItem("Client1");
    ASSERT_NE(item, nullptr);
    ASSERT_TRUE(sim->ok("set " + E + "99.1.1.7.0 i 0"));
    window.status2->userPopup();
    EXPECT_FALSE(item->visible());
    ASSERT_TRUE(sim->ok("set " + E + "99.1.1.7.0 i 1"));
    window.status2->userPopup();
    EXPECT_TRUE(item->visible());
}

}  // namespace
