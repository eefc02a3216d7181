// The AP mode and grouping pages' layout tables, built offscreen: every control their rules name is
// there with the kind, items and limits the rules expect.

#include <gtest/gtest.h>

#include "pages/wireless/GroupLayout.h"
#include "pages/wireless/GroupRules.h"
#include "pages/wireless/ModecfgLayout.h"
#include "pages/wireless/ModecfgRules.h"
#include "platform/forms/Forms.h"

namespace {

template <class T>
T* find(const forms::Form& form, const QString& name) {
    return forms::findControl<T>(&form, name.toLatin1().constData());
}

TEST(ModecfgLayout, EveryControlTheRulesNameForBothTabs) {
    using namespace ModecfgRules;
    forms::Form form;
    forms::buildLayout(form, kModecfgLayout);
    EXPECT_EQ(form.caption(), u"Advanced \\ Mode");
    for (Tab tab : {Tab::A, Tab::G}) {
        EXPECT_EQ(find<forms::ComboBox>(form, modeCombo(tab))->items(), modeItems());
        for (int n = 0; n < 8; ++n)
            EXPECT_EQ(find<forms::Edit>(form, remoteEdit(tab, n))->maxLength(), kMacMaxLength);
        EXPECT_EQ(find<forms::Edit>(form, rootEdit(tab))->maxLength(), kMacMaxLength);
    }
    EXPECT_EQ(find<forms::Edit>(form, "Ed_SSID")->maxLength(), kSsidMaxLength);
    EXPECT_NO_THROW(find<forms::Label>(form, "Lab_SSID"));
    EXPECT_TRUE(find<forms::TabSheet>(form, "TS_80211a")->tabVisible());
    EXPECT_FALSE(find<forms::TabSheet>(form, "TS_80211g")->tabVisible());
    for (const char* b : {"Bt_Apply", "Bt_Refresh", "Bt_Close"})
        EXPECT_NO_THROW(find<forms::Button>(form, b));
}

TEST(ModecfgLayout, TheDuplicateFocusIsAnEditOfTabA) {
    using namespace ModecfgRules;
    forms::Form form;
    forms::buildLayout(form, kModecfgLayout);
    for (int i = 1; i < 8; ++i) {
        Macs m;
        m.remote[0] = m.remote[size_t(i)] = "001122334455";
        const auto f = checkApply(Tab::A, Mode::PtmpBridge, m);
        ASSERT_TRUE(std::holds_alternative<CheckFailure>(f));
        auto* e = find<forms::Edit>(form, std::get<CheckFailure>(f).focus);
        EXPECT_EQ(e->parentWidget()->objectName(), u"TS_80211a");
    }
}

TEST(GroupLayout, ControlsTheRulesEnableAndEmpty) {
    using namespace GroupRules;
    forms::Form form;
    forms::buildLayout(form, kGroupLayout);
    EXPECT_EQ(form.caption(), u"Advanced \\ Grouping");
    EXPECT_EQ(find<forms::ComboBox>(form, "CB_LoadB")->items().at(kEnableIndex), u"Enable");
    EXPECT_EQ(find<forms::ComboBox>(form, "CB_LinkInt")->items(), (QStringList{"Disable", "Enable"}));
    EXPECT_EQ(find<forms::ComboBox>(form, "CB_Clus")->items().at(kJoinIndex), u"Join");
    EXPECT_TRUE(find<forms::ComboBox>(form, "CB_Clus")->isHidden());
    EXPECT_TRUE(find<forms::ComboBox>(form, "CB_APMode")->isHidden());
    EXPECT_TRUE(find<forms::Edit>(form, "Ed_EthLS")->isReadOnly());
    const auto f = checkUserLimit("65");
    ASSERT_TRUE(f);
    auto* limit = find<forms::Edit>(form, f->emptied);
    EXPECT_EQ(limit->maxLength(), kUserLimitMaxLength);
    EXPECT_FALSE(limit->isReadOnly());
    for (const char* b : {"Bt_Apply", "Bt_Refresh", "Bt_Cancel"})
        EXPECT_NO_THROW(find<forms::Button>(form, b));
    EXPECT_NO_THROW(find<forms::StatusBar>(form, "StatusBar"));
}

}  // namespace
