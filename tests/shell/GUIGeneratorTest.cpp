// Pages made by the generic page builder against the device simulator: what they show after their
// first read, what a write of the checked rows sends, and that nothing is left when a page goes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "library/HvException.h"
#include "tests/NamedRows.h"
#include "tests/shell/GUIGeneratorFixture.h"

namespace {

using hvtest::PrintTo;
using namespace builder_test;

using GUIGeneratorTest = BuilderTest;

TEST_F(GUIGeneratorTest, EditorPageWritesOnlyItsCheckedRowsAndReadsEverythingAgain) {
    TConfigForm page;
    TSNMPEditorPanel* panel = page.SetEditorRequest(request(page, kMibT061, SVT_SV, 0, 0));
    ASSERT_NE(panel->Edits, nullptr);
    const auto& vars = panel->Edits->vars();
    ASSERT_EQ(vars.size(), 9u);
    // The page reads itself once the event loop runs.
    ASSERT_TRUE(waitFor([&] { return !edit(vars[0])->text().isEmpty(); }));
    EXPECT_EQ("ok a " + edit(vars[0])->text().toStdString(), sim->command("get " + kPool + "1.0"));
    EXPECT_TRUE(panel->CtrlBtns->SetCheckedBtn->visible());
    EXPECT_FALSE(panel->CtrlBtns->SetCheckedBtn->enabled()) << "nothing checked yet";

    const std::vector<uint32_t> flagsBefore = [&] {
        std::vector<uint32_t> f;
        for (int32_t i = 0; i < panel->request()->request.varList.count(); ++i)
            f.push_back(panel->request()->request.varList.item(i).access);
        return f;
    }();
    edit(vars[1])->setText(QStringLiteral("37"));
    edit(vars[3])->setText(QStringLiteral("10.9.8.7"));  // changed, but not checked: not sent
    vars[1].check->setChecked(true);
    EXPECT_TRUE(panel->CtrlBtns->SetCheckedBtn->enabled());
    const size_t from = sim->logSize();
    ASSERT_TRUE(panel->SetCheckedClick());
    EXPECT_EQ(setsSince(from), (std::vector<std::string>{kPool + "2.0 i 37"}));
    for (int32_t i = 0; i < panel->request()->request.varList.count(); ++i)
        EXPECT_EQ(panel->request()->request.varList.item(i).access, flagsBefore[static_cast<size_t>(i)]) << i;
    EXPECT_EQ(panel->request()->mode, 0);
    // Every row is read again, also the one that was left out.
    const size_t readFrom = sim->logSize();
    panel->RefreshClick();
    size_t gets = 0;
    for (const SimLogLine& l : sim->requests(readFrom)) gets += l.op == "GET" ? 1 : 0;
    EXPECT_EQ(gets, 9u);
    EXPECT_NE(edit(vars[3])->text(), QStringLiteral("10.9.8.7"));
}

TEST_F(GUIGeneratorTest, CheckedEmptyRowIsRefusedAndNothingIsSent) {
    TConfigForm page;
    TSNMPEditorPanel* panel = page.SetEditorRequest(request(page, kMibT061, SVT_SV, 0, 0));
    const auto& vars = panel->Edits->vars();
    ASSERT_TRUE(waitFor([&] { return !edit(vars[0])->text().isEmpty(); }));
    const std::vector<uint32_t> before = flags(*panel->request());
    edit(vars[6])->setText(QString());
    vars[6].check->setChecked(true);
    const size_t from = sim->logSize();
    EXPECT_FALSE(panel->SetCheckedClick());
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back().text, QStringLiteral("Some items are empty!"));
    EXPECT_EQ(boxes.back().caption, QStringLiteral("Warning"));
    EXPECT_TRUE(setsSince(from).empty());
    EXPECT_EQ(flags(*panel->request()), before);
    EXPECT_EQ(panel->request()->mode, 0);
}

// A write the device refuses gives every mark and the mode back, so the next read takes every
// object again.
TEST_F(GUIGeneratorTest, WriteTheDeviceRefusesGivesTheMarksAndTheModeBack) {
    TConfigForm page;
    TSNMPEditorPanel* panel = page.SetEditorRequest(request(page, kMibT035, SVT_SV, 0, 1));
    ASSERT_TRUE(readDone(*panel));
    const std::vector<uint32_t> before = flags(*panel->request());
    ASSERT_EQ(sim->command("error " + kKeys + "1.2.0 genErr set"), "ok");
    edit(panel->Edits->vars()[1])->setText(QStringLiteral("0A0B0C0D0E"));
    panel->Edits->vars()[1].check->setChecked(true);
    const size_t from = sim->logSize();
    EXPECT_FALSE(panel->SetCheckedClick());
    EXPECT_FALSE(sim->requests(from).empty()) << "the write went out";
    EXPECT_EQ(flags(*panel->request()), before);
    EXPECT_EQ(panel->request()->mode, 1);
    const size_t readFrom = sim->logSize();
    panel->RefreshClick();
    ASSERT_TRUE(waitFor([&] { return !panel->request()->busy; }));
    EXPECT_EQ(countAsked(readFrom, "GET", kKeys + "1.1.0"), 1u) << "the row left out is read again";
}

TEST_F(GUIGeneratorTest, ReadOnlyObjectsGiveAPageWithoutWriteButtons) {
    TConfigForm page;
    auto r = request(page, kMibT061, SVT_SV, 0, 0);
    for (int32_t i = 0; i < r->request.varList.count(); ++i)
        r->request.varList.item(i).access = HvAccess::ReadOnly;
    TSNMPEditorPanel* panel = page.SetEditorRequest(std::move(r));
    for (forms::Button* b :
         {panel->CtrlBtns->SetCheckedBtn, panel->CtrlBtns->CheckAllBtn, panel->CtrlBtns->ClearChecksBtn})
        EXPECT_FALSE(b->visible()) << b->caption().toStdString();
    EXPECT_TRUE(panel->CtrlBtns->RefreshBtn->visible());
    EXPECT_TRUE(panel->CtrlBtns->CloseBtn->visible());
    EXPECT_EQ(panel->Edits->vars()[0].kind, UISnmpVar::ReadOnlyEdit);
}

TEST_F(GUIGeneratorTest, FormTakesOneRequestOnly) {
    TConfigForm page;
    page.SetEditorRequest(request(page, kMibT061, SVT_SV, 0, 0));
    try {
        page.SetListViewRequest(request(page, kMibT040, MVT_FMV, 1, 1), -1, {}, -1, {});
        FAIL() << "a second request was taken";
    } catch (const HvException& e) {
        EXPECT_STREQ(e.what(), "Can not change Type of a Config Form!");
    }
    TConfigForm empty;
    EXPECT_THROW(empty.InitialRefresh(), HvException);
}

TEST_F(GUIGeneratorTest, LargePageIsClampedToTheScreenSize) {
    TConfigForm page;
    TSNMPEditorPanel* panel = page.SetEditorRequest(request(page, kMibT061, SVT_SV, 0, 0));
    panel->SetEditWidth(900);
    panel->AttachToForm(&page);
    EXPECT_EQ(page.clientWidth(), 800);
    EXPECT_LE(page.clientHeight(), 550);
}

TEST_F(GUIGeneratorTest, TablePageListsRowsAndEditsOneThroughItsDialog) {
    auto page = std::make_unique<TConfigForm>();
    TSNMPListViewPanel* panel =
        page->SetListViewRequest(request(*page, kMibT040, MVT_FMV, 1, 1), -1, {}, -1, {});
    EXPECT_FALSE(panel->CtrlBtns->AddBtn->visible());
    EXPECT_FALSE(panel->CtrlBtns->DeleteBtn->visible());
    EXPECT_FALSE(panel->CtrlBtns->EditBtn->enabled());
    forms::ListView* list = panel->ListPanel->List;
    ASSERT_TRUE(waitFor([&] { return !panel->request()->busy && list->itemCount() > 0; }));
    EXPECT_EQ(panel->CtrlBtns->Counter->caption(), QString::number(list->itemCount()));
    EXPECT_EQ("ok a " + list->item(0)->subItem(0).toStdString(),
              sim->command("get " + kStatic + "1." + list->item(0)->caption().toStdString()));

    list->setItemIndex(0);
    EXPECT_TRUE(panel->CtrlBtns->EditBtn->enabled());
    const std::string row = list->item(0)->caption().toStdString();
    size_t from = 0;
    bool dialogShown = false;
    auto poll = whenDialogShown(*page,
                                [&](forms::Form& dialog) {
                                    dialogShown = true;
                                    auto* editor = dialog.findChild<TSNMPEditorPanel*>();
                                    ASSERT_NE(editor, nullptr);
                                    const auto& vars = editor->Edits->vars();
                                    EXPECT_FALSE(dialog.caption().endsWith(QStringLiteral(" (Add)")));
                                    EXPECT_EQ(edit(vars[1])->text(), list->item(0)->subItem(0))
                                        << "the row is in the dialog";
                                    EXPECT_TRUE(edit(vars[0])->readOnly()) << "the key is not edited";
                                    EXPECT_EQ(edit(vars[1])->width(), 200);
                                    edit(vars[5])->setText(QStringLiteral("10.1.2.3"));
                                    vars[5].check->setChecked(true);
                                    from = sim->logSize();
                                    EXPECT_TRUE(editor->CtrlBtns->SetCheckedBtn->userClick());
                                    EXPECT_EQ(dialog.modalResult(), forms::mrOk) << "the dialog closes";
                                });
    panel->EditClick();
    EXPECT_TRUE(dialogShown);
    EXPECT_EQ(setsSince(from), (std::vector<std::string>{kStatic + "5." + row + " a 10.1.2.3"}));
    // The dialog's bindings went with it: a read fills the list only.
    ASSERT_TRUE(waitFor([&] { return !panel->request()->busy; }));
    EXPECT_EQ(panel->request()->bindings.size(), 0u);
    page.reset();
}

TEST_F(GUIGeneratorTest, StatusValuesMustBeTheColumnsOwn) {
    TConfigForm page;
    TSNMPListViewPanel* panel =
        page.SetListViewRequest(request(page, kMibT040, MVT_FMV, 1, 1), -1, {}, -1, {});
    EXPECT_THROW(panel->SetDeleteStatus(8, QStringLiteral("Gone")), HvException);
    panel->SetDeleteStatus(8, QStringLiteral("Disable"));
    EXPECT_TRUE(panel->CtrlBtns->DeleteBtn->visible());
    EXPECT_FALSE(panel->CtrlBtns->AddBtn->visible());
}

TEST_F(GUIGeneratorTest, DeleteWritesTheStatusOfTheSelectedRowAfterItsQuestion) {
    TConfigForm page;
    TSNMPListViewPanel* panel =
        page.SetListViewRequest(request(page, kMibT040, MVT_FMV, 1, 1), -1, {}, 8, QStringLiteral("Disable"));
    forms::ListView* list = panel->ListPanel->List;
    ASSERT_TRUE(waitFor([&] { return !panel->request()->busy && list->itemCount() > 1; }));
    list->setItemIndex(1);
    const std::string row = list->item(1)->caption().toStdString();
    answers = {forms::IDNO};
    size_t from = sim->logSize();
    panel->DeleteClick();
    EXPECT_TRUE(setsSince(from).empty()) << "No to the question";
    ASSERT_TRUE(waitFor([&] { return !panel->request()->busy && list->itemCount() > 1; }));
    list->setItemIndex(1);
    answers = {forms::IDYES};
    from = sim->logSize();
    panel->DeleteClick();
    EXPECT_EQ(boxes.back().text, QStringLiteral("Are you sure to delete ?"));
    EXPECT_EQ(boxes.back().caption, QStringLiteral("Delete"));
    EXPECT_EQ(setsSince(from), (std::vector<std::string>{kStatic + "8." + row + " i 0"}));
}

struct BuilderCase {
    const char* name;
    void (*handler)(TMainForm&);
    const char* tableName;
    const char* firstOid;  // of the request's first object
    int formType;
    uint8_t mode;
    int32_t timeout;  // 0: the session's default
};

class BuilderPages : public GUIGeneratorTest, public ::testing::WithParamInterface<BuilderCase> {};

// Each handler makes its page over its table, reads it, shows it and leaves nothing behind.
TEST_P(BuilderPages, HandlerOpensItsPageOverItsTable) {
    const BuilderCase& c = GetParam();
    int shown = 0;
    const size_t from = sim->logSize();
    main->pageOpener = [&](forms::Form& form) {
        auto& page = dynamic_cast<TConfigForm&>(form);
        ++shown;
        EXPECT_EQ(page.caption(), QString::fromStdString(std::string(c.tableName) + " : 127.0.0.1"));
        EXPECT_EQ(page.formType(), c.formType);
        EXPECT_EQ(page.clientWidth(), 500);
        const HvSNMPRequest2Edits* r = page.panel()->request();
        const auto& list = r->request.varList;
        EXPECT_EQ(list.item(c.formType == TConfigForm::Table ? 1 : 0).oid, c.firstOid);
        EXPECT_EQ(r->mode, c.mode);
        if (c.timeout) {
            EXPECT_EQ(r->request.timeout, c.timeout);
        }
        // The page reads itself once it runs, and once only: a message posted after the read
        // closes the page.
        page.postMessage([&] {
            EXPECT_TRUE(waitFor([&] {
                for (const SimLogLine& l : sim->requests(from))
                    if (l.asked.rfind(c.firstOid, 0) == 0) return !r->busy;
                return false;
            }));
            page.postMessage([&] { page.close(); });
        });
        return page.showModal();
    };
    c.handler(*main);
    EXPECT_EQ(shown, 1);
    const bool walked = c.formType == TConfigForm::Table;
    EXPECT_EQ(countAsked(from, walked ? "GETNEXT" : "GET", c.firstOid + std::string(walked ? "" : ".0")), 1u);
    EXPECT_EQ(main->tableName, c.tableName);
    main->pageOpener = nullptr;
}

const BuilderCase kBuilderCases[] = {
    {"SecSettingKey", [](TMainForm& m) { m.adSecSettingKey1Click(nullptr); }, "SecSettingKeyTable",
     "1.3.6.1.4.1.47011.11.37.4.2.5.3.1.1.1.1", TConfigForm::Editor, 1, 0},
    {"DynamicFunction", [](TMainForm& m) { m.Function1Click(nullptr); }, "AdDynamicFunction",
     "1.3.6.1.4.1.47011.11.37.4.2.7.1", TConfigForm::Editor, 0, 0},
    {"DynamicTable", [](TMainForm& m) { m.DynamicTable1Click(nullptr); }, "AdDynamicTable",
     "1.3.6.1.4.1.47011.11.37.4.2.7.2.1", TConfigForm::Editor, 0, 0},
    {"StaticTable", [](TMainForm& m) { m.adStatic2Click(nullptr); }, "StaticTable",
     "1.3.6.1.4.1.47011.11.37.4.2.7.3.1.1", TConfigForm::Table, 1, 0},
    {"SecServ", [](TMainForm& m) { m.adSecServSet1Click(nullptr); }, "SecServSetting",
     "1.3.6.1.4.1.47011.11.37.4.2.5.1.1.4.1", TConfigForm::Editor, 1, 0},
    {"PeersG", [](TMainForm& m) { m.dot11g1Click(nullptr); }, "PtMPReAPMACAddress_80211g",
     "1.3.6.1.4.1.47011.11.37.4.2.2.1.2.2.1", TConfigForm::Editor, 1, 10000},
    {"PeersA", [](TMainForm& m) { m.dot11b1Click(nullptr); }, "PtMPReAPMACAddress_80211a",
     "1.3.6.1.4.1.47011.11.37.4.2.2.1.2.1.1", TConfigForm::Editor, 1, 10000},
    {"PerformanceA", [](TMainForm& m) { m.N80211a3Click(nullptr); }, "PerformanceTable-80211a",
     "1.3.6.1.4.1.47011.11.37.4.2.3.1.11.1", TConfigForm::Editor, 1, 0},
    {"PerformanceG", [](TMainForm& m) { m.N80211g3Click(nullptr); }, "PerformanceTable-80211g",
     "1.3.6.1.4.1.47011.11.37.4.2.3.1.11.2", TConfigForm::Editor, 1, 0},
};

INSTANTIATE_TEST_SUITE_P(Handlers, BuilderPages, ::testing::ValuesIn(kBuilderCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
