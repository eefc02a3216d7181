// The MAC table window of the access filter and its address dialog against the device simulator over
// real UDP on loopback: the lists it walks, what Add, Set and Del write and into which row, the
// dialog's checks, and the faults it guards against: two writes choosing one free row, a Refresh
// under a running walk, a row that the lists disagree on, and a close while a walk is out.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <string>
#include <vector>

#include "library/HvSNMPRequest.h"
#include "pages/wireless/Filermac.h"
#include "platform/forms/Forms.h"
#include "tests/NamedRows.h"
#include "tests/support/PageUnderTest.h"
#include "tests/support/WhenShown.h"

namespace {

using hvtest::PrintTo;

const std::string E = "1.3.6.1.4.1.47011.11.37.4.";
const std::string kColumn1 = E + "2.4.2.1.2.1";
const std::string kColumn2 = E + "2.4.2.1.2.2";

std::string row(const std::string& column, int n) {
    return column + "." + std::to_string(n);
}

class FilterMacTest : public PageUnderTest<TFM_FilterMAC> {
protected:
    void SetUp() override {
        // The window's close timer keeps real time: shrunk, its bound would end a walk that a test
        // means to see end by itself.
        const double scale = forms::Application::timeScale();
        PageUnderTest::SetUp();
        forms::Application::setTimeScale(scale);
        setFilter = [](const SimLogLine& l) { return l.asked.rfind(E + "2.4.2.", 0) == 0; };
    }
    // The device's slot-1 table with rows 1..n held (0011AABBCC0n), the others free.
    bool startTable(int held) {
        if (!startSim()) return false;
        for (int n = 1; n <= held; ++n)
            if (!sim->ok("set " + row(kColumn1, n) + " x 0011AABBCC0" + std::to_string(n))) return false;
        return true;
    }
    bool idle() const { return !page->requestsBusy(); }
    TFM_FilterMAC& open(int slot = 1) {
        TFM_FilterMAC& p = makePage(slot);
        EXPECT_TRUE(waitFor([&] { return idle(); }));
        return p;
    }
    // The dialog, should it be shown, recorded and closed at once.
    QPointer<QTimer> catchDialog(bool& shown) {
        TFM_MACAddr* d = page->macAddr();
        return whenShown(d, [d, &shown] {
            shown = true;
            d->setModalResult(forms::mrCancel);
        });
    }
    // The dialog, once shown: the address typed and Apply clicked; closed when Apply left it open.
    void typeAndApply(const QString& mac) {
        TFM_MACAddr* d = page->macAddr();
        whenShown(d, [this, d, mac] {
            shownText = d->Ed_MACAddr->text();
            shownCaption = d->caption();
            d->Ed_MACAddr->setText(QString());
            d->Ed_MACAddr->userType(mac);
            d->Bt_Apply->userClick();
            if (d->isVisible()) d->setModalResult(forms::mrCancel);
        });
    }
    // "OID=VALUE" of the table's sets from log line `from` on, the OIDs after the column.
    std::vector<std::string> written(size_t from) const { return setLog(from, kColumn1 + "."); }
    // The user's list as "number MAC" rows.
    std::vector<std::string> userRows() const {
        std::vector<std::string> out;
        for (int i = 0; i < page->User_ListView->itemCount(); ++i) {
            const forms::ListItem* r = page->User_ListView->item(i);
            out.push_back((r->caption() + " " + r->subItem(0)).toStdString());
        }
        return out;
    }
    std::string stored(const std::string& oid) { return sim->command("get " + oid); }

    QString shownText;
    QString shownCaption;
};

TEST_F(FilterMacTest, ListsTheHeldRowsNumberedAndTheDevicesWhole) {
    ASSERT_TRUE(startTable(3)) << sim->error();
    TFM_FilterMAC& p = open();
    EXPECT_EQ(p.caption(), u"MAC Address Table");
    EXPECT_EQ(userRows(), (std::vector<std::string>{"1 0011AABBCC01", "2 0011AABBCC02", "3 0011AABBCC03"}));
    ASSERT_EQ(p.LV_StaticPoolSet->itemCount(), 8);
    EXPECT_EQ(p.LV_StaticPoolSet->item(3)->caption(), u"4");
    EXPECT_EQ(p.LV_StaticPoolSet->item(3)->subItem(0), u"000000000000");
    EXPECT_TRUE(p.Bt_Add->enabled());
    EXPECT_TRUE(p.Bt_Rfrsh->enabled());
    EXPECT_FALSE(p.Bt_Set->enabled());
    EXPECT_FALSE(p.Bt_Del->enabled());
    // Each walk ends at the end of its column: the other slot's rows are never asked.
    for (const auto& l : sim->requests()) EXPECT_NE(l.asked.rfind(kColumn2, 0), 0u) << l.asked;
    // A selected row gives Set and Del.
    ASSERT_TRUE(p.User_ListView->userClickItem(1));
    EXPECT_TRUE(p.Bt_Set->enabled());
    EXPECT_TRUE(p.Bt_Del->enabled());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(FilterMacTest, SlotTwoListsItsOwnColumn) {
    ASSERT_TRUE(startTable(1)) << sim->error();
    ASSERT_TRUE(sim->ok("set " + row(kColumn2, 2) + " x 00AA00BB00CC"));
    open(2);
    EXPECT_EQ(userRows(), (std::vector<std::string>{"1 00AA00BB00CC"}));
}

TEST_F(FilterMacTest, FullTableLeavesAddDisabled) {
    ASSERT_TRUE(startTable(8)) << sim->error();
    TFM_FilterMAC& p = open();
    EXPECT_EQ(p.User_ListView->itemCount(), 8);
    EXPECT_FALSE(p.Bt_Add->enabled());
    const size_t mark = sim->logSize();
    p.Bt_AddClick(nullptr);
    EXPECT_FALSE(p.macAddr()->isVisible());
    EXPECT_TRUE(sets(mark).empty());
}

TEST_F(FilterMacTest, AddWritesTheFirstFreeRowAndListsAgain) {
    ASSERT_TRUE(startTable(3)) << sim->error();
    TFM_FilterMAC& p = open();
    typeAndApply(QStringLiteral("0011AABBCCDD"));
    const size_t mark = sim->logSize();
    ASSERT_TRUE(p.Bt_Add->userClick());
    EXPECT_EQ(shownCaption, u"Adding MAC Address");
    EXPECT_EQ(shownText, u"000000000000");
    // Until the write is answered and both lists are read again nothing can be added, changed or
    // deleted.
    EXPECT_FALSE(p.Bt_Add->enabled());
    EXPECT_FALSE(p.Bt_Rfrsh->enabled());
    ASSERT_TRUE(waitFor([&] { return idle() && p.User_ListView->itemCount() == 4; }));
    EXPECT_EQ(written(mark), (std::vector<std::string>{"4=0011AABBCCDD"}));
    EXPECT_EQ(userRows().back(), "4 0011AABBCCDD");
    EXPECT_EQ(stored(row(kColumn1, 4)), "ok x 0011AABBCCDD");
    EXPECT_TRUE(p.Bt_Add->enabled());
    EXPECT_TRUE(boxes.empty());
}

// Two Adds in quick succession: the second waits for the first one's completion, and goes into the
// next free row instead of overwriting the first.
TEST_F(FilterMacTest, TwoQuickAddsNeverShareAFreeRow) {
    ASSERT_TRUE(startTable(3)) << sim->error();
    TFM_FilterMAC& p = open();
    ASSERT_TRUE(sim->ok("delay 300 1"));
    typeAndApply(QStringLiteral("0011AABBCCDD"));
    ASSERT_TRUE(p.Bt_Add->userClick());
    ASSERT_TRUE(p.writing());
    EXPECT_FALSE(p.Bt_Add->enabled());
    EXPECT_FALSE(p.Bt_Set->enabled());
    EXPECT_FALSE(p.Bt_Del->enabled());
    // The handler itself refuses too, whatever enabled the button.
    bool secondShown = false;
    QPointer<QTimer> caught = catchDialog(secondShown);
    p.Bt_AddClick(nullptr);
    delete caught.data();
    EXPECT_FALSE(secondShown);
    ASSERT_TRUE(waitFor([&] { return idle() && p.Bt_Add->enabled(); }));
    typeAndApply(QStringLiteral("0011AABBCCEE"));
    ASSERT_TRUE(p.Bt_Add->userClick());
    ASSERT_TRUE(waitFor([&] { return idle() && p.User_ListView->itemCount() == 5; }));
    EXPECT_EQ(stored(row(kColumn1, 4)), "ok x 0011AABBCCDD");
    EXPECT_EQ(stored(row(kColumn1, 5)), "ok x 0011AABBCCEE");
}

// The user's list numbers the held rows; Set changes the device's row that holds the MAC, whatever
// its number in the list.
TEST_F(FilterMacTest, SetChangesTheRowHoldingTheMac) {
    ASSERT_TRUE(startTable(3)) << sim->error();
    ASSERT_TRUE(sim->ok("set " + row(kColumn1, 2) + " x 000000000000"));
    TFM_FilterMAC& p = open();
    ASSERT_EQ(userRows(), (std::vector<std::string>{"1 0011AABBCC01", "2 0011AABBCC03"}));
    ASSERT_TRUE(p.User_ListView->userClickItem(1));
    typeAndApply(QStringLiteral("00aa00bb00cc"));
    const size_t mark = sim->logSize();
    ASSERT_TRUE(p.Bt_Set->userClick());
    EXPECT_EQ(shownCaption, u"Set MAC Address");
    EXPECT_EQ(shownText, u"0011AABBCC03");
    ASSERT_TRUE(
        waitFor([&] { return idle() && userRows().size() == 2 && userRows()[1] == "2 00AA00BB00CC"; }));
    EXPECT_EQ(written(mark), (std::vector<std::string>{"3=00AA00BB00CC"}));
}

// Del writes the free MAC back; the list then shows the rows still held, numbered again, also
// those after the freed row.
TEST_F(FilterMacTest, DelFreesTheRowAndTheRestStayListed) {
    ASSERT_TRUE(startTable(3)) << sim->error();
    TFM_FilterMAC& p = open();
    ASSERT_TRUE(p.User_ListView->userClickItem(1));
    const size_t mark = sim->logSize();
    ASSERT_TRUE(p.Bt_Del->userClick());
    ASSERT_TRUE(waitFor([&] { return idle() && p.User_ListView->itemCount() == 2; }));
    EXPECT_EQ(written(mark), (std::vector<std::string>{"2=000000000000"}));
    EXPECT_EQ(userRows(), (std::vector<std::string>{"1 0011AABBCC01", "2 0011AABBCC03"}));
    EXPECT_FALSE(p.Bt_Del->enabled());
    EXPECT_TRUE(boxes.empty());
}

// A walk the device breaks off: its result shows, nothing can be chosen from the half list, and
// Refresh lists the table again.
TEST_F(FilterMacTest, BrokenWalkLeavesOnlyRefresh) {
    ASSERT_TRUE(startTable(3)) << sim->error();
    ASSERT_TRUE(sim->ok("error " + row(kColumn1, 4) + " genErr next"));
    TFM_FilterMAC& p = open();
    EXPECT_NE(p.StatusBar->simpleText(), u"Listing data ... ");
    EXPECT_FALSE(p.StatusBar->simpleText().isEmpty());
    EXPECT_FALSE(p.Bt_Add->enabled());
    ASSERT_TRUE(p.User_ListView->userClickItem(0));
    EXPECT_FALSE(p.Bt_Set->enabled());
    EXPECT_TRUE(p.Bt_Rfrsh->enabled());
    ASSERT_TRUE(sim->ok("error " + row(kColumn1, 4) + " off"));
    ASSERT_TRUE(p.Bt_Rfrsh->userClick());
    EXPECT_FALSE(p.Bt_Rfrsh->enabled());
    ASSERT_TRUE(waitFor([&] { return idle(); }));
    EXPECT_EQ(p.LV_StaticPoolSet->itemCount(), 8);
    EXPECT_EQ(p.User_ListView->itemCount(), 3);
    EXPECT_TRUE(p.Bt_Add->enabled());
}

// A write the device refuses: its result shows, the lists stay as they were and the buttons come
// back for another try.
TEST_F(FilterMacTest, RefusedWriteGivesTheButtonsBack) {
    ASSERT_TRUE(startTable(3)) << sim->error();
    ASSERT_TRUE(sim->ok("error " + row(kColumn1, 4) + " genErr set"));
    TFM_FilterMAC& p = open();
    typeAndApply(QStringLiteral("0011AABBCCDD"));
    const size_t mark = sim->logSize();
    ASSERT_TRUE(p.Bt_Add->userClick());
    ASSERT_TRUE(waitFor([&] { return idle() && !p.writing(); }));
    EXPECT_TRUE(p.Bt_Add->enabled());
    EXPECT_TRUE(p.Bt_Rfrsh->enabled());
    EXPECT_NE(p.StatusBar->simpleText(), u"Listing data ... ");
    EXPECT_EQ(p.User_ListView->itemCount(), 3);
    EXPECT_EQ(stored(row(kColumn1, 4)), "ok x 000000000000");
    for (const auto& l : sim->requests(mark)) EXPECT_NE(l.op, "GETNEXT") << "listed again after a refusal";
}

struct BadEntry {
    const char* name;
    const char* typed;
    const char* message;
    const char* caption;
};

class FilterMacChecks : public FilterMacTest, public ::testing::WithParamInterface<BadEntry> {};

TEST_P(FilterMacChecks, RefusesWithItsBoxAndWritesNothing) {
    const BadEntry& c = GetParam();
    ASSERT_TRUE(startTable(3)) << sim->error();
    TFM_FilterMAC& p = open();
    typeAndApply(QString::fromLatin1(c.typed));
    const size_t mark = sim->logSize();
    ASSERT_TRUE(p.Bt_Add->userClick());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QString::fromLatin1(c.message));
    EXPECT_EQ(boxes[0].caption, QString::fromLatin1(c.caption));
    EXPECT_EQ(boxes[0].buttons, forms::MB_OK);
    EXPECT_TRUE(sets(mark).empty());
    EXPECT_FALSE(p.writing());
    EXPECT_TRUE(p.Bt_Add->enabled());
}

INSTANTIATE_TEST_SUITE_P(
    Table, FilterMacChecks,
    ::testing::Values(BadEntry{"Short", "0011AABBCC", "The length is 12 in MAC Address.", "Error"},
                      BadEntry{"Free", "000000000000", "Please input a valid MAC Address.", "Warning"},
                      BadEntry{"Duplicate", "0011AABBCC02", "Reject: The MAC already exists ", "Warning"},
                      // Listed in upper case, typed in lower case: still the same station.
                      BadEntry{"DuplicateOtherCase", "0011aabbcc02", "Reject: The MAC already exists ",
                               "Warning"}),
    [](const auto& info) { return std::string(info.param.name); });

// The two lists disagree on a MAC (the device changed between the walks): Set and Del find no row
// and write nothing, not even to the free row an earlier Add chose.
TEST_F(FilterMacTest, SetAndDelWithoutAMatchingRowWriteNothing) {
    ASSERT_TRUE(startTable(3)) << sim->error();
    TFM_FilterMAC& p = open();
    // An Add left the first free row selected.
    whenShown(p.macAddr(), [&] { p.macAddr()->setModalResult(forms::mrCancel); });
    ASSERT_TRUE(p.Bt_Add->userClick());
    ASSERT_EQ(p.LV_StaticPoolSet->itemIndex(), 3);
    p.LV_StaticPoolSet->item(1)->setSubItem(0, QStringLiteral("0011AABBCC99"));
    ASSERT_TRUE(p.User_ListView->userClickItem(1));
    const size_t mark = sim->logSize();
    bool shown = false;
    QPointer<QTimer> caught = catchDialog(shown);
    ASSERT_TRUE(p.Bt_Del->userClick());
    ASSERT_TRUE(p.Bt_Set->userClick());
    delete caught.data();
    EXPECT_FALSE(shown);
    EXPECT_FALSE(p.writing());
    EXPECT_TRUE(sets(mark).empty());
    EXPECT_EQ(stored(row(kColumn1, 4)), "ok x 000000000000");
}

// Refresh while the user's list is still walked restarts nothing: its rows are neither doubled nor
// skipped.
TEST_F(FilterMacTest, RefreshUnderARunningWalkRestartsNothing) {
    ASSERT_TRUE(startTable(3)) << sim->error();
    TFM_FilterMAC& p = open();
    ASSERT_TRUE(sim->ok("delay 40"));
    const size_t mark = sim->logSize();
    // The user's list alone is walked again, as after a refill of its rows.
    p.reqUsers->rowCounter = 1;
    ASSERT_TRUE(p.reqUsers->get());
    ASSERT_TRUE(p.reqUsers->busy);
    ASSERT_FALSE(p.reqTable->busy);
    p.Bt_RfrshClick(nullptr);
    EXPECT_FALSE(p.Bt_Set->enabled());
    EXPECT_FALSE(p.Bt_Del->enabled());
    ASSERT_TRUE(waitFor([&] { return idle(); }));
    EXPECT_EQ(userRows(), (std::vector<std::string>{"1 0011AABBCC01", "2 0011AABBCC02", "3 0011AABBCC03"}));
    // Only the one walk went out: a get-next for each of the eight rows and one past the column.
    size_t getnexts = 0;
    for (const auto& l : sim->requests(mark)) getnexts += l.op == "GETNEXT";
    EXPECT_EQ(getnexts, 9u);
}

// Closing while a walk is out hides the window at once; its modal loop goes on until the walk has
// ended, whether the device answers late or not at all, and then closes it.
class FilterMacClosing : public FilterMacTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(FilterMacClosing, HidesAndClosesWhenTheWalkEnds) {
    ASSERT_TRUE(startTable(3)) << sim->error();
    ASSERT_TRUE(sim->ok(GetParam()));
    makePage(1);
    bool hiddenAtOnce = false;
    bool busyWhenAsked = false;
    whenShown(page.get(), [&] {
        busyWhenAsked = page->requestsBusy();
        page->close();
        QTimer::singleShot(0, [&] { hiddenAtOnce = !page->isVisible(); });
    });
    QElapsedTimer clock;
    clock.start();
    page->showModal();
    EXPECT_TRUE(busyWhenAsked);
    EXPECT_TRUE(hiddenAtOnce);
    // The loop did not end early: nothing was out any more when it did.
    EXPECT_FALSE(page->requestsBusy());
    EXPECT_EQ(page->reqTable, nullptr);
    EXPECT_LT(clock.elapsed(), 10000);
}

// A device whose walk does not end within the window's patience: the window closes all the same,
// rather than hold the main window under a hidden modal one, and the walks end with it.
TEST_F(FilterMacTest, ClosesAfterItsBoundWhenAWalkDoesNotEnd) {
    ASSERT_TRUE(startTable(0)) << sim->error();
    constexpr int kRows = 3000;
    ASSERT_TRUE(sim->ok("fill " + kColumn1 + " " + std::to_string(kRows) + " x 0011AABBCCDD"));
    ASSERT_TRUE(sim->ok("delay 5"));
    // The window's timer ticks every millisecond here: its 120 ticks pass long before 3000 rows.
    forms::Application::setTimeScale(0.02);
    makePage(1);
    whenShown(page.get(), [&] { page->close(); });
    page->showModal();
    EXPECT_EQ(page->reqTable, nullptr);
    EXPECT_FALSE(page->requestsBusy());
    size_t getnexts = 0;
    for (const auto& l : sim->requests()) getnexts += l.op == "GETNEXT";
    EXPECT_LT(getnexts, size_t(kRows)) << "the window waited for the whole walk";
}

// The window deleted while both walks are out (as the program's end does): each request ends in
// turn, and no answer reaches the window or the dialog once they are going.
TEST_F(FilterMacTest, DeletedWhileWalkingLeavesNothingBehind) {
    ASSERT_TRUE(startTable(3)) << sim->error();
    ASSERT_TRUE(sim->ok("delay 30"));
    const uint64_t dead = HvSNMPRequest::deadOwnerDeliveries();
    makePage(1);
    ASSERT_TRUE(page->reqTable->busy && page->reqUsers->busy);
    page.reset();
    EXPECT_TRUE(FM_MACAddr.isNull());
    EXPECT_EQ(HvSNMPRequest::deadOwnerDeliveries(), dead);
}

INSTANTIATE_TEST_SUITE_P(Table, FilterMacClosing, ::testing::Values("delay 150", "silence 3000"),
                         [](const auto& info) {
                             return std::string(info.param).substr(0, std::string(info.param).find(' '));
                         });

}  // namespace
