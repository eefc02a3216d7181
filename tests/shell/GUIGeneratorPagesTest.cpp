// The builder's pages as the main window's handlers show them, modally, with the test acting inside:
// what stays open, what is refused while a walk runs, the rows' looks, bit strings, secrets, the
// list's hint, the messages after a dialog and the programming errors.
#include <gtest/gtest.h>

#include <QMouseEvent>

#include <string>
#include <vector>

#include "library/HvException.h"
#include "tests/NamedRows.h"
#include "tests/shell/GUIGeneratorFixture.h"

namespace {

using hvtest::PrintTo;
using namespace builder_test;

using BuilderPagesModal = BuilderTest;

// Set Checked writes and the editor page stays open: only an add or edit dialog closes on it.
TEST_F(BuilderPagesModal, EditorPageStaysOpenAfterSetChecked) {
    bool stillOpen = false;
    size_t from = 0;
    const int result = openPage(&TMainForm::DynamicTable1Click, [&](TConfigForm& page) {
        TSNMPEditorPanel& p = editor(page);
        ASSERT_TRUE(readDone(p));
        edit(p.Edits->vars()[1])->setText(QStringLiteral("37"));
        p.Edits->vars()[1].check->setChecked(true);
        from = sim->logSize();
        EXPECT_TRUE(p.CtrlBtns->SetCheckedBtn->userClick());
        EXPECT_EQ(page.modalResult(), forms::mrNone);
        forms::Application::processMessages();
        stillOpen = page.isVisible() && page.modal();
    });
    EXPECT_EQ(setsSince(from), (std::vector<std::string>{kPool + "2.0 i 37"}));
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(result, forms::mrCancel) << "closed by the test, not by the write";
}

// After the edit dialog has gone, the table page's failed reads show in its own message panel.
TEST_F(BuilderPagesModal, TablePageKeepsItsMessagesAfterADialog) {
    openPage(&TMainForm::adStatic2Click, [&](TConfigForm& page) {
        TSNMPListViewPanel& p = table(page);
        ASSERT_TRUE(rowsDone(p));
        p.ListPanel->List->setItemIndex(0);
        const std::string row = p.ListPanel->List->item(0)->caption().toStdString();
        bool shown = false;
        auto poll = whenDialogShown(page,
                                    [&](forms::Form& dialog) {
                                        shown = true;
                                        dialog.close();
                                    });
        EXPECT_TRUE(p.CtrlBtns->EditBtn->userClick());
        EXPECT_TRUE(shown);
        ASSERT_TRUE(rowsDone(p));
        const int lines = p.Msg->Messages->lineCount();
        ASSERT_EQ(sim->command("error " + kStatic + "1." + row + " genErr next"), "ok");
        p.RefreshClick();
        EXPECT_TRUE(waitFor([&] { return p.Msg->Messages->lineCount() > lines; }))
            << "the failed read is shown in the page";
    });
}

// While the page's walk runs, nothing changes the request's flags or mode: no dialog, no question,
// no write.
TEST_F(BuilderPagesModal, TablePageRefusesChangesWhileItsWalkRuns) {
    openPage(&TMainForm::adStatic2Click, [&](TConfigForm& page) {
        TSNMPListViewPanel& p = table(page);
        ASSERT_TRUE(rowsDone(p));
        p.ListPanel->addColumn = 8;
        p.ListPanel->addValue = QStringLiteral("Enable");
        p.ListPanel->deleteColumn = 8;
        p.ListPanel->deleteValue = QStringLiteral("Disable");
        int dialogs = 0;
        auto poll = whenDialogShown(page,
                                    [&](forms::Form& dialog) {
                                        ++dialogs;
                                        dialog.close();
                                    });
        ASSERT_EQ(sim->command("delay 300"), "ok");
        const size_t from = sim->logSize();
        p.RefreshClick();
        // A row the walk has brought already is selected while the walk goes on.
        ASSERT_TRUE(waitFor([&] { return p.ListPanel->List->itemCount() > 0; }));
        ASSERT_TRUE(p.request()->busy);
        p.ListPanel->List->setItemIndex(0);
        ASSERT_NE(p.ListPanel->List->selected(), nullptr);
        const uint8_t mode = p.request()->mode;
        answers = {forms::IDYES};
        p.AddClick();
        p.EditClick();
        p.DeleteClick();
        EXPECT_EQ(dialogs, 0);
        EXPECT_FALSE(boxShown(QStringLiteral("Are you sure to delete ?")));
        EXPECT_EQ(p.request()->mode, mode);
        ASSERT_EQ(sim->command("delay 0"), "ok");
        ASSERT_TRUE(waitFor([&] { return !p.request()->busy; }));
        EXPECT_TRUE(setsSince(from).empty());
    });
}

TEST_F(BuilderPagesModal, EditorPageRefusesSetCheckedWhileItsReadRuns) {
    openPage(&TMainForm::adSecSettingKey1Click, [&](TConfigForm& page) {
        TSNMPEditorPanel& p = editor(page);
        ASSERT_TRUE(readDone(p));
        p.Edits->vars()[1].check->setChecked(true);
        ASSERT_EQ(sim->command("delay 300"), "ok");
        const size_t from = sim->logSize();
        p.RefreshClick();
        ASSERT_TRUE(p.request()->busy);
        EXPECT_FALSE(p.SetCheckedClick());
        EXPECT_EQ(p.request()->mode, 1);
        ASSERT_EQ(sim->command("delay 0"), "ok");
        ASSERT_TRUE(waitFor([&] { return !p.request()->busy; }));
        EXPECT_TRUE(setsSince(from).empty());
    });
}

// Read-only rows have the disabled look; writable rows are black on white with their check box.
TEST_F(BuilderPagesModal, DisabledRowsLookDisabled) {
    openPage(&TMainForm::N80211a3Click, [&](TConfigForm& page) {
        TEditsPanel& e = *editor(page).Edits;
        ASSERT_TRUE(readDone(editor(page)));
        const UISnmpVar& frequency = e.vars()[1];  // read-only
        const UISnmpVar& rate = e.vars()[2];       // writable
        EXPECT_TRUE(edit(frequency)->readOnly());
        EXPECT_EQ(edit(frequency)->color(), e.disabledColor());
        EXPECT_EQ(edit(frequency)->fontColor(), e.disabledFontColor());
        EXPECT_NE(e.disabledColor(), QColor(Qt::white));
        EXPECT_FALSE(frequency.check->isVisible());
        EXPECT_EQ(edit(rate)->color(), QColor(Qt::white));
        EXPECT_EQ(edit(rate)->fontColor(), QColor(Qt::black));
        EXPECT_TRUE(rate.check->isVisible());
        // What the colours draw with: the edit's own palette.
        EXPECT_EQ(edit(frequency)->palette().color(QPalette::Base), e.disabledColor());

        e.SetDisabledColors(Qt::darkBlue, Qt::lightGray);
        EXPECT_EQ(edit(frequency)->color(), QColor(Qt::lightGray));
        EXPECT_EQ(edit(frequency)->fontColor(), QColor(Qt::darkBlue));
        EXPECT_EQ(edit(rate)->color(), QColor(Qt::white)) << "an enabled row keeps its look";

        auto* mode = dynamic_cast<forms::ComboBox*>(e.vars()[0].control);
        ASSERT_NE(mode, nullptr);
        e.DisableVar(0);
        e.DisableVar(2);
        EXPECT_FALSE(mode->enabled());
        EXPECT_EQ(mode->color(), QColor(Qt::lightGray));
        EXPECT_TRUE(edit(rate)->readOnly());
        EXPECT_FALSE(rate.check->isVisible());
        e.EnableVar(2);
        EXPECT_FALSE(edit(rate)->readOnly());
        EXPECT_EQ(edit(rate)->color(), QColor(Qt::white));
        EXPECT_TRUE(rate.check->isVisible());
        try {
            e.DisableVar(9);
            ADD_FAILURE() << "a row past the end";
        } catch (const HvException& x) {
            EXPECT_STREQ(x.what(), "aIdx is overtop!\n you may define < 9");
        }
    });
}

// A hidden row leaves its place to the next one and is written by no Check All.
TEST_F(BuilderPagesModal, HiddenRowIsNotShownNorWritten) {
    ASSERT_EQ(sim->command("set " + kPool + "7.0 s lab"), "ok");
    size_t from = 0;
    openPage(&TMainForm::DynamicTable1Click, [&](TConfigForm& page) {
        TSNMPEditorPanel& p = editor(page);
        ASSERT_TRUE(readDone(p));
        TEditsPanel& e = *p.Edits;
        const int rangeTop = e.vars()[1].control->top();
        e.HideVar(1);
        e.Layout(2, false);
        EXPECT_FALSE(e.vars()[1].control->asWidget()->isVisible());
        EXPECT_FALSE(e.vars()[1].label->isVisible());
        EXPECT_EQ(e.vars()[2].control->top(), rangeTop) << "the next row moves up";
        EXPECT_TRUE(e.IsHidden(1));
        EXPECT_TRUE(p.CtrlBtns->CheckAllBtn->userClick());
        EXPECT_FALSE(e.vars()[1].check->checked());
        from = sim->logSize();
        EXPECT_TRUE(p.CtrlBtns->SetCheckedBtn->userClick());
        EXPECT_TRUE(boxes.empty()) << boxes.back().text.toStdString();
        e.ShowVar(1);
        e.Layout(2, false);
        EXPECT_TRUE(e.vars()[1].control->asWidget()->isVisible());
        EXPECT_TRUE(e.vars()[1].check->isVisible());
        EXPECT_EQ(e.vars()[1].control->top(), rangeTop);
    });
    const std::vector<std::string> sets = setsSince(from);
    EXPECT_EQ(sets.size(), 8u);
    for (const std::string& s : sets) EXPECT_NE(s.rfind(kPool + "2.0 ", 0), 0u) << s;
}

// The list's hint names each column with the value of the row under the mouse.
TEST_F(BuilderPagesModal, ListHintFollowsTheRowUnderTheMouse) {
    openPage(&TMainForm::adStatic2Click, [&](TConfigForm& page) {
        TSNMPListViewPanel& p = table(page);
        ASSERT_TRUE(rowsDone(p, 2));
        forms::ListView* list = p.ListPanel->List;
        auto hover = [&](QPoint at) {
            QMouseEvent move(QEvent::MouseMove, QPointF(at), list->viewport()->mapToGlobal(QPointF(at)),
                             Qt::NoButton, Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(list->viewport(), &move);
        };
        hover(list->visualItemRect(list->item(1)).center());
        const QStringList lines = list->toolTip().split(QLatin1Char('\n'));
        ASSERT_EQ(lines.size(), list->columnCount()) << list->toolTip().toStdString();
        const std::string row = list->item(1)->caption().toStdString();
        EXPECT_EQ(lines[0], QStringLiteral("ifIndex: ") + QString::fromStdString(row));
        const std::string ip = sim->command("get " + kStatic + "1." + row);
        EXPECT_EQ("ok a " + lines[1].toStdString(), "ok a Static IP: " + ip.substr(5));
        hover(list->visualItemRect(list->item(0)).center());
        EXPECT_TRUE(list->toolTip().startsWith(QStringLiteral("ifIndex: ") + list->item(0)->caption() + "\n"));
        hover(QPoint(5, list->viewport()->height() - 2));
        EXPECT_TRUE(list->toolTip().isEmpty()) << "no row under the mouse";
    });
}

struct SecretCase {
    const char* name;
    Handler handler;
    std::vector<int> secrets;
    int masked;   // a secret row the device shows masked
    int changed;  // a secret row the user types
    std::string changedOid;
};

class BuilderSecrets : public BuilderTest, public ::testing::WithParamInterface<SecretCase> {};

// Key and secret rows show asterisks, and one still holding the device's mask is not written back.
TEST_P(BuilderSecrets, SecretRowsAreMaskedAndTheMaskIsNeverWritten) {
    const SecretCase& c = GetParam();
    size_t from = 0;
    std::string maskedOid;
    openPage(c.handler, [&](TConfigForm& page) {
        TSNMPEditorPanel& p = editor(page);
        ASSERT_TRUE(readDone(p));
        const auto& vars = p.Edits->vars();
        for (int i = 0; i < static_cast<int>(vars.size()); ++i) {
            const bool secret = std::find(c.secrets.begin(), c.secrets.end(), i) != c.secrets.end();
            if (auto* e = edit(vars[static_cast<size_t>(i)])) {
                EXPECT_EQ(e->passwordChar(), secret ? QChar('*') : QChar()) << i;
            }
        }
        maskedOid = p.request()->request.varList.item(c.masked).oid + ".0";
        ASSERT_EQ(sim->command("set " + maskedOid + " s \"********\""), "ok");
        p.RefreshClick();
        ASSERT_TRUE(waitFor([&] {
            return !p.request()->busy && edit(vars[static_cast<size_t>(c.masked)])->text() == "********";
        }));
        edit(vars[static_cast<size_t>(c.changed)])->setText(QStringLiteral("abcdef1234"));
        vars[static_cast<size_t>(c.masked)].check->setChecked(true);
        vars[static_cast<size_t>(c.changed)].check->setChecked(true);
        from = sim->logSize();
        EXPECT_TRUE(p.CtrlBtns->SetCheckedBtn->userClick());
    });
    EXPECT_EQ(setsSince(from), (std::vector<std::string>{c.changedOid + " s abcdef1234"}));
    EXPECT_EQ(sim->command("get " + maskedOid), "ok s \"********\"");
}

const SecretCase kSecretCases[] = {
    {"Keys", &TMainForm::adSecSettingKey1Click, {0, 1, 2, 3, 4, 5, 6, 7}, 0, 5, kKeys + "2.2.0"},
    {"Servers", &TMainForm::adSecServSet1Click, {0, 7}, 7, 0, "1.3.6.1.4.1.47011.11.37.4.2.5.1.1.4.1.0"},
};
INSTANTIATE_TEST_SUITE_P(Handlers, BuilderSecrets, ::testing::ValuesIn(kSecretCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
