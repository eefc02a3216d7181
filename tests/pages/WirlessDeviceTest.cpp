// The wireless page in the states a device can be in beyond the simulator's start: each AP mode, each
// PSK cipher, a valid key beside a WPA secondary SSID, a multi-SSID row missing, a read that fails
// after creation, a survey that cannot start. What the page shows is what the device holds, Apply
// without edits leaves the device as it was, and the window fits in every mode.

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QStyle>
#include <QStyleOptionGroupBox>

#include <algorithm>
#include <string>
#include <vector>

#include "pages/wireless/WirlessLayout.h"
#include "platform/forms/Forms.h"
#include "platform/forms/LayoutCheck.h"
#include "tests/pages/WirlessFixture.h"

namespace {

using namespace wirlesstest;

class WirlessDeviceTest : public WirlessTest {
protected:
    // The device in adAPMode `mode` (1..7) with what that mode's Apply needs: the first WDS peer,
    // the root AP.
    void deviceMode(int mode) {
        device("2.1.1.1.1", "i " + std::to_string(mode));
        device("2.2.1.2.1.1", "x 001122334455");
        device("2.1.1.3.1", "x 00aabbccddee");
    }
    void pskDevice(int cipher) {
        device("2.5.1.1.1.1", "i 4");  // WPA-PSK
        device("2.5.1.1.4.1", "s secret-phrase");
        device("2.5.1.1.5.1", "i " + std::to_string(cipher));
    }
    // Apply as the user presses it, declining nothing; true when it went through to the restart.
    bool apply(TFM_Wirless& p) {
        const size_t mark = sim->logSize();
        p.Bt_Apply->userClick();
        const auto sets = pageLog(mark, "SET");
        return waitFor([&] { return p.idle() && p.surveyIdle; }) && !sets.empty() && sets.back() == "3.3.5.0=4";
    }
    std::string written(size_t mark, const std::string& oid) const {
        std::string value;
        for (const auto& w : pageLog(mark, "SET"))
            if (w.rfind(oid + "=", 0) == 0) value = w.substr(oid.size() + 1);
        return value;
    }
    std::string held(const std::string& rel) const { return sim->command("get " + E + rel); }
};

// ---- The window in each mode ---------------------------------------------------------------------

struct ModeCase {
    const char* name;
    int deviceMode;  // adAPMode
    int buttonsTop, pageHeight, formHeight;
};
void PrintTo(const ModeCase& c, std::ostream* os) {
    *os << c.name;
}

class WirlessModeFits : public WirlessDeviceTest, public ::testing::WithParamInterface<ModeCase> {
protected:
    void expectFits(TFM_Wirless& p, int buttonsTop, int pageHeight, int formHeight) {
        SCOPED_TRACE(p.ED_APModeTempComboBox->text().toStdString());
        EXPECT_EQ(p.Bt_Apply->top(), buttonsTop);
        EXPECT_EQ(p.PC_Wirless->height(), pageHeight);
        // The window ends below the buttons and the status bar, not lower: formHeight counts the frame.
        EXPECT_GE(p.clientHeight(), buttonsTop + p.Bt_Apply->height() + p.StatusBar->height());
        EXPECT_LE(p.clientHeight(), formHeight - 20);
        const std::vector<std::string> problems = forms::checkLayout(p, kWirlessLayout);
        EXPECT_TRUE(problems.empty()) << ::testing::PrintToString(problems);
        // Within reach: the buttons and the security group shown end above the status bar.
        const int barTop = p.StatusBar->top();
        std::vector<QWidget*> reach{p.Bt_Apply->asWidget(), p.Bt_Close->asWidget()};
        for (forms::GroupBox* g : {p.GroupBox4, p.GroupBox5, p.GroupBox6, p.GroupBox3})
            if (g->isVisibleTo(&p)) reach.push_back(g);
        for (QWidget* w : reach)
            EXPECT_LE(w->mapTo(&p, QPoint(0, w->height())).y(), barTop) << w->objectName().toStdString();
    }
};

TEST_P(WirlessModeFits, AsTheDeviceHoldsItAndAsTheUserChoosesIt) {
    const ModeCase& c = GetParam();
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("survey 0"));
    deviceMode(c.deviceMode);
    TFM_Wirless& p = open();
    p.show();
    ASSERT_TRUE(waitFor([&] { return p.surveyIdle && p.idle(); }));
    expectFits(p, c.buttonsTop, c.pageHeight, c.formHeight);

    // Every mode the user can reach from here, and back.
    for (int i = 0; i < p.ED_APModeTempComboBox->itemCount(); ++i) {
        ASSERT_TRUE(p.ED_APModeTempComboBox->userSelect(i));
        const auto l = WirlessRules::modeLayout(p.pageMode());
        expectFits(p, l.buttonsTop, l.pageHeight, l.formHeight);
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, WirlessModeFits,
                         ::testing::Values(ModeCase{"AccessPoint", 1, 300, 297, 381},
                                           ModeCase{"WdsWithAp", 3, 440, 437, 521},
                                           ModeCase{"Wds", 7, 440, 437, 521},
                                           ModeCase{"Repeater", 4, 496, 493, 577},
                                           ModeCase{"Client", 5, 496, 493, 577}),
                         [](const auto& info) { return std::string(info.param.name); });

// What the user reads in full: the frequency, the survey's caption beside its button, a 32-character
// SSID in its column.
TEST_F(WirlessDeviceTest, FrequencySurveyCaptionAndSsidColumnAreReadInFull) {
    ASSERT_TRUE(startSim()) << sim->error();
    deviceMode(4);
    TFM_Wirless& p = open();
    p.show();
    ASSERT_TRUE(waitFor([&] { return p.surveyIdle; }));
    ASSERT_EQ(p.Ed_RaFreqa->text(), u"2.437 GHz");
    const QFontMetrics fm(p.Ed_RaFreqa->font());
    // The edit's frame and inner margins take 2 + 2 px on each side.
    EXPECT_LE(fm.horizontalAdvance(p.Ed_RaFreqa->text()) + 8, p.Ed_RaFreqa->width());

    QStyleOptionGroupBox opt;
    opt.initFrom(p.GroupBox3);
    opt.text = p.GroupBox3->title();
    opt.subControls = QStyle::SC_GroupBoxLabel;
    const QRect title = p.GroupBox3->style()->subControlRect(QStyle::CC_GroupBox, &opt,
                                                             QStyle::SC_GroupBoxLabel, p.GroupBox3);
    EXPECT_FALSE(p.SiteScan->asWidget()->geometry().intersects(title));

    const int ssid = p.SiteServeyListView->columnCount() - 1;
    ASSERT_EQ(p.SiteServeyListView->columnCaption(ssid), u" SSID");
    const QFontMetrics lm(p.SiteServeyListView->font());
    EXPECT_GE(p.SiteServeyListView->shownColumnWidth(ssid),
              lm.horizontalAdvance(QStringLiteral("Guest-Network-Building-7-Floor-3")));
}

// ---- What the page shows and writes ----------------------------------------------------------------

struct CipherCase {
    const char* name;
    int deviceMode;
    int cipher;  // adSecCipherType: 1 Auto, 2 AES, 3 TKIP
    const char* shown;
};
void PrintTo(const CipherCase& c, std::ostream* os) {
    *os << c.name;
}

class WirlessCipher : public WirlessDeviceTest, public ::testing::WithParamInterface<CipherCase> {};

// Each cipher each mode offers: shown as the device holds it, written back unchanged, shown again
// after Refresh.
TEST_P(WirlessCipher, ShownAndWrittenAsTheDeviceHoldsIt) {
    const CipherCase& c = GetParam();
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("survey 0"));
    deviceMode(c.deviceMode);
    pskDevice(c.cipher);
    TFM_Wirless& p = open();
    ASSERT_TRUE(waitFor([&] { return p.surveyIdle && p.idle(); }));
    ASSERT_TRUE(p.GroupBox6->isVisibleTo(&p));
    EXPECT_EQ(p.CipherforPSKBox->text(), QString::fromLatin1(c.shown));
    const size_t mark = sim->logSize();
    ASSERT_TRUE(apply(p)) << p.StatusBar->simpleText().toStdString();
    EXPECT_EQ(written(mark, "2.5.1.1.5.1.0"), std::to_string(c.cipher));
    EXPECT_EQ(held("2.5.1.1.5.1"), "ok i " + std::to_string(c.cipher));
    EXPECT_EQ(p.CipherforPSKBox->text(), QString::fromLatin1(c.shown));
}

INSTANTIATE_TEST_SUITE_P(
    ModesAndCiphers, WirlessCipher,
    ::testing::Values(CipherCase{"AccessPointAuto", 1, 1, "Auto"}, CipherCase{"AccessPointAes", 1, 2, "AES"},
                      CipherCase{"AccessPointTkip", 1, 3, "TKIP"}, CipherCase{"WdsWithApAuto", 3, 1, "Auto"},
                      CipherCase{"WdsWithApAes", 3, 2, "AES"}, CipherCase{"WdsAes", 7, 2, "AES"},
                      CipherCase{"RepeaterAuto", 4, 1, "Auto"}, CipherCase{"RepeaterAes", 4, 2, "AES"},
                      CipherCase{"RepeaterTkip", 4, 3, "TKIP"}, CipherCase{"ClientAes", 5, 2, "AES"},
                      CipherCase{"ClientTkip", 5, 3, "TKIP"}),
    [](const auto& info) { return std::string(info.param.name); });

// A mode whose list lacks the device's cipher, then back: the device's cipher again, not the one the
// other mode forced.
TEST_F(WirlessDeviceTest, ModeChangeAndBackKeepsTheDevicesCipher) {
    ASSERT_TRUE(startSim()) << sim->error();
    pskDevice(1);
    TFM_Wirless& p = open();
    ASSERT_EQ(p.CipherforPSKBox->text(), u"Auto");
    ASSERT_TRUE(p.ED_APModeTempComboBox->userSelect(p.ED_APModeTempComboBox->indexOf(QStringLiteral("WDS"))));
    EXPECT_EQ(p.CipherforPSKBox->items(), QStringList{"AES"});
    ASSERT_TRUE(p.ED_APModeTempComboBox->userSelect(p.ED_APModeTempComboBox->indexOf(QStringLiteral("Access Point"))));
    EXPECT_EQ(p.CipherforPSKBox->text(), u"Auto");
}

// Every authentication a mode offers can be written in that mode.
TEST_F(WirlessDeviceTest, EveryOfferedAuthenticationIsOneApplyWrites) {
    for (int nms : {0, 1})
        for (auto mode : {WirlessRules::PageMode::AccessPoint, WirlessRules::PageMode::WdsWithAp,
                          WirlessRules::PageMode::Wds, WirlessRules::PageMode::Repeater,
                          WirlessRules::PageMode::Client})
            for (const auto& e : WirlessRules::authEntries(nms, mode))
                EXPECT_TRUE(WirlessRules::selectedGroup(mode, e.auth))
                    << nms << " " << static_cast<int>(mode) << " " << e.text.toStdString();
}

// A WPA secondary SSID leaves the primary's WEP only the first and fourth keys; the fourth, held by
// the device, stays the valid key through Refresh and Apply.
TEST_F(WirlessDeviceTest, FourthValidKeyBesideAWpaSecondarySurvivesRefreshAndApply) {
    ASSERT_TRUE(startSim()) << sim->error();
    device("2.9.3.1.1.0", "i 1");  // multiple SSIDs on
    device("2.9.2.1.2.1.2", "i 1");
    device("2.9.2.1.4.1.2", "i 4");  // WPA-PSK
    device("2.9.2.1.5.1.2", "i 1");
    device("2.5.1.1.1.1", "i 1");  // the primary in Open System with WEP
    device("2.5.1.1.2.1", "i 1");
    device("2.5.1.1.3.1", "i 4");  // the fourth key
    device("2.5.1.1.7.0", "i 2");  // HEX
    device("2.5.3.1.1.1.4", "s 0123456789");
    TFM_Wirless& p = open();
    ASSERT_EQ(p.Ed_SecValKeya->items(), (QStringList{"First", "Fourth"}));
    EXPECT_EQ(p.Ed_SecValKeya->text(), u"Fourth");
    p.Bt_Refresh->userClick();
    ASSERT_TRUE(waitFor([&] { return p.idle(); }));
    EXPECT_EQ(p.Ed_SecValKeya->text(), u"Fourth");
    EXPECT_EQ(p.savedValidKey, u"Fourth");
    boxes.clear();
    const size_t mark = sim->logSize();
    ASSERT_TRUE(apply(p)) << p.StatusBar->simpleText().toStdString();
    EXPECT_EQ(written(mark, "2.5.1.1.3.1.0"), "4");
    EXPECT_EQ(held("2.5.1.1.3.1"), "ok i 4");
}

// The WPA secondary SSID has gone since the page opened, and the device's valid key is now the
// second: Refresh shows it, where the two choices left before could not.
TEST_F(WirlessDeviceTest, RefreshShowsAValidKeyTheCutChoicesLacked) {
    ASSERT_TRUE(startSim()) << sim->error();
    device("2.9.3.1.1.0", "i 1");
    device("2.9.2.1.2.1.2", "i 1");
    device("2.9.2.1.4.1.2", "i 4");  // WPA-PSK
    device("2.9.2.1.5.1.2", "i 1");
    TFM_Wirless& p = open();
    ASSERT_EQ(p.Ed_SecValKeya->itemCount(), 2);
    device("2.9.2.1.2.1.2", "i 0");
    device("2.5.1.1.3.1", "i 2");
    p.Bt_Refresh->userClick();
    ASSERT_TRUE(waitFor([&] { return p.idle(); }));
    EXPECT_EQ(p.Ed_SecValKeya->items(), WirlessRules::kValidKeysAll);
    EXPECT_EQ(p.Ed_SecValKeya->text(), u"Second");
}

// SSID 3 is missing from the table: the WPA-EAP secondary SSID 4 is the one opened when the primary
// leaves EAP, and SSID 3 is not written.
TEST_F(WirlessDeviceTest, SecondaryRowsGoByTheirIndexWithARowMissing) {
    ASSERT_TRUE(startSim()) << sim->error();
    for (int column = 2; column <= 13; ++column)
        ASSERT_TRUE(sim->ok("del " + E + "2.9.2.1." + std::to_string(column) + ".1.3"));
    device("2.9.3.1.1.0", "i 1");
    device("2.9.2.1.2.1.4", "i 1");
    device("2.9.2.1.4.1.4", "i 5");  // WPA-EAP
    device("2.9.2.1.5.1.4", "i 1");
    device("2.5.1.1.1.1", "i 5");  // the primary in WPA-EAP
    device("2.5.1.1.4.1", "s secret-phrase");
    device("2.5.2.3.0", "s 127.0.0.2");
    TFM_Wirless& p = open();
    const auto rows = p.secondaryRows();
    std::vector<int> indexes;
    for (const auto& r : rows) indexes.push_back(r.index);
    EXPECT_EQ(indexes, (std::vector<int>{2, 4, 5, 6, 7, 8}));
    ASSERT_TRUE(p.Ed_SecAuthaTemp->userSelect(p.Ed_SecAuthaTemp->indexOf(QStringLiteral("WPA-PSK"))));
    boxes.clear();
    const size_t mark = sim->logSize();
    p.Bt_Apply->userClick();
    const auto sets = pageLog(mark, "SET");
    ASSERT_GE(sets.size(), 2u);
    EXPECT_EQ(sets[0], "2.9.2.1.5.1.4=0");
    EXPECT_EQ(sets[1], "2.9.2.1.4.1.4=1");
    for (const auto& s : sets) EXPECT_EQ(s.find(".1.3="), std::string::npos) << s;
    EXPECT_EQ(held("2.9.2.1.4.1.4"), "ok i 1");
}

// The channels of dynamic turbo come as a text of numbers and are offered one by one.
TEST_F(WirlessDeviceTest, DynamicTurboOffersTheDevicesChannelList) {
    ASSERT_TRUE(startSim()) << sim->error();
    device("2.3.1.11.1", "i 3");  // Super G with Dynamic Turbo
    device("2.3.1.15.0", "s \"2 6 10\"");
    device("1.1.1.3.1", "i 6");
    TFM_Wirless& p = open();
    ASSERT_EQ(p.AD_SuperMode->text(), u"Super G with Dynamic Turbo");
    EXPECT_EQ(p.Ed_DynChLista->text(), u"2 6 10");
    EXPECT_EQ(p.CB_Chana->items(), (QStringList{"2", "6", "10"}));
    EXPECT_EQ(p.CB_Chana->text(), u"6");
}

// ---- What a failure leaves -------------------------------------------------------------------------

// Auto channel scan is a feature of the firmware, learned when the page opens: a read that fails
// later (the device restarting) neither hides the box nor drops the object from Apply.
TEST_F(WirlessDeviceTest, AutoChannelScanLearnedAtCreationOutlivesAFailedRead) {
    ASSERT_TRUE(startSim()) << sim->error();
    TFM_Wirless& p = open();
    ASSERT_TRUE(p.hasAutoChannelScan);
    ASSERT_TRUE(sim->ok("error " + E + "2.3.1.14.1.0 genErr get"));
    const size_t before = sim->logSize();
    p.Bt_Refresh->userClick();
    ASSERT_TRUE(waitFor([&] { return p.idle() && sim->requests(before).size() > 0; }));
    ASSERT_TRUE(waitFor([&] {
        for (const auto& g : pageLog(before, "GET"))
            if (g == "2.3.1.14.1.0") return true;
        return false;
    }));
    ASSERT_TRUE(waitFor([&] { return p.idle(); }));
    EXPECT_TRUE(p.hasAutoChannelScan);
    EXPECT_TRUE(p.CB_AuSc->isVisibleTo(&p));
    ASSERT_TRUE(sim->ok("reset"));
    boxes.clear();
    const size_t mark = sim->logSize();
    ASSERT_TRUE(apply(p)) << p.StatusBar->simpleText().toStdString();
    EXPECT_FALSE(written(mark, "2.3.1.14.1.0").empty());
}

// A survey whose walk cannot start ends with its reason, and gives the buttons back.
TEST_F(WirlessDeviceTest, SurveyThatCannotStartShowsWhy) {
    ASSERT_TRUE(startSim()) << sim->error();
    deviceMode(4);
    TFM_Wirless& p = open();
    p.show();
    ASSERT_TRUE(waitFor([&] { return p.surveyIdle; }));
    p.reqSiteSurvey->request.device.address.clear();
    p.SiteScan->userClick();
    ASSERT_FALSE(p.surveyIdle);
    ASSERT_TRUE(waitFor([&] { return p.surveyIdle; }));
    const QString shown = p.StatusBar->panel(0)->text();
    EXPECT_FALSE(shown.isEmpty());
    EXPECT_NE(shown, u"Get OK!");
    EXPECT_NE(shown, u"Detecting...");
    EXPECT_EQ(p.StatusBar->simpleText(), shown);
    for (forms::Button* b : {p.Bt_Apply, p.Bt_Refresh, p.Bt_Close, p.SiteScan}) EXPECT_TRUE(b->isEnabled());
}

// A client's page lists the neighbours as it opens; here the device refuses the survey's walk. The
// page shows the device's error, never success, and the buttons the survey held come back.
TEST_F(WirlessDeviceTest, SurveyAtOpenThatFailsShowsWhyAndGivesTheButtonsBack) {
    ASSERT_TRUE(startSim()) << sim->error();
    deviceMode(5);
    ASSERT_TRUE(sim->ok("error " + E + "2.8.2.1.2.1 genErr next"));
    TFM_Wirless& p = open();
    p.show();
    ASSERT_TRUE(waitFor([&] { return p.surveyIdle; }));
    const QString shown = p.StatusBar->panel(0)->text();
    EXPECT_FALSE(shown.isEmpty());
    EXPECT_NE(shown, u"Get OK!");
    EXPECT_NE(shown, u"Refresh...");
    EXPECT_EQ(p.SiteServeyListView->itemCount(), 0);
    for (forms::Button* b : {p.Bt_Apply, p.Bt_Refresh, p.Bt_Close, p.SiteScan}) EXPECT_TRUE(b->isEnabled());
}

}  // namespace
