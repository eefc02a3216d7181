// The system, device information, system information and statistics pages' layout tables, built
// offscreen: every control their rules name is there with the kind, items and limits they expect.

#include <gtest/gtest.h>

#include <string>

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

// A layout row as one line of text: every field the builder reads.
std::string rowText(const forms::LayoutRow& r) {
    return std::to_string(int(r.kind)) + " " + r.name + " [" + r.parent + "] " + std::to_string(r.left) + "," +
           std::to_string(r.top) + " " + std::to_string(r.width) + "x" + std::to_string(r.height) + " [" +
           r.caption + "] [" + r.items + "] " + std::to_string(r.flags) + " " + std::to_string(r.maxLength) +
           " " + std::to_string(r.tabOrder);
}

// The statistics layout's rows as they were written out by hand, but for slot 2's, which follow
// slot 1's: the rows made from the counters table come out the same.
constexpr const char* kStaticRowsWrittenOut = R"(9 PC_WirlessTraffic [] 4,4 345x600 [] [] 0 0 -1
10 TabSheetA [PC_WirlessTraffic] 0,0 0x0 [IEEE 802.11a] [] 0 0 -1
10 TabSheetG [PC_WirlessTraffic] 0,0 0x0 [IEEE 802.11g] [] 1 0 -1
7 GroupBox1a [TabSheetA] 6,6 325x164 [ThroughPut ] [] 0 0 -1
0 Lab_TranSuRata [GroupBox1a] 10,22 0x0 [Transmit Success Rate] [] 0 0 -1
1 Ed_TranSuRata [GroupBox1a] 215,18 85x21 [] [] 2 0 -1
0 Pct_TranSuRata [GroupBox1a] 304,22 0x0 [%] [] 0 0 -1
0 Lab_TranReRata [GroupBox1a] 10,46 0x0 [Transmit Retry Rate] [] 0 0 -1
1 Ed_TranReRata [GroupBox1a] 215,42 85x21 [] [] 2 0 -1
0 Pct_TranReRata [GroupBox1a] 304,46 0x0 [%] [] 0 0 -1
0 Lab_RcvSuRata [GroupBox1a] 10,70 0x0 [Receive Success Rate] [] 0 0 -1
1 Ed_RcvSuRata [GroupBox1a] 215,66 85x21 [] [] 2 0 -1
0 Pct_RcvSuRata [GroupBox1a] 304,70 0x0 [%] [] 0 0 -1
0 Lab_RcvDuRata [GroupBox1a] 10,94 0x0 [Receive Duplicate Rate] [] 0 0 -1
1 Ed_RcvDuRata [GroupBox1a] 215,90 85x21 [] [] 2 0 -1
0 Pct_RcvDuRata [GroupBox1a] 304,94 0x0 [%] [] 0 0 -1
0 Lab_RTSSuCnta [GroupBox1a] 10,118 0x0 [RTS Success Count] [] 0 0 -1
1 Ed_RTSSuCnta [GroupBox1a] 215,114 85x21 [] [] 2 0 -1
0 Lab_RTSFaCnta [GroupBox1a] 10,142 0x0 [RTS Failure Count] [] 0 0 -1
1 Ed_RTSFaCnta [GroupBox1a] 215,138 85x21 [] [] 2 0 -1
7 GroupBox2a [TabSheetA] 6,176 325x140 [Transmitted Frame Count ] [] 0 0 -1
0 Lab_TranFrCnta [GroupBox2a] 10,22 0x0 [Transmitted Frame Count] [] 0 0 -1
1 Ed_TranFrCnta [GroupBox2a] 215,18 85x21 [] [] 2 0 -1
0 Lab_McastTranFrCnta [GroupBox2a] 10,46 0x0 [Multicast Transmitted Frame Count] [] 0 0 -1
1 Ed_McastTranFrCnta [GroupBox2a] 215,42 85x21 [] [] 2 0 -1
0 Lab_TranErrCnta [GroupBox2a] 10,70 0x0 [Transmitted Error Count] [] 0 0 -1
1 Ed_TranErrCnta [GroupBox2a] 215,66 85x21 [] [] 2 0 -1
0 Lab_TranTtlRtyCnta [GroupBox2a] 10,94 0x0 [Transmitted Total Retry Count ] [] 0 0 -1
1 Ed_TranTtlRtyCnta [GroupBox2a] 215,90 85x21 [] [] 2 0 -1
0 Lab_TranMulRtyCnta [GroupBox2a] 10,118 0x0 [Transmitted Multiple Retry Count ] [] 0 0 -1
1 Ed_TranMulRtyCnta [GroupBox2a] 215,114 85x21 [] [] 2 0 -1
7 GroupBox3a [TabSheetA] 6,322 325x140 [Received Frame Count] [] 0 0 -1
0 Lab_RcvFrmCnta [GroupBox3a] 10,22 0x0 [Received Frame Count] [] 0 0 -1
1 Ed_RcvFrmCnta [GroupBox3a] 215,18 85x21 [] [] 2 0 -1
0 Lab_MRcvFrmCnta [GroupBox3a] 10,46 0x0 [Multicast Received Frame Count] [] 0 0 -1
1 Ed_MRcvFrmCnta [GroupBox3a] 215,42 85x21 [] [] 2 0 -1
0 Lab_RcvFrmErrCnta [GroupBox3a] 10,70 0x0 [Received Frame FCS Error Count ] [] 0 0 -1
1 Ed_RcvFrmErrCnta [GroupBox3a] 215,66 85x21 [] [] 2 0 -1
0 Lab_RcvFrmDupCnta [GroupBox3a] 10,94 0x0 [Received Frame Duplicate Count ] [] 0 0 -1
1 Ed_RcvFrmDupCnta [GroupBox3a] 215,90 85x21 [] [] 2 0 -1
0 Lab_AckRcvfCnta [GroupBox3a] 10,118 0x0 [Ack Rcv failure Count ] [] 0 0 -1
1 Ed_AckRcvfCnta [GroupBox3a] 215,114 85x21 [] [] 2 0 -1
7 GroupBox4a [TabSheetA] 6,468 325x68 [Wep Frame Error Count] [] 0 0 -1
0 Lab_WEPEFrmCnta [GroupBox4a] 10,22 0x0 [WEP Excluded Frame Count] [] 0 0 -1
1 Ed_WEPEFrmCnta [GroupBox4a] 215,18 85x21 [] [] 2 0 -1
0 Lab_WEPIErrCnta [GroupBox4a] 10,46 0x0 [WEP ICV Error Count] [] 0 0 -1
1 Ed_WEPIErrCnta [GroupBox4a] 215,42 85x21 [] [] 2 0 -1
6 Bt_RfrshA [TabSheetA] 256,542 75x25 [Refresh] [] 0 0 -1
11 StatusBar [] 0,0 0x19 [] [] 32 0 -1)";
constexpr size_t kSlotFirst = 3;  // past the page control and its two tabs
constexpr size_t kSlotRows = 45;

// Slot 2's row is slot 1's with the slot's letter in its name and its parent's ("g" for "a").
std::string inSlotTwo(const forms::LayoutRow& r) {
    std::string name = r.name, parent = r.parent;
    for (std::string* s : {&name, &parent})
        if (!s->empty()) s->back() = s->back() == 'A' ? 'G' : 'g';
    forms::LayoutRow g = r;
    g.name = name.c_str();
    g.parent = parent.c_str();
    return rowText(g);
}

TEST(StaticLayout, RowsAsTheyWereWrittenOut) {
    EXPECT_STREQ(kStaticLayout.name, "TFM_Static");
    EXPECT_EQ(kStaticLayout.clientWidth, 353);
    EXPECT_EQ(kStaticLayout.clientHeight, 632);
    const auto rows = kStaticLayout.rows;
    ASSERT_EQ(rows.size(), kSlotFirst + 2 * kSlotRows + 1);
    std::string got;
    for (size_t i = 0; i < kSlotFirst + kSlotRows; ++i) got += rowText(rows[i]) + "\n";
    got += rowText(rows.back());
    EXPECT_EQ(got, kStaticRowsWrittenOut);
    for (size_t i = 0; i < kSlotRows; ++i)
        EXPECT_EQ(rowText(rows[kSlotFirst + kSlotRows + i]), inSlotTwo(rows[kSlotFirst + i])) << i;
}

}  // namespace
