// The wireless page's layout table, built offscreen: every control its rules name is there with its
// kind, place, caption and limits, and the rules' places agree with the layout's.

#include <gtest/gtest.h>

#include "pages/wireless/WirlessLayout.h"
#include "pages/wireless/WirlessRules.h"
#include "platform/forms/Forms.h"

using namespace WirlessRules;

namespace {

class WirlessLayoutTest : public ::testing::Test {
protected:
    void SetUp() override { forms::buildLayout(m_form, kWirlessLayout); }
    template <class T>
    T* find(const QString& name) {
        return forms::findControl<T>(&m_form, name.toLatin1().constData());
    }
    forms::Form m_form;
};

// The controls Apply's checks hand the focus to, gathered from the checks themselves.
QStringList focusedControls() {
    QStringList names;
    auto take = [&](const std::optional<CheckFailure>& f) {
        if (f && !f->focus.isEmpty()) names << f->focus;
    };
    auto takeVariant = [&](const auto& v) {
        if (const auto* f = std::get_if<CheckFailure>(&v)) take(*f);
    };
    take(checkSsids(" x", "", "", PageMode::AccessPoint));
    take(checkSsids("x", "", "", PageMode::Repeater));
    take(checkMultiSsidNames("x", {{2, "Enabled", "x", "", "", ""}}));
    for (int i = 1; i < 8; ++i) {
        std::array<QString, 8> macs;
        macs[0] = macs[i] = "001122334455";
        take(checkDuplicateMacs(macs));
    }
    takeVariant(checkMacInputs(ApMode::PtpBridge, {}, "", ""));
    takeVariant(checkMacInputs(ApMode::UniversalRepeater, {}, "", ""));
    takeVariant(checkMacInputs(ApMode::ApClient, {}, "", ""));
    SecurityInput in;
    in.auth = Auth::WpaPsk;
    takeVariant(checkSecurityInputs(in));
    in.groupKeyPsk = "300";
    takeVariant(checkSecurityInputs(in));
    in.auth = Auth::WpaEap;
    takeVariant(checkSecurityInputs(in));
    in.groupKey = "300";
    takeVariant(checkSecurityInputs(in));
    in.radiusServer = "10.0.0.1";
    takeVariant(checkSecurityInputs(in));
    return names;
}

TEST_F(WirlessLayoutTest, EveryFocusOfTheChecksIsAnEdit) {
    const QStringList names = focusedControls();
    ASSERT_EQ(names.size(), 18);
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        // An edit a box sends the user back to takes typing, and shows what was typed (but the passphrase).
        auto* e = find<forms::Edit>(name);
        EXPECT_FALSE(e->isReadOnly());
        EXPECT_FALSE(e->passwordChar() == QLatin1Char('*') && name != u"PassPhrasePSKEdit");
    }
}

TEST_F(WirlessLayoutTest, ControlsTheRulesMoveHideAndFill) {
    for (const char* name : kBasicHidden) EXPECT_NO_THROW(find<QWidget>(name)) << name;
    for (const char* name : {"GroupBox1", "GroupBox2", "GroupBox3", "GroupBox4", "GroupBox5", "GroupBox6"})
        EXPECT_NO_THROW(find<forms::GroupBox>(name)) << name;
    for (const char* name : {"ED_APModeComboBox",
                             "ED_APModeTempComboBox",
                             "Ed_SecAutha",
                             "Ed_SecAuthaTemp",
                             "Ed_SecEncypa",
                             "Ed_KeyType",
                             "Ed_KeySize",
                             "Ed_SecValKeya",
                             "CipherforPSKBox",
                             "CiphertypeComboBox",
                             "AD_SuperMode",
                             "CB_Chana",
                             "CB_Chang",
                             "CB_SSIDBcasta",
                             "CbxRadio",
                             "CB_Clus",
                             "CB_MultEnable",
                             "CB_gmultioverwds",
                             "SiteScanComboBox",
                             "Master_ComboBox",
                             "GuestEncry3_ComboBox",
                             "GuestKeyIndex3_ComboBox",
                             "CB_MultEncyt7",
                             "CB_MultiAuth7"})
        EXPECT_NO_THROW(find<forms::ComboBox>(name)) << name;
    for (const char* name :
         {"Ed_Chana", "Ed_ChanLista", "Ed_DynChLista", "Ed_StatChLista", "Ed_Chang", "Ed_ChanListg",
          "Ed_CRoMAddra0", "Ed_Key1a", "Ed_Key4a", "Ed_SSIDg", "RadiusSecretEdit"})
        EXPECT_NO_THROW(find<forms::Edit>(name)) << name;
    for (const char* name : {"Label1", "Authentication", "Label24", "Lab_SSIDBcasta", "ED_ApMode"})
        EXPECT_NO_THROW(find<forms::Label>(name)) << name;
    EXPECT_NO_THROW(find<forms::CheckBox>("CB_AuSc"));
    EXPECT_NO_THROW(find<forms::ListView>("SiteServeyListView"));
    EXPECT_NO_THROW(find<forms::ListView>("LV_Multi2"));
    EXPECT_NO_THROW(find<forms::Button>("SiteScan"));
    EXPECT_NO_THROW(find<forms::StatusBar>("StatusBar"));
    EXPECT_NO_THROW(find<forms::Timer>("Timer1"));
    EXPECT_FALSE(find<forms::TabSheet>("TS_11g")->tabVisible());
    EXPECT_TRUE(find<forms::TabSheet>("TS_11a")->tabVisible());
}

TEST_F(WirlessLayoutTest, WindowButtonsAndPageControl) {
    EXPECT_EQ(m_form.caption(), u"Home \\ Wireless");
    EXPECT_EQ(m_form.clientWidth(), 361);
    EXPECT_EQ(m_form.clientHeight(), 690);
    auto* pc = find<forms::PageControl>("PC_Wirless");
    EXPECT_EQ(pc->width(), 354);
    EXPECT_EQ(pc->height(), 633);
    const std::pair<const char*, int> buttons[] = {{"Bt_Apply", 11}, {"Bt_Refresh", 142}, {"Bt_Close", 271}};
    for (const auto& [name, left] : buttons) {
        auto* b = find<forms::Button>(name);
        EXPECT_EQ(b->left(), left) << name;
        EXPECT_EQ(b->top(), 639) << name;
    }
    EXPECT_EQ(find<forms::Button>("Bt_Refresh")->caption(), u"Refresh");
    EXPECT_EQ(find<forms::Timer>("Timer1")->interval(), 1000);
}

TEST_F(WirlessLayoutTest, CaptionsKeepTheirBlanks) {
    EXPECT_EQ(find<forms::GroupBox>("GroupBox1")->caption(), u" WDS with AP ");
    EXPECT_EQ(find<forms::GroupBox>("GroupBox2")->caption(), u" AP Repeater  ");
    EXPECT_EQ(find<forms::GroupBox>("GroupBox3")->caption(), u" Site Survey ");
    EXPECT_EQ(find<forms::GroupBox>("GroupBox4")->caption(), u" Key Settings ");
    EXPECT_EQ(find<forms::GroupBox>("GroupBox5")->caption(), u" Radius Server Settings ");
    EXPECT_EQ(find<forms::GroupBox>("GroupBox6")->caption(), u" PassPhrase Settings ");
    EXPECT_EQ(find<forms::Label>("Lab_RootMac")->caption(), u"Root AP MAC Address  ");
    EXPECT_EQ(find<forms::Label>("Lab_GroupKey")->caption(), u"Group Key Update Interval  ");
    EXPECT_EQ(find<forms::Label>("Lab_GroupKeyRange")->caption(), u" [ 300 - 9999999 ]");
    EXPECT_EQ(find<forms::Label>("Lab_SSIDBcasta")->caption(), u"SSID Broadcast ");
    EXPECT_EQ(find<forms::Label>("Lab_Key3")->caption(), u"Third Key ");
    EXPECT_EQ(find<forms::CheckBox>("CB_AuSc")->caption(), u"Auto Channel Scan");
    EXPECT_EQ(find<forms::Button>("SiteScan")->caption(), u"Scan");
    EXPECT_EQ(find<forms::ComboBox>("Ed_SecValKeya")->items(), kValidKeysAll);
    EXPECT_EQ(find<forms::ComboBox>("CB_SSIDBcasta")->items(), (QStringList{"Disable", "Enable"}));
}

TEST_F(WirlessLayoutTest, LimitsMasksAndCarriers) {
    EXPECT_EQ(find<forms::Edit>("Ed_SSIDa")->maxLength(), 32);
    EXPECT_EQ(find<forms::Edit>("Ed_SSIDg")->maxLength(), 32);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(find<forms::Edit>(QStringLiteral("Ed_ReMAddra%1").arg(i))->maxLength(), 12);
    for (int i = 1; i <= 4; ++i) {
        auto* key = find<forms::Edit>(QStringLiteral("Ed_Key%1a").arg(i));
        EXPECT_EQ(key->maxLength(), 32);
        EXPECT_EQ(key->passwordChar(), QLatin1Char('*'));
    }
    EXPECT_EQ(find<forms::Edit>("PassPhrasePSKEdit")->passwordChar(), QLatin1Char('*'));
    EXPECT_EQ(find<forms::Edit>("RadiusSecretEdit")->passwordChar(), QLatin1Char('*'));
    EXPECT_TRUE(find<forms::Edit>("Ed_RaFreqa")->isReadOnly());
    for (const char* name : {"ED_APModeComboBox", "Ed_SecAutha", "CB_Clus", "CB_MultEnable",
                             "Guest1_ComboBox", "GuestEncry1_ComboBox", "SiteScanComboBox"})
        EXPECT_FALSE(find<forms::ComboBox>(name)->visible()) << name;
    for (const char* name : {"Ed_Chana", "Ed_ChanLista", "Ed_CRoMAddra0"})
        EXPECT_FALSE(find<forms::Edit>(name)->visible()) << name;
    EXPECT_FALSE(find<forms::ListView>("LV_Multi2")->visible());
    // One security group at a time: the key settings until the rules choose.
    EXPECT_TRUE(find<forms::GroupBox>("GroupBox4")->visible());
    EXPECT_FALSE(find<forms::GroupBox>("GroupBox5")->visible());
    EXPECT_FALSE(find<forms::GroupBox>("GroupBox6")->visible());
}

TEST_F(WirlessLayoutTest, RulesPlacesAgreeWithTheLayout) {
    const VariantTops full = variantTops(Variant::Full);
    EXPECT_EQ(find<forms::Label>("Lab_SSIDBcasta")->top(), full.ssidBroadcastLabel);
    EXPECT_EQ(find<forms::ComboBox>("CB_SSIDBcasta")->top(), full.ssidBroadcast);
    EXPECT_EQ(find<forms::Label>("Label24")->top(), full.superModeLabel);
    EXPECT_EQ(find<forms::ComboBox>("AD_SuperMode")->top(), full.superMode);
    // The groups the modes show stand where the mode rules expect them.
    EXPECT_EQ(find<forms::GroupBox>("GroupBox1")->top(), 127);
    EXPECT_EQ(find<forms::GroupBox>("GroupBox2")->top(), modeLayout(PageMode::Repeater).repeaterTop + 140);
    // The device combos lie exactly under the page's.
    EXPECT_EQ(find<forms::ComboBox>("ED_APModeComboBox")->geometry(),
              find<forms::ComboBox>("ED_APModeTempComboBox")->geometry());
    EXPECT_EQ(find<forms::ComboBox>("Ed_SecAutha")->geometry(),
              find<forms::ComboBox>("Ed_SecAuthaTemp")->geometry());
    EXPECT_EQ(find<forms::Edit>("Ed_CRoMAddra0")->geometry(), find<forms::Edit>("Ed_RoMAddra0")->geometry());
    for (const char* name : {"GroupBox5", "GroupBox6"})
        EXPECT_EQ(find<forms::GroupBox>(name)->geometry(), find<forms::GroupBox>("GroupBox4")->geometry())
            << name;
}

}  // namespace
