#include "library/bind/HvSNMPRequest2Edits.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "BindFixture.h"

namespace {

namespace S = HvSyntax;
namespace A = HvAccess;
using forms::Edit;
using forms::Label;
using forms::ListView;

const char* const kName = "1.3.6.1.4.1.99.2.1.2";
const char* const kLevel = "1.3.6.1.4.1.99.2.1.3";
const MibObjectDef kRows[] = {
    {" ", "No.", S::Integer, A::NotAccess},
    {kName, "Name", S::DisplayStr, A::ReadWrite},
    {kLevel, "Level", S::Integer, A::ReadWrite},
    {},
};
enum { kIndex, kNameItem, kLevelItem };

const HvOptionNumPair kLevels[] = {{1, "Low"}, {2, "High"}, {0, nullptr}};

std::string col(const char* column, int row) {
    return std::string(column) + "." + std::to_string(row);
}

class ListViewBindTest : public BindTest {
protected:
    void SetUp() override {
        BindTest::SetUp();
        view = new ListView(form.get());
        r = makeRequest(kRows, MVT_FMV, 1, 0);
        r->request.security.version = 1;
    }
    void TearDown() override {
        r.reset();
        BindTest::TearDown();
    }
    void fill(int rows) {
        for (int n = 1; n <= rows; ++n) {
            agent.put(col(kName, n), FakeAgent::octets("n" + std::to_string(n)));
            agent.put(col(kLevel, n), FakeAgent::integer(10 * n));
        }
    }
    std::vector<std::string> captions() const {
        std::vector<std::string> out;
        for (int i = 0; i < view->columnCount(); ++i) out.push_back(view->columnCaption(i).toStdString());
        return out;
    }

    ListView* view = nullptr;
    std::unique_ptr<HvSNMPRequest2Edits> r;
};

TEST_F(ListViewBindTest, HiddenItemsFirstAtWidthZeroThenShownSizedToCaption) {
    const MibObjectDef table[] = {
        {" ", "KeyA", S::Integer, A::NotAccess | A::Hidden},
        {" ", "KeyB", S::Integer, A::NotAccess | A::Hidden},
        {"1.3.6.1.4.1.99.3.1.3", "One", S::Integer, A::ReadOnly},
        {"1.3.6.1.4.1.99.3.1.4", "Two", S::DisplayStr, A::ReadWrite},
        {"1.3.6.1.4.1.99.3.1.5", "Gone", S::Integer, A::ReadWrite | A::Invalid},
        {"1.3.6.1.4.1.99.3.1.6", "Three", S::Integer, A::ReadWrite},
        {"1.3.6.1.4.1.99.3.1.7", "Secret", S::Integer, A::WriteOnly},
        {},
    };
    ListView& view = *this->view;
    r->request.varList = HvSNMPVarList(table, MVT_FMV, 2);
    r->setListView(&view, true);
    // An invalid item is hidden too: the row must carry every value a write may need.
    ASSERT_EQ(view.columnCount(), 7);
    const std::vector<std::string> want = {"KeyA", "KeyB", "Gone", "Secret", "One", "Two", "Three"};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(view.columnCaption(i).toStdString(), want[static_cast<std::size_t>(i)]);
        EXPECT_EQ(view.columnWidth(i), i < 4 ? 0 : ListView::AutoSizeHeader);
    }
    EXPECT_TRUE(view.readOnly());
    EXPECT_TRUE(view.rowSelect());
    EXPECT_FALSE(view.hideSelection());
    EXPECT_TRUE(view.gridLines());
}

TEST_F(ListViewBindTest, WalkFillsRowsAndASelectedRowFillsTheControls) {
    Label* index = new Label(form.get());
    Edit* level = new Edit(form.get());
    r->addLabel(kIndex, index);
    r->addEdit(kLevelItem, "%u", {level});
    r->setListView(view, true);
    fill(4);
    ASSERT_TRUE(r->get());
    ASSERT_EQ(view->itemCount(), 4);
    EXPECT_EQ(captions(), (std::vector<std::string>{"No.", "Name", "Level"}));
    EXPECT_EQ(view->item(1)->caption(), "2");
    EXPECT_EQ(view->item(1)->subItems(), (QStringList{"n2", "20"}));
    EXPECT_FALSE(level->enabled());
    EXPECT_FALSE(index->enabled());
    EXPECT_EQ(level->text(), "") << "rows go to the list, not to the controls";

    view->setItemIndex(2);
    EXPECT_TRUE(level->enabled());
    EXPECT_EQ(level->text(), "30");
    EXPECT_EQ(index->caption(), "3");

    // A second read keeps the columns (and what the page made of them) and replaces the rows.
    view->setColumnWidth(2, 77);
    ASSERT_TRUE(r->get());
    EXPECT_EQ(view->itemCount(), 4);
    EXPECT_EQ(view->columnWidth(2), 77);
}

TEST_F(ListViewBindTest, UnorderedWalksLeaveTheControlsEnabled) {
    r->request.varList.setKind(MVT_UMV);
    Edit* level = new Edit(form.get());
    r->addEdit(kLevelItem, "%u", {level});
    r->setListView(view, true);
    fill(2);
    ASSERT_TRUE(r->get());
    EXPECT_EQ(view->itemCount(), 2);
    EXPECT_TRUE(level->enabled());
}

TEST_F(ListViewBindTest, ThePagesOwnSelectionHandlerRunsFirstAndComesBack) {
    std::vector<std::string> order;
    Edit* level = new Edit(form.get());
    level->OnChange = [&](QObject*) { order.push_back("control " + level->text().toStdString()); };
    view->OnSelectItem = [&](QObject*, forms::ListItem* item, bool selected) {
        order.push_back(std::string(selected ? "select " : "deselect ") + item->caption().toStdString());
    };
    r->addEdit(kLevelItem, "%u", {level});
    r->setListView(view, true);
    fill(2);
    ASSERT_TRUE(r->get());
    view->setItemIndex(0);
    view->setItemIndex(1);
    EXPECT_EQ(order,
              (std::vector<std::string>{"select 1", "control 10", "deselect 1", "select 2", "control 20"}));

    r.reset();
    order.clear();
    view->setItemIndex(0);
    EXPECT_EQ(order, (std::vector<std::string>{"deselect 2", "select 1"}));
}

TEST_F(ListViewBindTest, SetWithoutASelectedRowSendsTheControlsAndEmptyTexts) {
    Label* index = new Label(form.get());
    Edit* level = new Edit(form.get());
    r->addLabel(kIndex, index);
    r->addEdit(kLevelItem, "%u", {level});
    r->setListView(view, true);
    fill(3);
    ASSERT_TRUE(r->get());
    index->setCaption("3");
    level->setText("33");
    fake.clearCalls();
    ASSERT_TRUE(r->set(false, true));
    ASSERT_EQ(fake.calls().size(), 1u);
    const HvSnmpCall& c = call(0);
    ASSERT_EQ(c.varbinds.size(), 2u);
    EXPECT_EQ(c.varbinds[0].oid, col(kName, 3));
    EXPECT_EQ(c.varbinds[0].octets, "") << "an item nobody shows goes out empty";
    EXPECT_EQ(c.varbinds[1].oid, col(kLevel, 3));
    EXPECT_EQ(c.varbinds[1].integer, 33);
}

TEST_F(ListViewBindTest, CellsMapToTheItemsTheRowWasMadeFrom) {
    Edit* level = new Edit(form.get());
    r->addEdit(kLevelItem, "%u", {level});
    r->setListView(view, true);
    fill(3);
    ASSERT_TRUE(r->get());
    view->setItemIndex(1);
    level->setText("21");
    // The page leaves the name out of the write after the walk: the name moves to the hidden
    // columns, but the row's cells still belong where they were read from.
    r->request.varList.item(kNameItem).access |= A::Invalid;
    fake.clearCalls();
    ASSERT_TRUE(r->set(false, true));
    ASSERT_EQ(call(0).varbinds.size(), 1u);
    EXPECT_EQ(call(0).varbinds[0].oid, col(kLevel, 2));
    EXPECT_EQ(call(0).varbinds[0].integer, 21);

    // The next read makes columns that match the flags again.
    ASSERT_TRUE(r->get());
    EXPECT_EQ(captions(), (std::vector<std::string>{"Name", "No.", "Level"}));
    EXPECT_EQ(view->columnWidth(0), 0);
}

TEST_F(ListViewBindTest, SelectingARowWithAnEndedColumnRaisesNothing) {
    HvOptionList levels(kLevels);
    r->request.varList.item(kLevelItem).optionList = &levels;
    auto* combo = new forms::ComboBox(form.get());
    auto* check = new forms::CheckBox(form.get());
    Edit* name = new Edit(form.get());
    r->addComboBox(kLevelItem, combo);
    r->addCheckBox(kLevelItem, check);
    r->addEdit(kNameItem, "%s", {name});
    r->setListView(view, true);
    fill(1);
    agent.put(col(kName, 2), FakeAgent::octets("n2"));
    ASSERT_TRUE(r->get());
    ASSERT_EQ(view->itemCount(), 2);
    EXPECT_EQ(view->item(1)->subItem(1), "(NOTDONE)");
    view->setItemIndex(1);
    EXPECT_TRUE(boxes.empty()) << (boxes.empty() ? "" : boxes[0].text.toStdString());
    EXPECT_EQ(name->text(), "n2");
    EXPECT_EQ(combo->itemIndex(), -1);
    EXPECT_FALSE(check->checked());
}

}  // namespace
