// The wireless page against the device simulator over real UDP on loopback: what it shows for a
// full, a guest-SSID and a legacy device, its checks, what Apply writes and in which order, a refused
// write, and the site survey.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "module/Main.h"
#include "pages/wireless/Wirless.h"
#include "platform/forms/Forms.h"
#include "tests/NamedRows.h"
#include "tests/sim/SimProcess.h"
#include "tests/support/PageUnderTest.h"
#include "tests/pages/WirlessFixture.h"

namespace {

using hvtest::PrintTo;
using namespace wirlesstest;

TEST_F(WirlessTest, OpensWithTheDeviceValues) {
    ASSERT_TRUE(startSim()) << sim->error();
    device("1.1.1.1.1", "s lab-ap");
    device("1.1.1.3.1", "i 9");
    device("2.1.1.1.1", "i 3");  // PtMP Bridge
    device("2.2.1.2.1.1", "x 001122334455");
    device("2.5.1.1.1.1", "i 4");  // WPA-PSK
    device("2.5.1.1.4.1", "s secret-phrase");
    device("2.5.1.1.6.1", "i 3600");
    TFM_Wirless& p = open();

    EXPECT_EQ(p.variant(), WirlessRules::Variant::Full);
    EXPECT_EQ(p.Ed_SSIDa->text(), u"lab-ap");
    EXPECT_EQ(p.Ed_SSID->text(), u"lab-ap");
    EXPECT_EQ(p.CB_Chana->text(), u"9");
    EXPECT_EQ(p.CB_Chana->itemCount(), 11);
    EXPECT_EQ(p.ED_APModeComboBox->text(), u"PtMP Bridge");
    EXPECT_EQ(p.ED_APModeTempComboBox->text(), u"WDS with AP");
    EXPECT_EQ(p.Ed_ReMAddra[0]->text(), u"001122334455");
    EXPECT_EQ(p.Ed_ReMAddra[1]->text(), u"");  // an empty slot
    EXPECT_FALSE(p.Ed_ReMAddra[1]->readOnly());
    EXPECT_TRUE(p.GroupBox1->isVisibleTo(&p));
    EXPECT_FALSE(p.GroupBox2->isVisibleTo(&p));
    // The device's authentication is shown as itself, with the pass-phrase group.
    EXPECT_EQ(p.Ed_SecAuthaTemp->text(), u"WPA-PSK");
    EXPECT_TRUE(p.GroupBox6->isVisibleTo(&p));
    EXPECT_FALSE(p.GroupBox4->isVisibleTo(&p));
    EXPECT_EQ(p.PassPhrasePSKEdit->text(), u"secret-phrase");
    EXPECT_EQ(p.GroupKeyPSKEdit->text(), u"3600");
    EXPECT_EQ(p.AD_SuperMode->itemCount(), 3);
    EXPECT_EQ(p.AD_SuperMode->text(), u"Disable");
    EXPECT_FALSE(p.CbxRadio->text().isEmpty());
    EXPECT_TRUE(p.hasAutoChannelScan);
    EXPECT_TRUE(p.hasKeyType);
    EXPECT_EQ(p.Bt_Apply->top(), 440);
    EXPECT_FALSE(p.TS_11g->isEnabled());
    EXPECT_EQ(p.StatusBar->panel(0)->width(), 50);
    EXPECT_TRUE(boxes.empty());

    EXPECT_EQ(
        firstReads({"2.3.1.14.1.0", "2.1.1.1.1", "2.1.1.3.1.0", "2.5.1.1.1.1.0", "2.5.1.1.7.0", "2.9.3.1.1.0",
                    "2.5.1.1.5.1.0", "2.5.2.4.0.0", "1.1.1.5.1.0", "2.3.1.11.0", "2.3.1.15.0", "2.3.1.16.0",
                    "2.3.1.12.1.0", "2.3.1.26.1.0"}),
        // Every read, synchronous or asynchronous, out together in the page's order.
        (std::vector<std::string>{"2.3.1.14.1.0", "2.1.1.1.1", "2.1.1.3.1.0", "2.5.1.1.1.1.0", "2.5.1.1.7.0",
                                  "2.9.3.1.1.0", "2.5.1.1.5.1.0", "2.5.2.4.0.0", "1.1.1.5.1.0", "2.3.1.11.0",
                                  "2.3.1.15.0", "2.3.1.16.0", "2.3.1.12.1.0", "2.3.1.26.1.0"}));
    // Neither guest object is read on a firmware with multiple SSIDs.
    EXPECT_TRUE(firstReads({"2.9.1.1.1.1"}).empty());
}

TEST_F(WirlessTest, WithoutMultipleSsidsReadsTheGuestsAndOffersFourSuperModes) {
    ASSERT_TRUE(startSim()) << sim->error();
    TFM_Wirless& p = open({"0"});
    EXPECT_EQ(p.AD_SuperMode->itemCount(), 4);
    EXPECT_EQ(p.AD_SuperMode->text(), u"Disable");
    EXPECT_EQ(firstReads({"2.9.1.1.1.1", "2.9.2.1.6.1.2.0"}),
              (std::vector<std::string>{"2.9.1.1.1.1", "2.9.2.1.6.1.2.0"}));
    EXPECT_TRUE(firstReads({"2.9.3.1.1.0"}).empty());
    EXPECT_EQ(p.Ed_SecAuthaTemp->text(), u"Open System");
    EXPECT_TRUE(p.GroupBox4->isVisibleTo(&p));
}

// The main window clears its capability fields, as its poll does, and a cleared field reads 0:
// Refresh keeps to the capabilities the page was created with, multiple SSIDs and all.
TEST_F(WirlessTest, RefreshKeepsTheCapabilitiesOfItsCreation) {
    ASSERT_TRUE(startSim()) << sim->error();
    TFM_Wirless& p = open();
    ASSERT_EQ(p.AD_SuperMode->itemCount(), 3);
    const int apModes = p.ED_APModeTempComboBox->itemCount(), auths = p.Ed_SecAuthaTemp->itemCount();
    ASSERT_EQ(apModes, 5);
    ASSERT_EQ(auths, 9);
    for (auto* f : {main->NewMultiSupport, main->ifMultiSSID_Edit, main->APModeSupport, main->Ed_KeyTypeSup,
                    main->ApmodeStringChangeSupport, main->mssidAndWdssupport})
        f->setText(QString());
    const size_t mark = sim->logSize();
    p.Bt_Refresh->userClick();
    ASSERT_TRUE(waitFor([&] { return p.idle(); }));
    const auto reads = pageLog(mark, "GET");
    EXPECT_NE(std::find(reads.begin(), reads.end(), "2.9.3.1.1.0"), reads.end());
    EXPECT_EQ(std::find(reads.begin(), reads.end(), "2.9.1.1.1.1"), reads.end());
    EXPECT_EQ(p.AD_SuperMode->itemCount(), 3);
    EXPECT_EQ(p.ED_APModeTempComboBox->itemCount(), apModes);
    EXPECT_EQ(p.ED_APModeTempComboBox->text(), u"Access Point");
    EXPECT_EQ(p.Ed_SecAuthaTemp->itemCount(), auths);
    EXPECT_EQ(p.variant(), WirlessRules::Variant::Full);
}

TEST_F(WirlessTest, LegacyDeviceGetsTheBasicPageAndItsShortApply) {
    ASSERT_TRUE(startSim({"--profile", "legacy"})) << sim->error();
    device("1.1.1.4.1", "s \"\"");  // an empty channel list
    TFM_Wirless& p = open({"0", "0", "v1.00.05", "0", "0"});
    EXPECT_EQ(p.variant(), WirlessRules::Variant::Basic);
    EXPECT_FALSE(p.GroupBox1->isVisibleTo(&p));
    EXPECT_FALSE(p.ED_APModeTempComboBox->isVisibleTo(&p));
    EXPECT_FALSE(p.GroupBox4->isVisibleTo(&p));
    EXPECT_EQ(p.Bt_Apply->top(), 159);
    EXPECT_EQ(p.PC_Wirless->height(), 153);
    EXPECT_EQ(p.CB_SSIDBcasta->top(), 58);
    EXPECT_EQ(p.CB_Chana->itemCount(), 11);
    EXPECT_EQ(p.AD_SuperMode->itemCount(), 4);
    EXPECT_TRUE(firstReads({"2.1.1.1.1", "2.3.1.14.1.0"}).empty());

    p.Ed_SSIDa->setText(QStringLiteral("legacy-ap"));
    const size_t mark = sim->logSize();
    p.Bt_Apply->userClick();
    EXPECT_EQ(pageLog(mark, "SET"),
              (std::vector<std::string>{"1.1.1.1.1.0=legacy-ap", "1.1.1.2.1.0=1", "1.1.1.3.1.0=6",
                                        "2.3.1.11.0=4", "2.3.1.12.1.0=1", "3.3.5.0=4"}));
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(p.StatusBar->simpleText(), u"Setting Success!");
}

TEST_F(WirlessTest, GoodApplyWritesInItsOrderThenRestarts) {
    ASSERT_TRUE(startSim()) << sim->error();
    device("2.5.1.1.1.1", "i 4");  // WPA-PSK
    device("2.5.1.1.4.1", "s secret-phrase");
    TFM_Wirless& p = open();
    p.Ed_SSIDa->setText(QStringLiteral("new-ap"));
    p.PassPhrasePSKEdit->setText(QStringLiteral("another-phrase"));
    const size_t mark = sim->logSize();
    p.Bt_Apply->userClick();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(pageLog(mark, "SET"),
              (std::vector<std::string>{"2.1.1.1.1=1", "1.1.1.1.1.0=new-ap", "1.1.1.2.1.0=1", "1.1.1.3.1.0=6",
                                        "2.3.1.11.0=4", "1.1.1.1.1.0=new-ap", "2.3.1.12.1.0=1",
                                        "2.5.1.1.1.1.0=4", "2.5.1.1.2.1.0=0", "2.5.1.1.5.1.0=1",
                                        "2.5.1.1.6.1.0=300", "2.5.1.1.4.1.0=another-phrase", "2.3.1.14.1.0=1",
                                        "2.5.1.1.7.0=2", "2.3.1.26.1.0=1", "3.3.5.0=4"}));
    EXPECT_EQ(p.StatusBar->simpleText(), u"Setting Success!");
    EXPECT_EQ(sim->command("get " + E + "2.5.1.1.4.1"), "ok s \"another-phrase\"");
}

// A write the device refuses ends in its message; nothing after it and no restart. The
// asynchronous writes (the radio, the pass phrase) count only once the device has taken them.
struct RefusedCase {
    const char* name;
    const char* oid;  // relative to E, as the page writes it
    const char* box;  // empty: none
};

class WirlessRefusedTest : public WirlessTest, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(WirlessRefusedTest, EndsInItsMessageWithoutRestart) {
    const RefusedCase& c = GetParam();
    ASSERT_TRUE(startSim()) << sim->error();
    device("2.5.1.1.1.1", "i 4");
    device("2.5.1.1.4.1", "s secret-phrase");
    TFM_Wirless& p = open();
    ASSERT_TRUE(sim->ok("error " + E + c.oid + " genErr set"));
    const size_t mark = sim->logSize();
    p.Bt_Apply->userClick();
    EXPECT_EQ(p.StatusBar->simpleText(), u"Setting error!");
    for (const auto& s : pageLog(mark, "SET")) {
        EXPECT_NE(s.rfind("3.3.5.0", 0), 0u) << s;
        EXPECT_NE(s.rfind("2.3.1.26.1.0", 0), 0u) << s;
    }
    if (*c.box) {
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, QString::fromLatin1(c.box));
        EXPECT_EQ(boxes[0].caption, u"Warning");
    } else {
        EXPECT_TRUE(boxes.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Writes, WirlessRefusedTest,
                         ::testing::Values(RefusedCase{"ApMode", "2.1.1.1.1", "req2ApMode set faild."},
                                           RefusedCase{"RadioWave", "2.3.1.12.1.0", ""},
                                           RefusedCase{"PassPhrase", "2.5.1.1.4.1.0",
                                                       "SelectToset set faild."},
                                           RefusedCase{"AutoChannelScan", "2.3.1.14.1.0", ""}),
                         [](const auto& info) { return std::string(info.param.name); });

// A check that refuses its input: its box, caption and focus, and nothing written.
struct CheckCase {
    const char* name;
    std::function<void(WirlessTest&)> device;
    std::function<void(TFM_Wirless&)> input;
    const char* message;
    const char* caption;
    const char* focus;  // empty: none
};

class WirlessCheckTest : public WirlessTest, public ::testing::WithParamInterface<CheckCase> {
public:
    void deviceSet(const std::string& rel, const std::string& v) { device(rel, v); }
};

TEST_P(WirlessCheckTest, RefusesWithItsBoxAndWritesNothing) {
    const CheckCase& c = GetParam();
    ASSERT_TRUE(startSim()) << sim->error();
    if (c.device) c.device(*this);
    TFM_Wirless& p = open();
    p.show();
    c.input(p);
    const size_t mark = sim->logSize();
    p.Bt_Apply->userClick();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QString::fromUtf8(c.message));
    EXPECT_EQ(boxes[0].caption, QString::fromLatin1(c.caption));
    if (*c.focus) {
        EXPECT_EQ(p.activeControl(), p.findChild<QWidget*>(QString::fromLatin1(c.focus)));
    }
    EXPECT_TRUE(pageLog(mark, "SET").empty());
}

void psk(WirlessTest& t) {
    static_cast<WirlessCheckTest&>(t).deviceSet("2.5.1.1.1.1", "i 4");
    static_cast<WirlessCheckTest&>(t).deviceSet("2.5.1.1.4.1", "s secret-phrase");
}

INSTANTIATE_TEST_SUITE_P(
    Checks, WirlessCheckTest,
    ::testing::Values(
        CheckCase{"EmptySsid",
                  {},
                  [](TFM_Wirless& p) { p.Ed_SSIDa->setText(QString()); },
                  "Please Input SSID.",
                  "Warning",
                  ""},
        CheckCase{"BlankFirst",
                  {},
                  [](TFM_Wirless& p) { p.Ed_SSIDa->setText(QStringLiteral(" ap")); },
                  "The first character can't be blank.",
                  "Error",
                  "Ed_SSIDa"},
        CheckCase{"ShortPassPhrase", psk,
                  [](TFM_Wirless& p) { p.PassPhrasePSKEdit->setText(QStringLiteral("short")); },
                  "The length of 802.11g PassPhrase is between 8 and 63.", "Error", "PassPhrasePSKEdit"},
        CheckCase{"IntervalTooShort", psk,
                  [](TFM_Wirless& p) { p.GroupKeyPSKEdit->setText(QStringLiteral("299")); },
                  "Please input a number between 300 and 9999999.", "Error", "GroupKeyPSKEdit"},
        CheckCase{"SameWdsPeers",
                  [](WirlessTest& t) { static_cast<WirlessCheckTest&>(t).deviceSet("2.1.1.1.1", "i 3"); },
                  [](TFM_Wirless& p) {
                      p.Ed_ReMAddra[0]->setText(QStringLiteral("00112233aabb"));
                      p.Ed_ReMAddra[2]->setText(QStringLiteral("00112233AABB"));
                  },
                  "Exist same MAC address.", "Warning", "Ed_ReMAddra2"},
        CheckCase{"WepKeyLength",
                  [](WirlessTest& t) {
                      static_cast<WirlessCheckTest&>(t).deviceSet("2.5.1.1.2.1", "i 1");
                      static_cast<WirlessCheckTest&>(t).deviceSet("2.5.1.1.7.0", "i 2");
                  },
                  [](TFM_Wirless& p) { p.Ed_Keya[0]->setText(QStringLiteral("12345")); },
                  "The Length of the 1st key in IEEE802.11g must be 10!", "Warning", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WirlessTest, SurveyListsTheRowsAndAChosenRowFillsTheRootAp) {
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("survey 3"));
    TFM_Wirless& p = open();
    // Access point: the survey is not shown, a chosen row would change nothing.
    const int repeater = p.ED_APModeTempComboBox->indexOf(QStringLiteral("Universal Repeater"));
    ASSERT_GE(repeater, 0);
    ASSERT_TRUE(p.ED_APModeTempComboBox->userSelect(repeater));
    EXPECT_EQ(p.ED_APModeComboBox->text(), u"Universal Repeater");
    EXPECT_TRUE(p.GroupBox3->isVisibleTo(&p));

    const size_t mark = sim->logSize();
    p.SiteScan->userClick();
    EXPECT_EQ(p.StatusBar->panel(0)->text(), u"Detecting...");
    EXPECT_EQ(p.StatusBar->simpleText(), u"Detecting...");
    EXPECT_FALSE(p.surveyIdle);
    EXPECT_FALSE(p.Bt_Close->isEnabled());
    EXPECT_FALSE(p.closeQuery());  // refused while the survey runs
    ASSERT_TRUE(waitFor([&] { return p.surveyIdle; }));
    EXPECT_TRUE(p.Bt_Close->isEnabled());
    EXPECT_EQ(pageLog(mark, "SET"), (std::vector<std::string>{"2.8.1.1.1.0=1"}));
    ASSERT_EQ(p.SiteServeyListView->itemCount(), 3);
    EXPECT_EQ(p.SiteServeyListView->columnCaption(1), u" Type");
    EXPECT_EQ(p.SiteServeyListView->columnWidth(0), 0);

    const std::string bssid = sim->command("get " + E + "2.8.2.1.5.2");
    const std::string ssid = sim->command("get " + E + "2.8.2.1.7.2");
    ASSERT_TRUE(p.SiteServeyListView->userClickItem(1));
    EXPECT_EQ("ok x " + p.Ed_RoMAddra0->text().toUpper().toStdString(), bssid);
    EXPECT_EQ("ok s \"" + p.Ed_SSID->text().toStdString() + "\"", ssid);
    EXPECT_TRUE(p.Ed_SSID->readOnly());
    EXPECT_TRUE(p.closeQuery());
}

// A key the device shows masked is neither turned into other bytes nor written back.
TEST_F(WirlessTest, MaskedKeyIsShownAsItIsAndNeverWritten) {
    ASSERT_TRUE(startSim()) << sim->error();
    device("2.5.1.1.2.1", "i 1");  // encryption on
    device("2.5.1.1.7.0", "i 1");  // ASCII keys
    device("2.5.3.1.1.1.1", "s **********");
    TFM_Wirless& p = open();
    ASSERT_EQ(p.Ed_KeyType->text(), u"ASCII");
    EXPECT_EQ(p.Ed_Keya[0]->text(), u"**********");
    const size_t mark = sim->logSize();
    p.Bt_Apply->userClick();
    EXPECT_TRUE(boxes.empty());
    const auto written = pageLog(mark, "SET");
    EXPECT_NE(std::find(written.begin(), written.end(), "2.5.1.1.1.1.0=1"), written.end());
    for (const auto& w : written) EXPECT_NE(w.rfind("2.5.3.1.1.1.", 0), 0u) << w;
    EXPECT_EQ(sim->command("get " + E + "2.5.3.1.1.1.1"), "ok s \"**********\"");
    EXPECT_EQ(p.StatusBar->simpleText(), u"Setting Success!");
}

// A passphrase or RADIUS secret the device shows masked is not written back as asterisks on an
// Apply without edits; one the user types is written.
const char* const kRadiusSecret = "2.5.2.5.0";

struct SecretCase {
    const char* name;
    const char* auth;    // adSecAuthentication-a: "i 4" WPA-PSK, "i 5" WPA-EAP
    const char* secret;  // the secret's object, relative to E
    const char* typed;   // empty: left as the device showed it
};

class WirlessSecretTest : public WirlessTest, public ::testing::WithParamInterface<SecretCase> {};

TEST_P(WirlessSecretTest, MaskedIsKeptTypedIsWritten) {
    const SecretCase& c = GetParam();
    ASSERT_TRUE(startSim()) << sim->error();
    device("2.5.1.1.1.1", c.auth);
    device("2.5.1.1.2.1", "i 1");
    device("2.5.2.3.0", "s 127.0.0.9");
    device(c.secret, "s ********");
    TFM_Wirless& p = open();
    forms::Edit* edit = std::string(c.secret) == kRadiusSecret ? p.RadiusSecretEdit : p.PassPhrasePSKEdit;
    ASSERT_EQ(edit->text(), u"********");
    const std::string typed = c.typed;
    if (!typed.empty()) edit->setText(QString::fromStdString(typed));
    const size_t mark = sim->logSize();
    p.Bt_Apply->userClick();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(p.StatusBar->simpleText(), u"Setting Success!");
    const auto written = pageLog(mark, "SET");
    const std::string secretSet = std::string(c.secret) + ".0=";
    const auto at = std::find_if(written.begin(), written.end(),
                                 [&](const std::string& w) { return w.rfind(secretSet, 0) == 0; });
    if (typed.empty())
        EXPECT_EQ(at, written.end()) << *at;
    else
        EXPECT_NE(at, written.end());
    EXPECT_EQ(sim->command("get " + E + c.secret),
              "ok s \"" + (typed.empty() ? std::string("********") : typed) + "\"");
}

INSTANTIATE_TEST_SUITE_P(Secrets, WirlessSecretTest,
                         ::testing::Values(SecretCase{"MaskedPassPhrase", "i 4", "2.5.1.1.4.1", ""},
                                           SecretCase{"TypedPassPhrase", "i 4", "2.5.1.1.4.1",
                                                      "typed-phrase"},
                                           SecretCase{"MaskedRadiusSecret", "i 5", kRadiusSecret, ""},
                                           SecretCase{"TypedRadiusSecret", "i 5", kRadiusSecret, "typed-secret"}),
                         [](const auto& info) { return std::string(info.param.name); });

// A WPA-PSK device on a firmware without multiple SSIDs: its security is shown and written as it
// is, never as "Open System".
TEST_F(WirlessTest, PskDeviceWithoutMultipleSsidsKeepsItsSecurity) {
    ASSERT_TRUE(startSim()) << sim->error();
    device("2.5.1.1.1.1", "i 4");
    device("2.5.1.1.4.1", "s secret-phrase");
    TFM_Wirless& p = open({"0"});
    EXPECT_EQ(p.Ed_SecAuthaTemp->text(), u"WPA-Personal");
    EXPECT_TRUE(p.GroupBox6->isVisibleTo(&p));
    const size_t mark = sim->logSize();
    p.Bt_Apply->userClick();
    const auto written = pageLog(mark, "SET");
    EXPECT_NE(std::find(written.begin(), written.end(), "2.5.1.1.1.1.0=4"), written.end());
    EXPECT_EQ(sim->command("get " + E + "2.5.1.1.1.1"), "ok i 4");
    EXPECT_EQ(p.StatusBar->simpleText(), u"Setting Success!");
}

// An AP mode that could not be read is not written back as "Access Point", and nothing restarts.
TEST_F(WirlessTest, UnreadApModeIsNeverWritten) {
    ASSERT_TRUE(startSim()) << sim->error();
    device("2.1.1.1.1", "i 3");
    ASSERT_TRUE(sim->ok("error " + E + "2.1.1.1.1 genErr get"));
    TFM_Wirless& p = open();
    EXPECT_EQ(p.ED_APModeComboBox->itemIndex(), -1);
    EXPECT_EQ(p.ED_APModeTempComboBox->itemIndex(), -1);
    const size_t mark = sim->logSize();
    p.Bt_Apply->userClick();
    for (const auto& w : pageLog(mark, "SET")) {
        EXPECT_NE(w.rfind("2.1.1.1.1=", 0), 0u) << w;
        EXPECT_NE(w.rfind("3.3.5.0", 0), 0u) << w;
    }
    EXPECT_EQ(sim->command("get " + E + "2.1.1.1.1"), "ok i 3");
    EXPECT_NE(p.StatusBar->simpleText(), u"Setting Success!");
}

TEST_F(WirlessTest, JoinedDeviceAsksBeforeTheRestart) {
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("set " + E + "2.12.1.1.1.2.1 i 1"));
    TFM_Wirless& p = open();
    ASSERT_EQ(p.CB_Clus->text(), u"Join");
    // A device in an AP domain keeps its mode: the domain decides it.
    EXPECT_FALSE(p.ED_APModeTempComboBox->isEnabled());
    answers = {forms::IDCANCEL};
    const size_t mark = sim->logSize();
    p.Bt_Apply->userClick();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, WirlessRules::kRebootQuestion);
    EXPECT_EQ(boxes[0].caption, u"Warning");
    EXPECT_EQ(boxes[0].buttons, forms::MB_OKCANCEL);
    const auto written = pageLog(mark, "SET");
    ASSERT_FALSE(written.empty());
    for (const auto& w : written) EXPECT_NE(w.rfind("3.3.5.0", 0), 0u) << w;
}

TEST_F(WirlessTest, RepeaterDeviceListsItsNeighboursAtOnce) {
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("survey 2"));
    device("2.1.1.1.1", "i 4");  // Universal Repeater
    TFM_Wirless& p = open();
    ASSERT_TRUE(waitFor([&] { return p.surveyIdle; }));
    EXPECT_EQ(p.SiteServeyListView->itemCount(), 2);
    EXPECT_TRUE(pageLog(0, "SET").empty());
    EXPECT_TRUE(p.GroupBox2->isVisibleTo(&p));
    EXPECT_EQ(p.GroupBox2->title(), u" Universal Repeater ");
    EXPECT_FALSE(p.Ed_RoMAddra0->readOnly());
    EXPECT_EQ(p.Bt_Apply->top(), 496);
}

TEST_F(WirlessTest, SsidEditsMirrorEachOther) {
    ASSERT_TRUE(startSim()) << sim->error();
    TFM_Wirless& p = open();
    p.Ed_SSIDa->setText(QStringLiteral("one"));
    EXPECT_EQ(p.Ed_SSID->text(), u"one");
    p.Ed_SSID->setText(QStringLiteral("two"));
    EXPECT_EQ(p.Ed_SSIDa->text(), u"two");
}

// The primary SSID leaves WPA-EAP while a secondary SSID uses it: that SSID is opened first, with
// the warning, then the full sequence follows.
TEST_F(WirlessTest, LeavingEapOpensTheSecondaryEapSsidFirst) {
    ASSERT_TRUE(startSim()) << sim->error();
    device("2.9.3.1.1.0", "i 1");  // multiple SSIDs on
    device("2.9.2.1.2.1.2", "i 1");
    device("2.9.2.1.4.1.2", "i 5");  // WPA-EAP
    device("2.9.2.1.5.1.2", "i 1");
    device("2.5.1.1.1.1", "i 5");  // the primary in WPA-EAP
    device("2.5.1.1.4.1", "s secret-phrase");
    device("2.5.2.3.0", "s 10.0.0.2");
    TFM_Wirless& p = open();
    ASSERT_EQ(p.CB_MultEnable->text(), u"Enabled");
    ASSERT_TRUE(p.GroupBox5->isVisibleTo(&p));
    ASSERT_TRUE(p.Ed_SecAuthaTemp->userSelect(p.Ed_SecAuthaTemp->indexOf(QStringLiteral("WPA-PSK"))));
    EXPECT_TRUE(p.GroupBox6->isVisibleTo(&p));
    boxes.clear();
    const size_t mark = sim->logSize();
    p.Bt_Apply->userClick();
    ASSERT_GE(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text,
              u"To change authentication type of Primary SSID will change WPA-Enterprise of "
              u"Secondary SSID to non security.");
    const auto written = pageLog(mark, "SET");
    ASSERT_GE(written.size(), 3u);
    EXPECT_EQ(written[0], "2.9.2.1.5.1.2=0");
    EXPECT_EQ(written[1], "2.9.2.1.4.1.2=1");
    EXPECT_EQ(written[2], "2.1.1.1.1=1");
    EXPECT_NE(std::find(written.begin(), written.end(), "2.5.1.1.1.1.0=4"), written.end());
    EXPECT_EQ(written.back(), "3.3.5.0=4");
    EXPECT_EQ(p.StatusBar->simpleText(), u"Setting Success!");
}

// Without multiple SSIDs, a mode other than the access point turns the VLAN and the guest SSIDs off
// before the full sequence; with WEP and Super G off their encryption stays.
TEST_F(WirlessTest, WdsModeTurnsTheGuestsOffFirst) {
    ASSERT_TRUE(startSim()) << sim->error();
    device("2.1.1.1.1", "i 3");  // PtMP Bridge
    device("2.2.1.2.1.1", "x 001122334455");
    device("2.9.1.1.1.1", "i 1");
    for (const char* n : {"2", "3", "4"}) {
        device(std::string("2.9.2.1.2.1.") + n, "i 1");
        device(std::string("2.9.2.1.5.1.") + n, "i 1");
    }
    TFM_Wirless& p = open({"0"});
    ASSERT_EQ(p.Master_ComboBox->itemIndex(), 1);
    const size_t mark = sim->logSize();
    p.Bt_Apply->userClick();
    EXPECT_TRUE(boxes.empty());
    const auto written = pageLog(mark, "SET");
    ASSERT_GE(written.size(), 8u);
    EXPECT_EQ(
        std::vector<std::string>(written.begin(), written.begin() + 8),
        (std::vector<std::string>{"2.9.1.1.1.1=0", "2.9.2.1.2.1.2=0", "2.9.2.1.2.1.3=0", "2.9.2.1.2.1.4=0",
                                  "2.9.2.1.5.1.2=1", "2.9.2.1.5.1.3=1", "2.9.2.1.5.1.4=1", "2.1.1.1.1=3"}));
    EXPECT_EQ(p.StatusBar->simpleText(), u"Setting Success!");
}

// What an Apply left out of its writes (the WDS peers of an access point) is read again by Refresh.
TEST_F(WirlessTest, RefreshAfterApplyReadsWhatApplyLeftOut) {
    ASSERT_TRUE(startSim()) << sim->error();
    TFM_Wirless& p = open();
    p.Bt_Apply->userClick();
    ASSERT_EQ(p.StatusBar->simpleText(), u"Setting Success!");
    device("2.2.1.2.1.1", "x 00AABBCCDDEE");
    device("2.5.3.1.1.1.1", "s 0123456789");
    p.Bt_Refresh->userClick();
    ASSERT_TRUE(waitFor([&] { return p.idle(); }));
    EXPECT_EQ(p.Ed_ReMAddra[0]->text().toUpper(), u"00AABBCCDDEE");
    EXPECT_EQ(p.Ed_Keya[0]->text(), u"0123456789");
}

// Each Apply leaves out only what its own plan leaves out: a second Apply without edits writes the
// same objects and values as the first, in the same order.
TEST_F(WirlessTest, SecondApplyWritesWhatTheFirstWrote) {
    ASSERT_TRUE(startSim()) << sim->error();
    device("2.5.1.1.1.1", "i 4");  // WPA-PSK
    device("2.5.1.1.4.1", "s secret-phrase");
    TFM_Wirless& p = open();
    size_t mark = sim->logSize();
    p.Bt_Apply->userClick();
    ASSERT_EQ(p.StatusBar->simpleText(), u"Setting Success!");
    ASSERT_TRUE(waitFor([&] { return p.idle(); }));
    const auto first = pageLog(mark, "SET");
    mark = sim->logSize();
    p.Bt_Apply->userClick();
    ASSERT_EQ(p.StatusBar->simpleText(), u"Setting Success!");
    EXPECT_FALSE(first.empty());
    EXPECT_EQ(pageLog(mark, "SET"), first);
}

// The page goes while its AP-domain read is still out: the answer reaches no handler of it.
TEST_F(WirlessTest, ClosingWithAReadOutstanding) {
    ASSERT_TRUE(startSim()) << sim->error();
    TFM_Wirless& p = open();
    // Whatever the read's completion would run, and whether it ran; the flag outlives the page.
    auto ran = std::make_shared<bool>(false);
    auto spy = [ran](std::function<void()> own) {
        return [ran, own] {
            *ran = true;
            if (own) own();
        };
    };
    p.reqCluster->afterGetCallback = spy(p.reqCluster->afterGetCallback);
    auto ownDone = p.reqCluster->onAsyncGetDone;
    p.reqCluster->onAsyncGetDone = [ran, ownDone](auto&&... args) {
        *ran = true;
        if (ownDone) ownDone(args...);
    };
    const size_t mark = sim->logSize();
    ASSERT_TRUE(sim->ok("delay 300 1"));
    p.reqCluster->get();
    ASSERT_TRUE(p.reqCluster->busy);
    EXPECT_TRUE(p.closeQuery());
    page.reset();
    // The device has answered the read by now: the page waited for it, or it is dropped.
    ASSERT_TRUE(waitFor([&] { return !pageLog(mark, "GET").empty(); }));
    QCoreApplication::processEvents();
    EXPECT_FALSE(*ran);
    EXPECT_TRUE(sim->ok("ping"));
}

// A firmware without auto channel scan: only the read's answer tells, so the box goes and Apply
// does not write the object.
TEST_F(WirlessTest, MissingAutoChannelScanIsHiddenAndNotWritten) {
    ASSERT_TRUE(startSim({"--absent", E + "2.3.1.14"})) << sim->error();
    TFM_Wirless& p = open();
    EXPECT_FALSE(p.hasAutoChannelScan);
    EXPECT_FALSE(p.CB_AuSc->isVisibleTo(&p));
    const size_t mark = sim->logSize();
    p.Bt_Apply->userClick();
    const auto written = pageLog(mark, "SET");
    ASSERT_FALSE(written.empty());
    for (const auto& w : written) EXPECT_NE(w.rfind("2.3.1.14", 0), 0u) << w;
    EXPECT_EQ(written.back(), "3.3.5.0=4");
    EXPECT_EQ(p.StatusBar->simpleText(), u"Setting Success!");
}

}  // namespace
