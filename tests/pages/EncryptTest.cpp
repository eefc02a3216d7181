// The wireless security page against the device simulator over real UDP on loopback: what it shows,
// what each Apply writes and in which order, its refusals, and its security servers dialog.

#include <gtest/gtest.h>

#include <QTimer>

#include <functional>
#include <string>
#include <vector>

#include "module/Main.h"
#include "module/Wait.h"
#include "pages/wireless/Encrypt.h"
#include "pages/wireless/Sss.h"
#include "tests/NamedRows.h"
#include "tests/pages/WaitingTicks.h"
#include "tests/support/PageUnderTest.h"
#include "tests/support/PageRow.h"

namespace {

using hvtest::PrintTo;

const std::string E = "1.3.6.1.4.1.47011.11.37.4.";
const std::string kAuth = E + "2.5.1.1.1.1";
const std::string kEncryption = E + "2.5.1.1.2.1";
const std::string kValidKey = E + "2.5.1.1.3.1";
const std::string kPassPhrase = E + "2.5.1.1.4.1";
const std::string kCipher = E + "2.5.1.1.5.1";
const std::string kInterval = E + "2.5.1.1.6.1";
const std::string kApMode = E + "2.1.1.1.1";
const std::string kRestart = E + "3.3.5.0";
std::string key(int n) {
    return E + "2.5.3.1.1.1." + std::to_string(n);
}

// The objects of this page, its dialog and the waiting dialog's restart.
bool pageObject(const std::string& oid) {
    for (const char* p : {"2.5.", "2.1.1.1", "3.3.5"})
        if (oid.rfind(E + p, 0) == 0) return true;
    return false;
}

const QString k26 = QStringLiteral("0123456789abcdef0123456789");

class EncryptTest : public PageUnderTest<TFM_Encrypt> {
protected:
    void SetUp() override {
        PageUnderTest::SetUp();
        setFilter = [](const SimLogLine& l) { return pageObject(l.asked); };
    }

    TFM_Encrypt& open() { return makePage(); }
    void set(const std::string& oid, const std::string& typeValue) {
        ASSERT_TRUE(sim->ok("set " + oid + " " + typeValue)) << oid;
    }
    // The sets from `from` on as "OID=VALUE", the OIDs after the enterprise arc.
    std::vector<std::string> written(size_t from) const { return setLog(from, E); }
    // The reads from `from` on, the OIDs after the enterprise arc.
    std::vector<std::string> read(size_t from) const {
        std::vector<std::string> out;
        for (const auto& l : sim->requests(from))
            if (l.op == "GET" && pageObject(l.asked)) out.push_back(l.asked.substr(E.size()));
        return out;
    }
    bool restarted(size_t from) const {
        for (const auto& l : sets(from))
            if (l.asked == kRestart && l.value == "4") return true;
        return false;
    }
    // Clicks Apply and records the waiting dialog, if one opens, tick by tick.
    WaitingTicks apply(TFM_Encrypt& p) {
        return watchWaiting(p, [&] { p.Bt_Apply->userClick(); });
    }

    // Opens the servers dialog from the page's button; act runs inside its modal loop.
    void withServersDialog(TFM_Encrypt& p, std::function<void(TFM_SSS&)> act) {
        QTimer::singleShot(0, [&p, act] {
            TFM_SSS* d = p.serversDialog();
            ASSERT_NE(d, nullptr);
            whenShown(d, [d, act] { act(*d); });
        });
        p.Bt_Adv->userClick();
        EXPECT_EQ(p.serversDialog(), nullptr);
    }
};

TEST_F(EncryptTest, OpensWithTheDeviceValues) {
    ASSERT_TRUE(startSim()) << sim->error();
    set(kEncryption, "i 1");
    set(kValidKey, "i 2");
    for (int n = 1; n <= 4; ++n) set(key(n), "s " + k26.toStdString());
    TFM_Encrypt& p = open();
    EXPECT_EQ(read(0), (std::vector<std::string>{"2.5.1.1.1.1", "2.5.1.1.2.1", "2.5.1.1.3.1", "2.5.3.1.1.1.1",
                                                 "2.5.3.1.1.1.2", "2.5.3.1.1.1.3", "2.5.3.1.1.1.4",
                                                 "2.1.1.1.0", "2.5.1.1.4.1", "2.5.1.1.5.1", "2.5.1.1.6.1"}));
    EXPECT_EQ(p.caption(), u"Advanced \\ Encryption");
    EXPECT_EQ(p.TS_80211a->caption(), QString::fromStdString(BandNameA));
    EXPECT_FALSE(p.TS_80211g->tabVisible());
    EXPECT_EQ(p.CB_SecAutha->text(), u"Open System");
    EXPECT_EQ(p.CB_SecEncypa->text(), u"Enable");
    EXPECT_EQ(p.CB_SecValKeya->text(), u"Second");
    EXPECT_EQ(p.CB_KeyTypeA->text(), u"HEX");
    // The valid key's 26 digits give the size; the keys show masked, not as the device sent them.
    EXPECT_EQ(p.CB_KeySizeA->text(), u"128 Bits");
    for (auto* k : p.Ed_Keya) {
        EXPECT_EQ(k->text(), QString(26, '*'));
        EXPECT_EQ(k->maxLength(), 26);
        EXPECT_TRUE(k->visible());
        EXPECT_FALSE(k->readOnly());
    }
    for (auto* k : p.Ed_Keyt) EXPECT_FALSE(k->visible());
    EXPECT_EQ(p.CB_11a_APM->text(), u"Access Point");
    EXPECT_EQ(p.CB_CipherTypea->text(), u"Auto");
    EXPECT_EQ(p.Ed_GKUIa->text(), u"300");
    EXPECT_TRUE(p.Ed_GKUIa->readOnly());
    EXPECT_TRUE(p.Ed_PassPha->readOnly());
    EXPECT_EQ(p.Ed_PassPha->maxLength(), 63);
    EXPECT_FALSE(p.CB_CipherTypea->enabled());
    EXPECT_TRUE(p.CB_KeySizeA->enabled());
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(sets(0).empty());
}

TEST_F(EncryptTest, MenuOpensThePageOnOldFirmwareOnly) {
    ASSERT_TRUE(startSim()) << sim->error();
    const HvPageEntry row = pageRow("adEncryption2");
    EXPECT_EQ(openFromMenu(row), u"Advanced \\ Encryption");
    EXPECT_TRUE(FM_Encrypt.isNull());

    TMainForm& window = start({}, {row});
    ASSERT_NE(window.adEncryption2, nullptr);
    for (const auto& [firmware, shown] :
         {std::pair{"v1.00.05", true}, {"v2.20.01", false}, {"v2.10.02", false}}) {
        window.Ed_FwVer->setText(QString::fromLatin1(firmware));
        emit window.advanced2->menu()->aboutToShow();
        EXPECT_EQ(window.adEncryption2->visible(), shown) << firmware;
    }
}

TEST_F(EncryptTest, OpenSystemWithoutEncryptionWritesNoKeyAndRestarts) {
    ASSERT_TRUE(startSim()) << sim->error();
    TFM_Encrypt& p = open();
    const size_t mark = sim->logSize();
    p.Bt_Apply->userClick();
    const std::vector<std::string> w = written(mark);
    ASSERT_GE(w.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(w.begin(), w.begin() + 3),
              (std::vector<std::string>{"2.5.1.1.1.1=1", "2.5.1.1.2.1=0", "2.5.1.1.3.1=1"}));
    // The WPA request had nothing to carry: no empty write went out.
    EXPECT_EQ(w.back(), "3.3.5.0=4");
    EXPECT_EQ(w.size(), 4u);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(p.waiting(), nullptr);
}

TEST_F(EncryptTest, OnlyTheRetypedHexKeyIsWritten) {
    ASSERT_TRUE(startSim()) << sim->error();
    set(kEncryption, "i 1");
    TFM_Encrypt& p = open();
    ASSERT_TRUE(p.CB_KeySizeA->userSelect(1));
    p.Ed_Keya[1]->setText(k26);
    const size_t mark = sim->logSize();
    const WaitingTicks seen = apply(p);
    EXPECT_TRUE(boxes.empty());
    // The application's waiting dialog: 20 ticks, the restart on the fifth.
    EXPECT_EQ(seen, countingDown(false, 20, 5));
    EXPECT_EQ(written(mark), (std::vector<std::string>{"2.5.1.1.1.1=1", "2.5.1.1.2.1=1", "2.5.1.1.3.1=1",
                                                       "2.5.3.1.1.1.2=" + k26.toStdString(), "3.3.5.0=4"}));
    // Masked again for the next Apply.
    EXPECT_EQ(p.Ed_Keya[1]->text(), QString(26, '*'));
}

TEST_F(EncryptTest, TextKeyIsWrittenInHex) {
    ASSERT_TRUE(startSim()) << sim->error();
    set(kEncryption, "i 1");
    TFM_Encrypt& p = open();
    ASSERT_TRUE(p.CB_KeyTypeA->userSelect(1));
    for (auto* k : p.Ed_Keyt) {
        EXPECT_TRUE(k->visible());
        EXPECT_EQ(k->text(), u"*****");
    }
    for (auto* k : p.Ed_Keya) EXPECT_FALSE(k->visible());
    p.Ed_Keyt[0]->setText(QStringLiteral("abcde"));
    const size_t mark = sim->logSize();
    p.Bt_Apply->userClick();
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(hasSet(mark, key(1), "6162636465"));
    for (int n = 2; n <= 4; ++n)
        for (const auto& l : sets(mark)) EXPECT_NE(l.asked, key(n));
    EXPECT_EQ(p.Ed_Keyt[0]->text(), u"*****");
}

// After a Refresh under ASCII the hidden hex edits hold the device's keys; only typed text keys
// are written, never those.
TEST_F(EncryptTest, RefreshUnderAsciiWritesNoKeyBack) {
    ASSERT_TRUE(startSim()) << sim->error();
    set(kEncryption, "i 1");
    for (int n = 1; n <= 4; ++n) set(key(n), "s 012345678" + std::to_string(n));
    TFM_Encrypt& p = open();
    ASSERT_TRUE(p.CB_KeyTypeA->userSelect(1));
    p.Bt_Ref->userClick();
    ASSERT_EQ(p.Ed_Keya[0]->text(), u"0123456781");
    for (auto* k : p.Ed_Keyt) EXPECT_EQ(k->text(), u"*****");
    const size_t mark = sim->logSize();
    p.Bt_Apply->userClick();
    EXPECT_TRUE(boxes.empty());
    for (const auto& l : sets(mark)) EXPECT_EQ(l.asked.rfind(E + "2.5.3.", 0), std::string::npos) << l.asked;
    EXPECT_TRUE(hasSet(mark, kRestart, "4"));
}

// A refused key writes nothing, and no edit is left in another form than its type shows.
struct KeyRefusal {
    const char* name;
    int type;
    int edit;  // 0..3
    QString text;
    QString box;
    bool emptied;
};

const KeyRefusal kKeyRefusals[] = {
    {"HexWithG", 0, 0, "012345678G", "Please input  Hexadecimal digits!", true},
    {"HexTooShort", 0, 2, "01234", "The Length of the 3rd key in IEEE802.11a must be 10!", false},
    {"TextBeyondAscii", 1, 1,
     QString::fromUtf8("ab\xc3\xa9"
                       "de"),
     "Please input  Hexadecimal digits!", true},
    {"TextTooShort", 1, 3, "abc", "The Length of the 4th key in IEEE802.11a must be 5!", false},
};

class EncryptKeyRefusals : public EncryptTest, public ::testing::WithParamInterface<KeyRefusal> {};

TEST_P(EncryptKeyRefusals, WriteNothingAndConvertNothing) {
    const KeyRefusal& c = GetParam();
    ASSERT_TRUE(startSim()) << sim->error();
    set(kEncryption, "i 1");
    TFM_Encrypt& p = open();
    ASSERT_TRUE(p.CB_KeyTypeA->userSelect(c.type));
    auto& edits = c.type == 0 ? p.Ed_Keya : p.Ed_Keyt;
    // A good text key typed before the bad one stays text.
    if (c.type == 1 && c.edit > 0) edits[0]->setText(QStringLiteral("abcde"));
    edits[static_cast<size_t>(c.edit)]->setText(c.text);
    const size_t mark = sim->logSize();
    p.Bt_Apply->userClick();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, c.box);
    EXPECT_EQ(edits[static_cast<size_t>(c.edit)]->text(), c.emptied ? QString() : c.text);
    if (c.type == 1 && c.edit > 0) {
        EXPECT_EQ(p.Ed_Keyt[0]->text(), u"abcde");
        EXPECT_EQ(p.Ed_Keya[0]->text(), QString(10, '*'));
    }
    EXPECT_TRUE(written(mark).empty());
}

INSTANTIATE_TEST_SUITE_P(Table, EncryptKeyRefusals, ::testing::ValuesIn(kKeyRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EncryptTest, IntervalIsCheckedInEveryMode) {
    ASSERT_TRUE(startSim()) << sim->error();
    set(kInterval, "i 299");
    TFM_Encrypt& p = open();
    ASSERT_EQ(p.CB_SecAutha->text(), u"Open System");
    const size_t mark = sim->logSize();
    p.Bt_Apply->userClick();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, u"Please enter a number between 300 and 9999999.");
    EXPECT_EQ(boxes[0].caption, u"Error");
    EXPECT_EQ(p.Ed_GKUIa->text(), u"");
    EXPECT_TRUE(written(mark).empty());
}

TEST_F(EncryptTest, WpaPskWritesThePassPhraseCipherAndInterval) {
    ASSERT_TRUE(startSim()) << sim->error();
    TFM_Encrypt& p = open();
    ASSERT_TRUE(p.CB_SecAutha->userSelect(3));
    EXPECT_FALSE(p.Ed_PassPha->readOnly());
    EXPECT_TRUE(p.CB_CipherTypea->enabled());
    EXPECT_FALSE(p.CB_SecEncypa->enabled());
    EXPECT_EQ(p.CB_SecEncypa->text(), u"Enable");
    EXPECT_FALSE(p.CB_SecValKeya->enabled());
    EXPECT_EQ(p.Ed_GKUIa->maxLength(), 7);
    p.Ed_PassPha->setText(QStringLiteral("1234567"));
    size_t mark = sim->logSize();
    p.Bt_Apply->userClick();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, u"The length of 802.11g PassPhrase is between 8 and 63.");
    EXPECT_TRUE(written(mark).empty());

    p.Ed_PassPha->setText(QStringLiteral("12345678"));
    ASSERT_TRUE(p.CB_CipherTypea->userSelect(2));
    p.Ed_GKUIa->setText(QStringLiteral("9999999"));
    mark = sim->logSize();
    p.Bt_Apply->userClick();
    EXPECT_EQ(written(mark), (std::vector<std::string>{"2.5.1.1.1.1=4", "2.5.1.1.4.1=12345678",
                                                       "2.5.1.1.5.1=3", "2.5.1.1.6.1=9999999", "3.3.5.0=4"}));
}

// The device shows its passphrase masked: Apply keeps it, whatever the mask's length, and writes
// the rest of the WPA settings.
class EncryptMaskedPassPhrase : public EncryptTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(EncryptMaskedPassPhrase, IsNotWrittenBack) {
    ASSERT_TRUE(startSim()) << sim->error();
    set(kAuth, "i 4");
    set(kEncryption, "i 1");
    set(kPassPhrase, std::string("s ") + GetParam());
    TFM_Encrypt& p = open();
    ASSERT_EQ(p.CB_SecAutha->text(), u"WPA-PSK");
    ASSERT_EQ(p.Ed_PassPha->text(), QString::fromLatin1(GetParam()));
    ASSERT_TRUE(p.CB_CipherTypea->userSelect(1));
    const size_t mark = sim->logSize();
    p.Bt_Apply->userClick();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(written(mark),
              (std::vector<std::string>{"2.5.1.1.1.1=4", "2.5.1.1.5.1=2", "2.5.1.1.6.1=300", "3.3.5.0=4"}));
    EXPECT_EQ(sim->command("get " + kPassPhrase), std::string("ok s \"") + GetParam() + "\"");
}

INSTANTIATE_TEST_SUITE_P(Masks, EncryptMaskedPassPhrase, ::testing::Values("********", "*****"),
                         [](const auto& info) {
                             return "Stars" + std::to_string(std::string(info.param).size());
                         });

// A key edit left with asterisks only is the device's key, even when fewer are left than the size
// shows: nothing refuses it and nothing writes it; the key typed beside it goes out.
TEST_F(EncryptTest, MaskOfAnotherLengthIsKeptNotRefused) {
    ASSERT_TRUE(startSim()) << sim->error();
    set(kEncryption, "i 1");
    set(key(3), "s 0123456783");
    TFM_Encrypt& p = open();
    p.show();
    ASSERT_EQ(p.Ed_Keya[2]->text(), QString(10, '*'));
    p.Ed_Keya[2]->userBackspace(3);
    ASSERT_EQ(p.Ed_Keya[2]->text(), QString(7, '*'));
    p.Ed_Keya[3]->setText(QStringLiteral("9876543210"));
    const size_t mark = sim->logSize();
    p.Bt_Apply->userClick();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(written(mark), (std::vector<std::string>{"2.5.1.1.1.1=1", "2.5.1.1.2.1=1", "2.5.1.1.3.1=1",
                                                       "2.5.3.1.1.1.4=9876543210", "3.3.5.0=4"}));
    EXPECT_EQ(sim->command("get " + key(3)), "ok s \"0123456783\"");
}

TEST_F(EncryptTest, Wpa2ApplyWritesNothing) {
    ASSERT_TRUE(startSim()) << sim->error();
    set(kAuth, "i 6");
    TFM_Encrypt& p = open();
    ASSERT_EQ(p.CB_SecAutha->text(), u"WPA2-PSK");
    const size_t mark = sim->logSize();
    p.Bt_Apply->userClick();
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(written(mark).empty());
}

// A WPA choice the AP mode refuses goes back to Open System with the encryption the user had, and
// the fields open again: the WPA rules had forced encryption on and locked it.
TEST_F(EncryptTest, WpaRefusedOffAnAccessPointRestoresTheFields) {
    ASSERT_TRUE(startSim()) << sim->error();
    set(kApMode, "i 2");
    TFM_Encrypt& p = open();
    ASSERT_EQ(p.CB_SecEncypa->text(), u"Disable");
    ASSERT_TRUE(p.CB_SecAutha->userSelect(3));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, u"AP Mode not supports WPA .");
    EXPECT_EQ(boxes[0].caption, u"Warning");
    EXPECT_EQ(p.CB_SecAutha->text(), u"Open System");
    EXPECT_EQ(p.CB_SecEncypa->text(), u"Disable");
    EXPECT_TRUE(p.CB_SecEncypa->enabled());
    EXPECT_TRUE(p.Ed_PassPha->readOnly());
    EXPECT_FALSE(p.CB_CipherTypea->enabled());
    const size_t mark = sim->logSize();
    p.Bt_Apply->userClick();
    EXPECT_EQ(written(mark).at(1), "2.5.1.1.2.1=0");
}

TEST_F(EncryptTest, RefusedWriteRestartsNothing) {
    ASSERT_TRUE(startSim()) << sim->error();
    TFM_Encrypt& p = open();
    ASSERT_TRUE(sim->ok("error " + kAuth + " genErr set"));
    const size_t mark = sim->logSize();
    EXPECT_FALSE(apply(p).shown);
    EXPECT_EQ(p.StatusBar->simpleText(), u"Setting Error!");
    EXPECT_FALSE(restarted(mark));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(EncryptTest, RefusedWpaWriteStopsTheChain) {
    ASSERT_TRUE(startSim()) << sim->error();
    TFM_Encrypt& p = open();
    ASSERT_TRUE(p.CB_SecAutha->userSelect(3));
    p.Ed_PassPha->setText(QStringLiteral("passphrase"));
    ASSERT_TRUE(sim->ok("error " + kPassPhrase + " genErr set"));
    const size_t mark = sim->logSize();
    p.Bt_Apply->userClick();
    EXPECT_EQ(p.StatusBar->simpleText(), u"Setting Error!");
    EXPECT_TRUE(hasSet(mark, kAuth, "4"));
    EXPECT_FALSE(restarted(mark));
}

// An Apply leaves no item out of the next read.
TEST_F(EncryptTest, RefreshAfterApplyReadsEveryObject) {
    ASSERT_TRUE(startSim()) << sim->error();
    TFM_Encrypt& p = open();
    p.Bt_Apply->userClick();
    set(kInterval, "i 600");
    set(kEncryption, "i 1");
    const size_t mark = sim->logSize();
    p.Bt_Ref->userClick();
    EXPECT_EQ(read(mark),
              (std::vector<std::string>{"2.5.1.1.1.1", "2.5.1.1.2.1", "2.5.1.1.3.1", "2.5.3.1.1.1.1",
                                        "2.5.3.1.1.1.2", "2.5.3.1.1.1.3", "2.5.3.1.1.1.4", "2.5.1.1.4.1",
                                        "2.5.1.1.5.1", "2.5.1.1.6.1"}));
    EXPECT_EQ(p.Ed_GKUIa->text(), u"600");
    EXPECT_EQ(p.CB_SecEncypa->text(), u"Enable");
    EXPECT_TRUE(p.CB_KeyTypeA->enabled());
}

// WPA-EAP needs the servers dialog's write, and each of its writes counts for one Apply only.
TEST_F(EncryptTest, WpaEapNeedsTheServersEachTime) {
    ASSERT_TRUE(startSim()) << sim->error();
    TFM_Encrypt& p = open();
    ASSERT_TRUE(p.CB_SecAutha->userSelect(4));
    EXPECT_TRUE(p.Ed_PassPha->readOnly());
    size_t mark = sim->logSize();
    p.Bt_Apply->userClick();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, u"Please Set Security Server!");
    EXPECT_EQ(boxes[0].caption, u"Error");
    EXPECT_TRUE(written(mark).empty());

    withServersDialog(p, [](TFM_SSS& d) {
        ASSERT_TRUE(waitFor([&] { return d.Bt_Apply->enabled(); }));
        d.Ed_RadiusSrv->setText(QStringLiteral("10.0.0.2"));
        d.Bt_Apply->userClick();
    });
    EXPECT_TRUE(p.serverSettingsApplied);
    mark = sim->logSize();
    p.Bt_Apply->userClick();
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(written(mark),
              (std::vector<std::string>{"2.5.1.1.1.1=5", "2.5.1.1.5.1=1", "2.5.1.1.6.1=300", "3.3.5.0=4"}));
    EXPECT_FALSE(p.serverSettingsApplied);
    mark = sim->logSize();
    p.Bt_Apply->userClick();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, u"Please Set Security Server!");
    EXPECT_TRUE(written(mark).empty());
}

}  // namespace
