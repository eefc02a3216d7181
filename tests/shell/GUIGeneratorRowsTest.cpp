// The builder's rows and dialogs beyond the plain edit: bit strings, the add dialog and the row it
// selects afterwards, a shared message panel, and the programming errors a caller can make.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "library/HvException.h"
#include "tests/NamedRows.h"
#include "tests/shell/GUIGeneratorFixture.h"

namespace {

using hvtest::PrintTo;
using namespace builder_test;

using BuilderRows = BuilderTest;

// A bit string the device holds in an object of its key table.
const MibObjectDef kBitsTable[] = {
    {"1.3.6.1.4.1.47011.11.37.4.2.5.3.1.1.1.3", "Port Bits", HvSyntax::OctetStr, HvAccess::ReadWrite},
    {},
};

std::unique_ptr<QTimer> whenBitsShown(std::function<void(TBitsDialog&)> act) {
    return whenWindowShown([](forms::Form& f) { return dynamic_cast<TBitsDialog*>(&f) != nullptr; },
                           [act = std::move(act)](forms::Form& f) { act(dynamic_cast<TBitsDialog&>(f)); });
}

std::vector<bool> states(const TBitsDialog& d) {
    std::vector<bool> out;
    for (const forms::CheckBox* b : d.Bits) out.push_back(b->checked());
    return out;
}

// The bits dialog shows the value's bits, most significant first, and OK writes the checked ones
// back into the row; Cancel leaves it.
TEST_F(BuilderRows, BitStringRowIsEditedThroughItsBits) {
    ASSERT_EQ(sim->command("set 1.3.6.1.4.1.47011.11.37.4.2.5.3.1.1.1.3 x 0F00"), "ok");
    TConfigForm page;
    page.setCaption(QStringLiteral("Bits : 127.0.0.1"));
    TSNMPEditorPanel* p = page.SetEditorRequest(request(page, kBitsTable, SVT_SV, 0, 0));
    const UISnmpBitLayout layout{0, 8};
    p->Edits->SetVarBits(0, &layout);
    ASSERT_NE(p->Edits->vars()[0].bitsButton, nullptr);
    size_t from = 0;
    showPage(page, [&] {
        ASSERT_TRUE(readDone(*p));
        forms::Edit* e = edit(p->Edits->vars()[0]);
        EXPECT_EQ(e->text(), QStringLiteral("0F00"));
        std::vector<bool> shown;
        auto poll = whenBitsShown([&](TBitsDialog& d) {
            shown = states(d);
            ASSERT_EQ(d.Bits.size(), 16u);
            EXPECT_EQ(d.Bits[0]->caption(), QStringLiteral("1"));
            EXPECT_EQ(d.CancelBtn->caption(), QStringLiteral("Cancel"));
            d.CheckAllBtn->userClick();
            EXPECT_EQ(states(d), std::vector<bool>(16, true));
            d.ClearChecksBtn->userClick();
            EXPECT_EQ(states(d), std::vector<bool>(16, false));
            d.Bits[0]->setChecked(true);
            d.Bits[15]->setChecked(true);
            d.OkBtn->userClick();
        });
        EXPECT_TRUE(p->Edits->vars()[0].bitsButton->userClick());
        std::vector<bool> expected(16, false);
        for (int b = 4; b < 8; ++b) expected[static_cast<size_t>(b)] = true;
        EXPECT_EQ(shown, expected);
        EXPECT_EQ(e->text(), QStringLiteral("8001"));

        auto cancel = whenBitsShown([&](TBitsDialog& d) {
            d.Bits[3]->setChecked(true);
            d.CancelBtn->userClick();
        });
        EXPECT_FALSE(p->Edits->EditBits(0));
        EXPECT_EQ(e->text(), QStringLiteral("8001"));

        p->Edits->vars()[0].check->setChecked(true);
        from = sim->logSize();
        EXPECT_TRUE(p->CtrlBtns->SetCheckedBtn->userClick());
    });
    EXPECT_EQ(sim->command("get 1.3.6.1.4.1.47011.11.37.4.2.5.3.1.1.1.3"), "ok s \"\\x80\\x01\"");
    EXPECT_EQ(setsSince(from).size(), 1u);
}

// A layout longer than the value adds zero bits; bits past it are kept.
TEST_F(BuilderRows, BitLayoutGivesTheNumberOfBits) {
    ASSERT_EQ(sim->command("set 1.3.6.1.4.1.47011.11.37.4.2.5.3.1.1.1.3 x 01"), "ok");
    TConfigForm page;
    TSNMPEditorPanel* p = page.SetEditorRequest(request(page, kBitsTable, SVT_SV, 0, 0));
    const UISnmpBitLayout twelve{12, 6};
    p->Edits->SetVarBits(0, &twelve);
    showPage(page, [&] {
        ASSERT_TRUE(readDone(*p));
        size_t count = 0;
        auto poll = whenBitsShown([&](TBitsDialog& d) {
            count = d.Bits.size();
            EXPECT_TRUE(d.Bits[7]->checked());
            d.Bits[8]->setChecked(true);
            d.OkBtn->userClick();
        });
        EXPECT_TRUE(p->Edits->EditBits(0));
        EXPECT_EQ(count, 12u);
        EXPECT_EQ(edit(p->Edits->vars()[0])->text(), QStringLiteral("0180"));
    });
}

// A table page's add dialog: key rows editable, the status row fixed to the add value; the device's
// new row is selected once the list has read it again.
TEST_F(BuilderRows, AddDialogWritesTheNewRowAndTheListSelectsIt) {
    ASSERT_EQ(sim->command("static-pool 2 8"), "ok");
    TConfigForm page;
    page.setCaption(QStringLiteral("StaticTable : 127.0.0.1"));
    TSNMPListViewPanel* p = page.SetListViewRequest(request(page, kMibT040, MVT_FMV, 1, 1), 8,
                                                    QStringLiteral("Enable"), 8, QStringLiteral("Disable"));
    EXPECT_TRUE(p->CtrlBtns->AddBtn->visible());
    size_t from = 0;
    showPage(page, [&] {
        ASSERT_TRUE(rowsDone(*p, 8));
        bool shown = false;
        auto poll = whenDialogShown(page,
                                    [&](forms::Form& dialog) {
                                        shown = true;
                                        EXPECT_EQ(dialog.caption(), QStringLiteral("StaticTable : 127.0.0.1 (Add)"));
                                        auto* editor = dialog.findChild<TSNMPEditorPanel*>();
                                        ASSERT_NE(editor, nullptr);
                                        const auto& vars = editor->Edits->vars();
                                        EXPECT_TRUE(edit(vars[1])->text().isEmpty()) << "the rows start empty";
                                        EXPECT_FALSE(edit(vars[0])->readOnly()) << "the key is typed";
                                        auto* status = dynamic_cast<forms::ComboBox*>(vars[8].control);
                                        ASSERT_NE(status, nullptr);
                                        EXPECT_EQ(status->text(), QStringLiteral("Enable"));
                                        EXPECT_FALSE(status->enabled());
                                        edit(vars[0])->setText(QStringLiteral("5"));
                                        edit(vars[1])->setText(QStringLiteral("127.0.0.55"));
                                        vars[1].check->setChecked(true);
                                        from = sim->logSize();
                                        EXPECT_TRUE(editor->CtrlBtns->SetCheckedBtn->userClick());
                                        EXPECT_EQ(dialog.modalResult(), forms::mrOk) << "the dialog closes";
                                        if (dialog.modalResult() == forms::mrNone) dialog.close();
                                    });
        EXPECT_TRUE(p->CtrlBtns->AddBtn->userClick());
        EXPECT_TRUE(shown);
        ASSERT_TRUE(waitFor([&] { return !p->request()->busy && p->ListPanel->List->selected(); }));
        EXPECT_EQ(p->ListPanel->List->selected()->caption(), QStringLiteral("5"));
        EXPECT_EQ(p->ListPanel->List->selected()->subItem(0), QStringLiteral("127.0.0.55"));
        EXPECT_TRUE(p->CtrlBtns->EditBtn->enabled());
    });
    EXPECT_EQ(setsSince(from),
              (std::vector<std::string>{kStatic + "1.5 a 127.0.0.55", kStatic + "8.5 i 1"}));
}

// A page given a message panel of its own shows its results there and has none of its own.
TEST_F(BuilderRows, SharedMessagePanelTakesThePagesMessages) {
    TConfigForm page;
    auto* shared = new TMsgPanel(&page);
    auto r = request(page, kMibT061, SVT_SV, 0, 0);
    TSNMPEditorPanel panel(&page, r.get(), true, shared);
    EXPECT_EQ(panel.Msg, shared);
    EXPECT_TRUE(panel.sharesMsg());
    EXPECT_EQ(panel.Splitter2->count(), 1) << "the content only";
    EXPECT_EQ(panel.Splitter2->handleWidth(), 5);
    ASSERT_EQ(sim->command("error " + kPool + "1.0 genErr get"), "ok");
    panel.RefreshClick();
    EXPECT_GT(shared->Messages->lineCount(), 0);

    TSNMPEditorPanel own(&page, r.get());
    EXPECT_EQ(own.Splitter2->count(), 2);
    EXPECT_EQ(own.Splitter2->widget(1), own.Msg);
    EXPECT_EQ(own.Splitter1->widget(0), own.ClientPanel);
    EXPECT_EQ(own.Splitter1->widget(1), own.CtrlBtns);
}

// The shown page: the buttons beyond the first splitter at the right, the rows above the second
// splitter and the 50 pixels of messages; the rows scroll when the page is clamped.
TEST_F(BuilderRows, ShownPageIsFramedBySplitters) {
    openPage(&TMainForm::N80211a3Click, [&](TConfigForm& page) {
        TSNMPPanel& p = *page.panel();
        ASSERT_TRUE(waitFor([&] { return p.Msg->height() > 0 && p.CtrlBtns->x() > 0; }));
        EXPECT_EQ(p.CtrlBtns->width(), 2 * 10 + TCtrlBtnPanel::kButtonWidth);
        EXPECT_EQ(p.CtrlBtns->x() + p.CtrlBtns->width(), page.clientWidth());
        EXPECT_EQ(p.ClientPanel->width() + p.Splitter1->handleWidth() + p.CtrlBtns->width(), page.clientWidth());
        EXPECT_EQ(p.Msg->height(), 50);
        EXPECT_EQ(p.Msg->Messages->height(), 50);
        EXPECT_EQ(editor(page).Edits->height() + 5 + 50, p.ClientPanel->height());
        // The user drags the second splitter: the messages take the room the rows give.
        p.Splitter2->setSizes({p.ClientPanel->height() - 5 - 120, 120});
        EXPECT_EQ(p.Msg->height(), 120);
        EXPECT_EQ(p.Msg->Messages->height(), 120);
    });
}

struct MisuseCase {
    const char* name;
    std::function<void(TConfigForm& page)> act;
    const char* message;
};

class BuilderMisuse : public BuilderTest, public ::testing::WithParamInterface<MisuseCase> {};

// A caller's programming error raises its text, on a page the handler built.
TEST_P(BuilderMisuse, RaisesItsText) {
    const MisuseCase& c = GetParam();
    main->pageOpener = [&](forms::Form& form) {
        auto& page = dynamic_cast<TConfigForm&>(form);
        try {
            c.act(page);
            ADD_FAILURE() << "nothing raised";
        } catch (const HvException& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
        return 0;
    };
    main->N80211a3Click(nullptr);
}

// Row 0 of the performance page is a combo box, row 2 an edit.
const MisuseCase kMisuse[] = {
    {"FormatOfACombo", [](TConfigForm& p) { BuilderTest::editor(p).Edits->SetVarFormat(0, "%u"); },
     "Can not set Var format to a ComboBox!"},
    {"UnknownKindCleared",
     [](TConfigForm& p) {
         TEditsPanel& e = *BuilderTest::editor(p).Edits;
         e.vars()[2].kind = 9;
         try {
             e.ClearVar(2);
         } catch (...) {
             e.vars()[2].kind = UISnmpVar::Edit;
             throw;
         }
     },
     "Unknow UI Control type!"},
    {"UnknownKindDestroyed",
     [](TConfigForm& p) {
         TEditsPanel& e = *BuilderTest::editor(p).Edits;
         e.vars()[2].kind = 9;
         try {
             e.DestroyCtrls();
         } catch (...) {
             e.vars()[2].kind = UISnmpVar::Edit;
             EXPECT_EQ(e.vars().size(), 9u) << "nothing destroyed";
             throw;
         }
     },
     "TCtrlsList:DestroyCtrls()-Unknown Control!"},
    {"ButtonsWithoutEdits",
     [](TConfigForm& p) {
         TSNMPEditorPanel bare(&p, p.panel()->request(), false);
         bare.ArrangeCtrlBtn();
     },
     "TEditsPanel:ArrangeCtrlBtn - EditCtrl is NULL!"},
    {"BitsOfANumber", [](TConfigForm& p) { BuilderTest::editor(p).Edits->SetVarBits(2, nullptr); },
     "You can only assign Octet Item to a Edit!"},
    {"EditBitsOfANumber", [](TConfigForm& p) { BuilderTest::editor(p).Edits->EditBits(2); },
     "You can only assign Octet Item to a Edit!"},
};
INSTANTIATE_TEST_SUITE_P(Handlers, BuilderMisuse, ::testing::ValuesIn(kMisuse),
                         [](const auto& info) { return std::string(info.param.name); });

// An edit row bound again with another format still shows the device's value.
TEST_F(BuilderRows, EditRowTakesAnotherFormat) {
    openPage(&TMainForm::N80211a3Click, [&](TConfigForm& page) {
        TSNMPEditorPanel& p = editor(page);
        ASSERT_TRUE(readDone(p));
        p.Edits->SetVarFormat(4, "%u{n20x1000}");
        EXPECT_EQ(p.Edits->vars()[4].format, "%u{n20x1000}");
        edit(p.Edits->vars()[4])->setText(QString());
        p.RefreshClick();
        ASSERT_TRUE(waitFor([&] { return !p.request()->busy; }));
        const std::string beacon = sim->command("get 1.3.6.1.4.1.47011.11.37.4.2.3.1.6.1");
        EXPECT_EQ("ok i " + edit(p.Edits->vars()[4])->text().toStdString(), beacon);
    });
}

}  // namespace
