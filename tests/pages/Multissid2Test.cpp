// The multi-SSID page with VLANs against the device simulator over real UDP on loopback: the walk
// into its rows, a row's save in two writes, the Primary row's VLAN tag, masked keys, the key index
// choices, Delete, Apply, and a page that neither closes nor takes another write while one is out.

#include <gtest/gtest.h>

#include <QTimer>

#include <algorithm>
#include <initializer_list>
#include <ostream>
#include <map>
#include <string>
#include <vector>

#include "library/HvSNMPSession.h"
#include "module/Main.h"
#include "pages/wireless/Multissid2.h"
#include "platform/forms/Forms.h"
#include "tests/pages/WaitingTicks.h"
#include "tests/support/PageUnderTest.h"
#include "tests/support/PageRow.h"

namespace {

const std::string E = "1.3.6.1.4.1.47011.11.37.4.";
const std::string kTable = E + "2.9.2.1.";
const std::string kMultiState = E + "2.9.3.1.1.0";
const std::string kVlanState = E + "2.9.1.1.1.0";
const std::string kGroupKey = E + "2.5.1.1.6.0";

// The table's column c of row n (ifIndex 1).
std::string col(int c, int n) {
    return kTable + std::to_string(c) + ".1." + std::to_string(n);
}

class Multissid2Test : public PageUnderTest<TFM_MultiSSIDNewForm> {
protected:
    void SetUp() override {
        PageUnderTest::SetUp();
        setFilter = [](const SimLogLine& l) { return l.asked.rfind(E + "2.", 0) == 0; };
    }

    // A device with Multi-SSID on and rows 2 and 3 enabled besides the Primary row.
    bool startDevice() {
        return startSim() && sim->ok("set " + kMultiState + " i 1") && sim->ok("set " + col(2, 2) + " i 1") &&
               sim->ok("set " + col(2, 3) + " i 1");
    }
    bool idle() const { return page->pageIdle && !page->tableRequest->busy; }
    TFM_MultiSSIDNewForm& open() {
        makePage();
        EXPECT_TRUE(waitFor([&] { return idle(); }));
        return *page;
    }
    void choose(int idx) {
        ASSERT_TRUE(page->CB_Idx->userSelect(idx));
        ASSERT_EQ(page->CB_Idx->itemIndex(), idx);
    }
    void saveAndWait() {
        ASSERT_TRUE(page->SaveButton->userClick());
        ASSERT_TRUE(waitFor([&] { return idle(); }));
    }
    // The table's PDUs from log line `from` on, each as "column.row=value" in varbind order.
    std::vector<std::vector<std::string>> tablePdus(size_t from) const {
        std::vector<std::vector<std::string>> out;
        std::string last;
        for (const SimLogLine& l : sets(from)) {
            if (l.asked.rfind(kTable, 0) != 0) continue;
            if (l.reqId != last) out.emplace_back();
            last = l.reqId;
            const std::string rest = l.asked.substr(kTable.size());
            // "c.1.n" as "c.n"
            const auto dot = rest.find('.');
            out.back().push_back(rest.substr(0, dot) + "." + rest.substr(rest.rfind('.') + 1) + "=" +
                                 l.value);
        }
        return out;
    }
    size_t logSize() const { return sim->requests().size(); }
};

TEST_F(Multissid2Test, WalksTheEightRowsAndShowsThePrimary) {
    ASSERT_TRUE(startDevice()) << sim->error();
    ASSERT_TRUE(sim->ok("set " + E + "2.9.1.1.1.1 i 1"));  // VLANs on
    TFM_MultiSSIDNewForm& p = open();
    EXPECT_EQ(p.MulSSIDListView->itemCount(), 8);
    EXPECT_EQ(p.StatusBar1->simpleText(), u"Get OK!");
    EXPECT_EQ(p.Ed_SSID->text(), u"qmx-ap-1");
    EXPECT_EQ(p.Ed_WLANID->text(), u"1");
    // VLANs keep Multi-SSID on; on the Primary row only the VLAN ID can change.
    EXPECT_TRUE(p.IfEnabMuSSID->checked());
    EXPECT_FALSE(p.IfEnabMuSSID->enabled());
    EXPECT_TRUE(p.Ed_WLANID->enabled());
    EXPECT_FALSE(p.Ed_SSID->enabled());
    ASSERT_EQ(p.LV_MultiSSID_User->itemCount(), 3);
    EXPECT_EQ(p.LV_MultiSSID_User->item(0)->caption(), u"Primary");
    EXPECT_EQ(p.LV_MultiSSID_User->item(1)->caption(), u"Multi-SSID1");
    EXPECT_EQ(p.LV_MultiSSID_User->item(2)->subItems(), (QStringList{"qmx-ap-3", "OFF", "3", "11g"}));
    EXPECT_FALSE(p.DelButton->enabled());
}

TEST_F(Multissid2Test, MenuOpensThePageForTheNewGeneration) {
    ASSERT_TRUE(startDevice()) << sim->error();
    const HvPageEntry row = pageRow("Ad_MultiSSID");
    EXPECT_STREQ(row.caption, "Multi-SSID");
    // A main window takes the session's defaults from its INI; the page here talks to the simulator.
    const auto defaults = HvSNMPSession::defaults;
    TMainForm& window = start({}, {row});
    HvSNMPSession::defaults = defaults;
    window.NewMultiSupport->setText(QStringLiteral("1"));
    QString shown;
    int rows = 0;
    window.pageOpener = [&](forms::Form& f) {
        shown = f.caption();
        auto& p = static_cast<TFM_MultiSSIDNewForm&>(f);
        EXPECT_EQ(FM_MultiSSIDNewForm.data(), &p);
        waitFor([&] { return p.pageIdle; });
        rows = p.MulSSIDListView->itemCount();
        return int(forms::mrCancel);
    };
    ASSERT_TRUE(window.pageItem("Ad_MultiSSID")->userClick());
    EXPECT_EQ(shown, u"Advanced \\ Multi-SSID");
    EXPECT_EQ(rows, 8);
    EXPECT_TRUE(FM_MultiSSIDNewForm.isNull());
    // Any other generation is not this page's.
    shown.clear();
    window.NewMultiSupport->setText(QStringLiteral("2"));
    ASSERT_TRUE(window.pageItem("Ad_MultiSSID")->userClick());
    EXPECT_TRUE(shown.isEmpty());
}

TEST_F(Multissid2Test, RowSaveWritesTheSsidThenTheChosenColumnsThenWalksAgain) {
    ASSERT_TRUE(startDevice()) << sim->error();
    TFM_MultiSSIDNewForm& p = open();
    choose(1);
    p.Ed_SSID->setText(QStringLiteral("guest"));
    const size_t from = logSize();
    saveAndWait();
    const auto pdus = tablePdus(from);
    ASSERT_EQ(pdus.size(), 2u);
    EXPECT_EQ(pdus[0], (std::vector<std::string>{"3.2=guest"}));
    EXPECT_EQ(pdus[1], (std::vector<std::string>{"2.2=1", "3.2=guest", "4.2=1", "5.2=0", "8.2=2"}));
    EXPECT_TRUE(hasSet(from, kMultiState, "1"));
    EXPECT_TRUE(hasSet(from, kVlanState, "0"));
    // Walked again after the second write, with every column: the row shows what the device holds.
    EXPECT_EQ(p.StatusBar1->simpleText(), u"Get OK!");
    int nexts = 0;
    for (const SimLogLine& l : sim->requests(from)) nexts += l.op == "GETNEXT";
    EXPECT_GE(nexts, 9);
    EXPECT_EQ(p.MulSSIDListView->itemCount(), 8);
    EXPECT_EQ(p.CB_Idx->itemIndex(), 1);
    EXPECT_EQ(p.Ed_SSID->text(), u"guest");
    EXPECT_EQ(p.Ed_WLANID->text(), u"2");
}

TEST_F(Multissid2Test, PrimarySaveWritesOnlyItsVlanTag) {
    ASSERT_TRUE(startDevice()) << sim->error();
    ASSERT_TRUE(sim->ok("set " + E + "2.9.1.1.1.1 i 1"));
    TFM_MultiSSIDNewForm& p = open();
    p.Ed_WLANID->setText(QStringLiteral("77"));
    const size_t from = logSize();
    saveAndWait();
    EXPECT_EQ(tablePdus(from), (std::vector<std::vector<std::string>>{{"8.1=77"}}));
    EXPECT_TRUE(hasSet(from, kMultiState, "1"));
    EXPECT_TRUE(hasSet(from, kVlanState, "1"));
}

TEST_F(Multissid2Test, EmptyVlanIdIsRefusedAndNothingWritten) {
    ASSERT_TRUE(startDevice()) << sim->error();
    ASSERT_TRUE(sim->ok("set " + E + "2.9.1.1.1.1 i 1"));
    TFM_MultiSSIDNewForm& p = open();
    choose(2);
    p.Ed_WLANID->setText({});
    const size_t from = logSize();
    ASSERT_TRUE(p.SaveButton->userClick());
    ASSERT_TRUE(lastBox());
    EXPECT_EQ(lastBox()->text, u"Please input VLAN ID!");
    EXPECT_EQ(lastBox()->caption, u"Warning");
    EXPECT_TRUE(sets(from).empty());
}

// The device shows its keys masked: an untouched key is neither written nor is its type.
TEST_F(Multissid2Test, MaskedKeyIsNotWritten) {
    ASSERT_TRUE(startDevice()) << sim->error();
    for (const auto& [c, v] :
         std::map<int, std::string>{{4, "i 2"}, {5, "i 1"}, {6, "i 3"}, {7, "s **********"}})
        ASSERT_TRUE(sim->ok("set " + col(c, 3) + " " + v));
    TFM_MultiSSIDNewForm& p = open();
    choose(2);
    EXPECT_EQ(p.CB_Sec->itemIndex(), 2);
    EXPECT_TRUE(p.GP_KeySetting->visible());
    EXPECT_EQ(p.Ed_KeyValue->text(), u"**********");
    const size_t from = logSize();
    saveAndWait();
    const auto pdus = tablePdus(from);
    ASSERT_EQ(pdus.size(), 2u);
    EXPECT_EQ(pdus[1],
              (std::vector<std::string>{"2.3=1", "3.3=qmx-ap-3", "4.3=2", "5.3=1", "6.3=3", "8.3=3"}));
}

// A key read in hex whose type is ASCII shows as its characters, and goes back in hex.
TEST_F(Multissid2Test, AsciiKeyShowsAsTextAndIsWrittenInHex) {
    ASSERT_TRUE(startDevice()) << sim->error();
    for (const auto& [c, v] :
         std::map<int, std::string>{{4, "i 1"}, {5, "i 1"}, {7, "s 6162636465"}, {13, "i 1"}})
        ASSERT_TRUE(sim->ok("set " + col(c, 2) + " " + v));
    TFM_MultiSSIDNewForm& p = open();
    choose(1);
    EXPECT_EQ(p.CB_KeyType->text(), u"ASCII");
    EXPECT_EQ(p.CB_KeySize->text(), u"64 Bits");
    EXPECT_EQ(p.Ed_KeyValue->text(), u"abcde");
    ASSERT_TRUE(p.Ed_KeyValue->setFocus());
    p.Ed_KeyValue->setText({});
    p.Ed_KeyValue->userType(QStringLiteral("vwxyz"));
    const size_t from = logSize();
    saveAndWait();
    const auto pdus = tablePdus(from);
    ASSERT_EQ(pdus.size(), 2u);
    EXPECT_EQ(pdus[1], (std::vector<std::string>{"2.2=1", "3.2=qmx-ap-2", "4.2=1", "5.2=1", "6.2=1",
                                                 "7.2=767778797a", "8.2=2", "13.2=1"}));
}

// An ASCII key whose hex form is no printable text stays in hex; it is the device's key until the
// user retypes it, so a save of the row's other settings neither refuses nor rewrites it.
TEST_F(Multissid2Test, UnprintableAsciiKeyDoesNotBlockTheRowsSave) {
    ASSERT_TRUE(startDevice()) << sim->error();
    for (const auto& [c, v] :
         std::map<int, std::string>{{4, "i 1"}, {5, "i 1"}, {7, "s 0102030405"}, {13, "i 1"}})
        ASSERT_TRUE(sim->ok("set " + col(c, 2) + " " + v));
    TFM_MultiSSIDNewForm& p = open();
    choose(1);
    EXPECT_EQ(p.CB_KeyType->text(), u"ASCII");
    EXPECT_EQ(p.CB_KeySize->text(), u"64 Bits");
    EXPECT_EQ(p.Ed_KeyValue->text(), u"0102030405");
    p.Ed_SSID->setText(QStringLiteral("guest"));
    size_t from = logSize();
    saveAndWait();
    EXPECT_FALSE(lastBox());
    auto pdus = tablePdus(from);
    ASSERT_EQ(pdus.size(), 2u);
    EXPECT_EQ(pdus[1], (std::vector<std::string>{"2.2=1", "3.2=guest", "4.2=1", "5.2=1", "6.2=1", "8.2=2"}));
    EXPECT_EQ(sim->command("get " + col(7, 2)), "ok s \"0102030405\"");
    EXPECT_EQ(sim->command("get " + col(13, 2)), "ok i 1");

    // Retyped, the key is checked and written as any other.
    ASSERT_TRUE(p.Ed_KeyValue->setFocus());
    p.Ed_KeyValue->setText({});
    p.Ed_KeyValue->userType(QStringLiteral("vwxyz"));
    from = logSize();
    saveAndWait();
    pdus = tablePdus(from);
    ASSERT_EQ(pdus.size(), 2u);
    EXPECT_EQ(pdus[1], (std::vector<std::string>{"2.2=1", "3.2=guest", "4.2=1", "5.2=1", "6.2=1",
                                                 "7.2=767778797a", "8.2=2", "13.2=1"}));
}

// A failed key check leaves the edit as typed: the next Save does not find a hex text under ASCII.
TEST_F(Multissid2Test, RefusedKeyLeavesTheEditAsTyped) {
    ASSERT_TRUE(startDevice()) << sim->error();
    for (const auto& [c, v] : std::map<int, std::string>{{4, "i 1"}, {5, "i 1"}, {13, "i 1"}})
        ASSERT_TRUE(sim->ok("set " + col(c, 2) + " " + v));
    TFM_MultiSSIDNewForm& p = open();
    choose(1);
    p.Ed_KeyValue->setText(QStringLiteral("abc"));
    const size_t from = logSize();
    ASSERT_TRUE(p.SaveButton->userClick());
    ASSERT_TRUE(lastBox());
    EXPECT_EQ(lastBox()->text, u"The Length of key value must be 5!");
    EXPECT_EQ(p.Ed_KeyValue->text(), u"abc");
    EXPECT_TRUE(sets(from).empty());
}

TEST_F(Multissid2Test, AnotherEnabledWpaRowLeavesTheFirstAndFourthKey) {
    ASSERT_TRUE(startDevice()) << sim->error();
    ASSERT_TRUE(sim->ok("set " + col(4, 2) + " i 4"));
    ASSERT_TRUE(sim->ok("set " + col(5, 2) + " i 1"));
    TFM_MultiSSIDNewForm& p = open();
    choose(2);
    EXPECT_EQ(p.CB_IdxTmp->items(), (QStringList{"First", "Fourth"}));
    choose(1);
    EXPECT_EQ(p.CB_IdxTmp->items(), (QStringList{"First", "Second", "Third", "Fourth"}));
    EXPECT_EQ(p.GP_PSK->caption(), u"PassPhrase Settings");
    EXPECT_TRUE(p.GP_PSK->visible());
}

// A row with both WEP authentications shows "Both" and keeps them when saved for another reason.
TEST_F(Multissid2Test, CombinedAuthenticationSurvivesAnUnrelatedSave) {
    ASSERT_TRUE(startDevice()) << sim->error();
    for (const auto& [c, v] : std::map<int, std::string>{{4, "i 3"}, {5, "i 1"}, {7, "s **********"}})
        ASSERT_TRUE(sim->ok("set " + col(c, 3) + " " + v));
    TFM_MultiSSIDNewForm& p = open();
    choose(2);
    EXPECT_EQ(p.CB_SecShow->text(), u"Both");
    p.Ed_SSID->setText(QStringLiteral("renamed"));
    const size_t from = logSize();
    saveAndWait();
    const auto pdus = tablePdus(from);
    ASSERT_EQ(pdus.size(), 2u);
    EXPECT_EQ(pdus[1],
              (std::vector<std::string>{"2.3=1", "3.3=renamed", "4.3=3", "5.3=1", "6.3=1", "8.3=3"}));
}

// A row turned to WPA-PSK writes the group key, warns about another WEP row on key 2, and goes on.
TEST_F(Multissid2Test, PskSaveWarnsAboutWepOnTheSharedKeySlots) {
    ASSERT_TRUE(startDevice()) << sim->error();
    for (const auto& [c, v] : std::map<int, std::string>{{4, "i 2"}, {5, "i 1"}, {6, "i 2"}})
        ASSERT_TRUE(sim->ok("set " + col(c, 2) + " " + v));
    TFM_MultiSSIDNewForm& p = open();
    choose(2);
    ASSERT_TRUE(p.CB_SecShow->userSelect(3));
    EXPECT_EQ(p.CB_Sec->text(), u"WPA-PSK");
    EXPECT_TRUE(p.GP_PSK->visible());
    EXPECT_FALSE(p.GP_KeySetting->visible());
    p.Ed_PassPhrase->setText(QStringLiteral("passphrase1"));
    const size_t from = logSize();
    saveAndWait();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, Multissid2Rules::kKeySlots);
    EXPECT_TRUE(hasSet(from, kGroupKey, "300"));
    const auto pdus = tablePdus(from);
    ASSERT_EQ(pdus.size(), 2u);
    EXPECT_EQ(pdus[1], (std::vector<std::string>{"2.3=1", "3.3=qmx-ap-3", "4.3=4", "5.3=1", "8.3=3", "11.3=1",
                                                 "12.3=passphrase1"}));
}

TEST_F(Multissid2Test, DeleteWritesOnlyTheClickedRowsState) {
    ASSERT_TRUE(startDevice()) << sim->error();
    TFM_MultiSSIDNewForm& p = open();
    EXPECT_FALSE(p.DelButton->enabled());
    ASSERT_TRUE(p.LV_MultiSSID_User->userClickItem(0));
    EXPECT_FALSE(p.DelButton->enabled());
    ASSERT_TRUE(p.LV_MultiSSID_User->userClickItem(2));
    EXPECT_TRUE(p.DelButton->enabled());
    EXPECT_EQ(p.CB_Idx->itemIndex(), 2);
    const size_t from = logSize();
    ASSERT_TRUE(p.DelButton->userClick());
    EXPECT_EQ(p.StatusBar1->simpleText(), u"Deleting...");
    ASSERT_TRUE(waitFor([&] { return idle(); }));
    EXPECT_EQ(tablePdus(from), (std::vector<std::vector<std::string>>{{"2.3=0"}}));
    EXPECT_EQ(p.LV_MultiSSID_User->itemCount(), 2);
}

// While the first write is out the page neither closes nor takes another write or row.
TEST_F(Multissid2Test, NoCloseNorSecondWriteWhileASaveIsOut) {
    ASSERT_TRUE(startDevice()) << sim->error();
    TFM_MultiSSIDNewForm& p = open();
    p.show();
    choose(1);
    ASSERT_TRUE(sim->ok("delay 1000 1"));
    const size_t from = logSize();
    ASSERT_TRUE(p.SaveButton->userClick());
    EXPECT_FALSE(p.pageIdle);
    EXPECT_EQ(p.StatusBar1->simpleText(), u"Save Multi-SSID...!");
    p.CancelBtn->userClick();
    QCoreApplication::processEvents();
    EXPECT_TRUE(p.isVisible());
    // Another row, Save and Delete are refused: the second write is still the first row's.
    EXPECT_FALSE(p.CB_Idx->userSelect(3));
    EXPECT_EQ(p.CB_Idx->itemIndex(), 1);
    p.SaveButton->userClick();
    ASSERT_TRUE(waitFor([&] { return idle(); }));
    const auto pdus = tablePdus(from);
    ASSERT_EQ(pdus.size(), 2u);
    EXPECT_EQ(pdus[1].front(), "2.2=1");
    p.CancelBtn->userClick();
    EXPECT_TRUE(waitFor([&] { return !p.isVisible(); }));
}

// A failed first write ends the save: the next table write carries no stale second half.
TEST_F(Multissid2Test, FailedFirstWriteLeavesNoSecondHalfBehind) {
    ASSERT_TRUE(startDevice()) << sim->error();
    TFM_MultiSSIDNewForm& p = open();
    choose(1);
    ASSERT_TRUE(sim->ok("error " + col(3, 2) + " genErr set"));
    size_t from = logSize();
    saveAndWait();
    EXPECT_EQ(tablePdus(from).size(), 1u);
    EXPECT_NE(p.StatusBar1->simpleText(), u"Save Multi-SSID complete!");
    ASSERT_TRUE(sim->ok("reset"));
    ASSERT_TRUE(p.LV_MultiSSID_User->userClickItem(2));
    from = logSize();
    ASSERT_TRUE(p.DelButton->userClick());
    ASSERT_TRUE(waitFor([&] { return idle(); }));
    EXPECT_EQ(tablePdus(from), (std::vector<std::vector<std::string>>{{"2.3=0"}}));
    // The walk after it read every column again.
    EXPECT_EQ(p.MulSSIDListView->item(0)->subItemCount(), 11);
}

// Switching Multi-SSID on over a bridge mode warns once; with WDS support bridges are accepted.
TEST_F(Multissid2Test, EnablingOverABridgeWarnsOnce) {
    ASSERT_TRUE(startDevice()) << sim->error();
    ASSERT_TRUE(sim->ok("set " + E + "2.1.1.1.1 i 2"));
    TFM_MultiSSIDNewForm& p = open();
    const QString text = QStringLiteral("If you enable Multi-SSID,AP Mode will be Access Point!");
    ASSERT_EQ(std::count_if(boxes.begin(), boxes.end(), [&](const auto& b) { return b.text == text; }), 1);
    EXPECT_EQ(lastBox()->caption, u"Warning");
    choose(1);
    EXPECT_EQ(boxes.size(), 1u);
    // Off and on again: the warning is due again.
    ASSERT_TRUE(p.IfEnabMuSSID->userClick());
    EXPECT_EQ(p.LV_MultiSSID_User->itemCount(), 0);
    EXPECT_FALSE(p.Ed_SSID->enabled());
    ASSERT_TRUE(p.IfEnabMuSSID->userClick());
    EXPECT_EQ(boxes.size(), 2u);
    EXPECT_EQ(p.LV_MultiSSID_User->itemCount(), 3);
    page.reset();

    main->mssidAndWdssupport->setText(QStringLiteral("1"));
    boxes.clear();
    open();
    EXPECT_TRUE(boxes.empty());
}

// A device with fewer rows than the index offers: the missing rows edit and write nothing.
TEST_F(Multissid2Test, MissingRowsDisableTheEditors) {
    ASSERT_TRUE(startDevice()) << sim->error();
    for (int c : {2, 3, 4, 5, 6, 7, 8, 11, 12, 13})
        for (int n = 5; n <= 8; ++n) ASSERT_TRUE(sim->ok("del " + col(c, n)));
    TFM_MultiSSIDNewForm& p = open();
    ASSERT_EQ(p.MulSSIDListView->itemCount(), 4);
    choose(6);
    EXPECT_FALSE(p.MulSSIDListView->selected());
    EXPECT_FALSE(p.SaveButton->enabled());
    EXPECT_FALSE(p.Ed_SSID->enabled());
    const size_t from = logSize();
    p.SaveButton->userClick();
    EXPECT_TRUE(sets(from).empty());
    choose(3);
    EXPECT_TRUE(p.SaveButton->enabled());
    EXPECT_EQ(p.Ed_SSID->text(), u"qmx-ap-4");
}

// An EAP row writes its RADIUS server and port; a secret the device shows masked stays unwritten.
TEST_F(Multissid2Test, EapSaveKeepsAMaskedRadiusSecret) {
    ASSERT_TRUE(startDevice()) << sim->error();
    ASSERT_TRUE(sim->ok("set " + col(4, 2) + " i 5"));
    ASSERT_TRUE(sim->ok("set " + col(5, 2) + " i 1"));
    ASSERT_TRUE(sim->ok("set " + E + "2.5.2.3.0 s 10.0.0.5"));
    ASSERT_TRUE(sim->ok("set " + E + "2.5.2.5.0 s ********"));
    TFM_MultiSSIDNewForm& p = open();
    choose(1);
    EXPECT_EQ(p.GP_PSK->caption(), u"Radius Server Settings");
    EXPECT_TRUE(p.Ed_RiduisServ->enabled());
    EXPECT_FALSE(p.Ed_GrpKey->enabled());
    EXPECT_FALSE(p.Ed_PassPhrase->visible());
    const size_t from = logSize();
    saveAndWait();
    EXPECT_TRUE(hasSet(from, E + "2.5.2.3.0", "10.0.0.5"));
    EXPECT_TRUE(hasSet(from, E + "2.5.2.4.0", "1812"));
    for (const SimLogLine& l : sets(from)) EXPECT_NE(l.asked, E + "2.5.2.5.0");
    const auto pdus = tablePdus(from);
    ASSERT_EQ(pdus.size(), 2u);
    EXPECT_EQ(pdus[1],
              (std::vector<std::string>{"2.2=1", "3.2=qmx-ap-2", "4.2=5", "5.2=1", "8.2=2", "11.2=1"}));
}

TEST_F(Multissid2Test, ApplyWritesTheTwoStatesAndAsksBeforeTheRestart) {
    ASSERT_TRUE(startDevice()) << sim->error();
    ASSERT_TRUE(sim->ok("set " + E + "2.12.1.1.1.2.1 i 1"));
    TFM_MultiSSIDNewForm& p = open();
    ASSERT_EQ(p.CB_Clus->itemIndex(), 0);  // joined: the question comes first
    answers = {forms::IDCANCEL};
    const size_t from = logSize();
    ASSERT_TRUE(p.ApplyBtn->userClick());
    EXPECT_TRUE(hasSet(from, kMultiState, "1"));
    EXPECT_TRUE(hasSet(from, kVlanState, "0"));
    EXPECT_EQ(p.StatusBar1->simpleText(), u"Setting success!");
    ASSERT_TRUE(lastBox());
    EXPECT_EQ(lastBox()->caption, u"Warning");
    EXPECT_EQ(sets(from).size(), 2u);
}

// A device in no AP domain restarts at once: the waiting dialog sends the restart after the states,
// on its own count of 30 ticks with the restart on the second.
TEST_F(Multissid2Test, ApplyOnAFreeDeviceRestartsThroughTheWaitingDialog) {
    ASSERT_TRUE(startDevice()) << sim->error();
    TFM_MultiSSIDNewForm& p = open();
    ASSERT_EQ(p.CB_Clus->text(), u"Escape");
    ASSERT_TRUE(p.IfEnabMuSSID->userClick());
    const size_t from = logSize();
    const WaitingTicks seen = watchWaiting(p, [&] { ASSERT_TRUE(p.ApplyBtn->userClick()); });
    EXPECT_EQ(seen, countingDown(true, 30, 2));
    std::vector<std::string> written;
    for (const SimLogLine& l : sim->requests(from))
        if (l.op == "SET") written.push_back(l.asked.substr(E.size()) + "=" + l.value);
    EXPECT_EQ(written, (std::vector<std::string>{"2.9.3.1.1.0=0", "2.9.1.1.1.0=0", "3.3.5.0=4"}));
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(p.StatusBar1->simpleText(), u"Setting success!");
}

TEST_F(Multissid2Test, RefusedApplyRestartsNothing) {
    ASSERT_TRUE(startDevice()) << sim->error();
    TFM_MultiSSIDNewForm& p = open();
    ASSERT_TRUE(sim->ok("error " + kMultiState + " genErr set"));
    const size_t boxesBefore = boxes.size();
    const size_t from = logSize();
    ASSERT_TRUE(p.ApplyBtn->userClick());
    EXPECT_EQ(p.StatusBar1->simpleText(), u"Set error!");
    EXPECT_EQ(boxes.size(), boxesBefore);
    EXPECT_FALSE(hasSet(from, kVlanState, "0"));
}

// While a row's first write is out the page is busy: the row's editors take nothing, so the second
// write sends what was checked at Save; Cancel stays usable.
TEST_F(Multissid2Test, RowEditorsAreHeldWhileTheSaveIsOut) {
    ASSERT_TRUE(startDevice()) << sim->error();
    TFM_MultiSSIDNewForm& p = open();
    choose(1);
    p.Ed_SSID->setText(QStringLiteral("guest"));
    ASSERT_TRUE(sim->ok("delay 300"));
    const size_t from = logSize();
    ASSERT_TRUE(p.SaveButton->userClick());
    ASSERT_FALSE(p.pageIdle);
    EXPECT_TRUE(p.busy());
    for (QWidget* w : std::initializer_list<QWidget*>{p.Ed_SSID, p.CB_Sec, p.CB_SecShow, p.Ed_WLANID, p.CB_Idx,
                                                      p.SaveButton, p.ApplyBtn})
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_TRUE(p.CancelBtn->isEnabled());
    p.Ed_SSID->userType(QStringLiteral("x"));
    p.CB_SecShow->userSelect(3);
    ASSERT_TRUE(waitFor([&] { return idle(); }));
    EXPECT_FALSE(p.busy());
    EXPECT_TRUE(p.Ed_SSID->isEnabled());
    EXPECT_TRUE(p.SaveButton->isEnabled());
    const auto pdus = tablePdus(from);
    ASSERT_EQ(pdus.size(), 2u);
    EXPECT_EQ(pdus[1], (std::vector<std::string>{"2.2=1", "3.2=guest", "4.2=1", "5.2=0", "8.2=2"}));
    EXPECT_EQ(p.StatusBar1->simpleText(), u"Get OK!");
}

// The writes a Save makes besides the table's: one the device refuses is shown, and the Save does
// not end as complete over it.
struct RefusedSaveWrite {
    const char* name;
    int auth;         // the row's authentication, as the device holds it
    const char* oid;  // under E, refused on set
    const char* shown;
};

void PrintTo(const RefusedSaveWrite& r, std::ostream* os) {
    *os << r.name;
}

class Multissid2RefusedWrite : public Multissid2Test, public ::testing::WithParamInterface<RefusedSaveWrite> {};

TEST_P(Multissid2RefusedWrite, IsShownAndTheSaveIsNotComplete) {
    const RefusedSaveWrite& r = GetParam();
    ASSERT_TRUE(startDevice()) << sim->error();
    ASSERT_TRUE(sim->ok("set " + col(4, 2) + " i " + std::to_string(r.auth)));
    ASSERT_TRUE(sim->ok("set " + col(5, 2) + " i 1"));
    ASSERT_TRUE(sim->ok("set " + col(12, 2) + " s passphrase1"));
    ASSERT_TRUE(sim->ok("set " + E + "2.5.2.3.0 s 127.0.0.5"));
    TFM_MultiSSIDNewForm& p = open();
    choose(1);
    p.Ed_SSID->setText(QStringLiteral("renamed"));
    ASSERT_TRUE(sim->ok("error " + E + r.oid + " genErr set"));
    const size_t from = logSize();
    bool completeShown = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout,
                     [&] { completeShown |= p.StatusBar1->simpleText() == Multissid2Rules::kSaved; });
    watch.start(1);
    saveAndWait();
    // The table's writes still went out, and the row was walked again.
    EXPECT_EQ(tablePdus(from).size(), 2u);
    EXPECT_FALSE(completeShown);
    const QString shown = p.StatusBar1->simpleText();
    EXPECT_NE(shown, Multissid2Rules::kSaved);
    EXPECT_TRUE(shown.contains(QString::fromUtf8(r.shown))) << shown.toStdString();
}

const RefusedSaveWrite kRefusedSaveWrites[] = {
    {"VlanState", 4, "2.9.1.1.1.0", "VLAN State not set"},
    {"GroupKey", 4, "2.5.1.1.6.0", "Group Key Update Interval not set"},
    {"RadiusServer", 5, "2.5.2.3.0", "Radius Server not set"},
};

INSTANTIATE_TEST_SUITE_P(Table, Multissid2RefusedWrite, ::testing::ValuesIn(kRefusedSaveWrites),
                         [](const auto& info) { return std::string(info.param.name); });

// A page closed when idle has ended its requests: none is named any more, and a second close query
// finds nothing left to end.
TEST_F(Multissid2Test, ClosedPageNamesNoRequest) {
    ASSERT_TRUE(startDevice()) << sim->error();
    TFM_MultiSSIDNewForm& p = open();
    ASSERT_TRUE(p.closeQuery());
    EXPECT_TRUE(p.closing());
    for (HvSNMPRequest2Edits* r : {p.reqApMode, p.reqMultiState, p.reqVlanState, p.reqGroupKey, p.reqRadius,
                                   p.tableRequest, p.reqCluster})
        EXPECT_EQ(r, nullptr);
    EXPECT_TRUE(p.closeQuery());
    const size_t from = logSize();
    p.SaveButtonClick(nullptr);
    p.ApplyBtnClick(nullptr);
    EXPECT_TRUE(sets(from).empty());
}

}  // namespace
