// The old multi-SSID page against the device simulator over real UDP on loopback: what it shows,
// what Apply writes and in which order, its refusals, and the faults it guards against.

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "module/Main.h"
#include "pages/wireless/Multissid.h"
#include "pages/wireless/MultissidLayout.h"
#include "platform/forms/Forms.h"
#include "platform/forms/LayoutCheck.h"
#include "tests/pages/WaitingTicks.h"
#include "tests/support/PageUnderTest.h"
#include "tests/support/PageRow.h"

namespace {

const std::string E = "1.3.6.1.4.1.47011.11.37.4.";
const std::string kVlanState = E + "2.9.1.1.1.0";
const std::string kVlanStored = E + "2.9.1.1.1.1";
const std::string kApMode = E + "2.1.1.1.1";
const std::string kSuperMode = E + "2.3.1.11.1";
const std::string kRestart = E + "3.3.5.0";

// Column c (2 state .. 8 VLAN tag) of row n (1 master, 2..4 guests 1..3).
std::string col(int c, int n) {
    return E + "2.9.2.1." + std::to_string(c) + ".1." + std::to_string(n);
}

bool pageObject(const std::string& oid) {
    for (const std::string& p : {E + "2.9.", kApMode, kSuperMode, kRestart})
        if (oid.rfind(p, 0) == 0) return true;
    return false;
}

// A simulated device, a main window that only carries the capability fields, and the page over
// both. Message boxes are recorded and answered from a script (OK when it runs out).
class MultissidTest : public PageUnderTest<TFM_MultiSSIDForm> {
protected:
    void SetUp() override {
        PageUnderTest::SetUp();
        setFilter = [](const SimLogLine& l) { return pageObject(l.asked); };
    }

    void device(const std::string& oid, const std::string& typeValue) {
        ASSERT_TRUE(sim->ok("set " + oid + " " + typeValue)) << oid;
    }
    // Guest g (1..3) on in the device, with WEP over key index keyIndex and the key given.
    void deviceGuest(int g, int auth, int encryption, int keyIndex, const std::string& key) {
        device(col(2, g + 1), "i 1");
        device(col(4, g + 1), "i " + std::to_string(auth));
        device(col(5, g + 1), "i " + std::to_string(encryption));
        device(col(6, g + 1), "i " + std::to_string(keyIndex));
        device(col(7, g + 1), "s " + key);
    }

    TFM_MultiSSIDForm& open() {
        TFM_MultiSSIDForm& p = makePage();
        // The AP mode is read asynchronously; its answer ends the opening.
        waitFor([&] { return !p.reqAPMode || !p.reqAPMode->busy; });
        return p;
    }

    // The SETs of the page's objects from log line `from` on, as "OID VALUE" below E.
    std::vector<std::string> setLog(size_t from) const {
        std::vector<std::string> out;
        for (const auto& l : sets(from)) out.push_back(l.asked.substr(E.size()) + " " + l.value);
        return out;
    }
    std::vector<std::string> getOids(size_t from) const {
        std::vector<std::string> out;
        for (const auto& l : sim->requests(from))
            if (l.op == "GET" && pageObject(l.asked)) out.push_back(l.asked.substr(E.size()));
        return out;
    }
    std::string stored(const std::string& oid) { return sim->command("get " + oid); }
};

TEST_F(MultissidTest, OpensFromItsMenuWithTheDeviceValues) {
    ASSERT_TRUE(startSim()) << sim->error();
    device(kVlanStored, "i 1");
    deviceGuest(2, 2, 1, 3, "0123456789abcdef0123456789");
    device(col(3, 3), "s lobby");
    EXPECT_STREQ(pageRow("Ad_MultiSSID").caption, "Multi-SSID");
    const QString shown = openFromMenu(pageRow("Ad_MultiSSID"), [&](forms::Form& f) {
        ASSERT_EQ(FM_MultiSSIDForm.data(), &f);
        auto& p = static_cast<TFM_MultiSSIDForm&>(f);
        waitFor([&] { return !p.reqAPMode->busy; });
        EXPECT_TRUE(p.CheckBox1->checked());
        EXPECT_TRUE(p.GroupIDBox->enabled());
        EXPECT_EQ(p.MasterSSIDEdit->text(), u"qmx-ap-1");
        EXPECT_FALSE(p.MasterSSIDEdit->enabled());
        EXPECT_EQ(p.SecurityBox->text(), u"Open System");
        EXPECT_EQ(p.DefaultKey->text(), u"first");
        EXPECT_EQ(p.GroupIDBox->text(), u"1");
        EXPECT_FALSE(p.GuestCheckBox[0]->checked());
        EXPECT_FALSE(p.GuestSSIDEdit[0]->enabled());
        EXPECT_EQ(p.GuestSSIDEdit[0]->text(), u"qmx-ap-2");
        EXPECT_TRUE(p.GuestCheckBox[1]->checked());
        EXPECT_EQ(p.GuestSSIDEdit[1]->text(), u"lobby");
        EXPECT_EQ(p.TempComboBox[1]->text(), u"Shared Key");
        EXPECT_TRUE(p.TempComboBox[1]->enabled());
        EXPECT_EQ(p.GuestKey[1]->text(), u"third");
        EXPECT_EQ(p.GuestKeyvalueEdit[1]->text(), u"0123456789abcdef0123456789");
        EXPECT_EQ(p.GuestKeySize[1]->text(), u"128 Bits");
        EXPECT_EQ(p.GuestKeyType[1]->text(), u"HEX");
        EXPECT_EQ(p.GuestKeyvalueEdit[1]->maxLength(), 26);
        EXPECT_TRUE(p.GuestKeyvalueEdit[1]->enabled());
        EXPECT_EQ(p.GuestGroupID[2]->text(), u"4");
        EXPECT_EQ(p.AP_ModeComboBox->text(), u"Access Point");
        EXPECT_EQ(p.GuestCheckBox[2]->caption(), u"Enable Guest SSID3 ");
    });
    EXPECT_EQ(shown, u"Advanced\\Multi-SSID");
    EXPECT_TRUE(FM_MultiSSIDForm.isNull());
    // The rows one by one: VLAN, master, the guests, then the AP mode.
    std::vector<std::string> expected = {"2.9.1.1.1.0"};
    for (int c : {3, 4, 5, 6, 8}) expected.push_back(col(c, 1).substr(E.size()));
    for (int n = 2; n <= 4; ++n)
        for (int c = 2; c <= 8; ++c) expected.push_back(col(c, n).substr(E.size()));
    expected.push_back("2.1.1.1.1");
    expected.push_back("2.3.1.11.1");
    EXPECT_EQ(getOids(0), expected);
}

TEST_F(MultissidTest, AnotherGenerationOpensNothingHere) {
    ASSERT_TRUE(startSim()) << sim->error();
    const auto defaults = HvSNMPSession::defaults;
    TMainForm& window = start({}, {pageRow("Ad_MultiSSID")});
    HvSNMPSession::defaults = defaults;
    window.NewMultiSupport->setText(QStringLiteral("2"));
    bool opened = false;
    window.pageOpener = [&](forms::Form&) {
        opened = true;
        return int(forms::mrCancel);
    };
    const size_t mark = sim->logSize();
    ASSERT_TRUE(window.pageItem("Ad_MultiSSID")->userClick());
    EXPECT_FALSE(opened);
    EXPECT_TRUE(getOids(mark).empty());
}

TEST_F(MultissidTest, FitsItsWindow) {
    ASSERT_TRUE(startSim()) << sim->error();
    TFM_MultiSSIDForm& p = open();
    p.show();
    const std::vector<std::string> problems = forms::checkLayout(p, kMultiSSIDLayout);
    EXPECT_TRUE(problems.empty()) << ::testing::PrintToString(problems);
}

// The master's security is read before the guests' controls follow it: a WPA master leaves no
// guest a security choice from the first moment.
TEST_F(MultissidTest, WpaMasterLocksGuestSecurityAtOnce) {
    ASSERT_TRUE(startSim()) << sim->error();
    device(col(4, 1), "i 4");
    deviceGuest(1, 1, 1, 2, "0123456789");
    TFM_MultiSSIDForm& p = makePage();
    EXPECT_EQ(p.SecurityBox->text(), u"WPA-PSK");
    EXPECT_TRUE(p.GuestSSIDEdit[0]->enabled());
    EXPECT_FALSE(p.TempComboBox[0]->enabled());
    EXPECT_TRUE(p.GuestKeyvalueEdit[0]->enabled());
}

TEST_F(MultissidTest, GuestOnForcesAccessPointThenWritesInOrder) {
    ASSERT_TRUE(startSim()) << sim->error();
    device(kApMode, "i 3");
    device(kSuperMode, "i 2");
    TFM_MultiSSIDForm& p = open();
    p.show();
    p.GuestCheckBox[2]->userClick();
    ASSERT_TRUE(p.GuestSSIDEdit[2]->enabled());
    const size_t mark = sim->logSize();
    const WaitingTicks seen = watchWaiting(p, [&] { p.Bt_Apply->userClick(); });
    EXPECT_TRUE(boxes.empty()) << boxes.front().text.toStdString();
    // The dialog's own count: 30 ticks, the restart on the second.
    EXPECT_EQ(seen, countingDown(true, 30, 2));
    const std::vector<std::string> expected = {
        "2.1.1.1.1 1",
        "2.3.1.11.1 4",            // Access Point, Super G off
        "2.9.1.1.1.0 0",           // VLAN off: no tag anywhere
        "2.9.2.1.3.1.1 qmx-ap-1",  // the master's SSID as read
        "2.9.2.1.2.1.2 0",
        "2.9.2.1.2.1.3 0",
        "2.9.2.1.2.1.4 1",
        "2.9.2.1.3.1.4 qmx-ap-4",
        "2.9.2.1.5.1.4 0",
        "3.3.5.0 4",  // the waiting dialog's restart
    };
    EXPECT_EQ(setLog(mark), expected);
    EXPECT_EQ(p.StatusBar1->simpleText(), u"Set Success!");
}

TEST_F(MultissidTest, VlanOnWritesEveryTag) {
    ASSERT_TRUE(startSim()) << sim->error();
    TFM_MultiSSIDForm& p = open();
    p.show();
    p.CheckBox1->userClick();
    ASSERT_TRUE(p.GuestGroupID[0]->enabled());
    p.GuestGroupID[0]->setText(QStringLiteral("40"));
    const size_t mark = sim->logSize();
    p.Bt_Apply->userClick();
    EXPECT_TRUE(hasSet(mark, kApMode, "1"));
    EXPECT_TRUE(hasSet(mark, kVlanState, "1"));
    EXPECT_TRUE(hasSet(mark, col(8, 1), "1"));
    EXPECT_TRUE(hasSet(mark, col(8, 2), "40"));
    EXPECT_TRUE(hasSet(mark, col(8, 4), "4"));
    EXPECT_EQ(stored(col(8, 2)), "ok i 40");
}

// A key the device shows masked is never written back; the guest's other settings are.
TEST_F(MultissidTest, MaskedKeySendsNoKey) {
    ASSERT_TRUE(startSim()) << sim->error();
    deviceGuest(1, 1, 1, 2, "**********");
    TFM_MultiSSIDForm& p = open();
    ASSERT_TRUE(p.GuestKeyvalueEdit[0]->enabled());
    const size_t mark = sim->logSize();
    p.Bt_Apply->userClick();
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(hasSet(mark, col(6, 2), "2"));
    for (const auto& l : sets(mark)) EXPECT_NE(l.asked, col(7, 2));
    EXPECT_EQ(stored(col(7, 2)), "ok s \"**********\"");
}

// The device's mask need not have a key's length: it is kept all the same, not refused, while the
// other guest's retyped key goes out.
TEST_F(MultissidTest, MaskOfAnotherLengthIsKeptNotRefused) {
    ASSERT_TRUE(startSim()) << sim->error();
    deviceGuest(1, 1, 1, 2, "********");
    deviceGuest(2, 2, 1, 3, "0123456789");
    TFM_MultiSSIDForm& p = open();
    ASSERT_EQ(p.GuestKeySize[0]->text(), u"64 Bits");
    p.GuestKeyvalueEdit[1]->setText(QStringLiteral("9876543210"));
    const size_t mark = sim->logSize();
    p.Bt_Apply->userClick();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(p.StatusBar1->simpleText(), u"Set Success!");
    for (const auto& l : sets(mark)) EXPECT_NE(l.asked, col(7, 2));
    EXPECT_TRUE(hasSet(mark, col(7, 3), "9876543210"));
    EXPECT_EQ(stored(col(7, 2)), "ok s \"********\"");
}

// A text key goes out as its hex form; a refused Apply leaves the typed text and its type alone, so
// the next Apply sends the same key.
TEST_F(MultissidTest, TextKeySentAsHexAndKeptThroughARefusal) {
    ASSERT_TRUE(startSim()) << sim->error();
    deviceGuest(1, 1, 1, 2, "0123456789");
    deviceGuest(2, 2, 1, 3, "0123456789");
    TFM_MultiSSIDForm& p = open();
    p.show();
    p.GuestKeyType[0]->userSelect(1);
    p.GuestKeyvalueEdit[0]->setText(QStringLiteral("abcde"));
    p.GuestKeyvalueEdit[1]->setText(QStringLiteral("01234"));
    const size_t mark = sim->logSize();
    p.Bt_Apply->userClick();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, u"The Length of Guest SSID2's key in IEEE802.11g must be 10!");
    EXPECT_EQ(boxes[0].caption, u"Warning");
    EXPECT_TRUE(sets(mark).empty());
    EXPECT_EQ(p.GuestKeyvalueEdit[0]->text(), u"abcde");
    EXPECT_EQ(p.GuestKeyType[0]->text(), u"ASCII");

    p.GuestKeyvalueEdit[1]->setText(QStringLiteral("9876543210"));
    p.Bt_Apply->userClick();
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(hasSet(mark, col(7, 2), "6162636465"));
    EXPECT_TRUE(hasSet(mark, col(7, 3), "9876543210"));
    EXPECT_EQ(p.StatusBar1->simpleText(), u"Set Success!");
    // The device now holds the hex form, and the page says so.
    EXPECT_EQ(p.GuestKeyvalueEdit[0]->text(), u"6162636465");
    EXPECT_EQ(p.GuestKeyType[0]->text(), u"HEX");
    EXPECT_EQ(p.GuestKeySize[0]->text(), u"64 Bits");
}

// A refused row stops Apply: the rows before it stay written, nothing after it is sent, no restart
// follows, and the status says so; the master's row too, which is written synchronously.
struct RefusedRow {
    const char* name;
    std::string refused;                    // the object the device answers with genErr
    std::vector<std::string> writtenFirst;  // objects of the rows before it
    std::string notSent;                    // the first object of the row after it
};
void PrintTo(const RefusedRow& r, std::ostream* os) {
    *os << r.name;
}

class MultissidRefusedRow : public MultissidTest, public ::testing::WithParamInterface<RefusedRow> {};

TEST_P(MultissidRefusedRow, StopsWithSetError) {
    const RefusedRow& r = GetParam();
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("error " + r.refused + " genErr set"));
    TFM_MultiSSIDForm& p = open();
    const size_t mark = sim->logSize();
    p.Bt_Apply->userClick();
    EXPECT_EQ(p.StatusBar1->simpleText(), u"Set Error.");
    for (const auto& oid : r.writtenFirst) {
        bool written = false;
        for (const auto& l : sets(mark)) written = written || (l.asked == oid && l.status == "ok");
        EXPECT_TRUE(written) << oid;
    }
    for (const auto& l : sets(mark)) {
        EXPECT_NE(l.asked, r.notSent);
        EXPECT_NE(l.asked, kRestart);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, MultissidRefusedRow,
    ::testing::Values(RefusedRow{"Vlan", kVlanState, {}, col(3, 1)},
                      RefusedRow{"Master", col(3, 1), {kVlanState}, col(2, 2)},
                      RefusedRow{"Guest2", col(2, 3), {kVlanState, col(3, 1), col(2, 2)}, col(2, 4)}),
    [](const auto& info) { return std::string(info.param.name); });

// After an Apply every object is read again on Refresh, not only those the write carried, and the
// page shows what the device holds now.
TEST_F(MultissidTest, RefreshAfterApplyReadsEveryObject) {
    ASSERT_TRUE(startSim()) << sim->error();
    TFM_MultiSSIDForm& p = open();
    p.Bt_Apply->userClick();
    ASSERT_EQ(p.StatusBar1->simpleText(), u"Set Success!");
    device(col(3, 1), "s renamed");
    device(col(6, 3), "i 4");
    const size_t mark = sim->logSize();
    p.Bt_Refresh->userClick();
    waitFor([&] { return !p.reqAPMode->busy; });
    EXPECT_EQ(getOids(mark).size(), 1u + 5u + 21u + 2u);
    EXPECT_EQ(p.MasterSSIDEdit->text(), u"renamed");
    EXPECT_EQ(p.GuestKey[1]->text(), u"fourth");
}

// Closing while the AP mode's answer is still out: the answer never reaches the page.
TEST_F(MultissidTest, ClosedWhileTheApModeReadIsOut) {
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("delay 150"));
    makePage();
    ASSERT_TRUE(page->reqAPMode->busy);
    page.reset();
    ASSERT_TRUE(sim->ok("delay 0"));
    EXPECT_TRUE(sim->waitForLog([](const SimLogLine& l) { return l.asked == kSuperMode; }).has_value());
}

// ---- Refusals: the box, its title and focus, the edit emptied, and nothing written ----------------

struct Refusal {
    const char* name;
    std::vector<std::string> device;  // simulator commands before the page opens
    std::function<void(TFM_MultiSSIDForm&)> change;
    const char* message;
    const char* caption;
    const char* focus;    // the edit that has the focus afterwards; empty: not looked at
    const char* emptied;  // the edit emptied; empty: none
};
void PrintTo(const Refusal& r, std::ostream* os) {
    *os << r.name;
}

class MultissidRefusals : public MultissidTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(MultissidRefusals, BoxFocusAndNothingWritten) {
    const Refusal& r = GetParam();
    ASSERT_TRUE(startSim()) << sim->error();
    for (const auto& c : r.device) ASSERT_TRUE(sim->ok(c)) << c;
    TFM_MultiSSIDForm& p = open();
    p.show();
    if (r.change) r.change(p);
    boxes.clear();
    const size_t mark = sim->logSize();
    p.Bt_Apply->userClick();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QString::fromLatin1(r.message));
    EXPECT_EQ(boxes[0].caption, *r.caption ? QString::fromLatin1(r.caption) : forms::Application::title());
    if (*r.focus) {
        EXPECT_TRUE(p.findChild<forms::Edit*>(QString::fromLatin1(r.focus))->focused());
    }
    if (*r.emptied) {
        EXPECT_EQ(p.findChild<forms::Edit*>(QString::fromLatin1(r.emptied))->text(), u"");
    }
    EXPECT_TRUE(sets(mark).empty());
}

std::vector<std::string> guestOn(int g, int keyIndex, const std::string& key) {
    const int n = g + 2;  // the master's row comes first
    return {"set " + col(2, n) + " i 1", "set " + col(5, n) + " i 1",
            "set " + col(6, n) + " i " + std::to_string(keyIndex), "set " + col(7, n) + " s " + key};
}

const Refusal kRefusals[] = {
    // A guest that is off still needs its SSID.
    {"DisabledGuestWithEmptySsid",
     {"set " + col(3, 2) + " s \"\""},
     {},
     "Please Input SSID in Guest SSID1.",
     "Warning",
     "",
     ""},
    {"SsidStartsWithBlank",
     {},
     [](TFM_MultiSSIDForm& p) {
         p.GuestCheckBox[2]->userClick();
         p.GuestSSIDEdit[2]->setText(" lobby");
     },
     "The first character can't be blank in Guest SSID3.",
     "Error",
     "GuestSSIDEdit3",
     ""},
    {"VlanOnEmptyGuestId",
     {"set " + E + "2.9.1.1.1.1 i 1"},
     [](TFM_MultiSSIDForm& p) { p.GuestGroupID[1]->setText(""); },
     "The 11g guest SSID2's ID is invalid.The range of ID is 1 to 4095.",
     "Warning",
     "GuestGroupID2",
     ""},
    {"KeyIndexSameAsMaster",
     guestOn(1, 1, "0123456789"),
     {},
     "The 11g Guest SSID2's key index is same as master SSID",
     "Warning",
     "",
     ""},
    {"SsidSameAsAnotherGuest",
     {"set " + col(2, 2) + " i 1", "set " + col(2, 4) + " i 1", "set " + col(3, 4) + " s qmx-ap-2"},
     {},
     "The 11g Guest SSID1's SSID is same as SSID3's SSID",
     "Warning",
     "GuestSSIDEdit1",
     ""},
    {"KeyWrongLength", guestOn(0, 2, "0123456789"),
     [](TFM_MultiSSIDForm& p) { p.GuestKeySize[0]->userSelect(1); },
     "The Length of Guest SSID1's key in IEEE802.11g must be 26!", "Warning", "", ""},
    {"KeyNotHex", guestOn(2, 3, "0123456789"),
     [](TFM_MultiSSIDForm& p) { p.GuestKeyvalueEdit[2]->setText("zz23456789"); },
     "Please input  Hexadecimal digits!", "", "", "GuestKeyvalueEdit3"},
};

INSTANTIATE_TEST_SUITE_P(Table, MultissidRefusals, ::testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- The handlers ---------------------------------------------------------------------------------

// A guest's security choice sets its hidden authentication and encryption, and its key editors
// follow; Apply writes what the choice says.
TEST_F(MultissidTest, SecurityChoiceDrivesEncryptionAndKeys) {
    ASSERT_TRUE(startSim()) << sim->error();
    device(col(2, 3), "i 1");
    device(col(6, 3), "i 2");
    device(col(7, 3), "s 00112233445566778899aabbcc");
    TFM_MultiSSIDForm& p = open();
    p.show();
    ASSERT_EQ(p.TempComboBox[1]->text(), u"None");
    EXPECT_FALSE(p.GuestKeyvalueEdit[1]->enabled());
    ASSERT_TRUE(p.TempComboBox[1]->userSelect(2));
    EXPECT_EQ(p.GuestSecurity[1]->text(), u"Shared Key");
    EXPECT_EQ(p.EnableEncryption[1]->text(), u"enabled");
    EXPECT_TRUE(p.GuestKeyvalueEdit[1]->enabled());
    EXPECT_EQ(p.GuestKeySize[1]->text(), u"128 Bits");
    const size_t mark = sim->logSize();
    p.Bt_Apply->userClick();
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(hasSet(mark, col(4, 3), "2"));
    EXPECT_TRUE(hasSet(mark, col(5, 3), "1"));
    EXPECT_TRUE(hasSet(mark, col(7, 3), "00112233445566778899aabbcc"));

    ASSERT_TRUE(p.TempComboBox[1]->userSelect(0));
    EXPECT_EQ(p.EnableEncryption[1]->text(), u"disabled");
    EXPECT_FALSE(p.GuestKeyvalueEdit[1]->enabled());
    EXPECT_FALSE(p.GuestKey[1]->enabled());
}

// Leaving a guest's SSID edit checks it against the others; choosing a key index checks it too.
TEST_F(MultissidTest, ExitAndKeyIndexChecks) {
    ASSERT_TRUE(startSim()) << sim->error();
    for (const auto& c : guestOn(0, 2, "0123456789")) ASSERT_TRUE(sim->ok(c));
    TFM_MultiSSIDForm& p = open();
    p.show();
    ASSERT_TRUE(p.GuestSSIDEdit[0]->userFocus());
    p.GuestSSIDEdit[0]->setText(QStringLiteral("qmx-ap-1"));
    EXPECT_FALSE(p.TempComboBox[0]->userFocus());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, u"The 11g Guest SSID1's SSID is same as master SSID");
    EXPECT_TRUE(p.GuestSSIDEdit[0]->focused());

    p.GuestSSIDEdit[0]->setText(QStringLiteral("lobby"));
    ASSERT_TRUE(p.GuestKey[0]->userSelect(0));
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, u"The 11g Guest SSID1's key index is same as master SSID");
    EXPECT_EQ(boxes[1].caption, u"Warning");
}

}  // namespace
