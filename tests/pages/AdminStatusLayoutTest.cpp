// The system, device information, system information and statistics pages' layout tables, built
// offscreen: every control their rules name is there with the kind, items and limits they expect.

#include <gtest/gtest.h>

#include "pages/admin/DevinfoLayout.h"
#include "pages/admin/InformationLayout.h"
#include "pages/admin/InformationRules.h"
#include "pages/admin/StaticLayout.h"
#include "pages/admin/StaticRules.h"
#include "pages/admin/SystemLayout.h"
#include "pages/admin/SystemRules.h"
#include "platform/forms/Forms.h"

namespace {

template <class T>
T* find(const forms::Form& form, const QString& name) {
    return forms::findControl<T>(&form, name.toLatin1().constData());
}

TEST(SytemLayout, CommandsAndTheirCarriers) {
    forms::Form form;
    forms::buildLayout(form, kSytemLayout);
    EXPECT_EQ(form.caption(), u"Tools \\ System");
    EXPECT_EQ(find<forms::Button>(form, "Button1")->caption(), u"Restart");
    EXPECT_EQ(find<forms::Button>(form, "Button2")->caption(), u"Restore");
    EXPECT_EQ(find<forms::Label>(form, "Label1")->caption(), u"Apply Settings and Restart ");
    for (const char* c : {"CB_Restart", "CB_Restore"}) {
        auto* combo = find<forms::ComboBox>(form, c);
        EXPECT_EQ(combo->items(), SystemRules::kTrueFalse);
        EXPECT_TRUE(combo->isHidden());
    }
    EXPECT_EQ(find<forms::ComboBox>(form, "CB_Clus")->items().at(SystemRules::kJoinIndex), u"Join");
}

TEST(DevInfoLayout, SlotsAndDeviceValuesAreReadOnly) {
    forms::Form form;
    forms::buildLayout(form, kDevInfoLayout);
    EXPECT_EQ(form.caption(), u"Status \\ Device Info");
    EXPECT_TRUE(find<forms::TabSheet>(form, "TabSheetA")->tabVisible());
    EXPECT_FALSE(find<forms::TabSheet>(form, "TabSheetG")->tabVisible());
    EXPECT_TRUE(find<forms::Edit>(form, "Ed_SupModa")->isHidden());
    EXPECT_FALSE(find<forms::Edit>(form, "Ed_SupModusa")->isHidden());
    for (const char* e :
         {"Ed_SSIDa", "Ed_Channela", "Ed_DatRata", "Ed_SecLevAutha", "Ed_SecLevPria", "Ed_SSIDg",
          "Ed_Channelg", "Ed_SupModg", "Ed_DatRatg", "Ed_SecLevAuthg", "Ed_SecLevPrig", "Ed_Firmware",
          "Ed_Mac", "Ed_GetIP", "Ed_IPaddr", "Ed_SubMask", "Ed_Gate"})
        EXPECT_TRUE(find<forms::Edit>(form, e)->isReadOnly()) << e;
    EXPECT_EQ(find<forms::Label>(form, "Label10")->caption(), u"IP Address: ");
    EXPECT_EQ(find<forms::GroupBox>(form, "GroupBox2")->caption(), u"Ethernet ");
    for (const char* b : {"Bt_Refa", "Bt_Refg"}) EXPECT_NO_THROW(find<forms::Button>(form, b));
}

TEST(SysInfoLayout, WritableValuesTakeTheirLimits) {
    using namespace InformationRules;
    forms::Form form;
    forms::buildLayout(form, kSysInfoLayout);
    EXPECT_EQ(form.caption(), u"Home \\ Information");
    EXPECT_EQ(find<forms::Edit>(form, "Ed_SC")->maxLength(), kContactMax);
    EXPECT_EQ(find<forms::Edit>(form, "Ed_SN")->maxLength(), kNameMax);
    EXPECT_EQ(find<forms::Edit>(form, "Ed_SL")->maxLength(), kLocationMax);
    auto* uptime = find<forms::Edit>(form, "Ed_SU");
    EXPECT_TRUE(uptime->isReadOnly());
    EXPECT_FALSE(uptime->isEnabled());
    for (const char* b : {"Btn_Re", "Btn_Sa"}) EXPECT_NO_THROW(find<forms::Button>(form, b));
}

TEST(StaticLayout, EveryCounterOfEverySlotInItsGroup) {
    using namespace StaticRules;
    forms::Form form;
    forms::buildLayout(form, kStaticLayout);
    EXPECT_EQ(form.caption(), u"Status \\ Stats");
    for (int slot : {1, 2}) {
        EXPECT_NO_THROW(find<forms::TabSheet>(form, tabName(slot)));
        EXPECT_NO_THROW(find<forms::Button>(form, refreshButton(slot)));
        for (size_t g = 0; g < kGroups.size(); ++g) {
            const QString box = QStringLiteral("GroupBox%1%2").arg(g + 1).arg(slot == 1 ? 'a' : 'g');
            EXPECT_EQ(find<forms::GroupBox>(form, box)->caption(), QLatin1String(kGroups[g].caption));
            for (int n = kGroups[g].first; n < kGroups[g].first + kGroups[g].count; ++n) {
                auto* e = find<forms::Edit>(form, editName(n, slot));
                EXPECT_TRUE(e->isReadOnly());
                EXPECT_EQ(e->parentWidget()->objectName(), box) << n;
            }
        }
    }
    EXPECT_FALSE(find<forms::TabSheet>(form, tabName(2))->tabVisible());
    EXPECT_EQ(find<forms::Label>(form, "Lab_AckRcvfCnta")->caption(), u"Ack Rcv failure Count ");
}

}  // namespace
